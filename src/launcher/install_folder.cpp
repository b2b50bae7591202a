#include "install_folder.h"

#include "bounded_string.h"
#include "launcher_state.h"
#include "path_rules.h"
#include "uninstall_command.h"

#include <string.h>

// The installer's command for `dir`, cut by the launcher's own split: the
// fault, or kFolderFine when the split gives back program and arguments.
static FolderFault SplitFault(const char *dir, InstallRecord *record) {
    char program[kUninstallBytes] = "", args[kUninstallBytes] = "-f";
    if (!CopyString(program, sizeof program, dir) ||
        !AppendString(program, sizeof program, "\\uninst.exe") ||
        !AppendString(args, sizeof args, dir) ||
        !AppendString(args, sizeof args, "\\install.log"))
        return kFolderCommandTooLong;
    char *command = record->uninstall_command;
    if (!CopyString(command, kUninstallBytes, program) ||
        !AppendString(command, kUninstallBytes, " ") ||
        !AppendString(command, kUninstallBytes, args))
        return kFolderCommandTooLong;
    if (!IsProgramPath(program))
        return kFolderDevice;
    SplitUninstallCommand(record);
    return strcmp(program, record->uninstall_command) == 0 && record->uninstall_args &&
                   strcmp(args, record->uninstall_args) == 0
               ? kFolderFine
               : kFolderCut;
}

FolderFault InstallFolderFault(const char *dir) {
    if (!IsInstallDirectory(dir))
        return kFolderPathRules;
    if (strlen(dir) + 1 > kDirChars)
        return kFolderTooLong;
    static InstallRecord record;
    memset(&record, 0, sizeof record);
    return SplitFault(dir, &record);
}
