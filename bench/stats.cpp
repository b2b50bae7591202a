#include "stats.h"

#include <algorithm>
#include <cmath>

double Median(std::vector<double> values) {
    if (values.empty())
        return NAN;
    std::sort(values.begin(), values.end());
    size_t middle = values.size() / 2;
    if (values.size() % 2)
        return values[middle];
    return (values[middle - 1] + values[middle]) / 2;
}

double Largest(const std::vector<double> &values) {
    if (values.empty())
        return NAN;
    return *std::max_element(values.begin(), values.end());
}

double Smallest(const std::vector<double> &values) {
    if (values.empty())
        return NAN;
    return *std::min_element(values.begin(), values.end());
}
