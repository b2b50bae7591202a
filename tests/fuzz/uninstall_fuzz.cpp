// Fuzz target for the installation probe and Uninstall, over the in-memory
// machine. Input, one item a line:
//   "Kora Pro Path" value
//   "Uninstall" value
//   the launcher's current directory
//   flags: '1' as first character when a sound set-up ran in this run
//   then changes to the tree and the machine as FakePlatform::Apply takes
//   them: "f<path>" a file, "d<path>" a directory, "l<path>><target>" a link
//   to either, "!nofinal", "!fail", "!elevate", "!decline", "!nocd".
// Whatever the record and the tree, nothing may be deleted or written but
// directly in the directory the record names literally (no link on the way,
// nothing Windows would read differently) where it holds the game, or in its
// save or drivers directory; nothing may be deleted before an uninstaller
// process was created; and the file started must be one that exists.
#include "fake_platform.h"
#include "launcher/commands.h"

#include <algorithm>
#include <stdint.h>
#include <stdlib.h>
#include <strings.h>

static std::vector<std::string> Lines(const uint8_t *data, size_t size) {
    std::vector<std::string> lines(1);
    for (size_t i = 0; i < size && lines.size() <= 40; ++i) {
        if (data[i] == '\n')
            lines.emplace_back();
        else
            lines.back() += (char)data[i];
    }
    lines.resize(std::max<size_t>(lines.size(), 4));
    return lines;
}

static void Arrange(const std::vector<std::string> &lines) {
    ResetFake();
    g_fake.key_exists = true;
    g_fake.values["Kora Pro Path"] = lines[0];
    g_fake.values["Uninstall"] = lines[1];
    if (lines[2].size() >= 3 && lines[2][1] == ':' && lines[2][2] == '\\') {
        g_fake.AddDir(lines[2]);
        g_fake.cwd = g_fake.Absolute(lines[2]);
    }
    g_state.install.sound_setup_ran = lines[3] == "1";
    for (size_t i = 4; i < lines.size(); ++i)
        g_fake.Apply(lines[i]);
}

// The directory the value names, judged without following links: "" unless
// Windows reads the value as written and reaches it through no link.
static std::string NamedDirectory(std::string value) {
    value = value.c_str(); // the registry's string ends at its first NUL
    if (value.size() > 3 && value.back() == '\\')
        value.pop_back();
    std::string named = g_fake.Absolute(value);
    bool literal = value.size() >= 3 && strcasecmp(named.c_str(), value.c_str()) == 0;
    return literal && g_fake.Real(named) == named ? named : "";
}

static void Fail(const char *why, const std::string &path) {
    fprintf(stderr, "%s: %s\n", why, path.c_str());
    abort();
}

// The index of the step that created the uninstaller's process, or -1.
static int Created(const std::map<std::string, std::string> &files) {
    for (size_t i = 0; i < g_fake.journal.size(); ++i) {
        std::string step = g_fake.journal[i], program = step.substr(step.find(' ') + 1);
        program = program.substr(0, program.find(" | "));
        bool spawn = step.rfind("spawn ", 0) == 0, shell = step.rfind("shell ", 0) == 0;
        if ((spawn || shell || step.rfind("start ", 0) == 0) && !files.count(g_fake.Real(program)))
            Fail("started a file that was not there", program);
        if ((spawn && g_fake.create_result == kStarted) || (shell && g_fake.shell_result))
            return (int)i;
    }
    return -1;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    std::vector<std::string> lines = Lines(data, size);
    Arrange(lines);
    std::string game_dir = NamedDirectory(lines[0]);
    auto in = [&](const char *name) {
        return game_dir + (!game_dir.empty() && game_dir.back() == '\\' ? "" : "\\") + name;
    };
    std::string game = in("kora.exe");
    bool has_game = !game_dir.empty() && g_fake.files.count(game) && !g_fake.links.count(game);
    std::map<std::string, std::string> programs = g_fake.files;

    ProbeInstallState();
    RunUninstall();

    auto own = [&](const std::string &path) {
        std::string parent = FakePlatform::ParentOf(path);
        return has_game && (parent == game_dir || parent == in("save") || parent == in("drivers"));
    };
    for (const Steps *paths : {&g_fake.created, &g_fake.deleted})
        for (const std::string &path : *paths)
            if (!own(path))
                Fail("deleted or written outside the game's directory", path);
    int created = Created(programs);
    for (size_t i = 0; i < g_fake.journal.size(); ++i)
        if (g_fake.journal[i].rfind("delete ", 0) == 0 && (int)i < created)
            Fail("deleted before the uninstaller existed", g_fake.journal[i]);
    if (!g_fake.deleted.empty() && created < 0)
        Fail("deleted without handing over", g_fake.deleted.front());
    return 0;
}
