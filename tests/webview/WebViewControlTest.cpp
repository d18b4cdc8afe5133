// The web view controls in toolkit windows with the development engine: creation by element
// name, the view's window over the control, hiding with a layout, loading, scripts, focus.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "ModulePath.h"
#include "TestSupport.h"
#include "TextConvert.h"
#include "WebViewHarness.h"
#include "WebkitUI.h"
#include "model/UiEvent.h"

using namespace webtest;

namespace {

struct FactoryCase {
  const wchar_t* element;
  const wchar_t* className;  // null: no control for this element
};

const FactoryCase kFactoryCases[] = {
    {L"WebKit", L"WebkitUI"},   {L"webkit", L"WebkitUI"},   {L"WEBKIT1", L"WebkitUI1"},
    {L"WebKit2", L"WebkitUI2"}, {L"webKit3", L"WebkitUI3"}, {L"WebKit4", nullptr},
    {L"WebKitX", nullptr},      {L"Label", nullptr},        {L"", nullptr},
};

std::unique_ptr<ui::CControlUI> Create(const wchar_t* element) {
  if (ui::CControlUI* c = WebkitUI::CreateFor(element)) return std::unique_ptr<ui::CControlUI>(c);
  if (ui::CControlUI* c = WebkitUI1::CreateFor(element)) return std::unique_ptr<ui::CControlUI>(c);
  if (ui::CControlUI* c = WebkitUI2::CreateFor(element)) return std::unique_ptr<ui::CControlUI>(c);
  if (ui::CControlUI* c = WebkitUI3::CreateFor(element)) return std::unique_ptr<ui::CControlUI>(c);
  return nullptr;
}

TEST(WebViewControl, EachClassIsMadeForItsOwnElementAndAnswersItsOwnNames) {
  for (const FactoryCase& c : kFactoryCases) {
    SCOPED_TRACE(WideToUtf8(c.element));
    std::unique_ptr<ui::CControlUI> control = Create(c.element);
    if (c.className == nullptr) {
      EXPECT_EQ(nullptr, control);
      continue;
    }
    ASSERT_NE(nullptr, control);
    EXPECT_EQ(c.className, control->ClassName());
    std::wstring lower = c.className;
    for (wchar_t& ch : lower) ch = towlower(ch);
    EXPECT_EQ(control.get(), control->InterfaceFor(c.className));
    EXPECT_EQ(control.get(), control->InterfaceFor(lower));
    EXPECT_EQ(control.get(), control->InterfaceFor(L"Control"));
    EXPECT_EQ(nullptr, control->InterfaceFor(L"IContainer"));
    // No class answers for another's name.
    for (const wchar_t* other : {L"WebkitUI", L"WebkitUI1", L"WebkitUI2", L"WebkitUI3"}) {
      if (lstrcmpiW(other, c.className) != 0) {
        EXPECT_EQ(nullptr, control->InterfaceFor(other));
      }
    }
  }
}

TEST(WebViewControl, WithoutAViewEveryOperationDoesNothing) {
  ASSERT_TRUE(StartToolkitAndEngine());
  WebkitUI control;  // never joined a window
  control.OnAttach();
  EXPECT_EQ(nullptr, control.EngineView());
  EXPECT_EQ(L"", control.RunScript(L"more_product()"));
  control.LoadUrl("");
  control.ShowDevTools();
  control.SetPos(ui::Rect{1, 2, 30, 40});
  EXPECT_EQ((ui::Rect{1, 2, 30, 40}), control.GetPos());
  control.SetInnerVisible(false);
  EXPECT_FALSE(control.IsVisible());
  control.Focus();
  ui::UiEvent event;
  for (int type : {3, 4, 5, 9, 13, 14, 15, 16, 17, 18, 20, 21}) {
    event.Type = type;
    control.OnEvent(event);
  }
}

class WebViewInWindow : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(StartToolkitAndEngine()); }

  static RECT ChildRect(HWND child) {
    RECT r{};
    GetWindowRect(child, &r);
    MapWindowPoints(nullptr, GetParent(child), reinterpret_cast<POINT*>(&r), 2);
    return r;
  }
  static bool Covers(HWND child, const ui::Rect& pos) {
    RECT r = ChildRect(child);
    return r.left == pos.left && r.top == pos.top && r.right == pos.right && r.bottom == pos.bottom;
  }
};

TEST_F(WebViewInWindow, TheViewIsAVisibleChildOverTheControlWithTouchOn) {
  HostWindow window(L"Xmls\\MainFrame.xml");
  ASSERT_NE(nullptr, window.Open(640, 400));
  auto* control = static_cast<WebkitUI*>(window.Find(L"ie"));
  ASSERT_NE(nullptr, control);
  ASSERT_NE(nullptr, control->EngineView());
  HWND view = WkeCall(wkeGetHostHWND, control->EngineView());
  ASSERT_NE(nullptr, view);
  EXPECT_EQ(window.GetHWND(), GetParent(view));
  EXPECT_TRUE(GetWindowLongW(view, GWL_STYLE) & WS_VISIBLE);
  EXPECT_TRUE(IsWindowVisible(view));
  EXPECT_FALSE(control->GetPos().IsEmpty());
  EXPECT_TRUE(Covers(view, control->GetPos()));
  auto status = ViewStatus(view);
  EXPECT_EQ("1", status["touch"]);
  EXPECT_EQ("0", status["readyCallbacks"]);
}

TEST_F(WebViewInWindow, AResizeMovesTheViewWithTheControlAfterTheNextLayoutPass) {
  HostWindow window(L"Xmls\\CallDialog.xml");
  HWND hwnd = window.Open(640, 400);
  ASSERT_NE(nullptr, hwnd);
  auto* control = static_cast<WebkitUI1*>(window.Find(L"ie"));
  ASSERT_NE(nullptr, control);
  HWND view = WkeCall(wkeGetHostHWND, control->EngineView());
  ASSERT_NE(nullptr, view);
  const ui::Rect before = control->GetPos();
  EXPECT_TRUE(Covers(view, before));

  SetWindowPos(hwnd, nullptr, 0, 0, 700, 460, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  ASSERT_TRUE(testsupport::WaitFor([&] { return control->GetPos() != before; }, 5000));
  const ui::Rect after = control->GetPos();
  RECT client{};
  GetClientRect(hwnd, &client);
  ASSERT_EQ(700, client.right);
  // Inside the layout's inset of 1 on each side.
  EXPECT_EQ((ui::Rect{1, 1, 699, 459}), after);
  EXPECT_TRUE(Covers(view, after));
  // The layout's inset keeps the control, and so the page, off the window's edge.
  EXPECT_EQ(1, ChildRect(view).left);
  EXPECT_EQ(1, ChildRect(view).top);
}

TEST_F(WebViewInWindow, HidingTheLayoutHidesThePageAndShowingItShowsItAgain) {
  HostWindow window(L"Xmls\\CallDialog.xml");
  ASSERT_NE(nullptr, window.Open());
  ui::CControlUI* layout = window.Find(L"Layout_web");
  auto* control = static_cast<WebkitUI1*>(window.Find(L"ie"));
  ASSERT_NE(nullptr, layout);
  ASSERT_NE(nullptr, control);
  HWND view = WkeCall(wkeGetHostHWND, control->EngineView());
  ASSERT_NE(nullptr, view);
  ASSERT_TRUE(IsWindowVisible(view));

  for (int round = 0; round < 2; ++round) {
    layout->SetVisible(false);
    EXPECT_FALSE(IsWindowVisible(view));
    EXPECT_FALSE(control->IsVisible());
    layout->SetVisible(true);
    EXPECT_TRUE(IsWindowVisible(view));
    EXPECT_TRUE(control->IsVisible());
  }
  // The whole tree hidden from its root, too.
  window.GetPaintManager().GetRoot()->SetVisible(false);
  EXPECT_FALSE(IsWindowVisible(view));
  window.GetPaintManager().GetRoot()->SetVisible(true);
  EXPECT_TRUE(IsWindowVisible(view));
}

TEST_F(WebViewInWindow, RunScriptAnswersWhatTheShopPageDeclares) {
  HostWindow window(L"Xmls\\MainFrame.xml");
  ASSERT_NE(nullptr, window.Open());
  auto* control = static_cast<WebkitUI*>(window.Find(L"ie"));
  ASSERT_NE(nullptr, control);
  HWND view = WkeCall(wkeGetHostHWND, control->EngineView());
  ASSERT_NE(nullptr, view);

  ShowWindow(view, SW_HIDE);
  control->LoadUrl(FixtureUrl("shop.html"));
  EXPECT_TRUE(IsWindowVisible(view)) << "loading shows the page's window";
  ASSERT_TRUE(WaitForStatus(view, "state", "loaded"));
  EXPECT_EQ(L"more products shown", control->RunScript(L"more_product()"));
  EXPECT_EQ(L"payment shown", control->RunScript(L"show_pay_success()"));
  EXPECT_EQ(L"undefined", control->RunScript(L"changeBigWindow()"));

  control->ShowDevTools();
  auto status = ViewStatus(view);
  EXPECT_EQ("showDevTools " + WideToUtf8(GetModuleDir()) + "devtools//front_end//inspector.html",
            status["debug"]);
  EXPECT_EQ("3", status["scripts"]);
}

TEST_F(WebViewInWindow, FocusGivesThePageTheKeyboardAndLeavesTheToolkitFocus) {
  HostWindow window(L"Xmls\\MainFrame.xml");
  HWND hwnd = window.Open();
  ASSERT_NE(nullptr, hwnd);
  SetForegroundWindow(hwnd);
  auto* control = static_cast<WebkitUI*>(window.Find(L"ie"));
  ASSERT_NE(nullptr, control);
  HWND view = WkeCall(wkeGetHostHWND, control->EngineView());
  control->Focus();
  EXPECT_EQ(view, GetFocus());
  EXPECT_EQ(nullptr, window.GetPaintManager().GetFocus());
}

// An engine that lacks operations: the loader reported them, the control skips them.
TEST_F(WebViewInWindow, MissingEngineOperationsAreSkipped) {
  const auto create = wkeCreateWebWindow;
  wkeCreateWebWindow = nullptr;
  {
    HostWindow window(L"Xmls\\MainFrame.xml");
    ASSERT_NE(nullptr, window.Open());
    auto* control = static_cast<WebkitUI*>(window.Find(L"ie"));
    ASSERT_NE(nullptr, control);
    EXPECT_EQ(nullptr, control->EngineView());
    EXPECT_EQ(L"", control->RunScript(L"more_product()"));
  }
  wkeCreateWebWindow = create;

  HostWindow window(L"Xmls\\MainFrame.xml");
  ASSERT_NE(nullptr, window.Open());
  auto* control = static_cast<WebkitUI*>(window.Find(L"ie"));
  ASSERT_NE(nullptr, control->EngineView());
  const auto runScript = wkeRunJSW;
  const auto toText = jsToTempStringW;
  const auto mouse = wkeMouseEvent;
  const auto load = wkeLoadURL;
  wkeRunJSW = nullptr;
  jsToTempStringW = nullptr;
  wkeMouseEvent = nullptr;
  wkeLoadURL = nullptr;
  EXPECT_EQ(L"", control->RunScript(L"more_product()"));
  control->LoadUrl("about:blank");
  ui::UiEvent move;
  move.Type = ui::UIEVENT_MOUSEMOVE;
  control->OnEvent(move);
  wkeRunJSW = runScript;
  jsToTempStringW = toText;
  wkeMouseEvent = mouse;
  wkeLoadURL = load;
}

}  // namespace

namespace {

// Every source file below a folder, with its path relative to the project.
void CollectSources(const std::wstring& dir, std::vector<std::wstring>& out) {
  WIN32_FIND_DATAW data;
  HANDLE find = FindFirstFileW((dir + L"*").c_str(), &data);
  if (find == INVALID_HANDLE_VALUE) return;
  do {
    const std::wstring name = data.cFileName;
    if (name == L"." || name == L"..") continue;
    if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
      CollectSources(dir + name + L"\\", out);
    } else if (name.size() > 2 &&
               (name.substr(name.size() - 2) == L".h" || name.substr(name.size() - 4) == L".cpp")) {
      out.push_back(dir + name);
    }
  } while (FindNextFileW(find, &data));
  FindClose(find);
}

TEST(WebViewControl, TheToolkitKnowsNothingOfTheEngine) {
  std::vector<std::wstring> files;
  CollectSources(std::wstring(ORV_TEST_SOURCE_DIR) + L"toolkit\\", files);
  ASSERT_FALSE(files.empty());
  for (const std::wstring& file : files) {
    const std::string text = testsupport::ReadFileBytes(file);
    for (const char* needle : {"WebEngine", "wkeWebView", "jsValue", "webview/", "WebkitUI", "node.dll"}) {
      EXPECT_EQ(std::string::npos, text.find(needle)) << WideToUtf8(file) << " mentions " << needle;
    }
  }
}

}  // namespace
