#pragma once
// Installing an update: every file is fetched into "temp\" and checked before any is moved
// over the installed one; the updater replaces itself on its own (self-update).
#include <cstdint>
#include <string>

#include "FileEntry.h"
#include "UpdaterContext.h"

// True when the file exists and has the expected size (0 accepts any size).
bool CheckFileSize(const std::string& ansiPath, uint32_t expected);

// Fetches and checks every file of the set, then moves them all into place and records the
// received manifest. False after the first fetch or size failure (nothing moved then).
bool ApplyUpdates(const UpdaterContext& context, const std::string& address, const ManifestMap& updateSet,
                  int port);

// Fetches the new updater, moves the running one aside to "Pelgrix-2.exe", puts the new one in
// its place and records its version. False when it is not in place (the old one is then).
bool SelfUpdate(const UpdaterContext& context, const std::string& address, const FileEntry& entry, int port);
