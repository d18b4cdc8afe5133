#pragma once
// What the updater remembers of its own replacement, in two small files of the program folder:
// - "Pelgrix.trial" while a new "Pelgrix.exe" has not yet shown that it runs: the name where the
//   last working updater was put aside ("Pelgrix-2.exe" or "temp\Pelgrix-2.exe"), the new
//   version and the version on record before ("v:" + version, or nothing when there was none),
//   one per line. The new updater deletes it once it holds its mutex. A client that finds it at
//   its start knows the hand-over was cut off: it puts the old updater back and renames the
//   record "Pelgrix.retry".
// - "Pelgrix.retry": the next run puts the version on record before back, so that it tries the
//   self-update again, this time to its end.
// - "Pelgrix.rejected": the version of an updater that did not come alive, so that later runs
//   do not try it again at every boot (a newer version is tried normally).
#include <string>

#include "SelfUpdateFiles.h"
#include "UpdaterContext.h"

constexpr const wchar_t kTrialRecord[] = L"Pelgrix.trial";
constexpr const wchar_t kRejectedRecord[] = L"Pelgrix.rejected";
constexpr const wchar_t kRetryRecord[] = L"Pelgrix.retry";

// previous: the version on record before, nullptr when there was none.
bool WriteTrialRecord(const UpdaterContext& context, const std::wstring& aside, const std::string& version,
                      const std::string* previous);
bool TrialRecordExists(const UpdaterContext& context);
// The aside name recorded, when it is one of the two the updater uses.
bool ReadTrialAside(const UpdaterContext& context, std::wstring& aside);
void DeleteTrialRecord(const UpdaterContext& context);

// A retry record left by the client: true with the version on record before the cut
// (hasPrevious false: there was none). The record is deleted.
bool TakeRetryRecord(const UpdaterContext& context, bool& hasPrevious, std::string& previous);

bool WriteRejectedVersion(const UpdaterContext& context, const std::string& version);
// True when this exact version text is the one on record as not coming alive.
bool IsRejectedVersion(const UpdaterContext& context, const std::string& version);
