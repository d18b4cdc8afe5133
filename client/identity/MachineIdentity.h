#pragma once
// The identity of this PC and client build as the shop and service pages see it: machine
// number, adapter address list and client version. Computed afresh on every call; nothing is
// cached.
#include <windows.h>
#include <iphlpapi.h>

#include <string>

#include "IdentityValues.h"

// The computer name, UTF-8 and percent-encoded; "unknown" when no name can be read.
std::string GetMachineNo();

// The hardware addresses of the adapters with a description and a first address byte other
// than 00, as "1c-6f-65-a2-3b-10, 0a-00-27-00-00-05"; "00-00-00-00-00" when none qualifies.
std::string GetMacList();
// The text for an adapter chain as GetAdaptersInfo returns it (null: no adapters).
std::string FormatMacList(const IP_ADAPTER_INFO* first);

// The product version of a file as "a.b.c.d"; L"unknown" when it has no readable version resource.
std::wstring GetClientVersion(const std::wstring& path);

// This PC's values, with the version of the running executable.
MachineIdentity CurrentMachineIdentity();
