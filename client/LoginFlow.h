#pragma once
// The login loop of the no-argument mode, the hand-off to the updater, and the start-mode
// refresh from a legacy cache table.
#include <string>

#include "VenueProfile.h"

// One pass of the login loop: true when the loop may stop (logged in, or the user gave up),
// false when it is to be run again.
bool TryLogin();

// Runs the login loop, then starts "Pelgrix.exe" with the venue's cashier server when the
// profile names one. True when the updater was started and the client must end.
bool StartUpdater();

// The updater's parameter text: "start " + address + " " + port.
std::wstring UpdaterParameters(const VenueProfile& profile);

// Logs in once more by the venue id of a legacy cache table, if one is left, then drops the
// legacy tables. Shows nothing.
void RefreshLegacyVenue();
