// The system services that the executor and the editor call: starting
// programs and waiting for them, the running processes, the window walk with
// its star patterns and the window actions, and keystroke sending.
//
// Everything here is written once against the platform interfaces of
// SystemServices (launcher, process list, window system, keyboard), so the
// same decisions run on Win32 and on POSIX and are tested against fakes. The
// process-wide tables (pending programs, the process picture, the found
// windows) live in this unit; they grow as needed, so no started program is
// forgotten and no match is dropped. All of it runs on the main thread.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "sys/SystemServices.h"

// --- Programs -------------------------------------------------------------

/// Starts `program` (quotes are removed before the shell sees it) with the
/// arguments, each of which the program receives as it is, in `directory` (the current directory when empty),
/// with the show mode in the low byte of `flags`. With lfWait it waits for the program and sets LastExitCode;
/// otherwise the program joins the pending programs. A wait that reaches the limit of TARV_WAIT_TIMEOUT
/// (WaitLimit.h) gives up: LastExitCode becomes 259 (still running) and "/wait gave up after N seconds
/// waiting for "<program>" to end" goes through the error mode. Returns 0 when started, -1 when the start
/// failed and the flags chose to go on: lfIgnoreFailure silent, lfWarnOnFailure a warning box,
/// lfRaiseOnFailure raises ESystemError, none of them an error box and the end of the program. An argument
/// that cannot reach the program as it is (a NUL character; for a batch file run by cmd.exe, a character that
/// cmd.exe would act on, see BatchArgumentProblem) is refused before the start, named in a failure that takes
/// the same way.
int StartProgram(const std::string& program, std::vector<std::string> arguments, const std::string& directory,
                 uint32_t flags);

/// Waits until every pending program has ended; LastExitCode becomes the
/// non-zero exit code of the latest-started such program, or 0. Empties the
/// table. With nothing pending it sets LastExitCode to 0 and returns at once.
/// At the limit of TARV_WAIT_TIMEOUT it gives up: the table stays as it is,
/// LastExitCode becomes 259 and "/waitall gave up after N seconds waiting for
/// K of M programs to end: <names>" goes through the error mode.
void WaitForAllPrograms();
/// How many started programs are still pending.
size_t PendingProgramCount();
/// Lets the pending programs go without waiting: they run on, and a later
/// /waitall no longer waits for them.
void ForgetPendingPrograms();

/// Waits until no running process has the executable name `name` (its file
/// part; star patterns allowed; compared in capitals).
void WaitForProgramByName(const std::string& name);

/// The executable that serves `program`: the upper-cased name itself for no
/// extension, .EXE and .BAT; otherwise the shell's look-up in `directory`
/// (the current directory when empty). Raises ESystemError when none is found.
std::string FindProgramExecutable(const std::string& program, const std::string& directory);

/// Returns after `ms` milliseconds, serving messages meanwhile.
void SleepWithMessages(uint32_t ms);
/// Returns after `ms` milliseconds without serving messages (the pause
/// between the window searches of /waitfor and /waitclose).
void PauseWithoutMessages(uint32_t ms);

/// Changes the program's current directory (/cd). False on failure, with the
/// reason in LastSystemError.
bool ChangeDirectory(const std::string& path);
/// The program's current directory, as an absolute path.
std::string CurrentDirectory();

// --- Processes ------------------------------------------------------------

/// The `index`-th running process (from 1). Index 1 takes a fresh picture;
/// higher indexes read it. False when there are no more. The path is trimmed
/// and may be empty (a process that could not be inspected; callers skip it).
bool GetProcessEntry(int index, uint32_t& pid, std::string& path);

/// The upper-cased file part of an executable path (after its last "\" or
/// "/"): what /kill and the wait by name compare with their pattern.
std::string ProcessFileNameUpper(std::string_view path);

/// The names of the `index`-th process of the current picture that /kill
/// compares with its pattern, in capitals: ProcessFileNameUpper of its path
/// first, then each further name the system shows for it (TProcessEntry),
/// without empty names and repeats. Empty when there is no such entry.
std::vector<std::string> ProcessNamesUpper(int index);

/// Why /kill must leave the `index`-th process of the current picture alone,
/// or empty when it may end it: the program's own process, a process it was
/// started from (its parent, their parent and so on up to the login), a
/// system process, another user's process, a process outside the user's
/// logins (TProcessFacts).
std::string ProcessProtection(int index);

/// Ends the process with exit code 1. True when done, also when the process
/// had ended by itself meanwhile (it is gone, which is what was asked);
/// raises std::runtime_error "Function OpenProcess failed: " or "Function
/// TerminateProcess failed: " + the system's message otherwise.
bool KillProcess(uint32_t pid);

uint32_t CurrentProcessId();

// --- Windows --------------------------------------------------------------

/// The result of a search that found nothing (all bits set).
constexpr TWindowHandle kNoWindow = ~TWindowHandle(0);

/// The star pattern: only a star at the start and one at the end mean "any
/// text"; "*" and the empty pattern match everything. Case-sensitive.
bool MatchWildcard(std::string_view name, std::string_view pattern);

/// Why no window can be reached on this system ("no X display: DISPLAY is
/// not set"), or empty when windows can be searched and acted on.
std::string WindowSystemUnavailable();

/// FindWindowByTitleClass with the class pattern "*".
TWindowHandle FindWindowByTitle(const std::string& titlePattern);
/// Walks every window of the desktop; returns the first match or kNoWindow,
/// and leaves every match in FoundWindows / FoundWindowTitles.
TWindowHandle FindWindowByTitleClass(const std::string& titlePattern, const std::string& classPattern);
/// The walk: under `parent` (0: the desktop), depth first, each window after
/// its descendants; only windows of process `pid` (0: all) are considered, and
/// a considered window with a non-empty title matching both patterns is
/// found. Returns -1 when no window was considered, else the number found.
int EnumMatchingWindows(TWindowHandle parent, uint32_t pid, const std::string& titlePattern,
                        const std::string& classPattern);

/// The matches of the last search, in walk order, and their titles.
const std::vector<TWindowHandle>& FoundWindows();
const std::vector<std::string>& FoundWindowTitles();
uint32_t FoundWindowCount();

/// How long a window may take to come to the front after a means of bringing
/// it there was accepted, and to answer a close or quit message.
constexpr uint32_t kForegroundDeadlineMs = 1000;
constexpr uint32_t kWindowReplyTimeoutMs = 3000;

/// Restores the window if it is minimised and brings it to the foreground,
/// trying each means that a background process has until it is in front.
/// True when it is the foreground window afterwards.
bool ActivateWindow(TWindowHandle window);
/// WM_CLOSE and WM_QUIT, sent with a timeout so that a hung window cannot
/// hold up the run; then the message queue is served.
TSendOutcome SendCloseToWindow(TWindowHandle window);
TSendOutcome SendQuitToWindow(TWindowHandle window);

// --- Keys -----------------------------------------------------------------

/// One step of a key description: a modifier key pressed or released, a key
/// pressed and released, or a character of the user's text typed as itself.
struct TKeyStroke {
  enum Kind : uint8_t { Press, Release, Tap, Type };
  Kind kind = Tap;
  uint8_t virtualKey = 0;  // Press, Release, Tap
  char32_t character = 0;  // Type
  bool operator==(const TKeyStroke&) const = default;
};

/// How long the window in front may take to read the keys of one keystroke.
constexpr uint32_t kKeysTakenTimeoutMs = 5000;

/// The keystrokes of a key description ("+^%" prefixes, "~", groups in
/// parentheses, {NAME} and {NAME count}; every other character stands for
/// itself). An opening brace with no closing brace after it ends the
/// description; a zero character does too.
std::vector<TKeyStroke> TranslateKeys(std::u32string_view description);

/// Types the description into the focused window and returns once the window
/// has read the keys. Modifiers it pressed are released at its end, however
/// it ends. Where the system cannot send keys, reports "/sendkeys: keystrokes
/// cannot be sent on this system (no window system)" through the command's
/// error mode (ReportCommandError); so does a system that refuses the keys.
void SendKeys(std::string_view description);

// --- Tests ----------------------------------------------------------------

/// Forgets the pending programs, the process picture and the found windows
/// (without closing anything): a fresh process, for tests.
void ResetWinfuncsState();
