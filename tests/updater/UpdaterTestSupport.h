#pragma once
// Shared pieces of the updater tests: captured log lines, program folders, manifests, the
// cashier stand-in and the stand-in client's record.
#include <windows.h>

#include <string>
#include <vector>

#include "CashierServer.h"
#include "TestSupport.h"
#include "UpdaterContext.h"

namespace updatertest {

// While alive, the updater's log lines and debugger output are captured in-process.
class CapturedLog {
 public:
  CapturedLog();
  ~CapturedLog();
  CapturedLog(const CapturedLog&) = delete;
  CapturedLog& operator=(const CapturedLog&) = delete;
  std::vector<std::string> Lines() const;
  std::vector<std::wstring> DebuggerLines() const;
  // True when a log line equals the GBK bytes of text followed by suffix.
  bool Has(const wchar_t* text, const std::string& suffix = std::string()) const;
  // True when a log line starts with the GBK bytes of text.
  bool HasPrefix(const wchar_t* text) const;
};

std::string Gbk(const wchar_t* text);

struct ManifestFile {
  std::string ver;
  std::string name;
  std::string size;         // empty: no third attribute
  std::string sha256 = {};  // non-empty: the fourth attribute (the size then is written too)
};
std::string ManifestXml(const std::vector<ManifestFile>& files);

// A scratch program folder with a staging folder, and a context for in-process runs that
// waits no longer than a test needs.
struct ProgramFolder {
  testsupport::TempDir dir;
  UpdaterContext context;
  explicit ProgramFolder(bool withStaging = true);
  std::wstring Path(const std::wstring& name) const { return dir.File(name); }
  std::string Ansi(const std::string& name) const;
  void Write(const std::wstring& name, const std::string& bytes) const;
  std::string Read(const std::wstring& name) const;
  bool Exists(const std::wstring& name) const;
};

// A cashier stand-in serving a scratch folder.
struct StandIn {
  testsupport::TempDir folder;
  cashier::CashierServer server;
  void Put(const std::wstring& name, const std::string& bytes) const;
  bool Start(cashier::ServerOptions options = {});
  int Port() const { return server.Port(); }
};

// Bytes of a given length with a repeating pattern that shows misplaced pieces.
std::string Pattern(size_t length, unsigned seed = 1);

// A whole program image: the stand-in client's bytes with tag appended after its last section
// (where an installer's payload or a signature goes), so that two versions differ.
std::string ProgramImage(const std::string& tag);

// The stand-in client "Orvanta.exe" (updater_fake_client) appends its parameters, one line per
// start, to "client-started.txt" in its folder.
bool InstallFakeClient(const ProgramFolder& folder);
std::vector<std::string> ClientStarts(const ProgramFolder& folder);
bool WaitForClientStarts(const ProgramFolder& folder, size_t count, DWORD timeoutMs);

// True while a process holds the updater's mutex.
bool UpdaterRunning();

// A key pair made for the tests only (never a release's key): the public half as the updater
// takes it (x then y), and a signature of bytes by the private half (r then s).
std::string TestUpdatePublicKey();
std::string SignWithTestKey(const std::string& bytes);
std::string SignWithOtherKey(const std::string& bytes);

// A built test program's bytes (ORV_TEST_BIN_DIR + name).
std::string TestBinary(const std::wstring& name);

// Sets an environment variable for the programs a test starts, and clears it again.
class ScopedVariable {
 public:
  ScopedVariable(const wchar_t* name, const std::wstring& value) : name_(name) {
    SetEnvironmentVariableW(name, value.c_str());
  }
  ~ScopedVariable() { SetEnvironmentVariableW(name_, nullptr); }
  ScopedVariable(const ScopedVariable&) = delete;
  ScopedVariable& operator=(const ScopedVariable&) = delete;

 private:
  const wchar_t* name_;
};

}  // namespace updatertest
