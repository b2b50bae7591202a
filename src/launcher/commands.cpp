#include "commands.h"

#include "bounded_string.h"
#include "install_state.h"
#include "launch_context.h"
#include "launcher_state.h"
#include "platform/platform.h"
#include "program_start.h"

static const char kSoundTool[] = "setsound.exe";

// Hands over to the installed game, started in the installation directory.
void RunStart() {
    char *path = g_state.launch_path;
    if (!InstallDirectory(path, sizeof g_state.launch_path))
        return;
    PlatformChangeDir(path);
    if (!CopyString(path, sizeof g_state.launch_path, g_state.install.install_path) ||
        !AppendString(path, sizeof g_state.launch_path, kGameFile))
        return;
    PlatformDestroyMainWindow();
    ReplaceLauncher(path, nullptr);
}

// The launcher leaves while the installer runs, whether it started or not.
void RunInstall() {
    if (g_state.setup_path[0] != '\0')
        StartProgram(g_state.setup_path, nullptr);
    PlatformDestroyMainWindow();
}

// The tool runs only in the installation directory; anywhere else it would
// configure nothing the probe looks at.
void RunSoundSetup() {
    if (!InstallDirectory(g_state.launch_path, sizeof g_state.launch_path) ||
        !PlatformChangeDir(g_state.launch_path))
        return;
    PlatformShowMainWindow(false);
    g_state.command_running = true;
    PlatformRunAndWait(kSoundTool);
    g_state.command_running = false;
    g_state.install.sound_setup_ran = true;
    PlatformShowMainWindow(true);
    ProbeInstallState();
}

void RunExit() {
    PlatformDestroyMainWindow();
}

bool CommandAllowed(int id) {
    return !g_state.command_running && PlatformControlEnabled(id);
}
