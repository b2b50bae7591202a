#include "install_log.h"

#include "standin_common.h"

#include <windows.h>

bool SaveInstallLog(const std::string &path, const std::vector<std::string> &created) {
    std::string text;
    for (const std::string &entry : created)
        text += entry + "\r\n";
    return WriteFileText(path, text);
}

bool LoadInstallLog(const std::string &path, std::vector<std::string> *created) {
    std::string text;
    if (!ReadFileText(path, &text))
        return false;
    *created = SplitLines(text);
    return true;
}

void RemoveInstalled(const std::vector<std::string> &created) {
    for (auto entry = created.rbegin(); entry != created.rend(); ++entry) {
        if (!entry->empty() && entry->back() == '\\')
            RemoveDirectoryA(entry->substr(0, entry->size() - 1).c_str());
        else
            DeleteFileA(entry->c_str());
    }
}
