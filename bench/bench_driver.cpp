// The bench driver, run by scripts/bench under Wine from build/bench with the
// medium mapped to M:. Without arguments it measures start-up, probe cost,
// footprint, size and picture, prints a table and writes results.json;
// "--soak [seconds]" (600 by default) runs the soak and writes soak.json.
#include "fixture.h"
#include "idle_run.h"
#include "measures.h"
#include "timing.h"

#include <stdio.h>
#include <stdlib.h>
#include <string.h>

static double g_started_ms;

static void Step(const char *what) {
    printf("-- [%3.0f s] %s\n", (NowMs() - g_started_ms) / 1000, what);
    fflush(stdout);
}

static void Append(std::vector<Row> *rows, const std::vector<Row> &more) {
    rows->insert(rows->end(), more.begin(), more.end());
}

// The idle run spans the others: start-up rounds run while its launchers
// tick towards their 60 s footprint reading.
static int RunBench(const Fixture &fixture, std::vector<Row> *rows) {
    std::vector<Row> picture, probe, startup, footprint, sizes;
    Step("picture: 640 x 480 load and paint");
    MeasurePicture(fixture, &picture);
    Step("idle run: 15 start.exe and 15 probe baselines side by side");
    IdleRun run;
    if (!StartIdleRun(fixture, &run)) {
        StopIdleRun(&run);
        return 1;
    }
    Step("probe cost: 20 s of ticks");
    FinishProbeCost(&run, &probe);
    Step("start-up: alternating rounds");
    MeasureStartup(fixture, &startup);
    Step("footprint: waiting for 60 s of ticks");
    FinishFootprint(&run, &footprint);
    Step("sizes and imports");
    MeasureSizes(fixture, &sizes);
    for (const std::vector<Row> *part : {&startup, &probe, &footprint, &sizes, &picture})
        Append(rows, *part);
    return 0;
}

int main(int argc, char **argv) {
    bool soak = argc > 1 && strcmp(argv[1], "--soak") == 0;
    int soak_seconds = soak && argc > 2 ? atoi(argv[2]) : 600;
    Fixture fixture;
    if (!PrepareFixture(&fixture)) {
        RemoveInstallKey();
        return 2;
    }
    double started = g_started_ms = NowMs();
    std::vector<Row> rows;
    if (soak)
        Step("soak: start.exe probing an installation");
    int status = soak ? RunSoak(fixture, soak_seconds, &rows) : RunBench(fixture, &rows);
    RemoveInstallKey();
    double seconds = (NowMs() - started) / 1000;
    PrintTable(rows);
    std::string json = fixture.work_dir + (soak ? "\\soak.json" : "\\results.json");
    if (!WriteJson(json, soak ? "soak" : "bench", rows, seconds))
        fprintf(stderr, "cannot write %s\n", json.c_str());
    printf("measured in %.0f s\n", seconds);
    return status;
}
