// Grid printing: pages cut at the screen size of the table, numbered across then down, and
// printed through the recording device context and into a PDF file.
#include <gtest/gtest.h>
#include <QFile>
#include <cmath>
#include <QRegularExpression>
#include <QTemporaryDir>

#include "framework/dc.h"
#include "framework/print.h"
#include "framework/view.h"
#include "grid/gridctrl.h"

namespace {

// A printer whose printable area is 210 x 297 mm at 600 dots per inch.
void a4Printer(CDC& dc)
{
    dc.SetRecording(true);
    dc.SetPrinting(true);
    dc.SetResolution(600, 600);
    dc.SetPageSize(CSize(4961, 7016));
}

void table(CGridCtrl& g, int cols, int rows, int width = 200)
{
    g.SetNumberCols(cols);
    g.SetNumberRows(rows);
    for (int c = 0; c < cols; ++c)
        g.SetColWidth(c, width);
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < cols; ++c)
            g.SetCellText(c, r, QStringLiteral("%1-%2").arg(r).arg(c));
}

// Lays the whole table out on an A4 printer, where it takes one page, and prints that.
CGridPrint* printOnePage(CGridCtrl& g, CDC& printer)
{
    a4Printer(printer);
    CGridPrint* p = g.GetPrint();
    EXPECT_EQ(p->CountPages(&printer, 0, 0, g.GetNumberCols() - 1, g.GetNumberRows() - 1), 1);
    EXPECT_TRUE(p->PrintPage(&printer, 1));
    return p;
}

// A view that prints its grid as the program's table views do.
class GridView : public CView {
public:
    CGridCtrl m_grid;
    void OnBeginPrinting(CDC* pDC, CPrintInfo* pInfo) override
    {
        m_grid.GetPrint()->SetPrintOption(GRID_PRINT_FRAME, 1);
        pInfo->SetMaxPage(UINT(m_grid.GetPrint()->CountPages(pDC, 0, 0, m_grid.GetNumberCols() - 1,
                                                             m_grid.GetNumberRows() - 1)));
    }
    void OnPrint(CDC* pDC, CPrintInfo* pInfo) override
    {
        m_grid.GetPrint()->PrintPage(pDC, int(pInfo->m_nCurPage));
    }
};

} // namespace

TEST(GridPrint, TheMarginsLeaveTheTableItsUsableArea)
{
    CGridCtrl g;
    table(g, 9, 60);
    CDC printer;
    a4Printer(printer);
    CGridPrint* p = g.GetPrint();
    ASSERT_EQ(p->CountPages(&printer, 0, 0, 8, 59), 6);
    const double perMm = 4961.0 / 210.0;
    const CRect area = p->GetPrintArea();
    EXPECT_NEAR(area.Width() / perMm, 160.0, 0.1);
    EXPECT_NEAR(area.Height() / (7016.0 / 297.0), 247.0, 0.1);
    EXPECT_NEAR(area.left / perMm, 25.0, 0.1);
    // The usable area in screen pixels prints at its physical size.
    EXPECT_EQ(p->GetUsableSize().cx, int(1920.0 / 508.0 * 160.0));
    EXPECT_NEAR(p->GetHScale() * p->GetUsableSize().cx, area.Width(), 1.0);
    // Three column pages across, two row bands down; numbered across first.
    EXPECT_EQ(p->GetColPageCount(), 3);
    EXPECT_EQ(p->GetRowPageCount(), 2);
    const int expected[6][4] = {{0, 2, 0, 45}, {3, 5, 0, 45}, {6, 8, 0, 45},
                                {0, 2, 46, 59}, {3, 5, 46, 59}, {6, 8, 46, 59}};
    for (int page = 1; page <= 6; ++page) {
        const CGridPrint::Page* e = p->GetPage(page);
        ASSERT_NE(e, nullptr) << page;
        EXPECT_EQ((std::array<int, 4>{e->startCol, e->endCol, e->startRow, e->endRow}),
                  (std::array<int, 4>{expected[page - 1][0], expected[page - 1][1], expected[page - 1][2],
                                      expected[page - 1][3]})) << page;
    }
    EXPECT_FALSE(p->PrintPage(&printer, 7));
    // Without the job's device the pages are laid out on the settings' paper, as a PDF.
    EXPECT_EQ(p->CountPages(nullptr, 0, 0, 8, 59), 6);
    // Margins that leave nothing give no pages.
    p->SetPrintOption(GRID_PRINT_LEFTMARGIN, 200);
    EXPECT_EQ(p->CountPages(&printer, 0, 0, 8, 59), 0);
}

TEST(GridPrint, AColumnThatWouldRunPastTheEdgeStartsTheNextPage)
{
    CGridCtrl g;
    table(g, 3, 2);
    CDC printer;
    a4Printer(printer);
    CGridPrint* p = g.GetPrint();
    g.SetColWidth(1, 700);   // wider than the 604 usable pixels: a page of its own, ending at the edge
    ASSERT_EQ(p->CountPages(&printer, 0, 0, 2, 1), 3);
    EXPECT_EQ(std::make_pair(p->GetPage(1)->startCol, p->GetPage(1)->endCol), std::make_pair(0, 0));
    EXPECT_EQ(std::make_pair(p->GetPage(2)->startCol, p->GetPage(2)->endCol), std::make_pair(1, 1));
    EXPECT_EQ(std::make_pair(p->GetPage(3)->startCol, p->GetPage(3)->endCol), std::make_pair(2, 2));
    g.SetColWidth(0, 300);
    g.SetColWidth(1, 250);
    g.SetColWidth(2, 100);
    ASSERT_EQ(p->CountPages(&printer, 0, 0, 2, 1), 2);
    EXPECT_EQ(std::make_pair(p->GetPage(1)->startCol, p->GetPage(1)->endCol), std::make_pair(0, 1));
    EXPECT_EQ(std::make_pair(p->GetPage(2)->startCol, p->GetPage(2)->endCol), std::make_pair(2, 2));
}

TEST(GridPrint, AJoinedRangePrintsOnceAndAOneRowPageIsFramed)
{
    CGridCtrl g;
    table(g, 2, 4);
    g.SetRowHeight(0, 20);
    g.SetRowHeight(1, 30);
    g.SetRowHeight(2, 40);
    g.SetCellText(0, 0, "J");
    g.JoinCells(0, 0, 0, 2);
    CDC printer;
    CGridPrint* p = printOnePage(g, printer);
    const float vs = p->GetVScale();
    const int total = int(20 * vs) + int(30 * vs) + int(40 * vs);
    int joined = 0, hidden = 0;
    int plainFont = 0;
    for (const CDC::Record& r : printer.Records())
        if (r.op == "DrawText" && r.text == "0-1")
            plainFont = r.fontHeight;
    for (const CDC::Record& r : printer.Records()) {
        if (r.op == "DrawText" && r.text == "J") {
            ++joined;
            // Inside the border (a hairline on paper) and the text margins, which scale with it.
            const int inner = total - printer.HairlinePixels();
            EXPECT_EQ(r.args[3] - r.args[1], inner - 2 * int(std::lround(inner / 90.0)));
            EXPECT_NEAR(r.fontHeight, plainFont, plainFont / 20);   // the block's text is not blown up
        }
        if (r.op == "DrawText" && (r.text == "1-0" || r.text == "2-0"))
            ++hidden;
    }
    EXPECT_EQ(joined, 1);
    EXPECT_EQ(hidden, 0);

    // One row on its own page: framed on all four sides.
    CGridCtrl one;
    table(one, 2, 1);
    CDC sheet;
    a4Printer(sheet);
    ASSERT_EQ(one.GetPrint()->CountPages(&sheet, 0, 0, 1, 0), 1);
    ASSERT_TRUE(one.GetPrint()->PrintPage(&sheet, 1));
    const CRect a = one.GetPrint()->GetPrintArea();
    const int right = a.left + 2 * int(200 * one.GetPrint()->GetHScale());
    const int bottom = a.top + int(20 * one.GetPrint()->GetVScale());
    std::vector<std::vector<int>> lines;
    for (const CDC::Record& r : sheet.Records())
        if (r.op == "LineTo")
            lines.push_back(r.args);
    const std::vector<std::vector<int>> frame = {{a.left, a.top, right, a.top}, {a.left, bottom, right, bottom},
                                                 {a.left, a.top, a.left, bottom}, {right, a.top, right, bottom + 1}};
    EXPECT_EQ(lines, frame);
}

TEST(GridPrint, PaperShowsValuesInTheMiddleOfTheirRowsWithoutSpinButtons)
{
    CGridCtrl g;
    table(g, 3, 2, 100);
    CGridCell c;
    g.GetCell(0, 0, &c);
    c.SetCellType(GRID_CT_SPIN);
    c.SetAlignment(GRID_ALIGN_RIGHT);
    c.SetText("4.500");
    g.SetCell(0, 0, &c);
    g.SetCellAlignment(1, 0, GRID_ALIGN_RIGHT);
    g.SetCellType(2, 0, GRID_CT_DROPLIST);
    CDC printer;
    CGridPrint* p = printOnePage(g, printer);
    const CRect area = p->GetPrintArea();
    const int w = int(100 * p->GetHScale()), hair = printer.HairlinePixels();
    const int margin = int(std::lround(3 * double(int(20 * p->GetVScale()) - hair) / 20.0));
    int texts = 0;
    for (const CDC::Record& r : printer.Records()) {
        if (r.op != "DrawText")
            continue;
        const UINT format = UINT(r.args[4]);
        if (r.text == "4.500" || r.text == "0-1" || r.text == "0-2") {
            ++texts;
            // Centred in the row like a heading, however the cell stands on the screen.
            EXPECT_TRUE(format & DT_VCENTER) << r.text.toStdString();
            // The text keeps its margin from the right border, as far as on the screen.
            const int col = r.text == "4.500" ? 0 : r.text == "0-1" ? 1 : 2;
            EXPECT_EQ(r.args[2], area.left + (col + 1) * w - hair - margin) << r.text.toStdString();
        }
    }
    EXPECT_EQ(texts, 3);
    // No button face or arrow on paper: the only lines are the frame's.
    int lines = 0;
    for (const CDC::Record& r : printer.Records())
        lines += r.op == "LineTo";
    EXPECT_EQ(lines, 4);
}

TEST(GridPrint, AColumnWhoseTextWouldBeCutPrintsWider)
{
    CGridCtrl g;
    table(g, 3, 3, 100);
    g.SetColWidth(1, 40);
    g.SetCellText(1, 1, QString::fromUtf8("部材総質量 235.5 t × 単価 12000 円/t"));
    g.SetCellText(2, 2, QString::fromUtf8("短い"));
    CDC printer;
    CGridPrint* p = printOnePage(g, printer);
    EXPECT_EQ(p->Width(0), 100);
    EXPECT_EQ(p->Width(2), 100);
    EXPECT_GT(p->Width(1), 40);
    for (const CDC::Record& r : printer.Records()) {
        if (r.op != "DrawText" || !r.text.startsWith(QString::fromUtf8("部材")))
            continue;
        CFont f;
        f.CreateFont(r.fontHeight, 0, 0, 0, r.fontWeight, 0, 0, 0, SHIFTJIS_CHARSET, 0, 0, 0, 0, r.fontFace);
        CFont* old = printer.SelectObject(&f);
        EXPECT_LE(printer.GetTextExtent(r.text).cx, r.args[2] - r.args[0]);
        printer.SelectObject(old);
    }
    // The screen keeps its width.
    int width = 0;
    g.GetColWidth(1, &width);
    EXPECT_EQ(width, 40);
}

TEST(GridPrint, AViewPrintsItsGridIntoAPdf)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath("table.pdf");
    GridView view;
    table(view.m_grid, 9, 60);
    const CPrintSettings saved = AfxGetPrintSettings();
    AfxGetPrintSettings().m_nPaperSize = DMPAPER_A4;
    AfxGetPrintSettings().m_bLandscape = false;
    ASSERT_TRUE(AfxPrintView(&view, PrintMode::Pdf, path));
    AfxGetPrintSettings() = saved;
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray pdf = f.readAll();
    const qsizetype pages = QString::fromLatin1(pdf).count(QRegularExpression("/Type\\s*/Page[^s]"));
    EXPECT_EQ(pages, 6);
}
