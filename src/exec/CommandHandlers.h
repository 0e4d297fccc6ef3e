// The handlers that Execute dispatches to, and the prepared arguments they
// take. Internal to the executor.
#pragma once

#include <string>
#include <vector>

#include "lang/TarvCmd2Obj.h"

/// What Execute prepares for one execution of a command.
struct TPreparedArgs {
  /// The rest-of-line commands' argument.
  std::string text;
  /// Item 0 the command word (a program in double quotes), then the
  /// evaluated arguments, each as it is.
  std::vector<std::string> list;

  /// List item i, or the empty text when the list is shorter.
  const std::string& Item(size_t i) const;
};

// Flow control.
void RunDoCommand(const Tcmdrec& command);
void RunIfCommand(const Tcmdrec& command);

/// The internal commands of files, windows, processes, keys, variables and
/// waiting; returns false for a kind that is none of them.
bool RunInternalCommand(const Tcmdrec& command, const TPreparedArgs& args);

/// /edit, /plist and /wlist; returns false for any other kind.
bool RunEditorCommand(const Tcmdrec& command, const TPreparedArgs& args);

/// The integer value of a condition: an optional sign and decimal digits, or
/// "$" and hexadecimal digits, and nothing else. False for any other text.
bool ConditionToInt(const std::string& text, int32_t& value);
