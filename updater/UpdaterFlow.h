#pragma once
// The updater's run, from the start-up pause to the start of the client.
#include <string>

#include "UpdaterContext.h"

// Runs the whole update for the wide argument vector (exactly: path, "start", address, port).
// The caller installs the crash filter before and shuts the log down after.
void RunUpdater(int argc, wchar_t** argv, const UpdaterContext& context);

// Starts program folder + "Orvanta.exe" with the parameters "start ".
void StartClient(const UpdaterContext& context);
