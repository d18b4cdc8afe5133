#include "LoginReplyRead.h"

#include <json/json.h>

namespace {

// JsonCpp's own conversions: a negative, out-of-range or non-numeric value throws.
int32_t ReadUnsigned(const Json::Value& value) { return static_cast<int32_t>(value.asUInt()); }

// A flag sent as text or number: anything but the exact text "0" is on.
bool ReadFlag(const Json::Value& value) { return value.asString() != "0"; }

}  // namespace

LoginReplyRead ReadLoginReply(const std::string& reply, VenueProfile& profile, LoginReplyStore& store) {
  Json::Value root;
  {
    Json::Reader reader;
    bool parsed = false;
    try {
      parsed = reader.parse(reply, root);
    } catch (...) {
      parsed = false;
    }
    if (!parsed) return LoginReplyRead::NotJson;
  }
  try {
    const Json::Value& doc = root;
    profile.errcode = doc["errcode"].asInt();
    if (profile.errcode != 0) {
      profile.errmsg = doc["errmsg"].asString();
      return LoginReplyRead::Refused;
    }
    const Json::Value& data = doc["data"];
    profile.token = data["token"].asString();
    profile.service_ip = data["service_ip"].asString();
    profile.service_ips = data["service_ips"].asString();
    profile.service_port = ReadUnsigned(data["service_port"]);
    profile.client_hide_time = ReadUnsigned(data["client_hide_time"]);
    profile.skin = ReadUnsigned(data["skin"]);
    profile.id = data["id"].asString();
    profile.realname = data["realname"].asString();
    profile.client_is_mini = ReadFlag(data["client_is_mini"]);
    profile.client_position = ReadUnsigned(data["client_position"]);

    store.StoreProfile(profile);
    const Json::Value& toolbar = data["client_toolbar"];
    for (Json::ArrayIndex i = 0; i < toolbar.size(); ++i) {
      const Json::Value& element = toolbar[i];
      ToolEntry tool;
      tool.idx = static_cast<int32_t>(i);
      tool.name = element["name"].asString();
      tool.open = ReadFlag(element["is_open"]);
      tool.img = element["img"].asString();
      tool.path = element["path"].asString();
      tool.type = ReadUnsigned(element["type"]);
      store.StoreTool(tool);
      profile.client_toolbar.push_back(tool);
    }
    return LoginReplyRead::Accepted;
  } catch (...) {
    return LoginReplyRead::Malformed;
  }
}
