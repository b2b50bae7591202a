// What the buttons of the main window do. Each command runs on the GUI
// thread inside the window procedure and reports nothing: a failure shows
// only in which buttons the next probe enables.
#pragma once

void RunStart();
void RunInstall();
void RunSoundSetup();
void RunExit();
void RunUninstall();
