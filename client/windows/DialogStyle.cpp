#include "DialogStyle.h"

#include "window/ModalLoop.h"

HWND CreateDialogWindow(ui::WindowImplBase& dialog, const wchar_t* title) {
  return dialog.Create(nullptr, title, WS_POPUP | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | WS_CAPTION,
                       WS_EX_WINDOWEDGE, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT);
}

void EndWithoutWindows() {
  ui::EnableDisabledOwners();
  ExitProcess(1);
}
