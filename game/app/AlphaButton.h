#pragma once
// The image button of the shop floor and the screens: not a widget, its
// owner draws it, asks it whether a point hits it and sets its state.
// Four states (0 normal, 1 mouse over, 2 pressed, 3 disabled, never hit),
// each with its own image and cell, an optional per-pixel hit mask and a
// label.
#include <cstdint>
#include <string>
#include <vector>

#include "game/app/ZObject.h"

namespace Plix {

class Image;

class AlphaButton : public ZObject {
public:
  explicit AlphaButton(int id);

  int GetBaseY() override { return mY + mHeight; }
  // The cell of the current state at (x, y), then the label; nothing when
  // hidden.
  void Draw(Graphics& g) override;

  int GetId() const { return mId; }
  int GetX() const { return mX; }
  int GetY() const { return mY; }
  int GetWidth() const { return mWidth; }
  int GetHeight() const { return mHeight; }
  int GetState() const { return mState; }

  // The image of state 0 (of every state when allStates); width and height
  // become its cell size. A null image changes nothing.
  void SetImage(Image* image, bool allStates);
  void SetStateImage(int state, Image* image);
  void SetStateCell(int state, int column, int row);
  void SetPosition(int x, int y) {
    mX = x;
    mY = y;
  }
  void SetState(int state) { mState = state; }
  void SetVisible(bool visible) { mVisible = visible; }
  bool IsVisible() const { return mVisible; }

  // A mask of the state-0 image's opaque pixels, grown by `dilation`
  // passes within each cell; nothing when that image has no pixels in
  // memory.
  void CreateHitMask(int dilation);
  bool HasHitMask() const { return !mHitMask.empty(); }
  // Never in state 3; otherwise inside the rectangle and, with a mask, on
  // a set pixel of the state-0 cell.
  bool Contains(int x, int y) const;

  // The label is centred on the button in FONT_DEFAULT, shifted by the
  // offset.
  void SetLabel(const std::wstring& text, int offsetX, int offsetY);
  const std::wstring& GetLabel() const { return mLabel; }
  int GetLabelOffsetX() const { return mLabelOffsetX; }
  int GetLabelOffsetY() const { return mLabelOffsetY; }

private:
  static bool ValidState(int state) { return state >= 0 && state < 4; }

  int mId;
  int mX = 0;
  int mY = 0;
  int mWidth = 0;
  int mHeight = 0;
  int mState = 0;
  Image* mStateImage[4] = {};
  int mStateCell[4][2] = {};
  bool mVisible = true;
  std::vector<uint8_t> mHitMask;  // one byte per pixel of the whole state-0 image
  int mMaskWidth = 0;
  std::wstring mLabel;
  int mLabelOffsetX = 0;
  int mLabelOffsetY = 0;
  bool mLabelled = false;
};

}  // namespace Plix
