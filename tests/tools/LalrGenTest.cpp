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

// `arguments` name files in `dir`; the grammar is written to test.grammar.
TRun RunGenerator(const TempDir& dir, const std::string& grammar, const std::string& arguments) {
  dir.Write("test.grammar", GrammarFile(grammar));
  std::string command = std::string(LALRGEN_PATH) + " " + arguments + " 2>" + dir.Path("stderr");
  int status = std::system(("cd " + dir.Root() + " && " + command).c_str());
  return {WEXITSTATUS(status), dir.Read("stderr")};
}

TRun RunGenerator(const std::string& grammar) {
  TempDir dir;
  return RunGenerator(dir, grammar, "test.grammar tables.cpp");
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

// The value the generated header gives `name` ("  name = value,"), or -1.
int HeaderValue(const std::string& header, const std::string& name) {
  size_t at = header.find("\n  " + name + " = ");
  return at == std::string::npos ? -1 : std::atoi(header.c_str() + at + name.size() + 6);
}

TEST(LalrGen, HeaderNamesTheRulesByTheirLabelsWhereverTheAlternativesStand) {
  const std::string declarations =
      "%tokenenum Sample::TSampleToken\n%ruleenum TSampleRule\n%token NUM 257 ID 258\n%%\n";
  const std::string written = "e : e '+' t {Sum} | t {Term} ;\nt : NUM {Number} | ID {Name} ;\n";
  const std::string reordered = "e : t {Term} | e '+' t {Sum} ;\nt : ID {Name} | NUM {Number} ;\n";
  for (const std::string& rules : {written, reordered}) {
    SCOPED_TRACE(rules);
    TempDir dir;
    TRun run = RunGenerator(dir, declarations + rules, "test.grammar tables.cpp names.h");
    ASSERT_EQ(run.status, 0) << run.errors;
    std::string header = dir.Read("names.h");
    EXPECT_NE(header.find("namespace Sample {\nenum TSampleToken : int {\n  NUM = 257,\n  ID = 258,\n};\n"),
              std::string::npos)
        << header;
    EXPECT_NE(header.find("enum class TSampleRule : int {"), std::string::npos) << header;
    // The parser reduces a shifted NUM by rule Number and an ID by rule Name.
    TBuilt g = Build(declarations + rules);
    EXPECT_EQ(g.automaton.defaults[g.ActionOn(0, 257)], -HeaderValue(header, "Number"));
    EXPECT_EQ(g.automaton.defaults[g.ActionOn(0, 258)], -HeaderValue(header, "Name"));
    EXPECT_EQ(g.grammar.RuleText(HeaderValue(header, "Sum")), "e : e '+' t");

    // A renamed label changes the header alone; the currency check sees it.
    std::string renamed = rules;
    renamed.replace(renamed.find("{Name}"), 6, "{Identifier}");
    TRun check = RunGenerator(dir, declarations + renamed, "--check test.grammar tables.cpp names.h");
    EXPECT_EQ(check.status, 1);
    EXPECT_EQ(check.errors.find("tables.cpp"), std::string::npos) << check.errors;
    EXPECT_NE(check.errors.find("\"names.h\" differs from what \"test.grammar\" gives"), std::string::npos)
        << check.errors;
  }
  TRun unlabelled = RunGenerator(declarations + "e : e '+' NUM {Sum} | NUM ;\n");
  EXPECT_EQ(unlabelled.status, 1);
  EXPECT_NE(unlabelled.errors.find("test.grammar:6: rule 2 (e : NUM) has no label"), std::string::npos)
      << unlabelled.errors;
}

}  // namespace
