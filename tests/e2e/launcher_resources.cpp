#include "launcher_resources.h"

#include "world.h"

std::string LauncherResource(LPCSTR type, LPCSTR name) {
    static HMODULE module =
        LoadLibraryExA(BuiltLauncher().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    HRSRC found = module
                      ? FindResourceExA(module, type, name, MAKELANGID(LANG_GERMAN, SUBLANG_GERMAN))
                      : nullptr;
    HGLOBAL loaded = found ? LoadResource(module, found) : nullptr;
    if (!loaded)
        return "";
    return std::string((const char *)LockResource(loaded), SizeofResource(module, found));
}
