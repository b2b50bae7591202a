// The installer's log: every file and directory it created, one absolute
// path a line in the order of creation; directories end with a backslash.
// The uninstaller undoes the list from its end.
#pragma once

#include <string>
#include <vector>

bool SaveInstallLog(const std::string &path, const std::vector<std::string> &created);
bool LoadInstallLog(const std::string &path, std::vector<std::string> *created);

// Removes the entries last first, so that directories are empty by the time
// their turn comes. Entries that are already gone are passed over.
void RemoveInstalled(const std::vector<std::string> &created);
