#include "framework/widget/WidgetManager.h"

#include <algorithm>

#include "framework/graphics/DDImage.h"
#include "framework/graphics/Graphics.h"
#include "framework/graphics/GraphicsHost.h"
#include "framework/widget/Widget.h"

namespace Plix {

namespace {

// Held-button bit of a signed click count.
int ButtonBit(int clickCount) {
  if (clickCount < 0) return 2;
  if (clickCount == 3) return 4;
  return 1;
}

}  // namespace

WidgetManager::WidgetManager(WidgetHost* app) : mApp(app) { mWidgetManager = this; }

WidgetManager::~WidgetManager() {
  // The widgets outlive the manager only at shut-down; they must not keep
  // pointing at it.
  struct Forget {
    static void Tree(WidgetContainer* node) {
      for (Widget* child : node->mWidgets) {
        child->mWidgetManager = nullptr;
        Tree(child);
      }
    }
  };
  Forget::Tree(this);
}

int32_t WidgetManager::GetWidgetFlags() {
  return mHasFocus ? mWidgetFlags : mLostFocusFlagsMod.Apply(mWidgetFlags);
}

ModalFlags WidgetManager::InitModalFlags() {
  ModalFlags flags;
  flags.mOverFlags = GetWidgetFlags();
  flags.mUnderFlags = mBelowModalFlagsMod.Apply(flags.mOverFlags);
  flags.mIsOver = mBaseModalWidget == nullptr;
  return flags;
}

void WidgetManager::Resize(const Rect& destRect, const Rect& sourceRect) {
  mMouseSourceRect = sourceRect;
  mMouseDestRect = destRect;
  mWidth = destRect.mWidth + 2 * destRect.mX;
  mHeight = destRect.mHeight + 2 * destRect.mY;
}

void WidgetManager::ScaleMousePosition(int& x, int& y) {
  // A zero source size would divide by zero; the position stays then.
  if (mMouseSourceRect.mWidth != 0)
    x = mMouseDestRect.mX + (x - mMouseSourceRect.mX) * mMouseDestRect.mWidth / mMouseSourceRect.mWidth;
  if (mMouseSourceRect.mHeight != 0)
    y = mMouseDestRect.mY + (y - mMouseSourceRect.mY) * mMouseDestRect.mHeight / mMouseSourceRect.mHeight;
}

// Children from the front; behind the modal base the below-modal modifiers
// apply on top of each child's own.
Widget* WidgetManager::FindWidgetAt(WidgetContainer* node, int flags, int x, int y, int* localX, int* localY) {
  bool belowModal = false;
  for (auto it = node->mWidgets.rbegin(); it != node->mWidgets.rend(); ++it) {
    Widget* child = *it;
    int childFlags = child->mWidgetFlagsMod.Apply(flags);
    if (belowModal) childFlags = mBelowModalFlagsMod.Apply(childFlags);
    if (child == mBaseModalWidget) belowModal = true;
    if (!(childFlags & FlagAllowMouse) || !child->mVisible) continue;

    Widget* hit = FindWidgetAt(child, childFlags, x - child->mX, y - child->mY, localX, localY);
    if (hit != nullptr) return hit;

    if (child->mMouseVisible) {
      Rect inset = child->GetInsetRect();
      if (x >= inset.mX && x < inset.mX + inset.mWidth && y >= inset.mY && y < inset.mY + inset.mHeight &&
          child->IsPointVisible(x - child->mX, y - child->mY)) {
        *localX = x - child->mX;
        *localY = y - child->mY;
        return child;
      }
    }
  }
  return nullptr;
}

Widget* WidgetManager::GetWidgetAt(int x, int y, int* localX, int* localY) {
  int lx = 0, ly = 0;
  Widget* widget = FindWidgetAt(this, GetWidgetFlags(), x, y, &lx, &ly);
  if (widget != nullptr && widget->mDisabled) widget = nullptr;
  if (localX != nullptr) *localX = lx;
  if (localY != nullptr) *localY = ly;
  return widget;
}

void WidgetManager::EnterWidget(Widget* widget) {
  widget->mIsOver = true;
  widget->MouseEnter();
  if (widget->mDoFinger) widget->ShowHandCursor(true);
}

void WidgetManager::LeaveWidget(Widget* widget) {
  widget->mIsOver = false;
  widget->MouseLeave();
  if (widget->mDoFinger) widget->ShowHandCursor(false);
}

void WidgetManager::SetMousePosition(int x, int y) {
  int lastX = mLastMouseX, lastY = mLastMouseY;
  mLastMouseX = x;
  mLastMouseY = y;
  int localX = 0, localY = 0;
  Widget* widget = GetWidgetAt(x, y, &localX, &localY);

  if (widget == mOverWidget) {
    if ((lastX == x && lastY == y) || widget == nullptr) return;
  } else {
    Widget* old = mOverWidget;
    mOverWidget = nullptr;
    if (old != nullptr) LeaveWidget(old);
    mOverWidget = widget;
    if (widget == nullptr) return;
    EnterWidget(widget);
    // The enter handler may have changed the tree.
    if (mOverWidget != widget) return;
  }
  widget->MouseMove(localX, localY);
}

void WidgetManager::RehupMouse() {
  if (mLastDownWidget == nullptr) {
    if (mMouseIn) SetMousePosition(mLastMouseX, mLastMouseY);
    return;
  }
  if (mOverWidget != nullptr && GetWidgetAt(mLastMouseX, mLastMouseY, nullptr, nullptr) != mLastDownWidget) {
    Widget* old = mOverWidget;
    mOverWidget = nullptr;
    LeaveWidget(old);
  }
}

bool WidgetManager::MouseMove(int x, int y) {
  mLastInputUpdateCnt = mUpdateCnt;
  if (mDownButtons == 0) {
    mMouseIn = true;
    SetMousePosition(x, y);
    return true;
  }

  // A drag: only the widget holding the mouse can be the hover widget.
  mMouseIn = true;
  mLastMouseX = x;
  mLastMouseY = y;
  if (mOverWidget != nullptr && mOverWidget != mLastDownWidget) {
    Widget* old = mOverWidget;
    mOverWidget = nullptr;
    LeaveWidget(old);
  }
  if (mLastDownWidget != nullptr) {
    Point abs = mLastDownWidget->GetAbsolutePosition();
    mLastDownWidget->MouseDrag(x - abs.mX, y - abs.mY);
  }
  Widget* widget = GetWidgetAt(x, y, nullptr, nullptr);
  if (widget != nullptr && widget == mLastDownWidget) {
    if (mOverWidget == nullptr) {
      mOverWidget = mLastDownWidget;
      EnterWidget(mOverWidget);
    }
  } else if (mOverWidget != nullptr) {
    Widget* old = mOverWidget;
    mOverWidget = nullptr;
    LeaveWidget(old);
  }
  return true;
}

bool WidgetManager::MouseDown(int x, int y, int clickCount) {
  mLastInputUpdateCnt = mUpdateCnt;
  int bit = ButtonBit(clickCount);
  mActualDownButtons |= bit;
  SetMousePosition(x, y);

  if (mPopupCommandWidget != nullptr && !mPopupCommandWidget->Contains(x, y)) {
    Widget* popup = mPopupCommandWidget;
    mPopupCommandWidget = nullptr;
    RemoveWidget(popup);
  }

  int localX = 0, localY = 0;
  Widget* widget = GetWidgetAt(x, y, &localX, &localY);
  Widget* target = mLastDownWidget != nullptr ? mLastDownWidget : widget;
  mDownButtons |= bit;
  mLastDownButtonId = clickCount < 0 ? -1 : clickCount == 3 ? 2 : 1;
  mLastDownWidget = target;
  if (target != nullptr) {
    if (target->AcceptsFocus()) SetFocus(target);
    target->mIsDown = true;
    // The hit's local point belongs to the widget under the mouse; a holder
    // elsewhere gets the point in its own coordinates.
    if (target != widget) {
      Point abs = target->GetAbsolutePosition();
      localX = x - abs.mX;
      localY = y - abs.mY;
    }
    target->MouseDown(localX, localY, clickCount);
  }
  return true;
}

bool WidgetManager::MouseUp(int x, int y, int clickCount) {
  mLastInputUpdateCnt = mUpdateCnt;
  int bit = ButtonBit(clickCount);
  mActualDownButtons &= ~bit;
  if (mLastDownWidget != nullptr && (mDownButtons & bit) != 0) {
    Widget* holder = mLastDownWidget;
    mDownButtons &= ~bit;
    if (mDownButtons == 0) mLastDownWidget = nullptr;
    holder->mIsDown = false;
    // Relative to the holder's absolute position, as the drag is: a control
    // inside a dialog gets its own coordinates.
    Point abs = holder->GetAbsolutePosition();
    holder->MouseUp(x - abs.mX, y - abs.mY, clickCount);
  } else {
    mDownButtons &= ~bit;
  }
  SetMousePosition(x, y);
  return true;
}

void WidgetManager::ReleaseHeldButtons(Widget* widget, int buttons) {
  static const int kCodes[3] = {1, -1, 3};
  for (int i = 0; i < 3; ++i) {
    if ((buttons & (1 << i)) == 0) continue;
    widget->mIsDown = false;
    // Relative to the absolute position, as MouseUp.
    Point abs = widget->GetAbsolutePosition();
    widget->MouseUp(mLastMouseX - abs.mX, mLastMouseY - abs.mY, kCodes[i]);
  }
}

void WidgetManager::ReleaseMouseCapture() {
  if (mLastDownWidget == nullptr || mDownButtons == 0) return;
  Widget* holder = mLastDownWidget;
  int buttons = mDownButtons;
  mDownButtons = 0;
  mLastDownWidget = nullptr;
  ReleaseHeldButtons(holder, buttons);
}

bool WidgetManager::MouseExit() {
  mLastInputUpdateCnt = mUpdateCnt;
  mMouseIn = false;
  if (mOverWidget != nullptr) {
    Widget* old = mOverWidget;
    mOverWidget = nullptr;
    LeaveWidget(old);
  }
  return true;
}

bool WidgetManager::MouseWheel(int delta) {
  mLastInputUpdateCnt = mUpdateCnt;
  if (mFocusWidget != nullptr) mFocusWidget->MouseWheel(delta);
  return true;
}

bool WidgetManager::KeyChar(wchar_t ch) {
  mLastInputUpdateCnt = mUpdateCnt;
  if (ch == KEYCODE_TAB && IsKeyDown(KEYCODE_CONTROL)) {
    if (mDefaultTab != nullptr) mDefaultTab->KeyChar(ch);
    return true;
  }
  if (mFocusWidget != nullptr) mFocusWidget->KeyChar(ch);
  return true;
}

bool WidgetManager::KeyDown(int key) {
  mLastInputUpdateCnt = mUpdateCnt;
  if (key >= 0 && key < 255) mKeyDown[key] = 1;
  if (mFocusWidget != nullptr) mFocusWidget->KeyDown(key);
  return true;
}

bool WidgetManager::KeyUp(int key) {
  mLastInputUpdateCnt = mUpdateCnt;
  if (key >= 0 && key < 255) mKeyDown[key] = 0;
  if (key == KEYCODE_TAB && IsKeyDown(KEYCODE_CONTROL)) return true;
  if (mFocusWidget != nullptr) mFocusWidget->KeyUp(key);
  return true;
}

void WidgetManager::SetFocus(Widget* widget) {
  if (widget == mFocusWidget) return;
  if (mFocusWidget != nullptr) {
    Widget* old = mFocusWidget;
    mFocusWidget = nullptr;
    old->LostFocus();
  }
  if (widget != nullptr && widget->mWidgetManager == this) {
    mFocusWidget = widget;
    if (mHasFocus) widget->GotFocus();
  } else {
    mFocusWidget = nullptr;
  }
}

void WidgetManager::GotFocus() {
  if (mHasFocus) return;
  mHasFocus = true;
  if (mFocusWidget != nullptr) mFocusWidget->GotFocus();
}

void WidgetManager::LostFocus() {
  if (!mHasFocus) return;
  mActualDownButtons = 0;
  for (int key = 0; key < 255; ++key)
    if (mKeyDown[key] != 0) KeyUp(key);
  mHasFocus = false;
  if (mFocusWidget != nullptr) mFocusWidget->LostFocus();
}

void WidgetManager::DisableWidget(Widget* widget) {
  if (mOverWidget == widget) {
    mOverWidget = nullptr;
    LeaveWidget(widget);
  }
  if (mLastDownWidget == widget) {
    int buttons = mDownButtons;
    mLastDownWidget = nullptr;
    mDownButtons = 0;
    ReleaseHeldButtons(widget, buttons);
  }
  if (mFocusWidget == widget) {
    mFocusWidget = nullptr;
    widget->LostFocus();
  }
  if (mBaseModalWidget == widget) mBaseModalWidget = nullptr;
}

void WidgetManager::PushModalBase(Widget* widget) { PushModalBaseWithModifiers(widget, mDefaultBelowModalFlagsMod); }

void WidgetManager::PushModalBaseWithModifiers(Widget* widget, const FlagsMod& belowFlagsMod) {
  PreModalInfo info;
  info.mBaseModalWidget = widget;
  info.mPrevBaseModalWidget = mBaseModalWidget;
  info.mPrevFocusWidget = mFocusWidget;
  info.mPrevBelowModalFlagsMod = mBelowModalFlagsMod;
  mPreModalInfoList.push_back(info);
  SetModalBase(widget, belowFlagsMod);
}

void WidgetManager::SetModalBase(Widget* widget, const FlagsMod& belowFlagsMod) {
  mBaseModalWidget = widget;
  mBelowModalFlagsMod = belowFlagsMod;
  const bool noMouse = (belowFlagsMod.mRemoveFlags & FlagAllowMouse) != 0;
  const bool noFocus = (belowFlagsMod.mRemoveFlags & FlagAllowFocus) != 0;
  if (mOverWidget != nullptr && noMouse && IsBehind(mOverWidget, widget)) {
    Widget* old = mOverWidget;
    mOverWidget = nullptr;
    LeaveWidget(old);
  }
  if (mLastDownWidget != nullptr && noMouse && IsBehind(mLastDownWidget, widget)) {
    Widget* holder = mLastDownWidget;
    int buttons = mDownButtons;
    mDownButtons = 0;
    mLastDownWidget = nullptr;
    ReleaseHeldButtons(holder, buttons);
  }
  if (mFocusWidget != nullptr && noFocus && IsBehind(mFocusWidget, widget)) {
    Widget* old = mFocusWidget;
    mFocusWidget = nullptr;
    old->LostFocus();
  }
}

void WidgetManager::PopModalBase(Widget* widget) {
  if (mPreModalInfoList.empty() || mPreModalInfoList.back().mBaseModalWidget != widget) return;
  while (!mPreModalInfoList.empty()) {
    PreModalInfo info = mPreModalInfoList.back();
    SetModalBase(info.mPrevBaseModalWidget, info.mPrevBelowModalFlagsMod);
    if (mFocusWidget == nullptr) {
      mFocusWidget = info.mPrevFocusWidget;
      if (mFocusWidget != nullptr) mFocusWidget->GotFocus();
    }
    mPreModalInfoList.pop_back();
    // A base that left the tree (cleared) unwinds to the entry before it.
    if (info.mPrevBaseModalWidget != nullptr || mPreModalInfoList.empty()) break;
  }
}

bool WidgetManager::UpdateTick() {
  ModalFlags flags = InitModalFlags();
  ++mUpdateCnt;
  mLastWMUpdateCount = mUpdateCnt;
  UpdateTree(&flags);
  return mDirty;
}

bool WidgetManager::UpdateSmooth(float fraction) {
  ModalFlags flags = InitModalFlags();
  UpdateSmoothTree(&flags, fraction);
  return mDirty;
}

void WidgetManager::AddDeferredOverlay(Widget* widget, int priority) {
  mDeferredOverlayWidgets.push_back({widget, priority});
  mMinDeferredOverlayPriority = std::min(mMinDeferredOverlayPriority, priority);
}

void WidgetManager::FlushDeferredOverlayWidgets(int maxPriority) {
  if (mCurG == nullptr) return;
  for (;;) {
    int nextMin = 0x7FFFFFFF;
    // By index: an overlay may queue another while it draws.
    for (size_t i = 0; i < mDeferredOverlayWidgets.size(); ++i) {
      DeferredOverlay entry = mDeferredOverlayWidgets[i];
      if (entry.mWidget == nullptr) continue;
      if (entry.mPriority == mMinDeferredOverlayPriority) {
        Graphics g(*mCurG);
        g.Translate(-mMouseDestRect.mX, -mMouseDestRect.mY);
        g.Translate(entry.mWidget->mX, entry.mWidget->mY);
        g.SetFastScaling(!g.mIs3D);
        g.SetSmoothScaling(g.mIs3D);
        mDeferredOverlayWidgets[i].mWidget = nullptr;
        entry.mWidget->DrawOverlayAtPriority(&g, entry.mPriority);
      } else {
        nextMin = std::min(nextMin, entry.mPriority);
      }
    }
    mMinDeferredOverlayPriority = nextMin;
    if (nextMin == 0x7FFFFFFF) {
      mDeferredOverlayWidgets.clear();
      return;
    }
    if (nextMin >= maxPriority) return;
  }
}

bool WidgetManager::DrawDirtyWidgets() {
  ModalFlags flags = InitModalFlags();
  int dirtyCount = 0;
  for (Widget* child : mWidgets)
    if (child->mDirty) ++dirtyCount;
  mMinDeferredOverlayPriority = 0x7FFFFFFF;
  mDeferredOverlayWidgets.clear();

  Graphics g(mImage);
  mCurG = &g;
  DDImage* surfaceImage = dynamic_cast<DDImage*>(mImage);
  const bool locked = surfaceImage != nullptr && surfaceImage->LockSurface();

  bool drew = false;
  if (dirtyCount > 0) {
    Graphics screenG(g);
    screenG.Translate(-mMouseDestRect.mX, -mMouseDestRect.mY);
    const bool hardware = GetGraphicsHost()->IsHardwareDrawing();
    ForEachChild([&](Widget* child) {
      if (child == mBaseModalWidget) flags.mIsOver = true;
      if (!child->mDirty || !child->mVisible) return;
      Graphics childG(screenG);
      childG.SetFastScaling(!hardware);
      childG.SetSmoothScaling(hardware);
      childG.Translate(child->mX, child->mY);
      child->DrawTree(&flags, &childG);
      child->mDirty = false;
      drew = true;
    });
  }
  FlushDeferredOverlayWidgets(0x7FFFFFFF);

  if (locked) surfaceImage->UnlockSurface();
  mCurG = nullptr;
  return drew;
}

}  // namespace Plix
