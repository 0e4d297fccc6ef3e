// Every command line the project ships (end-to-end cases, the user guide's
// examples, the examples folder) goes through the command dialog: confirmed
// unchanged it comes back byte for byte, and with one field changed the new
// line parses into the command the fields show.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <set>
#include <sstream>

#include "editor/FakeEditorControls.h"
#include "editor/TarvCmdEdit.h"
#include "editor/TarvInput.h"
#include "lang/TarvLex.h"
#include "lang/TarvYacc.h"
#include "test_support/RecordingUI.h"
#include "util/StringFuncs.h"
#include "util/TarvCommon.h"

namespace {

namespace fs = std::filesystem;

struct SourceLine {
  std::string where;  // file:line
  std::string text;
};

std::vector<std::string> LinesOf(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  std::vector<std::string> lines;
  for (std::string line; std::getline(in, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
  }
  return lines;
}

void AddFile(const fs::path& file, std::vector<SourceLine>& out) {
  const std::vector<std::string> lines = LinesOf(file);
  for (size_t i = 0; i < lines.size(); ++i)
    out.push_back({file.string() + ":" + std::to_string(i + 1), lines[i]});
}

// The user guide's examples: the lines of its fenced blocks marked "qd".
void AddGuideExamples(const fs::path& guide, std::vector<SourceLine>& out) {
  const std::vector<std::string> lines = LinesOf(guide);
  bool inBlock = false;
  for (size_t i = 0; i < lines.size(); ++i) {
    const std::string trimmed = TrimBlanks(lines[i]);
    if (trimmed == (inBlock ? "```" : "```qd")) {
      inBlock = !inBlock;
      continue;
    }
    if (inBlock) out.push_back({guide.string() + ":" + std::to_string(i + 1), lines[i]});
  }
}

std::vector<SourceLine> ShippedLines() {
  const fs::path root = TARV_SOURCE_DIR;
  std::vector<SourceLine> lines;
  for (const fs::directory_entry& entry : fs::directory_iterator(root / "tests/e2e/cases"))
    if (entry.path().extension() == ".qd") AddFile(entry.path(), lines);
  AddGuideExamples(root / "docs/user-guide.md", lines);
  for (const fs::directory_entry& entry : fs::recursive_directory_iterator(root / "examples"))
    if (entry.path().extension() == ".qd") AddFile(entry.path(), lines);
  return lines;
}

// What a line means: its command (none for a comment) with the options as a
// set, since a line may repeat them or write them in any order.
struct Meaning {
  bool hasCommand = false;
  int kind = 0;
  std::vector<std::string> args;
  std::set<int32_t> options;
  bool operator==(const Meaning&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Meaning& m) {
  out << (m.hasCommand ? "kind " + std::to_string(m.kind) : "no command") << " args";
  for (const std::string& arg : m.args) out << " [" << arg << "]";
  out << " options";
  for (int32_t option : m.options) out << ' ' << option;
  return out;
}

// The meaning of a line that parses alone; nothing when it does not.
std::optional<Meaning> MeaningOf(const std::string& line) {
  try {
    TTextStream input(line + "\r\n");
    const TScript parsed = TTarvYacc().Parse(input, "COMMAND");
    if (parsed.size() > 1) return std::nullopt;
    Meaning meaning;
    if (parsed.size() == 0) return meaning;
    meaning.hasCommand = true;
    meaning.kind = parsed[0].Kind;
    for (std::string_view arg : parsed[0].Args) meaning.args.emplace_back(arg);
    meaning.options.insert(parsed[0].Options.begin(), parsed[0].Options.end());
    return meaning;
  } catch (const std::exception&) {
    return std::nullopt;
  }
}

// The commands the grammar lets carry no option at all.
bool TakesNoOptions(int kind) {
  static const std::set<int> kinds = {_SET, _PLIST, _WAITALL, _WLIST, _DO, _IF};
  return kinds.count(kind) > 0;
}

// A new argument field for each kind that has one, and the arguments it gives.
struct NewArguments {
  std::string field;
  std::vector<std::string> args;
};
std::optional<NewArguments> NewArgumentsFor(int kind) {
  static const NewArguments restOfLine{"say \"hi\" to Ann}", {"say \"hi\" to Ann}"}};
  static const std::map<int, NewArguments> table = {
      {0, {"\"a b\" c-d /x", {"\"a b\"", "c - d", "/x"}}},
      {_AT, {"\"my notes.qd\" two", {"\"my notes.qd\"", "two"}}},
      {_SET, {"name = \"v w\" & x", {"name", "\"v w\" & x"}}},
      {_SLEEP, {"2", {"2"}}},
  };
  if (auto found = table.find(kind); found != table.end()) return found->second;
  const int slot = KeywordSlotOfToken(kind);
  if (kind != 0 && slot > 0 && KeywordRecord(slot).takesRestOfLine) return restOfLine;
  return std::nullopt;
}

void CheckOnly(FakeCommandDialog& d, TOptionControl radio) {
  for (TOptionControl c : {TOptionControl::NormalOpt, TOptionControl::HideOpt, TOptionControl::MinOpt,
                           TOptionControl::MaxOpt, TOptionControl::MinNoActOpt})
    d.SetChecked(c, c == radio);
}

// One change of one field, and what it does to the meaning the fields show.
struct Change {
  std::string name;
  std::function<bool(const Meaning&)> applies;
  std::function<void(FakeCommandDialog&, const Meaning&)> make;
  std::function<void(Meaning&)> expect;  // besides the options, read from the controls
};

const std::vector<Change>& Changes() {
  auto toggle = [](TOptionControl c) {
    return [c](FakeCommandDialog& d, const Meaning&) { d.SetChecked(c, !d.Checked(c)); };
  };
  auto any = [](const Meaning& m) { return m.hasCommand; };
  auto same = [](Meaning&) {};
  static const std::vector<Change> changes = {
      {"warn toggled", any, toggle(TOptionControl::WarnOpt), same},
      {"ignore toggled", any, toggle(TOptionControl::IgnoreOpt), same},
      {"wait toggled", any, toggle(TOptionControl::WaitOpt), same},
      {"maximized", any, [](FakeCommandDialog& d, const Meaning&) { CheckOnly(d, TOptionControl::MaxOpt); },
       same},
      {"normal", any, [](FakeCommandDialog& d, const Meaning&) { CheckOnly(d, TOptionControl::NormalOpt); },
       same},
      {"arguments replaced",
       [](const Meaning& m) { return m.hasCommand && NewArgumentsFor(m.kind).has_value(); },
       [](FakeCommandDialog& d, const Meaning& m) { d.args = NewArgumentsFor(m.kind)->field; },
       [](Meaning& m) {
         const std::vector<std::string> args = NewArgumentsFor(m.kind)->args;
         m.args.resize(1);
         m.args.insert(m.args.end(), args.begin(), args.end());
       }},
      {"program replaced", [](const Meaning& m) { return m.hasCommand && m.kind == 0; },
       [](FakeCommandDialog& d, const Meaning&) { d.prog = "C:\\My Tools\\x.exe"; },
       [](Meaning& m) { m.args[0] = "\"C:\\My Tools\\x.exe\""; }},
  };
  return changes;
}

class DialogRoundTripTest : public ::testing::Test {
 protected:
  void SetUp() override { ResetRunState(); }

  RecordingUI ui;
};

TEST_F(DialogRoundTripTest, EveryShippedLineSurvivesTheDialogUnchangedAndChanged) {
  std::map<std::string, int> kept;  // per source folder
  int changesChecked = 0, refusals = 0;
  for (const SourceLine& source : ShippedLines()) {
    if (TrimBlanks(source.text).empty() || source.text.size() > kLongestParsedLine) continue;
    const std::optional<Meaning> original = MeaningOf(source.text);
    if (!original) continue;
    ++kept[fs::path(source.where).parent_path().filename().string()];
    SCOPED_TRACE(source.where + ": " + source.text);

    // Unchanged: the same bytes; and the fields themselves mean the line.
    FakeEditorDialogs dialogs;
    dialogs.commandUser = PressOk;
    TTarvCmdEdit record;
    record.LoadFromLine(source.text);
    ASSERT_TRUE(record.EditInDialog(dialogs));
    EXPECT_EQ(record.RebuiltLine(), source.text);
    const FakeCommandDialog& shown = dialogs.closedDialogs.back();
    const TOptionList shownOptions = OptionsWritten(shown.prog, OptionsOfControls(shown));
    Meaning fromFields = *original;
    fromFields.options = {shownOptions.begin(), shownOptions.end()};
    if (original->hasCommand) {
      EXPECT_EQ(MeaningOf(BuildCommandLine(shown.prog, OptionsOfControls(shown), shown.args)), fromFields);
    }

    for (const Change& change : Changes()) {
      if (!change.applies(*original)) continue;
      SCOPED_TRACE(change.name);
      ++changesChecked;
      const size_t reportsBefore = ui.infoDialogs.size();
      FakeEditorDialogs changing;
      Meaning expected = *original;
      changing.commandUser = [&](FakeCommandDialog& d, ICommandDialogEvents& e) {
        change.make(d, *original);
        e.ProgChange();
        change.expect(expected);
        const TOptionList written = OptionsWritten(d.prog, OptionsOfControls(d));
        expected.options = {written.begin(), written.end()};
        return e.btnOkClick();
      };
      TTarvCmdEdit edited;
      edited.LoadFromLine(source.text);
      if (!edited.EditInDialog(changing)) {
        // Only an option the command cannot carry may be refused, with the report.
        ++refusals;
        EXPECT_TRUE(TakesNoOptions(original->kind) && !expected.options.empty());
        EXPECT_EQ(ui.infoDialogs.size(), reportsBefore + 1);
        continue;
      }
      EXPECT_EQ(MeaningOf(edited.RebuiltLine()), expected) << edited.RebuiltLine();
      EXPECT_EQ(ui.infoDialogs.size(), reportsBefore);
    }
  }
  // Every source gave lines, so the property cannot hold for want of them.
  EXPECT_GE(kept["cases"], 100);
  EXPECT_GE(kept["docs"], 20);
  EXPECT_GE(kept["linux"] + kept["windows"], 10);
  EXPECT_GE(changesChecked, 500);
  EXPECT_GT(refusals, 0);
  std::cout << "lines kept: cases " << kept["cases"] << ", guide " << kept["docs"] << ", examples "
            << kept["linux"] + kept["windows"] << "; changed dialogs " << changesChecked << " (" << refusals
            << " refused)\n";
}

}  // namespace
