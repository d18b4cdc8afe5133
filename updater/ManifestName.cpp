#include "ManifestName.h"

bool IsSafeManifestName(const std::string& name) {
  if (name.empty()) return false;
  if (name[0] == '\\' || name[0] == '/') return false;  // rooted, or a UNC path
  if (name.find(':') != std::string::npos) return false;
  size_t start = 0;
  while (start <= name.size()) {
    size_t end = name.find_first_of("\\/", start);
    if (end == std::string::npos) end = name.size();
    if (name.compare(start, end - start, "..") == 0) return false;
    start = end + 1;
  }
  return true;
}
