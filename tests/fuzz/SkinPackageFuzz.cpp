// The skin package: the input is opened as a ZIP archive and every entry is read. Inputs that
// are no archive also go through the raw inflate with a size taken from their first bytes.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "model/SkinPackage.h"
#include "model/ZipInflate.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  ui::SkinPackage package;
  if (package.Open(data, size)) {
    for (const std::wstring& name : package.EntryNames()) {
      if (!package.Contains(name)) std::abort();
      std::string bytes;
      package.Read(name, bytes);
    }
    std::string bytes;
    package.Read(L"Xmls\\Default.xml", bytes);
  } else if (size >= 2) {
    // At most 64 KiB, so that each input stays fast.
    size_t expected = static_cast<size_t>(data[0]) | (static_cast<size_t>(data[1]) << 8);
    std::string out;
    if (ui::InflateRaw(data + 2, size - 2, expected, out) && out.size() != expected) std::abort();
  }
  return 0;
}
