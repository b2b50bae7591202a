// The platform services on Win32.
#include "platform.h"

#include "launcher/launcher_state.h"
#include "resource.h"

#include <windows.h>
#include <shellapi.h>
#include <stdlib.h>
#include <string.h>

#ifndef ERROR_ELEVATION_REQUIRED
#define ERROR_ELEVATION_REQUIRED 740
#endif

const char *PlatformCommandLine() {
    return GetCommandLineA();
}

static HANDLE OpenForReading(const char *path) {
    // Without FILE_FLAG_BACKUP_SEMANTICS a directory never opens.
    return CreateFileA(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                       OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
}

bool PlatformFileExists(const char *path) {
    HANDLE file = OpenForReading(path);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    CloseHandle(file);
    return true;
}

static char *ReadOpenFile(HANDLE file, size_t limit, size_t pad, size_t *size) {
    LARGE_INTEGER length;
    if (!GetFileSizeEx(file, &length) || length.QuadPart < 0 ||
        (unsigned long long)length.QuadPart > limit || (size_t)length.QuadPart > (size_t)-1 - pad)
        return nullptr;
    size_t bytes = (size_t)length.QuadPart;
    char *data = (char *)malloc(bytes + pad);
    if (!data)
        return nullptr;
    DWORD got = 0;
    if (bytes > 0 && (!ReadFile(file, data, (DWORD)bytes, &got, nullptr) || got != bytes)) {
        free(data);
        return nullptr;
    }
    memset(data + bytes, 0, pad);
    *size = bytes;
    return data;
}

char *PlatformReadFile(const char *path, size_t limit, size_t pad, size_t *size) {
    HANDLE file = OpenForReading(path);
    if (file == INVALID_HANDLE_VALUE)
        return nullptr;
    char *data = ReadOpenFile(file, limit, pad, size);
    CloseHandle(file);
    return data;
}

bool PlatformCreateFile(const char *path, const void *data, size_t size) {
    HANDLE file =
        CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    DWORD written = 0;
    bool ok = WriteFile(file, data, (DWORD)size, &written, nullptr) && written == size;
    CloseHandle(file);
    if (!ok)
        DeleteFileA(path);
    return ok;
}

bool PlatformIsLink(const char *path) {
    DWORD attributes = GetFileAttributesA(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT);
}

bool PlatformChangeDir(const char *path) {
    return SetCurrentDirectoryA(path) != 0;
}

void PlatformDeleteFile(const char *path) {
    DeleteFileA(path);
}

struct PlatformSearch {
    HANDLE handle;
    WIN32_FIND_DATAA data;
};

PlatformSearch *PlatformFindFirst(const char *pattern, const char **name) {
    PlatformSearch *search = (PlatformSearch *)malloc(sizeof(PlatformSearch));
    if (!search)
        return nullptr;
    search->handle = FindFirstFileA(pattern, &search->data);
    if (search->handle == INVALID_HANDLE_VALUE) {
        free(search);
        return nullptr;
    }
    *name = search->data.cFileName;
    return search;
}

bool PlatformFindNext(PlatformSearch *search, const char **name) {
    if (!FindNextFileA(search->handle, &search->data))
        return false;
    *name = search->data.cFileName;
    return true;
}

void PlatformFindClose(PlatformSearch *search) {
    FindClose(search->handle);
    free(search);
}

PlatformKey *PlatformOpenMachineKey(const char *subkey) {
    HKEY key;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, subkey, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return nullptr;
    return (PlatformKey *)key;
}

bool PlatformReadKeyString(PlatformKey *key, const char *name, char *buffer, size_t capacity) {
    DWORD bytes = (DWORD)capacity;
    LONG status = RegQueryValueExA((HKEY)key, name, nullptr, nullptr, (BYTE *)buffer, &bytes);
    // Binary and unterminated values bring no NUL of their own; a value that
    // fills the buffer must end with one. A refused value leaves an empty
    // string, not the partial bytes of a read that did not fit.
    bool read = status == ERROR_SUCCESS && (bytes < capacity || buffer[capacity - 1] == '\0');
    if (!read)
        bytes = 0;
    if (bytes < capacity)
        buffer[bytes] = '\0';
    return read;
}

void PlatformCloseKey(PlatformKey *key) {
    RegCloseKey((HKEY)key);
}

StartResult PlatformCreateProcess(const char *program, const char *command_line) {
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process;
    char line[2 * kUninstallBytes];
    lstrcpynA(line, command_line, sizeof line); // CreateProcessA may write to it
    if (!CreateProcessA(program, line, nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup,
                        &process))
        return GetLastError() == ERROR_ELEVATION_REQUIRED ? kStartNeedsElevation : kStartFailed;
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return kStarted;
}

bool PlatformShellStart(const char *program, const char *parameters) {
    // Loaded only here, so that the shell's many DLLs do not slow every start.
    typedef BOOL(WINAPI * ShellExecuteExFn)(SHELLEXECUTEINFOA *);
    HMODULE shell = LoadLibraryA("shell32.dll");
    ShellExecuteExFn execute =
        shell ? (ShellExecuteExFn)(void *)GetProcAddress(shell, "ShellExecuteExA") : nullptr;
    if (!execute)
        return false;
    SHELLEXECUTEINFOA info = {};
    info.cbSize = sizeof info;
    info.fMask = SEE_MASK_NOASYNC | SEE_MASK_FLAG_NO_UI;
    info.hwnd = (HWND)g_state.main_window;
    info.lpVerb = "open";
    info.lpFile = program;
    info.lpParameters = parameters;
    info.nShow = SW_SHOWNORMAL;
    return execute(&info) != FALSE;
}

void PlatformRunAndWait(const char *command) {
    system(command);
    // Clicks posted to the hidden window while the tool ran are stale; those
    // sent meanwhile arrive here and find a command still running.
    MSG stale;
    while (PeekMessageA(&stale, (HWND)g_state.main_window, WM_COMMAND, WM_COMMAND, PM_REMOVE))
        ;
}

void PlatformExitProcess(int code) {
    ExitProcess(code);
}

// The probe sets three buttons twice a second; looking each one up every
// time would cost more than the rest of the tick. The buttons live as long
// as the main window.
static HWND MainControl(int id) {
    static HWND buttons[IDC_EXIT - IDC_START_DEMO + 1];
    if (id < IDC_START_DEMO || id > IDC_EXIT)
        return GetDlgItem((HWND)g_state.main_window, id);
    HWND &button = buttons[id - IDC_START_DEMO];
    if (!button)
        button = GetDlgItem((HWND)g_state.main_window, id);
    return button;
}

void PlatformEnableControl(int id, bool enabled) {
    HWND control = MainControl(id);
    if ((IsWindowEnabled(control) != FALSE) != enabled)
        EnableWindow(control, enabled);
}

bool PlatformControlEnabled(int id) {
    return IsWindowEnabled(MainControl(id)) != FALSE;
}

void PlatformDestroyMainWindow() {
    DestroyWindow((HWND)g_state.main_window);
}

void PlatformShowMainWindow(bool visible) {
    ShowWindow((HWND)g_state.main_window, visible ? SW_SHOW : SW_HIDE);
}

bool PlatformConfirmUninstall() {
    return MessageBoxA((HWND)g_state.main_window,
                       "Sind Sie sicher, da\xDF Sie den Kora Manager Pro. l\xF6schen wollen?",
                       "Uninstall", MB_YESNO | MB_ICONQUESTION) == IDYES;
}
