// Load combinations (stage 7) and the printed blocks of the result listing (stage 8).
#pragma once

#include "solver/dead.h"
#include "solver/live.h"

#include <cstdint>
#include <string>
#include <vector>

namespace mvg {

enum Block : int {
    kImpactBlock = 1,
    kReactionBlock,
    kDetailBlock,
    kDeflectionBlock,
    kMomentBlock,
    kShearBlock,
    kTorsionBlock
};

struct ResultRow {
    int node = 0;
    double v[6] = {0, 0, 0, 0, 0, 0};  // D, L+, L-, D+L+, D+L-, 2L(-)+D; deflections: D, L+, L-, flag
};

struct MemberRow {
    int member = 0, nodeI = 0, nodeJ = 0;  // node numbers negative at a bearing
    double I[5] = {0, 0, 0, 0, 0}, J[5] = {0, 0, 0, 0, 0};  // D, L+, L-, D+L+, D+L-
    double length = 0;
};

// One intermediate result: one block of the listing.
struct ListingPart {
    uint32_t first = 0, last = 0;
    int block = 0;
    std::string title;
    int S = 0, n = 0, G = 0, P = 0;
    std::vector<double> impact;        // i1, i2 per span
    std::vector<ResultRow> rows;       // reactions, detail rows (MAX row first) or deflections
    std::vector<MemberRow> members;    // per girder member, line by line
};

// D, L+, L-, D+L+, D+L-, 2L(-)+D in listing order; code 7 on any non-finite number.
std::vector<ListingPart> Combine(const Model& m, const DeadResult& dead, const LiveResult& live);

// The text of one block, with the head when it is flagged first and the end line when
// flagged last; code 7 when a value reaches 1e9 in magnitude.
std::string FormatPart(const ListingPart& part, const std::string& stamp);

} // namespace mvg
