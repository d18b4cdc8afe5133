#pragma once
// The updater's copy that a self-update leaves behind as "Pelgrix-2.exe" (or, when that name
// was held, as "temp\Pelgrix-2.exe"), and the updater's trial record "Pelgrix.trial", which
// stays while a new "Pelgrix.exe" has not shown that it runs.
#include <string>

// In the program folder (trailing backslash kept):
// - with a trial record, the new updater never came alive (a cut during the hand-over): the
//   copy it names is put back as "Pelgrix.exe", the unconfirmed one goes into "temp\", and the
//   record becomes "Pelgrix.retry", by which the updater's next run tries the self-update again;
// - otherwise "Pelgrix-2.exe" is deleted when "Pelgrix.exe" exists (read-only or not), and put
//   back as "Pelgrix.exe" when it is the PC's only updater.
// Failures are ignored.
void SettleLeftoverUpdater(const std::wstring& programDir);
