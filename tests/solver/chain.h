// Runs the solver library in-process on a fixture, stage by stage.
#pragma once

#include "fixture.h"
#include "solver/dead.h"
#include "solver/listing.h"
#include "solver/live.h"

namespace mvgtest {

struct Solved {
    mvg::Model m;
    mvg::Elements el;
    mvg::Stiffness st;
    mvg::BandMatrix L;
    mvg::DeadResult dead;
    mvg::LiveResult live;
};

inline Solved Solve(const std::string& input, bool withLive = true)
{
    Solved s;
    s.m = mvg::ReadInput(input);
    s.el = mvg::BuildElements(s.m);
    s.st = mvg::Assemble(s.m, s.el);
    s.L = mvg::FactorStiffness(s.st);
    s.dead = mvg::SolveDead(s.m, s.el, s.st, s.L);
    if (withLive)
        s.live = mvg::SolveLive(s.m, s.el, s.st, s.L);
    return s;
}

inline Solved Solve(const BridgeLayout& layout, bool withLive = true)
{
    return Solve(WriteInput(layout), withLive);
}

// Member index of girder line g and panel p, both 1-based as in the listing.
inline int Member(const Solved& s, int g, int p)
{
    return s.m.memberIndex(g - 1, p - 1);
}

} // namespace mvgtest
