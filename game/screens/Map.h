#pragma once
// The island map between the story's days: fifty day markers along a path,
// Pemi's icon hopping on the day to play next, the player's numbers and the
// day counter, the buildings of the store, the circus and the hotel, the
// talk balloons, and the moves to the next day, an earlier day, the shops,
// the main menu and a new story. Entering it zooms out from where the
// player came from; leaving zooms in on where the player goes.
#include <string>

#include "game/app/Animation.h"
#include "game/app/Curve.h"
#include "game/app/PlayerProfile.h"
#include "game/screens/ScreenFrame.h"

namespace Plix {

class InfoBalloon;

class Map : public ScreenFrame {
public:
  static constexpr int kDayCount = 50;
  enum ButtonId { kPlay = 1, kBack = 2, kNewGame = 3, kStore = 4, kHotel = 5, kCircus = 6 };
  enum Result { kResultNextDay = 1, kResultMainMenu = 2, kResultRestart = 3, kResultStore = 4, kResultTrophyRoom = 5,
                kResultCircus = 6, kResultReplay = 7, kResultHotel = 65 };
  // Talk balloons with an action after they close.
  enum BalloonId { kArrival = 100, kInvitation = 101, kSaveHint = 256 };
  // Top-left corners of the day markers, by level index.
  static const int kMarkers[kDayCount][2];

  // `entry`: -1 default, -2 from the store, -3 from the circus, -4 from
  // the main menu, else the level index of the day just played.
  Map(GameApp& app, bool fromMainMenu, bool trophyAwarded, int entry);
  ~Map() override;

  void Update() override;
  void Draw(Graphics* g) override;
  void DrawOverlay(Graphics* g) override;
  void MouseMove(int x, int y) override;
  void MouseDown(int x, int y, int clickCount) override;
  void MouseUpAt(int x, int y) override;
  void MouseDrag(int x, int y) override;
  void KeyChar(wchar_t ch) override;

  // The restart dialog's "Yes".
  void StartNewGame();
  void StartZoomIn(float x, float y);
  void StartZoomOut(float x, float y);
  // The day counter's flip after the day that was due.
  void StartProgressAnimation() override;
  // What a closed balloon leads to; always false.
  bool OnBalloonResult(int result);

  int GetDaysCompleted();
  int GetHoveredDay() const { return mHoveredDay; }
  bool IsStoreOpen() const { return mStoreOpen; }
  bool IsCircusOpen() const { return mCircusOpen; }
  bool IsHotelOpen() const { return mHotelOpen; }
  bool HasStoreNews() const { return mStoreNews; }
  bool HasCircusNews() const { return mCircusNews; }
  bool HasHotelNews() const { return mHotelNews; }
  InfoBalloon* GetBalloon() const { return mBalloon; }
  float GetZoomScale() const { return mZoomScale; }
  int GetProgressState() const { return mProgressState; }
  float GetProgressAngle() const { return mProgressAngle; }
  // The marker cel of a day: 0 ahead, 1 played, 2 goal reached.
  int MarkerCel(int day);
  // The day number the counter shows when it is not flipping.
  int ShownDayNumber();
  float GetLogoY() const { return mLogoY; }

protected:
  void CreateButtons() override;
  void OnButton(int id) override;
  void OnFadeResult(int result) override;

private:
  PlayerProfile& Player();
  // The day whose marker holds the icon and that id 1 plays.
  int CurrentDay();
  void Leave(int result, float zoomX, float zoomY);
  void LeaveWithoutZoom(int result);
  void MarkerPoint(int day, float& x, float& y) const;
  void UpdateZoom();
  void ApplyZoom(Graphics* g);
  void UpdateProgressAnimation();
  void DrawProgressAnimation(Graphics* g);
  void StarBurst();
  void UpdateScenery();
  void DrawScenery(Graphics* g);
  void DrawTooltip(Graphics* g);
  // The talk: the balloon the map opens with, the save hint, the
  // invitation to the hotel.
  void DecideTalk();
  void ShowSaveHint();
  void Say(int id, int speaker, const wchar_t* const* pages, int pageCount, const wchar_t* button, int delay);

  struct Pulse {
    int alpha;
    int step;
  };

  bool mFromMainMenu;
  bool mStoreOpen = false;
  bool mCircusOpen = false;
  bool mHotelOpen = false;
  bool mStoreNews = false;
  bool mCircusNews = false;
  bool mHotelNews = false;
  InfoBalloon* mBalloon = nullptr;  // owned
  int mHoveredDay = -1;
  int mHoverTicks = 0;
  int mUpdateCount = 0;
  float mIconPhase = 0;
  int mProgressState = 0;
  float mProgressAngle = 0;
  Animation mStar;
  float mZoomScale = 1.0f;
  float mZoomSpeed = 0;
  float mZoomX = 0;
  float mZoomY = 0;
  Curve mZoomCurve;
  float mZoomT = 0;
  // Scenery.
  Pulse mStorePulse{127, 3};
  Pulse mCircusPulse{0, 3};
  Pulse mHotelPulse{255, 3};
  Animation mElephant;
  int mEyesAlpha = 0;
  int mEyesStep = 2;
  float mBallPhase = 0;
  float mLogoY = 0;
  int mCoasterX = -16;
  int mCoasterY = -16;
  int mCoasterAlpha = 0;
  int mLampAlpha[5] = {};
  int mLampCycle = 0;
  Animation mSparkle;
  PlayerProfile mNoPlayer;
};

}  // namespace Plix
