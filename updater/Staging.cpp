#include "Staging.h"

#include <windows.h>

#include <cstdio>
#include <set>

#include "FetchClient.h"
#include "FileReplace.h"
#include "Handles.h"
#include "Manifest.h"
#include "PeImage.h"
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
    ReachStep(context, UpdateStep::FileFetched, name);
  }
  // A file in use cannot be replaced, and a program cut short must not be: either stays staged
  // and keeps its old version on record, so that the next run fetches it again.
  std::set<std::string> notInstalled;
  for (const auto& item : updateSet) {
    const std::string& name = item.first;
    const std::wstring staged = AnsiToWide(dir + "temp\\" + name);
    if (IsProgramImageName(name) && !IsWholePeImage(staged)) {
      UpdaterLog(L"更新文件不完整，未安装: ", name);
      notInstalled.insert(name);
      continue;
    }
    if (!MoveIntoPlace(staged, AnsiToWide(dir + name))) {
      notInstalled.insert(name);
      continue;
    }
    ReachStep(context, UpdateStep::FileMoved, name);
  }
  RecordAppliedManifest(context, notInstalled);
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
  ReachStep(context, UpdateStep::FileFetched, kUpdaterName);
  const std::wstring running = context.programDir + L"Pelgrix.exe";
  const std::wstring old = context.programDir + L"Pelgrix-2.exe";
  const std::wstring staged = context.programDir + L"temp\\Pelgrix.exe";
  if (!IsWholePeImage(staged)) {
    UpdaterLog(L"更新文件不完整，未安装: ", kUpdaterName);
    return false;
  }
  // A running executable cannot be overwritten, but it can be renamed.
  if (!MoveIntoPlace(running, old)) {
    UpdaterLog(L"自更，移动原文件失败，error=", LastErrorText());
    return false;
  }
  // Cut off here, the folder holds no "Pelgrix.exe": the client puts "Pelgrix-2.exe" back.
  ReachStep(context, UpdateStep::UpdaterMovedAside, kUpdaterName);
  if (!MoveIntoPlace(staged, running)) {
    UpdaterLog(L"自更，替换新文件失败，error=", LastErrorText());
    // Put the old updater back, so that the PC is never left without one.
    if (!MoveIntoPlace(old, running)) {
      UpdaterLog(L"自更，还原原文件失败，error=", LastErrorText());
    }
    return false;
  }
  ReachStep(context, UpdateStep::UpdaterInPlace, kUpdaterName);
  return RecordUpdaterVersion(context, entry);
}
