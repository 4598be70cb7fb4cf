#include "game/screens/Map.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "framework/graphics/Graphics.h"
#include "framework/graphics/Image.h"
#include "framework/platform/CRand.h"
#include "framework/sound/MusicInterface.h"
#include "framework/widget/WidgetManager.h"
#include "game/app/AlphaButton.h"
#include "game/app/GameApp.h"
#include "game/app/GameResources.h"
#include "game/app/InfoBalloon.h"
#include "game/app/Particle.h"
#include "game/screens/GameDialog.h"
#include "game/screens/RestartDialog.h"

namespace Plix {

namespace {

constexpr int kSongId = 0;
constexpr double kSongFadeOut = 0.02;
constexpr float kHalfPi = 1.570795f;
constexpr float kPi = 3.14159f;

int WidthOf(Image* image) { return image ? image->GetWidth() : 0; }
int HeightOf(Image* image) { return image ? image->GetHeight() : 0; }

void DrawCelIf(Graphics* g, Image* image, int x, int y, int cel) {
  if (image) g->DrawImageCell(image, x, y, cel);
}

void Write(Graphics* g, Font* font, const std::wstring& text, int x, int y) {
  if (!font) return;
  g->SetFont(font);
  g->WriteString(text, x, y, -1, 0);
}

void Wrap(Graphics* g, Font* font, const std::wstring& text, const Rect& r) {
  if (!font) return;
  g->SetFont(font);
  g->DrawWordWrapped(r, text, -1, 0);
}

// Alpha pulses of the buildings' glow.
void StepPulse(int& alpha, int& step) {
  alpha += step;
  if (alpha < 0) {
    alpha = 0;
    step = Rand() % 3 + 2;
  } else if (alpha > 255) {
    alpha = 255;
    step = -2 - Rand() % 3;
  }
}

constexpr int kCoasterLamps[6][2] = {{511, 202}, {520, 201}, {517, 212}, {526, 210}, {521, 225}, {529, 224}};
constexpr int kSparkles[5][2] = {{366, 190}, {388, 188}, {344, 230}, {409, 227}, {360, 270}};
constexpr int kLampPairs[5][4] = {
    {409, 502, 446, 460}, {351, 460, 404, 447}, {399, 396, 453, 387}, {368, 348, 408, 341}, {330, 324, 436, 304}};

}  // namespace

const int Map::kMarkers[kDayCount][2] = {
    {206, 489}, {229, 468}, {247, 445}, {261, 421}, {269, 397}, {264, 373}, {225, 341}, {194, 323}, {157, 306},
    {134, 286}, {139, 263}, {152, 240}, {183, 220}, {228, 194}, {258, 182}, {295, 175}, {323, 162}, {362, 159},
    {400, 157}, {434, 149}, {471, 144}, {475, 180}, {448, 197}, {437, 218}, {439, 239}, {462, 259}, {496, 271},
    {524, 283}, {562, 288}, {596, 298}, {644, 315}, {665, 332}, {670, 354}, {681, 375}, {673, 396}, {670, 416},
    {639, 431}, {602, 444}, {563, 455}, {524, 465}, {452, 484}, {412, 485}, {379, 475}, {364, 458}, {358, 440},
    {383, 425}, {409, 410}, {406, 391}, {394, 373}, {376, 356}};

Map::Map(GameApp& app, bool fromMainMenu, bool trophyAwarded, int entry)
    : ScreenFrame(app, "Map", "data/hawaii.ogg", GroupLoad::kWhenNotReady), mFromMainMenu(fromMainMenu) {
  for (auto [cel, time] : {std::pair{0, 200}, {1, 10}, {0, 25}, {1, 10}, {0, 300}, {1, 25}, {0, 100}})
    mElephant.AddFrame(cel, time);
  mElephant.SetLooping();
  mElephant.Reset();
  mSparkle.SetImage(IMAGE_MAP_SPARKLE);
  for (int cel = 0; cel <= 8; ++cel) mSparkle.AddFrame(cel, 10);
  mSparkle.Reset();
  mStar.SetImage(IMAGE_STAR_PARTICLE_SMALL);
  for (int cel = 0; cel <= 8; ++cel) mStar.AddFrame(cel, 10);
  mStar.SetSpeed(2.0f);
  mStar.Reset();
  mLogoY = static_cast<float>(-20 - HeightOf(IMAGE_MAP_LOGO));

  const int day = GetDaysCompleted() + 1;
  mStoreOpen = day >= 4;
  mCircusOpen = day >= 9;
  for (int i = 0; i < 10; ++i)
    if (Player().GetTrophyGrade(i) != 0) mHotelOpen = true;
  mHotelNews = trophyAwarded;

  DecideTalk();

  if (entry == -1 || entry > kDayCount - 1) {
    StartZoomOut(378, 306);
  } else if (entry == -2) {
    StartZoomOut(0, 408);
  } else if (entry == -3) {
    StartZoomOut(750, 180);
  } else if (entry >= 0) {
    float x = 0, y = 0;
    MarkerPoint(entry, x, y);
    StartZoomOut(x, y);
  }
}

Map::~Map() { delete mBalloon; }

PlayerProfile& Map::Player() {
  PlayerProfile* profile = mApp.GetCurrentProfile();
  return profile ? *profile : mNoPlayer;
}

int Map::GetDaysCompleted() { return Player().GetStoryDays(); }

int Map::CurrentDay() { return std::min(GetDaysCompleted(), kDayCount - 1); }

void Map::MarkerPoint(int day, float& x, float& y) const {
  day = std::clamp(day, 0, kDayCount - 1);
  x = static_cast<float>(kMarkers[day][0] + 10);
  y = static_cast<float>(kMarkers[day][1] + 4);
}

int Map::MarkerCel(int day) {
  if (day >= std::min(GetDaysCompleted(), kDayCount)) return 0;
  return Player().IsLevelDone(day) ? 2 : 1;
}

int Map::ShownDayNumber() { return std::min(GetDaysCompleted() + 1, kDayCount); }

void Map::CreateButtons() {
  mApp.ClearParticles();
  PlayerProfile& player = Player();
  const bool started = player.GetFlag(66);
  const bool completed = player.GetFlag(67);
  if (!started) {
    AddButton(kPlay, IMAGE_MAP_PLAY, IMAGE_MAP_PLAY_OVER, 790 - WidthOf(IMAGE_MAP_PLAY), 510);
    AddButton(kBack, IMAGE_MAP_BACK, IMAGE_MAP_BACK_OVER, 10, 510);
  } else if (completed) {
    AddButton(kBack, IMAGE_MAP_BACK, IMAGE_MAP_BACK_OVER, 10, 510);
    AddButton(kNewGame, IMAGE_MAP_NEW_GAME, IMAGE_MAP_NEW_GAME_OVER, 790 - WidthOf(IMAGE_MAP_NEW_GAME), 530);
  } else {
    Image* play = mFromMainMenu ? IMAGE_MAP_CONTINUE : IMAGE_MAP_PLAY;
    Image* playOver = mFromMainMenu ? IMAGE_MAP_CONTINUE_OVER : IMAGE_MAP_PLAY_OVER;
    AddButton(kPlay, play, playOver, 790 - WidthOf(play), 510);
    AddButton(kBack, IMAGE_MAP_BACK, IMAGE_MAP_BACK_OVER, 10, 510);
    if (mFromMainMenu) {
      const int x = (800 + WidthOf(IMAGE_MAP_BACK) - WidthOf(IMAGE_MAP_CONTINUE)) / 2 - WidthOf(IMAGE_MAP_NEW_GAME) / 2;
      AddButton(kNewGame, IMAGE_MAP_NEW_GAME, IMAGE_MAP_NEW_GAME_OVER, x, 530);
    }
  }
  struct Building {
    int id;
    Image* image;
    int x, y;
    bool open;
  };
  for (const Building& b : {Building{kStore, IMAGE_MAP_STORE, 0, 269, mStoreOpen},
                            Building{kCircus, IMAGE_MAP_CIRCUS, 613, 61, mCircusOpen},
                            Building{kHotel, IMAGE_MAP_HOTEL, 298, 146, mHotelOpen}}) {
    AlphaButton* button = AddButton(b.id, b.image, b.image, b.x, b.y);
    button->SetImage(b.image, true);
    button->SetStateCell(1, 1, 0);
    button->SetDisabled(!b.open);
  }
  ObjectListIterator it;
  for (it.Begin(mButtons); !it.AtEnd(); it.Next()) {
    auto* button = static_cast<AlphaButton*>(it.Get());
    button->CreateHitMask(button->GetId() == kHotel ? 4 : 0);
  }
}

// Leaving.

void Map::Leave(int result, float zoomX, float zoomY) {
  mApp.StartFadeOut(result, 0, 0, 0, 255, 10, 5);
  if (mApp.mMusicOutput) mApp.mMusicOutput->FadeOut(kSongId, true, kSongFadeOut);
  StartZoomIn(zoomX, zoomY);
}

void Map::LeaveWithoutZoom(int result) { LeaveWith(result); }

void Map::StartNewGame() { LeaveWithoutZoom(kResultRestart); }

void Map::OnFadeResult(int result) {
  switch (result) {
    case kResultNextDay:
      RemoveAndQueueDelete();
      mApp.MapToBoard(-1);
      break;
    case kResultMainMenu:
      RemoveAndQueueDelete();
      mApp.MapToMainMenu();
      break;
    case kResultRestart:
      // The new map shares the group with this one until it is deleted.
      RemoveAndQueueDelete();
      mApp.RestartStory();
      break;
    case kResultStore:
      RemoveAndQueueDelete();
      mApp.MapToStore();
      break;
    case kResultTrophyRoom:
      RemoveAndQueueDelete();
      mApp.MapToTrophyRoom();
      break;
    case kResultCircus:
      RemoveAndQueueDelete();
      mApp.MapToCircus();
      break;
    case kResultReplay: {
      const int day = mHoveredDay;
      RemoveAndQueueDelete();
      mApp.MapToBoard(day);
      break;
    }
    case kResultHotel:
      RemoveAndQueueDelete();
      mApp.MapToHotel();
      break;
    default:
      break;
  }
}

void Map::OnButton(int id) {
  float x = 0, y = 0;
  switch (id) {
    case kPlay:
      if (GetDaysCompleted() >= kDayCount) {
        mHoveredDay = kDayCount - 1;
        MarkerPoint(kDayCount - 1, x, y);
        Leave(kResultReplay, x, y);
      } else {
        MarkerPoint(GetDaysCompleted(), x, y);
        Leave(kResultNextDay, x, y);
      }
      break;
    case kBack:
      if (!Player().GetFlag(33))
        ShowSaveHint();
      else
        LeaveWithoutZoom(kResultMainMenu);
      break;
    case kNewGame: {
      Pause();
      auto* dialog = new RestartDialog(mApp, *this);
      const int w = WidthOf(IMAGE_DIALOG_MESSAGE), h = HeightOf(IMAGE_DIALOG_MESSAGE);
      dialog->Resize((800 - w) / 2, -h, w, h);
      mApp.AddDialog(RestartDialog::kId, dialog);
      mApp.mAppWidgets->SetFocus(dialog);
      break;
    }
    case kStore:
      Leave(kResultStore, 0, 408);
      break;
    case kHotel:
      Leave(kResultTrophyRoom, 378, 306);
      break;
    case kCircus:
      Leave(kResultCircus, 750, 180);
      break;
    default:
      break;
  }
}

// Input.

void Map::MouseMove(int x, int y) {
  if (mApp.GetFadeState() == 2 || mZoomScale != 1.0f || IsPaused()) return;
  if (mBalloon) {
    mBalloon->MouseMove(x, y, true);
    return;
  }
  ScreenFrame::MouseMove(x, y);
  const int before = mHoveredDay;
  mHoveredDay = -1;
  if (!mHovered) {
    for (int i = 0; i <= CurrentDay(); ++i) {
      const int mx = kMarkers[i][0], my = kMarkers[i][1];
      if (x > mx && x < mx + 38 && y > my && y < my + 16) {
        mHoveredDay = i;
        mApp.SetCursor(1);
        break;
      }
    }
  }
  if (mHoveredDay != before) mHoverTicks = 0;
}

void Map::MouseDown(int x, int y, int clickCount) {
  if (mApp.GetFadeState() == 2 || IsPaused()) return;
  if (mBalloon) {
    mBalloon->MouseDown();
    return;
  }
  ScreenFrame::MouseDown(x, y, clickCount);
}

void Map::MouseDrag(int x, int y) {
  if (mApp.GetFadeState() == 2 || IsPaused()) return;
  if (mBalloon) {
    mBalloon->MouseDrag(x, y);
    return;
  }
  ScreenFrame::MouseDrag(x, y);
}

void Map::MouseUpAt(int x, int y) {
  if (mApp.GetFadeState() == 2 || IsPaused()) return;
  mApp.SetCursor(0);
  if (mBalloon) {
    OnBalloonResult(mBalloon->MouseUp(x, y));
    return;
  }
  if (mPressed && mPressed == mHovered) {
    mPressed->SetState(0);
    OnButton(mPressed->GetId());
  } else if (mHoveredDay >= 0) {
    float px = 0, py = 0;
    MarkerPoint(mHoveredDay, px, py);
    Leave(mHoveredDay == GetDaysCompleted() ? kResultNextDay : kResultReplay, px, py);
  }
  mPressed = nullptr;
}

void Map::KeyChar(wchar_t ch) {
  if (!IsPaused() && mBalloon) OnBalloonResult(mBalloon->KeyDown(ch));
}

// Zoom.

void Map::StartZoomIn(float x, float y) {
  if (!mApp.IsHardwareDrawing()) return;
  mProgressState = 0;
  mZoomScale = 1.0f;
  mZoomX = x;
  mZoomY = y;
  mZoomSpeed = 0.02f;
}

void Map::StartZoomOut(float x, float y) {
  if (!mApp.IsHardwareDrawing()) return;
  mZoomX = x;
  mZoomY = y;
  mZoomSpeed = -0.15f;
  mZoomScale = 4.0f;
  mZoomT = 0;
  mZoomCurve.SetStart(4.0f, 0);
  mZoomCurve.SetEnd(1.0f, 0);
  mZoomCurve.SetControl(1.0f, 0);
}

void Map::UpdateZoom() {
  if (mZoomSpeed > 0) {
    mZoomScale += mZoomSpeed;
    mZoomSpeed += 0.00075f;
  } else if (mZoomSpeed < 0) {
    mZoomT += 0.015f;
    if (mZoomT > 1.0f) {
      mZoomT = 1.0f;
      mZoomScale = 1.0f;
      mZoomSpeed = 0;
    } else {
      mZoomScale = mZoomCurve.GetX(mZoomT);
    }
  }
}

void Map::ApplyZoom(Graphics* g) {
  if (mZoomScale != 1.0f) g->SetScale(mZoomScale, mZoomScale, mZoomX, mZoomY);
}

// The update. A switch away ends it at once: nothing of the map may run
// after its switcher, or a fade it started would land on the next screen.

void Map::Update() {
  GameScreen::Update();
  if (IsPaused()) return;
  UpdateZoom();
  UpdateProgressAnimation();
  UpdateScenery();
  mApp.UpdateParticles();
  if (StepFade()) return;
  if (mHoveredDay >= 0) ++mHoverTicks;
  StepPulse(mStorePulse.alpha, mStorePulse.step);
  StepPulse(mCircusPulse.alpha, mCircusPulse.step);
  StepPulse(mHotelPulse.alpha, mHotelPulse.step);
  mIconPhase += 0.075f;
  ++mUpdateCount;
  if (mBalloon && mZoomScale == 1.0f) mBalloon->Update();
  MarkDirty();
}

// The day counter's flip.

void Map::StartProgressAnimation() {
  mProgressState = 1;
  mProgressAngle = 0;
}

void Map::UpdateProgressAnimation() {
  switch (mProgressState) {
    case 1:
      if (mZoomScale == 1.0f) mProgressState = 2;
      break;
    case 2:
      mProgressAngle -= 0.05f;
      if (mProgressAngle <= -kHalfPi) {
        mProgressAngle = -kHalfPi;
        mProgressState = 4;
      }
      break;
    case 4:
      mProgressAngle += 0.05f;
      if (mProgressAngle >= kPi) {
        mProgressAngle = kPi;
        mProgressState = 0;
        StarBurst();
        mApp.PlaySound(SOUND_TROPHY_STARS);
      }
      break;
    default:
      break;
  }
}

void Map::StarBurst() {
  for (int i = 0; i < 16; ++i) {
    float dx = static_cast<float>(Rand() % 200 - 100);
    float dy = static_cast<float>(Rand() % 200 - 100);
    NormalizeVector(dx, dy);
    const float y = 168 + static_cast<float>(Rand() % 16) * dy;
    const float x = 77 + static_cast<float>(Rand() % 16) * dx;
    auto* star = new MovingAnimationParticle(x, y, mStar);
    star->SetDelay(Rand() % 10);
    star->SetSpeed(1.0f + static_cast<float>(Rand() % 100) * 0.01f);
    star->SetBlendStep(static_cast<float>(Rand() % 100) * 0.0001f);
    const float vx = dx * (1 + static_cast<float>(Rand() % 100) * 0.01f);
    const float vy = dy * (1 + static_cast<float>(Rand() % 100) * 0.01f);
    star->SetVelocity(vx, vy);
    star->SetEndVelocity(vx, 4.0f);
    star->SetColor(255, 255, 200, 255);
    mApp.AddParticle(star);
  }
}

void Map::DrawProgressAnimation(Graphics* g) {
  if (!FONT_RAVIE_14) return;
  const int dc = GetDaysCompleted();
  auto fadedAlpha = [&] { return std::clamp(255 - static_cast<int>(-255 * std::sin(mProgressAngle)), 0, 255); };
  auto scaled = [&](int number, int alpha, float scale) {
    g->PushState();
    g->SetScale(scale, scale, 77, 166);
    g->SetColor(Color(255, 255, 255, alpha));
    Write(g, FONT_RAVIE_14, std::to_wstring(number), 77, 171);
    g->PopState();
  };
  switch (mProgressState) {
    case 1:
      g->SetColor(Color(255, 255, 255));
      Write(g, FONT_RAVIE_14, std::to_wstring(dc), 77, 171);
      break;
    case 2:
      scaled(dc, fadedAlpha(), 1 + 0.5f * std::sin(mProgressAngle));
      break;
    case 4:
      scaled(dc + 1, mProgressAngle < 0 ? fadedAlpha() : 255, 1 + 1.5f * std::sin(mProgressAngle));
      break;
    default:
      break;
  }
}

// Scenery.

void Map::UpdateScenery() {
  mElephant.Update();
  mBallPhase += 0.08f;
  mEyesAlpha += mEyesStep;
  if (mEyesAlpha >= 255) {
    mEyesAlpha = 255;
    mEyesStep = -2;
  } else if (mEyesAlpha <= 0) {
    mEyesAlpha = 0;
    mEyesStep = 2;
  }
  if (mZoomScale < 2.0f && mLogoY < 0) mLogoY = std::min(mLogoY + 3, 0.0f);
  if (mCoasterAlpha > 0) {
    mCoasterAlpha = std::max(mCoasterAlpha - 4, 0);
  } else if (mUpdateCount % 100 == 0 && Rand() % 2 == 0) {
    mCoasterAlpha = 255;
    const int* p = kCoasterLamps[Rand() % 6];
    mCoasterX = p[0] - WidthOf(IMAGE_MAP_ROLLER_COASTER_LAMP) / 2;
    mCoasterY = p[1] - HeightOf(IMAGE_MAP_ROLLER_COASTER_LAMP) / 2;
  }
  ++mLampCycle;
  if (mLampCycle % 100 == 0) mLampAlpha[mLampCycle / 100 - 1] = 255;
  if (mLampCycle == 500) mLampCycle = 0;
  for (int& alpha : mLampAlpha) alpha = std::max(alpha - 1, 0);
  if (mUpdateCount % 110 == 0 && Rand() % 2 == 0) {
    const int* p = kSparkles[Rand() % 5];
    mApp.AddParticle(new AnimationParticle(static_cast<float>(p[0]), static_cast<float>(p[1]), mSparkle));
  }
  if (mUpdateCount % 50 == 0) {
    const int y = 464 + Rand() % 18;
    const int x = 285 + Rand() % 22;
    auto* glow = new FadingParticle(static_cast<float>(x), static_cast<float>(y), IMAGE_MAP_HOTEL_LAMP);
    glow->SetFadeIn(true);
    glow->SetFadeStep(4);
    mApp.AddParticle(glow);
  }
}

void Map::DrawScenery(Graphics* g) {
  g->SetColorizeImages(true);
  struct Glow {
    bool open;
    bool news;
    const Pulse& pulse;
    Color color;
    Image* image;
    int x, y;
  };
  for (const Glow& b : {Glow{mStoreOpen, mStoreNews, mStorePulse, Color(255, 200, 200), IMAGE_MAP_STORE, 0, 269},
                        Glow{mCircusOpen, mCircusNews, mCircusPulse, Color(255, 255, 200), IMAGE_MAP_CIRCUS, 613, 61},
                        Glow{mHotelOpen, mHotelNews, mHotelPulse, Color(200, 255, 255), IMAGE_MAP_HOTEL, 298, 146}}) {
    if (!b.open) continue;
    g->SetColor(Color(b.color.mRed, b.color.mGreen, b.color.mBlue, b.news ? b.pulse.alpha : 230));
    DrawCelIf(g, b.image, b.x, b.y, 1);
  }
  g->SetColorizeImages(false);
  if (mElephant.GetCurrentCel() == 1) DrawImageIf(g, IMAGE_MAP_ELEPHANT_BLINKING, 225, 288);
  g->SetColorizeImages(true);
  g->SetColor(Color(255, 255, 255, mEyesAlpha));
  DrawImageIf(g, IMAGE_MAP_STATUE_EYES, 398, 132);
  g->SetColorizeImages(false);
  g->SetColor(Color(255, 255, 255));
  const float hop = std::sin(mBallPhase);
  const float ballY = hop > 0 ? 388 - 8 * hop : 388;
  if (IMAGE_MAP_BALL) {
    if (mZoomScale == 1.0f)
      g->DrawImageF(IMAGE_MAP_BALL, 736, ballY);
    else
      g->DrawImage(IMAGE_MAP_BALL, 736, static_cast<int>(ballY));
  }
  if (mCoasterAlpha > 0) {
    g->SetDrawMode(DRAWMODE_ADDITIVE);
    g->SetColorizeImages(true);
    g->SetColor(Color(255, 255, 255, mCoasterAlpha));
    DrawImageIf(g, IMAGE_MAP_ROLLER_COASTER_LAMP, mCoasterX, mCoasterY);
    g->SetColorizeImages(false);
    g->SetDrawMode(DRAWMODE_NORMAL);
  }
  g->SetColorizeImages(true);
  g->SetDrawMode(DRAWMODE_ADDITIVE);
  const int hw = WidthOf(IMAGE_MAP_HOTEL_LAMP) / 2, hh = HeightOf(IMAGE_MAP_HOTEL_LAMP) / 2;
  for (int i = 0; i < 5; ++i) {
    if (mLampAlpha[i] <= 0) continue;
    g->SetColor(Color(255, 255, 255, mLampAlpha[i]));
    DrawImageIf(g, IMAGE_MAP_HOTEL_LAMP, kLampPairs[i][0] - hw, kLampPairs[i][1] - hh);
    DrawImageIf(g, IMAGE_MAP_HOTEL_LAMP, kLampPairs[i][2] - hw, kLampPairs[i][3] - hh);
  }
  g->SetDrawMode(DRAWMODE_NORMAL);
  g->SetColorizeImages(false);
  g->SetColor(Color(255, 255, 255));
}

// Drawing.

void Map::Draw(Graphics* g) {
  g->PushState();
  ApplyZoom(g);
  g->SetColor(Color(255, 255, 255));
  DrawImageIf(g, IMAGE_MAP, 0, 0);
  if (mHoveredDay >= 0)
    DrawImageIf(g, IMAGE_MAP_MARKER, kMarkers[mHoveredDay][0] - 4, kMarkers[mHoveredDay][1] - 4);
  for (int i = 0; i < kDayCount; ++i) DrawCelIf(g, IMAGE_MAP_LEVEL, kMarkers[i][0], kMarkers[i][1], MarkerCel(i));
  DrawScenery(g);

  PlayerProfile& player = Player();
  g->SetColor(Color(255, 64, 255));
  Write(g, FONT_RAVIE_14, std::to_wstring(player.GetLives()), 489, 50);
  Write(g, FONT_RAVIE_14, std::to_wstring(player.GetTotalScore()), 604, 50);
  Write(g, FONT_RAVIE_14, std::to_wstring(player.GetCash()), 722, 50);
  if (mProgressState > 0) {
    DrawProgressAnimation(g);
  } else {
    g->SetColor(Color(255, 255, 255));
    Write(g, FONT_RAVIE_14, std::to_wstring(ShownDayNumber()), 77, 171);
  }

  float px = 0, py = 0;
  MarkerPoint(CurrentDay(), px, py);
  const float hop = std::fabs(std::sin(mIconPhase));
  g->SetColorizeImages(true);
  g->SetColor(Color(255, 255, 255, static_cast<int>(160 - 64 * hop)));
  DrawImageIf(g, IMAGE_MAP_ICON_SHADOW, static_cast<int>(px), static_cast<int>(py));
  g->SetColorizeImages(false);
  g->SetColor(Color(255, 255, 255));
  DrawImageIf(g, IMAGE_MAP_ICON, static_cast<int>(px) - 1, static_cast<int>(py - 7 - 16 * hop));

  DrawButtons(g);
  DrawImageIf(g, IMAGE_MAP_LOGO, 8, static_cast<int>(mLogoY) + 5);
  if (mApp.GetFadeState() != 2 && mHoveredDay >= 0 && mHoverTicks > 15) DrawTooltip(g);
  mApp.DrawParticles(g);
  if (mBalloon) mBalloon->Draw(*g);
  if (mApp.GetFadeState() != 0) mApp.DrawFade(g);
  g->PopState();
  QueueOverlay();
}

void Map::DrawTooltip(Graphics* g) {
  const int d = mHoveredDay;
  const int bw = WidthOf(IMAGE_BALLOON_SMALL), bh = HeightOf(IMAGE_BALLOON_SMALL);
  const int bx = std::clamp(kMarkers[d][0] - bw / 2 + 18, 0, std::max(0, 799 - bw));
  const int by = std::max(kMarkers[d][1] - bh, 0);
  g->SetColorizeImages(true);
  g->SetColor(Color(255, 255, 255, 224));
  DrawImageIf(g, IMAGE_BALLOON_SMALL, bx, by);
  g->SetColorizeImages(false);
  g->SetColor(Color(128, 0, 32, 224));
  Wrap(g, FONT_RAVIE_14, L"Day " + std::to_wstring(d + 1) + L"\n", Rect(bx + 16, by + 8, bw - 32, bh - 32));
  PlayerProfile& player = Player();
  const std::wstring stats = L"Goal: " + std::to_wstring(mApp.GetLevelGoal(d)) + L"\nExpert: " +
                             std::to_wstring(mApp.GetLevelExpert(d)) + L"\nTop Score: " +
                             std::to_wstring(mApp.GetTopScore(d)) + L"\nYour Score: " +
                             std::to_wstring(player.GetLevelScore(d)) + L"\nTries: " +
                             std::to_wstring(player.GetLevelTries(d));
  g->SetColor(Color(0, 32, 90, 224));
  Wrap(g, FONT_DEFAULT, stats, Rect(bx + 16, by + 30, bw - 32, bh - 32));
  g->SetColor(Color(0, 128, 32, 224));
  Wrap(g, FONT_DEFAULT, L"Click to play!", Rect(bx + 16, by + 120, bw - 32, bh - 32));
}

void Map::DrawOverlay(Graphics* g) {
  if (!IsPaused() || mApp.mHasFocus) return;
  g->SetColor(Color(0, 0, 0, 64));
  g->FillRect(0, 0, mWidth, mHeight);
}

}  // namespace Plix
