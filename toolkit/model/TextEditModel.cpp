#include "model/TextEditModel.h"

namespace ui {
namespace {

bool IsLowSurrogate(wchar_t c) { return c >= 0xDC00 && c <= 0xDFFF; }
bool IsHighSurrogate(wchar_t c) { return c >= 0xD800 && c <= 0xDBFF; }
bool IsWordChar(wchar_t c) { return c != L' ' && c != L'\t'; }

}  // namespace

size_t TextEditModel::Clamp(size_t position) const {
  if (position > text_.size()) position = text_.size();
  // Never between the two halves of a surrogate pair.
  if (position > 0 && position < text_.size() && IsLowSurrogate(text_[position]) &&
      IsHighSurrogate(text_[position - 1])) {
    --position;
  }
  return position;
}

void TextEditModel::SetText(std::wstring_view text) {
  text_.clear();
  caret_ = anchor_ = 0;
  Insert(text);
  caret_ = anchor_ = text_.size();
}

void TextEditModel::SetMaxChars(size_t maxChars) { maxChars_ = maxChars; }

std::wstring TextEditModel::SelectedText() const {
  return text_.substr(SelectionStart(), SelectionEnd() - SelectionStart());
}

bool TextEditModel::DeleteSelection() {
  if (!HasSelection()) return false;
  const size_t start = SelectionStart();
  text_.erase(start, SelectionEnd() - start);
  caret_ = anchor_ = start;
  return true;
}

bool TextEditModel::Insert(std::wstring_view text) {
  std::wstring clean;
  clean.reserve(text.size());
  for (wchar_t c : text) {
    if (c == L'\r' || c == L'\n') break;
    if (c < 0x20 || c == 0x7F) continue;
    clean.push_back(c);
  }
  bool changed = DeleteSelection();
  if (maxChars_ != 0) {
    const size_t room = text_.size() >= maxChars_ ? 0 : maxChars_ - text_.size();
    if (clean.size() > room) {
      clean.resize(room);
      if (!clean.empty() && IsHighSurrogate(clean.back())) clean.pop_back();
    }
  }
  if (clean.empty()) return changed;
  text_.insert(caret_, clean);
  caret_ += clean.size();
  anchor_ = caret_;
  return true;
}

bool TextEditModel::Backspace() {
  if (DeleteSelection()) return true;
  if (caret_ == 0) return false;
  const size_t from = PreviousStop(caret_, false);
  text_.erase(from, caret_ - from);
  caret_ = anchor_ = from;
  return true;
}

bool TextEditModel::Delete() {
  if (DeleteSelection()) return true;
  if (caret_ >= text_.size()) return false;
  const size_t to = NextStop(caret_, false);
  text_.erase(caret_, to - caret_);
  return true;
}

size_t TextEditModel::PreviousStop(size_t from, bool word) const {
  if (from == 0) return 0;
  size_t p = from - 1;
  if (p > 0 && IsLowSurrogate(text_[p]) && IsHighSurrogate(text_[p - 1])) --p;
  if (!word) return p;
  while (p > 0 && !IsWordChar(text_[p])) --p;
  while (p > 0 && IsWordChar(text_[p - 1])) --p;
  return p;
}

size_t TextEditModel::NextStop(size_t from, bool word) const {
  if (from >= text_.size()) return text_.size();
  size_t p = from + 1;
  if (p < text_.size() && IsLowSurrogate(text_[p]) && IsHighSurrogate(text_[p - 1])) ++p;
  if (!word) return p;
  while (p < text_.size() && IsWordChar(text_[p])) ++p;
  while (p < text_.size() && !IsWordChar(text_[p])) ++p;
  return p;
}

void TextEditModel::MoveTo(size_t position, bool extend) {
  caret_ = Clamp(position);
  if (!extend) anchor_ = caret_;
}

void TextEditModel::MoveLeft(bool extend, bool word) {
  if (!extend && !word && HasSelection()) {
    MoveTo(SelectionStart(), false);
    return;
  }
  MoveTo(PreviousStop(caret_, word), extend);
}

void TextEditModel::MoveRight(bool extend, bool word) {
  if (!extend && !word && HasSelection()) {
    MoveTo(SelectionEnd(), false);
    return;
  }
  MoveTo(NextStop(caret_, word), extend);
}

void TextEditModel::MoveHome(bool extend) { MoveTo(0, extend); }
void TextEditModel::MoveEnd(bool extend) { MoveTo(text_.size(), extend); }

void TextEditModel::SelectAll() {
  anchor_ = 0;
  caret_ = text_.size();
}

void TextEditModel::Select(size_t anchor, size_t caret) {
  anchor_ = Clamp(anchor);
  caret_ = Clamp(caret);
}

}  // namespace ui
