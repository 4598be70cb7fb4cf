#pragma once
// The image button of the shop floor and the screens: not a widget, its
// owner draws it, asks it whether a point hits it and sets its state.
// Four states (0 normal, 1 mouse over, 2 pressed, 3 disabled, never hit),
// each with its own image and cell, an optional per-pixel hit mask, a
// label, a badge counting the clicks queued at it, and a fade-in with two
// glow pulses for a station unlocked during a day.
#include <cstdint>
#include <string>
#include <vector>

#include "framework/graphics/Color.h"
#include "game/app/ZObject.h"

namespace Plix {

class Image;

class AlphaButton : public ZObject {
public:
  explicit AlphaButton(int id);

  int GetBaseY() override { return mY + mHeight; }
  // The cell of the current state at (x, y), the label, the glow and the
  // badge; nothing when hidden.
  void Draw(Graphics& g) override;
  // The pending-click count as a marker cel centred on the button.
  virtual void DrawBadge(Graphics& g);

  int GetId() const { return mId; }
  int GetX() const { return mX; }
  int GetY() const { return mY; }
  int GetWidth() const { return mWidth; }
  int GetHeight() const { return mHeight; }
  int GetState() const { return mState; }
  Image* GetStateImage(int state) const { return ValidState(state) ? mStateImage[state] : nullptr; }
  int GetStateColumn(int state) const { return ValidState(state) ? mStateCell[state][0] : 0; }
  int GetStateRow(int state) const { return ValidState(state) ? mStateCell[state][1] : 0; }

  // The image of state 0 (of every state when allStates); width and height
  // become its cell size. A null image changes nothing.
  void SetImage(Image* image, bool allStates);
  void SetStateImage(int state, Image* image);
  void SetStateCell(int state, int column, int row);
  void SetPosition(int x, int y) {
    mX = x;
    mY = y;
  }
  // State 1 is drawn two pixels lower.
  void SetHoverOffset() {
    mHoverOffsetX = 0;
    mHoverOffsetY = 2;
  }
  // The closed freezer lid in state 1, 2 or 3.
  void SetFreezerClosedImage(int state);
  void SetState(int state) { mState = state; }
  void SetDisabled(bool disabled) { mState = disabled ? 3 : 0; }
  bool IsDisabled() const { return mState == 3; }
  // The mouse has left it: a highlight goes, a disabled or pressed look
  // stays.
  void LeaveHover() {
    if (mState == 1) mState = 0;
  }
  void SetVisible(bool visible) { mVisible = visible; }
  bool IsVisible() const { return mVisible; }
  // An active button is drawn translucent unless highlighted.
  void SetActive(bool active) { mActive = active; }
  bool IsActive() const { return mActive; }

  // A mask of the state-0 image's opaque pixels, grown by `dilation`
  // passes within each cell; nothing when that image has no pixels in
  // memory.
  void CreateHitMask(int dilation);
  bool HasHitMask() const { return !mHitMask.empty(); }
  // With a mask: the rectangle, at the same place in every cell, becomes
  // hittable. It must lie inside one cell.
  void AddHitRect(int x, int y, int w, int h);
  // Never in state 3; otherwise inside the rectangle and, with a mask, on
  // a set pixel of the state-0 cell.
  bool Contains(int x, int y) const;

  // The label is centred on the button in FONT_DEFAULT, shifted by the
  // offset.
  void SetLabel(const std::wstring& text, int offsetX, int offsetY);
  const std::wstring& GetLabel() const { return mLabel; }
  int GetLabelOffsetX() const { return mLabelOffsetX; }
  int GetLabelOffsetY() const { return mLabelOffsetY; }
  void SetLabelColor(int state, const Color& color) {
    if (ValidState(state)) mLabelColor[state] = color;
  }
  int GetClickSound() const { return mClickSound; }

  // The marker cel for a count of clicks: cel n stands for n + 1, cel 8
  // for nine and more.
  static int BadgeCel(int count) { return count < 9 ? count - 1 : 8; }

  // Clicks queued at the station and not yet carried out.
  void IncrementPending() { ++mPendingClicks; }
  // Not below 0; the new count.
  int DecrementPending() {
    if (mPendingClicks > 0) --mPendingClicks;
    return mPendingClicks;
  }
  void ClearPending() { mPendingClicks = 0; }
  int GetPending() const { return mPendingClicks; }
  void SetBadgeOffset(int offsetY) {
    mBadgeOffsetX = 0;
    mBadgeOffsetY = offsetY;
  }
  void HideBadge() { mBadgeShown = false; }

  // A fade-in from transparent over 64 updates, then two additive glow
  // pulses of 64 updates each; UpdateAppear runs once per update.
  void StartAppear() {
    mGlowLevel = 0;
    mOverlayOn = true;
  }
  void UpdateAppear();
  bool IsOverlayOn() const { return mOverlayOn; }
  int GetGlowLevel() const { return mGlowLevel; }
  int GetGlowCount() const { return mGlowCount; }

protected:
  static bool ValidState(int state) { return state >= 0 && state < 4; }
  // Where a marker cel of `marker` is centred on the button.
  int BadgeX(const Image* marker) const;
  int BadgeY(const Image* marker) const;

  int mId;
  int mX = 0;
  int mY = 0;
  int mHoverOffsetX = 0;
  int mHoverOffsetY = 0;
  int mWidth = 0;
  int mHeight = 0;
  int mState = 0;
  Image* mStateImage[4] = {};
  int mStateCell[4][2] = {};
  bool mVisible = true;
  bool mActive = false;
  std::vector<uint8_t> mHitMask;  // one byte per pixel of the whole state-0 image
  int mMaskWidth = 0;
  int mMaskCellWidth = 0;
  int mMaskCellHeight = 0;
  int mClickSound;
  std::wstring mLabel;
  int mLabelOffsetX = 0;
  int mLabelOffsetY = 0;
  bool mLabelled = false;
  Color mLabelColor[4] = {Color(0, 0, 0, 255), Color(0, 0, 0, 255), Color(0, 0, 0, 255), Color(0, 0, 0, 255)};
  int mPendingClicks = 0;
  int mBadgeOffsetX = 0;
  int mBadgeOffsetY = 0;
  bool mBadgeShown = true;
  Color mOverlayColor = Color(255, 255, 255, 255);
  bool mOverlayOn = false;
  int mGlowLevel = 255;
  int mGlowCount = 0;
};

// The base line that centres one line of text on the balloon's shared minus
// button.
int GetChooserTextY();

}  // namespace Plix
