/* A shell32.dll of the tests' own, planted beside a program: when Windows
   loads it, it leaves the file shell32-loaded.mark beside itself. */
#include <windows.h>

BOOL WINAPI DllMain(HINSTANCE self, DWORD reason, LPVOID reserved) {
    char path[MAX_PATH];
    DWORD length = GetModuleFileNameA(self, path, MAX_PATH);
    (void)reserved;
    while (length > 0 && path[length - 1] != '\\')
        --length;
    if (reason != DLL_PROCESS_ATTACH || length + sizeof "shell32-loaded.mark" > MAX_PATH)
        return TRUE;
    lstrcpyA(path + length, "shell32-loaded.mark");
    CloseHandle(CreateFileA(path, GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, 0, NULL));
    return TRUE;
}
