#pragma once
// A clickable label: raises the "click" notification and draws its state images (normal, hot
// under the mouse, pushed while pressed with the mouse over it).
#include <string>
#include <vector>

#include "controls/Label.h"

namespace ui {

class CButtonUI : public CLabelUI {
 public:
  CButtonUI() : CLabelUI(TextAlign::Center) {}
  std::wstring ClassName() const override { return L"ButtonUI"; }
  void* InterfaceFor(std::wstring_view name) override;
  bool SetAttribute(std::wstring_view name, std::wstring_view value) override;
  void CollectImages(std::vector<const ImageDescriptor*>& out) const override;
  void DoPaint(Canvas& canvas) override;
  void OnEvent(UiEvent& event) override;
  void SetEnabled(bool enabled) override;

  const ImageDescriptor& GetNormalImage() const { return normalImage_; }
  const ImageDescriptor& GetHotImage() const { return hotImage_; }
  const ImageDescriptor& GetPushedImage() const { return pushedImage_; }
  void SetNormalImage(const std::wstring& descriptor) { normalImage_ = ParseImageDescriptor(descriptor); }
  void SetHotImage(const std::wstring& descriptor) { hotImage_ = ParseImageDescriptor(descriptor); }
  void SetPushedImage(const std::wstring& descriptor) { pushedImage_ = ParseImageDescriptor(descriptor); }

  // The mouse is over the button (while pressed: over it again after leaving it).
  bool IsHot() const { return hot_; }
  // The left button went down on the button and has not come up yet.
  bool IsPushed() const { return pushed_; }

 protected:
  // The state image the button shows now: pushed, hot, or normal.
  const ImageDescriptor& CurrentStateImage() const;

 private:
  ImageDescriptor normalImage_;
  ImageDescriptor hotImage_;
  ImageDescriptor pushedImage_;
  bool hot_ = false;
  bool pushed_ = false;
};

}  // namespace ui
