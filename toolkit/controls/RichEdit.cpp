// CRichEditUI: its text is the input's, painted with caret, selection and hint.
#include "controls/RichEdit.h"

#include "controls/RichEditInput.h"
#include "model/UiEvent.h"
#include "model/ValueParser.h"
#include "model/WindowModel.h"
#include "render/ControlPaint.h"

namespace ui {

CRichEditUI::CRichEditUI() : input_(std::make_unique<RichEditInput>(*this)) {}

CRichEditUI::~CRichEditUI() {
  if (GetManager() != nullptr && GetManager()->GetFocus() == this) GetManager()->KillCaretTimer();
}

void* CRichEditUI::InterfaceFor(std::wstring_view name) {
  if (name == L"RichEdit") return this;
  return CLabelUI::InterfaceFor(name);
}

bool CRichEditUI::SetAttribute(std::wstring_view name, std::wstring_view value) {
  if (name == L"tipvalue") {
    SetTipValue(std::wstring(value));
  } else if (name == L"tipvaluecolor") {
    Color c = 0;
    if (ParseColor(value, c)) SetTipValueColor(c);
  } else {
    return CLabelUI::SetAttribute(name, value);
  }
  return true;
}

std::wstring CRichEditUI::GetText() const { return input_->Model().Text(); }

void CRichEditUI::SetText(const std::wstring& text) {
  input_->Model().SetText(text);
  Invalidate();
}

void CRichEditUI::DoPaint(Canvas& canvas) {
  PaintBackground(*this, canvas);
  input_->Paint(canvas, Deflate(GetPos(), GetTextPadding()));
  PaintBorder(*this, canvas);
}

void CRichEditUI::OnEvent(UiEvent& event) {
  if (input_->HandleEvent(event)) return;
  CLabelUI::OnEvent(event);
}

}  // namespace ui
