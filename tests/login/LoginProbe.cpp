// Runs one login step the way the client does, with the settings and the cache of its own
// folder, so that the tests can look at the requests, the day log and "User.db" it leaves.
//   name <hex of the UTF-8 name> | id <decimal> | parse <hex of the reply> | load
// Exit code 0: the step succeeded; 1: it failed; 2: bad arguments.
#include <windows.h>

#include <cstdlib>
#include <string>

#include "LoginDataBase.h"
#include "LoginReply.h"
#include "LoginService.h"
#include "ModulePath.h"
#include "TextConvert.h"
#include "VenueProfile.h"

namespace {

std::string FromHex(const std::wstring& hex) {
  std::string bytes;
  for (size_t i = 0; i + 1 < hex.size(); i += 2) {
    bytes.push_back(static_cast<char>(std::wcstoul(hex.substr(i, 2).c_str(), nullptr, 16)));
  }
  return bytes;
}

void Save(const wchar_t* name, const std::string& bytes) {
  HANDLE file =
      CreateFileW((GetModuleDir() + name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return;
  DWORD written = 0;
  WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  CloseHandle(file);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  std::wstring mode = argc > 1 ? argv[1] : L"";
  std::wstring arg = argc > 2 ? argv[2] : L"";
  bool ok = false;
  std::string reply;
  if (mode == L"name") {
    ok = Login(FromHex(arg), reply);
    Save(L"reply.bin", reply);
  } else if (mode == L"id") {
    ok = Login(static_cast<int32_t>(std::wcstol(arg.c_str(), nullptr, 10)), reply);
    Save(L"reply.bin", reply);
  } else if (mode == L"parse") {
    ok = ParseLoginReply(FromHex(arg));
    Save(L"errmsg.bin", GetVenueProfile().errmsg);
  } else if (mode == L"load") {
    ok = GetLoginDataBase().LoadInfo(GetVenueProfile());
  } else {
    return 2;
  }
  return ok ? 0 : 1;
}
