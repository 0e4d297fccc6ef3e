#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <fstream>
#include <iterator>

#include "Grammar.h"
#include "Lalr.h"
#include "test_support/TempDir.h"

namespace {

using namespace lalrgen;

struct TBuilt {
  TGrammar grammar;
  TAutomaton automaton;

  // The state whose kernel holds `item` (rule number left off).
  int StateWith(const std::string& item) const {
    for (int s = 0; s < automaton.StateCount(); ++s)
      for (const auto& kernel : automaton.kernels[s])
        if (kernel.rfind(item + "  (", 0) == 0) return s;
    ADD_FAILURE() << "no state holds " << item;
    return 0;
  }
  // The action on `token` in `state`: > 0 shift, < 0 reduce, 0 accept, and
  // kNone where the token is an error there. A default reduction answers
  // for every token.
  static constexpr int kNone = 1 << 20;
  int ActionOn(int state, int token) const {
    for (const TAction& action : automaton.actions[state])
      if (action.symbol == token) return action.action;
    return automaton.defaults[state] != 0 ? automaton.defaults[state] : kNone;
  }
};

// Every grammar names its table object; the tests leave that line out.
std::string GrammarFile(const std::string& text) { return "%tables kTestTables\n" + text; }

TBuilt Build(const std::string& text) {
  TBuilt built{ReadGrammar(GrammarFile(text), "test.grammar"), {}};
  built.automaton = BuildLalr(built.grammar);
  return built;
}

TEST(LalrGen, LookAheadsAreLalrOneWhereSlrWouldConflict) {
  // The classic assignment grammar: '=' follows r somewhere, so an SLR
  // table reduces r : l on '=' too and conflicts with the shift; LALR(1)
  // look-aheads know that after an l at the start only '=' is shifted.
  TBuilt g = Build(
      "%token ID 257\n%start s\n%%\n"
      "s : l '=' r | r ;\n"
      "l : '*' r | ID ;\n"
      "r : l ;\n");
  EXPECT_TRUE(g.automaton.conflicts.empty()) << g.automaton.conflicts.front();
  int state = g.StateWith("s : l . '=' r");
  EXPECT_GT(g.ActionOn(state, '='), 0);
  EXPECT_EQ(g.ActionOn(state, kEndToken), -5);  // r : l
  for (const TAction& action : g.automaton.actions[state])
    EXPECT_FALSE(action.symbol == '=' && action.action < 0);
}

TEST(LalrGen, PrecedenceAndAssociativitySettleOperatorConflicts) {
  TBuilt g = Build(
      "%token NUM 257\n%left '+'\n%left '*'\n%right '^'\n%%\n"
      "e : e '+' e | e '*' e | e '^' e | NUM ;\n");
  EXPECT_TRUE(g.automaton.conflicts.empty()) << g.automaton.conflicts.front();
  int sum = g.StateWith("e : e '+' e .");
  EXPECT_EQ(g.ActionOn(sum, '+'), -1);  // left: reduce
  EXPECT_GT(g.ActionOn(sum, '*'), 0);   // tighter: shift
  int product = g.StateWith("e : e '*' e .");
  EXPECT_EQ(g.ActionOn(product, '+'), -2);
  EXPECT_EQ(g.ActionOn(product, '*'), -2);
  int power = g.StateWith("e : e '^' e .");
  EXPECT_GT(g.ActionOn(power, '^'), 0);  // right: shift
  EXPECT_EQ(g.ActionOn(power, '*'), -3);
}

TEST(LalrGen, TheErrorTokenIsShiftedLikeAnyOther) {
  TBuilt g = Build(
      "%token ID 257\n%%\n"
      "list : | list stmt ;\n"
      "stmt : ID ';' | error ';' ;\n");
  int afterList = g.StateWith("list : list . stmt");
  int afterError = g.ActionOn(afterList, kErrorToken);
  ASSERT_GT(afterError, 0);
  EXPECT_GT(g.ActionOn(afterError, ';'), 0);
  EXPECT_EQ(g.ActionOn(afterError, 257), TBuilt::kNone);  // only ';' ends the bad statement
}

// Runs the generator on a grammar text; its exit status and standard error.
struct TRun {
  int status;
  std::string errors;
};

TRun RunGenerator(const std::string& grammar) {
  TempDir dir;
  std::string in = dir.Path("test.grammar"), out = dir.Path("tables.cpp"), err = dir.Path("stderr");
  dir.Write("test.grammar", GrammarFile(grammar));
  int status = std::system((std::string(LALRGEN_PATH) + " " + in + " " + out + " 2>" + err).c_str());
  std::ifstream errors(err);
  return {WEXITSTATUS(status), std::string(std::istreambuf_iterator<char>(errors), {})};
}

TEST(LalrGen, ExpectAcceptsTheDeclaredConflictsAndRefusesAnyOther) {
  const std::string danglingElse =
      "%token IF 257 ELSE 258 X 259\n%%\n"
      "s : IF s | IF s ELSE s | X ;\n";
  TBuilt g = Build(danglingElse);
  ASSERT_EQ(g.automaton.conflicts.size(), 1u);
  EXPECT_NE(g.automaton.conflicts[0].find("token ELSE: shift/reduce conflict, shift over rule 1"),
            std::string::npos);
  EXPECT_GT(g.ActionOn(g.StateWith("s : IF s ."), 258), 0);  // the else goes with the nearest if

  EXPECT_EQ(RunGenerator("%expect 1\n" + danglingElse).status, 0);
  TRun unexpected = RunGenerator("%expect 0\n" + danglingElse);
  EXPECT_EQ(unexpected.status, 1);
  EXPECT_NE(unexpected.errors.find("1 conflicts settled by default, but %expect says 0"), std::string::npos)
      << unexpected.errors;
}

}  // namespace
