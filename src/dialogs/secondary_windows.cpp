#include "secondary_windows.h"

#include "resource.h"
#include "launcher/launch_context.h"
#include "launcher/launcher_state.h"
#include "launcher/center_window.h"
#include "platform/platform.h"

#include <stdlib.h>

// NULs after the text, so that the edit control sees it end there.
static const size_t kReadmePadding = 10;

static HWND CreateSecondary(const char *template_name) {
    HWND dialog = CreateDialogParamA((HINSTANCE)g_state.instance, template_name,
                                     (HWND)g_state.main_window, SecondaryDlgProc, 0);
    if (dialog)
        CenterWindowOver(dialog, (HWND)g_state.main_window);
    return dialog;
}

void OpenReadmeViewer() {
    if (g_state.readme_window || g_state.launcher_dir[0] == '\0')
        return;
    size_t size;
    g_state.readme_text =
        PlatformReadFile(g_state.launcher_dir, kReadmeLimit, kReadmePadding, &size);
    if (!g_state.readme_text)
        return;
    // The text is shown as it is: no line-end or code-page conversion.
    // Recorded before it is shown: showing activates it, and the activation
    // places the text.
    g_state.readme_window = CreateSecondary("README");
    if (!g_state.readme_window) {
        free(g_state.readme_text);
        g_state.readme_text = nullptr;
        return;
    }
    ShowWindow((HWND)g_state.readme_window, SW_SHOWNORMAL);
}

void OpenAboutBox() {
    HWND about = CreateSecondary("ABOUT");
    if (about)
        ShowWindow(about, SW_SHOWNORMAL);
}

// The dialog keeps the focus itself (TRUE below), so this runs at every
// activation of either dialog and refreshes the viewer's text.
static void OnSetFocus() {
    if (g_state.readme_window)
        SetDlgItemTextA((HWND)g_state.readme_window, IDC_README_TEXT, g_state.readme_text);
}

static void OnClose(HWND dialog) {
    DestroyWindow(dialog);
    if (dialog == (HWND)g_state.readme_window)
        g_state.readme_window = nullptr;
}

static void OnCommand(HWND dialog, WPARAM command) {
    if (command == IDC_BACK)
        OnClose(dialog);
}

static void OnDestroy(HWND dialog) {
    if (dialog != (HWND)g_state.readme_window)
        return;
    free(g_state.readme_text);
    g_state.readme_text = nullptr;
}

INT_PTR CALLBACK SecondaryDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
    case WM_SETFOCUS: OnSetFocus(); return TRUE;
    case WM_COMMAND: OnCommand(dialog, wParam); return TRUE;
    case WM_CLOSE: OnClose(dialog); return TRUE;
    case WM_DESTROY: OnDestroy(dialog); return TRUE;
    }
    return FALSE;
}
