#include "timing.h"

#include <windows.h>

double NowMs() {
    static LARGE_INTEGER frequency;
    if (!frequency.QuadPart)
        QueryPerformanceFrequency(&frequency);
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return (double)now.QuadPart * 1000.0 / (double)frequency.QuadPart;
}

void WaitUntilMs(double deadline_ms) {
    for (double now = NowMs(); now < deadline_ms; now = NowMs())
        Sleep((DWORD)(deadline_ms - now) + 1);
}
