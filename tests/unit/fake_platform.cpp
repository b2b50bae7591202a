#include "fake_platform.h"

#include "launcher/code_page.h"

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
    std::replace(s.begin(), s.end(), '/', '\\');
    return s;
}

static std::vector<std::string> Split(const std::string &s) {
    std::vector<std::string> parts;
    size_t start = 0;
    for (size_t end; (end = s.find('\\', start)) != std::string::npos; start = end + 1)
        parts.push_back(s.substr(start, end - start));
    parts.push_back(s.substr(start));
    return parts;
}

// A root ("c:" or "\\server\share") and its segments.
struct Parsed {
    std::string root;
    std::vector<std::string> segments;
};

static Parsed ParseAbsolute(const std::string &p) {
    Parsed parsed;
    std::vector<std::string> parts;
    if (p.compare(0, 2, "\\\\") == 0) {
        parts = Split(p.substr(2));
        parts.resize(std::max<size_t>(parts.size(), 2));
        parsed.root = "\\\\" + parts[0] + "\\" + parts[1];
        parts.erase(parts.begin(), parts.begin() + 2);
    } else {
        parsed.root = p.substr(0, 2);
        parts = Split(p.size() > 3 ? p.substr(3) : "");
    }
    for (std::string part : parts) {
        if (part == "..") {
            if (!parsed.segments.empty())
                parsed.segments.pop_back();
            continue;
        }
        while (!part.empty() && (part.back() == '.' || part.back() == ' '))
            part.pop_back();
        if (!part.empty())
            parsed.segments.push_back(part);
    }
    return parsed;
}

static std::string Join(const Parsed &parsed) {
    std::string path = parsed.root;
    if (parsed.segments.empty())
        return path + "\\";
    for (const std::string &segment : parsed.segments)
        path += "\\" + segment;
    return path;
}

std::string FakePlatform::Absolute(const std::string &path) const {
    std::string p = Lower(path);
    Parsed here = ParseAbsolute(cwd);
    std::string full;
    if (p.compare(0, 2, "\\\\") == 0 || (p.size() >= 3 && p[1] == ':' && p[2] == '\\'))
        full = p;
    else if (p.size() >= 2 && p[1] == ':') // drive-relative
        full = (here.root == p.substr(0, 2) ? cwd : p.substr(0, 2) + "\\") + "\\" + p.substr(2);
    else if (!p.empty() && p[0] == '\\') // root-relative
        full = here.root + p;
    else
        full = cwd + "\\" + p;
    return Join(ParseAbsolute(full));
}

std::string FakePlatform::Real(const std::string &path) const {
    Parsed parsed = ParseAbsolute(Absolute(path));
    std::string real = Join(Parsed{parsed.root, {}});
    int hops = 0;
    for (const std::string &segment : parsed.segments) {
        real = (real.back() == '\\' ? real : real + "\\") + segment;
        for (auto link = links.find(real); link != links.end() && hops < 64;
             link = links.find(real), ++hops)
            real = link->second;
    }
    return real;
}

std::string FakePlatform::ParentOf(const std::string &real) {
    if (real.back() == '\\')
        return ""; // a root
    Parsed parsed = ParseAbsolute(real);
    parsed.segments.pop_back();
    return Join(parsed);
}

std::string FakePlatform::Located(const std::string &path) const {
    std::string absolute = Absolute(path);
    if (absolute.back() == '\\')
        return absolute;
    std::string parent = Real(ParentOf(absolute));
    std::string leaf = absolute.substr(absolute.find_last_of('\\') + 1);
    return (parent.back() == '\\' ? parent : parent + "\\") + leaf;
}

// False when `real` or a directory above it is a file or a link.
static bool Free(const FakePlatform &fake, const std::string &real) {
    for (std::string p = real; !p.empty(); p = FakePlatform::ParentOf(p))
        if (fake.files.count(p) || fake.links.count(p))
            return false;
    return true;
}

void FakePlatform::AddDir(const std::string &path) {
    std::string dir = Located(path);
    if (!Free(*this, dir))
        return;
    for (; !dir.empty() && dirs.insert(dir).second;)
        dir = ParentOf(dir);
}

void FakePlatform::AddFile(const std::string &path, const std::string &bytes) {
    std::string file = Located(path);
    if (!Free(*this, ParentOf(file)) || dirs.count(file) || links.count(file))
        return;
    AddDir(ParentOf(file));
    files[file] = bytes;
}

void FakePlatform::AddLink(const std::string &path, const std::string &target) {
    std::string link = Located(path);
    if (!Free(*this, link) || dirs.count(link))
        return;
    AddDir(ParentOf(link));
    links[link] = Real(target);
}

// `path` itself or anything below it.
static bool Within(const std::string &path, const std::string &top) {
    return path == top || path.rfind(top + "\\", 0) == 0;
}

static const std::string &PathOf(const std::string &entry) {
    return entry;
}

template <class Entry> static const std::string &PathOf(const Entry &entry) {
    return entry.first;
}

// Removes from `tree` (a set of paths or a map keyed by them) `top` and
// everything below it.
template <class Tree> static void Prune(Tree &tree, const std::string &top) {
    for (auto entry = tree.begin(); entry != tree.end();)
        entry = Within(PathOf(*entry), top) ? tree.erase(entry) : std::next(entry);
}

// The machine's settings by name.
static const std::map<std::string, void (*)(FakePlatform &)> kSettings = {
    {"!nofinal", [](FakePlatform &fake) { fake.final_paths = false; }},
    {"!fail", [](FakePlatform &fake) { fake.create_result = kStartFailed; }},
    {"!elevate", [](FakePlatform &fake) { fake.create_result = kStartNeedsElevation; }},
    {"!decline", [](FakePlatform &fake) { fake.shell_result = false; }},
    {"!nocd", [](FakePlatform &fake) { fake.unenterable.insert("c:\\demo"); }},
    {"!locked", [](FakePlatform &fake) { fake.programs_unopenable = true; }}};

void FakePlatform::Apply(const std::string &change) {
    if (kSettings.count(change))
        return kSettings.at(change)(*this);
    std::string path = change.empty() ? "" : change.substr(1);
    if (path.size() < 3 || path[1] != ':' || path[2] != '\\')
        return;
    size_t arrow = path.find('>');
    if (change[0] == 'f') {
        AddFile(path);
    } else if (change[0] == 'd') {
        AddDir(path);
    } else if (change[0] == 'l' && arrow != std::string::npos) {
        AddLink(path.substr(0, arrow), path.substr(arrow + 1));
    } else if (change[0] == '-') {
        std::string top = Located(path);
        Prune(files, top);
        Prune(links, top);
        Prune(dirs, top);
    }
}

bool PlatformFileExists(const char *path) {
    return g_fake.HasFile(path);
}

bool PlatformNothingAt(const char *path) {
    std::string located = g_fake.Located(path), real = g_fake.Real(path);
    return !g_fake.links.count(located) && !g_fake.files.count(real) && !g_fake.dirs.count(real);
}

bool PlatformIsLink(const char *path) {
    return g_fake.links.count(g_fake.Located(path));
}

bool PlatformCreateFile(const char *path, const void *data, size_t size) {
    std::string file = g_fake.Located(path);
    if (g_fake.files.count(file) || g_fake.dirs.count(file) || g_fake.links.count(file) ||
        !g_fake.dirs.count(FakePlatform::ParentOf(file)))
        return false;
    g_fake.files[file] = std::string((const char *)data, size);
    g_fake.journal.push_back("create " + g_fake.Absolute(path));
    g_fake.created.push_back(file);
    return true;
}

bool PlatformChangeDir(const char *path) {
    std::string real = g_fake.Real(path);
    if (!g_fake.dirs.count(real) || g_fake.unenterable.count(real))
        return false;
    g_fake.cwd = g_fake.Absolute(path);
    g_fake.journal.push_back("cd " + g_fake.cwd);
    return true;
}

void PlatformQuietDriveErrors() {
    g_fake.quiet_drive_errors = true;
}

// The code page's best fit for the few characters it cannot hold.
static const char *const kBestFit[][2] = {{"\xEF\xBC\xBC", "\\"},
                                          {"\xEF\xBC\x9A", ":"},
                                          {"\xEF\xBD\x98", "x"},
                                          {"\xEF\xBC\xAF", "O"},
                                          {"\xC4\x93", "e"}};

std::string FakePlatform::Ansi(const std::string &wide, bool *exact) {
    std::string ansi = wide;
    *exact = true;
    for (const auto &fit : kBestFit) {
        for (size_t at; (at = ansi.find(fit[0])) != std::string::npos;) {
            ansi.replace(at, strlen(fit[0]), fit[1]);
            *exact = false;
        }
    }
    return ansi;
}

const char *PlatformCommandLine(bool *exact) {
    static std::string ansi;
    return (ansi = FakePlatform::Ansi(g_fake.command_line, exact)).c_str();
}

// As Wine opens them: a link to a directory as itself (a reparse point), a
// link to a file as the file it leads to. Systems without final paths know
// no such look-through: there every link shows as one.
struct PlatformEntry {
    std::string named, real;
    bool link;
};

PlatformEntry *PlatformOpenEntry(const char *path, EntryKind kind) {
    std::string real = g_fake.Real(path);
    bool link = g_fake.links.count(g_fake.Located(path)) &&
                (g_fake.dirs.count(real) || !g_fake.final_paths);
    bool directory = kind == kEntryDirectory || kind == kEntryRemovableDirectory;
    if (directory ? !g_fake.dirs.count(real) : !g_fake.files.count(real))
        return nullptr;
    if (kind == kEntryProgram && g_fake.programs_unopenable)
        return nullptr;
    link = link && kind != kEntryProgram;
    g_fake.open_entries.insert(real);
    return new PlatformEntry{g_fake.Absolute(path), real, link};
}

bool PlatformSameEntry(PlatformEntry *a, PlatformEntry *b) {
    return a && b && a->real == b->real;
}

bool PlatformEntryIsLink(PlatformEntry *entry) {
    return entry->link;
}

FinalPath PlatformEntryFinalPath(PlatformEntry *entry, char *buffer, size_t capacity) {
    if (!g_fake.final_paths)
        return kFinalPathUnknown;
    bool exact;
    FakePlatform::Ansi(entry->real, &exact);
    if (!exact || entry->real.size() >= capacity)
        return kFinalPathFailed;
    strcpy(buffer, entry->real.c_str());
    return kFinalPathKnown;
}

// Through the handle, or without final paths by the name it was opened by,
// wherever that name leads by now.
void PlatformDeleteEntry(PlatformEntry *entry) {
    std::string real = g_fake.final_paths ? entry->real : g_fake.Real(entry->named);
    g_fake.journal.push_back("delete " + entry->named);
    if (g_fake.at_deletion)
        g_fake.at_deletion();
    bool empty = std::none_of(g_fake.files.begin(), g_fake.files.end(),
                              [&](const auto &file) {
                                  return FakePlatform::ParentOf(file.first) == real;
                              }) &&
                 std::none_of(g_fake.dirs.begin(), g_fake.dirs.end(), [&](const std::string &dir) {
                     return FakePlatform::ParentOf(dir) == real;
                 });
    if (g_fake.files.erase(real) || (empty && g_fake.dirs.erase(real)))
        g_fake.deleted.push_back(real);
}

void PlatformCloseEntry(PlatformEntry *entry) {
    g_fake.open_entries.erase(g_fake.open_entries.find(entry->real));
    delete entry;
}

struct PlatformSearch {
    std::vector<std::pair<std::string, bool>> found; // name, exact
    size_t next = 0;
};

bool PlatformFindNext(PlatformSearch *search, const char **name, bool *exact) {
    if (search->next >= search->found.size())
        return false;
    *exact = search->found[search->next].second;
    *name = search->found[search->next++].first.c_str();
    return true;
}

PlatformSearch *PlatformFindFirst(const char *dir, const char **name, bool *exact) {
    std::string here = g_fake.Real(dir);
    if (!g_fake.dirs.count(here))
        return nullptr;
    auto *search = new PlatformSearch;
    std::set<std::string> entries(g_fake.dirs.begin(), g_fake.dirs.end());
    for (const auto &entry : g_fake.files)
        entries.insert(entry.first);
    for (const auto &entry : g_fake.links)
        entries.insert(entry.first);
    search->found = {{".", true}, {"..", true}};
    for (const std::string &path : entries) {
        bool fits;
        std::string name = FakePlatform::Ansi(path.substr(path.rfind('\\') + 1), &fits);
        if (FakePlatform::ParentOf(path) == here)
            search->found.emplace_back(name, fits);
    }
    ++g_fake.open_searches;
    PlatformFindNext(search, name, exact);
    return search;
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

// Like the registry: the value is copied as it is, and one that does not
// fit with its NUL, or that the code page cannot hold, is refused.
bool PlatformReadKeyString(PlatformKey *, const char *name, char *buffer, size_t capacity) {
    auto it = g_fake.values.find(name);
    bool exact;
    std::string value = it == g_fake.values.end() ? "" : FakePlatform::Ansi(it->second, &exact);
    if (it == g_fake.values.end() || !exact || value.size() >= capacity ||
        g_fake.not_strings.count(name))
        return false;
    memcpy(buffer, value.c_str(), value.size() + 1);
    return true;
}

void PlatformCloseKey(PlatformKey *) {}

StartResult PlatformCreateProcess(const char *program, const char *command_line,
                                  PlatformProcess **suspended) {
    g_fake.journal.push_back(std::string(suspended ? "spawn " : "start ") + program + " | " +
                             command_line + " | in " + g_fake.cwd);
    if (suspended)
        *suspended = (PlatformProcess *)&g_fake;
    return g_fake.create_result;
}

void PlatformResumeProcess(PlatformProcess *) {
    g_fake.journal.push_back("resume");
}

bool PlatformShellStart(const char *program, const char *parameters) {
    g_fake.journal.push_back(std::string("shell ") + program + " | " + parameters);
    return g_fake.shell_result;
}

void PlatformRunAndWait(const char *command) {
    g_fake.journal.push_back(std::string("run ") + command + " | in " + g_fake.cwd);
    if (g_fake.while_waiting)
        g_fake.while_waiting();
}

void PlatformExitProcess(int code) {
    g_fake.journal.push_back("exit " + std::to_string(code));
}

// The tests' names are Windows-1252, the page the demo ships for.
unsigned char PlatformUpperCase(unsigned char c) {
    return Windows1252Upper(c);
}

void PlatformSetMainWindow(void *) {}

void PlatformEnableControl(int id, bool enabled) {
    g_fake.enabled[id] = enabled;
}

bool PlatformControlEnabled(int id) {
    return g_fake.enabled[id];
}

void PlatformDestroyMainWindow() {
    g_fake.journal.push_back("destroy");
}

void PlatformShowMainWindow(bool visible) {
    g_fake.journal.push_back(visible ? "show" : "hide");
}

bool PlatformConfirmUninstall() {
    g_fake.journal.push_back("confirm");
    if (g_fake.while_waiting)
        g_fake.while_waiting();
    return g_fake.confirm_answer;
}
