// Waiting for processes while the main thread keeps serving its messages.
//
// The waiting loop itself waits on the process handles and the message queue
// at once (MsgWaitForMultipleObjectsEx), dispatching every message that
// comes and checking the handles after each wake. Whether a process has
// ended is read from its handle, not from a message, so a modal loop that
// runs inside a dispatched message (a menu, a move or size loop, a message
// box, a dialog) cannot make the wait miss the end: once the modal loop
// returns, the next check sees the ended process. Nested waits (a wait that
// begins inside a message handled here) work the same way: the outer wait
// checks its handles again when the inner one returns.
//
// A quit or close request taken from the queue ends the program with its
// wParam (PumpMessages): the program has no main window to take it.
#pragma once

#include <windows.h>

#include <cstdint>
#include <vector>

#include "sys/ProgramLauncher.h"

/// Returns true when the process has ended (at once for a handle that
/// cannot be waited for: reading its exit code then reports the problem),
/// false when `timeoutMs` passed first (kWaitForever: never).
bool WaitServingMessages(HANDLE process, uint64_t timeoutMs);

/// Waits until every process has ended, any number of them, or until
/// `timeoutMs` has passed. Failed: `error` is the system error of the wait
/// (the processes may then still run).
TWaitResult WaitAllServingMessages(const std::vector<HANDLE>& processes, uint64_t timeoutMs, DWORD& error);
