// The command object: what the command parser builds and the executor runs.
//
// One Tcmdrec per command. Its kind is the token code of its keyword (0 for
// an external program), Args holds the keyword (or the program text) and the
// arguments, Options the option codes in the order written; /do and /if hold
// their condition and hang their blocks in Block and ElseBlock.
//
// A command is read-only: its fields are views into the arena of the script
// it belongs to (TScript), made once by the construction forms of
// TCmdBuilder, which the parser's actions use. Blocks are arrays of commands
// in the same arena. A script owns its arena and its top-level commands, so
// every view lives exactly as long as the script; nothing is shared, counted
// or copied on the way to the executor.
#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "lang/ScriptArena.h"

class Tcmdrec;
/// A list of commands: the top level of a script, or a block.
using TCmdList = std::span<const Tcmdrec>;
using TCmdTexts = std::span<const std::string_view>;
using TCmdCodes = std::span<const int32_t>;
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

/// The options of the list in the fixed order /hide /min /max /noactivate
/// /ignore /warn /wait, long forms, each once, no separators.
std::string OptionsText(TCmdCodes options);

/// What only /do and /if carry, kept apart so that the many commands
/// without blocks stay small.
struct TCmdFlow {
  std::string_view condition;  // /if condition, /do's /while text ("0" without one)
  TCmdList block;              // /do body or /if THEN block
  TCmdList elseBlock;          // /if ELSE block
};

class Tcmdrec {
 public:
  int32_t KeywordIndex = 0;        // keyword-table slot of the kind; 0 for an external program
  int32_t Kind = 0;                // token code of the keyword; 0 for an external program
  TCmdTexts Args;                  // [0] keyword or program text, then the arguments
  TCmdCodes Options;               // option codes in the order written
  const TCmdFlow* Flow = nullptr;  // /do and /if only, in the script's arena

  std::string_view Condition() const { return Flow ? Flow->condition : std::string_view(); }
  TCmdList Block() const { return Flow ? Flow->block : TCmdList(); }
  TCmdList ElseBlock() const { return Flow ? Flow->elseBlock : TCmdList(); }

  bool HasOption(int32_t code) const;
  std::string OptionsText() const { return ::OptionsText(Options); }
  /// The command written back as one line, from Args[first] on.
  std::string CommandText(int first) const;
  /// Appends the text to the run log while the debug log is on.
  void LogMessage(std::string_view text) const;
  /// Logs CommandText(0) when the command has any Args.
  void LogCommand() const;
};

/// The construction forms: each makes a command in the arena.
class TCmdBuilder {
 public:
  explicit TCmdBuilder(TScriptArena& arena) : arena_(arena) {}

  /// Args holds the keyword of the kind's slot, no options. Throws
  /// std::invalid_argument for a kind that no keyword has.
  Tcmdrec Plain(int32_t kind);
  /// Plain, then the argument (even when empty) and the options.
  Tcmdrec WithArgument(int32_t kind, std::string_view argument, TCmdCodes options);
  /// Plain, then every text of the list.
  Tcmdrec WithArgumentList(int32_t kind, std::span<const std::string> arguments);
  Tcmdrec Do(std::string_view whileCondition, TCmdList body);
  Tcmdrec If(std::string_view condition, TCmdList thenBlock, TCmdList elseBlock);
  Tcmdrec Set(std::string_view name, std::string_view value);
  Tcmdrec ExternalProgram(std::string_view program, std::span<const std::string> arguments,
                          TCmdCodes options);
  /// The commands as one block in the arena.
  TCmdList Block(std::span<const Tcmdrec> commands) { return arena_.Array(commands); }

 private:
  Tcmdrec Build(int32_t kind, std::initializer_list<std::string_view> head, std::span<const std::string> tail,
                TCmdCodes options);
  TCmdTexts Texts(std::string_view first, std::span<const std::string_view> head,
                  std::span<const std::string> tail);

  TScriptArena& arena_;
};

/// A parsed script: its top-level commands and the arena that everything
/// they refer to lives in. Moving a script keeps every view valid.
class TScript {
 public:
  TScript() = default;
  TScript(std::unique_ptr<TScriptArena> arena, std::vector<Tcmdrec> commands)
      : arena_(std::move(arena)), commands_(std::move(commands)) {}

  TCmdList Commands() const { return commands_; }
  size_t size() const { return commands_.size(); }
  const Tcmdrec& operator[](size_t i) const { return commands_[i]; }

 private:
  std::unique_ptr<TScriptArena> arena_;
  std::vector<Tcmdrec> commands_;
};
