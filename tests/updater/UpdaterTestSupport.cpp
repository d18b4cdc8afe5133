#include "UpdaterTestSupport.h"

#include <bcrypt.h>

#include <cstring>
#include <mutex>

#include "Sha256.h"
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
    if (!file.size.empty() || !file.sha256.empty())
      xml += " Size=\"" + (file.size.empty() ? std::string("0") : file.size) + "\"";
    if (!file.sha256.empty()) xml += " Sha256=\"" + file.sha256 + "\"";
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

namespace {

// Made with openssl for the tests alone; the release key's private half never is in the sources.
const char kTestKeyXY[] =
    "ffdea6634b2d7a1bd0262bc701820e92db205f7ec6f4c62e80a4131eb9473b78"
    "144d6824eebd18597fe8720ec6a2e45b023f3f77c341e34f327366fbfe047817";
const char kTestKeyD[] = "2477c505e803666fdaa741bb556e4be03121902cad355edd259261fab68d129c";
// Another key, whose signatures the tests' public key must refuse.
const char kOtherKeyXY[] =
    "7ebd5223b2b907182a4f1444f8d0f6e58d757fc293b107c915b0c8e85a4a86d4"
    "467d5b0eaa1c79919e68d1cfd5aaafefb106ab732493787a566bdead600f9d2c";
const char kOtherKeyD[] = "ecaae81dba3e55dfc6984ba865589f4d6831e9416a1731e33712ece184891951";

std::string FromHex(const char* hex) {
  std::string bytes;
  for (size_t i = 0; hex[i] && hex[i + 1]; i += 2)
    bytes += static_cast<char>(std::stoi(std::string(hex + i, 2), nullptr, 16));
  return bytes;
}

}  // namespace

std::string TestUpdatePublicKey() { return FromHex(kTestKeyXY); }

namespace {

std::string Sign(const std::string& bytes, const char* xy, const char* d) {
  const std::string digestHex = Sha256Hex(bytes);
  const std::string digest = FromHex(digestHex.c_str());
  BCRYPT_ALG_HANDLE ecdsa = nullptr;
  if (!BCRYPT_SUCCESS(BCryptOpenAlgorithmProvider(&ecdsa, BCRYPT_ECDSA_P256_ALGORITHM, nullptr, 0)))
    return {};
  const std::string keyBytes = FromHex(xy) + FromHex(d);
  std::vector<unsigned char> blob(sizeof(BCRYPT_ECCKEY_BLOB) + keyBytes.size());
  BCRYPT_ECCKEY_BLOB header = {BCRYPT_ECDSA_PRIVATE_P256_MAGIC, 32};
  std::memcpy(blob.data(), &header, sizeof header);
  std::memcpy(blob.data() + sizeof header, keyBytes.data(), keyBytes.size());
  BCRYPT_KEY_HANDLE key = nullptr;
  std::string signature(64, '\0');
  ULONG length = 0;
  bool ok =
      BCRYPT_SUCCESS(BCryptImportKeyPair(ecdsa, nullptr, BCRYPT_ECCPRIVATE_BLOB, &key, blob.data(),
                                         static_cast<ULONG>(blob.size()), 0)) &&
      BCRYPT_SUCCESS(BCryptSignHash(key, nullptr, reinterpret_cast<PUCHAR>(const_cast<char*>(digest.data())),
                                    static_cast<ULONG>(digest.size()),
                                    reinterpret_cast<PUCHAR>(&signature[0]), 64, &length, 0)) &&
      length == 64;
  if (key) BCryptDestroyKey(key);
  BCryptCloseAlgorithmProvider(ecdsa, 0);
  return ok ? signature : std::string();
}

}  // namespace

std::string SignWithTestKey(const std::string& bytes) { return Sign(bytes, kTestKeyXY, kTestKeyD); }

std::string SignWithOtherKey(const std::string& bytes) { return Sign(bytes, kOtherKeyXY, kOtherKeyD); }

std::string TestBinary(const std::wstring& name) {
  return testsupport::ReadFileBytes(std::wstring(ORV_TEST_BIN_DIR) + name);
}

}  // namespace updatertest
