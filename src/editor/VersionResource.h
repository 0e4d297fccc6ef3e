// The version resource of the program's own executable, as the About window
// reads it: the string table for U.S. English, code page 1252 ("040904E4").
// The Win32 back end reads it with GetFileVersionInfoA and VerQueryValueA;
// the POSIX program has no version resource.
#pragma once

#include <memory>
#include <optional>
#include <string>

class IVersionStrings {
 public:
  virtual ~IVersionStrings() = default;
  /// The value of `name` up to its first NUL; nothing when the table lacks it.
  virtual std::optional<std::string> Value(const std::string& name) const = 0;
};

/// The running program's version strings; null when it has no version
/// resource (its size is 0) or the resource cannot be read.
std::unique_ptr<IVersionStrings> OwnVersionStrings();

/// The folder of the running program's file, where the package puts the
/// user guide; empty when the system cannot tell.
std::string OwnProgramDirectory();
