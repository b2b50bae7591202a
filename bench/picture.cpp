// The picture, in-process with the launcher's own picture code: loading and
// converting a 640 x 480 8-bit file (read, palette, DIB section, pixel copy),
// and one WM_PAINT of it (one block transfer into a window DC).
#include "bench.h"

#include "driver/world.h"
#include "launcher/launcher_state.h"
#include "picture/splash_picture.h"

#include <stdlib.h>

static const int kRounds = 21;

std::string BenchPicture(int width, int height) {
    std::vector<COLORREF> colours;
    for (int i = 0; i < 256; ++i)
        colours.push_back(RGB(i * 7, 255 - i, i));
    return Bitmap8(width, height, colours,
                   [=](int x, int y) { return (x * 3 + (height - 1 - y) * 5) & 0xFF; });
}

static LRESULT CALLBACK PictureWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != WM_PAINT)
        return DefWindowProcA(window, message, wParam, lParam);
    PAINTSTRUCT paint;
    if (HDC dc = BeginPaint(window, &paint)) {
        DrawSplashPicture(dc, 0, 0);
        EndPaint(window, &paint);
    }
    return 0;
}

// Shown, because a hidden window's DC clips every transfer away.
static HWND CreatePictureWindow() {
    WNDCLASSA window_class = {};
    window_class.style = CS_VREDRAW | CS_HREDRAW | CS_OWNDC;
    window_class.lpfnWndProc = PictureWndProc;
    window_class.hInstance = GetModuleHandleA(nullptr);
    window_class.hbrBackground = (HBRUSH)GetStockObject(WHITE_BRUSH);
    window_class.lpszClassName = "BENCHPICTURE";
    RegisterClassA(&window_class);
    HWND window = CreateWindowA("BENCHPICTURE", "picture", WS_POPUP | WS_VISIBLE, 0, 0, 640, 480,
                                nullptr, nullptr, window_class.hInstance, nullptr);
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
        DispatchMessageA(&msg);
    return window;
}

// The launcher keeps its one picture for good; the bench loads many.
static void ReleasePicture() {
    SplashPicture *picture = &g_state.picture;
    free(picture->block);
    DeleteObject((HGDIOBJ)picture->palette);
    DeleteObject((HGDIOBJ)picture->section);
    *picture = SplashPicture();
}

static double TimeLoad(const std::string &path) {
    ReleasePicture();
    double started = NowMs();
    bool loaded = LoadSplashPicture(path.c_str());
    double elapsed = NowMs() - started;
    return loaded && g_state.picture.section ? elapsed : NAN;
}

static double TimePaint(HWND window) {
    InvalidateRect(window, nullptr, FALSE);
    double started = NowMs();
    UpdateWindow(window);
    GdiFlush();
    return NowMs() - started;
}

static Row PictureRow(const char *name, const std::vector<double> &times) {
    return {name,
            "ms",
            Median(times),
            NAN,
            kNoGoal,
            NAN,
            Format("median of %zu rounds; fastest %.3f, slowest %.3f ms", times.size(),
                   Smallest(times), Largest(times))};
}

void MeasurePicture(std::vector<Row> *rows) {
    std::string path = WorkDir() + "\\picture640.bmp";
    HWND window = CreatePictureWindow();
    if (!window || !WriteBytes(path, BenchPicture(640, 480))) {
        fprintf(stderr, "cannot prepare the picture bench\n");
        return;
    }
    g_state.main_window = window;
    std::vector<double> loads, paints;
    TimeLoad(path); // not counted: first read from disk
    for (int round = 0; round < kRounds; ++round) {
        double ms = TimeLoad(path);
        if (!isnan(ms))
            loads.push_back(ms);
    }
    TimePaint(window);
    for (int round = 0; round < kRounds; ++round)
        paints.push_back(TimePaint(window));
    rows->push_back(PictureRow("picture load+convert 640x480", loads));
    rows->push_back(PictureRow("picture paint (one WM_PAINT)", paints));
    ReleasePicture();
    DestroyWindow(window);
}
