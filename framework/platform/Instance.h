#pragma once
// The single-instance mutex of the original platform and the broadcast of
// registered window messages to the other running programs of ours.
//
// A named mutex is a lock file taken with flock in the per-user runtime
// folder ($XDG_RUNTIME_DIR, else /tmp/plix-<uid>); the owner also listens on
// a UNIX socket beside it. Posting a registered message to HWND_BROADCAST
// sends its name to every such socket; the receiving program's message pump
// posts it to its own windows (framework/platform/WindowSystem.h).
#include <string>
#include <vector>

#include "framework/platform/WinTypes.h"

namespace Plix {

// A handle to the named mutex (never null). When another owner holds it,
// GetLastError() answers ERROR_ALREADY_EXISTS and the handle owns nothing.
HANDLE CreateMutexW(const std::wstring& name, bool initialOwner);
// The last error of CreateMutexW on this thread.
DWORD GetLastError();
// Releases the mutex (and its socket).
bool CloseHandle(HANDLE handle);

// Sends a registered message's name to every other listening program.
void BroadcastToOtherInstances(const std::wstring& messageName);
// Names received since the last call (from the message pump).
std::vector<std::wstring> PollInstanceBroadcasts();

// Where the lock files and sockets live (ends without a separator).
std::string InstanceFolder();

}  // namespace Plix
