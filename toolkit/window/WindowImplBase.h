#pragma once
// The base of every client window: builds the window's control tree from its layout file when
// the native window is created, dispatches its messages, drags it by the caption area, clips it
// to its region, routes notifications through the notification map and filters its keys.
#include <windows.h>

#include <vector>

#include "model/DialogBuilderCallback.h"
#include "window/NotifyPump.h"
#include "window/PaintManager.h"
#include "window/WindowWnd.h"

namespace ui {

class WindowImplBase : public CWindowWnd,
                       public CNotifyPump,
                       public INotifyUI,
                       public IMessageFilterUI,
                       public IDialogBuilderCallback {
 public:
  WindowImplBase() = default;
  ~WindowImplBase() override;

  void OnWindowDestroyed(HWND hwnd) override;
  LRESULT OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

  // The virtual operations of the window base, in the order derived windows rely on.
  virtual void OnInit();
  virtual void OnClick(UiNotification& msg);
  virtual LPCWSTR SkinFile() = 0;
  virtual bool OnDefaultKey(WPARAM key);
  virtual LRESULT OnClose(UINT msg, WPARAM wParam, LPARAM lParam, bool& handled);
  virtual LRESULT OnDestroy(UINT msg, WPARAM wParam, LPARAM lParam, bool& handled);
  virtual LRESULT OnNcActivate(UINT msg, WPARAM wParam, LPARAM lParam, bool& handled);
  virtual LRESULT OnNcCalcSize(UINT msg, WPARAM wParam, LPARAM lParam, bool& handled);
  virtual LRESULT OnNcPaint(UINT msg, WPARAM wParam, LPARAM lParam, bool& handled);
  virtual bool IsCaptionControl(CControlUI* control);
  virtual LRESULT OnNcHitTest(UINT msg, WPARAM wParam, LPARAM lParam, bool& handled);
  virtual LRESULT OnGetMinMaxInfo(UINT msg, WPARAM wParam, LPARAM lParam, bool& handled);
  virtual LRESULT OnMouseWheel(UINT msg, WPARAM wParam, LPARAM lParam, bool& handled);
  virtual LRESULT OnMouseHover(UINT msg, WPARAM wParam, LPARAM lParam, bool& handled);
  virtual LRESULT OnSize(UINT msg, WPARAM wParam, LPARAM lParam, bool& handled);
  virtual LRESULT OnChar(UINT msg, WPARAM wParam, LPARAM lParam, bool& handled);
  virtual LRESULT OnSysCommand(UINT msg, WPARAM wParam, LPARAM lParam, bool& handled);
  virtual LRESULT OnCreate(UINT msg, WPARAM wParam, LPARAM lParam, bool& handled);
  virtual LRESULT OnKeyDown(UINT msg, WPARAM wParam, LPARAM lParam, bool& handled);
  virtual LRESULT OnKillFocus(UINT msg, WPARAM wParam, LPARAM lParam, bool& handled);
  virtual LRESULT OnSetFocus(UINT msg, WPARAM wParam, LPARAM lParam, bool& handled);
  virtual LRESULT OnLButtonDown(UINT msg, WPARAM wParam, LPARAM lParam, bool& handled);
  virtual LRESULT OnLButtonUp(UINT msg, WPARAM wParam, LPARAM lParam, bool& handled);
  virtual LRESULT OnMouseMove(UINT msg, WPARAM wParam, LPARAM lParam, bool& handled);
  virtual LRESULT OnCustomMessage(UINT msg, WPARAM wParam, LPARAM lParam, bool& handled);
  virtual LONG WindowStyle() const;

  // CNotifyPump, INotifyUI, IMessageFilterUI, IDialogBuilderCallback.
  const std::vector<NotifyEntry>& NotifyMap() const override;
  void Notify(UiNotification& msg) override;
  LRESULT PreFilterMessage(UINT msg, WPARAM wParam, LPARAM lParam, bool& handled) override;
  CControlUI* CreateCustomControl(const wchar_t* elementName) override;

  PaintManager& GetPaintManager() { return paintManager_; }

 protected:
  PaintManager paintManager_;
};

// The caption class test: true when the control and every ancestor are plain labels or layouts.
bool IsCaptionClass(CControlUI* control);
// The caption test for a client point: HTCAPTION or HTCLIENT (the size box aside).
LRESULT CaptionHitTest(const PaintManager& manager, POINT client, const RECT& clientRect,
                       bool (*isCaption)(void* context, CControlUI* control), void* context);

}  // namespace ui
