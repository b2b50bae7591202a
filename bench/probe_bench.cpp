// Probe cost: CPU per probe tick of each idle start.exe against each probe
// baseline, over the same 20 s window (see idle_run.h).
#include "idle_run.h"

#include "stats.h"
#include "timing.h"

#include <stdio.h>

// Microseconds of CPU per tick for each process read at both ends.
static std::vector<double> PerTickUs(const CpuWindow &window) {
    double ticks = (window.late_ms - window.early_ms) / kProbePeriodMs;
    std::vector<double> per_tick;
    for (const auto &late : window.late) {
        auto early = window.early.find(late.first);
        if (early != window.early.end())
            per_tick.push_back((late.second - early->second) / 1000.0 / ticks);
    }
    return per_tick;
}

static void ReadLateCpu(const std::vector<Child> &group, CpuWindow *window) {
    window->late_ms = NowMs();
    window->late = ReadGroupCpu(group);
}

void FinishProbeCost(IdleRun *run, std::vector<Row> *rows) {
    WaitUntilMs(run->settled_ms + kCpuWindowMs);
    ReadLateCpu(run->launchers, &run->launcher_cpu);
    ReadLateCpu(run->probe_baselines, &run->baseline_cpu);
    StopChildren(&run->probe_baselines);
    std::vector<double> launcher = PerTickUs(run->launcher_cpu);
    std::vector<double> baseline = PerTickUs(run->baseline_cpu);
    Row row = RatioRow("probe CPU per tick", "us", Median(launcher), Median(baseline), 1.2);
    char detail[200];
    snprintf(detail, sizeof detail,
             "median over %zu launchers and %zu baselines side by side for %.0f s; "
             "range %.0f-%.0f vs %.0f-%.0f us; CPU from %s",
             launcher.size(), baseline.size(), kCpuWindowMs / 1000.0, Smallest(launcher),
             Largest(launcher), Smallest(baseline), Largest(baseline),
             CpuFromHost() ? "the host's scheduler (Wine)" : "GetProcessTimes");
    row.detail = detail;
    rows->push_back(row);
}
