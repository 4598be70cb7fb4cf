#pragma once
// The single-line text entry: a wide text with a cursor, a selection, a
// horizontal scroll position and one level of undo; an optional password
// character; limits by characters and by pixel width; clipboard through the
// application; a blinking cursor. The listener is asked before keys,
// characters and new texts are taken.
#include <string>
#include <vector>

#include "framework/widget/Widget.h"

namespace Plix {

class EditListener;

class EditWidget : public Widget {
public:
  enum { COLOR_BKG, COLOR_OUTLINE, COLOR_TEXT, COLOR_HILITE, COLOR_HILITE_TEXT };

  struct WidthCheck {
    Font* mFont = nullptr;  // owned
    int mWidth = -1;        // below 1: mMaxPixels
  };

  int mId;
  std::wstring mString;
  std::wstring mPasswordDisplayString;
  Font* mFont = nullptr;  // owned copy
  std::vector<WidthCheck> mWidthCheckList;
  EditListener* mEditListener;
  bool mShowingCursor = false;
  bool mDoubleClickSelecting = false;
  int mCursorPos = 0;
  int mHilitePos = -1;  // the selection's other end, -1 for none
  int mBlinkAcc = 0;
  int mBlinkDelay = 40;
  int mLeftPos = 0;  // first visible character
  int mMaxChars = -1;
  int mMaxPixels = -1;
  wchar_t mPasswordChar = 0;
  std::wstring mUndoString;
  int mUndoCursor = 0;
  int mUndoHilitePos = 0;
  int mLastModifyIdx = 0;

  EditWidget(int id, EditListener* listener);
  ~EditWidget() override;

  virtual void ProcessKey(int key, wchar_t ch);
  virtual void SelectWordAt();
  virtual void SetFont(Font* font, Font* widthCheckFont = nullptr);
  // Selects the whole new text, so the next character typed replaces it.
  virtual void SetText(const std::wstring& text, bool leftPosToZero = true);
  virtual bool IsWordChar(wchar_t ch);
  virtual int GetCharAt(int x, int y);
  virtual void ScrollToCursor(bool bigSteps);

  // What is drawn: the text, or as many password characters.
  const std::wstring& GetDisplayText();
  void EnforceMaxPixels();
  bool HasSelection() const { return mHilitePos != -1 && mHilitePos != mCursorPos; }

  void MarkDirty() override;
  void Update() override;
  void Draw(Graphics* g) override;
  void Resize(int32_t x, int32_t y, int32_t width, int32_t height) override;
  bool AcceptsFocus() override { return true; }
  void GotFocus() override;
  void LostFocus() override;
  void KeyChar(wchar_t ch) override;
  void KeyDown(int key) override;
  void MouseEnter() override;
  void MouseLeave() override;
  void MouseDownButton(int x, int y, int button, int clickCount) override;
  void MouseUpButton(int x, int y, int button, int clickCount) override;
  void MouseDrag(int x, int y) override;

private:
  Font* EnsureFont();
  // Width of the first n characters of the display text.
  int DisplayWidth(int n);
  // Removes the selection; the cursor goes to its start.
  void DeleteSelection();
  void CopySelection();
  void PlaceCaret(bool show);
};

}  // namespace Plix
