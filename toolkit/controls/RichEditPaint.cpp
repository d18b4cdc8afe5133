// CRichEditUI's window side: its text is the input's, painted with caret, selection and hint.
#include "ControlPaint.h"
#include "Label.h"
#include "PaintManager.h"
#include "RichEditInput.h"
#include "UiEvent.h"

namespace ui {

CRichEditUI::CRichEditUI() : input_(std::make_unique<RichEditInput>(*this)) {}

CRichEditUI::~CRichEditUI() {
  if (GetManager() != nullptr && GetManager()->GetFocus() == this) GetManager()->KillCaretTimer();
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
