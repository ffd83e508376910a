// The girder's own derived values and the sizing of the plates of one block.
#include "design/girder_design.h"
#include "design/section_calc.h"
#include "design/steel_tables.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>

double CGirderDesign::GetSteelWeightPerLength(int nOption) const
{
    const CDesignInput& in = m_input;
    if (in.m_nBridgeType == 2 && m_nGirderNo != 1)
        return 0.0;
    const int choice = in.m_nDeadLoadChoice;
    if (m_nSections == 0 || m_pSections.empty() || m_pSections[0].m_dWWhole < 1e-20 || (nOption == 0 && choice == 1))
        return in.m_bSIUnits ? in.m_dAssumedWeight / steel::kGravity : in.m_dAssumedWeight;   // kN/m to tf/m
    double w = 0.0;
    for (const CSectionRecord& s : m_pSections)
        w += s.m_dWWhole;
    if (choice == 2 || (choice == 1 && nOption == 1))
        w *= in.m_dGirderFactor;
    return m_dGirderLength >= 1e-20 ? w / m_dGirderLength : w;
}

std::vector<double> CGirderDesign::BlockLengths() const
{
    std::vector<double> blocks;
    const size_t n = std::min(m_pSections.size(), size_t(m_nSections > 0 ? m_nSections : 0));
    for (size_t s = 0; s < n; ++s) {
        const CSectionRecord& section = m_pSections[s];
        if (blocks.empty() || section.m_nJoinPrev != 1)
            blocks.push_back(0.0);
        blocks.back() += section.m_dLength;
    }
    return blocks;
}

std::vector<std::pair<int, int>> CGirderDesign::Blocks() const
{
    std::vector<std::pair<int, int>> blocks;
    for (int s = 0; s < int(m_pSections.size()); ++s) {
        if (blocks.empty() || m_pSections[s].m_nJoinPrev != 1)
            blocks.push_back({s, s});
        blocks.back().second = s;
    }
    return blocks;
}

void CGirderDesign::UpdateMaxFlangeWidths()
{
    m_dMaxBUpper = m_dMaxBLower = 0.0;
    for (const CSectionRecord& section : m_pSections) {
        m_dMaxBUpper = std::max(m_dMaxBUpper, section.m_dBUpper);
        m_dMaxBLower = std::max(m_dMaxBLower, section.m_dBLower);
    }
}

void CGirderDesign::AllocSections()
{
    m_nSections = std::max(0, m_nSections);
    m_pSections.assign(size_t(m_nSections), CSectionRecord());
}

int CGirderDesign::IndexOf(const CSectionRecord& s) const
{
    if (m_pSections.empty() || &s < m_pSections.data() || &s >= m_pSections.data() + m_pSections.size())
        return -1;
    return int(&s - m_pSections.data());
}

void CGirderDesign::SectionExtent(int s, double& a, double& b) const
{
    double sum = 0, total = 0;
    for (int k = 0; k < int(m_pSections.size()); ++k) {
        if (k < s)
            sum += m_pSections[k].m_dLength;
        total += m_pSections[k].m_dLength;
    }
    const double L = m_dGirderLength;
    a = std::clamp(sum, 0.0, L);
    b = std::clamp(sum + (s < int(m_pSections.size()) ? m_pSections[s].m_dLength : 0.0), 0.0, L);
    if (s == int(m_pSections.size()) - 1 && std::fabs(total - L) <= 0.05)
        b = L;
}

double CGirderDesign::WebHeightAt(double x) const
{
    const CDesignInput& in = m_input;
    double h = in.m_dGirderHeight;
    if (in.m_nHeightVariation == 0 && !m_adX.empty()) {
        int s = 0;
        while (s + 1 < m_nSpans && x >= m_adX[m_pnSpanStart[s + 1]])
            ++s;
        if (s < int(in.m_aProfileX.size()) && !in.m_aProfileX[s].empty()) {
            const std::vector<double>& px = in.m_aProfileX[s];
            const std::vector<double>& ph = in.m_aProfileH[s];
            const double local = x - m_adX[m_pnSpanStart[s]];
            if (local <= px.front())
                h = ph.front();
            else if (local >= px.back())
                h = ph.back();
            else {
                const size_t k = size_t(std::upper_bound(px.begin(), px.end(), local) - px.begin());
                const double t = (local - px[k - 1]) / std::max(1e-12, px[k] - px[k - 1]);
                h = ph[k - 1] + (ph[k] - ph[k - 1]) * t;
            }
        }
    }
    return std::round(h * 1000.0) / 1000.0;
}

std::vector<double> CGirderDesign::FixedPoints() const { return m_adFixed; }

double CGirderDesign::BracedLength(double x, int j) const
{
    const std::vector<double>& f = m_adFixed;
    if (f.size() < 2)
        return m_dGirderLength;
    const int n = int(f.size());
    // Interval k runs from f[k] to f[k + 1].
    auto interval = [&](int k) { return f[std::clamp(k, 0, n - 2) + 1] - f[std::clamp(k, 0, n - 2)]; };
    const int right = int(std::upper_bound(f.begin(), f.end(), x + 1e-6) - f.begin()) - 1;   // f[right] <= x
    const bool on = right >= 0 && std::fabs(f[right] - x) <= 1e-6;
    if (j == 0)
        return interval(right);
    if (j == 1)
        return interval(on ? right - 1 : right);
    return on ? std::max(interval(right - 1), interval(right)) : interval(right);
}

double CGirderDesign::EffectiveSpan(double x, int nSign) const
{
    if (m_pdSpanLength.empty())
        return m_dGirderLength;
    int s = 0;
    while (s + 1 < m_nSpans && x >= m_adX[m_pnSpanStart[s + 1]])
        ++s;
    const double ls = m_pdSpanLength[s];
    if (m_nSpans == 1)
        return ls;
    if (nSign >= 0)
        return (s == 0 || s == m_nSpans - 1) ? 0.8 * ls : 0.6 * ls;
    int best = 1;
    for (int k = 1; k < m_nSpans; ++k)
        if (std::fabs(m_adX[m_pnSpanStart[k]] - x) < std::fabs(m_adX[m_pnSpanStart[best]] - x))
            best = k;
    return 0.2 * (m_pdSpanLength[best - 1] + m_pdSpanLength[best]);
}

namespace {

constexpr int kWidthStepMm = 10;
constexpr double kMinPlate = 0.008;
constexpr double kTol = 1e-9;

// Widths are whole millimetres while searched, so that a stored width is the metre value
// of its millimetres (0.57, never 0.5700000000000003).
int Mm(double b) { return b >= 0.0 ? int(b * 1000.0 + 0.5) : int(std::lround(b * 1000.0)); }
double Metres(int mm) { return mm / 1000.0; }
int CeilStepMm(double b) { return int(std::ceil(b * 1000.0 / kWidthStepMm - 1e-6)) * kWidthStepMm; }
double CeilStep(double b) { return Metres(CeilStepMm(b)); }

// Limits of the plates in m: thickness floors of 8 mm, a minimum never above its maximum.
struct Limits {
    double tuMax, tuMin, buMax, buMin, tlMax, tlMin, blMax, blMin, twMax, twMin;
};

Limits MakeLimits(const CDesignInput& in)
{
    Limits l{};
    double* v[10] = {&l.tuMax, &l.tuMin, &l.buMax, &l.buMin, &l.tlMax, &l.tlMin, &l.blMax, &l.blMin, &l.twMax, &l.twMin};
    for (int k = 0; k < 10; ++k)
        *v[k] = in.m_adLimit[k];
    for (double* t : {&l.tuMax, &l.tuMin, &l.tlMax, &l.tlMin, &l.twMax, &l.twMin})
        *t = std::max(*t, kMinPlate);
    l.tuMin = std::min(l.tuMin, l.tuMax);
    l.buMin = std::min(l.buMin, l.buMax);
    l.tlMin = std::min(l.tlMin, l.tlMax);
    l.blMin = std::min(l.blMin, l.blMax);
    l.twMin = std::min(l.twMin, l.twMax);
    return l;
}

// Whether a check that passed before fails now.
bool FailsAnew(const std::vector<char>& before, const std::vector<char>& now)
{
    if (before.size() != now.size())
        return true;
    for (size_t i = 0; i < now.size(); ++i)
        if (now[i] && !before[i])
            return true;
    return false;
}

// The plates a block shares.
struct BlockPlates {
    double bu = 0, tu = 0, bl = 0, tl = 0, tw = 0;
    int levels = 0, gu = 3, gl = 3, gw = 3;
    int nRu = 0, nRl = 0;
    double hRu = 0, tRu = 0, hRl = 0, tRl = 0;
};

// What every block of a girder is designed by: the plate limits, the thickness lists and the
// limit grades. Worked out once per girder operation, as a girder's blocks are designed many
// times over.
struct Rules {
    explicit Rules(const CGirderDesign& g) : lim(MakeLimits(g.m_input))
    {
        const CDesignInput& in = g.m_input;
        box = g.IsBox();
        margin = steel::ToTf(in.m_dBendingMargin, in.m_bSIUnits);
        listU = steel::Thicknesses(in.m_nThicknessStep, lim.tuMin, lim.tuMax);
        listL = steel::Thicknesses(in.m_nThicknessStep, lim.tlMin, lim.tlMax);
        twMin = in.m_bMinWebTableOnly ? kMinPlate : std::max(kMinPlate, lim.twMin);
        listW = steel::Thicknesses(in.m_nThicknessStep, twMin, lim.twMax);
        limitU = steel::LimitGrade(in.m_nUFGrade, in.m_nWeathering);
        limitL = steel::LimitGrade(in.m_nLFGrade, in.m_nWeathering);
        limitW = steel::LimitGrade(in.m_nWebGrade, in.m_nWeathering);
        levelMax = box ? std::clamp(in.m_nStiffenerStepsBox, 0, 2)
                       : (in.m_nStiffenerSteps == 0 ? 2 : std::clamp(in.m_nStiffenerSteps - 1, 0, 2));
        boxBu = in.m_dFlangeWidthW / 1000.0;
        boxBl = in.m_dWebSpacingA / 1000.0 + 0.10;
    }
    Limits lim;
    bool box = false;
    double margin = 0;
    std::vector<double> listU, listL, listW;
    double twMin = kMinPlate;
    int limitU = 3, limitL = 3, limitW = 3;
    int levelMax = 2;
    double boxBu = 0, boxBl = 0;
};

class BlockDesigner {
public:
    BlockDesigner(CGirderDesign& g, int first, int last, const Rules& rules)
        : m_g(g), m_in(g.m_input), m_first(first), m_last(last), m_r(rules)
    {
        for (int s = first; s <= last; ++s) {
            if (s < int(g.m_adLowerBoundB[0].size()))
                m_lowerB[0] = std::max(m_lowerB[0], g.m_adLowerBoundB[0][s]);
            if (s < int(g.m_adLowerBoundB[1].size()))
                m_lowerB[1] = std::max(m_lowerB[1], g.m_adLowerBoundB[1][s]);
            if (s < int(g.m_adLowerBoundTw.size()))
                m_lowerTw = std::max(m_lowerTw, g.m_adLowerBoundTw[s]);
        }
        m_holesFor.assign(size_t(last - first + 1), {std::nan(""), std::nan("")});
        TakeLoads();
    }

    // The loads at every check point, again whenever the check points may have moved.
    void TakeLoads()
    {
        m_loads.resize(size_t(m_last - m_first + 1));
        for (int s = m_first; s <= m_last; ++s)
            for (int j = 0; j < 3; ++j)
                m_loads[size_t(s - m_first)][j] = LoadsAt(Sec(s), m_g, j);
    }

    CSectionRecord& Sec(int s) { return m_g.m_pSections[s]; }
    const CheckPointLoads& Loads(const CSectionRecord& r, int j) const
    {
        return m_loads[size_t(&r - &m_g.m_pSections[size_t(m_first)])][j];
    }

    BlockPlates Current() const
    {
        const CSectionRecord& s = m_g.m_pSections[m_first];
        BlockPlates p;
        p.bu = s.m_dBUpper; p.tu = s.m_dTUpper; p.bl = s.m_dBLower; p.tl = s.m_dTLower; p.tw = s.m_dTWeb;
        p.levels = s.m_nStiffenerLevels; p.gu = s.m_nGradeUpper; p.gl = s.m_nGradeLower; p.gw = s.m_nGradeWeb;
        p.nRu = s.m_nRibsUpper; p.nRl = s.m_nRibsLower;
        p.hRu = s.m_dRibHUpper; p.tRu = s.m_dRibTUpper; p.hRl = s.m_dRibHLower; p.tRl = s.m_dRibTLower;
        return p;
    }

    void Apply(BlockPlates p)
    {
        if (m_r.box)
            Ribs(p);
        for (int s = m_first; s <= m_last; ++s) {
            CSectionRecord& r = Sec(s);
            r.m_dBUpper = p.bu; r.m_dTUpper = p.tu; r.m_dBLower = p.bl; r.m_dTLower = p.tl; r.m_dTWeb = p.tw;
            r.m_nStiffenerLevels = p.levels; r.m_nGradeUpper = p.gu; r.m_nGradeLower = p.gl; r.m_nGradeWeb = p.gw;
            r.m_nRibsUpper = p.nRu; r.m_nRibsLower = p.nRl;
            r.m_dRibHUpper = p.hRu; r.m_dRibTUpper = p.tRu; r.m_dRibHLower = p.hRl; r.m_dRibTLower = p.tRl;
            // The holes follow the widths alone, and most steps change a thickness only.
            std::array<double, 2>& holesFor = m_holesFor[size_t(s - m_first)];
            if (holesFor[0] != p.bu || holesFor[1] != p.bl) {
                r.SetBoltHoles(m_in);
                holesFor = {p.bu, p.bl};
            }
        }
    }

    // Box ribs follow the flange's thickness and grade.
    void Ribs(BlockPlates& p) const
    {
        const bool upperComp = m_sign >= 0;
        auto size = [&](int grade, double t, int& n, double& h, double& th, bool comp) {
            const int group = steel::Group(grade);
            const int col = group == 1 ? 0 : grade == 2 ? 1 : group == 3 ? 2 : 3;
            int row = -1, lastFilled = -1;
            for (int r = 0; r < 20; ++r) {
                if (m_in.m_adRibWidth[col][r] < 1e-20)
                    break;
                lastFilled = r;
                if (row < 0 && m_in.m_adRibThick[col][r] >= t - 1e-9)
                    row = r;
            }
            if (!m_in.m_bAdjustRibThickness)
                row = lastFilled >= 0 ? 0 : -1;
            else if (row < 0)
                row = lastFilled;
            if (row < 0) {
                n = 0; h = th = 0;
                return;
            }
            n = comp ? m_in.m_nCompRibCount : m_in.m_nTensRibCount;
            h = m_in.m_adRibWidth[col][row];
            th = m_in.m_adRibThick[col][row];
        };
        size(p.gu, p.tu, p.nRu, p.hRu, p.tRu, upperComp);
        size(p.gl, p.tl, p.nRl, p.hRl, p.tRl, !upperComp);
    }

    template <class Fn>
    bool EachPoint(Fn fn)
    {
        for (int s = m_first; s <= m_last; ++s)
            for (int j = 0; j < 3; ++j)
                if ((j < 2 || Sec(s).m_bHasC) && !fn(Sec(s), j))
                    return false;
        return true;
    }

    // Every check point with its loads and stress section.
    template <class Fn>
    bool EachPointChecked(Fn fn)
    {
        for (int s = m_first; s <= m_last; ++s) {
            CSectionRecord& r = Sec(s);
            section::Properties p;
            for (int j = 0; j < 3; ++j) {
                if (j == 2 && !r.m_bHasC)
                    continue;
                TakeSection(r, j, p);
                if (!fn(r, j, m_loads[size_t(s - m_first)][j], p))
                    return false;
            }
        }
        return true;
    }

    // A plate girder's stress section is that of every check point: worked out at the first.
    void TakeSection(const CSectionRecord& r, int j, section::Properties& p) const
    {
        if (j == 0 || m_r.box)
            p = StressSection(r, m_g, j);
    }

    double Combined(const CSectionRecord& r, int j, const CheckPointLoads& l, const section::Properties& p) const
    {
        return CombinedStressRatio(r, j, EvaluateFlange(r, m_g, j, 0, l, p), EvaluateFlange(r, m_g, j, 1, l, p));
    }

    double ShearRatio(const CSectionRecord& r, int j) const
    {
        const double ta = r.GetAllowableShearStress();
        return ta > 1e-20 ? std::fabs(r.GetShearStress(j)) / ta : 0.0;
    }

    // Bending with the margin, the flange's own combined ratio and its proportions.
    bool FlangeOK(int f)
    {
        const double a = m_in.m_dWebSpacingA / 1000.0;
        const CSectionRecord& r0 = Sec(m_first);
        const double b = f == 0 ? r0.m_dBUpper : r0.m_dBLower, t = f == 0 ? r0.m_dTUpper : r0.m_dTLower;
        if (!m_in.m_bIgnoreTB16) {
            const double projection = m_r.box ? (f == 0 ? (b - a - r0.m_dTWeb) / 2 : 0.0) : (b - r0.m_dTWeb) / 2;
            if (projection > 16 * t + kTol)
                return false;
        }
        return EachPointChecked([&](CSectionRecord& r, int j, const CheckPointLoads& l, const section::Properties& p) {
            const FlangeCheck c = EvaluateFlange(r, m_g, j, f, l, p);
            for (const FlangeCheck::Case& k : c.cases)
                if (k.stress > k.allowable - m_r.margin + kTol)
                    return false;
            const double fr = c.allowable > 1e-20 ? c.stress / c.allowable : 0.0;
            const double sr = ShearRatio(r, j);
            if (fr * fr + sr * sr > 1.2 + kTol)
                return false;
            if (!m_r.box && f == 1) {
                bool compressed = false;
                for (const FlangeCheck::Case& k : c.cases)
                    compressed |= k.compression;
                if (compressed && l.braced / std::max(1e-20, b) > steel::LateralLimit(r.m_nGradeLower) + kTol)
                    return false;
            }
            return true;
        });
    }

    bool CombinedOK()
    {
        return EachPointChecked([&](CSectionRecord& r, int j, const CheckPointLoads& l, const section::Properties& p) {
            return Combined(r, j, l, p) <= 1.2 + kTol;
        });
    }

    double MaxCombined()
    {
        double worst = 0;
        EachPointChecked([&](CSectionRecord& r, int j, const CheckPointLoads& l, const section::Properties& p) {
            worst = std::max(worst, Combined(r, j, l, p));
            return true;
        });
        return worst;
    }

    bool WebOK()
    {
        const CSectionRecord& r0 = Sec(m_first);
        if (MaxWebHeight() / r0.m_dTWeb > steel::WebRatio(r0.m_nGradeWeb, r0.m_nStiffenerLevels) + kTol)
            return false;
        return EachPointChecked([&](CSectionRecord& r, int j, const CheckPointLoads& l, const section::Properties& p) {
            return std::fabs(r.GetShearStress(j)) <= r.GetAllowableShearStress() + kTol && Combined(r, j, l, p) <= 1.2 + kTol;
        });
    }

    double MaxWebHeight()
    {
        double h = 0;
        for (int s = m_first; s <= m_last; ++s)
            h = std::max(h, Sec(s).m_dHWeb);
        return h;
    }

    double Volume()
    {
        double v = 0;
        for (int s = m_first; s <= m_last; ++s) {
            const CSectionRecord& r = Sec(s);
            v += (r.m_dBUpper * r.m_dTUpper + r.m_dBLower * r.m_dTLower + r.m_nWebs * r.m_dHWeb * r.m_dTWeb +
                  r.m_nRibsUpper * r.m_dRibHUpper * r.m_dRibTUpper + r.m_nRibsLower * r.m_dRibHLower * r.m_dRibTLower) *
                 std::max(r.m_dLength, 1e-3);
        }
        return v;
    }

    // Web thickness and stiffener levels (t_other given, or from shear and the minimum).
    void SizeWeb(BlockPlates& p, double tOther)
    {
        const double hMax = MaxWebHeight();
        if (tOther <= 0) {
            double shear = 0;
            for (int s = m_first; s <= m_last; ++s)
                for (int j = 0; j < 3; ++j)
                    shear = std::max(shear, std::fabs(Sec(s).m_adS[j]));
            double tShear = m_r.listW.back();
            for (double t : m_r.listW)
                if (hMax < 1e-20 || shear / (Sec(m_first).m_nWebs * hMax * t) <=
                                        steel::AllowableShear(p.gw, t, m_in.m_bSIUnits, m_in.m_nHSteel) + kTol) {
                    tShear = t;
                    break;
                }
            tOther = steel::RoundUp(m_r.listW, std::max({tShear, m_r.twMin, m_lowerTw}));
        }
        int levels = m_r.levelMax;
        for (int n = 0; n <= m_r.levelMax; ++n)
            if (hMax / steel::WebRatio(p.gw, n) <= tOther + kTol) {
                levels = n;
                break;
            }
        p.levels = levels;
        p.tw = std::min(steel::RoundUp(m_r.listW, std::max(tOther, hMax / steel::WebRatio(p.gw, levels))), m_r.lim.twMax);
    }

    // Start area of a flange from the largest moment that stresses it.
    double EstimateArea(int f, const BlockPlates& p)
    {
        const std::vector<double>& list = f == 0 ? m_r.listU : m_r.listL;
        const double bMin = f == 0 ? m_r.lim.buMin : m_r.lim.blMin;
        double need = bMin * list.front();
        const double hMax = MaxWebHeight();
        const double aw = Sec(m_first).m_nWebs * hMax * p.tw;
        const double sa = steel::AllowableBending(f == 0 ? p.gu : p.gl, list.front(), m_in.m_bSIUnits, m_in.m_nHSteel);
        EachPoint([&](CSectionRecord& r, int j) {
            for (double mc : Loads(r, j).m)
                if (std::fabs(mc) >= 0.1 && sa - m_r.margin > 1e-20 && r.m_dHWeb > 1e-20)
                    need = std::max(need, std::fabs(mc) / ((sa - m_r.margin) * r.m_dHWeb) - aw / 6);
            return true;
        });
        return need;
    }

    bool LowerCompressed()
    {
        bool any = false;
        EachPoint([&](CSectionRecord& r, int j) {
            const double* m = Loads(r, j).m;
            any |= m[0] <= -0.1 || m[1] <= -0.1;
            return true;
        });
        return any;
    }

    double LongestBraced()
    {
        double l = 0;
        EachPoint([&](CSectionRecord& r, int j) {
            l = std::max(l, Loads(r, j).braced);
            return true;
        });
        return l;
    }

    // The first of list[lo, hi) with which flange f of width b passes, hi when none. Within a
    // band of the allowable stresses a thicker plate never does worse, so each band is halved
    // rather than walked; the bands are taken thinnest first.
    size_t ThinnestPassing(const BlockPlates& p, int f, double b, const std::vector<double>& list, size_t lo, size_t hi)
    {
        auto passes = [&](size_t i) {
            BlockPlates q = p;
            (f == 0 ? q.bu : q.bl) = b;
            (f == 0 ? q.tu : q.tl) = list[i];
            Apply(q);
            return FlangeOK(f);
        };
        auto band = [&](size_t i) { return Mm(list[i]) <= 40 ? 0 : Mm(list[i]) <= 75 ? 1 : Mm(list[i]) <= 100 ? 2 : 3; };
        for (size_t first = lo; first < hi;) {
            size_t last = first;
            while (last + 1 < hi && band(last + 1) == band(first))
                ++last;
            if (passes(last)) {
                size_t a = first, z = last;
                while (a < z) {
                    const size_t mid = a + (z - a) / 2;
                    if (passes(mid))
                        z = mid;
                    else
                        a = mid + 1;
                }
                return a;
            }
            first = last + 1;
        }
        return hi;
    }

    // Searches flange f; fixedB > 0 searches thicknesses only. aboveArea > 0 asks for a pair
    // of larger area (later rounds). Returns false when nothing passes (the largest stands).
    bool SearchFlange(BlockPlates& p, int f, double fixedB, double aboveArea)
    {
        const std::vector<double>& list = f == 0 ? m_r.listU : m_r.listL;
        double bLo = f == 0 ? m_r.lim.buMin : m_r.lim.blMin;
        const double bHi = f == 0 ? m_r.lim.buMax : m_r.lim.blMax;
        if (f == 1 && !m_r.box && LowerCompressed())
            bLo = std::max(bLo, LongestBraced() / steel::LateralLimit(p.gl));
        bLo = std::max(bLo, m_lowerB[f]);
        int loMm = CeilStepMm(bLo), hiMm = Mm(bHi);
        if (fixedB > 0)
            loMm = hiMm = Mm(fixedB);
        loMm = std::min(loMm, hiMm);
        // Areas in whole mm², so that no rounding of metres decides a tie.
        const long long above = aboveArea > 0 ? std::llround(aboveArea * 1e6) : -1;
        int bestB = -1;
        double bestT = 0;
        long long bestArea = std::numeric_limits<long long>::max();
        for (int b = loMm; b <= hiMm; b += kWidthStepMm) {
            if (static_cast<long long>(b) * Mm(list.front()) >= bestArea)
                break;
            // The thicknesses whose area lies above the floor and below the best so far.
            size_t lo = 0, hi = list.size();
            while (lo < hi && static_cast<long long>(b) * Mm(list[lo]) <= above)
                ++lo;
            while (hi > lo && static_cast<long long>(b) * Mm(list[hi - 1]) >= bestArea)
                --hi;
            const size_t t = ThinnestPassing(p, f, Metres(b), list, lo, hi);
            if (t < hi) {
                bestB = b;
                bestT = list[t];
                bestArea = static_cast<long long>(b) * Mm(list[t]);
            }
        }
        if (bestB < 0) {
            (f == 0 ? p.bu : p.bl) = fixedB > 0 ? fixedB : bHi;
            (f == 0 ? p.tu : p.tl) = list.back();
            Apply(p);
            return false;
        }
        (f == 0 ? p.bu : p.bl) = Metres(bestB);
        (f == 0 ? p.tu : p.tl) = bestT;
        Apply(p);
        return true;
    }

    void SizeFlanges(BlockPlates& p, const double fixedB[2])
    {
        for (int f = 0; f < 2; ++f) {
            double& b = f == 0 ? p.bu : p.bl;
            double& t = f == 0 ? p.tu : p.tl;
            const std::vector<double>& list = f == 0 ? m_r.listU : m_r.listL;
            t = list.front();
            if (fixedB[f] > 0) {
                b = fixedB[f];
            } else {
                const double bMin = f == 0 ? m_r.lim.buMin : m_r.lim.blMin, bMax = f == 0 ? m_r.lim.buMax : m_r.lim.blMax;
                b = std::clamp(CeilStep(std::sqrt(24 * EstimateArea(f, p))), bMin, bMax);
                b = std::min(std::max(b, m_lowerB[f]), bMax);
            }
        }
        Apply(p);
        for (int f = 0; f < 2; ++f)
            SearchFlange(p, f, fixedB[f], 0);
        for (bool changed = true; changed;) {
            changed = false;
            for (int f = 0; f < 2; ++f) {
                if (FlangeOK(f))
                    continue;
                const double area = f == 0 ? p.bu * p.tu : p.bl * p.tl;
                const std::vector<double>& list = f == 0 ? m_r.listU : m_r.listL;
                const double bMax = fixedB[f] > 0 ? fixedB[f] : (f == 0 ? m_r.lim.buMax : m_r.lim.blMax);
                if (area >= bMax * list.back() - 1e-12)
                    continue;   // at its largest already
                SearchFlange(p, f, fixedB[f], area);
                changed = true;
            }
        }
    }

    // Each plate takes the weakest grade of its ladder with which its checks pass.
    void ChooseGrades(BlockPlates& p)
    {
        auto choose = [&](int& grade, int limit, auto ok) {
            for (int g : steel::Ladder(limit, m_in.m_nWeathering)) {
                grade = g;
                Apply(p);
                if (ok())
                    return;
            }
            grade = limit;
            Apply(p);
        };
        choose(p.gu, m_r.limitU, [&] { return FlangeOK(0) && CombinedOK(); });
        choose(p.gl, m_r.limitL, [&] { return FlangeOK(1) && CombinedOK(); });
        choose(p.gw, m_r.limitW, [&] { return WebOK(); });
    }

    void Design(const double fixedB[2])
    {
        for (int s = m_first; s <= m_last; ++s) {
            double a, b;
            m_g.SectionExtent(s, a, b);
            Sec(s).m_dHWeb = m_g.WebHeightAt((a + b) / 2);
            Sec(s).Recalculate(m_g);
        }
        TakeLoads();
        // Governing sign for the box ribs.
        double largest = -1;
        EachPoint([&](CSectionRecord& r, int j) {
            if (std::fabs(r.m_adM[j]) > largest) {
                largest = std::fabs(r.m_adM[j]);
                m_sign = r.m_adM[j] >= 0 ? 1 : -1;
            }
            return true;
        });
        BlockPlates p = Current();
        p.gu = m_r.limitU;
        p.gl = m_r.limitL;
        p.gw = m_r.limitW;
        double fixed[2] = {fixedB[0], fixedB[1]};
        if (m_r.box) {
            fixed[0] = m_r.boxBu;
            fixed[1] = m_r.boxBl;
        }
        SizeWeb(p, 0);
        SizeFlanges(p, fixed);
        // A thicker web may be cheaper than the flanges the combined ratio asks for.
        while (p.tw < m_r.lim.twMax - 1e-12) {
            const BlockPlates before = p;
            const double volume = Volume(), combined = MaxCombined();
            const size_t k = size_t(std::upper_bound(m_r.listW.begin(), m_r.listW.end(), p.tw + 1e-12) - m_r.listW.begin());
            if (k >= m_r.listW.size())
                break;
            BlockPlates q = p;
            SizeWeb(q, m_r.listW[k]);
            SizeFlanges(q, fixed);
            if (Volume() < volume - 1e-12 || (combined > 1.2 + kTol && MaxCombined() < combined - 1e-12)) {
                p = q;
                continue;
            }
            p = before;
            Apply(p);
            break;
        }
        ChooseGrades(p);
        for (int s = m_first; s <= m_last; ++s) {
            Sec(s).SetBoltHoles(m_in);
            Sec(s).Recalculate(m_g);
            Sec(s).m_bEdited = 0;
        }
    }

    // Which of the printed checks fail, in an order that a block keeps while its plates
    // change: the projections and the web's h/t, then per section, check point and moment
    // case the flange stresses, the braced length, the shear and the combined ratio.
    std::vector<char> Failures()
    {
        std::vector<char> out;
        const double a = m_in.m_dWebSpacingA / 1000.0;
        const CSectionRecord& r0 = Sec(m_first);
        for (int f = 0; f < 2; ++f) {
            const double b = f == 0 ? r0.m_dBUpper : r0.m_dBLower, t = f == 0 ? r0.m_dTUpper : r0.m_dTLower;
            const double projection = m_r.box ? (f == 0 ? (b - a - r0.m_dTWeb) / 2 : 0.0) : (b - r0.m_dTWeb) / 2;
            out.push_back(!m_in.m_bIgnoreTB16 && projection > 16 * t + kTol);
        }
        out.push_back(MaxWebHeight() / r0.m_dTWeb > steel::WebRatio(r0.m_nGradeWeb, r0.m_nStiffenerLevels) + kTol);
        for (int s = m_first; s <= m_last; ++s) {
            CSectionRecord& r = Sec(s);
            section::Properties p;
            for (int j = 0; j < 3; ++j) {
                const bool at = j < 2 || r.m_bHasC;
                const CheckPointLoads& l = Loads(r, j);
                if (at)
                    TakeSection(r, j, p);
                FlangeCheck c[2];
                for (int f = 0; f < 2 && at; ++f)
                    c[f] = EvaluateFlange(r, m_g, j, f, l, p);
                for (int f = 0; f < 2; ++f) {
                    bool compressed = false;
                    for (size_t k = 0; k < 2; ++k) {
                        const bool has = k < c[f].cases.size();
                        out.push_back(has && c[f].cases[k].stress > c[f].cases[k].allowable + kTol);
                        compressed |= has && c[f].cases[k].compression;
                    }
                    const double b = f == 0 ? r.m_dBUpper : r.m_dBLower;
                    out.push_back(!m_r.box && f == 1 && compressed &&
                                  l.braced / std::max(1e-20, b) >
                                      steel::LateralLimit(r.m_nGradeLower) + kTol);
                }
                out.push_back(at && std::fabs(r.GetShearStress(j)) > r.GetAllowableShearStress() + kTol);
                out.push_back(at && CombinedStressRatio(r, j, c[0], c[1]) > 1.2 + kTol);
            }
        }
        return out;
    }

    // A kept block widened to the girder's width keeps its thickness unless a check that it
    // passed before then fails; then only its thickness grows.
    void Widen(int f, double width)
    {
        const std::vector<char> before = Failures();
        BlockPlates p = Current();
        (f == 0 ? p.bu : p.bl) = width;
        Apply(p);
        if (FailsAnew(before, Failures())) {
            const std::vector<double>& list = f == 0 ? m_r.listU : m_r.listL;
            double& t = f == 0 ? p.tu : p.tl;
            const double from = t;
            for (double next : list) {
                if (next <= from + 1e-12)
                    continue;
                t = next;
                Apply(p);
                if (!FailsAnew(before, Failures()))
                    break;
            }
        }
        for (int s = m_first; s <= m_last; ++s)
            Sec(s).Recalculate(m_g);
    }

private:
    CGirderDesign& m_g;
    const CDesignInput& m_in;
    int m_first, m_last;
    const Rules& m_r;
    double m_lowerB[2] = {0, 0};
    double m_lowerTw = 0;
    int m_sign = 1;
    std::vector<std::array<CheckPointLoads, 3>> m_loads;   // per section of the block
    std::vector<std::array<double, 2>> m_holesFor;          // widths the holes were last set for
};

}

void CGirderDesign::DesignBlock(int nFirst, int nLast)
{
    if (nFirst < 0 || nLast >= int(m_pSections.size()) || nFirst > nLast)
        return;
    const double none[2] = {0, 0};
    BlockDesigner(*this, nFirst, nLast, Rules(*this)).Design(none);
}

void CGirderDesign::ChooseGrades(int nFirst, int nLast)
{
    if (nFirst < 0 || nLast >= int(m_pSections.size()) || nFirst > nLast)
        return;
    const Rules rules(*this);
    BlockDesigner d(*this, nFirst, nLast, rules);
    BlockPlates p = d.Current();
    d.ChooseGrades(p);
    for (int s = nFirst; s <= nLast; ++s)
        m_pSections[s].Recalculate(*this);
}

int LeastSteelWidth(const std::vector<WidthTrial>& tried)
{
    const WidthTrial* best = nullptr;
    const WidthTrial* widest = nullptr;
    for (const WidthTrial& t : tried) {
        if (!widest || t.nWidth > widest->nWidth)
            widest = &t;
        if (!t.bSound)
            continue;
        if (!best || t.dMass < best->dMass - 1e-9 ||
            (std::fabs(t.dMass - best->dMass) <= 1e-9 && t.nWidth < best->nWidth))
            best = &t;
    }
    return best ? best->nWidth : widest ? widest->nWidth : 0;
}

// One width per flange over the girder, chosen for the least steel: the candidates are the
// widths the blocks designed in this operation took on their own; each is tried by designing
// those blocks again with it fixed. The upper flange is chosen first, then the lower.
void CGirderDesign::ConstantWidthPass(const std::vector<int>& abDesigned)
{
    if (IsBox() || !m_input.m_bConstFlangeWidth || m_pSections.empty())
        return;
    const auto blocks = Blocks();
    const size_t n = blocks.size();
    auto designed = [&](size_t b) { return b < abDesigned.size() && abDesigned[b] != 0; };
    auto widthOf = [&](size_t b, int f) {
        const CSectionRecord& r = m_pSections[size_t(blocks[b].first)];
        return Mm(f == 0 ? r.m_dBUpper : r.m_dBLower);
    };
    bool anyDesigned = false, anyKept = false;
    int keptWidest[2] = {0, 0};
    for (size_t b = 0; b < n; ++b) {
        anyDesigned |= designed(b);
        if (!designed(b)) {
            anyKept = true;
            for (int f = 0; f < 2; ++f)
                keptWidest[f] = std::max(keptWidest[f], widthOf(b, f));
        }
    }
    if (!anyDesigned)
        return;
    // A width a user widened by hand is a floor for every block, as a kept block's width is.
    int floor[2] = {anyKept ? keptWidest[0] : 0, anyKept ? keptWidest[1] : 0};
    for (int f = 0; f < 2; ++f)
        for (double bound : m_adLowerBoundB[f])
            if (bound > 0.0)
                floor[f] = std::max(floor[f], CeilStepMm(bound));

    const Rules rules(*this);
    // Each block at its own widths: the state every trial starts from.
    const std::vector<CSectionRecord> own = m_pSections;
    std::vector<std::vector<char>> ownFailures(n);
    std::vector<std::array<int, 2>> ownWidth(n);
    for (size_t b = 0; b < n; ++b) {
        ownFailures[b] = BlockDesigner(*this, blocks[b].first, blocks[b].second, rules).Failures();
        ownWidth[b] = {widthOf(b, 0), widthOf(b, 1)};
    }

    // Designs the blocks with the widths given (0: the block's own), widens the kept ones;
    // false when a block fails a check that it passes at its own widths.
    auto trial = [&](const int width[2], double& mass) {
        m_pSections = own;
        bool sound = true;
        for (size_t b = 0; b < n; ++b) {
            BlockDesigner d(*this, blocks[b].first, blocks[b].second, rules);
            if (designed(b)) {
                const double fixed[2] = {Metres(width[0] > 0 ? width[0] : ownWidth[b][0]),
                                         Metres(width[1] > 0 ? width[1] : ownWidth[b][1])};
                d.Design(fixed);
            } else {
                for (int f = 0; f < 2; ++f)
                    if (width[f] > ownWidth[b][f])
                        d.Widen(f, Metres(width[f]));
            }
            sound = sound && !FailsAnew(ownFailures[b], d.Failures());
        }
        mass = 0.0;
        for (const CSectionRecord& r : m_pSections)
            mass += r.m_dWWhole;
        return sound;
    };

    int chosen[2] = {0, 0};
    // The lower flange's trials, kept: the chosen one is the girder's design.
    std::vector<std::pair<int, std::vector<CSectionRecord>>> lowerTrials;
    for (int f = 0; f < 2; ++f) {
        std::vector<int> candidates;
        for (size_t b = 0; b < n; ++b)
            if (designed(b) && ownWidth[b][f] >= floor[f])
                candidates.push_back(ownWidth[b][f]);
        if (candidates.empty())
            candidates.push_back(floor[f]);
        std::sort(candidates.begin(), candidates.end());
        candidates.erase(std::unique(candidates.begin(), candidates.end()), candidates.end());
        std::vector<WidthTrial> tried;
        for (int w : candidates) {
            int width[2] = {chosen[0], chosen[1]};
            width[f] = w;
            WidthTrial t{w, false, 0.0};
            t.bSound = trial(width, t.dMass);
            tried.push_back(t);
            if (f == 1)
                lowerTrials.emplace_back(w, m_pSections);
        }
        chosen[f] = LeastSteelWidth(tried);
    }
    for (auto& [width, sections] : lowerTrials)
        if (width == chosen[1])
            m_pSections = std::move(sections);
    UpdateMaxFlangeWidths();
}
