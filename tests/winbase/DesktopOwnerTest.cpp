// SetDesktopOwner against stand-ins of the shell's desktop windows: a "Progman" window titled
// "Program Manager", with or without its "SHELLDLL_DefView" child.
#include <gtest/gtest.h>

#include <memory>

#include "DesktopStandIn.h"
#include "OwnedHandle.h"
#include "window/DesktopOwner.h"

namespace {

using testsupport::DesktopStandIn;

struct OwnerCase {
  const char* name;
  bool progman;
  bool view;
};

TEST(DesktopOwner, TheShellViewOrProgramManagerBecomesTheOwner) {
  ASSERT_TRUE(testsupport::RegisterPlainClass(L"OrvDesktopOwnerTest"));
  const OwnerCase cases[] = {
      {"desktop with its view", true, true},
      {"desktop without a view", true, false},
      {"no desktop", false, false},
  };
  int checked = 0;
  for (const OwnerCase& c : cases) {
    // Wine may run a desktop window of its own; these cases need only ours.
    if (c.progman || FindWindowW(L"Progman", L"Program Manager") == nullptr) {
      std::unique_ptr<DesktopStandIn> desktop;
      if (c.progman) desktop = std::make_unique<DesktopStandIn>(c.view);
      UniqueWindow window(CreateWindowExW(0, L"OrvDesktopOwnerTest", L"owned", WS_POPUP, 0, 0, 10, 10,
                                          nullptr, nullptr, GetModuleHandleW(nullptr), nullptr));
      ASSERT_TRUE(window) << c.name;
      SetDesktopOwner(window.Get());
      HWND expected = !desktop ? nullptr : c.view ? desktop->view.Get() : desktop->progman.Get();
      if (desktop && !desktop->IsTheDesktop()) continue;
      EXPECT_EQ(GetWindow(window.Get(), GW_OWNER), expected) << c.name;
      ++checked;
    }
  }
  // Our stand-in desktop is found first, so at least the two cases with it were checked.
  EXPECT_GE(checked, 2);
}

}  // namespace
