// Size of start.exe against a minimal window program built with the same
// toolchain and flags, and the DLLs each imports.
#include "measures.h"

#include "bench_files.h"
#include "pe_imports.h"

static std::string JoinNames(const std::vector<std::string> &names) {
    std::string joined;
    for (const std::string &name : names)
        joined += (joined.empty() ? "" : " ") + name;
    return joined;
}

void MeasureSizes(const Fixture &fixture, std::vector<Row> *rows) {
    std::string launcher = ReadWholeFile(MediumProgram(fixture, "start.exe"));
    std::string minimal = ReadWholeFile(MediumProgram(fixture, "minimal_window.exe"));
    Row size =
        RatioRow("program size", "bytes", (double)launcher.size(), (double)minimal.size(), 1.5);
    size.detail = "baseline: minimal_window.exe, same toolchain and product flags";
    rows->push_back(size);

    std::vector<std::string> launcher_dlls, minimal_dlls;
    bool read = ReadPeImports(launcher, &launcher_dlls) && ReadPeImports(minimal, &minimal_dlls);
    Row imports = FigureRow("imported DLLs", "count", read ? launcher_dlls.size() : NAN,
                            read ? minimal_dlls.size() : NAN);
    imports.detail = read ? "start.exe: " + JoinNames(launcher_dlls) +
                                "; minimal_window.exe: " + JoinNames(minimal_dlls)
                          : "import table unreadable";
    rows->push_back(imports);
}
