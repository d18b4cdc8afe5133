// DevEngineProbe: drives the views of a running development engine from the command line.
//
//   DevEngineProbe [--pid N] [--url TEXT] [--out FILE] call "Name(arg, ...)"
//   DevEngineProbe [--pid N] [--url TEXT] [--out FILE] status | scripts | text | list
//
// --pid limits the search to one process, --url to views whose address contains TEXT (the
// first matching view is used). The reply is written to standard output, or as UTF-8 to FILE.
// Exit code 0 when the request succeeded, 1 when it failed, 2 on a usage error or no view.
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "DevEngineControl.h"

namespace {

std::string ToUtf8(const std::wstring& wide) {
  if (wide.empty()) return std::string();
  int n = WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0, nullptr,
                              nullptr);
  std::string out(static_cast<size_t>(n > 0 ? n : 0), '\0');
  if (n > 0)
    WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), &out[0], n, nullptr, nullptr);
  return out;
}

std::wstring WindowText(HWND hwnd) {
  int length = GetWindowTextLengthW(hwnd);
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  GetWindowTextW(hwnd, &text[0], length + 1);
  text.resize(static_cast<size_t>(length));
  return text;
}

bool Output(const std::wstring& outFile, const std::string& text) {
  if (outFile.empty()) {
    std::fwrite(text.data(), 1, text.size(), stdout);
    return true;
  }
  HANDLE file =
      CreateFileW(outFile.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  bool ok = WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr) &&
            written == text.size();
  CloseHandle(file);
  return ok;
}

int Usage() {
  std::fputs(
      "usage: DevEngineProbe [--pid N] [--url TEXT] [--out FILE] call \"Name(args)\" | status | scripts | "
      "text | list\n",
      stderr);
  return 2;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  DWORD pid = 0;
  std::wstring urlPart, outFile, command, callText;
  for (int i = 1; i < argc; ++i) {
    std::wstring arg = argv[i];
    if (arg == L"--pid" && i + 1 < argc) {
      pid = wcstoul(argv[++i], nullptr, 10);
    } else if (arg == L"--url" && i + 1 < argc) {
      urlPart = argv[++i];
    } else if (arg == L"--out" && i + 1 < argc) {
      outFile = argv[++i];
    } else if (command.empty()) {
      command = arg;
    } else if (command == L"call" && callText.empty()) {
      callText = arg;
    } else {
      return Usage();
    }
  }
  if (command.empty() || (command == L"call" && callText.empty())) return Usage();

  std::vector<HWND> views;
  for (HWND view : devengine::FindViewWindows(pid)) {
    if (urlPart.empty() || WindowText(view).find(urlPart) != std::wstring::npos) views.push_back(view);
  }
  if (command == L"list") {
    std::string text;
    for (HWND view : views) {
      DWORD owner = 0;
      GetWindowThreadProcessId(view, &owner);
      char head[64];
      std::snprintf(head, sizeof head, "%llu %lu ",
                    static_cast<unsigned long long>(reinterpret_cast<UINT_PTR>(view)), owner);
      text += head + ToUtf8(WindowText(view)) + "\n";
    }
    return Output(outFile, text) ? 0 : 1;
  }
  if (views.empty()) {
    std::fputs("no development engine view found\n", stderr);
    return 2;
  }
  HWND view = views.front();
  if (command == L"call") {
    std::string result;
    bool ok = devengine::CallViewFunction(view, ToUtf8(callText), &result);
    return Output(outFile, result + "\n") && ok ? 0 : 1;
  }
  ULONG_PTR code = command == L"status"    ? devengine::kCmdStatus
                   : command == L"scripts" ? devengine::kCmdScripts
                   : command == L"text"    ? devengine::kCmdText
                                           : 0;
  if (!code) return Usage();
  devengine::ControlReply reply = devengine::SendControlRequest(view, code, std::string());
  if (code == devengine::kCmdScripts) {
    for (char& c : reply.payload) {
      if (c == '\0') c = '\n';
    }
  }
  return Output(outFile, reply.payload) && reply.delivered && reply.result == devengine::kResultOk ? 0 : 1;
}
