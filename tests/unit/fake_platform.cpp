#include "fake_platform.h"

#include <algorithm>
#include <string.h>

FakePlatform g_fake;

void ResetFake() {
    g_fake = FakePlatform();
    g_fake.dirs.insert("c:\\");
    g_state = LauncherState();
}

static std::string Lower(std::string s) {
    std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return tolower(c); });
    return s;
}

static std::string Parent(const std::string &path) {
    size_t slash = path.find_last_of('\\');
    if (slash == std::string::npos)
        return "";
    return slash == 2 ? path.substr(0, 3) : path.substr(0, slash);
}

std::string FakePlatform::Absolute(const std::string &path) const {
    std::string p = Lower(path);
    if (p.size() >= 2 && p[1] == ':')
        return p.size() > 3 && p.back() == '\\' ? p.substr(0, p.size() - 1) : p;
    if (p.empty())
        return "";
    return cwd.back() == '\\' ? cwd + p : cwd + "\\" + p;
}

void FakePlatform::AddDir(const std::string &path) {
    for (std::string dir = Absolute(path); !dir.empty() && dirs.insert(dir).second;)
        dir = Parent(dir);
}

bool PlatformFileExists(const char *path) {
    return g_fake.HasFile(path);
}

bool PlatformCreateFile(const char *path, const void *data, size_t size) {
    std::string file = g_fake.Absolute(path);
    if (g_fake.files.count(file) || !g_fake.dirs.count(Parent(file)))
        return false;
    g_fake.files[file] = std::string((const char *)data, size);
    g_fake.journal.push_back("create " + file);
    return true;
}

bool PlatformChangeDir(const char *path) {
    std::string dir = g_fake.Absolute(path);
    if (!g_fake.dirs.count(dir))
        return false;
    g_fake.cwd = dir;
    g_fake.journal.push_back("cd " + dir);
    return true;
}

void PlatformDeleteFile(const char *path) {
    std::string file = g_fake.Absolute(path);
    g_fake.journal.push_back("delete " + file);
    g_fake.files.erase(file);
}

// Windows matching as the launcher uses it: "*.*" takes every entry, "*.x"
// every name ending in ".x".
static bool Matches(const std::string &pattern, const std::string &name) {
    std::string tail = Lower(pattern.substr(1));
    return pattern == "*.*" || (name.size() >= tail.size() &&
                                name.compare(name.size() - tail.size(), tail.size(), tail) == 0);
}

struct PlatformSearch {
    std::vector<std::string> names;
    size_t next = 0;
};

PlatformSearch *PlatformFindFirst(const char *pattern, const char **name) {
    auto *search = new PlatformSearch;
    if (std::string(pattern) == "*.*")
        search->names = {".", ".."};
    std::vector<std::string> entries;
    for (const auto &file : g_fake.files)
        entries.push_back(file.first);
    entries.insert(entries.end(), g_fake.dirs.begin(), g_fake.dirs.end());
    for (const std::string &path : entries) {
        std::string leaf = path.substr(path.find_last_of('\\') + 1);
        if (Parent(path) == g_fake.cwd && Matches(pattern, leaf))
            search->names.push_back(leaf);
    }
    if (search->names.empty()) {
        delete search;
        return nullptr;
    }
    ++g_fake.open_searches;
    *name = search->names[search->next++].c_str();
    return search;
}

bool PlatformFindNext(PlatformSearch *search, const char **name) {
    if (search->next >= search->names.size())
        return false;
    *name = search->names[search->next++].c_str();
    return true;
}

void PlatformFindClose(PlatformSearch *search) {
    --g_fake.open_searches;
    delete search;
}

PlatformKey *PlatformOpenMachineKey(const char *subkey) {
    if (!g_fake.key_exists || strcmp(subkey, "SOFTWARE\\Halvorn\\Kora Manager DEMO\\Data") != 0)
        return nullptr;
    return (PlatformKey *)&g_fake;
}

// Like the registry: the stored bytes are copied as they are, and a value
// that does not fit with its NUL is refused.
bool PlatformReadKeyString(PlatformKey *, const char *name, char *buffer, size_t capacity) {
    auto it = g_fake.values.find(name);
    if (it == g_fake.values.end() || it->second.size() >= capacity)
        return false;
    memcpy(buffer, it->second.data(), it->second.size());
    buffer[it->second.size()] = '\0';
    return true;
}

void PlatformCloseKey(PlatformKey *) {}

StartResult PlatformCreateProcess(const char *program, const char *command_line) {
    g_fake.journal.push_back(std::string("start ") + program + " | " + command_line + " | in " +
                             g_fake.cwd);
    return g_fake.create_result;
}

bool PlatformShellStart(const char *program, const char *parameters) {
    g_fake.journal.push_back(std::string("shell ") + program + " | " + parameters);
    return g_fake.shell_result;
}

void PlatformRunAndWait(const char *command) {
    g_fake.journal.push_back(std::string("run ") + command + " | in " + g_fake.cwd);
}

void PlatformExitProcess(int code) {
    g_fake.journal.push_back("exit " + std::to_string(code));
}

void PlatformEnableControl(int id, bool enabled) {
    g_fake.enabled[id] = enabled;
}

void PlatformDestroyMainWindow() {
    g_fake.journal.push_back("destroy");
}

void PlatformShowMainWindow(bool visible) {
    g_fake.journal.push_back(visible ? "show" : "hide");
}

bool PlatformConfirmUninstall() {
    g_fake.journal.push_back("confirm");
    return g_fake.confirm_answer;
}
