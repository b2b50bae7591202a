// Under Wine, GetProcessTimes answers zero for every process but the
// caller's own, and the process list's times move in 10 ms steps, while an
// idle launcher spends about 10 ms of CPU in a whole 20 s window. So under
// Wine the CPU time comes from the host kernel's scheduler statistics of
// each Wine process (/proc/<pid>/task/<tid>/schedstat, in nanoseconds, read
// through drive Z:). A Wine process shows its Windows command line there,
// which names the group; its environment names the Wine prefix, which keeps
// out processes of other prefixes on the same machine. On Windows the
// figures come from GetProcessTimes.
#include "host_cpu.h"

#include "bench_files.h"

#include <windows.h>
#include <stdlib.h>
#include <string.h>

bool CpuFromHost() {
    static const bool wine =
        GetProcAddress(GetModuleHandleA("ntdll.dll"), "wine_get_version") != nullptr;
    return wine;
}

static CpuReading ReadWithProcessTimes(const std::vector<Child> &group) {
    CpuReading reading;
    for (const Child &child : group) {
        FILETIME created, ended, kernel, user;
        if (!GetProcessTimes(child.info.hProcess, &created, &ended, &kernel, &user))
            continue;
        ULARGE_INTEGER k = {{kernel.dwLowDateTime, kernel.dwHighDateTime}};
        ULARGE_INTEGER u = {{user.dwLowDateTime, user.dwHighDateTime}};
        reading[child.info.dwProcessId] = (double)(k.QuadPart + u.QuadPart) * 100.0;
    }
    return reading;
}

static bool IsNumber(const char *name) {
    return *name && strspn(name, "0123456789") == strlen(name);
}

// The first field of schedstat is the time spent running, in nanoseconds.
static double HostTaskNs(const std::string &proc_dir) {
    double total = 0;
    WIN32_FIND_DATAA entry;
    HANDLE search = FindFirstFileA((proc_dir + "\\task\\*").c_str(), &entry);
    if (search == INVALID_HANDLE_VALUE)
        return 0;
    do {
        if (IsNumber(entry.cFileName))
            total += strtod(
                ReadWholeFile(proc_dir + "\\task\\" + entry.cFileName + "\\schedstat").c_str(),
                nullptr);
    } while (FindNextFileA(search, &entry));
    FindClose(search);
    return total;
}

static bool InOurPrefix(const std::string &proc_dir) {
    static std::string wanted;
    if (wanted.empty()) {
        char prefix[MAX_PATH] = "";
        GetEnvironmentVariableA("WINEPREFIX", prefix, sizeof prefix);
        wanted = std::string("WINEPREFIX=") + prefix;
        wanted.push_back('\0');
    }
    std::string environment = ReadWholeFile(proc_dir + "\\environ");
    environment.insert(0, 1, '\0');
    return environment.find(std::string(1, '\0') + wanted) != std::string::npos;
}

static CpuReading ReadFromHost(const std::string &program) {
    CpuReading reading;
    WIN32_FIND_DATAA entry;
    HANDLE search = FindFirstFileA("Z:\\proc\\*", &entry);
    if (search == INVALID_HANDLE_VALUE)
        return reading;
    do {
        if (!IsNumber(entry.cFileName))
            continue;
        std::string dir = std::string("Z:\\proc\\") + entry.cFileName;
        std::string command = ReadWholeFile(dir + "\\cmdline");
        if (_stricmp(command.c_str(), program.c_str()) == 0 && InOurPrefix(dir))
            reading[strtoul(entry.cFileName, nullptr, 10)] = HostTaskNs(dir);
    } while (FindNextFileA(search, &entry));
    FindClose(search);
    return reading;
}

CpuReading ReadGroupCpu(const std::vector<Child> &group) {
    if (group.empty())
        return CpuReading();
    return CpuFromHost() ? ReadFromHost(group.front().program) : ReadWithProcessTimes(group);
}

bool NewcomerCpu(const CpuReading &before, const CpuReading &after, double *ns) {
    int found = 0;
    for (const auto &process : after)
        if (!before.count(process.first)) {
            *ns = process.second;
            ++found;
        }
    return found == 1;
}
