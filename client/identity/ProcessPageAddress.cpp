// The page addresses from the process's settings, venue profile and this PC.
#include "MachineIdentity.h"
#include "PageAddress.h"

std::string BuildShopUrl() {
  const VenueProfile profile = GetVenueProfile();
  return BuildShopUrl(GetClientSettings(), profile, CurrentMachineIdentity());
}

std::string BuildServiceUrl(ServicePage page) {
  const VenueProfile profile = GetVenueProfile();
  return BuildServiceUrl(page, GetClientSettings(), profile, GetMachineNo());
}
