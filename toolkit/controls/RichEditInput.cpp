#include "controls/RichEditInput.h"

#include <climits>

#include "HandleScopes.h"
#include "OwnedHandle.h"
#include "controls/RichEdit.h"
#include "model/UiEvent.h"
#include "model/WindowModel.h"
#include "render/ControlPaint.h"
#include "render/FontEntry.h"

namespace ui {
namespace {

constexpr UINT kCaretBlinkMs = 530;
constexpr Color kSelectionColor = 0xFF3399FF;
constexpr Color kSelectedTextColor = 0xFFFFFFFF;
constexpr Color kDefaultTextColor = 0xFF000000;

HWND OwnerWindow(CRichEditUI& edit) {
  return edit.GetManager() != nullptr ? edit.GetManager()->GetPaintWindow() : nullptr;
}

}  // namespace

POINT RichEditInput::CaretPoint() const {
  const size_t caret = model_.Caret();
  const int x = caret < offsets_.size() ? offsets_[caret] : 0;
  return POINT{textLeft_ + x, caretTop_};
}

void RichEditInput::Changed() {
  ShowCaretNow();
  owner_.Invalidate();
}

void RichEditInput::ShowCaretNow() {
  caretOn_ = focused_;
  // Restart the blink so the caret stays visible while typing.
  if (focused_ && owner_.GetManager() != nullptr) owner_.GetManager()->SetCaretTimer(kCaretBlinkMs);
}

void RichEditInput::Blink() {
  if (!focused_) return;
  caretOn_ = !caretOn_;
  owner_.Invalidate();
}

size_t RichEditInput::HitTest(int x) const {
  if (offsets_.empty()) return model_.Text().size();
  const int local = x - textLeft_;
  size_t best = 0;
  int bestDistance = INT_MAX;
  for (size_t i = 0; i < offsets_.size() && i <= model_.Text().size(); ++i) {
    const int distance = local > offsets_[i] ? local - offsets_[i] : offsets_[i] - local;
    if (distance < bestDistance) {
      bestDistance = distance;
      best = i;
    }
  }
  return best;
}

bool RichEditInput::HandleEvent(UiEvent& event) {
  switch (event.Type) {
    case UIEVENT_SETFOCUS:
      focused_ = true;
      Changed();
      return true;
    case UIEVENT_KILLFOCUS:
      focused_ = false;
      caretOn_ = false;
      dragging_ = false;
      if (owner_.GetManager() != nullptr) owner_.GetManager()->KillCaretTimer();
      owner_.Invalidate();
      return true;
    case UIEVENT_SETCURSOR:
      SetCursor(LoadCursorW(nullptr, IDC_IBEAM));
      return true;
    case UIEVENT_BUTTONDOWN:
      owner_.Focus();
      model_.MoveTo(HitTest(event.ptMouse.x), (event.wKeyState & MK_SHIFT) != 0);
      dragging_ = true;
      Changed();
      return true;
    case UIEVENT_DBLCLICK:
      owner_.Focus();
      model_.SelectAll();
      Changed();
      return true;
    case UIEVENT_MOUSEMOVE:
      if (dragging_) {
        model_.MoveTo(HitTest(event.ptMouse.x), true);
        Changed();
      }
      return true;
    case UIEVENT_BUTTONUP:
      dragging_ = false;
      return true;
    case UIEVENT_KEYDOWN:
      return HandleKey(event.wParam, event.wKeyState);
    case UIEVENT_CHAR:
      HandleChar(event.chKey);
      return true;
    default:
      return false;
  }
}

bool RichEditInput::HandleKey(WPARAM key, WORD keyState) {
  const bool shift = (keyState & MK_SHIFT) != 0;
  const bool ctrl = (keyState & MK_CONTROL) != 0;
  switch (key) {
    case VK_LEFT:
      model_.MoveLeft(shift, ctrl);
      break;
    case VK_RIGHT:
      model_.MoveRight(shift, ctrl);
      break;
    case VK_HOME:
      model_.MoveHome(shift);
      break;
    case VK_END:
      model_.MoveEnd(shift);
      break;
    case VK_DELETE:
      if (shift) {
        Cut();
      } else {
        model_.Delete();
      }
      break;
    case VK_INSERT:
      if (ctrl) {
        Copy();
      } else if (shift) {
        Paste();
      }
      break;
    case 'A':
      if (!ctrl) return false;
      model_.SelectAll();
      break;
    case 'C':
      if (!ctrl) return false;
      Copy();
      break;
    case 'X':
      if (!ctrl) return false;
      Cut();
      break;
    case 'V':
      if (!ctrl) return false;
      Paste();
      break;
    default:
      return false;
  }
  Changed();
  return true;
}

void RichEditInput::HandleChar(wchar_t ch) {
  if (ch == L'\b') {
    model_.Backspace();
  } else if (ch >= 0x20 && ch != 0x7F) {
    model_.Insert(std::wstring_view(&ch, 1));
  } else {
    // Return, Escape, Tab and the Ctrl+letter codes of the clipboard keys: not text.
    return;
  }
  Changed();
}

void RichEditInput::Copy() {
  if (!model_.HasSelection()) return;
  const std::wstring text = model_.SelectedText();
  ClipboardLock clipboard(OwnerWindow(owner_));
  if (!clipboard.IsOpen()) return;
  EmptyClipboard();
  UniqueGlobal memory(GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(wchar_t)));
  if (!memory) return;
  {
    GlobalLockGuard<wchar_t> data(memory.Get());
    if (data.Get() == nullptr) return;
    std::copy(text.begin(), text.end(), data.Get());
    data.Get()[text.size()] = L'\0';
  }
  if (SetClipboardData(CF_UNICODETEXT, memory.Get()) != nullptr) memory.Release();
}

void RichEditInput::Cut() {
  if (!model_.HasSelection()) return;
  Copy();
  model_.DeleteSelection();
}

void RichEditInput::Paste() {
  std::wstring text;
  {
    ClipboardLock clipboard(OwnerWindow(owner_));
    if (!clipboard.IsOpen()) return;
    HANDLE data = GetClipboardData(CF_UNICODETEXT);
    if (data == nullptr) return;
    GlobalLockGuard<const wchar_t> locked(data);
    if (locked.Get() == nullptr) return;
    const size_t limit = GlobalSize(data) / sizeof(wchar_t);
    size_t length = 0;
    while (length < limit && locked.Get()[length] != L'\0') ++length;
    text.assign(locked.Get(), length);
  }
  model_.Insert(text);
}

void RichEditInput::Paint(Canvas& canvas, const Rect& area) {
  if (area.IsEmpty() || owner_.GetManager() == nullptr) return;
  const FontEntry* font = GetFontEntry(*owner_.GetManager(), owner_.GetFont());
  const std::wstring& text = model_.Text();
  const int fontHeight = canvas.FontHeight(font);
  caretHeight_ = fontHeight > 0 && fontHeight < area.Height() ? fontHeight : area.Height();
  caretTop_ = area.top + (area.Height() - caretHeight_) / 2;

  unsigned align = kTextLeft;
  if (owner_.GetAlign() == TextAlign::Center) align = kTextCenter;
  if (owner_.GetAlign() == TextAlign::Right) align = kTextRight;

  Canvas::ClipScope clip(canvas, area);
  if (text.empty()) {
    offsets_.assign(1, 0);
    scroll_ = 0;
    // The hint shows only while nothing is typed; the caret then stands where typing starts.
    const std::wstring& tip = owner_.GetTipValue();
    if (!tip.empty()) {
      canvas.PaintText(tip, area, font,
                       owner_.GetTipValueColor() != 0 ? owner_.GetTipValueColor() : 0xFFA0A0A0,
                       align | kTextSingleLine | kTextVCenter);
    }
    textLeft_ = align == kTextCenter ? area.left + area.Width() / 2
                                     : (align == kTextRight ? area.right - 1 : area.left);
  } else {
    offsets_.resize(text.size() + 1);
    offsets_[0] = 0;
    for (size_t i = 1; i <= text.size(); ++i) offsets_[i] = canvas.MeasureText(text.substr(0, i), font);
    const int total = offsets_.back();
    const int width = area.Width();
    if (total < width) {
      scroll_ = 0;
      textLeft_ = area.left;
      if (align == kTextCenter) textLeft_ = area.left + (width - total) / 2;
      if (align == kTextRight) textLeft_ = area.right - total - 1;
    } else {
      // Too long: scroll so the caret stays inside.
      const int caretX = offsets_[model_.Caret()];
      if (caretX - scroll_ < 0) scroll_ = caretX;
      if (caretX - scroll_ > width - 1) scroll_ = caretX - width + 1;
      if (scroll_ > total - width + 1) scroll_ = total - width + 1;
      if (scroll_ < 0) scroll_ = 0;
      textLeft_ = area.left - scroll_;
    }
    const Rect line{textLeft_, area.top, textLeft_ + total + 2, area.bottom};
    const Color color = owner_.GetTextColor() != 0 ? owner_.GetTextColor() : kDefaultTextColor;
    canvas.PaintText(text, line, font, color, kTextLeft | kTextSingleLine | kTextVCenter);
    if (model_.HasSelection()) {
      const Rect selection{textLeft_ + offsets_[model_.SelectionStart()], caretTop_,
                           textLeft_ + offsets_[model_.SelectionEnd()], caretTop_ + caretHeight_};
      canvas.FillRect(selection, kSelectionColor);
      Canvas::ClipScope inside(canvas, selection);
      canvas.PaintText(text, line, font, kSelectedTextColor, kTextLeft | kTextSingleLine | kTextVCenter);
    }
  }
  if (focused_ && caretOn_) {
    const POINT caret = CaretPoint();
    canvas.FillRect(Rect{caret.x, caretTop_, caret.x + 1, caretTop_ + caretHeight_},
                    owner_.GetTextColor() != 0 ? owner_.GetTextColor() : kDefaultTextColor);
  }
}

}  // namespace ui
