#include <gtest/gtest.h>

// The programs link with -municode, whose start-up code calls wmain.
int wmain(int argc, wchar_t** argv) {
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
