#include "controls/GifAnim.h"

#include "model/UiEvent.h"
#include "model/ValueParser.h"
#include "model/WindowModel.h"
#include "render/Canvas.h"
#include "render/ControlPaint.h"

namespace ui {
namespace {

// The frames advance on one control timer that fires after each frame's delay.
constexpr UINT kFrameTimerKey = 1;
// Browsers treat delays below 20 ms as 100 ms; so does this control.
int FrameDelay(const ImageData& image, size_t frame) {
  int delay = frame < image.frames.size() ? image.frames[frame].delayMs : 0;
  return delay < 20 ? 100 : delay;
}

}  // namespace

void* CGifAnimUI::InterfaceFor(std::wstring_view name) {
  if (name == L"GifAnim") return this;
  return CControlUI::InterfaceFor(name);
}

void CGifAnimUI::SetAutoSize(bool on) {
  autoSize_ = on;
  NeedParentUpdate();
}

bool CGifAnimUI::SetAttribute(std::wstring_view name, std::wstring_view value) {
  if (name == L"autoplay") {
    SetAutoPlay(ParseSwitch(value));
  } else if (name == L"autosize") {
    SetAutoSize(ParseSwitch(value));
  } else {
    return CControlUI::SetAttribute(name, value);
  }
  return true;
}

Size CGifAnimUI::EstimateSize(Size available) const {
  if (autoSize_ && !GetBkImage().Empty()) {
    ImagePtr image = ControlImage(*this, GetBkImage().file);
    if (image) return Size{image->width, image->height};
  }
  return CControlUI::EstimateSize(available);
}

void CGifAnimUI::OnAttach() {
  if (autoPlay_) PlayGif();
}

void CGifAnimUI::PlayGif() {
  if (GetManager() == nullptr || GetBkImage().Empty()) return;
  ImagePtr image = ControlImage(*this, GetBkImage().file);
  if (!image || image->frames.size() < 2) return;
  playing_ = true;
  GetManager()->SetTimer(this, kFrameTimerKey, static_cast<UINT>(FrameDelay(*image, frame_)));
}

void CGifAnimUI::StopGif() {
  playing_ = false;
  if (GetManager() != nullptr) GetManager()->KillTimer(this, kFrameTimerKey);
}

void CGifAnimUI::DoPaint(Canvas& canvas) {
  canvas.FillRect(GetPos(), GetBkColor());
  PaintImage(*this, canvas, GetBkImage(), frame_);
  PaintBorder(*this, canvas);
}

void CGifAnimUI::OnEvent(UiEvent& event) {
  if (event.Type == UIEVENT_TIMER && event.wParam == kFrameTimerKey) {
    ImagePtr image = ControlImage(*this, GetBkImage().file);
    if (!playing_ || !image || image->frames.empty()) return;
    frame_ = (frame_ + 1) % image->frames.size();
    Invalidate();
    GetManager()->SetTimer(this, kFrameTimerKey, static_cast<UINT>(FrameDelay(*image, frame_)));
    return;
  }
  CControlUI::OnEvent(event);
}

}  // namespace ui
