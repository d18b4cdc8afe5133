// What the client makes, at its start, of the files a self-update leaves: the old copy, and the
// trial record of a hand-over that never saw the new updater come alive.
#include <gtest/gtest.h>

#include "LeftoverUpdater.h"
#include "TextConvert.h"
#include "UpdaterTestSupport.h"

namespace {

using updatertest::ProgramFolder;

struct SettleCase {
  const char* what;
  std::vector<std::pair<std::wstring, std::string>> before;  // files before the client's start
  bool readOnlyCopy;
  std::vector<std::pair<std::wstring, std::string>> after;  // files expected after it
  std::vector<std::wstring> gone;                           // files expected absent
};

TEST(ClientSettlesTheUpdater, ByTheTrialRecordAndTheOldCopy) {
  const std::string trial = "Pelgrix-2.exe\r\n2.0.0.2\r\nv:2.0.0.1\r\n";
  const std::string fallbackTrial = "temp\\Pelgrix-2.exe\r\n2.0.0.2\r\n\r\n";
  const SettleCase cases[] = {
      {"a confirmed self-update: the old copy goes",
       {{L"Pelgrix.exe", "new"}, {L"Pelgrix-2.exe", "old"}},
       false,
       {{L"Pelgrix.exe", "new"}},
       {L"Pelgrix-2.exe"}},
      {"a read-only old copy goes too",
       {{L"Pelgrix.exe", "new"}, {L"Pelgrix-2.exe", "old"}},
       true,
       {{L"Pelgrix.exe", "new"}},
       {L"Pelgrix-2.exe"}},
      {"the old copy alone is put back",
       {{L"Pelgrix-2.exe", "old"}},
       false,
       {{L"Pelgrix.exe", "old"}},
       {L"Pelgrix-2.exe"}},
      {"a hand-over cut off: the old updater goes back, the next run retries",
       {{L"Pelgrix.exe", "new"}, {L"Pelgrix-2.exe", "old"}, {L"Pelgrix.trial", trial}},
       false,
       {{L"Pelgrix.exe", "old"}, {L"temp\\Pelgrix.rejected.exe", "new"}, {L"Pelgrix.retry", trial}},
       {L"Pelgrix-2.exe", L"Pelgrix.trial"}},
      {"cut off before the new one was in place",
       {{L"Pelgrix-2.exe", "old"}, {L"Pelgrix.trial", trial}},
       false,
       {{L"Pelgrix.exe", "old"}, {L"Pelgrix.retry", trial}},
       {L"Pelgrix-2.exe", L"Pelgrix.trial"}},
      {"the old updater aside in the staging folder",
       {{L"Pelgrix.exe", "new"}, {L"temp\\Pelgrix-2.exe", "old"}, {L"Pelgrix.trial", fallbackTrial}},
       false,
       {{L"Pelgrix.exe", "old"}, {L"Pelgrix.retry", fallbackTrial}},
       {L"temp\\Pelgrix-2.exe", L"Pelgrix.trial"}},
      {"a trial record without an old copy: the only updater stays",
       {{L"Pelgrix.exe", "new"}, {L"Pelgrix.trial", trial}},
       false,
       {{L"Pelgrix.exe", "new"}},
       {L"Pelgrix.trial", L"Pelgrix.retry"}},
      {"a record naming another file is not followed",
       {{L"Pelgrix.exe", "new"},
        {L"Pelgrix-2.exe", "old"},
        {L"evil.exe", "evil"},
        {L"Pelgrix.trial", "evil.exe\r\n2.0.0.2\r\n\r\n"}},
       false,
       {{L"Pelgrix.exe", "old"}, {L"evil.exe", "evil"}},
       {L"Pelgrix-2.exe"}},
  };
  for (const SettleCase& c : cases) {
    SCOPED_TRACE(c.what);
    ProgramFolder folder(true);
    for (const auto& [name, bytes] : c.before) folder.Write(name, bytes);
    if (c.readOnlyCopy) SetFileAttributesW(folder.Path(L"Pelgrix-2.exe").c_str(), FILE_ATTRIBUTE_READONLY);
    SettleLeftoverUpdater(folder.dir.Path());
    for (const auto& [name, bytes] : c.after) EXPECT_EQ(bytes, folder.Read(name)) << WideToUtf8(name);
    for (const std::wstring& name : c.gone) EXPECT_FALSE(folder.Exists(name)) << WideToUtf8(name);
  }
}

}  // namespace
