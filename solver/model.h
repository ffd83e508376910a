// The checked grillage model as read from GRIN.DAT, with internal 0-based indexes.
#pragma once

#include <array>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

namespace mvg {

// A stage stops with one of the err_file codes and a one-line diagnosis.
class Failure : public std::runtime_error {
public:
    Failure(int code, const std::string& what) : std::runtime_error(what), m_code(code) {}
    int code() const { return m_code; }

private:
    int m_code;
};

// Limits of the program's result arrays (15 supports, 21 girders, 281 panel points).
inline constexpr int kMaxGirders = 21;
inline constexpr int kMaxPanelPoints = 281;
inline constexpr int kMaxSpans = 14;

enum class LiveClass : int { A = 0, B = 1, AT = 2, BT = 3, None = 4, CrowdOnly = 5 };

struct Zone {
    double a = 0, b = 0;
};

struct Strip {
    int item = 0;  // 3..9
    double xa = 0, xb = 0, h = 0;
};

struct PointLoadAt {
    int item = 0;  // railing 1..2, or attachment 1..count
    double x = 0;
};

// One panel point across the deck (a /KEIJYO block).
struct Section {
    double T = 0;   // distance from the bridge start along the base line
    int span = 0;   // 0-based span that starts here
    double W = 0;   // deck width
    std::vector<double> gx;  // girder positions in the deck frame, one per girder line
    Zone cw;
    bool hasNoll = false;
    Zone noll;
    std::vector<Zone> sidewalks;
    std::vector<Strip> strips;
    std::vector<PointLoadAt> rails;
    std::vector<double> attachX;  // per attachment, indexed by attachment
};

struct Span {
    double L = 0;
    int pFirst = 0, pLast = 0;  // 0-based panel points
    double p2 = 0, pc = 0;
};

struct Bearing {
    int support = 0;  // 0..S
    int line = 0;     // bearing line 0..n-1
    int node = 0;     // internal node index
    int kt = 0;       // rotation about the support line's normal restrained
    double ux = 0, uy = 0;
};

struct CrossMember {
    int nodeI = 0, nodeJ = 0;  // internal node indexes, same panel point
    int kind = 0;
    double I = 0, J = 0;
};

struct GirderMember {
    double L = 0;  // length along the girder line
    double A = 0, I = 0, J = 0;
};

struct Model {
    std::array<std::string, 2> title;
    std::string stamp;  // 16 hexadecimal digits
    int pass = 1;
    int bridgeType = 0;
    int liveLoad = 0;
    int sidewalk = 0;
    double loadingWidth = 5.5;
    double p1Factor = 1, p2Factor = 1;
    int detail = 1;

    int G = 0;  // girder lines
    int P = 0;  // panel points
    int S = 0;  // spans
    int nLines = 0;  // bearing lines per support

    double E = 0, Gmod = 0;
    std::vector<Span> spans;
    std::vector<Bearing> bearings;  // in (support, bearing line) order
    double snow = 0;
    std::array<double, 10> unitWeight{};  // items 3..9
    std::array<double, 2> railLoad{};
    std::vector<double> haunch, steel;    // per girder line
    std::vector<double> attachLoad;       // per attachment
    bool hasLive = false;
    double liveD = 0, p1m = 0, p1s = 0;

    std::vector<CrossMember> cross;
    std::vector<GirderMember> girders;    // member g*(P-1)+p
    std::vector<int> dummy;               // per girder line
    std::vector<double> X, Y;             // per node
    std::vector<Section> sections;        // per panel point

    // Node index q = p*G + g (panel-major, so that the stiffness band stays narrow).
    int node(int g, int p) const { return p * G + g; }
    int lineOf(int q) const { return q % G; }
    int pointOf(int q) const { return q / G; }
    int nodeNumber(int q) const { return 500 * lineOf(q) + pointOf(q) + 1; }
    int memberIndex(int g, int p) const { return g * (P - 1) + p; }
    int memberNumber(int g, int p) const { return memberIndex(g, p) + 1; }
    int nodes() const { return G * P; }
    int girderMembers() const { return G * (P - 1); }
    bool singleBox() const { return bridgeType == 2; }
    LiveClass liveClass() const { return static_cast<LiveClass>(liveLoad); }
    bool wantsDetail() const { return detail != 0; }
    // Panel point of support s (0..S).
    int supportPoint(int s) const { return s < S ? spans[s].pFirst : spans[S - 1].pLast; }
    // Span (0-based) that holds the panel from p to p + 1.
    int spanOfPanel(int p) const;
};

// Reads and checks GRIN.DAT; throws Failure with code 3 (syntax) or 4 (inconsistent).
Model ReadInput(const std::string& text);

} // namespace mvg
