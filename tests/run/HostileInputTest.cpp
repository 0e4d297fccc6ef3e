// Deep, huge and hostile command files, and runs long enough to show that
// memory stays flat. Every one must end in a clear message that names what
// went wrong and where, or in a normal run; never in a crash, a hang or a
// silent loss of what the user wrote. The inputs are generated here because
// they are too big (or too binary) to keep as end-to-end case files.
//
// Runs are dry runs with the debug log on (nothing starts, the run log shows
// what would have run) or real runs against the fake system services.

#include <gtest/gtest.h>

#if defined(__GLIBC__)
#include <malloc.h>
#endif

#include <algorithm>
#include <cstdint>
#include <string>

#include "exec/ScriptRunner.h"
#include "test_support/FakeSystem.h"
#include "test_support/RecordingUI.h"
#include "test_support/TempDir.h"
#include "util/Environment.h"
#include "util/TarvCommon.h"

namespace {

std::string Repeat(const std::string& text, size_t times) {
  std::string result;
  result.reserve(text.size() * times);
  for (size_t i = 0; i < times; ++i) result += text;
  return result;
}

size_t Count(const std::string& text, const std::string& part) {
  size_t count = 0;
  for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + part.size())) ++count;
  return count;
}

class HostileInput : public ::testing::Test {
 protected:
  void SetUp() override { ResetRunState(); }
  void TearDown() override { ResetRunState(); }

  void DryRunWithLog() {
    RunState().ExecEnabled = false;
    RunState().DebugLog = true;
  }

  // Runs the file and returns the message of the script error ("" if none).
  std::string RunFile(const std::string& path) {
    try {
      RunCommandFile(path);
    } catch (const EScriptError& error) {
      return error.what();
    }
    return "";
  }
  std::string RunText(const std::string& text) {
    try {
      RunCommandText(text);
    } catch (const EScriptError& error) {
      return error.what();
    }
    return "";
  }
  std::string Log() const { return RunState().RunLog.Text(); }
  std::string ParseReport() const { return ui.infoDialogs.empty() ? "" : ui.infoDialogs.back(); }

  FakeSystem sys;
  RecordingUI ui;
  TempDir dir;
};

// ---- Depth -------------------------------------------------------------------

TEST_F(HostileInput, BlocksNestedBeyondTheParserStackAreAPositionedStackOverflow) {
  std::string path =
      dir.Write("deep.qd", Repeat("/if 1 eq 1 {\n", 3000) + "/pause deep\n" + Repeat("}\n", 3000));
  EXPECT_EQ(RunFile(path), "parse error");
  EXPECT_NE(ParseReport().find("yyparse stack overflow at"), std::string::npos) << ParseReport();
  EXPECT_NE(ParseReport().find(" in file \"" + path + "\""), std::string::npos) << ParseReport();
  EXPECT_TRUE(sys.launcher.starts.empty());
}

TEST_F(HostileInput, BlocksNestedSixHundredDeepRunTheirInnermostCommand) {
  std::string path = dir.Write(
      "deep.qd", Repeat("/if 1 eq 1 {\n", 600) + "/set TARV_HOSTILE_DEEP = reached\n" + Repeat("}\n", 600));
  EXPECT_EQ(RunFile(path), "");
  EXPECT_EQ(GetEnvVar("TARV_HOSTILE_DEEP").value, "reached");
}

TEST_F(HostileInput, AFailureSixHundredBlocksDeepReportsEveryBlockOnce) {
  std::string path =
      dir.Write("deep.qd", Repeat("/if 1 eq 1 {\n", 600) + "/activate No such window\n" + Repeat("}\n", 600));
  std::string message = RunFile(path);
  EXPECT_EQ(Count(message, "/if 1 EQ 1\r\n"), 600u);
  EXPECT_TRUE(message.ends_with("/activate could not find \"No such window\" window"))
      << message.substr(0, 200);
}

TEST_F(HostileInput, ACommandFileThatRunsItselfStopsAtTheNestingLimitWithAShortReport) {
  std::string path = dir.Path("self.qd");
  dir.Write("self.qd", "@ \"" + path + "\"\n");
  std::string message = RunFile(path);
  EXPECT_TRUE(message.ends_with("Command files nested more than 100 deep: " + path))
      << message.substr(0, 200);
  // One report per nested @ command: about a hundred lines of four, not more.
  EXPECT_EQ(Count(message, "ERROR: The following command: "), 100u);
  EXPECT_LT(message.size(), 100 * (path.size() + 100));
  EXPECT_EQ(ui.title, "Tarv32");
}

TEST_F(HostileInput, BlocksAndCommandFilesNestedTogetherStopAtTheRunDepthLimit) {
  // Each file allows 600 blocks and files nest 100 deep: together far more
  // than the stack holds.
  std::string path = dir.Path("deepself.qd");
  dir.Write("deepself.qd", Repeat("/if 1 eq 1 {\n", 600) + "@ \"" + path + "\"\n" + Repeat("}\n", 600));
  std::string message = RunFile(path);
  EXPECT_TRUE(message.ends_with("Blocks and command files nested more than 1000 deep"))
      << message.substr(0, 200);
}

TEST_F(HostileInput, BlocksNestedInSeveralCommandFilesRunWithinTheRunDepthLimit) {
  std::string inner = dir.Write(
      "inner.qd", Repeat("/if 1 eq 1 {\n", 400) + "/set TARV_HOSTILE_INNER = reached\n" + Repeat("}\n", 400));
  std::string outer =
      dir.Write("outer.qd", Repeat("/if 1 eq 1 {\n", 400) + "@ \"" + inner + "\"\n" + Repeat("}\n", 400));
  EXPECT_EQ(RunFile(outer), "");
  EXPECT_EQ(GetEnvVar("TARV_HOSTILE_INNER").value, "reached");
}

// ---- Size ----------------------------------------------------------------------

TEST_F(HostileInput, ALineOfAHundredThousandCharactersInOneTokenIsAPositionedLexerError) {
  std::string path = dir.Write("long.qd", "/pause ok\n/pause " + std::string(100000, 'x') + "\n");
  std::string message = RunFile(path);
  EXPECT_EQ(message.rfind("LexLib: yytext overflow at line 2, column ", 0), 0u) << message;
  EXPECT_TRUE(message.ends_with(" in \"" + path + "\"")) << message;
  std::string comment = dir.Write("comment.qd", "# " + std::string(100000, 'c') + "\n");
  EXPECT_EQ(RunFile(comment), "LexLib: yytext overflow at line 1, column 256 in \"" + comment + "\"");
  // Longer lines are refused before they are held whole; a long token is
  // quoted in a parse report by its start only.
  std::string huge = dir.Write("huge.qd", "/pause ok\n/pause " + std::string(3 << 20, 'x'));
  EXPECT_EQ(RunFile(huge), "Command file \"" + huge +
                               "\" has a line longer than 1048576 bytes at line 2: it is not a script");
  EXPECT_EQ(RunText("/pause \"" + std::string(10000, 'q') + "\""), "parse error");
  EXPECT_NE(ParseReport().find(" at \"" + std::string(199, 'q') + "... (cut; 10002 characters in all)"),
            std::string::npos)
      << ParseReport().substr(0, 400);
}

TEST_F(HostileInput, ALineOfAHundredThousandCharactersInShortWordsIsKeptWhole) {
  DryRunWithLog();
  std::string line = "prog" + Repeat(" ab", 33333);
  std::string path = dir.Write("long.qd", line + "\n/pause after\n");
  EXPECT_EQ(RunFile(path), "");
  EXPECT_EQ(Log(), line + "\r\n/pause after\r\n");
}

TEST_F(HostileInput, ATenMegabyteCommandFileRunsEveryLine) {
  DryRunWithLog();
  std::string body;
  size_t lines = 0;
  while (body.size() < 10 * 1024 * 1024) body += "/pause line " + std::to_string(++lines) + "\n";
  std::string path = dir.Write("big.qd", body);
  EXPECT_EQ(RunFile(path), "");
  EXPECT_EQ(Count(Log(), "\r\n"), lines);
  EXPECT_TRUE(Log().ends_with("/pause line " + std::to_string(lines) + "\r\n"));
}

TEST_F(HostileInput, AnEmptyCommandFileRunsNothingAndSaysNothing) {
  EXPECT_EQ(RunFile(dir.Write("empty.qd", "")), "");
  EXPECT_TRUE(ui.boxes.empty());
  EXPECT_TRUE(ui.infoDialogs.empty());
  EXPECT_EQ(Log(), "");
}

// ---- Bytes -----------------------------------------------------------------------

TEST_F(HostileInput, ANulByteAnywhereInACommandFileIsRefusedWithItsPosition) {
  DryRunWithLog();
  struct {
    std::string bytes;
    const char* where;
  } cases[] = {
      {std::string("\0/pause a\n", 10), "line 1, column 1"},
      {std::string("/pause a\n/pause b\0c\n", 20), "line 2, column 9"},
      {std::string("/pause a\n\0/pause never said\n", 27), "line 2, column 1"},
      {std::string("/\0p\0a\0u\0s\0e\0", 12), "line 1, column 2"},  // UTF-16
      // Far into a large file, and at the start of a read block.
      {Repeat("/pause a\n", 20000) + "/pause " + std::string(1, '\0'), "line 20001, column 8"},
      {Repeat("/pause\n", 65536 / 7) + "/paus" + std::string(1, '\0'), "line 9363, column 6"},
  };
  for (const auto& c : cases) {
    std::string path = dir.Write("nul.qd", c.bytes);
    EXPECT_EQ(RunFile(path), "Command file \"" + path + "\" holds a NUL character at " + c.where +
                                 ": it is not a plain text file");
    EXPECT_EQ(Log(), "") << "nothing of a refused file runs";
  }
}

// ---- Files that cannot be read -----------------------------------------------------

TEST_F(HostileInput, ACommandFileThatIsADirectoryCannotBeOpened) {
  EXPECT_EQ(RunFile(dir.Root()),
            "Error occurred while opening " + dir.Root() + ":\r\nERROR 21: Is a directory\r\n");
}

TEST_F(HostileInput, ACommandFileBehindAPlainFileOrMissingCannotBeOpened) {
  std::string file = dir.Write("plain.qd", "/pause x\n");
  EXPECT_EQ(RunFile(file + "/inner.qd"),
            "Error occurred while opening " + file + "/inner.qd:\r\nERROR 20: Not a directory\r\n");
  EXPECT_EQ(RunFile(dir.Path("missing.qd")), "Error occurred while opening " + dir.Path("missing.qd") +
                                                 ":\r\nERROR 2: No such file or directory\r\n");
}

TEST_F(HostileInput, ACommandFileWhoseReadFailsAfterOpeningIsReported) {
  // Opening succeeds, reading the first byte fails with an I/O error.
  std::string message = RunFile("/proc/self/mem");
  EXPECT_EQ(message, "Error occurred while opening /proc/self/mem:\r\nERROR 5: Input/output error\r\n");
}

// ---- Expressions and environment values ---------------------------------------------

TEST_F(HostileInput, AnExpressionWithFiveThousandOperatorsIsAPositionedStackOverflow) {
  std::string sum = "1" + Repeat("+1", 5000);
  EXPECT_EQ(RunText("/if " + sum + " eq 5001 {\r\n/set TARV_HOSTILE_SUM = yes\r\n}"), "parse error");
  EXPECT_NE(ParseReport().find("yyparse stack overflow at "), std::string::npos) << ParseReport();
  EXPECT_NE(ParseReport().find("Line 1 Col "), std::string::npos) << ParseReport();
  EXPECT_EQ(GetEnvVar("TARV_HOSTILE_SUM").status, TEnvStatus::NotFound);
}

TEST_F(HostileInput, AnExpressionAsLongAsAValueMayBeIsEvaluated) {
  // The command keeps the words blank-separated: "1 + 1 ... + 1" is 237 characters.
  EXPECT_EQ(RunText("/set TARV_HOSTILE_SUM = 1" + Repeat("+1", 59)), "");
  EXPECT_EQ(GetEnvVar("TARV_HOSTILE_SUM").value, "60");
}

TEST_F(HostileInput, AnExpressionLongerThanAValueMayBeIsAParseErrorNotAShorterSum) {
  // 101 terms are 201 characters in the file and 401 as a value ("1 + 1 ..."):
  // cut to 255, it would sum 64 terms without a word.
  EXPECT_EQ(RunText("/set TARV_HOSTILE_CUT = 1" + Repeat("+1", 100)), "parse error");
  EXPECT_NE(ParseReport().find("value longer than 255 characters"), std::string::npos) << ParseReport();
  EXPECT_NE(ParseReport().find("Line 1 Col "), std::string::npos) << ParseReport();
  EXPECT_EQ(GetEnvVar("TARV_HOSTILE_CUT").status, TEnvStatus::NotFound);
}

TEST_F(HostileInput, EnvironmentValuesOfTenThousandCharactersStopTheRunUncut) {
  std::string big(10000, 'b');
  ASSERT_TRUE(SetEnvVar("TARV_HOSTILE_BIG", big));
  EXPECT_NE(RunText("/set TARV_HOSTILE_COPY = env(TARV_HOSTILE_BIG)").find("the value has 10000 bytes"),
            std::string::npos);
  EXPECT_EQ(GetEnvVar("TARV_HOSTILE_COPY").status, TEnvStatus::NotFound);
  EXPECT_EQ(GetEnvVar("TARV_HOSTILE_BIG").value, big) << "reading never changes the variable";
}

TEST_F(HostileInput, SettingAValueOfTenThousandCharactersFailsInsteadOfCuttingIt) {
  EXPECT_EQ(RunText("/set TARV_HOSTILE_LONG = \"" + std::string(10000, 'v') + "\""), "parse error");
  EXPECT_NE(ParseReport().find("value longer than 255 characters"), std::string::npos);
  EXPECT_EQ(GetEnvVar("TARV_HOSTILE_LONG").status, TEnvStatus::NotFound);
  std::string unquoted = RunText("/set TARV_HOSTILE_LONG = " + std::string(10000, 'v'));
  EXPECT_EQ(unquoted.rfind("LexLib: yytext overflow at line 1, column ", 0), 0u) << unquoted;
  EXPECT_EQ(GetEnvVar("TARV_HOSTILE_LONG").status, TEnvStatus::NotFound);
}

// ---- Memory over long runs ------------------------------------------------------------

#if defined(__SANITIZE_ADDRESS__)
#define TARV_HEAP_IS_MEASURABLE 0
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define TARV_HEAP_IS_MEASURABLE 0
#endif
#endif
#if !defined(TARV_HEAP_IS_MEASURABLE) && defined(__GLIBC__)
#define TARV_HEAP_IS_MEASURABLE 1
#endif

size_t HeapInUse() {
#if TARV_HEAP_IS_MEASURABLE
  return mallinfo2().uordblks;
#else
  return 0;
#endif
}

// A user interface that keeps nothing (the recording one keeps every title).
class TForgetfulUI : public IUserInterface {
 public:
  void ShowBox(TBoxKind, std::string_view) override {}
  bool AskYesNo(std::string_view, bool) override { return false; }
  void ShowInfoDialog(std::string_view) override {}
  std::string AppTitle() const override { return title_; }
  void SetAppTitle(std::string_view title) override { title_ = title; }

 private:
  std::string title_ = "Tarv32";
};

class Soak : public HostileInput {
 protected:
  void SetUp() override {
    HostileInput::SetUp();
    if (!TARV_HEAP_IS_MEASURABLE)
      GTEST_SKIP() << "the heap is measured with glibc's mallinfo2, without sanitizers";
    previous_ = SetUserInterface(&quiet_);
  }
  void TearDown() override {
    if (previous_ != nullptr) SetUserInterface(previous_);
    HostileInput::TearDown();
  }

 private:
  TForgetfulUI quiet_;
  IUserInterface* previous_ = nullptr;
};

TEST_F(Soak, SettingOneVariableOverAndOverKeepsTheHeapFlat) {
  SetEnvVar("TARV_SOAK", "0");
  size_t before = HeapInUse();
  for (int i = 0; i < 200000; ++i) SetEnvVar("TARV_SOAK", std::to_string(i));
  EXPECT_LT(HeapInUse(), before + 4096);
  EXPECT_EQ(GetEnvVar("TARV_SOAK").value, "199999");
}

TEST_F(Soak, ALoopOfTwentyThousandPassesUsesNoMoreHeapThanOneOfTwoThousand) {
  auto loop = [this](int passes) {
    SetEnvVar("TARV_SOAK", "0");
    SetEnvVar("TARV_SOAK_LIMIT", std::to_string(passes));
    size_t before = HeapInUse();
    EXPECT_EQ(RunText("/do {\r\n/set TARV_SOAK = env(TARV_SOAK) + 1\r\n} /while env(TARV_SOAK) ne "
                      "env(TARV_SOAK_LIMIT)"),
              "");
    EXPECT_EQ(GetEnvVar("TARV_SOAK").value, std::to_string(passes));
    return HeapInUse() - std::min(HeapInUse(), before);
  };
  loop(2000);  // first use of every table and buffer
  size_t shortRun = loop(2000);
  size_t longRun = loop(20000);
  EXPECT_LT(longRun, shortRun + 4096);
}

}  // namespace
