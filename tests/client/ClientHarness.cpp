#include "ClientHarness.h"

#include <gtest/gtest.h>
#include <winsock2.h>

#include <regex>
#include <set>

#include "DialogInput.h"
#include "UniqueHandle.h"

using namespace testsupport;

namespace clienttest {

ClientFolder::ClientFolder() { EXPECT_TRUE(CopyDistFile(L"Orvanta.exe", dir_.Path())); }

void ClientFolder::Settings(const std::string& ini) { Put(L"Setting.ini", ini); }

void ClientFolder::Engine(const wchar_t* library) {
  EXPECT_TRUE(CopyTestBinary(library, dir_.Path(), L"node.dll"));
}

void ClientFolder::Put(const std::wstring& name, const std::string& bytes) {
  EXPECT_TRUE(WriteFileBytes(dir_.File(name), bytes));
}

std::string ClientFolder::EngineCalls() const { return ReadFileBytes(dir_.File(L"wke-calls.txt")); }

void DefaultResponse(HWND window, const SeenWindow& seen) {
  if (seen.className == kBoxClass || seen.className == kMsgDialogClass) {
    PressBoxButton(window, IDOK);
  } else if (seen.className == kLoginDialogClass) {
    AnswerLogin(window, L"", LoginEnd::CloseButton);
  } else {
    PostMessageW(window, WM_CLOSE, 0, 0);
  }
}

ClientResult RunClient(const ClientFolder& folder, const std::wstring& args, const Responder& respond,
                       DWORD timeoutMs) {
  ClientResult result;
  std::wstring exe = folder.File(L"Orvanta.exe");
  std::wstring commandLine = L"\"" + exe + L"\"";
  if (!args.empty()) commandLine += L" " + args;
  STARTUPINFOW startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info = {};
  // Started from another folder: the client must find its files beside itself.
  if (!CreateProcessW(exe.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                      &info)) {
    return result;
  }
  result.started = true;
  UniqueHandle process(info.hProcess);
  UniqueHandle thread(info.hThread);
  std::set<HWND> answered;
  ULONGLONG end = GetTickCount64() + timeoutMs;
  while (GetTickCount64() < end) {
    for (HWND window : VisibleWindowsOf(info.dwProcessId)) {
      if (!answered.insert(window).second) continue;
      SeenWindow seen = Describe(window);
      result.windows.push_back(seen);
      respond(window, seen);
    }
    if (WaitForSingleObject(process.Get(), 0) == WAIT_OBJECT_0) {
      result.ended = true;
      break;
    }
    PumpFor(20);
  }
  if (!result.ended) {
    TerminateProcess(process.Get(), 255);
    WaitForSingleObject(process.Get(), 5000);
  }
  GetExitCodeProcess(process.Get(), &result.exitCode);
  return result;
}

std::vector<LogLine> ReadLog(const ClientFolder& folder) {
  std::vector<LogLine> lines;
  std::string text = ReadFileBytes(TodayLogPath(folder.Dir().Path()));
  // "<date> <time>,<ms>: <LEVEL>  :<message>": root category and diagnostic context are empty.
  static const std::regex form(R"(^\d{4}-\d{2}-\d{2} \d{2}:\d{2}:\d{2},\d{3}: (\w+)  :(.*)$)");
  size_t start = 0;
  while (start < text.size()) {
    size_t stop = text.find('\n', start);
    if (stop == std::string::npos) stop = text.size();
    std::string line = text.substr(start, stop - start);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    std::smatch match;
    if (std::regex_match(line, match, form)) {
      lines.push_back({match[1], match[2]});
    } else {
      lines.push_back({"?", line});
    }
    start = stop + 1;
  }
  return lines;
}

bool HasLine(const std::vector<LogLine>& lines, const std::string& level, const std::string& message) {
  for (const LogLine& line : lines) {
    if (line.level == level && line.message == message) return true;
  }
  return false;
}

bool HasScope(const std::vector<LogLine>& lines, const std::string& name) {
  const std::regex time(name + R"( time: \d+ ms\.)");
  bool opened = false;
  for (const LogLine& line : lines) {
    if (line.level != "DEBUG") continue;
    if (line.message == name + " start.") opened = true;
    if (opened && std::regex_match(line.message, time)) return true;
  }
  return false;
}

SilentListener::SilentListener() : socket_(INVALID_SOCKET) {
  WSADATA data;
  WSAStartup(MAKEWORD(2, 2), &data);
  SOCKET s = ::socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
  sockaddr_in address = {};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  address.sin_port = 0;
  if (s == INVALID_SOCKET || bind(s, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
      listen(s, 4) != 0) {
    ADD_FAILURE() << "no listener on 127.0.0.1";
    if (s != INVALID_SOCKET) closesocket(s);
    return;
  }
  int length = sizeof address;
  getsockname(s, reinterpret_cast<sockaddr*>(&address), &length);
  port_ = ntohs(address.sin_port);
  socket_ = s;
}

SilentListener::~SilentListener() {
  if (socket_ != INVALID_SOCKET) closesocket(static_cast<SOCKET>(socket_));
  WSACleanup();
}

bool SilentListener::WasContacted() const {
  if (socket_ == INVALID_SOCKET) return false;
  fd_set readable;
  FD_ZERO(&readable);
  FD_SET(static_cast<SOCKET>(socket_), &readable);
  timeval none = {0, 0};
  return select(0, &readable, nullptr, nullptr, &none) > 0;
}

}  // namespace clienttest
