#include "uninstall_command.h"

#include "launcher_state.h"

#include <string.h>

// A quoted program ends at its closing quote; the arguments follow after
// blanks. Without a closing quote the value names no file.
static void SplitQuotedCommand(InstallRecord *record) {
    char *command = record->uninstall_command;
    char *close = strchr(command + 1, '"');
    record->uninstall_args = nullptr;
    if (!close)
        return;
    char *args = close + 1;
    while (*args == ' ')
        ++args;
    if (*args)
        record->uninstall_args = args;
    memmove(command, command + 1, (size_t)(close - command - 1));
    close[-1] = '\0';
}

void SplitUninstallCommand(InstallRecord *record) {
    char *command = record->uninstall_command;
    char *blank = strstr(command, " -f");
    if (command[0] == '"') {
        SplitQuotedCommand(record);
    } else if (strncmp(command, "-f", 2) == 0) {
        record->uninstall_args = command;
    } else if (blank) {
        *blank = '\0';
        record->uninstall_args = blank + 1;
    } else {
        record->uninstall_args = nullptr;
    }
}
