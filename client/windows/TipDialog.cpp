#include "TipDialog.h"

#include <shellapi.h>

#include "CallDialog.h"
#include "ClientLog.h"
#include "ClientMessages.h"
#include "IconFileName.h"
#include "LeaveDialog.h"
#include "ModulePath.h"
#include "ProgramIcon.h"
#include "SongDialog.h"
#include "StripPlacement.h"
#include "TextConvert.h"
#include "TipBtn.h"
#include "VenueProfile.h"
#include "WindowTimers.h"
#include "model/Layouts.h"
#include "window/DesktopOwner.h"
#include "window/WindowSide.h"

namespace {

enum ToolTag : UINT_PTR {
  TAG_CALL = 1,
  TAG_MESSAGE = 2,
  TAG_SHOP = 3,
  TAG_KARAOKE = 4,
  TAG_PROGRAM = 11,
};

struct BuiltInTool {
  const wchar_t* name;
  const wchar_t* icon;
  UINT_PTR tag;
};

const BuiltInTool kBuiltInTools[] = {
    {L"呼叫网管", L"icon_call.png", TAG_CALL},
    {L"网吧留言", L"icon_msg.png", TAG_MESSAGE},
    {L"商品点购", L"icon_shop.png", TAG_SHOP},
    {L"点歌申请", L"icon_music.png", TAG_KARAOKE},
};

// An attribute text of the skin's kind holds at most this many characters.
const size_t kMaxAttributeLength = 259;

// Paint requests drawn so far (see OnMessage).
int g_paintsPassed = 0;

// The icon cache beside the client; the client's own folder when it can be neither made nor found.
std::wstring IconFolder() {
  const std::wstring dir = GetModuleDir();
  const std::wstring folder = dir + L"image\\";
  if (CreateDirectoryW(folder.c_str(), nullptr) || GetLastError() == ERROR_ALREADY_EXISTS) return folder;
  return dir;
}

template <typename Dialog>
void ShowWebDialog(Dialog*& dialog, const wchar_t* title) {
  if (dialog == nullptr) dialog = new Dialog;
  // A dialog whose window the system closed (Alt+F4) is made again: its button never goes dead.
  if (dialog->GetHWND() == nullptr || !IsWindow(dialog->GetHWND())) {
    dialog->Create(nullptr, title, WS_CAPTION, WS_EX_TOOLWINDOW, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                   CW_USEDEFAULT);
  }
  dialog->Show(true, true);
}

}  // namespace

ui::CControlUI* TipDialog::CreateCustomControl(const wchar_t* elementName) {
  if (elementName != nullptr && CompareStringOrdinal(elementName, -1, L"TipBtn", -1, TRUE) == CSTR_EQUAL)
    return new TipBtn;
  return nullptr;
}

LRESULT TipDialog::OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_PAINT:
      // Only the first two paints are drawn; later ones are only validated. The strip is
      // translucent and paints through the toolkit's layered path, where WM_PAINT draws nothing
      // either way: what keeps hovering from changing the screen there is that its buttons
      // neither draw a hover state nor ask for a repaint (TipBtn).
      if (g_paintsPassed < 2) {
        ++g_paintsPassed;
        break;
      }
      {
        PAINTSTRUCT ps;
        BeginPaint(hwnd_, &ps);
        EndPaint(hwnd_, &ps);
      }
      return 0;
    case WM_TIMER:
      // Only the strip's own timer: other ids belong to its controls.
      if (wParam != TIMER_DESKTOP_OWNER) break;
      ::KillTimer(hwnd_, wParam);
      SetDesktopOwner(hwnd_);
      return 0;
    case WM_GETMINMAXINFO: {
      // The window base limits windows to the work area; a long strip keeps its length and
      // overflows the edges instead, as it is placed.
      const LRESULT result = WindowImplBase::OnMessage(msg, wParam, lParam);
      auto* info = reinterpret_cast<MINMAXINFO*>(lParam);
      if (info->ptMaxTrackSize.x < width_) info->ptMaxTrackSize.x = width_;
      if (info->ptMaxTrackSize.y < height_) info->ptMaxTrackSize.y = height_;
      return result;
    }
    default:
      break;
  }
  return WindowImplBase::OnMessage(msg, wParam, lParam);
}

void TipDialog::OnInit() {
  toolList_ = static_cast<ui::CTileLayoutUI*>(
      GetPaintManager().FindControl(L"TipList") != nullptr
          ? GetPaintManager().FindControl(L"TipList")->InterfaceFor(L"TileLayout")
          : nullptr);
  AddButtons();
  PlaceStrip();
  ::SetTimer(hwnd_, TIMER_DESKTOP_OWNER, 100, nullptr);
  SetWindowPos(hwnd_, nullptr, x_, y_, width_, height_, SWP_NOZORDER);
}

void TipDialog::AddButtons() {
  if (toolList_ == nullptr) {
    Show(false, true);
    return;
  }
  const std::vector<ToolEntry> tools = GetVenueProfile().client_toolbar;
  for (const ToolEntry& tool : tools) {
    if (!tool.open) continue;
    if (tool.type == 0) {
      AddBuiltInButton(tool);
    } else if (tool.type == 1) {
      AddProgramButton(tool);
    }
  }
}

void TipDialog::AddBuiltInButton(const ToolEntry& tool) {
  const std::wstring name = Utf8ToWide(tool.name);
  for (const BuiltInTool& builtIn : kBuiltInTools) {
    if (CompareStringOrdinal(name.c_str(), -1, builtIn.name, -1, TRUE) != CSTR_EQUAL) continue;
    AddButton(name, std::wstring(L"file='UI/") + builtIn.icon + L"' dest='10,10,64,64'", builtIn.tag,
              std::wstring());
    return;
  }
}

void TipDialog::AddProgramButton(const ToolEntry& tool) {
  if (tool.name.empty() || tool.path.empty()) return;
  const std::wstring name = Utf8ToWide(tool.name);
  const std::wstring path = Utf8ToWide(tool.path);
  // The name comes from the service: it names the file only after IconFileName made it safe.
  const std::wstring png = IconFolder() + IconFileName(name);
  if (!ProgramIconToPng(path, png)) {
    LogDebug("tool icon not converted: " + tool.name);
    return;
  }
  std::wstring image = L"file='" + png + L"' dest='5,5,69,69'";
  if (image.size() > kMaxAttributeLength) {
    // Cut, it would name another file: the button goes without its icon.
    LogDebug("tool icon path too long: " + tool.name);
    image.clear();
  }
  AddButton(name, image, TAG_PROGRAM, path);
}

void TipDialog::AddButton(const std::wstring& name, const std::wstring& image, UINT_PTR tag,
                          const std::wstring& program) {
  auto* button = new TipBtn;
  button->SetFixedWidth(70);
  button->SetFixedHeight(90);
  button->SetBkImage(image);
  button->SetTextColor(0xFFFFFFFF);
  button->SetText(name);
  button->SetTextPadding(ui::Rect{0, 65, 0, 0});
  button->SetTag(tag);
  if (!program.empty()) button->SetProgram(program);
  toolList_->Add(button);
  ++buttonCount_;
}

void TipDialog::PlaceStrip() {
  MONITORINFO monitor{};
  monitor.cbSize = sizeof monitor;
  GetMonitorInfoW(MonitorFromWindow(hwnd_, MONITOR_DEFAULTTONEAREST), &monitor);
  const RECT& work = monitor.rcWork;
  const StripPlacement p = ::PlaceStrip(GetVenueProfile().client_position, buttonCount_,
                                        work.right - work.left, work.bottom - work.top);
  x_ = p.x;
  y_ = p.y;
  width_ = p.width;
  height_ = p.height;
  if (p.across && toolList_ != nullptr) {
    toolList_->SetColumns(buttonCount_);
    toolList_->SetPadding(ui::Rect{10, 0, 10, 0});
  }
}

void TipDialog::OnClick(ui::UiNotification& msg) {
  if (msg.pSender == nullptr) return;
  switch (msg.pSender->GetTag()) {
    case TAG_CALL:
      ShowWebDialog(callDialog_, L"呼叫网管");
      break;
    case TAG_MESSAGE:
      ShowWebDialog(leaveDialog_, L"网吧留言");
      break;
    case TAG_SHOP:
      if (MainFrameHwnd != nullptr) PostMessageW(MainFrameHwnd, WM_MF_CHANGE_BIG_WINDOW, 1, 0);
      break;
    case TAG_KARAOKE:
      ShowWebDialog(songDialog_, L"点歌台");
      break;
    case TAG_PROGRAM: {
      auto* button = static_cast<TipBtn*>(msg.pSender->InterfaceFor(L"TipBtn"));
      if (button != nullptr && !button->ProgramPath().empty()) {
        ShellExecuteW(nullptr, L"open", button->ProgramPath().c_str(), nullptr, nullptr, SW_SHOW);
      }
      break;
    }
    default:
      break;
  }
}
