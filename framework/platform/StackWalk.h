#pragma once
// Stack walks and address lookups for the crash report: the unwinder's
// walk (the one backtrace uses) with each frame's canonical frame address,
// a frame-pointer walk for when that fails, and for an address its module,
// ELF section and offset, and its function name (dladdr, then the module's
// own symbol table), demangled.
#include <cstdint>
#include <string>
#include <vector>

namespace Plix {

struct StackFrame {
  uintptr_t pc = 0;
  uintptr_t frame = 0;
  // The pc is a return address (the call is the instruction before it);
  // false for the interrupted instruction of a fault.
  bool returnAddress = true;
  // The address to look the frame's function up by.
  uintptr_t LookupAddress() const { return returnAddress && pc > 0 ? pc - 1 : pc; }
};

// The calling thread's stack, innermost first, starting with the caller of
// CaptureStack. walkError is 0 when the walk reached the end of the stack,
// else the unwinder's reason for stopping.
std::vector<StackFrame> CaptureStack(int& walkError);

// Follows the chain of saved frame pointers from (pc, fp) while each next
// frame is aligned, above the last and inside [stackLow, stackHigh).
std::vector<StackFrame> WalkFramePointers(uintptr_t pc, uintptr_t fp, uintptr_t stackLow, uintptr_t stackHigh);

// The calling thread's stack extent; false when unknown.
bool GetThreadStackBounds(uintptr_t& low, uintptr_t& high);

// The file name of the module that holds the address, the number of the
// ELF section that holds it and the offset into that section. False (all
// outputs untouched) when any step fails.
bool GetLogicalAddress(uintptr_t address, std::string& modulePath, int& section, uintptr_t& offset);

// The demangled name of the function that holds the address and that
// function's start. False when no symbol covers it.
bool LookupSymbol(uintptr_t address, std::string& name, uintptr_t& symbolStart);

// A C++ symbol's readable name; the name itself when it is not mangled.
std::string Demangle(const char* name);

}  // namespace Plix
