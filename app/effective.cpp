// Effective design values derived from the input, and small tables.
#include "app/doc.h"
#include "estimate/estimate_calc.h"
#include "framework/format.h"
#include "framework/msgbox.h"

#include <algorithm>

namespace {

constexpr double kTypedMinimum = 1e-20;

// A typed dimension in mm, or factor times a girder height when nothing was typed.
double Effective(double typedMm, double factor, double height)
{
    return typedMm >= kTypedMinimum ? typedMm / 1000.0 : factor * height;
}


const double* GirderHeights(const CMarivoltenDoc& doc)
{
    return g_nBridgeType == 0 ? doc.m_dlgPlateGirder.m_adGirderHeight : doc.m_dlgBoxGirder.m_adGirderHeight;
}

double SmallestHeight(const CMarivoltenDoc& doc)
{
    const double* h = GirderHeights(doc);
    double smallest = 1e20;
    for (int g = 0; g < g_nGirders && g < MAX_GIRDERS; ++g)
        if (h[g] < smallest)
            smallest = h[g];
    return smallest;
}

double FirstHeight(const CMarivoltenDoc& doc) { return GirderHeights(doc)[0]; }

double LastHeight(const CMarivoltenDoc& doc)
{
    const int last = std::clamp(g_nGirders - 1, 0, MAX_GIRDERS - 1);
    return GirderHeights(doc)[last];
}
}

double CMarivoltenDoc::GetEndSwayDepth() const
{
    return Effective(m_dlgMainMember.m_dlgEndSway.m_dMemberDistB, 0.8, SmallestHeight(*this));
}

double CMarivoltenDoc::GetPierSwayDepth() const
{
    return Effective(m_dlgMainMember.m_dlgPierSway.m_dMemberDistB, 0.8, SmallestHeight(*this));
}

double CMarivoltenDoc::GetMidSwayDepth() const
{
    return Effective(m_dlgMainMember.m_dlgMidSway.m_dMemberDistB, 0.8, SmallestHeight(*this));
}

double CMarivoltenDoc::GetCrossBeamDepth() const
{
    return Effective(m_dlgMainMember.m_dlgCrossBeamType.m_dMemberDistB, 0.8, SmallestHeight(*this));
}

double CMarivoltenDoc::GetRightBracketDepthBL() const
{
    return Effective(m_dlgMainMember.m_dlgRightBracket.m_dDistBL, 0.8, LastHeight(*this));
}

double CMarivoltenDoc::GetRightBracketDepthBR() const
{
    return Effective(m_dlgMainMember.m_dlgRightBracket.m_dDistBR, 0.5, LastHeight(*this));
}

double CMarivoltenDoc::GetLeftBracketDepthBL() const
{
    return Effective(m_dlgMainMember.m_dlgLeftBracket.m_dDistBL, 0.5, FirstHeight(*this));
}

double CMarivoltenDoc::GetLeftBracketDepthBR() const
{
    return Effective(m_dlgMainMember.m_dlgLeftBracket.m_dDistBR, 0.8, FirstHeight(*this));
}

double CMarivoltenDoc::GetEdgeStringerDepth() const
{
    return Effective(m_dlgMainMember.m_dlgEdgeStringer.m_dWebHeightL, 0.5, SmallestHeight(*this));
}

double CMarivoltenDoc::GetMidStringerDepth() const
{
    return Effective(m_dlgMainMember.m_dlgMidStringer.m_dWebHeightL, 0.5, SmallestHeight(*this));
}

double CMarivoltenDoc::GetStepTableValue(int nColumn, double dSize) const
{
    return estimate::BearingStepValue(nColumn, dSize);
}

double CMarivoltenDoc::GetImpactCoefficient(int nSupport) const
{
    if (nSupport < 0 || nSupport > g_nSpans || g_nSpans <= 0 || g_nSpans > MAX_SPANS)
        return 0.0;
    double length;
    if (nSupport == 0)
        length = g_adSpanLength[0];
    else if (nSupport >= g_nSpans)
        length = g_adSpanLength[nSupport - 1];
    else
        length = (g_adSpanLength[nSupport - 1] + g_adSpanLength[nSupport]) / 2.0;
    return 20.0 / (50.0 + length);
}

void CMarivoltenDoc::ReportSolverError() const
{
    const QString caption = AfxFormat("エラー　ErroCode = 00%d", g_nSolverError);
    const QString text = g_nSolverError == 2
        ? QStringLiteral("格点座標の設定に問題があるか、または横桁の剛性が低すぎます。\n格点座標を確認して下さい。\n"
                         "また分配横桁、分配対傾構を増やす等の修正を行って下さい。")
        : QStringLiteral("格子計算用実行ﾌｧｲﾙが壊れているか存在しません。");
    AfxMessageBoxEx(text, caption, MB_OK);
}
