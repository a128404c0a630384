#include "funckeys/funckeystore.h"

#include "core/funckeys.h"

namespace vtk {

bool g_bScribovox5Installed = false;
bool g_bScribovox2002Installed = false;

bool IsModuleInstalled(const std::string& editionName, BOOL bDictation) {
  HKEY key = nullptr;
  const std::string path = InstallKeyPath(editionName, bDictation != FALSE);
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
  RegCloseKey(key);
  return true;
}

bool DetectHostEdition() {
  g_bScribovox5Installed = IsModuleInstalled(EditionName(HostEdition::kScribovox5), TRUE);
  g_bScribovox2002Installed = IsModuleInstalled(EditionName(HostEdition::kScribovox2002), TRUE);
  return g_bScribovox5Installed || g_bScribovox2002Installed;
}

DWORD GetDialogLanguage() {
  HKEY key = nullptr;
  const std::string path = LanguageKeyPath(ChosenEdition(g_bScribovox5Installed));
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return 0;
  DWORD value = 0;
  DWORD size = sizeof value;
  // The type is not asked for: whatever 4 bytes are stored count as the
  // number. A value that cannot be read counts as the Japanese set.
  const LSTATUS status = RegQueryValueExA(key, "Language", nullptr, nullptr, reinterpret_cast<BYTE*>(&value), &size);
  RegCloseKey(key);
  if (status != ERROR_SUCCESS) return 0;
  return DialogLanguageFromValue(value);
}

void SaveFunctionKey(const FUNCKEYINFO& info, int slot) {
  if (slot < 0 || slot >= kFuncSlots) return;
  HKEY key = nullptr;
  const std::string path = SettingsKeyPath(ChosenEdition(g_bScribovox5Installed));
  if (RegCreateKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr,
                      &key, nullptr) != ERROR_SUCCESS)
    return;
  const DWORD value = info.wKey[slot];
  RegSetValueExA(key, kFuncSlotTable[slot].valueName, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value),
                 sizeof value);
  RegCloseKey(key);
}

}  // namespace vtk
