#include "commands.h"

#include "bounded_string.h"
#include "install_state.h"
#include "launch_context.h"
#include "launcher_state.h"
#include "platform/platform.h"
#include "program_start.h"

#include <string.h>

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

// The interpreter's line for the installation's own tool: its full path in
// quotes, and the whole in a second pair, which the interpreter removes
// without looking inside. It expands variables even within quotes, so a path
// that could name one is refused.
static bool BuildSoundToolCommand(char *command, size_t capacity) {
    char *tool = g_state.install.probe_path;
    const size_t tool_capacity = sizeof g_state.install.probe_path;
    return CopyString(tool, tool_capacity, g_state.install.install_path) &&
           AppendString(tool, tool_capacity, kSoundTool) && !strpbrk(tool, "%!") &&
           PlatformFileExists(tool) && CopyString(command, capacity, "\"\"") &&
           AppendString(command, capacity, tool) && AppendString(command, capacity, "\"\"");
}

// The tool runs only in the installation directory; anywhere else it would
// configure nothing the probe looks at. Only the installation's own tool
// runs: where it has none, the interpreter would look along PATH.
void RunSoundSetup() {
    if (!InstallDirectory(g_state.launch_path, sizeof g_state.launch_path) ||
        !PlatformChangeDir(g_state.launch_path))
        return;
    char command[kPathBytes];
    if (BuildSoundToolCommand(command, sizeof command)) {
        PlatformShowMainWindow(false);
        g_state.command_running = true;
        PlatformRunAndWait(command);
        g_state.command_running = false;
        PlatformShowMainWindow(true);
    }
    g_state.install.sound_setup_ran = true;
    ProbeInstallState();
}

void RunExit() {
    PlatformDestroyMainWindow();
}

bool CommandAllowed(int id) {
    return !g_state.command_running && PlatformControlEnabled(id);
}
