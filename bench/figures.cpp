// The figures: the clock, summaries of rounds, and the table on standard
// output and the JSON file they end in.
#include "bench.h"

#include "driver/world.h"

#include <stdarg.h>
#include <stdio.h>

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

static double Ratio(const Row &row) {
    return row.baseline > 0 ? row.launcher / row.baseline : NAN;
}

// A figure that could not be measured (NaN) never meets its goal.
static bool Met(const Row &row) {
    switch (row.goal) {
    case kRatioAtMost: return Ratio(row) <= row.limit;
    case kNoGrowth: return row.launcher <= 0;
    case kNoMoreGrowth: return row.launcher <= fmax(row.baseline, 0);
    default: return true;
    }
}

static std::string Number(double value, const char *format) {
    return isnan(value) ? "-" : Format(format, value);
}

static std::string Number(double value) {
    return Number(value, fabs(value) >= 100 || value == floor(value) ? "%.0f" : "%.3g");
}

static std::string GoalText(const Row &row) {
    static const char *const kGoals[] = {"-", "", "no growth", "<= control"};
    return row.goal == kRatioAtMost ? "<= " + Number(row.limit) : kGoals[row.goal];
}

void PrintTable(const std::vector<Row> &rows) {
    const char kLine[] = "%-40s %12s %12s %7s %10s %5s\n";
    printf(kLine, "figure", "launcher", "baseline", "ratio", "goal", "met");
    for (const Row &row : rows) {
        printf(kLine, (row.name + " (" + row.unit + ")").c_str(), Number(row.launcher).c_str(),
               Number(row.baseline).c_str(), Number(Ratio(row), "%.3f").c_str(),
               GoalText(row).c_str(),
               row.goal == kNoGoal ? ""
               : Met(row)          ? "yes"
                                   : "NO");
        if (!row.detail.empty())
            printf("    %s\n", row.detail.c_str());
    }
    fflush(stdout);
}

static std::string Json(const std::string &text) {
    std::string out = "\"";
    for (char c : text)
        out += c == '"' || c == '\\' ? std::string("\\") + c : std::string(1, c);
    return out + "\"";
}

static std::string Json(double value) {
    return isnan(value) ? "null" : Format("%.6g", value);
}

static std::string JsonRow(const Row &row) {
    static const char *const kGoals[] = {"none", "ratio_at_most", "no_growth",
                                         "no_growth_beyond_control"};
    std::string out = "    {\"name\": " + Json(row.name) + ", \"unit\": " + Json(row.unit) +
                      ", \"launcher\": " + Json(row.launcher) +
                      ", \"baseline\": " + Json(row.baseline) + ", \"ratio\": " + Json(Ratio(row)) +
                      ", \"goal\": " + Json(kGoals[row.goal]);
    if (row.goal == kRatioAtMost)
        out += ", \"limit\": " + Json(row.limit);
    if (row.goal != kNoGoal)
        out += std::string(", \"met\": ") + (Met(row) ? "true" : "false");
    if (!row.detail.empty())
        out += ", \"detail\": " + Json(row.detail);
    return out + "}";
}

bool WriteJson(const std::string &path, const std::string &run, const std::vector<Row> &rows,
               double seconds) {
    std::string out = "{\n  \"run\": " + Json(run) + ",\n  \"seconds\": " + Json(seconds) +
                      ",\n  \"figures\": [\n";
    for (size_t i = 0; i < rows.size(); ++i)
        out += JsonRow(rows[i]) + (i + 1 < rows.size() ? ",\n" : "\n");
    return WriteBytes(path, out + "  ]\n}\n");
}
