#include <gtest/gtest.h>
#include <windows.h>

#include "TextConvert.h"

// Runs with LC_ALL=zh_CN.UTF-8, which gives the Wine process the ANSI code page 936.
TEST(AnsiCodePage936, ConvertsChineseBothWays) {
  ASSERT_EQ(936u, GetACP());
  EXPECT_EQ("\xD6\xD0\xCE\xC4", WideToAnsi(L"\u4E2D\u6587"));
  EXPECT_EQ(L"\u4E2D\u6587", AnsiToWide("\xD6\xD0\xCE\xC4"));
  EXPECT_EQ(L"log\\2026-12-09.log", AnsiToWide(WideToAnsi(L"log\\2026-12-09.log")));
}
