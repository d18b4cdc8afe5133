#include "DialogInput.h"

#include <map>
#include <utility>
#include <vector>

#include "LoginDialog.h"
#include "MsgDialog.h"
#include "RealInput.h"
#include "SkinWindow.h"
#include "TestSupport.h"
#include "WindowProbe.h"
#include "window/StartToolkit.h"

namespace clienttest {

const wchar_t kMsgDialogClass[] = L"MsgDialog";
const wchar_t kLoginDialogClass[] = L"LoginDialog";

namespace {

using Known = std::vector<std::pair<std::wstring, int>>;

Known& KnownMessages() {
  static Known known = {{L"登录出错，请检查网络.", 2},
                        {L"网吧用户名不能为空，请重新输入", 0},
                        {L"网吧信息出错，程序退出。", 0}};
  return known;
}

void StartToolkitOnce() {
  static bool started = false;
  if (started) return;
  // The toolkit makes its folder the current one; the tests' paths are all absolute.
  ui::StartToolkit(GetModuleHandleW(nullptr));
  started = true;
}

// The box's client area as the client draws it for a text and mode, drawn here.
const wintest::Pixels& Drawn(const std::wstring& text, int mode) {
  static std::map<std::pair<std::wstring, int>, wintest::Pixels> cache;
  auto key = std::make_pair(text, mode);
  auto found = cache.find(key);
  if (found != cache.end()) return found->second;
  StartToolkitOnce();
  MsgDialog twin;
  twin.Create(nullptr, L"", WS_POPUP, WS_EX_TOOLWINDOW);
  twin.SetMessage(text, mode);
  return cache[key] = wintest::PrintClient(twin.GetHWND());
}

ui::Rect ControlRect(const wchar_t* name, bool login) {
  StartToolkitOnce();
  if (login) {
    LoginDialog twin;
    twin.Create(nullptr, L"", WS_POPUP, WS_EX_TOOLWINDOW);
    twin.GetPaintManager().EnsureLayout();
    ui::CControlUI* control = twin.GetPaintManager().FindControl(name);
    return control != nullptr ? control->GetPos() : ui::Rect{};
  }
  MsgDialog twin;
  twin.Create(nullptr, L"", WS_POPUP, WS_EX_TOOLWINDOW);
  twin.SetMessage(L"", 2);
  twin.GetPaintManager().EnsureLayout();
  ui::CControlUI* control = twin.GetPaintManager().FindControl(name);
  return control != nullptr ? control->GetPos() : ui::Rect{};
}

// The same picture, the rounded corners aside.
bool SamePicture(const wintest::Pixels& a, const wintest::Pixels& b) {
  if (a.width != b.width || a.height != b.height || a.width < 8 || a.height < 8) return false;
  for (int y = 4; y < a.height - 4; ++y) {
    for (int x = 4; x < a.width - 4; ++x) {
      if (a.At(x, y) != b.At(x, y)) return false;
    }
  }
  return true;
}

void Click(HWND window, const ui::Rect& r) {
  POINT at{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
  ClientToScreen(window, &at);
  testsupport::ClickAt(at);
}

}  // namespace

void AddKnownMessage(const std::wstring& text, int mode) { KnownMessages().push_back({text, mode}); }

void WaitSettled(HWND dialog) {
  RECT last{};
  GetWindowRect(dialog, &last);
  testsupport::WaitFor(
      [&] {
        PumpFor(100);
        RECT now{};
        GetWindowRect(dialog, &now);
        const bool settled = EqualRect(&now, &last) && IsWindowEnabled(dialog);
        last = now;
        return settled;
      },
      3000);
}

std::wstring ReadMessage(HWND box) {
  WaitSettled(box);
  // No button may show its hover state in the picture.
  testsupport::MoveCursorTo(POINT{0, 0});
  std::wstring text = L"?";
  testsupport::WaitFor(
      [&] {
        const wintest::Pixels shown = wintest::GrabScreen(box);
        for (const auto& known : KnownMessages()) {
          if (SamePicture(shown, Drawn(known.first, known.second))) {
            text = known.first;
            return true;
          }
        }
        return false;
      },
      3000);
  return text;
}

void PressMsgButton(HWND box, int buttonId) {
  WaitSettled(box);
  if (buttonId == IDCANCEL) {
    Click(box, ControlRect(L"cancelbtn", false));
    return;
  }
  testsupport::BringToForeground(box);
  testsupport::PressKey(VK_RETURN);
}

void AnswerLogin(HWND dialog, const std::wstring& typed, LoginEnd end) {
  WaitSettled(dialog);
  testsupport::BringToForeground(dialog);
  testsupport::TypeUnicode(typed);
  // Input is taken in order: what ends the dialog reaches it after the typed text.
  switch (end) {
    case LoginEnd::Return:
      testsupport::PressKey(VK_RETURN);
      break;
    case LoginEnd::Ok:
      Click(dialog, ControlRect(L"okbtn", true));
      break;
    case LoginEnd::CloseButton:
      Click(dialog, ControlRect(L"closebtn", true));
      break;
    case LoginEnd::AltF4:
      testsupport::PressAltF4();
      break;
  }
}

}  // namespace clienttest
