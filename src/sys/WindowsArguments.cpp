#include "sys/WindowsArguments.h"

#include <cstdio>

#include "util/StringFuncs.h"

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

// Joins the words by blanks, each written by `write`.
template <typename Write>
std::string JoinWords(const std::vector<std::string>& words, Write write) {
  std::string text;
  for (const std::string& word : words) {
    if (&word != &words.front()) text += ' ';
    text += write(word);
  }
  return text;
}

// The characters of a batch file's argument with which cmd.exe would run,
// redirect, escape or expand something. "%" and "!" act even between double
// quotes; the others act once the batch file takes the quotes off ("%~1").
// Blanks, commas, semicolons, equals signs and parentheses only group or
// split arguments: a quoted argument keeps them (JoinBatchArguments).
struct TCmdCharacter {
  char c;
  const char* effect;
};
constexpr TCmdCharacter kCmdCharacters[] = {
    {'&', "run as a command"},      {'|', "run as a command"},
    {'<', "take as a redirection"}, {'>', "take as a redirection"},
    {'^', "take as an escape"},     {'%', "expand as a variable"},
    {'!', "expand as a variable"},  {'"', "take as the end of a quoted text"},
};

std::string ControlCharacterName(unsigned char byte) {
  char name[8];
  std::snprintf(name, sizeof name, "0x%02X", byte);
  return name;
}

}  // namespace

std::string QuoteWindowsArgument(std::string_view word) {
  if (!word.empty() && word.find_first_of(" \t\n\v\"") == std::string_view::npos) return std::string(word);
  std::string quoted = "\"";
  size_t backslashes = 0;  // the run of backslashes just written
  for (char c : word) {
    // Before a quote the run doubles and one more escapes the quote.
    if (c == '"') quoted.append(backslashes + 1, '\\');
    backslashes = c == '\\' ? backslashes + 1 : 0;
    quoted += c;
  }
  // Before the closing quote the run doubles. A quote inside is always
  // escaped, never doubled: the runtimes disagree on what "" inside a quoted
  // part means.
  quoted.append(backslashes, '\\');
  return quoted + '"';
}

std::string BuildWindowsCommandLine(const std::vector<std::string>& words) {
  return JoinWords(words, QuoteWindowsArgument);
}

std::vector<std::string> SplitWindowsCommandLine(std::string_view text) {
  return TArgumentSplitter().Split(text);
}

bool IsCmdShell(std::string_view program) {
  std::string name = LowerCase(AfterLastSeparator(program));
  return name == "cmd" || name == "cmd.exe";
}

bool IsBatchFile(std::string_view program) {
  std::string extension = ExtensionLower(program);
  return extension == ".bat" || extension == ".cmd";
}

std::string JoinShellCommand(const std::vector<std::string>& words) {
  return JoinWords(words, [](const std::string& word) {
    return word.find(' ') == std::string::npos ? word : Quoted(word);
  });
}

std::string BatchArgumentProblem(std::string_view word) {
  for (char c : word) {
    auto byte = static_cast<unsigned char>(c);
    if (byte < 0x20 || byte == 0x7F)
      return "holds the control character " + ControlCharacterName(byte) +
             ", which cmd.exe would not pass on";
    for (const TCmdCharacter& special : kCmdCharacters)
      if (c == special.c) return "holds \"" + std::string(1, c) + "\", which cmd.exe would " + special.effect;
  }
  return "";
}

std::string JoinBatchArguments(const std::vector<std::string>& words) {
  // cmd.exe splits or groups a batch file's arguments at these outside
  // quotes only.
  return JoinWords(words, [](const std::string& word) {
    return word.empty() || word.find_first_of(" ,;=()") != std::string::npos ? Quoted(word) : word;
  });
}

std::string WindowsParameterText(std::string_view file, bool batchFile,
                                 const std::vector<std::string>& words) {
  if (IsCmdShell(file)) return JoinShellCommand(words);
  if (batchFile) return JoinBatchArguments(words);
  return BuildWindowsCommandLine(words);
}
