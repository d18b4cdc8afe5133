// The update set that the build makes for the cashier server (scripts/update_set.py): it lists
// every file of the release with its version, size and hash, its signature verifies with the key
// it was made with, and the shipped updater installs it on a PC folder of an earlier release.
#include <gtest/gtest.h>

#include "Manifest.h"
#include "Sha256.h"
#include "TextConvert.h"
#include "UpdaterTestSupport.h"

namespace {

using updatertest::ManifestXml;
using updatertest::ProgramFolder;
using updatertest::StandIn;

std::string FileVersion(const std::wstring& path) {
  DWORD ignored = 0;
  const DWORD size = GetFileVersionInfoSizeW(path.c_str(), &ignored);
  if (size == 0) return {};
  std::vector<char> data(size);
  VS_FIXEDFILEINFO* info = nullptr;
  UINT length = 0;
  if (!GetFileVersionInfoW(path.c_str(), 0, size, data.data()) ||
      !VerQueryValueW(data.data(), L"\\", reinterpret_cast<void**>(&info), &length) || !info) {
    return {};
  }
  return std::to_string(HIWORD(info->dwFileVersionMS)) + "." + std::to_string(LOWORD(info->dwFileVersionMS)) +
         "." + std::to_string(HIWORD(info->dwFileVersionLS)) + "." +
         std::to_string(LOWORD(info->dwFileVersionLS));
}

const std::wstring kSetDir = std::wstring(ORV_TEST_BIN_DIR) + L"update-set\\";

TEST(UpdateSet, ListsEveryFileOfTheReleaseWithItsVersionSizeAndHash) {
  ManifestMap entries;
  ASSERT_TRUE(ReadManifest(WideToAnsi(kSetDir) + "UpdateList.xml", entries));
  std::vector<std::string> names;
  for (const auto& [name, entry] : entries) names.push_back(name);
  // The programs and the settings example: never the development engine.
  EXPECT_EQ((std::vector<std::string>{"Orvanta.exe", "Pelgrix.exe", "Setting.example.ini"}), names);
  const std::string clientVersion = FileVersion(kSetDir + L"Orvanta.exe");
  ASSERT_FALSE(clientVersion.empty());
  for (const auto& [name, entry] : entries) {
    SCOPED_TRACE(name);
    const std::wstring path = kSetDir + Utf8ToWide(name);
    EXPECT_EQ(testsupport::ReadFileBytes(path).size(), entry.size);
    std::string hash;
    ASSERT_TRUE(FileSha256Hex(path, hash));
    EXPECT_EQ(hash, entry.sha256);
    const std::string own = FileVersion(path);
    EXPECT_EQ(own.empty() ? clientVersion : own, entry.ver);  // no version resource: the release's
  }
  const std::string manifest = testsupport::ReadFileBytes(kSetDir + L"UpdateList.xml");
  const std::string signature = testsupport::ReadFileBytes(kSetDir + L"UpdateList.xml.sig");
  EXPECT_TRUE(VerifyP256Signature(updatertest::TestUpdatePublicKey(), manifest, signature));
  EXPECT_FALSE(VerifyP256Signature(updatertest::TestUpdatePublicKey(), manifest + " ", signature));
}

TEST(UpdateSet, TheShippedUpdaterInstallsItOnAnEarlierRelease) {
  ManifestMap entries;
  ASSERT_TRUE(ReadManifest(WideToAnsi(kSetDir) + "UpdateList.xml", entries));
  // An earlier release: its updater and settings example one version back; the client (the
  // stand-in, which records its starts) on record as current.
  ProgramFolder pc(false);
  ASSERT_TRUE(testsupport::CopyDistFile(L"Pelgrix.exe", pc.dir.Path()));
  ASSERT_TRUE(updatertest::InstallFakeClient(pc));
  pc.Write(L"Setting.example.ini", "an older example");
  pc.Write(L"UpdateList.xml", ManifestXml({{entries["Orvanta.exe"].ver, "Orvanta.exe", ""},
                                           {"2.0.0.0", "Pelgrix.exe", ""},
                                           {"4.0.0.0", "Setting.example.ini", ""}}));
  StandIn standIn;
  for (const wchar_t* name : {L"UpdateList.xml", L"Pelgrix.exe", L"Setting.example.ini", L"Orvanta.exe"}) {
    standIn.Put(name, testsupport::ReadFileBytes(kSetDir + name));
  }
  ASSERT_TRUE(standIn.Start());
  auto run = testsupport::RunProcess(
      pc.Path(L"Pelgrix.exe"), L"start 127.0.0.1 " + std::to_wstring(standIn.Port()), pc.dir.Path(), 60000);
  EXPECT_FALSE(run.timedOut);
  ASSERT_TRUE(updatertest::WaitForClientStarts(pc, 1, 60000));
  ASSERT_TRUE(testsupport::WaitFor([] { return !updatertest::UpdaterRunning(); }, 30000));
  EXPECT_EQ(std::vector<std::string>{"start "}, updatertest::ClientStarts(pc));
  EXPECT_EQ(testsupport::ReadFileBytes(kSetDir + L"Pelgrix.exe"), pc.Read(L"Pelgrix.exe"));
  EXPECT_EQ(testsupport::ReadFileBytes(kSetDir + L"Setting.example.ini"), pc.Read(L"Setting.example.ini"));
  EXPECT_EQ(testsupport::ReadFileBytes(kSetDir + L"UpdateList.xml"), pc.Read(L"UpdateList.xml"));
  // A run in which everything went well writes no log.
  EXPECT_FALSE(testsupport::DirExists(pc.Path(L"log")))
      << testsupport::ReadFileBytes(testsupport::TodayLogPath(pc.dir.Path()));
}

}  // namespace
