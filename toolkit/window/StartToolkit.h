#pragma once
// Start-up of the toolkit, once per process before the first window.
#include <windows.h>

#include <string>

namespace ui {

// Records the instance, makes its folder the current directory and loads the skin package from
// its resource 129 "ZIPRES" (a package already loaded stays). False when no package is loaded;
// every window then fails to build.
bool StartToolkit(HINSTANCE instance);
HINSTANCE GetToolkitInstance();
// The instance's folder, with the trailing backslash.
const std::wstring& GetInstancePath();

// The end of a window whose layout cannot be built: the message box "加载资源文件失败", then
// the process ends with exit code 1.
[[noreturn]] void FailToLoadSkin();

}  // namespace ui

// The start-up sequence calls it by its plain name.
using ui::StartToolkit;
