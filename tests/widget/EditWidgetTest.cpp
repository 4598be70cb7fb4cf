#include <gtest/gtest.h>

#include <set>

#include "framework/widget/EditListener.h"
#include "framework/widget/EditWidget.h"
#include "framework/widget/WidgetHost.h"
#include "tests/widget/RecordingWidget.h"
#include "tests/widget/WidgetTestSupport.h"

namespace Plix {
namespace {

using Testing::EventLog;

class RecordingEditListener : public EditListener {
public:
  EventLog mLog;
  std::set<wchar_t> mRejectChars;
  std::wstring mRejectText;  // AcceptsText refuses this text

  void OnEditText(int id, const std::wstring& text) override { mLog.push_back("enter " + WStringToString(text)); }
  bool AcceptsKey(int id, int key) override {
    mLog.push_back("key " + std::to_string(key));
    return true;
  }
  bool AcceptsChar(int id, wchar_t ch) override {
    mLog.push_back("acceptchar " + std::to_string(static_cast<int>(ch)));
    return mRejectChars.count(ch) == 0;
  }
  bool AcceptsText(int id, const std::wstring& text) override {
    mLog.push_back("text " + WStringToString(text));
    return text != mRejectText || mRejectText.empty();
  }
  void OnEditChar(wchar_t ch) override { mLog.push_back("char " + std::to_string(static_cast<int>(ch))); }
};

class EditTest : public ::testing::Test {
protected:
  void SetUp() override {
    Testing::SizeManager(mManager);
    mEdit.SetFont(&mFont);
    mEdit.Resize(10, 10, 200, 24);
    mManager.AddWidget(&mEdit);
    mManager.SetFocus(&mEdit);
  }
  void TearDown() override { mManager.RemoveWidget(&mEdit); }

  void Type(const std::wstring& text) {
    for (wchar_t c : text) mManager.KeyChar(c);
  }
  void Key(int key) {
    mManager.KeyDown(key);
    mManager.KeyUp(key);
  }
  void WithKey(int modifier, int key) {
    mManager.KeyDown(modifier);
    Key(key);
    mManager.KeyUp(modifier);
  }
  std::string Text() { return WStringToString(mEdit.mString); }
  EventLog Take() {
    EventLog out;
    out.swap(mListener.mLog);
    return out;
  }

  FakeWidgetHost mHost;
  ScopedWidgetHost mScopedHost{&mHost};
  WidgetManager mManager;
  Testing::TestFont mFont;
  RecordingEditListener mListener;
  EditWidget mEdit{2, &mListener};
};

TEST_F(EditTest, TypingAsksTheListenerInOrder) {
  Type(L"ab");
  EXPECT_EQ(Text(), "ab");
  EXPECT_EQ(mEdit.mCursorPos, 2);
  EXPECT_EQ(Take(), (EventLog{"char 97", "acceptchar 97", "text a", "char 98", "acceptchar 98", "text ab"}));
  Key(37);
  EXPECT_EQ(mEdit.mCursorPos, 1);
  EXPECT_EQ(Take(), (EventLog{"key 37", "text ab"}));
  mManager.KeyDown('A');  // letters come as characters
  EXPECT_EQ(Take(), EventLog{});
  Key(13);
  EXPECT_EQ(Take(), (EventLog{"key 13", "enter ab", "text ab"}));
}

TEST_F(EditTest, RejectedCharactersChangeNothing) {
  struct Case {
    wchar_t ch;
    bool extended;
    bool accepted;
  };
  const Case cases[] = {
      {L'\t', true, false}, {1, true, false},   {31, true, false},   {32, true, true},
      {127, true, false},   {200, true, true},  {255, true, true},   {256, true, false},
      {200, false, false},  {126, false, true}, {0x4E00, true, false},
  };
  for (const Case& c : cases) {
    mHost.mExtendedChars = c.extended;
    mEdit.SetText(L"", true);
    mManager.KeyChar(c.ch);
    EXPECT_EQ(mEdit.mString.size(), c.accepted ? 1u : 0u) << static_cast<int>(c.ch);
  }
  mListener.mRejectChars = {L'q'};
  mEdit.SetText(L"ab", true);
  mEdit.mCursorPos = 1;
  mEdit.mHilitePos = 2;
  Type(L"q");
  EXPECT_EQ(Text(), "ab");
  EXPECT_EQ(mEdit.mHilitePos, 2);  // the selection stays
}

TEST_F(EditTest, UndoTakesBackARunOfTypingInOneStep) {
  Type(L"abc");
  mManager.KeyChar(26);
  EXPECT_EQ(Text(), "");
  mManager.KeyChar(26);  // and redoes it
  EXPECT_EQ(Text(), "abc");
}

TEST_F(EditTest, UndoAfterAJumpTakesBackOnlyTheLastRun) {
  Type(L"ab");
  mManager.MouseDown(12, 15, 1);  // to position 0
  mManager.MouseUp(12, 15, 1);
  EXPECT_EQ(mEdit.mCursorPos, 0);
  Type(L"c");
  EXPECT_EQ(Text(), "cab");
  mManager.KeyChar(26);
  EXPECT_EQ(Text(), "ab");
}

TEST_F(EditTest, BackspaceRunIsOneUndoStep) {
  mEdit.SetText(L"abcd", true);
  Key(35);
  Key(8);
  Key(8);
  EXPECT_EQ(Text(), "ab");
  mManager.KeyChar(26);
  EXPECT_EQ(Text(), "abcd");
  Key(36);
  Key(8);  // at position 0: nothing
  EXPECT_EQ(Text(), "abcd");
  Key(46);  // Delete
  EXPECT_EQ(Text(), "bcd");
  Key(35);
  Key(46);  // at the end: nothing
  EXPECT_EQ(Text(), "bcd");
}

TEST_F(EditTest, MaximumCharactersCutsTheTypedCharacter) {
  mEdit.mMaxChars = 3;
  Type(L"abcd");
  EXPECT_EQ(Text(), "abc");
  EXPECT_EQ(mEdit.mCursorPos, 3);
}

TEST_F(EditTest, MaximumPixelsCutsFromTheEnd) {
  mEdit.mMaxPixels = 35;
  Type(L"abcd");
  EXPECT_EQ(Text(), "abc");
  Type(L"W");
  EXPECT_EQ(Text(), "abc");
  // A width-check font with the field's maximum.
  Testing::TestFont check;
  mEdit.SetFont(&mFont, &check);
  mEdit.mMaxPixels = 25;
  mEdit.SetText(L"", true);
  Type(L"abc");
  EXPECT_EQ(Text(), "ab");
  mEdit.mWidthCheckList[0].mWidth = 45;
  Type(L"cde");
  EXPECT_EQ(Text(), "abcd");
}

TEST_F(EditTest, PasswordCharacterIsShownAndCopied) {
  mEdit.mPasswordChar = L'*';
  Type(L"abc");
  EXPECT_EQ(WStringToString(mEdit.GetDisplayText()), "***");
  Key(36);
  WithKey(16, 35);  // Shift+End selects all
  mManager.KeyChar(3);
  EXPECT_EQ(mHost.mClipboard, "***");
  EXPECT_EQ(Text(), "abc");
}

TEST_F(EditTest, ShiftSelectsAndAPlainArrowDropsTheSelection) {
  Type(L"abcd");
  Key(36);
  Key(39);
  mManager.KeyDown(16);
  Key(39);
  Key(39);
  mManager.KeyUp(16);
  EXPECT_EQ(mEdit.mCursorPos, 3);
  EXPECT_EQ(mEdit.mHilitePos, 1);
  Key(37);
  EXPECT_EQ(mEdit.mCursorPos, 1);
  EXPECT_EQ(mEdit.mHilitePos, -1);
}

TEST_F(EditTest, ControlArrowsMoveByWords) {
  Type(L"ab cd");
  Key(36);
  WithKey(17, 39);
  EXPECT_EQ(mEdit.mCursorPos, 3);
  WithKey(17, 39);
  EXPECT_EQ(mEdit.mCursorPos, 5);
  WithKey(17, 37);
  EXPECT_EQ(mEdit.mCursorPos, 3);
  WithKey(17, 37);
  EXPECT_EQ(mEdit.mCursorPos, 0);
}

TEST_F(EditTest, CutCopyAndPaste) {
  Type(L"abcd");
  Key(36);
  Key(39);
  mManager.KeyDown(16);
  Key(39);
  Key(39);
  mManager.KeyUp(16);
  mManager.KeyChar(3);
  EXPECT_EQ(mHost.mClipboard, "bc");
  EXPECT_EQ(mEdit.mHilitePos, 1);  // copying keeps the selection
  mManager.KeyChar(24);
  EXPECT_EQ(Text(), "ad");
  EXPECT_EQ(mEdit.mCursorPos, 1);
  mManager.KeyChar(22);
  EXPECT_EQ(Text(), "abcd");
  EXPECT_EQ(mEdit.mCursorPos, 3);
  mManager.KeyChar(26);
  EXPECT_EQ(Text(), "ad");
}

TEST_F(EditTest, PasteStopsAtALineEndAndFiltersCharacters) {
  mHost.mClipboard = "xyz\rqq";
  mManager.KeyChar(22);
  EXPECT_EQ(Text(), "xyz");
  mHost.mClipboard = std::string("a\x7f" "b", 3);  // a character without width is dropped
  mListener.mRejectChars = {L'b'};
  mManager.KeyChar(22);
  EXPECT_EQ(Text(), "xyza");
  mHost.mClipboard.clear();
  mManager.KeyChar(22);
  EXPECT_EQ(Text(), "xyza");
  // Over a selection.
  mEdit.SetText(L"name", true);
  mHost.mClipboard = "ok";
  mManager.KeyChar(22);
  EXPECT_EQ(Text(), "ok");
}

TEST_F(EditTest, SetTextSelectsEverything) {
  mEdit.SetText(L"name", false);
  Type(L"x");
  EXPECT_EQ(Text(), "x");
}

TEST_F(EditTest, RefusedTextIsUndone) {
  Type(L"ab");
  mListener.mRejectText = L"abc";
  Type(L"c");
  EXPECT_EQ(Text(), "ab");
  EXPECT_EQ(mEdit.mCursorPos, 2);
}

TEST_F(EditTest, CursorBlinksOnlyWithFocus) {
  EXPECT_TRUE(mEdit.mShowingCursor);
  for (int i = 0; i < 40; ++i) mManager.UpdateTick();
  EXPECT_TRUE(mEdit.mShowingCursor);
  mManager.UpdateTick();
  EXPECT_FALSE(mEdit.mShowingCursor);
  mManager.SetFocus(nullptr);
  EXPECT_FALSE(mEdit.mShowingCursor);
  for (int i = 0; i < 100; ++i) mManager.UpdateTick();
  EXPECT_FALSE(mEdit.mShowingCursor);
  EXPECT_EQ(mEdit.mBlinkAcc, 0);
}

TEST_F(EditTest, MouseClickDragAndDoubleClick) {
  Type(L"ab cd");
  // Text starts at x 4 of the field: a press right of a character's middle + 5
  // goes after it.
  mManager.MouseDown(10 + 24, 15, 1);
  EXPECT_EQ(mEdit.mCursorPos, 2);
  mManager.MouseMove(10 + 44, 15);
  mManager.MouseUp(10 + 44, 15, 1);
  EXPECT_EQ(mEdit.mHilitePos, 2);
  EXPECT_EQ(mEdit.mCursorPos, 4);
  mManager.MouseDown(10 + 24, 15, 1);
  mManager.MouseUp(10 + 24, 15, 1);
  EXPECT_EQ(mEdit.mHilitePos, -1);  // a plain click selects nothing
  mManager.MouseDown(10 + 24, 15, 2);  // on the space: both words
  mManager.MouseUp(10 + 24, 15, 1);
  EXPECT_EQ(mEdit.mHilitePos, 0);
  EXPECT_EQ(mEdit.mCursorPos, 5);
  mManager.MouseDown(10 + 44, 15, 2);
  mManager.MouseUp(10 + 44, 15, 1);
  EXPECT_EQ(mEdit.mHilitePos, 3);
  EXPECT_EQ(mEdit.mCursorPos, 5);
  EXPECT_EQ(mHost.mCursors.front(), CURSOR_TEXT);
}

TEST_F(EditTest, ScrollingFollowsTheCursor) {
  mEdit.Resize(10, 10, 100, 24);
  Type(std::wstring(20, L'a'));
  EXPECT_EQ(mEdit.mLeftPos, 11);
  Key(36);
  EXPECT_EQ(mEdit.mLeftPos, 0);
}

TEST_F(EditTest, ACharacterWiderThanTheFieldDoesNotHang) {
  mEdit.Resize(10, 10, 20, 24);
  Type(L"W");
  Type(L"WW");
  mEdit.SetText(L"WWWW", false);
  EXPECT_EQ(mEdit.mCursorPos, 4);
  EXPECT_LE(mEdit.mLeftPos, 3);
}

TEST_F(EditTest, TabletCaretFollowsTheField) {
  mManager.SetFocus(nullptr);
  mHost.mTabletPC = true;
  mEdit.Move(5, 700);
  mManager.SetFocus(&mEdit);
  mManager.UpdateTick();
  mManager.SetFocus(nullptr);
  EXPECT_EQ(mHost.mCaretCalls, (std::vector<std::string>{"show 10 590", "move 10 590", "hide"}));
}

TEST_F(EditTest, DrawsTextCursorAndOutline) {
  EventLog drawn;
  mFont.mLog = &drawn;
  mEdit.SetFont(&mFont);
  Type(L"ab");
  MemoryImage target;
  target.Create(220, 40);
  Graphics g(&target);
  g.Translate(mEdit.mX, mEdit.mY);
  mEdit.Draw(&g);
  // Plain text, then the text again in the cursor colours; baseline (24 - 16) / 2 + 12.
  EXPECT_EQ(drawn, (EventLog{"ab 14,26 0,0,0", "ab 14,26 255,255,255"}));
  EXPECT_TRUE(Testing::PixelNear(target, 10, 10, 0x000000));   // outline
  EXPECT_TRUE(Testing::PixelNear(target, 20, 20, 0xFFFFFF));   // background
  EXPECT_TRUE(Testing::PixelNear(target, 34, 20, 0x000000));   // cursor bar after "ab"
  EXPECT_TRUE(Testing::PixelNear(target, 36, 20, 0xFFFFFF));
}

}  // namespace
}  // namespace Plix
