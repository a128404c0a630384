#include "frame/vtksupapp.h"

// Global hot keys: not built yet.
int CVtksupApp::HookFunctionKeys(int, FUNCKEYINFO*) { return 0; }
