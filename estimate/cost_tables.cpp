// The contract cost, material cost and fabrication cost tables of the estimate.
//
// The tables charge the same quantities as the document's cost roll-up, on the same bases, so
// that their totals agree with it: the per-tonne prices of surface preparation, sundry
// materials, transport and erection go on the total steel mass, the railing on its two lines.
// Quantities, prices and rates enter an item at the precision the table prints them.
#include "estimate/cost_tables.h"

#include "estimate/estimate_calc.h"
#include "framework/format.h"

#include <algorithm>
#include <cmath>

namespace estimate {

namespace {

const QString kHead[3] = {QStringLiteral("項目"), QStringLiteral("計算方法"), QStringLiteral("金額(千円)")};

double Distance(CDPoint a, CDPoint b)
{
    return std::hypot(a.x - b.x, a.y - b.y);
}

// A value as printed with the table's precision, read back.
double Printed(const QString& text)
{
    return AfxAtof(text);
}

CostRow Row(const QString& caption, const QString& method, double amount, bool bold = false)
{
    return {caption, method, AmountText(amount), bold};
}

} // namespace

double RoundItem(double x)
{
    const double whole = std::floor(x);
    return x - whole >= 0.45 ? whole + 1.0 : x;
}

double ItemThousand(double dYen)
{
    return RoundItem(dYen / 1000.0);
}

QString AmountText(double dThousand)
{
    if (!std::isfinite(dThousand))
        dThousand = 0.0;
    return AfxFormat("%8lld", static_cast<long long>(std::clamp(dThousand, -9.0e18, 9.0e18)));
}

// ---------------------------------------------------------------- contract cost

ContractCost CalcContractCost(const CEstimateData& d, const CEstimateInput& in)
{
    ContractCost c;
    double* a = c.a;
    const double mass = Printed(AfxFormat("%0.1f", d.m_dSteelMassTotal));
    a[4] = RoundItem(double(d.m_nMaterialCost / 1000));
    a[5] = ItemThousand(d.m_dFabricationCost);
    a[6] = in.m_bZeroPaintCost ? 0.0 : ItemThousand(Printed(AfxFormat("%0.2f", d.m_dPaintArea)) * in.m_nShopPaintUnitPrice);
    a[12] = ItemThousand(mass * in.m_nTransportUnitPrice);
    a[13] = ItemThousand(mass * in.m_nErectionUnitPrice);
    a[14] = in.m_bZeroPaintCost ? 0.0 : ItemThousand(Printed(AfxFormat("%0.1f", d.m_dPaintArea)) * in.m_nSitePaintUnitPrice);
    a[15] = ItemThousand(Printed(AfxFormat("%0.1f", d.m_dDeckConcreteVolume)) * in.m_nDeckSlabUnitPrice);
    a[16] = RoundItem(double(d.m_nPavingCost / 1000));
    a[17] = ItemThousand(Printed(AfxFormat("%0.1f", d.m_dRoadwayPavingArea)) * in.m_nRoadwayPavingUnitPrice);
    a[18] = ItemThousand(Printed(AfxFormat("%0.1f", d.m_dSidewalkPavingArea)) * in.m_nSidewalkPavingUnitPrice);

    a[3] = a[4] + a[5] + a[6];
    a[8] = RoundItem(a[5] * in.m_dIndirectLabourRate);
    a[9] = RoundItem((a[5] + a[6] + a[8]) * in.m_dShopOverheadRate);
    a[7] = a[8] + a[9];
    a[2] = a[3] + a[7];
    // Paving as the document charged it; roadway and sidewalk are its breakdown.
    a[11] = a[12] + a[13] + a[14] + a[15] + a[16];
    a[20] = RoundItem(Printed(AfxFormat("%0.3f", d.m_dCommonTemporaryRate)) * a[11]);
    a[21] = RoundItem(Printed(AfxFormat("%0.3f", d.m_dSiteManagementRate)) * (a[11] + a[20]));
    a[19] = a[20] + a[21];
    a[10] = a[11] + a[19];
    a[22] = RoundItem(Printed(AfxFormat("%0.3f", d.m_dGeneralAdminRate)) * (a[2] + a[10]));
    a[1] = a[2] + a[10] + a[22];
    return c;
}

double DocumentContractTotal(const CEstimateData& d)
{
    return d.m_dShopCostTotal + d.m_dSiteCostTotal + d.m_dGeneralAdminCost;
}

std::vector<CostRow> ContractCostRows(const CEstimateData& d, const CEstimateInput& in)
{
    const ContractCost c = CalcContractCost(d, in);
    const double* a = c.a;
    const QString perTon = in.m_bSIUnits ? QStringLiteral("部材総質量 %1 t × 単価 %2 円/t")
                                         : QStringLiteral("部材総重量 %1 t × 単価 %2 円/t");
    const QString mass = AfxFormat("%0.1f", d.m_dSteelMassTotal);
    const auto area = [](double v, int price) { return AfxFormat("塗装面積 %0.1f m2 × 単価 %d 円/m2", v, price); };
    const auto paving = [](double v, int price) { return AfxFormat("舗装面積 %0.1f m2 × 単価 %d 円/m2", v, price); };
    return {
        {kHead[0], kHead[1], kHead[2], false},
        Row(QStringLiteral(" 請負工事費"), QStringLiteral("(1)工場製作費 + (2)架設工事費 + (3)一般管理費"), a[1], true),
        Row(QStringLiteral("   (1)工場製作費(原価)"), QStringLiteral("①直接工事費 + ②間接工事費"), a[2]),
        Row(QStringLiteral("       ①直接工事費"), QStringLiteral("1)材料費 + 2)製作費 + 3)工場塗装費"), a[3]),
        Row(QStringLiteral("          1)材料費"), QString(), a[4]),
        Row(QStringLiteral("          2)製作費"),
            AfxFormat("製作工数 %.3f × 単価 %d 円", d.m_dManHourY, in.m_nFabricationLabourRate), a[5]),
        Row(QStringLiteral("          3)工場塗装費"),
            AfxFormat("塗装面積 %0.2f m2 × 単価 %d 円/m2", d.m_dPaintArea, in.m_nShopPaintUnitPrice), a[6]),
        Row(QStringLiteral("       ②間接工事費"), QStringLiteral("4)間接労務費 + 5)工場管理費"), a[7]),
        Row(QStringLiteral("          4)間接労務費"), QStringLiteral("2)製作費 × ") + AfxFormat("%4.3f", in.m_dIndirectLabourRate), a[8]),
        Row(QStringLiteral("          5)工場管理費"),
            QStringLiteral("{ 2)製作費 + 3)工場塗装費 + 4)間接労務費 } × ") + AfxFormat("%4.3f", in.m_dShopOverheadRate), a[9]),
        Row(QStringLiteral("   (2)架設工事費(原価)"), QStringLiteral("①直接工事費 + ②間接工事費"), a[10]),
        Row(QStringLiteral("       ①直接工事費"), QStringLiteral("1)輸送費+2)架設費+3)現場塗装費+4)床版費+5)舗装費"), a[11]),
        Row(QStringLiteral("          1)輸送費"), perTon.arg(mass).arg(in.m_nTransportUnitPrice), a[12]),
        Row(QStringLiteral("          2)架設費"), perTon.arg(mass).arg(in.m_nErectionUnitPrice), a[13]),
        Row(QStringLiteral("          3)現場塗装費"), area(d.m_dPaintArea, in.m_nSitePaintUnitPrice), a[14]),
        Row(QStringLiteral("          4)床版工事費"),
            AfxFormat("床版体積 %0.1f m3 × 単価 %d 円/m3", d.m_dDeckConcreteVolume, in.m_nDeckSlabUnitPrice), a[15]),
        Row(QStringLiteral("          5)舗装工事費"), QString(), a[16]),
        Row(QStringLiteral("                車道"), paving(d.m_dRoadwayPavingArea, in.m_nRoadwayPavingUnitPrice), a[17]),
        Row(QStringLiteral("                歩道"), paving(d.m_dSidewalkPavingArea, in.m_nSidewalkPavingUnitPrice), a[18]),
        Row(QStringLiteral("       ②間接工事費"), QStringLiteral("6)共通仮設費 + 7)現場管理費"), a[19]),
        Row(QStringLiteral("          6)共通仮設費"),
            AfxFormat("①直接工事費 × 共通仮設比率 %0.3f", d.m_dCommonTemporaryRate), a[20]),
        Row(QStringLiteral("          7)現場管理費"),
            AfxFormat("{①直接工事費+ 6)共通仮設費}×現場管理比率 %0.3f", d.m_dSiteManagementRate), a[21]),
        Row(QStringLiteral("   (3)一般管理費"),
            AfxFormat("{(1)工場製作原価+ (2)架設工事原価 }×比率 %0.3f", d.m_dGeneralAdminRate), a[22]),
    };
}

// ---------------------------------------------------------------- material cost

MaterialCost CalcMaterialCostTable(const CEstimateData& d, const CEstimateInput& in, bool bGrillageRun)
{
    MaterialCost m;
    m.bReadyRailing = in.m_nRailingType == 2;
    m.bReadyJoints = in.m_nJointType == 2;
    m.nRows = 9 + int(m.bReadyRailing) + int(m.bReadyJoints);

    // Both railing lines, each once, with the girder ends beyond the end supports.
    double railing = 0.0;
    for (const CEstimateInput::Span& span : in.m_aSpans) {
        const int panels = std::min(span.m_nPanels, int(span.m_aPoints.size()) - 1);
        for (int j = 0; j < panels; ++j) {
            const CPanelPointRecord &p0 = span.m_aPoints[size_t(j)], &p1 = span.m_aPoints[size_t(j + 1)];
            railing += Distance(p0.m_aptEdge[2], p1.m_aptEdge[2]) + Distance(p0.m_aptEdge[3], p1.m_aptEdge[3]);
        }
    }
    m.dRailing = railing * in.GirderEndLengthFactor();
    // The deck's width at both bridge ends.
    if (!in.m_aSpans.empty() && !in.m_aSpans.front().m_aPoints.empty() && !in.m_aSpans.back().m_aPoints.empty()) {
        const CPanelPointRecord& first = in.m_aSpans.front().m_aPoints.front();
        const CEstimateInput::Span& last = in.m_aSpans.back();
        const CPanelPointRecord& end = last.m_aPoints[size_t(std::clamp(last.m_nPanels, 0, int(last.m_aPoints.size()) - 1))];
        m.dJoints = Distance(first.m_aptEdge[1], first.m_aptEdge[0]) + Distance(end.m_aptEdge[1], end.m_aptEdge[0]);
    }

    // Bearings: one per girder, two under the single box, at every support line.
    const int perLine = in.m_nBridgeType == 2 ? 2 : in.m_nGirders;
    if (bGrillageRun) {
        for (int line = 0; line <= in.m_nSpans; ++line) {
            const double r = size_t(line) < in.m_adLineReaction.size() ? std::max(0.0, in.m_adLineReaction[size_t(line)]) : 0.0;
            m.dBearingMass += BearingStepValue(0, r);
        }
        m.dBearingMass *= perLine;
    }
    m.nBearings = (in.m_nSpans + 1) * perLine;

    // Quantity times unit price, both as printed.
    const auto item = [](const QString& q, const QString& p) { return Printed(q) * Printed(p); };
    const double steel = d.m_dSteelMassTotal;
    const QString mass = AfxFormat("%11.5f", steel);
    m.dSteelPrice = steel > 0.0 ? double(d.m_nSteelMaterialTotal) / steel / 1000.0 : 0.0;
    double* a = m.a;
    a[3] = RoundItem(item(mass, AfxFormat(" %10.4f", m.dSteelPrice)));
    a[4] = RoundItem(item(mass, AfxFormat("%10.4f", in.m_nPretreatUnitPrice / 1000.0)));
    if (in.m_nBearingPriceMode == 0)
        a[5] = RoundItem(item(AfxFormat("%11.5f", m.dBearingMass / 1000.0), AfxFormat("%10.4f", in.m_nRubberBearingPrice / 1000.0)));
    else if (in.m_nBearingPriceMode == 1)
        a[5] = RoundItem(item(AfxFormat("%3d", m.nBearings), AfxFormat("%11.5f", in.m_nBearingPricePerPiece / 1000.0)));
    a[6] = item(AfxFormat("%11.5f", d.m_dGirderBoltMass + d.m_dCrossBeamBoltMass), AfxFormat("%10.4f", in.m_nBoltUnitPrice / 1000.0));
    a[7] = RoundItem(item(AfxFormat("%11.5f", d.m_dDrainageMass), AfxFormat("%10.4f", in.m_nDrainageUnitPrice / 1000.0)));
    a[8] = RoundItem(item(mass, AfxFormat("%10.4f", in.m_nSundryUnitPrice / 1000.0)));
    const double joints = RoundItem(item(AfxFormat("%11.5f", m.dJoints), AfxFormat("%10.4f", in.m_nJointUnitPrice / 1000.0)));
    if (m.bReadyRailing)
        a[9] = RoundItem(item(AfxFormat("%11.5f", m.dRailing), AfxFormat("%10.4f", in.m_nRailingUnitPrice / 1000.0)));
    if (m.bReadyJoints)
        a[m.bReadyRailing ? 10 : 9] = joints;
    a[2] = a[3] + a[4];
    a[1] = double(d.m_nMaterialCost) / 1000.0;
    return m;
}

std::vector<CostRow> MaterialCostRows(const CEstimateData& d, const CEstimateInput& in, bool bGrillageRun)
{
    const MaterialCost m = CalcMaterialCostTable(d, in, bGrillageRun);
    const double* a = m.a;
    const auto perTon = [](double t, double price) { return AfxFormat("%8.2f t × %7.1f 千円/t", t, price); };
    const auto perMetre = [](double l, double price) { return AfxFormat("%8.2f m × %7.1f 千円/m", l, price); };
    const QString sum = m.nRows == 11 ? QStringLiteral("(1) + (2) + (3) + (4) + (5) + (6) + (7)")
                        : m.nRows == 10 ? QStringLiteral("(1) + (2) + (3) + (4) + (5) + (6)")
                                        : QStringLiteral("(1) + (2) + (3) + (4) + (5)");
    std::vector<CostRow> rows = {
        {kHead[0], kHead[1], kHead[2], false},
        Row(QStringLiteral(" 材料費"), sum, a[1], true),
        Row(QStringLiteral("   (1)鋼材      "), QStringLiteral("①鋼材 + ②塗装前処理"), a[2]),
        Row(QStringLiteral("       ①鋼材      "),
            AfxFormat("%8.2f t × %7.1f 千円/t(鋼材平均)", d.m_dSteelMassTotal, m.dSteelPrice), a[3]),
        Row(QStringLiteral("       ②塗装前処理"), perTon(d.m_dSteelMassTotal, in.m_nPretreatUnitPrice / 1000.0), a[4]),
        CostRow(),
        Row(QStringLiteral("   (3)高力ボルト"),
            perTon(d.m_dGirderBoltMass + d.m_dCrossBeamBoltMass, in.m_nBoltUnitPrice / 1000.0), a[6]),
        Row(QStringLiteral("   (4)排水装置  "), perTon(d.m_dDrainageMass, in.m_nDrainageUnitPrice / 1000.0), a[7]),
        Row(QStringLiteral("   (5)副資材費  "), perTon(d.m_dSteelMassTotal, in.m_nSundryUnitPrice / 1000.0), a[8]),
    };
    if (in.m_nBearingPriceMode == 0)
        rows[5] = Row(QStringLiteral("   (2)支承      "), perTon(m.dBearingMass / 1000.0, in.m_nRubberBearingPrice / 1000.0), a[5]);
    else if (in.m_nBearingPriceMode == 1)
        rows[5] = Row(QStringLiteral("   (2)支承      "),
                      AfxFormat("%7.1f 千円/個 × %3d 個", in.m_nBearingPricePerPiece / 1000.0, m.nBearings), a[5]);
    const CostRow joints = Row(m.bReadyRailing ? QStringLiteral("   (7)伸縮継手  ") : QStringLiteral("   (6)伸縮継手  "),
                               perMetre(m.dJoints, in.m_nJointUnitPrice / 1000.0), a[m.bReadyRailing ? 10 : 9]);
    if (m.bReadyRailing)
        rows.push_back(Row(QStringLiteral("   (6)高欄      "), perMetre(m.dRailing, in.m_nRailingUnitPrice / 1000.0), a[9]));
    if (m.bReadyJoints)
        rows.push_back(joints);
    return rows;
}

// ---------------------------------------------------------------- fabrication cost

std::vector<CostRow> FabricationCostRows(const CEstimateData& d, const CEstimateInput& in)
{
    const bool si = in.m_bSIUnits != 0;
    const auto value = [](double v) { return AfxFormat("%8.3f", v); };
    const auto count = [](double v) { return AfxFormat("%8lld", static_cast<long long>(std::clamp(v, -9.0e18, 9.0e18))); };
    const QString none;
    return {
        {kHead[0], kHead[1], kHead[2], false},
        // The same rounding as the fabrication cost of the contract cost table.
        {QStringLiteral("製作費"), AfxFormat("全体製作工数 Y × 製作工労務単価 %8.2f", in.m_nFabricationLabourRate / 1000.0),
         AmountText(ItemThousand(d.m_dFabricationCost)), true},
        {QStringLiteral("全体製作工数 Y"), QStringLiteral("{(Y1+Y2)K+Y3+Y4}×(1-α)(1+β)(1+γ)(1+δ)+Y5"), value(d.m_dManHourY)},
        {none, QStringLiteral("    Y1：本体の組立加工工数"), value(d.m_dManHourY1)},
        {none, QStringLiteral("    Y2：本体の溶接工数"), value(d.m_dManHourY2)},
        {none, QStringLiteral("    K ：570材相当品による影響割増"), value(d.m_dManHourK)},
        {none, QStringLiteral("    Y3：本体の仮組立工数"), value(d.m_dManHourY3)},
        {none, QStringLiteral("    Y4：対傾構及び横構組立工数"), value(d.m_dManHourY4)},
        {none, QStringLiteral("    Y5：付属物の製作工数"), value(d.m_dManHourY5)},
        {none, QStringLiteral("    α：重連による補正率"), value(d.m_dManHourAlpha)},
        {none, QStringLiteral("    β：斜橋または曲線橋による補正率"), value(d.m_dManHourBeta)},
        {none, QStringLiteral("    γ：桁高変化による補正率"), value(d.m_dManHourGamma)},
        {none, QStringLiteral("    δ：平均支間長による補正率"), value(d.m_dManHourDelta)},
        {QStringLiteral("本体の組立加工工数 Y1"), QStringLiteral("A1×a1×K1 + A2×a2×K2"), value(d.m_dManHourY1)},
        {none, QStringLiteral("    A1：大型材片数"), count(d.m_dManHourA1)},
        {none, QStringLiteral("    A2：小型材片数"), count(d.m_dManHourA2)},
        {none, QStringLiteral("    a1：大型1材片あたりの橋梁形式による標準工数"), value(d.m_dManHourA1Std)},
        {none, QStringLiteral("    a2：小型1材片あたりの橋梁形式による標準工数"), value(d.m_dManHourA2Std)},
        {none, si ? QStringLiteral("    K1：大型1材片あたり質量による影響係数") : QStringLiteral("    K1：大型1材片あたり重量による影響係数"),
         value(d.m_dManHourK1)},
        {none, si ? QStringLiteral("    K2：小型1材片あたり質量による影響係数") : QStringLiteral("    K2：小型1材片あたり重量による影響係数"),
         value(d.m_dManHourK2)},
        {QStringLiteral("本体の溶接工数 Y2"), QStringLiteral("B1×b1／10 + B2×b2／10"), value(d.m_dManHourY2)},
        {none, QStringLiteral("    B1：大型材片板継溶接延長（6mm換算）"), value(d.m_dManHourB1)},
        {none, QStringLiteral("    B2：大型材片Ｔ継溶接延長"), value(d.m_dManHourB2)},
        {none, QStringLiteral("    b1：大型材片板継溶接延長10m当りの標準工数"), value(d.m_dManHourB1Std)},
        {none, QStringLiteral("    b2：大型材片Ｔ継溶接延長10m当りの標準工数"), value(d.m_dManHourB2Std)},
        {QStringLiteral("570材相当品による影響割増 K"), QStringLiteral("1 + W0×K3"), value(d.m_dManHourK)},
        {none, QStringLiteral("    W0：570材相当品の本体加工鋼重に占める割合"), value(d.m_dManHourW0)},
        {none, QStringLiteral("    K3：570材相当品による影響係数"), value(d.m_dManHourK3)},
        {QStringLiteral("本体の仮組立工数"), QStringLiteral("C×c×K4"), value(d.m_dManHourY3)},
        {none, QStringLiteral("    C ：本体の全体部材数"), count(d.m_nManHourC)},
        {none, QStringLiteral("    c ：部材の橋梁形式による標準工数"), value(d.m_dManHourCStd)},
        {none, si ? QStringLiteral("    K4：1部材当り質量による影響係数") : QStringLiteral("    K4：1部材当り重量による影響係数"), value(d.m_dManHourK4)},
        {QStringLiteral("対傾構及び横構組立工数 Y4"), QStringLiteral("C1×c1×K5 + C2×c2×K5"), value(d.m_dManHourY4)},
        {none, QStringLiteral("    C1：対傾構部材数"), count(d.m_dManHourC1)},
        {none, QStringLiteral("    C2：横構部材数"), count(d.m_dManHourC2)},
        {none, QStringLiteral("    c1：対傾構1部材当りの標準工数"), value(d.m_dManHourC1Std)},
        {none, QStringLiteral("    c2：横構1部材当りの標準工数"), value(d.m_dManHourC2Std)},
        {none, QStringLiteral("    K5：(主桁高×主桁間隔)による影響係数（対傾構）"), value(d.m_dManHourK5Frame)},
        {none, QStringLiteral("    K5：(主桁高×主桁間隔)による影響係数（横構）"), value(d.m_dManHourK5Lateral)},
        {QStringLiteral("付属物の製作工数 Y5"), QStringLiteral("D×d×(1-α)(1+β)+E×e×(1+β)"), value(d.m_dManHourY5)},
        {none, QStringLiteral("    D ：伸縮継手の加工鋼重"), value(d.m_dManHourD)},
        {none, QStringLiteral("    d ：伸縮継手の標準工数"), value(d.m_dManHourDStd)},
        {none, QStringLiteral("    E ：高欄の加工鋼重"), value(d.m_dManHourE)},
        {none, QStringLiteral("    e ：高欄の標準工数"), value(d.m_dManHourEStd)},
    };
}

} // namespace estimate
