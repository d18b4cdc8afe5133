// Times Pelgrix.exe updating an empty program folder from the cashier stand-in on loopback, and
// a plain socket client fetching the same files by the same protocol in the same run (the
// floor: 64 KiB receives, no manifest work, no start-up pause), then once more with the
// updater's 1000-byte receives.
//   updater_bench <Pelgrix.exe>
#include <winsock2.h>

#include <cstdio>
#include <string>
#include <vector>

#include "CashierServer.h"
#include "Sha256.h"
#include "TestSupport.h"
#include "TextConvert.h"

namespace {

constexpr DWORD kStartPauseMs = 2000;  // the updater's own pause before it does anything

struct Scenario {
  const char* label;
  int files;
  size_t fileBytes;
};

std::wstring MakeScratchDir(const wchar_t* name) {
  wchar_t base[MAX_PATH] = {};
  GetTempPathW(MAX_PATH, base);
  std::wstring dir = std::wstring(base) + name + L"-" + std::to_wstring(GetCurrentProcessId()) + L"\\";
  CreateDirectoryW(dir.c_str(), nullptr);
  return dir;
}

long long FileSize(const std::wstring& path) {
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data)) return -1;
  return (static_cast<long long>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

double Seconds(LARGE_INTEGER from, LARGE_INTEGER to) {
  LARGE_INTEGER frequency;
  QueryPerformanceFrequency(&frequency);
  return static_cast<double>(to.QuadPart - from.QuadPart) / static_cast<double>(frequency.QuadPart);
}

std::string FileName(int index) {
  char name[32];
  std::snprintf(name, sizeof name, "data%03d.bin", index);
  return name;
}

// The served folder: the files and their manifest.
bool PrepareServer(const std::wstring& dir, const Scenario& scenario, bool withHashes) {
  std::string content(scenario.fileBytes, '\0');
  unsigned value = 12345;
  for (char& c : content) {
    value = value * 1103515245u + 12345u;
    c = static_cast<char>(value >> 16);
  }
  std::string manifest = "<?xml version=\"1.0\"?>\r\n<AutoUpdater>\r\n  <Files>\r\n";
  for (int i = 0; i < scenario.files; ++i) {
    content[0] = static_cast<char>(i);
    if (!testsupport::WriteFileBytes(dir + Utf8ToWide(FileName(i)), content)) return false;
    manifest += "    <File Ver=\"1.0.0." + std::to_string(i) + "\" Name=\"" + FileName(i) + "\" Size=\"" +
                std::to_string(scenario.fileBytes) + "\"";
    if (withHashes) manifest += " Sha256=\"" + Sha256Hex(content) + "\"";
    manifest += "/>\r\n";
  }
  manifest += "  </Files>\r\n</AutoUpdater>\r\n";
  return testsupport::WriteFileBytes(dir + L"UpdateList.xml", manifest);
}

// The updater's whole run, from process creation to its end.
bool RunUpdater(const std::wstring& updater, const std::wstring& programDir, int port, double& seconds) {
  std::wstring exe = programDir + L"Pelgrix.exe";
  if (!CopyFileW(updater.c_str(), exe.c_str(), FALSE)) return false;
  std::wstring commandLine = L"\"" + exe + L"\" start 127.0.0.1 " + std::to_wstring(port);
  STARTUPINFOW startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info = {};
  LARGE_INTEGER from, to;
  QueryPerformanceCounter(&from);
  if (!CreateProcessW(exe.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, programDir.c_str(),
                      &startup, &info)) {
    return false;
  }
  bool ended = WaitForSingleObject(info.hProcess, 600000) == WAIT_OBJECT_0;
  QueryPerformanceCounter(&to);
  CloseHandle(info.hThread);
  CloseHandle(info.hProcess);
  seconds = Seconds(from, to);
  return ended;
}

// One request per connection, large receives, each reply written to a file.
bool PlainFetch(int port, const std::string& name, const std::wstring& path, std::vector<char>& buffer) {
  SOCKET s = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
  if (s == INVALID_SOCKET) return false;
  sockaddr_in address = {};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = inet_addr("127.0.0.1");
  address.sin_port = htons(static_cast<u_short>(port));
  bool ok = false;
  if (connect(s, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0) {
    std::string request = "UPDATE," + name;
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (send(s, request.data(), static_cast<int>(request.size()), 0) > 0 && file != INVALID_HANDLE_VALUE) {
      for (;;) {
        int got = recv(s, buffer.data(), static_cast<int>(buffer.size()), 0);
        if (got <= 0) {
          ok = got == 0;
          break;
        }
        DWORD written = 0;
        WriteFile(file, buffer.data(), static_cast<DWORD>(got), &written, nullptr);
      }
    }
    if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
  }
  closesocket(s);
  return ok;
}

bool RunPlainClient(const Scenario& scenario, const std::wstring& dir, int port, size_t receiveBytes,
                    double& seconds) {
  WSADATA data;
  if (WSAStartup(MAKEWORD(2, 2), &data) != 0) return false;
  std::vector<char> buffer(receiveBytes);
  LARGE_INTEGER from, to;
  QueryPerformanceCounter(&from);
  bool ok = PlainFetch(port, "UpdateList.xml", dir + L"ServerList.xml", buffer);
  for (int i = 0; ok && i < scenario.files; ++i) {
    ok = PlainFetch(port, FileName(i), dir + Utf8ToWide(FileName(i)), buffer);
  }
  QueryPerformanceCounter(&to);
  WSACleanup();
  seconds = Seconds(from, to);
  return ok;
}

bool AllThere(const Scenario& scenario, const std::wstring& dir) {
  for (int i = 0; i < scenario.files; ++i) {
    if (FileSize(dir + Utf8ToWide(FileName(i))) != static_cast<long long>(scenario.fileBytes)) return false;
  }
  return true;
}

bool RunScenario(const std::wstring& updater, const Scenario& scenario) {
  std::wstring served = MakeScratchDir(L"bench-served");
  std::wstring program = MakeScratchDir(L"bench-program");
  std::wstring plain = MakeScratchDir(L"bench-plain");
  std::wstring hashed = MakeScratchDir(L"bench-program-hashed");
  bool ok = PrepareServer(served, scenario, false);
  cashier::CashierServer server;
  cashier::ServerOptions options;
  options.folder = served;
  ok = ok && server.Start(options);
  double updaterSeconds = 0;
  double plainSeconds = 0;
  double smallSeconds = 0;
  ok = ok && RunUpdater(updater, program, server.Port(), updaterSeconds) && AllThere(scenario, program);
  if (!ok) std::fprintf(stderr, "%s: the updater did not install every file\n", scenario.label);
  // The same with each file's SHA-256 in the manifest: what the hash check costs.
  double hashedSeconds = 0;
  ok = ok && PrepareServer(served, scenario, true) &&
       RunUpdater(updater, hashed, server.Port(), hashedSeconds) && AllThere(scenario, hashed);
  if (!ok) std::fprintf(stderr, "%s: the updater with hashes did not install every file\n", scenario.label);
  ok = ok && RunPlainClient(scenario, plain, server.Port(), 64 * 1024, plainSeconds) &&
       AllThere(scenario, plain);
  // The same client with the updater's 1000-byte receives: what the receive size alone costs.
  ok = ok && RunPlainClient(scenario, plain, server.Port(), 1000, smallSeconds) && AllThere(scenario, plain);
  server.Stop();
  testsupport::RemoveTree(served);
  testsupport::RemoveTree(program);
  testsupport::RemoveTree(hashed);
  testsupport::RemoveTree(plain);
  if (!ok) return false;

  const double mib = static_cast<double>(scenario.fileBytes) * scenario.files / (1024.0 * 1024.0);
  const double updaterWork = updaterSeconds - kStartPauseMs / 1000.0;
  std::printf("%s: %d files x %zu bytes = %.1f MiB\n", scenario.label, scenario.files, scenario.fileBytes,
              mib);
  std::printf("  Pelgrix.exe   wall %7.3f s (%7.3f s after its 2 s pause)  %8.1f MiB/s\n", updaterSeconds,
              updaterWork, mib / updaterWork);
  const double hashedWork = hashedSeconds - kStartPauseMs / 1000.0;
  std::printf(
      "  Pelgrix.exe with SHA-256 per file  wall %7.3f s (%7.3f s after its pause): the check adds %.1f %%\n",
      hashedSeconds, hashedWork, 100.0 * (hashedWork - updaterWork) / updaterWork);
  std::printf("  plain client  wall %7.3f s                                %8.1f MiB/s\n", plainSeconds,
              mib / plainSeconds);
  std::printf("  plain client with 1000-byte receives  wall %7.3f s          %8.1f MiB/s\n", smallSeconds,
              mib / smallSeconds);
  std::printf("  ratio updater/plain (after the pause) %.2f; updater/plain with 1000-byte receives %.2f\n",
              updaterWork / plainSeconds, updaterWork / smallSeconds);
  std::printf("  speed against the plain client with 1000-byte receives %.2fx\n", smallSeconds / updaterWork);
  std::fflush(stdout);
  return true;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: updater_bench <Pelgrix.exe>\n");
    return 2;
  }
  const Scenario scenarios[] = {{"(a) many small files", 200, 64 * 1024},
                                {"(b) few large files", 4, 64 << 20}};
  bool ok = true;
  for (const Scenario& scenario : scenarios) ok = RunScenario(argv[1], scenario) && ok;
  return ok ? 0 : 1;
}
