#pragma once
// A font of the system, measured and drawn by the platform's font engine.
#include <memory>
#include <string>

#include "framework/graphics/Font.h"

namespace Plix {

class FontFace;
class GraphicsHost;

class SysFont : public Font {
public:
  std::unique_ptr<FontFace> mFontHandle;  // null when no face was found: measures 0, draws nothing
  GraphicsHost* mApp = nullptr;
  bool mDrawShadow = false;    // a black copy one pixel right and down first
  bool mSimulateBold = false;  // every copy drawn again one pixel to the right

  // Point sizes become pixels at 96 dots per inch: 12 points are 16 pixels.
  SysFont(const std::string& faceName, int pointSize, bool bold = false, bool italic = false,
          bool underline = false);
  SysFont(GraphicsHost* app, const std::string& faceName, int pointSize, int script = 0);
  SysFont(const SysFont& other);
  ~SysFont() override;

  int StringWidth(const std::wstring& text) override;
  void DrawString(Graphics* g, int x, int y, const std::wstring& text, const Color& color,
                  const Rect& clip) override;
  Font* Duplicate() override;

  // The em height in pixels of a point size (the original's MulDiv rounding).
  static int PointsToPixels(int pointSize);

private:
  void Init(GraphicsHost* app, const std::string& faceName, int pointSize, bool bold, bool italic, bool underline);
};

}  // namespace Plix
