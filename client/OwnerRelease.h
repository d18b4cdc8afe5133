#pragma once
// The desktop's window is disabled while a dialog of the client is open. It belongs to another
// process, so every end of the client that the client can act on must enable it again.

// Installs the process-wide unhandled-exception filter and the terminate handler that enable
// the owners of open dialogs before the process dies.
void InstallOwnerRelease();

// Enables the owners of open dialogs again (for an error caught at the top of the client).
void ReleaseDisabledOwners() noexcept;
