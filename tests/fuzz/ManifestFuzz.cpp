// The update manifest as the cashier server sends it: parsed, then compared entry by entry as an
// update run does.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "ManifestName.h"
#include "ManifestParse.h"
#include "VersionCompare.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  ManifestMap files;
  std::vector<RefusedEntry> refused;
  ManifestParse result = ParseManifest(reinterpret_cast<const char*>(data), size, files, refused);
  if (result != ManifestParse::Read && !files.empty()) std::abort();
  const FileEntry* previous = nullptr;
  for (const auto& [name, entry] : files) {
    std::string localName;
    if (name != entry.name || !entry.isNew) std::abort();
    // Every name read is a plain file below the folder, and its resolved form is one too.
    if (CheckManifestName(name, localName) != NameRefusal::None) std::abort();
    std::string again;
    if (CheckManifestName(localName, again) != NameRefusal::None || again != localName) std::abort();
    if (previous != nullptr) {
      IsUpToDate(entry.ver, previous->ver);
      IsUpToDate(previous->ver, entry.ver);
    }
    previous = &entry;
  }
  return 0;
}
