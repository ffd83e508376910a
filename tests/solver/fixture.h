// Solver input files for tests and the benchmark: a bridge described by a few numbers,
// written in the GRIN.DAT format.
#pragma once

#include <string>
#include <vector>

namespace mvgtest {

struct Zone {
    double a, b;
};

struct Strip {
    int item;
    double xa, xb, h;
};

struct CrossLayout {
    int point;  // 1-based panel point
    int kind;
    double I, J;
};

struct BridgeLayout {
    std::string title = "Fixture";
    std::string subtitle = "";
    std::string stamp = "0123456789ABCDEF";
    int pass = 1;
    int bridgeType = 0;
    int liveLoad = 4;
    int sidewalk = 0;
    double loadingWidth = 5.5;
    double p1Factor = 1, p2Factor = 1;
    int detail = 1;

    int G = 1;
    std::vector<double> spans{30};
    std::vector<int> panels{6};  // per span; one value applies to every span
    std::vector<double> extraT;  // further panel points inside the spans, along the bridge
    double spacing = 2.5;
    double E = 20394324.26, Gmod = 7851814.84;
    double A = 0.05, I = 0.05, J = 1e-3;
    std::vector<double> lineI, lineJ;  // per line, when given
    double skewDeg = 90;               // angle of the support lines to the base line
    double radius = 0;                 // curved base line (to the left) when > 0
    double originX = 0, originY = 0, turnDeg = 0;  // where the plan stands
    std::vector<CrossLayout> cross;
    std::vector<int> kt;               // per bearing line, default 1 (0 for the single box)

    // Deck, the same at every panel point.
    double overhang = 1.0;
    double width = 0;                  // 0: outer girders plus the overhangs
    bool autoZones = true;             // carriageway over the whole width
    Zone cw{0, 0};
    bool hasNoll = false;
    Zone noll{0, 0};
    std::vector<Zone> sidewalks;
    std::vector<Strip> strips;
    std::vector<std::pair<int, double>> rails;  // LINE c x
    std::vector<std::pair<double, double>> attach;  // load, position

    // Loads.
    std::vector<std::pair<int, double>> unitWeight;
    double rail1 = 0, rail2 = 0, snow = 0;
    std::vector<double> steel, haunch;  // per line
    bool live = false;
    double liveD = 10, p1m = 0, p1s = 0;
    std::vector<double> p2, pc;  // per span; empty: 0

    double Width() const { return width > 0 ? width : (G - 1) * spacing + 2 * overhang; }
    int PanelsOf(int span) const { return panels.size() == 1 ? panels[0] : panels[span]; }
    int PanelPoints() const;
};

std::string WriteInput(const BridgeLayout& s);

// The largest design the solver is sized for: 20 girder lines, 14 spans of 20 panels,
// the B live load with sidewalks, cross beams every fifth panel point.
BridgeLayout LargestLayout();

// Runs program `exe` with working folder `dir`, killing it after `timeout` seconds;
// its standard output and error go to `console` when given. Returns its exit status,
// or -1 when it did not start, crashed or was killed.
struct ProcessStats {
    double seconds = 0;
    long maxRssKb = 0;
};
int RunInDir(const std::string& exe, const std::string& dir, double timeout, ProcessStats* stats = nullptr,
             const std::string& console = "");

// A new folder of this run's own in the system's temporary folder, so that runs side by side
// never share one; empty when none could be made.
std::string MakeWorkFolder(const char* prefix);

// Node number of girder line g and panel point p (both 1-based).
inline int NodeNumber(int g, int p) { return 500 * (g - 1) + p; }

} // namespace mvgtest
