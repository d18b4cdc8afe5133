// The client's start in its start mode, from the cache, until the main frame is shown and its
// shop page is ready, against a program that shows one empty window: median of the runs of
// each, both under the same Wine, and the client's private memory once started. Then as many
// runs with the debug switch on, whose day log's timing lines ("Start step ...") give the
// table of where the start goes.
//
// Usage: client_bench.exe <dist folder> <empty window program> [runs]
#include <windows.h>
#include <psapi.h>
#include <sqlite3.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <regex>
#include <string>
#include <vector>

#include "DevEngineControl.h"
#include "LocalHttpServer.h"
#include "TestSupport.h"
#include "TextConvert.h"

using namespace testsupport;

namespace {

struct FindArgs {
  DWORD pid;
  const wchar_t* className;
  HWND found;
};

BOOL CALLBACK FindShown(HWND window, LPARAM param) {
  auto* args = reinterpret_cast<FindArgs*>(param);
  DWORD pid = 0;
  GetWindowThreadProcessId(window, &pid);
  wchar_t name[64] = {};
  GetClassNameW(window, name, 64);
  if (pid == args->pid && wcscmp(name, args->className) == 0 && IsWindowVisible(window)) {
    args->found = window;
    return FALSE;
  }
  return TRUE;
}

HWND ShownWindow(DWORD pid, const wchar_t* className) {
  FindArgs args{pid, className, nullptr};
  EnumWindows(&FindShown, reinterpret_cast<LPARAM>(&args));
  return args.found;
}

double Ms(LARGE_INTEGER from, LARGE_INTEGER to) {
  LARGE_INTEGER frequency;
  QueryPerformanceFrequency(&frequency);
  return static_cast<double>(to.QuadPart - from.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

LARGE_INTEGER Now() {
  LARGE_INTEGER now;
  QueryPerformanceCounter(&now);
  return now;
}

double Median(std::vector<double> values) {
  if (values.empty()) return 0;
  std::sort(values.begin(), values.end());
  const size_t mid = values.size() / 2;
  return values.size() % 2 != 0 ? values[mid] : (values[mid - 1] + values[mid]) / 2;
}

struct Run {
  bool ok = false;
  double ms = 0;
  SIZE_T privateBytes = 0;
  SIZE_T workingSet = 0;
};

// Starts the program, waits (at most 30 s) until `ready` says it is up, measures, closes the
// window of the class and waits for the end.
template <typename Ready>
Run Measure(const std::wstring& exe, const std::wstring& args, const std::wstring& dir,
            const wchar_t* className, Ready ready) {
  Run run;
  std::wstring commandLine = L"\"" + exe + L"\" " + args;
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info{};
  const LARGE_INTEGER start = Now();
  if (!CreateProcessW(exe.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, dir.c_str(),
                      &startup, &info)) {
    return run;
  }
  HWND window = nullptr;
  const ULONGLONG deadline = GetTickCount64() + 30000;
  while (GetTickCount64() < deadline) {
    window = ShownWindow(info.dwProcessId, className);
    if (window != nullptr && ready(window)) {
      run.ms = Ms(start, Now());
      run.ok = true;
      break;
    }
    Sleep(1);
  }
  PROCESS_MEMORY_COUNTERS_EX memory{};
  memory.cb = sizeof memory;
  if (GetProcessMemoryInfo(info.hProcess, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&memory),
                           sizeof memory)) {
    // Wine leaves PrivateUsage at 0 for other processes; its page-file figure is the same count.
    run.privateBytes = memory.PrivateUsage != 0 ? memory.PrivateUsage : memory.PagefileUsage;
    run.workingSet = memory.WorkingSetSize;
  }
  if (window != nullptr) PostMessageW(window, WM_CLOSE, 0, 0);
  if (WaitForSingleObject(info.hProcess, 15000) != WAIT_OBJECT_0) {
    TerminateProcess(info.hProcess, 255);
    WaitForSingleObject(info.hProcess, 5000);
  }
  CloseHandle(info.hProcess);
  CloseHandle(info.hThread);
  return run;
}

bool WriteSettings(const TempDir& dir, const LocalHttpServer& web, bool debug) {
  std::string base = web.Url("");
  if (!base.empty() && base.back() == '/') base.pop_back();
  return WriteFileBytes(dir.File(L"Setting.ini"),
                        "[CONFIG]\r\nurl=" + base + "\r\n" + (debug ? "debug=1\r\n" : ""));
}

bool PrepareClientFolder(const std::wstring& dist, const TempDir& dir, const LocalHttpServer& web) {
  for (const wchar_t* name : {L"Orvanta.exe", L"node.dll"}) {
    if (!CopyFileW((dist + name).c_str(), dir.File(name).c_str(), FALSE)) return false;
  }
  if (!WriteSettings(dir, web, false)) return false;
  const char* sql =
      "CREATE TABLE [InfoTable]([id] INTEGER PRIMARY KEY,[name] TEXT,[ip] TEXT,[ips] TEXT,[port] INTEGER,"
      "[token] TEXT,[hidetime] INTEGER,[position] INTEGER,[skin] INTEGET,[mini] INTEGER);"
      "CREATE TABLE [ToolTable]([idx] INTEGER PRIMARY KEY,[name] TEXT,[img] TEXT,[path] TEXT,[type] INTEGER,"
      "[open] INTEGER);"
      "INSERT INTO InfoTable VALUES(8,'cafe','','',0,'t',0,0,0,0);"
      "INSERT INTO ToolTable VALUES(0,'呼叫网管','','',0,1);"
      "INSERT INTO ToolTable VALUES(1,'商品点购','','',0,1);";
  sqlite3* db = nullptr;
  bool ok = sqlite3_open(WideToUtf8(dir.File(L"User.db")).c_str(), &db) == SQLITE_OK &&
            sqlite3_exec(db, sql, nullptr, nullptr, nullptr) == SQLITE_OK;
  sqlite3_close(db);
  return ok;
}

// The day logs of the client's folder, removed before a run so that only its lines are read.
void RemoveDayLogs(const TempDir& dir) {
  WIN32_FIND_DATAW found{};
  HANDLE search = FindFirstFileW(dir.File(L"log\\*.log").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return;
  do {
    DeleteFileW(dir.File(std::wstring(L"log\\") + found.cFileName).c_str());
  } while (FindNextFileW(search, &found));
  FindClose(search);
}

// The "Start step <name>: <ms> ms." lines of the day logs, in their order.
std::vector<std::pair<std::string, double>> ReadStartSteps(const TempDir& dir) {
  std::vector<std::pair<std::string, double>> steps;
  WIN32_FIND_DATAW found{};
  HANDLE search = FindFirstFileW(dir.File(L"log\\*.log").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return steps;
  const std::regex line(R"(Start step (.+): ([0-9.]+) ms\.)");
  do {
    const std::string text = ReadFileBytes(dir.File(std::wstring(L"log\\") + found.cFileName));
    for (std::sregex_iterator it(text.begin(), text.end(), line), end; it != end; ++it) {
      steps.emplace_back((*it)[1].str(), std::atof((*it)[2].str().c_str()));
    }
  } while (FindNextFileW(search, &found));
  FindClose(search);
  return steps;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: client_bench <dist folder> <empty window program> [runs]\n");
    return 2;
  }
  std::wstring dist = argv[1];
  if (!dist.empty() && dist.back() != L'\\' && dist.back() != L'/') dist += L'\\';
  const std::wstring empty = argv[2];
  const int runs = argc > 3 ? std::max(1, _wtoi(argv[3])) : 10;

  LocalHttpServer web;
  LocalHttpServer::Route shop;
  shop.body = ReadFileBytes(std::wstring(ORV_TEST_SOURCE_DIR) + L"fixtures/pages/shop.html");
  web.SetRoute("/shop/", shop);
  TempDir dir;
  if (!web.Started() || shop.body.empty() || !PrepareClientFolder(dist, dir, web)) {
    std::fprintf(stderr, "could not prepare the client's folder\n");
    return 1;
  }

  // The shop page is ready once the engine reported its document (the view's status).
  auto pageReady = [](HWND frame) {
    HWND view = FindWindowExW(frame, nullptr, L"OrvDevEngineView", nullptr);
    return view != nullptr && devengine::QueryViewStatus(view, 1000)["readyCallbacks"] == "1";
  };
  auto shown = [](HWND) { return true; };

  std::vector<double> client, reference, memory, resident;
  // One warm-up of each, not counted: the first start of a program under Wine loads its DLLs.
  Measure(dir.File(L"Orvanta.exe"), L"start", dir.Path(), L"MainFrame", pageReady);
  Measure(empty, L"", dir.Path(), L"OrvBenchEmptyWindow", shown);
  for (int i = 0; i < runs; ++i) {
    Run c = Measure(dir.File(L"Orvanta.exe"), L"start", dir.Path(), L"MainFrame", pageReady);
    Run e = Measure(empty, L"", dir.Path(), L"OrvBenchEmptyWindow", shown);
    if (!c.ok || !e.ok) {
      std::fprintf(stderr, "run %d failed (client %d, empty window %d)\n", i + 1, c.ok, e.ok);
      return 1;
    }
    client.push_back(c.ms);
    reference.push_back(e.ms);
    memory.push_back(static_cast<double>(c.privateBytes) / (1024.0 * 1024.0));
    resident.push_back(static_cast<double>(c.workingSet) / (1024.0 * 1024.0));
    std::printf(
        "run %2d: client %8.1f ms   empty window %8.1f ms   client private %6.1f MiB, working set %6.1f "
        "MiB\n",
        i + 1, c.ms, e.ms, memory.back(), resident.back());
  }
  const double clientMedian = Median(client);
  const double referenceMedian = Median(reference);
  std::printf("client start (start mode, cache, page ready): median %.1f ms over %d runs\n", clientMedian,
              runs);
  std::printf("empty window program: median %.1f ms over %d runs\n", referenceMedian, runs);
  std::printf("ratio client / empty window: %.2f\n",
              referenceMedian > 0 ? clientMedian / referenceMedian : 0.0);
  std::printf("client private memory after start: median %.1f MiB (working set %.1f MiB)\n", Median(memory),
              Median(resident));

  // The same start with the debug switch on: the timing lines, at some cost of their own.
  if (!WriteSettings(dir, web, true)) return 1;
  std::vector<std::string> order;
  std::map<std::string, std::vector<double>> steps;
  std::vector<double> logged;
  for (int i = 0; i < runs; ++i) {
    RemoveDayLogs(dir);
    Run c = Measure(dir.File(L"Orvanta.exe"), L"start", dir.Path(), L"MainFrame", pageReady);
    if (!c.ok) {
      std::fprintf(stderr, "timing run %d failed\n", i + 1);
      return 1;
    }
    logged.push_back(c.ms);
    for (const auto& [name, ms] : ReadStartSteps(dir)) {
      if (steps.find(name) == steps.end()) order.push_back(name);
      steps[name].push_back(ms);
    }
  }
  std::printf(
      "start steps from the day log (debug on: median %.1f ms until page ready), median of %d runs:\n",
      Median(logged), runs);
  std::printf("  %-24s %10s %10s\n", "step ends", "at ms", "step ms");
  std::vector<std::pair<double, std::string>> byTime;
  for (const std::string& name : order) {
    if (name.find("(sum)") == std::string::npos) byTime.emplace_back(Median(steps[name]), name);
  }
  std::stable_sort(byTime.begin(), byTime.end());
  double previous = 0;
  for (const auto& [at, name] : byTime) {
    std::printf("  %-24s %10.1f %10.1f\n", name.c_str(), at, at - previous);
    previous = at;
  }
  for (const std::string& name : order) {
    if (name.find("(sum)") != std::string::npos)
      std::printf("  %-24s %10s %10.1f\n", name.c_str(), "", Median(steps[name]));
  }
  return 0;
}
