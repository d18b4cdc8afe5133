// The skin package: the embedded archive, the lookup rule and damaged archives.
#include <gtest/gtest.h>

#include "model/SkinPackage.h"
#include "model/SkinResource.h"
#include "TestSupport.h"
#include "ZipWriter.h"

using toolkittest::MakeZip;
using ui::SkinPackage;

namespace {

const SkinPackage& Embedded() {
  EXPECT_TRUE(ui::LoadSkinPackage(GetModuleHandleW(nullptr)));
  return ui::GetSkinPackage();
}

TEST(SkinPackage, EmbeddedResourceHoldsEveryLayoutAndImage) {
  const SkinPackage& package = Embedded();
  ASSERT_TRUE(package.IsOpen());
  for (const wchar_t* entry :
       {L"Xmls/MainFrame.xml",   L"Xmls/tv_LogoDialog.xml", L"Xmls/TipDialog.xml", L"Xmls/CallDialog.xml",
        L"Xmls/LeaveDialog.xml", L"Xmls/SongDialog.xml",    L"Xmls/MsgDialog.xml", L"Xmls/LoginDialog.xml",
        L"Xmls/Default.xml",     L"UI/close_normal.png",    L"UI/close_hover.png", L"UI/close_click.png",
        L"UI/edit_bk.png",       L"UI/tv_logo1.png",        L"UI/tv_logo.png",     L"UI/loading.gif",
        L"UI/tip_bk.png",        L"UI/icon_call.png",       L"UI/icon_msg.png",    L"UI/icon_shop.png",
        L"UI/icon_music.png"}) {
    std::string bytes;
    EXPECT_TRUE(package.Read(entry, bytes)) << entry;
    EXPECT_FALSE(bytes.empty()) << entry;
  }
  // Layout files are UTF-8 XML, each beginning with an XML declaration.
  std::string xml;
  ASSERT_TRUE(package.Read(L"Xmls/LoginDialog.xml", xml));
  EXPECT_EQ(0u, xml.rfind("<?xml", 0));
}

TEST(SkinPackage, LookupTurnsBackslashesAndIgnoresCase) {
  const SkinPackage& package = Embedded();
  std::string exact;
  ASSERT_TRUE(package.Read(L"Xmls/Default.xml", exact));
  struct Case {
    const wchar_t* path;
    bool found;
  } cases[] = {
      {L"xmls\\Default.xml", true},
      {L"XMLS/DEFAULT.XML", true},
      {L"Xmls\\CallDialog.xml", true},
      {L"ui\\TV_LOGO.png", true},
      {L"Xmls/Default.xm", false},
      {L"/Xmls/Default.xml", false},
      {L"Default.xml", false},
      {L"", false},
      {L"Xmls", false},
  };
  for (const Case& c : cases) {
    std::string bytes;
    EXPECT_EQ(c.found, package.Read(c.path, bytes)) << c.path;
    EXPECT_EQ(c.found, package.Contains(c.path)) << c.path;
  }
  std::string viaBackslash;
  ASSERT_TRUE(package.Read(L"xmls\\Default.xml", viaBackslash));
  EXPECT_EQ(exact, viaBackslash);
}

TEST(SkinPackage, PathsOf256CharactersAreNeverFound) {
  std::string name255 = "UI/" + std::string(248, 'a') + ".png";
  std::string name256 = "UI/" + std::string(249, 'b') + ".png";
  ASSERT_EQ(255u, name255.size());
  ASSERT_EQ(256u, name256.size());
  std::string zip = MakeZip({{name255, "short enough"}, {name256, "too long"}});
  SkinPackage package;
  ASSERT_TRUE(package.Open(zip.data(), zip.size()));
  std::string bytes;
  EXPECT_TRUE(package.Read(std::wstring(name255.begin(), name255.end()), bytes));
  EXPECT_EQ("short enough", bytes);
  EXPECT_FALSE(package.Read(std::wstring(name256.begin(), name256.end()), bytes));
}

TEST(SkinPackage, ReadsStoredAndDeflatedEntries) {
  std::string big(5000, 'x');
  std::string zip =
      MakeZip({{"Xmls/a.xml", "<a/>", false}, {"UI/b.bin", big, true}, {"UI/empty", "", false}});
  SkinPackage package;
  ASSERT_TRUE(package.Open(zip.data(), zip.size()));
  EXPECT_EQ(3u, package.EntryCount());
  std::string bytes;
  ASSERT_TRUE(package.Read(L"xmls\\A.XML", bytes));
  EXPECT_EQ("<a/>", bytes);
  ASSERT_TRUE(package.Read(L"UI\\b.bin", bytes));
  EXPECT_EQ(big, bytes);
  EXPECT_TRUE(package.Read(L"UI/empty", bytes));
  EXPECT_TRUE(bytes.empty());
}

TEST(SkinPackage, RefusesDamagedArchivesAndEntries) {
  std::string zip = MakeZip({{"Xmls/a.xml", std::string(2000, 'q'), true}});
  SkinPackage package;
  // Not a ZIP at all, and an archive cut short.
  EXPECT_FALSE(package.Open("not a zip archive at all", 24));
  EXPECT_FALSE(package.Open(zip.data(), zip.size() - 10));
  EXPECT_FALSE(package.IsOpen());
  // A flipped byte in the deflated data: inflate or the checksum refuses it.
  std::string damaged = zip;
  damaged[40] = static_cast<char>(damaged[40] ^ 0x55);
  ASSERT_TRUE(package.Open(damaged.data(), damaged.size()));
  std::string bytes;
  EXPECT_FALSE(package.Read(L"Xmls/a.xml", bytes));
  EXPECT_TRUE(bytes.empty());
}

TEST(SkinPackage, SecondLoadKeepsTheFirstPackage) {
  const SkinPackage& package = Embedded();
  size_t entries = package.EntryCount();
  ASSERT_GT(entries, 0u);
  // kernel32 carries no skin; the loaded package stays.
  EXPECT_TRUE(ui::LoadSkinPackage(GetModuleHandleW(L"kernel32.dll")));
  EXPECT_EQ(entries, ui::GetSkinPackage().EntryCount());
  EXPECT_TRUE(ui::GetSkinPackage().Contains(L"Xmls/MainFrame.xml"));
}

TEST(SkinPackage, ModuleWithoutTheResourceGivesNoPackage) {
  SkinPackage package;
  EXPECT_FALSE(ui::OpenSkinResource(package, GetModuleHandleW(L"kernel32.dll")));
  EXPECT_FALSE(package.IsOpen());
}

}  // namespace
