#include "StartMode.h"

#include <windows.h>
#include <shellapi.h>

namespace {

// Owns the argument array that CommandLineToArgvW allocates.
class ArgvHolder {
 public:
  explicit ArgvHolder(wchar_t** argv) : argv_(argv) {}
  ~ArgvHolder() {
    if (argv_) LocalFree(argv_);
  }
  ArgvHolder(const ArgvHolder&) = delete;
  ArgvHolder& operator=(const ArgvHolder&) = delete;
  wchar_t** Get() const { return argv_; }

 private:
  wchar_t** argv_;
};

}  // namespace

StartMode ChooseStartMode(const std::vector<std::wstring>& args) {
  if (args.size() <= 1) return StartMode::NoArgument;
  const std::wstring& first = args[1];
  // Ordinal comparison: a locale-aware one could tie "START" to "start" differently per
  // user locale.
  bool isStart = first.size() == 5 && CompareStringOrdinal(first.c_str(), 5, L"start", 5, TRUE) == CSTR_EQUAL;
  return isStart ? StartMode::Start : StartMode::BadArgument;
}

StartMode CommandLineStartMode() {
  int count = 0;
  ArgvHolder argv(CommandLineToArgvW(GetCommandLineW(), &count));
  // A command line that cannot be split cannot name a mode.
  if (!argv.Get()) return StartMode::BadArgument;
  std::vector<std::wstring> args;
  for (int i = 0; i < count; ++i) args.emplace_back(argv.Get()[i]);
  return ChooseStartMode(args);
}
