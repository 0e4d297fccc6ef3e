// Text from outside the program (window titles, process names, a command's
// error that quotes them) on its way to a terminal. A terminal takes control
// characters as orders: ESC starts sequences that set the window title,
// clear the screen or move the cursor, CR writes over a line, and C1
// controls (U+0080-U+009F, U+009B being CSI) do the same on terminals that
// read them. Such a text could rewrite what the user sees or forge lines of
// our own output, so every control is written as a visible escape instead:
//
//   C0 controls and DEL    caret notation: ESC is ^[, CR is ^M, DEL is ^?
//   C1 controls            \u0080 ... \u009F (decoded from UTF-8)
//   malformed UTF-8 bytes  \xNN, the byte's value in hex
//
// Every other character is kept as it is.
#pragma once

#include <string>
#include <string_view>

/// What else the text may keep as it is.
enum class TTerminalLines {
  One,       // one line of a list: a line break is escaped too
  Multiple,  // a message of several lines: LF and TAB are kept
};

/// The text with its controls escaped. `utf8` says whether the text is
/// UTF-8 (the program's texts on Linux); otherwise it is in a single-byte
/// code page whose bytes from 0x80 up are characters, and only C0 and DEL
/// are escaped.
std::string TerminalSafe(std::string_view text, bool utf8, TTerminalLines lines = TTerminalLines::One);
