#include "MachineIdentity.h"
#include "TextConvert.h"

MachineIdentity CurrentMachineIdentity() {
  wchar_t exePath[260] = {};
  GetModuleFileNameW(nullptr, exePath, 260);
  MachineIdentity identity;
  identity.machineNo = GetMachineNo();
  identity.clientVersion = WideToUtf8(GetClientVersion(exePath));
  identity.macList = GetMacList();
  return identity;
}
