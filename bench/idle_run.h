// The idle run: start.exe instances and probe baselines side by side with an
// installation present, probing on their 500 ms timers, and a few empty
// dialog-template windows whose memory is the footprint's yardstick. It
// yields the probe cost (CPU per tick between about 2 s and 22 s after
// start, so start-up is left out) and the footprint (after start-up and after
// 60 s of ticks), and runs while the other measures take their turns.
//
// Per-process CPU time is coarse and an idle process spends little of it, so
// a 20 s window is needed per reading; rather than 15 such windows in a row,
// the 15 rounds run at once: 15 launchers and 15 baselines share the same
// 20 s, each process is one round, and the medians are taken over processes.
#pragma once

#include "child_process.h"
#include "fixture.h"
#include "footprint.h"
#include "host_cpu.h"
#include "report.h"

#include <vector>

enum {
    kIdleProcesses = 15,
    kWindowBaselines = 5,
    kSettleMs = 2000,     // start-up over, first ticks done
    kCpuWindowMs = 20000, // probe cost measured over this
    kFootprintWindowMs = 60000,
    kProbePeriodMs = 500,
};

struct CpuWindow {
    CpuReading early, late;
    double early_ms, late_ms;
};

struct IdleRun {
    std::vector<Child> launchers, probe_baselines, window_baselines;
    double settled_ms; // when the early readings were taken
    CpuWindow launcher_cpu, baseline_cpu;
    std::vector<Footprint> launchers_early, window_baselines_early;
};

// Starts the groups, waits until they are settled and takes the early
// readings. False when a process did not come up.
bool StartIdleRun(const Fixture &fixture, IdleRun *run);

// At settled + kCpuWindowMs: reads CPU again, stops the probe baselines, and
// appends the probe cost row.
void FinishProbeCost(IdleRun *run, std::vector<Row> *rows);

// At settled + kFootprintWindowMs: reads the launchers again, stops them,
// and appends the footprint rows.
void FinishFootprint(IdleRun *run, std::vector<Row> *rows);

void StopIdleRun(IdleRun *run);
