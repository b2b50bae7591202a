// What the buttons of the main window do. Each command runs on the GUI
// thread inside the window procedure and reports nothing: a failure shows
// only in which buttons the next probe enables.
#pragma once

void RunStart();
void RunInstall();
void RunSoundSetup();
void RunExit();
void RunUninstall();

// Whether the button `id` may run its command now: only while it is enabled,
// whoever posts the click, and never inside another command.
bool CommandAllowed(int id);
