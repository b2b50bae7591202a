// Whole-file reads and writes for the bench's fixtures and readings.
#pragma once

#include <string>

// The file's bytes; empty when it cannot be read. Reads to the end rather
// than by size, so that it also works for the host's /proc files under Wine.
std::string ReadWholeFile(const std::string &path);

bool WriteWholeFile(const std::string &path, const std::string &bytes);
