// The platform services on Win32.
#include "platform.h"

#include "resource.h"

#include <windows.h>
#include <shellapi.h>
#include <stdlib.h>
#include <string.h>

#ifndef ERROR_ELEVATION_REQUIRED
#define ERROR_ELEVATION_REQUIRED 740
#endif

// The main window, handed over once it exists.
static HWND g_main_window;

void PlatformSetMainWindow(void *window) {
    g_main_window = (HWND)window;
}

// The code page's spelling of `wide`, one byte per character; false where
// it could not hold a character and would have put a look-alike or a
// default in its place. Read back, the spelling must give `wide` again.
static bool ToAnsi(const wchar_t *wide, char *ansi, size_t capacity) {
    BOOL defaulted = FALSE;
    int capacity_int = capacity > 0x7FFFFFFF ? 0x7FFFFFFF : (int)capacity;
    int length = lstrlenW(wide) + 1;
    if (length > capacity_int ||
        WideCharToMultiByte(CP_ACP, 0, wide, -1, ansi, capacity_int, nullptr, &defaulted) !=
            length ||
        defaulted)
        return false;
    wchar_t back[2 * MAX_PATH];
    wchar_t *read_back = length <= 2 * MAX_PATH ? back : (wchar_t *)malloc(length * sizeof(wchar_t));
    bool same = read_back && MultiByteToWideChar(CP_ACP, 0, ansi, -1, read_back, length) == length &&
                memcmp(read_back, wide, length * sizeof(wchar_t)) == 0;
    if (read_back != back)
        free(read_back);
    return same;
}

// The ANSI line read back must be the process's own line.
const char *PlatformCommandLine(bool *exact) {
    const char *line = GetCommandLineA();
    int length = MultiByteToWideChar(CP_ACP, 0, line, -1, nullptr, 0);
    wchar_t *back = length > 0 ? (wchar_t *)malloc(length * sizeof(wchar_t)) : nullptr;
    *exact = back && MultiByteToWideChar(CP_ACP, 0, line, -1, back, length) == length &&
             lstrcmpW(back, GetCommandLineW()) == 0;
    free(back);
    return line;
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

// Looked up at run time: systems before Vista lack both, and the launcher
// must still start there.
typedef DWORD(WINAPI *FinalPathFn)(HANDLE, LPWSTR, DWORD, DWORD);
typedef BOOL(WINAPI *SetFileInfoFn)(HANDLE, int, void *, DWORD);
static const int kFileDispositionInfo = 4;

static FARPROC Kernel32Function(const char *name) {
    return GetProcAddress(GetModuleHandleA("kernel32.dll"), name);
}

static FinalPathFn FinalPathFunction() {
    static bool looked_up;
    static FinalPathFn function;
    if (!looked_up)
        function = (FinalPathFn)(void *)Kernel32Function("GetFinalPathNameByHandleW");
    looked_up = true;
    return function;
}

struct PlatformEntry {
    HANDLE handle;
    BY_HANDLE_FILE_INFORMATION info;
    char path[MAX_PATH];
};

static HANDLE OpenEntryHandle(const char *path, EntryKind kind) {
    switch (kind) {
    case kEntryDirectory: // without backup semantics a directory never opens
        return CreateFileA(path, FILE_READ_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                           OPEN_EXISTING, FILE_FLAG_OPEN_REPARSE_POINT | FILE_FLAG_BACKUP_SEMANTICS,
                           nullptr);
    case kEntryFile:
        return CreateFileA(path, DELETE | FILE_READ_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE,
                           nullptr, OPEN_EXISTING, FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
    case kEntryProgram: break;
    }
    return CreateFileA(path, 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                       OPEN_EXISTING, 0, nullptr);
}

PlatformEntry *PlatformOpenEntry(const char *path, EntryKind kind) {
    bool directory = kind == kEntryDirectory;
    if (lstrlenA(path) >= MAX_PATH)
        return nullptr;
    HANDLE handle = OpenEntryHandle(path, kind);
    if (handle == INVALID_HANDLE_VALUE)
        return nullptr;
    PlatformEntry *entry = (PlatformEntry *)malloc(sizeof(PlatformEntry));
    if (!entry || !GetFileInformationByHandle(handle, &entry->info) ||
        ((entry->info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) != directory) {
        free(entry);
        CloseHandle(handle);
        return nullptr;
    }
    entry->handle = handle;
    lstrcpyA(entry->path, path);
    return entry;
}

bool PlatformSameEntry(PlatformEntry *a, PlatformEntry *b) {
    return a->info.dwVolumeSerialNumber == b->info.dwVolumeSerialNumber &&
           a->info.nFileIndexHigh == b->info.nFileIndexHigh &&
           a->info.nFileIndexLow == b->info.nFileIndexLow;
}

bool PlatformEntryIsLink(PlatformEntry *entry) {
    return (entry->info.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
}

// "\\?\C:\dir" and "\\?\UNC\server\share\dir" in their plain forms.
FinalPath PlatformEntryFinalPath(PlatformEntry *entry, char *buffer, size_t capacity) {
    FinalPathFn final_path = FinalPathFunction();
    if (!final_path)
        return kFinalPathUnknown;
    wchar_t wide[2 * MAX_PATH];
    const DWORD kWideChars = sizeof wide / sizeof wide[0];
    DWORD length = final_path(entry->handle, wide, kWideChars, 0);
    if (length == 0 || length >= kWideChars)
        return kFinalPathFailed;
    wchar_t *plain = wide;
    if (wcsncmp(wide, L"\\\\?\\UNC\\", 8) == 0) {
        plain = wide + 6;
        plain[0] = L'\\';
    } else if (wcsncmp(wide, L"\\\\?\\", 4) == 0) {
        plain = wide + 4;
    }
    return ToAnsi(plain, buffer, capacity) ? kFinalPathKnown : kFinalPathFailed;
}

// Where the system names no final path, nothing was confirmed through the
// handle either: the file goes by its name, as it always did there.
void PlatformDeleteEntry(PlatformEntry *entry) {
    SetFileInfoFn set_info = (SetFileInfoFn)(void *)Kernel32Function("SetFileInformationByHandle");
    if (set_info && FinalPathFunction()) {
        BOOLEAN delete_file = TRUE;
        set_info(entry->handle, kFileDispositionInfo, &delete_file, sizeof delete_file);
        return;
    }
    CloseHandle(entry->handle); // it shares no deletion
    entry->handle = INVALID_HANDLE_VALUE;
    DeleteFileA(entry->path);
}

void PlatformCloseEntry(PlatformEntry *entry) {
    if (entry->handle != INVALID_HANDLE_VALUE)
        CloseHandle(entry->handle);
    free(entry);
}

// Wide names, so that none is read as a look-alike of another.
struct PlatformSearch {
    HANDLE handle;
    WIN32_FIND_DATAW data;
    char name[2 * MAX_PATH];
};

static void TakeName(PlatformSearch *search, const char **name, bool *exact) {
    *exact = ToAnsi(search->data.cFileName, search->name, sizeof search->name);
    if (!*exact)
        search->name[0] = '\0';
    *name = search->name;
}

PlatformSearch *PlatformFindFirst(const char *dir, const char **name, bool *exact) {
    wchar_t pattern[MAX_PATH + 2];
    int length = MultiByteToWideChar(CP_ACP, 0, dir, -1, pattern, MAX_PATH);
    if (length <= 1)
        return nullptr;
    wchar_t *end = pattern + length - 1;
    if (end[-1] != L'\\')
        *end++ = L'\\';
    lstrcpyW(end, L"*");
    PlatformSearch *search = (PlatformSearch *)malloc(sizeof(PlatformSearch));
    if (!search)
        return nullptr;
    search->handle = FindFirstFileW(pattern, &search->data);
    if (search->handle == INVALID_HANDLE_VALUE) {
        free(search);
        return nullptr;
    }
    TakeName(search, name, exact);
    return search;
}

bool PlatformFindNext(PlatformSearch *search, const char **name, bool *exact) {
    if (!FindNextFileW(search->handle, &search->data))
        return false;
    TakeName(search, name, exact);
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

// Expandable strings are refused too: the environment would pick the place
// they name. Read in wide characters, so that no look-alike of the value
// stands in for it.
bool PlatformReadKeyString(PlatformKey *key, const char *name, char *buffer, size_t capacity) {
    wchar_t wide_name[64];
    wchar_t *value = (wchar_t *)malloc(capacity * sizeof(wchar_t));
    DWORD bytes = (DWORD)(capacity * sizeof(wchar_t)), type = REG_NONE;
    bool read = value && capacity > 0 &&
                MultiByteToWideChar(CP_ACP, 0, name, -1, wide_name, 64) > 0 &&
                RegQueryValueExW((HKEY)key, wide_name, nullptr, &type, (BYTE *)value, &bytes) ==
                    ERROR_SUCCESS &&
                type == REG_SZ;
    // Unterminated values bring no NUL of their own; a value that fills the
    // buffer must end with one.
    size_t chars = bytes / sizeof(wchar_t);
    read = read && (chars < capacity || value[capacity - 1] == L'\0');
    if (read && chars < capacity)
        value[chars] = L'\0';
    // A refused value leaves an empty string, not the partial bytes of a read
    // that did not fit.
    read = read && ToAnsi(value, buffer, capacity);
    if (!read && capacity > 0)
        buffer[0] = '\0';
    free(value);
    return read;
}

void PlatformCloseKey(PlatformKey *key) {
    RegCloseKey((HKEY)key);
}

StartResult PlatformCreateProcess(const char *program, const char *command_line,
                                  PlatformProcess **suspended) {
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process;
    size_t length = strlen(command_line) + 1;
    char *line = (char *)malloc(length); // CreateProcessA may write to it
    if (!line)
        return kStartFailed;
    memcpy(line, command_line, length);
    DWORD flags = CREATE_DEFAULT_ERROR_MODE | (suspended ? CREATE_SUSPENDED : 0);
    BOOL created = CreateProcessA(program, line, nullptr, nullptr, TRUE, flags, nullptr, nullptr,
                                  &startup, &process);
    DWORD error = GetLastError();
    free(line);
    if (!created)
        return error == ERROR_ELEVATION_REQUIRED ? kStartNeedsElevation : kStartFailed;
    CloseHandle(process.hProcess);
    if (suspended)
        *suspended = (PlatformProcess *)process.hThread;
    else
        CloseHandle(process.hThread);
    return kStarted;
}

void PlatformResumeProcess(PlatformProcess *process) {
    ResumeThread((HANDLE)process);
    CloseHandle((HANDLE)process);
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
    info.hwnd = g_main_window;
    info.lpVerb = "open";
    info.lpFile = program;
    info.lpParameters = parameters;
    info.nShow = SW_SHOWNORMAL;
    UINT mode = SetErrorMode(0); // inherited by what the shell starts
    bool started = execute(&info) != FALSE;
    SetErrorMode(mode);
    return started;
}

void PlatformRunAndWait(const char *command) {
    UINT mode = SetErrorMode(0); // inherited by the interpreter and the tool
    system(command);
    SetErrorMode(mode);
    // Clicks posted to the hidden window while the tool ran are stale; those
    // sent meanwhile arrive here and find a command still running.
    MSG stale;
    while (PeekMessageA(&stale, g_main_window, WM_COMMAND, WM_COMMAND, PM_REMOVE))
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
        return GetDlgItem(g_main_window, id);
    HWND &button = buttons[id - IDC_START_DEMO];
    if (!button)
        button = GetDlgItem(g_main_window, id);
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
    DestroyWindow(g_main_window);
}

void PlatformShowMainWindow(bool visible) {
    ShowWindow(g_main_window, visible ? SW_SHOW : SW_HIDE);
}

bool PlatformConfirmUninstall() {
    return MessageBoxA(g_main_window,
                       "Sind Sie sicher, da\xDF Sie den Kora Manager Pro. l\xF6schen wollen?",
                       "Uninstall", MB_YESNO | MB_ICONQUESTION) == IDYES;
}
