#include "install_key.h"

#include "standin_common.h"

#include <windows.h>

const char kInstallKey[] = "SOFTWARE\\Halvorn\\Kora Manager DEMO\\Data";
// Parents of the key that belong to the vendor and go when they are empty.
static const char *const kVendorKeys[] = {"SOFTWARE\\Halvorn\\Kora Manager DEMO",
                                          "SOFTWARE\\Halvorn"};

static bool SetString(HKEY key, const char *name, const std::string &value) {
    return RegSetValueExA(key, name, 0, REG_SZ, (const BYTE *)value.c_str(),
                          (DWORD)value.size() + 1) == ERROR_SUCCESS;
}

bool WriteInstallKey(const std::string &install_dir, const std::string &uninstall_command) {
    HKEY key;
    if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, kInstallKey, 0, nullptr, 0, KEY_WRITE, nullptr, &key,
                        nullptr) != ERROR_SUCCESS)
        return false;
    bool ok = SetString(key, "Kora Pro Path", install_dir) &&
              SetString(key, "Uninstall", uninstall_command);
    RegCloseKey(key);
    return ok;
}

bool ReadInstallValue(const char *name, std::string *value) {
    HKEY key;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kInstallKey, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    char buffer[1024];
    DWORD bytes = sizeof buffer - 1;
    bool ok =
        RegQueryValueExA(key, name, nullptr, nullptr, (BYTE *)buffer, &bytes) == ERROR_SUCCESS;
    RegCloseKey(key);
    if (ok) {
        buffer[bytes] = '\0';
        *value = buffer;
    }
    return ok;
}

static bool KeyIsEmpty(const char *path) {
    HKEY key;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, path, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    DWORD subkeys = 1, values = 1;
    RegQueryInfoKeyA(key, nullptr, nullptr, nullptr, &subkeys, nullptr, nullptr, &values, nullptr,
                     nullptr, nullptr, nullptr);
    RegCloseKey(key);
    return subkeys == 0 && values == 0;
}

void DeleteInstallKey() {
    RegDeleteKeyA(HKEY_LOCAL_MACHINE, kInstallKey);
    for (const char *parent : kVendorKeys) {
        if (!KeyIsEmpty(parent))
            return;
        RegDeleteKeyA(HKEY_LOCAL_MACHINE, parent);
    }
}
