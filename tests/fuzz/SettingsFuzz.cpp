// The settings file: the input is read as a private-profile file ("[section]" lines and
// "key=value" lines) by a source that behaves like the system's private-profile functions.
#include <cstdint>
#include <cstdlib>
#include <cwctype>
#include <map>
#include <string>

#include "ClientSettingsRead.h"
#include "TextConvert.h"

namespace {

std::wstring Trim(const std::wstring& s) {
  size_t b = s.find_first_not_of(L" \t\r");
  if (b == std::wstring::npos) return std::wstring();
  size_t e = s.find_last_not_of(L" \t\r");
  return s.substr(b, e - b + 1);
}

std::wstring Upper(std::wstring s) {
  for (wchar_t& c : s) c = static_cast<wchar_t>(std::towupper(static_cast<wint_t>(c)));
  return s;
}

class TextProfile : public SettingsSource {
 public:
  explicit TextProfile(const std::wstring& text) {
    std::wstring section;
    size_t start = 0;
    while (start <= text.size()) {
      size_t end = text.find(L'\n', start);
      if (end == std::wstring::npos) end = text.size();
      std::wstring line = Trim(text.substr(start, end - start));
      if (!line.empty() && line.front() == L'[') {
        size_t close = line.find(L']');
        section = Upper(line.substr(1, close == std::wstring::npos ? std::wstring::npos : close - 1));
      } else {
        size_t eq = line.find(L'=');
        if (eq != std::wstring::npos) {
          values_.emplace(section + L"/" + Upper(Trim(line.substr(0, eq))), Trim(line.substr(eq + 1)));
        }
      }
      start = end + 1;
    }
  }

  int32_t ReadInt(const wchar_t* section, const wchar_t* key) const override {
    std::wstring text = Value(section, key);
    size_t i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == L'-' || text[i] == L'+')) negative = text[i++] == L'-';
    uint32_t value = 0;
    for (; i < text.size() && text[i] >= L'0' && text[i] <= L'9'; ++i) {
      value = value * 10u + static_cast<uint32_t>(text[i] - L'0');
    }
    return static_cast<int32_t>(negative ? 0u - value : value);
  }

  std::wstring ReadText(const wchar_t* section, const wchar_t* key) const override {
    std::wstring text = Value(section, key);
    if (text.size() > 259) text.resize(259);
    return text;
  }

  bool EqualsIgnoringCase(const std::wstring& a, const wchar_t* b) const override {
    return Upper(a) == Upper(b);
  }

  std::string ToUtf8(const std::wstring& text) const override { return WideToUtf8(text); }

 private:
  std::wstring Value(const wchar_t* section, const wchar_t* key) const {
    auto found = values_.find(Upper(section) + L"/" + Upper(key));
    return found == values_.end() ? std::wstring() : found->second;
  }

  std::map<std::wstring, std::wstring> values_;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::wstring text = Utf8ToWide(std::string(reinterpret_cast<const char*>(data), size));
  ClientSettings s = ReadClientSettings(L"Setting.ini", TextProfile(text));
  if (s.align < 0 || s.align > 3 || s.valign < 0 || s.valign > 3) std::abort();
  if (s.alignspace == 0 || s.valignspace == 0) std::abort();
  if (s.url.size() > 259 * 4 || s.wbname.size() > 259 * 4) std::abort();
  return 0;
}
