#include "ProgramIcon.h"

#include <shellapi.h>

#include <memory>
#include <vector>

#include "ClientLog.h"
#include "render/GdiplusInclude.h"
#include "render/GdiplusSession.h"

namespace {

const int kIconSize = 64;

// The shell's default icon extractor has no public import; it is bound by its ordinal.
using DefExtractIconFn = HRESULT(WINAPI*)(LPCWSTR file, int index, UINT flags, HICON* large, HICON* small,
                                          UINT size);

HICON ExtractDefaultIcon(const std::wstring& source) {
  HMODULE shell = GetModuleHandleW(L"shell32.dll");
  if (shell == nullptr) shell = LoadLibraryW(L"shell32.dll");
  if (shell == nullptr) return nullptr;
  auto extract = reinterpret_cast<DefExtractIconFn>(GetProcAddress(shell, MAKEINTRESOURCEA(6)));
  if (extract == nullptr) return nullptr;
  HICON icon = nullptr;
  if (extract(source.c_str(), 0, 0, &icon, nullptr, kIconSize) != S_OK) {
    if (icon != nullptr) DestroyIcon(icon);
    return nullptr;
  }
  return icon;
}

bool FindPngEncoder(CLSID& clsid) {
  UINT count = 0;
  UINT bytes = 0;
  if (Gdiplus::GetImageEncodersSize(&count, &bytes) != Gdiplus::Ok || bytes == 0) return false;
  std::vector<unsigned char> buffer(bytes);
  auto* encoders = reinterpret_cast<Gdiplus::ImageCodecInfo*>(buffer.data());
  if (Gdiplus::GetImageEncoders(count, bytes, encoders) != Gdiplus::Ok) return false;
  for (UINT i = 0; i < count; ++i) {
    if (encoders[i].MimeType != nullptr && lstrcmpiW(encoders[i].MimeType, L"image/png") == 0) {
      clsid = encoders[i].Clsid;
      return true;
    }
  }
  return false;
}

void SaveAsPng(Gdiplus::Image& image, const std::wstring& pngPath) {
  CLSID png{};
  if (!FindPngEncoder(png) || image.Save(pngPath.c_str(), &png, nullptr) != Gdiplus::Ok) {
    LogError("icon: the PNG could not be written");
  }
}

// The colour bitmap's rows as 32-bit pixels, top row first; empty when they cannot be read.
std::vector<uint32_t> ReadPixels(HBITMAP bitmap, int width, int height) {
  std::vector<uint32_t> pixels(static_cast<size_t>(width) * static_cast<size_t>(height));
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  HDC screen = GetDC(nullptr);
  const int rows =
      GetDIBits(screen, bitmap, 0, static_cast<UINT>(height), pixels.data(), &info, DIB_RGB_COLORS);
  ReleaseDC(nullptr, screen);
  if (rows != height) pixels.clear();
  return pixels;
}

}  // namespace

bool SaveIconAsPng(HICON icon, const std::wstring& pngPath) {
  if (icon == nullptr) return false;
  ICONINFO info{};
  if (!GetIconInfo(icon, &info)) return false;
  ui::EnsureGdiplus();
  BITMAP colour{};
  const bool hasColour =
      info.hbmColor != nullptr && GetObjectW(info.hbmColor, sizeof colour, &colour) == sizeof colour;
  bool saved = false;
  if (hasColour && colour.bmBitsPixel == 32 && colour.bmWidth > 0 && colour.bmHeight > 0) {
    // Made from the bitmap handle, GDI+ would drop the alpha channel: the same rows are taken
    // as 32-bit pixels with alpha instead, so that the icon's transparency is kept.
    std::vector<uint32_t> pixels = ReadPixels(info.hbmColor, colour.bmWidth, colour.bmHeight);
    bool anyAlpha = false;
    for (uint32_t p : pixels) anyAlpha = anyAlpha || (p >> 24) != 0;
    if (!pixels.empty() && anyAlpha) {
      Gdiplus::Bitmap bitmap(colour.bmWidth, colour.bmHeight, colour.bmWidth * 4, PixelFormat32bppARGB,
                             reinterpret_cast<BYTE*>(pixels.data()));
      SaveAsPng(bitmap, pngPath);
      saved = true;
    }
  }
  if (!saved) {
    // Icons without an alpha channel are drawn through their mask.
    std::unique_ptr<Gdiplus::Bitmap> bitmap(Gdiplus::Bitmap::FromHICON(icon));
    if (bitmap && bitmap->GetLastStatus() == Gdiplus::Ok) SaveAsPng(*bitmap, pngPath);
  }
  if (info.hbmColor != nullptr) DeleteObject(info.hbmColor);
  if (info.hbmMask != nullptr) DeleteObject(info.hbmMask);
  return true;
}

bool ProgramIconToPng(const std::wstring& source, const std::wstring& pngPath) {
  WIN32_FILE_ATTRIBUTE_DATA attributes{};
  if (!GetFileAttributesExW(source.c_str(), GetFileExInfoStandard, &attributes)) return false;

  if (HICON icon = ExtractDefaultIcon(source)) {
    const bool result = SaveIconAsPng(icon, pngPath);
    DestroyIcon(icon);
    return result;
  }

  SHFILEINFOW file{};
  SHGetFileInfoW(source.c_str(), 0, &file, sizeof file,
                 SHGFI_DISPLAYNAME | SHGFI_TYPENAME | SHGFI_ATTRIBUTES);
  if (lstrcmpiW(file.szTypeName, L"图标") == 0) {
    HICON icon = static_cast<HICON>(LoadImageW(nullptr, source.c_str(), IMAGE_ICON, 0, 0, LR_LOADFROMFILE));
    if (icon != nullptr) {
      const bool result = SaveIconAsPng(icon, pngPath);
      DestroyIcon(icon);
      return result;
    }
  } else {
    ui::EnsureGdiplus();
    Gdiplus::Image image(source.c_str());
    if (image.GetLastStatus() == Gdiplus::Ok) {
      std::unique_ptr<Gdiplus::Image> thumbnail(
          image.GetThumbnailImage(kIconSize, kIconSize, nullptr, nullptr));
      if (thumbnail && thumbnail->GetLastStatus() == Gdiplus::Ok) {
        SaveAsPng(*thumbnail, pngPath);
        return true;
      }
    }
  }

  SHFILEINFOW shell{};
  if (SHGetFileInfoW(source.c_str(), 0, &shell, sizeof shell, SHGFI_ICON | SHGFI_SYSICONINDEX) == 0 ||
      shell.hIcon == nullptr)
    return false;
  const bool result = SaveIconAsPng(shell.hIcon, pngPath);
  DestroyIcon(shell.hIcon);
  return result;
}
