// The launcher's entry: start-up in a fixed order, then the message loop.
#include "main_window.h"

#include "resource.h"
#include "bounded_string.h"
#include "center_window.h"
#include "launch_context.h"
#include "launcher_state.h"
#include "picture/splash_picture.h"
#include "platform/platform.h"

static void RegisterLauncherClass(HINSTANCE instance) {
    WNDCLASSA window_class = {};
    window_class.style = CS_VREDRAW | CS_HREDRAW | CS_OWNDC;
    window_class.lpfnWndProc = LauncherWndProc;
    window_class.cbWndExtra = DLGWINDOWEXTRA; // a window made from a dialog template needs them
    window_class.hInstance = instance;
    window_class.hbrBackground = (HBRUSH)GetStockObject(WHITE_BRUSH);
    window_class.lpszClassName = "TALVO";
    RegisterClassA(&window_class);
}

static void LoadPicture() {
    char *path = g_state.launch_path;
    bool ok = g_state.launcher_dir[0] != '\0' &&
              CopyString(path, sizeof g_state.launch_path, g_state.launcher_dir) &&
              AppendString(path, sizeof g_state.launch_path, kPictureFile) &&
              LoadSplashPicture(path);
    if (!ok)
        MessageBoxA((HWND)g_state.main_window, "Fehler beim Laden des Bildes", "Status", MB_OK);
}

// Install and Readme are settled once, by what the source medium holds; the
// first probe tick settles the other three.
static void SetFirstButtonStates() {
    PlatformEnableControl(IDC_INSTALL_DEMO, false);
    if (InstallerAvailable(&g_state))
        PlatformEnableControl(IDC_INSTALL_DEMO, true);
    PlatformEnableControl(IDC_README, ReadmeAvailable(&g_state));
    SetCursor(LoadCursorA(nullptr, IDC_ARROW));
    PlatformEnableControl(IDC_START_DEMO, false);
    PlatformEnableControl(IDC_UNINSTALL, false);
    PlatformEnableControl(IDC_SOUND_SETUP, false);
}

// Only the main window gets dialog keyboard handling.
static int RunMessageLoop() {
    MSG msg = {};
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        if (!IsDialogMessageA((HWND)g_state.main_window, &msg)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
    }
    return (int)msg.wParam;
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous_instance, LPSTR, int show_state) {
    ReadLaunchContext(&g_state);
    g_state.instance = instance;
    if (!previous_instance)
        RegisterLauncherClass(instance);
    HWND window = CreateDialogParamA(instance, "RUNNER", nullptr, nullptr, 0);
    if (!window) {
        MessageBoxA(nullptr, "Fehler beim Initialisieren des Hauptfensters.", "Error", MB_OK);
        return 0;
    }
    g_state.main_window = window;
    PlatformSetMainWindow(window);
    LoadPicture();
    SetTimer(window, IDT_PROBE, PROBE_PERIOD_MS, ProbeTimerProc);
    CenterWindowOver(window, GetDesktopWindow());
    ShowWindow(window, show_state);
    SetFirstButtonStates();
    return RunMessageLoop();
}
