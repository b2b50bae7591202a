#include "program_start.h"

#include "bounded_string.h"
#include "launcher_state.h"
#include "platform/platform.h"

#include <string.h>

static bool HasExtension(const char *path) {
    const char *dot = strrchr(path, '.');
    return dot && !strpbrk(dot, "\\/:");
}

bool ResolveProgram(const char *path, char *resolved, size_t capacity) {
    if (!path || !*path || !CopyString(resolved, capacity, path))
        return false;
    if (HasExtension(path))
        return PlatformFileExists(resolved);
    static const char *const kExtensions[] = {".com", ".exe", ".bat", ".cmd"};
    for (const char *extension : kExtensions) {
        if (CopyString(resolved, capacity, path) && AppendString(resolved, capacity, extension) &&
            PlatformFileExists(resolved))
            return true;
    }
    return false;
}

static bool StartResolved(const char *program, const char *path, const char *args) {
    char command_line[2 * kUninstallBytes];
    if (!CopyString(command_line, sizeof command_line, path))
        return false;
    if (args && (!AppendString(command_line, sizeof command_line, " ") ||
                 !AppendString(command_line, sizeof command_line, args)))
        return false;

    switch (PlatformCreateProcess(program, command_line)) {
    case kStarted: return true;
    // Windows refuses programs it takes for installers unless the user
    // allows elevation; only the shell can ask for it.
    case kStartNeedsElevation: return PlatformShellStart(program, args ? args : "");
    case kStartFailed: break;
    }
    return false;
}

bool StartProgram(const char *path, const char *args) {
    char program[kUninstallBytes];
    return ResolveProgram(path, program, sizeof program) && StartResolved(program, path, args);
}

bool ReplaceLauncherWith(const char *program, const char *path, const char *args) {
    if (!StartResolved(program, path, args))
        return false;
    PlatformExitProcess(0);
    return true;
}

bool ReplaceLauncher(const char *path, const char *args) {
    char program[kUninstallBytes];
    return ResolveProgram(path, program, sizeof program) &&
           ReplaceLauncherWith(program, path, args);
}
