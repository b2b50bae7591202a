// The process's entry, in place of the C runtime's start-up: the launcher has
// no static constructors, no main arguments and no exit handlers, so WinMain
// is called as the system would show the window, and its result ends the
// process.
#include <windows.h>

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR line, int show);

// The system enters with the stack aligned for a call, not for the compiler.
extern "C" __attribute__((force_align_arg_pointer)) void WinMainCRTStartup() {
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    GetStartupInfoA(&startup);
    int show = (startup.dwFlags & STARTF_USESHOWWINDOW) ? startup.wShowWindow : SW_SHOWDEFAULT;
    ExitProcess(WinMain(GetModuleHandleA(nullptr), nullptr, GetCommandLineA(), show));
}
