// The DLLs a PE file imports, read from its import directory.
#pragma once

#include <string>
#include <vector>

// False when `image` is no PE file or its import directory is out of bounds.
bool ReadPeImports(const std::string &image, std::vector<std::string> *dlls);
