#include "StripTwin.h"

#include "model/Control.h"
#include "window/StartToolkit.h"

namespace striptest {

void StartToolkitOnce() {
  static const bool started = ui::StartToolkit(GetModuleHandleW(nullptr));
  (void)started;
}

ToolEntry Tool(bool open, int type, const char* utf8Name, const char* utf8Path) {
  ToolEntry tool;
  tool.open = open;
  tool.type = type;
  tool.name = utf8Name;
  tool.path = utf8Path;
  return tool;
}

TipDialog* MakeStrip(int place, const std::vector<ToolEntry>& tools, bool show) {
  StartToolkitOnce();
  GetVenueProfile().client_position = place;
  GetVenueProfile().client_toolbar = tools;
  auto* strip = new TipDialog;
  strip->Create(nullptr, L"Tip", WS_CAPTION, WS_EX_TOOLWINDOW, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                CW_USEDEFAULT);
  if (show) strip->Show(true, true);
  strip->GetPaintManager().EnsureLayout();
  return strip;
}

void DestroyStrip(TipDialog* strip) {
  if (strip == nullptr) return;
  if (strip->GetHWND() != nullptr) DestroyWindow(strip->GetHWND());
  delete strip;
}

std::vector<ui::Rect> ButtonRects(TipDialog& strip) {
  std::vector<ui::Rect> rects;
  strip.GetPaintManager().EnsureLayout();
  ui::CControlUI* list = strip.GetPaintManager().FindControl(L"TipList");
  if (list == nullptr) return rects;
  for (int i = 0; i < list->GetChildCount(); ++i) rects.push_back(list->GetChildAt(i)->GetPos());
  return rects;
}

RECT WorkArea() {
  MONITORINFO monitor{};
  monitor.cbSize = sizeof monitor;
  GetMonitorInfoW(MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY), &monitor);
  return monitor.rcWork;
}

}  // namespace striptest
