// Rows of the mass breakdown and of the labour element table.
#include "estimate/breakdown_tables.h"

#include "framework/format.h"

#include <algorithm>

namespace estimate {

const QString& TableRow::Cell(int i) const
{
    static const QString none;
    return i >= 0 && size_t(i) < cells.size() ? cells[size_t(i)] : none;
}

namespace {

// Table 1 addresses its columns -1 to 6.
class BreakdownRows {
public:
    explicit BreakdownRows(std::vector<TableRow>& rows) : m_rows(rows) {}

    TableRow& Add(TableRow::Kind kind)
    {
        TableRow row;
        row.kind = kind;
        row.cells.assign(8, QString());
        m_rows.push_back(std::move(row));
        return m_rows.back();
    }
    static void Set(TableRow& row, int col, const QString& text) { row.cells[size_t(col + 1)] = text; }

    // A block's heading: its caption in the row heading and in column 0, then its captions.
    void Heading(const QString& caption, std::initializer_list<std::pair<int, QString>> captions)
    {
        TableRow& row = Add(TableRow::Heading);
        Set(row, -1, caption);
        Set(row, 0, caption);
        for (const auto& [col, text] : captions)
            Set(row, col, text);
    }
    void Total(const QString& caption, const QString& text, double mass)
    {
        TableRow& row = Add(TableRow::Total);
        Set(row, 1, caption);
        Set(row, 6, text);
        row.dMass = mass;
    }
    void Blank() { Add(TableRow::Blank); }

private:
    std::vector<TableRow>& m_rows;
};

// A total shown without its extra coefficient; "-" when there is none to divide by.
struct Divided {
    QString text;
    double value = 0.0;
};
Divided Divide(double mass, double factor)
{
    if (factor > 1e-20)
        return {AfxFormat("%8.3f", mass / factor), mass / factor};
    return {QStringLiteral("-"), 0.0};
}

QString Grade(const QString (&grades)[9], int nGrade)
{
    return QStringLiteral("     ") + (nGrade >= 0 && nGrade < 9 ? grades[nGrade] : QString());
}

QString MemberLabel(int nMemberNo)
{
    return AfxFormat("              C%3d", nMemberNo);
}

// Girder spacing and bays of a cross member; a single girder has no bay to show.
QString BayText(int nGirders, double dBay)
{
    return nGirders == 1 ? QStringLiteral("000.000") : AfxFormat("%7.3f", dBay);
}

// The row of the cross frame standing at one panel point.
void FillCrossFrameRows(BreakdownRows& rows, const CQuantityDetail::CrossMember& m, const QString& grade, int nGirders)
{
    TableRow& row = rows.Add(TableRow::Member);
    BreakdownRows::Set(row, -1, MemberLabel(m.nMemberNo));
    BreakdownRows::Set(row, 0, MemberLabel(m.nMemberNo));
    BreakdownRows::Set(row, 2, grade);
    BreakdownRows::Set(row, 4, BayText(nGirders, m.dBay));
    BreakdownRows::Set(row, 5, AfxFormat("%3d", std::max(0, nGirders - 1)));
    BreakdownRows::Set(row, 6, AfxFormat("%7.3f", m.dMass));
    row.dMass = m.dMass;
}

// The flange and web rows of the cross beam standing at one panel point.
void FillCrossBeamRows(BreakdownRows& rows, const CQuantityDetail::CrossMember& m, const QString& grade, int nGirders)
{
    const int bays = std::max(0, nGirders - 1);
    TableRow& flange = rows.Add(TableRow::Member);
    BreakdownRows::Set(flange, -1, MemberLabel(m.nMemberNo));
    BreakdownRows::Set(flange, 0, MemberLabel(m.nMemberNo));
    BreakdownRows::Set(flange, 1, QStringLiteral("フランジ"));
    BreakdownRows::Set(flange, 2, grade);
    BreakdownRows::Set(flange, 3, AfxFormat("%0.5f", m.dFlangeArea));
    BreakdownRows::Set(flange, 4, BayText(nGirders, m.dBay));
    BreakdownRows::Set(flange, 5, AfxFormat("%3d", 2 * bays));
    BreakdownRows::Set(flange, 6, AfxFormat("%7.3f", m.dFlangeMass));
    flange.dMass = m.dFlangeMass;
    TableRow& web = rows.Add(TableRow::Member);
    BreakdownRows::Set(web, 1, QStringLiteral("ウェブ"));
    BreakdownRows::Set(web, 2, grade);
    BreakdownRows::Set(web, 3, AfxFormat("%0.5f", m.dWebArea));
    BreakdownRows::Set(web, 4, BayText(nGirders, m.dBay));
    BreakdownRows::Set(web, 5, AfxFormat("%3d", bays));
    BreakdownRows::Set(web, 6, AfxFormat("%7.3f", m.dWebMass));
    web.dMass = m.dWebMass;
}

} // namespace

MassBreakdown BuildMassBreakdown(const CEstimateInput& in, const CEstimateData& d, const QString (&grades)[9])
{
    const CQuantityDetail& detail = d.m_detail;
    const bool si = in.m_bSIUnits == 1;
    const QString mass = si ? QStringLiteral("質量 (t)") : QStringLiteral("重量 (t)");
    const int n = in.m_nGirders;
    const bool ribs = in.m_nBridgeType > 0 && in.m_bSeparateRibMass;

    MassBreakdown table;
    table.captions.assign(8, QString());
    table.captions[2] = QStringLiteral("分類");
    table.captions[6] = QStringLiteral("個数");
    table.captions[7] = mass;
    BreakdownRows rows(table.rows);
    TableRow& captions = rows.Add(TableRow::Captions);
    captions.cells = table.captions;

    // Main girders: the single box lists its box, the second design object, as girder 1.
    std::vector<int> listed;
    if (in.m_nBridgeType == 2) {
        if (in.m_aGirders.size() > 1)
            listed.push_back(1);
    } else {
        for (int g = 0; g < n && g < int(in.m_aGirders.size()); ++g)
            listed.push_back(g);
    }
    for (size_t k = 0; k < listed.size(); ++k) {
        rows.Heading(AfxFormat("主桁 G%d", int(k) + 1) + QStringLiteral("        "),
                     {{2, QStringLiteral("材質")}, {3, QStringLiteral("断面積 (m2)")}, {4, QStringLiteral("長さ (m)")},
                      {5, QStringLiteral("個数")}, {6, mass}});
        const std::vector<CSectionRecord>& sections = in.m_aGirders[size_t(listed[k])].m_pSections;
        for (size_t s = 0; s < sections.size(); ++s) {
            const CSectionRecord& r = sections[s];
            struct Plate {
                const char* name;
                int grade;
                double area;
                int count;
                double mass;
            };
            std::vector<Plate> plates = {
                {"上フランジ", r.m_nGradeUpper, r.m_dAreaUpper, 1, r.m_dMassUpper},
                {"ウェブ", r.m_nGradeWeb, r.m_dAreaWeb, in.m_nBridgeType == 0 ? 1 : 2, r.m_dMassWeb},
                {"下フランジ", r.m_nGradeLower, r.m_dAreaLower, 1, r.m_dMassLower}};
            if (ribs) {
                plates.push_back({"上リブ", r.m_nGradeUpper, r.m_dAreaRibUpper, r.m_nRibsUpper, r.m_dMassRibUpper});
                plates.push_back({"下リブ", r.m_nGradeLower, r.m_dAreaRibLower, r.m_nRibsLower, r.m_dMassRibLower});
            }
            for (size_t p = 0; p < plates.size(); ++p) {
                TableRow& row = rows.Add(TableRow::Member);
                if (p == 0) {
                    const QString label = AfxFormat("          断面 %d", int(s) + 1);
                    BreakdownRows::Set(row, -1, label);
                    BreakdownRows::Set(row, 0, label);
                }
                BreakdownRows::Set(row, 1, QString::fromUtf8(plates[p].name));
                BreakdownRows::Set(row, 2, Grade(grades, plates[p].grade));
                BreakdownRows::Set(row, 3, AfxFormat("%0.5f", plates[p].area));
                BreakdownRows::Set(row, 4, AfxFormat("%7.3f", r.m_dLength));
                BreakdownRows::Set(row, 5, AfxFormat("%3d", plates[p].count));
                BreakdownRows::Set(row, 6, AfxFormat("%8.3f", plates[p].mass));
                row.dMass = plates[p].mass;
            }
        }
    }
    // The plate sums the estimate counted, without coefficients or girder-end shares.
    const double girders = detail.m_dGirderPlateMass + (ribs ? detail.m_dRibPlateMass : 0.0);
    rows.Total(QStringLiteral("主桁合計  "), AfxFormat("%8.3f", girders), girders);

    // Cross members, kind by kind, each member at its panel point in bridge order.
    auto members = [&](int nKind) {
        std::vector<const CQuantityDetail::CrossMember*> list;
        for (const CQuantityDetail::CrossMember& m : detail.m_aCrossMembers)
            if (m.nKind == nKind)
                list.push_back(&m);
        return list;
    };
    if (const auto beams = members(CROSS_BEAM); !beams.empty()) {
        rows.Blank();
        rows.Heading(QStringLiteral("横桁           "),
                     {{2, QStringLiteral("材質")}, {3, QStringLiteral("断面積 (m2)")}, {4, QStringLiteral("長さ (m)")},
                      {5, QStringLiteral("個数")}, {6, mass}});
        const QString grade = Grade(grades, in.m_crossBeam.m_nGrade);
        for (const CQuantityDetail::CrossMember* m : beams)
            FillCrossBeamRows(rows, *m, grade, n);
        rows.Total(QStringLiteral("横桁合計  "), AfxFormat("%8.3f", d.m_dCrossBeamCalcMass), d.m_dCrossBeamCalcMass);
    }
    struct Frame {
        int kind;
        const char* caption;
        const char* total;
        int grade;
        double mass;
    };
    const Frame frames[] = {
        {END_SWAY_BRACING, "端対傾構       ", "端対傾構合計", in.m_endSway.m_nGrade, d.m_dEndSwayMass},
        {INTERMEDIATE_SWAY_BRACING, "中間対傾構     ", "中間対傾構合計", in.m_midSway.m_nGrade, d.m_dMidSwayMass},
        {SUPPORT_SWAY_BRACING, "支点対傾構     ", "支点対傾構合計", in.m_pierSway.m_nGrade, d.m_dPierSwayMass}};
    for (const Frame& frame : frames) {
        const auto list = members(frame.kind);
        if (list.empty())
            continue;
        rows.Heading(QString::fromUtf8(frame.caption), {{2, QStringLiteral("材質")}, {4, QStringLiteral("長さ (m)")},
                                                        {5, QStringLiteral("個数")}, {6, mass}});
        for (const CQuantityDetail::CrossMember* m : list)
            FillCrossFrameRows(rows, *m, Grade(grades, frame.grade), n);
        const Divided total = Divide(frame.mass, in.m_dSwayFactor);
        rows.Total(QString::fromUtf8(frame.total), total.text, total.value);
        rows.Blank();
    }

    // Lateral bracing, as the estimate counted it.
    if (in.m_bUseLateral) {
        rows.Heading(QStringLiteral("横構"), {{2, QStringLiteral("材質")}, {4, QStringLiteral("平均長 (m)")},
                                              {5, QStringLiteral("本数")}, {6, mass}});
        auto bracing = [&](const char* caption, double length, int count, double mass) {
            TableRow& row = rows.Add(TableRow::Member);
            BreakdownRows::Set(row, 1, QString::fromUtf8(caption));
            BreakdownRows::Set(row, 2, Grade(grades, in.m_lateral.m_nGrade));
            BreakdownRows::Set(row, 4, count > 0 ? AfxFormat("%8.3f", length / count) : QStringLiteral("－"));
            BreakdownRows::Set(row, 5, AfxFormat("%4d", count));
            const Divided m = Divide(mass, in.m_dLateralFactor);
            BreakdownRows::Set(row, 6, m.text);
            row.dMass = m.value;
        };
        bracing("外側", detail.m_dOuterLateralLength, detail.m_nOuterLateralCount, d.m_dOuterLateralMass);
        bracing("内側", detail.m_dInnerLateralLength, detail.m_nInnerLateralCount, d.m_dInnerLateralMass);
        const Divided total = Divide(d.m_dOuterLateralMass + d.m_dInnerLateralMass, in.m_dLateralFactor);
        rows.Total(QStringLiteral("横構合計"), total.text, total.value);
        rows.Blank();
    }

    // Brackets: all the brackets of a side in three rows, as the estimate counted them.
    if (in.m_bUseLeftBracket || in.m_bUseRightBracket) {
        rows.Heading(QStringLiteral("ブラケット"),
                     {{2, QStringLiteral("材質")}, {3, QStringLiteral("断面積 (m2)")}, {4, QStringLiteral("長さ (m)")},
                      {5, QStringLiteral("個数")}, {6, mass}});
        auto side = [&](const CQuantityDetail::Bracket& b, int nGrade, const QString& suffix) {
            const struct {
                const char* name;
                double area, length, mass;
            } plates[] = {{"上フランジ", b.dFlangeArea, b.dLength, b.dUpperMass},
                          {"ウェブ    ", b.dWebArea, b.dLength, b.dWebMass},
                          {"下フランジ", b.dFlangeArea, b.dLowerLength, b.dLowerMass}};
            for (const auto& p : plates) {
                TableRow& row = rows.Add(TableRow::Member);
                BreakdownRows::Set(row, 1, QString::fromUtf8(p.name) + suffix);
                BreakdownRows::Set(row, 2, Grade(grades, nGrade));
                BreakdownRows::Set(row, 3, AfxFormat("%0.5f", p.area));
                BreakdownRows::Set(row, 4, AfxFormat("%8.3f", p.length));
                BreakdownRows::Set(row, 5, AfxFormat("%4d", b.nCount));
                BreakdownRows::Set(row, 6, AfxFormat("%8.3f", p.mass));
                row.dMass = p.mass;
            }
        };
        if (in.m_bUseLeftBracket)
            side(detail.m_leftBracket, in.m_leftBracket.m_nGrade, QStringLiteral("(左)"));
        if (in.m_bUseRightBracket)
            side(detail.m_rightBracket, in.m_rightBracket.m_nGrade, QStringLiteral("(右)"));
        const Divided total = Divide(d.m_dRightBracketMass + d.m_dLeftBracketMass, in.m_dBracketFactor);
        rows.Total(QStringLiteral("ブラケット合計"), total.text, total.value);
        rows.Blank();
    }

    // Stringers: flanges and web along the stringers' whole length.
    // Edge stringers run one to a side and show no count.
    auto stringers = [&](const CQuantityDetail::Stringer& s, int nGrade, const char* caption, const char* totalCaption,
                         bool counted, int nCount) {
        if (counted)
            rows.Heading(QString::fromUtf8(caption),
                         {{2, QStringLiteral("材質")}, {3, QStringLiteral("断面積 (m2)")}, {4, QStringLiteral("総延長 (m)")},
                          {5, QStringLiteral("本数")}, {6, mass}});
        else
            rows.Heading(QString::fromUtf8(caption), {{2, QStringLiteral("材質")}, {3, QStringLiteral("断面積 (m2)")},
                                                      {4, QStringLiteral("総延長 (m)")}, {6, mass}});
        const struct {
            const char* name;
            double area, mass;
        } plates[] = {{"上フランジ", s.dFlangeArea, s.dFlangeMass},
                      {"ウェブ    ", s.dWebArea, s.dWebMass},
                      {"下フランジ", s.dFlangeArea, s.dFlangeMass}};
        double sum = 0.0;
        for (const auto& p : plates) {
            TableRow& row = rows.Add(TableRow::Member);
            BreakdownRows::Set(row, 1, QString::fromUtf8(p.name));
            BreakdownRows::Set(row, 2, Grade(grades, nGrade));
            BreakdownRows::Set(row, 3, AfxFormat("%0.5f", p.area));
            BreakdownRows::Set(row, 4, AfxFormat("%8.3f", s.dLength));
            if (counted)
                BreakdownRows::Set(row, 5, AfxFormat("%4d", nCount));
            BreakdownRows::Set(row, 6, AfxFormat("%8.3f", p.mass));
            row.dMass = p.mass;
            sum += p.mass;
        }
        rows.Total(QString::fromUtf8(totalCaption), AfxFormat("%8.3f", sum), sum);
        rows.Blank();
    };
    if (in.m_bUseEdgeStringer)
        stringers(detail.m_edgeStringer, in.m_edgeStringer.m_nGrade, "側縦桁", "側縦桁合計", false, 0);
    if (in.m_bUseStringer)
        stringers(detail.m_stringer, in.m_stringer.m_nGrade, "中間縦桁", "中間縦桁合計", true,
                  in.m_stringer.m_nCount);

    // High-strength bolts on the members' masses as the estimate has them.
    rows.Heading(QStringLiteral("高力ボルト"),
                 {{4, si ? QStringLiteral("主部材質量 (t)") : QStringLiteral("主部材重量 (t)")}, {5, QStringLiteral("係数")},
                  {6, mass}});
    double bolts = 0.0;
    auto bolt = [&](const char* caption, double member, double factor) {
        TableRow& row = rows.Add(TableRow::Member);
        BreakdownRows::Set(row, 1, QString::fromUtf8(caption));
        BreakdownRows::Set(row, 4, AfxFormat("%8.3f", member));
        BreakdownRows::Set(row, 5, AfxFormat("%8.3f", factor));
        BreakdownRows::Set(row, 6, AfxFormat("%8.3f", member * factor));
        row.dMass = member * factor;
        bolts += row.dMass;
    };
    bolt("主桁用", d.m_dGirderMass, in.m_dGirderBoltFactor);
    bolt("横桁用", d.m_dCrossBeamMass, in.m_dCrossBeamBoltFactor);
    rows.Total(QStringLiteral("高力ボルト合計"), AfxFormat("%8.3f", bolts), bolts);
    rows.Blank();

    // Fittings and the typed other mass.
    rows.Heading(QStringLiteral("その他"),
                 {{3, si ? QStringLiteral("単位質量(t/m,t)") : QStringLiteral("単位重量(t/m,t)")},
                  {4, QStringLiteral("総延長 (m)")}, {5, QStringLiteral("個数")}, {6, mass}});
    auto fitting = [&](const char* caption, const QString& unit, const QString& length, const QString& count,
                       double mass) {
        TableRow& row = rows.Add(TableRow::Member);
        BreakdownRows::Set(row, 1, QString::fromUtf8(caption));
        BreakdownRows::Set(row, 3, unit);
        BreakdownRows::Set(row, 4, length);
        BreakdownRows::Set(row, 5, count);
        BreakdownRows::Set(row, 6, AfxFormat("%8.3f", mass));
        row.dMass = mass;
    };
    auto f3 = [](double v) { return AfxFormat("%8.3f", v); };
    fitting("高欄", f3(in.m_dRailingUnitMass), f3(detail.m_dRailingLength), QString(),
            detail.m_dRailingLength * in.m_dRailingUnitMass);
    fitting("伸縮継手", f3(in.m_dExpansionJointUnitMass), f3(detail.m_dJointLength), QString(),
            detail.m_dJointLength * in.m_dExpansionJointUnitMass);
    fitting("排水装置", f3(in.m_dDrainUnitMass), QString(), AfxFormat("%4d", in.m_nDrainCount),
            in.m_dDrainUnitMass * in.m_nDrainCount);
    fitting("その他", QString(), QString(), QString(), in.m_dOtherMassInput);
    rows.Blank();
    return table;
}

std::vector<TableRow> BuildLabourElements(const CEstimateInput& in, const CEstimateData& d)
{
    const bool si = in.m_bSIUnits == 1;
    const QString na = QStringLiteral("    ／");
    std::vector<TableRow> rows;
    auto add = [&](TableRow::Kind kind, std::vector<QString> cells, double mass = 0.0) {
        cells.resize(5);
        rows.push_back({kind, std::move(cells), mass});
    };
    auto count = [](int n) { return AfxFormat("%8d", n); };
    auto kg = [](double t) { return AfxFormat("%8.0f", t * 1000.0); };
    auto metres = [](double m) { return AfxFormat("%8.0f", m); };

    add(TableRow::Heading, {QString(), QStringLiteral("大型材片数"), QStringLiteral("小型材片数"), QStringLiteral("部材数"),
                            si ? QStringLiteral("部材質量 (Kg)") : QStringLiteral("部材重量 (Kg)")});
    add(TableRow::Member,
        {QStringLiteral("主桁"), count(d.m_nGirderLargePieces), count(d.m_nGirderSmallPieces), count(d.m_nGirderMembers),
         kg(d.m_dGirderMass)},
        d.m_dGirderMass);
    if (in.m_nPanelPoints > 0)
        add(TableRow::Member,
            {QStringLiteral("横桁"), count(d.m_nCrossBeamLargePieces), count(d.m_nCrossBeamSmallPieces),
             count(d.m_nCrossBeamMembers), kg(d.m_dCrossBeamMass)},
            d.m_dCrossBeamMass);
    if (in.m_bUseStringer)
        add(TableRow::Member,
            {QStringLiteral("中間縦桁"), count(d.m_nStringerLargePieces), count(d.m_nStringerSmallPieces),
             count(d.m_nStringerMembers), kg(d.m_dStringerMass)},
            d.m_dStringerMass);
    if (d.m_nSwayMembers > 0) {
        const double sway = d.m_dEndSwayMass + d.m_dMidSwayMass + d.m_dPierSwayMass;
        add(TableRow::Member, {QStringLiteral("対傾構"), na, na, count(d.m_nSwayMembers), kg(sway)}, sway);
    }
    if (in.m_bUseLateral)
        add(TableRow::Member, {QStringLiteral("横構"), na, na, count(d.m_nLateralMembers), kg(d.m_dLateralMass)},
            d.m_dLateralMass);
    const bool brackets = in.m_bUseLeftBracket || in.m_bUseRightBracket;
    if (brackets) {
        const double m = d.m_dLeftBracketMass + d.m_dRightBracketMass;
        add(TableRow::Member,
            {QStringLiteral("ブラケット"), na, count(d.m_nBracketSmallPieces), count(d.m_nBracketMembers), kg(m)}, m);
    }
    if (in.m_bUseEdgeStringer)
        add(TableRow::Member,
            {QStringLiteral("側縦桁"), na, count(d.m_nEdgeStringerSmallPieces), count(d.m_nEdgeStringerMembers),
             kg(d.m_dEdgeStringerMass)},
            d.m_dEdgeStringerMass);
    add(TableRow::Total,
        {QStringLiteral("合計"), count(d.m_nLargePiecesTotal), count(d.m_nSmallPiecesTotal), count(d.m_nMembersTotal),
         kg(d.m_dMainMemberMass)},
        d.m_dMainMemberMass);
    add(TableRow::Member,
        {si ? QStringLiteral("570材相当部材質量") : QStringLiteral("570材相当部材重量"), QString(), QString(), QString(),
         kg(d.m_dGrade570Mass)},
        d.m_dGrade570Mass);
    add(TableRow::Blank, {});

    add(TableRow::Heading, {QString(), si ? QStringLiteral("大型材片質量(Kg)") : QStringLiteral("大型材片重量(Kg)"),
                            si ? QStringLiteral("小型材片質量(Kg)") : QStringLiteral("小型材片重量(Kg)"),
                            QStringLiteral("T継手溶接(m)"), QStringLiteral("板継溶接 (m)")});
    const double girderSmall =
        d.m_dGirderExtraMass + (in.m_nBridgeType > 0 && in.m_bSeparateRibMass ? d.m_dFlangeRibMass : 0.0);
    add(TableRow::Member,
        {QStringLiteral("主桁"), kg(d.m_dGirderCalcMass), kg(girderSmall), metres(d.m_dGirderTWeldLength),
         metres(d.m_dGirderSpliceWeldLength)},
        d.m_dGirderCalcMass + girderSmall);
    if (d.m_nCrossBeamCount > 0)
        add(TableRow::Member,
            {QStringLiteral("横桁"), kg(d.m_dCrossBeamCalcMass), kg(d.m_dCrossBeamExtraMass),
             metres(d.m_dCrossBeamTWeldLength), metres(d.m_dCrossBeamSpliceWeldLength)},
            d.m_dCrossBeamCalcMass + d.m_dCrossBeamExtraMass);
    if (in.m_bUseStringer)
        add(TableRow::Member,
            {QStringLiteral("中間縦桁"), kg(d.m_dStringerCalcMass), kg(d.m_dStringerExtraMass), na, na},
            d.m_dStringerCalcMass + d.m_dStringerExtraMass);
    if (brackets) {
        const double m = d.m_dLeftBracketMass + d.m_dRightBracketMass;
        add(TableRow::Member, {QStringLiteral("ブラケット"), na, kg(m), na, na}, m);
    }
    if (in.m_bUseEdgeStringer)
        add(TableRow::Member, {QStringLiteral("側縦桁"), na, kg(d.m_dEdgeStringerMass), na, na}, d.m_dEdgeStringerMass);
    add(TableRow::Total,
        {QStringLiteral("合計"), kg(d.m_dLargePieceMass), kg(d.m_dSmallPieceMass), metres(d.m_dTWeldLengthTotal),
         metres(d.m_dSpliceWeldLengthTotal)},
        d.m_dLargePieceMass + d.m_dSmallPieceMass);
    return rows;
}

} // namespace estimate
