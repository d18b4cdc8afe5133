// Stand-in until the skinned login dialog exists: nobody can enter a name, so the dialog
// counts as closed at once.
#include "LoginDialog.h"

int RunLoginDialog(std::wstring& enteredText) {
  enteredText.clear();
  return 2;
}
