#include "sys/posix/WindowsCommandLine.h"

namespace {

class TArgumentSplitter {
 public:
  std::vector<std::string> Split(std::string_view text) {
    for (size_t at = 0; at < text.size();) at = Step(text, at);
    if (inArgument_) arguments_.push_back(current_);
    return arguments_;
  }

 private:
  size_t Step(std::string_view text, size_t at) {
    char c = text[at];
    if (c == '\\') return Backslashes(text, at);
    if (c == '"') {
      inQuotes_ = !inQuotes_;
      inArgument_ = true;
    } else if ((c == ' ' || c == '\t') && !inQuotes_) {
      EndArgument();
    } else {
      Add(std::string(1, c));
    }
    return at + 1;
  }

  // A run of backslashes; before a quote they escape each other and the quote.
  size_t Backslashes(std::string_view text, size_t at) {
    size_t end = text.find_first_not_of('\\', at);
    if (end == std::string_view::npos) end = text.size();
    size_t count = end - at;
    if (end == text.size() || text[end] != '"') {
      Add(std::string(count, '\\'));
      return end;
    }
    Add(std::string(count / 2, '\\'));
    if (count % 2 == 0) return end;  // the quote groups
    Add("\"");
    return end + 1;
  }

  void Add(const std::string& text) {
    current_ += text;
    inArgument_ = true;
  }

  void EndArgument() {
    if (inArgument_) arguments_.push_back(current_);
    current_.clear();
    inArgument_ = false;
  }

  std::vector<std::string> arguments_;
  std::string current_;
  bool inArgument_ = false;
  bool inQuotes_ = false;
};

}  // namespace

std::vector<std::string> SplitWindowsCommandLine(std::string_view text) {
  return TArgumentSplitter().Split(text);
}
