// The function slots, their key names and the registry and text-set rules of
// the function-key settings. No Windows call: the store, the assignment
// dialog and the hot keys take their decisions here.
#pragma once
#include <cstdint>
#include <optional>
#include <string>

#include "core/funckeyinfo.h"

namespace vtk {

// One function slot. The table order is the order of the key codes in
// FUNCKEYINFO, of the dialog's list and of the registry values.
struct FuncSlot {
  const char* name;           // REW, FF, ...
  const char* valueName;      // registry value under the settings key
  std::uint32_t hotKeyId;     // the id the library's record starts with
  bool globalHotKey;          // registered by FuncKeyHook
  unsigned listTextId;        // the slot's text in the dialog's list
  unsigned listTextId2;       // joined to the first with " / "; 0 = none
};
extern const FuncSlot kFuncSlotTable[kFuncSlots];
// The first slots, in table order, that FuncKeyHook registers.
constexpr int kHotKeySlots = 3;

constexpr std::uint32_t kVkF1 = 0x70;
constexpr std::uint32_t kVkF5 = 0x74;
constexpr std::uint32_t kVkF10 = 0x79;
constexpr std::uint32_t kVkF12 = 0x7B;
constexpr std::uint32_t kModAlt = 1;

// F2..F4 and F6..F12; F1 and F5 belong to the host and are never assignable.
constexpr bool IsAssignableKey(std::uint32_t code) {
  return code > kVkF1 && code <= kVkF12 && code != kVkF5;
}

// "F2".."F12" for an assignable code; empty for every other code (0, NO_KEY,
// F1, F5, anything else).
std::string KeyName(std::uint32_t code);
// The code of "F2".."F12", compared without regard to case; "F1" and
// anything else give no code. "F5" does give 0x74: the dialog only ever
// converts names that it made from assignable keys.
std::optional<std::uint16_t> KeyCodeFromName(const std::string& name);

// The first slot, in table order, that holds `code`: it gets NO_KEY and its
// index is returned (-1 when no slot holds the code).
int ReleaseKeyFromSlots(FUNCKEYINFO& info, std::uint16_t code);

// Whether a captured key is shown in red: another slot than the one shown as
// current already holds it. `current` is the text of the current-key field.
bool CapturedKeyConflicts(const FUNCKEYINFO& info, const std::string& captured, const std::string& current);

// RegisterHotKey's modifier for the record's Alt flag: any nonzero value is
// MOD_ALT.
constexpr std::uint32_t HotKeyModifier(std::int32_t bAlt) { return bAlt != 0 ? kModAlt : 0; }

// Registry paths, each in its own letter case.
enum class HostEdition { kScribovox5, kScribovox2002 };
const char* EditionName(HostEdition edition);
// Under HKEY_LOCAL_MACHINE; present when that edition's module is installed.
std::string InstallKeyPath(const std::string& editionName, bool bDictation);
// Under HKEY_CURRENT_USER; holds the six REG_DWORD values.
std::string SettingsKeyPath(HostEdition edition);
// Under HKEY_LOCAL_MACHINE; holds the value "Language".
std::string LanguageKeyPath(HostEdition edition);
// The edition whose paths are used: only the Scribovox5 flag counts.
constexpr HostEdition ChosenEdition(bool bScribovox5) {
  return bScribovox5 ? HostEdition::kScribovox5 : HostEdition::kScribovox2002;
}

// The stored "Language" number reduced to the dialog's language: 16 and
// above keep their low four bits.
constexpr std::uint32_t DialogLanguageFromValue(std::uint32_t value) { return value >= 16 ? (value & 15) : value; }

// String ids of the assignment dialog's texts for a language number: 0 picks
// the Japanese set that the library carries, any other the alternative set
// that only a host carries.
struct FuncKeyDialogTextIds {
  unsigned caption;
  unsigned listLabel;
  unsigned currentLabel;
  unsigned captureLabel;
  unsigned assignButton;
  unsigned deleteButton;
};
FuncKeyDialogTextIds DialogTextIds(std::uint32_t language);

}  // namespace vtk
