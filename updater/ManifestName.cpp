#include "ManifestName.h"

bool IsSafeManifestName(const std::string& name) {
  if (name.empty()) return false;
  if (name[0] == '\\' || name[0] == '/') return false;  // rooted, or a UNC path
  if (name.find(':') != std::string::npos) return false;
  size_t start = 0;
  while (start <= name.size()) {
    size_t end = name.find_first_of("\\/", start);
    if (end == std::string::npos) end = name.size();
    // Windows drops trailing dots and spaces from names, so ".. " or "..." can act as "..":
    // a component of dots and spaces alone is refused ("." itself stays where it is).
    const std::string component = name.substr(start, end - start);
    if (component != "." && !component.empty() && component.find_first_not_of(". ") == std::string::npos) {
      return false;
    }
    start = end + 1;
  }
  return true;
}
