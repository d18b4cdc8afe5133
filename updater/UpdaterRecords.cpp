#include "UpdaterRecords.h"

#include <windows.h>

#include <vector>

#include "FileReplace.h"
#include "TextConvert.h"

namespace {

constexpr DWORD kMaxRecordBytes = 4096;

bool ReadRecord(const std::wstring& path, std::string& bytes) {
  UniqueHandle file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_DELETE, nullptr,
                                OPEN_EXISTING, 0, nullptr));
  if (!file.Valid()) return false;
  char buffer[kMaxRecordBytes];
  DWORD read = 0;
  if (!ReadFile(file.Get(), buffer, sizeof buffer, &read, nullptr)) return false;
  bytes.assign(buffer, read);
  return true;
}

std::vector<std::string> Lines(const std::string& bytes) {
  std::vector<std::string> lines;
  size_t start = 0;
  while (start < bytes.size()) {
    size_t end = bytes.find("\r\n", start);
    if (end == std::string::npos) end = bytes.size();
    lines.push_back(bytes.substr(start, end - start));
    start = end + 2;
  }
  return lines;
}

}  // namespace

bool WriteTrialRecord(const UpdaterContext& context, const std::wstring& aside, const std::string& version,
                      const std::string* previous) {
  const std::string bytes =
      WideToUtf8(aside) + "\r\n" + version + "\r\n" + (previous ? "v:" + *previous : std::string()) + "\r\n";
  return WriteWholeFile(context, context.programDir + kTrialRecord, bytes);
}

bool TakeRetryRecord(const UpdaterContext& context, bool& hasPrevious, std::string& previous) {
  const std::wstring path = context.programDir + kRetryRecord;
  std::string bytes;
  if (!ReadRecord(path, bytes)) return false;
  DeleteFileW(path.c_str());
  const std::vector<std::string> lines = Lines(bytes);
  hasPrevious = lines.size() > 2 && lines[2].compare(0, 2, "v:") == 0;
  previous = hasPrevious ? lines[2].substr(2) : std::string();
  return true;
}

bool TrialRecordExists(const UpdaterContext& context) {
  return GetFileAttributesW((context.programDir + kTrialRecord).c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool ReadTrialAside(const UpdaterContext& context, std::wstring& aside) {
  std::string bytes;
  if (!ReadRecord(context.programDir + kTrialRecord, bytes)) return false;
  aside = TrialRecordAside(bytes);
  return !aside.empty();
}

void DeleteTrialRecord(const UpdaterContext& context) {
  DeleteFileW((context.programDir + kTrialRecord).c_str());
}

bool WriteRejectedVersion(const UpdaterContext& context, const std::string& version) {
  return WriteWholeFile(context, context.programDir + kRejectedRecord, version);
}

bool IsRejectedVersion(const UpdaterContext& context, const std::string& version) {
  std::string bytes;
  return ReadRecord(context.programDir + kRejectedRecord, bytes) && bytes == version;
}
