// Start-up: process creation to the main window visible and the process
// waiting for input. Starts alternate between start.exe and the baseline,
// one at a time, so that drift on the shared machine hits both alike. The
// CPU spent until then is read as well: it varies far less than the wall
// time under Wine and shows where a difference comes from.
#include "bench.h"

static const int kRounds = 41;
// Wine tears a process down after its handle is signalled; the next start
// must not pay for that.
static const DWORD kPauseMs = 100;

struct StartTimes {
    std::vector<double> wall_ms, cpu_ms;
    int failures = 0;
};

// The CPU time of the one process that `after` holds and `before` does not;
// NaN unless there is exactly one.
static double Newcomer(const CpuReading &before, const CpuReading &after) {
    double ns = NAN;
    int found = 0;
    for (const auto &process : after)
        if (isnan(CpuOf(before, process.first)) && ++found)
            ns = process.second;
    return found == 1 ? ns : NAN;
}

// Other instances of the program (the idle run's launchers) may be running;
// the one started here is the one that was not there before (the host knows
// Wine's processes by other IDs).
static void TimeOneStart(const char *program, const char *window_class, StartTimes *times) {
    Group group{program};
    CpuReading before = ReadCpu(group);
    double started = NowMs();
    bool shown =
        StartMember(&group) && group.members[0].WaitWindow(window_class, nullptr, 15000, 1);
    double elapsed = NowMs() - started;
    double cpu_ns = shown ? Newcomer(before, ReadCpu(group)) : NAN;
    StopGroup(&group);
    Sleep(kPauseMs);
    if (isnan(cpu_ns)) {
        ++times->failures;
        return;
    }
    times->wall_ms.push_back(elapsed);
    times->cpu_ms.push_back(cpu_ns / 1e6);
}

static Row StartRow(const char *name, const std::vector<double> &launcher,
                    const std::vector<double> &baseline, double limit) {
    return {name,
            "ms",
            Median(launcher),
            Median(baseline),
            isnan(limit) ? kNoGoal : kRatioAtMost,
            limit,
            Format("median of %zu vs %zu alternating starts; fastest %.1f vs %.1f", launcher.size(),
                   baseline.size(), Smallest(launcher), Smallest(baseline))};
}

void MeasureStartup(std::vector<Row> *rows) {
    StartTimes warm, launcher, baseline;
    // Not counted: the first start of each reads its file from disk.
    TimeOneStart("M:\\start.exe", "TALVO", &warm);
    TimeOneStart("M:\\baseline_window.exe", "BASELINE", &warm);
    for (int round = 0; round < kRounds; ++round) {
        for (int turn = 0; turn < 2; ++turn) {
            if ((turn == 0) == (round % 2 == 0))
                TimeOneStart("M:\\start.exe", "TALVO", &launcher);
            else
                TimeOneStart("M:\\baseline_window.exe", "BASELINE", &baseline);
        }
    }
    rows->push_back(
        StartRow("start-up to visible idle window", launcher.wall_ms, baseline.wall_ms, 1.15));
    rows->push_back(StartRow("start-up CPU until visible", launcher.cpu_ms, baseline.cpu_ms, NAN));
    if (launcher.failures + baseline.failures > 0)
        rows->back().detail +=
            Format("; failed starts: %d vs %d", launcher.failures, baseline.failures);
}
