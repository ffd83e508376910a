// Times DeckOperator::Evaluate on recorded vectors and checks its values against the
// recorded ones. Usage: deck_bench file [repeats]. Each record (doubles): its length,
// G, the G girder positions, carriageway a b, median flag a b, sidewalk count and pairs,
// band width, the G line values, and the four values Evaluate gave.
#include "solver/deck.h"

#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <vector>

using namespace mvg;

namespace {

struct Record {
    int op;
    size_t v;  // offset of its line values
    double want[4];
};

} // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: deck_bench file [repeats]\n");
        return 1;
    }
    const int repeats = argc > 2 ? std::atoi(argv[2]) : 5;
    FILE* f = std::fopen(argv[1], "rb");
    if (!f)
        return 1;
    std::map<std::vector<double>, int> index;
    std::vector<DeckOperator> ops;
    std::vector<Record> recs;
    std::vector<double> values;  // all vectors in one run, as a program holds them
    double len;
    while (std::fread(&len, 8, 1, f) == 1) {
        std::vector<double> r(static_cast<size_t>(len));
        if (std::fread(r.data(), 8, r.size(), f) != r.size())
            break;
        const int G = int(r[0]);
        size_t k = 1;
        Section s;
        s.gx.assign(r.begin() + 1, r.begin() + 1 + G);
        k += G;
        s.cw = {r[k], r[k + 1]};
        s.hasNoll = r[k + 2] != 0;
        s.noll = {r[k + 3], r[k + 4]};
        const int nsw = int(r[k + 5]);
        k += 6;
        for (int i = 0; i < nsw; ++i, k += 2)
            s.sidewalks.push_back({r[k], r[k + 1]});
        const double band = r[k++];
        const std::vector<double> key(r.begin(), r.begin() + long(k));
        auto it = index.find(key);
        if (it == index.end()) {
            it = index.emplace(key, int(ops.size())).first;
            ops.emplace_back(s.gx, s, band);
        }
        Record rec{it->second, values.size(), {}};
        values.insert(values.end(), r.begin() + long(k), r.begin() + long(k) + G);
        std::memcpy(rec.want, &r[k + G], sizeof rec.want);
        recs.push_back(rec);
    }
    std::fclose(f);
    std::printf("%zu vectors, %zu operators\n", recs.size(), ops.size());

    long differ = 0;
    double worst = 0;
    for (const Record& r : recs) {
        const DeckValues d = ops[size_t(r.op)].Evaluate(values.data() + r.v);
        const double got[4] = {d.Lp, d.Lm, d.Cp, d.Cm};
        double scale = 0;
        for (double w : r.want)
            scale = std::max(scale, std::abs(w));
        bool same = true;
        for (int i = 0; i < 4; ++i) {
            same = same && std::memcmp(&got[i], &r.want[i], 8) == 0;
            if (scale > 0)
                worst = std::max(worst, std::abs(got[i] - r.want[i]) / scale);
        }
        differ += !same;
    }
    std::printf("values not bit-identical: %ld, largest difference relative to the scale: %.3g\n", differ, worst);

    double best = HUGE_VAL, sink = 0;
    for (int rep = 0; rep < repeats; ++rep) {
        const auto t0 = std::chrono::steady_clock::now();
        for (const Record& r : recs) {
            const DeckValues d = ops[size_t(r.op)].Evaluate(values.data() + r.v);
            sink += d.Lp + d.Cm;
        }
        const double s = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
        best = std::min(best, s);
    }
    std::printf("%.1f ns per Evaluate (best of %d)%s\n", best * 1e9 / double(recs.size()), repeats,
                sink == 12345 ? " " : "");
    return differ != 0;
}
