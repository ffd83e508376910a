// The blocks of the input report for the secondary members and the loads.
#include "views/input_report.h"

#include "app/doc.h"
#include "app/globals.h"
#include "framework/dc.h"
#include "framework/format.h"
#include "input/cross_beam_dialog.h"
#include "views/print_table.h"

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
    // The plate girder's cross frames come first, after a free line; the box girder has the
    // cross beam alone.
    int at = m_bBoxCrossBeamAfterFreeLine ? line + 1 : line;
    if (plate) {
        const SwayBracingData& end = m.m_dlgEndSway;
        const SwayBracingData& mid = m.m_dlgMidSway;
        at = ShapeBlock(pDC, pInfo, mode, line + 1, QStringLiteral(" 端対傾構形状・材質"),
                        {{QStringLiteral("上弦材"), Shape(end.m_nUpperChord)},
                         {QStringLiteral("下弦材"), Shape(end.m_nLowerChord)},
                         {QStringLiteral("斜材"), Shape(end.m_nDiagonal)},
                         {QStringLiteral("部材間距離"), MmValue(doc.GetEndSwayDepth() * 1000.0)},
                         {QStringLiteral("材質"), Grade(end.m_nGrade)}});
        at = ShapeBlock(pDC, pInfo, mode, at, QStringLiteral(" 中間対傾構形状・材質"),
                        {{QStringLiteral("上下弦材"), Shape(mid.m_nUpperChord)},
                         {QStringLiteral("斜材"), Shape(mid.m_nDiagonal)},
                         {QStringLiteral("部材間距離"), MmValue(doc.GetMidSwayDepth() * 1000.0)},
                         {QStringLiteral("材質"), Grade(mid.m_nGrade)}});
    }
    const CrossBeamTypeData& beam = m.m_dlgCrossBeamType;
    at = ShapeBlock(pDC, pInfo, mode, at, QStringLiteral(" 横桁形状・材質"),
                    {{QStringLiteral("フランジ厚"), MmValue(beam.m_dFlangeThickness)},
                     {QStringLiteral("フランジ幅"), MmValue(beam.m_dFlangeWidth)},
                     {QStringLiteral("ウェブ厚"), MmValue(beam.m_dWebThickness)},
                     {QStringLiteral("部材間距離"), MmValue(doc.GetCrossBeamDepth() * 1000.0)},
                     {QStringLiteral("材質"), Grade(beam.m_nGrade)}});
    if (!plate)
        return at;
    const SwayBracingData& pier = m.m_dlgPierSway;
    return ShapeBlock(pDC, pInfo, mode, at, QStringLiteral(" 支点上対傾構形状・材質"),
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

int CInputReport::BracketBlock(CDC* pDC, CPrintInfo* pInfo, int mode, int line, const QString& title,
                               const BracketData& b, double dDepthLeft, double dDepthRight) const
{
    return ShapeBlock(pDC, pInfo, mode, line, title,
                      {{QStringLiteral("フランジ幅"), MmValue(b.m_dFlangeWidth)},
                       {QStringLiteral("フランジ厚"), MmValue(b.m_dFlangeThickness)},
                       {QStringLiteral("ウェブ厚"), MmValue(b.m_dWebThickness)},
                       {QStringLiteral("部材間距離(左)"), MmValue(dDepthLeft * 1000.0)},
                       {QStringLiteral("部材間距離(右)"), MmValue(dDepthRight * 1000.0)},
                       {QStringLiteral("部材長"), MmValue(b.m_dLength)},
                       {QStringLiteral("材質"), Grade(b.m_nGrade)}});
}

int CInputReport::DrawLeftBracket(CDC* pDC, CPrintInfo* pInfo, int mode, int line)
{
    if (!m_pReportDoc)
        return line;
    const CMarivoltenDoc& doc = *m_pReportDoc;
    return BracketBlock(pDC, pInfo, mode, line, QStringLiteral(" 左ブラケット形状・材質"), doc.m_dlgMainMember.m_dlgLeftBracket,
                        doc.GetLeftBracketDepthBL(), doc.GetLeftBracketDepthBR());
}

int CInputReport::DrawRightBracket(CDC* pDC, CPrintInfo* pInfo, int mode, int line)
{
    if (!m_pReportDoc)
        return line;
    const CMarivoltenDoc& doc = *m_pReportDoc;
    return BracketBlock(pDC, pInfo, mode, line, QStringLiteral(" 右ブラケット形状・材質"), doc.m_dlgMainMember.m_dlgRightBracket,
                        doc.GetRightBracketDepthBL(), doc.GetRightBracketDepthBR());
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

int CInputReport::DrawStringerShapeBlock(CDC* pDC, CPrintInfo* pInfo, int mode, int line)
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

int CInputReport::DrawCrossBeamLayoutBlock(CDC* pDC, CPrintInfo* pInfo, int mode, int line)
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

int CInputReport::DrawDeadLoadBlock(CDC* pDC, CPrintInfo* pInfo, int mode, int line)
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

int CInputReport::DrawAttachedLoadBlock(CDC* pDC, CPrintInfo* pInfo, int mode, int line)
{
    if (!m_pReportDoc)
        return line;
    const SteelWeightData& w = m_pReportDoc->m_dlgSteelWeight;
    const int count = std::clamp(w.m_nAttachments, 0, int(SteelWeightData::ATTACHMENTS));
    if (count == 0) {
        Text(pDC, pInfo, mode, line + 2, 1, QStringLiteral("【添架物】"));
        Text(pDC, pInfo, mode, line + 4, 1, QStringLiteral(" 添架物荷重なし"));
        return line + 5;
    }
    // Drawn whole on the page of its first row, the table moves on with its heading when its
    // rows would run past the page end.
    const int rows = count + 1;
    const int T = TableBlockStart(pDC, pInfo, mode, line, rows, QStringLiteral("【添架物】"));
    if (IsTableDrawn(pDC, pInfo, mode, T)) {
        const CPrintTable t =
            BlockTable(pDC, pInfo, T, rows, {200, 250, 250, 250},
                       {QStringLiteral("No."), QStringLiteral("着目主桁"),
                        QString::fromUtf8(g_bSIUnits == 1 ? m_wording.attachedLoadSI : "荷重(ｔ/ｍ)"), QStringLiteral("位置(ｍｍ)")});
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

int CInputReport::DrawHaunchBlock(CDC* pDC, CPrintInfo* pInfo, int mode, int line)
{
    if (!m_pReportDoc)
        return line;
    const SteelWeightData& w = m_pReportDoc->m_dlgSteelWeight;
    const bool si = g_bSIUnits == 1;
    const int rows = ReportGirders() + 1;
    const int T = TableBlockStart(pDC, pInfo, mode, line, rows, QStringLiteral("【ハンチ、仮定鋼重】"));
    if (IsTableDrawn(pDC, pInfo, mode, T)) {
        const CPrintTable t = BlockTable(
            pDC, pInfo, T, rows, {200, 240, 240, 240, 240},
            {QStringLiteral("主桁 No."), si ? QStringLiteral("仮定鋼重(kN/m)") : QStringLiteral("仮定鋼重(t/m)"),
             QStringLiteral("ﾊﾝﾁ高(mm)"), QStringLiteral("ﾊﾝﾁ幅(mm)"),
             si ? QStringLiteral("ﾊﾝﾁ質量(kN/m)") : QStringLiteral("ﾊﾝﾁ重量(t/m)")});
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
