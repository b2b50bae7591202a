// "Uninstall" values and how the launcher splits each into program and
// arguments, with the buttons the probe then shows: one table for every
// caller of the split, the launcher's probe natively and the uninstaller's
// search for its log through the rulebook DLL under Wine.
#pragma once

struct SplitRow {
    const char *value, *program, *args, *buttons;
};

static const SplitRow kSplitRows[] = {
    {"C:\\DEMO\\uninst.exe -fC:\\DEMO\\install.log", "C:\\DEMO\\uninst.exe",
     "-fC:\\DEMO\\install.log", "-- on on "},
    {"C:\\DEMO\\uninst.exe -fa -fb", "C:\\DEMO\\uninst.exe", "-fa -fb", "-- on on "},
    {"C:\\my-files\\DEMO\\uninst.exe -fC:\\my-files\\DEMO\\inst.log",
     "C:\\my-files\\DEMO\\uninst.exe", "-fC:\\my-files\\DEMO\\inst.log", "-- on on "},
    {"C:\\a-f\\uninst.exe", "C:\\a-f\\uninst.exe", nullptr, "-- on on "},
    {"-fC:\\log", "-fC:\\log", "-fC:\\log", "-- on -- "}, // not cut at the very start
    {"-fC:\\log -fx", "-fC:\\log -fx", "-fC:\\log -fx", "-- on -- "},
    {"C:\\DEMO\\gone.exe -fx", "C:\\DEMO\\gone.exe", "-fx", "-- on -- "},
    {"\"C:\\my -f dir\\u.exe\"  -fx", "C:\\my -f dir\\u.exe", "-fx", "-- on on "},
    {"\"C:\\u.exe\"", "C:\\u.exe", nullptr, "-- on on "},
    {"\"C:\\u.exe -fx", "\"C:\\u.exe -fx", nullptr, "-- on -- "}, // no closing quote
    {"C:\\u.bat -f%x%", "C:\\u.bat", "-f%x%", "-- on -- "},       // Yes would refuse it
    // Device names, each also a file: Windows would open the device.
    {"C:\\DEMO\\aux.exe -fx", "C:\\DEMO\\aux.exe", "-fx", "-- on -- "},
    {"C:\\CON\\u.exe -fx", "C:\\CON\\u.exe", "-fx", "-- on -- "},
    {"C:\\DEMO\\Prn.exe -fx", "C:\\DEMO\\Prn.exe", "-fx", "-- on -- "},
    {"C:\\DEMO\\CONIN$.x -fx", "C:\\DEMO\\CONIN$.x", "-fx", "-- on -- "},
    {"C:\\DEMO\\COM\xB9.exe -fx", "C:\\DEMO\\COM\xB9.exe", "-fx", "-- on -- "},
};
