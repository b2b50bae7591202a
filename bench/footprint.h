// Memory and handles of the processes the bench started.
#pragma once

#include "child_process.h"

#include <vector>

struct Footprint {
    bool ok;
    double working_set_kb;
    double private_kb;
    double handles;
};

// One reading per child, in the children's order.
std::vector<Footprint> ReadFootprints(const std::vector<Child> &children);

// The given member of each reading that succeeded.
std::vector<double> FootprintValues(const std::vector<Footprint> &readings,
                                    double Footprint::*member);

// Per child, later minus earlier, for the children read both times.
std::vector<double> FootprintGrowth(const std::vector<Footprint> &earlier,
                                    const std::vector<Footprint> &later, double Footprint::*member);
