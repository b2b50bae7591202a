// The bench driver, run by scripts/bench under Wine from build/bench with the
// medium mapped to M:. Without arguments it measures start-up, probe cost,
// footprint, size and picture, prints a table and writes results.json;
// "--soak [seconds]" (600 by default) runs the soak and writes soak.json.
#include "bench.h"

#include "driver/world.h"

#include <stdio.h>
#include <string.h>

static double g_started_ms;

static void Step(const char *what) {
    printf("-- [%3.0f s] %s\n", (NowMs() - g_started_ms) / 1000, what);
    fflush(stdout);
}

std::string WorkDir() {
    char directory[MAX_PATH];
    return std::string(directory, GetCurrentDirectoryA(sizeof directory, directory));
}

// setup.exe and kora.exe in the medium's root make start-up test both, as it
// does on the real medium; the picture has the size of the window's picture
// area. The probe only opens the installation's files, so their content does
// not matter.
static bool LayOutWorld() {
    std::string install = WorkDir() + "\\install", medium = kMedium;
    return WriteBytes(medium + "loading.bmp", BenchPicture(478, 361)) &&
           WriteBytes(medium + "Readme.txt", "Readme of the bench medium.\r\n") &&
           WriteBytes(medium + "setup.exe", "MZ") && WriteBytes(medium + "kora.exe", "MZ") &&
           WriteBytes(install + "\\kora.exe", "MZ") &&
           WriteBytes(install + "\\drivers\\dig.ini", "\r\n") &&
           SetInstallValue("Kora Pro Path", install) &&
           SetInstallValue("Uninstall", install + "\\uninst.exe -f" + install + "\\install.log");
}

// The idle run spans the others: start-up rounds run while its launchers
// tick towards their 60 s footprint reading.
static int RunBench(std::vector<Row> *rows) {
    std::vector<Row> picture, probe, startup, footprint, sizes;
    Step("picture: 640 x 480 load and paint");
    MeasurePicture(&picture);
    Step("idle run: 15 start.exe and 15 probe baselines side by side");
    IdleRun run;
    if (!StartIdleRun(&run))
        return 1;
    Step("probe cost: 20 s of ticks");
    FinishProbeCost(&run, &probe);
    Step("start-up: alternating rounds");
    MeasureStartup(&startup);
    Step("footprint: waiting for 60 s of ticks");
    FinishFootprint(&run, &footprint);
    Step("sizes and imports");
    MeasureSizes(&sizes);
    for (const std::vector<Row> *part : {&startup, &probe, &footprint, &sizes, &picture})
        rows->insert(rows->end(), part->begin(), part->end());
    return 0;
}

int main(int argc, char **argv) {
    bool soak = argc > 1 && strcmp(argv[1], "--soak") == 0;
    int soak_seconds = soak && argc > 2 ? atoi(argv[2]) : 600;
    if (GetFileAttributesA("M:\\start.exe") == INVALID_FILE_ATTRIBUTES || !LayOutWorld()) {
        fprintf(stderr, "no start.exe on M: (scripts/bench maps it), or cannot lay out the "
                        "medium, installation and registry key\n");
        RemoveInstallKey();
        return 2;
    }
    g_started_ms = NowMs();
    std::vector<Row> rows;
    if (soak)
        Step("soak: start.exe probing an installation");
    int status = soak ? RunSoak(soak_seconds, &rows) : RunBench(&rows);
    RemoveInstallKey();
    double seconds = (NowMs() - g_started_ms) / 1000;
    if (!WriteFigures(WorkDir() + "\\figures.tsv", soak ? "soak" : "bench", rows, seconds))
        fprintf(stderr, "cannot write figures.tsv\n");
    printf("measured in %.0f s\n", seconds);
    return status;
}
