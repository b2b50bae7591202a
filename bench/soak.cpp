// The soak: one start.exe probing an installation for minutes on end, read
// once a minute, to show that memory and handles stay flat and that it
// keeps answering. A probe baseline runs beside it as the control: a step
// that both show comes from Wine, not from the launcher.
#include "bench.h"

#include <stdio.h>

static const double kSampleMs = 60000, kSettleMs = 2000, kProbePeriodMs = 500;

struct SoakSample {
    double at_ms;
    Footprint footprint, control;
    double cpu_ns, control_cpu_ns;
    bool answering;
};

static double OnlyCpu(const CpuReading &reading) {
    return reading.size() == 1 ? reading.front().second : NAN;
}

static SoakSample TakeSample(const Group &launcher, const Group &control, double started_ms) {
    std::vector<HWND> window = launcher.members[0].Windows("TALVO");
    DWORD_PTR result;
    SoakSample sample = {NowMs() - started_ms,
                         ReadFootprints(launcher)[0],
                         ReadFootprints(control)[0],
                         OnlyCpu(ReadCpu(launcher)),
                         OnlyCpu(ReadCpu(control)),
                         !window.empty() && SendMessageTimeoutA(window[0], WM_NULL, 0, 0,
                                                                SMTO_ABORTIFHUNG, 5000, &result)};
    const Footprint &f = sample.footprint, &c = sample.control;
    printf("  %5.1f min  working set %6.0f KB  private %5.0f KB  handles %3.0f  CPU %6.1f ms  %s"
           "  | control %6.0f %5.0f %3.0f\n",
           sample.at_ms / 60000, f.working_set_kb, f.private_kb, f.handles, sample.cpu_ns / 1e6,
           sample.answering ? "answering" : "NOT ANSWERING", c.working_set_kb, c.private_kb,
           c.handles);
    fflush(stdout);
    return sample;
}

// Start, end and growth of one figure; the whole series goes into the growth
// row, so that a one-off step can be told from a steady climb.
static void AddSpan(const std::vector<SoakSample> &samples, const std::string &name,
                    const char *unit, double Footprint::*member, std::vector<Row> *rows) {
    const SoakSample &first = samples.front(), &last = samples.back();
    rows->push_back(
        Figure(name + " at start", unit, first.footprint.*member, first.control.*member));
    rows->push_back(Figure(name + " at end", unit, last.footprint.*member, last.control.*member));
    std::string launcher, control;
    for (const SoakSample &sample : samples) {
        launcher += " " + std::to_string((long)(sample.footprint.*member));
        control += " " + std::to_string((long)(sample.control.*member));
    }
    rows->push_back({name + " growth", unit, last.footprint.*member - first.footprint.*member,
                     last.control.*member - first.control.*member, kNoMoreGrowth, 0,
                     "start.exe:" + launcher + "; control:" + control});
}

// Readings after start-up, at every whole minute, and at the end.
int RunSoak(int seconds, std::vector<Row> *rows) {
    Group launcher{"M:\\start.exe"}, control{"M:\\baseline_probe.exe"};
    if (!StartMember(&launcher) || !StartMember(&control) || !GroupUp(launcher, "TALVO") ||
        !GroupUp(control, nullptr)) {
        fprintf(stderr, "start.exe or its control did not come up\n");
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
    StopGroup(&launcher);
    StopGroup(&control);
    AddSpan(samples, "working set", "KB", &Footprint::working_set_kb, rows);
    AddSpan(samples, "private bytes", "KB", &Footprint::private_kb, rows);
    AddSpan(samples, "handles", "count", &Footprint::handles, rows);
    const SoakSample &first = samples.front(), &last = samples.back();
    double ticks = (last.at_ms - first.at_ms) / kProbePeriodMs;
    rows->push_back(Figure("probe CPU per tick", "us", (last.cpu_ns - first.cpu_ns) / 1000 / ticks,
                           (last.control_cpu_ns - first.control_cpu_ns) / 1000 / ticks));
    rows->push_back(Figure("answering at end", "1 = yes", last.answering ? 1.0 : 0.0));
    return last.footprint.ok && last.answering ? 0 : 1;
}
