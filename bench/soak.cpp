// The soak: one start.exe probing an installation for minutes on end, read
// once a minute, to show that memory and handles stay flat and that it
// keeps answering. A probe baseline runs beside it as the control: a step
// that both show comes from Wine, not from the launcher.
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
    Footprint footprint, control;
    double cpu_ns, control_cpu_ns;
    bool answering;
};

static double OnlyCpu(const CpuReading &reading) {
    return reading.size() == 1 ? reading.begin()->second : NAN;
}

static SoakSample TakeSample(const std::vector<Child> &launcher, const std::vector<Child> &control,
                             double started_ms) {
    SoakSample sample;
    sample.at_ms = NowMs() - started_ms;
    sample.footprint = ReadFootprints(launcher).front();
    sample.control = ReadFootprints(control).front();
    sample.cpu_ns = OnlyCpu(ReadGroupCpu(launcher));
    sample.control_cpu_ns = OnlyCpu(ReadGroupCpu(control));
    HWND window = FindVisibleWindow(launcher.front().info.dwProcessId, "TALVO");
    DWORD_PTR result;
    sample.answering =
        window && SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 5000, &result) != 0;
    const Footprint &f = sample.footprint, &c = sample.control;
    printf("  %5.1f min  working set %6.0f KB  private %5.0f KB  handles %3.0f  CPU %6.1f ms  %s"
           "  | control %6.0f %5.0f %3.0f\n",
           sample.at_ms / 60000, f.working_set_kb, f.private_kb, f.handles, sample.cpu_ns / 1e6,
           sample.answering ? "answering" : "NOT ANSWERING", c.working_set_kb, c.private_kb,
           c.handles);
    fflush(stdout);
    return sample;
}

// The whole series goes into the growth row, so that a one-off step can be
// told from a steady climb.
static std::string Series(const std::vector<SoakSample> &samples, Footprint SoakSample::*who,
                          double Footprint::*member) {
    std::string series;
    for (const SoakSample &sample : samples)
        series += " " + std::to_string((long)(sample.*who.*member));
    return series;
}

static double Growth(const std::vector<SoakSample> &samples, Footprint SoakSample::*who,
                     double Footprint::*member) {
    return samples.back().*who.*member - samples.front().*who.*member;
}

static void AddSpan(const std::vector<SoakSample> &samples, const char *name, const char *unit,
                    double Footprint::*member, std::vector<Row> *rows) {
    Footprint SoakSample::*launcher = &SoakSample::footprint;
    rows->push_back(FigureRow(std::string(name) + " at start", unit,
                              samples.front().footprint.*member, samples.front().control.*member));
    rows->push_back(FigureRow(std::string(name) + " at end", unit, samples.back().footprint.*member,
                              samples.back().control.*member));
    Row growth =
        ControlledGrowthRow(std::string(name) + " growth", unit, Growth(samples, launcher, member),
                            Growth(samples, &SoakSample::control, member));
    growth.detail = "start.exe:" + Series(samples, launcher, member) +
                    "; control:" + Series(samples, &SoakSample::control, member);
    rows->push_back(growth);
}

static void AddSoakRows(const std::vector<SoakSample> &samples, std::vector<Row> *rows) {
    AddSpan(samples, "working set", "KB", &Footprint::working_set_kb, rows);
    AddSpan(samples, "private bytes", "KB", &Footprint::private_kb, rows);
    AddSpan(samples, "handles", "count", &Footprint::handles, rows);
    const SoakSample &first = samples.front(), &last = samples.back();
    double ticks = (last.at_ms - first.at_ms) / kProbePeriodMs;
    rows->push_back(FigureRow("probe CPU per tick", "us",
                              (last.cpu_ns - first.cpu_ns) / 1000 / ticks,
                              (last.control_cpu_ns - first.control_cpu_ns) / 1000 / ticks));
    rows->push_back(FigureRow("answering at end", "1 = yes", last.answering ? 1 : 0));
}

// Readings after start-up, at every whole minute, and at the end.
int RunSoak(const Fixture &fixture, int seconds, std::vector<Row> *rows) {
    std::vector<Child> launcher(1), control(1);
    bool up = StartChild(MediumProgram(fixture, "start.exe"), &launcher.front()) &&
              StartChild(MediumProgram(fixture, "baseline_probe.exe"), &control.front()) &&
              WaitForVisibleWindow(launcher.front(), "TALVO", 20000) &&
              WaitForInputIdle(control.front().info.hProcess, 20000) == 0;
    if (!up) {
        fprintf(stderr, "start.exe or its control did not come up\n");
        StopChildren(&launcher);
        StopChildren(&control);
        return 1;
    }
    double started = NowMs(), end = started + seconds * 1000.0;
    WaitUntilMs(started + kSettleMs);
    std::vector<SoakSample> samples(1, TakeSample(launcher, control, started));
    for (double next = started + kSampleMs; samples.back().footprint.ok; next += kSampleMs) {
        WaitUntilMs(next < end ? next : end);
        samples.push_back(TakeSample(launcher, control, started));
        if (next >= end)
            break;
    }
    StopChildren(&launcher);
    StopChildren(&control);
    AddSoakRows(samples, rows);
    const SoakSample &last = samples.back();
    return last.footprint.ok && last.answering ? 0 : 1;
}
