// Node frames and element matrices of the grillage (stage 2).
#pragma once

#include "solver/model.h"

#include <array>
#include <vector>

namespace mvg {

// DOFs of a node: vertical displacement (up) and the rotations about t_n and n_n.
enum Dof : int { kW = 0, kRotT = 1, kRotN = 2 };

struct Element {
    int nodeI = 0, nodeJ = 0;
    int member = -1;        // girder member index, -1 for a cross member
    double chord = 0;       // distance of the two nodes
    double cosA = 1, sinA = 0;   // direction of the chord in plan
    // delta = alpha - beta at either end, for turning node rotations into member axes
    double cosDI = 1, sinDI = 0, cosDJ = 1, sinDJ = 0;
    double EI = 0, GJ = 0;
    // Stiffness in node frames, DOF order (w, rt, rn) of I then J, row-major.
    std::array<double, 36> k{};
    // Internal forces from the six end displacements: M_I, M_J, V, T (row-major 4 x 6).
    std::array<double, 24> rec{};
};

struct Elements {
    std::vector<double> cosB, sinB;  // node frame angle per node
    std::vector<Element> list;       // girder members (by member index), then cross members
};

Elements BuildElements(const Model& m);

// Largest I or J of the load-carrying girder members: the rigid links take 1000 times it.
double RigidLinkStiffness(const Model& m);

} // namespace mvg
