#pragma once
// Builds small ZIP archives in memory, so that package and builder tests can give the reader
// exactly the entries (and the damage) they need.
#include <string>
#include <vector>

namespace toolkittest {

struct ZipEntry {
  std::string name;
  std::string data;
  bool deflate = true;
};

std::string MakeZip(const std::vector<ZipEntry>& entries);

}  // namespace toolkittest
