#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstring>
#include <string>
#include <vector>

#include "MachineIdentity.h"

namespace {

struct EncodeCase {
  const char* name;
  std::string in;
  std::string out;
};

TEST(UrlEncode, EncodesEachByteByTheRule) {
  const EncodeCase cases[] = {
      {"empty", "", ""},
      {"letters and digits", "AZaz09Pc7", "AZaz09Pc7"},
      {"unreserved marks", "-_.~", "-_.~"},
      {"space", "PC 01", "PC+01"},
      {"chinese, upper-case escapes per byte", "网吧-01", "%E7%BD%91%E5%90%A7-01"},
      {"query delimiters", "a&b=c?d#e/f", "a%26b%3Dc%3Fd%23e%2Ff"},
      {"plus and percent", "+%", "%2B%25"},
      {"control bytes", std::string("\0\n\x1f", 3), "%00%0A%1F"},
      {"edges of the ascii range", "!\x7f", "%21%7F"},
      {"high bytes", "\x80\xff", "%80%FF"},
      {"other punctuation", "\"'()*,:;<>@[\\]^`{|}",
       "%22%27%28%29%2A%2C%3A%3B%3C%3E%40%5B%5C%5D%5E%60%7B%7C%7D"},
  };
  for (const auto& c : cases) EXPECT_EQ(c.out, UrlEncode(c.in)) << c.name;
}

bool QuerySafe(const std::string& text) {
  return std::all_of(text.begin(), text.end(), [](char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') ||
           std::strchr("-_.~+%", c) != nullptr;
  });
}

TEST(MachineNo, IsTheEncodedComputerName) {
  std::string machineNo = GetMachineNo();
  ASSERT_FALSE(machineNo.empty());
  EXPECT_TRUE(QuerySafe(machineNo)) << machineNo;
  wchar_t name[260] = {};
  DWORD size = 260;
  ASSERT_TRUE(GetComputerNameW(name, &size));
  bool plainAscii = std::all_of(name, name + size, [](wchar_t c) {
    return (c >= L'A' && c <= L'Z') || (c >= L'a' && c <= L'z') || (c >= L'0' && c <= L'9') || c == L'-';
  });
  if (plainAscii) {
    EXPECT_EQ(std::string(name, name + size), machineNo);
  }
}

struct FakeAdapter {
  std::string description;
  std::vector<BYTE> address;
  int length = -1;  // AddressLength; -1: the address's size
};

// Lays the adapters out as GetAdaptersInfo does: zeroed records chained through Next.
std::string Format(const std::vector<FakeAdapter>& adapters) {
  std::vector<IP_ADAPTER_INFO> records(adapters.size());
  for (size_t i = 0; i < adapters.size(); ++i) {
    const FakeAdapter& a = adapters[i];
    IP_ADAPTER_INFO& r = records[i];
    std::memcpy(r.Description, a.description.data(),
                std::min(a.description.size(), sizeof r.Description - 1));
    std::memcpy(r.Address, a.address.data(), std::min(a.address.size(), sizeof r.Address));
    r.AddressLength = a.length < 0 ? static_cast<UINT>(a.address.size()) : static_cast<UINT>(a.length);
    r.Next = i + 1 < records.size() ? &records[i + 1] : nullptr;
  }
  return FormatMacList(records.empty() ? nullptr : records.data());
}

struct MacCase {
  const char* name;
  std::vector<FakeAdapter> adapters;
  std::string expected;
};

TEST(MacList, FormatsQualifyingAdaptersInSystemOrder) {
  const std::vector<BYTE> eth = {0x1c, 0x6f, 0x65, 0xa2, 0x3b, 0x10};
  const std::vector<BYTE> vbox = {0x0a, 0x00, 0x27, 0x00, 0x00, 0x05};
  const std::vector<BYTE> zeroLead = {0x00, 0x50, 0x56, 0xc0, 0x00, 0x08};
  const MacCase cases[] = {
      {"no adapters", {}, "00-00-00-00-00"},
      {"one adapter", {{"Ethernet", eth}}, "1c-6f-65-a2-3b-10"},
      {"two adapters joined by comma and space",
       {{"Ethernet", eth}, {"VirtualBox", vbox}},
       "1c-6f-65-a2-3b-10, 0a-00-27-00-00-05"},
      {"system order kept",
       {{"VirtualBox", vbox}, {"Ethernet", eth}},
       "0a-00-27-00-00-05, 1c-6f-65-a2-3b-10"},
      {"lower-case hex", {{"x", {0xAB, 0xCD, 0xEF, 0x0A, 0xF0, 0x9B}}}, "ab-cd-ef-0a-f0-9b"},
      {"address starting with 00 left out", {{"VMware", zeroLead}, {"Ethernet", eth}}, "1c-6f-65-a2-3b-10"},
      {"only a 00 address", {{"VMware", zeroLead}}, "00-00-00-00-00"},
      {"empty description left out", {{"", eth}, {"VirtualBox", vbox}}, "0a-00-27-00-00-05"},
      {"middle adapter left out",
       {{"Ethernet", eth}, {"", vbox}, {"VirtualBox", vbox}},
       "1c-6f-65-a2-3b-10, 0a-00-27-00-00-05"},
      {"nothing qualifies", {{"", eth}, {"VMware", zeroLead}}, "00-00-00-00-00"},
      {"eight-byte address", {{"FireWire", {1, 2, 3, 4, 5, 6, 7, 8}}}, "01-02-03-04-05-06-07-08"},
      {"length only as far as the address array",
       {{"Broken", {1, 2, 3, 4, 5, 6, 7, 8}, 200}},
       "01-02-03-04-05-06-07-08"},
      {"zero length has no first byte", {{"Tunnel", eth, 0}}, "00-00-00-00-00"},
  };
  for (const auto& c : cases) EXPECT_EQ(c.expected, Format(c.adapters)) << c.name;
}

// Groups of two lower-case hex digits joined by "-", adapters joined by ", ".
bool LooksLikeMacList(const std::string& text) {
  size_t pos = 0;
  for (;;) {
    if (pos + 2 > text.size() || !std::isxdigit(static_cast<unsigned char>(text[pos])) ||
        !std::isxdigit(static_cast<unsigned char>(text[pos + 1])) ||
        std::isupper(static_cast<unsigned char>(text[pos])) ||
        std::isupper(static_cast<unsigned char>(text[pos + 1]))) {
      return false;
    }
    pos += 2;
    if (pos == text.size()) return true;
    if (text[pos] == '-') {
      pos += 1;
    } else if (text.compare(pos, 2, ", ") == 0) {
      pos += 2;
    } else {
      return false;
    }
  }
}

TEST(MacList, SystemListIsWellFormed) {
  std::string list = GetMacList();
  EXPECT_TRUE(LooksLikeMacList(list)) << list;
  if (list == "00-00-00-00-00") return;
  for (size_t start = 0; start < list.size();) {
    EXPECT_NE("00", list.substr(start, 2)) << list;
    size_t next = list.find(", ", start);
    start = next == std::string::npos ? list.size() : next + 2;
  }
}

}  // namespace
