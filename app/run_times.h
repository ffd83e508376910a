// Where the time of the last grillage run went: the solver programs, and the program's own
// work around them. Cheap enough to keep on; read by the benchmark.
#pragma once

#include <chrono>

struct CRunTimes {
    // One pass of the solver chain and the work around it, in seconds.
    struct Pass {
        double input = 0.0;     // the input written, the Work folder made ready
        double solver = 0.0;    // the programs, from the first start to the last end
        double listing = 0.0;   // the listing read into the girders
        double design = 0.0;    // the sections designed from what was read
    };
    Pass passes[3];             // passes 1 and 2 of a first run, pass 3 of a re-run
    double estimate = 0.0;      // every estimate of the run

    double Solver() const { return passes[0].solver + passes[1].solver + passes[2].solver; }
};

// Adds the seconds from its making to its end to a counter.
class CTimeSpent {
public:
    explicit CTimeSpent(double& total) : m_total(total), m_start(std::chrono::steady_clock::now()) {}
    ~CTimeSpent() { m_total += std::chrono::duration<double>(std::chrono::steady_clock::now() - m_start).count(); }
    CTimeSpent(const CTimeSpent&) = delete;
    CTimeSpent& operator=(const CTimeSpent&) = delete;

private:
    double& m_total;
    std::chrono::steady_clock::time_point m_start;
};
