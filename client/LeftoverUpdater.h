#pragma once
// The updater's copy that a self-update leaves behind as "Pelgrix-2.exe".
#include <string>

// In the program folder (trailing backslash kept): deletes "Pelgrix-2.exe" when "Pelgrix.exe"
// exists. Without "Pelgrix.exe" the self-update was cut off between moving the old updater
// aside and putting the new one in place, and the copy is the PC's only updater: it is put back
// as "Pelgrix.exe". Failures are ignored.
void SettleLeftoverUpdater(const std::wstring& programDir);
