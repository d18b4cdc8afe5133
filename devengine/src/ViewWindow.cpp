// The view's own window: a plain page rendering (title, text, one push button per script
// call) with vertical scrolling, and the receiver of loading results and control requests.
#include <windows.h>

#include <algorithm>

#include "DevEngineProtocol.h"
#include "Engine.h"
#include "Handles.h"
#include "ScriptValue.h"
#include "Text.h"

namespace devengine {
namespace {

constexpr int kMargin = 12;
constexpr int kGap = 8;
constexpr int kButtonIdBase = 1000;

HFONT Font(int index) {
  Engine& engine = GetEngine();
  if (!engine.fonts[index]) {
    NONCLIENTMETRICSW metrics = {};
    metrics.cbSize = sizeof metrics;
    LOGFONTW font = {};
    if (SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0)) {
      font = metrics.lfMessageFont;
    } else {
      GetObjectW(GetStockObject(DEFAULT_GUI_FONT), sizeof font, &font);
    }
    if (font.lfHeight == 0) font.lfHeight = -12;
    if (index >= 1) font.lfWeight = FW_BOLD;
    if (index == 2) font.lfHeight = font.lfHeight * 3 / 2;
    engine.fonts[index].Reset(CreateFontIndirectW(&font));
  }
  return engine.fonts[index] ? static_cast<HFONT>(engine.fonts[index].Get())
                             : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
}

View* ViewOf(HWND hwnd) { return reinterpret_cast<View*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA)); }

SIZE MeasureText(HDC dc, int font, const std::wstring& text, int width) {
  SelectObject(dc, Font(font));
  RECT rect = {0, 0, std::max(width, 1), 0};
  DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &rect, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
  return SIZE{rect.right - rect.left, rect.bottom - rect.top};
}

void UpdateScrollBar(View* view, int clientHeight) {
  int maxScroll = std::max(0, view->contentHeight - clientHeight);
  view->scrollY = std::min(std::max(view->scrollY, 0), maxScroll);
  SCROLLINFO info = {};
  info.cbSize = sizeof info;
  info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
  info.nMin = 0;
  info.nMax = std::max(view->contentHeight - 1, 0);
  info.nPage = static_cast<UINT>(std::max(clientHeight, 0));
  info.nPos = view->scrollY;
  SetScrollInfo(view->hwnd, SB_VERT, &info, TRUE);
}

void Paint(View* view) {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(view->hwnd, &ps);
  if (!dc) return;
  RECT client;
  GetClientRect(view->hwnd, &client);
  FillRect(dc, &client, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  SetBkMode(dc, TRANSPARENT);
  HGDIOBJ old = SelectObject(dc, Font(0));
  for (const ShownText& item : view->texts) {
    RECT rect = item.rect;
    OffsetRect(&rect, 0, -view->scrollY);
    if (rect.bottom < 0 || rect.top > client.bottom) continue;
    SelectObject(dc, Font(item.font));
    SetTextColor(dc, item.font == 2 ? RGB(0x20, 0x40, 0x80) : RGB(0, 0, 0));
    DrawTextW(dc, item.text.c_str(), static_cast<int>(item.text.size()), &rect, DT_WORDBREAK | DT_NOPREFIX);
  }
  SelectObject(dc, old);
  EndPaint(view->hwnd, &ps);
}

void OnButton(View* view, int id) {
  size_t index = static_cast<size_t>(id - kButtonIdBase);
  if (index >= view->page.blocks.size()) return;
  // Copies: the function may reload the page or load another one, which replaces the blocks.
  PageBlock block = view->page.blocks[index];
  if (block.kind != PageBlock::Button) return;
  jsValue result = 0;
  std::string error;
  if (!CallFromText(view, block.function + "(" + block.arguments + ")", &result, &error)) {
    view->lastCall = block.function + ": " + error;
  }
}

LRESULT CALLBACK ViewProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  try {
    if (message == WM_NCCREATE) {
      auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
      auto* view = static_cast<View*>(create->lpCreateParams);
      SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(view));
      view->hwnd = hwnd;
      return DefWindowProcW(hwnd, message, wParam, lParam);
    }
    View* view = ViewOf(hwnd);
    if (!view) return DefWindowProcW(hwnd, message, wParam, lParam);
    switch (message) {
      case kLoadDoneMessage:
        DeliverLoads(view);
        return 0;
      case WM_COPYDATA:
        return HandleControlRequest(view, reinterpret_cast<HWND>(wParam),
                                    reinterpret_cast<const COPYDATASTRUCT*>(lParam));
      case WM_PAINT:
        Paint(view);
        return 0;
      case WM_SIZE:
        LayoutPage(view);
        return 0;
      case WM_COMMAND:
        if (HIWORD(wParam) == BN_CLICKED) OnButton(view, LOWORD(wParam));
        return 0;
      case WM_VSCROLL: {
        RECT client;
        GetClientRect(hwnd, &client);
        int page = std::max<int>(client.bottom - 40, 20);
        switch (LOWORD(wParam)) {
          case SB_LINEUP:
            ScrollBy(view, -20);
            break;
          case SB_LINEDOWN:
            ScrollBy(view, 20);
            break;
          case SB_PAGEUP:
            ScrollBy(view, -page);
            break;
          case SB_PAGEDOWN:
            ScrollBy(view, page);
            break;
          case SB_THUMBTRACK:
          case SB_THUMBPOSITION: {
            SCROLLINFO info = {};
            info.cbSize = sizeof info;
            info.fMask = SIF_TRACKPOS;
            GetScrollInfo(hwnd, SB_VERT, &info);
            ScrollBy(view, info.nTrackPos - view->scrollY);
            break;
          }
          default:
            break;
        }
        return 0;
      }
      case WM_MOUSEWHEEL:
        ScrollBy(view, -GET_WHEEL_DELTA_WPARAM(wParam) * 40 / WHEEL_DELTA);
        return 0;
      case WM_LBUTTONDOWN:
        SetFocus(hwnd);
        return 0;
      case WM_NCDESTROY:
        // The view outlives its window: the host may still hold the handle and call in.
        view->hwnd = nullptr;
        view->buttons.clear();
        view->buttonRects.clear();
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
        return DefWindowProcW(hwnd, message, wParam, lParam);
      default:
        break;
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
  } catch (...) {
    return 0;
  }
}

}  // namespace

bool RegisterViewClass() {
  Engine& engine = GetEngine();
  if (engine.classRegistered) return true;
  WNDCLASSEXW wc = {};
  wc.cbSize = sizeof wc;
  wc.style = CS_DBLCLKS;
  wc.lpfnWndProc = ViewProc;
  wc.hInstance = engine.module;
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
  wc.lpszClassName = kViewClassName;
  engine.classRegistered = RegisterClassExW(&wc) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
  return engine.classRegistered;
}

HWND CreateViewWindow(View* view, wkeWindowType type, HWND parent, int x, int y, int width, int height) {
  if (!RegisterViewClass()) return nullptr;
  DWORD style = WS_CLIPCHILDREN | WS_CLIPSIBLINGS | WS_VSCROLL;
  if (type == WKE_WINDOW_TYPE_CONTROL) {
    if (!parent) return nullptr;
    style |= WS_CHILD;
  } else {
    style |= WS_OVERLAPPEDWINDOW;
  }
  return CreateWindowExW(0, kViewClassName, L"", style, x, y, width, height, parent, nullptr,
                         GetEngine().module, view);
}

void ShowPage(View* view) {
  if (!view->hwnd) return;
  for (HWND button : view->buttons) {
    if (button) DestroyWindow(button);
  }
  view->buttons.assign(view->page.blocks.size(), nullptr);
  view->buttonRects.assign(view->page.blocks.size(), RECT{0, 0, 0, 0});
  view->scrollY = 0;
  for (size_t i = 0; i < view->page.blocks.size(); ++i) {
    const PageBlock& block = view->page.blocks[i];
    if (block.kind != PageBlock::Button) continue;
    HWND button = CreateWindowExW(
        0, L"BUTTON", block.text.c_str(), WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, 0, 0, 10, 10,
        view->hwnd, reinterpret_cast<HMENU>(static_cast<INT_PTR>(kButtonIdBase + static_cast<int>(i))),
        GetEngine().module, nullptr);
    if (button) SendMessageW(button, WM_SETFONT, reinterpret_cast<WPARAM>(Font(0)), FALSE);
    view->buttons[i] = button;
  }
  LayoutPage(view);
}

void LayoutPage(View* view) {
  if (!view->hwnd) return;
  RECT client;
  GetClientRect(view->hwnd, &client);
  int width = std::max<int>(client.right - kMargin * 2, 40);
  WindowDc windowDc(view->hwnd);
  HDC dc = windowDc.Get();
  if (!dc) return;
  HGDIOBJ oldFont = SelectObject(dc, Font(0));
  view->texts.clear();
  int y = kMargin;
  auto addText = [&](const std::wstring& text, int font) {
    SIZE size = MeasureText(dc, font, text, width);
    view->texts.push_back(ShownText{RECT{kMargin, y, kMargin + width, y + size.cy}, text, font});
    y += size.cy + kGap;
  };
  if (!view->page.title.empty()) addText(view->page.title, 2);
  int rowX = kMargin;
  int rowHeight = 0;
  auto endRow = [&]() {
    if (rowHeight > 0) y += rowHeight + kGap;
    rowX = kMargin;
    rowHeight = 0;
  };
  for (size_t i = 0; i < view->page.blocks.size(); ++i) {
    const PageBlock& block = view->page.blocks[i];
    if (block.kind != PageBlock::Button) {
      endRow();
      addText(block.text, block.kind == PageBlock::Heading ? 1 : 0);
      continue;
    }
    SIZE label = MeasureText(dc, 0, block.text, 10000);
    int w = std::min<int>(label.cx + 28, width);
    int h = label.cy + 14;
    if (rowX > kMargin && rowX + w > kMargin + width) endRow();
    view->buttonRects[i] = RECT{rowX, y, rowX + w, y + h};
    rowX += w + kGap;
    rowHeight = std::max(rowHeight, h);
  }
  endRow();
  SelectObject(dc, oldFont);
  view->contentHeight = y + kMargin;
  UpdateScrollBar(view, client.bottom);
  for (size_t i = 0; i < view->buttons.size(); ++i) {
    if (!view->buttons[i]) continue;
    const RECT& r = view->buttonRects[i];
    MoveWindow(view->buttons[i], r.left, r.top - view->scrollY, r.right - r.left, r.bottom - r.top, TRUE);
  }
  InvalidateRect(view->hwnd, nullptr, TRUE);
}

void ScrollBy(View* view, int dy) {
  if (!view->hwnd || dy == 0) return;
  view->scrollY += dy;
  LayoutPage(view);
}

}  // namespace devengine
