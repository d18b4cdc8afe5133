// Opens one toolkit window from the layout file named by the first argument and runs it
// modally; the process's exit code is the modal result.
#include <windows.h>

#include <shellapi.h>

#include <string>

#include "window/StartToolkit.h"
#include "window/WindowImplBase.h"

namespace {

class ProbeWindow : public ui::WindowImplBase {
 public:
  explicit ProbeWindow(std::wstring skin) : skin_(std::move(skin)) {}
  LPCWSTR WindowClassName() const override { return L"OrvProbeWindow"; }
  LPCWSTR SkinFile() override { return skin_.c_str(); }

 private:
  std::wstring skin_;
};

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, LPWSTR, int) {
  int argc = 0;
  LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &argc);
  std::wstring skin = argc > 1 ? argv[1] : L"Xmls\\LoginDialog.xml";
  LocalFree(argv);
  ui::StartToolkit(instance);
  ProbeWindow window(skin);
  if (window.Create(nullptr, L"probe", WS_POPUP | WS_VISIBLE | WS_CAPTION, WS_EX_WINDOWEDGE) == nullptr)
    return 3;
  window.Center();
  return static_cast<int>(window.ShowModal());
}
