// The registry key through which the installation announces itself; the
// launcher only reads it.
#pragma once

#include <string>

extern const char kInstallKey[];

bool WriteInstallKey(const std::string &install_dir, const std::string &uninstall_command);
bool ReadInstallValue(const char *name, std::string *value);

// Deletes the key, then its parents up to the vendor's key as long as they
// are left empty, so that an uninstall leaves no trace in the registry.
void DeleteInstallKey();
