// The bench's results: one row per figure, printed as a table and written
// as JSON.
#pragma once

#include <math.h>

#include <string>
#include <vector>

enum GoalKind {
    kNoGoal,
    kRatioAtMost,  // launcher / baseline <= limit
    kNoGrowth,     // launcher <= 0
    kNoMoreGrowth, // launcher <= the baseline's growth, or 0 when it shrank
};

struct Row {
    std::string name;
    std::string unit;
    double launcher;
    double baseline; // NaN when the figure has none
    GoalKind goal;
    double limit;
    std::string detail;
};

Row RatioRow(const std::string &name, const std::string &unit, double launcher, double baseline,
             double limit);
Row FigureRow(const std::string &name, const std::string &unit, double launcher,
              double baseline = NAN);
Row GrowthRow(const std::string &name, const std::string &unit, double growth);
// Growth of the launcher against a control that does the same raw work, so
// that what the platform itself grows by does not count against it.
Row ControlledGrowthRow(const std::string &name, const std::string &unit, double growth,
                        double control_growth);

bool RowMet(const Row &row);

void PrintTable(const std::vector<Row> &rows);

bool WriteJson(const std::string &path, const std::string &run, const std::vector<Row> &rows,
               double seconds);
