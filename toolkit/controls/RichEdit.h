#pragma once
// Single-line text input with a hint shown while it is empty.
#include <memory>
#include <string>

#include "controls/Label.h"

namespace ui {

class RichEditInput;

class CRichEditUI : public CLabelUI {
 public:
  CRichEditUI();
  ~CRichEditUI() override;
  std::wstring ClassName() const override { return L"RichEditUI"; }
  void* InterfaceFor(std::wstring_view name) override;
  bool SetAttribute(std::wstring_view name, std::wstring_view value) override;

  const std::wstring& GetTipValue() const { return tipValue_; }
  void SetTipValue(const std::wstring& text) { tipValue_ = text; }
  Color GetTipValueColor() const { return tipValueColor_; }
  void SetTipValueColor(Color color) { tipValueColor_ = color; }

  // The typed text lives in the input, not in the label's text.
  std::wstring GetText() const override;
  void SetText(const std::wstring& text) override;
  void DoPaint(Canvas& canvas) override;
  void OnEvent(UiEvent& event) override;
  RichEditInput& Input() { return *input_; }

 private:
  std::unique_ptr<RichEditInput> input_;
  std::wstring tipValue_;
  Color tipValueColor_ = 0;
};

}  // namespace ui
