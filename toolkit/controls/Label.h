#pragma once
// One line of text and/or an image; empty labels serve as flexible spacers. The base of the text
// controls (wrapping text, button, input), which reuse its text painting.
#include <string>

#include "model/Control.h"

namespace ui {

enum class TextAlign { Left, Center, Right };

class CLabelUI : public CControlUI {
 public:
  CLabelUI() = default;
  std::wstring ClassName() const override { return L"LabelUI"; }
  void* InterfaceFor(std::wstring_view name) override;
  bool SetAttribute(std::wstring_view name, std::wstring_view value) override;
  void DoPaint(Canvas& canvas) override;

  // A font number of the window; -1 is the window's default font.
  int GetFont() const { return font_; }
  void SetFont(int index) { font_ = index; }
  // 0 means the window's default text colour.
  Color GetTextColor() const { return textColor_; }
  void SetTextColor(Color color) { textColor_ = color; }
  const Rect& GetTextPadding() const { return textPadding_; }
  void SetTextPadding(const Rect& padding);
  TextAlign GetAlign() const { return align_; }
  void SetAlign(TextAlign align) { align_ = align; }
  bool IsEndEllipsis() const { return endEllipsis_; }
  void SetEndEllipsis(bool on) { endEllipsis_ = on; }

 protected:
  // Buttons centre their text by default.
  explicit CLabelUI(TextAlign align) : align_(align) {}
  // Paints the text in the label's font, colour, alignment and text padding, clipped to the
  // control; `style` holds the render flags (kTextSingleLine, kTextWrap, kTextVCenter). Derived
  // controls draw their own background and images and call this for the text.
  void PaintText(Canvas& canvas, unsigned style);

 private:
  int font_ = -1;
  Color textColor_ = 0;
  Rect textPadding_;
  TextAlign align_ = TextAlign::Left;
  bool endEllipsis_ = false;
};

}  // namespace ui
