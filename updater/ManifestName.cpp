#include "ManifestName.h"

#include <vector>

namespace {

// The files the updater keeps for itself in the program folder (lower case, as resolved).
const char* const kUpdaterFiles[] = {
    "serverlist.xml",    "updatelist.xml",   "updatelist.xml.tmp",   "pelgrix-2.exe", "pelgrix.trial",
    "pelgrix.trial.tmp", "pelgrix.rejected", "pelgrix.rejected.tmp", "pelgrix.retry",
};

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

bool IsBadCharacter(unsigned char c) {
  return c < 0x20 || c == ':' || c == '*' || c == '?' || c == '"' || c == '<' || c == '>' || c == '|';
}

// Windows treats a device name as the device whatever follows its first dot, and ignores
// trailing spaces before that dot: "NUL.txt" and "com1 .log" are devices.
bool IsDeviceName(const std::string& component) {
  std::string base = FoldNameCase(component.substr(0, component.find('.')));
  while (!base.empty() && base.back() == ' ') base.pop_back();
  if (base == "con" || base == "prn" || base == "aux" || base == "nul" || base == "conin$" ||
      base == "conout$") {
    return true;
  }
  return base.size() == 4 && (base.compare(0, 3, "com") == 0 || base.compare(0, 3, "lpt") == 0) &&
         base[3] >= '0' && base[3] <= '9';
}

}  // namespace

std::string FoldNameCase(const std::string& name) {
  std::string folded = name;
  for (char& c : folded) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return folded;
}

bool IsProgramImageName(const std::string& localName) {
  const std::string folded = FoldNameCase(localName);
  auto endsWith = [&](const char* suffix) {
    const std::string s(suffix);
    return folded.size() >= s.size() && folded.compare(folded.size() - s.size(), s.size(), s) == 0;
  };
  return endsWith(".exe") || endsWith(".dll");
}

NameRefusal CheckManifestName(const std::string& name, std::string& localName) {
  localName.clear();
  if (name.empty() || IsSeparator(name[0])) return NameRefusal::LeavesFolder;  // rooted, or UNC
  if (name.size() > kMaxNameBytes) return NameRefusal::TooLong;
  for (unsigned char c : name) {
    if (IsBadCharacter(c)) return NameRefusal::BadCharacter;
  }
  std::vector<std::string> components;
  size_t start = 0;
  for (;;) {
    size_t end = start;
    while (end < name.size() && !IsSeparator(name[end])) ++end;
    std::string component = name.substr(start, end - start);
    if (component != ".") {
      // Windows drops trailing dots and spaces: ".. " and "..." act as "..", " " as nothing.
      while (!component.empty() && (component.back() == '.' || component.back() == ' ')) component.pop_back();
      if (component.empty()) return NameRefusal::LeavesFolder;  // "..", "a\\\\b", "a\\", " "
      if (IsDeviceName(component)) return NameRefusal::DeviceName;
      components.push_back(component);
    }
    if (end == name.size()) break;
    start = end + 1;
  }
  if (components.empty()) return NameRefusal::LeavesFolder;

  std::string resolved;
  for (const std::string& component : components) {
    if (!resolved.empty()) resolved += '\\';
    resolved += component;
  }
  const std::string folded = FoldNameCase(resolved);
  if (FoldNameCase(components.front()) == "temp") return NameRefusal::UpdaterFile;  // the staging folder
  for (const char* own : kUpdaterFiles) {
    if (folded == own) return NameRefusal::UpdaterFile;
  }
  if (folded == "pelgrix.exe" && name != "Pelgrix.exe") return NameRefusal::UpdaterSpelling;
  localName = resolved;
  return NameRefusal::None;
}
