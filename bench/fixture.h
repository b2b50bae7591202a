// The world start.exe runs in during the bench: a medium (drive M:, mapped
// by scripts/bench) holding the programs, the picture, the readme, and the
// installer and game in its root; an installation directory holding the two
// files the probe tests; and the installer's registry key naming it.
#pragma once

#include <string>

struct Fixture {
    std::string medium;      // "M:\", with the launcher and the bench's programs
    std::string work_dir;    // the driver's current directory, for its own files
    std::string install_dir; // no trailing separator, as installers write it
};

// Writes the medium's data files, the installation and the registry key.
// False, with a message on stderr, when any of it fails.
bool PrepareFixture(Fixture *fixture);

// Removes the registry key again (its vendor parents too, when empty).
void RemoveInstallKey();

// The path of one of the medium's programs, e.g. MediumProgram(f, "start.exe").
std::string MediumProgram(const Fixture &fixture, const char *name);
