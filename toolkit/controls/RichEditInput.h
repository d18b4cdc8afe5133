#pragma once
// The single-line input behind CRichEditUI: caret and selection drawn over the text, keys,
// mouse selection, clipboard, and input-method characters. Positions of the last paint are kept
// so that clicks and the input method's window find the characters.
#include <windows.h>

#include <string>
#include <vector>

#include "render/Canvas.h"
#include "model/TextEditModel.h"
#include "model/UiTypes.h"

namespace ui {

class CRichEditUI;
struct UiEvent;

class RichEditInput {
 public:
  explicit RichEditInput(CRichEditUI& owner) : owner_(owner) {}

  TextEditModel& Model() { return model_; }
  const TextEditModel& Model() const { return model_; }
  bool IsFocused() const { return focused_; }
  bool IsCaretOn() const { return caretOn_; }
  // The caret's top left in window client coordinates (for the input method's window).
  POINT CaretPoint() const;
  // One caret blink.
  void Blink();

  // True when the event was the input's.
  bool HandleEvent(UiEvent& event);
  void Paint(Canvas& canvas, const Rect& textArea);

  // Clipboard commands.
  void Copy();
  void Cut();
  void Paste();

 private:
  bool HandleKey(WPARAM key, WORD keyState);
  void HandleChar(wchar_t ch);
  size_t HitTest(int x) const;
  void Changed();
  void ShowCaretNow();

  CRichEditUI& owner_;
  TextEditModel model_;
  bool focused_ = false;
  bool caretOn_ = false;
  bool dragging_ = false;
  int scroll_ = 0;
  // Where position i of the text started at the last paint, relative to textLeft_.
  std::vector<int> offsets_;
  int textLeft_ = 0;
  int caretTop_ = 0;
  int caretHeight_ = 0;
};

}  // namespace ui
