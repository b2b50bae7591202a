// Summaries of repeated rounds. Medians, because one slow round (another
// build on the shared cores, a Wine hiccup) must not move a figure.
#pragma once

#include <vector>

// Median of `values`; NaN when there are none.
double Median(std::vector<double> values);

// NaN when there are no values.
double Smallest(const std::vector<double> &values);
double Largest(const std::vector<double> &values);
