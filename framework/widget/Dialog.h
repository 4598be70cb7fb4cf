#pragma once
// The framed message window: a header line, a word-wrapped body, a footer
// line and none, one or two buttons, drawn from a frame image stretched as
// a 3 x 3 box or as a plain box with a drop shadow. It can be dragged, and
// ends with a result: the id of the button released over itself.
#include <memory>
#include <string>

#include "framework/widget/ButtonListener.h"
#include "framework/widget/Widget.h"

namespace Plix {

class DialogButton;
class DialogListener;

class Dialog : public Widget, public ButtonListener {
public:
  enum { BUTTONS_NONE = 0, BUTTONS_YES_NO = 1, BUTTONS_OK_CANCEL = 2, BUTTONS_FOOTER = 3 };
  enum { ID_YES = 1000, ID_NO = 1001, ID_OK = 1000, ID_CANCEL = 1001, ID_FOOTER = 1000 };
  static constexpr int NO_RESULT = 0x7FFFFFFF;
  enum {
    COLOR_HEADER,
    COLOR_LINES,
    COLOR_FOOTER,
    COLOR_BUTTON_TEXT,
    COLOR_BUTTON_TEXT_HILITE,
    COLOR_BKG,
    COLOR_OUTLINE,
  };

  DialogListener* mDialogListener;
  Image* mComponentImage;
  DialogButton* mYesButton = nullptr;  // owned
  DialogButton* mNoButton = nullptr;   // owned
  std::wstring mDialogHeader;
  std::wstring mDialogFooter;
  std::wstring mDialogLines;
  int mButtonMode;
  Font* mHeaderFont = nullptr;  // owned
  Font* mLinesFont = nullptr;   // owned
  int mTextAlign = 0;
  int mLineSpacingOffset = 0;
  int mButtonHeight = 24;
  Insets mBackgroundInsets;
  Insets mContentInsets{24, 24, 24, 24};
  int mSpaceAfterHeader = 10;
  bool mDragging = false;
  int mDragMouseX = 0;
  int mDragMouseY = 0;
  int mId;
  bool mIsModal;
  int mResult = NO_RESULT;
  int mButtonHorzSpacing = 8;
  int mButtonSidePadding = 0;

  Dialog(Image* componentImage, int id, bool isModal, const std::wstring& header, const std::wstring& lines,
         const std::wstring& footer, int buttonMode);
  ~Dialog() override;

  virtual void SetButtonFont(Font* font);
  virtual void SetHeaderFont(Font* font);
  virtual void SetLinesFont(Font* font);
  // The height the dialog needs at that width.
  virtual int GetPreferredHeight(int width);
  virtual bool IsModal();
  // Runs application steps until a button answers, the dialog leaves the
  // manager or the application stops (NO_RESULT); with autoKill the
  // application then closes the dialog.
  virtual int WaitForResult(bool autoKill = true);

  void OnAddedToManager(WidgetManager* manager) override;
  void OnRemovedFromManager(WidgetManager* manager) override;
  void Update() override;
  void Draw(Graphics* g) override;
  void OnOrderChanged() override;
  void SetColor(int index, const Color& color) override;
  void Resize(int32_t x, int32_t y, int32_t width, int32_t height) override;
  void MouseDownButton(int x, int y, int button, int clickCount) override;
  void MouseUpButton(int x, int y, int button, int clickCount) override;
  void MouseDrag(int x, int y) override;

  void ButtonPressed(int id) override;
  void ButtonReleased(int id) override;

private:
  void EnsureFonts();
  // Set while WaitForResult runs: the dialog may be deleted under it. Shared,
  // so that no wait leaves the address of its own flag behind.
  std::shared_ptr<bool> mDeletedFlag;
};

}  // namespace Plix
