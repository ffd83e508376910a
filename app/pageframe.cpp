// The frame, header, footer and page number of every printed page, and the paper.
#include "app/doc.h"
#include "app/small_dialogs.h"
#include "views/drawing_helpers.h"
#include "framework/dc.h"
#include "framework/format.h"
#include "framework/gdi.h"
#include "framework/msgbox.h"
#include "framework/print.h"

namespace {

// Lengths in 0.1 mm to the DC's units: one to one in the 0.1 mm mode, else by the resolution.
struct PageScale {
    double x = 1.0;
    double y = 1.0;
    explicit PageScale(const CDC* pDC)
    {
        if (pDC->GetMapMode() != MM_LOMETRIC) {
            x = pDC->GetDeviceCaps(LOGPIXELSX) / 254.0;
            y = -pDC->GetDeviceCaps(LOGPIXELSY) / 254.0;
        }
    }
    int X(double v) const { return int(v * x); }
    int Y(double v) const { return int(v * y); }
};

// The area the margins are measured in, by the paper of the job.
CSize FrameArea(const CPrintInfo* pInfo)
{
    const bool a3 = pInfo && pInfo->GetSettings().m_nPaperSize == DMPAPER_A3;
    return a3 ? CSize(2900, 4130) : CSize(1990, 2900);
}

}

CRect CMarivoltenDoc::PageFrameRect(const CPrintInfo* pInfo) const
{
    const CSize area = FrameArea(pInfo);
    return CRect(m_nMarginLeft, -m_nMarginTop + 10, area.cx - m_nMarginRight, -area.cy + m_nMarginBottom);
}

void CMarivoltenDoc::DrawPageFrame(CDC* pDC, CPrintInfo* pInfo, const QString& strPageTitle)
{
    const QString header = GetTitle() + strPageTitle;
    const QString company = GetCompanyName();
    CBrush* oldBrush = static_cast<CBrush*>(pDC->SelectStockObject(WHITE_BRUSH));
    CPen pen(PS_SOLID, 1, RGB(0, 0, 0));
    CPen* oldPen = pDC->SelectObject(&pen);
    LoadPrintSettings();

    const PageScale s(pDC);
    const CRect frame = PageFrameRect(pInfo);
    if (!m_bNoHeader) {
        // A long design name is written smaller, as small as it must be to stay on its one line
        // over the frame.
        const int h = s.Y(pDC->GetTextExtent(header).cy);
        WriteWithin(pDC, s.X(frame.left), s.Y(frame.top) + h + 5, s.X(frame.right), header, 1, h, false, 1);
    }
    const int right = s.X(frame.right);
    const int bottom = s.Y(frame.bottom);
    if (!m_bNoFrame)
        pDC->Rectangle(s.X(frame.left), s.Y(frame.top), right, bottom);
    if (!m_bNoFooter)
        pDC->TextOut(right - pDC->GetTextExtent(company).cx, bottom - 5, company);

    pDC->SelectObject(oldBrush);
    pDC->SelectObject(oldPen);
}

void CMarivoltenDoc::DrawPageFooter(CDC* pDC, CPrintInfo* pInfo, int bHasCover)
{
    CPen pen(PS_SOLID, 1, RGB(0, 0, 0));
    CPen* oldPen = pDC->SelectObject(&pen);
    LoadPrintSettings();

    const PageScale s(pDC);
    const CSize area = FrameArea(pInfo);
    const int page = pInfo ? int(pInfo->m_nCurPage) : 1;
    QString text;
    if (bHasCover == 1) {
        if (page > 1)
            text = AfxFormat("- %d -", page - 1);
    } else {
        text = AfxFormat("- %d -", page);
    }
    const CSize extent = pDC->GetTextExtent(text);
    const int x = s.X(area.cx / 2) - extent.cx / 2;
    const int y = s.Y(-area.cy + m_nMarginBottom) - 5 - extent.cy;
    pDC->TextOut(x, y, text);
    pDC->SelectObject(oldPen);
}

void CMarivoltenDoc::SetupPrinterPaper(CPrintInfo* pInfo, CSize* pPageSize, int nPaper)
{
    if (!pInfo || !AfxCanPrint()) {
        AfxMessageBox(QStringLiteral("Windows側で、通常使用するプリンターを実際にご使用になるプリンターに設定して下さい。"));
        return;
    }
    const bool landscape = pInfo->GetSettings().m_bLandscape;
    bool set = false;
    bool a3 = false;
    if (g_bNoA3Paper != 1) {
        a3 = nPaper == DMPAPER_A3;
        set = true;
    } else if (pInfo->GetSettings().m_nPaperSize != DMPAPER_A4) {
        set = true;
    }
    if (!set)
        return;
    pInfo->SetPaper(a3 ? DMPAPER_A3 : DMPAPER_A4, landscape);
    m_nPageWidth = a3 ? 2970 : 2100;
    m_nPageHeight = a3 ? 4200 : 2970;
    if (pPageSize)
        *pPageSize = CSize(m_nPageWidth, m_nPageHeight);
}
