// DOF numbering and the banded stiffness (stage 3), its factor (stage 4).
#pragma once

#include "solver/band.h"
#include "solver/frame.h"
#include "solver/model.h"

#include <vector>

namespace mvg {

// A sparse row over the free DOFs.
struct SparseRow {
    std::vector<int> col;
    std::vector<double> val;
};

struct Stiffness {
    std::vector<int> freeIndex;  // per DOF 3*q + d: its free index, or -1 when restrained
    std::vector<int> dofOfFree;  // per free index: its DOF
    BandMatrix K;                // free-free, unfactored
    std::vector<SparseRow> reaction;  // per bearing: the coupling row of its w
    int G = 1;                        // girder lines, for naming nodes in messages
    int freeCount() const { return K.n; }
};

Stiffness Assemble(const Model& m, const Elements& el);

// Throws code 2 naming the node and DOF whose pivot fails.
BandMatrix FactorStiffness(const Stiffness& st);

// Diagnostic name of a DOF, e.g. "node 1503 DOF w".
std::string DofName(int G, int dof);

} // namespace mvg
