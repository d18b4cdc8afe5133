#pragma once
// The identity of this PC as texts, and the encoding that puts texts into page addresses.
#include <string>

// Percent-encoding of a byte string: letters, digits and "-_.~" stay, a space becomes "+",
// every other byte becomes "%" and two upper-case hex digits.
std::string UrlEncode(const std::string& bytes);

struct MachineIdentity {
  std::string machineNo;      // machine_no
  std::string clientVersion;  // cv, UTF-8
  std::string macList;        // mac
};
