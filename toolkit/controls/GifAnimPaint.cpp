// The animated GIF's frames: one control timer that shows the next frame after each frame's delay.
#include "ControlPaint.h"
#include "GifAnim.h"
#include "PaintManager.h"
#include "UiEvent.h"

namespace ui {
namespace {

constexpr UINT kFrameTimerKey = 1;
// Browsers treat delays below 20 ms as 100 ms; so does this control.
int FrameDelay(const ImageData& image, size_t frame) {
  int delay = frame < image.frames.size() ? image.frames[frame].delayMs : 0;
  return delay < 20 ? 100 : delay;
}

}  // namespace

void CGifAnimUI::OnAttach() {
  if (autoPlay_) PlayGif();
}

void CGifAnimUI::PlayGif() {
  if (GetManager() == nullptr || GetBkImage().Empty()) return;
  ImagePtr image = GetManager()->GetImage(GetBkImage().file);
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
    ImagePtr image = GetManager() != nullptr ? GetManager()->GetImage(GetBkImage().file) : nullptr;
    if (!playing_ || !image || image->frames.empty()) return;
    frame_ = (frame_ + 1) % image->frames.size();
    Invalidate();
    GetManager()->SetTimer(this, kFrameTimerKey, static_cast<UINT>(FrameDelay(*image, frame_)));
    return;
  }
  CControlUI::OnEvent(event);
}

}  // namespace ui
