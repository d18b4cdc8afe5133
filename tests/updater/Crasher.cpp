// Installs the updater's crash handling, then: "crash" raises an access violation, "call" asks
// the filter directly (no exception information) and ends with its answer, "throw" throws a
// language exception that nothing catches from a function whose stack holds ThrowSiteMarker.
#include <windows.h>

#include <stdexcept>
#include <string>

#include "CrashDump.h"
#include "CrasherMarker.h"

namespace {

__attribute__((noinline)) void ThrowWithMarker() {
  // Built at run time, so that the bytes exist on this frame's stack and nowhere in the image.
  volatile char marker[kThrowSiteMarkerLength];
  for (size_t i = 0; i < kThrowSiteMarkerLength; ++i) marker[i] = ThrowSiteMarkerByte(i);
  if (marker[0] != 0) throw std::runtime_error("escaped");
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  std::wstring mode = argc > 1 ? argv[1] : L"";
  InstallCrashDump();
  if (mode == L"crash") {
    // Raised rather than caused: under qemu's user-mode emulator a page fault reaches Wine's
    // 32-bit side without its trap number and is reported as an illegal instruction. The
    // filter's path is the same either way.
    RaiseException(EXCEPTION_ACCESS_VIOLATION, EXCEPTION_NONCONTINUABLE, 0, nullptr);
    return 0;
  }
  if (mode == L"call") return static_cast<int>(WriteCrashDump(nullptr));
  if (mode == L"throw") ThrowWithMarker();
  return 2;
}
