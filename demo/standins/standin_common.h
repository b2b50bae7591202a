// What the game and sound-tool stand-ins share: the start-up record, the
// switches they read from the environment, and writing a file.
#pragma once

#include <string>

// Appends "<name>\t<command line>\t<current directory>\r\n" to the file named
// by KORA_RECORD, so that tests can see how a program was started.
void RecordStart(const char *name);

// The value of an environment variable, or `fallback` when it is unset.
std::string EnvString(const char *name, const char *fallback);
int EnvInt(const char *name, int fallback);

// KORA_QUIET=1: no windows, no waiting.
bool Quiet();

// Writes `text` to `path`, replacing the file.
bool WriteFileText(const std::string &path, const std::string &text);
