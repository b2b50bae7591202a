#include "program_start.h"

#include "bounded_string.h"
#include "launcher_state.h"
#include "path_rules.h"

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

static bool EndsWithNoCase(const char *s, const char *tail) {
    size_t length = strlen(s), tail_length = strlen(tail);
    return length >= tail_length && SameNoCase(s + length - tail_length, tail, tail_length);
}

static bool IsBatchFile(const char *program) {
    return EndsWithNoCase(program, ".bat") || EndsWithNoCase(program, ".cmd");
}

static bool HasControlCharacter(const char *s) {
    for (; *s; ++s)
        if ((unsigned char)*s < 0x20)
            return true;
    return false;
}

// The interpreter expands variables even inside quotes, and outside them
// reads its operators; its own list of characters that need quotes applies
// to the path, which the launcher quotes.
bool RunsAsWritten(const char *program, const char *args) {
    if (!IsBatchFile(program))
        return true;
    if (strpbrk(program, "%!\"") || HasControlCharacter(program))
        return false;
    return !args || (!strpbrk(args, "%!\"&|<>^") && !HasControlCharacter(args));
}

// Characters that end an unquoted program path: the blank for every program,
// and for the interpreter its own separators and operators as well.
static bool NeedsQuotes(const char *path, bool batch) {
    return strpbrk(path, batch ? " \t&()[]{}^=;!'+,`~" : " \t") != nullptr;
}

// A batch file's line names the resolved file itself, so that the
// interpreter looks for no other.
static bool BuildCommandLine(char *line, size_t capacity, const char *program, const char *path,
                             const char *args) {
    bool batch = IsBatchFile(program);
    if (batch && !RunsAsWritten(program, args))
        return false;
    const char *shown = batch ? program : path;
    bool quoted = NeedsQuotes(shown, batch);
    line[0] = '\0';
    return AppendString(line, capacity, quoted ? "\"" : "") &&
           AppendString(line, capacity, shown) &&
           AppendString(line, capacity, quoted ? "\"" : "") &&
           (!args || (AppendString(line, capacity, " ") && AppendString(line, capacity, args)));
}

static bool StartResolved(const char *program, const char *path, const char *args,
                          PlatformProcess **suspended) {
    char command_line[2 * kUninstallBytes + 8];
    if (!BuildCommandLine(command_line, sizeof command_line, program, path, args))
        return false;
    switch (PlatformCreateProcess(program, command_line, suspended)) {
    case kStarted: return true;
    // Windows refuses programs it takes for installers unless the user
    // allows elevation; only the shell can ask for it.
    case kStartNeedsElevation:
        if (suspended)
            *suspended = nullptr;
        return PlatformShellStart(program, args ? args : "");
    case kStartFailed: break;
    }
    return false;
}

bool StartProgram(const char *path, const char *args) {
    char program[kUninstallBytes];
    return ResolveProgram(path, program, sizeof program) &&
           StartResolved(program, path, args, nullptr);
}

bool ReplaceLauncher(const char *path, const char *args) {
    char program[kUninstallBytes];
    if (!ResolveProgram(path, program, sizeof program) ||
        !StartResolved(program, path, args, nullptr))
        return false;
    PlatformExitProcess(0);
    return true;
}

bool PrepareHandOver(const char *program, const char *path, const char *args,
                     PlatformProcess **suspended) {
    *suspended = nullptr;
    return StartResolved(program, path, args, suspended);
}

void CompleteHandOver(PlatformProcess *suspended) {
    if (suspended)
        PlatformResumeProcess(suspended);
    PlatformExitProcess(0);
}
