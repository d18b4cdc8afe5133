#pragma once
// The per-window manager: the window's model (tree, fonts, default lists, window attributes) on
// its native window, with painting, layout passes, input routing to the controls, notifications,
// key filters, control timers and the decoded images the window draws.
#include <windows.h>

#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>

#include "model/WindowModel.h"
#include "render/ImageData.h"

namespace ui {

class WindowSide;
class FontEntry;
class INotifyUI;
class IMessageFilterUI;

class PaintManager : public WindowModel {
 public:
  explicit PaintManager(const SkinPackage& package = GetSkinPackage());
  ~PaintManager() override;

  // A decoded image of the package (or the disk). Package images are decoded once per process
  // and shared by every window; the window keeps what it drew for its next paint.
  ImagePtr GetImage(std::wstring_view path);
  size_t GetImageCount() const { return images_.size(); }

  // Binds the manager to its native window before the tree is built (`size` applies at once).
  void Init(HWND window);
  // After the tree is attached: layered background, shadow, region and the first paint.
  void InitWindowSide();
  // The window's messages that the manager takes (painting, layout, input for the controls,
  // notifications, mininfo/maxinfo, control timers); false leaves the message to the caller.
  bool MessageHandler(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result);
  // Offers a queued message to the key filters of the window it is for; true when one took it.
  static bool TranslateMessage(const MSG& msg);
  void AddPreMessageFilter(IMessageFilterUI* filter);
  void RemovePreMessageFilter(IMessageFilterUI* filter);
  void AddNotifier(INotifyUI* notifier);
  void RemoveNotifier(INotifyUI* notifier);
  // Repaints the whole window; only invalidation paints.
  void Invalidate();
  // Lays the tree out over the client area now when a pass is pending.
  void EnsureLayout();
  // The control under a point of the client area that takes the mouse, deepest first, or null:
  // visible, inside an enabled subtree, and mouse-enabled itself.
  CControlUI* FindControl(POINT point) const;
  using WindowModel::FindControl;
  CControlUI* GetCapture() const;
  // The GDI font of a font number (-1 or unknown: the default; a fallback when there is none).
  const FontEntry* GetFontEntry(int index) const;
  // Windows with `bktrans` are layered and painted with per-pixel alpha.
  bool IsLayered() const;
  // The native window is gone: its timers, filters, notifiers and mouse state are dropped.
  void ReleaseWindow();

  // What the window does for its tree (see WindowModel).
  std::unique_ptr<CControlUI> CreateControl(std::wstring_view elementName) override;
  void PreloadImage(std::wstring_view path) override;
  void ApplyWindowSize(Size size) override;
  void SetFocus(CControlUI* control) override;
  void NeedUpdate() override;
  void Invalidate(const Rect& rect) override;
  void SendNotify(CControlUI* sender, const wchar_t* type, WPARAM wParam = 0, LPARAM lParam = 0) override;
  // Control timers are native timers of the window with ids from the control range (see
  // TimerIds.h), handed out in turn.
  bool SetTimer(CControlUI* control, UINT key, UINT elapseMs) override;
  bool KillTimer(CControlUI* control, UINT key) override;
  void KillTimers(CControlUI* control) override;
  bool SetCaretTimer(UINT elapseMs) override;
  void KillCaretTimer() override;
  void ShowArrowCursor() override;
  void PaintControl(CControlUI& control, Canvas& canvas) override;
  void ForgetWindowRefs(CControlUI* control) override;

 private:
  std::shared_ptr<WindowSide> windowSide_;
  std::unordered_map<std::wstring, ImagePtr> images_;
};

}  // namespace ui
