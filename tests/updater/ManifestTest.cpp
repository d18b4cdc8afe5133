// Versions, manifest reading, the update set and the manifest edit after a self-update.
#include <gtest/gtest.h>

#include <tinyxml2.h>

#include "Manifest.h"
#include "ManifestName.h"
#include "UpdaterTestSupport.h"
#include "VersionCompare.h"

namespace {

using updatertest::CapturedLog;
using updatertest::ManifestFile;
using updatertest::ManifestXml;
using updatertest::ProgramFolder;

struct VersionCase {
  const char* server;
  const char* local;
  bool upToDate;
};

TEST(UpdaterVersion, ComparesPartsAsNumbersFromTheLeft) {
  const VersionCase cases[] = {
      {"4.0.0.10", "4.0.0.9", false},  // the server's is newer: fetch
      {"4.0.0.9", "4.0.0.10", true},   // never back to an older version
      {"4.0.0.5", "4.0.0.5", true},    // equal
      {"4.0.1.0", "4.0.0.99", false},
      {"007", "7", true},             // one number, leading zeros
      {"2a.1", "2.1", true},          // digits first, the rest of a part ignored
      {"4.x.0.1", "4.0.0.1", false},  // a part that is not a number fetches ...
      {"4.0.0.1", "4.x.0.1", false},
      {"1..2", "1.0.2", false},  // ... so does an empty part
      {"", "1", false},
      {"5.x", "4.1", false},  // ... but only when the comparison reaches it
      {"3.x", "4.1", true},
      {"4.99999999999", "4.1", false},  // out of the 32-bit range
      {"-1", "0", true},                // signed parts
      {"4.0.1", "4.0.1.0", true},       // a shorter version counts its missing parts as 0
      {"4.0.1.2", "4.0.1", false},
      {"4.0.1", "4.0.1.2", true},
      // The same text is up to date even where it is no number: otherwise fetched at every run.
      {"2.0.0.1.", "2.0.0.1.", true},
      {"V2.0", "V2.0", true},
      {"2.0.0.3000000000", "2.0.0.3000000000", true},
      {"2.0.0.1.", "2.0.0.1", false},
  };
  for (const VersionCase& c : cases) {
    EXPECT_EQ(c.upToDate, IsUpToDate(c.server, c.local)) << c.server << " against local " << c.local;
  }
}

// Reads xml written to a scratch file; returns the map.
struct ReadResult {
  bool ok;
  ManifestMap map;
};
ReadResult Read(const ProgramFolder& folder, const std::string& xml) {
  folder.Write(L"ServerList.xml", xml);
  ReadResult result{false, {}};
  result.map["stale"] = FileEntry{};
  result.ok = ReadManifest(folder.Ansi("ServerList.xml"), result.map);
  return result;
}

TEST(UpdaterManifest, ReadsFilesByAttributePosition) {
  ProgramFolder folder;
  // The attributes' names do not matter, nor do elements before the first File; elements after
  // it count whatever their name.
  ReadResult read = Read(folder,
                         "<AutoUpdater><Files><Note x='1' y='2'/>"
                         "<File a='4.0.0.6' b='Orvanta.exe' c='123' d='9'/>"
                         "<File Ver='1.0.0.2' Name='sub\\Pelgrix.dll'/>"
                         "<Other Ver='3' Name='other.txt'/>"
                         "<File Ver='9' Name='Orvanta.exe' Size='7'/>"
                         "<Single Ver='1'/></Files></AutoUpdater>");
  ASSERT_TRUE(read.ok);
  ASSERT_EQ(3u, read.map.size());
  const FileEntry& client = read.map.at("Orvanta.exe");
  EXPECT_EQ("4.0.0.6", client.ver);  // a name listed twice keeps its first entry
  EXPECT_EQ(123u, client.size);
  EXPECT_TRUE(client.isNew);
  EXPECT_EQ(0u, read.map.at("sub\\Pelgrix.dll").size);  // no third attribute: size 0
  EXPECT_EQ("3", read.map.at("other.txt").ver);
}

TEST(UpdaterManifest, RefusesUnreadableManifests) {
  ProgramFolder folder;
  const char* bad[] = {
      "<AutoUpdater><Files></Files></AutoUpdater>",                           // no File
      "<AutoUpdater><Files><Other Ver='1' Name='a'/></Files></AutoUpdater>",  // no File either
      "<AutoUpdater><List><File Ver='1' Name='a'/></List></AutoUpdater>",     // no Files
      "<Updater><Files><File Ver='1' Name='a'/></Files></Updater>",           // no AutoUpdater
      "<AutoUpdater><Files><File Ver='1' Name='a'/></Files>",                 // not well-formed
      "",
      "<AutoUpdater><Files><File Ver='1' Name='a' Size='big'/></Files></AutoUpdater>",
      "<AutoUpdater><Files><File Ver='1' Name='a' Size='-1'/></Files></AutoUpdater>",
      "<AutoUpdater><Files><File Ver='1' Name='a' Size='4294967296'/></Files></AutoUpdater>",
  };
  for (const char* xml : bad) {
    ReadResult read = Read(folder, xml);
    EXPECT_FALSE(read.ok) << xml;
    EXPECT_TRUE(read.map.empty()) << xml;
  }
  ManifestMap map{{"stale", FileEntry{}}};
  EXPECT_FALSE(ReadManifest(folder.Ansi("missing.xml"), map));
  EXPECT_TRUE(map.empty());
}

// A name as an attribute value: the manifest carries any byte, escaped.
std::string XmlEscaped(const std::string& text) {
  std::string escaped;
  for (char c : text) {
    const unsigned char byte = static_cast<unsigned char>(c);
    if (c == '&')
      escaped += "&amp;";
    else if (c == '<')
      escaped += "&lt;";
    else if (c == '>')
      escaped += "&gt;";
    else if (c == '"')
      escaped += "&quot;";
    else if (byte < 0x20)
      escaped += "&#" + std::to_string(byte) + ";";
    else
      escaped += c;
  }
  return escaped;
}

// A name from the server is a file name only when it names a plain file below the program
// folder as Windows resolves it. The others are left out with a log line, and the rest of the
// manifest is read.
TEST(UpdaterManifest, LeavesOutNamesThatAreNoPlainFileBelowTheProgramFolder) {
  struct Case {
    std::string name;
    NameRefusal refusal;
  } cases[] = {
      {"", NameRefusal::LeavesFolder},
      {"\\Windows\\evil.dll", NameRefusal::LeavesFolder},
      {"/etc/evil", NameRefusal::LeavesFolder},
      {"..\\evil.dll", NameRefusal::LeavesFolder},
      {"../evil.dll", NameRefusal::LeavesFolder},
      {"sub\\..\\..\\evil.dll", NameRefusal::LeavesFolder},
      {"sub/../x", NameRefusal::LeavesFolder},
      {"..", NameRefusal::LeavesFolder},
      {"\\\\host\\share\\x", NameRefusal::LeavesFolder},
      {"...", NameRefusal::LeavesFolder},
      {".. \\evil.dll", NameRefusal::LeavesFolder},
      {"sub\\.. ", NameRefusal::LeavesFolder},
      {" ", NameRefusal::LeavesFolder},
      {"sub\\\\a.dll", NameRefusal::LeavesFolder},  // an empty component
      {"sub\\", NameRefusal::LeavesFolder},         // a folder, not a file
      {"C:\\evil.dll", NameRefusal::BadCharacter},
      {"C:evil.dll", NameRefusal::BadCharacter},
      {"a.txt:x", NameRefusal::BadCharacter},  // an alternate data stream
      {"Orvanta.exe::$DATA", NameRefusal::BadCharacter},
      {"*.dll", NameRefusal::BadCharacter},
      {"a?.dll", NameRefusal::BadCharacter},
      {"a\"b", NameRefusal::BadCharacter},
      {"a<b", NameRefusal::BadCharacter},
      {"a|b", NameRefusal::BadCharacter},
      {std::string("a\x01.dll"), NameRefusal::BadCharacter},
      {"a\tb", NameRefusal::BadCharacter},
      {"CON", NameRefusal::DeviceName},
      {"nul.txt", NameRefusal::DeviceName},
      {"Aux.dll", NameRefusal::DeviceName},
      {"PRN", NameRefusal::DeviceName},
      {"COM1", NameRefusal::DeviceName},
      {"com9.log", NameRefusal::DeviceName},
      {"LPT1", NameRefusal::DeviceName},
      {"lpt3.dat", NameRefusal::DeviceName},
      {"sub\\con", NameRefusal::DeviceName},
      {"CON .txt", NameRefusal::DeviceName},
      {"nul.", NameRefusal::DeviceName},
      {std::string(241, 'a'), NameRefusal::TooLong},
      {"ServerList.xml", NameRefusal::UpdaterFile},
      {"updatelist.XML", NameRefusal::UpdaterFile},
      {"UpdateList.xml.", NameRefusal::UpdaterFile},
      {"temp\\a.dll", NameRefusal::UpdaterFile},
      {"TEMP", NameRefusal::UpdaterFile},
      {"Pelgrix-2.exe", NameRefusal::UpdaterFile},
      {"Pelgrix.trial", NameRefusal::UpdaterFile},
      {"pelgrix.rejected", NameRefusal::UpdaterFile},
      {"pelgrix.exe", NameRefusal::UpdaterSpelling},
      {"PELGRIX.EXE", NameRefusal::UpdaterSpelling},
      {"Pelgrix.exe.", NameRefusal::UpdaterSpelling},
      {"Pelgrix.exe ", NameRefusal::UpdaterSpelling},
      {".\\Pelgrix.exe", NameRefusal::UpdaterSpelling},
  };
  for (const Case& c : cases) {
    std::string localName = "stale";
    EXPECT_EQ(c.refusal, CheckManifestName(c.name, localName)) << c.name;
    EXPECT_TRUE(localName.empty()) << c.name;

    ProgramFolder folder;
    CapturedLog log;
    ReadResult read = Read(folder, ManifestXml({{"1.0", "good.dll", ""}, {"1.0", XmlEscaped(c.name), ""}}));
    EXPECT_TRUE(read.ok) << c.name;
    EXPECT_EQ(1u, read.map.size()) << c.name;
    EXPECT_EQ(1u, read.map.count("good.dll")) << c.name;
  }
  {
    // The log names the entry that was left out; control characters do not break the line.
    ProgramFolder folder;
    CapturedLog log;
    Read(folder, ManifestXml({{"1.0", "NUL.txt", ""}, {"1.0", "a&#1;.dll", ""}}));
    EXPECT_TRUE(log.Has(L"更新清单中的文件名不可用，已跳过: ", "NUL.txt"));
    EXPECT_TRUE(log.Has(L"更新清单中的文件名不可用，已跳过: ", "a?.dll"));
  }

  const struct {
    const char* name;
    const char* localName;
  } safe[] = {{"a.dll", "a.dll"},
              {"sub\\a.dll", "sub\\a.dll"},
              {"sub/deeper/a.dll", "sub\\deeper\\a.dll"},
              {"a..b.dll", "a..b.dll"},
              {"..a", "..a"},
              {"x..", "x"},
              {"sub\\.\\a.dll", "sub\\a.dll"},
              {"Orvanta.exe.", "Orvanta.exe"},  // Windows drops the dot: it is the client
              {"Orvanta.exe ", "Orvanta.exe"},
              {"sub. \\a.dll", "sub\\a.dll"},
              {"console.dll", "console.dll"},
              {"COM10", "COM10"},
              {"Pelgrix.exe", "Pelgrix.exe"},
              {"temporary\\a.dll", "temporary\\a.dll"}};
  for (const auto& c : safe) {
    std::string localName;
    EXPECT_EQ(NameRefusal::None, CheckManifestName(c.name, localName)) << c.name;
    EXPECT_EQ(c.localName, localName) << c.name;
    ProgramFolder folder;
    ReadResult read = Read(folder, ManifestXml({{"1.0", c.name, ""}}));
    EXPECT_TRUE(read.ok) << c.name;
    EXPECT_EQ(1u, read.map.count(c.name)) << c.name;
  }
}

// Two spellings of one file: the first in document order is read, the other left out; so is an
// entry whose size is not a number, and the entries after it are read.
TEST(UpdaterManifest, OneBadEntryDoesNotStopTheOthers) {
  ProgramFolder folder;
  CapturedLog log;
  ReadResult read = Read(folder,
                         "<AutoUpdater><Files>"
                         "<File Ver='2' Name='Orvanta.exe.'/>"
                         "<File Ver='3' Name='orvanta.EXE' Size='10'/>"
                         "<File Ver='1' Name='bad.dat' Size='big'/>"
                         "<File Ver='1' Name='after.dat' Size='5'/>"
                         "</Files></AutoUpdater>");
  ASSERT_TRUE(read.ok);
  ASSERT_EQ(2u, read.map.size());
  EXPECT_EQ("2", read.map.at("Orvanta.exe.").ver);
  EXPECT_EQ(5u, read.map.at("after.dat").size);
  EXPECT_TRUE(log.Has(L"更新清单中的文件与前一项是同一文件，已跳过: ", "orvanta.EXE"));
  EXPECT_TRUE(log.Has(L"更新清单中的文件大小不正确，已跳过: ", "bad.dat"));
}

// The fourth attribute is the file's SHA-256: 64 hex digits, kept in lower case; any other text
// there is ignored, as the updaters in the field ignore it.
TEST(UpdaterManifest, ReadsTheHashAsTheFourthAttribute) {
  ProgramFolder folder;
  CapturedLog log;
  const std::string upper = "BA7816BF8F01CFEA414140DE5DAE2223B00361A396177A9CB410FF61F20015AD";
  ReadResult read = Read(folder,
                         "<AutoUpdater><Files>"
                         "<File Ver='1' Name='a.dat' Size='3' Hash='" +
                             upper +
                             "'/>"
                             "<File Ver='1' Name='b.dat' Size='3' Hash='" +
                             upper.substr(1) +
                             "x'/>"
                             "<File Ver='1' Name='c.dat' Size='3'/>"
                             "</Files></AutoUpdater>");
  ASSERT_TRUE(read.ok);
  ASSERT_EQ(3u, read.map.size());
  EXPECT_EQ("ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad", read.map.at("a.dat").sha256);
  EXPECT_EQ("", read.map.at("b.dat").sha256);
  EXPECT_EQ("", read.map.at("c.dat").sha256);
}

// A manifest larger than any real one is not read into memory at all: a 32-bit process could
// not hold it, and the run would end without starting the client.
TEST(UpdaterManifest, AManifestOverTheCapIsNotRead) {
  ProgramFolder folder;
  std::string xml = ManifestXml({{"1", "a.dll", ""}});
  xml.insert(xml.find("<AutoUpdater>"), std::string(17u << 20, ' '));
  folder.Write(L"ServerList.xml", xml);
  ManifestMap set;
  EXPECT_FALSE(BuildUpdateSet(folder.Ansi("ServerList.xml"), folder.Ansi("UpdateList.xml"), set));
  EXPECT_TRUE(set.empty());
}

struct SetCase {
  const char* what;
  std::vector<ManifestFile> server;
  std::vector<ManifestFile> local;  // empty: no local manifest
  bool ok;
  std::vector<std::pair<std::string, bool>> expected;  // name, isNew, in this order
};

TEST(UpdaterManifest, BuildsTheUpdateSetInByteOrder) {
  const SetCase cases[] = {
      {"no local manifest: everything is new",
       {{"1.0", "b.dll", ""}, {"1.0", "a.dll", ""}},
       {},
       true,
       {{"a.dll", true}, {"b.dll", true}}},
      {"newer, older, equal and missing",
       {{"4.0.0.10", "new.dll", ""},
        {"4.0.0.9", "old.dll", ""},
        {"2", "same.dll", ""},
        {"1", "added.dll", ""}},
       {{"4.0.0.9", "new.dll", ""}, {"4.0.0.10", "old.dll", ""}, {"2", "same.dll", ""}},
       true,
       {{"added.dll", true}, {"new.dll", false}}},
      {"byte order: upper case first, a prefix before its extensions",
       {{"1", "a.dll.bak", ""}, {"1", "c.dll", ""}, {"1", "a.dll", ""}, {"1", "B.dll", ""}},
       {},
       true,
       {{"B.dll", true}, {"a.dll", true}, {"a.dll.bak", true}, {"c.dll", true}}},
      {"two spellings of one file: the first in the manifest stays",
       {{"1", "b.dll", ""}, {"2", "B.dll", ""}},
       {},
       true,
       {{"b.dll", true}}},
      {"a version part that is not a number fetches",
       {{"1.x", "a.dll", ""}, {"1.0", "b.dll", ""}},
       {{"1.0", "a.dll", ""}, {"1.y", "b.dll", ""}},
       true,
       {{"a.dll", false}, {"b.dll", false}}},
      {"all equal: true with an empty set", {{"1", "a.dll", ""}}, {{"1", "a.dll", ""}}, true, {}},
      {"an unsafe name in the local manifest is passed over, the rest read",
       {{"1", "a.dll", ""}, {"1", "b.dll", ""}},
       {{"1", "a.dll", ""}, {"1", "..\\x", ""}},
       true,
       {{"b.dll", true}}},
  };
  for (const SetCase& c : cases) {
    ProgramFolder folder;
    folder.Write(L"ServerList.xml", ManifestXml(c.server));
    if (!c.local.empty()) folder.Write(L"UpdateList.xml", ManifestXml(c.local));
    ManifestMap set;
    EXPECT_EQ(c.ok, BuildUpdateSet(folder.Ansi("ServerList.xml"), folder.Ansi("UpdateList.xml"), set))
        << c.what;
    std::vector<std::pair<std::string, bool>> got;
    for (const auto& [name, entry] : set) got.emplace_back(name, entry.isNew);
    EXPECT_EQ(c.expected, got) << c.what;
  }
}

TEST(UpdaterManifest, TheUpdateSetCarriesTheServersVersionAndSize) {
  ProgramFolder folder;
  folder.Write(L"ServerList.xml", ManifestXml({{"2.0", "a.dll", "77"}}));
  folder.Write(L"UpdateList.xml", ManifestXml({{"1.0", "a.dll", "5"}}));
  ManifestMap set;
  ASSERT_TRUE(BuildUpdateSet(folder.Ansi("ServerList.xml"), folder.Ansi("UpdateList.xml"), set));
  ASSERT_EQ(1u, set.size());
  EXPECT_EQ("2.0", set["a.dll"].ver);
  EXPECT_EQ(77u, set["a.dll"].size);
}

TEST(UpdaterManifest, AnUnreadableServerManifestGivesNoSet) {
  ProgramFolder folder;
  folder.Write(L"ServerList.xml", "<AutoUpdater><Files/></AutoUpdater>");
  folder.Write(L"UpdateList.xml", ManifestXml({{"1", "a.dll", ""}}));
  ManifestMap set;
  EXPECT_FALSE(BuildUpdateSet(folder.Ansi("ServerList.xml"), folder.Ansi("UpdateList.xml"), set));
  EXPECT_TRUE(set.empty());
}

// The File elements of a saved manifest as (attribute name=value ...) lines.
std::vector<std::string> FileElements(const std::string& xml) {
  tinyxml2::XMLDocument doc;
  std::vector<std::string> lines;
  if (doc.Parse(xml.c_str()) != tinyxml2::XML_SUCCESS) return lines;
  auto* files = doc.FirstChildElement("AutoUpdater")->FirstChildElement("Files");
  for (auto* element = files->FirstChildElement(); element; element = element->NextSiblingElement()) {
    std::string line = element->Name();
    for (auto* attribute = element->FirstAttribute(); attribute; attribute = attribute->Next()) {
      line += std::string(" ") + attribute->Name() + "=" + attribute->Value();
    }
    lines.push_back(line);
  }
  return lines;
}

TEST(UpdaterManifest, RecordsTheUpdatersNewVersion) {
  FileEntry updater{"Pelgrix.exe", "2.0.0.2", false, 0};
  {
    ProgramFolder folder;  // listed: only its Ver changes
    folder.Write(L"UpdateList.xml", ManifestXml({{"1", "a.dll", "4"}, {"2.0.0.1", "Pelgrix.exe", "9"}}));
    ASSERT_TRUE(RecordUpdaterVersion(folder.context, updater));
    EXPECT_EQ((std::vector<std::string>{"File Ver=1 Name=a.dll Size=4",
                                        "File Ver=2.0.0.2 Name=Pelgrix.exe Size=9"}),
              FileElements(folder.Read(L"UpdateList.xml")));
  }
  {
    ProgramFolder folder;  // not listed (new): the updater alone, Ver before Name
    folder.Write(L"UpdateList.xml", ManifestXml({{"1", "a.dll", "4"}}));
    FileEntry added = updater;
    added.isNew = true;
    ASSERT_TRUE(RecordUpdaterVersion(folder.context, added));
    EXPECT_EQ((std::vector<std::string>{"File Ver=2.0.0.2 Name=Pelgrix.exe"}),
              FileElements(folder.Read(L"UpdateList.xml")));
  }
  {
    // No local manifest: a new one lists the updater alone; the received one stays where it is.
    ProgramFolder folder;
    const std::string server = ManifestXml({{"1", "a.dll", ""}, {"2.0.0.2", "Pelgrix.exe", ""}});
    folder.Write(L"ServerList.xml", server);
    ASSERT_TRUE(RecordUpdaterVersion(folder.context, updater));
    EXPECT_EQ(server, folder.Read(L"ServerList.xml"));
    EXPECT_EQ((std::vector<std::string>{"File Ver=2.0.0.2 Name=Pelgrix.exe"}),
              FileElements(folder.Read(L"UpdateList.xml")));
  }
  {
    ProgramFolder folder;  // neither manifest: the same
    ASSERT_TRUE(RecordUpdaterVersion(folder.context, updater));
    EXPECT_EQ((std::vector<std::string>{"File Ver=2.0.0.2 Name=Pelgrix.exe"}),
              FileElements(folder.Read(L"UpdateList.xml")));
  }
}

// The first run on a PC, whose record cannot be saved: no local manifest is left behind, least
// of all the server's, which would count every other file as installed.
TEST(UpdaterManifest, AFirstRecordThatCannotBeSavedLeavesNoLocalManifest) {
  ProgramFolder folder;
  folder.Write(L"ServerList.xml", ManifestXml({{"1", "a.dll", ""}, {"2.0.0.2", "Pelgrix.exe", ""}}));
  // The temporary file's name is taken by a folder: the save fails.
  ASSERT_TRUE(CreateDirectoryW(folder.Path(L"UpdateList.xml.tmp").c_str(), nullptr));
  CapturedLog log;
  EXPECT_FALSE(RecordUpdaterVersion(folder.context, {"Pelgrix.exe", "2.0.0.2", true, 0}));
  EXPECT_TRUE(log.Has(L"写入更新清单出错."));
  EXPECT_FALSE(folder.Exists(L"UpdateList.xml"));
  EXPECT_TRUE(folder.Exists(L"ServerList.xml"));
}

TEST(UpdaterManifest, ReportsAMissingRootOrFilesElement) {
  FileEntry updater{"Pelgrix.exe", "2", false, 0};
  {
    ProgramFolder folder;
    CapturedLog log;
    folder.Write(L"UpdateList.xml", "<Other/>");
    EXPECT_FALSE(RecordUpdaterVersion(folder.context, updater));
    EXPECT_TRUE(log.Has(L"读取AutoUpdater节点出错."));
  }
  {
    ProgramFolder folder;
    CapturedLog log;
    folder.Write(L"UpdateList.xml", "<AutoUpdater/>");
    EXPECT_FALSE(RecordUpdaterVersion(folder.context, updater));
    EXPECT_TRUE(log.Has(L"读取Files节点出错."));
  }
}

// Versions are read by position: the record after a self-update writes the first attribute,
// whatever the local manifest called it, so that the restarted updater finds itself up to date.
TEST(UpdaterManifest, RecordsTheUpdatersVersionWhereItIsRead) {
  ProgramFolder folder;
  folder.Write(L"UpdateList.xml",
               "<AutoUpdater><Files><File Ver='1' Name='a.dll'/><File Version='2.0.0.1' Name='Pelgrix.exe'/>"
               "</Files></AutoUpdater>");
  ASSERT_TRUE(RecordUpdaterVersion(folder.context, {"Pelgrix.exe", "2.0.0.2", false, 0}));
  EXPECT_EQ((std::vector<std::string>{"File Ver=1 Name=a.dll", "File Version=2.0.0.2 Name=Pelgrix.exe"}),
            FileElements(folder.Read(L"UpdateList.xml")));
  folder.Write(L"ServerList.xml", ManifestXml({{"1", "a.dll", ""}, {"2.0.0.2", "Pelgrix.exe", ""}}));
  ManifestMap set;
  ASSERT_TRUE(BuildUpdateSet(folder.Ansi("ServerList.xml"), folder.Ansi("UpdateList.xml"), set));
  EXPECT_TRUE(set.empty());
  EXPECT_FALSE(folder.Exists(L"UpdateList.xml.tmp"));
}

TEST(UpdaterManifest, AManifestThatCannotBeWrittenFailsTheRecord) {
  ProgramFolder folder;
  const std::string local = ManifestXml({{"1", "a.dll", ""}, {"2.0.0.1", "Pelgrix.exe", ""}});
  folder.Write(L"UpdateList.xml", local);
  ASSERT_TRUE(SetFileAttributesW(folder.Path(L"UpdateList.xml").c_str(), FILE_ATTRIBUTE_READONLY));
  CapturedLog log;
  bool recorded = RecordUpdaterVersion(folder.context, {"Pelgrix.exe", "2.0.0.2", false, 0});
  SetFileAttributesW(folder.Path(L"UpdateList.xml").c_str(), FILE_ATTRIBUTE_NORMAL);
  EXPECT_FALSE(recorded);
  EXPECT_TRUE(log.Has(L"写入更新清单出错."));
  EXPECT_EQ(local, folder.Read(L"UpdateList.xml"));
  EXPECT_FALSE(folder.Exists(L"UpdateList.xml.tmp"));
}

}  // namespace
