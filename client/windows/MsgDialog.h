#pragma once
// The client's message box, drawn from the skin and run modally.
#include <string>

#include "window/WindowImplBase.h"

// Result codes of the client's modal dialogs.
const int kDialogConfirmed = 1;
const int kDialogClosed = 2;
const int kDialogSystemClosed = 0;

class MsgDialog : public ui::WindowImplBase {
 public:
  LPCWSTR WindowClassName() const override { return L"MsgDialog"; }
  ~MsgDialog() override = default;
  void OnInit() override;
  void OnClick(ui::UiNotification& msg) override;
  LPCWSTR SkinFile() override { return L"Xmls\\MsgDialog.xml"; }
  LRESULT PreFilterMessage(UINT msg, WPARAM wParam, LPARAM lParam, bool& handled) override;

  // Creates the window ("提示"); null when it could not be created.
  HWND CreateWindowForMessage();
  // The text and the buttons of the mode: 1 OK and cancel, 2 retry and cancel, any other one
  // OK alone.
  void SetMessage(const std::wstring& text, int mode);

 private:
  ui::CControlUI* message_ = nullptr;
  ui::CControlUI* closeButton_ = nullptr;
  ui::CControlUI* okButton_ = nullptr;
  ui::CControlUI* cancelButton_ = nullptr;
};

// Shows the text with one OK button (mode 0 and any mode other than 1 and 2), OK and cancel
// (mode 1), or retry and cancel (mode 2). Returns 1 for OK, retry or Return, 2 for cancel or the
// close button, 0 when the system closed it.
int RunMsgDialog(const std::wstring& text, int mode);
