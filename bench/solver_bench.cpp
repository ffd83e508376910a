// Runs the whole grillage chain on the largest model (20 girder lines, 14 spans of 20
// panels) and on a typical one, as the program would, and reports the time and peak
// memory of every program. Usage: solver_bench [solver folder] [work folder]
#include "fixture.h"
#include "solver/solver_files.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace fs = std::filesystem;
using namespace mvgtest;

namespace {

void Write(const fs::path& p, const std::string& text)
{
    std::ofstream f(p, std::ios::binary | std::ios::trunc);
    f << text;
}

std::string Read(const fs::path& p)
{
    std::ifstream f(p, std::ios::binary);
    std::stringstream s;
    s << f.rdbuf();
    return s.str();
}

struct Run {
    double seconds = 0;
    long peakKb = 0;
    bool ok = true;
};

Run Stage(const fs::path& bin, const fs::path& work, const mvgfiles::Stage& st, const std::vector<std::string>& in)
{
    std::string ifil, ofil;
    for (const auto& f : in)
        ifil += f + "\n";
    for (int i = 0; i < st.outputCount; ++i)
        ofil += std::string(st.outputs[i]) + "\n";
    Write(work / mvgfiles::kInputList, ifil);
    Write(work / mvgfiles::kOutputList, ofil);
    fs::remove(work / mvgfiles::kErrorFile);
    ProcessStats ps;
    const int code = RunInDir((bin / st.program).string(), work.string(), 600, &ps);
    Run r{ps.seconds, ps.maxRssKb, code == 0};
    if (code != 0)
        std::printf("  %s failed: exit %d, err_file: %s\n", st.program, code,
                    Read(work / mvgfiles::kErrorFile).c_str());
    return r;
}

bool Chain(const fs::path& bin, const fs::path& work, const std::string& input, const char* label)
{
    for (const char* f : mvgfiles::kKnownFiles)
        fs::remove(work / f);
    Write(work / mvgfiles::kInputFile, input);
    std::printf("%s\n", label);
    double total = 0;
    long peak = 0;
    for (int i = 0; i < 7; ++i) {
        const auto& st = mvgfiles::kStages[i];
        const Run r = Stage(bin, work, st, std::vector<std::string>(st.inputs, st.inputs + st.inputCount));
        if (!r.ok)
            return false;
        std::printf("  %-13s %8.3f s %9.1f MB\n", st.program, r.seconds, r.peakKb / 1024.0);
        total += r.seconds;
        peak = std::max(peak, r.peakKb);
    }
    std::istringstream list(Read(work / mvgfiles::kResultList));
    std::string name;
    double listing = 0;
    while (std::getline(list, name)) {
        const Run r = Stage(bin, work, mvgfiles::kStages[7], {name});
        if (!r.ok)
            return false;
        listing += r.seconds;
        peak = std::max(peak, r.peakKb);
    }
    total += listing;
    std::printf("  %-13s %8.3f s (all blocks)\n", "mvg_list", listing);
    const std::string out = Read(work / mvgfiles::kListingFile);
    const bool ended = out.size() > 24 && out.compare(out.size() - 23, 23, "*** END OF LISTING ***\n") == 0;
    std::printf("  chain         %8.3f s, peak %.1f MB, listing %.1f MB%s\n", total, peak / 1024.0,
                out.size() / 1048576.0, ended ? "" : " (INCOMPLETE)");
    return ended;
}

BridgeLayout Typical()
{
    BridgeLayout s = LargestLayout();
    s.title = "Typical model";
    s.G = 4;
    s.spans = {30, 36, 30};
    s.panels = {6};
    const double W = s.Width();
    s.cw = {2.0, W - 2.0};
    s.sidewalks = {{0.4, 1.8}, {W - 1.8, W - 0.4}};
    s.strips = {{8, 0, W, 0.22}, {4, 2.0, W - 2.0, 0.08}};
    s.rails = {{1, 0.2}, {2, W - 0.2}};
    s.steel.assign(s.G, 0.45);
    s.haunch.assign(s.G, 0.12);
    s.p2 = {0.35, 0.35, 0.35};
    s.pc = {0.35, 0.35, 0.35};
    s.cross.clear();
    for (int p = 1; p <= s.PanelPoints(); p += 3)
        s.cross.push_back({p, (p - 1) % 6 == 0 ? 0 : 2, 0.01, (p - 1) % 6 == 0 ? 0 : 1e-4});
    return s;
}

} // namespace

int main(int argc, char** argv)
{
    const fs::path bin = fs::absolute(argc > 1 ? fs::path(argv[1]) : fs::path(SOLVER_BIN_DIR));
    const fs::path work = argc > 2 ? fs::path(argv[2]) : fs::path(mvgtest::MakeWorkFolder("mvg_bench_"));
    if (work.empty()) {
        std::fprintf(stderr, "no work folder\n");
        return 1;
    }
    fs::create_directories(work);
    const bool a = Chain(bin, work, WriteInput(Typical()), "Typical: 4 girders, 3 spans of 6 panels");
    const bool b = Chain(bin, work, WriteInput(LargestLayout()), "Largest: 20 girders, 14 spans of 20 panels");
    // the same on a curve: no mirror, every response computed
    BridgeLayout curved = LargestLayout();
    curved.radius = 600;
    const bool c = Chain(bin, work, WriteInput(curved), "Largest, curved: R = 600 m, no mirror");
    if (argc <= 2)
        fs::remove_all(work);
    return a && b && c ? 0 : 1;
}
