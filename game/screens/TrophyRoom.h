#pragma once
// The hotel's trophy room: the current player's ten trophies, each in the
// look of its grade, and the shop's reputation stars. Won trophies sparkle
// now and then, the one under the mouse more often; pointing at a trophy
// fades its name in, pointing at the stars tells how many there are. One
// exit leads back to the map.
#include <string>

#include "game/app/Animation.h"
#include "game/screens/ScreenFrame.h"

namespace Plix {

class TrophyRoom : public ScreenFrame {
public:
  static constexpr int kTrophies = 10;
  static constexpr int kExit = 1;

  explicit TrophyRoom(GameApp& app);
  ~TrophyRoom() override;

  void Draw(Graphics* g) override;
  void MouseMove(int x, int y) override;
  void MouseDown(int x, int y, int clickCount) override;
  void MouseDrag(int x, int y) override;
  void MouseUpAt(int x, int y) override;

  int GetHoveredTrophy() const { return mHoveredTrophy; }
  int GetSparkleCountdown() const { return mSparkleCountdown; }
  int GetSparkleCount() const { return mSparkles.GetCount(); }
  int GetWonCount() const { return mWonCount; }
  bool IsMouseShown() const { return mMouseShown; }
  int GetTextAlpha() const { return mTextAlpha; }
  const std::wstring& GetShownText() const { return mShownText; }
  const std::wstring& GetWantedText() const { return mWantedText; }
  const std::wstring& GetStarsText() const { return mStarsText; }
  // The name shown for a trophy, its place and its picture's cel for the
  // player's grade.
  static const wchar_t* TrophyName(int i);
  int GetTrophyCel(int i) const;

protected:
  void CreateButtons() override;
  void UpdateScreen() override;
  void OnFadeResult(int result) override;

private:
  bool IgnoresMouse() const;
  int Grade(int i) const;
  int Stars() const;
  void UpdateSparkles();
  void SpawnSparkle();

  Animation mBright1;
  Animation mBright3;
  Animation mSparkle;
  ObjectList mSparkles;  // Animation*, owned
  int mSparkleCountdown = 50;
  Image* mTrophyImages[kTrophies];
  int mHoveredTrophy = -1;
  int mTextAlpha = 0;
  std::wstring mShownText;
  std::wstring mWantedText;
  std::wstring mStarsText;
  std::wstring mDefaultText;
  int mWonCount = 0;
  bool mMouseShown;
};

}  // namespace Plix
