// The figures: the clock, summaries of rounds, and the file they end in.
#include "bench.h"

#include "driver/world.h"

#include <stdarg.h>

#include <algorithm>

double NowMs() {
    LARGE_INTEGER now, frequency;
    QueryPerformanceCounter(&now);
    QueryPerformanceFrequency(&frequency);
    return (double)now.QuadPart * 1000.0 / (double)frequency.QuadPart;
}

void WaitUntilMs(double deadline_ms) {
    for (double now = NowMs(); now < deadline_ms; now = NowMs())
        Sleep((DWORD)(deadline_ms - now) + 1);
}

// Medians, because one slow round (another build on the shared cores, a
// Wine hiccup) must not move a figure.
double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    size_t n = values.size();
    return n == 0 ? NAN : n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

double Smallest(const std::vector<double> &values) {
    return values.empty() ? NAN : *std::min_element(values.begin(), values.end());
}

double Largest(const std::vector<double> &values) {
    return values.empty() ? NAN : *std::max_element(values.begin(), values.end());
}

std::string Format(const char *format, ...) {
    char text[256];
    va_list args;
    va_start(args, format);
    vsnprintf(text, sizeof text, format, args);
    va_end(args);
    return text;
}

bool WriteFigures(const std::string &path, const std::string &run, const std::vector<Row> &rows,
                  double seconds) {
    std::string out = run + Format("\t%.6g\n", seconds);
    for (const Row &row : rows)
        out += row.name + "\t" + row.unit +
               Format("\t%.6g\t%.6g\t%s\t%.6g\t", row.launcher, row.baseline, row.goal, row.limit) +
               row.detail + "\n";
    return WriteBytes(path, out);
}
