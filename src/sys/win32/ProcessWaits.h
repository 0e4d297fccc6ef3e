// Waiting for processes while the main thread keeps serving its messages.
//
// A waiter thread blocks on the process handles and then posts the thread
// message WM_USER (wParam 1, lParam 2) to the main thread, which meanwhile
// takes its messages one by one with GetMessageA and dispatches them. The
// quit message ends the program with its wParam; so do WM_CLOSE and
// WM_SYSCOMMAND SC_CLOSE taken from the queue, because the program has no
// main window that could handle them. The main thread hands the waiter its
// job before creating it and reads the result only after the waiter has
// ended; no lock is needed.
#pragma once

#include <windows.h>

#include <vector>

/// Returns when the process has ended (at once for a handle that cannot be
/// waited for: reading its exit code then reports the problem).
void WaitServingMessages(HANDLE process);

/// Returns when every process has ended, any number of them: the waiter
/// waits in groups of MAXIMUM_WAIT_OBJECTS. Returns 0, or the system error
/// of a wait that failed (the processes of the failed group and the later
/// ones may then still run).
DWORD WaitAllServingMessages(const std::vector<HANDLE>& processes);
