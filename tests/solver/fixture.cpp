#include "fixture.h"

#include <algorithm>
#include <charconv>
#include <chrono>
#include <cmath>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace mvgtest {

namespace {

// Shortest exact text of a number, whatever the process locale.
std::string N(double v)
{
    char buf[64];
    auto [p, ec] = std::to_chars(buf, buf + sizeof buf, v);
    return std::string(buf, p);
}

std::string N(int v)
{
    return std::to_string(v);
}

struct Pt {
    double x, y;
};

} // namespace

int BridgeLayout::PanelPoints() const
{
    int p = 1 + int(extraT.size());
    for (size_t k = 0; k < spans.size(); ++k)
        p += PanelsOf(int(k));
    return p;
}

std::string WriteInput(const BridgeLayout& s)
{
    const double pi = std::acos(-1.0);
    const int G = s.G, S = int(s.spans.size()), P = s.PanelPoints();
    const bool box = s.bridgeType == 2;
    const int n = box ? 2 : G;

    std::vector<double> T;
    std::vector<int> spanStart{1};
    T.push_back(0);
    for (int k = 0; k < S; ++k) {
        const int np = s.PanelsOf(k);
        const double t0 = T.back();
        std::vector<double> extra;
        for (double x : s.extraT)
            if (x > t0 && x < t0 + s.spans[k])
                extra.push_back(x);
        std::vector<double> pts;
        for (int j = 1; j <= np; ++j)
            pts.push_back(t0 + s.spans[k] * j / np);
        pts.insert(pts.end(), extra.begin(), extra.end());
        std::sort(pts.begin(), pts.end());
        T.insert(T.end(), pts.begin(), pts.end());
        spanStart.push_back(int(T.size()));
    }
    std::vector<double> off(G);
    for (int i = 0; i < G; ++i)
        off[i] = ((G - 1) / 2.0 - i) * s.spacing;

    const double psi = s.skewDeg * pi / 180, turn = s.turnDeg * pi / 180;
    auto place = [&](Pt p) {
        return Pt{s.originX + std::cos(turn) * p.x - std::sin(turn) * p.y,
                  s.originY + std::sin(turn) * p.x + std::cos(turn) * p.y};
    };
    auto rotate = [&](Pt u) { return Pt{std::cos(turn) * u.x - std::sin(turn) * u.y, std::sin(turn) * u.x + std::cos(turn) * u.y}; };
    // support-line direction (left) at a panel point, and the node positions
    auto lineDir = [&](double t) {
        if (s.radius > 0)
            return Pt{-std::sin(t / s.radius), std::cos(t / s.radius)};
        return s.skewDeg == 90 ? Pt{0, 1} : Pt{std::cos(psi), std::sin(psi)};
    };
    auto nodeAt = [&](int g, int p) {
        const double t = T[p];
        if (s.radius > 0) {
            const double R = s.radius;
            const Pt b{R * std::sin(t / R), R * (1 - std::cos(t / R))};
            const Pt u = lineDir(t);
            return place(Pt{b.x + off[g] * u.x, b.y + off[g] * u.y});
        }
        const double cot = s.skewDeg == 90 ? 0.0 : std::cos(psi) / std::sin(psi);
        return place(Pt{t + off[g] * cot, off[g]});
    };
    auto arc = [&](int g, int p) {
        const double dT = T[p + 1] - T[p];
        if (s.radius > 0)
            return (s.radius - off[g]) * dT / s.radius;
        return dT;
    };
    auto I = [&](int g) { return s.lineI.empty() ? s.I : s.lineI[g]; };
    auto J = [&](int g) { return s.lineJ.empty() ? s.J : s.lineJ[g]; };
    auto dummy = [&](int g) { return box && g != 1; };

    struct Cm {
        int nI, nJ, kind;
        double I, J;
    };
    std::vector<Cm> cms;
    if (box) {
        for (int p = 0; p < P; ++p) {
            cms.push_back({NodeNumber(1, p + 1), NodeNumber(2, p + 1), 9, 0, 0});
            cms.push_back({NodeNumber(2, p + 1), NodeNumber(3, p + 1), 9, 0, 0});
        }
    } else {
        for (int p = 0; p < P; ++p)
            for (const CrossLayout& c : s.cross)
                if (c.point == p + 1)
                    for (int g = 1; g < G; ++g)
                        cms.push_back({NodeNumber(g, p + 1), NodeNumber(g + 1, p + 1), c.kind, c.I, c.J});
    }

    std::string o;
    auto line = [&](const std::string& t) {
        o += t;
        o += '\n';
    };
    line("/TITLE");
    line(s.title);
    line(s.subtitle);
    line("/OPTION");
    line("STAMP " + s.stamp);
    line("PASS " + N(s.pass));
    line("BRIDGE_TYPE " + N(s.bridgeType));
    line("LIVE_LOAD " + N(s.liveLoad));
    line("SIDEWALK " + N(s.sidewalk));
    line("LOADING_WIDTH " + N(s.loadingWidth));
    line("P1_FACTOR " + N(s.p1Factor));
    line("P2_FACTOR " + N(s.p2Factor));
    line("DETAIL " + N(s.detail));
    line("/SIZE");
    line("NODES " + N(G * P));
    line("GIRDER_LINES " + N(G));
    line("PANEL_POINTS " + N(P));
    line("SPANS " + N(S));
    line("GIRDER_MEMBERS " + N(G * (P - 1)));
    line("CROSS_MEMBERS " + N(int(cms.size())));
    line("BEARINGS " + N(n * (S + 1)));
    line("BEARING_LINES " + N(n));
    line("/MODUL");
    line("E " + N(s.E));
    line("G " + N(s.Gmod));
    line("/LIM");
    for (int k = 0; k < S; ++k)
        line("SPAN " + N(k + 1) + " " + N(s.spans[k]) + " " + N(spanStart[k]) + " " + N(spanStart[k + 1]) + " " +
             N(s.p2.empty() ? 0.0 : s.p2[k]) + " " + N(s.pc.empty() ? 0.0 : s.pc[k]));
    line("/FREE");
    for (int k = 0; k <= S; ++k) {
        const int p = spanStart[k] - 1;
        const Pt u = rotate(lineDir(T[p]));
        for (int b = 0; b < n; ++b) {
            const int g = box ? (b == 0 ? 0 : 2) : b;
            const int kt = s.kt.empty() ? (box ? 0 : 1) : s.kt[b];
            line("BEARING " + N(k + 1) + " " + N(b + 1) + " " + N(NodeNumber(g + 1, p + 1)) + " " + N(kt) + " " +
                 N(u.x) + " " + N(u.y));
        }
    }
    line("/SNOW");
    line("SNOW " + N(s.snow));
    line("/LOAD");
    for (auto [c, w] : s.unitWeight)
        line("UNITW " + N(c) + " " + N(w));
    line("RAIL 1 " + N(s.rail1));
    line("RAIL 2 " + N(s.rail2));
    for (size_t g = 0; g < s.haunch.size(); ++g)
        line("HAUNCH " + N(int(g) + 1) + " " + N(s.haunch[g]));
    for (size_t g = 0; g < s.steel.size(); ++g)
        line("STEEL " + N(int(g) + 1) + " " + N(s.steel[g]));
    for (size_t k = 0; k < s.attach.size(); ++k)
        line("ATTACH " + N(int(k) + 1) + " " + N(s.attach[k].first));
    if (s.live)
        line("LIVE " + N(s.liveD) + " " + N(s.p1m) + " " + N(s.p1s));
    line("/MCR");
    for (size_t k = 0; k < cms.size(); ++k) {
        const Cm& c = cms[k];
        line(N(G * (P - 1) + int(k) + 1) + " " + N(c.nI) + " " + N(c.nJ) + " " + N(c.kind) + " " + N(c.I) + " " + N(c.J));
    }
    line("/MGR");
    for (int g = 0; g < G; ++g)
        for (int p = 0; p + 1 < P; ++p) {
            const bool d = dummy(g);
            line(N(g * (P - 1) + p + 1) + " " + N(NodeNumber(g + 1, p + 1)) + " " + N(NodeNumber(g + 1, p + 2)) + " " +
                 N(g + 1) + " " + N(arc(g, p)) + " " + N(d ? 0.0 : s.A) + " " + N(d ? 0.0 : I(g)) + " " +
                 N(d ? 0.0 : J(g)));
        }
    line("/GROUP");
    for (int g = 0; g < G; ++g)
        line("GIRDER " + N(g + 1) + " " + N(g * (P - 1) + 1) + " " + N((g + 1) * (P - 1)) + " " + N(dummy(g) ? 1 : 0));
    line("/POINT");
    for (int g = 0; g < G; ++g)
        for (int p = 0; p < P; ++p) {
            const Pt q = nodeAt(g, p);
            line(N(NodeNumber(g + 1, p + 1)) + " " + N(q.x) + " " + N(q.y) + " " + N(g + 1) + " " + N(p + 1));
        }
    line("/KEIJYO");
    const double W = s.Width();
    for (int p = 0; p < P; ++p) {
        int k = 0;
        while (k + 1 < S && spanStart[k + 1] - 1 <= p)
            ++k;
        line("PANEL " + N(p + 1) + " " + N(T[p]) + " " + N(k + 1) + " " + N(W));
        std::string gx = "GX";
        for (int g = 0; g < G; ++g)
            gx += " " + N(s.overhang + g * s.spacing);
        line(gx);
        const Zone cw = s.autoZones ? Zone{0, W} : s.cw;
        line("ZONE CW " + N(cw.a) + " " + N(cw.b));
        if (s.hasNoll)
            line("ZONE NOLL " + N(s.noll.a) + " " + N(s.noll.b));
        for (const Zone& z : s.sidewalks)
            line("ZONE SW " + N(z.a) + " " + N(z.b));
        for (const Strip& st : s.strips)
            line("STRIP " + N(st.item) + " " + N(st.xa) + " " + N(st.xb) + " " + N(st.h));
        for (auto [c, x] : s.rails)
            line("LINE " + N(c) + " " + N(x));
        for (size_t a = 0; a < s.attach.size(); ++a)
            line("ATTACH " + N(int(a) + 1) + " " + N(s.attach[a].second));
    }
    line("/END");
    return o;
}

int RunInDir(const std::string& exe, const std::string& dir, double timeout, ProcessStats* stats,
             const std::string& console)
{
    const auto t0 = std::chrono::steady_clock::now();
    const pid_t pid = fork();
    if (pid < 0)
        return -1;
    if (pid == 0) {
        if (!console.empty()) {
            const int fd = open(console.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
            if (fd < 0 || dup2(fd, 1) < 0 || dup2(fd, 2) < 0)
                _exit(127);
            close(fd);
        }
        if (chdir(dir.c_str()) != 0)
            _exit(127);
        execl(exe.c_str(), exe.c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
    int status = 0;
    struct rusage ru = {};
    while (true) {
        const pid_t r = wait4(pid, &status, WNOHANG, &ru);
        if (r == pid)
            break;
        if (r < 0)
            return -1;
        const double t = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
        if (t > timeout) {
            kill(pid, SIGKILL);
            wait4(pid, &status, 0, &ru);
            return -1;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    if (stats) {
        stats->seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
        stats->maxRssKb = ru.ru_maxrss;
    }
    if (!WIFEXITED(status) || WEXITSTATUS(status) == 127)
        return -1;
    return WEXITSTATUS(status);
}

BridgeLayout LargestLayout()
{
    BridgeLayout s;
    s.title = "Largest model";
    s.G = 20;
    s.spans.assign(14, 50.0);
    s.panels = {20};
    s.spacing = 2.5;
    s.overhang = 1.2;
    s.A = 0.06;
    s.I = 0.05;
    s.J = 2e-5;
    s.liveLoad = 1;
    s.sidewalk = 3;
    const double W = s.Width();
    s.autoZones = false;
    s.cw = {2.0, W - 2.0};
    s.sidewalks = {{0.4, 1.8}, {W - 1.8, W - 0.4}};
    s.strips = {{8, 0, W, 0.22}, {4, 2.0, W - 2.0, 0.08}, {3, 0.4, 1.8, 0.03}, {3, W - 1.8, W - 0.4, 0.03}};
    s.unitWeight = {{3, 2.3}, {4, 2.3}, {8, 2.5}};
    s.rails = {{1, 0.2}, {2, W - 0.2}};
    s.rail1 = s.rail2 = 0.05;
    s.steel.assign(s.G, 0.45);
    s.haunch.assign(s.G, 0.12);
    s.live = true;
    s.liveD = 10;
    s.p1m = 1.0;
    s.p1s = 1.2;
    s.p2.assign(14, 0.35);
    s.pc.assign(14, 0.35);
    // cross beams every fifth panel point, sway bracing over the supports
    for (int p = 1; p <= s.PanelPoints(); ++p) {
        if ((p - 1) % 20 == 0)
            s.cross.push_back({p, (p == 1 || p == s.PanelPoints()) ? 0 : 3, 0.02, 0});
        else if ((p - 1) % 5 == 0)
            s.cross.push_back({p, 2, 0.01, 1e-4});
    }
    return s;
}

std::string MakeWorkFolder(const char* prefix)
{
    std::error_code ec;
    const std::filesystem::path temp = std::filesystem::temp_directory_path(ec);
    std::string name = ((ec ? std::filesystem::path("/tmp") : temp) / (std::string(prefix) + "XXXXXX")).string();
    return mkdtemp(name.data()) ? name : std::string();
}

} // namespace mvgtest
