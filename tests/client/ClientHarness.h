#pragma once
// A program folder with the client in it, a run of the client that answers its windows, and
// the client's day log read back as lines.
#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "DialogInput.h"
#include "TestSupport.h"
#include "WindowProbe.h"

namespace clienttest {

class ClientFolder {
 public:
  ClientFolder();
  const testsupport::TempDir& Dir() const { return dir_; }
  std::wstring File(const std::wstring& name) const { return dir_.File(name); }
  void Settings(const std::string& ini);
  // Puts a test engine library (orv_test_engine.dll, ...) there as "node.dll".
  void Engine(const wchar_t* library);
  void Put(const std::wstring& name, const std::string& bytes);
  std::string EngineCalls() const;

 private:
  testsupport::TempDir dir_;
};

// How a test answers a window of the client; the default presses OK on message boxes, the
// close button of the login dialog and closes every other window.
using Responder = std::function<void(HWND, const SeenWindow&)>;
void DefaultResponse(HWND window, const SeenWindow& seen);

struct ClientResult {
  bool started = false;
  bool ended = false;
  DWORD exitCode = 0;
  std::vector<SeenWindow> windows;  // every visible top-level window, in the order seen
};

// Runs Orvanta.exe in the folder with the arguments, answers each new visible window once,
// pumps this thread's messages meanwhile, and waits at most timeoutMs for the end.
ClientResult RunClient(const ClientFolder& folder, const std::wstring& args,
                       const Responder& respond = DefaultResponse, DWORD timeoutMs = 30000);

struct LogLine {
  std::string level;
  std::string message;
};
std::vector<LogLine> ReadLog(const ClientFolder& folder);
bool HasLine(const std::vector<LogLine>& lines, const std::string& level, const std::string& message);
// Lines "<name> start." and "<name> time: N ms." at debug level.
bool HasScope(const std::vector<LogLine>& lines, const std::string& name);

// A TCP listener on 127.0.0.1 that never accepts: a login service nobody may reach.
class SilentListener {
 public:
  SilentListener();
  ~SilentListener();
  SilentListener(const SilentListener&) = delete;
  SilentListener& operator=(const SilentListener&) = delete;
  int Port() const { return port_; }
  // True when a connection is waiting to be accepted.
  bool WasContacted() const;

 private:
  uintptr_t socket_;
  int port_ = 0;
};

}  // namespace clienttest
