// Where the function-key settings live: the host edition that chooses the
// registry path, the host's language that chooses the dialog's texts, and the
// per-slot writes under HKEY_CURRENT_USER. Registry failures are silent.
#pragma once
#include <windows.h>

#include <string>

#include "core/funckeyinfo.h"

namespace vtk {

// Library-wide; set by every DetectHostEdition. Only the first one chooses
// the paths.
extern bool g_bScribovox5Installed;
extern bool g_bScribovox2002Installed;

// Probes both editions (always both) and sets the flags; true when either
// is installed.
bool DetectHostEdition();
// Whether the install key of that edition's Dictation (bDictation) or
// Transcription module can be opened under HKEY_LOCAL_MACHINE.
bool IsModuleInstalled(const std::string& editionName, BOOL bDictation);
// The host's language number for the edition that the flags name; 0 when
// the key or its "Language" value cannot be read.
DWORD GetDialogLanguage();
// Writes the slot's key code of `info` as a REG_DWORD under the settings key
// of the edition that the flags name, creating the key when missing.
void SaveFunctionKey(const FUNCKEYINFO& info, int slot);

}  // namespace vtk
