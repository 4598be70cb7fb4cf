#include "game/app/InfoBalloon.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "framework/platform/DebugOutput.h"
#include "game/app/AlphaButton.h"
#include "game/app/GameResources.h"
#include "tests/game/GameTestSupport.h"

namespace Plix {
namespace {

using Testing::GridImage;
using Testing::RecordingGameHost;
using Testing::ScopedResource;

constexpr int kClick = 77;
constexpr int kNewFeature = 78;

// Balloon images of fixed sizes: bodies 200 x 100 (small), 260 x 180
// (normal), 300 x 230 (large), 460 x 140 (wide); pointers 40 x 44 in two
// cels; buttons 70 x 30 and 30 x 30 in two cels.
struct BalloonFixture : ::testing::Test {
  RecordingGameHost host;
  std::unique_ptr<Image> small = GridImage(200, 100), normal = GridImage(260, 180), large = GridImage(300, 230),
                         wide = GridImage(460, 140), pointers = GridImage(80, 44, 2, 1),
                         button = GridImage(140, 30, 2, 1), round = GridImage(60, 30, 2, 1),
                         portrait = GridImage(300, 130, 3, 1);
  ScopedResource<Image*> r1{IMAGE_BALLOON_SMALL, small.get()};
  ScopedResource<Image*> r2{IMAGE_BALLOON_NORMAL, normal.get()};
  ScopedResource<Image*> r3{IMAGE_BALLOON_LARGE, large.get()};
  ScopedResource<Image*> r4{IMAGE_BALLOON_WIDE, wide.get()};
  ScopedResource<Image*> r5{IMAGE_BALLOON_POINTERS, pointers.get()};
  ScopedResource<Image*> r6{IMAGE_BALLOON_BUTTON, button.get()};
  ScopedResource<Image*> r7{IMAGE_BALLOON_BUTTON_NEXT, round.get()};
  ScopedResource<Image*> r8{IMAGE_BALLOON_BUTTON_LEFT, round.get()};
  ScopedResource<Image*> r9{IMAGE_BALLOON_BUTTON_RIGHT, round.get()};
  ScopedResource<Image*> r10{IMAGE_BALLOON_PEMI, portrait.get()};
  ScopedResource<int> s1{SOUND_MOUSE_CLICK, kClick};
  ScopedResource<int> s2{SOUND_MAP_NEW_FEATURE, kNewFeature};

  void SetUp() override {
    InfoBalloon::CreateSharedButtons();
    InfoBalloon::SetTypingToggle(0);
  }
  void TearDown() override { InfoBalloon::DeleteSharedButtons(); }

  // Runs updates until the delay is over.
  static void PastDelay(InfoBalloon& b) {
    ASSERT_EQ(b.Update(), 0);
  }
  static std::vector<int> Codes(InfoBalloon& b, int updates) {
    std::vector<int> codes;
    for (int i = 0; i < updates; ++i) codes.push_back(b.Update());
    return codes;
  }
  // Centre of a button.
  static void Centre(const AlphaButton* b, int& x, int& y) {
    x = b->GetX() + b->GetWidth() / 2;
    y = b->GetY() + b->GetHeight() / 2;
  }
  // Hover, press and release on a button.
  static int Click(InfoBalloon& b, const AlphaButton* button) {
    int x, y;
    Centre(button, x, y);
    b.MouseMove(x, y, false);
    b.MouseDown();
    return b.MouseUp(x, y);
  }
};

using Balloon = BalloonFixture;

TEST_F(Balloon, SharedButtons) {
  const int ids[] = {1, 2, 3, 4, 5};
  for (int slot = 0; slot < 5; ++slot) {
    AlphaButton* b = InfoBalloon::GetSharedButton(slot);
    ASSERT_NE(b, nullptr);
    EXPECT_EQ(b->GetId(), ids[slot]);
    EXPECT_EQ(b->GetWidth(), slot == 1 || slot == 2 ? 70 : 30);
    EXPECT_EQ(b->GetHeight(), 30);
  }
  EXPECT_EQ(InfoBalloon::GetSharedButton(5), nullptr);
}

TEST_F(Balloon, LiveCountAndDebugLines) {
  std::string debug;
  SetDebugOutputSink([&](const std::string& s) { debug += s; });
  int before = InfoBalloon::GetLiveCount();
  auto* a = new InfoBalloon(1, InfoBalloon::kSmall);
  {
    InfoBalloon b(2, InfoBalloon::kNormal);
    EXPECT_EQ(InfoBalloon::GetLiveCount(), before + 2);
    InfoBalloon::GetSharedButton(InfoBalloon::kYes)->SetState(1);
  }
  EXPECT_EQ(InfoBalloon::GetSharedButton(InfoBalloon::kYes)->GetState(), 0);  // reset by the destructor
  InfoBalloon::Delete(a);
  SetDebugOutputSink(nullptr);
  EXPECT_EQ(InfoBalloon::GetLiveCount(), before);
  std::string n = std::to_string(before);
  EXPECT_EQ(debug, "(new) refcount = " + std::to_string(before + 1) + "\n(new) refcount = " +
                       std::to_string(before + 2) + "\n(del) refcount = " + std::to_string(before + 1) +
                       "\n(del) refcount = " + n + "\n");
}

TEST_F(Balloon, DeafAndSilentUntilTheDelayRunsOut) {
  InfoBalloon b(7, InfoBalloon::kSmall);
  b.AddPage(L"Hello");
  b.SetBlocking();
  b.UseNewFeatureSound();
  b.SetDelay(2);
  b.Place(2, 300, 300);
  b.LayoutPage();
  EXPECT_FALSE(b.MouseMove(b.GetX() + 5, b.GetY() + 5, true));
  EXPECT_TRUE(b.MouseDown());  // only reports blocking
  EXPECT_EQ(b.KeyDown(13), 0);
  EXPECT_EQ(b.Update(), 0);
  EXPECT_TRUE(host.mSounds.empty());
  EXPECT_EQ(b.Update(), 0);  // the delay runs out: the sound plays
  EXPECT_EQ(host.mSounds, std::vector<int>{kNewFeature});
  EXPECT_EQ(b.GetShown(), 0);
  EXPECT_TRUE(b.MouseMove(b.GetX() + 5, b.GetY() + 5, true));
}

TEST_F(Balloon, TypesEverySecondUpdateOverAllBalloons) {
  InfoBalloon b(1, InfoBalloon::kSmall);
  b.AddPage(L"abc");
  b.LayoutPage();
  PastDelay(b);
  EXPECT_EQ(Codes(b, 6), (std::vector<int>{0, 3, 0, 0, 0, 2}));
  EXPECT_EQ(b.GetShown(), 3);
  EXPECT_EQ(Codes(b, 4), (std::vector<int>{0, 0, 0, 0}));

  // The toggle is shared: of two balloons updated in turn, the second types
  // on each of its updates and the first never.
  InfoBalloon::SetTypingToggle(0);
  InfoBalloon c(2, InfoBalloon::kSmall), d(3, InfoBalloon::kSmall);
  c.AddPage(L"xyz");
  d.AddPage(L"xyz");
  PastDelay(c);
  PastDelay(d);
  for (int i = 0; i < 4; ++i) {
    c.Update();
    d.Update();
  }
  EXPECT_EQ(c.GetShown(), 0);
  EXPECT_EQ(d.GetShown(), 3);
}

TEST_F(Balloon, FastTextAndShortPages) {
  struct Case {
    const wchar_t* page;
    bool fast;
    bool secondPage;  // a later page follows
    std::vector<int> codes;
  };
  const Case cases[] = {
      {L"ab", true, false, {3, 2, 0}},
      {L"ab", true, true, {3, 1, 0}},
      {L"a", true, false, {2, 0}},         // a one-character page yields no 3
      {L"a", true, true, {1, 0}},
      {L"", true, false, {0, 0, 0}},       // an empty page yields nothing
      {L"a", false, false, {0, 2, 0, 0}},
  };
  for (const Case& c : cases) {
    InfoBalloon::SetTypingToggle(0);
    InfoBalloon b(1, InfoBalloon::kSmall);
    b.AddPage(c.page);
    if (c.secondPage) b.AddPage(L"more");
    if (c.fast) b.SetFastText();
    b.LayoutPage();
    PastDelay(b);
    EXPECT_EQ(Codes(b, static_cast<int>(c.codes.size())), c.codes) << (c.fast ? "fast " : "") << c.codes.size();
  }
}

TEST_F(Balloon, TalkingCelsWhileTyping) {
  InfoBalloon b(1, InfoBalloon::kWide);
  b.SetSpeaker(1);
  b.SetFastText();
  b.AddPage(std::wstring(150, L'x'));
  b.LayoutPage();
  PastDelay(b);
  // The talk loop: cels 1, 2, 1, 0, 2, 1 for 20, 20, 20, 10, 20, 20 updates.
  std::vector<int> cels;
  for (int i = 0; i < 150; ++i) {
    b.Update();
    cels.push_back(b.GetTalkingCel());
  }
  const std::pair<int, int> expect[] = {{0, 1},  {18, 1}, {19, 2}, {38, 2}, {39, 1},  {59, 0},
                                        {68, 0}, {69, 2}, {89, 1}, {109, 1}, {110, 1}, {129, 2}, {149, 0}};
  for (auto [index, cel] : expect) EXPECT_EQ(cels[index], cel) << index;
  b.Update();
  EXPECT_EQ(b.GetTalkingCel(), 0);  // page done: mouth closed
}

TEST_F(Balloon, Placement) {
  struct Case {
    int style;
    int speaker;
    int mode;
    int x, y, pointerX, pointerY, pointerCel;
  };
  // Anchor (400, 300): pointer at (380, 256); body bottom 4 px into the pointer.
  const Case cases[] = {
      {InfoBalloon::kSmall, 0, 2, 334, 160, 380, 256, 1},
      {InfoBalloon::kNormal, 0, 2, 324, 80, 380, 256, 1},
      {InfoBalloon::kLarge, 0, 2, 354, 30, 380, 256, 1},
      {InfoBalloon::kWide, 1, 2, 292, 120, 380, 256, 1},
      {InfoBalloon::kWide, 2, 2, 316, 120, 380, 256, 1},
      {InfoBalloon::kWide, 3, 2, 284, 120, 380, 256, 1},
      {InfoBalloon::kWide, 4, 2, 324, 120, 380, 256, 1},
      {InfoBalloon::kSmall, 1, 3, 266, 160, 380, 256, 0},  // no speaker shift
      {InfoBalloon::kWide, 4, 3, 16, 120, 380, 256, 0},
      {InfoBalloon::kSmall, 0, 0, 0, 0, 380, 256, 0},      // the pointer only
      {InfoBalloon::kSmall, 0, 1, 0, 0, 0, 0, 0},          // nothing
  };
  for (const Case& c : cases) {
    InfoBalloon b(1, c.style);
    b.SetSpeaker(c.speaker);
    b.Place(c.mode, 400, 300);
    EXPECT_EQ(b.GetPlacement(), c.mode);
    EXPECT_EQ(b.GetAnchorY(), 300);
    EXPECT_EQ(b.GetX(), c.x) << c.style << " " << c.speaker << " " << c.mode;
    EXPECT_EQ(b.GetY(), c.y) << c.style << " " << c.speaker << " " << c.mode;
    EXPECT_EQ(b.GetPointerX(), c.pointerX);
    EXPECT_EQ(b.GetPointerY(), c.pointerY);
    EXPECT_EQ(b.GetPointerCel(), c.pointerCel);
  }
}

TEST_F(Balloon, PagingWithTheNextButtonAndKeys) {
  InfoBalloon b(1, InfoBalloon::kSmall);
  b.AddPage(L"one");
  b.AddPage(L"two");
  b.AppendText(L" more");
  b.AddPage(L"three");
  b.SetYesText(L"Alright!");
  b.Place(2, 400, 300);  // body at (334, 160), 200 x 100
  b.LayoutPage();
  PastDelay(b);
  AlphaButton* next = b.GetSlot(InfoBalloon::kNext);
  ASSERT_NE(next, nullptr);
  EXPECT_EQ(next->GetX(), 334 + 200 - 30 - 10);
  EXPECT_EQ(next->GetY(), 160 + 100 - 30 - 8);
  EXPECT_EQ(b.GetSlot(InfoBalloon::kYes), nullptr);
  EXPECT_TRUE(b.HasButtons());

  b.SetFastText();
  b.Update();
  EXPECT_EQ(b.GetShown(), 1);
  EXPECT_EQ(Click(b, next), 0);  // turns the page
  EXPECT_EQ(host.mSounds, std::vector<int>{kClick});
  EXPECT_EQ(b.GetCurrentPage(), 1);
  EXPECT_EQ(b.GetShown(), 0);
  // The mouse still stands on the next button of the new page: lit again.
  EXPECT_EQ(b.GetHovered(), next);
  EXPECT_EQ(next->GetState(), 1);
  EXPECT_EQ(host.mCursors.back(), 1);

  EXPECT_EQ(b.Update(), 3);
  EXPECT_EQ(b.KeyDown(L'a'), 0);
  EXPECT_EQ(b.KeyDown(27), 0);  // Esc turns a page still typing
  EXPECT_EQ(b.GetCurrentPage(), 2);
  EXPECT_EQ(b.GetShown(), 0);
  EXPECT_TRUE(b.IsLastPage());
  EXPECT_EQ(b.GetSlot(InfoBalloon::kNext), nullptr);
  AlphaButton* yes = b.GetSlot(InfoBalloon::kYes);
  ASSERT_NE(yes, nullptr);
  EXPECT_EQ(yes->GetX(), 334 + 200 - 70 - 10);
  EXPECT_EQ(yes->GetLabel(), L"Alright!");
  EXPECT_EQ(yes->GetLabelOffsetX(), -2);
  EXPECT_EQ(yes->GetLabelOffsetY(), -4);
  EXPECT_EQ(b.KeyDown(27), 2);  // only a yes button: Esc says yes
  EXPECT_EQ(b.KeyDown(13), 2);
  EXPECT_EQ(b.KeyDown(L'x'), 0);
  EXPECT_EQ(Click(b, yes), 2);
  EXPECT_EQ(b.KeyDown(13), 2);  // the last page stays
  b.GoToFirstPage();
  EXPECT_EQ(b.GetCurrentPage(), 0);
}

TEST_F(Balloon, YesAndNo) {
  InfoBalloon b(1, InfoBalloon::kNormal);
  b.AddPage(L"Sure?");
  b.SetYesText(L"Yes");
  b.SetNoText(L"No");
  b.Place(3, 400, 300);  // body at (216, 80), 260 x 180
  b.LayoutPage();
  PastDelay(b);
  AlphaButton* yes = b.GetSlot(InfoBalloon::kYes);
  AlphaButton* no = b.GetSlot(InfoBalloon::kNo);
  ASSERT_TRUE(yes && no);
  EXPECT_EQ(no->GetX(), 216 + 260 - 70 - 10);
  EXPECT_EQ(yes->GetX(), 216 + 16);
  EXPECT_EQ(yes->GetY(), 80 + 180 - 30 - 8);
  EXPECT_EQ(no->GetLabel(), L"No");
  EXPECT_EQ(b.KeyDown(27), 3);
  EXPECT_EQ(b.KeyDown(13), 2);
  EXPECT_EQ(Click(b, no), 3);
  EXPECT_EQ(Click(b, yes), 2);
  // Released away from the button it was pressed on: nothing.
  int x, y;
  Centre(yes, x, y);
  b.MouseMove(x, y, false);
  b.MouseDown();
  b.MouseDrag(0, 0);
  EXPECT_EQ(yes->GetState(), 0);
  EXPECT_EQ(b.GetHovered(), nullptr);
  b.MouseMove(0, 0, false);
  EXPECT_EQ(b.MouseUp(0, 0), 0);
  b.MouseDrag(x, y);  // dragged back onto it: lit again
  EXPECT_EQ(yes->GetState(), 1);
  EXPECT_EQ(b.MouseUp(x, y), 2);
}

TEST_F(Balloon, NumberChooser) {
  struct Range {
    int maximum, value, number;
  };
  for (Range r : {Range{10, 0, 1}, Range{10, 12, 10}, Range{10, 4, 4}, Range{10, -5, 1}}) {
    InfoBalloon b(1, InfoBalloon::kSmall);
    b.SetNumberRange(r.maximum, r.value);
    EXPECT_EQ(b.GetNumber(), r.number);
  }
  InfoBalloon b(1, InfoBalloon::kLarge);
  b.AddPage(L"How many?");
  b.SetYesText(L"OK");
  b.SetNumberRange(3, 1);
  b.Place(2, 400, 300);  // body at (354, 30), 300 x 230
  b.LayoutPage();
  PastDelay(b);
  AlphaButton* minus = b.GetSlot(InfoBalloon::kMinus);
  AlphaButton* plus = b.GetSlot(InfoBalloon::kPlus);
  ASSERT_TRUE(minus && plus);
  EXPECT_EQ(minus->GetX(), 354 + 16);
  EXPECT_EQ(minus->GetY(), 30 + 230 - 30 - 8);
  EXPECT_EQ(plus->GetX(), 370 + 30 + 64);
  EXPECT_EQ(plus->GetY(), minus->GetY());
  EXPECT_EQ(b.GetNumberX(), (30 + 464 + 370) / 2 + 14);
  EXPECT_EQ(b.GetSlot(InfoBalloon::kYes)->GetX(), 354 + 300 - 70 - 10);
  EXPECT_EQ(Click(b, minus), 0);
  EXPECT_EQ(b.GetNumber(), 1);  // at the minimum
  for (int i = 0; i < 4; ++i) EXPECT_EQ(Click(b, plus), 0);
  EXPECT_EQ(b.GetNumber(), 3);  // stops at the maximum
  EXPECT_EQ(Click(b, minus), 0);
  EXPECT_EQ(b.GetNumber(), 2);
}

TEST_F(Balloon, LaterSlotWinsWhereButtonsOverlap) {
  // A body so narrow that the yes and no places overlap.
  auto narrow = GridImage(90, 100);
  ScopedResource<Image*> body{IMAGE_BALLOON_SMALL, narrow.get()};
  InfoBalloon b(1, InfoBalloon::kSmall);
  b.AddPage(L"?");
  b.SetYesText(L"Y");
  b.SetNoText(L"N");
  b.Place(3, 100, 300);  // body x = 100 - 90 + 66 = 76
  b.LayoutPage();
  PastDelay(b);
  AlphaButton* yes = b.GetSlot(InfoBalloon::kYes);
  AlphaButton* no = b.GetSlot(InfoBalloon::kNo);
  EXPECT_EQ(yes->GetX(), 92);
  EXPECT_EQ(no->GetX(), 86);
  EXPECT_TRUE(b.MouseMove(100, yes->GetY() + 5, false));
  EXPECT_EQ(b.GetHovered(), no);
  EXPECT_EQ(yes->GetState(), 0);
  // A disabled button is passed over.
  b.MouseMove(0, 0, false);
  no->SetState(3);
  b.MouseMove(100, yes->GetY() + 5, false);
  EXPECT_EQ(b.GetHovered(), yes);
}

TEST_F(Balloon, BlockingSwallowsClicksOffTheButtons) {
  InfoBalloon b(1, InfoBalloon::kSmall);
  b.AddPage(L"Stop");
  b.SetYesText(L"OK");
  b.Place(2, 400, 300);
  b.LayoutPage();
  PastDelay(b);
  EXPECT_FALSE(b.MouseMove(5, 5, true));
  EXPECT_FALSE(b.MouseDown());  // not blocking
  EXPECT_FALSE(b.MouseMove(b.GetX() + 5, b.GetY() + 5, true));
  b.SetBlocking();
  EXPECT_TRUE(b.IsBlocking());
  EXPECT_FALSE(b.MouseMove(5, 5, true));  // outside the body
  EXPECT_TRUE(b.MouseMove(b.GetX() + 5, b.GetY() + 5, true));
  EXPECT_FALSE(b.MouseMove(b.GetX() + 5, b.GetY() + 5, false));
  EXPECT_TRUE(b.MouseDown());  // anywhere not on a button
  EXPECT_EQ(host.mCursors.back(), 0);
  int x, y;
  Centre(b.GetSlot(InfoBalloon::kYes), x, y);
  EXPECT_TRUE(b.MouseMove(x, y, true));
  EXPECT_FALSE(b.MouseDown());  // on a button: the balloon's own click
}

TEST_F(Balloon, AtMostFivePages) {
  InfoBalloon b(1, InfoBalloon::kSmall);
  EXPECT_EQ(b.GetPageCount(), 0);
  b.AppendText(L"first");
  for (int i = 0; i < 6; ++i) b.AddPage(L"p");
  EXPECT_EQ(b.GetPageCount(), 5);
  EXPECT_EQ(b.GetId(), 1);
  // Turning pages never goes past the last.
  b.LayoutPage();
  PastDelay(b);
  for (int i = 0; i < 8; ++i) b.KeyDown(13);
  EXPECT_EQ(b.GetCurrentPage(), 4);
}

}  // namespace
}  // namespace Plix
