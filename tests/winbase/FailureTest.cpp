// A window whose layout cannot be built: the process shows "加载资源文件失败" and ends with 1.
#include <gtest/gtest.h>

#include <string>

#include "TestSupport.h"

namespace {

struct FailureCase {
  const wchar_t* program;
  const wchar_t* skin;
  const char* what;
};

std::wstring WindowText(HWND hwnd) {
  wchar_t text[256] = {};
  GetWindowTextW(hwnd, text, 256);
  return text;
}

// A named CALLBACK: a lambda converts to a plain function pointer, which on i686 has the wrong
// calling convention for EnumChildWindows.
BOOL CALLBACK TakeStaticText(HWND child, LPARAM out) {
  wchar_t cls[32] = {};
  GetClassNameW(child, cls, 32);
  if (std::wstring(cls) == L"Static" && GetWindowTextLengthW(child) > 0) {
    *reinterpret_cast<std::wstring*>(out) = WindowText(child);
    return FALSE;
  }
  return TRUE;
}

// The text of a message box: its static control with the id the system gives it.
std::wstring BoxMessage(HWND box) {
  std::wstring found;
  EnumChildWindows(box, TakeStaticText, reinterpret_cast<LPARAM>(&found));
  return found;
}

TEST(FailureTest, AMissingLayoutEndsTheProcessWithOneAfterTheBox) {
  const FailureCase cases[] = {
      {L"orv_winbase_probe_with_skin.exe", L"Xmls\\NoSuchDialog.xml", "a file the package lacks"},
      {L"orv_winbase_probe_no_skin.exe", L"Xmls\\LoginDialog.xml", "no package at all"},
  };
  for (const FailureCase& c : cases) {
    std::wstring command = std::wstring(L"\"") + ORV_TEST_BIN_DIR + c.program + L"\" \"" + c.skin + L"\"";
    STARTUPINFOW si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    ASSERT_TRUE(CreateProcessW(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi))
        << c.what;
    // The box is found as soon as it exists, its text a moment later: wait for both.
    HWND box = nullptr;
    const bool shown = testsupport::WaitFor(
        [&] {
          box = FindWindowW(L"#32770", L"Orvanta");
          return box != nullptr && !BoxMessage(box).empty();
        },
        15000);
    EXPECT_TRUE(shown) << c.what << ": the message box with its text";
    if (shown) {
      EXPECT_EQ(BoxMessage(box), L"加载资源文件失败") << c.what;
      DWORD boxProcess = 0;
      GetWindowThreadProcessId(box, &boxProcess);
      EXPECT_EQ(boxProcess, pi.dwProcessId);
      // The process waits for the box.
      EXPECT_EQ(WaitForSingleObject(pi.hProcess, 300), static_cast<DWORD>(WAIT_TIMEOUT)) << c.what;
      PostMessageW(box, WM_COMMAND, IDOK, 0);
    }
    EXPECT_EQ(WaitForSingleObject(pi.hProcess, 15000), WAIT_OBJECT_0) << c.what;
    DWORD code = 0;
    GetExitCodeProcess(pi.hProcess, &code);
    if (code == STILL_ACTIVE) TerminateProcess(pi.hProcess, 99);
    EXPECT_EQ(code, 1u) << c.what;
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
  }
}

TEST(FailureTest, AWindowFromTheSkinRunsAndClosesNormally) {
  std::wstring command =
      std::wstring(L"\"") + ORV_TEST_BIN_DIR + L"orv_winbase_probe_with_skin.exe\" \"Xmls\\MsgDialog.xml\"";
  STARTUPINFOW si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  ASSERT_TRUE(CreateProcessW(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi));
  HWND window = nullptr;
  EXPECT_TRUE(testsupport::WaitFor(
      [&] {
        window = FindWindowW(L"OrvProbeWindow", L"probe");
        return window != nullptr && IsWindowVisible(window);
      },
      15000));
  if (window != nullptr) PostMessageW(window, WM_CLOSE, 2, 0);
  EXPECT_EQ(WaitForSingleObject(pi.hProcess, 15000), WAIT_OBJECT_0);
  DWORD code = 0;
  GetExitCodeProcess(pi.hProcess, &code);
  if (code == STILL_ACTIVE) TerminateProcess(pi.hProcess, 99);
  EXPECT_EQ(code, 2u);
  CloseHandle(pi.hThread);
  CloseHandle(pi.hProcess);
}

}  // namespace
