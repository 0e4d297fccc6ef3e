#include "Dfa.h"

#include <algorithm>
#include <map>
#include <set>

namespace {

std::vector<int> Closure(const TNfa& nfa, const std::vector<int>& seeds) {
  std::set<int> seen(seeds.begin(), seeds.end());
  std::vector<int> work(seeds.begin(), seeds.end());
  while (!work.empty()) {
    int s = work.back();
    work.pop_back();
    for (int t : nfa.States()[s].epsilon)
      if (seen.insert(t).second) work.push_back(t);
  }
  return {seen.begin(), seen.end()};
}

std::vector<int> AcceptedRules(const TNfa& nfa, const std::vector<int>& set) {
  std::vector<int> rules;
  for (int s : set)
    if (nfa.States()[s].acceptsRule != 0) rules.push_back(nfa.States()[s].acceptsRule);
  std::sort(rules.begin(), rules.end());
  rules.erase(std::unique(rules.begin(), rules.end()), rules.end());
  return rules;
}

class TSubsetBuilder {
 public:
  explicit TSubsetBuilder(const TNfa& nfa) : nfa_(nfa) {}

  std::vector<TDfaState> Build(const std::vector<std::vector<int>>& entries) {
    for (const auto& entry : entries) Add(Closure(nfa_, entry));
    for (size_t i = 0; i < states_.size(); ++i) FillTargets(i);
    return std::move(states_);
  }

 private:
  int Add(const std::vector<int>& set) {
    TDfaState state;
    state.nfaStates = set;
    state.rules = AcceptedRules(nfa_, set);
    std::fill(std::begin(state.target), std::end(state.target), -1);
    states_.push_back(std::move(state));
    int index = static_cast<int>(states_.size()) - 1;
    known_.emplace(set, index);  // keeps the first state of a set
    return index;
  }

  int Find(const std::vector<int>& set) {
    auto found = known_.find(set);
    return found != known_.end() ? found->second : Add(set);
  }

  void FillTargets(size_t index) {
    std::vector<int> moves[256];
    for (int s : states_[index].nfaStates) {
      const TNfaState& nfaState = nfa_.States()[s];
      if (nfaState.next < 0) continue;
      for (int c = 0; c < 256; ++c)
        if (nfaState.chars.test(c)) moves[c].push_back(nfaState.next);
    }
    for (int c = 0; c < 256; ++c) {
      if (moves[c].empty()) continue;
      int target = Find(Closure(nfa_, moves[c]));
      states_[index].target[c] = target;  // states_ may have grown: index again
    }
  }

  const TNfa& nfa_;
  std::vector<TDfaState> states_;
  std::map<std::vector<int>, int> known_;
};

}  // namespace

std::vector<TDfaState> BuildDfa(const TNfa& nfa, const std::vector<std::vector<int>>& entries) {
  return TSubsetBuilder(nfa).Build(entries);
}
