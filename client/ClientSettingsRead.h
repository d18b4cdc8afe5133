#pragma once
// Reading the settings from a private-profile source. The source does what the system's
// private-profile functions do; the rules of the client's keys are here.
#include <string>

#include "ClientSettings.h"

class SettingsSource {
 public:
  virtual ~SettingsSource() = default;
  // The key's value as an integer, 0 when it is missing or does not start with a number.
  virtual int32_t ReadInt(const wchar_t* section, const wchar_t* key) const = 0;
  // The key's value cut to 259 UTF-16 units; empty when the key is missing or empty.
  virtual std::wstring ReadText(const wchar_t* section, const wchar_t* key) const = 0;
  // Ordinal comparison ignoring case.
  virtual bool EqualsIgnoringCase(const std::wstring& a, const wchar_t* b) const = 0;
  // UTF-16 to UTF-8; empty when the conversion fails.
  virtual std::string ToUtf8(const std::wstring& text) const = 0;
};

ClientSettings ReadClientSettings(const std::wstring& iniPath, const SettingsSource& source);
