#include "MsgDialog.h"

#include "DialogStyle.h"

void MsgDialog::OnInit() {
  ui::PaintManager& manager = GetPaintManager();
  message_ = manager.FindControl(L"LabelMsg");
  closeButton_ = manager.FindControl(L"closebtn");
  okButton_ = manager.FindControl(L"okbtn");
  cancelButton_ = manager.FindControl(L"cancelbtn");
}

void MsgDialog::OnClick(ui::UiNotification& msg) {
  // Senders are compared with the stored controls, so a button the skin lacks never matches.
  if (msg.pSender == nullptr) return;
  if (msg.pSender == closeButton_ || msg.pSender == cancelButton_) {
    Close(kDialogClosed);
  } else if (msg.pSender == okButton_) {
    Close(kDialogConfirmed);
  }
}

LRESULT MsgDialog::PreFilterMessage(UINT msg, WPARAM wParam, LPARAM, bool&) {
  if (msg == WM_KEYDOWN && wParam == VK_RETURN) {
    Close(kDialogConfirmed);
    return 1;
  }
  return 0;
}

HWND MsgDialog::CreateWindowForMessage() { return CreateDialogWindow(*this, L"提示"); }

void MsgDialog::SetMessage(const std::wstring& text, int mode) {
  if (message_ != nullptr) message_->SetText(text);
  const bool cancel = mode == 1 || mode == 2;
  if (okButton_ != nullptr) {
    if (mode == 2) okButton_->SetText(L"重试");
    okButton_->SetVisible(true);
  }
  if (cancelButton_ != nullptr) cancelButton_->SetVisible(cancel);
}

int RunMsgDialog(const std::wstring& text, int mode) {
  MsgDialog dialog;
  if (dialog.CreateWindowForMessage() == nullptr) EndWithoutWindows();
  dialog.Center();
  dialog.SetMessage(text, mode);
  return static_cast<int>(dialog.ShowModal());
}
