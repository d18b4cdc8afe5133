#include "window/ModalLoop.h"

#include <algorithm>
#include <vector>

namespace ui {
namespace {

MessageFilterHook g_filterHook = nullptr;

// Owners that running modal loops have disabled, innermost last. They may belong to other
// processes (the desktop's window): an end of this process that skipped their loops would leave
// them disabled until those processes restart.
std::vector<HWND>& DisabledOwners() {
  static std::vector<HWND> owners;
  return owners;
}

void EnableAndFocus(HWND owner) {
  EnableWindow(owner, TRUE);
  SetFocus(owner);
}

// Disables the owner for the life of the loop and enables it again on every way out of it,
// unwinding included.
class OwnerDisabled {
 public:
  explicit OwnerDisabled(HWND owner) : owner_(owner) {
    if (owner_ == nullptr) return;
    DisabledOwners().push_back(owner_);
    EnableWindow(owner_, FALSE);
  }
  ~OwnerDisabled() {
    if (owner_ == nullptr) return;
    std::vector<HWND>& owners = DisabledOwners();
    auto last = std::find(owners.rbegin(), owners.rend(), owner_);
    if (last != owners.rend()) owners.erase(std::next(last).base());
    // An owner that an enclosing loop still holds stays disabled.
    if (std::find(owners.begin(), owners.end(), owner_) == owners.end()) EnableAndFocus(owner_);
  }
  OwnerDisabled(const OwnerDisabled&) = delete;
  OwnerDisabled& operator=(const OwnerDisabled&) = delete;

 private:
  HWND owner_;
};

}  // namespace

void SetMessageFilterHook(MessageFilterHook hook) { g_filterHook = hook; }

void EnableDisabledOwners() noexcept {
  // Also called from an exception filter on any thread: only reads the list.
  for (HWND owner : DisabledOwners()) EnableWindow(owner, TRUE);
}

UINT RunModalLoop(HWND hwnd) {
  if (hwnd == nullptr || !IsWindow(hwnd)) return 0;
  HWND owner = GetWindow(hwnd, GW_OWNER);
  ShowWindow(hwnd, SW_SHOWNORMAL);
  OwnerDisabled disabled(owner);

  UINT result = 0;
  bool quit = false;
  WPARAM quitCode = 0;
  MSG msg{};
  while (IsWindow(hwnd)) {
    const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
    if (got == 0 || got == -1) {
      quit = got == 0;
      quitCode = msg.wParam;
      break;
    }
    if (msg.message == WM_CLOSE && msg.hwnd == hwnd) {
      result = static_cast<UINT>(msg.wParam);
      // The owner must be usable again before the window goes, or the system activates some
      // other program's window in its place.
      if (owner != nullptr) EnableAndFocus(owner);
    }
    if (g_filterHook != nullptr && g_filterHook(msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  if (quit) PostQuitMessage(static_cast<int>(quitCode));
  return result;
}

}  // namespace ui
