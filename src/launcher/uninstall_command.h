// The "Uninstall" value the installer writes: the uninstaller's path and
// its arguments in one string.
#pragma once

struct InstallRecord;

// Cuts "<program> -f<args>" in two at the blank of the first " -f", so a
// "-f" inside the program's path stays part of it; a quoted program ends at
// its closing quote, its arguments after the blanks behind it. A value that
// begins with "-f" stays whole, as both program and arguments.
// `uninstall_command` keeps the program path, `uninstall_args` points to
// the arguments or is null.
void SplitUninstallCommand(InstallRecord *record);
