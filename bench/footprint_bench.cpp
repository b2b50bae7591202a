// Footprint of the idle launchers: memory and handles after start-up, against
// empty dialog-template windows, and their growth over 60 s of probe ticks.
#include "idle_run.h"

#include "stats.h"
#include "timing.h"

#include <stdio.h>

static Row SettledRow(const IdleRun &run, const char *name, const char *unit,
                      double Footprint::*member) {
    Row row = FigureRow(name, unit, Median(FootprintValues(run.launchers_early, member)),
                        Median(FootprintValues(run.window_baselines_early, member)));
    row.detail = "medians after start-up; baseline: baseline_window.exe (empty dialog window)";
    return row;
}

// The largest growth of any launcher, so that one leaking instance shows.
static Row GrowthOf(const std::vector<Footprint> &early, const std::vector<Footprint> &late,
                    const char *name, const char *unit, double Footprint::*member) {
    std::vector<double> growth = FootprintGrowth(early, late, member);
    Row row = GrowthRow(name, unit, Largest(growth));
    char detail[160];
    snprintf(detail, sizeof detail,
             "largest of %zu launchers over %.0f s; median %.4g, smallest %.4g", growth.size(),
             kFootprintWindowMs / 1000.0, Median(growth), Smallest(growth));
    row.detail = detail;
    return row;
}

void FinishFootprint(IdleRun *run, std::vector<Row> *rows) {
    WaitUntilMs(run->settled_ms + kFootprintWindowMs);
    std::vector<Footprint> late = ReadFootprints(run->launchers);
    StopIdleRun(run);
    const std::vector<Footprint> &early = run->launchers_early;
    rows->push_back(SettledRow(*run, "working set", "KB", &Footprint::working_set_kb));
    rows->push_back(SettledRow(*run, "private bytes", "KB", &Footprint::private_kb));
    rows->push_back(SettledRow(*run, "handles", "count", &Footprint::handles));
    rows->push_back(GrowthOf(early, late, "working set growth", "KB", &Footprint::working_set_kb));
    rows->push_back(GrowthOf(early, late, "private bytes growth", "KB", &Footprint::private_kb));
    rows->push_back(GrowthOf(early, late, "handle growth", "count", &Footprint::handles));
}
