#pragma once
// The login dialog, run modally, asking for the venue account name.
#include <string>

// Returns 1 when a name was confirmed (the entered text exactly as typed), 2 when the dialog
// was closed with its close button, 0 when the system closed it (the text is empty then).
int RunLoginDialog(std::wstring& enteredText);
