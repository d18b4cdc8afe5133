#include "window/StartToolkit.h"

#include "render/GdiplusSession.h"
#include "model/SkinPackage.h"
#include "model/SkinResource.h"

namespace ui {
namespace {
HINSTANCE g_instance = nullptr;
std::wstring g_instancePath;
}  // namespace

bool StartToolkit(HINSTANCE instance) {
  g_instance = instance;
  wchar_t path[MAX_PATH] = {};
  const DWORD length = GetModuleFileNameW(instance, path, MAX_PATH);
  std::wstring full(path, length < MAX_PATH ? length : 0);
  const size_t slash = full.rfind(L'\\');
  g_instancePath = slash == std::wstring::npos ? std::wstring() : full.substr(0, slash + 1);
  if (!g_instancePath.empty()) SetCurrentDirectoryW(g_instancePath.c_str());
  EnsureGdiplus();
  return LoadSkinPackage(instance);
}

HINSTANCE GetToolkitInstance() { return g_instance != nullptr ? g_instance : GetModuleHandleW(nullptr); }

const std::wstring& GetInstancePath() { return g_instancePath; }

void FailToLoadSkin() {
  MessageBoxW(nullptr, L"加载资源文件失败", L"Orvanta", MB_ICONERROR);
  ExitProcess(1);
}

}  // namespace ui
