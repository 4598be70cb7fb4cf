#pragma once
// The base of every screen, dialog and control: visibility, enabled state,
// focus, hover and press state (kept by the widget manager), a colour table,
// insets, tab neighbours and the input handlers that subclasses override.
#include <cstdint>
#include <string>
#include <vector>

#include "framework/graphics/Color.h"
#include "framework/widget/WidgetContainer.h"

namespace Plix {

class Font;
class Image;

struct Insets {
  int32_t mLeft = 0;
  int32_t mTop = 0;
  int32_t mRight = 0;
  int32_t mBottom = 0;
};

// Flags of Widget::Layout, applied in rising bit order.
enum LayoutFlags : int32_t {
  LAY_SameWidth = 0x1,
  LAY_SameHeight = 0x2,
  LAY_SetLeft = 0x10,
  LAY_SetTop = 0x20,
  LAY_SetWidth = 0x40,
  LAY_SetHeight = 0x80,
  LAY_Above = 0x100,
  LAY_Below = 0x200,
  LAY_Right = 0x400,
  LAY_Left = 0x800,
  LAY_SameLeft = 0x1000,
  LAY_SameRight = 0x2000,
  LAY_SameTop = 0x4000,
  LAY_SameBottom = 0x8000,
  LAY_GrowToRight = 0x10000,
  LAY_GrowToLeft = 0x20000,
  LAY_GrowToTop = 0x40000,
  LAY_GrowToBottom = 0x80000,
  LAY_HCenter = 0x100000,
  LAY_VCenter = 0x200000,
};

// Key codes the toolkit reads.
constexpr int KEYCODE_BACK = 8;
constexpr int KEYCODE_TAB = 9;
constexpr int KEYCODE_RETURN = 13;
constexpr int KEYCODE_SHIFT = 16;
constexpr int KEYCODE_CONTROL = 17;
constexpr int KEYCODE_END = 35;
constexpr int KEYCODE_HOME = 36;
constexpr int KEYCODE_LEFT = 37;
constexpr int KEYCODE_RIGHT = 39;
constexpr int KEYCODE_DELETE = 46;

class Widget : public WidgetContainer {
public:
  bool mVisible = true;
  // The widget itself can be hit; its children are searched either way.
  bool mMouseVisible = true;
  bool mDisabled = false;
  bool mHasFocus = false;
  bool mIsDown = false;
  bool mIsOver = false;
  // It does not cover its whole rectangle.
  bool mHasTransparentParts = false;
  std::vector<Color> mColors;
  Insets mMouseInsets;
  bool mDoFinger = false;  // hand cursor while the mouse is over it
  bool mWantsFocus = false;
  Widget* mTabPrev = nullptr;
  Widget* mTabNext = nullptr;

  Widget();
  ~Widget() override;

  void Update() override;

  virtual void OnOrderChanged() {}
  virtual void SetVisible(bool visible);
  // Rows of r, g, b, a (RGBA) or r, g, b (RGB, opaque).
  virtual void SetColorTableRGBA(const int32_t rows[][4], int count);
  virtual void SetColorTableRGB(const int32_t rows[][3], int count);
  virtual void SetColor(int index, const Color& color);
  virtual Color GetColorOrDefault(int index, const Color& defaultColor);
  // Opaque black beyond the table.
  virtual const Color& GetColor(int index);
  virtual void SetDisabled(bool disabled);
  virtual void ShowHandCursor(bool show);
  virtual void ResizeToRect(const Rect& rect);
  virtual void Resize(int32_t x, int32_t y, int32_t width, int32_t height);
  virtual void Move(int32_t x, int32_t y);
  virtual bool AcceptsFocus();
  virtual void DrawOverlayAtPriority(Graphics* g, int priority);
  virtual void DrawOverlay(Graphics* g) {}
  virtual void GotFocus();
  virtual void LostFocus();
  virtual void KeyChar(wchar_t ch) {}
  virtual void KeyDown(int key);
  virtual void KeyUp(int key) {}
  virtual void MouseEnter() {}
  virtual void MouseLeave() {}
  virtual void MouseMove(int x, int y) {}
  // button: 0 left, 1 right, 2 middle.
  virtual void MouseDownButton(int x, int y, int button, int clickCount) {}
  // Signed click count: negative right, 3 middle, else left.
  virtual void MouseDown(int x, int y, int clickCount);
  virtual void MouseUpButton(int x, int y, int button, int clickCount) {}
  virtual void MouseUp(int x, int y, int clickCount);
  virtual void MouseUpAt(int x, int y) {}
  virtual void MouseDrag(int x, int y) {}
  virtual void MouseWheel(int delta) {}
  // Local coordinates; false makes that point click-through.
  virtual bool IsPointVisible(int x, int y) { return true; }
  // Drawing helpers. The centred lines use the graphics' current font and
  // colour, y being the baseline, and return the rectangle drawn over.
  virtual Rect DrawCenteredLineWithShadow(Graphics* g, int y, const std::wstring& text, Color textColor,
                                          Color shadowColor, Point shadowOffset);
  virtual Rect DrawCenteredLine(Graphics* g, int y, const std::wstring& text);
  // With colour codes switched on for the call.
  virtual int WriteString(Graphics* g, const std::wstring& text, int x, int y, int width = -1, int justification = -1,
                          bool draw = true, int offset = 0, int length = -1);
  virtual int DrawWordWrapped(Graphics* g, const std::wstring& text, const Rect& rect, int lineSpacing = -1,
                              int justification = -1);
  virtual int MeasureWordWrappedHeight(Font* font, int width, const std::wstring& text, int lineSpacing = -1);
  virtual int CountDigits(int number);
  // Digits cut from a strip of the ten digits 0 to 9 side by side.
  virtual void DrawNumberFromStrip(Graphics* g, int number, int x, int y, Image* strip, int spacing);
  // In the parent's coordinates.
  virtual bool Contains(int x, int y);
  virtual Rect GetInsetRect();

  // Asks the manager to call DrawOverlay after the whole tree is drawn.
  void QueueOverlay();
  // Places a widget relative to a reference widget (LayoutFlags).
  void Layout(Widget* reference, Widget* widget, int32_t flags, int32_t leftPad, int32_t topPad);
  // Leaving the tree: the manager forgets the widget and its children.
  void RemovedFromTree();

  // Signed click count to (button, count).
  static void DecodeClickCount(int clickCount, int& button, int& count);
};

}  // namespace Plix
