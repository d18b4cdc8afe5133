// Stand-in until the tool strip exists: a strip without buttons, of no size, that does nothing.
#include "TipDialog.h"

LRESULT TipDialog::OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  return WindowImplBase::OnMessage(msg, wParam, lParam);
}

void TipDialog::OnInit() {
  SetWindowPos(hwnd_, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TipDialog::OnClick(ui::UiNotification&) {}
