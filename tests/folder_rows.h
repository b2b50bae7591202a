// Installation folders and what the launcher would misread in each
// (FolderFault): one table for every caller of the rule, the launcher's own
// code natively and the installer pair's rulebook DLL under Wine.
#pragma once

struct FolderRow {
    const char *name, *dir;
    int fault;
};

static const FolderRow kFolderRows[] = {
    {"ProgramFiles", "C:\\Program Files (x86)\\Kora Manager DEMO", 0},
    {"DashFWithoutBlank", "C:\\Kora Demo-fun\\Kora-fDemo", 0},
    {"Share", "\\\\server\\share\\Kora", 0},
    {"Fits127WithBackslash", "C:\\Kora\\xxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxx"
     "xxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxx", 0},
    {"BareShare", "\\\\server\\share", 1},
    {"DotAtTheEnd", "C:\\Kora Demo\\Kora.", 1},
    {"EmptySegment", "C:\\Kora Demo\\\\Kora", 1},
    {"Slash", "C:/Kora Demo/Kora", 1},
    {"Relative", "Kora Demo", 1},
    {"Over127WithBackslash", "C:\\Kora\\xxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxx"
     "xxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxx", 2},
    {"Device", "C:\\Games\\COM1\\Kora", 3},
    {"SuperscriptDevice", "C:\\Games\\lpt\xB9.x\\Kora", 3},
    {"BlankBeforeDashF", "C:\\Kora -f Demo", 5},
};
