// Which family of the platform the library runs on, as GetVersionExA names it:
// 1 for Windows 95/98/Me (the card devices are in the registry), 2 for the NT
// family; 0 when the system does not say.
#pragma once

int GetPlatformId();
