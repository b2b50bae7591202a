#include "main_window.h"

#include "resource.h"
#include "commands.h"
#include "dialogs/secondary_windows.h"
#include "install_state.h"
#include "launcher_state.h"
#include "picture/splash_picture.h"
#include "platform/platform.h"

static const COLORREF kControlBackground = 0x00C4C4C4;

void CALLBACK ProbeTimerProc(HWND, UINT, UINT_PTR, DWORD) {
    ProbeInstallState();
}

// Only plain clicks match: the notification code in the high word is part of
// the comparison. A button that is disabled has no command, even if some
// other program posts its click, and no command runs inside another.
static void OnCommand(WPARAM command) {
    static const struct {
        WPARAM id;
        void (*run)();
    } kCommands[] = {
        {IDC_START_DEMO, RunStart},       {IDC_INSTALL_DEMO, RunInstall},
        {IDC_SOUND_SETUP, RunSoundSetup}, {IDC_UNINSTALL, RunUninstall},
        {IDC_README, OpenReadmeViewer},   {IDC_EXIT, RunExit},
    };
    for (const auto &entry : kCommands) {
        if (entry.id == command) {
            if (CommandAllowed((int)command))
                entry.run();
            return;
        }
    }
}

static LRESULT OnPaint(HWND window) {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    if (!dc)
        return DefWindowProcA(window, WM_PAINT, 0, 0);
    DrawSplashPicture(dc, 0, 65);
    EndPaint(window, &paint);
    return 0;
}

static LRESULT OnDestroy(HWND window) {
    if (window == (HWND)g_state.main_window)
        PostQuitMessage(0);
    return 0;
}

// The main window keeps the keyboard focus itself.
static LRESULT OnSetFocus(HWND window, WPARAM wParam, LPARAM lParam) {
    SetFocus(window);
    return DefWindowProcA(window, WM_SETFOCUS, wParam, lParam);
}

// F1 arrives here only while no button holds the focus.
static LRESULT OnKeyDown(HWND window, WPARAM key, LPARAM lParam) {
    if (key != VK_F1)
        return DefWindowProcA(window, WM_KEYDOWN, key, lParam);
    OpenAboutBox();
    return 0;
}

static LRESULT OnControlColour(HDC dc) {
    SetBkColor(dc, kControlBackground);
    return (LRESULT)GetStockObject(BLACK_BRUSH);
}

LRESULT CALLBACK LauncherWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE: return 0;
    case WM_DESTROY: return OnDestroy(window);
    case WM_SETFOCUS: return OnSetFocus(window, wParam, lParam);
    case WM_PAINT: return OnPaint(window);
    case WM_KEYDOWN: return OnKeyDown(window, wParam, lParam);
    case WM_COMMAND: OnCommand(wParam); return 0;
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORSTATIC: return OnControlColour((HDC)wParam);
    }
    return DefWindowProcA(window, message, wParam, lParam);
}
