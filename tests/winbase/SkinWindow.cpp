#include "SkinWindow.h"

#include <objidl.h>
#include <gdiplus.h>

#include "render/DibSurface.h"
#include "HandleScopes.h"
#include "OwnedHandle.h"
#include "window/StartToolkit.h"
#include "TestSupport.h"

namespace wintest {

HWND SkinWindow::CreateAsDialog(const wchar_t* title) {
  return Create(nullptr, title, WS_POPUP | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | WS_CAPTION,
                WS_EX_WINDOWEDGE, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT);
}

void StartTestToolkit() { ui::StartToolkit(GetModuleHandleW(nullptr)); }

void Pump(DWORD ms) {
  testsupport::WaitFor([] { return false; }, ms);
}

namespace {

Pixels FromSurface(const ui::DibSurface& surface) {
  Pixels p;
  p.width = surface.Width();
  p.height = surface.Height();
  p.data.assign(surface.Pixels(), surface.Pixels() + static_cast<size_t>(p.width) * p.height);
  return p;
}

bool PngEncoder(CLSID& clsid) {
  UINT count = 0;
  UINT size = 0;
  if (Gdiplus::GetImageEncodersSize(&count, &size) != Gdiplus::Ok || size == 0) return false;
  std::vector<unsigned char> buffer(size);
  auto* codecs = reinterpret_cast<Gdiplus::ImageCodecInfo*>(buffer.data());
  if (Gdiplus::GetImageEncoders(count, size, codecs) != Gdiplus::Ok) return false;
  for (UINT i = 0; i < count; ++i) {
    if (std::wstring(codecs[i].MimeType) == L"image/png") {
      clsid = codecs[i].Clsid;
      return true;
    }
  }
  return false;
}

}  // namespace

Pixels PrintClient(HWND hwnd) {
  RECT client{};
  GetClientRect(hwnd, &client);
  ui::DibSurface surface;
  if (!surface.Resize(client.right, client.bottom)) return {};
  SendMessageW(hwnd, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(surface.Dc()), PRF_CLIENT);
  GdiFlush();
  return FromSurface(surface);
}

Pixels GrabScreen(HWND hwnd) {
  RECT window{};
  GetWindowRect(hwnd, &window);
  ui::DibSurface surface;
  if (!surface.Resize(window.right - window.left, window.bottom - window.top)) return {};
  WindowDc screen(nullptr);
  BitBlt(surface.Dc(), 0, 0, surface.Width(), surface.Height(), screen.Get(), window.left, window.top,
         SRCCOPY);
  GdiFlush();
  return FromSurface(surface);
}

bool SavePng(const Pixels& pixels, const std::wstring& name, bool alpha) {
  wchar_t folder[MAX_PATH] = {};
  DWORD length = GetEnvironmentVariableW(L"ORV_TEST_OUTPUT", folder, MAX_PATH);
  if (length == 0 || length >= MAX_PATH || pixels.width == 0) return false;
  std::wstring path = folder;
  // The test script hands a Unix path; Wine shows the Unix root as drive Z:.
  if (!path.empty() && path[0] == L'/') path = L"Z:" + path;
  if (path.back() != L'/' && path.back() != L'\\') path += L'\\';
  CreateDirectoryW(path.c_str(), nullptr);
  path += name;
  std::vector<uint32_t> opaque(pixels.data);
  if (!alpha) {
    for (uint32_t& p : opaque) p |= 0xFF000000;
  }
  Gdiplus::Bitmap bitmap(pixels.width, pixels.height, pixels.width * 4,
                         alpha ? PixelFormat32bppPARGB : PixelFormat32bppARGB,
                         reinterpret_cast<BYTE*>(opaque.data()));
  CLSID png{};
  return PngEncoder(png) && bitmap.Save(path.c_str(), &png, nullptr) == Gdiplus::Ok;
}

POINT CenterOf(ui::CControlUI* control) {
  const ui::Rect& r = control->GetPos();
  return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

void PostClick(HWND hwnd, POINT pt) {
  const LPARAM at = MAKELPARAM(pt.x, pt.y);
  PostMessageW(hwnd, WM_MOUSEMOVE, 0, at);
  PostMessageW(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, at);
  PostMessageW(hwnd, WM_LBUTTONUP, 0, at);
}

}  // namespace wintest
