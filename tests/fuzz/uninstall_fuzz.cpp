// Fuzz target for the installation probe and Uninstall, over the in-memory
// machine. Input, one item a line:
//   "Kora Pro Path" value
//   "Uninstall" value
//   the launcher's current directory
//   flags: '1' as first character when a sound set-up ran in this run
//   then changes to the tree as FakePlatform::Apply takes them: "f<path>" a
//   file, "d<path>" a directory, "l<path>><target>" a directory link.
// Whatever the record and the tree, nothing outside the directory that held
// the game may be deleted or written, nothing may be deleted unless an
// uninstaller was started, and the file started must be one that exists.
#include "fake_platform.h"
#include "launcher/commands.h"

#include <stdint.h>
#include <stdlib.h>

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

static bool Inside(const std::string &path, const std::string &dir) {
    std::string prefix = dir.back() == '\\' ? dir : dir + "\\";
    return path.compare(0, prefix.size(), prefix) == 0;
}

static void Fail(const char *why, const std::string &path) {
    fprintf(stderr, "%s: %s\n", why, path.c_str());
    abort();
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    std::vector<std::string> lines = Lines(data, size);
    Arrange(lines);
    // The game's own directory, as Windows reaches it from the record: the
    // value up to its first NUL.
    std::string path = lines[0].c_str();
    std::string game_dir = g_fake.Real(path.empty() ? "\\" : path);
    bool has_game = g_fake.files.count(g_fake.Real(game_dir + "\\kora.exe"));
    std::map<std::string, std::string> programs = g_fake.files;

    ProbeInstallState();
    RunUninstall();

    for (const std::string &path : g_fake.created)
        if (!has_game || !Inside(path, game_dir))
            Fail("written outside the game's directory", path);
    for (const std::string &path : g_fake.deleted)
        if (!has_game || !Inside(path, game_dir))
            Fail("deleted outside the game's directory", path);
    bool started = false;
    for (const std::string &step : g_fake.journal) {
        if (step.compare(0, 6, "start ") != 0)
            continue;
        started = true;
        std::string program = step.substr(6, step.find(" | ") - 6);
        if (!programs.count(g_fake.Real(program)))
            Fail("started a file that was not there", program);
    }
    if (!g_fake.deleted.empty() && !started)
        Fail("deleted without handing over", g_fake.deleted.front());
    return 0;
}
