#pragma once
// The client's local configuration, "Setting.ini" beside the executable, read once on first use.
#include <cstdint>
#include <string>

struct ClientSettings {
  std::wstring iniPath;
  bool debug = false;
  std::string url;
  std::string request;
  int32_t wbid = 0;
  std::string wbname;
  bool showlogo = false;
  int32_t logowidth = 0;
  int32_t logoheight = 0;
  int32_t miniwidth = 0;
  int32_t miniheight = 0;
  int32_t maxwidth = 0;
  int32_t maxheight = 0;
  int32_t align = 0;  // 1 left, 2 center, 3 right, 0 none
  int32_t alignspace = 20;
  int32_t valign = 0;  // 1 top, 2 center, 3 bottom, 0 none
  int32_t valignspace = 20;
  int32_t xpos = 0;
  int32_t ypos = 0;
  bool tip_show = false;
  int32_t tip_width = 0;
  int32_t tip_height = 0;
  bool devtools = false;
  std::string url1;
  std::string url2;
  std::string url3;
};

// The process's settings, read from "Setting.ini" at the first call.
const ClientSettings& GetClientSettings();

// Reads a settings file into a fresh object (what the accessor does once, with the default path).
ClientSettings ReadClientSettings(const std::wstring& iniPath);

// Writes CONFIG/wbname into the settings file; the running settings keep their value.
void WriteVenueName(const std::string& utf8Name);
