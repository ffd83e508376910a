#include <gtest/gtest.h>

#include "framework/dc.h"
#include "framework/gdi.h"

#include <QBuffer>
#include <QFile>
#include <QImage>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QTemporaryDir>

namespace {

// A white image at the given resolution with a painter and a DC on it.
struct Canvas {
    QImage image;
    QPainter painter;
    CDC dc;
    Canvas(int w, int h, int dpi = 96)
        : image(makeImage(w, h, dpi)), painter(&image), dc(&painter) {}
    static QImage makeImage(int w, int h, int dpi)
    {
        QImage img(w, h, QImage::Format_RGB32);
        img.fill(Qt::white);
        img.setDotsPerMeterX(int(std::lround(dpi / 0.0254)));
        img.setDotsPerMeterY(int(std::lround(dpi / 0.0254)));
        return img;
    }
    bool ink(int x, int y) const { return image.pixel(x, y) != qRgb(255, 255, 255); }
    // Bounding box of everything that is not white; null if nothing was drawn.
    QRect inkBox() const
    {
        QRect box;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                if (ink(x, y))
                    box |= QRect(x, y, 1, 1);
        return box;
    }
};

const CDC::Record* findOp(const CDC& dc, const QString& op)
{
    for (const CDC::Record& r : dc.Records())
        if (r.op == op)
            return &r;
    return nullptr;
}

} // namespace

// ---------------------------------------------------------------- mapping

TEST(DcMapping, LoMetricAt254DpiIsOnePixelPerUnitWithYUp)
{
    CDC dc;
    dc.SetResolution(254, 254);
    EXPECT_EQ(dc.SetMapMode(MM_LOMETRIC), MM_TEXT);

    CPoint pts[2] = {{100, -200}, {-5, 7}};
    dc.LPtoDP(pts, 2);
    EXPECT_EQ(pts[0], CPoint(100, 200));
    EXPECT_EQ(pts[1], CPoint(-5, -7));

    dc.SetViewportOrg(10, 20);
    CRect r(0, 0, 50, -80);
    dc.LPtoDP(&r);
    EXPECT_EQ(r, CRect(10, 20, 60, 100));
    dc.DPtoLP(&r);
    EXPECT_EQ(r, CRect(0, 0, 50, -80));

    // Sizes keep their sign and scale by magnitude.
    CSize s(30, 40);
    dc.LPtoDP(&s);
    EXPECT_EQ(s, CSize(30, 40));
}

TEST(DcMapping, LoMetricAtScreenResolutionAndWindowOrigin)
{
    CDC dc;
    dc.SetMapMode(MM_LOMETRIC);   // 96 dpi: 254 units are 96 pixels
    CPoint p(254, -508);
    dc.LPtoDP(&p);
    EXPECT_EQ(p, CPoint(96, 192));
    dc.DPtoLP(&p);
    EXPECT_EQ(p, CPoint(254, -508));

    CSize s(254, 254);
    dc.LPtoDP(&s);
    EXPECT_EQ(s, CSize(96, 96));

    dc.SetMapMode(MM_TEXT);
    dc.SetWindowOrg(100, 50);
    dc.SetViewportOrg(5, 5);
    CPoint q(100, 50);
    dc.LPtoDP(&q);
    EXPECT_EQ(q, CPoint(5, 5));
    // Extents are fixed outside the scalable modes.
    dc.SetWindowExt(10, 10);
    EXPECT_EQ(dc.GetWindowExt(), CSize(1, 1));
}

TEST(DcMapping, AnisotropicAndIsotropicExtents)
{
    CDC dc;
    dc.SetMapMode(MM_ANISOTROPIC);
    dc.SetWindowExt(1000, 1000);
    dc.SetViewportExt(500, -250);
    CPoint p(200, 400);
    dc.LPtoDP(&p);
    EXPECT_EQ(p, CPoint(100, -100));

    dc.SetMapMode(MM_ISOTROPIC);
    dc.SetWindowExt(100, 100);
    dc.SetViewportExt(400, 200);   // x shrinks to keep both scales equal
    EXPECT_EQ(dc.GetViewportExt(), CSize(200, 200));
}

TEST(DcMapping, DeviceCapsOfRecorder)
{
    CDC dc;
    dc.SetResolution(600, 600);
    dc.SetPageSize(CSize(4800, 6600));
    dc.SetPhysicalPage(CSize(4960, 7016), CPoint(80, 208));
    EXPECT_EQ(dc.GetDeviceCaps(LOGPIXELSX), 600);
    EXPECT_EQ(dc.GetDeviceCaps(LOGPIXELSY), 600);
    EXPECT_EQ(dc.GetDeviceCaps(HORZRES), 4800);
    EXPECT_EQ(dc.GetDeviceCaps(VERTRES), 6600);
    EXPECT_EQ(dc.GetDeviceCaps(HORZSIZE), 203);
    EXPECT_EQ(dc.GetDeviceCaps(VERTSIZE), 279);
    EXPECT_EQ(dc.GetDeviceCaps(PHYSICALWIDTH), 4960);
    EXPECT_EQ(dc.GetDeviceCaps(PHYSICALHEIGHT), 7016);
    EXPECT_EQ(dc.GetDeviceCaps(PHYSICALOFFSETX), 80);
    EXPECT_EQ(dc.GetDeviceCaps(PHYSICALOFFSETY), 208);
}

// ---------------------------------------------------------------- objects and recording

TEST(DcObjects, SelectObjectReturnsPreviousAndStockObjects)
{
    CDC dc;
    CPen red(PS_SOLID, 3, RGB(255, 0, 0)), blue(PS_DASH, 0, RGB(0, 0, 255));
    CPen* stockPen = dc.SelectObject(&red);
    EXPECT_EQ(stockPen, GetStockObject(BLACK_PEN));
    EXPECT_EQ(dc.SelectObject(&blue), &red);
    EXPECT_EQ(dc.SelectObject(stockPen), &blue);

    CBrush hatch(HS_CROSS, RGB(0, 128, 0));
    CBrush* oldBrush = dc.SelectObject(&hatch);
    EXPECT_EQ(oldBrush, GetStockObject(WHITE_BRUSH));
    EXPECT_EQ(dc.SelectStockObject(NULL_BRUSH), &hatch);
    EXPECT_EQ(dc.GetCurrentBrush(), GetStockObject(HOLLOW_BRUSH));

    CFont font;
    font.CreatePointFont(100, QStringLiteral("ＭＳ 明朝"));
    CFont* oldFont = dc.SelectObject(&font);
    EXPECT_EQ(oldFont, GetStockObject(SYSTEM_FONT));
    EXPECT_EQ(static_cast<CFont*>(dc.SelectObject(static_cast<CGdiObject*>(oldFont))), &font);
}

TEST(DcObjects, RecorderKeepsLogicalCoordinatesAndState)
{
    CDC dc;
    dc.SetMapMode(MM_LOMETRIC);
    CPen pen(PS_DOT, 2, RGB(1, 2, 3));
    CBrush brush(RGB(10, 20, 30));
    CFont font;
    font.CreateFont(-35, 0, 900, 0, FW_BOLD, 0, 0, 0, SHIFTJIS_CHARSET, OUT_DEFAULT_PRECIS,
                    CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_ROMAN,
                    QStringLiteral("ＭＳ ゴシック"));
    dc.SelectObject(&pen);
    dc.SelectObject(&brush);
    CFont* old = dc.SelectObject(&font);
    dc.SetTextColor(RGB(200, 0, 0));
    dc.SetBkMode(TRANSPARENT);

    dc.MoveTo(100, -100);
    dc.LineTo(300, -400);
    dc.Rectangle(0, 0, 500, -600);
    dc.TextOut(50, -60, QStringLiteral("支間長"));
    CRect box(0, 0, 400, -100);
    dc.DrawText(QStringLiteral("計算書"), box, DT_CENTER | DT_SINGLELINE);
    CRect measured(0, 0, 400, -100);
    dc.DrawText(QStringLiteral("計算書"), measured, DT_CALCRECT | DT_SINGLELINE);
    dc.SelectObject(old);
    dc.FillSolidRect(CRect(1, 2, 3, 4), RGB(9, 9, 9));

    const auto& recs = dc.Records();
    ASSERT_EQ(recs.size(), 5u);   // measuring is not drawing
    EXPECT_EQ(recs[0].op, "LineTo");
    EXPECT_EQ(recs[0].args, (std::vector<int>{100, -100, 300, -400}));
    EXPECT_EQ(recs[0].penColor, RGB(1, 2, 3));
    EXPECT_EQ(recs[0].penWidth, 2);
    EXPECT_EQ(recs[0].penStyle, PS_DOT);
    EXPECT_EQ(recs[1].op, "Rectangle");
    EXPECT_EQ(recs[1].args, (std::vector<int>{0, 0, 500, -600}));
    EXPECT_EQ(recs[1].brushColor, RGB(10, 20, 30));
    EXPECT_EQ(recs[1].mapMode, MM_LOMETRIC);
    EXPECT_EQ(recs[2].op, "TextOut");
    EXPECT_EQ(recs[2].args, (std::vector<int>{50, -60}));
    EXPECT_EQ(recs[2].text, QStringLiteral("支間長"));
    EXPECT_EQ(recs[2].fontFace, QStringLiteral("ＭＳ ゴシック"));
    EXPECT_EQ(recs[2].fontHeight, -35);
    EXPECT_EQ(recs[2].fontWeight, FW_BOLD);
    EXPECT_EQ(recs[2].escapement, 900);
    EXPECT_EQ(recs[2].textColor, RGB(200, 0, 0));
    EXPECT_EQ(recs[2].bkMode, TRANSPARENT);
    EXPECT_EQ(recs[3].op, "DrawText");
    EXPECT_EQ(recs[3].args, (std::vector<int>{0, 0, 400, -100, int(DT_CENTER | DT_SINGLELINE)}));
    EXPECT_EQ(recs[4].op, "FillSolidRect");
    EXPECT_EQ(recs[4].brushColor, RGB(9, 9, 9));
    // The original's FillSolidRect leaves its colour as the background colour.
    EXPECT_EQ(dc.GetBkColor(), RGB(9, 9, 9));
    EXPECT_EQ(dc.GetCurrentPosition(), CPoint(300, -400));

    // In y-up modes the measured box grows downwards, i.e. towards smaller y.
    EXPECT_EQ(measured.left, 0);
    EXPECT_GT(measured.right, 0);
    EXPECT_LT(measured.bottom, 0);

    dc.ClearRecords();
    EXPECT_TRUE(dc.Records().empty());
}

TEST(DcObjects, SelectedValuesSurviveTheObject)
{
    CDC dc;
    {
        CPen temp(PS_SOLID, 5, RGB(7, 7, 7));
        dc.SelectObject(&temp);
    }
    dc.LineTo(10, 10);
    ASSERT_NE(findOp(dc, "LineTo"), nullptr);
    EXPECT_EQ(findOp(dc, "LineTo")->penWidth, 5);
}

TEST(DcObjects, SaveAndRestoreState)
{
    CDC dc;
    CPen pen(PS_SOLID, 1, RGB(255, 0, 0));
    const int saved = dc.SaveDC();
    dc.SetMapMode(MM_LOMETRIC);
    dc.SetViewportOrg(10, 10);
    dc.SelectObject(&pen);
    dc.SetTextColor(RGB(0, 255, 0));
    dc.SetBkMode(TRANSPARENT);
    dc.SaveDC();
    dc.SetTextAlign(TA_RIGHT | TA_BASELINE);
    EXPECT_TRUE(dc.RestoreDC(-1));
    EXPECT_EQ(dc.GetTextAlign(), UINT(TA_LEFT | TA_TOP));
    EXPECT_EQ(dc.GetMapMode(), MM_LOMETRIC);
    EXPECT_TRUE(dc.RestoreDC(saved));
    EXPECT_EQ(dc.GetMapMode(), MM_TEXT);
    EXPECT_EQ(dc.GetViewportOrg(), CPoint(0, 0));
    EXPECT_EQ(dc.GetCurrentPen(), GetStockObject(BLACK_PEN));
    EXPECT_EQ(dc.GetTextColor(), RGB(0, 0, 0));
    EXPECT_EQ(dc.GetBkMode(), OPAQUE);
    EXPECT_FALSE(dc.RestoreDC(-1));
}

// ---------------------------------------------------------------- fonts

TEST(DcFonts, FaceSubstitution)
{
    EXPECT_EQ(AfxSubstituteFontFace(QStringLiteral("ＭＳ 明朝")), "IPAMincho");
    EXPECT_EQ(AfxSubstituteFontFace(QString::fromUtf8("ＭＳ\u3000明朝")), "IPAMincho");
    EXPECT_EQ(AfxSubstituteFontFace(QStringLiteral("MS Mincho")), "IPAMincho");
    EXPECT_EQ(AfxSubstituteFontFace(QStringLiteral("ＭＳ ゴシック")), "IPAGothic");
    EXPECT_EQ(AfxSubstituteFontFace(QStringLiteral("MS Gothic")), "IPAGothic");
    EXPECT_EQ(AfxSubstituteFontFace(QStringLiteral("ＭＳ Ｐゴシック")), "IPAPGothic");
    EXPECT_EQ(AfxSubstituteFontFace(QStringLiteral("MS PGothic")), "IPAPGothic");
    EXPECT_EQ(AfxSubstituteFontFace(QStringLiteral("ＭＳ Ｐ明朝")), "IPAPMincho");
    EXPECT_EQ(AfxSubstituteFontFace(QStringLiteral("Arial")), "Arial");
}

TEST(DcFonts, HeightsAreLogicalUnitsOfTheDc)
{
    CDC dc;
    dc.SetResolution(254, 254);
    dc.SetMapMode(MM_LOMETRIC);

    CFont point;
    point.CreatePointFont(100, QStringLiteral("ＭＳ 明朝"), &dc);   // 10 pt = 3.53 mm
    EXPECT_EQ(point.LogFont().lfHeight, -35);
    CFont screen;
    screen.CreatePointFont(90, QStringLiteral("ＭＳ 明朝"));          // 9 pt on a 96 dpi screen
    EXPECT_EQ(screen.LogFont().lfHeight, -12);

    LOGFONT lf;
    lf.lfHeight = -35;
    lf.lfFaceName = QStringLiteral("ＭＳ 明朝");
    CFont chr;
    chr.CreateFontIndirect(&lf);
    dc.SelectObject(&chr);
    TEXTMETRIC tm;
    ASSERT_TRUE(dc.GetTextMetrics(&tm));
    EXPECT_EQ(tm.tmHeight - tm.tmInternalLeading, 35);   // character height
    EXPECT_EQ(tm.tmHeight, tm.tmAscent + tm.tmDescent);

    lf.lfHeight = 35;
    CFont cell;
    cell.CreateFontIndirect(&lf);
    dc.SelectObject(&cell);
    dc.GetTextMetrics(&tm);
    EXPECT_NEAR(tm.tmHeight, 35, 1);                      // cell height

    // Full-width glyphs are one em wide; a coarser device measures about the same.
    dc.SelectObject(&chr);
    const CSize fine = dc.GetTextExtent(QStringLiteral("橋梁設計"));
    EXPECT_EQ(fine.cx, 4 * 35);
    CDC screenDc;
    screenDc.SetMapMode(MM_LOMETRIC);
    screenDc.SelectObject(&chr);
    EXPECT_NEAR(screenDc.GetTextExtent(QStringLiteral("橋梁設計")).cx, fine.cx, 12);
}

TEST(DcFonts, WidthStretchesTheText)
{
    CDC dc;
    CFont narrow, wide;
    narrow.CreateFont(-20, 5, 0, 0, FW_NORMAL, 0, 0, 0, SHIFTJIS_CHARSET, 0, 0, 0, 0, QStringLiteral("ＭＳ ゴシック"));
    wide.CreateFont(-20, 20, 0, 0, FW_NORMAL, 0, 0, 0, SHIFTJIS_CHARSET, 0, 0, 0, 0, QStringLiteral("ＭＳ ゴシック"));
    dc.SelectObject(&narrow);
    const int n = dc.GetTextExtent(QStringLiteral("ABCD")).cx;
    dc.SelectObject(&wide);
    const int w = dc.GetTextExtent(QStringLiteral("ABCD")).cx;
    EXPECT_NEAR(n, 20, 2);
    EXPECT_NEAR(w, 80, 3);
}

TEST(DcFonts, RecordedTextsKeepTheirCellTurnedAndAligned)
{
    CDC dc;
    dc.SetMapMode(MM_LOMETRIC);
    CFont upright, turned;
    upright.CreateFont(40, 0, 0, 0, FW_NORMAL, 0, 0, 0, SHIFTJIS_CHARSET, 0, 0, 0, 0, QStringLiteral("ＭＳ ゴシック"));
    turned.CreateFont(40, 0, 900, 900, FW_NORMAL, 0, 0, 0, SHIFTJIS_CHARSET, 0, 0, 0, 0, QStringLiteral("ＭＳ ゴシック"));
    dc.SelectObject(&upright);
    const CSize ext = dc.GetTextExtent(QStringLiteral("橋梁"));
    dc.TextOut(100, -200, QStringLiteral("橋梁"));
    // Top-left: the cell runs right and down (y upwards) from the point.
    CRect box = dc.Records().back().box;
    EXPECT_NEAR(box.left, 100, 3);
    EXPECT_NEAR(box.right, 100 + ext.cx, 3);
    EXPECT_NEAR(box.bottom, -200, 3);
    EXPECT_NEAR(box.top, -200 - ext.cy, 3);
    dc.SetTextAlign(TA_RIGHT | TA_BOTTOM);
    dc.TextOut(100, -200, QStringLiteral("橋梁"));
    box = dc.Records().back().box;
    EXPECT_NEAR(box.right, 100, 3);
    EXPECT_NEAR(box.top, -200, 3);
    // A quarter turn anticlockwise reads upwards: the cell's top edge is its left side.
    dc.SetTextAlign(TA_LEFT | TA_TOP);
    dc.SelectObject(&turned);
    dc.TextOut(100, -200, QStringLiteral("橋梁"));
    box = dc.Records().back().box;
    EXPECT_NEAR(box.left, 100, 3);
    EXPECT_NEAR(box.right, 100 + ext.cy, 3);
    EXPECT_NEAR(box.top, -200, 3);
    EXPECT_NEAR(box.bottom, -200 + ext.cx, 3);
}

// ---------------------------------------------------------------- painting on an image

TEST(DcPaint, LineToLeavesOutItsEndPoint)
{
    Canvas c(20, 20);
    c.dc.MoveTo(0, 0);
    c.dc.LineTo(10, 0);
    c.dc.MoveTo(3, 5);
    c.dc.LineTo(3, 12);
    c.painter.end();
    EXPECT_TRUE(c.ink(0, 0));
    EXPECT_TRUE(c.ink(9, 0));
    EXPECT_FALSE(c.ink(10, 0));
    EXPECT_TRUE(c.ink(3, 11));
    EXPECT_FALSE(c.ink(3, 12));
    EXPECT_FALSE(c.dc.IsRecording());
}

TEST(DcPaint, RectangleAndFillsExcludeRightAndBottom)
{
    Canvas c(30, 30);
    CBrush red(RGB(255, 0, 0));
    c.dc.SelectObject(&red);
    c.dc.Rectangle(0, 0, 10, 10);
    c.dc.FillSolidRect(CRect(20, 20, 25, 25), RGB(0, 0, 255));
    c.painter.end();
    EXPECT_EQ(c.image.pixel(9, 9), qRgb(0, 0, 0));       // outline
    EXPECT_EQ(c.image.pixel(5, 5), qRgb(255, 0, 0));     // interior
    EXPECT_FALSE(c.ink(10, 5));
    EXPECT_FALSE(c.ink(5, 10));
    EXPECT_EQ(c.inkBox().bottomRight(), QPoint(24, 24));
}

TEST(DcPaint, PenWidthIsInLogicalUnits)
{
    Canvas c(200, 200, 254);
    c.dc.SetMapMode(MM_LOMETRIC);
    CPen thick(PS_SOLID, 10, RGB(0, 0, 0));
    c.dc.SelectObject(&thick);
    c.dc.MoveTo(50, -100);
    c.dc.LineTo(150, -100);
    c.painter.end();
    int rows = 0;
    for (int y = 0; y < 200; ++y)
        rows += c.ink(100, y) ? 1 : 0;
    EXPECT_NEAR(rows, 10, 1);
    EXPECT_TRUE(c.ink(100, 100));
}

TEST(DcPaint, LoMetricTextIsUprightAndBelowItsTopLeft)
{
    Canvas c(200, 200, 254);
    c.dc.SetMapMode(MM_LOMETRIC);
    CFont font;
    font.CreateFont(-60, 0, 0, 0, FW_BOLD, 0, 0, 0, SHIFTJIS_CHARSET, 0, 0, 0, 0, QStringLiteral("ＭＳ ゴシック"));
    c.dc.SelectObject(&font);
    c.dc.SetBkMode(TRANSPARENT);
    c.dc.TextOut(50, -50, QStringLiteral("L"));
    c.painter.end();

    const QRect box = c.inkBox();
    ASSERT_FALSE(box.isNull());
    EXPECT_GE(box.top(), 50);
    EXPECT_LE(box.bottom(), 50 + 66);
    EXPECT_GE(box.left(), 50);
    // An upright L: the stem on the left, the foot at the bottom.
    auto rowInk = [&](int y) { int n = 0; for (int x = box.left(); x <= box.right(); ++x) n += c.ink(x, y); return n; };
    auto colInk = [&](int x) { int n = 0; for (int y = box.top(); y <= box.bottom(); ++y) n += c.ink(x, y); return n; };
    EXPECT_GT(rowInk(box.bottom() - 1), 2 * rowInk(box.top() + 1));
    EXPECT_GT(colInk(box.left() + 1), 2 * colInk(box.right() - 1));
}

TEST(DcPaint, AlignmentAndEscapement)
{
    Canvas c(200, 200);
    CFont up;
    up.CreateFont(-20, 0, 900, 900, FW_NORMAL, 0, 0, 0, SHIFTJIS_CHARSET, 0, 0, 0, 0, QStringLiteral("ＭＳ ゴシック"));
    c.dc.SelectObject(&up);
    c.dc.SetBkMode(TRANSPARENT);
    c.dc.TextOut(100, 150, QStringLiteral("ABCDE"));   // runs upwards, glyph tops to the left
    c.painter.end();
    QRect box = c.inkBox();
    EXPECT_LE(box.bottom(), 151);
    EXPECT_LT(box.top(), 120);
    EXPECT_GE(box.left(), 99);
    EXPECT_LE(box.right(), 121);

    Canvas r(200, 60);
    r.dc.SetBkMode(TRANSPARENT);
    r.dc.SetTextAlign(TA_RIGHT | TA_BASELINE);
    r.dc.TextOut(150, 40, QStringLiteral("ABC"));
    r.painter.end();
    box = r.inkBox();
    EXPECT_LE(box.right(), 150);
    EXPECT_GE(box.right(), 140);
    EXPECT_LE(box.bottom(), 41);
}

TEST(DcPaint, OpaqueTextPaintsTheBackground)
{
    Canvas c(100, 60);
    c.dc.SetBkColor(RGB(255, 0, 0));
    c.dc.TextOut(10, 5, QStringLiteral("橋"));   // opaque by default
    c.dc.SetBkMode(TRANSPARENT);
    c.dc.TextOut(10, 35, QStringLiteral("橋"));
    c.painter.end();
    auto reds = [&](int y0, int y1) {
        int n = 0;
        for (int y = y0; y < y1; ++y)
            for (int x = 0; x < 100; ++x)
                n += c.image.pixel(x, y) == qRgb(255, 0, 0);
        return n;
    };
    EXPECT_GT(reds(0, 30), 20);
    EXPECT_EQ(reds(30, 60), 0);
}

TEST(DcPaint, ExtTextOutOpaqueRectAndClipping)
{
    Canvas c(100, 40);
    c.dc.SetRecording(true);
    c.dc.SetBkMode(TRANSPARENT);
    c.dc.SetBkColor(RGB(0, 255, 0));
    const CRect cell(10, 5, 30, 25);
    c.dc.ExtTextOut(12, 5, ETO_OPAQUE | ETO_CLIPPED, &cell, QStringLiteral("WWWWWWWW"));
    c.painter.end();
    EXPECT_EQ(c.image.pixel(10, 5), qRgb(0, 255, 0));   // the rect is filled whatever the mode
    EXPECT_EQ(c.image.pixel(29, 24), qRgb(0, 255, 0));
    EXPECT_LE(c.inkBox().right(), 29);                  // and the long text stays inside
    ASSERT_EQ(c.dc.Records().size(), 1u);
    EXPECT_EQ(c.dc.Records()[0].op, "ExtTextOut");
    EXPECT_EQ(c.dc.Records()[0].args, (std::vector<int>{12, 5, int(ETO_OPAQUE | ETO_CLIPPED), 10, 5, 30, 25}));
}

TEST(DcPaint, ArcsRunCounterClockwiseOnTheDevice)
{
    // From east to north: only the upper right quarter, in both orientations.
    for (int mode : {MM_TEXT, MM_LOMETRIC}) {
        Canvas c(100, 100, 254);
        c.dc.SetMapMode(mode);
        const int s = mode == MM_TEXT ? 1 : -1;   // logical y of "up" on the device
        c.dc.Arc(CRect(10, s * 10, 90, s * 90), CPoint(90, s * 50), CPoint(50, s * 10));
        c.painter.end();
        const QRect box = c.inkBox();
        ASSERT_FALSE(box.isNull()) << mode;
        EXPECT_GE(box.left(), 48) << mode;
        EXPECT_LE(box.bottom(), 52) << mode;
    }
}

TEST(DcPaint, ClippingAndMemoryBitmaps)
{
    CDC mem;
    mem.CreateCompatibleDC(nullptr);
    CBitmap bmp;
    ASSERT_TRUE(bmp.CreateCompatibleBitmap(&mem, 8, 8));
    EXPECT_EQ(bmp.GetSize(), CSize(8, 8));
    CBitmap* old = mem.SelectObject(&bmp);
    EXPECT_NE(old, nullptr);
    mem.FillSolidRect(CRect(0, 0, 8, 8), RGB(0, 0, 255));
    mem.SetPixel(1, 1, RGB(255, 0, 0));
    EXPECT_EQ(mem.GetPixel(1, 1), RGB(255, 0, 0));

    Canvas c(40, 40);
    c.dc.BitBlt(10, 10, 8, 8, &mem, 0, 0, SRCCOPY);
    c.dc.IntersectClipRect(0, 0, 5, 5);
    c.dc.FillSolidRect(CRect(0, 0, 40, 40), RGB(0, 255, 0));
    c.dc.SelectClipRgn(nullptr);
    c.dc.SetPixel(30, 30, RGB(0, 0, 0));
    c.painter.end();
    EXPECT_EQ(c.image.pixel(11, 11), qRgb(255, 0, 0));
    EXPECT_EQ(c.image.pixel(17, 17), qRgb(0, 0, 255));
    EXPECT_EQ(c.image.pixel(4, 4), qRgb(0, 255, 0));
    EXPECT_EQ(c.image.pixel(6, 6), qRgb(255, 255, 255));
    EXPECT_EQ(c.image.pixel(30, 30), qRgb(0, 0, 0));
    mem.SelectObject(old);
}

TEST(DcPaint, DrawTextAlignsAndWraps)
{
    Canvas c(200, 100);
    c.dc.SetBkMode(TRANSPARENT);
    CRect right(0, 0, 190, 30);
    c.dc.DrawText(QStringLiteral("&Right"), right, DT_RIGHT | DT_SINGLELINE | DT_VCENTER);
    c.painter.end();
    const QRect box = c.inkBox();
    EXPECT_LE(box.right(), 190);
    EXPECT_GE(box.right(), 180);
    EXPECT_LE(box.bottom(), 30);

    CDC dc;
    TEXTMETRIC tm;
    dc.GetTextMetrics(&tm);
    const int word = dc.GetTextExtent(QStringLiteral("girder")).cx;
    CRect narrow(0, 0, word + 2, 0);
    EXPECT_EQ(dc.DrawText(QStringLiteral("girder girder girder"), narrow, DT_WORDBREAK | DT_CALCRECT), 3 * tm.tmHeight);
    EXPECT_LE(narrow.Width(), word + 2);
    CRect jp(0, 0, 3 * 16, 0);   // Japanese breaks between characters, keeping "。" with its word
    dc.DrawText(QStringLiteral("主桁の設計を行う。"), jp, DT_WORDBREAK | DT_CALCRECT);
    EXPECT_GE(jp.Height(), 3 * tm.tmHeight);
    CRect two(0, 0, 500, 0);
    EXPECT_EQ(dc.DrawText(QStringLiteral("a\nb"), two, DT_CALCRECT), 2 * tm.tmHeight);
    EXPECT_TRUE(dc.Records().empty());
}

TEST(DcPaint, PdfInLoMetric)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("page.pdf"));
    {
        QPdfWriter writer(path);
        writer.setPageSize(QPageSize(QPageSize::A4));
        writer.setResolution(600);
        QPainter painter(&writer);
        CDC dc(&painter);
        EXPECT_TRUE(dc.IsPrinting());
        EXPECT_EQ(dc.GetDeviceCaps(LOGPIXELSX), 600);
        EXPECT_GT(dc.GetDeviceCaps(PHYSICALWIDTH), dc.GetDeviceCaps(HORZRES) - 1);
        dc.SetMapMode(MM_LOMETRIC);
        CFont font;
        font.CreateFont(-35, 0, 0, 0, FW_NORMAL, 0, 0, 0, SHIFTJIS_CHARSET, 0, 0, 0, 0, QStringLiteral("ＭＳ 明朝"));
        dc.SelectObject(&font);
        dc.Rectangle(100, -100, 1900, -2700);
        dc.TextOut(200, -200, QStringLiteral("鋼桁橋 設計計算書"));
        CPen dash(PS_DASH, 0, RGB(0, 0, 255));
        dc.SelectObject(&dash);
        dc.MoveTo(200, -300);
        dc.LineTo(1800, -300);
        dc.SelectStockObject(BLACK_PEN);
    }
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray pdf = file.readAll();
    EXPECT_TRUE(pdf.startsWith("%PDF"));
    EXPECT_GT(pdf.size(), 2000);
    EXPECT_TRUE(pdf.contains("IPAMincho"));
}

// Texts go to a PDF as the painter writes them itself, a text of two scripts item by item, the
// same text again as it was the first time.
TEST(DcPaint, PdfTextsAsThePainterWritesThem)
{
    const QStringList texts{QStringLiteral("  12.345"), QStringLiteral("合計"), QStringLiteral("SM490Y"),
                            QStringLiteral(" 8．下部工用反力（衝撃なし）"), QStringLiteral("Ｇ１－Ｌ"),
                            QStringLiteral("  12.345")};
    auto pdf = [&](bool viaDc) {
        QBuffer out;
        out.open(QIODevice::WriteOnly);
        {
            QPdfWriter writer(&out);
            writer.setResolution(600);
            QPainter painter(&writer);
            CDC dc(&painter);
            CFont font;
            font.CreateFont(-40, 0, 0, 0, FW_NORMAL, 0, 0, 0, SHIFTJIS_CHARSET, 0, 0, 0, 0, QStringLiteral("ＭＳ 明朝"));
            dc.SelectObject(&font);
            dc.SetBkMode(TRANSPARENT);
            dc.SetTextAlign(TA_BASELINE);
            QFont f(QStringLiteral("IPAMincho"));
            f.setKerning(false);
            f.setHintingPreference(QFont::PreferNoHinting);
            f.setPixelSize(40);
            for (int i = 0; i < int(texts.size()); ++i) {
                if (viaDc) {
                    dc.TextOut(100, 100 + 60 * i, texts[i]);
                    continue;
                }
                painter.save();
                painter.setBackgroundMode(Qt::TransparentMode);
                painter.translate(QPoint(100, 100 + 60 * i));
                painter.setFont(f);
                painter.setPen(QColor(0, 0, 0));
                painter.drawText(QPointF(0, 0), texts[i]);
                painter.restore();
            }
        }
        QByteArray bytes = out.data();
        for (const char* key : {"/CreationDate (", "/ID ["}) {
            const qsizetype from = bytes.indexOf(key);
            if (from >= 0)
                bytes.remove(from, bytes.indexOf(key[1] == 'C' ? ')' : ']', from) - from);
        }
        return bytes;
    };
    const QByteArray dc = pdf(true);
    EXPECT_TRUE(dc.contains("IPAMincho"));
    EXPECT_EQ(dc, pdf(false));
}
