// Windows built from the skin's login and message layouts: what the window base does with them.
#include <gtest/gtest.h>

#include <stdexcept>

#include "model/Container.h"
#include "HandleScopes.h"
#include "OwnedHandle.h"
#include "controls/Button.h"
#include "controls/Label.h"
#include "controls/RichEdit.h"
#include "controls/Text.h"
#include "DesktopStandIn.h"
#include "model/SkinPackage.h"
#include "window/StartToolkit.h"
#include "SkinWindow.h"
#include "TestSupport.h"
#include "window/WindowRegion.h"
#include "window/WindowWnd.h"

using wintest::SkinWindow;

namespace {

constexpr wchar_t kLogin[] = L"Xmls\\LoginDialog.xml";
constexpr wchar_t kMessage[] = L"Xmls\\MsgDialog.xml";
constexpr wchar_t kMainFrame[] = L"Xmls\\MainFrame.xml";

class WindowBaseTest : public ::testing::Test {
 protected:
  void SetUp() override { wintest::StartTestToolkit(); }

  LRESULT HitTest(SkinWindow& window, int x, int y) {
    POINT pt{x, y};
    ClientToScreen(window.GetHWND(), &pt);
    return SendMessageW(window.GetHWND(), WM_NCHITTEST, 0, MAKELPARAM(pt.x, pt.y));
  }
};

TEST_F(WindowBaseTest, StartToolkitMovesToTheProgramFolderAndKeepsTheFirstPackage) {
  const ui::SkinPackage& package = ui::GetSkinPackage();
  ASSERT_TRUE(package.IsOpen());
  const size_t entries = package.EntryCount();
  SetCurrentDirectoryW(L"C:\\");
  EXPECT_TRUE(ui::StartToolkit(GetModuleHandleW(nullptr)));
  EXPECT_EQ(&ui::GetSkinPackage(), &package);
  EXPECT_EQ(ui::GetSkinPackage().EntryCount(), entries);
  wchar_t current[MAX_PATH] = {};
  GetCurrentDirectoryW(MAX_PATH, current);
  std::wstring expected = ui::GetInstancePath();
  ASSERT_FALSE(expected.empty());
  expected.pop_back();  // the trailing backslash
  EXPECT_EQ(lstrcmpiW(current, expected.c_str()), 0);
}

TEST_F(WindowBaseTest, OperationsOnADestroyedWindowDoNothing) {
  SkinWindow window(kMessage);
  EXPECT_EQ(window.GetHWND(), nullptr);
  window.Show(true, true);  // before Create: nothing
  window.Close(1);
  ASSERT_NE(window.CreateAsDialog(), nullptr);
  window.Close(2);
  EXPECT_EQ(window.ShowModal(), 2u);
  window.Show(true, true);
  window.Close(3);
  window.Center();
  EXPECT_EQ(window.ShowModal(), 0u);
  EXPECT_EQ(window.GetHWND(), nullptr);
}

TEST_F(WindowBaseTest, CreationBuildsTheTreeRunsOnInitAndDropsTheCaption) {
  SkinWindow window(kLogin);
  ASSERT_NE(window.CreateAsDialog(), nullptr);
  EXPECT_EQ(window.initCalls, 1);
  EXPECT_NE(window.Find(L"input"), nullptr);
  EXPECT_NE(window.Find(L"okbtn"), nullptr);
  EXPECT_EQ(window.Find(L"nosuchcontrol"), nullptr);
  const LONG_PTR style = GetWindowLongPtrW(window.GetHWND(), GWL_STYLE);
  EXPECT_EQ(style & WS_CAPTION, 0);
  EXPECT_NE(style & WS_CLIPCHILDREN, 0);
  RECT rect{};
  GetWindowRect(window.GetHWND(), &rect);
  EXPECT_EQ(rect.right - rect.left, 360);
  EXPECT_EQ(rect.bottom - rect.top, 300);
  GetClientRect(window.GetHWND(), &rect);
  EXPECT_EQ(rect.right, 360) << "the whole window is client area";
  EXPECT_EQ(rect.bottom, 300);
}

TEST_F(WindowBaseTest, CaptionTestOverTheLoginLayout) {
  SkinWindow window(kLogin);
  ASSERT_NE(window.CreateAsDialog(), nullptr);
  ui::CControlUI* close = window.Find(L"closebtn");
  ASSERT_NE(close, nullptr);
  const POINT closeCentre = wintest::CenterOf(close);
  struct Case {
    int x, y;
    LRESULT expected;
    const char* what;
  } cases[] = {
      {100, 20, HTCAPTION, "the title row's empty label"},
      {0, 0, HTCAPTION, "the title row's top left corner"},
      {200, 46, HTCAPTION, "the last caption row"},
      {closeCentre.x, closeCentre.y, HTCLIENT, "the close button"},
      {100, 47, HTCLIENT, "the first row below the caption"},
      {100, 100, HTCLIENT, "the logo row"},
      {wintest::CenterOf(window.Find(L"input")).x, wintest::CenterOf(window.Find(L"input")).y, HTCLIENT,
       "the input"},
  };
  for (const Case& c : cases) EXPECT_EQ(HitTest(window, c.x, c.y), c.expected) << c.what;
}

TEST_F(WindowBaseTest, ASizeBoxGivesTheSizingCodesAlongTheBorders) {
  SkinWindow window(kLogin);
  ASSERT_NE(window.CreateAsDialog(), nullptr);
  window.GetPaintManager().SetWindowAttribute(L"sizebox", L"4,4,4,4");
  struct Case {
    int x, y;
    LRESULT expected;
  } cases[] = {{1, 1, HTTOPLEFT},    {358, 2, HTTOPRIGHT}, {2, 298, HTBOTTOMLEFT}, {359, 299, HTBOTTOMRIGHT},
               {100, 0, HTTOP},      {100, 297, HTBOTTOM}, {0, 150, HTLEFT},       {356, 150, HTRIGHT},
               {100, 20, HTCAPTION}, {100, 150, HTCLIENT}};
  for (const Case& c : cases) EXPECT_EQ(HitTest(window, c.x, c.y), c.expected) << c.x << "," << c.y;
}

TEST_F(WindowBaseTest, IsCaptionControlWalksUpThroughLabelsAndLayouts) {
  SkinWindow window(kLogin);
  ASSERT_NE(window.CreateAsDialog(), nullptr);
  ui::CControlUI* close = window.Find(L"closebtn");
  ui::CControlUI* title = window.Find(L"Title");
  ASSERT_NE(close, nullptr);
  ASSERT_NE(title, nullptr);
  EXPECT_FALSE(window.IsCaptionControl(nullptr));
  EXPECT_TRUE(window.IsCaptionControl(title));
  EXPECT_TRUE(window.IsCaptionControl(title->GetChildAt(0)));
  EXPECT_FALSE(window.IsCaptionControl(close));
  EXPECT_FALSE(window.IsCaptionControl(window.Find(L"input")));
}

TEST_F(WindowBaseTest, DoubleClickOnTheCaptionDoesNotMaximise) {
  SkinWindow window(kLogin);
  // With a maximise box the system would maximise on a caption double click.
  ASSERT_NE(window.Create(nullptr, L"OrvTest",
                          WS_POPUP | WS_VISIBLE | WS_CAPTION | WS_SYSMENU | WS_MAXIMIZEBOX, WS_EX_WINDOWEDGE),
            nullptr);
  POINT pt{100, 20};
  ClientToScreen(window.GetHWND(), &pt);
  EXPECT_EQ(SendMessageW(window.GetHWND(), WM_NCLBUTTONDBLCLK, HTCAPTION, MAKELPARAM(pt.x, pt.y)), 0);
  // Whatever the double click set off has been handled once the messages posted after it are.
  ASSERT_TRUE(testsupport::HandlePostedMessages());
  EXPECT_FALSE(IsZoomed(window.GetHWND()));
  // The same double click on a plain window of that style does maximise it: the check above
  // would see a maximise.
  ASSERT_TRUE(testsupport::RegisterPlainClass(L"OrvTestPlainWindow"));
  UniqueWindow plain(CreateWindowExW(WS_EX_WINDOWEDGE, L"OrvTestPlainWindow", L"OrvTestPlain",
                                     WS_POPUP | WS_VISIBLE | WS_CAPTION | WS_SYSMENU | WS_MAXIMIZEBOX, 0, 0,
                                     360, 300, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr));
  ASSERT_TRUE(plain);
  SendMessageW(plain.Get(), WM_NCLBUTTONDBLCLK, HTCAPTION, MAKELPARAM(100, 10));
  ASSERT_TRUE(testsupport::HandlePostedMessages());
  EXPECT_TRUE(IsZoomed(plain.Get()));
  RECT rect{};
  GetWindowRect(window.GetHWND(), &rect);
  EXPECT_EQ(rect.right - rect.left, 360);
}

TEST_F(WindowBaseTest, RegionIsOnePixelLargerRoundedOnlyWithRoundcorner) {
  struct Case {
    const wchar_t* skin;
    int width, height;
    bool rounded;
  } cases[] = {{kLogin, 360, 300, true}, {kMessage, 360, 240, true}, {kMainFrame, 900, 360, false}};
  for (const Case& c : cases) {
    SkinWindow window(c.skin);
    ASSERT_NE(window.CreateAsDialog(), nullptr);
    UniqueRegion region(CreateRectRgn(0, 0, 0, 0));
    ASSERT_NE(GetWindowRgn(window.GetHWND(), region.Get()), ERROR);
    // The region asked for is one pixel wider and higher than the window (a rounded one then
    // leaves out its right and bottom edge, as the system makes such regions).
    UniqueRegion expected(c.rounded ? CreateRoundRectRgn(0, 0, c.width + 1, c.height + 1, 3, 3)
                                    : CreateRectRgn(0, 0, c.width + 1, c.height + 1));
    EXPECT_TRUE(EqualRgn(region.Get(), expected.Get())) << c.width << "x" << c.height;
    RECT box{};
    GetRgnBox(region.Get(), &box);
    EXPECT_EQ(box.right, c.rounded ? c.width : c.width + 1);
    EXPECT_EQ(box.bottom, c.rounded ? c.height : c.height + 1);
    EXPECT_EQ(PtInRegion(region.Get(), 0, 0) == FALSE, c.rounded) << "top left corner";
    EXPECT_EQ(PtInRegion(region.Get(), c.width - 1, c.height - 1) == FALSE, c.rounded)
        << "bottom right corner";
    EXPECT_TRUE(PtInRegion(region.Get(), c.width / 2, 0));
    EXPECT_TRUE(PtInRegion(region.Get(), 0, c.height / 2));
  }
}

TEST_F(WindowBaseTest, MinAndMaxInfoLimitTheTrackingSize) {
  SkinWindow window(kMainFrame);
  ASSERT_NE(window.CreateAsDialog(), nullptr);
  MINMAXINFO info{};
  info.ptMaxTrackSize = {5000, 5000};
  SendMessageW(window.GetHWND(), WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
  EXPECT_EQ(info.ptMinTrackSize.x, 900);
  EXPECT_EQ(info.ptMinTrackSize.y, 360);
  EXPECT_EQ(info.ptMaxTrackSize.x, 1200);
  EXPECT_EQ(info.ptMaxTrackSize.y, 880);
}

TEST(CenterAxisTest, CentresThenKeepsInsideTheWorkArea) {
  struct Case {
    int refStart, refEnd, size, areaStart, areaEnd, expected;
  } cases[] = {
      {0, 1920, 360, 0, 1920, 780},      // centred on the work area
      {0, 1080, 301, 0, 1080, 390},      // integer halves: 540 - 150
      {-500, 100, 360, 0, 1920, 0},      // an owner off the left edge: start at the area's edge
      {1800, 2000, 360, 0, 1920, 1560},  // past the right edge: end at the area's edge
      {0, 100, 400, 0, 300, 0},          // larger than the area: the start wins
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ui::CenterAxis(c.refStart, c.refEnd, c.size, c.areaStart, c.areaEnd), c.expected);
  }
}

// How a modal run ends: each case arranges its ending before the loop starts.
struct ModalCase {
  const char* name;
  void (*arrange)(SkinWindow& window);
  UINT expected;
};

const ModalCase kModalCases[] = {
    {"system close command", [](SkinWindow& w) { PostMessageW(w.GetHWND(), WM_SYSCOMMAND, SC_CLOSE, 0); }, 0},
    {"Alt+F4",
     [](SkinWindow& w) { PostMessageW(w.GetHWND(), WM_SYSKEYDOWN, VK_F4, (1 << 29) | (0x3E << 16) | 1); }, 0},
    {"Close(2)", [](SkinWindow& w) { w.Close(2); }, 2},
    {"close button",
     [](SkinWindow& w) { wintest::PostClick(w.GetHWND(), wintest::CenterOf(w.Find(L"closebtn"))); }, 1},
    {"Escape",
     [](SkinWindow& w) {
       PostMessageW(w.GetHWND(), WM_KEYDOWN, VK_ESCAPE, 1);
       w.Close(5);
     },
     5},
};

TEST_F(WindowBaseTest, ShowModalAnswersTheCodeOfTheClose) {
  for (const ModalCase& c : kModalCases) {
    SkinWindow window(kMessage);
    ASSERT_NE(window.CreateAsDialog(), nullptr) << c.name;
    window.Center();
    c.arrange(window);
    EXPECT_EQ(window.ShowModal(), c.expected) << c.name;
    EXPECT_EQ(window.GetHWND(), nullptr) << c.name << ": the window is gone";
  }
}

HWND modalOwnerSeen = nullptr;
bool modalOwnerEnabledDuringLoop = true;

// A named CALLBACK: a lambda converts to a plain function pointer, which on i686 has the wrong
// calling convention for SetTimer.
void CALLBACK CloseModalWindow(HWND hwnd, UINT, UINT_PTR id, DWORD) {
  KillTimer(hwnd, id);
  modalOwnerEnabledDuringLoop = IsWindowEnabled(modalOwnerSeen) != FALSE;
  PostMessageW(hwnd, WM_CLOSE, 7, 0);
}

TEST_F(WindowBaseTest, ModalLoopDisablesTheOwnerUntilTheWindowCloses) {
  SkinWindow owner(kMainFrame);
  ASSERT_NE(owner.CreateAsDialog(L"owner"), nullptr);
  SkinWindow window(kLogin);
  ASSERT_NE(window.CreateAsDialog(), nullptr);
  SetWindowLongPtrW(window.GetHWND(), GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(owner.GetHWND()));
  modalOwnerSeen = owner.GetHWND();
  modalOwnerEnabledDuringLoop = true;
  SetTimer(window.GetHWND(), 500, 50, CloseModalWindow);
  EXPECT_EQ(window.ShowModal(), 7u);
  EXPECT_FALSE(modalOwnerEnabledDuringLoop);
  EXPECT_TRUE(IsWindowEnabled(owner.GetHWND()));
}

TEST_F(WindowBaseTest, ReturnAndEscapeReachPreFilterMessageAndTheFocusedControl) {
  SkinWindow window(kLogin);
  ASSERT_NE(window.CreateAsDialog(), nullptr);
  ui::CControlUI* input = window.Find(L"input");
  ASSERT_NE(input, nullptr);
  input->Focus();
  PostMessageW(window.GetHWND(), WM_KEYDOWN, VK_RETURN, 1);
  PostMessageW(window.GetHWND(), WM_KEYDOWN, VK_ESCAPE, 1);
  PostMessageW(window.GetHWND(), WM_KEYDOWN, 'A', 1);
  PostMessageW(window.GetHWND(), WM_CHAR, L'x', 1);
  window.Close(3);
  EXPECT_EQ(window.ShowModal(), 3u);
  EXPECT_EQ(window.filteredKeys, (std::vector<WPARAM>{VK_RETURN, VK_ESCAPE, 'A'}));
  // The base filter never takes a key: the character after them still reached the input.
  EXPECT_EQ(input->GetText(), L"x");
}

TEST_F(WindowBaseTest, DefaultKeyAndFilterAnswers) {
  SkinWindow window(kLogin);
  ASSERT_NE(window.CreateAsDialog(), nullptr);
  bool handled = false;
  EXPECT_EQ(window.PreFilterMessage(WM_KEYDOWN, VK_ESCAPE, 0, handled), 1);
  EXPECT_EQ(window.PreFilterMessage(WM_KEYDOWN, VK_RETURN, 0, handled), 0);
  EXPECT_EQ(window.PreFilterMessage(WM_KEYUP, VK_ESCAPE, 0, handled), 0);
  EXPECT_FALSE(handled);
}

TEST_F(WindowBaseTest, AButtonClickReachesOnClickWithItsSender) {
  SkinWindow window(kMessage);
  ASSERT_NE(window.CreateAsDialog(), nullptr);
  window.Center();
  ui::CControlUI* ok = window.Find(L"okbtn");
  ui::CControlUI* cancel = window.Find(L"cancelbtn");
  ASSERT_NE(ok, nullptr);
  ASSERT_NE(cancel, nullptr);
  wintest::PostClick(window.GetHWND(), wintest::CenterOf(ok));
  wintest::PostClick(window.GetHWND(), wintest::CenterOf(cancel));
  // Pressed on the button, released elsewhere: no click.
  const POINT okCentre = wintest::CenterOf(ok);
  PostMessageW(window.GetHWND(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(okCentre.x, okCentre.y));
  PostMessageW(window.GetHWND(), WM_LBUTTONUP, 0, MAKELPARAM(5, 100));
  // A press on a label is no click at all.
  wintest::PostClick(window.GetHWND(), POINT{20, 20});
  window.Close(4);
  EXPECT_EQ(window.ShowModal(), 4u);
  EXPECT_EQ(window.clickSenders, (std::vector<ui::CControlUI*>{ok, cancel}));
}

TEST_F(WindowBaseTest, ClickOnTheCloseButtonClosesWithOne) {
  SkinWindow window(kLogin);
  ASSERT_NE(window.CreateAsDialog(), nullptr);
  wintest::PostClick(window.GetHWND(), wintest::CenterOf(window.Find(L"closebtn")));
  EXPECT_EQ(window.ShowModal(), 1u);
  ASSERT_EQ(window.clickSenders.size(), 1u);
}

TEST_F(WindowBaseTest, ATimerOfAControlArrivesAsATimerNotification) {
  struct TimerWindow : SkinWindow {
    using SkinWindow::SkinWindow;
    void Notify(ui::UiNotification& msg) override {
      if (msg.sType == L"timer") {
        timerSender = msg.pSender;
        timerKey = msg.wParam;
        Close(9);
      }
      SkinWindow::Notify(msg);
    }
    ui::CControlUI* timerSender = nullptr;
    WPARAM timerKey = 0;
  } window(kLogin);
  ASSERT_NE(window.CreateAsDialog(), nullptr);
  ui::CControlUI* logo = window.Find(L"logo");
  ASSERT_TRUE(window.GetPaintManager().SetTimer(logo, 42, 20));
  EXPECT_EQ(window.ShowModal(), 9u);
  EXPECT_EQ(window.timerSender, logo);
  EXPECT_EQ(window.timerKey, 42u);
}

TEST_F(WindowBaseTest, TheButtonDrawsItsNormalHotAndPushedImages) {
  SkinWindow window(kLogin);
  ASSERT_NE(window.CreateAsDialog(), nullptr);
  window.GetPaintManager().SetFocus(nullptr);
  HWND hwnd = window.GetHWND();
  const ui::Rect close = window.Find(L"closebtn")->GetPos();
  const POINT centre = wintest::CenterOf(window.Find(L"closebtn"));
  auto button = [&] {
    const wintest::Pixels p = wintest::PrintClient(hwnd);
    std::vector<uint32_t> area;
    for (int y = close.top; y < close.bottom; ++y) {
      for (int x = close.left; x < close.right; ++x) area.push_back(p.At(x, y));
    }
    return area;
  };
  const auto normal = button();
  SendMessageW(hwnd, WM_MOUSEMOVE, 0, MAKELPARAM(centre.x, centre.y));
  const auto hot = button();
  SendMessageW(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(centre.x, centre.y));
  const auto pushed = button();
  SendMessageW(hwnd, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(5, 200));
  const auto draggedOff = button();
  SendMessageW(hwnd, WM_LBUTTONUP, 0, MAKELPARAM(5, 200));
  EXPECT_NE(normal, hot);
  EXPECT_NE(hot, pushed);
  EXPECT_NE(normal, pushed);
  EXPECT_EQ(draggedOff, normal) << "pressed but the mouse left it: the normal image";
  EXPECT_TRUE(window.clickSenders.empty()) << "released elsewhere: no click";
}

// The message layout with maximise and restore buttons added to its title row.
struct SizableWindow : SkinWindow {
  using SkinWindow::SkinWindow;
  void OnInit() override {
    SkinWindow::OnInit();
    ui::CControlUI* title = Find(L"Title");
    auto* row = title != nullptr ? static_cast<ui::IContainer*>(title->InterfaceFor(L"IContainer")) : nullptr;
    if (row == nullptr) return;
    for (const wchar_t* name : {L"maxbtn", L"restorebtn"}) {
      auto* button = new ui::CButtonUI();
      button->SetName(name);
      button->SetFixedWidth(21);
      button->SetFixedHeight(21);
      button->SetAttribute(L"bkcolor", L"#FF808080");
      button->SetVisible(name == std::wstring(L"maxbtn"));
      row->Add(button);
    }
  }
};

TEST_F(WindowBaseTest, MaximiseAndRestoreSwapTheirButtons) {
  SizableWindow window(kMessage);
  ASSERT_NE(window.CreateAsDialog(), nullptr);
  window.Show(true, true);
  ui::CControlUI* max = window.Find(L"maxbtn");
  ui::CControlUI* restore = window.Find(L"restorebtn");
  ASSERT_NE(max, nullptr);
  ASSERT_NE(restore, nullptr);
  wintest::Pump(100);
  // A click on "maxbtn" maximises through the system command.
  wintest::PostClick(window.GetHWND(), wintest::CenterOf(max));
  EXPECT_TRUE(testsupport::WaitFor([&] { return IsZoomed(window.GetHWND()) != FALSE; }, 2000));
  EXPECT_FALSE(max->IsOwnVisible());
  EXPECT_TRUE(restore->IsOwnVisible());
  MONITORINFO monitor{};
  monitor.cbSize = sizeof monitor;
  GetMonitorInfoW(MonitorFromWindow(window.GetHWND(), MONITOR_DEFAULTTONEAREST), &monitor);
  RECT client{};
  GetClientRect(window.GetHWND(), &client);
  EXPECT_EQ(client.right, monitor.rcWork.right - monitor.rcWork.left) << "maximised to the work area";
  wintest::Pump(100);
  wintest::PostClick(window.GetHWND(), wintest::CenterOf(restore));
  EXPECT_TRUE(testsupport::WaitFor([&] { return IsZoomed(window.GetHWND()) == FALSE; }, 2000));
  EXPECT_TRUE(max->IsOwnVisible());
  EXPECT_FALSE(restore->IsOwnVisible());
  RECT rect{};
  GetWindowRect(window.GetHWND(), &rect);
  EXPECT_EQ(rect.right - rect.left, 360);
}

// A window whose message handler throws: the exception stops at the window procedure.
struct ThrowingWindow : SkinWindow {
  using SkinWindow::SkinWindow;
  LRESULT OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) override {
    if (msg == WM_APP + 7) throw std::runtime_error("handler failed");
    return SkinWindow::OnMessage(msg, wParam, lParam);
  }
};

TEST_F(WindowBaseTest, NoExceptionLeavesTheWindowProcedure) {
  ThrowingWindow window(kLogin);
  ASSERT_NE(window.CreateAsDialog(), nullptr);
  EXPECT_EQ(SendMessageW(window.GetHWND(), WM_APP + 7, 0, 0), 0);
  EXPECT_TRUE(IsWindow(window.GetHWND()));
  window.Close(6);
  EXPECT_EQ(window.ShowModal(), 6u);
}

}  // namespace
