#include "views/input_check_tables.h"

#include "app/doc.h"
#include "app/globals.h"
#include "design/girder_design.h"
#include "framework/format.h"

#include <algorithm>
#include <cmath>

namespace inputcheck {

using namespace results;

namespace {

constexpr double kTiny = 1e-20;
constexpr double kDegrees = 180.0 / 3.14159265359;
const QString kDash = QStringLiteral("－");

QString Mm(double metres) { return AfxFormat("%5.0f", metres * 1000.0); }

}

Table PanelTable(const CMarivoltenDoc& doc)
{
    const int spans = std::min(std::clamp(g_nSpans, 0, MAX_SPANS), int(doc.m_aSpans.size()));
    int P = 0;
    for (int s = 0; s < spans; ++s)
        P = std::max(P, std::clamp(g_anPanelCount[s], 0, MAX_PANELS));
    Table t(P + 9, 2 * spans + 1);
    for (int c = 1; c < t.Cols(); ++c)
        t.m_colWidths.emplace_back(c, 65);
    for (int c = 0; c < t.Cols(); ++c) {
        t.AddStyle(0, c, STYLE_HEADING);
        t.AddStyle(1, c, STYLE_HEADING);
    }
    for (int r = 0; r < t.Rows(); ++r)
        t.AddStyle(r, 0, STYLE_HEADING);
    t.m_joins.push_back({0, 0, 0, 1});

    static const char* const kLabels[6] = {"G1桁-骨組み基本線   (mm)", "主桁間隔            (mm)", "ｽｷｭｰ角              (度)",
                                           "骨組み基本線曲率     (m)", "主桁                    ", "横桁                    "};
    for (int r = 2; r < 8; ++r)
        t.SetText(r, 0, QString::fromUtf8(kLabels[r - 2]));
    for (int p = 0; p < P; ++p)
        t.SetText(8 + p, 0, AfxFormat("第%2dﾊﾟﾈﾙ長          (mm)", p + 1));
    t.SetText(P + 8, 0, QStringLiteral("支間長              (mm)"));

    static const char* const kCrossBeams[4] = {"骨組み基本線に直交", "始端ｽｷｭｰ揃え", "終端ｽｷｭｰ揃え", "主桁に直交"};
    for (int s = 0; s < spans; ++s) {
        const CSpanData& span = doc.m_aSpans[size_t(s)];
        const int start = 2 * s + 1, end = start + 1;
        // The span's two columns are one cell except on the rows that have a start and an end.
        for (int r = 0; r < t.Rows(); ++r)
            if (r < 1 || r > 4)
                t.m_joins.push_back({start, r, end, r});
        t.SetText(0, start, AfxFormat("第%d支間", s + 1));
        t.SetText(1, start, QStringLiteral("始端"));
        t.SetText(1, end, QStringLiteral("終端"));
        for (int e = 0; e < 2; ++e) {
            t.SetText(2, start + e, Mm(span.m_dG1Offset[e]));
            t.SetText(3, start + e, Mm(span.m_dGirderSpacing[e]));
            t.SetText(4, start + e, AfxFormat("%5.2f", span.m_dSkew[e] * kDegrees));
        }
        t.SetText(5, start, span.m_bCurvedBaseLine ? AfxFormat("%5.2f", span.m_dRadius) : QStringLiteral("∞"));
        t.SetText(6, start, span.m_bCurvedGirders ? QStringLiteral("曲線") : QStringLiteral("直線"));
        if (span.m_nCrossBeamType >= 0 && span.m_nCrossBeamType < 4)
            t.SetText(7, start, QString::fromUtf8(kCrossBeams[span.m_nCrossBeamType]));
        const int panels = std::min({g_anPanelCount[s], P, int(span.m_pdPanelLength.size())});
        for (int p = 0; p < panels; ++p)
            t.SetText(8 + p, start, Mm(span.m_pdPanelLength[size_t(p)]));
        t.SetText(P + 8, start, Mm(span.m_dSpanLength));
    }
    return t;
}

std::vector<PageText> DesignConditions(const CMarivoltenDoc& doc, const QString& strPath)
{
    const BasicConditions& b = doc.m_dlgBasic;
    const int spans = std::clamp(g_nSpans, 0, MAX_SPANS);
    std::vector<PageText> out;
    out.push_back({0, 1, QStringLiteral("『") + b.m_strTitle + QStringLiteral("』")});
    out.push_back({1, 3, b.m_strSubtitle});
    out.push_back({3, 1, QStringLiteral("・ファイル名")});
    out.push_back({3, 8, QStringLiteral("： ") + strPath});
    out.push_back({5, 1, QStringLiteral("【設計条件】")});
    out.push_back({7, 1, QStringLiteral("・形式")});
    QString form = spans > 1 ? AfxFormat("： 鋼%d径間連続非合成", spans) : QStringLiteral("： 鋼単純非合成");
    if (g_nBridgeType == 2)
        form += QStringLiteral("1主箱桁");
    else
        form += AfxFormat(g_nBridgeType == 0 ? "%d主鈑桁" : "%d主箱桁", g_nGirders);
    out.push_back({7, 8, form});
    out.push_back({8, 1, QStringLiteral("・橋長(m)")});
    double total = 0.0;
    for (int s = 0; s < spans; ++s)
        total += g_adSpanLength[s];
    const double bridge = doc.m_dlgSpan.m_dBridgeLength;
    out.push_back({8, 8, bridge >= kTiny ? AfxFormat("： %8.3f", bridge / 1000.0) : AfxFormat("： %8.3f (支間長合計)", total)});
    out.push_back({9, 1, QStringLiteral("・支間長(m)")});
    for (int s = 0; s < spans; ++s)
        out.push_back({9 + s, 8, AfxFormat("： %8.3f", g_adSpanLength[s]) + AfxFormat("（第%2d支間）", s + 1)});
    int row = 9 + std::max(spans, 1);
    static const char* const kLiveLoads[4] = {"： A活荷重（L荷重のみ）", "： B活荷重（L荷重のみ）", "： A活荷重（L+T荷重）",
                                              "： B活荷重（L+T荷重）"};
    static const char* const kSidewalks[4] = {"： 歩道なし", "： 左側歩道付き", "： 右側歩道付き", "： 両側歩道付き"};
    static const char* const kStandards[2] = {"： 道路橋示方書（国土交通省）", "： 日本道路公団"};
    auto pick = [](const char* const* texts, int n, int i) { return i >= 0 && i < n ? QString::fromUtf8(texts[i]) : QString(); };
    out.push_back({row, 1, QStringLiteral("・橋格")});
    out.push_back({row++, 8, pick(kLiveLoads, 4, b.m_nLiveLoad)});
    out.push_back({row, 1, QStringLiteral("・横断面形状")});
    out.push_back({row++, 8, pick(kSidewalks, 4, b.m_nSidewalk)});
    out.push_back({row, 1, QStringLiteral("・鋼種の仕様")});
    out.push_back({row, 8, pick(kStandards, 2, b.m_nStandard)});
    return out;
}

Table SectionAreas(const CMarivoltenDoc& doc)
{
    const int girders = g_nBridgeType == 2 ? 1 : std::clamp(g_nGirders, 0, MAX_GIRDERS);
    Table t(girders + 1, 4);
    for (int c = 0; c < 4; ++c)
        t.AddStyle(0, c, STYLE_HEADING);
    t.SetText(0, 0, QStringLiteral("主桁"));
    t.SetText(0, 1, QStringLiteral("仮定断面(m2)"));
    t.SetText(0, 2, QStringLiteral("実断面(m2)"));
    t.SetText(0, 3, QStringLiteral("仮定断面/実断面"));
    const bool valid = g_bResultsValid && doc.m_pGirders;
    for (int r = 1; r <= girders; ++r) {
        t.SetText(r, 0, AfxFormat("G%d", r), STYLE_HEADING);
        // The single box's data are those of its second record.
        const int g = g_nBridgeType == 2 ? std::min(1, g_nGirders - 1) : r - 1;
        const double assumed = doc.m_adAssumedArea[g];
        const double actual = valid ? doc.m_pGirders[g].GetMeanArea(false) : 0.0;
        t.SetText(r, 1, valid && assumed >= kTiny ? AfxFormat("%9.3f", assumed) : kDash);
        t.SetText(r, 2, valid && actual >= kTiny ? AfxFormat("%9.3f", actual) : kDash);
        t.SetText(r, 3, valid && actual > kTiny ? AfxFormat("%9.3f", assumed / actual) : kDash);
    }
    return t;
}

}
