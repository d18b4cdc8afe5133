#include "TipBtn.h"

#include "model/UiEvent.h"
#include "model/WindowModel.h"
#include "render/Canvas.h"
#include "render/ControlPaint.h"

namespace {

bool IsMouseEvent(int type) {
  switch (type) {
    case ui::UIEVENT_MOUSEMOVE:
    case ui::UIEVENT_MOUSELEAVE:
    case ui::UIEVENT_MOUSEENTER:
    case ui::UIEVENT_BUTTONDOWN:
    case ui::UIEVENT_BUTTONUP:
    case ui::UIEVENT_RBUTTONDOWN:
    case ui::UIEVENT_DBLCLICK:
    case ui::UIEVENT_CONTEXTMENU:
    case ui::UIEVENT_SCROLLWHEEL:
    case ui::UIEVENT_SETCURSOR:
      return true;
    default:
      return false;
  }
}

bool Inside(const ui::Rect& r, POINT p) {
  return p.x >= r.left && p.x < r.right && p.y >= r.top && p.y < r.bottom;
}

}  // namespace

void* TipBtn::InterfaceFor(std::wstring_view name) {
  if (name == L"TipBtn") return this;
  return CButtonUI::InterfaceFor(name);
}

void TipBtn::DoPaint(ui::Canvas& canvas) {
  ui::PaintImage(*this, canvas, GetBkImage());
  PaintText(canvas, ui::kTextSingleLine | ui::kTextVCenter);
}

void TipBtn::OnEvent(ui::UiEvent& event) {
  if (!IsMouseEnabled() && IsMouseEvent(event.Type)) {
    if (GetParent() != nullptr) {
      GetParent()->OnEvent(event);
    } else {
      CButtonUI::OnEvent(event);
    }
    return;
  }
  ui::WindowModel* manager = GetManager();
  switch (event.Type) {
    case ui::UIEVENT_KEYDOWN:
      // Space and Return do not click a tool.
      if (IsKeyboardEnabled() && (event.chKey == VK_SPACE || event.chKey == VK_RETURN)) return;
      break;
    case ui::UIEVENT_BUTTONDOWN:
    case ui::UIEVENT_DBLCLICK:
      if (Inside(GetPos(), event.ptMouse) && IsEnabled()) {
        pushed_ = true;
        captured_ = true;
      } else if (event.Type == ui::UIEVENT_DBLCLICK && manager != nullptr) {
        manager->SendNotify(this, L"dbclick");
      }
      return;
    case ui::UIEVENT_MOUSEMOVE:
      if (captured_) pushed_ = Inside(GetPos(), event.ptMouse);
      return;
    case ui::UIEVENT_BUTTONUP:
      if (captured_) {
        const bool click = Inside(GetPos(), event.ptMouse);
        pushed_ = false;
        captured_ = false;
        // Last: a click handler may change the window.
        if (click && manager != nullptr) manager->SendNotify(this, L"click");
      }
      return;
    case ui::UIEVENT_MOUSEENTER:
      if (IsEnabled()) hot_ = true;
      return;
    case ui::UIEVENT_MOUSELEAVE:
      if (IsEnabled()) hot_ = false;
      return;
    case ui::UIEVENT_CONTEXTMENU:
      if (IsContextMenuEnabled() && manager != nullptr)
        manager->SendNotify(this, L"menu", event.wParam, event.lParam);
      return;
    case ui::UIEVENT_SETCURSOR:
      ::SetCursor(LoadCursorW(nullptr, IDC_HAND));
      return;
    case ui::UIEVENT_SETFOCUS:
    case ui::UIEVENT_KILLFOCUS:
      return;
    default:
      break;
  }
  ui::CLabelUI::OnEvent(event);
}
