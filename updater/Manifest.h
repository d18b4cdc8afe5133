#pragma once
// The manifests "ServerList.xml" (as received) and "UpdateList.xml" (as applied):
// <AutoUpdater><Files><File Ver=".." Name=".." [size]/>...</Files></AutoUpdater>, attributes by
// position.
#include <set>
#include <string>

#include "FileEntry.h"
#include "UpdaterContext.h"

// Fills the map (emptied first) from a manifest file; true when it holds at least one entry.
// A manifest that names a file outside the program folder, or gives a size that is not a
// number, is refused as a whole (false, map empty).
bool ReadManifest(const std::string& path, ManifestMap& files);

// The files of the server manifest that are missing from the local one or newer there.
// False when the server manifest is unreadable or empty; a bad local manifest counts as empty.
bool BuildUpdateSet(const std::string& serverPath, const std::string& localPath, ManifestMap& updateSet);

// After the updater replaced itself: the local manifest records the updater's new version.
// False when the manifest could not be read or written.
bool RecordUpdaterVersion(const UpdaterContext& context, FileEntry entry);

// After an ordinary update: the received manifest becomes the local one. Files whose move
// failed keep their previous local version (or no entry when they were new), so that the next
// run fetches them again.
void RecordAppliedManifest(const UpdaterContext& context, const std::set<std::string>& notInstalled);
