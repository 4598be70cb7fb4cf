#include "framework/graphics/D3DTester.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <functional>

#include "framework/graphics/TextureData.h"
#include "tests/graphics/D3DTestSupport.h"
#include "tests/support/TestSupport.h"

namespace Plix {
namespace {

using Testing::Display3D;

const std::string kOwnCard = "Unsupported video card: Plix software rasteriser (Direct3D 7 emulation)";

// The emulated machine with a display host and registry, without a
// display: the tester runs on its own DirectDraw object.
struct Machine {
  Display3D d;
  std::vector<D3DDrawRecord> log;
  explicit Machine(int bits = 32, const EmulatedDirect3DConfig& device = {}, EmulatedDisplayConfig desktop = {})
      : d(false, bits, 64, 48, device, desktop) {
    EmulatedDirect3D::Get().SetDrawLog(&log);
  }
  std::unique_ptr<D3DTester> Run(int minMB = 6, int recMB = 14) {
    auto tester = std::make_unique<D3DTester>(&d.mApp);
    tester->SetVidMemoryConstraints(minMB, recMB);
    tester->TestD3D(nullptr, nullptr);
    return tester;
  }
  HKEY Key() {
    HKEY key = nullptr;
    RegOpenKeyExA(HKEY_CURRENT_USER, "SOFTWARE\\VARNOK\\Test\\Test3D", 0, KEY_ALL_ACCESS, &key);
    return key;
  }
  std::string String(const char* name) {
    HKEY key = Key();
    char buffer[256] = {};
    DWORD type = 0, length = sizeof buffer;
    const bool ok = key && RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(buffer), &length) == 0;
    if (key) RegCloseKey(key);
    return ok ? std::string(buffer) : "<none>";
  }
  void SetDword(const char* name, DWORD value) {
    HKEY key = Key();
    RegSetValueExA(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value);
    RegCloseKey(key);
  }
  void SetString(const char* name, const std::string& value) {
    HKEY key = Key();
    RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()), DWORD(value.size() + 1));
    RegCloseKey(key);
  }
};

TEST(D3DTester, TheFiveBlendScenesPassOnTheRasteriser) {
  for (int bits : {32, 16}) {
    Machine m(bits);
    D3DTester tester(&m.d.mApp);
    tester.SetVidMemoryConstraints(6, 14);
    ASSERT_TRUE(tester.PrepareTest(nullptr, nullptr)) << tester.mFailureReason;
    struct Scene {
      const char* name;
      bool (D3DTester::*run)();
      uint32_t expected;
    } scenes[] = {{"alpha", &D3DTester::TestAlphaBlend, 0x7F007F},
                  {"additive", &D3DTester::TestAdditiveBlend, 0x808080},
                  {"alpha add", &D3DTester::TestAlphaAddBlend, 0x808080},
                  {"alpha modulate", &D3DTester::TestAlphaModulate, 0x7F007F}};
    for (const Scene& s : scenes) {
      EXPECT_TRUE((tester.*s.run)()) << bits << " " << s.name << ": " << tester.mFailureReason;
      int32_t wrong = -1;
      bool uniform = false;
      D3DTester::JudgeBlock(tester.mCaptureImage, s.expected, wrong, uniform);
      EXPECT_EQ(wrong, 0) << bits << " " << s.name;
      EXPECT_TRUE(uniform) << bits << " " << s.name;
    }
    EXPECT_TRUE(tester.TestClipProblem());
    EXPECT_EQ(tester.mFailureReason, "");
    // No scene warned: only the adapter's own warning is left.
    EXPECT_EQ(tester.mWarning, kOwnCard) << bits;
    tester.Cleanup();
  }
}

TEST(D3DTester, ResultsAreCachedAndReadBackOnTheNextStart) {
  Machine m;
  auto first = m.Run();
  EXPECT_EQ(first->mFailureReason, "");
  EXPECT_EQ(first->mWarning, kOwnCard);
  EXPECT_TRUE(first->mResultFresh);
  EXPECT_FALSE(m.log.empty());
  EXPECT_EQ(m.String("Warning"), kOwnCard);
  EXPECT_EQ(m.String("FailureReason"), "");
  EXPECT_EQ(EmulatedDirect3D::Get().LiveDevices(), 0);

  m.log.clear();
  auto second = m.Run();
  EXPECT_TRUE(m.log.empty());  // nothing rendered
  EXPECT_FALSE(second->mResultFresh);
  EXPECT_EQ(second->mWarning, kOwnCard);
  EXPECT_EQ(second->mFailureReason, "");
  EXPECT_EQ(m.d.mApp.mSyncedStrings, (std::vector<std::string>{"", kOwnCard, "", kOwnCard}));
  EXPECT_EQ(m.d.mApp.mSyncedBools, (std::vector<bool>{true, false}));
}

TEST(D3DTester, AChangedMachineOrCacheIsTestedAfresh) {
  struct Case {
    const char* name;
    std::function<void(Machine&)> change;
    int minMB, recMB;
    bool fresh;
  } cases[] = {
      {"same", [](Machine&) {}, 6, 14, false},
      {"other minimum", [](Machine&) {}, 5, 14, true},
      {"other recommendation", [](Machine&) {}, 6, 16, true},
      {"other version", [](Machine& m) { m.SetDword("Version", 1); }, 6, 14, true},
      {"other adapter", [](Machine& m) {
         HKEY key = m.Key();
         const uint8_t guid[16] = {1, 2, 3};
         RegSetValueExA(key, "DisplayGUID", 0, REG_BINARY, guid, sizeof guid);
         RegCloseKey(key);
       }, 6, 14, true},
  };
  for (const Case& c : cases) {
    Machine m;
    m.Run();
    c.change(m);
    m.log.clear();
    auto again = m.Run(c.minMB, c.recMB);
    EXPECT_EQ(again->mResultFresh, c.fresh) << c.name;
    EXPECT_EQ(m.log.empty(), !c.fresh) << c.name;
  }
}

TEST(D3DTester, ACachedFailureIsTestedAgainButNotFresh) {
  Machine m;
  m.Run();
  m.SetString("FailureReason", "Alpha blend Not Supported");
  m.log.clear();
  auto again = m.Run();
  EXPECT_FALSE(m.log.empty());
  EXPECT_EQ(again->mFailureReason, "");
  EXPECT_FALSE(again->mResultFresh);
  EXPECT_EQ(m.String("FailureReason"), "");
}

TEST(D3DTester, FailuresAndWarningsOfTheMachine) {
  struct Case {
    const char* name;
    std::function<void(EmulatedDisplayConfig&, EmulatedDirect3DConfig&)> config;
    std::function<void()> fault;
    int bits;
    const char* failure;
    const char* warning;
  } cases[] = {
      {"little video memory", [](auto& d, auto&) { d.videoMemory = 1u << 20; }, [] {}, 32, "Not enough video memory.",
       ""},
      {"old DirectDraw", [](auto& d, auto&) { d.hasDirectDrawCreateEx = false; }, [] {}, 32, "No DirectDrawCreateEx",
       ""},
      {"no alpha textures", [](auto&, auto& t) { t.textureFormats = {PixelFormatR5G6B5()}; }, [] {}, 32,
       "A4R4G4B4 and A8R8G8B8 texture formats not supported.", "A8R8G8B8 texture format not supported."},
      {"A4R4G4B4 only", [](auto&, auto& t) { t.textureFormats = {PixelFormatA4R4G4B4()}; }, [] {}, 32, "",
       "A8R8G8B8 texture format not supported."},
      {"no device", [](auto&, auto&) {},
       [] { EmulatedDirect3D::Get().FailNext(D3DOp::CreateDevice, DDERR_OUTOFVIDEOMEMORY); }, 32,
       "DXError - CreateDevice: DDERR_OUTOFVIDEOMEMORY", kOwnCard.c_str()},
      {"drawing fails", [](auto&, auto&) {},
       [] { EmulatedDirect3D::Get().FailNext(D3DOp::DrawPrimitive, DDERR_GENERIC); }, 32,
       "DXError - DrawPrimitive: DSERR_GENERIC", kOwnCard.c_str()},
      {"a driver that drops the vertex alpha", [](auto&, auto& t) { t.ignoreDiffuseAlpha = true; }, [] {}, 32,
       "AlphaModulated blend not supported.", kOwnCard.c_str()},
      {"24-bit desktop", [](auto&, auto&) {}, [] {}, 24, "Can't test 24-bit mode.", kOwnCard.c_str()},
  };
  for (const Case& c : cases) {
    EmulatedDisplayConfig desktop;
    EmulatedDirect3DConfig device;
    c.config(desktop, device);
    Machine m(c.bits, device, desktop);
    c.fault();
    auto tester = m.Run();
    EXPECT_EQ(tester->mFailureReason, c.failure) << c.name;
    EXPECT_EQ(tester->mWarning, c.warning) << c.name;
    EXPECT_TRUE(tester->mResultFresh) << c.name;
    // Failures are cached too.
    EXPECT_EQ(m.String("FailureReason"), c.failure) << c.name;
    EXPECT_EQ(EmulatedDirect3D::Get().LiveDevices(), 0) << c.name;
  }
}

TEST(D3DTester, BlendResultsAreJudgedWithATolerance) {
  D3DTestImage capture(100, 100);
  for (int y = 0; y < 100; ++y)
    for (int x = 0; x < 100; ++x) capture.At(x, y) = 0xFF7E0180;
  int32_t wrong = -1;
  bool uniform = false;
  D3DTester::JudgeBlock(capture, 0x7F007F, wrong, uniform);
  EXPECT_EQ(wrong, 0);  // distance 3
  EXPECT_TRUE(uniform);
  capture.At(9, 9) = 0xFF7F007E;  // another colour, still close
  D3DTester::JudgeBlock(capture, 0x7F007F, wrong, uniform);
  EXPECT_EQ(wrong, 0);
  EXPECT_FALSE(uniform);
  capture.At(0, 5) = 0xFF9F007F;  // 32 levels off: 1024
  capture.At(10, 0) = 0xFF000000;  // outside the block
  D3DTester::JudgeBlock(capture, 0x7F007F, wrong, uniform);
  EXPECT_EQ(wrong, 1);
}

TEST(D3DTester, AdapterListsAndTheDriverYearDecideSupport) {
  struct Case {
    const char* deny;   // null: no file
    const char* allow;  // null: no file
    int driverYear;
    const char* description;
    bool supported;
  } cases[] = {
      {"  RAGE \n", "ati\n", 2005, "ATI Rage Pro", false},
      {nullptr, "\n  geforce \n", 2001, "NVIDIA GeForce2", true},
      {nullptr, "geforce\n", 2005, "ATI Radeon 9000", false},
      {"", nullptr, 2001, "S3 Savage", false},
      {nullptr, nullptr, 2001, "ATI Rage Pro", true},
      {nullptr, nullptr, 2001, "Radeon", true},
      {nullptr, nullptr, 2002, "S3 Savage", true},
      {nullptr, nullptr, 0, "Plix software rasteriser (Direct3D 7 emulation)", false},
  };
  for (const Case& c : cases) {
    Testing::TempDir dir;
    Testing::ScopedCwd cwd(dir.Path());
    if (c.deny) Testing::WriteFile(dir / "vhwb.dat", c.deny);
    if (c.allow) Testing::WriteFile(dir / "vhw.dat", c.allow);
    Testing::D3DTestHost host;
    D3DTester tester(&host);
    tester.mDriverYear = c.driverYear;
    EXPECT_EQ(tester.IsSupportedCard(c.description), c.supported) << c.description << " " << c.driverYear;
  }
}

TEST(D3DTester, TheDriverFilesYearIsItsLastWrite) {
  Testing::TempDir dir;
  const std::string driver = dir / "display.drv";
  Testing::WriteFile(driver, "driver");
  std::filesystem::last_write_time(
      driver, std::chrono::file_clock::from_sys(std::chrono::sys_seconds{std::chrono::sys_days{std::chrono::year{2001} / 6 / 15}}));
  EmulatedDisplayConfig desktop;
  desktop.adapterDriver = driver;
  desktop.adapterDescription = "S3 Savage";
  Machine m(32, {}, desktop);
  D3DTester tester(&m.d.mApp);
  ASSERT_TRUE(tester.PrepareTest(nullptr, nullptr));
  EXPECT_EQ(tester.mDriverYear, 2001);
  EXPECT_EQ(tester.mWarning, "Unsupported video card: S3 Savage");
  tester.Cleanup();
}

TEST(D3DTester, ADemoBeingPlayedGivesTheRecordedResult) {
  Machine m;
  m.d.mApp.mSettings.demoPlaying = true;
  m.d.mApp.mDemoStrings = {"", "recorded warning"};
  m.d.mApp.mDemoBools = {true};
  auto tester = m.Run();
  EXPECT_TRUE(m.log.empty());
  EXPECT_EQ(m.String("Version"), "<none>");
  EXPECT_EQ(tester->mFailureReason, "");
  EXPECT_EQ(tester->mWarning, "recorded warning");
  EXPECT_TRUE(tester->mResultFresh);
}

TEST(D3DTester, TheDisplayFollowsTheOutcomeAndThePlayerMaySwitch3DOn) {
  Display3D d(false);
  d.mApp.mSettings.use3DWhenRecommended = true;
  ASSERT_EQ(d.Init(), DDInterface::RESULT_OK);
  // A fresh warning keeps 3D off and tells the application.
  ASSERT_NE(d->mD3DTester, nullptr);
  EXPECT_EQ(d->mD3DTester->mWarning, kOwnCard);
  EXPECT_FALSE(d->mIs3D);
  EXPECT_EQ(d.mApp.mTest3DDone, 1);
  // The player's choice: 3D on.
  d->mIs3D = true;
  ASSERT_EQ(d.Init(), DDInterface::RESULT_OK) << d->mErrorString;
  EXPECT_TRUE(d.Screen()->Is3D());
  EXPECT_EQ(d.mApp.mTest3DDone, 1);  // the test ran once
}

}  // namespace
}  // namespace Plix
