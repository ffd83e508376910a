#include "solver/stages.h"

#include "solver/listing.h"
#include "solver/serial.h"
#include "solver/solver_files.h"

#include <cmath>
#include <cstdio>
#include <fstream>
#include <new>
#include <sstream>

namespace mvg {

namespace {

using namespace mvgfiles;

[[noreturn]] void Damaged(const char* what)
{
    throw Failure(kDamaged, std::string("intermediate damaged: ") + what);
}

void Need(bool ok, const char* what)
{
    if (!ok)
        Damaged(what);
}

// The payloads are ours, but a damaged file must not make a later stage misbehave:
// every count and index is checked before use.
bool Finite(double v)
{
    return std::isfinite(v);
}

template <class V>
bool AllFinite(const V& v)
{
    for (double x : v)
        if (!std::isfinite(x))
            return false;
    return true;
}

void Validate(const Model& m)
{
    Need(Finite(m.loadingWidth) && Finite(m.p1Factor) && Finite(m.p2Factor) && Finite(m.E) && Finite(m.Gmod) &&
             Finite(m.snow) && Finite(m.liveD) && Finite(m.p1m) && Finite(m.p1s) && AllFinite(m.unitWeight) &&
             AllFinite(m.railLoad),
         "model values");
    Need(m.G >= 1 && m.G <= kMaxGirders && m.P >= 2 && m.P <= kMaxPanelPoints && m.S >= 1 &&
             m.S <= kMaxSpans && m.S < m.P && m.nLines >= 1 && m.nLines <= m.G,
         "model sizes");
    Need(m.liveLoad >= 0 && m.liveLoad <= 5 && m.stamp.size() == 16, "model options");
    Need(int(m.spans.size()) == m.S && int(m.bearings.size()) == m.nLines * (m.S + 1), "model counts");
    for (int k = 0; k < m.S; ++k)
        Need(m.spans[k].pFirst >= 0 && m.spans[k].pFirst < m.spans[k].pLast && m.spans[k].pLast < m.P &&
                 (k == 0 || m.spans[k].pFirst == m.spans[k - 1].pLast),
             "spans");
    Need(m.spans.back().pLast == m.P - 1 && m.spans.front().pFirst == 0, "spans");
    for (const Bearing& b : m.bearings)
        Need(b.node >= 0 && b.node < m.nodes() && b.support >= 0 && b.support <= m.S && b.line >= 0 &&
                 b.line < m.nLines && (b.kt == 0 || b.kt == 1),
             "bearings");
    for (int i = 0; i < int(m.bearings.size()); ++i)
        Need(m.bearings[i].support * m.nLines + m.bearings[i].line == i, "bearing order");
    Need(int(m.haunch.size()) == m.G && int(m.steel.size()) == m.G && int(m.dummy.size()) == m.G, "line data");
    Need(int(m.girders.size()) == m.girderMembers() && int(m.X.size()) == m.nodes() &&
             int(m.Y.size()) == m.nodes() && int(m.sections.size()) == m.P,
         "model arrays");
    Need(int(m.cross.size()) <= (m.G - 1) * m.P, "cross members");
    for (const CrossMember& c : m.cross)
        Need(c.nodeI >= 0 && c.nodeI < m.nodes() && c.nodeJ >= 0 && c.nodeJ < m.nodes() && c.nodeI != c.nodeJ,
             "cross members");
    for (const Section& s : m.sections) {
        Need(Finite(s.T) && Finite(s.W) && AllFinite(s.gx) && AllFinite(s.attachX) && Finite(s.cw.a) &&
                 Finite(s.cw.b) && s.cw.a <= s.cw.b && Finite(s.noll.a) && Finite(s.noll.b),
             "section values");
        for (const Zone& z : s.sidewalks)
            Need(Finite(z.a) && Finite(z.b), "section values");
        for (const Strip& st : s.strips)
            Need(Finite(st.xa) && Finite(st.xb) && Finite(st.h), "section values");
        for (const PointLoadAt& r : s.rails)
            Need(Finite(r.x), "section values");
        Need(int(s.gx.size()) == m.G && s.attachX.size() == m.attachLoad.size() && s.sidewalks.size() <= 2 &&
                 s.strips.size() <= 64 && s.rails.size() <= 2,
             "sections");
        for (int g = 1; g < m.G; ++g)
            Need(s.gx[g] > s.gx[g - 1], "girder positions");
        for (const Strip& st : s.strips)
            Need(st.item >= 3 && st.item <= 9, "strips");
        for (const PointLoadAt& r : s.rails)
            Need(r.item >= 1 && r.item <= 2, "railings");
    }
    for (int p = 1; p < m.P; ++p)
        Need(m.sections[p].T > m.sections[p - 1].T, "panel points");
}

void Validate(const Model& m, const Elements& el)
{
    Need(int(el.cosB.size()) == m.nodes() && int(el.sinB.size()) == m.nodes(), "node frames");
    Need(el.list.size() == size_t(m.girderMembers()) + m.cross.size(), "element count");
    for (const Element& e : el.list)
        Need(e.nodeI >= 0 && e.nodeI < m.nodes() && e.nodeJ >= 0 && e.nodeJ < m.nodes() && e.chord > 0, "elements");
}

void Validate(const Stiffness& st, int nodes, int bearings)
{
    const int n = st.K.n, b = st.K.b;
    Need(n >= 0 && b >= 0 && (n == 0 || b < n) && st.K.a.size() == size_t(n) * (b + 1), "band");
    Need(st.G >= 1 && (nodes < 0 || int(st.freeIndex.size()) == 3 * nodes) && int(st.dofOfFree.size()) == n,
         "DOF numbering");
    for (int d : st.dofOfFree)
        Need(d >= 0 && d < int(st.freeIndex.size()), "DOF numbering");
    for (int f : st.freeIndex)
        Need(f >= -1 && f < n, "DOF numbering");
    Need(bearings < 0 || int(st.reaction.size()) == bearings, "reaction rows");
    for (const SparseRow& r : st.reaction) {
        Need(r.col.size() == r.val.size(), "reaction rows");
        for (int c : r.col)
            Need(c >= 0 && c < n, "reaction rows");
    }
}

void Validate(const Stiffness& st, const BandMatrix& L)
{
    Need(L.n == st.K.n && L.b == st.K.b && L.a.size() == st.K.a.size(), "factor");
}

void Validate(const Model& m, const DeadResult& d)
{
    Need(int(d.member.size()) == m.girderMembers() && d.reaction.size() == m.bearings.size() &&
             int(d.deflection.size()) == m.nodes(),
         "dead-load results");
}

void Validate(const Model& m, const LiveResult& l)
{
    const size_t detail = m.wantsDetail() ? size_t(m.S + 1) * m.nLines * m.nLines : 0;
    Need(int(l.impactSpan.size()) == m.S && int(l.impactEnd.size()) == m.S &&
             int(l.member.size()) == m.girderMembers() && l.reaction.size() == m.bearings.size() &&
             int(l.deflection.size()) == m.nodes() && l.detail.size() == detail,
         "live-load results");
}

std::string ReadText(const std::string& path)
{
    std::ifstream f(path, std::ios::binary);
    if (!f)
        throw Failure(kFileMissing, "cannot read " + path);
    f.seekg(0, std::ios::end);
    const std::streamoff size = f.tellg();
    f.seekg(0, std::ios::beg);
    if (size < 0)
        throw Failure(kFileMissing, "cannot read " + path);
    if (size > (64 << 20))
        throw Failure(kSyntaxError, path + " is too large");
    std::string s(size_t(size), '\0');
    if (!f.read(s.data(), size))
        throw Failure(kFileMissing, "cannot read " + path);
    return s;
}

void WriteText(const std::string& path, const std::string& text, bool append)
{
    std::ofstream f(path, std::ios::binary | (append ? std::ios::app : std::ios::trunc));
    f.write(text.data(), std::streamsize(text.size()));
    f.close();
    if (!f)
        throw Failure(kWriteFailed, "cannot write " + path);
}

// One file name per line; blank lines are ignored.
bool ReadList(const char* path, std::vector<std::string>& out)
{
    std::ifstream f(path, std::ios::binary);
    if (!f)
        return false;
    std::string line;
    while (std::getline(f, line)) {
        while (!line.empty() && (line.back() == '\r' || line.back() == ' ' || line.back() == '\t'))
            line.pop_back();
        const size_t b = line.find_first_not_of(" \t");
        if (b == std::string::npos)
            continue;
        out.push_back(line.substr(b));
        if (out.size() > 64)
            return false;
    }
    return true;
}

} // namespace

void RunRead(const StageFiles& f)
{
    const Model m = ReadInput(ReadText(f.in[0]));
    SaveStage(f.out[0], 1, m.stamp, m);
}

void RunFrame(const StageFiles& f)
{
    std::string stamp;
    const Model m = LoadStage<Model>(f.in[0], 1, stamp);
    Validate(m);
    SaveStage(f.out[0], 2, stamp, BuildElements(m));
}

void RunAssemble(const StageFiles& f)
{
    std::string stamp;
    const Model m = LoadStage<Model>(f.in[0], 1, stamp);
    Validate(m);
    const Elements el = LoadStage<Elements>(f.in[1], 2, stamp);
    Validate(m, el);
    SaveStage(f.out[0], 3, stamp, Assemble(m, el));
}

void RunFactor(const StageFiles& f)
{
    std::string stamp;
    const Stiffness st = LoadStage<Stiffness>(f.in[0], 3, stamp);
    Validate(st, -1, -1);
    SaveStage(f.out[0], 4, stamp, FactorStiffness(st));
}

namespace {

struct Solved {
    std::string stamp;
    Model m;
    Elements el;
    Stiffness st;
    BandMatrix L;
};

Solved LoadSolved(const StageFiles& f)
{
    Solved s;
    s.m = LoadStage<Model>(f.in[0], 1, s.stamp);
    Validate(s.m);
    s.el = LoadStage<Elements>(f.in[1], 2, s.stamp);
    Validate(s.m, s.el);
    s.st = LoadStage<Stiffness>(f.in[2], 3, s.stamp);
    Validate(s.st, s.m.nodes(), int(s.m.bearings.size()));
    s.L = LoadStage<BandMatrix>(f.in[3], 4, s.stamp);
    Validate(s.st, s.L);
    return s;
}

} // namespace

void RunDead(const StageFiles& f)
{
    const Solved s = LoadSolved(f);
    SaveStage(f.out[0], 5, s.stamp, SolveDead(s.m, s.el, s.st, s.L));
}

void RunLive(const StageFiles& f)
{
    const Solved s = LoadSolved(f);
    SaveStage(f.out[0], 6, s.stamp, SolveLive(s.m, s.el, s.st, s.L));
}

void RunCombine(const StageFiles& f)
{
    std::string stamp;
    const Model m = LoadStage<Model>(f.in[0], 1, stamp);
    Validate(m);
    const DeadResult dead = LoadStage<DeadResult>(f.in[1], 5, stamp);
    Validate(m, dead);
    const LiveResult live = LoadStage<LiveResult>(f.in[2], 6, stamp);
    Validate(m, live);
    const std::vector<ListingPart> parts = Combine(m, dead, live);
    std::string list;
    if (!m.wantsDetail())
        std::remove(f.out[kDetailBlock - 1].c_str());
    for (const ListingPart& p : parts) {
        const std::string& name = f.out[p.block - 1];
        SaveStage(name, 7, stamp, p);
        list += name + "\n";
    }
    WriteText(f.out[kResultFileCount], list, false);
}

void RunList(const StageFiles& f)
{
    std::string stamp;
    const ListingPart part = LoadStage<ListingPart>(f.in[0], 7, stamp);
    const std::string text = FormatPart(part, stamp);
    WriteText(f.out[0], text, part.first == 0);
}

int RunProgram(const char* name, int inputs, int outputs, const std::function<void(const StageFiles&)>& stage)
{
    int code = kOk;
    std::string why = "ok";
    StageFiles files;
    bool listed = false;
    try {
        if (!ReadList(kInputList, files.in) || !ReadList(kOutputList, files.out))
            throw Failure(kFileMissing, "IFIL or OFIL missing or unreadable");
        if ((inputs >= 0 && int(files.in.size()) != inputs) || (outputs >= 0 && int(files.out.size()) != outputs))
            throw Failure(kFileMissing, "IFIL or OFIL does not name " + std::to_string(inputs) + " inputs and " +
                                            std::to_string(outputs) + " outputs");
        listed = true;
        stage(files);
    } catch (const Failure& e) {
        code = e.code();
        why = e.what();
    } catch (const std::bad_alloc&) {
        code = kOutOfMemory;
        why = "out of memory";
    } catch (const std::exception& e) {
        code = kDamaged;
        why = e.what();
    } catch (...) {
        code = kDamaged;
        why = "unexpected failure";
    }
    if (code != kOk && listed)
        for (const std::string& out : files.out)
            std::remove(out.c_str());
    for (char& c : why)
        if (c == '\n' || c == '\r')
            c = ' ';
    std::ofstream e(kErrorFile, std::ios::binary | std::ios::trunc);
    e << code << '\n' << name << '\n' << why << '\n';
    e.close();
    if (!e)
        return code != kOk ? code : int(kWriteFailed);
    return code;
}

} // namespace mvg
