#pragma once
// The client's own dialogs seen from the test: which message a message box shows (its picture
// compared with the same box drawn here), and real input (SendInput) to press its buttons and
// to type into the login dialog.
#include <windows.h>

#include <string>

namespace clienttest {

extern const wchar_t kMsgDialogClass[];
extern const wchar_t kLoginDialogClass[];

// A text that a message box of the client may show in the mode; the client's own fixed texts are
// known already.
void AddKnownMessage(const std::wstring& text, int mode);
// The known text that the message box shows, "?" when it shows none of them.
std::wstring ReadMessage(HWND box);

// Waits (bounded, pumping) until a new dialog has stopped moving (it is centred after it shows).
void WaitSettled(HWND dialog);
// IDOK and IDRETRY press Return, IDCANCEL clicks the cancel button.
void PressMsgButton(HWND box, int buttonId);

enum class LoginEnd { Return, Ok, CloseButton, AltF4 };
// Types the text into the login dialog's input and ends it the given way.
void AnswerLogin(HWND dialog, const std::wstring& typed, LoginEnd end);

}  // namespace clienttest
