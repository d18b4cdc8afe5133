#include <gtest/gtest.h>
#include <windows.h>

#include <climits>

#include "ModulePath.h"
#include "TextConvert.h"

TEST(TextConvert, Utf8AndUtf16RoundTrip) {
  struct Case {
    std::string utf8;
    std::wstring wide;
  } cases[] = {
      {"", L""},
      {"abc 123", L"abc 123"},
      {"\xE5\xAE\xA2\xE6\x88\xB7\xE7\xAB\xAF", L"\u5BA2\u6237\u7AEF"},  // 客户端
      {"\xF0\x9F\x98\x80", L"\U0001F600"},                              // outside the BMP: a surrogate pair
  };
  for (const Case& c : cases) {
    EXPECT_EQ(c.wide, Utf8ToWide(c.utf8));
    EXPECT_EQ(c.utf8, WideToUtf8(c.wide));
  }
}

TEST(TextConvert, GbkIsCodePage936WhateverTheSystemCodePage) {
  EXPECT_EQ("\xD6\xD0\xCE\xC4", WideToGbk(L"\u4E2D\u6587"));  // 中文
  EXPECT_EQ("ok.", WideToGbk(L"ok."));
}

TEST(TextConvert, IntToString) {
  EXPECT_EQ("0", IntToString(0));
  EXPECT_EQ("-1", IntToString(-1));
  EXPECT_EQ("8393", IntToString(8393));
  EXPECT_EQ("-2147483648", IntToString(INT_MIN));
  EXPECT_EQ("2147483647", IntToString(INT_MAX));
}

TEST(ModulePath, EndsWithABackslashAndHoldsTheExecutable) {
  std::wstring dir = GetModuleDir();
  ASSERT_FALSE(dir.empty());
  EXPECT_EQ(L'\\', dir.back());
  wchar_t path[MAX_PATH];
  GetModuleFileNameW(nullptr, path, MAX_PATH);
  EXPECT_EQ(0u, std::wstring(path).find(dir));
}
