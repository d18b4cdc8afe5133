#pragma once
// Text controls: label, wrapping text, button and single-line input. They keep the text style of
// their attributes; drawing and input are the window side's.
#include "Control.h"

namespace ui {

enum class TextAlign { Left, Center, Right };

class CLabelUI : public CControlUI {
 public:
  CLabelUI() = default;
  std::wstring ClassName() const override { return L"LabelUI"; }
  void* InterfaceFor(std::wstring_view name) override;
  bool SetAttribute(std::wstring_view name, std::wstring_view value) override;

  // A font number of the window; -1 is the window's default font.
  int GetFont() const { return font_; }
  void SetFont(int index) { font_ = index; }
  // 0 means the window's default text colour.
  Color GetTextColor() const { return textColor_; }
  void SetTextColor(Color color) { textColor_ = color; }
  const Rect& GetTextPadding() const { return textPadding_; }
  void SetTextPadding(const Rect& padding);
  TextAlign GetAlign() const { return align_; }
  void SetAlign(TextAlign align) { align_ = align; }
  bool IsEndEllipsis() const { return endEllipsis_; }
  void SetEndEllipsis(bool on) { endEllipsis_ = on; }

 protected:
  // Buttons centre their text by default.
  explicit CLabelUI(TextAlign align) : align_(align) {}

 private:
  int font_ = -1;
  Color textColor_ = 0;
  Rect textPadding_;
  TextAlign align_ = TextAlign::Left;
  bool endEllipsis_ = false;
};

// Text that may wrap over several lines.
class CTextUI : public CLabelUI {
 public:
  std::wstring ClassName() const override { return L"TextUI"; }
  void* InterfaceFor(std::wstring_view name) override;
};

// Raises the "click" notification; draws its state images.
class CButtonUI : public CLabelUI {
 public:
  CButtonUI() : CLabelUI(TextAlign::Center) {}
  std::wstring ClassName() const override { return L"ButtonUI"; }
  void* InterfaceFor(std::wstring_view name) override;
  bool SetAttribute(std::wstring_view name, std::wstring_view value) override;
  void CollectImages(std::vector<const ImageDescriptor*>& out) const override;

  const ImageDescriptor& GetNormalImage() const { return normalImage_; }
  const ImageDescriptor& GetHotImage() const { return hotImage_; }
  const ImageDescriptor& GetPushedImage() const { return pushedImage_; }
  void SetNormalImage(const std::wstring& descriptor) { normalImage_ = ParseImageDescriptor(descriptor); }
  void SetHotImage(const std::wstring& descriptor) { hotImage_ = ParseImageDescriptor(descriptor); }
  void SetPushedImage(const std::wstring& descriptor) { pushedImage_ = ParseImageDescriptor(descriptor); }

 private:
  ImageDescriptor normalImage_;
  ImageDescriptor hotImage_;
  ImageDescriptor pushedImage_;
};

// Single-line text input with a hint shown while it is empty.
class CRichEditUI : public CLabelUI {
 public:
  std::wstring ClassName() const override { return L"RichEditUI"; }
  void* InterfaceFor(std::wstring_view name) override;
  bool SetAttribute(std::wstring_view name, std::wstring_view value) override;

  const std::wstring& GetTipValue() const { return tipValue_; }
  void SetTipValue(const std::wstring& text) { tipValue_ = text; }
  Color GetTipValueColor() const { return tipValueColor_; }
  void SetTipValueColor(Color color) { tipValueColor_ = color; }

 private:
  std::wstring tipValue_;
  Color tipValueColor_ = 0;
};

}  // namespace ui
