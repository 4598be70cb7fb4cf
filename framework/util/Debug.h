#pragma once
// Debugging aids: the names of DirectX result codes, wide debug output and
// the allocation tracker. The lock type is CriticalSection
// (framework/platform/Threads.h).
#include <cstdint>
#include <map>
#include <string>

#include "framework/platform/Threads.h"
#include "framework/platform/WinTypes.h"

namespace Plix {

// The name of a DirectDraw, Direct3D 7 or DirectSound result code as the
// DirectX 7 SDK defines it ("DDERR_SURFACELOST"), or the code in lower-case
// hexadecimal without prefix when it has no name (success codes included).
std::string GetDirectXErrorString(HRESULT code);

// Formats like WStrFormat and writes the text, as Latin-1, to the debugger
// output.
void OutputDebugWide(const wchar_t* format, ...);

// A table of live allocations that can be written as a leak report. An
// allocation function that records itself calls Add and Remove.
class AllocationTracker {
public:
  AllocationTracker() = default;
  // Reports when asked to at exit; afterwards the tracker takes no records.
  ~AllocationTracker();
  AllocationTracker(const AllocationTracker&) = delete;
  AllocationTracker& operator=(const AllocationTracker&) = delete;

  void Add(const void* address, int size, const char* file, int line);
  void Remove(const void* address);
  // Writes "mem_leaks.txt" in the current folder and the same lines to the
  // debugger output; nothing when the file cannot be opened.
  void WriteReport();
  void SetReportAtExit(bool report) { mReportAtExit = report; }

private:
  struct Record {
    int size = 0;
    std::string file;  // at most 255 characters
    int line = 0;
  };
  std::map<uintptr_t, Record> mRecords;  // in address order
  CriticalSection mLock;
  bool mEnabled = true;
  bool mReportAtExit = false;
};

extern AllocationTracker gAllocationTracker;

}  // namespace Plix
