#include <gtest/gtest.h>

// Every program of the project has a wide entry point (-municode), the tests' too.
int wmain(int argc, wchar_t** argv) {
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
