// Report pages of the design's input: the input conditions and the design conditions.
#include "print/print_view.h"

#include "app/doc.h"
#include "app/globals.h"
#include "framework/dc.h"
#include "framework/format.h"
#include "views/drawing_helpers.h"
#include "views/input_report.h"

#include <algorithm>
#include <optional>

namespace {

// The blocks of the input report on the report's lines: 48 to a page, counted over the job.
class CReportInputBlocks : public CInputReport {
public:
    explicit CReportInputBlocks(const CPrintView& view) : m_view(view)
    {
        SetReportDocument(view.GetDocument());
        m_nLinesPerPage = view.m_nLinesPerPage;
        m_nLineHeight = view.m_nLineHeight;
        m_nIndent = view.m_nIndent;
        m_nLeftMargin = view.m_nLeftMargin;
        m_nTopMargin = view.m_nTopMargin;
        m_bShadeHeadings = view.ShadeHeadings();
        m_wording = {"高欄を積算に含めない", "自動決定", "荷重(ｋＮ/ｍ)"};
        m_bBoxCrossBeamAfterFreeLine = false;
    }
    int IsLineOnPage(CPrintInfo* pInfo, int mode, int line) const override { return m_view.IsLineOnPage(pInfo, mode, line); }
    int LineToY(CPrintInfo* pInfo, int line) const override { return m_view.LineToY(pInfo, line); }

private:
    const CPrintView& m_view;
};

}

int CPrintView::PrintInputConditions(CDC* pDC, CPrintInfo* pInfo, int mode)
{
    if (g_nSpans == 0 || !GetDocument())
        return 0;
    CFont* oldFont = nullptr;
    std::optional<FramedPage> frame;
    if (mode != 0 && pDC) {
        oldFont = pDC->SelectObject(&m_font[0]);
        frame.emplace(*this, pDC, pInfo, QStringLiteral("_入力条件"));
    }
    // Drawing numbers the lines from the top of the job's first page, counting leaves the
    // cover out; both break the pages alike, as only the line within its page counts.
    int line = mode != 0 ? m_nLinesPerPage * m_nCoverPages : 0;
    if (m_bPrintContents)
        line += m_nLinesPerPage * m_nContentsPages;
    CReportInputBlocks blocks(*this);
    line = blocks.RunInputBlocks(pDC, pInfo, mode, line);
    line = blocks.DrawImpactCoefficientBlock(pDC, pInfo, mode, line);
    frame.reset();
    if (oldFont)
        pDC->SelectObject(oldFont);
    return line - 1;
}

void CPrintView::PrintDesignConditions(CDC* pDC, CPrintInfo* pInfo)
{
    const CMarivoltenDoc* doc = GetDocument();
    FramedPage frame(*this, pDC, pInfo, QStringLiteral("_設計条件"));
    const CSetupBasicDialog& basic = doc->m_dlgBasic;
    const int n = std::clamp(g_nSpans, 0, MAX_SPANS);
    const int xLabel = m_nLeftMargin + m_nIndent;
    const int xValue = m_nLeftMargin + 8 * m_nIndent;
    auto text = [&](int x, int row, const QString& s) {
        if (!s.isEmpty())
            pDC->TextOut(x, RowToY(row), s);
    };

    // The title and subtitle keep inside the frame, smaller where they must: the subtitle over
    // the two empty rows below it too.
    const int right = doc->PageFrameRect(pInfo).right - kTextInset;
    WriteWithin(pDC, xLabel, RowToY(3), right, QStringLiteral("『") + basic.m_strTitle + QStringLiteral("』"), 1,
                m_nLineHeight);
    if (!basic.m_strSubtitle.isEmpty())
        WriteWithin(pDC, m_nLeftMargin + 3 * m_nIndent, RowToY(4), right, basic.m_strSubtitle, 3, m_nLineHeight);
    text(xLabel, 7, QStringLiteral("【設計条件】"));

    text(xLabel, 9, QStringLiteral("・形  式"));
    QString form = n > 1 ? AfxFormat("： 鋼%d径間連続非合成", n) : QStringLiteral("： 鋼単純非合成");
    if (g_nBridgeType == 2)
        form += QStringLiteral("1主箱桁");
    else if (g_nBridgeType == 0)
        form += AfxFormat("%d主鈑桁", g_nGirders);
    else if (g_nBridgeType == 1)
        form += AfxFormat("%d主箱桁", g_nGirders);
    text(xValue, 9, form);

    auto spanLength = [doc](int i) { return i < int(doc->m_aSpans.size()) ? doc->m_aSpans[size_t(i)].m_dSpanLength : 0.0; };
    text(xLabel, 11, QStringLiteral("・橋  長(m)"));
    if (doc->m_dlgSpan.m_dBridgeLength < 1e-20) {
        double sum = 0.0;
        for (int i = 0; i < n; ++i)
            sum += spanLength(i);
        text(xValue, 11, AfxFormat("： %8.3f (支間長合計)", sum));
    } else {
        text(xValue, 11, AfxFormat("： %8.3f", doc->m_dlgSpan.m_dBridgeLength / 1000.0));
    }

    text(xLabel, 13, QStringLiteral("・支間長(m)"));
    for (int i = 0; i < n; ++i)
        text(xValue, 13 + i, AfxFormat("： %8.3f", spanLength(i)) + AfxFormat("（第%2d支間）", i + 1));

    static const char* const kLiveLoads[] = {"： A活荷重（L荷重のみ）", "： B活荷重（L荷重のみ）", "： A活荷重（L+T荷重）",
                                             "： B活荷重（L+T荷重）"};
    static const char* const kSidewalks[] = {"： 歩道なし", "： 左側歩道付き", "： 右側歩道付き", "： 両側歩道付き"};
    static const char* const kStandards[] = {"： 道路橋示方書（国土交通省）", "： 日本道路公団"};
    auto choice = [](const auto& texts, int index) {
        return index >= 0 && index < int(std::size(texts)) ? QString::fromUtf8(texts[index]) : QString();
    };
    text(xLabel, 14 + n, QStringLiteral("・橋  格"));
    text(xValue, 14 + n, choice(kLiveLoads, basic.m_nLiveLoad));
    text(xLabel, 16 + n, QStringLiteral("・横断面形状"));
    text(xValue, 16 + n, choice(kSidewalks, basic.m_nSidewalk));
    text(xLabel, 18 + n, QStringLiteral("・定義横断面数"));
    text(xValue, 18 + n, AfxFormat("： %5d", g_nCrossSections));
    text(xLabel, 20 + n, QStringLiteral("・準拠基準"));
    text(xValue, 20 + n, choice(kStandards, basic.m_nStandard));
}
