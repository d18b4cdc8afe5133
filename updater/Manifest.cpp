#include "Manifest.h"

#include <windows.h>

#include <tinyxml2.h>

#include "FileReplace.h"
#include "Handles.h"
#include "ManifestParse.h"
#include "TextConvert.h"
#include "UpdaterLog.h"
#include "VersionCompare.h"

namespace {

const char kServerList[] = "ServerList.xml";
const char kUpdateList[] = "UpdateList.xml";
const char kEmptyManifest[] =
    "<?xml version=\"1.0\" encoding=\"gb2312\"?><AutoUpdater><Files/></AutoUpdater>";

// A manifest larger than any real one is refused before it is held in memory: under the 32-bit
// release's address space a few hundred MB cannot be allocated at all.
bool ReadWholeFile(const std::string& path, std::string& bytes) {
  UniqueFile file(std::fopen(path.c_str(), "rb"));
  if (!file) return false;
  char buffer[16384];
  size_t got = 0;
  while ((got = std::fread(buffer, 1, sizeof buffer, file.get())) > 0) {
    if (bytes.size() + got > kMaxManifestBytes) return false;
    bytes.append(buffer, got);
  }
  return std::ferror(file.get()) == 0;
}

bool LoadDocument(const std::string& path, tinyxml2::XMLDocument& doc) {
  std::string bytes;
  if (!ReadWholeFile(path, bytes)) return false;
  return doc.Parse(bytes.data(), bytes.size()) == tinyxml2::XML_SUCCESS;
}

// A name from the server in a log line: control characters would break the line.
std::string Printable(const std::string& name) {
  std::string text = name;
  for (char& c : text) {
    if (static_cast<unsigned char>(c) < 0x20) c = '?';
  }
  return text;
}

void LogRefused(const RefusedEntry& refused) {
  switch (refused.why) {
    case RefusedEntry::Why::Name:
      UpdaterLog(L"更新清单中的文件名不可用，已跳过: ", Printable(refused.name));
      break;
    case RefusedEntry::Why::BadSize:
      UpdaterLog(L"更新清单中的文件大小不正确，已跳过: ", Printable(refused.name));
      break;
    case RefusedEntry::Why::SameFile:
      UpdaterLog(L"更新清单中的文件与前一项是同一文件，已跳过: ", Printable(refused.name));
      break;
  }
}

// The indented form, written whole through a temporary file: a cut leaves the old or the new
// manifest, never a torn one.
bool SaveDocument(const UpdaterContext& context, const std::string& path, tinyxml2::XMLDocument& doc) {
  tinyxml2::XMLPrinter printer(nullptr, false);
  doc.Print(&printer);
  const std::string bytes(printer.CStr(), static_cast<size_t>(printer.CStrSize() - 1));
  return WriteWholeFile(context, AnsiToWide(path), bytes);
}

// The manifests are moved with wide paths.
bool MoveManifest(const std::string& from, const std::string& to) {
  return MoveIntoPlace(AnsiToWide(from), AnsiToWide(to));
}

tinyxml2::XMLElement* FindFiles(tinyxml2::XMLDocument& doc) {
  tinyxml2::XMLElement* root = doc.FirstChildElement("AutoUpdater");
  return root ? root->FirstChildElement("Files") : nullptr;
}

// The file list: the first "File" child, then every following sibling element, whatever its name.
tinyxml2::XMLElement* FirstFileElement(tinyxml2::XMLElement* files) {
  return files->FirstChildElement("File");
}

const tinyxml2::XMLAttribute* SecondAttribute(const tinyxml2::XMLElement* element) {
  const tinyxml2::XMLAttribute* first = element->FirstAttribute();
  return first ? first->Next() : nullptr;
}

// Versions are read by position, whatever a manifest named the attribute, so they are written
// there too: the first attribute gets the version ("Ver" is added only to an element without
// any attribute).
void SetVersion(tinyxml2::XMLElement* element, const std::string& ver) {
  const tinyxml2::XMLAttribute* first = element->FirstAttribute();
  element->SetAttribute(first ? first->Name() : "Ver", ver.c_str());
}

}  // namespace

namespace {

bool ReadManifestLeavingOut(const std::string& path, ManifestMap& files, std::set<std::string>* leftOut,
                            bool logRefused) {
  files.clear();
  std::string bytes;
  if (!ReadWholeFile(path, bytes)) return false;
  std::vector<RefusedEntry> refused;
  ManifestParse result = ParseManifest(bytes.data(), bytes.size(), files, refused);
  for (const RefusedEntry& entry : refused) {
    if (logRefused) LogRefused(entry);
    if (leftOut) leftOut->insert(entry.name);
  }
  return result == ManifestParse::Read && !files.empty();
}

}  // namespace

bool ReadManifestBytes(const std::string& path, std::string& bytes) {
  bytes.clear();
  return ReadWholeFile(path, bytes);
}

bool ReadManifest(const std::string& path, ManifestMap& files) {
  return ReadManifestLeavingOut(path, files, nullptr, true);
}

bool BuildUpdateSet(const std::string& serverPath, const std::string& localPath, ManifestMap& updateSet,
                    std::set<std::string>* leftOut) {
  ManifestMap server;
  if (!ReadManifestLeavingOut(serverPath, server, leftOut, true)) return false;
  ManifestMap local;
  // Unreadable: every server entry counts as new. Its refused entries were logged as the
  // server's when they arrived.
  ReadManifestLeavingOut(localPath, local, nullptr, false);

  for (const auto& [name, serverEntry] : server) {
    auto found = local.find(name);
    if (found == local.end()) {
      FileEntry copy = serverEntry;
      copy.isNew = true;
      updateSet[name] = copy;
    } else if (!IsUpToDate(serverEntry.ver, found->second.ver)) {
      FileEntry copy = serverEntry;
      copy.isNew = false;
      updateSet[name] = copy;
    }
  }
  return true;
}

bool RecordUpdaterVersion(const UpdaterContext& context, FileEntry entry) {
  const std::string ansiProgramDir = context.AnsiDir();
  const std::string localPath = ansiProgramDir + kUpdateList;
  tinyxml2::XMLDocument doc;
  if (!LoadDocument(localPath, doc)) {
    // No local manifest yet: a new one lists the updater alone. It is made in memory (in the
    // received manifest's form where that reads) and only its save renews "UpdateList.xml", so
    // a failed save never leaves the whole server manifest on record as applied.
    doc.Clear();
    if (!LoadDocument(ansiProgramDir + kServerList, doc) || !FindFiles(doc)) {
      doc.Clear();
      if (doc.Parse(kEmptyManifest) != tinyxml2::XML_SUCCESS) return false;
    }
    entry.isNew = true;
  }
  tinyxml2::XMLElement* root = doc.FirstChildElement("AutoUpdater");
  if (!root) {
    UpdaterLog(L"读取AutoUpdater节点出错.");
    return false;
  }
  tinyxml2::XMLElement* files = root->FirstChildElement("Files");
  if (!files) {
    UpdaterLog(L"读取Files节点出错.");
    return false;
  }

  if (entry.isNew) {
    // The local manifest then lists the updater alone: the next run fetches every other file.
    files->DeleteChildren();
    tinyxml2::XMLElement* file = doc.NewElement("File");
    file->SetAttribute("Ver", entry.ver.c_str());
    file->SetAttribute("Name", entry.name.c_str());
    files->InsertEndChild(file);
  } else {
    for (tinyxml2::XMLElement* element = FirstFileElement(files); element;
         element = element->NextSiblingElement()) {
      const tinyxml2::XMLAttribute* nameAttr = SecondAttribute(element);
      if (nameAttr && entry.name == nameAttr->Value()) {
        SetVersion(element, entry.ver);
        break;
      }
    }
  }
  // Not recorded, the new updater would replace itself again at every start and never start
  // the client: a failed save is a failure.
  if (!SaveDocument(context, localPath, doc)) {
    UpdaterLog(L"写入更新清单出错.");
    return false;
  }
  return true;
}

bool FindLocalEntry(const UpdaterContext& context, const std::string& name, FileEntry& entry) {
  ManifestMap local;
  ReadManifestLeavingOut(context.AnsiDir() + kUpdateList, local, nullptr, false);
  auto found = local.find(name);
  if (found == local.end()) return false;
  entry = found->second;
  return true;
}

bool RestoreUpdaterRecord(const UpdaterContext& context, const FileEntry* previous) {
  const std::string localPath = context.AnsiDir() + kUpdateList;
  tinyxml2::XMLDocument doc;
  tinyxml2::XMLElement* files = LoadDocument(localPath, doc) ? FindFiles(doc) : nullptr;
  if (!files) return false;
  for (tinyxml2::XMLElement* element = FirstFileElement(files); element;
       element = element->NextSiblingElement()) {
    const tinyxml2::XMLAttribute* nameAttr = SecondAttribute(element);
    if (nameAttr && std::string(kUpdaterName) == nameAttr->Value()) {
      if (previous) {
        SetVersion(element, previous->ver);
      } else {
        files->DeleteChild(element);
      }
      break;
    }
  }
  return SaveDocument(context, localPath, doc);
}

void RecordAppliedManifest(const UpdaterContext& context, const std::set<std::string>& notInstalled) {
  const std::string ansiProgramDir = context.AnsiDir();
  const std::string serverPath = ansiProgramDir + kServerList;
  const std::string localPath = ansiProgramDir + kUpdateList;
  if (!notInstalled.empty()) {
    tinyxml2::XMLDocument doc;
    tinyxml2::XMLElement* files = LoadDocument(serverPath, doc) ? FindFiles(doc) : nullptr;
    // Without an editable copy the local manifest stays as it was: the next run fetches again.
    if (!files) return;
    ManifestMap local;
    ReadManifestLeavingOut(localPath, local, nullptr, false);
    tinyxml2::XMLElement* element = FirstFileElement(files);
    while (element) {
      tinyxml2::XMLElement* next = element->NextSiblingElement();
      const tinyxml2::XMLAttribute* nameAttr = SecondAttribute(element);
      if (nameAttr && notInstalled.count(nameAttr->Value()) != 0) {
        auto previous = local.find(nameAttr->Value());
        if (previous == local.end()) {
          files->DeleteChild(element);
        } else {
          SetVersion(element, previous->second.ver);
        }
      }
      element = next;
    }
    if (SaveDocument(context, localPath, doc)) DeleteFileW(AnsiToWide(serverPath).c_str());
    return;
  }
  // The received manifest was forced to the disk when it was fetched; the move is written through.
  ReachStep(context, UpdateStep::ManifestWriting, kUpdateList);
  MoveManifest(serverPath, localPath);
}
