#pragma once
// Reading a manifest's bytes into a manifest map, without touching the file system: the part of
// the updater that takes what the cashier server sends.
#include <cstddef>
#include <string>
#include <vector>

#include "FileEntry.h"
#include "ManifestName.h"

enum class ManifestParse {
  Read,        // the map holds every usable file entry (possibly none)
  NotXml,      // not a well-formed document
  NoFileList,  // no AutoUpdater element with a Files child
};

// An entry left out of the map: one bad entry never stops the others.
struct RefusedEntry {
  enum class Why { Name, BadSize, SameFile };
  std::string name;
  Why why = Why::Name;
  NameRefusal refusal = NameRefusal::None;  // for Why::Name
};

// Fills the map (emptied first) with the entries whose name is a plain file below the program
// folder and whose size is a number; a 4th attribute of 64 hex digits is the file's SHA-256 (kept
// in lower case), any other 4th attribute is ignored. The others are listed in `refused`, in document order.
// Of two entries that name the same file once resolved (letter case, trailing dots), the first in document
// order stays.
ManifestParse ParseManifest(const char* data, size_t size, ManifestMap& files,
                            std::vector<RefusedEntry>& refused);
