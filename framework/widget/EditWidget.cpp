#include "framework/widget/EditWidget.h"

#include <algorithm>
#include <cstdlib>

#include "framework/graphics/Graphics.h"
#include "framework/graphics/GraphicsHost.h"
#include "framework/graphics/SysFont.h"
#include "framework/util/Utilities.h"
#include "framework/widget/EditListener.h"
#include "framework/widget/WidgetHost.h"
#include "framework/widget/WidgetManager.h"

namespace Plix {

namespace {

const int32_t kEditColors[][3] = {{255, 255, 255}, {0, 0, 0}, {0, 0, 0}, {0, 0, 0}, {255, 255, 255}};

// Characters that arrive through KeyChar for the editing shortcuts.
constexpr wchar_t CHAR_COPY = 3;
constexpr wchar_t CHAR_PASTE = 22;
constexpr wchar_t CHAR_CUT = 24;
constexpr wchar_t CHAR_UNDO = 26;

}  // namespace

EditWidget::EditWidget(int id, EditListener* listener) : mId(id), mEditListener(listener) {
  SetColorTableRGB(kEditColors, 5);
}

EditWidget::~EditWidget() {
  delete mFont;
  for (WidthCheck& check : mWidthCheckList) delete check.mFont;
}

Font* EditWidget::EnsureFont() {
  if (mFont == nullptr) mFont = new SysFont(GetGraphicsHost(), "Arial Unicode MS", 10, 0);
  return mFont;
}

void EditWidget::SetFont(Font* font, Font* widthCheckFont) {
  delete mFont;
  mFont = font != nullptr ? font->Duplicate() : nullptr;
  for (WidthCheck& check : mWidthCheckList) delete check.mFont;
  mWidthCheckList.clear();
  if (widthCheckFont != nullptr) mWidthCheckList.push_back(WidthCheck{widthCheckFont->Duplicate(), -1});
}

const std::wstring& EditWidget::GetDisplayText() {
  if (mPasswordChar == 0) return mString;
  if (mPasswordDisplayString.size() != mString.size()) mPasswordDisplayString.assign(mString.size(), mPasswordChar);
  return mPasswordDisplayString;
}

int EditWidget::DisplayWidth(int n) {
  const std::wstring& text = GetDisplayText();
  n = std::clamp(n, 0, static_cast<int>(text.size()));
  return EnsureFont()->StringWidth(text.substr(0, n));
}

void EditWidget::SetText(const std::wstring& text, bool leftPosToZero) {
  mString = text;
  mCursorPos = static_cast<int>(mString.size());
  mHilitePos = 0;
  if (leftPosToZero)
    mLeftPos = 0;
  else
    ScrollToCursor(true);
  MarkDirty();
}

bool EditWidget::IsWordChar(wchar_t ch) {
  return (ch >= L'A' && ch <= L'Z') || (ch >= L'a' && ch <= L'z') || (ch >= L'0' && ch <= L'9') ||
         (ch >= 192 && ch <= 255) || ch == L'_';
}

void EditWidget::CopySelection() {
  const std::wstring& text = GetDisplayText();
  int start = std::min(mCursorPos, mHilitePos), end = std::max(mCursorPos, mHilitePos);
  GetWidgetHost()->CopyToClipboard(ToNarrowString(text.substr(start, end - start)));
}

void EditWidget::DeleteSelection() {
  int start = std::min(mCursorPos, mHilitePos), end = std::max(mCursorPos, mHilitePos);
  mString = mString.substr(0, start) + mString.substr(end);
  mCursorPos = start;
  mHilitePos = -1;
}

void EditWidget::ProcessKey(int key, wchar_t ch) {
  WidgetManager* manager = mWidgetManager;
  const bool shift = manager != nullptr && manager->IsKeyDown(KEYCODE_SHIFT);
  const bool control = manager != nullptr && manager->IsKeyDown(KEYCODE_CONTROL);
  if (key == KEYCODE_SHIFT || key == KEYCODE_CONTROL) return;
  if (shift && mHilitePos == -1) mHilitePos = mCursorPos;

  const std::wstring oldString = mString;
  const int oldCursor = mCursorPos, oldHilite = mHilitePos, oldLeft = mLeftPos;
  bool changed = false;
  bool dropSelection = !shift;
  Font* font = EnsureFont();
  const int length = static_cast<int>(mString.size());

  if (ch == CHAR_COPY) {
    if (HasSelection()) {
      CopySelection();
      dropSelection = false;
    }
  } else if (ch == CHAR_CUT) {
    if (HasSelection()) {
      CopySelection();
      DeleteSelection();
      changed = true;
    }
  } else if (ch == CHAR_PASTE) {
    std::wstring clip = ToWString(GetWidgetHost()->GetClipboardText());
    if (!clip.empty()) {
      std::wstring insert;
      for (wchar_t c : clip) {
        if (c == L'\r' || c == L'\n') break;
        if (font->CharWidth(c) != 0 && (mEditListener == nullptr || mEditListener->AcceptsChar(mId, c)))
          insert += c;
      }
      if (mHilitePos != -1) DeleteSelection();
      mString.insert(mCursorPos, insert);
      mCursorPos += static_cast<int>(insert.size());
      changed = true;
    }
  } else if (ch == CHAR_UNDO) {
    std::swap(mString, mUndoString);
    std::swap(mCursorPos, mUndoCursor);
    std::swap(mHilitePos, mUndoHilitePos);
    mLastModifyIdx = -1;
    dropSelection = false;
  } else if (key == KEYCODE_LEFT) {
    if (control) {
      const std::wstring& text = GetDisplayText();
      while (mCursorPos > 0 && !IsWordChar(text[mCursorPos - 1])) --mCursorPos;
      while (mCursorPos > 0 && IsWordChar(text[mCursorPos - 1])) --mCursorPos;
    } else if (!shift && mHilitePos != -1) {
      mCursorPos = std::min(mCursorPos, mHilitePos);
    } else {
      --mCursorPos;
    }
  } else if (key == KEYCODE_RIGHT) {
    if (control) {
      const std::wstring& text = GetDisplayText();
      while (mCursorPos < length - 1 && IsWordChar(text[mCursorPos + 1])) ++mCursorPos;
      while (mCursorPos < length - 1 && !IsWordChar(text[mCursorPos + 1])) ++mCursorPos;
    }
    if (!shift && mHilitePos != -1)
      mCursorPos = std::max(mCursorPos, mHilitePos);
    else
      ++mCursorPos;
  } else if (key == KEYCODE_BACK) {
    if (!mString.empty()) {
      if (HasSelection()) {
        DeleteSelection();
        changed = true;
      } else if (mCursorPos > 0) {
        mString.erase(mCursorPos - 1, 1);
        --mCursorPos;
        mHilitePos = -1;
        // A run of Backspaces is one undo step.
        changed = mCursorPos != mLastModifyIdx;
        mLastModifyIdx = mCursorPos - 1;
      }
    }
  } else if (key == KEYCODE_DELETE) {
    if (!mString.empty()) {
      if (HasSelection()) {
        DeleteSelection();
        changed = true;
      } else if (mCursorPos < length) {
        mString.erase(mCursorPos, 1);
        changed = mCursorPos != mLastModifyIdx;
        mLastModifyIdx = mCursorPos;
      }
    }
  } else if (key == KEYCODE_HOME) {
    mCursorPos = 0;
  } else if (key == KEYCODE_END) {
    mCursorPos = length;
  } else if (key == KEYCODE_RETURN) {
    if (mEditListener != nullptr) mEditListener->OnEditText(mId, mString);
  } else {
    const wchar_t limit = GetWidgetHost()->GetExtendedChars() ? 255 : 127;
    const bool accepted = ch >= 32 && ch <= limit && font->StringWidth(std::wstring(1, ch)) > 0 &&
                          (mEditListener == nullptr || mEditListener->AcceptsChar(mId, ch));
    if (!accepted) {
      dropSelection = false;
    } else {
      if (HasSelection()) {
        DeleteSelection();
        changed = true;
      } else {
        // Typing on at the next position is one undo step.
        changed = mCursorPos != mLastModifyIdx + 1;
        mLastModifyIdx = mCursorPos;
      }
      mString.insert(mCursorPos, 1, ch);
      ++mCursorPos;
      mHilitePos = -1;
      ScrollToCursor(false);
    }
  }

  if (mMaxChars != -1 && static_cast<int>(mString.size()) > mMaxChars) mString.resize(mMaxChars);
  EnforceMaxPixels();
  mCursorPos = std::clamp(mCursorPos, 0, static_cast<int>(mString.size()));
  // A character the limits took back again changed nothing, and the view
  // stays where it was: it scrolled for a text the field never kept.
  if (mString == oldString && mCursorPos == oldCursor) mLeftPos = oldLeft;
  // A cut text must not leave the selection's end behind it.
  mHilitePos = std::min(mHilitePos, static_cast<int>(mString.size()));
  if (mCursorPos != oldCursor) {
    mBlinkAcc = 0;
    mShowingCursor = true;
  }
  ScrollToCursor(true);
  if (dropSelection || mHilitePos == mCursorPos) mHilitePos = -1;

  if (mEditListener != nullptr && !mEditListener->AcceptsText(mId, mString)) {
    mString = oldString;
    mCursorPos = oldCursor;
    mHilitePos = oldHilite;
  } else if (changed) {
    mUndoString = oldString;
    mUndoCursor = oldCursor;
    mUndoHilitePos = oldHilite;
  }
  MarkDirty();
}

void EditWidget::EnforceMaxPixels() {
  if (mMaxPixels < 1 && mWidthCheckList.empty()) return;
  if (mWidthCheckList.empty()) {
    Font* font = EnsureFont();
    while (!mString.empty() && font->StringWidth(mString) > mMaxPixels) mString.pop_back();
    return;
  }
  for (WidthCheck& check : mWidthCheckList) {
    int limit = check.mWidth >= 1 ? check.mWidth : mMaxPixels;
    if (limit < 1) continue;
    while (!mString.empty() && check.mFont->StringWidth(mString) > limit) mString.pop_back();
  }
}

// A click left of the middle of the first visible character is position 0,
// also when the view is scrolled.
int EditWidget::GetCharAt(int x, int y) {
  const std::wstring& text = GetDisplayText();
  Font* font = EnsureFont();
  const int length = static_cast<int>(text.size());
  int pos = 0;
  for (int i = mLeftPos; i < length; ++i) {
    int before = font->StringWidth(text.substr(mLeftPos, i - mLeftPos));
    int through = font->StringWidth(text.substr(mLeftPos, i - mLeftPos + 1));
    if (x >= (before + through) / 2 + 5) pos = i + 1;
  }
  return pos;
}

void EditWidget::SelectWordAt() {
  const std::wstring& text = GetDisplayText();
  const int length = static_cast<int>(text.size());
  if (mCursorPos >= length) return;
  mHilitePos = mCursorPos;
  while (mHilitePos > 0 && IsWordChar(text[mHilitePos - 1])) --mHilitePos;
  while (mCursorPos < length - 1 && IsWordChar(text[mCursorPos + 1])) ++mCursorPos;
  if (mCursorPos < length) ++mCursorPos;
}

void EditWidget::ScrollToCursor(bool bigSteps) {
  const int step = bigSteps ? 10 : 1;
  while (mCursorPos < mLeftPos) {
    mLeftPos = std::max(mLeftPos - step, 0);
    MarkDirty();
  }
  if (mFont == nullptr) return;
  const int length = static_cast<int>(GetDisplayText().size());
  while (mWidth > 8 && DisplayWidth(mCursorPos) - DisplayWidth(mLeftPos) >= mWidth - 8) {
    int next = std::max(std::min(mLeftPos + step, length - 1), 0);
    // One character wider than the field: the view cannot move on.
    if (next <= mLeftPos) break;
    mLeftPos = next;
    MarkDirty();
  }
}

void EditWidget::MarkDirty() {
  if (GetColor(COLOR_BKG).mAlpha == 255)
    Widget::MarkDirty();
  else
    MarkDirtyWithOverlaps();
}

void EditWidget::Resize(int32_t x, int32_t y, int32_t width, int32_t height) {
  Widget::Resize(x, y, width, height);
  ScrollToCursor(false);
}

void EditWidget::PlaceCaret(bool show) {
  WidgetHost* host = GetWidgetHost();
  Point pos = GetAbsolutePosition();
  int x = std::clamp(pos.mX, 10, std::max(10, host->GetAppWidth() - 10));
  int y = std::clamp(pos.mY, 10, std::max(10, host->GetAppHeight() - 10));
  if (show)
    host->ShowCaret(x, y);
  else
    host->SetCaretPos(x, y);
}

void EditWidget::Update() {
  Widget::Update();
  if (!mHasFocus) return;
  if (GetWidgetHost()->IsTabletPC()) PlaceCaret(false);
  if (++mBlinkAcc > mBlinkDelay) {
    MarkDirty();
    mBlinkAcc = 0;
    mShowingCursor = !mShowingCursor;
  }
}

void EditWidget::GotFocus() {
  Widget::GotFocus();
  if (GetWidgetHost()->IsTabletPC()) PlaceCaret(true);
  mShowingCursor = true;
  mBlinkAcc = 0;
  MarkDirty();
}

void EditWidget::LostFocus() {
  Widget::LostFocus();
  if (GetWidgetHost()->IsTabletPC()) GetWidgetHost()->HideCaret();
  mShowingCursor = false;
  MarkDirty();
}

void EditWidget::KeyChar(wchar_t ch) {
  if (mEditListener != nullptr) mEditListener->OnEditChar(ch);
  ProcessKey(0, ch);
}

void EditWidget::KeyDown(int key) {
  // Letters come as characters through KeyChar.
  if ((key < 'A' || key > 'Z') && (mEditListener == nullptr || mEditListener->AcceptsKey(mId, key)))
    ProcessKey(key, 0);
  Widget::KeyDown(key);
}

void EditWidget::MouseEnter() { GetWidgetHost()->SetCursor(CURSOR_TEXT); }

void EditWidget::MouseLeave() { GetWidgetHost()->SetCursor(CURSOR_POINTER); }

void EditWidget::MouseDownButton(int x, int y, int button, int clickCount) {
  mHilitePos = -1;
  mCursorPos = GetCharAt(x, y);
  if (clickCount > 1) {
    mDoubleClickSelecting = true;
    SelectWordAt();
  }
  MarkDirty();
  ScrollToCursor(false);
}

void EditWidget::MouseDrag(int x, int y) {
  if (mHilitePos == -1) mHilitePos = mCursorPos;
  mCursorPos = GetCharAt(x, y);
  MarkDirty();
  ScrollToCursor(false);
}

void EditWidget::MouseUpButton(int x, int y, int button, int clickCount) {
  if (mHilitePos == mCursorPos) mHilitePos = -1;
  if (mDoubleClickSelecting) {
    mHilitePos = -1;
    mCursorPos = GetCharAt(x, y);
    mDoubleClickSelecting = false;
    SelectWordAt();
  }
  MarkDirty();
}

void EditWidget::Draw(Graphics* g) {
  Font* font = EnsureFont();
  const std::wstring& display = GetDisplayText();
  const std::wstring shown = display.substr(std::min<size_t>(mLeftPos, display.size()));
  const int textY = (mHeight - font->GetHeight()) / 2 + font->GetAscent();

  g->SetColor(GetColor(COLOR_BKG));
  g->FillRect(0, 0, mWidth, mHeight);

  {
    Graphics plain(*g);
    plain.SetFont(font);
    plain.ClipRect(4, -5, mWidth - 8, mHeight);
    plain.SetColor(GetColor(COLOR_TEXT));
    plain.DrawString(shown, 4, textY);
  }
  {
    // The cursor bar or the selection, with the text under it redrawn.
    Graphics marked(*g);
    marked.SetFont(font);
    const int left = DisplayWidth(mLeftPos);
    int x1 = DisplayWidth(mCursorPos) - left;
    int x2 = HasSelection() ? DisplayWidth(mHilitePos) - left : x1 + 2;
    if (!mShowingCursor) x1 += 2;
    const int maxX = std::max(mWidth - 8, 0);
    x1 = std::clamp(x1, 0, maxX);
    x2 = std::clamp(x2, 0, maxX);
    marked.ClipRect(std::min(x1, x2) + 4, (mHeight - font->GetHeight()) / 2 - 5, std::abs(x2 - x1),
                    font->GetHeight());
    if (mHasFocus) {
      marked.SetColor(GetColor(COLOR_HILITE));
      marked.FillRect(0, 0, mWidth, mHeight);
      marked.SetColor(GetColor(COLOR_HILITE_TEXT));
    } else {
      marked.SetColor(GetColor(COLOR_TEXT));
    }
    marked.DrawString(shown, 4, textY);
  }

  g->SetColor(GetColor(COLOR_OUTLINE));
  g->DrawRect(0, 0, mWidth - 1, mHeight - 1);
}

}  // namespace Plix
