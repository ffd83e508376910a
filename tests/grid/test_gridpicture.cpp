// A table with normal, check-box, spin and push-button cells, painted on screen
// (offscreen platform) and compared by its pixels, and the table font's figures.
#include <gtest/gtest.h>

#include "framework/dc.h"
#include "framework/wndextras.h"
#include "grid/gridctrl.h"
#include "grid/tablegrid.h"

#include <QApplication>
#include <QDir>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>

namespace {

class SampleTable : public CGridCtrl {
public:
    CGridButtonCellType m_button;
    CFont m_font;
    void OnSetup() override
    {
        m_font.CreateFont(-12, 0, 0, 0, FW_NORMAL, 0, 0, 0, SHIFTJIS_CHARSET, 0, 0, 0, 0, "ＭＳ ゴシック");
        SetDefFont(&m_font);
        AddCellType(&m_button);
    }
    void Fill()
    {
        SetNumberCols(4);
        SetNumberRows(4);
        const char* headings[] = {"名称", "選択", "数値", "操作"};
        for (int col = 0; col < 4; ++col)
            SetCellText(col, -1, QString::fromUtf8(headings[col]));
        SetColWidth(0, 90);
        SetColWidth(1, 80);
        SetColWidth(2, 90);
        SetColWidth(3, 70);
        CGridCell c;
        for (int row = 0; row < 4; ++row) {
            SetCellText(-1, row, QString::number(row + 1));
            SetCellText(0, row, QStringLiteral("主桁 G%1").arg(row + 1));

            GetCell(1, row, &c);
            c.SetCellType(GRID_CT_CHECKBOX);
            c.SetCellTypeEx(0x1100);
            c.SetChoiceList(QString::fromUtf8("照査"));
            c.SetNumber(row % 2 == 0 ? 1 : 0);
            SetCell(1, row, &c);

            GetCell(2, row, &c);
            c.SetCellType(GRID_CT_SPIN);
            c.SetAlignment(GRID_ALIGN_RIGHT | GRID_ALIGN_VCENTER);
            c.SetNumber(1250.5 * (row + 1));
            SetCell(2, row, &c);

            GetCell(3, row, &c);
            c.SetCellType(GRID_CT_BUTTON);
            c.SetCellTypeEx(16);
            c.SetText(QString::fromUtf8("詳細"));
            c.SetBackColor(GetSysColor(COLOR_BTNFACE));
            c.SetAlignment(GRID_ALIGN_CENTER | GRID_ALIGN_VCENTER);
            SetCell(3, row, &c);
        }
        GetSettings()->m_nCurCol = 0;
        GetSettings()->m_nCurRow = 1;
    }
};

COLORREF at(const QImage& image, int x, int y)
{
    const QRgb p = image.pixel(x, y);
    return RGB(qRed(p), qGreen(p), qBlue(p));
}

} // namespace

TEST(GridPicture, TableWithCheckSpinAndButtonCells)
{
    SampleTable table;
    ASSERT_TRUE(table.CreateGrid(WS_CHILD | WS_VISIBLE, CRect(0, 0, 50 + 330 + 20, 20 + 80 + 30), nullptr, 100));
    table.Fill();
    table.ShowWindow(SW_SHOW);
    QApplication::processEvents();

    QTemporaryDir dir;
    QString path = dir.filePath("grid.png");
    if (const QByteArray keep = qgetenv("MV_GRID_PICTURE_DIR"); !keep.isEmpty())
        path = QDir(QString::fromLocal8Bit(keep)).filePath("grid.png");
    ASSERT_TRUE(AfxSaveWindowImage(&table, path));
    QImage image(path);
    ASSERT_FALSE(image.isNull());
    ASSERT_EQ(image.width(), 400);

    // Corner and headings are raised button faces; the row headings end in a black line.
    EXPECT_EQ(at(image, 0, 0), GetSysColor(COLOR_3DHILIGHT));
    EXPECT_EQ(at(image, 25, 10), GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(at(image, 49, 60), RGB(0, 0, 0));
    EXPECT_EQ(at(image, 100, 19), RGB(0, 0, 0));

    // Data cells start at (50, 20); rows are 20 pixels high with a line at their bottom.
    const int top0 = 20;
    EXPECT_EQ(at(image, 60, top0 + 19), RGB(0, 0, 0));
    EXPECT_EQ(at(image, 139, top0 + 5), RGB(0, 0, 0));   // right line of column 0
    EXPECT_EQ(at(image, 60, top0 + 2), GetSysColor(COLOR_WINDOW));

    // Check boxes of column 1 (x 140..219): sunken frame at x 143, tick in rows 0 and 2 only.
    const int boxLeft = 140 + 3, boxTop = top0 + (19 - 12) / 2;
    EXPECT_EQ(at(image, boxLeft, boxTop + 6), GetSysColor(COLOR_BTNSHADOW));
    EXPECT_EQ(at(image, boxLeft + 1, boxTop + 6), RGB(0, 0, 0));
    const int tickX = boxLeft + 2 + 4, tickY = boxTop + 12 - 1 - 2;   // where the tick bends
    EXPECT_EQ(at(image, tickX, tickY), RGB(0, 0, 0));
    EXPECT_EQ(at(image, tickX, tickY + 20), GetSysColor(COLOR_WINDOW));
    EXPECT_EQ(at(image, tickX, tickY + 40), RGB(0, 0, 0));

    // Spin buttons at the right of column 2, button cells raised in column 3.
    const int bw = GetSystemMetrics(SM_CXVSCROLL);
    const int spinRight = 310 - 1;
    EXPECT_EQ(at(image, spinRight - bw, top0 + 1), GetSysColor(COLOR_3DHILIGHT));
    EXPECT_EQ(at(image, spinRight - 2, top0 + 3), GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(at(image, 310, top0 + 5), GetSysColor(COLOR_3DHILIGHT));
    EXPECT_EQ(at(image, 378, top0 + 10), GetSysColor(COLOR_3DSHADOW));

    // Below the last row and right of the last column: the window colour.
    EXPECT_EQ(at(image, 390, 50), GetSysColor(COLOR_WINDOW));
    EXPECT_EQ(at(image, 200, 115), GetSysColor(COLOR_WINDOW));
}

// The table font at its screen size: a 12-pixel em, and a full stop that sits on the baseline
// as a dot instead of reaching below it as a comma does.
TEST(GridPicture, TheTableFontsFullStopIsADot)
{
    CTableGrid grid;
    grid.OnSetup();
    QImage image(80, 30, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    CDC dc(&painter);
    dc.SelectObject(grid.GetDefFont());
    TEXTMETRIC tm;
    ASSERT_TRUE(dc.GetTextMetrics(&tm));
    EXPECT_EQ(tm.tmHeight - tm.tmInternalLeading, 12);
    dc.SetTextColor(RGB(0, 0, 0));
    dc.TextOut(0, 0, QStringLiteral("0.5"));
    const int from = dc.GetTextExtent(QStringLiteral("0")).cx, to = dc.GetTextExtent(QStringLiteral("0.")).cx;
    painter.end();
    auto inked = [&](int x, int y) { return qGray(image.pixel(x, y)) < 160; };
    int above = 0, below = 0;
    for (int x = from; x < to; ++x) {
        for (int y = tm.tmAscent - 3; y < tm.tmAscent; ++y)
            above += inked(x, y);
        for (int y = tm.tmAscent; y < tm.tmHeight; ++y)
            below += inked(x, y);
    }
    EXPECT_GT(above, 0);
    EXPECT_EQ(below, 0);
}
