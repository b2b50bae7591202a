// What the four stand-in programs share: the start-up record, the switches
// they read from the environment, and small file helpers.
#pragma once

#include <string>
#include <vector>

// Appends "<name>\t<command line>\t<current directory>\r\n" to the file named
// by KORA_RECORD, so that tests can see how a program was started.
void RecordStart(const char *name);

// The value of an environment variable, or `fallback` when it is unset.
std::string EnvString(const char *name, const char *fallback);
int EnvInt(const char *name, int fallback);

// KORA_QUIET=1: no windows, no waiting.
bool Quiet();

// The directory of this program, with its trailing backslash.
std::string OwnDirectory();

// The part of `path` before its last backslash ("C:\A\B" gives "C:\A").
std::string ParentOf(const std::string &path);

// Creates `path` and any missing parents; true when it exists afterwards.
bool MakeDirectories(const std::string &path);

bool DirectoryExists(const std::string &path);
bool FileExists(const std::string &path);

bool WriteFileText(const std::string &path, const std::string &text);
bool ReadFileText(const std::string &path, std::string *text);

// Splits at CR LF or LF; empty lines are dropped.
std::vector<std::string> SplitLines(const std::string &text);
