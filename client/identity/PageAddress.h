#pragma once
// The addresses of the shop page (main frame) and the three service pages (web dialogs), as
// UTF-8 text. Each carries the venue's identity and token and this PC's identity as query keys.
#include <string>

#include "ClientSettings.h"
#include "IdentityValues.h"
#include "VenueProfile.h"

enum class ServicePage {
  Call,     // calling the attendant (CallDialog), override "url1"
  Message,  // venue messages (LeaveDialog), override "url2"
  Karaoke,  // karaoke requests (SongDialog), override "url3"
};

// "https://" + the configured web host, without a trailing slash.
std::string DefaultWebBase();

// The shop page from the process's settings, a copy of its venue profile and this PC.
// Empty when the venue has no id and no "wbid" override is set.
std::string BuildShopUrl();
// The same from explicit values; the log lines follow settings.debug.
std::string BuildShopUrl(const ClientSettings& settings, const VenueProfile& profile,
                         const MachineIdentity& machine);

// A service page from the process's settings, a copy of its venue profile and this PC.
std::string BuildServiceUrl(ServicePage page);
// The same from explicit values; the log line follows settings.debug.
std::string BuildServiceUrl(ServicePage page, const ClientSettings& settings, const VenueProfile& profile,
                            const std::string& machineNo);
