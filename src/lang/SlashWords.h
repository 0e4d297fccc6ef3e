// What a slash glued to a word means, which depends on how the platform
// writes paths.
//
// On Windows paths use backslashes, so a glued slash begins an option or a
// slash word of its own: notepad/wait, and prog a/b gives prog the words a
// and /b. On POSIX paths use slashes, so that split would hand a program
// other paths than the ones written (sub/zz9 becoming sub and /zz9): there a
// slash glued to a word is a positioned parse error that asks to quote the
// path. Options glued to a command's first word or to each other
// (notepad/wait, /activate/ignore, the form a command's text takes) keep
// their meaning on both.
#pragma once

/// True where a slash glued to a word is a parse error (POSIX).
bool GluedSlashIsPathError();
