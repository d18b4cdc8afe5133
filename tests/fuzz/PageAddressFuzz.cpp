// The address builders with profile and settings texts from the input (fields separated by
// NUL bytes). UrlEncode must give only address-safe characters and decode back to its input.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "PageAddress.h"

namespace {

bool IsPlain(unsigned char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' || c == '_' ||
         c == '.' || c == '~';
}

int Hex(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  std::abort();
}

void CheckEncoding(const std::string& bytes) {
  std::string encoded = UrlEncode(bytes);
  std::string decoded;
  for (size_t i = 0; i < encoded.size(); ++i) {
    unsigned char c = static_cast<unsigned char>(encoded[i]);
    if (c == '+') {
      decoded += ' ';
    } else if (c == '%') {
      if (encoded.size() - i < 3) std::abort();
      decoded += static_cast<char>(Hex(encoded[i + 1]) * 16 + Hex(encoded[i + 2]));
      i += 2;
    } else if (IsPlain(c)) {
      decoded += static_cast<char>(c);
    } else {
      std::abort();
    }
  }
  if (decoded != bytes) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string text(reinterpret_cast<const char*>(data), size);
  std::vector<std::string> fields;
  size_t start = 0;
  for (;;) {
    size_t end = text.find('\0', start);
    fields.push_back(text.substr(start, end == std::string::npos ? std::string::npos : end - start));
    if (end == std::string::npos) break;
    start = end + 1;
  }
  fields.resize(10);
  for (const std::string& field : fields) CheckEncoding(field);

  ClientSettings settings;
  settings.url = fields[0];
  settings.url1 = fields[1];
  settings.url2 = fields[2];
  settings.url3 = fields[3];
  settings.wbid =
      fields[4].empty() ? 0 : static_cast<int32_t>(static_cast<unsigned char>(fields[4][0]) - 128);
  VenueProfile profile;
  profile.token = fields[5];
  profile.id = fields[6];
  profile.realname = fields[7];
  profile.skin =
      fields[8].empty()
          ? 0
          : static_cast<int32_t>(static_cast<uint32_t>(static_cast<unsigned char>(fields[8][0])) << 24);
  MachineIdentity machine{UrlEncode(fields[9]), fields[9], fields[9]};
  std::string shop = BuildShopUrl(settings, profile, machine);
  if (!shop.empty() && shop.find("&token=" + profile.token) == std::string::npos) std::abort();
  for (ServicePage page : {ServicePage::Call, ServicePage::Message, ServicePage::Karaoke}) {
    std::string url = BuildServiceUrl(page, settings, profile, machine.machineNo);
    if (url.find("/?token=" + profile.token + "&machine_no=" + machine.machineNo) == std::string::npos) {
      std::abort();
    }
  }
  return 0;
}
