#pragma once
// The web dialog of the venue message page.
#include "WebDialogWindow.h"
#include "WebkitUI.h"

struct LeaveDialogTraits {
  using View = WebkitUI2;
  static constexpr const wchar_t* kClassName = L"LeaveDialog";
  static constexpr const wchar_t* kSkinFile = L"Xmls\\LeaveDialog.xml";
  static constexpr const wchar_t* kViewClass = L"WebkitUI2";
  static constexpr int kWidth = 500;
  static constexpr int kHeight = 600;
  static constexpr ServicePage kPage = ServicePage::Message;
  static constexpr WebDialog kBridge = WebDialog::Leave;
  static HWND& Handle() { return LeaveDialogHwnd; }
};

class LeaveDialog : public WebDialogWindow<LeaveDialogTraits> {};
