// The application's side of the Direct3D path: Shift+F8 switches the
// running program between the paths, F8 shows the video statistics with
// the textures in use, and a Direct3D failure is kept in the registry for
// the next start's capability test.
#include <gtest/gtest.h>

#include <string>

#include "framework/graphics/D3DInterface.h"
#include "framework/graphics/DDImage.h"
#include "framework/graphics/DDInterface.h"
#include "framework/graphics/Graphics.h"
#include "framework/platform/Direct3D.h"
#include "framework/platform/WindowSystem.h"
#include "framework/widget/WidgetManager.h"
#include "tests/app/AppTestSupport.h"

namespace Plix::Testing {
namespace {

class Direct3DHooksTest : public AppFixture {
protected:
  ScopedEmulatedDirect3D mDevice;
};

TEST_F(Direct3DHooksTest, ShiftF8SwitchesPathsAndF8CountsTheTextures) {
  auto& app = Make();
  app.mUse3DWhenRecommended = true;
  ASSERT_EQ(InitApp(), -1);
  // The software device is supported, not recommended: 3D stays off.
  EXPECT_TRUE(app.IsHardwareSupported());
  EXPECT_FALSE(app.IsHardwareRecommended());
  EXPECT_FALSE(app.IsHardwareDrawing());
  app.mAppWidgets->mKeyDown[VK_SHIFT] = 1;
  EXPECT_TRUE(app.HandleDebugKey(VK_F8));
  EXPECT_TRUE(app.IsHardwareDrawing());
  ASSERT_TRUE(app.mAppDisplay->GetScreenImage()->Is3D());
  ASSERT_FALSE(mBackend.mBoxes.empty());
  EXPECT_EQ(mBackend.mBoxes.back().caption, L"Mode Switch");
  EXPECT_EQ(mBackend.mBoxes.back().text, L"3D-Mode: ON");

  // A 64 x 32 picture with alpha drawn once gives one A8R8G8B8 texture.
  std::vector<uint32_t> argb(64 * 32, 0x80FFFFFF);
  auto image = std::make_unique<DDImage>(app.mAppDisplay);
  image->SetBits(argb.data(), 64, 32);
  Graphics g(app.mAppDisplay->GetScreenImage());
  g.DrawImage(image.get(), 0, 0);
  app.mAppWidgets->mKeyDown[VK_SHIFT] = 0;
  EXPECT_TRUE(app.HandleDebugKey(VK_F8));
  const std::wstring& stats = mBackend.mBoxes.back().text;
  EXPECT_EQ(mBackend.mBoxes.back().caption, L"Video Stats");
  EXPECT_NE(stats.find(L"3D-Mode is On (3D is Supported on this system)"), std::wstring::npos) << stats;
  EXPECT_NE(stats.find(L"Texture Memory: 8 KB\r\nA8R8G8B8: 1 - 8 KB\r\nA4R4G4B4: 0 - 0 KB\r\n"), std::wstring::npos)
      << stats;

  app.mAppWidgets->mKeyDown[VK_SHIFT] = 1;
  EXPECT_TRUE(app.HandleDebugKey(VK_F8));
  EXPECT_FALSE(app.IsHardwareDrawing());
  EXPECT_EQ(mBackend.mBoxes.back().text, L"3D-Mode: OFF");
  EXPECT_EQ(image->mD3DData, nullptr);  // the textures went with the device
  app.mAppWidgets->mKeyDown[VK_SHIFT] = 0;
}

TEST_F(Direct3DHooksTest, AFailedDirect3DCallIsKeptForTheNextCapabilityTest) {
  auto& app = Make();
  ASSERT_EQ(InitApp(), -1);
  app.SetHardwareDrawing(true, true);
  ASSERT_TRUE(app.IsHardwareDrawing());
  EmulatedDirect3D::Get().FailNext(D3DOp::DrawPrimitive, DDERR_GENERIC);
  app.mAppDisplay->GetScreenImage()->FillRect(Rect(0, 0, 8, 8), Color(255, 0, 0), 0);
  std::string stored;
  ASSERT_TRUE(app.ReadRegistryString("Test3D\\RuntimeError", stored));
  EXPECT_EQ(stored, "DrawPrimitive (Rect): DSERR_GENERIC");
}

}  // namespace
}  // namespace Plix::Testing
