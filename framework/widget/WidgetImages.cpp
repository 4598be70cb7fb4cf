#include "framework/widget/WidgetImages.h"

namespace Plix {

Image* IMAGE_DIALOG_CHECKBOX = nullptr;
Image* IMAGE_DIALOG_SLIDER = nullptr;
Image* IMAGE_DIALOG_SLIDER_THUMB = nullptr;

}  // namespace Plix
