#pragma once
// The control factory a window offers the layout builder for element names the toolkit does not
// know ("WebKit", "TipBtn"...).
namespace ui {

class CControlUI;

class IDialogBuilderCallback {
 public:
  // A new control for the element name (the builder owns it from then on), or null.
  virtual CControlUI* CreateCustomControl(const wchar_t* elementName) = 0;

 protected:
  ~IDialogBuilderCallback() = default;
};

}  // namespace ui
