#pragma once
// Installing an update: every file is fetched into "temp\" and checked before any is moved
// over the installed one; the updater replaces itself on its own (self-update).
#include <cstdint>
#include <set>
#include <string>

#include "FileEntry.h"
#include "UpdaterContext.h"

// True when the file exists and has the expected size (0 accepts any size).
bool CheckFileSize(const std::string& ansiPath, uint32_t expected);

// Nothing in "temp\" is ever reused: a run starts by deleting the files earlier runs left there
// (folders stay, a file in use stays).
void EmptyStaging(const UpdaterContext& context);

// Fetches and checks every file of the set, then moves them all into place and records the
// received manifest. False after the first fetch or size failure (nothing moved then; the
// failed file is deleted). leftOut: names of the server manifest that were refused; they are
// not recorded as applied.
bool ApplyUpdates(const UpdaterContext& context, const std::string& address, const ManifestMap& updateSet,
                  int port, const std::set<std::string>& leftOut = {});

// Fetches the new updater, moves the running one aside (to "Pelgrix-2.exe", or to
// "temp\Pelgrix-2.exe" when that name stays taken), puts the new one in its place, records its
// version and leaves the trial record. False when it is not in place (the old one is then);
// aside then receives where the old one went.
bool SelfUpdate(const UpdaterContext& context, const std::string& address, const FileEntry& entry, int port,
                std::wstring* aside = nullptr);

// The new updater did not come alive: it goes out of the way (into "temp\"), the old one from
// aside back to "Pelgrix.exe", the version is remembered as rejected and the local manifest
// records previous again (none: no updater entry). False when the old one could not be put back.
bool TakeBackSelfUpdate(const UpdaterContext& context, const std::wstring& aside, const FileEntry& rejected,
                        const FileEntry* previous);
