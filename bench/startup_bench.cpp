// Start-up: process creation to the main window visible and the process
// waiting for input. Starts alternate between start.exe and the baseline,
// one at a time, so that drift on the shared machine hits both alike. The
// CPU the process spent until then is read as well: it varies far less than
// the wall time under Wine and shows where a difference comes from.
#include "measures.h"

#include "child_process.h"
#include "host_cpu.h"
#include "stats.h"
#include "timing.h"

#include <stdio.h>

static const int kRounds = 41;
// Wine tears a process down after its handle is signalled; the next start
// must not pay for that.
static const DWORD kPauseMs = 100;

struct StartTimes {
    std::vector<double> wall_ms, cpu_ms;
    int failures;
};

// Other instances of the program (the idle run's launchers) may be running;
// the one started here is the one that was not there before.
static void TimeOneStart(const std::string &program, const char *window_class, StartTimes *times) {
    std::vector<Child> child(1);
    child.front().program = program;
    CpuReading before = ReadGroupCpu(child);
    double started = NowMs();
    bool shown = StartChild(program, &child.front()) &&
                 WaitForVisibleWindow(child.front(), window_class, 15000);
    double elapsed = NowMs() - started;
    double cpu_ns = 0;
    bool read = shown && NewcomerCpu(before, ReadGroupCpu(child), &cpu_ns);
    StopChildren(&child);
    Sleep(kPauseMs);
    if (!read) {
        ++times->failures;
        return;
    }
    times->wall_ms.push_back(elapsed);
    times->cpu_ms.push_back(cpu_ns / 1e6);
}

static Row StartRow(const char *name, const std::vector<double> &launcher,
                    const std::vector<double> &baseline, double limit) {
    Row row = isnan(limit) ? FigureRow(name, "ms", Median(launcher), Median(baseline))
                           : RatioRow(name, "ms", Median(launcher), Median(baseline), limit);
    char detail[128];
    snprintf(detail, sizeof detail, "median of %zu vs %zu alternating starts; fastest %.1f vs %.1f",
             launcher.size(), baseline.size(), Smallest(launcher), Smallest(baseline));
    row.detail = detail;
    return row;
}

void MeasureStartup(const Fixture &fixture, std::vector<Row> *rows) {
    const std::string launcher = MediumProgram(fixture, "start.exe");
    const std::string baseline = MediumProgram(fixture, "baseline_window.exe");
    StartTimes warm = {}, launcher_times = {}, baseline_times = {};
    // Not counted: the first start of each reads its file from disk.
    TimeOneStart(launcher, "TALVO", &warm);
    TimeOneStart(baseline, "BASELINE", &warm);
    for (int round = 0; round < kRounds; ++round) {
        bool launcher_first = round % 2 == 0;
        for (int turn = 0; turn < 2; ++turn) {
            if ((turn == 0) == launcher_first)
                TimeOneStart(launcher, "TALVO", &launcher_times);
            else
                TimeOneStart(baseline, "BASELINE", &baseline_times);
        }
    }
    rows->push_back(StartRow("start-up to visible idle window", launcher_times.wall_ms,
                             baseline_times.wall_ms, 1.15));
    rows->push_back(
        StartRow("start-up CPU until visible", launcher_times.cpu_ms, baseline_times.cpu_ms, NAN));
    if (launcher_times.failures + baseline_times.failures > 0)
        rows->back().detail += "; failed starts: " + std::to_string(launcher_times.failures) +
                               " vs " + std::to_string(baseline_times.failures);
}
