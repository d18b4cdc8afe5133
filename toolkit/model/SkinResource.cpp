#include "model/SkinResource.h"

namespace ui {

bool OpenSkinResource(SkinPackage& package, HMODULE module) {
  HRSRC info = FindResourceW(module, MAKEINTRESOURCEW(kSkinResourceId), kSkinResourceType);
  if (info == nullptr) return false;
  DWORD size = SizeofResource(module, info);
  HGLOBAL loaded = LoadResource(module, info);
  const void* bytes = loaded != nullptr ? LockResource(loaded) : nullptr;
  if (bytes == nullptr || size == 0) return false;
  // A module's resources stay mapped for as long as the module is loaded.
  return package.OpenUnowned(bytes, size);
}

bool LoadSkinPackage(HMODULE module) {
  SkinPackage& package = GetSkinPackage();
  if (package.IsOpen()) return true;
  return OpenSkinResource(package, module);
}

}  // namespace ui
