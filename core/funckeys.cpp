#include "core/funckeys.h"

#include <cctype>

#include "res/ids_funckeys.h"

namespace vtk {

const FuncSlot kFuncSlotTable[kFuncSlots] = {
    {"REW", "FUNCTION_KEY_REW", 2000, true, IDS_FK_REW, 0},
    {"FF", "FUNCTION_KEY_FF", 2001, true, IDS_FK_FF, 0},
    {"PLAY_STOP", "FUNCTION_KEY_PLAY_STOP", 2002, true, IDS_FK_STOP, IDS_FK_PLAY},
    {"VOLUME", "FUNCTION_KEY_VOLUME", 2004, false, IDS_FK_VOLUME, 0},
    {"SPEED", "FUNCTION_KEY_SPEED", 2005, false, IDS_FK_SPEED, 0},
    {"DISABLE", "FUNCTION_KEY_DISABLE", 2006, false, IDS_FK_DISABLE, 0},
};

namespace {
bool EqualsIgnoringCase(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i]))) return false;
  }
  return true;
}

// "F" and the key's number, for the codes of F1..F12 only.
std::string FKeyLabel(std::uint32_t code) {
  const unsigned number = code - kVkF1 + 1;
  std::string label(1, 'F');
  if (number >= 10) label.push_back(static_cast<char>('0' + number / 10));
  label.push_back(static_cast<char>('0' + number % 10));
  return label;
}
}  // namespace

std::string KeyName(std::uint32_t code) { return IsAssignableKey(code) ? FKeyLabel(code) : std::string(); }

std::optional<std::uint16_t> KeyCodeFromName(const std::string& name) {
  for (std::uint32_t code = kVkF1 + 1; code <= kVkF12; ++code) {
    if (EqualsIgnoringCase(name, FKeyLabel(code))) return static_cast<std::uint16_t>(code);
  }
  return std::nullopt;
}

int ReleaseKeyFromSlots(FUNCKEYINFO& info, std::uint16_t code) {
  for (int slot = 0; slot < kFuncSlots; ++slot) {
    if (info.wKey[slot] == code) {
      info.wKey[slot] = NO_KEY;
      return slot;
    }
  }
  return -1;
}

bool CapturedKeyConflicts(const FUNCKEYINFO& info, const std::string& captured, const std::string& current) {
  const std::optional<std::uint16_t> code = KeyCodeFromName(captured);
  if (!code) return false;
  for (std::uint16_t key : info.wKey) {
    if (key == *code) return captured != current;
  }
  return false;
}

const char* EditionName(HostEdition edition) {
  return edition == HostEdition::kScribovox5 ? "Scribovox5" : "Scribovox2002";
}

std::string InstallKeyPath(const std::string& editionName, bool bDictation) {
  return "Software\\Tavorin\\" + editionName + "\\" + (bDictation ? "Dictation" : "Transcription") +
         " Module\\Install";
}

std::string SettingsKeyPath(HostEdition edition) {
  return std::string("Software\\Tavorin\\") + EditionName(edition) + "\\Dictation Module\\Download\\AnotherSetting";
}

std::string LanguageKeyPath(HostEdition edition) {
  return std::string("SOFTWARE\\TAVORIN\\Scribovox") + (edition == HostEdition::kScribovox5 ? "5" : "2002") +
         "\\Dictation" + " Module\\Install\\Languages";
}

FuncKeyDialogTextIds DialogTextIds(std::uint32_t language) {
  if (language == 0)
    return {IDS_FK_CAPTION, IDS_FK_LIST_LABEL, IDS_FK_CURRENT_LABEL, IDS_FK_CAPTURE_LABEL, IDS_FK_ASSIGN, IDS_FK_DELETE};
  return {IDS_FK_ALT_CAPTION,       IDS_FK_ALT_LIST_LABEL, IDS_FK_ALT_CURRENT_LABEL,
          IDS_FK_ALT_CAPTURE_LABEL, IDS_FK_ALT_ASSIGN,     IDS_FK_ALT_DELETE};
}

}  // namespace vtk
