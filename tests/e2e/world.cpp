#include "world.h"

#include <algorithm>

using namespace std::string_literals;

static const char kMediumMark[] = ".e2e-medium"; // written by scripts/e2e-prefix
static const char kRecordFile[] = "C:\\e2e\\record.txt";

bool MakeLink(const std::string &link, const std::string &target) {
    bool file = fs::is_regular_file(target); // such a link shows as the file itself
    if (!file)
        fs::create_directories(target);
    fs::create_directories(fs::path(link).parent_path());
    std::string host_link = HostPath(link), host_target = HostPath(target);
    return !host_link.empty() && !host_target.empty() &&
           RunOnHost("/bin/ln -sfn \"" + host_target + "\" \"" + host_link + "\"",
                     [&] { return file ? fs::exists(link) : IsLink(link); });
}

std::vector<std::string> ListFiles(const std::string &directory) {
    std::vector<std::string> files;
    for (const auto &entry : fs::recursive_directory_iterator(directory)) {
        if (entry.is_regular_file())
            files.push_back(fs::relative(entry.path(), directory).string());
    }
    std::sort(files.begin(), files.end());
    return files;
}

// Build outputs are named by their host path; Wine shows the host's root as Z:.
static std::string FromHost(std::string path) {
    std::replace(path.begin(), path.end(), '/', '\\');
    return "Z:" + path;
}

bool ClearMedium() {
    if (!fs::is_regular_file(std::string(kMedium) + kMediumMark))
        return false;
    for (const auto &entry : fs::directory_iterator(kMedium)) {
        if (entry.path().filename() != kMediumMark)
            RemoveTree(entry.path().string());
    }
    return true;
}

void PlaceLauncher() {
    std::string medium = kMedium;
    CopyFileA(FromHost(E2E_START_EXE).c_str(), (medium + "start.exe").c_str(), FALSE);
    WriteBytes(medium + "loading.bmp",
               Bitmap8(6, 3, {std::begin(kPictureColours), std::end(kPictureColours)},
                       [](int x, int y) { return kPicturePixels[y][x]; }));
}

void PlaceStandIn(const std::string &path) {
    fs::create_directories(fs::path(path).parent_path());
    CopyFileA(FromHost(E2E_RECORDER_EXE).c_str(), path.c_str(), FALSE);
}

// Wine waits up to 2 s for a window manager each time a window it leaves to
// one disappears, and the tests' display has none.
void UnmanageLauncherWindows() {
    HKEY key;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\Wine\\AppDefaults\\start.exe\\X11 Driver", 0,
                        nullptr, 0, KEY_WRITE, nullptr, &key, nullptr))
        return;
    RegSetValueExA(key, "Managed", 0, REG_SZ, (const BYTE *)"N", 2);
    RegCloseKey(key);
}

void ClearRecord() {
    fs::create_directories(kWorkDir);
    RecordStartsIn(kRecordFile);
}

std::vector<std::string> RecordLines() {
    return RecordLines(kRecordFile);
}

bool WaitForRecord(size_t count) {
    return WaitForRecord(kRecordFile, count);
}
