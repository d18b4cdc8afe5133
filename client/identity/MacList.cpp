#include <vector>

#include "MachineIdentity.h"

namespace {
const char kNoAdapter[] = "00-00-00-00-00";
}

std::string FormatMacList(const IP_ADAPTER_INFO* first) {
  static const char kHex[] = "0123456789abcdef";
  std::string out;
  for (const IP_ADAPTER_INFO* a = first; a != nullptr; a = a->Next) {
    // A length beyond the Address array would read past the record.
    UINT length =
        a->AddressLength < MAX_ADAPTER_ADDRESS_LENGTH ? a->AddressLength : MAX_ADAPTER_ADDRESS_LENGTH;
    if (a->Description[0] == '\0' || length == 0 || a->Address[0] == 0) continue;
    if (!out.empty()) out += ", ";
    for (UINT i = 0; i < length; ++i) {
      if (i > 0) out += '-';
      out += kHex[a->Address[i] >> 4];
      out += kHex[a->Address[i] & 0x0F];
    }
  }
  return out.empty() ? kNoAdapter : out;
}

std::string GetMacList() {
  // One record of this platform to start with (its size differs between the 32- and 64-bit
  // builds); a vector of records keeps the buffer zeroed and aligned for the chain's pointers.
  std::vector<IP_ADAPTER_INFO> records(1);
  ULONG size = sizeof(IP_ADAPTER_INFO);
  DWORD rc = GetAdaptersInfo(records.data(), &size);
  // An adapter may appear between the two calls; grow a few times, not forever.
  for (int attempt = 0; rc == ERROR_BUFFER_OVERFLOW && attempt < 3; ++attempt) {
    records.assign((size + sizeof(IP_ADAPTER_INFO) - 1) / sizeof(IP_ADAPTER_INFO), IP_ADAPTER_INFO{});
    size = static_cast<ULONG>(records.size() * sizeof(IP_ADAPTER_INFO));
    rc = GetAdaptersInfo(records.data(), &size);
  }
  if (rc != ERROR_SUCCESS) return kNoAdapter;
  return FormatMacList(records.data());
}
