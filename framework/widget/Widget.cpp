#include "framework/widget/Widget.h"

#include <algorithm>
#include <cstdlib>

#include "framework/graphics/Font.h"
#include "framework/graphics/Graphics.h"
#include "framework/graphics/Image.h"

#include "framework/widget/WidgetHost.h"
#include "framework/widget/WidgetManager.h"

namespace Plix {

Widget::Widget() = default;

Widget::~Widget() {
  // Deleting a widget still in a tree would leave the manager pointing at it.
  if (mParent != nullptr) mParent->RemoveWidget(this);
}

void Widget::Update() { WidgetContainer::Update(); }

void Widget::SetVisible(bool visible) {
  if (mVisible == visible) return;
  mVisible = visible;
  if (visible)
    MarkDirty();
  else
    MarkDirtyWithOverlaps();
  if (mWidgetManager != nullptr) mWidgetManager->RehupMouse();
}

void Widget::SetColorTableRGBA(const int32_t rows[][4], int count) {
  mColors.clear();
  for (int i = 0; i < count; ++i) SetColor(i, Color(rows[i][0], rows[i][1], rows[i][2], rows[i][3]));
  MarkDirty();
}

void Widget::SetColorTableRGB(const int32_t rows[][3], int count) {
  mColors.clear();
  for (int i = 0; i < count; ++i) SetColor(i, Color(rows[i][0], rows[i][1], rows[i][2], 255));
  MarkDirty();
}

void Widget::SetColor(int index, const Color& color) {
  if (index < 0) return;
  if (static_cast<size_t>(index) >= mColors.size()) mColors.resize(index + 1);
  mColors[index] = color;
  MarkDirty();
}

Color Widget::GetColorOrDefault(int index, const Color& defaultColor) {
  if (index < 0 || static_cast<size_t>(index) >= mColors.size()) return defaultColor;
  return mColors[index];
}

const Color& Widget::GetColor(int index) {
  static const Color black(0, 0, 0, 255);
  if (index < 0 || static_cast<size_t>(index) >= mColors.size()) return black;
  return mColors[index];
}

void Widget::SetDisabled(bool disabled) {
  if (mDisabled == disabled) return;
  mDisabled = disabled;
  if (disabled && mWidgetManager != nullptr) mWidgetManager->DisableWidget(this);
  MarkDirty();
  if (!disabled && mWidgetManager != nullptr &&
      Contains(mWidgetManager->mLastMouseX, mWidgetManager->mLastMouseY))
    mWidgetManager->SetMousePosition(mWidgetManager->mLastMouseX, mWidgetManager->mLastMouseY);
}

void Widget::ShowHandCursor(bool show) {
  if (mWidgetManager != nullptr) GetWidgetHost()->SetCursor(show ? CURSOR_HAND : CURSOR_POINTER);
}

void Widget::ResizeToRect(const Rect& rect) { Resize(rect.mX, rect.mY, rect.mWidth, rect.mHeight); }

void Widget::Resize(int32_t x, int32_t y, int32_t width, int32_t height) {
  if (mX == x && mY == y && mWidth == width && mHeight == height) return;
  MarkDirtyWithOverlaps();  // the old area
  mX = x;
  mY = y;
  mWidth = width;
  mHeight = height;
  MarkDirty();  // the new one
  if (mWidgetManager != nullptr) mWidgetManager->RehupMouse();
}

void Widget::Move(int32_t x, int32_t y) { Resize(x, y, mWidth, mHeight); }

bool Widget::AcceptsFocus() { return mWantsFocus; }

void Widget::DrawOverlayAtPriority(Graphics* g, int priority) { DrawOverlay(g); }

void Widget::GotFocus() { mHasFocus = true; }

void Widget::LostFocus() { mHasFocus = false; }

void Widget::KeyDown(int key) {
  if (key != KEYCODE_TAB || mWidgetManager == nullptr) return;
  Widget* target = mWidgetManager->IsKeyDown(KEYCODE_SHIFT) ? mTabPrev : mTabNext;
  if (target != nullptr) mWidgetManager->SetFocus(target);
}

void Widget::DecodeClickCount(int clickCount, int& button, int& count) {
  if (clickCount == 3) {
    button = 2;
    count = 1;
  } else if (clickCount < 0) {
    button = 1;
    count = -clickCount;
  } else {
    button = 0;
    count = clickCount;
  }
}

void Widget::MouseDown(int x, int y, int clickCount) {
  int button, count;
  DecodeClickCount(clickCount, button, count);
  MouseDownButton(x, y, button, count);
}

void Widget::MouseUp(int x, int y, int clickCount) {
  MouseUpAt(x, y);
  int button, count;
  DecodeClickCount(clickCount, button, count);
  MouseUpButton(x, y, button, count);
}

Rect Widget::DrawCenteredLineWithShadow(Graphics* g, int y, const std::wstring& text, Color textColor,
                                        Color shadowColor, Point shadowOffset) {
  Font* font = g->GetFont();
  if (font == nullptr) return Rect();
  int textWidth = font->StringWidth(text);
  int x = (mWidth - textWidth) / 2;
  g->SetColor(shadowColor);
  g->DrawString(text, x + shadowOffset.mX, y + shadowOffset.mY);
  g->SetColor(textColor);
  g->DrawString(text, x, y);
  return Rect(x + std::min(shadowOffset.mX, 0), y + std::min(shadowOffset.mY, 0) - font->GetAscent(),
              textWidth + std::abs(shadowOffset.mX), font->GetHeight() + std::abs(shadowOffset.mY));
}

Rect Widget::DrawCenteredLine(Graphics* g, int y, const std::wstring& text) {
  Font* font = g->GetFont();
  if (font == nullptr) return Rect();
  int textWidth = font->StringWidth(text);
  int x = (mWidth - textWidth) / 2;
  g->DrawString(text, x, y);
  return Rect(x, y - font->GetAscent(), textWidth, font->GetHeight());
}

int Widget::WriteString(Graphics* g, const std::wstring& text, int x, int y, int width, int justification, bool draw,
                        int offset, int length) {
  bool colorCodes = g->mWriteColoredString;
  g->mWriteColoredString = true;
  int result = g->WriteString(text, x, y, width, justification, draw, offset, length, -1);
  g->mWriteColoredString = colorCodes;
  return result;
}

int Widget::DrawWordWrapped(Graphics* g, const std::wstring& text, const Rect& rect, int lineSpacing,
                            int justification) {
  bool colorCodes = g->mWriteColoredString;
  g->mWriteColoredString = true;
  int result = g->DrawWordWrapped(rect, text, lineSpacing, justification, -1);
  g->mWriteColoredString = colorCodes;
  return result;
}

int Widget::MeasureWordWrappedHeight(Font* font, int width, const std::wstring& text, int lineSpacing) {
  Graphics g;
  g.SetFont(font);
  return g.MeasureWordWrappedHeight(width, text, lineSpacing);
}

void Widget::DrawNumberFromStrip(Graphics* g, int number, int x, int y, Image* strip, int spacing) {
  if (strip == nullptr || number < 0) return;
  int digits = CountDigits(number);
  int64_t divisor = 1;
  for (int i = 0; i < digits; ++i) divisor *= 10;
  const int cellWidth = strip->GetWidth() / 10;
  int offset = 0;
  for (int i = 0; i < digits; ++i) {
    divisor /= 10;
    int digit = static_cast<int>((number / divisor) % 10);
    Graphics cell(*g);
    cell.ClipRect(x + offset, y, cellWidth, strip->GetHeight());
    cell.DrawImage(strip, x + offset - digit * cellWidth, y);
    offset += cellWidth + spacing;
  }
}

int Widget::CountDigits(int number) {
  int digits = 1;
  for (int64_t power = 10; power <= number; power *= 10) ++digits;
  return digits;
}

bool Widget::Contains(int x, int y) { return x >= mX && x < mX + mWidth && y >= mY && y < mY + mHeight; }

Rect Widget::GetInsetRect() {
  return Rect(mX + mMouseInsets.mLeft, mY + mMouseInsets.mTop, mWidth - mMouseInsets.mLeft - mMouseInsets.mRight,
              mHeight - mMouseInsets.mTop - mMouseInsets.mBottom);
}

void Widget::QueueOverlay() {
  if (mWidgetManager != nullptr) mWidgetManager->AddDeferredOverlay(this, 1);
}

void Widget::Layout(Widget* reference, Widget* widget, int32_t flags, int32_t leftPad, int32_t topPad) {
  int32_t refX = reference->mX, refY = reference->mY;
  if (reference == widget->mParent) refX = refY = 0;
  const int32_t refWidth = reference->mWidth, refHeight = reference->mHeight;
  const int32_t refRight = refX + refWidth, refBottom = refY + refHeight;
  int32_t x = widget->mX, y = widget->mY, width = widget->mWidth, height = widget->mHeight;

  if (flags & LAY_SameWidth) width = refWidth;
  if (flags & LAY_SameHeight) height = refHeight;
  if (flags & LAY_SetLeft) x = leftPad;
  if (flags & LAY_SetTop) y = topPad;
  if (flags & LAY_SetWidth) width = 0;
  if (flags & LAY_SetHeight) height = 0;
  if (flags & LAY_Above) y = refY - height + topPad;
  if (flags & LAY_Below) y = refBottom + topPad;
  if (flags & LAY_Right) x = refRight + leftPad;
  if (flags & LAY_Left) x = refX - width + leftPad;
  if (flags & LAY_SameLeft) x = refX + leftPad;
  if (flags & LAY_SameRight) x = refRight - width + leftPad;
  if (flags & LAY_SameTop) y = refY + topPad;
  if (flags & LAY_SameBottom) y = refBottom - height + topPad;
  if (flags & LAY_GrowToRight) width = refRight - x;
  if (flags & LAY_GrowToLeft) width = refX - x;
  if (flags & LAY_GrowToTop) height = refY - y;
  if (flags & LAY_GrowToBottom) height = refBottom - y;
  if (flags & LAY_HCenter) x = (refWidth - width) / 2 + refX + leftPad;
  if (flags & LAY_VCenter) y = (refHeight - height) / 2 + refY + topPad;

  widget->Resize(x, y, width, height);
}

void Widget::RemovedFromTree() {
  WidgetManager* manager = mWidgetManager;
  if (manager == nullptr) return;
  ForEachChild([](Widget* child) { child->RemovedFromTree(); });
  manager->DisableWidget(this);
  for (WidgetManager::PreModalInfo& info : manager->mPreModalInfoList) {
    if (info.mPrevBaseModalWidget == this) info.mPrevBaseModalWidget = nullptr;
    if (info.mPrevFocusWidget == this) info.mPrevFocusWidget = nullptr;
  }
  if (manager->mDefaultTab == this) manager->mDefaultTab = nullptr;
  for (WidgetManager::DeferredOverlay& overlay : manager->mDeferredOverlayWidgets)
    if (overlay.mWidget == this) overlay.mWidget = nullptr;
  OnRemovedFromManager(manager);
  MarkChildAreaDirtyFull(this);
  mWidgetManager = nullptr;
}

}  // namespace Plix
