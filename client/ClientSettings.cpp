#include "ClientSettings.h"

#include "ClientSettingsRead.h"

#include <windows.h>

#include "ModulePath.h"
#include "TextConvert.h"

namespace {

const wchar_t kConfig[] = L"CONFIG";

// The system's private-profile functions on one file.
class ProfileFile : public SettingsSource {
 public:
  explicit ProfileFile(const std::wstring& path) : path_(path) {}

  int32_t ReadInt(const wchar_t* section, const wchar_t* key) const override {
    return static_cast<int32_t>(GetPrivateProfileIntW(section, key, 0, path_.c_str()));
  }

  // The 260-unit buffer cuts a value to 259 units.
  std::wstring ReadText(const wchar_t* section, const wchar_t* key) const override {
    wchar_t buffer[260] = {};
    DWORD length = GetPrivateProfileStringW(section, key, L"", buffer, 260, path_.c_str());
    return std::wstring(buffer, length);
  }

  // Ordinal: a locale-aware comparison would let the user's locale decide whether "RIGHT" is
  // "right" (not so under a Turkish locale).
  bool EqualsIgnoringCase(const std::wstring& a, const wchar_t* b) const override {
    return CompareStringOrdinal(a.c_str(), static_cast<int>(a.size()), b, -1, TRUE) == CSTR_EQUAL;
  }

  std::string ToUtf8(const std::wstring& text) const override { return WideToUtf8(text); }

 private:
  const std::wstring path_;
};

}  // namespace

ClientSettings ReadClientSettings(const std::wstring& iniPath) {
  return ReadClientSettings(iniPath, ProfileFile(iniPath));
}

const ClientSettings& GetClientSettings() {
  static const ClientSettings settings = ReadClientSettings(GetModuleDir() + L"Setting.ini");
  return settings;
}

void WriteVenueName(const std::string& utf8Name) {
  WritePrivateProfileStringW(kConfig, L"wbname", Utf8ToWide(utf8Name).c_str(),
                             GetClientSettings().iniPath.c_str());
}
