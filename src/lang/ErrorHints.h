// Hints for the traps of the command language whose bare error leaves the
// writer guessing: each says what to write instead. All of them are in one
// table (ErrorHints.cpp), so that a new trap is one row.
//
// The parse report adds the hint of a parse's first syntax error on the line
// after it (later errors mostly follow from the first); a sum or difference
// that fails where a name holding "-" or "+" was likely meant adds its hint
// to the message.
#pragma once

#include <string>
#include <string_view>

enum class THintContext {
  SyntaxError,     // the text: the token at which the parse failed
  ArithmeticWord,  // the text: the name that a failed sum may have been meant as
};

/// The hint for the text in the context, or "" when no trap matches.
std::string ErrorHint(THintContext context, std::string_view text);
