// The launcher's own rules for the installer and its uninstaller, which call
// them from the DLL they unpack (System::Call), so that no second copy of a
// rule lives in the installer script. Text comes wide, as the installer holds
// it, and counts only where the code page spells it exactly: the launcher
// reads the same registry values through that page, and a look-alike
// (a fullwidth 'O' for 'O') names another file.
#include "launcher/install_folder.h"
#include "launcher/launcher_state.h"
#include "launcher/path_rules.h"
#include "platform/win32_ansi_text.h"

#include <windows.h>

#include <string.h>

// Beyond the launcher's own answers: the code page cannot hold the text.
enum { kFolderCodePage = 100 };

// What would make the launcher misread an installation in `dir`: 0 for
// nothing, else a FolderFault or kFolderCodePage.
extern "C" __declspec(dllexport) int WINAPI KoraFolderFault(const wchar_t *dir) {
    static char ansi[kUninstallBytes];
    if (!ToAnsi(dir, ansi, sizeof ansi))
        return kFolderCodePage;
    return InstallFolderFault(ansi);
}

// 1 when `a` and `b` name the same on Windows (the launcher's case rule,
// the whole of both), 0 otherwise and wherever the code page cannot hold
// either exactly.
extern "C" __declspec(dllexport) int WINAPI KoraSameName(const wchar_t *a, const wchar_t *b) {
    static char ansi_a[kUninstallBytes], ansi_b[kUninstallBytes];
    if (!ToAnsi(a, ansi_a, sizeof ansi_a) || !ToAnsi(b, ansi_b, sizeof ansi_b))
        return 0;
    size_t length = strlen(ansi_a);
    return length == strlen(ansi_b) && SameNoCase(ansi_a, ansi_b, length);
}

// No C runtime to start: nothing to set up or tear down.
extern "C" BOOL WINAPI RulebookEntry(HINSTANCE, DWORD, void *) {
    return TRUE;
}
