// SetDesktopOwner against stand-ins of the shell's desktop windows: a "Progman" window titled
// "Program Manager", with or without its "SHELLDLL_DefView" child.
#include <gtest/gtest.h>

#include "OwnedHandle.h"
#include "window/DesktopOwner.h"

namespace {

bool RegisterClassOnce(const wchar_t* name) {
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof(wc);
  wc.lpfnWndProc = DefWindowProcW;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.lpszClassName = name;
  return RegisterClassExW(&wc) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

UniqueWindow MakeWindow(const wchar_t* cls, const wchar_t* title, HWND parent = nullptr) {
  return UniqueWindow(CreateWindowExW(0, cls, title, parent != nullptr ? WS_CHILD : WS_POPUP, 0, 0, 10, 10,
                                      parent, nullptr, GetModuleHandleW(nullptr), nullptr));
}

struct OwnerCase {
  const char* name;
  bool progman;
  bool view;
};

TEST(DesktopOwner, TheShellViewOrProgramManagerBecomesTheOwner) {
  ASSERT_TRUE(RegisterClassOnce(L"Progman"));
  ASSERT_TRUE(RegisterClassOnce(L"SHELLDLL_DefView"));
  ASSERT_TRUE(RegisterClassOnce(L"OrvDesktopOwnerTest"));
  const OwnerCase cases[] = {
      {"desktop with its view", true, true},
      {"desktop without a view", true, false},
      {"no desktop", false, false},
  };
  int checked = 0;
  for (const OwnerCase& c : cases) {
    // Wine may run a desktop window of its own; these cases need only ours.
    if (c.progman || FindWindowW(L"Progman", L"Program Manager") == nullptr) {
      UniqueWindow progman = c.progman ? MakeWindow(L"Progman", L"Program Manager") : UniqueWindow();
      UniqueWindow view = c.view ? MakeWindow(L"SHELLDLL_DefView", L"", progman.Get()) : UniqueWindow();
      UniqueWindow window = MakeWindow(L"OrvDesktopOwnerTest", L"owned");
      ASSERT_TRUE(window) << c.name;
      SetDesktopOwner(window.Get());
      HWND expected = c.view ? view.Get() : progman.Get();
      if (c.progman && FindWindowW(L"Progman", L"Program Manager") != progman.Get()) continue;
      EXPECT_EQ(GetWindow(window.Get(), GW_OWNER), expected) << c.name;
      ++checked;
    }
  }
  // Our stand-in desktop is found first, so at least the two cases with it were checked.
  EXPECT_GE(checked, 2);
}

}  // namespace
