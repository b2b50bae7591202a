// The main window's buttons and its one question.
#include "platform.h"
#include "win32_calls.h"

#include "resource.h"

static HWND g_main_window;

void PlatformSetMainWindow(void *window) {
    g_main_window = (HWND)window;
}

HWND MainWindow() {
    return g_main_window;
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

// A button keeps its state unless it changes: enabling an enabled button
// costs a message and a repaint for nothing.
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
