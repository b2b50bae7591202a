// The processes the bench starts, and what it reads of them. Wine's
// GetProcessTimes answers zero for every process but the caller's own and
// the process list's times move in 10 ms steps, so CPU time comes from the
// host kernel's scheduler statistics of each Wine process
// (/proc/<pid>/task/<tid>/schedstat, nanoseconds, read through drive Z:),
// found by its command line and by the Wine prefix in its environment.
// Private bytes are PagefileUsage, the one Wine fills for another process;
// handle counts come from the process list, as Wine's
// GetProcessHandleCount answers zero for another process.
#include "bench.h"

#include "driver/world.h"

#include <psapi.h>
#include <winternl.h>

#include <map>

bool StartMember(Group *group) {
    group->members.emplace_back();
    if (group->members.back().Start("\"" + group->program + "\"", kMedium))
        return true;
    fprintf(stderr, "cannot start %s\n", group->program.c_str());
    return false;
}

bool GroupUp(const Group &group, const char *window_class) {
    for (const Program &member : group.members) {
        if (window_class ? !member.WaitWindow(window_class, nullptr, 20000)
                         : WaitForInputIdle(member.handle(), 20000) != 0) {
            fprintf(stderr, "%s did not come up\n", group.program.c_str());
            return false;
        }
    }
    return true;
}

void StopGroup(Group *group) {
    for (const Program &member : group->members)
        member.PostQuit();
    for (Program &member : group->members)
        member.Quit();
    group->members.clear();
}

// The first field of schedstat is the time spent running, in nanoseconds.
static double HostNs(const std::string &proc) {
    double total = 0;
    WIN32_FIND_DATAA task;
    HANDLE search = FindFirstFileA((proc + "\\task\\*").c_str(), &task);
    for (bool more = search != INVALID_HANDLE_VALUE; more; more = FindNextFileA(search, &task))
        total += atof(ReadBytes(proc + "\\task\\" + task.cFileName + "\\schedstat").c_str());
    if (search != INVALID_HANDLE_VALUE)
        FindClose(search);
    return total;
}

CpuReading ReadCpu(const Group &group) {
    char prefix[MAX_PATH] = "";
    GetEnvironmentVariableA("WINEPREFIX", prefix, sizeof prefix);
    std::string ours = std::string(1, '\0') + "WINEPREFIX=" + prefix + '\0';
    CpuReading reading;
    WIN32_FIND_DATAA entry;
    HANDLE search = FindFirstFileA("Z:\\proc\\*", &entry);
    for (bool more = search != INVALID_HANDLE_VALUE; more; more = FindNextFileA(search, &entry)) {
        std::string proc = std::string("Z:\\proc\\") + entry.cFileName;
        unsigned long pid = strtoul(entry.cFileName, nullptr, 10);
        if (pid && _stricmp(ReadBytes(proc + "\\cmdline").c_str(), group.program.c_str()) == 0 &&
            ('\0' + ReadBytes(proc + "\\environ")).find(ours) != std::string::npos)
            reading.push_back({pid, HostNs(proc)});
    }
    if (search != INVALID_HANDLE_VALUE)
        FindClose(search);
    return reading;
}

double CpuOf(const CpuReading &reading, unsigned long pid) {
    for (const auto &process : reading)
        if (process.first == pid)
            return process.second;
    return NAN;
}

static std::map<DWORD, double> HandleCounts() {
    std::map<DWORD, double> counts;
    std::string buffer(1 << 16, '\0');
    ULONG needed = 0;
    NTSTATUS status;
    while ((status = NtQuerySystemInformation(SystemProcessInformation, &buffer[0],
                                              (ULONG)buffer.size(), &needed)) ==
           (NTSTATUS)0xC0000004L) // STATUS_INFO_LENGTH_MISMATCH
        buffer.resize(buffer.size() * 2);
    for (size_t offset = 0; status == 0;) {
        auto process = (const SYSTEM_PROCESS_INFORMATION *)(buffer.data() + offset);
        counts[(DWORD)(ULONG_PTR)process->UniqueProcessId] = process->HandleCount;
        if (!process->NextEntryOffset)
            break;
        offset += process->NextEntryOffset;
    }
    return counts;
}

std::vector<Footprint> ReadFootprints(const Group &group) {
    std::map<DWORD, double> handles = HandleCounts();
    std::vector<Footprint> readings;
    for (const Program &member : group.members) {
        PROCESS_MEMORY_COUNTERS memory = {};
        auto count = handles.find(member.pid());
        bool ok = member.Running() && count != handles.end() &&
                  GetProcessMemoryInfo(member.handle(), &memory, sizeof memory);
        readings.push_back({ok, memory.WorkingSetSize / 1024.0, memory.PagefileUsage / 1024.0,
                            ok ? count->second : 0});
    }
    return readings;
}
