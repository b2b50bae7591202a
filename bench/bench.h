// The bench's measures, the figures they yield, and what they share: the
// clock, medians, and per-process readings of CPU time and footprint.
#pragma once

#include "driver/program.h"

#include <math.h>

#include <string>
#include <vector>

// The goals a figure can have, as the report names them: none, launcher /
// baseline <= limit, launcher <= 0, launcher <= the baseline's growth (a
// control doing the same raw work).
const char kNoGoal[] = "none", kRatioAtMost[] = "ratio_at_most", kNoGrowth[] = "no_growth",
           kNoMoreGrowth[] = "no_growth_beyond_control";

// One figure; baseline NaN when it has none.
struct Row {
    std::string name, unit;
    double launcher, baseline = NAN;
    const char *goal = kNoGoal;
    double limit = NAN;
    std::string detail;
};

// A figure without a goal.
inline Row Figure(const std::string &name, const char *unit, double launcher,
                  double baseline = NAN) {
    return {name, unit, launcher, baseline, kNoGoal, NAN, ""};
}

// Writes the figures for scripts/bench, which prints them as a table and
// writes the JSON file: a line "<run>\t<seconds>", then one line a figure,
// its fields separated by tabs in the order of Row.
bool WriteFigures(const std::string &path, const std::string &run, const std::vector<Row> &rows,
                  double seconds);

// The medium, drive M:, with start.exe and its baselines; the working
// directory holds the installation and the driver's own files.
const char kMedium[] = "M:\\";
std::string WorkDir();

double NowMs();
void WaitUntilMs(double deadline_ms);
// NaN when there are no values.
double Median(std::vector<double> values);
double Smallest(const std::vector<double> &values);
double Largest(const std::vector<double> &values);
// printf into a string.
std::string Format(const char *format, ...);

// A group of processes of one program from the medium, e.g. "start.exe".
struct Group {
    explicit Group(const char *program) : program(program) {}
    std::string program; // M:\start.exe, as the host shows its command line
    std::vector<Program> members;
};
bool StartMember(Group *group);
// Waits until every member waits for input, with its window of this class up.
bool GroupUp(const Group &group, const char *window_class);
// Asks all members to end first, so that they end side by side.
void StopGroup(Group *group);

// CPU time in nanoseconds per running process of the group, by the host's
// process ID (the bench runs under Wine only).
typedef std::vector<std::pair<unsigned long, double>> CpuReading;
CpuReading ReadCpu(const Group &group);
double CpuOf(const CpuReading &reading, unsigned long pid); // NaN when absent

struct Footprint {
    bool ok;
    double working_set_kb, private_kb, handles;
};
std::vector<Footprint> ReadFootprints(const Group &group);

// A 256-colour picture whose colour table and pixels vary, so that no
// conversion step can shortcut a uniform image.
std::string BenchPicture(int width, int height);

void MeasurePicture(std::vector<Row> *rows);
void MeasureStartup(std::vector<Row> *rows);
void MeasureSizes(std::vector<Row> *rows);
int RunSoak(int seconds, std::vector<Row> *rows);

// The idle run: start.exe instances and probe baselines side by side with an
// installation present, probing on their 500 ms timers, and a few empty
// dialog-template windows whose memory is the footprint's yardstick. Per-
// process CPU time is coarse and an idle launcher spends about 10 ms of it in
// 20 s, so the 15 rounds run at once, one process each, and the medians are
// taken over processes. It runs while the other measures take their turns.
struct IdleRun {
    Group launchers{"M:\\start.exe"}, probes{"M:\\baseline_probe.exe"},
        windows{"M:\\baseline_window.exe"};
    double settled_ms;
    CpuReading launcher_cpu, probe_cpu;
    std::vector<Footprint> launchers_early, windows_early;
};
bool StartIdleRun(IdleRun *run);
// 20 s after settling: the probe cost row.
void FinishProbeCost(IdleRun *run, std::vector<Row> *rows);
// 60 s after settling: the footprint rows.
void FinishFootprint(IdleRun *run, std::vector<Row> *rows);
