// Checks a publisher's content folder before it is mastered, with the
// launcher's own decisions where the launcher decides:
//
//   medium_check <content folder> <installation folder the installer offers>
//
// The folder holds Readme.txt, loading.bmp and game\ (kora.exe and what else
// the installer installs). Prints one line per problem; exits 1 when there
// is any, 0 otherwise.
#include "launcher/launcher_state.h"
#include "launcher/path_rules.h"
#include "picture/splash_layout.h"

#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include <filesystem>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

// The launcher's readme viewer refuses anything larger.
const long kReadmeLimit = 1024 * 1024;
// Joliet keeps at most 64 UCS-2 characters of a name.
const size_t kJolietNameChars = 64;

int g_problems = 0;

void Problem(const std::string &what, const std::string &why) {
    printf("%s: %s\n", what.c_str(), why.c_str());
    ++g_problems;
}

// Reads at most `limit` bytes; false when the file cannot be read.
bool ReadFile(const fs::path &path, long limit, std::vector<unsigned char> *bytes, long *size) {
    FILE *file = fopen(path.c_str(), "rb");
    if (!file)
        return false;
    bool ok = fseek(file, 0, SEEK_END) == 0 && (*size = ftell(file)) >= 0 &&
              fseek(file, 0, SEEK_SET) == 0;
    if (ok && *size <= limit) {
        bytes->resize(*size);
        ok = fread(bytes->data(), 1, *size, file) == (size_t)*size;
    }
    fclose(file);
    return ok && !fs::is_directory(path);
}

void CheckPicture(const fs::path &path) {
    std::vector<unsigned char> bytes;
    long size = 0;
    if (!ReadFile(path, kSplashFileLimit, &bytes, &size)) {
        Problem(path, "missing or unreadable");
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
    long size = 0;
    if (!ReadFile(path, kReadmeLimit, &bytes, &size))
        Problem(path, "missing or unreadable");
    else if (size > kReadmeLimit)
        Problem(path, std::to_string(size) + " bytes: the launcher shows no readme over 1 MiB");
}

// UCS-2 characters of a UTF-8 name; -1 when it is no UTF-8 or needs more.
long Ucs2Length(const std::string &name) {
    long count = 0;
    for (size_t i = 0; i < name.size(); ++count) {
        unsigned char c = name[i];
        size_t length = c < 0x80 ? 1 : (c >> 5) == 6 ? 2 : (c >> 4) == 14 ? 3 : 0;
        if (length == 0 || i + length > name.size())
            return -1;
        for (size_t k = 1; k < length; ++k)
            if (((unsigned char)name[i + k] >> 6) != 2)
                return -1;
        i += length;
    }
    return count;
}

// Why `name` cannot stand on the medium and in the installation, or "".
std::string NameFault(const std::string &name) {
    long length = Ucs2Length(name);
    if (length < 0)
        return "not UTF-8 text of the 16-bit characters Joliet holds";
    if ((size_t)length > kJolietNameChars)
        return "longer than the 64 characters Joliet holds";
    for (unsigned char c : name)
        if (c < 0x20 || strchr("*/:;?\\\"<>|", c))
            return "holds a character Joliet or Windows does not allow (* / : ; ? \\ \" < > | or "
                   "a control character)";
    if (name.back() == '.' || name.back() == ' ')
        return "ends in a dot or a blank, which Windows drops";
    return "";
}

void CheckNames(const fs::path &game) {
    std::error_code error;
    for (auto it = fs::recursive_directory_iterator(game, error); !error && it != fs::end(it);
         it.increment(error)) {
        std::string fault = NameFault(it->path().filename().string());
        if (!fault.empty())
            Problem(it->path(), "name " + fault);
    }
    if (error)
        Problem(game, "cannot be read: " + error.message());
}

// The launcher keeps "Kora Pro Path" with its trailing '\' in kDirBytes, trusts
// it only by its path rules, and cuts "Uninstall" at its first " -f".
void CheckInstallation(const std::string &dir) {
    if (!IsInstallDirectory(dir.c_str()))
        Problem(dir, "the launcher's path rules refuse this installation folder");
    if (dir.size() + 1 >= kDirBytes)
        Problem(dir, "with its backslash longer than the 127 characters the launcher keeps");
    std::string command = dir + "\\uninst.exe -f" + dir + "\\install.log";
    size_t own = dir.size() + strlen("\\uninst.exe");
    if (command.find(" -f") != own)
        Problem(command, "the launcher would cut this uninstall command before its own \" -f\"");
    if (command.size() >= kUninstallBytes)
        Problem(command, "longer than the 1023 characters the launcher keeps");
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
    if (!fs::is_regular_file(content / "game" / "kora.exe"))
        Problem(content / "game" / "kora.exe", "missing: the installer installs the game from it");
    if (fs::is_directory(content / "game"))
        CheckNames(content / "game");
    CheckInstallation(argv[2]);
    return g_problems ? 1 : 0;
}
