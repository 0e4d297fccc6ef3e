#include "Lalr.h"

#include <algorithm>
#include <cstdint>
#include <map>
#include <set>

namespace lalrgen {
namespace {

// A set of token codes 0..n-1 plus one extra member, the dummy look-ahead
// "#" of the propagation method.
class TTokenSet {
 public:
  explicit TTokenSet(int size = 0) : bits_((size + 63) / 64, 0) {}
  void Add(int code) { bits_[code / 64] |= uint64_t{1} << (code % 64); }
  bool Has(int code) const { return (bits_[code / 64] >> (code % 64)) & 1; }
  /// Adds every member of other; true when something was new.
  bool Merge(const TTokenSet& other) {
    bool changed = false;
    for (size_t i = 0; i < bits_.size(); ++i) {
      uint64_t merged = bits_[i] | other.bits_[i];
      changed |= merged != bits_[i];
      bits_[i] = merged;
    }
    return changed;
  }
  template <class F>
  void ForEach(int size, F f) const {
    for (int code = 0; code < size; ++code)
      if (Has(code)) f(code);
  }

 private:
  std::vector<uint64_t> bits_;
};

struct TItem {
  int rule = 0;
  int dot = 0;
  auto operator<=>(const TItem&) const = default;
};

using TItemSets = std::map<TItem, TTokenSet>;

struct TLr0State {
  std::vector<TItem> kernel;                    // sorted
  std::vector<std::pair<int, int>> successors;  // symbol, target state, in numbering order
};

class TLalrBuilder {
 public:
  explicit TLalrBuilder(const TGrammar& grammar)
      : g_(grammar), setSize_(grammar.MaxTokenCode() + 2), dummy_(grammar.MaxTokenCode() + 1) {}

  TAutomaton Build() {
    IndexRules();
    ComputeFirstSets();
    BuildLr0States();
    ComputeLookaheads();
    TAutomaton automaton;
    for (size_t s = 0; s < states_.size(); ++s) AddStateTables(static_cast<int>(s), automaton);
    return automaton;
  }

 private:
  int SymbolAfterDot(const TItem& item) const {
    const auto& rhs = g_.rules[item.rule].rhs;
    return item.dot < static_cast<int>(rhs.size()) ? rhs[item.dot] : kNoSymbol;
  }
  bool IsComplete(const TItem& item) const { return SymbolAfterDot(item) == kNoSymbol; }
  static bool IsNonterminal(int symbol) { return symbol != kNoSymbol && symbol < 0; }
  int NtIndex(int symbol) const { return TGrammar::NonterminalIndex(symbol); }

  void IndexRules();
  void ComputeFirstSets();
  bool FirstOfRest(const std::vector<int>& rhs, size_t from, TTokenSet& first) const;
  void CloseLr1(TItemSets& items) const;
  std::vector<TItem> CloseLr0(const std::vector<TItem>& kernel) const;
  void BuildLr0States();
  int StateOfKernel(std::vector<TItem> kernel);
  int SuccessorOf(int state, int symbol) const;
  int KernelIndex(int state, const TItem& item) const;
  void ComputeLookaheads();
  void FindLookaheadSources(int state);
  void PropagateLookaheads();
  void AddStateTables(int state, TAutomaton& automaton);
  static bool SymbolOrder(int a, int b);
  std::string ItemText(const TItem& item) const;

  static constexpr int kNoSymbol = 1 << 30;

  const TGrammar& g_;
  int setSize_;
  int dummy_;
  std::vector<std::vector<int>> rulesOf_;  // by nonterminal index; last is $accept
  std::vector<TTokenSet> first_;
  std::vector<bool> nullable_;
  std::vector<TLr0State> states_;
  std::map<std::vector<TItem>, int> stateOfKernel_;
  std::vector<std::vector<TTokenSet>> lookaheads_;  // per state, per kernel item
  struct TLink {
    int fromState, fromItem, toState, toItem;
  };
  std::vector<TLink> links_;
};

void TLalrBuilder::IndexRules() {
  rulesOf_.resize(g_.nonterminals.size() + 1);
  for (size_t r = 0; r < g_.rules.size(); ++r)
    rulesOf_[NtIndex(g_.rules[r].lhs)].push_back(static_cast<int>(r));
}

void TLalrBuilder::ComputeFirstSets() {
  first_.assign(rulesOf_.size(), TTokenSet(setSize_));
  nullable_.assign(rulesOf_.size(), false);
  for (bool changed = true; changed;) {
    changed = false;
    for (const TRule& rule : g_.rules) {
      int lhs = NtIndex(rule.lhs);
      TTokenSet first(setSize_);
      bool nullable = FirstOfRest(rule.rhs, 0, first);
      changed |= first_[lhs].Merge(first);
      if (nullable && !nullable_[lhs]) nullable_[lhs] = changed = true;
    }
  }
}

// Adds FIRST(rhs[from..]) to first; true when that rest derives the empty text.
bool TLalrBuilder::FirstOfRest(const std::vector<int>& rhs, size_t from, TTokenSet& first) const {
  for (size_t i = from; i < rhs.size(); ++i) {
    if (!IsNonterminal(rhs[i])) {
      first.Add(rhs[i]);
      return false;
    }
    first.Merge(first_[NtIndex(rhs[i])]);
    if (!nullable_[NtIndex(rhs[i])]) return false;
  }
  return true;
}

void TLalrBuilder::CloseLr1(TItemSets& items) const {
  std::vector<TItem> work;
  for (const auto& entry : items) work.push_back(entry.first);
  while (!work.empty()) {
    TItem item = work.back();
    work.pop_back();
    int next = SymbolAfterDot(item);
    if (!IsNonterminal(next)) continue;
    TTokenSet spread(setSize_);
    if (FirstOfRest(g_.rules[item.rule].rhs, item.dot + 1, spread)) spread.Merge(items.at(item));
    for (int rule : rulesOf_[NtIndex(next)]) {
      TItem start{rule, 0};
      bool added = !items.count(start);
      auto& set = items.try_emplace(start, TTokenSet(setSize_)).first->second;
      if (set.Merge(spread) || added) work.push_back(start);
    }
  }
}

std::vector<TItem> TLalrBuilder::CloseLr0(const std::vector<TItem>& kernel) const {
  std::set<TItem> closed(kernel.begin(), kernel.end());
  std::vector<TItem> work(kernel);
  while (!work.empty()) {
    int next = SymbolAfterDot(work.back());
    work.pop_back();
    if (!IsNonterminal(next)) continue;
    for (int rule : rulesOf_[NtIndex(next)])
      if (closed.insert({rule, 0}).second) work.push_back({rule, 0});
  }
  return {closed.begin(), closed.end()};
}

// Nonterminals first, in their declared order (-1, -2, ...), then tokens by code.
bool TLalrBuilder::SymbolOrder(int a, int b) {
  if ((a < 0) != (b < 0)) return a < 0;
  return a < 0 ? a > b : a < b;
}

int TLalrBuilder::StateOfKernel(std::vector<TItem> kernel) {
  std::sort(kernel.begin(), kernel.end());
  auto found = stateOfKernel_.find(kernel);
  if (found != stateOfKernel_.end()) return found->second;
  int state = static_cast<int>(states_.size());
  stateOfKernel_.emplace(kernel, state);
  states_.push_back({kernel, {}});
  return state;
}

void TLalrBuilder::BuildLr0States() {
  StateOfKernel({{0, 0}});
  for (size_t s = 0; s < states_.size(); ++s) {
    std::map<int, std::vector<TItem>, decltype(&SymbolOrder)> moves(&SymbolOrder);
    for (const TItem& item : CloseLr0(states_[s].kernel)) {
      int next = SymbolAfterDot(item);
      if (next != kNoSymbol) moves[next].push_back({item.rule, item.dot + 1});
    }
    for (auto& [symbol, kernel] : moves) {
      int target = StateOfKernel(kernel);
      states_[s].successors.emplace_back(symbol, target);
    }
  }
}

int TLalrBuilder::SuccessorOf(int state, int symbol) const {
  for (const auto& [s, target] : states_[state].successors)
    if (s == symbol) return target;
  return -1;
}

int TLalrBuilder::KernelIndex(int state, const TItem& item) const {
  const auto& kernel = states_[state].kernel;
  return static_cast<int>(std::lower_bound(kernel.begin(), kernel.end(), item) - kernel.begin());
}

void TLalrBuilder::ComputeLookaheads() {
  lookaheads_.resize(states_.size());
  for (size_t s = 0; s < states_.size(); ++s)
    lookaheads_[s].assign(states_[s].kernel.size(), TTokenSet(setSize_));
  lookaheads_[0][0].Add(kEndToken);
  for (size_t s = 0; s < states_.size(); ++s) FindLookaheadSources(static_cast<int>(s));
  PropagateLookaheads();
}

void TLalrBuilder::FindLookaheadSources(int state) {
  const auto& kernel = states_[state].kernel;
  for (size_t k = 0; k < kernel.size(); ++k) {
    TItemSets closure;
    closure.emplace(kernel[k], TTokenSet(setSize_)).first->second.Add(dummy_);
    CloseLr1(closure);
    for (const auto& [item, set] : closure) {
      if (IsComplete(item)) continue;
      int target = SuccessorOf(state, SymbolAfterDot(item));
      int targetItem = KernelIndex(target, {item.rule, item.dot + 1});
      set.ForEach(setSize_, [&](int code) {
        if (code == dummy_)
          links_.push_back({state, static_cast<int>(k), target, targetItem});
        else
          lookaheads_[target][targetItem].Add(code);
      });
    }
  }
}

void TLalrBuilder::PropagateLookaheads() {
  for (bool changed = true; changed;) {
    changed = false;
    for (const TLink& link : links_)
      changed |= lookaheads_[link.toState][link.toItem].Merge(lookaheads_[link.fromState][link.fromItem]);
  }
}

// The action entries, default reduction and gotos of one state.
void TLalrBuilder::AddStateTables(int state, TAutomaton& automaton) {
  const TLr0State& lr0 = states_[state];
  std::map<int, int> shifts;  // token -> target
  std::vector<TGoto> gotos;
  for (const auto& [symbol, target] : lr0.successors) {
    if (symbol < 0)
      gotos.push_back({symbol, target});
    else
      shifts[symbol] = target;
  }
  TItemSets closure;
  for (size_t k = 0; k < lr0.kernel.size(); ++k) closure.emplace(lr0.kernel[k], lookaheads_[state][k]);
  CloseLr1(closure);

  bool accept = false;
  std::map<int, std::vector<int>> reductions;  // token -> rules, ascending
  for (const auto& [item, set] : closure) {
    if (!IsComplete(item)) continue;
    const int rule = item.rule;
    set.ForEach(dummy_, [&](int code) {
      if (rule == 0)
        accept = true;  // "$accept : start ." on the end of input
      else
        reductions[code].push_back(rule);
    });
  }

  auto where = [&](int token) {
    return "state " + std::to_string(state) + ", token " + g_.SymbolName(token) + ": ";
  };
  std::map<int, int> reduceBy;  // token -> rule
  bool explicitError = false;
  for (auto& [token, rules] : reductions) {
    std::sort(rules.begin(), rules.end());
    for (size_t i = 1; i < rules.size(); ++i)
      automaton.conflicts.push_back(where(token) + "reduce/reduce conflict, rule " +
                                    std::to_string(rules[0]) + " over rule " + std::to_string(rules[i]));
    int rule = rules[0];
    bool shiftHere = shifts.count(token) || (accept && token == kEndToken);
    if (!shiftHere) {
      reduceBy[token] = rule;
      continue;
    }
    TPrecedence rulePrec = g_.rules[rule].precedence;
    auto tokenPrec = g_.tokenPrecedence.find(token);
    if (rulePrec.level == 0 || tokenPrec == g_.tokenPrecedence.end() || (accept && token == kEndToken)) {
      automaton.conflicts.push_back(where(token) + "shift/reduce conflict, shift over rule " +
                                    std::to_string(rule));
      continue;
    }
    TPrecedence tp = tokenPrec->second;
    bool reduce = rulePrec.level > tp.level || (rulePrec.level == tp.level && tp.assoc == TAssoc::Left);
    bool error = rulePrec.level == tp.level && tp.assoc == TAssoc::NonAssoc;
    if (reduce || error) shifts.erase(token);
    if (reduce) reduceBy[token] = rule;
    explicitError |= error;
  }

  std::set<int> reduceRules;
  for (const auto& [token, rule] : reduceBy) reduceRules.insert(rule);
  int defaultRule = 0;
  if (shifts.empty() && !accept && !explicitError && reduceRules.size() == 1)
    defaultRule = *reduceRules.begin();

  std::vector<TAction> actions;
  if (defaultRule == 0) {
    for (const auto& [token, target] : shifts) actions.push_back({token, target});
    for (int rule : reduceRules)
      for (const auto& [token, r] : reduceBy)
        if (r == rule) actions.push_back({token, -rule});
    if (accept) actions.push_back({kEndToken, 0});
  }
  automaton.actions.push_back(std::move(actions));
  automaton.gotos.push_back(std::move(gotos));
  automaton.defaults.push_back(-defaultRule);
  automaton.kernels.emplace_back();
  for (const TItem& item : lr0.kernel) automaton.kernels.back().push_back(ItemText(item));
}

std::string TLalrBuilder::ItemText(const TItem& item) const {
  const TRule& rule = g_.rules[item.rule];
  std::string text = g_.SymbolName(rule.lhs) + " :";
  for (size_t i = 0; i <= rule.rhs.size(); ++i) {
    if (static_cast<int>(i) == item.dot) text += " .";
    if (i < rule.rhs.size()) {
      text += ' ';
      text += g_.SymbolName(rule.rhs[i]);
    }
  }
  return text + "  (" + std::to_string(item.rule) + ")";
}

}  // namespace

TAutomaton BuildLalr(const TGrammar& grammar) { return TLalrBuilder(grammar).Build(); }

}  // namespace lalrgen
