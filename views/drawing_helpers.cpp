#include "views/drawing_helpers.h"

#include "app/doc.h"
#include "app/globals.h"
#include "framework/gdi.h"
#include "framework/print.h"

#include <algorithm>

void PrepareDrawingDC(const CScrollView& view, CDC* pDC)
{
    pDC->SetMapMode(MM_LOMETRIC);
    if (!pDC->IsPrinting())
        pDC->SetWindowOrg(view.GetScrollPosition());
}

void SetDrawingScrollSizes(CScrollView& view, CSize sizeTotal, double kx, double ky)
{
    const CSize page(int(sizeTotal.cx / (5.0 * kx)), int(sizeTotal.cy / (5.0 * ky)));
    const CSize line(int(sizeTotal.cx / (20.0 * kx)), int(sizeTotal.cy / (20.0 * ky)));
    if (sizeTotal != view.GetTotalSize() || page != view.GetPageSize() || line != view.GetLineSize())
        view.SetScrollSizes(MM_LOMETRIC, sizeTotal, page, line);
}

BOOL PrepareA4Printing(CView* pView, CPrintInfo* pInfo, CSize* pPageSize)
{
    const CPrintSettings& s = pInfo->GetSettings();
    if (g_pDoc && s.m_nPaperSize != DMPAPER_A4)
        g_pDoc->SetupPrinterPaper(pInfo, pPageSize, DMPAPER_A4);
    // The page is laid out upright.
    if (pInfo->GetSettings().m_bLandscape)
        pInfo->SetPaper(DMPAPER_A4, false);
    *pPageSize = kA4Portrait;
    return pView->DoPreparePrinting(pInfo);
}

void WriteWithin(CDC* pDC, int x, int y, int right, const QString& text, int rows, int rowHeight, bool bCentred,
                 int nSmallest)
{
    // Left of the room, or centred in it.
    auto write = [&](int top, const QString& line) {
        const int w = pDC->GetTextExtent(line).cx;
        pDC->TextOut(bCentred ? x + (right - x - w) / 2 : x, top, line);
    };
    const CSize whole = pDC->GetTextExtent(text);
    if (whole.cx <= right - x) {
        write(y, text);
        return;
    }
    CFont* base = pDC->GetCurrentFont();
    LOGFONT lf = base ? base->LogFont() : LOGFONT{};
    const int height = lf.lfHeight;
    // The text cut into lines that fit, each ending after its last slash where it has one.
    auto cut = [&](qsizetype nMost) {
        QStringList lines;
        for (qsizetype from = 0; from < text.size();) {
            qsizetype n = 1;
            while (from + n < text.size() && pDC->GetTextExtent(text.mid(from, n + 1)).cx <= right - x)
                ++n;
            if (from + n < text.size()) {
                const qsizetype slash = text.mid(from, n).lastIndexOf(QLatin1Char('/'));
                if (slash > 0)
                    n = slash + 1;
            }
            lines << text.mid(from, n);
            from += n;
            if (lines.size() > nMost)
                break;
        }
        return lines;
    };
    // The rows' height the lines may take, from the top of the first to the foot of the last.
    const int room = (rows - 1) * rowHeight + whole.cy;
    nSmallest = std::clamp(nSmallest, 1, 10);
    for (int tenths = 10; tenths >= nSmallest; --tenths) {
        CFont smaller;
        lf.lfHeight = height * tenths / 10;
        smaller.CreateFontIndirect(&lf);
        CFont* old = pDC->SelectObject(&smaller);
        const int h = pDC->GetTextExtent(text.left(1)).cy;
        const int pitch = std::max({1, rowHeight * tenths / 10, h * 6 / 5});
        const qsizetype most = tenths == nSmallest ? text.size() : std::max(0, room - h) / pitch + 1;
        const QStringList lines = cut(most);
        if (lines.size() <= most) {
            for (qsizetype k = 0; k < lines.size(); ++k)
                write(y - int(k) * pitch, lines[k]);
            pDC->SelectObject(old);
            return;
        }
        pDC->SelectObject(old);
    }
}

void DrawViewPage(CDC* pDC, CPrintInfo* pInfo, const QString& strTitle)
{
    CMarivoltenDoc* doc = g_pDoc;
    if (!doc)
        return;
    CFont font;
    font.CreateFont(-30, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, QStringLiteral("ＭＳ 明朝"));
    Selected<CFont> sel(pDC, &font);
    doc->DrawPageFrame(pDC, pInfo, strTitle);
    doc->DrawPageFooter(pDC, pInfo, 0);
}

CRect ViewPageFrame()
{
    const CMarivoltenDoc* doc = g_pDoc;
    if (!doc)
        return CRect();
    return doc->PageFrameRect(nullptr);
}
