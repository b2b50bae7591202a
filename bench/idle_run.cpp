#include "idle_run.h"

#include "timing.h"

#include <stdio.h>

static bool StartGroupMember(const std::string &program, std::vector<Child> *group) {
    Child child;
    if (!StartChild(program, &child)) {
        fprintf(stderr, "cannot start %s\n", program.c_str());
        return false;
    }
    group->push_back(child);
    return true;
}

static bool GroupIdle(const std::vector<Child> &group, const char *window_class) {
    for (const Child &child : group) {
        bool idle = window_class ? WaitForVisibleWindow(child, window_class, 20000)
                                 : WaitForInputIdle(child.info.hProcess, 20000) == 0;
        if (!idle) {
            fprintf(stderr, "%s did not come up\n", child.program.c_str());
            return false;
        }
    }
    return true;
}

static void ReadEarlyCpu(const std::vector<Child> &group, CpuWindow *window) {
    window->early_ms = NowMs();
    window->early = ReadGroupCpu(group);
}

static bool StartGroup(const std::string &program, int count, std::vector<Child> *group) {
    for (int i = 0; i < count; ++i)
        if (!StartGroupMember(program, group))
            return false;
    return true;
}

bool StartIdleRun(const Fixture &fixture, IdleRun *run) {
    const std::string launcher = MediumProgram(fixture, "start.exe");
    const std::string probe = MediumProgram(fixture, "baseline_probe.exe");
    // Launchers and probe baselines alternate, so that both groups start
    // under the same load.
    for (int i = 0; i < kIdleProcesses; ++i)
        if (!StartGroupMember(launcher, &run->launchers) ||
            !StartGroupMember(probe, &run->probe_baselines))
            return false;
    if (!StartGroup(MediumProgram(fixture, "baseline_window.exe"), kWindowBaselines,
                    &run->window_baselines) ||
        !GroupIdle(run->launchers, "TALVO") || !GroupIdle(run->probe_baselines, nullptr) ||
        !GroupIdle(run->window_baselines, "BASELINE"))
        return false;
    WaitUntilMs(NowMs() + kSettleMs);
    run->settled_ms = NowMs();
    ReadEarlyCpu(run->launchers, &run->launcher_cpu);
    ReadEarlyCpu(run->probe_baselines, &run->baseline_cpu);
    run->launchers_early = ReadFootprints(run->launchers);
    run->window_baselines_early = ReadFootprints(run->window_baselines);
    StopChildren(&run->window_baselines); // only their early footprint counts
    return true;
}

void StopIdleRun(IdleRun *run) {
    StopChildren(&run->launchers);
    StopChildren(&run->probe_baselines);
    StopChildren(&run->window_baselines);
}
