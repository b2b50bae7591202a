// The launcher's own command line and the programs it starts.
#include "platform.h"
#include "win32_ansi_text.h"
#include "win32_calls.h"

#include <shellapi.h>
#include <stdlib.h>
#include <string.h>

#ifndef ERROR_ELEVATION_REQUIRED
#define ERROR_ELEVATION_REQUIRED 740
#endif

// The ANSI line must spell the process's own wide line exactly. The 95
// family keeps the line in the code page, where '?' stands for a character
// it could not hold.
const char *PlatformCommandLine(bool *exact) {
    const char *line = GetCommandLineA();
    const wchar_t *wide = Calls().GetCommandLineW ? Calls().GetCommandLineW() : nullptr;
    if (!wide) {
        *exact = IsExactAnsiText(line);
        return line;
    }
    size_t capacity = strlen(line) + 1;
    char *spelled = (char *)malloc(capacity);
    *exact = spelled && ToAnsi(wide, spelled, capacity) && strcmp(spelled, line) == 0;
    free(spelled);
    return line;
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

// The shell's DLL by its full path in the system folder: a bare name would
// be looked for beside the launcher first, on a medium or in a download
// folder anyone may have filled.
static HMODULE LoadShell() {
    static const char kShell[] = "\\shell32.dll";
    char path[MAX_PATH];
    UINT length = GetSystemDirectoryA(path, MAX_PATH);
    if (length == 0 || length + sizeof kShell > MAX_PATH)
        return nullptr;
    memcpy(path + length, kShell, sizeof kShell);
    return LoadLibraryA(path);
}

bool PlatformShellStart(const char *program, const char *parameters) {
    // Loaded only here, so that the shell's many DLLs do not slow every start.
    typedef BOOL(WINAPI * ShellExecuteExFn)(SHELLEXECUTEINFOA *);
    HMODULE shell = LoadShell();
    ShellExecuteExFn execute =
        shell ? (ShellExecuteExFn)(void *)GetProcAddress(shell, "ShellExecuteExA") : nullptr;
    if (!execute)
        return false;
    SHELLEXECUTEINFOA info = {};
    info.cbSize = sizeof info;
    info.fMask = SEE_MASK_NOASYNC | SEE_MASK_FLAG_NO_UI;
    info.hwnd = MainWindow();
    info.lpVerb = "open";
    info.lpFile = program;
    info.lpParameters = parameters;
    info.nShow = SW_SHOWNORMAL;
    UINT mode = SetErrorMode(0); // inherited by what the shell starts
    bool started = execute(&info) != FALSE;
    SetErrorMode(mode);
    return started;
}

// As the C library's system() runs it: "<COMSPEC>" /c <command>, in the
// current folder, handles inherited, waited for. Without COMSPEC nothing
// runs, never an interpreter looked for along PATH.
static void RunInterpreter(const char *command) {
    char interpreter[MAX_PATH];
    DWORD length = GetEnvironmentVariableA("COMSPEC", interpreter, MAX_PATH);
    char *line = length > 0 && length < MAX_PATH
                     ? (char *)malloc(length + strlen(command) + 8)
                     : nullptr;
    if (!line)
        return;
    lstrcpyA(line, "\"");
    lstrcatA(line, interpreter);
    lstrcatA(line, "\" /c ");
    lstrcatA(line, command);
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process;
    if (CreateProcessA(interpreter, line, nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup,
                       &process)) {
        WaitForSingleObject(process.hProcess, INFINITE);
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
    }
    free(line);
}

void PlatformRunAndWait(const char *command) {
    UINT mode = SetErrorMode(0); // inherited by the interpreter and the tool
    RunInterpreter(command);
    SetErrorMode(mode);
    // Clicks posted to the hidden window while the tool ran are stale; those
    // sent meanwhile arrive here and find a command still running.
    MSG stale;
    while (PeekMessageA(&stale, MainWindow(), WM_COMMAND, WM_COMMAND, PM_REMOVE))
        ;
}

void PlatformExitProcess(int code) {
    ExitProcess(code);
}
