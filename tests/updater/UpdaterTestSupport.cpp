#include "UpdaterTestSupport.h"

#include <mutex>

#include "TextConvert.h"
#include "UpdaterLog.h"

namespace updatertest {

namespace {

std::mutex g_mutex;
std::vector<std::string> g_lines;
std::vector<std::wstring> g_debugger;

void KeepLine(const std::string& line) {
  std::lock_guard<std::mutex> lock(g_mutex);
  g_lines.push_back(line);
}

void KeepDebuggerLine(const std::wstring& text) {
  std::lock_guard<std::mutex> lock(g_mutex);
  g_debugger.push_back(text);
}

}  // namespace

CapturedLog::CapturedLog() {
  std::lock_guard<std::mutex> lock(g_mutex);
  g_lines.clear();
  g_debugger.clear();
  updater_testing::SetLogSink(&KeepLine);
  updater_testing::SetDebuggerSink(&KeepDebuggerLine);
}

CapturedLog::~CapturedLog() {
  updater_testing::SetLogSink(nullptr);
  updater_testing::SetDebuggerSink(nullptr);
}

std::vector<std::string> CapturedLog::Lines() const {
  std::lock_guard<std::mutex> lock(g_mutex);
  return g_lines;
}

std::vector<std::wstring> CapturedLog::DebuggerLines() const {
  std::lock_guard<std::mutex> lock(g_mutex);
  return g_debugger;
}

bool CapturedLog::Has(const wchar_t* text, const std::string& suffix) const {
  std::string wanted = Gbk(text) + suffix;
  for (const std::string& line : Lines()) {
    if (line == wanted) return true;
  }
  return false;
}

bool CapturedLog::HasPrefix(const wchar_t* text) const {
  std::string wanted = Gbk(text);
  for (const std::string& line : Lines()) {
    if (line.compare(0, wanted.size(), wanted) == 0) return true;
  }
  return false;
}

std::string Gbk(const wchar_t* text) { return WideToGbk(text); }

std::string ManifestXml(const std::vector<ManifestFile>& files) {
  std::string xml = "<?xml version=\"1.0\" encoding=\"gb2312\"?>\r\n<AutoUpdater>\r\n  <Files>\r\n";
  for (const ManifestFile& file : files) {
    xml += "    <File Ver=\"" + file.ver + "\" Name=\"" + file.name + "\"";
    if (!file.size.empty()) xml += " Size=\"" + file.size + "\"";
    xml += "/>\r\n";
  }
  return xml + "  </Files>\r\n</AutoUpdater>\r\n";
}

ProgramFolder::ProgramFolder(bool withStaging) {
  context.programDir = dir.Path();
  context.timings.startPauseMs = 0;
  context.timings.manifestWaitMs = 10000;
  if (withStaging) CreateDirectoryW(dir.File(L"temp").c_str(), nullptr);
}

std::string ProgramFolder::Ansi(const std::string& name) const { return WideToAnsi(dir.Path()) + name; }

void ProgramFolder::Write(const std::wstring& name, const std::string& bytes) const {
  testsupport::WriteFileBytes(dir.File(name), bytes);
}

std::string ProgramFolder::Read(const std::wstring& name) const {
  return testsupport::ReadFileBytes(dir.File(name));
}

bool ProgramFolder::Exists(const std::wstring& name) const { return testsupport::FileExists(dir.File(name)); }

void StandIn::Put(const std::wstring& name, const std::string& bytes) const {
  testsupport::WriteFileBytes(folder.File(name), bytes);
}

bool StandIn::Start(cashier::ServerOptions options) {
  options.folder = folder.Path();
  return server.Start(options);
}

std::string Pattern(size_t length, unsigned seed) {
  std::string bytes(length, '\0');
  unsigned value = seed * 2654435761u;
  for (size_t i = 0; i < length; ++i) {
    value = value * 1103515245u + 12345u;
    bytes[i] = static_cast<char>(value >> 16);
  }
  return bytes;
}

std::string ProgramImage(const std::string& tag) {
  return testsupport::ReadFileBytes(std::wstring(ORV_TEST_BIN_DIR) + L"updater_fake_client.exe") + tag;
}

bool InstallFakeClient(const ProgramFolder& folder) {
  return testsupport::CopyTestBinary(L"updater_fake_client.exe", folder.dir.Path(), L"Orvanta.exe");
}

std::vector<std::string> ClientStarts(const ProgramFolder& folder) {
  std::vector<std::string> starts;
  std::string text = folder.Read(L"client-started.txt");
  size_t start = 0;
  for (size_t end; (end = text.find('\n', start)) != std::string::npos; start = end + 1) {
    starts.push_back(text.substr(start, end - start));
  }
  return starts;
}

bool WaitForClientStarts(const ProgramFolder& folder, size_t count, DWORD timeoutMs) {
  return testsupport::WaitFor([&] { return ClientStarts(folder).size() >= count; }, timeoutMs);
}

bool UpdaterRunning() {
  HANDLE mutex = OpenMutexW(SYNCHRONIZE, FALSE, L"tvClient_AutoUpdate");
  if (!mutex) return false;
  CloseHandle(mutex);
  return true;
}

std::string TestBinary(const std::wstring& name) {
  return testsupport::ReadFileBytes(std::wstring(ORV_TEST_BIN_DIR) + name);
}

}  // namespace updatertest
