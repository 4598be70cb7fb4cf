#include "game/screens/TrophyRoom.h"

#include <algorithm>

#include "framework/graphics/Font.h"
#include "framework/graphics/Graphics.h"
#include "framework/graphics/Image.h"
#include "framework/platform/CRand.h"
#include "game/app/AlphaButton.h"
#include "game/app/GameApp.h"
#include "game/app/GameResources.h"
#include "game/app/PlayerProfile.h"
#include "game/screens/GameDialog.h"

namespace Plix {

namespace {

constexpr int kResultExit = 1;
constexpr int kTextStep = 16;
constexpr int kFrameTicks = 10;

struct Spot {
  int x;
  int y;
};

struct Trophy {
  const wchar_t* name;
  Spot place;
  Spot sparkles[3];
};

const Trophy kTrophyTable[TrophyRoom::kTrophies] = {
    {L"Happy Customers", {119, 108}, {{25, 9}, {51, 62}, {7, 73}}},
    {L"Happy Monkeys", {570, 137}, {{18, 12}, {64, 15}, {7, 74}}},
    {L"Splendid Decoration", {83, 260}, {{23, 15}, {17, 77}, {57, 28}}},
    {L"Shiny Trashcan", {619, 275}, {{18, 5}, {47, 23}, {9, 62}}},
    {L"Lovely Entertainment", {153, 257}, {{17, 8}, {19, 60}, {51, 39}}},
    {L"Ice Cold Zarur", {496, 146}, {{20, 3}, {23, 45}, {19, 70}}},
    {L"Cash Saver", {195, 147}, {{35, 4}, {57, 29}, {5, 31}}},
    {L"Wonderful Ice Creams", {491, 266}, {{10, 3}, {54, 11}, {19, 72}}},
    {L"Special Servings", {216, 269}, {{14, 25}, {36, 54}, {18, 7}}},
    {L"Fast Deliveries", {551, 262}, {{9, 11}, {28, 67}, {55, 26}}},
};

const Spot kStarPlaces[5] = {{303, 154}, {332, 129}, {365, 111}, {398, 129}, {426, 154}};

void MakeTemplate(Animation& animation, Image* image, std::initializer_list<int> cels) {
  animation.SetImage(image);
  for (int cel : cels) animation.AddFrame(cel, kFrameTicks);
  animation.Reset();
}

void WriteCentred(Graphics* g, const std::wstring& text, int x, int y) {
  Font* font = g->GetFont();
  g->WriteString(text, x - (font ? font->StringWidth(text) : 0) / 2, y);
}

}  // namespace

TrophyRoom::TrophyRoom(GameApp& app)
    : ScreenFrame(app, "TrophyRoom", "data/store.ogg"),
      mTrophyImages{IMAGE_TROPHY_ROOM_TROPHY_1, IMAGE_TROPHY_ROOM_TROPHY_2, IMAGE_TROPHY_ROOM_TROPHY_3,
                    IMAGE_TROPHY_ROOM_TROPHY_4, IMAGE_TROPHY_ROOM_TROPHY_5, IMAGE_TROPHY_ROOM_TROPHY_6,
                    IMAGE_TROPHY_ROOM_TROPHY_7, IMAGE_TROPHY_ROOM_TROPHY_8, IMAGE_TROPHY_ROOM_TROPHY_9,
                    IMAGE_TROPHY_ROOM_TROPHY_10},
      mMouseShown(Rand() % 4 == 0) {
  for (int i = 0; i < kTrophies; ++i)
    if (Grade(i) > 0) ++mWonCount;
  MakeTemplate(mBright1, IMAGE_TROPHY_ROOM_BRIGHT_1, {0, 1, 2, 1, 0});
  MakeTemplate(mBright3, IMAGE_TROPHY_ROOM_BRIGHT_3, {0, 1, 2, 1, 0});
  MakeTemplate(mSparkle, IMAGE_TROPHY_ROOM_SPARKLE, {0, 1, 2, 3, 4, 5, 6, 7, 8});
  mShownText = mWantedText = mDefaultText = L"Select Trophy";
  mStarsText = L"You have a " + std::to_wstring(Stars()) + L" star";
}

TrophyRoom::~TrophyRoom() {
  void* item = nullptr;
  while (mSparkles.PopFront(item)) delete static_cast<Animation*>(item);
}

const wchar_t* TrophyRoom::TrophyName(int i) { return i >= 0 && i < kTrophies ? kTrophyTable[i].name : L""; }

int TrophyRoom::Grade(int i) const {
  PlayerProfile* profile = mApp.GetCurrentProfile();
  return profile ? profile->GetTrophyGrade(i) : 0;
}

int TrophyRoom::Stars() const {
  PlayerProfile* profile = mApp.GetCurrentProfile();
  return profile ? std::clamp(profile->GetReputationStars(), 0, 5) : 0;
}

int TrophyRoom::GetTrophyCel(int i) const {
  const int grade = Grade(i);
  return grade >= 1 && grade <= 3 ? grade - 1 : 3;
}

void TrophyRoom::CreateButtons() {
  AlphaButton* exit = AddButton(kExit, IMAGE_TROPHY_ROOM_EXIT, IMAGE_TROPHY_ROOM_EXIT_OVER, 600, 436);
  exit->SetImage(IMAGE_TROPHY_ROOM_EXIT, true);
  exit->SetStateImage(1, IMAGE_TROPHY_ROOM_EXIT_OVER);
  exit->CreateHitMask(0);
}

void TrophyRoom::UpdateScreen() {
  if (mShownText == mWantedText) {
    mTextAlpha = std::min(mTextAlpha + kTextStep, 255);
  } else {
    mTextAlpha = std::max(mTextAlpha - kTextStep, 0);
    if (mTextAlpha == 0) mShownText = mWantedText;
  }
  UpdateSparkles();
  if (--mSparkleCountdown <= 0) SpawnSparkle();
}

void TrophyRoom::UpdateSparkles() {
  ObjectList keep;
  void* item = nullptr;
  while (mSparkles.PopFront(item)) {
    auto* sparkle = static_cast<Animation*>(item);
    sparkle->Update();
    if (sparkle->IsFinished())
      delete sparkle;
    else
      keep.PushBack(sparkle);
  }
  while (keep.PopFront(item)) mSparkles.PushBack(item);
}

void TrophyRoom::SpawnSparkle() {
  const bool many = mWonCount >= 5;
  int trophy;
  if (mHoveredTrophy >= 0) {
    trophy = Rand() % 4 < 3 ? mHoveredTrophy : Rand() % 10;
    mSparkleCountdown = many ? Rand() % 25 + 10 : Rand() % 12 + 5;
  } else {
    trophy = Rand() % 10;
    mSparkleCountdown = many ? Rand() % 100 + 25 : Rand() % 50 + 12;
  }
  if (Grade(trophy) <= 0) return;
  const int pick = Rand() % 3;
  const Animation& from = pick == 0 ? mBright1 : pick == 1 ? mBright3 : mSparkle;
  auto* sparkle = new Animation(from);
  sparkle->ShareFrames();
  const Spot point = kTrophyTable[trophy].sparkles[Rand() % 3];
  Image* image = sparkle->GetImage();
  const int cw = image ? image->GetCellWidth() : 0;
  const int h = image ? image->GetHeight() : 0;
  sparkle->SetPosition(kTrophyTable[trophy].place.x + point.x - cw / 2,
                       kTrophyTable[trophy].place.y + point.y - h / 2);
  sparkle->Reset();
  mSparkles.PushFront(sparkle);
}

void TrophyRoom::OnFadeResult(int result) {
  RemoveAndQueueDelete();
  mApp.TrophyRoomToMap();
}

bool TrophyRoom::IgnoresMouse() const { return mPauseCount > 0 || mApp.GetFadeState() == 2; }

void TrophyRoom::MouseMove(int x, int y) {
  if (IgnoresMouse()) return;
  const int before = mHoveredTrophy;
  mHoveredTrophy = -1;
  for (int i = 0; i < kTrophies; ++i) {
    Image* image = mTrophyImages[i];
    if (!image) continue;
    const Spot at = kTrophyTable[i].place;
    if (x >= at.x && x < at.x + image->GetCellWidth() && y >= at.y && y < at.y + image->GetHeight())
      mHoveredTrophy = i;
  }
  if (mHoveredTrophy != before && mHoveredTrophy >= 0) mApp.PlaySound(SOUND_MOUSE_OVER_LONG);

  if (mHoveredTrophy >= 0)
    mWantedText = kTrophyTable[mHoveredTrophy].name;
  else if (Stars() > 0 && x >= 278 && x <= 470 && y >= 107 && y <= 380)
    mWantedText = mStarsText;
  else
    mWantedText = mDefaultText;

  if (mHovered) mHovered->SetState(0);
  mHovered = nullptr;
  ObjectListIterator it;
  for (it.Begin(mButtons); !it.AtEnd(); it.Next()) {
    auto* button = static_cast<AlphaButton*>(it.Get());
    if (button->GetState() != 3 && button->Contains(x, y)) mHovered = button;
  }
  if (mHovered) mHovered->SetState(1);
  mApp.SetCursor(mHovered || mHoveredTrophy >= 0 ? 1 : 0);
}

void TrophyRoom::MouseDown(int x, int y, int clickCount) {
  GameScreen::MouseDown(x, y, clickCount);
  if (IgnoresMouse()) return;
  mPressed = mHovered;
}

void TrophyRoom::MouseDrag(int x, int y) {
  if (IgnoresMouse() || !mPressed) return;
  if (mPressed->Contains(x, y)) {
    mHovered = mPressed;
    mHovered->SetState(1);
    mApp.SetCursor(1);
  } else {
    mHovered = nullptr;
    mPressed->SetState(0);
    mApp.SetCursor(0);
  }
}

void TrophyRoom::MouseUpAt(int x, int y) {
  if (IgnoresMouse()) return;
  mApp.SetCursor(0);
  if (mPressed && mPressed == mHovered) LeaveWith(kResultExit);
  mPressed = nullptr;
  MouseMove(x, y);
}

void TrophyRoom::Draw(Graphics* g) {
  g->SetColor(Color(255, 255, 255));
  DrawImageIf(g, IMAGE_TROPHY_ROOM, 0, 0);
  if (mMouseShown) DrawImageIf(g, IMAGE_TROPHY_ROOM_MOUSE, 144, 456);
  const int stars = Stars();
  for (int s = 0; s < stars; ++s) DrawImageIf(g, IMAGE_TROPHY_ROOM_STAR, kStarPlaces[s].x, kStarPlaces[s].y);
  for (int i = 0; i < kTrophies; ++i)
    if (mTrophyImages[i]) g->DrawImageCell(mTrophyImages[i], kTrophyTable[i].place.x, kTrophyTable[i].place.y, GetTrophyCel(i));
  if (FONT_RAVIE_10) {
    g->SetFont(FONT_RAVIE_10);
    g->SetColor(Color(0, 0, 0, mTextAlpha));
    if (mShownText == mStarsText) {
      WriteCentred(g, mShownText, 379, 418);
      WriteCentred(g, L"Zev Urore Bar", 379, 438);
    } else {
      WriteCentred(g, mShownText, 379, 428);
    }
    g->SetColor(Color(255, 255, 255));
  }
  ObjectListIterator it;
  for (it.Begin(mSparkles); !it.AtEnd(); it.Next()) static_cast<Animation*>(it.Get())->Draw(*g);
  DrawButtons(g);
  mApp.DrawFade(g);
  if (mPauseCount > 0) {
    g->SetColor(Color(0, 0, 0, 64));
    g->FillRect(0, 0, mWidth, mHeight);
  }
}

}  // namespace Plix
