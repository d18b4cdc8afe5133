#include "ManifestParse.h"

#include <set>

#include <tinyxml2.h>

#include "VersionCompare.h"

namespace {

// 64 hex digits in either case, kept in lower case.
bool ReadSha256(const char* text, std::string& hex) {
  hex = text;
  if (hex.size() != 64) return false;
  for (char& c : hex) {
    if (c >= 'A' && c <= 'F') c = static_cast<char>(c - 'A' + 'a');
    if (!((c >= '0' && c <= '9') || (c >= 'a' && c <= 'f'))) return false;
  }
  return true;
}

}  // namespace

ManifestParse ParseManifest(const char* data, size_t size, ManifestMap& files,
                            std::vector<RefusedEntry>& refused) {
  files.clear();
  refused.clear();
  tinyxml2::XMLDocument doc;
  if (doc.Parse(data, size) != tinyxml2::XML_SUCCESS) return ManifestParse::NotXml;
  tinyxml2::XMLElement* root = doc.FirstChildElement("AutoUpdater");
  tinyxml2::XMLElement* list = root ? root->FirstChildElement("Files") : nullptr;
  if (!list) return ManifestParse::NoFileList;

  ManifestMap read;
  std::set<std::string> seen;        // names as listed, refused ones included
  std::set<std::string> localNames;  // folded: the files already taken
  // The file list: the first "File" child, then every following sibling element, whatever its name.
  for (tinyxml2::XMLElement* element = list->FirstChildElement("File"); element;
       element = element->NextSiblingElement()) {
    const tinyxml2::XMLAttribute* verAttr = element->FirstAttribute();
    const tinyxml2::XMLAttribute* nameAttr = verAttr ? verAttr->Next() : nullptr;
    // An element without a version and a name names no file: it is passed over.
    if (!nameAttr) continue;
    const tinyxml2::XMLAttribute* sizeAttr = nameAttr->Next();

    FileEntry entry;
    entry.ver = verAttr->Value();
    entry.name = nameAttr->Value();
    if (!seen.insert(entry.name).second) continue;  // a name listed twice keeps its first entry
    std::string localName;
    const NameRefusal refusal = CheckManifestName(entry.name, localName);
    if (refusal != NameRefusal::None) {
      refused.push_back({entry.name, RefusedEntry::Why::Name, refusal});
      continue;
    }
    unsigned long parsedSize = 0;
    if (!ParseLeadingUint32(sizeAttr ? sizeAttr->Value() : "0", parsedSize)) {
      refused.push_back({entry.name, RefusedEntry::Why::BadSize, NameRefusal::None});
      continue;
    }
    const tinyxml2::XMLAttribute* hashAttr = sizeAttr ? sizeAttr->Next() : nullptr;
    // Manifests made for the updaters in the field may carry anything there, which those
    // ignore: only 64 hex digits are a hash. Signed releases require one on every entry.
    if (hashAttr && !ReadSha256(hashAttr->Value(), entry.sha256)) entry.sha256.clear();
    if (!localNames.insert(FoldNameCase(localName)).second) {
      refused.push_back({entry.name, RefusedEntry::Why::SameFile, NameRefusal::None});
      continue;
    }
    entry.size = static_cast<uint32_t>(parsedSize);
    entry.isNew = true;
    read.emplace(entry.name, entry);
  }
  files.swap(read);
  return ManifestParse::Read;
}
