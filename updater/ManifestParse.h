#pragma once
// Reading a manifest's bytes into a manifest map, without touching the file system: the part of
// the updater that takes what the cashier server sends.
#include <cstddef>
#include <string>

#include "FileEntry.h"

enum class ManifestParse {
  Read,        // the map holds every file entry (possibly none)
  NotXml,      // not a well-formed document
  NoFileList,  // no AutoUpdater element with a Files child
  UnsafeName,  // a file name that would leave the program folder: refused as a whole
  BadSize,     // a size that is not an unsigned 32-bit decimal: refused as a whole
};

// Fills the map (emptied first). On UnsafeName, `refusedName` holds the offending name.
ManifestParse ParseManifest(const char* data, size_t size, ManifestMap& files, std::string& refusedName);
