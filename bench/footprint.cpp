// Private bytes are taken from PagefileUsage: Windows gives it the same
// value as PrivateUsage, and Wine fills only it for another process (from
// the host's anonymous resident and swapped pages). Handle counts come from
// the system's process list, because Wine's GetProcessHandleCount answers
// zero for another process.
#include "footprint.h"

#include <windows.h>
#include <psapi.h>
#include <winternl.h>

#include <map>
#include <string>

static std::map<DWORD, double> HandleCounts() {
    std::map<DWORD, double> counts;
    std::string buffer(1 << 16, '\0');
    ULONG needed = 0;
    NTSTATUS status;
    while ((status = NtQuerySystemInformation(SystemProcessInformation, &buffer[0],
                                              (ULONG)buffer.size(), &needed)) ==
           (NTSTATUS)0xC0000004L) // STATUS_INFO_LENGTH_MISMATCH
        buffer.resize(buffer.size() * 2);
    if (status != 0)
        return counts;
    for (size_t offset = 0;;) {
        const SYSTEM_PROCESS_INFORMATION *process =
            (const SYSTEM_PROCESS_INFORMATION *)(buffer.data() + offset);
        counts[(DWORD)(ULONG_PTR)process->UniqueProcessId] = process->HandleCount;
        if (!process->NextEntryOffset)
            break;
        offset += process->NextEntryOffset;
    }
    return counts;
}

std::vector<Footprint> ReadFootprints(const std::vector<Child> &children) {
    std::map<DWORD, double> handles = HandleCounts();
    std::vector<Footprint> readings;
    for (const Child &child : children) {
        Footprint reading = {};
        PROCESS_MEMORY_COUNTERS memory = {};
        memory.cb = sizeof memory;
        auto count = handles.find(child.info.dwProcessId);
        reading.ok = ChildRunning(child) && count != handles.end() &&
                     GetProcessMemoryInfo(child.info.hProcess, &memory, sizeof memory);
        if (reading.ok) {
            reading.working_set_kb = memory.WorkingSetSize / 1024.0;
            reading.private_kb = memory.PagefileUsage / 1024.0;
            reading.handles = count->second;
        }
        readings.push_back(reading);
    }
    return readings;
}

std::vector<double> FootprintValues(const std::vector<Footprint> &readings,
                                    double Footprint::*member) {
    std::vector<double> values;
    for (const Footprint &reading : readings)
        if (reading.ok)
            values.push_back(reading.*member);
    return values;
}

std::vector<double> FootprintGrowth(const std::vector<Footprint> &earlier,
                                    const std::vector<Footprint> &later,
                                    double Footprint::*member) {
    std::vector<double> growth;
    for (size_t i = 0; i < earlier.size() && i < later.size(); ++i)
        if (earlier[i].ok && later[i].ok)
            growth.push_back(later[i].*member - earlier[i].*member);
    return growth;
}
