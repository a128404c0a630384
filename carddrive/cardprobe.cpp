#include "carddrive/cardprobe.h"

#include <windows.h>

#include <cstring>

#include "controls/drivecombo.h"
#include "controls/shellicons.h"

vtk::CardDriveTable g_szCardDrive = {};
vtk::DeviceInstanceTable g_szDeviceInstance = {};
int g_bRemovableDrive = 0;

const char* const kCardDeviceKeys[2] = {
    "Enum\\ESDI\\GENERIC_IDE__DISK_TYPE80_\\",
    "Enum\\ESDI\\EMCDFTL_MINIATURE_CARD__2\\",
};

namespace {

// A registry key name is at most 255 characters.
constexpr DWORD kKeyNameCapacity = 256;

bool IsRemovableRoot(const std::string& root) { return ::GetDriveTypeA(root.c_str()) == DRIVE_REMOVABLE; }

// The value as stored, whatever its length; a value that cannot be read is
// empty. A long one is cut to the table's width by the table itself.
std::string ReadDriveLetterValue(const std::string& instanceKey) {
  HKEY key = nullptr;
  if (::RegOpenKeyExA(HKEY_LOCAL_MACHINE, instanceKey.c_str(), 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) return {};
  std::string value;
  DWORD size = 0;
  if (::RegQueryValueExA(key, "CurrentDriveLetterAssignment", nullptr, nullptr, nullptr, &size) == ERROR_SUCCESS &&
      size > 0) {
    std::vector<char> data(size + 1, '\0');
    if (::RegQueryValueExA(key, "CurrentDriveLetterAssignment", nullptr, nullptr,
                           reinterpret_cast<BYTE*>(data.data()), &size) == ERROR_SUCCESS) {
      value.assign(data.data(), strnlen(data.data(), size));
    }
  }
  ::RegCloseKey(key);
  return value;
}

}  // namespace

void EnumDeviceInstances(const char* deviceKey) {
  std::vector<std::string> names;
  HKEY key = nullptr;
  if (::RegOpenKeyExA(HKEY_LOCAL_MACHINE, deviceKey, 0, KEY_ENUMERATE_SUB_KEYS, &key) == ERROR_SUCCESS) {
    // The enumeration ends at the first index without a sub-key; only as
    // many names as the table holds are kept.
    for (DWORD i = 0; names.size() < static_cast<std::size_t>(vtk::kCardDriveEntries); ++i) {
      char name[kKeyNameCapacity] = {};
      DWORD length = kKeyNameCapacity;
      if (::RegEnumKeyExA(key, i, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
      names.emplace_back(name, length);
    }
    ::RegCloseKey(key);
  }
  vtk::StoreDeviceInstances(g_szDeviceInstance, names);
}

void ReadCardDriveLetters() {
  std::memset(g_szCardDrive, 0, sizeof g_szCardDrive);
  int count = 0;
  for (const char* deviceKey : kCardDeviceKeys) {
    EnumDeviceInstances(deviceKey);
    for (int i = 0; i < vtk::kCardDriveEntries && g_szDeviceInstance[i][0] != '\0'; ++i) {
      const std::string value = ReadDriveLetterValue(std::string(deviceKey) + g_szDeviceInstance[i]);
      count = vtk::AddDistinctLetter(g_szCardDrive, count, value);
    }
  }
  vtk::SortCardDriveLetters(g_szCardDrive);
}

std::vector<std::string> GetLogicalDriveRoots() {
  char buffer[1024] = {};
  const DWORD length = ::GetLogicalDriveStringsA(sizeof buffer - 1, buffer);
  if (length == 0 || length >= sizeof buffer) return {};
  return vtk::SplitDriveRoots(buffer, sizeof buffer);
}

vtk::CardDriveCount ProbeMiniCardDrives() {
  const std::vector<std::string> roots = GetLogicalDriveRoots();
  ReadCardDriveLetters();
  return vtk::CountCardDrives(g_szCardDrive, roots, IsRemovableRoot);
}

int FindMiniCardDrive(std::string& root) {
  std::memset(g_szCardDrive, 0, sizeof g_szCardDrive);
  std::memset(g_szDeviceInstance, 0, sizeof g_szDeviceInstance);
  const std::vector<std::string> roots = GetLogicalDriveRoots();
  ReadCardDriveLetters();
  return vtk::KeepCardDrives(g_szCardDrive, roots, IsRemovableRoot, root);
}

bool AddDriveItem(CDriveComboBox& combo, const std::string& root) {
  const DriveShellInfo info = GetDriveShellInfo(root.c_str());
  return combo.AddDrive(info.displayName, info.hIcon) != CB_ERR;
}

void FillRemovableDrives(CDriveComboBox& combo, DriveRootTable& listedRoots) {
  // Emptying the list releases the icons of the previous listing.
  combo.RemoveAllDrives();
  const std::vector<std::string> roots = GetLogicalDriveRoots();
  g_bRemovableDrive = 0;
  std::memset(listedRoots, 0, sizeof listedRoots);
  int k = 0;
  for (const std::string& root : roots) {
    if (root == "A:\\" || root == "B:\\") continue;
    if (!IsRemovableRoot(root)) continue;
    if (!AddDriveItem(combo, root)) continue;
    vtk::StoreEntry(listedRoots[k], vtk::kCardDriveWidth, root);
    ++k;
    g_bRemovableDrive = 1;
  }
}
