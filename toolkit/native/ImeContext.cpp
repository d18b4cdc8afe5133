#include "GdiHandles.h"

namespace ui {

ImeContext::ImeContext(HWND hwnd) : hwnd_(hwnd), context_(ImmGetContext(hwnd)) {}

ImeContext::~ImeContext() {
  if (context_ != nullptr) ImmReleaseContext(hwnd_, context_);
}

}  // namespace ui
