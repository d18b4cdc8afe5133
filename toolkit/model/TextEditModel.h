#pragma once
// The text, caret and selection of a single-line input, free of any window: what typing,
// deleting, caret keys and the clipboard commands do to the text.
#include <cstddef>
#include <string>
#include <string_view>

namespace ui {

class TextEditModel {
 public:
  const std::wstring& Text() const { return text_; }
  // Replaces the whole text; the caret goes to its end, nothing selected.
  void SetText(std::wstring_view text);
  void SetMaxChars(size_t maxChars);

  size_t Caret() const { return caret_; }
  size_t Anchor() const { return anchor_; }
  bool HasSelection() const { return caret_ != anchor_; }
  size_t SelectionStart() const { return caret_ < anchor_ ? caret_ : anchor_; }
  size_t SelectionEnd() const { return caret_ < anchor_ ? anchor_ : caret_; }
  std::wstring SelectedText() const;

  // Typing or pasting: replaces the selection. A single line keeps what comes before the
  // first line break; other control characters are dropped. False when nothing changed.
  bool Insert(std::wstring_view text);
  bool Backspace();
  bool Delete();
  // Removes the selection (cut, or typing over it).
  bool DeleteSelection();

  // Caret moves; `extend` keeps the anchor (Shift held), otherwise the selection collapses.
  void MoveLeft(bool extend, bool word);
  void MoveRight(bool extend, bool word);
  void MoveHome(bool extend);
  void MoveEnd(bool extend);
  void MoveTo(size_t position, bool extend);
  void SelectAll();
  void Select(size_t anchor, size_t caret);

 private:
  size_t PreviousStop(size_t from, bool word) const;
  size_t NextStop(size_t from, bool word) const;
  size_t Clamp(size_t position) const;

  std::wstring text_;
  size_t caret_ = 0;
  size_t anchor_ = 0;
  size_t maxChars_ = 0;  // 0: unlimited
};

}  // namespace ui
