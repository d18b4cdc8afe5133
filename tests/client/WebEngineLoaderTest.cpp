// The engine loader against two small libraries: a complete one and one without wkeReload.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "TestSupport.h"
#include "WebEngine.h"
#include "WindowProbe.h"

using namespace testsupport;
using namespace clienttest;

namespace {

// Answers every message box of this process from a second thread while the loader, on the
// test's thread, waits in them.
class BoxAnswerer {
 public:
  BoxAnswerer() : thread_([this] { Run(); }) {}
  ~BoxAnswerer() { Stop(); }
  std::vector<SeenWindow> Stop() {
    stop_ = true;
    if (thread_.joinable()) thread_.join();
    return seen_;
  }

 private:
  void Run() {
    while (!stop_) {
      SeenWindow seen;
      if (HandleNextBox(GetCurrentProcessId(), IDOK, 100, seen)) seen_.push_back(seen);
    }
  }
  std::atomic<bool> stop_{false};
  std::vector<SeenWindow> seen_;
  std::thread thread_;
};

struct Slot {
  const char* name;
  void* pointer;
};

std::vector<Slot> Table() {
  std::vector<Slot> slots;
#define ORV_TEST_SLOT(name, ret, params) slots.push_back({#name, reinterpret_cast<void*>(name)});
  WKE_API_LIST(ORV_TEST_SLOT)
#undef ORV_TEST_SLOT
  return slots;
}

std::wstring Engine(const TempDir& dir, const wchar_t* library) {
  EXPECT_TRUE(CopyTestBinary(library, dir.Path(), L"node.dll"));
  return dir.File(L"node.dll");
}

}  // namespace

TEST(WebEngineLoader, CompleteLibraryResolvesEveryNameWithoutBoxes) {
  TempDir dir;
  std::wstring path = Engine(dir, L"orv_test_engine.dll");
  BoxAnswerer boxes;
  ASSERT_TRUE(LoadWebEngine(path));
  EXPECT_TRUE(boxes.Stop().empty());

  HMODULE library = GetModuleHandleW(path.c_str());
  ASSERT_NE(nullptr, library);
  for (const Slot& slot : Table()) {
    EXPECT_EQ(reinterpret_cast<void*>(GetProcAddress(library, slot.name)), slot.pointer) << slot.name;
    EXPECT_NE(nullptr, slot.pointer) << slot.name;
  }
  // Started once at load, before anything else; finalised only when asked.
  EXPECT_EQ("wkeInitializeEx\n", ReadFileBytes(dir.File(L"wke-calls.txt")));
  FinalizeWebEngine();
  EXPECT_EQ("wkeInitializeEx\nwkeFinalize\n", ReadFileBytes(dir.File(L"wke-calls.txt")));
}

TEST(WebEngineLoader, MissingNameIsReportedOnceAndTheRestResolved) {
  TempDir dir;
  std::wstring path = Engine(dir, L"orv_test_engine_missing.dll");
  BoxAnswerer boxes;
  ASSERT_TRUE(LoadWebEngine(path));
  std::vector<SeenWindow> seen = boxes.Stop();
  ASSERT_EQ(1u, seen.size());
  EXPECT_EQ(L"wkeReload", seen[0].title);
  EXPECT_EQ(L"wke api not found", seen[0].text);

  for (const Slot& slot : Table()) {
    if (std::string(slot.name) == "wkeReload") {
      EXPECT_EQ(nullptr, slot.pointer);
    } else {
      EXPECT_NE(nullptr, slot.pointer) << slot.name;
    }
  }
  EXPECT_EQ("wkeInitializeEx\n", ReadFileBytes(dir.File(L"wke-calls.txt")));
}

TEST(WebEngineLoader, LibraryWithoutInitialisationIsNotStartedButLoaded) {
  TempDir dir;
  std::wstring path = Engine(dir, L"orv_test_engine_no_init.dll");
  BoxAnswerer boxes;
  ASSERT_TRUE(LoadWebEngine(path));
  std::vector<SeenWindow> seen = boxes.Stop();
  ASSERT_EQ(1u, seen.size());
  EXPECT_EQ(L"wkeInitializeEx", seen[0].title);
  EXPECT_EQ(nullptr, reinterpret_cast<void*>(wkeInitializeEx));
  EXPECT_NE(nullptr, reinterpret_cast<void*>(wkeFinalize));
  EXPECT_EQ("", ReadFileBytes(dir.File(L"wke-calls.txt")));
}

TEST(WebEngineLoader, UnloadableFileResolvesNothing) {
  for (const char* content : {"", "MZ but not a library"}) {
    TempDir dir;
    ASSERT_TRUE(WriteFileBytes(dir.File(L"node.dll"), content));
    BoxAnswerer boxes;
    EXPECT_FALSE(LoadWebEngine(dir.File(L"node.dll")));
    EXPECT_FALSE(LoadWebEngine(dir.File(L"absent.dll")));
    EXPECT_TRUE(boxes.Stop().empty());
    for (const Slot& slot : Table()) EXPECT_EQ(nullptr, slot.pointer) << slot.name;
    FinalizeWebEngine();  // nothing to call, and no crash
  }
}
