#pragma once
// The venue profile from the login reply or the cache, and one tool of the tool strip.
// Texts hold UTF-8 bytes. Both are plain values: copying copies everything.
#include <cstdint>
#include <string>
#include <vector>

struct ToolEntry {
  int32_t idx = 0;
  bool open = false;
  int32_t type = 0;
  std::string name;
  std::string img;
  std::string path;
};

struct VenueProfile {
  int32_t errcode = 0;
  std::string errmsg;
  std::string token;
  std::string service_ip;
  std::string service_ips;
  int32_t service_port = 0;
  int32_t client_hide_time = 0;
  int32_t skin = 0;
  std::string id = "0";
  std::string realname = "unknown";
  bool client_is_mini = false;
  int32_t client_position = 0;
  std::vector<ToolEntry> client_toolbar;
};

// The process's venue profile, created with the defaults on first use.
inline VenueProfile& GetVenueProfile() {
  static VenueProfile profile;
  return profile;
}
