// The command object: what the command parser builds and the executor runs.
//
// One Tcmdrec per command. Its kind is the token code of its keyword (0 for
// an external program), Args holds the keyword (or the program text) and the
// arguments, Options the option codes in the order written; /do and /if hang
// their blocks in Block and ElseBlock. The construction forms below are the
// ones the parser's actions use. Args, Options and Condition are packed
// fields (CmdFields.h): one word each, read back as views and codes.
//
// Ownership: command lists are vectors of shared_ptr<Tcmdrec>, and blocks are
// shared_ptr<TCmdList> (null when the kind has no block). The parser's value
// stack copies references while it builds the lists, the caller receives the
// result list, and the editor can take over the lists of an object it parsed;
// shared ownership keeps all of these safe without any release logic in the
// object itself.
//
// A parse builds its commands without blocks (all kinds but /do and /if) in
// a TCmdArena: the objects sit side by side in a few large blocks, their
// packed fields in the arena's field chunks, and every reference to one of
// them shares the ownership of the whole arena, so the arena is released
// with the last reference to any of its objects. Such an object never holds
// a reference itself (it has no block), so the arena can never own itself
// through a cycle.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "lang/CmdFields.h"

class Tcmdrec;
class TCmdArena;
using TCmdRef = std::shared_ptr<Tcmdrec>;
using TCmdList = std::vector<TCmdRef>;
using TCmdListRef = std::shared_ptr<TCmdList>;
using TTextList = std::vector<std::string>;
using TOptionList = std::vector<int32_t>;

/// The option controls of the command dialog.
enum class TOptionControl {
  NormalOpt,
  HideOpt,
  MinOpt,
  MaxOpt,
  MinNoActOpt,
  WaitOpt,
  WarnOpt,
  IgnoreOpt,
};

/// What an option does to a program start.
enum class TOptionGroup {
  WindowMode,  // replaces the whole launch word with its show mode
  Wait,        // adds its bit; acts on external programs only
  ErrorMode,   // adds its bit; acts on every command
};

/// One option of the command language. The table of these rows is the one
/// place that says how an option is written back, what it adds to the launch
/// flags and which control of the command dialog shows it.
struct TOptionRec {
  int32_t token;
  const char* keyword;  // the long form, as command texts write it
  TOptionGroup group;
  uint32_t launchBits;  // the show mode (WindowMode) or the launch-flag bit
  TOptionControl control;
  int dialogOrder;  // where the dialog reads and fills it, first 0
};

constexpr int kOptionCount = 7;

/// The options in the order of command texts; among the window modes the
/// last one a command carries sets the show mode.
const TOptionRec (&CommandOptions())[kOptionCount];
/// The same rows in the order in which the command dialog reads its controls
/// and fills them (the last checked window mode of this order wins there).
const std::vector<const TOptionRec*>& OptionsInDialogOrder();
/// The launch word of an external program carrying these options.
uint32_t ProgramLaunchFlags(std::span<const int32_t> options);
/// The error-mode bits of these options (the launch word of an internal
/// command).
uint32_t ErrorModeFlags(std::span<const int32_t> options);

class Tcmdrec {
 public:
  int32_t KeywordIndex = 0;    // keyword-table slot of the kind; 0 for an external program
  int32_t Kind = 0;            // token code of the keyword; 0 for an external program
  TCmdTexts Args;              // [0] keyword or program text, then the arguments
  TCmdCodes Options;           // option codes in the order written
  TCmdText Condition;          // /if condition, /do's /while text ("0" without one)
  TCmdListRef Block;           // /do body or /if THEN block; null for other kinds
  TCmdListRef ElseBlock;       // /if ELSE block (empty list without /else)
  void* EditDialog = nullptr;  // the command dialog while the editor edits the object

  /// Plain: Args holds the keyword of the kind's slot, no options.
  /// Throws std::invalid_argument for a kind that no keyword has. The forms
  /// of commands without blocks put the object into `arena` when one is
  /// given, and into a heap block of its own otherwise.
  static TCmdRef Plain(int32_t kind, TCmdArena* arena = nullptr);
  /// Plain, then the argument (even when empty) and the options.
  static TCmdRef WithArgument(int32_t kind, std::string argument, TOptionList options,
                              TCmdArena* arena = nullptr);
  /// Plain, then every text of the list.
  static TCmdRef WithArgumentList(int32_t kind, TTextList arguments, TCmdArena* arena = nullptr);
  static TCmdRef Do(std::string whileCondition, TCmdListRef body);
  static TCmdRef If(std::string condition, TCmdListRef thenBlock, TCmdListRef elseBlock);
  static TCmdRef Set(std::string name, std::string value, TCmdArena* arena = nullptr);
  static TCmdRef ExternalProgram(std::string program, TTextList arguments, TOptionList options,
                                 TCmdArena* arena = nullptr);

  bool HasOption(int32_t code) const;
  /// The options in the fixed order /hide /min /max /noactivate /ignore
  /// /warn /wait, long forms, each once, no separators.
  std::string OptionsText() const;
  /// The command written back as one line, from Args[first] on.
  std::string CommandText(int first) const;
  /// Appends the text to the run log while the debug log is on.
  void LogMessage(std::string_view text) const;
  /// Logs CommandText(0) when the command has any Args.
  void LogCommand() const;
};

/// Bulk storage for the commands without blocks of one parse (see the
/// ownership note above): objects are made in chunks, each reference shares
/// the ownership of all of them, and they are destroyed together, in the
/// order they were made, when the last reference goes.
class TCmdArena {
 public:
  /// A new empty command object in the arena. The caller must not hang a
  /// block on it.
  TCmdRef NewCommand();
  /// Where the packed fields of the arena's objects go.
  TFieldArena& Fields();

 private:
  struct TChunks;
  std::shared_ptr<TChunks> chunks_;  // made with the first object
};
