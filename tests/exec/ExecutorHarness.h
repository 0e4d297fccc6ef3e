// Runs command texts through the real parser and executor against fake
// system services and a recording user interface, from a fresh run state.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "exec/ScriptRunner.h"
#include "test_support/FakeSystem.h"
#include "test_support/RecordingUI.h"
#include "test_support/TempDir.h"
#include "util/Environment.h"
#include "util/TarvCommon.h"

class ExecutorTest : public ::testing::Test {
 protected:
  void SetUp() override { ResetRunState(); }
  void TearDown() override { ResetRunState(); }

  /// Runs the text; returns the script error's message, or "" when none.
  std::string Run(const std::string& text) {
    try {
      RunCommandText(text);
    } catch (const EScriptError& error) {
      return error.what();
    }
    return "";
  }

  /// Runs the lines as a command file would be run (source name not "ARGS").
  std::string RunFile(const std::string& lines) {
    std::string path = dir.Write("job.qd", lines);
    return Run("@\"" + path + "\"");
  }

  std::string Log() const { return RunState().RunLog.Text(); }

  static std::string Report(const std::string& command, const std::string& error) {
    return "ERROR: The following command: \r\n" + command + "\r\nFailed with the following error(s):\r\n" +
           error;
  }

  /// The report of a failure inside the file that RunFile ran.
  std::string FileReport(const std::string& inner) const {
    return Report("@ \"" + dir.Path("job.qd") + "\"", inner);
  }

  RecordingUI ui;
  FakeSystem sys;
  TempDir dir;
};
