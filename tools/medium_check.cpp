// Checks a publisher's content folder before it is mastered, with the
// launcher's own decisions where the launcher decides:
//
//   medium_check <content folder> <installation folder the installer offers>
//
// The folder holds Readme.txt, loading.bmp and game\ (kora.exe and what else
// the installer installs). Prints one line per problem; exits 1 when there
// is any, 0 otherwise. Nothing is followed through a link and nothing but a
// plain file is opened, so a pipe cannot stall the check.
#include "launcher/code_page.h"
#include "launcher/install_folder.h"
#include "launcher/launch_context.h"
#include "launcher/launcher_state.h"
#include "launcher/path_rules.h"
#include "launcher/uninstall_command.h"
#include "platform/platform.h"
#include "picture/splash_layout.h"

#include <fcntl.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

namespace fs = std::filesystem;

// The check sees Windows-1252 names only, the page the demo ships for: the
// launcher's case rule over that page.
unsigned char PlatformUpperCase(unsigned char c) {
    return Windows1252Upper(c);
}

namespace {

// Joliet keeps at most 64 UCS-2 characters of a name.
const size_t kJolietNameChars = 64;

// The installer may be given any folder the launcher accepts: up to
// kDirChars characters with the backslash the launcher adds. Below it,
// every path must fit Windows' MAX_PATH with its NUL, a folder's leaving
// room for an 8.3 name, as CreateDirectory demands. The installer's strings
// hold 1024 characters, so MAX_PATH is the limit that binds.
const size_t kLongestInstallation = kDirChars;
const size_t kMaxPath = 260;

// makensis maps each file into memory by a 32-bit signed size.
const uintmax_t kInstallerFileLimit = 0x7FFFFFFF;

int g_problems = 0;

void Problem(const std::string &what, const std::string &why) {
    printf("%s: %s\n", what.c_str(), why.c_str());
    ++g_problems;
}

// Why an entry of this kind cannot be mastered, or "" for a plain file or
// folder. A link would put what it names, from wherever that is, on the
// medium (or an empty folder in its place).
std::string KindFault(fs::file_status status) {
    if (fs::is_symlink(status))
        return "a link: only plain files and folders are mastered, never what a link names";
    if (!fs::is_regular_file(status) && !fs::is_directory(status))
        return "neither a plain file nor a folder (a pipe, socket or device): only plain files "
               "and folders are mastered";
    return "";
}

// Reads the plain file `path` when it holds at most `limit` bytes (`size`
// says how many it holds); why it cannot, or "".
std::string ReadPlainFile(const fs::path &path, size_t limit, std::vector<unsigned char> *bytes,
                          size_t *size) {
    std::error_code error;
    fs::file_status status = fs::symlink_status(path, error);
    if (!fs::exists(status))
        return "missing";
    if (fs::is_directory(status))
        return "a folder, not a file";
    if (!KindFault(status).empty())
        return KindFault(status);
    // Checked again on what opened, never through a link put there meanwhile,
    // and never waiting for a pipe's writer.
    int fd = open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    struct stat info;
    bool ok = fd >= 0 && fstat(fd, &info) == 0 && S_ISREG(info.st_mode);
    if (ok && (*size = (size_t)info.st_size) <= limit) {
        bytes->resize(*size);
        ok = read(fd, bytes->data(), *size) == (ssize_t)*size;
    }
    if (fd >= 0)
        close(fd);
    return ok ? "" : "unreadable";
}

void CheckPicture(const fs::path &path) {
    std::vector<unsigned char> bytes;
    size_t size = 0;
    std::string fault = ReadPlainFile(path, kSplashFileLimit, &bytes, &size);
    if (!fault.empty()) {
        Problem(path, fault);
        return;
    }
    SplashPicture picture = {};
    if (size > kSplashFileLimit || !ParseSplashPicture(bytes.data(), bytes.size(), &picture)) {
        Problem(path, "the launcher refuses this picture: it shows only uncompressed, bottom-up "
                      "8-bit pictures with a 40-byte header, at most 256 colours and the pixels "
                      "right after the colour table, of at most 64 MiB");
        return;
    }
    free(picture.block);
}

void CheckReadme(const fs::path &path) {
    std::vector<unsigned char> bytes;
    size_t size = 0;
    std::string fault = ReadPlainFile(path, kReadmeLimit, &bytes, &size);
    if (!fault.empty())
        Problem(path, fault);
    else if (size > kReadmeLimit)
        Problem(path, std::to_string(size) + " bytes: the launcher shows no readme over " +
                          std::to_string(kReadmeLimit) + " bytes");
}

// Windows finds a name in a folder whatever the case of its letters: the
// launcher's own rule.
std::string WindowsFolded(const char *name) {
    std::string folded;
    for (; *name; ++name)
        folded += (char)PlatformUpperCase((unsigned char)*name);
    return folded;
}

// Why `name` cannot stand on the medium and in the installation, or "".
// `folder` maps the Windows spelling of the names before it in its folder to
// those names.
std::string NameFault(const std::string &name, std::map<std::string, std::string> *folder) {
    char windows[4 * 256];
    if (!Utf8ToWindows1252(name.c_str(), windows, sizeof windows))
        return "name holds a character Windows-1252 cannot hold as itself (Windows would read a "
               "look-alike in its place), or is no UTF-8";
    if (strlen(windows) > kJolietNameChars)
        return "name longer than the 64 characters Joliet holds";
    for (const char *c = windows; *c; ++c)
        if ((unsigned char)*c < 0x20 || strchr("*/:;?\\\"<>|", *c))
            return "name holds a character Joliet or Windows does not allow (* / : ; ? \\ \" < > | "
                   "or a control character)";
    if (name.back() == '.' || name.back() == ' ')
        return "name ends in a dot or a blank, which Windows drops";
    if (IsDeviceName(windows, strlen(windows)))
        return "name is a device's (CON, NUL, COM1 ...), which Windows opens in place of a file";
    auto seen = folder->emplace(WindowsFolded(windows), name);
    if (!seen.second)
        return "the same name on Windows as " + seen.first->second + ", which differs only in case";
    return "";
}

// The installer writes its uninstaller and log beside the game and makes
// the folders drivers and save there: a publisher's entry of such a name
// would be replaced, or keep the folder from being made. Why, or "".
std::string InstallerNameFault(const std::string &name, bool folder) {
    for (const char *own : {"uninst.exe", "install.log"})
        if (SameNoCase(name.c_str(), own, strlen(own) + 1))
            return std::string("the installer writes its own ") + own + " there";
    for (const char *own : {"drivers", "save"})
        if (!folder && SameNoCase(name.c_str(), own, strlen(own) + 1))
            return std::string("not a folder: the installer makes its folder ") + own + " there";
    return "";
}

// An 8.3 name holding a '~' may be the short name Windows gives another
// entry of its folder (KORAMA~1.TXT for "kora manager long.txt"): the
// installer, opening it by that name, would write into the other entry.
std::string ShortNameFault(const char *windows) {
    const char *dot = strchr(windows, '.');
    size_t base = dot ? (size_t)(dot - windows) : strlen(windows);
    bool short_shaped = base <= 8 && (!dot || (strlen(dot + 1) <= 3 && !strchr(dot + 1, '.')));
    if (!strchr(windows, '~') || !short_shaped)
        return "";
    return "name shaped like a short (8.3) name with a '~', which may be another entry's own "
           "short name: the installer would write into that entry";
}

// Why the entry of `chars` characters below the installation folder cannot
// be installed into the longest folder the launcher accepts, or "".
std::string PathLengthFault(size_t chars, bool folder) {
    size_t limit = (folder ? kMaxPath - 12 : kMaxPath) - 1;
    if (kLongestInstallation + chars <= limit)
        return "";
    return std::string("path of ") + std::to_string(chars) +
           " characters below the installation folder: below the longest folder the launcher "
           "accepts (" + std::to_string(kLongestInstallation) +
           " characters with its backslash) it would be over the " + std::to_string(limit) +
           " characters Windows holds for a " + (folder ? "folder" : "file") + " (MAX_PATH)";
}

std::string FileSizeFault(const fs::path &path) {
    struct stat info;
    if (lstat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode) ||
        (uintmax_t)info.st_size <= kInstallerFileLimit)
        return "";
    return std::to_string((uintmax_t)info.st_size) + " bytes: the installer holds no file over " +
           std::to_string(kInstallerFileLimit) + " bytes (2 GiB)";
}

// What the installer could not write as this entry of the game, `*chars`
// characters below the installation folder once it returns; why, or "".
std::string InstalledEntryFault(const fs::path &path, const std::string &name, bool folder,
                                size_t *chars) {
    char windows[4 * 256] = ""; // the name passed NameFault: it converts
    Utf8ToWindows1252(name.c_str(), windows, sizeof windows);
    *chars += (*chars ? 1 : 0) + strlen(windows);
    std::string fault = ShortNameFault(windows);
    if (fault.empty())
        fault = PathLengthFault(*chars, folder);
    return fault.empty() && !folder ? FileSizeFault(path) : fault;
}

// Every entry below `dir`, which lies `below` characters below the game
// folder (0 for the game folder itself), names sorted so that the report
// reads the same every time.
void CheckFolder(const fs::path &dir, size_t below) {
    const bool top = below == 0;
    std::vector<std::string> names;
    std::error_code error;
    for (fs::directory_iterator it(dir, error), end; !error && it != end; it.increment(error))
        names.push_back(it->path().filename().string());
    if (error) {
        Problem(dir, "cannot be read: " + error.message());
        return;
    }
    std::sort(names.begin(), names.end());
    std::map<std::string, std::string> folder;
    for (const std::string &name : names) {
        fs::file_status status = fs::symlink_status(dir / name, error);
        std::string fault = error ? error.message() : KindFault(status);
        if (fault.empty())
            fault = NameFault(name, &folder);
        if (fault.empty() && top)
            fault = InstallerNameFault(name, fs::is_directory(status));
        size_t chars = below;
        if (fault.empty())
            fault = InstalledEntryFault(dir / name, name, fs::is_directory(status), &chars);
        if (!fault.empty())
            Problem(dir / name, fault);
        else if (fs::is_directory(status))
            CheckFolder(dir / name, chars);
    }
}

void CheckGame(const fs::path &game) {
    std::error_code error;
    fs::file_status status = fs::symlink_status(game, error);
    if (fs::is_directory(status))
        CheckFolder(game, 0);
    else if (fs::exists(status))
        Problem(game, KindFault(status).empty() ? "a file, not a folder" : KindFault(status));
    fs::file_type kora = fs::symlink_status(game / "kora.exe", error).type();
    if (kora == fs::file_type::not_found || kora == fs::file_type::directory)
        Problem(game / "kora.exe", "missing: the installer installs the game from it");
}

// The installation folder the installer offers, by the launcher's own answer.
void CheckInstallation(const std::string &dir) {
    switch (InstallFolderFault(dir.c_str())) {
    case kFolderFine:
        return;
    case kFolderPathRules:
        return Problem(dir, "the launcher's path rules refuse this installation folder");
    case kFolderTooLong:
        return Problem(dir, "with its backslash longer than the " + std::to_string(kDirChars) +
                                " characters the launcher keeps");
    case kFolderDevice:
        return Problem(dir, "a segment names a device (CON, NUL, COM1 ...): the launcher starts "
                            "no uninstaller under it");
    case kFolderCommandTooLong:
        return Problem(dir, "its uninstall command is longer than the " +
                                std::to_string(kUninstallBytes - 1) + " characters the launcher keeps");
    case kFolderCut:
        return Problem(dir, "the launcher would cut this uninstall command before its own \" -f\"");
    }
}

} // namespace

int main(int argc, char **argv) {
    if (argc != 3) {
        fprintf(stderr, "usage: medium_check <content folder> <installation folder>\n");
        return 2;
    }
    fs::path content = argv[1];
    CheckPicture(content / "loading.bmp");
    CheckReadme(content / "Readme.txt");
    CheckGame(content / "game");
    CheckInstallation(argv[2]);
    return g_problems ? 1 : 0;
}
