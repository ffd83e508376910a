// Dead load: deck loads by the lever rule, one solve, member forces, reactions (stage 5).
#pragma once

#include "solver/assemble.h"

#include <array>
#include <vector>

namespace mvg {

struct DeadLoads {
    std::vector<std::vector<double>> deck;  // [panel point][line] tf/m from the deck items
    std::vector<double> q, mt;              // per girder member, per metre along the line
};

DeadLoads ComputeDeadLoads(const Model& m);

// Member-end quantities in listing order.
enum EndForce : int { kMI = 0, kMJ = 1, kVI = 2, kVJ = 3, kTI = 4, kTJ = 5 };

struct DeadResult {
    std::vector<std::array<double, 6>> member;  // per girder member
    std::vector<double> reaction;               // per bearing, up positive
    std::vector<double> deflection;             // per node, mm downward
    double applied = 0;                         // total vertical load
};

// Throws code 7 when the reactions do not balance the load.
DeadResult SolveDead(const Model& m, const Elements& el, const Stiffness& st, const BandMatrix& L);

} // namespace mvg
