// Expression evaluation: values, groupings, comparisons, arithmetic, the
// environment and exit-code functions, and every failure text.
#include <gtest/gtest.h>

#include <string>

#include "expr/TarvExpr.h"
#include "test_support/RecordingUI.h"
#include "util/Environment.h"
#include "util/TarvCommon.h"

namespace {

class TarvExprTest : public ::testing::Test {
 protected:
  void SetUp() override { ResetRunState(); }
  void TearDown() override { ResetRunState(); }

  /// The message of the error that evaluating text raises.
  template <class TError = EScriptError>
  std::string Failure(const std::string& text) {
    try {
      std::string value = EvaluateExpression(text);
      ADD_FAILURE() << "no error for: " << text << " (gave " << value << ")";
    } catch (const TError& error) {
      return error.what();
    }
    return {};
  }

  RecordingUI ui;
};

}  // namespace

TEST_F(TarvExprTest, QuotedStringAndWordGiveTheirText) {
  EXPECT_EQ(EvaluateExpression("\"a\""), "a");
  EXPECT_EQ(EvaluateExpression("a"), "a");
  EXPECT_EQ(EvaluateExpression("\"a b  c\""), "a b  c");
  EXPECT_EQ(EvaluateExpression("\"say \\\"hi\\\"\""), "say \"hi\"");
  EXPECT_EQ(EvaluateExpression("c:\\temp\\a.txt"), "c:\\temp\\a.txt");
  EXPECT_EQ(EvaluateExpression("007"), "007");
}

TEST_F(TarvExprTest, ArithmeticIsThirtyTwoBitInteger) {
  EXPECT_EQ(EvaluateExpression("1 + 2"), "3");
  EXPECT_EQ(EvaluateExpression("007 + 1"), "8");
  EXPECT_EQ(EvaluateExpression("7 - 10"), "-3");
  EXPECT_EQ(EvaluateExpression("\"-5\" + 1"), "-4");
  EXPECT_EQ(EvaluateExpression("\"$10\" + 16"), "32");
  EXPECT_EQ(EvaluateExpression("2147483647 - 1 + 1"), "2147483647");
}

TEST_F(TarvExprTest, OverflowFailsWithIntegerOverflow) {
  EXPECT_EQ(Failure<EIntOverflow>("2147483647 + 1"), "Integer overflow");
  EXPECT_EQ(Failure<EIntOverflow>("0 - 2147483647 - 2"), "Integer overflow");
}

TEST_F(TarvExprTest, NonNumericOperandFailsWithItsText) {
  EXPECT_EQ(Failure<EConvertError>("abc + 1"), "'abc' is not a valid integer value");
  EXPECT_EQ(Failure<EConvertError>("1 - \"\""), "'' is not a valid integer value");
  EXPECT_EQ(Failure<EConvertError>("2147483648 + 0"), "'2147483648' is not a valid integer value");
  // "$" is the only hexadecimal prefix, as in conditions.
  EXPECT_EQ(Failure<EConvertError>("\"0x1F\" + 1"), "'0x1F' is not a valid integer value");
}

TEST_F(TarvExprTest, ComparisonsAreByteWiseOnText) {
  EXPECT_EQ(EvaluateExpression("abc eq abc"), "1");
  EXPECT_EQ(EvaluateExpression("abc eq ABC"), "0");
  EXPECT_EQ(EvaluateExpression("abc ne ABC"), "1");
  EXPECT_EQ(EvaluateExpression("10 lt 9"), "1");
  EXPECT_EQ(EvaluateExpression("010 eq 10"), "0");
  EXPECT_EQ(EvaluateExpression("b gt abc"), "1");
  EXPECT_EQ(EvaluateExpression("\"\" lt a"), "1");
  EXPECT_EQ(EvaluateExpression("ab gt a"), "1");
  EXPECT_EQ(EvaluateExpression("\"\xE9\" gt z"), "1");  // bytes compare unsigned
  EXPECT_EQ(EvaluateExpression("a EQ a"), "1");
}

TEST_F(TarvExprTest, GroupingsOfOperators) {
  EXPECT_EQ(Failure<EIntOverflow>("2147483647 + 1 - 1"), "Integer overflow");  // (a + b) - c
  EXPECT_EQ(EvaluateExpression("x & 1 + 2"), "x3");                            // a & (b + c)
  EXPECT_EQ(EvaluateExpression("1 + 2 & 3"), "24");                            // a + (b & c)
  EXPECT_EQ(EvaluateExpression("ab eq a & b"), "1");                           // a eq (b & c)
  EXPECT_EQ(EvaluateExpression("a & b & c"), "abc");
}

TEST_F(TarvExprTest, SeveralPartsAreAppended) {
  EXPECT_EQ(EvaluateExpression("x y"), "xy");
  EXPECT_EQ(EvaluateExpression("x eq x y"), "1y");
  EXPECT_EQ(EvaluateExpression("a\nb\n"), "ab");
  EXPECT_EQ(EvaluateExpression("/* note */\nx"), "x");
}

TEST_F(TarvExprTest, ResultIsNotCutButValuesAre) {
  std::string part(200, 'p');
  EXPECT_EQ(EvaluateExpression(part + "&" + part), std::string(255, 'p'));
  EXPECT_EQ(EvaluateExpression(part + " " + part), part + part);
}

TEST_F(TarvExprTest, ErrorlevelGivesTheLastExitCodeUnsigned) {
  RunState().LastExitCode = 0;
  EXPECT_EQ(EvaluateExpression("errorlevel() eq 0"), "1");
  RunState().LastExitCode = 0xFFFFFFFFu;
  EXPECT_EQ(EvaluateExpression("errorlevel()"), "4294967295");
}

TEST_F(TarvExprTest, EnvReadsTheEnvironment) {
  ASSERT_TRUE(SetEnvVar("TARV_EXPR_TEST", "value 1"));
  EXPECT_EQ(EvaluateExpression("env(TARV_EXPR_TEST)"), "value 1");
  EXPECT_EQ(EvaluateExpression("ENV(\"TARV_EXPR_TEST\")"), "value 1");
  EXPECT_EQ(EvaluateExpression("env(TARV_EXPR_UNDEFINED_NAME)"), "");
}

TEST_F(TarvExprTest, AnEnvironmentValueLongerThanAValueFailsInsteadOfBeingCut) {
  std::string value(256, 'v');
  ASSERT_TRUE(SetEnvVar("TARV_EXPR_LONG", value));
  EXPECT_EQ(Failure("env(TARV_EXPR_LONG) & \";x\""),
            "env(TARV_EXPR_LONG): the value has 256 bytes, more than the 255 a value can hold");
  ASSERT_TRUE(SetEnvVar("TARV_EXPR_LONG", value.substr(0, 255)));
  EXPECT_EQ(EvaluateExpression("env(TARV_EXPR_LONG)"), value.substr(0, 255));
}

TEST_F(TarvExprTest, MissingOperandReportsStringExpected) {
  EXPECT_EQ(Failure(""), "Bad Expression: string expected at ");
  EXPECT_EQ(Failure("env()"), "Bad Expression: string expected at )");
  EXPECT_EQ(Failure("1 +"), "Bad Expression: string expected at \n");  // every line ends in a line feed
  EXPECT_EQ(Failure("& x"), "Bad Expression: string expected at &");
}

TEST_F(TarvExprTest, UnacceptedTokensReportSyntaxError) {
  EXPECT_EQ(Failure("(1 + 2)"), "Bad Expression: syntax error at (");
  EXPECT_EQ(Failure("errorlevel(1)"), "Bad Expression: syntax error at 1");
  EXPECT_EQ(Failure("a eq b eq c"), "Bad Expression: syntax error at eq");
  EXPECT_EQ(Failure("a\r"), "Bad Expression: syntax error at \r");
  EXPECT_EQ(Failure("env x"), "Bad Expression: syntax error at x");
}

TEST_F(TarvExprTest, DeepNestingReportsStackOverflow) {
  std::string text;
  for (int i = 0; i < 1100; ++i) text += "a&";
  EXPECT_EQ(Failure(text + "a").rfind("Bad Expression: yyparse stack overflow at ", 0), 0u);
}

TEST_F(TarvExprTest, UnterminatedStringShowsTheReportThenParseError) {
  EXPECT_EQ(Failure("x \"abc"), "parse error");
  ASSERT_EQ(ui.infoDialogs.size(), 1u);
  EXPECT_EQ(ui.infoDialogs[0],
            "Parse Output: \r\n\r\nParse Errors: \r\nunexpected EOF inside quoted string at line 1\r\n");
  EXPECT_EQ(Failure("x /* open"), "parse error");
  // Alone, the string gives no token at all, so the operand is missing.
  EXPECT_EQ(Failure("\"abc"), "Bad Expression: string expected at ");
}

TEST_F(TarvExprTest, TraceLinesAreShownWithoutFailingTheParse) {
  RunState().ParserTrace = true;
  EXPECT_EQ(EvaluateExpression("\"a\" & \"b\""), "ab");
  ASSERT_EQ(ui.infoDialogs.size(), 1u);
  EXPECT_NE(ui.infoDialogs[0].find("got QSTR (\"a\")"), std::string::npos);
  EXPECT_EQ(EvaluateExpression("a"), "a");  // nothing traced without a string
  EXPECT_EQ(ui.infoDialogs.size(), 1u);
  EXPECT_EQ(Failure("x \"abc"), "parse error");  // a real error still fails
}

// A text evaluated again (as a loop's condition is) reads env() and
// errorlevel() anew, fails the same way, and traces again once the trace is on.
TEST_F(TarvExprTest, AnExpressionEvaluatedAgainReadsItsInputsAnew) {
  const std::string sum = "env(TARV_EXPR_AGAIN) + 1 \"/\" errorlevel()";
  ASSERT_TRUE(SetEnvVar("TARV_EXPR_AGAIN", "41"));
  RunState().LastExitCode = 0;
  EXPECT_EQ(EvaluateExpression(sum), "42/0");
  ASSERT_TRUE(SetEnvVar("TARV_EXPR_AGAIN", "-8"));
  RunState().LastExitCode = 3;
  EXPECT_EQ(EvaluateExpression(sum), "-7/3");
  ASSERT_TRUE(SetEnvVar("TARV_EXPR_AGAIN", "x1"));
  EXPECT_EQ(Failure<EConvertError>(sum), "'x1' is not a valid integer value");
  EXPECT_EQ(Failure<EConvertError>(sum), "'x1' is not a valid integer value");
  ASSERT_TRUE(SetEnvVar("TARV_EXPR_AGAIN", "2147483647"));
  EXPECT_EQ(Failure<EIntOverflow>(sum), "Integer overflow");
  EXPECT_TRUE(ui.infoDialogs.empty());

  RunState().ParserTrace = true;
  ASSERT_TRUE(SetEnvVar("TARV_EXPR_AGAIN", "1"));
  EXPECT_EQ(EvaluateExpression(sum), "2/3");
  ASSERT_EQ(ui.infoDialogs.size(), 1u);
  EXPECT_NE(ui.infoDialogs[0].find("got QSTR (\"/\")"), std::string::npos);
}

TEST_F(TarvExprTest, ParseExpressionHandsTheResultToTheCaller) {
  TTextStream input("x & y");
  TTarvExpr evaluator;
  std::string result = "old";
  evaluator.ParseExpression(input, "EXPR", result);
  EXPECT_EQ(result, "xy");
}

TEST(ExprTextToInt, AcceptsTheStandardForms) {
  EXPECT_EQ(ExprTextToInt("  42"), 42);
  EXPECT_EQ(ExprTextToInt("-2147483648"), INT32_MIN);
  EXPECT_EQ(ExprTextToInt("$FFFFFFFF"), -1);
  EXPECT_THROW(ExprTextToInt("42 "), EConvertError);
  EXPECT_THROW(ExprTextToInt("4x"), EConvertError);
  EXPECT_THROW(ExprTextToInt("-"), EConvertError);
}

TEST(ExprTextToInt, RefusesSixteenDigitsBeyondTheRangeWithTheUsualMessage) {
  // Found by fuzzing: 16 hexadecimal digits overflowed the 64-bit accumulator.
  for (const char* text : {"$bbb88888888bbbbb", "$FFFFFFFFFFFFFFFF", "0x8000000000000000", "9999999999999999",
                           "$100000000", "-4294967296"}) {
    try {
      ExprTextToInt(text);
      ADD_FAILURE() << text << " was accepted";
    } catch (const EConvertError& error) {
      EXPECT_EQ(std::string(error.what()), "'" + std::string(text) + "' is not a valid integer value");
    }
  }
  EXPECT_EQ(ExprTextToInt("$0000000FFFFFFFF"), -1);
  EXPECT_EQ(ExprTextToInt("-$FFFFFFFF"), 1);
  EXPECT_EQ(ExprTextToInt("00000000000000001"), 1);  // leading zeros never count
  EXPECT_EQ(EvaluateExpression("00000000000000001 + 1"), "2");
}

TEST(TarvExpr, SumWithAnOverlongHexadecimalTextIsANamedConversionError) {
  RecordingUI ui;
  TTarvExpr evaluator;
  TTextStream input(R"(\ 0+"$bbb88888888bbbbb")");
  std::string result;
  try {
    evaluator.ParseExpression(input, "EXPR", result);
    ADD_FAILURE() << "accepted: " << result;
  } catch (const std::exception& error) {
    EXPECT_NE(std::string(error.what()).find("is not a valid integer value"), std::string::npos)
        << error.what();
  }
}
