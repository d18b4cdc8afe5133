// The tests of each build run that build's own programs: the 32-bit test programs the 32-bit
// program folder, under WOW64 as on the venues' 64-bit Windows.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "TestSupport.h"

namespace {

// The machine field of a PE file's header; 0 when it cannot be read.
WORD PeMachine(const std::wstring& path) {
  std::string bytes = testsupport::ReadFileBytes(path);
  if (bytes.size() < 0x40) return 0;
  DWORD peOffset = 0;
  memcpy(&peOffset, bytes.data() + 0x3C, sizeof peOffset);
  if (bytes.size() < peOffset + 6 || bytes.compare(peOffset, 4, std::string("PE\0\0", 4)) != 0) return 0;
  WORD machine = 0;
  memcpy(&machine, bytes.data() + peOffset + 4, sizeof machine);
  return machine;
}

#ifdef _WIN64
constexpr WORD kOwnMachine = IMAGE_FILE_MACHINE_AMD64;
#else
constexpr WORD kOwnMachine = IMAGE_FILE_MACHINE_I386;
#endif

}  // namespace

TEST(TargetMachine, ProgramsUnderTestAreOfTheTestsOwnMachineType) {
  for (const std::wstring name : {L"Orvanta.exe", L"Pelgrix.exe", L"node.dll"}) {
    EXPECT_EQ(kOwnMachine, PeMachine(std::wstring(ORV_TEST_DIST_DIR) + name))
        << std::string(name.begin(), name.end());
  }
}

TEST(TargetMachine, ThirtyTwoBitProgramsRunUnderWow64) {
  BOOL wow64 = FALSE;
  ASSERT_TRUE(IsWow64Process(GetCurrentProcess(), &wow64));
  EXPECT_EQ(sizeof(void*) == 4, wow64 != FALSE);
}
