#pragma once
// The client's message box, run modally.
#include <string>

// Shows the text with one OK button (mode 0 and any mode other than 1 and 2), OK and cancel
// (mode 1), or retry and cancel (mode 2). Returns 1 for OK or retry, 2 for cancel or the
// close button, 0 when the system closed it.
int RunMsgDialog(const std::wstring& text, int mode);
