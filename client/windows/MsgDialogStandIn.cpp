// Stand-in until the skinned message dialog exists: the system message box with the same
// texts, buttons and result codes.
#include <windows.h>

#include "MsgDialog.h"

int RunMsgDialog(const std::wstring& text, int mode) {
  UINT buttons = mode == 1 ? MB_OKCANCEL : mode == 2 ? MB_RETRYCANCEL : MB_OK;
  switch (MessageBoxW(nullptr, text.c_str(), L"提示", buttons)) {
    case IDOK:
    case IDRETRY:
      return 1;
    case IDCANCEL:
      return 2;
    default:
      // The box could not be shown (no desktop to show it on). Its callers take any other
      // result as a retry and would ask the service again and again without a user, so the
      // client ends here, as it does when the toolkit cannot build a window.
      ExitProcess(1);
  }
}
