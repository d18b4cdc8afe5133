#pragma once
// The login dialog, drawn from the skin and run modally, asking for the venue account name.
#include <string>

#include "window/WindowImplBase.h"

class LoginDialog : public ui::WindowImplBase {
 public:
  LPCWSTR WindowClassName() const override { return L"LoginDialog"; }
  ~LoginDialog() override = default;
  void OnInit() override;
  void OnClick(ui::UiNotification& msg) override;
  LPCWSTR SkinFile() override { return L"Xmls\\LoginDialog.xml"; }
  LRESULT PreFilterMessage(UINT msg, WPARAM wParam, LPARAM lParam, bool& handled) override;

  // Creates the window ("登录"); null when it could not be created.
  HWND CreateWindowForLogin();
  const std::wstring& EnteredText() const { return entered_; }

 private:
  void Confirm();

  ui::CControlUI* logo_ = nullptr;
  ui::CControlUI* name_ = nullptr;
  ui::CControlUI* input_ = nullptr;
  ui::CControlUI* closeButton_ = nullptr;
  ui::CControlUI* okButton_ = nullptr;
  std::wstring entered_;
};

// Returns 1 when a name was confirmed by OK or Return (the entered text exactly as typed, blanks
// and all), 2 when the dialog was closed with its close button, 0 when the system closed it;
// the text is empty unless the result is 1.
int RunLoginDialog(std::wstring& enteredText);
