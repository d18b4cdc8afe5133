#pragma once
#include <memory>
#include <string_view>

#include "model/Control.h"

namespace ui {

// A new standard control for a layout element name (compared without regard to case): "Label",
// "Text", "Button", "RichEdit", "GifAnim", or one of the model's layouts and plain controls.
// Null for any other name.
std::unique_ptr<CControlUI> CreateStandardControl(std::wstring_view elementName);

}  // namespace ui
