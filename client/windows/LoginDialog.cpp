#include "LoginDialog.h"

#include "DialogStyle.h"
#include "MsgDialog.h"
#include "window/DesktopOwner.h"

void LoginDialog::OnInit() {
  // The owner is needed before Center and ShowModal, so it is taken at once, not on a timer.
  SetDesktopOwner(GetHWND());
  ui::PaintManager& manager = GetPaintManager();
  logo_ = manager.FindControl(L"logo");
  name_ = manager.FindControl(L"name");
  input_ = manager.FindControl(L"input");
  closeButton_ = manager.FindControl(L"closebtn");
  okButton_ = manager.FindControl(L"okbtn");
  if (input_ != nullptr) input_->Focus();
  if (logo_ != nullptr) logo_->SetBkImage(L"UI\\tv_logo1.png");
  if (name_ != nullptr) name_->SetText(L"登录Tamvik客户端");
}

void LoginDialog::Confirm() {
  if (input_ != nullptr) entered_ = input_->GetText();
  Close(kDialogConfirmed);
}

void LoginDialog::OnClick(ui::UiNotification& msg) {
  if (msg.pSender == nullptr) return;
  if (msg.pSender == closeButton_) {
    entered_.clear();
    Close(kDialogClosed);
  } else if (msg.pSender == okButton_) {
    Confirm();
  }
}

LRESULT LoginDialog::PreFilterMessage(UINT msg, WPARAM wParam, LPARAM, bool&) {
  if (msg == WM_KEYDOWN && wParam == VK_RETURN) {
    Confirm();
    return 1;
  }
  return 0;
}

HWND LoginDialog::CreateWindowForLogin() { return CreateDialogWindow(*this, L"登录"); }

int RunLoginDialog(std::wstring& enteredText) {
  enteredText.clear();
  LoginDialog dialog;
  if (dialog.CreateWindowForLogin() == nullptr) EndWithoutWindows();
  dialog.Center();
  const int result = static_cast<int>(dialog.ShowModal());
  // A system close leaves whatever was typed in the input behind.
  if (result == kDialogConfirmed) enteredText = dialog.EnteredText();
  return result;
}
