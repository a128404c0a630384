// Which family of the platform the library runs on, as GetVersionExA names it:
// 1 for Windows 95/98/Me (the card devices are in the registry), 2 for the NT
// family. Tests set it, since the runtime they run on reports only one.
#pragma once

int GetPlatformId();
// Null goes back to asking the system.
void SetPlatformIdForTesting(const int* platformId);
