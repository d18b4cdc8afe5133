#include "OwnerRelease.h"

#include <windows.h>

#include <cstdlib>
#include <exception>

#include "window/ModalLoop.h"

namespace {

LPTOP_LEVEL_EXCEPTION_FILTER g_previousFilter = nullptr;

LONG WINAPI ReleaseOnUnhandledException(EXCEPTION_POINTERS* exception) {
  ui::EnableDisabledOwners();
  return g_previousFilter != nullptr ? g_previousFilter(exception) : EXCEPTION_CONTINUE_SEARCH;
}

[[noreturn]] void ReleaseOnTerminate() {
  // A C++ exception that nothing caught ends here, not in the exception filter.
  ui::EnableDisabledOwners();
  std::abort();
}

}  // namespace

void InstallOwnerRelease() {
  g_previousFilter = SetUnhandledExceptionFilter(&ReleaseOnUnhandledException);
  std::set_terminate(&ReleaseOnTerminate);
}

void ReleaseDisabledOwners() noexcept { ui::EnableDisabledOwners(); }
