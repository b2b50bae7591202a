// What the recording stand-in and the tests agree on. The stand-in takes the
// place of each program the launcher starts (installer, game, sound tool,
// uninstaller) under that program's file name.
#pragma once

// File to which every start appends "<name>\t<command line>\t<directory>\r\n".
#define STAND_IN_RECORD_VAR "KORA_RECORD"
// Name of an event the stand-in waits for (10 s at most) before it ends, so
// that a test can look at the launcher while the program still runs.
#define STAND_IN_HOLD_VAR "KORA_HOLD"
// "0" keeps the sound tool from writing its configuration.
#define STAND_IN_SOUND_WRITE_VAR "KORA_SETSOUND_WRITE"

// What the sound tool, named setsound.exe, leaves in drivers\dig.ini.
#define STAND_IN_SOUND_CONFIG "[sound]\r\ndriver=stand-in\r\n"
