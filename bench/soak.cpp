// The soak: one start.exe probing an installation for minutes on end, read
// once a minute, to show that memory and handles stay flat and that it
// keeps answering.
#include "measures.h"

#include "child_process.h"
#include "footprint.h"
#include "host_cpu.h"
#include "idle_run.h"
#include "timing.h"

#include <stdio.h>

static const double kSampleMs = 60000;

struct SoakSample {
    double at_ms;
    Footprint footprint;
    double cpu_ns;
    bool answering;
};

static SoakSample TakeSample(const std::vector<Child> &launcher, double started_ms) {
    SoakSample sample;
    sample.at_ms = NowMs() - started_ms;
    sample.footprint = ReadFootprints(launcher).front();
    CpuReading cpu = ReadGroupCpu(launcher);
    sample.cpu_ns = cpu.size() == 1 ? cpu.begin()->second : NAN;
    HWND window = FindVisibleWindow(launcher.front().info.dwProcessId, "TALVO");
    DWORD_PTR result;
    sample.answering =
        window && SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 5000, &result) != 0;
    const Footprint &f = sample.footprint;
    printf("  %5.1f min  working set %7.0f KB  private %7.0f KB  handles %4.0f  CPU %7.1f ms  %s\n",
           sample.at_ms / 60000, f.working_set_kb, f.private_kb, f.handles, sample.cpu_ns / 1e6,
           sample.answering ? "answering" : "NOT ANSWERING");
    fflush(stdout);
    return sample;
}

static void AddSpan(std::vector<Row> *rows, const char *name, const char *unit, double first,
                    double last) {
    rows->push_back(FigureRow(std::string(name) + " at start", unit, first));
    rows->push_back(FigureRow(std::string(name) + " at end", unit, last));
    rows->push_back(GrowthRow(std::string(name) + " growth", unit, last - first));
}

static void AddSoakRows(const SoakSample &first, const SoakSample &last, std::vector<Row> *rows) {
    const Footprint &a = first.footprint, &b = last.footprint;
    AddSpan(rows, "working set", "KB", a.working_set_kb, b.working_set_kb);
    AddSpan(rows, "private bytes", "KB", a.private_kb, b.private_kb);
    AddSpan(rows, "handles", "count", a.handles, b.handles);
    double ticks = (last.at_ms - first.at_ms) / kProbePeriodMs;
    rows->push_back(
        FigureRow("probe CPU per tick", "us", (last.cpu_ns - first.cpu_ns) / 1000 / ticks));
    rows->push_back(FigureRow("answering at end", "1 = yes", last.answering ? 1 : 0));
}

int RunSoak(const Fixture &fixture, int seconds, std::vector<Row> *rows) {
    std::vector<Child> launcher(1);
    if (!StartChild(MediumProgram(fixture, "start.exe"), &launcher.front()) ||
        !WaitForVisibleWindow(launcher.front(), "TALVO", 20000)) {
        fprintf(stderr, "start.exe did not come up\n");
        StopChildren(&launcher);
        return 1;
    }
    double started = NowMs();
    WaitUntilMs(started + kSettleMs);
    SoakSample first = TakeSample(launcher, started), last = first;
    double end = started + kSettleMs + seconds * 1000.0;
    for (double next = started + kSampleMs; last.footprint.ok; next += kSampleMs) {
        WaitUntilMs(next < end ? next : end);
        last = TakeSample(launcher, started);
        if (next >= end)
            break;
    }
    StopChildren(&launcher);
    AddSoakRows(first, last, rows);
    return last.footprint.ok && last.answering ? 0 : 1;
}
