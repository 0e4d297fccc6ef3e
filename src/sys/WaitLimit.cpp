#include "sys/WaitLimit.h"

#include <algorithm>
#include <optional>

#include "sys/SystemServices.h"
#include "util/Environment.h"
#include "util/StringFuncs.h"
#include "util/TarvCommon.h"

namespace {

// Longer than any run; keeps the arithmetic far from overflowing.
constexpr uint64_t kLongestLimitMs = uint64_t{1000} * 1000 * 1000 * 1000;
constexpr size_t kMostWholeDigits = 12;

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Milliseconds of a number of seconds written with digits and at most one
// decimal point ("30", "2.5", ".5"); nothing for any other text.
std::optional<uint64_t> SecondsToMs(const std::string& text) {
  size_t point = text.find('.');
  std::string whole = text.substr(0, point);
  std::string fraction = point == std::string::npos ? "" : text.substr(point + 1);
  bool digitsOnly = std::all_of(whole.begin(), whole.end(), IsDigit) &&
                    std::all_of(fraction.begin(), fraction.end(), IsDigit);
  if (!digitsOnly || whole.size() + fraction.size() == 0) return std::nullopt;
  if (whole.size() > kMostWholeDigits) return kLongestLimitMs;
  fraction.resize(3, '0');  // milliseconds; finer digits are dropped
  uint64_t ms = 0;
  for (char digit : whole + fraction) ms = ms * 10 + static_cast<uint64_t>(digit - '0');
  return std::min(ms, kLongestLimitMs);
}

uint64_t NowMs() { return SystemServices().launcher->TickCount(); }

}  // namespace

TWaitLimit TWaitLimit::FromEnvironment() {
  TWaitLimit limit;
  limit.startMs_ = NowMs();
  TEnvLookup lookup = GetEnvVar(kWaitTimeoutVariable);
  std::string value = TrimBlanks(lookup.value);
  if (lookup.status != TEnvStatus::Found || value.empty()) return limit;
  std::optional<uint64_t> ms = SecondsToMs(value);
  if (!ms)
    throw ESystemError(std::string(kWaitTimeoutVariable) + " is \"" + lookup.value +
                       "\": it should be a number of seconds (for example 30), or empty for no time limit");
  limit.limitMs_ = *ms;
  limit.seconds_ = value;
  return limit;
}

uint64_t TWaitLimit::RemainingMs() const {
  if (!Limited()) return kWaitForever;
  uint64_t elapsed = NowMs() - startMs_;
  return elapsed >= limitMs_ ? 0 : limitMs_ - elapsed;
}

std::string TWaitLimit::GaveUpMessage(const std::string& command, const std::string& what) const {
  const char* unit = seconds_ == "1" ? " second" : " seconds";
  return command + " gave up after " + seconds_ + unit + " waiting for " + what;
}
