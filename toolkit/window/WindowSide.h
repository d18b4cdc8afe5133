#pragma once
// The native state a PaintManager keeps for its window: back buffer, notifiers and filters,
// control timers, mouse tracking and the shadow window.
#include <windows.h>

#include <memory>
#include <vector>

#include "render/DibSurface.h"
#include "window/ShadowWindow.h"
#include "window/TimerIds.h"

namespace ui {

class CControlUI;
class INotifyUI;
class IMessageFilterUI;

// Posted to a layered window to repaint it: such windows never receive WM_PAINT.
constexpr UINT WM_ORV_LAYERED_PAINT = WM_APP + 0x3A1;

class WindowSide {
 public:
  struct ControlTimer {
    CControlUI* control;
    UINT key;
    UINT id;
  };

  HWND hwnd = nullptr;
  DibSurface surface;
  std::vector<INotifyUI*> notifiers;
  std::vector<IMessageFilterUI*> filters;
  std::vector<ControlTimer> timers;
  UINT nextTimerId = kFirstControlTimerId;
  CControlUI* hover = nullptr;
  CControlUI* capture = nullptr;
  bool trackingMouse = false;
  bool layered = false;
  bool layeredPaintPosted = false;
  // A layered paint that came while the window was hidden: drawn when it is shown.
  bool layeredPaintDeferred = false;
  bool caretTimer = false;
  CShadowUI shadow;
  bool hasShadow = false;
};

// The next free control timer id after `last`, wrapping from the last id of the control range to
// the first; 0 when all are taken.
UINT NextControlTimerId(const std::vector<WindowSide::ControlTimer>& timers, UINT last);

}  // namespace ui
