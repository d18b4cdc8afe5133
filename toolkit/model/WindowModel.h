#pragma once
// What a layout file gives a window, without the window: the attributes of its "Window" element,
// its fonts and default attribute lists, and the control tree with its focus and layout state.
//
// The controls reach their window through the virtual operations at the end (repaint, notify,
// timers, focus events, painting of plain controls). Here they do nothing, so a tree can be
// built, laid out and inspected without a window; the PaintManager carries them out on its
// native window.
#include <windows.h>

#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "model/Control.h"
#include "model/SkinPackage.h"
#include "model/UiTypes.h"

namespace ui {

class Canvas;

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

class WindowModel {
 public:
  explicit WindowModel(const SkinPackage& package = GetSkinPackage());
  virtual ~WindowModel();
  WindowModel(const WindowModel&) = delete;
  WindowModel& operator=(const WindowModel&) = delete;

  const SkinPackage& GetPackage() const { return package_; }

  // The native window, once there is one (null in a tree without a window).
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

  CControlUI* GetFocus() const { return focus_; }

  // Layout bookkeeping: controls ask for a new pass; LayoutRoot places the root over the client
  // area and its layouts place everything below it.
  virtual void NeedUpdate();
  bool IsUpdateNeeded() const { return needUpdate_; }
  void LayoutRoot(const Rect& client);

  // ---- What the window does for its tree; nothing without a window ----
  // A new control of the toolkit class for a layout element name (compared without regard to
  // case), or null. Here the layouts and plain controls; a window adds the standard controls.
  virtual std::unique_ptr<CControlUI> CreateControl(std::wstring_view elementName);
  // An "Image" element names an image to decode ahead of its first use.
  virtual void PreloadImage(std::wstring_view path);
  // The `size` attribute was set; a window applies it to itself at once.
  virtual void ApplyWindowSize(Size size);
  // Gives a control the focus; a window sends the old and new focus their focus events.
  virtual void SetFocus(CControlUI* control);
  // Repaints (part of) the window.
  virtual void Invalidate(const Rect& rect);
  virtual void SendNotify(CControlUI* sender, const wchar_t* type, WPARAM wParam = 0, LPARAM lParam = 0);
  // Control timers: the control gets UIEVENT_TIMER with its own key.
  virtual bool SetTimer(CControlUI* control, UINT key, UINT elapseMs);
  virtual bool KillTimer(CControlUI* control, UINT key);
  virtual void KillTimers(CControlUI* control);
  // The caret blink timer of the focused input.
  virtual bool SetCaretTimer(UINT elapseMs);
  virtual void KillCaretTimer();
  // The arrow cursor, for controls without a cursor of their own.
  virtual void ShowArrowCursor();
  // The look of a control without one of its own: background, children, border.
  virtual void PaintControl(CControlUI& control, Canvas& canvas);
  // Drops the window's references (hover, capture, timers) to a subtree about to go.
  virtual void ForgetWindowRefs(CControlUI* control);

 protected:
  void SetFocusControl(CControlUI* control) { focus_ = control; }

 private:
  const SkinPackage& package_;
  HWND window_ = nullptr;
  WindowAttributes windowAttributes_;
  std::vector<FontInfo> fonts_;
  int defaultFont_ = -1;
  std::vector<std::pair<std::wstring, std::wstring>> defaults_;
  std::unique_ptr<CControlUI> root_;
  CControlUI* focus_ = nullptr;
  bool needUpdate_ = true;
};

}  // namespace ui
