#pragma once
// Drawing of one paint pass: fills, borders, skin images (with the descriptor's placement,
// nine-grid and fade) and single- or multi-line text, onto the window's 32-bit back buffer.
// Text goes through GDI+ when the window asks for it (`gdiplustext`) or when the buffer's
// alpha matters (a layered window), since GDI text leaves the alpha channel empty.
#include <windows.h>

#include <memory>
#include <string>

#include "render/ImageData.h"
#include "model/ImageDescriptor.h"
#include "model/UiTypes.h"

namespace Gdiplus {
class Graphics;
class Bitmap;
}  // namespace Gdiplus

namespace ui {

class FontEntry;
class DibSurface;

enum TextStyle : unsigned {
  kTextLeft = 0,
  kTextCenter = 1,
  kTextRight = 2,
  kTextAlignMask = 3,
  kTextSingleLine = 4,
  kTextEndEllipsis = 8,
  kTextWrap = 16,
  kTextVCenter = 32,
};

class Canvas {
 public:
  // Draws into the surface's pixels (premultiplied alpha); `clip` limits the whole pass.
  Canvas(DibSurface& surface, const Rect& clip, bool gdiplusText, bool alphaMatters);
  ~Canvas();
  Canvas(const Canvas&) = delete;
  Canvas& operator=(const Canvas&) = delete;

  // Limits drawing to a rectangle (intersected with the current clip) until the guard ends.
  class ClipScope {
   public:
    ClipScope(Canvas& canvas, const Rect& rect);
    ~ClipScope();
    ClipScope(const ClipScope&) = delete;
    ClipScope& operator=(const ClipScope&) = delete;

   private:
    Canvas& canvas_;
    Rect saved_;
  };

  void FillRect(const Rect& rect, Color color);
  // Border widths per side (left, top, right, bottom) inside the rectangle.
  void DrawBorder(const Rect& rect, const Rect& widths, Color color);
  // Draws an image as its descriptor says, relative to the control's rectangle.
  void DrawImage(const ImageData& image, const ImageDescriptor& descriptor, const Rect& control,
                 size_t frame = 0);
  void PaintText(const std::wstring& text, const Rect& rect, const FontEntry* font, Color color,
                 unsigned style);
  // Width of a single line of text in the font.
  int MeasureText(const std::wstring& text, const FontEntry* font);
  int FontHeight(const FontEntry* font);

  HDC Dc() const { return dc_; }
  const Rect& Clip() const { return clip_; }
  bool UsesGdiplusText() const { return gdiplusText_; }

 private:
  void FlushGdiplus();

  HDC dc_;
  bool gdiplusText_;
  bool alpha_;
  Rect clip_;
  std::unique_ptr<Gdiplus::Bitmap> target_;
  std::unique_ptr<Gdiplus::Graphics> graphics_;
};

// Straight-alpha 0xAARRGGBB to the premultiplied value of a layered window's pixel.
uint32_t Premultiply(uint32_t argb);

}  // namespace ui
