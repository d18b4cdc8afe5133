#pragma once
// The base of every toolkit control: identity, attributes, fixed sizes, padding, visibility,
// input states and position. It holds no native resources, so a tree can be built, laid out and
// inspected without a window. What needs the window (repainting, notifications, timers, the look
// of a plain control) goes through its WindowModel, which a PaintManager carries out.
#include <windows.h>

#include <string>
#include <string_view>
#include <vector>

#include "model/ImageDescriptor.h"
#include "model/UiTypes.h"

namespace ui {

class WindowModel;
class Canvas;
struct UiEvent;

class CControlUI {
 public:
  CControlUI() = default;
  virtual ~CControlUI() = default;
  CControlUI(const CControlUI&) = delete;
  CControlUI& operator=(const CControlUI&) = delete;

  // The class text ("ControlUI", "LabelUI", ...); the caption test of a window relies on it.
  virtual std::wstring ClassName() const { return L"ControlUI"; }
  // The control as the named interface, or null. "Control" gives the control itself; containers
  // answer "IContainer" with their IContainer.
  virtual void* InterfaceFor(std::wstring_view name);

  const std::wstring& GetName() const { return name_; }
  void SetName(std::wstring name) { name_ = std::move(name); }
  virtual std::wstring GetText() const { return text_; }
  virtual void SetText(const std::wstring& text);
  UINT_PTR GetTag() const { return tag_; }
  void SetTag(UINT_PTR tag) { tag_ = tag; }

  // Fixed sizes: 0 means flexible (the layout decides).
  int GetFixedWidth() const { return fixedWidth_; }
  int GetFixedHeight() const { return fixedHeight_; }
  void SetFixedWidth(int width);
  void SetFixedHeight(int height);
  const Rect& GetPadding() const { return padding_; }
  void SetPadding(const Rect& padding);
  // The size the control asks of its layout; a 0 side is flexible. `available` is the room the
  // layout offers. The base answers the fixed sizes.
  virtual Size EstimateSize(Size available) const;

  // Placement in window client coordinates, set by the parent's layout (or by the window for
  // the root). Containers lay out their children here.
  const Rect& GetPos() const { return pos_; }
  virtual void SetPos(const Rect& pos);

  // Own visibility (the `visible` attribute) and the one handed down by the ancestors.
  bool IsVisible() const { return visible_ && innerVisible_; }
  bool IsOwnVisible() const { return visible_; }
  bool IsInnerVisible() const { return innerVisible_; }
  virtual void SetVisible(bool visible);
  virtual void SetInnerVisible(bool visible);

  // Input states. A disabled control and everything inside it take no mouse input; a control
  // that is not mouse-enabled is passed over by the mouse, its children are not; keys reach the
  // focused control only when it is enabled and keyboard-enabled; a context-menu request raises
  // the "menu" notification only when the context menu is enabled (off by default).
  bool IsEnabled() const { return enabled_; }
  virtual void SetEnabled(bool enabled);
  bool IsMouseEnabled() const { return mouseEnabled_; }
  void SetMouseEnabled(bool enabled) { mouseEnabled_ = enabled; }
  bool IsKeyboardEnabled() const { return keyboardEnabled_; }
  void SetKeyboardEnabled(bool enabled) { keyboardEnabled_ = enabled; }
  bool IsContextMenuEnabled() const { return contextMenuEnabled_; }
  void SetContextMenuEnabled(bool enabled) { contextMenuEnabled_ = enabled; }

  Color GetBkColor() const { return bkColor_; }
  void SetBkColor(Color color) { bkColor_ = color; }
  const ImageDescriptor& GetBkImage() const { return bkImage_; }
  const std::wstring& GetBkImageText() const { return bkImageText_; }
  void SetBkImage(const std::wstring& descriptor);
  const Rect& GetBorderSize() const { return borderSize_; }
  Color GetBorderColor() const { return borderColor_; }

  // One attribute as written in a layout file. True when the control knows the name (and the
  // value was applied or, being malformed, refused); false for unknown names, which callers
  // ignore. Subclasses handle their own names and pass the rest to their base.
  virtual bool SetAttribute(std::wstring_view name, std::wstring_view value);
  // name="value" pairs (a "Default" list), applied in order.
  void ApplyAttributeList(std::wstring_view list);

  CControlUI* GetParent() const { return parent_; }
  WindowModel* GetManager() const { return manager_; }
  // Joins a window's manager under a parent; containers hand the manager to their children.
  virtual void SetManager(WindowModel* manager, CControlUI* parent);
  // Called once when the control has joined an attached tree.
  virtual void OnAttach() {}
  // Gives the control the window's focus.
  virtual void Focus();

  // Children for tree walks; only containers have any.
  virtual int GetChildCount() const { return 0; }
  virtual CControlUI* GetChildAt(int) const { return nullptr; }

  // The image descriptors the control draws (background, button states...), for preloading.
  virtual void CollectImages(std::vector<const ImageDescriptor*>& out) const;

  // Paints the control's rectangle. The base has no look of its own: its window paints the
  // background, the children and the border.
  virtual void DoPaint(Canvas& canvas);
  // The base handles set-cursor (arrow), focus (repaint), timer ("timer" notification) and
  // context menu ("menu" notification when enabled), and hands other events to the parent.
  virtual void OnEvent(UiEvent& event);
  // Asks the window to repaint the control's rectangle.
  void Invalidate();

  // Asks for a new layout pass of the window.
  void NeedUpdate();
  void NeedParentUpdate();

 private:
  std::wstring name_;
  std::wstring text_;
  UINT_PTR tag_ = 0;
  int fixedWidth_ = 0;
  int fixedHeight_ = 0;
  Rect padding_;
  Rect pos_;
  bool visible_ = true;
  bool innerVisible_ = true;
  bool enabled_ = true;
  bool mouseEnabled_ = true;
  bool keyboardEnabled_ = true;
  bool contextMenuEnabled_ = false;
  Color bkColor_ = 0;
  std::wstring bkImageText_;
  ImageDescriptor bkImage_;
  Rect borderSize_;
  Color borderColor_ = 0;
  CControlUI* parent_ = nullptr;
  WindowModel* manager_ = nullptr;
};

// Calls fn(control) for the control and every descendant, depth-first in document order.
template <typename Fn>
void VisitTree(CControlUI* control, Fn&& fn) {
  if (control == nullptr) return;
  fn(control);
  for (int i = 0; i < control->GetChildCount(); ++i) VisitTree(control->GetChildAt(i), fn);
}

}  // namespace ui
