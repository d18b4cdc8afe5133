#include "ManifestParse.h"

#include <tinyxml2.h>

#include "ManifestName.h"
#include "VersionCompare.h"

ManifestParse ParseManifest(const char* data, size_t size, ManifestMap& files, std::string& refusedName) {
  files.clear();
  refusedName.clear();
  tinyxml2::XMLDocument doc;
  if (doc.Parse(data, size) != tinyxml2::XML_SUCCESS) return ManifestParse::NotXml;
  tinyxml2::XMLElement* root = doc.FirstChildElement("AutoUpdater");
  tinyxml2::XMLElement* list = root ? root->FirstChildElement("Files") : nullptr;
  if (!list) return ManifestParse::NoFileList;

  ManifestMap read;
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
    if (!IsSafeManifestName(entry.name)) {
      refusedName = entry.name;
      return ManifestParse::UnsafeName;
    }
    unsigned long parsedSize = 0;
    if (!ParseLeadingUint32(sizeAttr ? sizeAttr->Value() : "0", parsedSize)) return ManifestParse::BadSize;
    entry.size = static_cast<uint32_t>(parsedSize);
    entry.isNew = true;
    read.emplace(entry.name, entry);  // a name listed twice keeps its first entry
  }
  files.swap(read);
  return ManifestParse::Read;
}
