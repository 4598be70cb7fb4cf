// The uncle's award visit: his words, the visit's course tick by tick, his
// balloon beside him, the music dipping and coming back, and a whole visit
// on a running day dismissed by a click; on a story floor his balloon shows
// whole.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/graphics/Image.h"
#include "framework/sound/MusicInterface.h"
#include "game/app/AlphaButton.h"
#include "game/app/InfoBalloon.h"
#include "game/board/Uncle.h"
#include "game/characters/Girl.h"
#include "tests/characters/GirlTestSupport.h"

namespace Plix {
namespace {

using Testing::BoardFixture;
using Testing::GirlFixture;

class RecordingMusic : public MusicInterface {
public:
  void SetSongVolume(int song, double volume) override {
    mCalls.push_back("volume " + std::to_string(song) + " " + std::to_string(volume));
  }
  void FadeIn(int song, int offset, double speed, bool noLoop) override {
    mCalls.push_back("fade in " + std::to_string(song) + " " + std::to_string(offset) + " " + std::to_string(speed) +
                     (noLoop ? " once" : " looping"));
  }
  std::vector<std::string> mCalls;
};

// The application's music replaced by a recorder for the test.
RecordingMusic& RecordMusic(GameApp& app) {
  delete app.mMusicOutput;
  auto* music = new RecordingMusic();
  app.mMusicOutput = music;
  return *music;
}

TEST(UncleAward, TheSentenceTheGradeWordAndTheName) {
  const struct {
    int trophy, grade;
    const wchar_t* text;
  } cases[] = {
      {0, 1, L"Many customers have left this place happy! Your award is the bronze Happy Customers Trophy!"},
      {5, 2, L"The need for napkins has been low despite the heat! Your award is the silver Ice Cold Zarur Trophy!"},
      {9, 3,
       L"Vurez's performing greater than any human could do! Your award is the golden Fast Delivery Trophy!"},
      {6, 0, L"Saving money is a very smart thing to do! Your award is the golden Saver's Trophy!"},
      {3, 7, L"You use the trashcan with great care! Your award is the golden Shiny Trashcan Trophy!"},
  };
  for (const auto& c : cases) EXPECT_EQ(Uncle::AwardText(c.trophy, c.grade), c.text) << c.trophy << " " << c.grade;
}

TEST_F(BoardFixture, AVisitAppearsTalksUntilDismissedBurstsAndLeaves) {
  RecordingMusic& music = RecordMusic(*mGame);
  Board board(*mGame, 0, -1);
  Uncle& uncle = *board.mUncle;
  uncle.SetPosition(520, 150);
  uncle.StartAward(7, 2);
  EXPECT_EQ(uncle.GetState(), Uncle::kAppearing);
  EXPECT_TRUE(board.mAwardGiven);
  EXPECT_EQ(music.mCalls, std::vector<std::string>{"volume 1 0.000000"});

  // Eleven frames of eight ticks to the balloon, however soon he is opaque.
  for (int tick = 1; tick < 88; ++tick) uncle.UpdateVisit();
  EXPECT_EQ(uncle.GetState(), Uncle::kAppearing);
  EXPECT_EQ(uncle.GetFrame(), 10);
  EXPECT_EQ(board.GetBalloon(), nullptr);
  uncle.UpdateVisit();
  EXPECT_EQ(uncle.GetState(), Uncle::kTalking);
  EXPECT_EQ(uncle.GetAlpha(), 255);
  EXPECT_EQ(music.mCalls.back(), "fade in 1 -1 0.002000 looping");
  InfoBalloon* balloon = board.GetBalloon();
  ASSERT_NE(balloon, nullptr);
  EXPECT_EQ(board.mBalloonSpeaker, 1);
  EXPECT_TRUE(board.mBalloonOwned);
  EXPECT_EQ(balloon->GetPlacement(), 3);  // his centre is right of 400: the balloon opens to his left
  EXPECT_EQ(balloon->GetAnchorY(), uncle.GetY() - 132);

  // He talks until the player dismisses the balloon.
  const int particles = mGame->GetParticleCount();
  for (int tick = 0; tick < 1000; ++tick) uncle.UpdateVisit();
  EXPECT_EQ(uncle.GetState(), Uncle::kTalking);
  EXPECT_GT(mGame->GetParticleCount(), particles);  // sparkles round the trophy
  EXPECT_TRUE(board.HandleBalloonResult(InfoBalloon::kYesChosen));
  EXPECT_EQ(board.GetBalloon(), nullptr);
  EXPECT_EQ(uncle.GetState(), Uncle::kPause);

  const struct {
    int ticks;
    int state;
  } course[] = {{24, Uncle::kPause},     {1, Uncle::kHoldingUp}, {49, Uncle::kHoldingUp},
                {1, Uncle::kBurst},      {63, Uncle::kBurst},    {1, Uncle::kDisappearing}};
  int burstParticles = 0;
  for (const auto& step : course) {
    for (int i = 0; i < step.ticks; ++i) uncle.UpdateVisit();
    EXPECT_EQ(uncle.GetState(), step.state) << step.ticks;
    if (step.state == Uncle::kBurst && burstParticles == 0) burstParticles = mGame->GetParticleCount();
  }
  EXPECT_GE(burstParticles, 40);
  EXPECT_EQ(uncle.GetBurstAlpha(), 0);
  for (int tick = 0; tick < 100 && !uncle.IsIdle(); ++tick) uncle.UpdateVisit();
  EXPECT_TRUE(uncle.IsIdle());
  EXPECT_EQ(uncle.GetAlpha(), 0);
}

// Where the story floors put him, his words show whole: the balloon's body
// lies on the 800 x 600 screen.
TEST_F(BoardFixture, OnAStoryFloorHisBalloonLiesOnTheScreen) {
  Board& board = Open(0);
  Uncle& uncle = *board.mUncle;
  uncle.StartAward(6, 0);
  for (int tick = 0; tick < 200 && !board.GetBalloon(); ++tick) uncle.UpdateVisit();
  InfoBalloon* balloon = board.GetBalloon();
  ASSERT_NE(balloon, nullptr);
  const Image* body = balloon->GetBodyImage();
  ASSERT_NE(body, nullptr);
  EXPECT_GE(balloon->GetX(), 0);
  EXPECT_GE(balloon->GetY(), 0);
  EXPECT_LE(balloon->GetX() + body->GetWidth(), 800);
  EXPECT_LE(balloon->GetY() + body->GetHeight(), 600);
}

TEST_F(BoardFixture, BalloonsOpenAwayFromTheirSpeakersSide) {
  Board board(*mGame, 0, -1);
  const struct {
    int speaker;
    int x;  // the heroine's x, or the uncle's left edge
    bool raised;
    int mode;
    int anchorAbove;  // above the speaker's point
  } cases[] = {
      {0, 400, false, 2, 186},  // exactly at 400: to her right
      {0, 401, false, 3, 186},  {0, 200, true, 2, 218}, {0, 600, true, 3, 218},
      {1, 100, false, 2, 132},  {1, 600, false, 3, 132},
  };
  for (const auto& c : cases) {
    int y = 0;
    if (c.speaker == 0) {
      board.GetGirl()->SetPosition(static_cast<float>(c.x), 495.0f);
      y = 495;
    } else {
      board.mUncle->SetPosition(c.x, 100);
      y = board.mUncle->GetY();
    }
    auto* balloon = new InfoBalloon(0, 0);
    balloon->AddPage(L"Hello");
    board.ShowBalloon(c.speaker, balloon, true, c.raised);
    EXPECT_EQ(balloon->GetPlacement(), c.mode) << c.speaker << " " << c.x;
    EXPECT_EQ(balloon->GetAnchorY(), y - c.anchorAbove) << c.speaker << " " << c.x;
  }
  board.CloseBalloon();
  EXPECT_EQ(board.GetBalloon(), nullptr);
}

// A visit on a running day: the floor stands still, a click on the
// balloon's button lets him go on, and the day carries on after.
TEST_F(GirlFixture, TheUnclesVisitHoldsTheDayUntilHeHasLeft) {
  InfoBalloon::CreateSharedButtons();  // as the loading's end makes them
  RecordingMusic& music = RecordMusic(*mGame);
  mBoard->mUncle->SetPosition(150, 120);
  mGirl->EnqueueWalkByCounter(600);
  mBoard->mUncle->StartAward(0, 1);
  const float x = mGirl->GetX();
  for (int i = 0; i < 100 && !mBoard->GetBalloon(); ++i) RunFor(100);
  InfoBalloon* balloon = mBoard->GetBalloon();
  ASSERT_NE(balloon, nullptr);
  EXPECT_EQ(balloon->GetPlacement(), 2);
  EXPECT_EQ(mGirl->GetX(), x);  // she waits while he is there

  AlphaButton* yes = nullptr;
  for (int i = 0; i < 100 && !(yes = balloon->GetSlot(InfoBalloon::kYes)); ++i) RunFor(100);
  ASSERT_NE(yes, nullptr);
  const int bx = yes->GetX() + yes->GetWidth() / 2, by = yes->GetY() + yes->GetHeight() / 2;
  Widgets().MouseMove(bx, by);
  Widgets().MouseDown(bx, by, 1);
  Widgets().MouseUp(bx, by, 1);
  EXPECT_EQ(mBoard->GetBalloon(), nullptr);
  for (int i = 0; i < 100 && !mBoard->mUncle->IsIdle(); ++i) RunFor(100);
  EXPECT_TRUE(mBoard->mUncle->IsIdle());
  EXPECT_EQ(music.mCalls,
            (std::vector<std::string>{"volume 1 0.000000", "fade in 1 -1 0.002000 looping"}));
  for (int i = 0; i < 100 && !mGirl->IsIdle(); ++i) RunFor(100);
  EXPECT_EQ(mGirl->GetX(), 600.0f);
  InfoBalloon::DeleteSharedButtons();
}

}  // namespace
}  // namespace Plix
