#include "framework/platform/CrashSignals.h"

#include <signal.h>
#include <sys/mman.h>
#include <ucontext.h>
#include <unistd.h>

#include <atomic>
#include <cstdarg>
#include <cstdio>
#include <exception>

#include "framework/platform/Threads.h"

namespace Plix {

namespace {

const int kSignals[] = {SIGSEGV, SIGBUS, SIGILL, SIGFPE, SIGTRAP, SIGABRT};
constexpr int kSignalCount = sizeof(kSignals) / sizeof(kSignals[0]);
// Room for the report's work on the signal stack (sanitised builds use
// large frames).
constexpr size_t kAltStackSize = 512 * 1024;
// The kernel keeps this much unmapped below a growing stack.
constexpr uintptr_t kStackGuardGap = 1024 * 1024;

std::atomic<CrashCallback> gCallback{nullptr};
std::atomic<bool> gInstalled{false};
std::atomic<unsigned long> gCrashingThread{0};
struct sigaction gPrevious[kSignalCount];
std::terminate_handler gPreviousTerminate = nullptr;
unsigned long gMainThread = 0;
uintptr_t gMainStackLow = 0;
uintptr_t gMainStackHigh = 0;

void* SetAltStack(stack_t* previous) {
  void* stack = mmap(nullptr, kAltStackSize, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
  if (stack == MAP_FAILED) return nullptr;
  stack_t ss{};
  ss.ss_sp = stack;
  ss.ss_size = kAltStackSize;
  if (sigaltstack(&ss, previous) != 0) {
    munmap(stack, kAltStackSize);
    return nullptr;
  }
  return stack;
}

// Ends the process the way the fault would have without a handler.
[[noreturn]] void EndProcess(int sig) {
  struct sigaction dfl {};
  dfl.sa_handler = SIG_DFL;
  sigaction(sig, &dfl, nullptr);
  sigset_t set;
  sigemptyset(&set);
  sigaddset(&set, sig);
  pthread_sigmask(SIG_UNBLOCK, &set, nullptr);
  raise(sig);
  _exit(128 + sig);
}

// One report per process: a second crashing thread waits for the first to
// end the process; a crash inside the report ends it at once.
bool ClaimCrash() {
  unsigned long self = CurrentThreadId();
  unsigned long expected = 0;
  if (gCrashingThread.compare_exchange_strong(expected, self)) return true;
  if (expected == self) return false;
  for (;;) pause();
}

void StackBounds(CrashContext& c) {
  if (c.threadId == gMainThread && gMainStackHigh != 0) {
    c.stackLow = gMainStackLow;
    c.stackHigh = gMainStackHigh;
  } else {
    GetThreadStackBounds(c.stackLow, c.stackHigh);
  }
}

void Append(std::string& out, const char* format, ...) __attribute__((format(printf, 2, 3)));
void Append(std::string& out, const char* format, ...) {
  char line[256];
  va_list args;
  va_start(args, format);
  vsnprintf(line, sizeof(line), format, args);
  va_end(args);
  out += line;
}

void ReadRegisters(const ucontext_t& uc, CrashContext& c) {
  std::string& r = c.registers;
#if defined(__x86_64__)
  const greg_t* g = uc.uc_mcontext.gregs;
  auto v = [g](int i) { return static_cast<unsigned long long>(g[i]); };
  Append(r, "RAX:%016llX RBX:%016llX RCX:%016llX RDX:%016llX\r\n", v(REG_RAX), v(REG_RBX), v(REG_RCX), v(REG_RDX));
  Append(r, "RSI:%016llX RDI:%016llX R8:%016llX  R9:%016llX\r\n", v(REG_RSI), v(REG_RDI), v(REG_R8), v(REG_R9));
  Append(r, "R10:%016llX R11:%016llX R12:%016llX R13:%016llX\r\n", v(REG_R10), v(REG_R11), v(REG_R12), v(REG_R13));
  Append(r, "R14:%016llX R15:%016llX\r\n", v(REG_R14), v(REG_R15));
  Append(r, "RIP:%016llX RSP:%016llX  RBP:%016llX\r\n", v(REG_RIP), v(REG_RSP), v(REG_RBP));
  unsigned long long segments = v(REG_CSGSFS);
  Append(r, "CS:%04X GS:%04X FS:%04X\r\n", static_cast<unsigned>(segments & 0xFFFF),
         static_cast<unsigned>((segments >> 16) & 0xFFFF), static_cast<unsigned>((segments >> 32) & 0xFFFF));
  Append(r, "Flags:%08X\r\n", static_cast<unsigned>(v(REG_EFL)));
  c.pc = static_cast<uintptr_t>(g[REG_RIP]);
  c.sp = static_cast<uintptr_t>(g[REG_RSP]);
  c.fp = static_cast<uintptr_t>(g[REG_RBP]);
#elif defined(__aarch64__)
  const auto& m = uc.uc_mcontext;
  for (int i = 0; i < 31; ++i) {
    Append(r, "X%d:%016llX%s", i, static_cast<unsigned long long>(m.regs[i]), i % 4 == 3 || i == 30 ? "\r\n" : " ");
  }
  Append(r, "PC:%016llX SP:%016llX\r\n", static_cast<unsigned long long>(m.pc), static_cast<unsigned long long>(m.sp));
  Append(r, "Flags:%08X\r\n", static_cast<unsigned>(m.pstate));
  c.pc = m.pc;
  c.sp = m.sp;
  c.fp = m.regs[29];
#else
  (void)uc;
#endif
}

void OnSignal(int sig, siginfo_t* info, void* raw) {
  if (!ClaimCrash()) EndProcess(sig);
  CrashContext c;
  c.signal = sig;
  c.threadId = CurrentThreadId();
  ReadRegisters(*static_cast<const ucontext_t*>(raw), c);
  StackBounds(c);
  auto faultAddress = reinterpret_cast<uintptr_t>(info->si_addr);
  bool nearStackLimit = sig == SIGSEGV && c.stackLow != 0 && faultAddress + kStackGuardGap >= c.stackLow &&
                        faultAddress < c.stackLow + static_cast<uintptr_t>(getpagesize());
  c.code = ExceptionCodeForSignal(sig, info->si_code, nearStackLimit);
  c.address = c.pc;

  // The walk runs through this handler and the signal trampoline; the
  // report starts at the interrupted frame.
  std::vector<StackFrame> frames = CaptureStack(c.walkError);
  for (size_t i = 0; i < frames.size(); ++i) {
    if (frames[i].pc == c.pc) {
      c.frames.assign(frames.begin() + static_cast<long>(i), frames.end());
      c.frames.front().returnAddress = false;
      break;
    }
  }
  if (CrashCallback callback = gCallback.load()) callback(c);
  EndProcess(sig);
}

bool EndsWith(const std::string& s, const char* tail) {
  size_t n = std::char_traits<char>::length(tail);
  return s.size() >= n && s.compare(s.size() - n, n, tail) == 0;
}

[[noreturn]] void OnTerminate() {
  if (!ClaimCrash()) EndProcess(SIGABRT);
  CrashContext c;
  c.code = std::current_exception() ? EXCEPTION_CPP : EXCEPTION_FATAL_APP_EXIT;
  c.threadId = CurrentThreadId();
  ucontext_t uc;
  if (getcontext(&uc) == 0) ReadRegisters(uc, c);
  StackBounds(c);

  // The exception is not unwound yet: the thrower's frame is still there,
  // just outside the runtime's throw.
  std::vector<StackFrame> frames = CaptureStack(c.walkError);
  size_t start = 0;
  for (size_t i = 0; i < frames.size(); ++i) {
    std::string name;
    uintptr_t symbolStart = 0;
    if (LookupSymbol(frames[i].LookupAddress(), name, symbolStart) &&
        (EndsWith(name, "__cxa_throw") || EndsWith(name, "__cxa_rethrow") ||
         name.find("rethrow_exception") != std::string::npos)) {
      start = i + 1;
    }
  }
  if (start >= frames.size()) start = 0;
  c.frames.assign(frames.begin() + static_cast<long>(start), frames.end());
  c.address = c.frames.empty() ? c.pc : c.frames.front().pc;
  if (CrashCallback callback = gCallback.load()) callback(c);
  EndProcess(SIGABRT);
}

}  // namespace

uint32_t ExceptionCodeForSignal(int signal, int signalCode, bool nearStackLimit) {
  switch (signal) {
    case SIGSEGV:
      return nearStackLimit ? EXCEPTION_STACK_OVERFLOW : EXCEPTION_ACCESS_VIOLATION;
    case SIGBUS:
      return signalCode == BUS_ADRALN ? EXCEPTION_DATATYPE_MISALIGNMENT : EXCEPTION_IN_PAGE_ERROR;
    case SIGILL:
      return signalCode == ILL_PRVOPC || signalCode == ILL_PRVREG ? EXCEPTION_PRIV_INSTRUCTION
                                                                  : EXCEPTION_ILLEGAL_INSTRUCTION;
    case SIGFPE:
      switch (signalCode) {
        case FPE_INTDIV:
          return EXCEPTION_INT_DIVIDE_BY_ZERO;
        case FPE_INTOVF:
          return EXCEPTION_INT_OVERFLOW;
        case FPE_FLTDIV:
          return EXCEPTION_FLT_DIVIDE_BY_ZERO;
        case FPE_FLTOVF:
          return EXCEPTION_FLT_OVERFLOW;
        case FPE_FLTUND:
          return EXCEPTION_FLT_UNDERFLOW;
        case FPE_FLTRES:
          return EXCEPTION_FLT_INEXACT_RESULT;
        case FPE_FLTSUB:
          return EXCEPTION_ARRAY_BOUNDS_EXCEEDED;
        default:
          return EXCEPTION_FLT_INVALID_OPERATION;
      }
    case SIGTRAP:
      return signalCode == TRAP_TRACE ? EXCEPTION_SINGLE_STEP : EXCEPTION_BREAKPOINT;
    case SIGABRT:
      return EXCEPTION_FATAL_APP_EXIT;
    default:
      return EXCEPTION_ACCESS_VIOLATION;
  }
}

void InstallCrashCatcher(CrashCallback callback) {
  gCallback = callback;
  if (gInstalled.exchange(true)) return;
  gMainThread = CurrentThreadId();
  GetThreadStackBounds(gMainStackLow, gMainStackHigh);
  SetAltStack(nullptr);
  // The unwinder loads what it needs on first use: not inside a crash.
  int walkError = 0;
  CaptureStack(walkError);

  struct sigaction action {};
  action.sa_sigaction = OnSignal;
  action.sa_flags = SA_SIGINFO | SA_ONSTACK;
  sigemptyset(&action.sa_mask);
  for (int sig : kSignals) sigaddset(&action.sa_mask, sig);
  for (int i = 0; i < kSignalCount; ++i) sigaction(kSignals[i], &action, &gPrevious[i]);
  gPreviousTerminate = std::set_terminate(OnTerminate);
}

void UninstallCrashCatcher() {
  if (!gInstalled.exchange(false)) return;
  for (int i = 0; i < kSignalCount; ++i) sigaction(kSignals[i], &gPrevious[i], nullptr);
  std::set_terminate(gPreviousTerminate);
  gCallback = nullptr;
  // The main thread's signal stack stays: another handler may run on it.
}

bool IsCrashCatcherInstalled() { return gInstalled; }

ScopedAltSignalStack::ScopedAltSignalStack() {
  if (!gInstalled) return;
  stack_t current{};
  if (sigaltstack(nullptr, &current) != 0) return;
  if (!(current.ss_flags & SS_DISABLE) && current.ss_size >= kAltStackSize) return;
  mStack = SetAltStack(nullptr);
  mPreviousStack = current.ss_sp;
  mPreviousSize = current.ss_size;
  mPreviousFlags = current.ss_flags & SS_DISABLE;
}

ScopedAltSignalStack::~ScopedAltSignalStack() {
  if (mStack == nullptr) return;
  stack_t previous{};
  previous.ss_sp = mPreviousStack;
  previous.ss_size = mPreviousSize;
  previous.ss_flags = mPreviousFlags;
  sigaltstack(&previous, nullptr);
  munmap(mStack, kAltStackSize);
}

__attribute__((noinline)) void RaiseAccessViolation() {
  // Inside the first page, which is never mapped; not null, so that the
  // compiler keeps the store as written.
  volatile uintptr_t address = 16;
  *reinterpret_cast<volatile int*>(address) = 0;
}

}  // namespace Plix
