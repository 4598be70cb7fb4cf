#include "framework/platform/StackWalk.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <unistd.h>

#include <cstdlib>
#include <thread>

#include "framework/platform/CrashSignals.h"

namespace Plix {
namespace {

__attribute__((noinline)) std::vector<StackFrame> Inner(int& error) {
  std::vector<StackFrame> frames = CaptureStack(error);
  asm volatile("");  // keeps the call from becoming a jump
  return frames;
}

__attribute__((noinline)) std::vector<StackFrame> Outer(int& error) {
  std::vector<StackFrame> frames = Inner(error);
  asm volatile("");
  return frames;
}

std::string NameOf(const StackFrame& frame) {
  std::string name;
  uintptr_t start = 0;
  return LookupSymbol(frame.LookupAddress(), name, start) ? name : std::string();
}

TEST(StackWalk, CaptureStartsAtTheCallerAndGoesOutwards) {
  int error = -1;
  std::vector<StackFrame> frames = Outer(error);
  ASSERT_GE(frames.size(), 3u);
  EXPECT_EQ(NameOf(frames[0]), "Plix::(anonymous namespace)::Inner(int&)");
  EXPECT_EQ(NameOf(frames[1]), "Plix::(anonymous namespace)::Outer(int&)");
  EXPECT_NE(NameOf(frames[2]).find("CaptureStartsAtTheCallerAndGoesOutwards"), std::string::npos);
  // Frame addresses grow outwards.
  EXPECT_LT(frames[0].frame, frames[1].frame);
  EXPECT_LT(frames[1].frame, frames[2].frame);
}

TEST(StackWalk, LooksUpFunctionsTheModuleDoesNotExport) {
  auto address = reinterpret_cast<uintptr_t>(&Inner);
  std::string name;
  uintptr_t start = 0;
  ASSERT_TRUE(LookupSymbol(address + 3, name, start));
  EXPECT_EQ(name, "Plix::(anonymous namespace)::Inner(int&)");
  EXPECT_EQ(start, address);
}

TEST(StackWalk, LooksUpExportedFunctions) {
  auto address = reinterpret_cast<uintptr_t>(&::getpid);
  std::string name;
  uintptr_t start = 0;
  ASSERT_TRUE(LookupSymbol(address, name, start));
  EXPECT_NE(name.find("getpid"), std::string::npos) << name;
}

TEST(StackWalk, NothingIsFoundWhereNothingIsMapped) {
  std::string name = "unchanged", module = "unchanged";
  uintptr_t start = 7, offset = 7;
  int section = 7;
  EXPECT_FALSE(LookupSymbol(16, name, start));
  EXPECT_FALSE(GetLogicalAddress(16, module, section, offset));
  EXPECT_EQ(std::make_tuple(name, module, start, section, offset),
            std::make_tuple("unchanged", "unchanged", 7u, 7, 7u));
}

TEST(StackWalk, LogicalAddressNamesModuleSectionAndOffset) {
  auto address = reinterpret_cast<uintptr_t>(&Inner);
  std::string module;
  int section = 0;
  uintptr_t offset = 0, offsetLater = 0;
  ASSERT_TRUE(GetLogicalAddress(address, module, section, offset));
  char self[4096];
  ssize_t n = readlink("/proc/self/exe", self, sizeof(self));
  ASSERT_GT(n, 0);
  EXPECT_EQ(module, std::string(self, static_cast<size_t>(n)));
  EXPECT_GT(section, 0);
  int sectionLater = 0;
  ASSERT_TRUE(GetLogicalAddress(address + 5, module, sectionLater, offsetLater));
  EXPECT_EQ(sectionLater, section);
  EXPECT_EQ(offsetLater, offset + 5);
}

TEST(StackWalk, DemanglesOnlyMangledNames) {
  EXPECT_EQ(Demangle("_ZN4Plix3FooEi"), "Plix::Foo(int)");
  EXPECT_EQ(Demangle("main"), "main");
}

TEST(StackWalk, FramePointerChainStopsAtABadLink) {
  // {saved frame pointer, return address} pairs on this stack.
  alignas(16) uintptr_t chain[8] = {};
  chain[0] = reinterpret_cast<uintptr_t>(&chain[2]);
  chain[1] = 0x1111;
  chain[2] = reinterpret_cast<uintptr_t>(&chain[4]);
  chain[3] = 0x2222;
  chain[4] = reinterpret_cast<uintptr_t>(&chain[0]);  // points back down: the end
  chain[5] = 0x3333;
  uintptr_t low = 0, high = 0;
  ASSERT_TRUE(GetThreadStackBounds(low, high));
  std::vector<StackFrame> frames = WalkFramePointers(0x1000, reinterpret_cast<uintptr_t>(&chain[0]), low, high);
  ASSERT_EQ(frames.size(), 3u);
  EXPECT_EQ(frames[0].pc, 0x1000u);
  EXPECT_FALSE(frames[0].returnAddress);
  EXPECT_EQ(frames[1].pc, 0x1111u);
  EXPECT_EQ(frames[1].frame, reinterpret_cast<uintptr_t>(&chain[2]));
  EXPECT_EQ(frames[2].pc, 0x2222u);
  // A frame pointer outside the stack is not followed at all.
  EXPECT_EQ(WalkFramePointers(0x1000, 8, low, high).size(), 1u);
}

TEST(CrashSignals, SignalsMapToTheOriginalExceptionCodes) {
  struct Case {
    int signal;
    int code;
    bool nearStackLimit;
    uint32_t exception;
  };
  const Case cases[] = {
      {SIGSEGV, SEGV_MAPERR, false, EXCEPTION_ACCESS_VIOLATION},
      {SIGSEGV, SEGV_ACCERR, false, EXCEPTION_ACCESS_VIOLATION},
      {SIGSEGV, SEGV_MAPERR, true, EXCEPTION_STACK_OVERFLOW},
      {SIGBUS, BUS_ADRALN, false, EXCEPTION_DATATYPE_MISALIGNMENT},
      {SIGBUS, BUS_ADRERR, false, EXCEPTION_IN_PAGE_ERROR},
      {SIGILL, ILL_ILLOPC, false, EXCEPTION_ILLEGAL_INSTRUCTION},
      {SIGILL, ILL_PRVOPC, false, EXCEPTION_PRIV_INSTRUCTION},
      {SIGFPE, FPE_INTDIV, false, EXCEPTION_INT_DIVIDE_BY_ZERO},
      {SIGFPE, FPE_INTOVF, false, EXCEPTION_INT_OVERFLOW},
      {SIGFPE, FPE_FLTDIV, false, EXCEPTION_FLT_DIVIDE_BY_ZERO},
      {SIGFPE, FPE_FLTOVF, false, EXCEPTION_FLT_OVERFLOW},
      {SIGFPE, FPE_FLTUND, false, EXCEPTION_FLT_UNDERFLOW},
      {SIGFPE, FPE_FLTRES, false, EXCEPTION_FLT_INEXACT_RESULT},
      {SIGFPE, FPE_FLTINV, false, EXCEPTION_FLT_INVALID_OPERATION},
      {SIGFPE, FPE_FLTSUB, false, EXCEPTION_ARRAY_BOUNDS_EXCEEDED},
      {SIGTRAP, TRAP_BRKPT, false, EXCEPTION_BREAKPOINT},
      {SIGTRAP, TRAP_TRACE, false, EXCEPTION_SINGLE_STEP},
      {SIGABRT, SI_TKILL, false, EXCEPTION_FATAL_APP_EXIT},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ExceptionCodeForSignal(c.signal, c.code, c.nearStackLimit), c.exception)
        << "signal " << c.signal << " code " << c.code;
  }
}

TEST(CrashSignals, ThreadsGetTheirOwnSignalStackWhileInstalled) {
  auto stackSize = [] {
    stack_t ss{};
    sigaltstack(nullptr, &ss);
    return (ss.ss_flags & SS_DISABLE) ? size_t{0} : ss.ss_size;
  };
  size_t before = 0, inside = 0, after = 0;
  InstallCrashCatcher(nullptr);
  std::thread([&] {
    before = stackSize();
    {
      ScopedAltSignalStack stack;
      inside = stackSize();
    }
    after = stackSize();
  }).join();
  UninstallCrashCatcher();
  EXPECT_GE(inside, 256u * 1024);
  EXPECT_EQ(after, before);
  EXPECT_FALSE(IsCrashCatcherInstalled());
}

}  // namespace
}  // namespace Plix
