// Resource and control identifiers, shared by start.rc and the code.
#pragma once

#define IDC_START_DEMO 1003
#define IDC_INSTALL_DEMO 1006
#define IDC_SOUND_SETUP 1007
#define IDC_UNINSTALL 1008
#define IDC_README 1009
#define IDC_EXIT 1010
#define IDC_README_TEXT 1015
#define IDC_BACK 1018

#define IDI_LAUNCHER_1 146
#define IDI_LAUNCHER_2 148

#define IDT_PROBE 1
#define PROBE_PERIOD_MS 500
