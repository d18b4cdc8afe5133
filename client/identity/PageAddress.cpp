#include "PageAddress.h"

#include <cstdint>

#include "Logger.h"
#include "TextConvert.h"

#ifndef ORV_WEB_HOST
#error "ORV_WEB_HOST (the pages' web host) comes from the build settings"
#endif

namespace {

// The client's log rule, decided by the settings the address is built from.
void Log(const ClientSettings& settings, LogLevel level, const std::string& message) {
  if (settings.debug) GetLogger().Write(level, message);
}

}  // namespace

std::string DefaultWebBase() { return std::string("https://") + ORV_WEB_HOST; }

std::string BuildShopUrl(const ClientSettings& settings, const VenueProfile& profile,
                         const MachineIdentity& machine) {
  std::string venue;
  if (settings.wbid != 0) {
    venue = std::to_string(static_cast<uint32_t>(settings.wbid));
  } else if (profile.id.empty() || profile.id == "0") {
    Log(settings, LogLevel::Error, WideToGbk(L"网吧ID出错."));
    return std::string();
  } else {
    venue = profile.id;
  }
  std::string url = settings.url.empty() ? DefaultWebBase() : settings.url;
  url += "/shop/";
  url += "?wb_id=" + venue;
  url += "&token=" + profile.token;
  url += "&machine_no=" + machine.machineNo;
  url += "&cv=" + machine.clientVersion;
  url += "&mac=" + machine.macList;
  url += "&is_c=1";
  url += "&wbname=" + profile.realname;
  url += "&theme=" + IntToString(profile.skin);
  Log(settings, LogLevel::Debug, url);
  return url;
}

std::string BuildServiceUrl(ServicePage page, const ClientSettings& settings, const VenueProfile& profile,
                            const std::string& machineNo) {
  const std::string* override = &settings.url1;
  const char* path = "/shop_ext/#/call_network_manage";
  if (page == ServicePage::Message) {
    override = &settings.url2;
    path = "/shop_ext/#/netbar_message";
  } else if (page == ServicePage::Karaoke) {
    override = &settings.url3;
    path = "/shop_ext/#/karaoke";
  }
  // The query follows the "#" fragment on purpose: the pages read it from there.
  std::string url = override->empty() ? DefaultWebBase() + path : *override;
  url += "/?token=" + profile.token;
  url += "&machine_no=" + machineNo;
  Log(settings, LogLevel::Info, url);
  return url;
}
