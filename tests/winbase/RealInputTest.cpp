// The same windows driven by real input (SendInput): what the system makes of presses on the
// caption, clicks on buttons and Alt+F4.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "SkinWindow.h"
#include "TestSupport.h"

using wintest::SkinWindow;

namespace {

class RealInputTest : public ::testing::Test {
 protected:
  void SetUp() override {
    wintest::StartTestToolkit();
    ASSERT_NE(window_.CreateAsDialog(), nullptr);
    SetWindowPos(window_.GetHWND(), HWND_TOPMOST, 300, 200, 0, 0, SWP_NOSIZE);
    window_.Show(true, true);
    SetForegroundWindow(window_.GetHWND());
    wintest::Pump(200);
  }

  POINT ScreenPointOf(POINT client) {
    ClientToScreen(window_.GetHWND(), &client);
    return client;
  }

  static void Mouse(DWORD flags, POINT screen = POINT{-1, -1}) {
    if (screen.x >= 0) SetCursorPos(screen.x, screen.y);
    INPUT in{};
    in.type = INPUT_MOUSE;
    in.mi.dwFlags = flags;
    SendInput(1, &in, sizeof in);
  }

  SkinWindow window_{L"Xmls\\MsgDialog.xml"};
};

TEST_F(RealInputTest, AClickOnAButtonReachesOnClick) {
  const POINT ok = ScreenPointOf(wintest::CenterOf(window_.Find(L"okbtn")));
  Mouse(0, ok);
  wintest::Pump(100);
  Mouse(MOUSEEVENTF_LEFTDOWN);
  Mouse(MOUSEEVENTF_LEFTUP);
  EXPECT_TRUE(testsupport::WaitFor([&] { return !window_.clickSenders.empty(); }, 3000));
  ASSERT_EQ(window_.clickSenders.size(), 1u);
  EXPECT_EQ(window_.clickSenders[0], window_.Find(L"okbtn"));
}

// Drags from a client point by (50, 40) on another thread, as a user would: the system's move
// loop runs inside this thread's message handling meanwhile.
void DragFrom(POINT start, std::atomic<bool>& done) {
  auto mouse = [](DWORD flags) {
    INPUT in{};
    in.type = INPUT_MOUSE;
    in.mi.dwFlags = flags;
    SendInput(1, &in, sizeof in);
  };
  SetCursorPos(start.x, start.y);
  mouse(MOUSEEVENTF_MOVE);
  Sleep(100);
  mouse(MOUSEEVENTF_LEFTDOWN);
  Sleep(100);
  for (int step = 1; step <= 5; ++step) {
    SetCursorPos(start.x + 10 * step, start.y + 8 * step);
    mouse(MOUSEEVENTF_MOVE);
    Sleep(60);
  }
  mouse(MOUSEEVENTF_LEFTUP);
  Sleep(100);
  done = true;
}

struct DragCase {
  POINT from;
  bool moves;
  const char* what;
};

TEST_F(RealInputTest, PressingOnTheCaptionAreaDragsTheWindow) {
  const DragCase cases[] = {{POINT{60, 20}, true, "the title row"},
                            {POINT{60, 100}, false, "below the caption"},
                            {wintest::CenterOf(window_.Find(L"closebtn")), false, "the close button"}};
  for (const DragCase& c : cases) {
    RECT before{};
    GetWindowRect(window_.GetHWND(), &before);
    std::atomic<bool> done{false};
    std::thread user(DragFrom, ScreenPointOf(c.from), std::ref(done));
    testsupport::WaitFor([&] { return done.load(); }, 5000);
    user.join();
    wintest::Pump(200);
    RECT after{};
    GetWindowRect(window_.GetHWND(), &after);
    EXPECT_EQ(after.left, before.left + (c.moves ? 50 : 0)) << c.what;
    EXPECT_EQ(after.top, before.top + (c.moves ? 40 : 0)) << c.what;
  }
  EXPECT_TRUE(window_.clickSenders.empty()) << "the close button was left before its release";
}

TEST_F(RealInputTest, AltF4EndsTheModalRunWithZero) {
  INPUT keys[4] = {};
  const WORD codes[4] = {VK_MENU, VK_F4, VK_F4, VK_MENU};
  for (int i = 0; i < 4; ++i) {
    keys[i].type = INPUT_KEYBOARD;
    keys[i].ki.wVk = codes[i];
    keys[i].ki.dwFlags = i >= 2 ? KEYEVENTF_KEYUP : 0;
  }
  SendInput(4, keys, sizeof(INPUT));
  EXPECT_EQ(window_.ShowModal(), 0u);
  EXPECT_EQ(window_.GetHWND(), nullptr);
}

}  // namespace
