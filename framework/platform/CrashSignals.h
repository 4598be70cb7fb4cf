#pragma once
// Catches what would end the process without a word: the fault signals
// (handled on an alternate signal stack, so that a stack overflow is caught
// too) and C++ exceptions that nothing catches (std::set_terminate). Each
// is described by the exception code the original platform gives the same
// fault, so that reports read the same everywhere. The callback runs on
// the crashing thread; when it returns, the process ends by the signal's
// default action.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "framework/platform/StackWalk.h"

namespace Plix {

// Exception codes of the original platform.
constexpr uint32_t EXCEPTION_BREAKPOINT = 0x80000003;
constexpr uint32_t EXCEPTION_SINGLE_STEP = 0x80000004;
constexpr uint32_t EXCEPTION_DATATYPE_MISALIGNMENT = 0x80000002;
constexpr uint32_t EXCEPTION_ACCESS_VIOLATION = 0xC0000005;
constexpr uint32_t EXCEPTION_IN_PAGE_ERROR = 0xC0000006;
constexpr uint32_t EXCEPTION_ILLEGAL_INSTRUCTION = 0xC000001D;
constexpr uint32_t EXCEPTION_ARRAY_BOUNDS_EXCEEDED = 0xC000008C;
constexpr uint32_t EXCEPTION_FLT_DIVIDE_BY_ZERO = 0xC000008E;
constexpr uint32_t EXCEPTION_FLT_INEXACT_RESULT = 0xC000008F;
constexpr uint32_t EXCEPTION_FLT_INVALID_OPERATION = 0xC0000090;
constexpr uint32_t EXCEPTION_FLT_OVERFLOW = 0xC0000091;
constexpr uint32_t EXCEPTION_FLT_UNDERFLOW = 0xC0000093;
constexpr uint32_t EXCEPTION_INT_DIVIDE_BY_ZERO = 0xC0000094;
constexpr uint32_t EXCEPTION_INT_OVERFLOW = 0xC0000095;
constexpr uint32_t EXCEPTION_PRIV_INSTRUCTION = 0xC0000096;
constexpr uint32_t EXCEPTION_STACK_OVERFLOW = 0xC00000FD;
// What a thrown C++ exception that nothing catches and abort() raise there.
constexpr uint32_t EXCEPTION_CPP = 0xE06D7363;
constexpr uint32_t EXCEPTION_FATAL_APP_EXIT = 0x40000015;

// The code of a fault signal with its si_code; nearStackLimit tells that a
// segmentation fault hit the guard area below the thread's stack.
uint32_t ExceptionCodeForSignal(int signal, int signalCode, bool nearStackLimit);

struct CrashContext {
  uint32_t code = 0;
  uintptr_t address = 0;  // the faulting instruction (or the throw site)
  unsigned long threadId = 0;
  int signal = 0;  // 0 for an uncaught C++ exception
  uintptr_t pc = 0;
  uintptr_t sp = 0;
  uintptr_t fp = 0;
  // The machine's registers at the fault, one report line each ("\r\n").
  std::string registers;
  // The unwinder's walk from the faulting frame outwards; empty when the
  // faulting frame could not be found in it.
  std::vector<StackFrame> frames;
  int walkError = 0;
  uintptr_t stackLow = 0;
  uintptr_t stackHigh = 0;
};

using CrashCallback = void (*)(const CrashContext& context);

// Installs the handlers (for every thread) and an alternate signal stack
// for the calling thread. Installing again only replaces the callback.
void InstallCrashCatcher(CrashCallback callback);
// Puts the previous handlers back.
void UninstallCrashCatcher();
bool IsCrashCatcherInstalled();

// An alternate signal stack for the calling thread while the object lives,
// when the catcher is installed and the thread has none; threads that may
// overflow their stack hold one.
class ScopedAltSignalStack {
public:
  ScopedAltSignalStack();
  ~ScopedAltSignalStack();
  ScopedAltSignalStack(const ScopedAltSignalStack&) = delete;
  ScopedAltSignalStack& operator=(const ScopedAltSignalStack&) = delete;

private:
  void* mStack = nullptr;
  void* mPreviousStack = nullptr;
  size_t mPreviousSize = 0;
  int mPreviousFlags = 0;
};

// Writes through an address that is never mapped, so that the fault goes
// the way of any other: the handler reports it as an access violation in
// the caller's function.
void RaiseAccessViolation();

}  // namespace Plix
