#pragma once
// The per-window manager: the control tree, the window's fonts, default attribute lists, window
// attributes and decoded images. This part carries no native resources; the window side adds the
// native window, painting and input on top of it.
#include <windows.h>

#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "Control.h"
#include "ImageData.h"
#include "SkinPackage.h"
#include "UiTypes.h"

namespace ui {

class WindowSide;
class FontEntry;
class INotifyUI;
class IMessageFilterUI;

struct FontInfo {
  std::wstring face;
  int size = 12;  // character height in pixels
  bool bold = false;
  bool underline = false;
  bool italic = false;
};

// The attributes of a layout file's "Window" element.
struct WindowAttributes {
  Size size;  // initial outer size; 0,0 when not given
  bool hasCaption = false;
  Rect caption;  // bottom -1: the full height
  Rect sizeBox;
  Size roundCorner;  // 0,0: square corners
  Size minInfo;      // 0 sides are not applied
  Size maxInfo;
  bool bkTrans = false;
  bool gdiplusText = false;
  bool showShadow = false;
  int shadowSize = 0;
};

class PaintManager {
 public:
  explicit PaintManager(const SkinPackage& package = GetSkinPackage());
  ~PaintManager();
  PaintManager(const PaintManager&) = delete;
  PaintManager& operator=(const PaintManager&) = delete;

  const SkinPackage& GetPackage() const { return package_; }

  // The native window, once there is one; window attributes such as `size` are then applied to
  // it at once.
  void SetPaintWindow(HWND window) { window_ = window; }
  HWND GetPaintWindow() const { return window_; }

  // One attribute of a "Window" element; unknown names are ignored (false).
  bool SetWindowAttribute(std::wstring_view name, std::wstring_view value);
  const WindowAttributes& GetWindowAttributes() const { return windowAttributes_; }

  // Fonts are numbered from 0 in the order they are added.
  int AddFont(const FontInfo& font, bool makeDefault);
  int GetFontCount() const { return static_cast<int>(fonts_.size()); }
  // The font of a number; -1 or an unknown number gives the default font (null when the window
  // has no fonts at all).
  const FontInfo* GetFont(int index) const;
  int GetDefaultFontIndex() const { return defaultFont_; }

  // Attribute lists applied to every control made from an element of that name (compared
  // without regard to case) before its own attributes.
  void AddDefaultAttributeList(std::wstring_view elementName, std::wstring_view list);
  const std::wstring* GetDefaultAttributeList(std::wstring_view elementName) const;
  size_t GetDefaultAttributeListCount() const { return defaults_.size(); }

  // A decoded image of the package (or the disk); decoded once per window.
  ImagePtr GetImage(std::wstring_view path);
  size_t GetImageCount() const { return images_.Size(); }

  // Takes the built tree; every control joins the manager and gets OnAttach. False (and the
  // tree is dropped) for a null root.
  bool AttachRoot(std::unique_ptr<CControlUI> root);
  CControlUI* GetRoot() const { return root_.get(); }
  bool IsAttached() const { return root_ != nullptr; }
  // The first control of that name in document order, or null.
  CControlUI* FindControl(std::wstring_view name) const;

  // Makes a control (and its subtree) part of this window under a parent; in an attached tree
  // each control gets OnAttach. Called by containers when a child is added.
  void InitControls(CControlUI* control, CControlUI* parent);
  // A control is about to be deleted: forget references to it and its subtree.
  void ReleaseControl(CControlUI* control);

  // Gives a control the focus; with a window, the old and new focus get their focus events.
  void SetFocus(CControlUI* control);
  CControlUI* GetFocus() const { return focus_; }

  // Layout bookkeeping: controls ask for a new pass; LayoutRoot places the root over the client
  // area and its layouts place everything below it.
  // With a window, the next paint lays the tree out again.
  void NeedUpdate();
  bool IsUpdateNeeded() const { return needUpdate_; }
  void LayoutRoot(const Rect& client);

  // ---- Window side (toolkit/window/PaintManagerWindow.cpp) ----
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
  void SendNotify(CControlUI* sender, const wchar_t* type, WPARAM wParam = 0, LPARAM lParam = 0);
  // Repaints (part of) the window; only invalidation paints.
  void Invalidate();
  void Invalidate(const Rect& rect);
  // Control timers: native window timers with ids 1 to 239 handed out in turn; the control gets
  // UIEVENT_TIMER with its own key.
  bool SetTimer(CControlUI* control, UINT key, UINT elapseMs);
  bool KillTimer(CControlUI* control, UINT key);
  void KillTimers(CControlUI* control);
  // The caret blink timer (id 241) of the focused input.
  bool SetCaretTimer(UINT elapseMs);
  void KillCaretTimer();
  // Lays the tree out over the client area now when a pass is pending.
  void EnsureLayout();
  // The visible control under a point of the client area, deepest first, or null.
  CControlUI* FindControl(POINT point) const;
  CControlUI* GetCapture() const;
  // The GDI font of a font number (-1 or unknown: the default; a fallback when there is none).
  const FontEntry* GetFontEntry(int index);
  // Windows with `bktrans` are layered and painted with per-pixel alpha.
  bool IsLayered() const;
  // The native window is gone: its timers, filters, notifiers and mouse state are dropped.
  void ReleaseWindow();
  // Drops the window side's references (hover, capture, timers) to a subtree about to go.
  void ForgetWindowRefs(CControlUI* control);

 private:
  std::shared_ptr<WindowSide> windowSide_;
  const SkinPackage& package_;
  HWND window_ = nullptr;
  WindowAttributes windowAttributes_;
  std::vector<FontInfo> fonts_;
  int defaultFont_ = -1;
  std::vector<std::pair<std::wstring, std::wstring>> defaults_;
  ImageCache images_;
  std::unique_ptr<CControlUI> root_;
  CControlUI* focus_ = nullptr;
  bool needUpdate_ = true;
};

}  // namespace ui
