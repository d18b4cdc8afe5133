#include "Staging.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <map>

#include "FetchClient.h"
#include "FileReplace.h"
#include "Handles.h"
#include "Manifest.h"
#include "ManifestName.h"
#include "PeImage.h"
#include "SelfUpdateFiles.h"
#include "Sha256.h"
#include "StagedCloser.h"
#include "StreamHasher.h"
#include "TextConvert.h"
#include "UpdaterLog.h"
#include "UpdaterRecords.h"

namespace {

std::string LastErrorText() {
  char text[16];
  std::snprintf(text, sizeof text, "%lu", GetLastError());
  return text;
}

// The narrow (ANSI) functions take paths of at most MAX_PATH - 1 characters; a byte is at most
// one character, so a path of that many bytes always fits.
bool FitsNarrowPath(const std::string& path) { return path.size() < MAX_PATH; }

// Where a name from the manifest is staged and installed: as Windows resolves it. Empty for a
// name that is no plain file below the program folder (the manifest reader left such names out
// already; a set made otherwise is checked here all the same).
std::string LocalName(const std::string& name) {
  std::string local;
  return CheckManifestName(name, local) == NameRefusal::None ? local : std::string();
}

bool HasSha256(const std::wstring& path, const std::string& expected) {
  std::string actual;
  return FileSha256Hex(path, actual) && actual == expected;
}

// Bounded: a staging folder is never deeper or fuller than this unless someone else filled it.
constexpr int kMaxStagingDepth = 8;
constexpr int kMaxStagingEntries = 10000;

void DeleteFilesBelow(const std::wstring& folder, const std::wstring& keep, int depth, int& visited) {
  WIN32_FIND_DATAW found = {};
  HANDLE search = FindFirstFileW((folder + L"*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return;
  do {
    if (++visited > kMaxStagingEntries) break;
    const std::wstring name = found.cFileName;
    if (name == L"." || name == L"..") continue;
    const std::wstring path = folder + name;
    if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
      // A link to elsewhere is not followed: only what lies below the staging folder goes.
      if (depth < kMaxStagingDepth && !(found.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT)) {
        DeleteFilesBelow(path + L"\\", keep, depth + 1, visited);
      }
    } else if (_wcsicmp(path.c_str(), keep.c_str()) != 0) {
      ClearReadOnly(path);
      DeleteFileW(path.c_str());
    }
  } while (FindNextFileW(search, &found));
  FindClose(search);
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

void EmptyStaging(const UpdaterContext& context) {
  // The old updater of an unconfirmed self-update may live there: it is the PC's fallback.
  std::wstring keep;
  std::wstring aside;
  if (ReadTrialAside(context, aside) && aside == kAsideFallbackName) keep = context.programDir + aside;
  int visited = 0;
  DeleteFilesBelow(context.programDir + L"temp\\", keep, 0, visited);
}

bool ApplyUpdates(const UpdaterContext& context, const std::string& address, const ManifestMap& updateSet,
                  int port, const std::set<std::string>& leftOut) {
  const std::string dir = context.AnsiDir();
  std::set<std::string> notInstalled = leftOut;
  std::set<std::string> skipped;  // left out here: neither fetched nor installed
  uint64_t stagedBytes = 0;
  // Each staged file is forced to the disk while the next one is fetched.
  std::map<std::string, std::string> digests;  // outlives the hasher, which writes into it
  StagedCloser closer;
  StreamHasher hasher;
  UpdaterContext fetching = context;
  fetching.closer = &closer;
  fetching.hasher = &hasher;

  // A failed file is deleted once its stream is closed; nothing of this run is moved.
  auto fail = [&](const wchar_t* message, const std::string& staged) {
    UpdaterLog(message);
    closer.Finish();
    DeleteFileW(AnsiToWide(staged).c_str());
    return false;
  };
  for (const auto& [name, entry] : updateSet) {
    const std::string local = LocalName(name);
    if (local.empty()) {
      UpdaterLog(L"更新清单中的文件名不可用，已跳过: ", name);
      skipped.insert(name);
      continue;
    }
    const std::string staged = dir + "temp\\" + local;
    if (!FitsNarrowPath(staged)) {
      UpdaterLog(L"文件路径过长，已跳过: ", name);
      skipped.insert(name);
      continue;
    }
    if (entry.size > context.limits.maxFileBytes) {
      UpdaterLog(L"文件超出大小上限，已跳过: ", name);
      skipped.insert(name);
      continue;
    }
    // Each file gets at most its declared size, and all of them together at most the run's cap.
    uint64_t maxBytes = std::min(context.limits.maxFileBytes, context.limits.maxStagedBytes - stagedBytes);
    if (entry.size != 0) maxBytes = std::min<uint64_t>(maxBytes, entry.size);
    uint64_t received = 0;
    if (!FetchFile(fetching, address, name, local, port, maxBytes, &received,
                   entry.sha256.empty() ? nullptr : &digests[name])) {
      return fail(L"socket 更新文件失败。", staged);
    }
    // The size rule on what was stored; the file itself is measured once it is closed.
    if (entry.size != 0 && received != entry.size) return fail(L"更新文件大小出错。", staged);
    stagedBytes += received;
    ReachStep(context, UpdateStep::FileFetched, name);
  }
  hasher.Wait();
  if (!closer.Finish()) {
    UpdaterLog(L"socket 更新文件失败。");  // a file may lack data on the disk: none is installed
    return false;
  }
  for (const auto& [name, entry] : updateSet) {
    if (skipped.count(name) != 0) continue;
    const std::string staged = dir + "temp\\" + LocalName(name);
    if (!CheckFileSize(staged, entry.size)) {
      UpdaterLog(L"更新文件大小出错。");
      DeleteFileW(AnsiToWide(staged).c_str());
      return false;
    }
  }
  // A file in use cannot be replaced, and a program cut short must not be: either stays staged
  // and keeps its old version on record, so that the next run fetches it again.
  for (const auto& [name, entry] : updateSet) {
    if (skipped.count(name) != 0) continue;
    const std::string local = LocalName(name);
    const std::wstring staged = AnsiToWide(dir + "temp\\" + local);
    // Bytes that differ from the publisher's hash are treated as a file cut short.
    if (!entry.sha256.empty() && digests[name] != entry.sha256) {
      UpdaterLog(L"更新文件校验值不符，未安装: ", name);
      notInstalled.insert(name);
      continue;
    }
    // The check goes by the name as the file system resolves it: "Orvanta.exe." is a program.
    if (IsProgramImageName(local) && !IsWholePeImage(staged)) {
      UpdaterLog(L"更新文件不完整，未安装: ", name);
      notInstalled.insert(name);
      continue;
    }
    if (!MoveIntoPlace(staged, AnsiToWide(dir + local))) {
      notInstalled.insert(name);
      continue;
    }
    ReachStep(context, UpdateStep::FileMoved, name);
  }
  notInstalled.insert(skipped.begin(), skipped.end());
  RecordAppliedManifest(context, notInstalled);
  return true;
}

bool SelfUpdate(const UpdaterContext& context, const std::string& address, const FileEntry& entry, int port,
                std::wstring* asideOut) {
  const std::wstring running = context.programDir + L"Pelgrix.exe";
  const std::wstring staged = context.programDir + L"temp\\Pelgrix.exe";
  uint64_t maxBytes = context.limits.maxFileBytes;
  if (entry.size != 0) maxBytes = std::min<uint64_t>(maxBytes, entry.size);
  if (!FetchFile(context, address, kUpdaterName, kUpdaterName, port, maxBytes)) {
    UpdaterLog(L"下载更新程序失败");
    DeleteFileW(staged.c_str());
    return false;
  }
  if (!CheckFileSize(context.AnsiDir() + "temp\\" + kUpdaterName, entry.size)) {
    UpdaterLog(L"更新程序大小不一致");
    DeleteFileW(staged.c_str());
    return false;
  }
  if (!entry.sha256.empty() && !HasSha256(staged, entry.sha256)) {
    UpdaterLog(L"更新程序校验值不符");
    DeleteFileW(staged.c_str());
    return false;
  }
  ReachStep(context, UpdateStep::FileFetched, kUpdaterName);
  if (!IsWholePeImage(staged)) {
    UpdaterLog(L"更新文件不完整，未安装: ", kUpdaterName);
    return false;
  }
  // A running executable cannot be overwritten, but it can be renamed. The trial record names
  // where the old one goes before it goes there, so that a cut at any moment leaves a record by
  // which the client finds the last working updater.
  FileEntry previous;
  const bool hadPrevious = FindLocalEntry(context, kUpdaterName, previous);
  std::wstring aside;
  bool movedAside = false;
  for (const wchar_t* candidate : {kAsideName, kAsideFallbackName}) {
    const std::wstring target = context.programDir + candidate;
    if (!WriteTrialRecord(context, candidate, entry.ver, hadPrevious ? &previous.ver : nullptr)) {
      UpdaterLog(L"写入更新程序记录出错.");
      return false;
    }
    ClearReadOnly(target);
    if (MoveIntoPlace(running, target)) {
      aside = candidate;
      movedAside = true;
      break;
    }
  }
  if (!movedAside) {
    UpdaterLog(L"自更，移动原文件失败，error=", LastErrorText());
    DeleteTrialRecord(context);
    return false;
  }
  if (asideOut) *asideOut = aside;
  const std::wstring old = context.programDir + aside;
  // Cut off here, the folder holds no "Pelgrix.exe": the client puts the old one back.
  ReachStep(context, UpdateStep::UpdaterMovedAside, kUpdaterName);
  if (!MoveIntoPlace(staged, running)) {
    UpdaterLog(L"自更，替换新文件失败，error=", LastErrorText());
    // Put the old updater back, so that the PC is never left without one.
    if (MoveIntoPlace(old, running)) {
      DeleteTrialRecord(context);
    } else {
      UpdaterLog(L"自更，还原原文件失败，error=", LastErrorText());
    }
    return false;
  }
  ReachStep(context, UpdateStep::UpdaterInPlace, kUpdaterName);
  if (!RecordUpdaterVersion(context, entry)) {
    // Not recorded, the new updater would replace itself again at every start: the old one
    // goes back and the next run tries again.
    if (MoveIntoPlace(running, staged) && MoveIntoPlace(old, running)) DeleteTrialRecord(context);
    return false;
  }
  return true;
}

bool TakeBackSelfUpdate(const UpdaterContext& context, const std::wstring& aside, const FileEntry& rejected,
                        const FileEntry* previous) {
  const std::wstring running = context.programDir + L"Pelgrix.exe";
  const std::wstring old = context.programDir + aside;
  // Remembered first: whatever cut follows, this version is not tried again at every boot.
  if (!WriteRejectedVersion(context, rejected.ver)) UpdaterLog(L"写入更新程序记录出错.");
  // The bad image out of the way; the next run empties the staging folder.
  if (!MoveIntoPlace(running, context.programDir + L"temp\\Pelgrix.rejected.exe")) {
    UpdaterLog(L"自更，还原原文件失败，error=", LastErrorText());
    return false;
  }
  if (!MoveIntoPlace(old, running)) {
    // The trial record stays: the client puts the old one back at its start.
    UpdaterLog(L"自更，还原原文件失败，error=", LastErrorText());
    return false;
  }
  ReachStep(context, UpdateStep::HandoverRollback, kUpdaterName);
  RestoreUpdaterRecord(context, previous);
  DeleteTrialRecord(context);
  return true;
}
