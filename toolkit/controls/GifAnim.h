#pragma once
// An animated GIF (its `bkimage`). With `autosize` it asks its layout for the size of the GIF's
// frames; with `autoplay` it starts the animation once the control is attached.
#include "model/Control.h"

namespace ui {

class CGifAnimUI : public CControlUI {
 public:
  std::wstring ClassName() const override { return L"GifAnimUI"; }
  void* InterfaceFor(std::wstring_view name) override;
  bool SetAttribute(std::wstring_view name, std::wstring_view value) override;
  Size EstimateSize(Size available) const override;
  void OnAttach() override;
  void DoPaint(Canvas& canvas) override;
  void OnEvent(UiEvent& event) override;

  void PlayGif();
  void StopGif();
  size_t GetFrame() const { return frame_; }

  bool IsAutoPlay() const { return autoPlay_; }
  void SetAutoPlay(bool on) { autoPlay_ = on; }
  bool IsAutoSize() const { return autoSize_; }
  void SetAutoSize(bool on);

 private:
  bool autoPlay_ = false;
  bool autoSize_ = false;
  bool playing_ = false;
  size_t frame_ = 0;
};

}  // namespace ui
