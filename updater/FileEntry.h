#pragma once
// One file of a manifest, and the manifest map: ordered by the names' bytes (unsigned), which is
// the order in which an update fetches and moves its files.
#include <cstdint>
#include <map>
#include <string>

struct FileEntry {
  std::string name;   // bytes as in the manifest: what the server is asked for; staged and
                      // installed under the name as Windows resolves it (ManifestName.h)
  std::string ver;    // e.g. "4.0.0.5"
  bool isNew = true;  // in an update set: the local manifest does not list the file
  uint32_t size = 0;  // expected size in bytes; 0: not compared
  // 4th attribute: the file's SHA-256 as 64 lower-case hex digits; empty: the manifest gives none.
  std::string sha256 = {};
};

// std::string compares like memcmp, i.e. as unsigned bytes: "B.dll" < "a.dll" < "a.dll.bak".
using ManifestMap = std::map<std::string, FileEntry>;

// The updater's own entry: exactly this name, case-sensitive, without a folder.
constexpr const char kUpdaterName[] = "Pelgrix.exe";
