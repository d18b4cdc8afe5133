#pragma once
// The web dialog of the attendant call page.
#include "WebDialogWindow.h"
#include "WebkitUI.h"

struct CallDialogTraits {
  using View = WebkitUI1;
  static constexpr const wchar_t* kClassName = L"CallDialog";
  static constexpr const wchar_t* kSkinFile = L"Xmls\\CallDialog.xml";
  static constexpr const wchar_t* kViewClass = L"WebkitUI1";
  static constexpr int kWidth = 500;
  static constexpr int kHeight = 350;
  static constexpr ServicePage kPage = ServicePage::Call;
  static constexpr WebDialog kBridge = WebDialog::Call;
  static HWND& Handle() { return CallDialogHwnd; }
};

class CallDialog : public WebDialogWindow<CallDialogTraits> {};
