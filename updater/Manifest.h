#pragma once
// The manifests "ServerList.xml" (as received) and "UpdateList.xml" (as applied):
// <AutoUpdater><Files><File Ver=".." Name=".." [size]/>...</Files></AutoUpdater>, attributes by
// position.
#include <set>
#include <string>

#include "FileEntry.h"
#include "UpdaterContext.h"

// Fills the map (emptied first) from a manifest file; true when it holds at least one entry.
// An entry whose name is not a plain file below the program folder, or whose size is not a
// number, is left out with a log line; the others are read. A file larger than any manifest
// can be is not read at all.
bool ReadManifest(const std::string& path, ManifestMap& files);

// A manifest file's bytes; false when it cannot be read or is larger than any manifest can be.
bool ReadManifestBytes(const std::string& path, std::string& bytes);

// The files of the server manifest that are missing from the local one or newer there.
// False when the server manifest is unreadable or empty; a bad local manifest counts as empty.
// leftOut receives the names of the server's entries that were refused.
bool BuildUpdateSet(const std::string& serverPath, const std::string& localPath, ManifestMap& updateSet,
                    std::set<std::string>* leftOut = nullptr);

// The local manifest's entry of that name; false when it has none.
bool FindLocalEntry(const UpdaterContext& context, const std::string& name, FileEntry& entry);

// After a new updater was taken back: the local manifest records the previous updater's version
// again, or no updater entry when it had none.
bool RestoreUpdaterRecord(const UpdaterContext& context, const FileEntry* previous);

// After the updater replaced itself: the local manifest records the updater's new version.
// False when the manifest could not be read or written.
bool RecordUpdaterVersion(const UpdaterContext& context, FileEntry entry);

// After an ordinary update: the received manifest becomes the local one. Files whose move
// failed keep their previous local version (or no entry when they were new), so that the next
// run fetches them again.
void RecordAppliedManifest(const UpdaterContext& context, const std::set<std::string>& notInstalled);
