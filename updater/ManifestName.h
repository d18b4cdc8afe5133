#pragma once
// A manifest name is joined to "temp\" and to the program folder, so a name from the server is a
// file name only once it is proven to name a plain file below that folder, and not one of the
// updater's own files. Windows resolves a name before it uses it: '/' is a separator like '\',
// "." components go, and each component loses its trailing dots and spaces ("Orvanta.exe."
// is "Orvanta.exe"). Every check here is made on the name as resolved.
#include <cstddef>
#include <string>

enum class NameRefusal {
  None,
  LeavesFolder,     // empty, rooted, a drive, "..", an empty component: not a file below the folder
  BadCharacter,     // ':' (drive or alternate data stream), wildcards, control characters, < > " |
  DeviceName,       // CON, NUL, AUX, PRN, COM0-9, LPT0-9, CONIN$, CONOUT$, with any extension
  TooLong,          // longer than any narrow path can be
  UpdaterFile,      // the manifests, the staging folder, the updater's records and old copy
  UpdaterSpelling,  // another spelling of "Pelgrix.exe": never installed over the running updater
};

// The longest name in bytes; the program folder and "temp\" must still fit the narrow paths.
constexpr size_t kMaxNameBytes = 240;

// NameRefusal::None when the name may be fetched and installed; localName is then the name as
// Windows resolves it, which the staging and installing paths use.
NameRefusal CheckManifestName(const std::string& name, std::string& localName);

// ASCII letters in lower case, other bytes unchanged: Windows compares names without case.
std::string FoldNameCase(const std::string& name);

// True when the name is a program image (".exe" or ".dll" in any case) once resolved.
bool IsProgramImageName(const std::string& localName);

inline bool IsSafeManifestName(const std::string& name) {
  std::string localName;
  return CheckManifestName(name, localName) == NameRefusal::None;
}
