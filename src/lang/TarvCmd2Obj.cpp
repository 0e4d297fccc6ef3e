#include "lang/TarvCmd2Obj.h"

#include <algorithm>
#include <iterator>
#include <stdexcept>

#include "lang/TarvLex.h"
#include "lang/Vocabulary.h"
#include "util/TarvCommon.h"

namespace {

TCmdRef NewCommand(TCmdArena* arena) {
  return arena != nullptr ? arena->NewCommand() : std::make_shared<Tcmdrec>();
}

TFieldArena* FieldsOf(TCmdArena* arena) { return arena != nullptr ? &arena->Fields() : nullptr; }

// A command of the kind with Args = the kind's keyword, then `head`, then
// `tail`, and the options.
TCmdRef Build(int32_t kind, std::initializer_list<std::string_view> head, std::span<const std::string> tail,
              std::span<const int32_t> options, TCmdArena* arena) {
  int slot = KeywordSlotOfToken(kind);
  if (slot < 0) throw std::invalid_argument("No keyword has the command kind " + std::to_string(kind));
  TCmdRef cmd = NewCommand(arena);
  cmd->Kind = kind;
  cmd->KeywordIndex = slot;
  const std::string& keyword = KeywordOfSlot(slot);
  switch (head.size()) {
    case 0: cmd->Args.Assign({keyword}, tail, FieldsOf(arena)); break;
    case 1: cmd->Args.Assign({keyword, head.begin()[0]}, tail, FieldsOf(arena)); break;
    default: cmd->Args.Assign({keyword, head.begin()[0], head.begin()[1]}, tail, FieldsOf(arena)); break;
  }
  cmd->Options.Assign(options, FieldsOf(arena));
  return cmd;
}

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

TCmdRef Tcmdrec::Plain(int32_t kind, TCmdArena* arena) { return Build(kind, {}, {}, {}, arena); }

TCmdRef Tcmdrec::WithArgument(int32_t kind, std::string argument, TOptionList options, TCmdArena* arena) {
  return Build(kind, {argument}, {}, options, arena);
}

TCmdRef Tcmdrec::WithArgumentList(int32_t kind, TTextList arguments, TCmdArena* arena) {
  return Build(kind, {}, arguments, {}, arena);
}

// The two kinds with blocks are never made in an arena.
TCmdRef Tcmdrec::Do(std::string whileCondition, TCmdListRef body) {
  TCmdRef cmd = Plain(_DO);
  cmd->Condition = whileCondition;
  cmd->Block = std::move(body);
  return cmd;
}

TCmdRef Tcmdrec::If(std::string condition, TCmdListRef thenBlock, TCmdListRef elseBlock) {
  TCmdRef cmd = Plain(_IF);
  cmd->Condition = condition;
  cmd->Block = std::move(thenBlock);
  cmd->ElseBlock = std::move(elseBlock);
  return cmd;
}

TCmdRef Tcmdrec::Set(std::string name, std::string value, TCmdArena* arena) {
  return Build(_SET, {name, value}, {}, {}, arena);
}

TCmdRef Tcmdrec::ExternalProgram(std::string program, TTextList arguments, TOptionList options,
                                 TCmdArena* arena) {
  TCmdRef cmd = NewCommand(arena);
  cmd->Args.Assign({program}, arguments, FieldsOf(arena));
  cmd->Options.Assign(options, FieldsOf(arena));
  return cmd;
}

// ---- The arena -------------------------------------------------------------

// Chunks of default-constructed objects, filled in order; the last chunk
// may be partly unused. Destroying the chunks destroys every object.
struct TCmdArena::TChunks {
  static constexpr size_t kChunkSize = 256;
  // Declared first, so destroyed last: the objects' fields point into it.
  TFieldArena fields;
  std::vector<std::unique_ptr<Tcmdrec[]>> chunks;
  size_t used = kChunkSize;  // objects handed out of the last chunk
};

TCmdRef TCmdArena::NewCommand() {
  if (!chunks_) chunks_ = std::make_shared<TChunks>();
  TChunks& store = *chunks_;
  if (store.used == TChunks::kChunkSize) {
    store.chunks.push_back(std::make_unique<Tcmdrec[]>(TChunks::kChunkSize));
    store.used = 0;
  }
  // Shares the ownership of the whole store (the aliasing constructor).
  return TCmdRef(chunks_, &store.chunks.back()[store.used++]);
}

TFieldArena& TCmdArena::Fields() {
  if (!chunks_) chunks_ = std::make_shared<TChunks>();
  return chunks_->fields;
}

bool Tcmdrec::HasOption(int32_t code) const { return Carries(Options, code); }

std::string Tcmdrec::OptionsText() const {
  std::string text;
  for (const TOptionRec& option : CommandOptions())
    if (HasOption(option.token)) text += option.keyword;
  return text;
}

std::string Tcmdrec::CommandText(int first) const {
  std::string text;
  if (Args.empty()) return text;
  if (first == 0) {
    text.append(Args[0]).append(OptionsText());
    first = 1;
  }
  if (Kind == _SET) {
    text.append(" ")
        .append(Args.size() > 1 ? Args[1] : "")
        .append("=")
        .append(Args.size() > 2 ? Args[2] : "");
  } else if (Kind == _IF) {
    text.append(" ").append(Condition.view());
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
