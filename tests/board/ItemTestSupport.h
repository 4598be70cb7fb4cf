#pragma once
// Shared pieces of the item tests: a drawing destination that records its
// blits instead of drawing, and stand-in images of known sizes for the item
// pictures, each with its own size so a blit names its image.
#include <memory>
#include <vector>

#include "framework/graphics/Graphics.h"
#include "framework/graphics/Image.h"
#include "game/app/GameResources.h"
#include "tests/game/GameTestSupport.h"

namespace Plix::Testing {

// An 800 x 600 destination that keeps every blit.
class BlitLog : public Image {
public:
  struct Call {
    Image* image;
    int x;
    int y;
    int cel;  // from the source rect's position in the cel grid
    Color color;
    int mode;
  };

  BlitLog() {
    mWidth = 800;
    mHeight = 600;
  }
  void Blit(Image* src, int32_t x, int32_t y, const Rect& srcRect, const Color& color, int32_t drawMode) override {
    const int w = src->GetCellWidth();
    const int h = src->GetCellHeight();
    const int cel = (h ? srcRect.mY / h : 0) * src->mCelColumns + (w ? srcRect.mX / w : 0);
    mCalls.push_back({src, x, y, cel, color, drawMode});
  }
  // The blits of one image, positions relative to (ox, oy).
  std::vector<Call> Of(const Image* image, int ox = 0, int oy = 0) const {
    std::vector<Call> out;
    for (Call c : mCalls) {
      if (c.image != image) continue;
      c.x -= ox;
      c.y -= oy;
      out.push_back(c);
    }
    return out;
  }

  std::vector<Call> mCalls;
};

// Sizes of the stand-in item pictures.
struct ItemImages {
  ItemImages() {
    Put(IMAGE_CONE, 22, 33);
    Put(IMAGE_CUP, 30, 22);
    Put(IMAGE_PLATE, 48, 18);
    Put(IMAGE_SPECIAL_CUP, 32, 40);
    Put(IMAGE_SPECIAL_PLATE, 60, 30);
    Put(IMAGE_BANANA_SPLIT, 62, 27);
    Put(IMAGE_CAKE, 64, 48);
    Put(IMAGE_BONUS_GOLDEN, 56, 36, 2);
    Put(IMAGE_BIG_BALLS, 156, 24, 6);
    Put(IMAGE_SMALL_BALLS, 132, 20, 6);
    Put(IMAGE_TOPPING, 132, 12, 6);
    Put(IMAGE_UMBRELLA, 26, 30);
    Put(IMAGE_COCKTAIL_STICK, 18, 26);
    Put(IMAGE_STRAW, 10, 24);
    Put(IMAGE_SPARKLER, 8, 34);
    Put(IMAGE_SPARKS, 5, 5);
    Put(IMAGE_ACTION_MARKER, 200, 20, 10);
    Put(IMAGE_CONE_SELECTED, 26, 37);
    Put(IMAGE_CUP_SELECTED, 34, 26);
    Put(IMAGE_PLATE_SELECTED, 52, 22);
    Put(IMAGE_BIG_BALL_SELECTED, 180, 28, 6);
    Put(IMAGE_SMALL_BALL_SELECTED, 156, 24, 6);
    Put(IMAGE_TOPPING_SELECTED, 156, 16, 6);
    Put(IMAGE_UMBRELLA_SELECTED, 30, 34);
    Put(IMAGE_COCKTAIL_STICK_SELECTED, 22, 30);
    Put(IMAGE_STRAW_SELECTED, 14, 28);
    Put(IMAGE_SPARKLER_SELECTED, 12, 38);
  }

  void Put(Image*& variable, int width, int height, int columns = 1) {
    mImages.push_back(GridImage(width, height, columns));
    mScopes.push_back(std::make_unique<ScopedResource<Image*>>(variable, mImages.back().get()));
  }

  std::vector<std::unique_ptr<Image>> mImages;
  std::vector<std::unique_ptr<ScopedResource<Image*>>> mScopes;
};

}  // namespace Plix::Testing
