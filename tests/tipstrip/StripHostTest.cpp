// The tool strip and its web dialogs in their own process, driven by real input and by the
// pages' script functions through the development engine's control channel.
#include <gtest/gtest.h>

#include <cstdlib>
#include <set>
#include <utility>

#include "DevEngineControl.h"
#include "PageServer.h"
#include "SkinWindow.h"
#include "StripHost.h"
#include "StripTwin.h"
#include "TestSupport.h"
#include "TextConvert.h"
#include "render/GdiplusInclude.h"
#include "render/GdiplusSession.h"

namespace striptest {
namespace {

// Where the n-th of `count` buttons is, from a twin strip of built-in buttons in this process.
POINT ButtonAt(int place, int count, int index) {
  std::vector<ToolEntry> tools(static_cast<size_t>(count), Tool(true, 0, "商品点购"));
  TipDialog* twin = MakeStrip(place, tools, false);
  const std::vector<ui::Rect> rects = ButtonRects(*twin);
  DestroyStrip(twin);
  if (index >= static_cast<int>(rects.size())) return POINT{-1, -1};
  const ui::Rect& r = rects[static_cast<size_t>(index)];
  return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

bool CallPage(HWND view, const std::string& call) {
  std::string result;
  return devengine::CallViewFunction(view, call, &result);
}

RECT RectOf(HWND hwnd) {
  RECT r{};
  GetWindowRect(hwnd, &r);
  return r;
}

struct WindowCount {
  DWORD process;
  const wchar_t* windowClass;
  int n;
};

BOOL CALLBACK CountWindow(HWND window, LPARAM param) {
  auto* count = reinterpret_cast<WindowCount*>(param);
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  wchar_t name[64] = {};
  GetClassNameW(window, name, 64);
  if (process == count->process && lstrcmpW(name, count->windowClass) == 0) ++count->n;
  return TRUE;
}

int CountWindows(const StripHost& host, const wchar_t* windowClass) {
  WindowCount count{0, windowClass, 0};
  GetWindowThreadProcessId(host.Strip(), &count.process);
  EnumWindows(&CountWindow, reinterpret_cast<LPARAM>(&count));
  return count.n;
}

// The page is shown: its document was completed and the dialog switched from its loading layout
// to the page's own window. The document is checked too: while the dialog initialises, the
// page's window exists and is visible for a moment before the loading layout hides it, and this
// process may look at exactly that moment.
bool PageShown(const StripHost& host, HWND dialog) {
  HWND view = host.ViewOf(dialog);
  if (view == nullptr || !IsWindowVisible(view)) return false;
  const auto status = devengine::QueryViewStatus(view);
  const auto ready = status.find("ready");
  return ready != status.end() && std::atoi(ready->second.c_str()) >= 1;
}

// Mouse events that the dialog handed to its page's view (the engine counts them).
int ViewMouseEvents(HWND view) { return std::atoi(devengine::QueryViewStatus(view)["mouseEvents"].c_str()); }

// Returns once the dialog has handled the messages posted to it before the call: a mouse move
// posted after them over the page's view reaches the engine only then. (Sent messages, which a
// thread takes first, cannot show this.)
bool HandledPosted(HWND dialog, HWND view) {
  const int before = ViewMouseEvents(view);
  RECT r{};
  GetWindowRect(view, &r);
  POINT centre{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
  ScreenToClient(dialog, &centre);
  if (!PostMessageW(dialog, WM_MOUSEMOVE, 0, MAKELPARAM(centre.x, centre.y))) return false;
  return Poll([&] { return ViewMouseEvents(view) > before; }, 5000);
}

class StripHostTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(server.Started());
    pages = {server.Url("/call"), server.Url("/message"), server.Url("/karaoke")};
  }
  PageServer server;
  Pages pages;
};

TEST_F(StripHostTest, TheCallButtonMakesOneDialogAndShowsItAgainAfterCloseAndAfterAltF4) {
  StripHost host;
  ASSERT_TRUE(host.Start(0, {L"1|0|呼叫网管|"}, pages));
  HWND strip = host.Strip();
  ASSERT_TRUE(IsWindowVisible(strip));
  const POINT button = ButtonAt(0, 1, 0);

  Click(strip, button);
  HWND dialog = host.WaitVisible(L"CallDialog");
  ASSERT_NE(dialog, nullptr);
  ASSERT_TRUE(Poll([&] { return PageShown(host, dialog); }, 10000))
      << "the page never replaced the loading layout";
  const auto status = devengine::QueryViewStatus(host.ViewOf(dialog));
  EXPECT_EQ(server.Requests("call"), 1) << (status.count("url") ? status.at("url") : "") << " "
                                        << (status.count("state") ? status.at("state") : "") << " "
                                        << (status.count("error") ? status.at("error") : "");
  const RECT placed = RectOf(dialog);
  EXPECT_EQ(placed.right - placed.left, 500);
  EXPECT_EQ(placed.bottom - placed.top, 350);
  // The screen has caught up with the page once two pictures in a row are the same.
  wintest::Pixels shown = wintest::GrabScreen(dialog);
  EXPECT_TRUE(Poll(
      [&] {
        wintest::Pixels now = wintest::GrabScreen(dialog);
        const bool same = now.data == shown.data;
        shown = std::move(now);
        return same;
      },
      5000));
  wintest::SavePng(shown, L"webdialog_call_ready.png");

  // A second click: the same dialog, the page not loaded again (a load would have begun).
  ASSERT_TRUE(ClickHandled(strip, button));
  EXPECT_EQ(CountWindows(host, L"CallDialog"), 1);
  EXPECT_EQ(devengine::QueryViewStatus(host.ViewOf(dialog))["state"], "loaded");
  EXPECT_EQ(host.WaitVisible(L"CallDialog"), dialog);
  EXPECT_EQ(server.Requests("call"), 1);

  // The page's "CloseWindow" hides it; the next click shows it as it was left.
  ASSERT_TRUE(CallPage(host.ViewOf(dialog), "CloseWindow()"));
  ASSERT_TRUE(Poll([&] { return !IsWindowVisible(dialog); }, 5000));
  EXPECT_TRUE(IsWindow(dialog));
  Click(strip, button);
  ASSERT_TRUE(Poll([&] { return IsWindowVisible(dialog); }, 5000));
  EXPECT_TRUE(PageShown(host, dialog));
  EXPECT_EQ(server.Requests("call"), 1);

  // The system closes the window: the button still works and brings a working dialog back.
  AltF4(dialog);
  ASSERT_TRUE(Poll([&] { return !IsWindow(dialog); }, 5000)) << "Alt+F4 did not close the dialog";
  Click(strip, button);
  HWND again = host.WaitVisible(L"CallDialog");
  ASSERT_NE(again, nullptr) << "the call button went dead after the system closed its dialog";
  EXPECT_TRUE(Poll([&] { return PageShown(host, again); }, 10000));
  EXPECT_EQ(server.Requests("call"), 2);
  ASSERT_TRUE(CallPage(host.ViewOf(again), "CloseWindow()"));
  EXPECT_TRUE(Poll([&] { return !IsWindowVisible(again); }, 5000));
}

TEST_F(StripHostTest, DraggingFollowsTheCursorWhateverThePagePasses) {
  StripHost host;
  ASSERT_TRUE(host.Start(3, {L"1|0|点歌申请|"}, pages));
  Click(host.Strip(), ButtonAt(3, 1, 0));
  HWND dialog = host.WaitVisible(L"SongDialog");
  ASSERT_NE(dialog, nullptr);
  ASSERT_TRUE(Poll([&] { return PageShown(host, dialog); }, 10000));
  HWND view = host.ViewOf(dialog);
  const RECT start = RectOf(dialog);

  SetCursorPos(800, 500);
  ASSERT_TRUE(CallPage(view, "CaptionButtonDown(10, 20)"));
  // The page posts the press: the dialog reads the cursor when it takes the message, which on a
  // slow machine may come after the next step's cursor move.
  ASSERT_TRUE(HandledPosted(dialog, view));
  const struct {
    POINT cursor;
    const char* call;
  } steps[] = {{{850, 540}, "CaptionMouseMove(10, 20)"},
               {{760, 430}, "CaptionMouseMove(-400, 99999)"},
               {{1000, 640}, "CaptionMouseMove()"}};
  for (const auto& step : steps) {
    SetCursorPos(step.cursor.x, step.cursor.y);
    ASSERT_TRUE(CallPage(view, step.call));
    const RECT expected{start.left + step.cursor.x - 800, start.top + step.cursor.y - 500,
                        start.right + step.cursor.x - 800, start.bottom + step.cursor.y - 500};
    EXPECT_TRUE(Poll(
        [&] {
          RECT r = RectOf(dialog);
          return EqualRect(&r, &expected) != FALSE;
        },
        3000))
        << step.call << ": " << RectOf(dialog).left << "," << RectOf(dialog).top << " expected "
        << expected.left << "," << expected.top;
  }
  ASSERT_TRUE(CallPage(view, "CaptionButtonUp()"));
}

TEST_F(StripHostTest, APageThatNeverGetsReadyKeepsTheAnimatedLoadingLayout) {
  pages.message = server.Url("/stall");
  StripHost host;
  ASSERT_TRUE(host.Start(1, {L"1|0|网吧留言|", L"1|0|点歌申请|"}, pages));
  Click(host.Strip(), ButtonAt(1, 2, 0));
  HWND dialog = host.WaitVisible(L"LeaveDialog");
  ASSERT_NE(dialog, nullptr);
  ASSERT_TRUE(Poll([&] { return server.Requests("stall") == 1; }, 5000));
  const RECT r = RectOf(dialog);
  EXPECT_EQ(r.right - r.left, 500);
  EXPECT_EQ(r.bottom - r.top, 600);

  // Frames of the animation, a while apart: the picture keeps changing, the page stays hidden.
  Sleep(500);
  std::set<std::vector<uint32_t>> pictures;
  wintest::Pixels first = wintest::GrabScreen(dialog);
  wintest::SavePng(first, L"webdialog_leave_loading.png");
  for (int i = 0; i < 15 && pictures.size() < 3; ++i) {
    pictures.insert(wintest::GrabScreen(dialog).data);
    Sleep(120);
  }
  EXPECT_GE(pictures.size(), 2u) << "the loading animation does not move";
  EXPECT_FALSE(PageShown(host, dialog));
  // The animation sits 270 pixels below the top of its column; above it all is white.
  int firstMarked = -1;
  for (int y = 2; y < first.height - 2 && firstMarked < 0; ++y) {
    for (int x = 2; x < first.width - 2; ++x) {
      if (first.At(x, y) != 0xFFFFFF) {
        firstMarked = y;
        break;
      }
    }
  }
  EXPECT_GE(firstMarked, 1 + 270);
  EXPECT_LT(firstMarked, 1 + 270 + 64);

  // The other dialog's page is ready and replaces its loading layout.
  Click(host.Strip(), ButtonAt(1, 2, 1));
  HWND song = host.WaitVisible(L"SongDialog");
  ASSERT_NE(song, nullptr);
  EXPECT_TRUE(Poll([&] { return PageShown(host, song); }, 10000));
  EXPECT_FALSE(PageShown(host, dialog));
}

TEST_F(StripHostTest, TheShopButtonAsksTheMainFrameForTheLargeWindow) {
  StripHost host;
  ASSERT_TRUE(host.Start(4, {L"0|0|呼叫网管|", L"1|0|商品点购|"}, pages));
  Click(host.Strip(), ButtonAt(4, 1, 0));
  EXPECT_TRUE(
      Poll([&] { return testsupport::ReadFileBytes(host.Folder() + L"events.txt") == "big 1\n"; }, 5000));
  EXPECT_EQ(CountWindows(host, L"CallDialog"), 0);
}

std::set<std::wstring> FilesIn(const std::wstring& folder) {
  std::set<std::wstring> names;
  WIN32_FIND_DATAW data{};
  HANDLE find = FindFirstFileW((folder + L"*").c_str(), &data);
  if (find == INVALID_HANDLE_VALUE) return names;
  do {
    if (lstrcmpW(data.cFileName, L".") != 0 && lstrcmpW(data.cFileName, L"..") != 0)
      names.insert(data.cFileName);
  } while (FindNextFileW(find, &data));
  FindClose(find);
  return names;
}

bool IsPicture(const std::wstring& path, UINT* width) {
  ui::EnsureGdiplus();
  Gdiplus::Bitmap bitmap(path.c_str());
  *width = bitmap.GetLastStatus() == Gdiplus::Ok ? bitmap.GetWidth() : 0;
  return *width > 0;
}

TEST_F(StripHostTest, ProgramToolsShowTheirOwnIconAndStartTheirProgram) {
  testsupport::TempDir outside;
  wchar_t system[MAX_PATH] = {};
  GetSystemDirectoryW(system, MAX_PATH);
  const std::wstring notepad = std::wstring(system) + L"\\notepad.exe";
  ASSERT_TRUE(testsupport::FileExists(notepad));
  StripHost host;
  // The recorder lies in the host's folder, which is known only once it exists: its path is
  // relative to the host's working folder, which is that folder.
  const std::vector<std::wstring> tools = {
      L"1|1|记事本|" + notepad,       L"1|1|Recorder|StartRecorder.exe",
      L"1|1|..\\..\\evil|" + notepad, L"1|1|a/b|" + notepad,
      L"1|1|C:x|" + notepad,          L"1|1|" + outside.Path() + L"abs|" + notepad,
      L"1|1|'quoted'|" + notepad,     L"1|1|missing|C:\\no\\such\\program.exe",
  };
  ASSERT_TRUE(host.Start(2, tools, pages));
  const std::wstring images = host.Folder() + L"image\\";
  const std::set<std::wstring> expected = {L"记事本.png", L"Recorder.png", L".._.._evil.png",
                                           L"a_b.png",    L"C_x.png",      L"_quoted_.png"};
  std::set<std::wstring> made = FilesIn(images);
  // The absolute name becomes one file too, in the cache.
  std::wstring absolute;
  for (const std::wstring& name : made) {
    if (expected.count(name) == 0) absolute = name;
  }
  EXPECT_EQ(made.size(), expected.size() + 1);
  for (const std::wstring& name : expected) EXPECT_EQ(made.count(name), 1u) << WideToUtf8(name);
  std::wstring safeAbsolute = outside.Path() + L"abs.png";
  for (wchar_t& c : safeAbsolute) {
    if (c == L':' || c == L'\\') c = L'_';
  }
  EXPECT_EQ(absolute, safeAbsolute) << WideToUtf8(absolute);
  for (const std::wstring& name : made) {
    UINT width = 0;
    EXPECT_TRUE(IsPicture(images + name, &width)) << WideToUtf8(name);
  }
  // Nothing was written beside the program folder, in the folder the absolute name points at,
  // or in the program folder itself but the icon cache (and the log).
  EXPECT_TRUE(FilesIn(outside.Path()).empty());
  EXPECT_FALSE(testsupport::FileExists(host.Folder() + L"..\\evil.png"));
  EXPECT_FALSE(testsupport::FileExists(host.Folder() + L"..\\..\\evil.png"));
  std::set<std::wstring> top = FilesIn(host.Folder());
  top.erase(L"log");
  EXPECT_EQ(top, (std::set<std::wstring>{L"TipStripHost.exe", L"StartRecorder.exe", L"node.dll",
                                         L"Setting.ini", L"image"}));

  // Seven buttons across (the missing program has none), each the strip's 90 pixels.
  const RECT r = RectOf(host.Strip());
  EXPECT_EQ(r.right - r.left, 7 * 90 + 26);
  EXPECT_EQ(r.bottom - r.top, 95);
  Sleep(300);
  const wintest::Pixels strip = wintest::GrabScreen(host.Strip());
  wintest::SavePng(strip, L"tipstrip_program_tools.png");
  // The notepad icon is drawn in its button: more than one colour where the icon goes.
  const POINT first = ButtonAt(2, 7, 0);
  std::set<uint32_t> colours;
  for (int y = first.y - 40; y < first.y - 10; ++y) {
    for (int x = first.x - 25; x < first.x + 25; ++x) colours.insert(strip.At(x, y));
  }
  EXPECT_GT(colours.size(), 4u);

  // A click on the recorder's button starts it.
  Click(host.Strip(), ButtonAt(2, 7, 1));
  EXPECT_TRUE(
      Poll([&] { return testsupport::ReadFileBytes(host.Folder() + L"started.txt") == "started\n"; }, 10000));
}

}  // namespace
}  // namespace striptest
