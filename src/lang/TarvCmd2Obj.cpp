#include "lang/TarvCmd2Obj.h"

#include <algorithm>
#include <iterator>
#include <stdexcept>

#include "lang/TarvLex.h"
#include "lang/Vocabulary.h"
#include "util/TarvCommon.h"

namespace {

// Rows in command-text order: the window modes from weakest to strongest.
// Each option is written back in its long form.
constexpr TOptionRec kCommandOptions[kOptionCount] = {
    {_HIDE, LongWordOf(_HIDE), TOptionGroup::WindowMode, smHide, TOptionControl::HideOpt, 3},
    {_MIN, LongWordOf(_MIN), TOptionGroup::WindowMode, smMinimize, TOptionControl::MinOpt, 6},
    {_MAX, LongWordOf(_MAX), TOptionGroup::WindowMode, smShowMaximized, TOptionControl::MaxOpt, 5},
    {_NOACTIVATE, LongWordOf(_NOACTIVATE), TOptionGroup::WindowMode, smShowMinNoActive,
     TOptionControl::MinNoActOpt, 4},
    {_IGNORE, LongWordOf(_IGNORE), TOptionGroup::ErrorMode, lfIgnoreFailure, TOptionControl::IgnoreOpt, 2},
    {_WARN, LongWordOf(_WARN), TOptionGroup::ErrorMode, lfWarnOnFailure, TOptionControl::WarnOpt, 1},
    {_WAIT, LongWordOf(_WAIT), TOptionGroup::Wait, lfWait, TOptionControl::WaitOpt, 0},
};

// One row for each option token of the grammar, none twice.
constexpr bool CoversEveryOptionToken() {
  for (int token = kFirstOptionToken; token <= kLastOptionToken; ++token) {
    int rows = 0;
    for (const TOptionRec& option : kCommandOptions) rows += option.token == token ? 1 : 0;
    if (rows != 1) return false;
  }
  return true;
}
static_assert(kOptionCount == kOptionTokenCount && CoversEveryOptionToken(),
              "kCommandOptions needs one row for each option token");

bool Carries(std::span<const int32_t> options, int32_t code) {
  return std::find(options.begin(), options.end(), code) != options.end();
}

}  // namespace

const TOptionRec (&CommandOptions())[kOptionCount] { return kCommandOptions; }

const std::vector<const TOptionRec*>& OptionsInDialogOrder() {
  static const std::vector<const TOptionRec*> rows = [] {
    std::vector<const TOptionRec*> sorted;
    for (const TOptionRec& option : kCommandOptions) sorted.push_back(&option);
    std::sort(sorted.begin(), sorted.end(),
              [](const TOptionRec* a, const TOptionRec* b) { return a->dialogOrder < b->dialogOrder; });
    return sorted;
  }();
  return rows;
}

uint32_t ProgramLaunchFlags(std::span<const int32_t> options) {
  // A window option replaces the whole word, so the strongest one wins and
  // any of them drops the raise-on-failure bit.
  uint32_t flags = lfRaiseOnFailure | smShow;
  for (const TOptionRec& option : kCommandOptions)
    if (option.group == TOptionGroup::WindowMode && Carries(options, option.token)) flags = option.launchBits;
  for (const TOptionRec& option : kCommandOptions)
    if (option.group != TOptionGroup::WindowMode && Carries(options, option.token))
      flags |= option.launchBits;
  return flags;
}

uint32_t ErrorModeFlags(std::span<const int32_t> options) {
  uint32_t flags = 0;
  for (const TOptionRec& option : kCommandOptions)
    if (option.group == TOptionGroup::ErrorMode && Carries(options, option.token)) flags |= option.launchBits;
  return flags;
}

// A command of the kind with Args = the kind's keyword, then `head`, then
// `tail`, and the options.
Tcmdrec TCmdBuilder::Build(int32_t kind, std::initializer_list<std::string_view> head,
                           std::span<const std::string> tail, TCmdCodes options) {
  int slot = KeywordSlotOfToken(kind);
  if (slot < 0) throw std::invalid_argument("No keyword has the command kind " + std::to_string(kind));
  Tcmdrec cmd;
  cmd.Kind = kind;
  cmd.KeywordIndex = slot;
  cmd.Args = Texts(KeywordOfSlot(slot), head, tail);
  cmd.Options = arena_.Array(options);
  return cmd;
}

// The texts side by side in the arena: `first` (a keyword, which lives as
// long as the program, or a program text), then `head`, then `tail`.
TCmdTexts TCmdBuilder::Texts(std::string_view first, std::span<const std::string_view> head,
                             std::span<const std::string> tail) {
  std::span<std::string_view> texts = arena_.NewArray<std::string_view>(1 + head.size() + tail.size());
  auto out = texts.begin();
  *out++ = arena_.Text(first);
  for (std::string_view text : head) *out++ = arena_.Text(text);
  for (const std::string& text : tail) *out++ = arena_.Text(text);
  return texts;
}

Tcmdrec TCmdBuilder::Plain(int32_t kind) { return Build(kind, {}, {}, {}); }

Tcmdrec TCmdBuilder::WithArgument(int32_t kind, std::string_view argument, TCmdCodes options) {
  return Build(kind, {argument}, {}, options);
}

Tcmdrec TCmdBuilder::WithArgumentList(int32_t kind, std::span<const std::string> arguments) {
  return Build(kind, {}, arguments, {});
}

Tcmdrec TCmdBuilder::Do(std::string_view whileCondition, TCmdList body) {
  Tcmdrec cmd = Plain(_DO);
  const TCmdFlow flow{arena_.Text(whileCondition), body, {}};
  cmd.Flow = arena_.Array(std::span(&flow, 1)).data();
  return cmd;
}

Tcmdrec TCmdBuilder::If(std::string_view condition, TCmdList thenBlock, TCmdList elseBlock) {
  Tcmdrec cmd = Plain(_IF);
  const TCmdFlow flow{arena_.Text(condition), thenBlock, elseBlock};
  cmd.Flow = arena_.Array(std::span(&flow, 1)).data();
  return cmd;
}

Tcmdrec TCmdBuilder::Set(std::string_view name, std::string_view value) {
  return Build(_SET, {name, value}, {}, {});
}

Tcmdrec TCmdBuilder::ExternalProgram(std::string_view program, std::span<const std::string> arguments,
                                     TCmdCodes options) {
  Tcmdrec cmd;
  cmd.Args = Texts(program, {}, arguments);
  cmd.Options = arena_.Array(options);
  return cmd;
}

bool Tcmdrec::HasOption(int32_t code) const { return Carries(Options, code); }

std::string OptionsText(TCmdCodes options) {
  std::string text;
  for (const TOptionRec& option : CommandOptions())
    if (Carries(options, option.token)) text += option.keyword;
  return text;
}

std::string Tcmdrec::CommandText(int first) const {
  std::string text;
  if (Args.empty()) return text;
  if (first == 0) {
    text.append(Args[0]);
    if (!Options.empty()) text.append(OptionsText());
    first = 1;
  }
  if (Kind == _SET) {
    text.append(" ")
        .append(Args.size() > 1 ? Args[1] : "")
        .append("=")
        .append(Args.size() > 2 ? Args[2] : "");
  } else if (Kind == _IF) {
    text.append(" ").append(Condition());
  } else {
    for (size_t i = std::max(first, 0); i < Args.size(); ++i) {
      if (!text.empty()) text += ' ';
      text.append(Args[i]);
    }
  }
  return text;
}

void Tcmdrec::LogMessage(std::string_view text) const { ::LogMessage(text); }

void Tcmdrec::LogCommand() const {
  // The run log is written only while the debug log is on: the command text
  // is built only then.
  if (!Args.empty() && RunState().DebugLog) LogMessage(CommandText(0));
}
