// The line protocol of the input report, the block sequence, and the blocks of the basic
// conditions, the panel division, the cross sections, the girder heights and the main
// girder data.
#include "views/input_report.h"

#include "app/doc.h"
#include "app/globals.h"
#include "design/girder_design.h"
#include "framework/dc.h"
#include "framework/format.h"
#include "framework/print.h"
#include "input/cross_beam_dialog.h"
#include "input/cross_section_dialog.h"
#include "input/height_dialog.h"
#include "views/drawing_helpers.h"
#include "views/print_table.h"

#include <algorithm>
#include <vector>

namespace {

constexpr double kTiny = 1e-20;
// Radians to degrees as the report has always shown them.
constexpr double kDegrees = 180.0 / 3.14159265359;

QString Mm(double metres) { return AfxFormat("%5.0f", metres * 1000.0); }
QString LimitText(int mode, double mm) { return mode != 0 ? AfxFormat("%5.0f ｍｍ", mm) : QStringLiteral("自動決定"); }
QString Grade(int index) { return g_szSteelGrades9[std::clamp(index, 0, 8)]; }
QString Considered(int flag) { return flag == 1 ? QStringLiteral("考慮する") : QStringLiteral("考慮しない"); }

// A value of a growable station array, 0 where the array is short.
double At(const std::vector<double>& values, int i) { return i >= 0 && i < int(values.size()) ? values[size_t(i)] : 0.0; }

// The largest panel count of all spans.
int MostPanels()
{
    int most = 0;
    for (int s = 0; s < std::clamp(g_nSpans, 0, MAX_SPANS); ++s)
        most = std::max(most, g_anPanelCount[s]);
    return std::clamp(most, 0, MAX_PANELS);
}

}

// ---- line protocol

int CInputReport::IsLineOnPage(CPrintInfo* pInfo, int mode, int line) const
{
    if (!pInfo)
        return mode;
    if (PageOfLine(line) != int(pInfo->m_nCurPage))
        return 0;
    return mode != 0 ? 1 : 0;
}

int CInputReport::LineToY(CPrintInfo* pInfo, int line) const
{
    const int inPage = pInfo ? line % m_nLinesPerPage : line;
    return -(m_nTopMargin + m_nLineHeight + inPage * m_nLineHeight);
}

int CInputReport::KeepOnPage(CPrintInfo* pInfo, int line, int nLines) const
{
    if (pInfo && line % m_nLinesPerPage + nLines >= m_nLinesPerPage)
        return line + m_nLinesPerPage - line % m_nLinesPerPage;
    return line;
}

void CInputReport::Text(CDC* pDC, CPrintInfo* pInfo, int mode, int line, int col, const QString& text) const
{
    // A long title keeps inside the page's frame, smaller and over its line where it must.
    if (!pDC || !IsLineOnPage(pInfo, mode, line))
        return;
    const int right = pInfo && m_pReportDoc ? m_pReportDoc->PageFrameRect(pInfo).right : kA4Portrait.cx - m_nRightMargin;
    WriteWithin(pDC, ColumnX(col), LineToY(pInfo, line), right - kTextInset, text, 1, m_nLineHeight);
}

void CInputReport::Item(CDC* pDC, CPrintInfo* pInfo, int mode, int line, const QString& label, const QString& value) const
{
    Text(pDC, pInfo, mode, line, 1, label);
    Text(pDC, pInfo, mode, line, 7, QStringLiteral("：") + value);
}

CPrintTable CInputReport::Table(CPrintInfo* pInfo, int line, int col, int nRows, int nCols, const int* anColWidths,
                                const int* anRowHeights) const
{
    std::vector<int> heights(size_t(std::max(nRows, 0)), m_nLineHeight);
    if (anRowHeights)
        std::copy(anRowHeights, anRowHeights + nRows, heights.begin());
    return CPrintTable(ColumnX(col), LineToY(pInfo, line), nRows, nCols, heights.data(), anColWidths);
}

bool CInputReport::IsTableDrawn(CDC* pDC, CPrintInfo* pInfo, int mode, int line) const
{
    return pDC && IsLineOnPage(pInfo, mode, line);
}

int CInputReport::TableBlockStart(CDC* pDC, CPrintInfo* pInfo, int mode, int line, int nRows, const QString& heading) const
{
    line = KeepOnPage(pInfo, line, nRows + 4);
    Text(pDC, pInfo, mode, line + 2, 1, heading);
    return line + 4;
}

CPrintTable CInputReport::BlockTable(CDC* pDC, CPrintInfo* pInfo, int line, int nRows, std::initializer_list<int> widths,
                                     std::initializer_list<QString> headings) const
{
    const std::vector<int> w(widths);
    const CPrintTable t = Table(pInfo, line, 4, nRows, int(w.size()), w.data());
    t.DrawTable(pDC, m_bShadeHeadings);
    int col = 0;
    for (const QString& heading : headings) {
        if (!heading.isEmpty())
            t.DrawTextCentreMiddle(pDC, 0, col, heading);
        ++col;
    }
    return t;
}

int CInputReport::ReportGirders() { return g_nBridgeType == 2 ? 1 : std::clamp(g_nGirders, 0, MAX_GIRDERS); }

// ---- the sequence

int CInputReport::RunInputBlocks(CDC* pDC, CPrintInfo* pInfo, int mode, int line)
{
    if (!m_pReportDoc)
        return line;
    const CMarivoltenDoc& doc = *m_pReportDoc;
    line = DrawBasicConditions(pDC, pInfo, mode, line);
    for (int s = 0; s < g_nSpans; s += 3)
        line = DrawPanelDivision(pDC, pInfo, mode, line, s);
    for (int k = 0; k < g_nCrossSections; k += 6)
        line = DrawCrossSectionDimensions(pDC, pInfo, mode, line, k);
    if (g_pHeightDlg)
        for (int p = 0; p < g_pHeightDlg->m_nPointCols; p += 5)
            line = DrawGirderHeights(pDC, pInfo, mode, line, p);
    line = DrawMainGirderData(pDC, pInfo, mode, line);
    line = DrawMainGirderData2(pDC, pInfo, mode, line);
    line = DrawMainMemberData(pDC, pInfo, mode, line);
    line = DrawCrossFrameMembers(pDC, pInfo, mode, line);
    const MainMemberData& members = doc.m_dlgMainMember;
    if (members.m_bUseLateral)
        line = DrawLateralBracing(pDC, pInfo, mode, line);
    if (members.m_bUseLeftBracket)
        line = DrawLeftBracket(pDC, pInfo, mode, line);
    if (members.m_bUseRightBracket)
        line = DrawRightBracket(pDC, pInfo, mode, line);
    if (members.m_bUseEdgeStringer)
        line = DrawEdgeStringer(pDC, pInfo, mode, line);
    if (members.m_bUseStringer)
        line = DrawStringerShapeBlock(pDC, pInfo, mode, line);
    if (g_nBridgeType != 2)
        line = DrawCrossBeamLayoutBlock(pDC, pInfo, mode, line);
    line = DrawDeadLoadBlock(pDC, pInfo, mode, line);
    line = DrawAttachedLoadBlock(pDC, pInfo, mode, line);
    line = DrawHaunchBlock(pDC, pInfo, mode, line);
    line = DrawFactorBlock(pDC, pInfo, mode, line);
    line = DrawLabourPriceBlock(pDC, pInfo, mode, line);
    line = DrawSteelPriceBlock(pDC, pInfo, mode, line);
    line = DrawAccessoryBlock(pDC, pInfo, mode, line);
    line = DrawBearingBlock(pDC, pInfo, mode, line);
    return DrawOverheadBlock(pDC, pInfo, mode, line);
}

// ---- 【基本条件】

int CInputReport::DrawBasicConditions(CDC* pDC, CPrintInfo* pInfo, int mode, int line)
{
    if (!m_pReportDoc)
        return line;
    const BasicConditions& b = m_pReportDoc->m_dlgBasic;
    static const char* const kLiveLoads[6] = {"Ａ活荷重（Ｌ荷重のみ）", "Ｂ活荷重（Ｌ荷重のみ）", "Ａ活荷重（Ｌ荷重、Ｔ荷重）",
                                              "Ｂ活荷重（Ｌ荷重、Ｔ荷重）", "活荷重無し", "群集荷重のみ"};
    static const char* const kSidewalks[4] = {"歩道なし", "左側歩道付き", "右側歩道付き", "両側歩道付き"};
    auto pick = [](const char* const* texts, int n, int i) { return i >= 0 && i < n ? QString::fromUtf8(texts[i]) : QString(); };

    Text(pDC, pInfo, mode, line + 2, 1, QStringLiteral("【基本条件】"));
    Item(pDC, pInfo, mode, line + 4, QStringLiteral(" タイトル"), b.m_strTitle);
    Item(pDC, pInfo, mode, line + 5, QStringLiteral(" サブタイトル"), b.m_strSubtitle);
    Item(pDC, pInfo, mode, line + 6, QStringLiteral(" 桁形式"), b.m_nGirderForm == 0 ? QStringLiteral("鈑桁") : QStringLiteral("箱桁"));
    Item(pDC, pInfo, mode, line + 7, QStringLiteral(" 支間数"), AfxFormat("%5d", b.m_nSpans));
    Item(pDC, pInfo, mode, line + 8, QStringLiteral(" 主桁本数"), AfxFormat("%5d", b.m_nGirders));
    Item(pDC, pInfo, mode, line + 9, QStringLiteral(" 橋格"), pick(kLiveLoads, 6, b.m_nLiveLoad));
    int n = line + 10;
    // A factor that shows as 1 is no factor and takes no line.
    for (const auto& [label, factor] : {std::pair{" P1荷重割増係数", b.m_dP1Factor}, std::pair{" P2荷重割増係数", b.m_dP2Factor}}) {
        const QString text = AfxFormat("%5.3f", factor);
        if (text != QStringLiteral("1.000"))
            Item(pDC, pInfo, mode, n++, QString::fromUtf8(label), text);
    }
    QString sidewalk = pick(kSidewalks, 4, b.m_nSidewalk);
    if (b.m_nSidewalk >= 1 && b.m_nSidewalk <= 3 && b.m_bKerbUnloaded)
        sidewalk += QStringLiteral("（縁石を群衆荷重非載荷帯とする）");
    Item(pDC, pInfo, mode, n, QStringLiteral(" 横断面形状"), sidewalk);
    QString median = b.m_nMedian == 0 ? QStringLiteral("あり") : QStringLiteral("なし");
    if (b.m_nMedian == 0 && b.m_bMedianUnloaded)
        median += QStringLiteral("（中央分離帯を活荷重非載荷帯とする）");
    Item(pDC, pInfo, mode, n + 1, QStringLiteral(" 中央分離帯"), median);
    const QString standard = b.m_nStandard == 0   ? QStringLiteral("道路橋示方書（国土交通省）")
                             : b.m_nStandard == 1 ? QStringLiteral("日本道路公団")
                                                  : QString();
    Item(pDC, pInfo, mode, n + 2, QStringLiteral(" 鋼種の仕様"), standard);
    auto used = [](int option) {
        return option == 0 ? QStringLiteral("使用する") : option == 1 ? QStringLiteral("使用しない") : QString();
    };
    Item(pDC, pInfo, mode, n + 3, QStringLiteral(" 耐候性鋼材"), used(b.m_nWeathering));
    Item(pDC, pInfo, mode, n + 4, QStringLiteral(" -H鋼材"), used(b.m_nHSteel));
    return n + 5;
}

// ---- 【パネル割】

int CInputReport::DrawPanelDivision(CDC* pDC, CPrintInfo* pInfo, int mode, int line, int firstSpan)
{
    if (!m_pReportDoc || firstSpan % 3 != 0 || firstSpan < 0)
        return line;
    const int P = MostPanels();
    if (firstSpan == 0) {
        line = KeepOnPage(pInfo, line, 4 + P + 10);
        Text(pDC, pInfo, mode, line + 2, 1, QStringLiteral("【パネル割】"));
        line += 4;
    } else {
        line = KeepOnPage(pInfo, line, P + 10);
    }
    if (IsTableDrawn(pDC, pInfo, mode, line)) {
        const int widths1[7] = {400, 160, 160, 160, 160, 160, 160};
        const int heights1[4] = {150, 50, 50, 50};
        const CPrintTable t1 = Table(pInfo, line, 2, 4, 7, widths1, heights1);
        const int widths2[4] = {400, 320, 320, 320};
        CPrintTable t2 = Table(pInfo, line, 2, P + 4, 4, widths2);
        t2.m_ptOrigin = CPoint(t1.m_ptOrigin.x, t1.m_ptOrigin.y - t1.GetTotalHeight());
        const int halves[2] = {1, 1}, whole[1] = {1};
        std::vector<CPrintTable> heads, tops;
        for (int k = 0; k < 3; ++k) {
            heads.emplace_back(t1, 0, 2 * k + 1, 2, 2, halves, halves, CPrintTable::JOIN_RIGHT);
            tops.emplace_back(heads.back(), 0, 0, 1, 1, whole, whole, CPrintTable::JOIN_RIGHT);
        }

        t1.DrawTable(pDC, m_bShadeHeadings);
        const COLORREF white = RGB(255, 255, 255);
        for (int k = 0; k < 3; ++k) {
            heads[size_t(k)].DrawTableFilled(pDC, m_bShadeHeadings ? CPrintTable::kRowFill : white);
            tops[size_t(k)].DrawTableFilled(pDC, m_bShadeHeadings ? CPrintTable::kRowFill : white);
        }
        t2.DrawTableFilled(pDC, white);
        for (int r = 0; r < P + 4; ++r)
            t2.DrawCellFrameEx(pDC, r, 0, m_bShadeHeadings ? CPrintTable::kColumnFill : white, RGB(0, 0, 0));

        t1.DrawTextLeftMiddle(pDC, 1, 0, QStringLiteral("G1桁-骨組基本線 (mm)"));
        t1.DrawTextLeftMiddle(pDC, 2, 0, QStringLiteral("主桁間隔        (mm)"));
        t1.DrawTextLeftMiddle(pDC, 3, 0, QStringLiteral("ｽｷｭｰ角          (度)"));
        t2.DrawTextLeftMiddle(pDC, 0, 0, QStringLiteral("骨組基本線曲率   (m)"));
        t2.DrawTextLeftMiddle(pDC, 1, 0, QStringLiteral("主桁ﾀｲﾌﾟ            "));
        t2.DrawTextLeftMiddle(pDC, 2, 0, QStringLiteral("横桁ﾀｲﾌﾟ            "));
        for (int p = 0; p < P; ++p)
            t2.DrawTextLeftMiddle(pDC, 3 + p, 0, AfxFormat("第%2dﾊﾟﾈﾙ長      (mm)", p + 1));
        t2.DrawTextLeftMiddle(pDC, P + 3, 0, QStringLiteral("支間長          (mm)"));

        static const char* const kCrossBeams[4] = {"骨組基本線に直交", "始端ｽｷｭｰ揃え", "終端ｽｷｭｰ揃え", "主桁に直交"};
        const std::vector<CSpanData>& spans = m_pReportDoc->m_aSpans;
        for (int k = 0; k < 3; ++k) {
            const int s = firstSpan + k;
            if (s >= g_nSpans || s >= int(spans.size()))
                break;
            const CSpanData& span = spans[size_t(s)];
            tops[size_t(k)].DrawTextCentreMiddle(pDC, 0, 0, AfxFormat("第%d支間", s + 1));
            heads[size_t(k)].DrawTextCentreMiddle(pDC, 1, 0, QStringLiteral("始端"));
            heads[size_t(k)].DrawTextCentreMiddle(pDC, 1, 1, QStringLiteral("終端"));
            for (int e = 0; e < 2; ++e) {
                t1.DrawTextRightMiddle(pDC, 1, 2 * k + 1 + e, Mm(span.m_dG1Offset[e]));
                t1.DrawTextRightMiddle(pDC, 2, 2 * k + 1 + e, Mm(span.m_dGirderSpacing[e]));
                t1.DrawTextRightMiddle(pDC, 3, 2 * k + 1 + e, AfxFormat("%5.2f", span.m_dSkew[e] * kDegrees));
            }
            if (span.m_bCurvedBaseLine)
                t2.DrawTextRightMiddle(pDC, 0, k + 1, AfxFormat("%5.2f", span.m_dRadius));
            else
                t2.DrawTextCentreMiddle(pDC, 0, k + 1, QStringLiteral("∞"));
            t2.DrawTextCentreMiddle(pDC, 1, k + 1, span.m_bCurvedGirders ? QStringLiteral("曲線") : QStringLiteral("直線"));
            if (span.m_nCrossBeamType >= 0 && span.m_nCrossBeamType < 4)
                t2.DrawTextCentreMiddle(pDC, 2, k + 1, QString::fromUtf8(kCrossBeams[span.m_nCrossBeamType]));
            const int panels = std::min({g_anPanelCount[s], P, int(span.m_pdPanelLength.size())});
            for (int p = 0; p < panels; ++p)
                t2.DrawTextRightMiddle(pDC, 3 + p, k + 1, Mm(span.m_pdPanelLength[size_t(p)]));
            t2.DrawTextRightMiddle(pDC, P + 3, k + 1, Mm(span.m_dSpanLength));
        }
    }
    return line + 1 + P + 10;
}

// ---- 【横断面寸法】

int CInputReport::DrawCrossSectionDimensions(CDC* pDC, CPrintInfo* pInfo, int mode, int line, int first)
{
    const CSetupCrossSectionDialog* dlg = g_pCrossSectionDlg;
    if (!dlg || first % 6 != 0 || first < 0)
        return line;
    enum { ROWS = 27 };
    line = KeepOnPage(pInfo, line, first == 0 ? ROWS + 4 : ROWS);
    int T = line;
    if (first == 0) {
        Text(pDC, pInfo, mode, line + 2, 1, QStringLiteral("【横断面寸法】"));
        T = line + 4;
    }
    if (IsTableDrawn(pDC, pInfo, mode, T)) {
        static const char* const kLabels[26] = {
            "支点からの距離 (mm)", "    角度       (度)", "B 1 分離帯距離 (mm)", "B 2 左地覆幅   (mm)",
            "B 3 左歩道幅   (mm)", "B 4 分離帯幅   (mm)", "B 5 右歩道幅   (mm)", "B 6 右地覆幅   (mm)",
            "B 7 左高欄位置 (mm)", "B 8 左縁石幅   (mm)", "B 9 右縁石幅   (mm)", "B10 右高欄位置 (mm)",
            "B11 左張出幅   (mm)", "B12 右張出幅   (mm)", "H 1 左地覆立上 (mm)", "H 2 左歩道舗装 (mm)",
            "H 3 左ﾏｳﾝﾄ厚   (mm)", "H 4 左車道舗装 (mm)", "H 5 床版厚     (mm)", "H 6 中分立上   (mm)",
            "H 7 右車道舗装 (mm)", "H 8 右地覆立上 (mm)", "H 9 右歩道舗装 (mm)", "H10 右ﾏｳﾝﾄ厚   (mm)",
            "H11 左縁石立上 (mm)", "H12 右縁石立上 (mm)"};
        const int widths[7] = {400, 160, 160, 160, 160, 160, 160};
        const CPrintTable t = Table(pInfo, T, 2, ROWS, 7, widths);
        t.DrawTable(pDC, m_bShadeHeadings);
        for (int r = 1; r < ROWS; ++r)
            t.DrawTextLeftMiddle(pDC, r, 0, QString::fromUtf8(kLabels[r - 1]));

        // Supports are numbered among the supports, the other stations among themselves over the bridge.
        std::vector<int> supports(1, 0);
        for (int i = 0; i < std::clamp(g_nSpans, 0, MAX_SPANS); ++i)
            supports.push_back(supports.back() + 1 + g_anFreeSections[i]);
        for (int c = 0; c < 6 && first + c < g_nCrossSections; ++c) {
            const int k = first + c;
            const auto support = std::find(supports.begin(), supports.end(), k);
            QString heading;
            if (support != supports.end()) {
                heading = AfxFormat("第%d支点", int(support - supports.begin()) + 1);
            } else {
                const int before = int(std::count_if(supports.begin(), supports.end(), [k](int s) { return s < k; }));
                heading = AfxFormat("第%d断面", k - before + 1);
            }
            t.DrawTextCentreMiddle(pDC, 0, c + 1, heading);
            t.DrawTextRightMiddle(pDC, 1, c + 1, Mm(At(dlg->m_arrD, k)));
            t.DrawTextRightMiddle(pDC, 2, c + 1, AfxFormat("%5.0f", At(dlg->m_arrTheta, k) * kDegrees));
            for (int i = 1; i <= 12; ++i) {
                t.DrawTextRightMiddle(pDC, 2 + i, c + 1, Mm(At(dlg->B(i), k)));
                t.DrawTextRightMiddle(pDC, 14 + i, c + 1, Mm(At(dlg->H(i), k)));
            }
        }
    }
    return T + ROWS + 1;
}

// ---- 【桁高】

int CInputReport::DrawGirderHeights(CDC* pDC, CPrintInfo* pInfo, int mode, int line, int firstPoint)
{
    const CSetupHeightDialog* dlg = g_pHeightDlg;
    if (!dlg || !m_pReportDoc || firstPoint % 5 != 0 || firstPoint < 0 || m_pReportDoc->m_dlgBasic.m_nHeightVariation != 0)
        return line;
    const int girders = ReportGirders();
    const int rows = girders + 2;
    if (firstPoint == 0) {
        line = KeepOnPage(pInfo, line, 5 + rows);
        Text(pDC, pInfo, mode, line + 2, 1, QStringLiteral("【桁高】"));
        line += 4;
    } else {
        line = KeepOnPage(pInfo, line, rows);
    }
    if (IsTableDrawn(pDC, pInfo, mode, line)) {
        const int widths[6] = {300, 220, 220, 220, 220, 220};
        const CPrintTable t = Table(pInfo, line, 2, rows, 6, widths);
        t.DrawTable(pDC, m_bShadeHeadings);
        // The heights are typed and shown in millimetres.
        t.DrawTextLeftMiddle(pDC, 1, 0, QStringLiteral("変化点(mm)"));
        for (int g = 0; g < girders; ++g)
            t.DrawTextLeftMiddle(pDC, g + 2, 0, AfxFormat("h%2d  G%2d高(mm)", g + 1, g + 1));
        // The definition points run from support to support; the supports carry the mark.
        std::vector<int> supports(1, 0);
        for (int s = 0; s < std::clamp(g_nSpans, 0, MAX_SPANS); ++s)
            supports.push_back(supports.back() + dlg->m_anPointCount[s] + 1);
        const int count = std::clamp(dlg->m_nPointCols, 0, int(HeightChangeData::POINTS));
        for (int c = 0; c < 5 && firstPoint + c < count; ++c) {
            const int p = firstPoint + c;
            const bool support = std::find(supports.begin(), supports.end(), p) != supports.end();
            t.DrawTextLeftMiddle(pDC, 0, c + 1, AfxFormat(support ? "定義点%d△" : "定義点%d", p + 1));
            t.DrawTextLeftMiddle(pDC, 1, c + 1, AfxFormat("%.0f", dlg->m_adPointPos[p] * 1000.0));
            for (int g = 0; g < girders; ++g)
                t.DrawTextLeftMiddle(pDC, g + 2, c + 1, AfxFormat("%.0f", dlg->m_adPointHeight[p][g] * 1000.0));
        }
    }
    return line + 1 + rows;
}

// ---- 【衝撃係数】

int CInputReport::DrawImpactCoefficientBlock(CDC* pDC, CPrintInfo* pInfo, int mode, int line)
{
    // Designs of older versions hold no impact coefficients: their first one is negative.
    if (!m_pReportDoc || m_pReportDoc->m_adImpactCoef[0] < 0.0)
        return line;
    const int supports = std::clamp(g_nSpans, 0, MAX_SPANS) + 1;
    const int rows = supports + 1;
    const int T = TableBlockStart(pDC, pInfo, mode, line, rows, QStringLiteral("【衝撃係数】"));
    if (IsTableDrawn(pDC, pInfo, mode, T)) {
        const CPrintTable t = BlockTable(pDC, pInfo, T, rows, {300, 300}, {QString(), QStringLiteral("衝撃係数")});
        for (int i = 0; i < supports; ++i) {
            t.DrawTextCentreMiddle(pDC, i + 1, 0, AfxFormat("第%2d支点", i + 1));
            t.DrawTextCentreMiddle(pDC, i + 1, 1, AfxFormat("%3.3f", m_pReportDoc->m_adImpactCoef[i]));
        }
    }
    return T + rows + 1;
}

// ---- 【主桁基本データ】

int CInputReport::DrawMainGirderData(CDC* pDC, CPrintInfo* pInfo, int mode, int line)
{
    if (!m_pReportDoc)
        return line;
    const MainGirderData& m = m_pReportDoc->m_dlgMainGirder;
    const bool plate = g_nBridgeType == 0;
    Text(pDC, pInfo, mode, line + 2, 1, QStringLiteral("【主桁基本データ】"));
    struct Limit {
        const char* label;
        int mode;
        double value;
        bool plateOnly;
    };
    const Limit limits[10] = {{" 最大上フランジ厚", m.m_nMaxUFThickMode, m.m_dMaxUFThick, false},
                              {" 最小上フランジ厚", m.m_nMinUFThickMode, m.m_dMinUFThick, false},
                              {" 最大上フランジ幅", m.m_nMaxUFWidthMode, m.m_dMaxUFWidth, true},
                              {" 最小上フランジ幅", m.m_nMinUFWidthMode, m.m_dMinUFWidth, true},
                              {" 最大下フランジ厚", m.m_nMaxLFThickMode, m.m_dMaxLFThick, false},
                              {" 最小下フランジ厚", m.m_nMinLFThickMode, m.m_dMinLFThick, false},
                              {" 最大下フランジ幅", m.m_nMaxLFWidthMode, m.m_dMaxLFWidth, true},
                              {" 最小下フランジ幅", m.m_nMinLFWidthMode, m.m_dMinLFWidth, true},
                              {" 最大ウェブ厚", m.m_nMaxWebThickMode, m.m_dMaxWebThick, false},
                              {" 最小ウェブ厚", m.m_nMinWebThickMode, m.m_dMinWebThick, false}};
    int n = line + 4;
    for (const Limit& l : limits)
        if (plate || !l.plateOnly)
            Item(pDC, pInfo, mode, n++, QString::fromUtf8(l.label), LimitText(l.mode, l.value));
    static const char* const kStiffeners[4] = {"自動決定", "使用しない", "1段まで", "2段まで"};
    Item(pDC, pInfo, mode, n++, QStringLiteral(" 水平補剛材段数"),
         m.m_nStiffenerSteps >= 0 && m.m_nStiffenerSteps < 4 ? QString::fromUtf8(kStiffeners[m.m_nStiffenerSteps]) : QString());
    Item(pDC, pInfo, mode, n++, QStringLiteral(" 板厚"),
         m.m_nThicknessStep == 0   ? QStringLiteral("マーケットサイズから選択")
         : m.m_nThicknessStep == 1 ? QStringLiteral("1ｍｍ単位")
                                   : QString());
    const int B = n;
    const bool manual = m.m_nBlockLengthMode != 0;
    Item(pDC, pInfo, mode, B, QStringLiteral(" ブロック長設定"), manual ? QStringLiteral("手動") : QStringLiteral("自動"));
    int M = B + 3;
    if (manual) {
        M = DrawGirderBlocks(pDC, pInfo, mode, B + 1);
    } else {
        Item(pDC, pInfo, mode, B + 1, QStringLiteral(" 最大断面長"), AfxFormat("%9.3f ｍ", m.m_dMaxSectionLength));
        Item(pDC, pInfo, mode, B + 2, QStringLiteral(" 最小断面長"), AfxFormat("%9.3f ｍ", m.m_dMinSectionLength));
    }
    Item(pDC, pInfo, mode, M, QStringLiteral(" 曲げ応力度の余裕"),
         AfxFormat(g_bSIUnits == 1 ? "%5.0f Ｎ/ｍｍ２" : "%5.0f ｋｇｆ/ｃｍ２", m.m_dBendingMargin));
    Item(pDC, pInfo, mode, M + 1, QStringLiteral(" 上フランジ材質"), Grade(m.m_nUFGrade));
    Item(pDC, pInfo, mode, M + 2, QStringLiteral(" ウェブ材質"), Grade(m.m_nWebGrade));
    Item(pDC, pInfo, mode, M + 3, QStringLiteral(" 下フランジ材質"), Grade(m.m_nLFGrade));
    if (plate)
        return M + 4;
    Item(pDC, pInfo, mode, M + 4, QStringLiteral(" フランジ幅"), AfxFormat("%5.0f ｍｍ", m.m_dFlangeWidthW));
    Item(pDC, pInfo, mode, M + 5, QStringLiteral(" ウェブ間隔"), AfxFormat("%5.0f ｍｍ", m.m_dWebSpacingA));
    Item(pDC, pInfo, mode, M + 6, QStringLiteral(" 張出し長"), AfxFormat("%5.0f ｍｍ", m.m_dOverhangB));
    return M + 7;
}

int CInputReport::DrawGirderBlocks(CDC* pDC, CPrintInfo* pInfo, int mode, int line)
{
    if (!m_pReportDoc)
        return line;
    const CMarivoltenDoc& doc = *m_pReportDoc;
    const JointPositionData& jp = doc.m_dlgMainGirder.m_dlgJointPosition;
    const int G = ReportGirders();
    const int rows = G + 1;
    auto given = [&jp](int g) { return std::clamp(jp.m_anBlockCount[g], 0, int(jp.m_apdBlockLength[g].size())); };
    // Once designed, a girder shows no more blocks than its design has; the single box is
    // designed in its second object.
    auto shown = [&](int g) {
        const int object = g_nBridgeType == 2 ? 1 : g;
        if (!doc.m_pGirders || object >= g_nGirders)
            return given(g);
        const std::vector<CSectionRecord>& sections = doc.m_pGirders[object].m_pSections;
        const int designed = int(std::count_if(sections.begin(), sections.end(),
                                               [](const CSectionRecord& s) { return s.m_nJoinPrev != 1; }));
        return std::min(given(g), designed);
    };
    int N = 0;
    for (int g = 0; g < G; ++g)
        N = std::max(N, given(g));
    const int widths[6] = {300, 200, 200, 200, 200, 200};
    for (int t = 0; t * 5 < N; ++t, line += 1 + rows) {
        line = KeepOnPage(pInfo, line, rows);
        if (!IsTableDrawn(pDC, pInfo, mode, line))
            continue;
        const CPrintTable table = Table(pInfo, line, 2, rows, 6, widths);
        table.DrawTable(pDC, m_bShadeHeadings);
        for (int j = 0; j < 5 && 5 * t + j < N; ++j)
            table.DrawTextLeftMiddle(pDC, 0, j + 1, AfxFormat("ﾌﾞﾛｯｸ %d", 5 * t + j + 1));
        for (int g = 0; g < G; ++g) {
            table.DrawTextLeftMiddle(pDC, g + 1, 0, AfxFormat("主桁 %d:", g + 1));
            for (int j = 0; j < 5 && 5 * t + j < shown(g); ++j)
                table.DrawTextLeftMiddle(pDC, g + 1, j + 1,
                                         AfxFormat("%.0f", jp.m_apdBlockLength[g][size_t(5 * t + j)] * 1000.0));
        }
    }
    return line;
}

// ---- 【主桁基本データ２】

int CInputReport::ConstantHeights(CDC* pDC, CPrintInfo* pInfo, int mode, int line, const double* adHeight) const
{
    if (m_pReportDoc->m_dlgBasic.m_nHeightVariation == 0)
        return line;
    Text(pDC, pInfo, mode, line, 1, QStringLiteral(" 桁高"));
    for (int g = 0; g < ReportGirders(); ++g, ++line)
        Text(pDC, pInfo, mode, line, 7, AfxFormat("：G%2d%6.0f ｍｍ", g + 1, adHeight[g] * 1000.0));
    return line;
}

int CInputReport::DrawMainGirderData2(CDC* pDC, CPrintInfo* pInfo, int mode, int line)
{
    if (g_nBridgeType != 0)
        return DrawRibPanelDivision(pDC, pInfo, mode, DrawBoxGirderData(pDC, pInfo, mode, line));
    return DrawPlateGirderData(pDC, pInfo, mode, line);
}

int CInputReport::DrawBoxGirderData(CDC* pDC, CPrintInfo* pInfo, int mode, int line)
{
    if (!m_pReportDoc)
        return line;
    const BoxGirderData& b = m_pReportDoc->m_dlgBoxGirder;
    Text(pDC, pInfo, mode, line + 2, 1, QStringLiteral("【主桁基本データ２】"));
    int n = ConstantHeights(pDC, pInfo, mode, line + 4, b.m_adGirderHeight);
    Item(pDC, pInfo, mode, n, QStringLiteral(" 縦リブ本数"), AfxFormat("圧縮側%5d 本", b.m_nCompRibCount));
    Text(pDC, pInfo, mode, n + 1, 7, AfxFormat("：引張側%5d 本", b.m_nTensRibCount));
    n += 2;
    Item(pDC, pInfo, mode, n++, QStringLiteral(" 上フランジの局部座屈"), Considered(b.m_bUFLocalBuckling));
    Item(pDC, pInfo, mode, n++, QStringLiteral(" 引張側フランジの孔引"), Considered(b.m_bHoleDeduction));
    if (b.m_bHoleDeduction == 1) {
        Item(pDC, pInfo, mode, n++, QStringLiteral(" 孔引き考慮時の純断面積割増"),
             b.m_bNetArea11 == 1 ? QStringLiteral("する") : QStringLiteral("しない"));
        Item(pDC, pInfo, mode, n++, QStringLiteral(" ボルト継手孔径"), AfxFormat("%5.0f ｍｍ", b.m_dBoltHoleDiameter));
        Item(pDC, pInfo, mode, n, QStringLiteral(" 孔引ボルト本数"), AfxFormat("上%5d", b.m_nHoleBoltsUpper));
        Text(pDC, pInfo, mode, n + 1, 7, AfxFormat("：下%5d", b.m_nHoleBoltsLower));
        n += 2;
    }
    Text(pDC, pInfo, mode, n, 1, QStringLiteral(" 縦リブ断面調整"));
    Text(pDC, pInfo, mode, n++, 7,
         b.m_bAdjustRibThickness ? QStringLiteral("：厚みをフランジ厚に合わせて調整する") : QStringLiteral("：厚みをフランジ厚に合わせない"));
    Item(pDC, pInfo, mode, n++, QStringLiteral(" 縦リブ断面（単位：ｍｍ）"), QString());

    int R = 1;
    while (R <= BoxGirderData::RIB_ROWS && !b.m_astrShape[0][R - 1].isEmpty())
        ++R;
    // Row 0 is three lines high: the table covers two lines more than its rows.
    n = KeepOnPage(pInfo, n, R + 2);
    if (IsTableDrawn(pDC, pInfo, mode, n)) {
        const int widths[5] = {200, 200, 200, 200, 200};
        std::vector<int> heights(size_t(R), m_nLineHeight);
        heights[0] = 3 * m_nLineHeight;
        const CPrintTable t = Table(pInfo, n, 4, R, 5, widths, heights.data());
        t.DrawTable(pDC, m_bShadeHeadings);
        // The grade names of each group stacked in their heading cell, one a line.
        static const char* const kGroups[4][3] = {
            {"SS400", "SMA400W", ""}, {"SM490", "", ""}, {"SM490Y", "SM520", "SMA490W"}, {"SM570", "SMA570W", ""}};
        const int thirds[3] = {1, 1, 1}, whole[1] = {1};
        for (int c = 0; c < 4; ++c) {
            const CPrintTable names(t, 0, c + 1, 3, 1, thirds, whole, CPrintTable::JOIN_NONE);
            for (int k = 0; k < 3; ++k)
                names.DrawTextCentreMiddle(pDC, k, 0, QString::fromLatin1(kGroups[c][k]));
        }
        for (int r = 1; r < R; ++r) {
            t.DrawTextCentreMiddle(pDC, r, 0, AfxFormat("%2d", r));
            for (int c = 0; c < 4; ++c)
                t.DrawTextCentreMiddle(pDC, r, c + 1, b.m_astrShape[c][r - 1]);
        }
    }
    // The lines the table covers, and an empty one after it.
    return n + R + 2 + 1;
}

int CInputReport::DrawRibPanelDivision(CDC* pDC, CPrintInfo* pInfo, int mode, int line)
{
    if (!m_pReportDoc)
        return line;
    Text(pDC, pInfo, mode, line + 2, 1, QStringLiteral("横リブによるパネル分割："));
    Text(pDC, pInfo, mode, line + 3, 1, QStringLiteral("    支間－パネル"));
    Text(pDC, pInfo, mode, line + 3, 5, QStringLiteral("分割数"));
    int n = line + 4, panel = 0;
    for (int s = 0; s < std::clamp(g_nSpans, 0, MAX_SPANS); ++s)
        for (int k = 0; k < g_anPanelCount[s] && panel < 281; ++k, ++n, ++panel) {
            Text(pDC, pInfo, mode, n, 2, AfxFormat("%3d－%3d", s + 1, k + 1));
            Text(pDC, pInfo, mode, n, 5, AfxFormat("%3d", m_pReportDoc->m_anRibsPerPanel[panel]));
        }
    return n + 1;
}

int CInputReport::DrawPlateGirderData(CDC* pDC, CPrintInfo* pInfo, int mode, int line)
{
    if (!m_pReportDoc)
        return line;
    const PlateGirderData& p = m_pReportDoc->m_dlgPlateGirder;
    Text(pDC, pInfo, mode, line + 2, 1, QStringLiteral("【主桁基本データ２】"));
    const int n = ConstantHeights(pDC, pInfo, mode, line + 4, p.m_adGirderHeight);
    Item(pDC, pInfo, mode, n, QStringLiteral(" 曲線桁の付加応力度算出方法"),
         p.m_nCurveStressFormula != 0 ? QStringLiteral("阪神高速道路公団設計基準") : QStringLiteral("鋼道路橋設計便覧"));
    Item(pDC, pInfo, mode, n + 1, QStringLiteral(" 上フランジの局部座屈"), Considered(p.m_bUFLocalBuckling));
    Item(pDC, pInfo, mode, n + 2, QStringLiteral(" 引張り側フランジの孔引き"), Considered(p.m_bHoleDeduction));
    int m = n + 3;
    if (p.m_bHoleDeduction == 1) {
        Item(pDC, pInfo, mode, m++, QStringLiteral(" 孔引き考慮時の純断面積割増"),
             p.m_bNetArea11 == 1 ? QStringLiteral("する") : QStringLiteral("しない"));
        Item(pDC, pInfo, mode, m++, QStringLiteral(" ボルト継手孔径"), AfxFormat("%5.0f ｍｍ", p.m_dBoltHoleDiameter));
        Text(pDC, pInfo, mode, m, 1, QStringLiteral(" フランジ幅とボルト孔径の関係"));
        for (int i = 0; i < PlateGirderData::HOLE_ROWS && p.m_adHoleFlangeWidth[i] >= kTiny; ++i, ++m)
            Text(pDC, pInfo, mode, m, 7,
                 AfxFormat("：フランジ幅%5.0f ｍｍ以下で孔数%3d", p.m_adHoleFlangeWidth[i] * 1000.0, p.m_anHoleCount[i]));
    }
    return m;
}
