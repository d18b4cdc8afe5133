#include "Staging.h"

#include <windows.h>

#include <cstdio>
#include <set>

#include "FetchClient.h"
#include "Handles.h"
#include "Manifest.h"
#include "TextConvert.h"
#include "UpdaterLog.h"

namespace {

std::string LastErrorText() {
  char text[16];
  std::snprintf(text, sizeof text, "%lu", GetLastError());
  return text;
}

}  // namespace

bool CheckFileSize(const std::string& ansiPath, uint32_t expected) {
  // FILE_READ_EA only: the handle gives no access to the data, so it does not stand in the way
  // of the move that follows.
  UniqueHandle file(CreateFileW(AnsiToWide(ansiPath).c_str(), FILE_READ_EA, FILE_SHARE_READ, nullptr,
                                OPEN_EXISTING, 0, nullptr));
  if (!file.Valid()) return false;
  DWORD size = GetFileSize(file.Get(), nullptr);
  return expected == 0 || expected == size;
}

bool ApplyUpdates(const UpdaterContext& context, const std::string& address, const ManifestMap& updateSet,
                  int port) {
  const std::string dir = context.AnsiDir();
  for (const auto& [name, entry] : updateSet) {
    if (!FetchFile(context, address, name, port)) {
      UpdaterLog(L"socket 更新文件失败。");
      return false;
    }
    if (!CheckFileSize(dir + "temp\\" + name, entry.size)) {
      UpdaterLog(L"更新文件大小出错。");
      return false;
    }
  }
  // A file in use cannot be replaced: it stays staged and keeps its old version on record.
  std::set<std::string> notInstalled;
  for (const auto& item : updateSet) {
    const std::string& name = item.first;
    if (!MoveFileExA((dir + "temp\\" + name).c_str(), (dir + name).c_str(), MOVEFILE_REPLACE_EXISTING)) {
      notInstalled.insert(name);
    }
  }
  RecordAppliedManifest(dir, notInstalled);
  return true;
}

bool SelfUpdate(const UpdaterContext& context, const std::string& address, const FileEntry& entry, int port) {
  if (!FetchFile(context, address, kUpdaterName, port)) {
    UpdaterLog(L"下载更新程序失败");
    return false;
  }
  if (!CheckFileSize(context.AnsiDir() + "temp\\" + kUpdaterName, entry.size)) {
    UpdaterLog(L"更新程序大小不一致");
    return false;
  }
  const std::wstring running = context.programDir + L"Pelgrix.exe";
  const std::wstring old = context.programDir + L"Pelgrix-2.exe";
  const std::wstring staged = context.programDir + L"temp\\Pelgrix.exe";
  // A running executable cannot be overwritten, but it can be renamed.
  if (!MoveFileExW(running.c_str(), old.c_str(), MOVEFILE_REPLACE_EXISTING)) {
    UpdaterLog(L"自更，移动原文件失败，error=", LastErrorText());
    return false;
  }
  if (!MoveFileExW(staged.c_str(), running.c_str(), MOVEFILE_REPLACE_EXISTING)) {
    UpdaterLog(L"自更，替换新文件失败，error=", LastErrorText());
    // Put the old updater back, so that the PC is never left without one.
    if (!MoveFileExW(old.c_str(), running.c_str(), MOVEFILE_REPLACE_EXISTING)) {
      UpdaterLog(L"自更，还原原文件失败，error=", LastErrorText());
    }
    return false;
  }
  return RecordUpdaterVersion(context.AnsiDir(), entry);
}
