#include "render/Canvas.h"

#include <algorithm>
#include <vector>

#include "render/DibSurface.h"
#include "render/FontEntry.h"
#include "render/NativeRect.h"
#include "render/NineGrid.h"
#include "HandleScopes.h"
#include "OwnedHandle.h"
#include "render/GdiplusInclude.h"

namespace ui {
namespace {

Gdiplus::Color ToGdiplus(Color c) { return Gdiplus::Color(static_cast<Gdiplus::ARGB>(c)); }

COLORREF ToColorRef(Color c) { return RGB((c >> 16) & 0xFF, (c >> 8) & 0xFF, c & 0xFF); }

Rect Intersect(const Rect& a, const Rect& b) {
  Rect r{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
         std::min(a.bottom, b.bottom)};
  if (r.IsEmpty()) r = Rect{};
  return r;
}

UINT GdiFormat(unsigned style) {
  UINT format = DT_NOPREFIX;
  switch (style & kTextAlignMask) {
    case kTextCenter:
      format |= DT_CENTER;
      break;
    case kTextRight:
      format |= DT_RIGHT;
      break;
    default:
      format |= DT_LEFT;
      break;
  }
  if (style & kTextWrap) {
    format |= DT_WORDBREAK | DT_EDITCONTROL;
  } else {
    format |= DT_SINGLELINE;
    if (style & kTextVCenter) format |= DT_VCENTER;
  }
  if (style & kTextEndEllipsis) format |= DT_END_ELLIPSIS;
  return format;
}

std::unique_ptr<Gdiplus::Font> MakeGdiplusFont(HDC dc, const FontEntry& font) {
  const FontInfo& desc = font.Description();
  INT style = Gdiplus::FontStyleRegular;
  if (desc.bold) style |= Gdiplus::FontStyleBold;
  if (desc.italic) style |= Gdiplus::FontStyleItalic;
  if (desc.underline) style |= Gdiplus::FontStyleUnderline;
  Gdiplus::FontFamily family(font.ResolvedFace().c_str());
  if (family.GetLastStatus() == Gdiplus::Ok) {
    auto made = std::make_unique<Gdiplus::Font>(&family, static_cast<Gdiplus::REAL>(desc.size), style,
                                                Gdiplus::UnitPixel);
    if (made->GetLastStatus() == Gdiplus::Ok) return made;
  }
  auto fromDc = std::make_unique<Gdiplus::Font>(dc, font.Handle());
  if (fromDc->GetLastStatus() != Gdiplus::Ok) return nullptr;
  return fromDc;
}

}  // namespace

uint32_t Premultiply(uint32_t argb) {
  const uint32_t a = argb >> 24;
  if (a == 255) return argb;
  if (a == 0) return 0;
  const uint32_t r = ((argb >> 16) & 0xFF) * a / 255;
  const uint32_t g = ((argb >> 8) & 0xFF) * a / 255;
  const uint32_t b = (argb & 0xFF) * a / 255;
  return (a << 24) | (r << 16) | (g << 8) | b;
}

Canvas::Canvas(DibSurface& surface, const Rect& clip, bool gdiplusText, bool alphaMatters)
    : dc_(surface.Dc()), gdiplusText_(gdiplusText || alphaMatters), alpha_(alphaMatters) {
  // GDI+ on the DIB's own pixels, as premultiplied ARGB: what a layered window shows, and for
  // other windows simply the back buffer.
  target_ =
      std::make_unique<Gdiplus::Bitmap>(surface.Width(), surface.Height(), surface.Width() * 4,
                                        PixelFormat32bppPARGB, reinterpret_cast<BYTE*>(surface.Pixels()));
  graphics_ = std::make_unique<Gdiplus::Graphics>(target_.get());
  graphics_->SetPageUnit(Gdiplus::UnitPixel);
  graphics_->SetTextRenderingHint(alpha_ ? Gdiplus::TextRenderingHintAntiAliasGridFit
                                         : Gdiplus::TextRenderingHintClearTypeGridFit);
  clip_ = Intersect(clip, Rect{0, 0, surface.Width(), surface.Height()});
  graphics_->SetClip(Gdiplus::Rect(clip_.left, clip_.top, clip_.Width(), clip_.Height()));
}

Canvas::~Canvas() = default;

void Canvas::FlushGdiplus() { graphics_->Flush(Gdiplus::FlushIntentionSync); }

Canvas::ClipScope::ClipScope(Canvas& canvas, const Rect& rect) : canvas_(canvas), saved_(canvas.clip_) {
  canvas_.clip_ = Intersect(saved_, rect);
  canvas_.graphics_->SetClip(
      Gdiplus::Rect(canvas_.clip_.left, canvas_.clip_.top, canvas_.clip_.Width(), canvas_.clip_.Height()));
}

Canvas::ClipScope::~ClipScope() {
  canvas_.clip_ = saved_;
  canvas_.graphics_->SetClip(Gdiplus::Rect(saved_.left, saved_.top, saved_.Width(), saved_.Height()));
}

void Canvas::FillRect(const Rect& rect, Color color) {
  if (rect.IsEmpty() || (color >> 24) == 0) return;
  Gdiplus::SolidBrush brush(ToGdiplus(color));
  graphics_->FillRectangle(&brush, rect.left, rect.top, rect.Width(), rect.Height());
}

void Canvas::DrawBorder(const Rect& rect, const Rect& widths, Color color) {
  if ((color >> 24) == 0) return;
  FillRect(Rect{rect.left, rect.top, rect.right, rect.top + widths.top}, color);
  FillRect(Rect{rect.left, rect.bottom - widths.bottom, rect.right, rect.bottom}, color);
  FillRect(Rect{rect.left, rect.top + widths.top, rect.left + widths.left, rect.bottom - widths.bottom},
           color);
  FillRect(Rect{rect.right - widths.right, rect.top + widths.top, rect.right, rect.bottom - widths.bottom},
           color);
}

void Canvas::DrawImage(const ImageData& image, const ImageDescriptor& d, const Rect& control, size_t frame) {
  if (image.width <= 0 || image.height <= 0 || frame >= image.frames.size()) return;
  const std::vector<uint32_t>& source = image.Frame(frame).pixels;
  if (source.size() != static_cast<size_t>(image.width) * static_cast<size_t>(image.height)) return;

  std::vector<uint32_t> masked;
  const uint32_t* pixels = source.data();
  if (d.hasMask) {
    masked = source;
    const uint32_t key = d.mask & 0x00FFFFFF;
    for (uint32_t& p : masked) {
      if ((p & 0x00FFFFFF) == key) p = 0;
    }
    pixels = masked.data();
  }
  Gdiplus::Bitmap bitmap(image.width, image.height, image.width * 4, PixelFormat32bppARGB,
                         reinterpret_cast<BYTE*>(const_cast<uint32_t*>(pixels)));
  if (bitmap.GetLastStatus() != Gdiplus::Ok) return;

  Rect dest = control;
  if (d.hasDest) {
    dest = Rect{control.left + d.dest.left, control.top + d.dest.top, control.left + d.dest.right,
                control.top + d.dest.bottom};
    dest = Intersect(dest, control);
  }
  Rect src{0, 0, image.width, image.height};
  if (d.hasSource) src = Intersect(d.source, src);
  if (dest.IsEmpty() || src.IsEmpty()) return;

  Gdiplus::ImageAttributes attributes;
  // Without this, stretched pieces blend their edges with transparent pixels beyond the source.
  attributes.SetWrapMode(Gdiplus::WrapModeTileFlipXY);
  if (d.fade < 255) {
    Gdiplus::ColorMatrix matrix = {{{1, 0, 0, 0, 0},
                                    {0, 1, 0, 0, 0},
                                    {0, 0, 1, 0, 0},
                                    {0, 0, 0, static_cast<Gdiplus::REAL>(std::max(d.fade, 0)) / 255.0f, 0},
                                    {0, 0, 0, 0, 1}}};
    attributes.SetColorMatrix(&matrix);
  }
  graphics_->SetPixelOffsetMode(Gdiplus::PixelOffsetModeHalf);
  graphics_->SetInterpolationMode(Gdiplus::InterpolationModeHighQualityBilinear);

  auto piece = [&](int dl, int dt, int dr, int db, int sl, int st, int sr, int sb) {
    if (dr <= dl || db <= dt || sr <= sl || sb <= st) return;
    graphics_->DrawImage(&bitmap, Gdiplus::Rect(dl, dt, dr - dl, db - dt), sl, st, sr - sl, sb - st,
                         Gdiplus::UnitPixel, &attributes);
  };

  const Rect& c = d.corner;
  if (c.left == 0 && c.top == 0 && c.right == 0 && c.bottom == 0) {
    piece(dest.left, dest.top, dest.right, dest.bottom, src.left, src.top, src.right, src.bottom);
    return;
  }
  // Nine-grid: the borders keep their size, the middle stretches; composed on the pixels and
  // then drawn unscaled.
  const int w = dest.Width();
  const int h = dest.Height();
  std::vector<uint32_t> grid = ComposeNineGrid(pixels, image.width, src, c, w, h, d.hole);
  if (grid.empty()) return;
  Gdiplus::Bitmap composed(w, h, w * 4, PixelFormat32bppARGB, reinterpret_cast<BYTE*>(grid.data()));
  if (composed.GetLastStatus() != Gdiplus::Ok) return;
  graphics_->SetPixelOffsetMode(Gdiplus::PixelOffsetModeNone);
  graphics_->SetInterpolationMode(Gdiplus::InterpolationModeNearestNeighbor);
  graphics_->DrawImage(&composed, Gdiplus::Rect(dest.left, dest.top, w, h), 0, 0, w, h, Gdiplus::UnitPixel,
                       &attributes);
}

void Canvas::PaintText(const std::wstring& text, const Rect& rect, const FontEntry* font, Color color,
                       unsigned style) {
  if (text.empty() || rect.IsEmpty() || font == nullptr) return;
  // Wrapped text goes through GDI+, which ends the last visible line in an ellipsis.
  if (!gdiplusText_ && !(style & kTextWrap)) {
    FlushGdiplus();
    SelectObjectGuard select(dc_, font->Handle());
    SetBkMode(dc_, TRANSPARENT);
    SetTextColor(dc_, ToColorRef(color));
    RECT r = ToRECT(Intersect(rect, clip_));
    RECT box = ToRECT(rect);
    if (r.right <= r.left) return;
    // Clip through the DC, so a wrapped text cut by the control's bottom stays inside.
    SaveDC(dc_);
    IntersectClipRect(dc_, r.left, r.top, r.right, r.bottom);
    ::DrawTextW(dc_, text.c_str(), static_cast<int>(text.size()), &box, GdiFormat(style));
    RestoreDC(dc_, -1);
    GdiFlush();
    return;
  }
  std::unique_ptr<Gdiplus::Font> gpFontPtr = MakeGdiplusFont(dc_, *font);
  if (!gpFontPtr) return;
  Gdiplus::Font& gpFont = *gpFontPtr;
  Gdiplus::StringFormat format(Gdiplus::StringFormat::GenericTypographic());
  INT flags = format.GetFormatFlags() | Gdiplus::StringFormatFlagsMeasureTrailingSpaces;
  if (!(style & kTextWrap)) flags |= Gdiplus::StringFormatFlagsNoWrap;
  format.SetFormatFlags(flags);
  switch (style & kTextAlignMask) {
    case kTextCenter:
      format.SetAlignment(Gdiplus::StringAlignmentCenter);
      break;
    case kTextRight:
      format.SetAlignment(Gdiplus::StringAlignmentFar);
      break;
    default:
      format.SetAlignment(Gdiplus::StringAlignmentNear);
      break;
  }
  format.SetLineAlignment((style & kTextVCenter) ? Gdiplus::StringAlignmentCenter
                                                 : Gdiplus::StringAlignmentNear);
  format.SetTrimming((style & kTextEndEllipsis) ? Gdiplus::StringTrimmingEllipsisCharacter
                                                : Gdiplus::StringTrimmingNone);
  Gdiplus::SolidBrush brush(ToGdiplus(color));
  Gdiplus::RectF layout(static_cast<Gdiplus::REAL>(rect.left), static_cast<Gdiplus::REAL>(rect.top),
                        static_cast<Gdiplus::REAL>(rect.Width()), static_cast<Gdiplus::REAL>(rect.Height()));
  std::wstring shown = text;
  if (style & kTextWrap) {
    // Wrapped text taller than its box: keep the lines that fit from the top and, with an
    // ellipsis, end them in "…" (GDI+ trimming is not reliable across systems, so measure).
    auto heightOf = [&](const std::wstring& s) {
      Gdiplus::RectF bounds;
      Gdiplus::RectF open(0, 0, layout.Width, 1e6f);
      graphics_->MeasureString(s.c_str(), static_cast<INT>(s.size()), &gpFont, open, &format, &bounds);
      return bounds.Height;
    };
    if (heightOf(text) > layout.Height + 0.5f) {
      format.SetLineAlignment(Gdiplus::StringAlignmentNear);
      format.SetFormatFlags(format.GetFormatFlags() | Gdiplus::StringFormatFlagsLineLimit);
      const std::wstring tail = (style & kTextEndEllipsis) ? L"\u2026" : L"";
      size_t low = 0;
      size_t high = text.size();
      while (low < high) {
        const size_t mid = (low + high + 1) / 2;
        if (heightOf(text.substr(0, mid) + tail) <= layout.Height + 0.5f) {
          low = mid;
        } else {
          high = mid - 1;
        }
      }
      shown = text.substr(0, low) + tail;
    }
  }
  graphics_->DrawString(shown.c_str(), static_cast<INT>(shown.size()), &gpFont, layout, &format, &brush);
}

int Canvas::MeasureText(const std::wstring& text, const FontEntry* font) {
  if (text.empty() || font == nullptr) return 0;
  if (!gdiplusText_) {
    FlushGdiplus();
    SelectObjectGuard select(dc_, font->Handle());
    SIZE size{};
    GetTextExtentPoint32W(dc_, text.c_str(), static_cast<int>(text.size()), &size);
    return size.cx;
  }
  std::unique_ptr<Gdiplus::Font> gpFontPtr = MakeGdiplusFont(dc_, *font);
  if (!gpFontPtr) return 0;
  Gdiplus::Font& gpFont = *gpFontPtr;
  Gdiplus::StringFormat format(Gdiplus::StringFormat::GenericTypographic());
  format.SetFormatFlags(format.GetFormatFlags() | Gdiplus::StringFormatFlagsMeasureTrailingSpaces |
                        Gdiplus::StringFormatFlagsNoWrap);
  Gdiplus::RectF bounds;
  graphics_->MeasureString(text.c_str(), static_cast<INT>(text.size()), &gpFont, Gdiplus::PointF(0, 0),
                           &format, &bounds);
  return static_cast<int>(bounds.Width + 0.5f);
}

int Canvas::FontHeight(const FontEntry* font) {
  if (font == nullptr) return 0;
  FlushGdiplus();
  SelectObjectGuard select(dc_, font->Handle());
  TEXTMETRICW tm{};
  GetTextMetricsW(dc_, &tm);
  return tm.tmHeight;
}

}  // namespace ui
