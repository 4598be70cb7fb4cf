#include "framework/util/Debug.h"

#include <gtest/gtest.h>

#include "framework/platform/DebugOutput.h"
#include "tests/support/TestSupport.h"

namespace Plix {

TEST(DirectXErrors, Names) {
  struct Case {
    uint32_t code;
    const char* name;
  } cases[] = {
      {0x887601C2u, "DDERR_SURFACELOST"},
      {0x88760005u, "DDERR_ALREADYINITIALIZED"},
      {0x8876021Cu, "DDERR_WASSTILLDRAWING"},
      {0x887602BBu, "DDERR_DEVICEDOESNTOWNSURFACE"},
      {0x887602BCu, "D3DERR_BADMAJORVERSION"},
      {0x887602FAu, "D3DERR_SCENE_BEGIN_FAILED"},
      {0x88760800u, "D3DERR_INVALIDVERTEXFORMAT"},
      {0x88760836u, "D3DERR_NOTINBEGINSTATEBLOCK"},
      {0x88780096u, "DSERR_BUFFERLOST"},
      {0x8878000Au, "DSERR_ALLOCATED"},
      // Names that stand for COM codes; a shared value gives the listed name.
      {0x8007000Eu, "E_OUTOFMEMORY"},
      {0x80070057u, "DDERR_INVALIDPARAMS"},
      {0x80004001u, "DDERR_UNSUPPORTED"},
      {0x800401F0u, "DDERR_NOTINITIALIZED"},
      {0x80004005u, "DSERR_GENERIC"},
      {0x80004002u, "DSERR_NOINTERFACE"},
      {0x80040110u, "DSERR_NOAGGREGATION"},
      // No name: the code in hexadecimal.
      {0u, "0"},
      {0x12345u, "12345"},
      {0x88760001u, "88760001"},
      {0xFFFFFFFFu, "ffffffff"},
  };
  for (const auto& c : cases) EXPECT_EQ(GetDirectXErrorString(static_cast<HRESULT>(c.code)), c.name) << std::hex << c.code;
}

TEST(DebugOutput, WideTextIsFormattedAndNarrowed) {
  std::string got;
  SetDebugOutputSink([&](const std::string& s) { got += s; });
  OutputDebugWide(L"%s %d \u00E9\u20AC\n", L"mode", 32);
  SetDebugOutputSink(nullptr);
  EXPECT_EQ(got, "mode 32 \xE9?\n");
}

// Without a sink, debug text reaches standard error only when asked for;
// what the player must read always does.
TEST(DebugOutput, DebugTextIsQuietUnlessAskedForAndPlayerLinesAlwaysShow) {
  SetDebugOutputToStderr(false);
  testing::internal::CaptureStderr();
  OutputDebugStringA("(new) refcount = 1\n");
  TellPlayer("data/levels.txt:3: level 1 has no floor (ENV)");
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "data/levels.txt:3: level 1 has no floor (ENV)\n");
  SetDebugOutputToStderr(true);
  testing::internal::CaptureStderr();
  OutputDebugStringA("(new) refcount = 1\n");
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "(new) refcount = 1\n");
  SetDebugOutputToStderr(false);
}

TEST(AllocationTracker, LeakReport) {
  Testing::TempDir dir;
  Testing::ScopedCwd cwd(dir.Path());
  std::string debug;
  SetDebugOutputSink([&](const std::string& s) { debug += s; });
  {
    AllocationTracker tracker;
    tracker.WriteReport();
    std::string empty = Testing::ReadFile(dir / "mem_leaks.txt");
    EXPECT_EQ(empty.rfind("Memory Leak Report for ", 0), 0u) << empty;
    EXPECT_NE(empty.find("\n\n-----------------------------------------------------------\n"
                         "Total Unfreed: 0 bytes (0KB)\n\n"),
              std::string::npos)
        << empty;

    int a = 0, b = 0, c = 0;
    tracker.Add(&a, 1, "widget.cpp", 10);
    tracker.Add(&b, 2047, "image.cpp", 20);
    tracker.Add(&c, 5, "gone.cpp", 30);
    tracker.Remove(&c);
    debug.clear();
    tracker.SetReportAtExit(true);  // the destructor writes it
  }
  SetDebugOutputSink(nullptr);
  std::string report = Testing::ReadFile(dir / "mem_leaks.txt");
  EXPECT_NE(report.find("widget.cpp(10) : Leak 1 byte\n"), std::string::npos) << report;
  EXPECT_NE(report.find("image.cpp(20) : Leak 2047 bytes\n"), std::string::npos) << report;
  EXPECT_EQ(report.find("gone.cpp"), std::string::npos) << report;
  EXPECT_NE(report.find("Total Unfreed: 2048 bytes (2KB)\n"), std::string::npos) << report;
  // The debugger output has the same lines after an empty one.
  EXPECT_EQ(debug.rfind("\nMemory Leak Report for ", 0), 0u) << debug;
  EXPECT_NE(debug.find("image.cpp(20) : Leak 2047 bytes\n"), std::string::npos) << debug;
}

}  // namespace Plix
