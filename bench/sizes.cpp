// Size of start.exe against a minimal window program built with the same
// toolchain and flags, and the DLLs each imports, which scripts/bench reads
// with objdump and hands over in BENCH_IMPORTS_START and BENCH_IMPORTS_MINIMAL.
#include "bench.h"

#include "driver/world.h"

#include <stdlib.h>

static double Count(const std::string &names) {
    double words = 0;
    for (size_t i = 0; i < names.size(); ++i)
        words += names[i] != ' ' && (i == 0 || names[i - 1] == ' ');
    return words;
}

void MeasureSizes(std::vector<Row> *rows) {
    rows->push_back({"program size", "bytes", (double)ReadBytes("M:\\start.exe").size(),
                     (double)ReadBytes("M:\\minimal_window.exe").size(), kRatioAtMost, 1.5,
                     "baseline: minimal_window.exe, same toolchain and product flags"});
    const char *launcher = getenv("BENCH_IMPORTS_START"),
               *minimal = getenv("BENCH_IMPORTS_MINIMAL");
    bool read = launcher && minimal && *launcher && *minimal;
    rows->push_back(
        {"imported DLLs", "count", read ? Count(launcher) : NAN, read ? Count(minimal) : NAN,
         kNoGoal, NAN,
         read ? std::string("start.exe: ") + launcher + "; minimal_window.exe: " + minimal
              : "import table unreadable"});
}
