#include "render/GdiplusSession.h"

#include <objidl.h>
#include <gdiplus.h>

namespace ui {
namespace {

// Owns the GDI+ start token.
class GdiplusToken {
 public:
  GdiplusToken() {
    Gdiplus::GdiplusStartupInput input;
    ok_ = Gdiplus::GdiplusStartup(&token_, &input, nullptr) == Gdiplus::Ok;
  }
  ~GdiplusToken() {
    if (ok_) Gdiplus::GdiplusShutdown(token_);
  }
  GdiplusToken(const GdiplusToken&) = delete;
  GdiplusToken& operator=(const GdiplusToken&) = delete;
  bool ok() const { return ok_; }

 private:
  ULONG_PTR token_ = 0;
  bool ok_ = false;
};

}  // namespace

bool EnsureGdiplus() {
  static GdiplusToken token;
  return token.ok();
}

}  // namespace ui
