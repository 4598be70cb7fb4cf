#pragma once
// The dialog control images the toolkit's check box and slider start with.
// They belong to the game's resource group "Permanent" and are bound with
// it; until then they are null, and the controls draw without them.
namespace Plix {

class Image;

extern Image* IMAGE_DIALOG_CHECKBOX;
extern Image* IMAGE_DIALOG_SLIDER;
extern Image* IMAGE_DIALOG_SLIDER_THUMB;

}  // namespace Plix
