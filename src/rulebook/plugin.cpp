// The rulebook as the installer's own plug-in: the installer calls
// `rulebook::NameState "$INSTDIR" "$1"` and pops the answer, with no other
// plug-in in between (the runtime's general one links a C runtime the first
// Windows 95 lacks). Arguments come on the installer's stack, first on top,
// in the characters of its build (the code page's for the 32-bit installer,
// which runs on the 95 family; UTF-16 for the x86-64 test installer), and go
// to the wide rules in rulebook.cpp; answers go back as text.
#include "plugin_stack.h"
#include "rulebook.h"

#include "launcher/launcher_state.h"

// The top entry's text, made wide; "" when the stack is empty.
static const wchar_t *Pop(StackEntry **top, int slot) {
    static wchar_t text[4][kUninstallBytes];
    StackEntry *entry = *top;
    text[slot][0] = L'\0';
    if (!entry)
        return text[slot];
#ifdef _WIN64
    lstrcpynW(text[slot], entry->text, kUninstallBytes);
#else
    if (!MultiByteToWideChar(CP_ACP, 0, entry->text, -1, text[slot], kUninstallBytes))
        text[slot][0] = L'\0';
#endif
    *top = entry->next;
    GlobalFree(entry);
    return text[slot];
}

// Pushes `text`, cut to the installer's strings of `size` characters.
static void Push(StackEntry **top, int size, const wchar_t *text) {
    StackEntry *entry =
        (StackEntry *)GlobalAlloc(GPTR, sizeof(StackEntry) + (size_t)size * sizeof(PluginChar));
    if (!entry)
        return;
#ifdef _WIN64
    lstrcpynW(entry->text, text, size);
#else
    if (!WideCharToMultiByte(CP_ACP, 0, text, -1, entry->text, size, nullptr, nullptr))
        entry->text[0] = '\0';
#endif
    entry->next = *top;
    *top = entry;
}

static void PushNumber(StackEntry **top, int size, int number) {
    wchar_t text[12], *at = text + 11;
    bool negative = number < 0;
    unsigned value = negative ? 0u - (unsigned)number : (unsigned)number;
    *at = L'\0';
    do
        *--at = (wchar_t)(L'0' + value % 10);
    while (value /= 10);
    if (negative)
        *--at = L'-';
    Push(top, size, at);
}

#define PLUGIN(name)                                                                               \
    extern "C" __declspec(dllexport) void __cdecl name(HWND, int size, PluginChar *,               \
                                                       StackEntry **top, void *)

// The answer of a rule about the one text, or the two texts, on top.
static void AnswerOne(StackEntry **top, int size, int(WINAPI *rule)(const wchar_t *)) {
    PushNumber(top, size, rule(Pop(top, 0)));
}

static void AnswerTwo(StackEntry **top, int size,
                      int(WINAPI *rule)(const wchar_t *, const wchar_t *)) {
    const wchar_t *first = Pop(top, 0);
    PushNumber(top, size, rule(first, Pop(top, 1)));
}

// clang-format off
PLUGIN(FolderFault) { AnswerOne(top, size, KoraFolderFault); }
PLUGIN(OwnFolder) { AnswerOne(top, size, KoraOwnFolder); }
PLUGIN(SameName) { AnswerTwo(top, size, KoraSameName); }
PLUGIN(GivenFolder) { AnswerTwo(top, size, KoraGivenFolder); }
PLUGIN(NameState) { AnswerTwo(top, size, KoraNameState); }
PLUGIN(RemoveName) { AnswerTwo(top, size, KoraRemoveName); }
// clang-format on

// Pushes the first name that stayed, then the answer.
PLUGIN(RemoveLogged) {
    static wchar_t left[kUninstallBytes];
    const wchar_t *dir = Pop(top, 0), *log = Pop(top, 1);
    int answer = KoraRemoveLogged(dir, log, Pop(top, 2), left, kUninstallBytes);
    Push(top, size, answer == 2 ? L"" : left);
    PushNumber(top, size, answer);
}

// Pushes the log, then the answer.
PLUGIN(UninstallLog) {
    static wchar_t log[kUninstallBytes];
    int answer = KoraUninstallLog(Pop(top, 0), log, kUninstallBytes);
    Push(top, size, answer ? log : L"");
    PushNumber(top, size, answer);
}

// The system's code page, which the 32-bit installer's text is in.
PLUGIN(CodePage) {
    PushNumber(top, size, (int)GetACP());
}
