// The idle run (see bench.h): the probe cost, CPU per tick between about 2 s
// and 22 s after start, so that start-up is left out, and the footprint after
// start-up and after 60 s of ticks.
#include "bench.h"

static const double kSettleMs = 2000, kCpuWindowMs = 20000, kFootprintWindowMs = 60000,
                    kProbePeriodMs = 500;
static const int kIdleProcesses = 15, kWindowBaselines = 5;

bool StartIdleRun(IdleRun *run) {
    // Launchers and probe baselines alternate, so that both start under the same load.
    for (int i = 0; i < kIdleProcesses; ++i)
        if (!StartMember(&run->launchers) || !StartMember(&run->probes))
            return false;
    for (int i = 0; i < kWindowBaselines; ++i)
        if (!StartMember(&run->windows))
            return false;
    if (!GroupUp(run->launchers, "TALVO") || !GroupUp(run->probes, nullptr) ||
        !GroupUp(run->windows, "BASELINE"))
        return false;
    WaitUntilMs(NowMs() + kSettleMs);
    run->settled_ms = NowMs();
    run->launcher_cpu = ReadCpu(run->launchers);
    run->probe_cpu = ReadCpu(run->probes);
    run->launchers_early = ReadFootprints(run->launchers);
    run->windows_early = ReadFootprints(run->windows);
    StopGroup(&run->windows); // only their early footprint counts
    return true;
}

// Microseconds of CPU per tick for each process read at both ends.
static std::vector<double> PerTickUs(const CpuReading &early, const CpuReading &late,
                                     double ticks) {
    std::vector<double> per_tick;
    for (const auto &process : late) {
        double before = CpuOf(early, process.first);
        if (!isnan(before))
            per_tick.push_back((process.second - before) / 1000.0 / ticks);
    }
    return per_tick;
}

void FinishProbeCost(IdleRun *run, std::vector<Row> *rows) {
    WaitUntilMs(run->settled_ms + kCpuWindowMs);
    double ticks = (NowMs() - run->settled_ms) / kProbePeriodMs;
    std::vector<double> launcher = PerTickUs(run->launcher_cpu, ReadCpu(run->launchers), ticks);
    std::vector<double> baseline = PerTickUs(run->probe_cpu, ReadCpu(run->probes), ticks);
    StopGroup(&run->probes);
    rows->push_back(
        {"probe CPU per tick", "us", Median(launcher), Median(baseline), kRatioAtMost, 1.2,
         Format("median over %zu launchers and %zu baselines side by side for %.0f s; "
                "range %.0f-%.0f vs %.0f-%.0f us; CPU from the host's scheduler (Wine)",
                launcher.size(), baseline.size(), kCpuWindowMs / 1000.0, Smallest(launcher),
                Largest(launcher), Smallest(baseline), Largest(baseline))});
}

static std::vector<double> Values(const std::vector<Footprint> &readings,
                                  double Footprint::*member) {
    std::vector<double> values;
    for (const Footprint &reading : readings)
        if (reading.ok)
            values.push_back(reading.*member);
    return values;
}

// The largest growth of any launcher, so that one leaking instance shows.
static Row Growth(const std::vector<Footprint> &early, const std::vector<Footprint> &late,
                  const char *name, const char *unit, double Footprint::*member) {
    std::vector<double> growth;
    for (size_t i = 0; i < early.size() && i < late.size(); ++i)
        if (early[i].ok && late[i].ok)
            growth.push_back(late[i].*member - early[i].*member);
    return {name,
            unit,
            Largest(growth),
            NAN,
            kNoGrowth,
            0,
            Format("largest of %zu launchers over %.0f s; median %.4g, smallest %.4g",
                   growth.size(), kFootprintWindowMs / 1000.0, Median(growth), Smallest(growth))};
}

void FinishFootprint(IdleRun *run, std::vector<Row> *rows) {
    WaitUntilMs(run->settled_ms + kFootprintWindowMs);
    std::vector<Footprint> late = ReadFootprints(run->launchers);
    StopGroup(&run->launchers);
    const struct {
        const char *name, *growth, *unit;
        double Footprint::*member;
    } kFigures[] = {{"working set", "working set growth", "KB", &Footprint::working_set_kb},
                    {"private bytes", "private bytes growth", "KB", &Footprint::private_kb},
                    {"handles", "handle growth", "count", &Footprint::handles}};
    for (const auto &f : kFigures)
        rows->push_back(
            {f.name, f.unit, Median(Values(run->launchers_early, f.member)),
             Median(Values(run->windows_early, f.member)), kNoGoal, NAN,
             "medians after start-up; baseline: baseline_window.exe (empty dialog window)"});
    for (const auto &f : kFigures)
        rows->push_back(Growth(run->launchers_early, late, f.growth, f.unit, f.member));
}
