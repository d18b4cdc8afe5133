// The text, caret and selection of the single-line input, without a window.
#include <gtest/gtest.h>

#include "model/TextEditModel.h"

namespace {

using ui::TextEditModel;

TEST(TextEditModelTest, TypingReplacesTheSelectionAndKeepsOneLine) {
  TextEditModel m;
  m.Insert(L"abc");
  m.MoveLeft(false, false);
  m.Insert(L"X");
  EXPECT_EQ(m.Text(), L"abXc");
  m.Select(1, 3);
  m.Insert(L"网吧\r\nsecond line");
  EXPECT_EQ(m.Text(), L"a网吧c") << "a paste keeps the first line";
  EXPECT_EQ(m.Caret(), 3u);
  m.Insert(L"\t\x1b");
  EXPECT_EQ(m.Text(), L"a网吧c") << "control characters are no text";
}

TEST(TextEditModelTest, CaretKeysDeletionAndSelection) {
  struct Step {
    void (*act)(TextEditModel&);
    const wchar_t* text;
    size_t caret;
    size_t anchor;
  } steps[] = {
      {[](TextEditModel& m) { m.SetText(L"one two"); }, L"one two", 7, 7},
      {[](TextEditModel& m) { m.MoveLeft(true, true); }, L"one two", 4, 7},
      {[](TextEditModel& m) { m.Backspace(); }, L"one ", 4, 4},
      {[](TextEditModel& m) { m.MoveHome(false); }, L"one ", 0, 0},
      {[](TextEditModel& m) { m.Delete(); }, L"ne ", 0, 0},
      {[](TextEditModel& m) { m.MoveEnd(true); }, L"ne ", 3, 0},
      {[](TextEditModel& m) { m.MoveLeft(false, false); }, L"ne ", 0, 0},
      {[](TextEditModel& m) { m.Backspace(); }, L"ne ", 0, 0},
      {[](TextEditModel& m) { m.SelectAll(); }, L"ne ", 3, 0},
      {[](TextEditModel& m) { m.DeleteSelection(); }, L"", 0, 0},
  };
  TextEditModel m;
  for (const Step& s : steps) {
    s.act(m);
    EXPECT_EQ(m.Text(), s.text);
    EXPECT_EQ(m.Caret(), s.caret);
    EXPECT_EQ(m.Anchor(), s.anchor);
  }
}

TEST(TextEditModelTest, SurrogatePairsMoveAndDeleteAsOneCharacter) {
  TextEditModel m;
  m.SetText(L"a\U0001F600b");  // a, a pair, b
  ASSERT_EQ(m.Text().size(), 4u);
  m.MoveLeft(false, false);
  m.MoveLeft(false, false);
  EXPECT_EQ(m.Caret(), 1u);
  m.Delete();
  EXPECT_EQ(m.Text(), L"ab");
  m.MoveTo(2, false);
  EXPECT_EQ(m.Caret(), 2u);
}

TEST(TextEditModelTest, MaximumLengthCutsWhatIsTyped) {
  TextEditModel m;
  m.SetMaxChars(4);
  m.Insert(L"abcdef");
  EXPECT_EQ(m.Text(), L"abcd");
  EXPECT_FALSE(m.Insert(L"x"));
}

}  // namespace
