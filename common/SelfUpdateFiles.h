#pragma once
// The files a self-update leaves in the program folder, as both programs read them: the updater
// writes them, the client settles them at its start.
#include <string>

// Where the running updater is put aside, in this order: the first name may be held open.
constexpr const wchar_t kAsideName[] = L"Pelgrix-2.exe";
constexpr const wchar_t kAsideFallbackName[] = L"temp\\Pelgrix-2.exe";

// The aside name on a trial record's first line; empty unless it is one of the two above, so
// that a record naming any other file is never followed.
std::wstring TrialRecordAside(const std::string& recordBytes);

// A read-only file can be neither moved over on Windows nor deleted: the attribute goes first.
void ClearReadOnly(const std::wstring& path);
