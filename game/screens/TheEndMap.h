#pragma once
// The story's closing screen: the island at night with every day marker
// and the player's totals, the "game completed" title fading in and out
// with sparkles, fireworks over the island, the ending song still playing;
// one button leads on to the best sellers. The picture is painted once.
#include <memory>

#include "game/app/Animation.h"
#include "game/screens/ScreenFrame.h"

namespace Plix {

class TheEndMap : public ScreenFrame {
public:
  static constexpr int kContinue = 2;

  explicit TheEndMap(GameApp& app);
  ~TheEndMap() override;

  void Draw(Graphics* g) override;
  void MouseUpAt(int x, int y) override;

  int GetCounter() const { return mCounter; }
  int GetTitleAlpha() const { return mTitleAlpha; }
  Image* GetPicture() const { return mPicture.get(); }

protected:
  void CreateButtons() override;
  void UpdateScreen() override;
  void OnFadeResult(int result) override;

private:
  void PaintPicture();

  std::unique_ptr<Image> mPicture;
  int mCounter = 0;
  int mTitleAlpha = 0;
  Animation mStar;
};

}  // namespace Plix
