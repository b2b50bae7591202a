// The one answer to "would the launcher read an installation in this folder
// as written?", for the check before mastering and for the installer pair
// (through the rulebook DLL).
#pragma once

enum FolderFault {
    kFolderFine,
    kFolderPathRules,      // not absolute, or a segment that does not name itself
    kFolderTooLong,        // with the backslash the launcher adds, over kDirChars
    kFolderDevice,         // a device segment: no uninstaller would start under it
    kFolderCommandTooLong, // the uninstall command would not fit the launcher's buffer
    kFolderCut,            // the launcher would cut the uninstall command before its " -f"
};

// What the launcher would misread in the installation the installer writes
// to `dir` (code-page text): "Kora Pro Path" = dir, "Uninstall" =
// "<dir>\uninst.exe -f<dir>\install.log". The first fault found.
FolderFault InstallFolderFault(const char *dir);
