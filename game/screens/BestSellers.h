#pragma once
// The best-seller tables: one of the four (story, Happy Hour easy, normal,
// hard) with ten rows. From the main menu the arrows browse them and
// "Clear" refills one; after play the result is entered at once under the
// current player's name, its row flashes, and after a wait the name dialog
// asks for the name to keep.
#include <string>

#include "game/screens/ScreenFrame.h"

namespace Plix {

class ButtonWidget;

class BestSellers : public ScreenFrame {
public:
  enum ButtonId { kLeft = 1, kRight = 2, kRetry = 3, kClear = 4, kMainMenu = 5 };
  static constexpr int kButtonCount = 5;
  static constexpr int kNameDelay = 200;
  static constexpr int kNameDialogId = 4;
  static constexpr int kClearDialogId = 3;

  // Mode 0 browses; 1 and 5 enter a story result (score, stars), 2 to 4 a
  // Happy Hour one of easy, normal or hard (score, time in seconds).
  BestSellers(GameApp& app, int mode, int score, int stars, int time);
  ~BestSellers() override;

  void OnAddedToManager(WidgetManager* manager) override;
  void OnRemovedFromManager(WidgetManager* manager) override;
  void Draw(Graphics* g) override;
  void DrawOverlay(Graphics* g) override;
  // The buttons are widgets of their own: the screen takes no mouse input.
  void MouseMove(int x, int y) override {}
  void MouseDown(int x, int y, int clickCount) override { GameScreen::MouseDown(x, y, clickCount); }
  void MouseUpAt(int x, int y) override {}
  void MouseDrag(int x, int y) override {}
  void ButtonPressed(int id) override;
  void ButtonReleased(int id) override;
  // Leaves the cursor as it is.
  void Pause() override;

  // The name dialog's answer for the new row.
  void SetNewEntryName(const std::wstring& name);

  int GetMode() const { return mMode; }
  int GetShownTable() const { return mShownTable; }
  int GetNewEntryRank() const { return mNewEntryRank; }
  int GetNameCountdown() const { return mNameCountdown; }
  int GetPulse() const { return mPulse; }
  ButtonWidget* GetButton(int id) const { return id >= 1 && id <= kButtonCount ? mSlots[id - 1] : nullptr; }

  // "%d:%d" of minutes and seconds, the seconds not padded.
  static std::wstring FormatTime(int seconds);
  // The baseline of a table row (0 to 9): rows stand the font's line height
  // less 5 apart below the heads.
  static int RowBaseline(int row);

protected:
  void UpdateScreen() override;
  void OnFadeResult(int result) override;

private:
  ButtonWidget* MakeButton(int id, Image* image, const std::wstring& label);
  void DrawRows(Graphics* g);

  int mMode;
  int mScore;
  int mStars;
  int mTime;
  int mShownTable = 0;
  int mNewEntryRank = -1;
  int mNameCountdown = 0;
  int mPulse = 255;
  int mPulseStep = -4;
  ButtonWidget* mSlots[kButtonCount] = {};  // by id - 1, owned
};

}  // namespace Plix
