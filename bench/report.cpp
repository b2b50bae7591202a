#include "report.h"

#include "bench_files.h"

#include <stdio.h>

Row RatioRow(const std::string &name, const std::string &unit, double launcher, double baseline,
             double limit) {
    return Row{name, unit, launcher, baseline, kRatioAtMost, limit, ""};
}

Row FigureRow(const std::string &name, const std::string &unit, double launcher, double baseline) {
    return Row{name, unit, launcher, baseline, kNoGoal, NAN, ""};
}

Row GrowthRow(const std::string &name, const std::string &unit, double growth) {
    return Row{name, unit, growth, NAN, kNoGrowth, 0, ""};
}

Row ControlledGrowthRow(const std::string &name, const std::string &unit, double growth,
                        double control_growth) {
    return Row{name, unit, growth, control_growth, kNoMoreGrowth, 0, ""};
}

static std::string RatioText(double ratio) {
    if (isnan(ratio))
        return "-";
    char text[16];
    snprintf(text, sizeof text, "%.3f", ratio);
    return text;
}

static double Ratio(const Row &row) {
    return row.baseline > 0 ? row.launcher / row.baseline : NAN;
}

// A figure that could not be measured (NaN) never meets its goal.
bool RowMet(const Row &row) {
    switch (row.goal) {
    case kRatioAtMost: return Ratio(row) <= row.limit;
    case kNoGrowth: return row.launcher <= 0;
    case kNoMoreGrowth: return row.launcher <= fmax(row.baseline, 0);
    default: return true;
    }
}

static std::string Number(double value) {
    if (isnan(value))
        return "-";
    char text[32];
    snprintf(text, sizeof text, fabs(value) >= 100 || value == floor(value) ? "%.0f" : "%.3g",
             value);
    return text;
}

static std::string GoalText(const Row &row) {
    if (row.goal == kRatioAtMost)
        return "<= " + Number(row.limit);
    if (row.goal == kNoMoreGrowth)
        return "<= control";
    return row.goal == kNoGrowth ? "no growth" : "-";
}

static std::string MetText(const Row &row) {
    if (row.goal == kNoGoal)
        return "";
    return RowMet(row) ? "yes" : "NO";
}

void PrintTable(const std::vector<Row> &rows) {
    printf("%-40s %12s %12s %7s %10s %5s\n", "figure", "launcher", "baseline", "ratio", "goal",
           "met");
    for (const Row &row : rows) {
        std::string name = row.name + " (" + row.unit + ")";
        printf("%-40s %12s %12s %7s %10s %5s\n", name.c_str(), Number(row.launcher).c_str(),
               Number(row.baseline).c_str(), RatioText(Ratio(row)).c_str(), GoalText(row).c_str(),
               MetText(row).c_str());
        if (!row.detail.empty())
            printf("    %s\n", row.detail.c_str());
    }
    fflush(stdout);
}

static std::string JsonString(const std::string &text) {
    std::string out = "\"";
    for (char c : text) {
        if (c == '"' || c == '\\')
            out.push_back('\\');
        out.push_back(c);
    }
    return out + "\"";
}

static std::string JsonNumber(double value) {
    if (isnan(value))
        return "null";
    char text[32];
    snprintf(text, sizeof text, "%.6g", value);
    return text;
}

static std::string JsonRow(const Row &row) {
    static const char *const kGoals[] = {"none", "ratio_at_most", "no_growth",
                                         "no_growth_beyond_control"};
    std::string out =
        "    {\"name\": " + JsonString(row.name) + ", \"unit\": " + JsonString(row.unit) +
        ", \"launcher\": " + JsonNumber(row.launcher) +
        ", \"baseline\": " + JsonNumber(row.baseline) + ", \"ratio\": " + JsonNumber(Ratio(row)) +
        ", \"goal\": " + JsonString(kGoals[row.goal]);
    if (row.goal == kRatioAtMost)
        out += ", \"limit\": " + JsonNumber(row.limit);
    if (row.goal != kNoGoal)
        out += std::string(", \"met\": ") + (RowMet(row) ? "true" : "false");
    if (!row.detail.empty())
        out += ", \"detail\": " + JsonString(row.detail);
    return out + "}";
}

bool WriteJson(const std::string &path, const std::string &run, const std::vector<Row> &rows,
               double seconds) {
    std::string out = "{\n  \"run\": " + JsonString(run) +
                      ",\n  \"seconds\": " + JsonNumber(seconds) + ",\n  \"figures\": [\n";
    for (size_t i = 0; i < rows.size(); ++i)
        out += JsonRow(rows[i]) + (i + 1 < rows.size() ? ",\n" : "\n");
    out += "  ]\n}\n";
    return WriteWholeFile(path, out);
}
