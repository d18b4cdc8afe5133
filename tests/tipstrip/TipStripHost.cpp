// Runs the tool strip as the main frame does, from a tool list on the command line, in its own
// folder beside "node.dll" and "Setting.ini" (the service page addresses):
//
//   TipStripHost <place> [open|type|name|path ...]
//
// A hidden stand-in for the main frame records the shop button's message in "events.txt".
#include <windows.h>

#include <cstdio>
#include <string>

#include "ClientMessages.h"
#include "ModulePath.h"
#include "TextConvert.h"
#include "TipDialog.h"
#include "VenueProfile.h"
#include "WebEngine.h"
#include "window/StartToolkit.h"

namespace {

LRESULT CALLBACK FrameProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_MF_CHANGE_BIG_WINDOW) {
    FILE* out = _wfopen((GetModuleDir() + L"events.txt").c_str(), L"ab");
    if (out != nullptr) {
      std::fprintf(out, "big %d\n", static_cast<int>(wParam));
      std::fclose(out);
    }
    return 0;
  }
  return DefWindowProcW(hwnd, msg, wParam, lParam);
}

ToolEntry ParseTool(const std::wstring& line) {
  ToolEntry tool;
  std::wstring fields[4];
  size_t start = 0;
  for (int i = 0; i < 4; ++i) {
    size_t bar = i < 3 ? line.find(L'|', start) : std::wstring::npos;
    fields[i] = line.substr(start, bar == std::wstring::npos ? std::wstring::npos : bar - start);
    start = bar == std::wstring::npos ? line.size() : bar + 1;
  }
  tool.open = fields[0] == L"1";
  tool.type = _wtoi(fields[1].c_str());
  tool.name = WideToUtf8(fields[2]);
  tool.path = WideToUtf8(fields[3]);
  return tool;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 2 || !ui::StartToolkit(GetModuleHandleW(nullptr))) return 2;
  if (!LoadWebEngine(GetModuleDir() + L"node.dll")) return 3;
  VenueProfile& profile = GetVenueProfile();
  profile.client_position = _wtoi(argv[1]);
  for (int i = 2; i < argc; ++i) profile.client_toolbar.push_back(ParseTool(argv[i]));

  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = &FrameProc;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.lpszClassName = L"OrvTipHostFrame";
  RegisterClassExW(&wc);
  MainFrameHwnd = CreateWindowExW(WS_EX_TOOLWINDOW, wc.lpszClassName, L"frame", WS_POPUP, 0, 0, 10, 10,
                                  nullptr, nullptr, wc.hInstance, nullptr);

  auto* strip = new TipDialog;
  if (strip->Create(nullptr, L"Tip", WS_CAPTION, WS_EX_TOOLWINDOW, CW_USEDEFAULT, CW_USEDEFAULT,
                    CW_USEDEFAULT, CW_USEDEFAULT) == nullptr)
    return 4;
  strip->Show(true, true);
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  return 0;
}
