// The global hot keys of FuncKeyHook: the library keeps its own copy of the
// host's function-key record, so that the keys it registered can be released
// by a later call that brings no record.
#pragma once
#include "core/funckeyinfo.h"

// The copy, for the life of the process; its hot-key ids start as the
// defaults 2000, 2001, 2002, 2004, 2005, 2006.
extern FUNCKEYINFO g_funcKeyRecord;

// Mode 1 copies *pInfo and registers the hot keys of its assigned slots for
// its window; any other mode releases those of the copy. 0 when there is no
// record or no window, else 1.
int HookFunctionKeys(int nMode, FUNCKEYINFO* pInfo);
