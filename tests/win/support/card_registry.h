// Card devices in the test prefix's registry: instance keys under the two
// device keys that the library reads, each naming a drive letter. Both
// device keys are removed when the object goes, and when it comes, so a test
// starts from a registry without card devices.
#pragma once
#include <memory>
#include <string>
#include <vector>

#include "support/registry.h"

namespace test {

class CardRegistry {
 public:
  static constexpr const char* kKeys[2] = {"Enum\\ESDI\\GENERIC_IDE__DISK_TYPE80_\\",
                                           "Enum\\ESDI\\EMCDFTL_MINIATURE_CARD__2\\"};
  CardRegistry() { Clear(); }
  ~CardRegistry() {
    m_instances.clear();
    Clear();
  }
  CardRegistry(const CardRegistry&) = delete;
  CardRegistry& operator=(const CardRegistry&) = delete;

  // An instance `name` under device key `device` (0 or 1) with the value
  // CurrentDriveLetterAssignment = `letter` (none when null).
  void Name(int device, const std::string& name, const char* letter) {
    m_instances.push_back(std::make_unique<ScopedKey>(HKEY_LOCAL_MACHINE, std::string(kKeys[device]) + name));
    if (letter) m_instances.back()->SetString("CurrentDriveLetterAssignment", letter);
  }

 private:
  static void Clear() {
    for (const char* key : kKeys) DeleteTree(HKEY_LOCAL_MACHINE, key);
  }
  std::vector<std::unique_ptr<ScopedKey>> m_instances;
};

}  // namespace test
