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

  void SetFocus(CControlUI* control) { focus_ = control; }
  CControlUI* GetFocus() const { return focus_; }

  // Layout bookkeeping: controls ask for a new pass; LayoutRoot places the root over the client
  // area and its layouts place everything below it.
  void NeedUpdate() { needUpdate_ = true; }
  bool IsUpdateNeeded() const { return needUpdate_; }
  void LayoutRoot(const Rect& client);

 private:
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
