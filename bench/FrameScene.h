#pragma once
// The representative frame of the drawing benchmarks: an 800 x 600
// gradient background, 150 sprites with alpha, 20 lines and 10 translucent
// rectangles, drawn through Graphics into a display's screen and presented.
#include <cmath>
#include <cstdint>
#include <memory>
#include <vector>

#include "framework/graphics/DDImage.h"
#include "framework/graphics/DDInterface.h"
#include "framework/graphics/Graphics.h"
#include "framework/graphics/GraphicsHost.h"

namespace Plix::Bench {

constexpr int kFrameWidth = 800;
constexpr int kFrameHeight = 600;

class FrameDisplayHost : public DisplayHost {
public:
  DisplaySettings GetDisplaySettings() override {
    DisplaySettings s;
    s.screenWidth = kFrameWidth;
    s.screenHeight = kFrameHeight;
    return s;
  }
};

// The frame's pictures on an initialised display: the background and a
// 32 x 32 ball with a soft edge.
struct FrameImages {
  std::unique_ptr<DDImage> background;
  std::unique_ptr<DDImage> sprite;

  explicit FrameImages(DDInterface* display) {
    std::vector<uint32_t> pixels(static_cast<size_t>(kFrameWidth) * kFrameHeight);
    for (int y = 0; y < kFrameHeight; ++y)
      for (int x = 0; x < kFrameWidth; ++x)
        pixels[static_cast<size_t>(y) * kFrameWidth + x] =
            0xFF000000u | ((x * 255 / kFrameWidth) << 16) | ((y * 255 / kFrameHeight) << 8) | 0x40;
    background = std::make_unique<DDImage>(display);
    background->SetBits(pixels.data(), kFrameWidth, kFrameHeight);
    std::vector<uint32_t> ball(32 * 32);
    for (int y = 0; y < 32; ++y)
      for (int x = 0; x < 32; ++x) {
        const double d = std::hypot(x - 15.5, y - 15.5);
        const int a = d > 15 ? 0 : d < 10 ? 255 : static_cast<int>(255 * (15 - d) / 5);
        ball[static_cast<size_t>(y) * 32 + x] = (static_cast<uint32_t>(a) << 24) | 0xE0A030u;
      }
    sprite = std::make_unique<DDImage>(display);
    sprite->SetBits(ball.data(), 32, 32);
  }
};

// Draws frame number `frame` (the sprites move with it) and presents it.
inline void DrawFrame(DDInterface* display, const FrameImages& images, int frame) {
  Graphics g(display->GetScreenImage());
  g.DrawImage(images.background.get(), 0, 0);
  for (int i = 0; i < 150; ++i) {
    const int x = (i * 97 + frame * 3) % (kFrameWidth - 16);
    const int y = (i * 61 + frame * 2) % (kFrameHeight - 16);
    g.DrawImage(images.sprite.get(), x, y);
  }
  g.SetColor(Color(255, 255, 255, 200));
  for (int i = 0; i < 20; ++i) g.DrawLine(i * 37, 0, kFrameWidth - 1 - i * 29, kFrameHeight - 1);
  g.SetColor(Color(40, 80, 200, 128));
  for (int i = 0; i < 10; ++i) g.FillRect(20 + i * 70, 40 + (i % 3) * 150, 60, 40);
  display->Redraw();
}

}  // namespace Plix::Bench
