// The installation as the installer left it: read afresh from the registry
// and the installation directory on every probe tick.
#pragma once

#include <stddef.h>

extern const char kInstallKey[];

// Reads "Kora Pro Path" and "Uninstall" into g_state.install; true when the
// key and a trustworthy installation path could be read. The path then ends
// with '\'.
bool ReadInstallRecord();

// Enables Start, Sound setup and Uninstall by what the installation holds;
// writes the placeholder sound configuration after a sound set-up.
void ProbeInstallState();

// Leaves in `dest` the installation directory as a path to change to: the
// trailing '\' removed, except for a drive root such as "C:\". False when no
// installation has been probed.
bool InstallDirectory(char *dest, size_t capacity);
