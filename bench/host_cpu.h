// CPU time spent by the processes the bench started.
#pragma once

#include "child_process.h"

#include <map>
#include <vector>

// CPU time in nanoseconds, user and kernel, per running process of a group
// of children that all run the same program, keyed so that two readings of
// the same group can be matched process by process.
typedef std::map<unsigned long, double> CpuReading;

CpuReading ReadGroupCpu(const std::vector<Child> &group);

// The CPU time of the one process that `after` holds and `before` does not;
// false unless there is exactly one such process.
bool NewcomerCpu(const CpuReading &before, const CpuReading &after, double *ns);

// True when the readings come from the host's scheduler (under Wine).
bool CpuFromHost();
