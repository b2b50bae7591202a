// The raw work of one installation probe tick and nothing else: open the
// installer's key, read its two values, close it, and test two files, on a
// 500 ms timer. What start.exe spends per tick beyond this is its own.
#include <windows.h>
#include <string.h>

static const char kKey[] = "SOFTWARE\\Halvorn\\Kora Manager DEMO\\Data";

static char g_install_path[128];
static char g_uninstall[1024];
static char g_probe_path[256];

static bool ReadValue(HKEY key, const char *name, char *buffer, DWORD capacity) {
    DWORD bytes = capacity - 1;
    if (RegQueryValueExA(key, name, nullptr, nullptr, (BYTE *)buffer, &bytes) != ERROR_SUCCESS)
        return false;
    buffer[bytes] = '\0';
    return true;
}

static bool FileOpens(const char *name) {
    size_t length = strlen(g_install_path);
    memcpy(g_probe_path, g_install_path, length);
    strcpy(g_probe_path + length, name);
    HANDLE file = CreateFileA(g_probe_path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    CloseHandle(file);
    return true;
}

static void CALLBACK ProbeTick(HWND, UINT, UINT_PTR, DWORD) {
    HKEY key;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kKey, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return;
    bool installed = ReadValue(key, "Kora Pro Path", g_install_path, sizeof g_install_path);
    ReadValue(key, "Uninstall", g_uninstall, sizeof g_uninstall);
    RegCloseKey(key);
    size_t length = strlen(g_install_path);
    if (!installed || length + 1 >= sizeof g_install_path)
        return;
    if (length == 0 || g_install_path[length - 1] != '\\')
        strcpy(g_install_path + length, "\\");
    if (FileOpens("kora.exe"))
        FileOpens("drivers\\dig.ini");
}

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    SetTimer(nullptr, 0, 500, ProbeTick);
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0)
        DispatchMessageA(&msg);
    return 0;
}
