#pragma once
// The root of the widget tree. The application feeds it mouse and keyboard
// input (already in widget coordinates), focus changes, update ticks and
// the draw pass; it picks the widget for each event (hit testing, mouse
// capture, hover, keyboard focus, Tab), keeps the stack of modal states that
// cut off input behind a modal widget, collects overlays to draw after the
// tree and redraws its dirty direct children.
#include <cstdint>
#include <vector>

#include "framework/widget/WidgetContainer.h"

namespace Plix {

class Image;
class WidgetHost;

class WidgetManager : public WidgetContainer {
public:
  struct PreModalInfo {
    Widget* mBaseModalWidget = nullptr;
    Widget* mPrevBaseModalWidget = nullptr;
    Widget* mPrevFocusWidget = nullptr;
    FlagsMod mPrevBelowModalFlagsMod;
  };

  struct DeferredOverlay {
    Widget* mWidget = nullptr;
    int32_t mPriority = 0;
  };

  Widget* mDefaultTab = nullptr;  // takes Tab typed with Ctrl
  Graphics* mCurG = nullptr;       // the draw pass's graphics
  WidgetHost* mApp = nullptr;
  Image* mImage = nullptr;         // what the draw pass draws into
  Widget* mPopupCommandWidget = nullptr;
  std::vector<DeferredOverlay> mDeferredOverlayWidgets;
  int32_t mMinDeferredOverlayPriority = 0x7FFFFFFF;
  bool mHasFocus = true;
  Widget* mFocusWidget = nullptr;
  Widget* mLastDownWidget = nullptr;  // holds the mouse while buttons are down
  Widget* mOverWidget = nullptr;
  Widget* mBaseModalWidget = nullptr;
  FlagsMod mLostFocusFlagsMod;
  FlagsMod mBelowModalFlagsMod;
  FlagsMod mDefaultBelowModalFlagsMod{0, FlagAllowMouse | FlagAllowFocus};
  std::vector<PreModalInfo> mPreModalInfoList;
  Rect mMouseDestRect;
  Rect mMouseSourceRect;
  bool mMouseIn = false;
  int32_t mLastMouseX = 0;
  int32_t mLastMouseY = 0;
  int32_t mDownButtons = 0;    // held since their press went to mLastDownWidget
  int32_t mActualDownButtons = 0;
  int32_t mLastInputUpdateCnt = 0;
  uint8_t mKeyDown[255] = {};
  int32_t mLastDownButtonId = 0;
  int32_t mWidgetFlags = FlagUpdate | FlagDraw | FlagClip | FlagAllowMouse | FlagAllowFocus;

  explicit WidgetManager(WidgetHost* app = nullptr);
  ~WidgetManager() override;

  void DisableWidget(Widget* widget) override;
  void SetFocus(Widget* widget) override;

  // destRect: the screen in widget space (the manager becomes its size plus
  // twice its offset); sourceRect: the window's picture rectangle that maps
  // onto it. ScaleMousePosition maps a window position through the two.
  void Resize(const Rect& destRect, const Rect& sourceRect);
  void ScaleMousePosition(int& x, int& y);

  bool MouseMove(int x, int y);
  bool MouseDown(int x, int y, int clickCount);
  bool MouseUp(int x, int y, int clickCount);
  bool MouseExit();
  // The position of the leave is not used.
  bool MouseExit(int x, int y) { return MouseExit(); }
  bool MouseWheel(int delta);
  bool KeyChar(wchar_t ch);
  bool KeyDown(int key);
  bool KeyUp(int key);
  void GotFocus();
  void LostFocus();
  void ReleaseMouseCapture();

  void PushModalBase(Widget* widget);
  void PushModalBaseWithModifiers(Widget* widget, const FlagsMod& belowFlagsMod);
  void SetModalBase(Widget* widget, const FlagsMod& belowFlagsMod);
  void PopModalBase(Widget* widget);

  bool UpdateTick();
  bool UpdateSmooth(float fraction);
  // Redraws the dirty direct children, each with its whole subtree, into
  // mImage; true when anything was drawn.
  bool DrawDirtyWidgets();

  // The frontmost enabled widget that takes the mouse at (x, y), with the
  // point in its own coordinates; null for none.
  Widget* GetWidgetAt(int x, int y, int* localX, int* localY);
  void AddDeferredOverlay(Widget* widget, int priority);
  // Draws the queued overlays in rising priority, stopping before the limit.
  void FlushDeferredOverlayWidgets(int maxPriority);

  // The flags of a pass: the defaults, changed while the window has no focus.
  int32_t GetWidgetFlags();
  ModalFlags InitModalFlags();
  bool IsKeyDown(int key) const { return key >= 0 && key < 255 && mKeyDown[key] != 0; }
  // After the tree changed under the mouse.
  void RehupMouse();

  // Hover: leave the old widget, enter the new one, then move.
  void SetMousePosition(int x, int y);

private:
  Widget* FindWidgetAt(WidgetContainer* node, int flags, int x, int y, int* localX, int* localY);
  void EnterWidget(Widget* widget);
  void LeaveWidget(Widget* widget);
  void ReleaseHeldButtons(Widget* widget, int buttons);
};

}  // namespace Plix
