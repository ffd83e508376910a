// The blocks of the input report for the secondary members, the loads and the estimate input.
#include "views/input_report.h"

#include "app/doc.h"
#include "app/globals.h"
#include "design/girder_design.h"
#include "framework/dc.h"
#include "framework/format.h"
#include "input/cross_beam_dialog.h"
#include "print/print_table.h"

#include <algorithm>

namespace {

QString MmValue(double mm) { return AfxFormat("%5.0f ｍｍ", mm); }
QString Shape(int index) { return g_szSectionShapes[std::clamp(index, 0, 14)]; }
QString Grade(int index) { return g_szSteelGrades9[std::clamp(index, 0, 8)]; }
QString Choice(int mode) { return mode == 0 ? QStringLiteral("自動決定") : QStringLiteral("入力"); }

}

int CInputReport::ShapeBlock(CDC* pDC, CPrintInfo* pInfo, int mode, int line, const QString& title,
                             std::initializer_list<ShapeItem> items) const
{
    Text(pDC, pInfo, mode, line, 1, title);
    for (const ShapeItem& item : items) {
        Text(pDC, pInfo, mode, line, 7, QStringLiteral("：") + item.name);
        Text(pDC, pInfo, mode, line, 10, item.value);
        ++line;
    }
    return line;
}

int CInputReport::TableBlockStart(CDC* pDC, CPrintInfo* pInfo, int mode, int line, int nRows, const QString& heading) const
{
    line = KeepOnPage(pInfo, line, nRows + 4);
    Text(pDC, pInfo, mode, line + 2, 1, heading);
    return line + 4;
}

// ---- 【主部材基本データ】 and the member shapes

int CInputReport::DrawMainMemberData(CDC* pDC, CPrintInfo* pInfo, int mode, int line)
{
    if (!m_pReportDoc)
        return line;
    const MainMemberData& m = m_pReportDoc->m_dlgMainMember;
    const bool plate = g_nBridgeType == 0;
    Text(pDC, pInfo, mode, line + 2, 1, QStringLiteral("【主部材基本データ】"));
    struct Kind {
        const char* label;
        int mode;
        const int* use;     // the "使用する" flag, when the kind has one
        bool plateOnly;
    };
    const Kind kinds[9] = {{" 端対傾構", m.m_nEndSwayMode, nullptr, true},
                           {" 中間対傾構", m.m_nMidSwayMode, nullptr, true},
                           {" 横桁", m.m_nCrossBeamMode, nullptr, false},
                           {" 中間支点上対傾構", m.m_nPierSwayMode, nullptr, true},
                           {" 横構", m.m_nLateralMode, &m.m_bUseLateral, true},
                           {" 左ブラケット", m.m_nLeftBracketMode, &m.m_bUseLeftBracket, false},
                           {" 右ブラケット", m.m_nRightBracketMode, &m.m_bUseRightBracket, false},
                           {" 側縦桁", m.m_nEdgeStringerMode, &m.m_bUseEdgeStringer, false},
                           {" 縦桁", m.m_nStringerMode, &m.m_bUseStringer, false}};
    int n = line + 4;
    for (const Kind& k : kinds) {
        if (k.plateOnly && !plate)
            continue;
        const bool used = !k.use || *k.use == 1;
        Item(pDC, pInfo, mode, n, QString::fromUtf8(k.label), used ? Choice(k.mode) : QString());
        if (k.use)
            Text(pDC, pInfo, mode, n, 10, used ? QStringLiteral("使用する") : QStringLiteral("使用しない"));
        ++n;
    }
    return n;
}

int CInputReport::DrawCrossFrameMembers(CDC* pDC, CPrintInfo* pInfo, int mode, int line)
{
    if (!m_pReportDoc)
        return line;
    const CMarivoltenDoc& doc = *m_pReportDoc;
    const CSetupMainMemberDialog& m = doc.m_dlgMainMember;
    const bool plate = g_nBridgeType == 0;
    int at = line;
    if (plate) {
        const SwayBracingData& end = m.m_dlgEndSway;
        const SwayBracingData& mid = m.m_dlgMidSway;
        ShapeBlock(pDC, pInfo, mode, line + 1, QStringLiteral(" 端対傾構形状・材質"),
                   {{QStringLiteral("上弦材"), Shape(end.m_nUpperChord)},
                    {QStringLiteral("下弦材"), Shape(end.m_nLowerChord)},
                    {QStringLiteral("斜材"), Shape(end.m_nDiagonal)},
                    {QStringLiteral("部材間距離"), MmValue(doc.GetEndSwayDepth() * 1000.0)},
                    {QStringLiteral("材質"), Grade(end.m_nGrade)}});
        ShapeBlock(pDC, pInfo, mode, line + 6, QStringLiteral(" 中間対傾構形状・材質"),
                   {{QStringLiteral("上下弦材"), Shape(mid.m_nUpperChord)},
                    {QStringLiteral("斜材"), Shape(mid.m_nDiagonal)},
                    {QStringLiteral("部材間距離"), MmValue(doc.GetMidSwayDepth() * 1000.0)},
                    {QStringLiteral("材質"), Grade(mid.m_nGrade)}});
        at = line + 9;
    }
    const CrossBeamTypeData& beam = m.m_dlgCrossBeamType;
    ShapeBlock(pDC, pInfo, mode, at + 1, QStringLiteral(" 横桁形状・材質"),
               {{QStringLiteral("フランジ厚"), MmValue(beam.m_dFlangeThickness)},
                {QStringLiteral("フランジ幅"), MmValue(beam.m_dFlangeWidth)},
                {QStringLiteral("ウェブ厚"), MmValue(beam.m_dWebThickness)},
                {QStringLiteral("部材間距離"), MmValue(doc.GetCrossBeamDepth() * 1000.0)},
                {QStringLiteral("材質"), Grade(beam.m_nGrade)}});
    if (!plate)
        return at + 6;
    const SwayBracingData& pier = m.m_dlgPierSway;
    return ShapeBlock(pDC, pInfo, mode, at + 6, QStringLiteral(" 支点上対傾構形状・材質"),
                      {{QStringLiteral("上下弦材"), Shape(pier.m_nUpperChord)},
                       {QStringLiteral("斜材"), Shape(pier.m_nDiagonal)},
                       {QStringLiteral("部材間距離"), MmValue(doc.GetPierSwayDepth() * 1000.0)},
                       {QStringLiteral("材質"), Grade(pier.m_nGrade)}});
}

int CInputReport::DrawLateralBracing(CDC* pDC, CPrintInfo* pInfo, int mode, int line)
{
    if (!m_pReportDoc)
        return line;
    const LateralBracingData& l = m_pReportDoc->m_dlgMainMember.m_dlgLateral;
    return ShapeBlock(pDC, pInfo, mode, line + 1, QStringLiteral(" 横構形状・材質"),
                      {{QStringLiteral("外側鋼材"), Shape(l.m_nOuterSection)},
                       {QStringLiteral("内側鋼材"), Shape(l.m_nInnerSection)},
                       {QStringLiteral("材質"), Grade(l.m_nGrade)}});
}

int CInputReport::DrawLeftBracket(CDC* pDC, CPrintInfo* pInfo, int mode, int line)
{
    if (!m_pReportDoc)
        return line;
    const CMarivoltenDoc& doc = *m_pReportDoc;
    const BracketData& b = doc.m_dlgMainMember.m_dlgLeftBracket;
    return ShapeBlock(pDC, pInfo, mode, line, QStringLiteral(" 左ブラケット形状・材質"),
                      {{QStringLiteral("フランジ幅"), MmValue(b.m_dFlangeWidth)},
                       {QStringLiteral("フランジ厚"), MmValue(b.m_dFlangeThickness)},
                       {QStringLiteral("ウェブ厚"), MmValue(b.m_dWebThickness)},
                       {QStringLiteral("部材間距離(左)"), MmValue(doc.GetLeftBracketDepthBL() * 1000.0)},
                       {QStringLiteral("部材間距離(右)"), MmValue(doc.GetLeftBracketDepthBR() * 1000.0)},
                       {QStringLiteral("部材長"), MmValue(b.m_dLength)},
                       {QStringLiteral("材質"), Grade(b.m_nGrade)}});
}

int CInputReport::DrawRightBracket(CDC* pDC, CPrintInfo* pInfo, int mode, int line)
{
    if (!m_pReportDoc)
        return line;
    const CMarivoltenDoc& doc = *m_pReportDoc;
    const BracketData& b = doc.m_dlgMainMember.m_dlgRightBracket;
    return ShapeBlock(pDC, pInfo, mode, line, QStringLiteral(" 右ブラケット形状・材質"),
                      {{QStringLiteral("フランジ幅"), MmValue(b.m_dFlangeWidth)},
                       {QStringLiteral("フランジ厚"), MmValue(b.m_dFlangeThickness)},
                       {QStringLiteral("ウェブ厚"), MmValue(b.m_dWebThickness)},
                       {QStringLiteral("部材間距離(左)"), MmValue(doc.GetRightBracketDepthBL() * 1000.0)},
                       {QStringLiteral("部材間距離(右)"), MmValue(doc.GetRightBracketDepthBR() * 1000.0)},
                       {QStringLiteral("部材長"), MmValue(b.m_dLength)},
                       {QStringLiteral("材質"), Grade(b.m_nGrade)}});
}

int CInputReport::DrawEdgeStringer(CDC* pDC, CPrintInfo* pInfo, int mode, int line)
{
    if (!m_pReportDoc)
        return line;
    const CMarivoltenDoc& doc = *m_pReportDoc;
    const StringerData& s = doc.m_dlgMainMember.m_dlgEdgeStringer;
    return ShapeBlock(pDC, pInfo, mode, line, QStringLiteral(" 側縦桁形状・材質"),
                      {{QStringLiteral("フランジ幅"), MmValue(s.m_dFlangeWidth)},
                       {QStringLiteral("フランジ厚"), MmValue(s.m_dFlangeThickness)},
                       {QStringLiteral("ウェブ厚"), MmValue(s.m_dWebThickness)},
                       {QStringLiteral("ウェブ高"), MmValue(doc.GetEdgeStringerDepth() * 1000.0)},
                       {QStringLiteral("材質"), Grade(s.m_nGrade)}});
}

int CInputReport::DrawStringer(CDC* pDC, CPrintInfo* pInfo, int mode, int line)
{
    if (!m_pReportDoc)
        return line;
    const CMarivoltenDoc& doc = *m_pReportDoc;
    const MidStringerData& s = doc.m_dlgMainMember.m_dlgMidStringer;
    return ShapeBlock(pDC, pInfo, mode, line, QStringLiteral(" 縦桁形状・材質"),
                      {{QStringLiteral("フランジ幅"), MmValue(s.m_dFlangeWidth)},
                       {QStringLiteral("フランジ厚"), MmValue(s.m_dFlangeThickness)},
                       {QStringLiteral("ウェブ厚"), MmValue(s.m_dWebThickness)},
                       {QStringLiteral("ウェブ高"), MmValue(doc.GetMidStringerDepth() * 1000.0)},
                       {QStringLiteral("本数"), AfxFormat("%5d", s.m_nCount)},
                       {QStringLiteral("材質"), Grade(s.m_nGrade)}});
}

// ---- 【横桁配置】

int CInputReport::DrawCrossBeamArrangement(CDC* pDC, CPrintInfo* pInfo, int mode, int line)
{
    const CSetupCrossBeamDialog* dlg = g_pCrossBeamDlg;
    if (!dlg || !m_pReportDoc)
        return line;
    const int points = std::clamp(g_nPanelPoints, 0, int(CrossBeamArrangementData::POINTS));
    Text(pDC, pInfo, mode, line + 2, 1, QStringLiteral("【横桁配置】"));
    Text(pDC, pInfo, mode, line + 4, 1, QStringLiteral(" 断面 No."));
    Text(pDC, pInfo, mode, line + 4, 7, QStringLiteral("：種類"));
    Text(pDC, pInfo, mode, line + 4, 10, QStringLiteral("分配"));
    Text(pDC, pInfo, mode, line + 4, 12, QStringLiteral("断面2次ﾓｰﾒﾝﾄ(m4)"));
    for (int p = 0; p < points; ++p) {
        const int n = line + 5 + p;
        Text(pDC, pInfo, mode, n, 2, AfxFormat("C%3d", p + 1));
        static const char* const kKinds[4] = {"端対傾構", "中間対傾構", "横桁", "支点上対傾構"};
        const int kind = dlg->m_anMemberKind[p];
        if (kind >= 0 && kind < 4)
            Text(pDC, pInfo, mode, n, 7, QString::fromUtf8(kKinds[kind]));
        Text(pDC, pInfo, mode, n, 10, dlg->m_abDistributing[p] ? QStringLiteral("あり") : QStringLiteral("なし"));
    }
    // The end point of a span is the next span's first: only the last span shows its own.
    int n = line + 5;
    const std::vector<CSpanData>& spans = m_pReportDoc->m_aSpans;
    const int nSpans = std::min(std::clamp(g_nSpans, 0, MAX_SPANS), int(spans.size()));
    for (int s = 0; s < nSpans; ++s) {
        const std::vector<CPanelPointRecord>& records = spans[size_t(s)].m_aPanelPoints;
        const int last = s == nSpans - 1 ? g_anPanelCount[s] : g_anPanelCount[s] - 1;
        for (int k = 0; k <= last && k < int(records.size()) && n < line + 5 + points; ++k, ++n)
            Text(pDC, pInfo, mode, n, 13, AfxFormat("%10.6f", records[size_t(k)].m_dInertia));
    }
    return line + 5 + points;
}

// ---- loads

int CInputReport::DrawDeadLoad(CDC* pDC, CPrintInfo* pInfo, int mode, int line)
{
    if (!m_pReportDoc)
        return line;
    const double* v = m_pReportDoc->m_dlgDeadLoad.m_adValue;
    const bool si = g_bSIUnits == 1;
    const bool sidewalk = m_pReportDoc->m_dlgBasic.m_nSidewalk > 0;
    auto lineLoad = [si](double x) { return AfxFormat(si ? "%8.2f ｋＮ/ｍ" : "%8.2f ｔ/ｍ", x); };
    auto unitWeight = [si](double x) { return AfxFormat(si ? "%8.2f ｋＮ/ｍ3" : "%8.2f ｔ/ｍ3", x); };
    Text(pDC, pInfo, mode, line + 2, 1, QStringLiteral("【死荷重】"));
    int n = line + 4;
    Item(pDC, pInfo, mode, n++, QStringLiteral(" 左高欄"), lineLoad(v[0]));
    Item(pDC, pInfo, mode, n++, QStringLiteral(" 右高欄"), lineLoad(v[1]));
    if (sidewalk)
        Item(pDC, pInfo, mode, n++, QStringLiteral(" 歩道舗装"), unitWeight(v[2]));
    Item(pDC, pInfo, mode, n++, QStringLiteral(" 車道舗装"), unitWeight(v[3]));
    Item(pDC, pInfo, mode, n++, QStringLiteral(" 中央分離帯"), unitWeight(v[4]));
    if (sidewalk) {
        Item(pDC, pInfo, mode, n++, QStringLiteral(" 歩道縁石"), unitWeight(v[5]));
        Item(pDC, pInfo, mode, n++, QStringLiteral(" 歩道床版"), unitWeight(v[6]));
    }
    Item(pDC, pInfo, mode, n++, QStringLiteral(" 車道床版"), unitWeight(v[7]));
    Item(pDC, pInfo, mode, n++, QStringLiteral(" 地覆"), unitWeight(v[8]));
    Item(pDC, pInfo, mode, n++, QStringLiteral(" 雪"), AfxFormat(si ? "%8.2f ｋＮ/ｍ2" : "%8.2f ｔ/ｍ2", v[9]));
    return n;
}

int CInputReport::DrawAttachments(CDC* pDC, CPrintInfo* pInfo, int mode, int line)
{
    if (!m_pReportDoc)
        return line;
    const SteelWeightData& w = m_pReportDoc->m_dlgSteelWeight;
    Text(pDC, pInfo, mode, line + 2, 1, QStringLiteral("【添架物】"));
    const int count = std::clamp(w.m_nAttachments, 0, int(SteelWeightData::ATTACHMENTS));
    if (count == 0) {
        Text(pDC, pInfo, mode, line + 4, 1, QStringLiteral(" 添架物荷重なし"));
        return line + 5;
    }
    const int T = line + 4, rows = count + 1;
    if (IsLineOnPage(pInfo, mode, T) && pDC) {
        const int widths[4] = {200, 250, 250, 250};
        const CPrintTable t = Table(pInfo, T, 4, rows, 4, widths);
        t.DrawTable(pDC, TRUE);
        t.DrawTextCentreMiddle(pDC, 0, 0, QStringLiteral("No."));
        t.DrawTextCentreMiddle(pDC, 0, 1, QStringLiteral("着目主桁"));
        t.DrawTextCentreMiddle(pDC, 0, 2, g_bSIUnits == 1 ? QStringLiteral("荷重(ｋN/ｍ)") : QStringLiteral("荷重(ｔ/ｍ)"));
        t.DrawTextCentreMiddle(pDC, 0, 3, QStringLiteral("位置(ｍｍ)"));
        for (int i = 1; i < rows; ++i) {
            // The single box keeps its one girder as the second entry; it is still G1.
            const int girder = g_nBridgeType == 2 ? 1 : w.m_anAttachGirder[i - 1] + 1;
            t.DrawTextCentreMiddle(pDC, i, 0, AfxFormat("%d", i));
            t.DrawTextCentreMiddle(pDC, i, 1, AfxFormat("G%d", girder));
            t.DrawTextCentreMiddle(pDC, i, 2, AfxFormat("%7.3f", w.m_adAttachLoad[i - 1]));
            t.DrawTextCentreMiddle(pDC, i, 3, AfxFormat("%7.1f", w.m_adAttachPosition[i - 1] * 1000.0));
        }
    }
    return T + rows + 1;
}

int CInputReport::DrawHaunchSteelWeight(CDC* pDC, CPrintInfo* pInfo, int mode, int line)
{
    if (!m_pReportDoc)
        return line;
    const SteelWeightData& w = m_pReportDoc->m_dlgSteelWeight;
    const bool si = g_bSIUnits == 1;
    const int rows = ReportGirders() + 1;
    const int T = TableBlockStart(pDC, pInfo, mode, line, rows, QStringLiteral("【ハンチ、仮定鋼重】"));
    if (IsLineOnPage(pInfo, mode, T) && pDC) {
        const int widths[5] = {200, 240, 240, 240, 240};
        const CPrintTable t = Table(pInfo, T, 4, rows, 5, widths);
        t.DrawTable(pDC, TRUE);
        t.DrawTextCentreMiddle(pDC, 0, 0, QStringLiteral("主桁 No."));
        t.DrawTextCentreMiddle(pDC, 0, 1, si ? QStringLiteral("仮定鋼重(kN/m)") : QStringLiteral("仮定鋼重(t/m)"));
        t.DrawTextCentreMiddle(pDC, 0, 2, QStringLiteral("ﾊﾝﾁ高(mm)"));
        t.DrawTextCentreMiddle(pDC, 0, 3, QStringLiteral("ﾊﾝﾁ幅(mm)"));
        t.DrawTextCentreMiddle(pDC, 0, 4, si ? QStringLiteral("ﾊﾝﾁ質量(kN/m)") : QStringLiteral("ﾊﾝﾁ重量(t/m)"));
        for (int r = 1; r < rows; ++r) {
            // The single box's one girder is the second entry of each array.
            const int g = g_nBridgeType == 2 ? 1 : r - 1;
            t.DrawTextCentreMiddle(pDC, r, 0, AfxFormat("G%d", r));
            t.DrawTextCentreMiddle(pDC, r, 1, AfxFormat("%9.3f", w.m_adSteelWeight[g]));
            t.DrawTextCentreMiddle(pDC, r, 2, AfxFormat("%7.1f", w.m_adHaunchH[g] * 1000.0));
            t.DrawTextCentreMiddle(pDC, r, 3, AfxFormat("%7.1f", w.m_adHaunchB[g] * 1000.0));
            t.DrawTextCentreMiddle(pDC, r, 4, AfxFormat("%9.3f", w.m_adHaunchWeight[g]));
        }
    }
    return T + rows + 1;
}

// ---- estimate input

int CInputReport::DrawEstimateFactors(CDC* pDC, CPrintInfo* pInfo, int mode, int line)
{
    if (!m_pReportDoc)
        return line;
    const EstimateFactorData& f = m_pReportDoc->m_dlgEstimate.m_dlgFactor;
    const bool si = g_bSIUnits == 1;
    const bool box = g_nBridgeType > 0;
    const bool separateRibs = box && f.m_bSeparateRibMass;
    std::vector<std::pair<QString, QString>> rows;
    auto add = [&rows](const char* label, const QString& value) { rows.emplace_back(QString::fromUtf8(label), value); };
    auto coef = [](double v) { return AfxFormat("%9.3f", v); };
    add("主桁係数", coef(f.m_dGirderFactor));
    if (separateRibs)
        add("ﾌﾗﾝｼﾞ縦ﾘﾌﾞ係数", coef(f.m_dFlangeRibFactor));
    add("横桁係数", coef(f.m_dCrossBeamFactor));
    add("対傾構係数", coef(f.m_dSwayFactor));
    add("横構係数", coef(f.m_dLateralFactor));
    add("ﾌﾞﾗｹｯﾄ係数", coef(f.m_dBracketFactor));
    add("側縦桁係数", coef(f.m_dEdgeStringerFactor));
    add("中間縦桁係数", coef(f.m_dStringerFactor));
    add("垂直補剛材間隔(m)", coef(f.m_dStiffenerSpacing));
    add("高力ﾎﾞﾙﾄ(主桁)", coef(f.m_dGirderBoltFactor));
    add("高力ﾎﾞﾙﾄ(横桁)", coef(f.m_dCrossBeamBoltFactor));
    add("桁端張出長    (m)", coef(f.m_dGirderEndLength));
    add("伸縮継手    (t/m)", coef(f.m_dExpansionJointUnitMass));
    add("高欄        (t/m)", coef(f.m_dRailingWeight));
    add("排水装置   (t/個)", coef(f.m_dDrainUnitMass));
    add("排水装置個数 (個)", AfxFormat("%5d", f.m_nDrainCount));
    add("塗装面積   (m2/t)", coef(f.m_dPaintAreaPerTon));
    add(si ? "その他質量    (t)" : "その他重量    (t)", coef(f.m_dOtherMassInput));
    add("桁端", f.m_bGirderEndMass ? QStringLiteral("考慮する") : QStringLiteral("考慮しない"));
    if (box)
        add("ﾌﾗﾝｼﾞ縦ﾘﾌﾞ", f.m_bSeparateRibMass ? QStringLiteral("上記割り増し係数で別途計上") : QStringLiteral("主桁割り増し分に含む"));
    add("横桁の構造", m_pReportDoc->m_dlgEstimate.m_dlgOption.m_bHSectionCrossBeams ? QStringLiteral("H型鋼")
                                                                                    : QStringLiteral("溶接構造"));
    const int nRows = int(rows.size()) + 1;
    const int T = TableBlockStart(pDC, pInfo, mode, line, nRows,
                                  si ? QStringLiteral("【割増係数、単位質量、横桁構造】") : QStringLiteral("【割増係数、単位重量、横桁構造】"));
    if (IsLineOnPage(pInfo, mode, T) && pDC) {
        const int widths[2] = {400, 550};
        const CPrintTable t = Table(pInfo, T, 4, nRows, 2, widths);
        t.DrawTable(pDC, TRUE);
        t.DrawTextCentreMiddle(pDC, 0, 0, QStringLiteral("項目"));
        t.DrawTextCentreMiddle(pDC, 0, 1, si ? QStringLiteral("係数・単位質量、横桁構造") : QStringLiteral("係数・単位重量、横桁構造"));
        for (int r = 1; r < nRows; ++r) {
            t.DrawTextLeftMiddle(pDC, r, 0, rows[size_t(r - 1)].first);
            t.DrawTextLeftMiddle(pDC, r, 1, rows[size_t(r - 1)].second);
        }
    }
    return T + nRows + 1;
}

int CInputReport::DrawLabourRates(CDC* pDC, CPrintInfo* pInfo, int mode, int line)
{
    if (!m_pReportDoc)
        return line;
    const EstimateLabourData& l = m_pReportDoc->m_dlgEstimate.m_dlgLabour;
    static const char* const kLabels[EstimateLabourData::ROWS] = {
        "製作工労務単価 (円)", "副資材費     (円/t)", "塗装前処理費 (円/t)", "工場塗装費  (円/m2)",
        "現場塗装費  (円/m2)", "床版工      (円/m3)", "車道舗装工  (円/m2)", "歩道舗装工  (円/m2)",
        "高力ﾎﾞﾙﾄ単価 (円/t)", "排水工       (円/t)", "輸送費       (円/t)", "架設費       (円/t)"};
    const int rows = EstimateLabourData::ROWS + 1;
    const int T = TableBlockStart(pDC, pInfo, mode, line, rows, QStringLiteral("【工数単価】"));
    if (IsLineOnPage(pInfo, mode, T) && pDC) {
        const int widths[2] = {400, 300};
        const CPrintTable t = Table(pInfo, T, 4, rows, 2, widths);
        t.DrawTable(pDC, TRUE);
        t.DrawTextCentreMiddle(pDC, 0, 0, QStringLiteral("項目"));
        t.DrawTextCentreMiddle(pDC, 0, 1, QStringLiteral("工数単価"));
        for (int r = 1; r < rows; ++r) {
            t.DrawTextLeftMiddle(pDC, r, 0, QString::fromUtf8(kLabels[r - 1]));
            t.DrawTextRightMiddle(pDC, r, 1, AfxFormat("%d", l.m_anPrice[EstimateLabourData::PriceIndex(r - 1)]));
        }
    }
    return T + rows + 1;
}

int CInputReport::DrawSteelPrices(CDC* pDC, CPrintInfo* pInfo, int mode, int line)
{
    if (!m_pReportDoc)
        return line;
    const EstimateSteelPriceData& p = m_pReportDoc->m_dlgEstimate.m_dlgSteelPrice;
    const int sizeExtra = p.m_anPrice[1] == 0 ? CEstimateSteelPriceDialog::AutomaticSizeExtra() : p.m_anPrice[1];
    const std::pair<const char*, int> rows[4] = {{"鋼材ﾍﾞｰｽ単価 (円/t)", p.m_anPrice[2]},
                                                 {"形鋼ﾍﾞｰｽ単価 (円/t)", p.m_anPrice[3]},
                                                 {"寸法ｴｷｽﾄﾗ   (円/t)", sizeExtra},
                                                 {"ｽｸﾗｯﾌﾟ単価  (円/t)", p.m_anPrice[0]}};
    const int T = TableBlockStart(pDC, pInfo, mode, line, 5, QStringLiteral("【鋼材単価】"));
    if (IsLineOnPage(pInfo, mode, T) && pDC) {
        const int widths[2] = {400, 300};
        const CPrintTable t = Table(pInfo, T, 4, 5, 2, widths);
        t.DrawTable(pDC, TRUE);
        t.DrawTextCentreMiddle(pDC, 0, 0, QStringLiteral("項目"));
        t.DrawTextCentreMiddle(pDC, 0, 1, QStringLiteral("単価"));
        for (int r = 1; r < 5; ++r) {
            t.DrawTextLeftMiddle(pDC, r, 0, QString::fromUtf8(rows[r - 1].first));
            t.DrawTextRightMiddle(pDC, r, 1, AfxFormat("%d", rows[r - 1].second));
        }
    }
    return T + 5 + 1;
}

int CInputReport::DrawFittings(CDC* pDC, CPrintInfo* pInfo, int mode, int line)
{
    if (!m_pReportDoc)
        return line;
    const EstimateFittingData& f = m_pReportDoc->m_dlgEstimate.m_dlgFitting;
    auto pick = [](std::initializer_list<const char*> texts, int i, const char* other) {
        return QString::fromUtf8(i >= 0 && i < int(texts.size()) ? texts.begin()[i] : other);
    };
    Text(pDC, pInfo, mode, line + 2, 1, QStringLiteral("【付属品形式、補正】"));
    int n = line + 4;
    Item(pDC, pInfo, mode, n++, QStringLiteral(" 高欄形式"), pick({"横ビーム型", "縦さん型"}, f.m_nRailingType, "高欄を製作費に含めない"));
    if (f.m_nRailingType != 2) {
        static const char* const kPosts[3] = {"支柱：角型、横張：角型", "支柱：角型、横張：パイプ", "支柱：鋼板、横張：パイプ"};
        Text(pDC, pInfo, mode, n++, 7,
             QStringLiteral("：") + (f.m_nRailingPost >= 0 && f.m_nRailingPost < 3 ? QString::fromUtf8(kPosts[f.m_nRailingPost]) : QString()));
    }
    Item(pDC, pInfo, mode, n++, QStringLiteral(" 伸縮継手形式"),
         pick({"フィンガー形式", "歩道部踏板形式"}, f.m_nJointType, "伸縮継手を製作費に含めない"));
    Item(pDC, pInfo, mode, n++, QStringLiteral(" 重連補正"),
         pick({"自動決定", "補正なし", "２連", "３、４連", "５、６連", "７連以上"}, f.m_nMultiSpanCorrection, "設定値異常"));
    Item(pDC, pInfo, mode, n++, QStringLiteral(" 曲線橋、斜橋補正"),
         pick({"設定値異常", "補正なし", "Ｒ≧２５０ｍ", "Ｒ≧１００ｍ", "Ｒ＜１００ｍ", "α≧７５度", "α≧４５度", "α＜４５度"},
              f.m_nCurveSkewCorrection, "設定値異常"));
    return n;
}

double CInputReport::SupportMaxReaction(const CMarivoltenDoc& doc, int nSupport)
{
    double most = 0.0;
    if (doc.m_bGrillageNotRun != 0 || !doc.m_pGirders || nSupport < 0 || nSupport > MAX_SPANS)
        return most;
    for (int g = 0; g < std::clamp(g_nGirders, 0, MAX_GIRDERS); ++g)
        most = std::max(most, doc.m_pGirders[g].m_adMaxReaction[nSupport]);
    return most;
}

int CInputReport::DrawBearings(CDC* pDC, CPrintInfo* pInfo, int mode, int line)
{
    if (!m_pReportDoc)
        return line;
    const CMarivoltenDoc& doc = *m_pReportDoc;
    const bool si = g_bSIUnits == 1;
    const bool results = doc.m_bGrillageNotRun == 0 && doc.m_pGirders;
    const int supports = std::clamp(g_nSpans, 0, MAX_SPANS) + 1;
    const int rows = supports + 1;
    const int T = TableBlockStart(pDC, pInfo, mode, line, rows, QStringLiteral("【支承】"));
    if (IsLineOnPage(pInfo, mode, T) && pDC) {
        const int widths[5] = {200, 240, 240, 240, 240};
        const CPrintTable t = Table(pInfo, T, 4, rows, 5, widths);
        t.DrawTable(pDC, TRUE);
        t.DrawTextCentreMiddle(pDC, 0, 0, QStringLiteral("横断 No."));
        t.DrawTextCentreMiddle(pDC, 0, 1, si ? QStringLiteral("最大反力(kN)") : QStringLiteral("最大反力(tf)"));
        t.DrawTextCentreMiddle(pDC, 0, 2, QStringLiteral("支承タイプ"));
        t.DrawTextCentreMiddle(pDC, 0, 3, si ? QStringLiteral("支承反力(kN)") : QStringLiteral("支承反力(tf)"));
        t.DrawTextCentreMiddle(pDC, 0, 4, si ? QStringLiteral("質量(kg/個)") : QStringLiteral("重量(kg/個)"));
        int point = 1;
        for (int i = 0; i < supports; ++i) {
            const double reaction = SupportMaxReaction(doc, i);
            const QString shown = !results ? QStringLiteral("－")
                                  : si     ? AfxFormat("%9.2f", reaction * 9.80665)
                                           : AfxFormat("%9.3f", reaction);
            t.DrawTextCentreMiddle(pDC, i + 1, 0, AfxFormat("C%d", point));
            t.DrawTextCentreMiddle(pDC, i + 1, 1, shown);
            t.DrawTextCentreMiddle(pDC, i + 1, 2, QStringLiteral("ゴム支承"));
            t.DrawTextCentreMiddle(pDC, i + 1, 3, shown);
            t.DrawTextCentreMiddle(pDC, i + 1, 4,
                                   results ? AfxFormat("%9.3f", doc.GetStepTableValue(0, reaction)) : QStringLiteral("－"));
            if (i < g_nSpans)
                point += g_anPanelCount[i];
        }
    }
    Item(pDC, pInfo, mode, T + rows + 1, QStringLiteral(" ゴム支承見積価格"),
         AfxFormat("%d 円/ｔ", doc.m_dlgEstimate.m_dlgBearing.m_nRubberPricePerTon));
    return T + rows + 2;
}

int CInputReport::DrawOverheads(CDC* pDC, CPrintInfo* pInfo, int mode, int line)
{
    if (!m_pReportDoc)
        return line;
    const EstimateOverheadData& o = m_pReportDoc->m_dlgEstimate.m_dlgOverhead;
    if (o.m_nCostMethod == 0)
        return line;
    static const char* const kRegions[4] = {"市街地", "山間僻地・離島", "地方部（一般交通等の影響を受ける）",
                                             "地方部（一般交通等の影響を受けない）"};
    Text(pDC, pInfo, mode, line + 2, 1, QStringLiteral("【一般管理費・共通仮設費・現場管理費】"));
    Item(pDC, pInfo, mode, line + 4, QStringLiteral(" 施工地域・工事場所区分補正"),
         o.m_nRegion >= 0 && o.m_nRegion < 4 ? QString::fromUtf8(kRegions[o.m_nRegion]) : QStringLiteral("補正なし"));
    Item(pDC, pInfo, mode, line + 5, QStringLiteral(" 施工時期・工事期間補正"), AfxFormat("%3.1f ％", o.m_dSeasonPercent));
    Item(pDC, pInfo, mode, line + 6, QStringLiteral(" 前払い補正係数"), AfxFormat("%4.2f", o.m_dPrepaymentFactor));
    Item(pDC, pInfo, mode, line + 7, QStringLiteral(" 契約保証補正"), AfxFormat("%3.1f ％", o.m_dGuaranteePercent));
    return line + 8;
}
