#include "framework/dc.h"
#include "framework/font_p.h"

#include <QFont>
#include <QFontMetricsF>
#include <QGlyphRun>
#include <QHash>
#include <QImage>
#include <QPageLayout>
#include <QPaintEngine>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPainterPath>
#include <QRegion>
#include <QRegularExpression>
#include <QTextLayout>
#include <QTransform>
#include <algorithm>
#include <cmath>
#include <deque>
#include <memory>
#include <numbers>
#include <utility>

namespace {

int rnd(double v) { return int(std::floor(v + 0.5)); }

QColor qcolor(COLORREF c) { return QColor(GetRValue(c), GetGValue(c), GetBValue(c)); }

COLORREF colorref(QRgb c) { return RGB(qRed(c), qGreen(c), qBlue(c)); }

constexpr COLORREF CLR_INVALID = 0xFFFFFFFF;

// Stands for "no clipping" when a rectangle has to be cut out of it.
const QRect kEverything(-(1 << 26), -(1 << 26), 1 << 27, 1 << 27);

// What a memory DC holds before a bitmap is selected into it.
CBitmap* stockBitmap()
{
    static CBitmap bitmap;
    return &bitmap;
}

struct DcState {
    int mapMode = MM_TEXT;
    CPoint winOrg, vpOrg;
    CSize winExt{1, 1}, vpExt{1, 1};
    CPen pen;
    CPen* penObj = nullptr;
    CBrush brush;
    CBrush* brushObj = nullptr;
    CFont font;
    CFont* fontObj = nullptr;
    CBitmap* bitmapObj = nullptr;
    std::shared_ptr<QImage> bitmapImage;
    COLORREF textColor = RGB(0, 0, 0);
    COLORREF bkColor = RGB(255, 255, 255);
    int bkMode = OPAQUE;
    UINT textAlign = TA_LEFT | TA_TOP;
    int rop2 = R2_COPYPEN;
    int polyFill = ALTERNATE;
    int arcDirection = AD_COUNTERCLOCKWISE;
    int stretchMode = BLACKONWHITE;
    CPoint curPos;
    bool clipped = false;
    QRegion clip;   // device units
};

// A font realized for the current scale of the DC.
struct DevFont {
    LOGFONT lf;
    double sx = 0, sy = 0;
    int dpiY = 0;
    bool onScreen = false;
    QFont font;
    int em = 0, ascent = 0, descent = 0, leading = 0, avgWidth = 0, maxWidth = 0;
    // The advances of the texts measured in it, on the device they were measured for: drawings
    // laid out by trial measure the same texts again and again. The glyphs of those written to
    // a PDF as the painter lays them out, placed from the start of their baseline: a report
    // writes the same texts on many of its pages, and their shaping costs more than the writing.
    struct Widths {
        const QPaintDevice* device = nullptr;
        QHash<QString, double> width;
        QHash<QString, QList<QGlyphRun>> glyphs;
    };
    std::shared_ptr<Widths> widths = std::make_shared<Widths>();
};

// The fonts of the DCs that draw on no device, which measure alike: shared by all of a thread's
// DCs, as a drawing laid out by trial measures on many short-lived ones.
std::deque<DevFont>& DeviceFreeFonts()
{
    thread_local std::deque<DevFont> fonts;
    return fonts;
}

// Whether the painter writes the text as one item, left to right, as its glyph runs lay it
// out (a text of two scripts it writes item by item): characters of one script beside those
// common to all, none of them turned from right to left or a control.
bool OneRun(const QString& text)
{
    QChar::Script script = QChar::Script_Common;
    for (const QChar c : text) {
        const QChar::Direction dir = c.direction();
        if (c.isSurrogate() || c.unicode() < 0x20 ||
            (dir != QChar::DirL && dir != QChar::DirEN && dir != QChar::DirES && dir != QChar::DirET &&
             dir != QChar::DirCS && dir != QChar::DirWS && dir != QChar::DirON))
            return false;
        const QChar::Script s = c.script();
        if (s <= QChar::Script_Common || s == script)
            continue;
        if (script != QChar::Script_Common)
            return false;
        script = s;
    }
    return true;
}

int regionKind(const QRegion& r)
{
    if (r.isEmpty())
        return NULLREGION;
    return r.rectCount() == 1 ? SIMPLEREGION : COMPLEXREGION;
}

} // namespace

struct CDC::Impl {
    DcState s;
    std::vector<DcState> saved;
    QPainter* painter = nullptr;   // the caller's, or &own for a memory DC
    QPainter own;
    bool memoryDC = false;
    bool onScreen = false;         // the owner's m_onScreen, for the fonts
    bool hasBaseClip = false;      // the painter's own clip when it was handed over
    QRegion baseClip;
    int dpiX = 96, dpiY = 96;
    CSize page{1920, 1080};
    CSize physical;
    CPoint physicalOffset;
    bool physicalKnown = false;
    std::vector<DevFont> fonts;

    Impl()
    {
        s.penObj = static_cast<CPen*>(GetStockObject(BLACK_PEN));
        s.pen = *s.penObj;
        s.brushObj = static_cast<CBrush*>(GetStockObject(WHITE_BRUSH));
        s.brush = *s.brushObj;
        s.fontObj = static_cast<CFont*>(GetStockObject(SYSTEM_FONT));
        s.font = *s.fontObj;
    }
    ~Impl()
    {
        if (own.isActive())
            own.end();
    }

    bool canPaint() const { return painter && painter->isActive(); }
    bool rasterOps() const
    {
        return canPaint() && painter->paintEngine()
            && painter->paintEngine()->hasFeature(QPaintEngine::RasterOpModes);
    }

    // ---- mapping
    double scaleX() const { return double(s.vpExt.cx) / s.winExt.cx; }
    double scaleY() const { return double(s.vpExt.cy) / s.winExt.cy; }
    QPointF toDevF(double x, double y) const
    {
        return {(x - s.winOrg.x) * scaleX() + s.vpOrg.x, (y - s.winOrg.y) * scaleY() + s.vpOrg.y};
    }
    QPoint toDev(int x, int y) const
    {
        QPointF p = toDevF(x, y);
        return {rnd(p.x()), rnd(p.y())};
    }
    QPoint toDev(CPoint p) const { return toDev(p.x, p.y); }
    CPoint toLog(int x, int y) const
    {
        return {rnd((x - s.vpOrg.x) / scaleX() + s.winOrg.x), rnd((y - s.vpOrg.y) / scaleY() + s.winOrg.y)};
    }
    // Normalized device rectangle; right and bottom are exclusive.
    QRect devRect(int l, int t, int r, int b) const
    {
        QPoint p = toDev(l, t), q = toDev(r, b);
        return QRect(QPoint(std::min(p.x(), q.x()), std::min(p.y(), q.y())),
                     QSize(std::abs(q.x() - p.x()), std::abs(q.y() - p.y())));
    }
    QRect devRect(const CRect& r) const { return devRect(r.left, r.top, r.right, r.bottom); }
    // The outline that GDI shapes stroke: right and bottom one pixel in.
    static QRectF outline(const QRect& r) { return QRectF(r.x(), r.y(), r.width() - 1, r.height() - 1); }

    void applyMapExtents()
    {
        int perInch = 0;
        switch (s.mapMode) {
        case MM_TEXT: s.winExt = s.vpExt = CSize(1, 1); return;
        case MM_LOMETRIC: case MM_ISOTROPIC: perInch = 254; break;
        case MM_HIMETRIC: perInch = 2540; break;
        case MM_LOENGLISH: perInch = 100; break;
        case MM_HIENGLISH: perInch = 1000; break;
        case MM_TWIPS: perInch = 1440; break;
        default: return;   // MM_ANISOTROPIC keeps what it had
        }
        s.winExt = CSize(perInch, perInch);
        s.vpExt = CSize(dpiX, -dpiY);
    }
    // Isotropic: shrink the viewport extent so that both axes have the same scale.
    void fixIsotropic()
    {
        if (s.mapMode != MM_ISOTROPIC)
            return;
        double rx = std::abs(scaleX()), ry = std::abs(scaleY());
        if (rx > ry)
            s.vpExt.cx = (s.vpExt.cx < 0 ? -1 : 1) * std::max(1, rnd(std::abs(s.winExt.cx) * ry));
        else if (ry > rx)
            s.vpExt.cy = (s.vpExt.cy < 0 ? -1 : 1) * std::max(1, rnd(std::abs(s.winExt.cy) * rx));
    }

    // ---- painter state
    void applyClip()
    {
        if (!canPaint())
            return;
        if (s.clipped)
            painter->setClipRegion(hasBaseClip ? baseClip.intersected(s.clip) : s.clip);
        else if (hasBaseClip)
            painter->setClipRegion(baseClip);
        else
            painter->setClipping(false);
    }

    void bindBitmap()
    {
        if (own.isActive())
            own.end();
        if (painter == &own)
            painter = nullptr;
        if (!memoryDC)
            return;
        if (s.bitmapImage && !s.bitmapImage->isNull()) {
            own.begin(s.bitmapImage.get());
            painter = &own;
            page = CSize(s.bitmapImage->width(), s.bitmapImage->height());
            hasBaseClip = false;
            applyClip();
        }
    }

    int penDeviceWidth(const CPen& pen) const
    {
        if (pen.GetWidth() == 0)
            return 0;
        int w = rnd(pen.GetWidth() * std::abs(scaleX()));
        return w <= 1 ? 0 : w;   // one pixel behaves like the cosmetic pen
    }

    QPen qpen(const CPen& pen) const
    {
        if (pen.GetStyle() == PS_NULL)
            return QPen(Qt::NoPen);
        const int w = penDeviceWidth(pen);
        QPen q(qcolor(pen.GetColor()));
        q.setWidth(w);
        // The cosmetic pen with flat caps leaves out the end pixel, as GDI lines do.
        q.setCapStyle(w == 0 ? Qt::FlatCap : Qt::RoundCap);
        q.setJoinStyle(w == 0 ? Qt::MiterJoin : Qt::RoundJoin);
        QList<qreal> dashes;
        switch (pen.GetStyle()) {
        case PS_DASH: dashes = {18, 6}; break;
        case PS_DOT: dashes = {3, 3}; break;
        case PS_DASHDOT: dashes = {9, 6, 3, 6}; break;
        case PS_DASHDOTDOT: dashes = {9, 3, 3, 3, 3, 3}; break;
        default: break;
        }
        if (!dashes.isEmpty()) {
            // Screen pixel lengths, kept the same size on paper; Qt counts in pen widths.
            const double f = std::max(1.0, dpiX / 96.0) / std::max(1, w);
            for (qreal& v : dashes)
                v *= f;
            q.setDashPattern(dashes);
            q.setCapStyle(Qt::FlatCap);
        }
        return q;
    }

    QBrush qbrush(const CBrush& brush) const
    {
        switch (brush.GetStyle()) {
        case BS_NULL: return QBrush(Qt::NoBrush);
        case BS_HATCHED: {
            static const Qt::BrushStyle styles[] = {Qt::HorPattern, Qt::VerPattern,
                Qt::FDiagPattern, Qt::BDiagPattern, Qt::CrossPattern, Qt::DiagCrossPattern};
            QBrush b(qcolor(brush.GetColor()), styles[std::clamp(brush.GetHatch(), 0, 5)]);
            if (dpiX > 120)
                b.setTransform(QTransform::fromScale(dpiX / 96.0, dpiY / 96.0));
            return b;
        }
        default: return QBrush(qcolor(brush.GetColor()));
        }
    }

    void applyBackground()
    {
        // Gaps of styled pens and hatches take the background colour when it is opaque.
        painter->setBackgroundMode(s.bkMode == OPAQUE ? Qt::OpaqueMode : Qt::TransparentMode);
        painter->setBackground(QBrush(qcolor(s.bkColor)));
    }

    static QPainter::CompositionMode rop2Mode(int rop)
    {
        switch (rop) {
        case R2_BLACK: return QPainter::RasterOp_ClearDestination;
        case R2_WHITE: return QPainter::RasterOp_SetDestination;
        case R2_NOT: return QPainter::RasterOp_NotDestination;
        case R2_XORPEN: return QPainter::RasterOp_SourceXorDestination;
        case R2_NOTXORPEN: return QPainter::RasterOp_NotSourceXorDestination;
        case R2_MASKPEN: return QPainter::RasterOp_SourceAndDestination;
        case R2_MERGEPEN: return QPainter::RasterOp_SourceOrDestination;
        case R2_NOTCOPYPEN: return QPainter::RasterOp_NotSource;
        case R2_NOTMASKPEN: return QPainter::RasterOp_NotSourceOrNotDestination;
        case R2_NOTMERGEPEN: return QPainter::RasterOp_NotSourceAndNotDestination;
        case R2_MASKNOTPEN: return QPainter::RasterOp_NotSourceAndDestination;
        case R2_MASKPENNOT: return QPainter::RasterOp_SourceAndNotDestination;
        case R2_MERGENOTPEN: return QPainter::RasterOp_NotSourceOrDestination;
        case R2_MERGEPENNOT: return QPainter::RasterOp_SourceOrNotDestination;
        default: return QPainter::CompositionMode_SourceOver;
        }
    }

    // Sets pen, brush and raster operation for a line or shape; false if nothing shows.
    bool beginShape(bool usePen, bool useBrush)
    {
        if (!canPaint() || s.rop2 == R2_NOP)
            return false;
        painter->setPen(usePen ? qpen(s.pen) : QPen(Qt::NoPen));
        painter->setBrush(useBrush ? qbrush(s.brush) : QBrush(Qt::NoBrush));
        applyBackground();
        if (s.rop2 != R2_COPYPEN && rasterOps())
            painter->setCompositionMode(rop2Mode(s.rop2));
        return true;
    }
    void endShape() { painter->setCompositionMode(QPainter::CompositionMode_SourceOver); }

    void fill(const QRect& r, const QBrush& brush, QPainter::CompositionMode mode = QPainter::CompositionMode_SourceOver)
    {
        if (!canPaint() || r.isEmpty())
            return;
        painter->setPen(Qt::NoPen);
        painter->setBrush(brush);
        applyBackground();
        if (mode != QPainter::CompositionMode_SourceOver) {
            if (!rasterOps())
                return;
            painter->setCompositionMode(mode);
        }
        painter->drawRect(QRectF(r));
        painter->setCompositionMode(QPainter::CompositionMode_SourceOver);
    }

    // Start angle and sweep (degrees, Qt's convention) on box for GDI radial points.
    bool arcAngles(const QRectF& box, QPoint from, QPoint to, double& start, double& sweep) const
    {
        const double rx = box.width() / 2, ry = box.height() / 2;
        if (rx <= 0 || ry <= 0)
            return false;
        const QPointF c = box.center();
        // Qt's arc angles are those of the circle stretched onto the ellipse.
        auto angle = [&](QPoint p) {
            double vx = (p.x() - c.x()) / rx, vy = -(p.y() - c.y()) / ry;
            return (vx == 0 && vy == 0) ? 0.0 : std::atan2(vy, vx) * 180 / std::numbers::pi;
        };
        start = angle(from);
        sweep = angle(to) - start;
        if (s.arcDirection == AD_CLOCKWISE) {
            while (sweep >= 0) sweep -= 360;
        } else {
            while (sweep <= 0) sweep += 360;
        }
        return true;
    }

    // ---- fonts
    QFontMetricsF metrics(const QFont& f) const
    {
        return canPaint() ? QFontMetricsF(f, painter->device()) : QFontMetricsF(f);
    }
    // The text's advance in the font, as metrics() gives it.
    double advance(const DevFont& f, const QString& text) const
    {
        DevFont::Widths& w = *f.widths;
        const QPaintDevice* device = canPaint() ? painter->device() : nullptr;
        if (w.device != device) {
            w.width.clear();
            w.glyphs.clear();
            w.device = device;
        }
        if (const auto it = w.width.constFind(text); it != w.width.constEnd())
            return *it;
        const double width = metrics(f.font).horizontalAdvance(text);
        if (w.width.size() >= 65536)
            w.width.clear();
        w.width.insert(text, width);
        return width;
    }

    // The text's glyph runs in the font on the painter's device (see DevFont::Widths), for a
    // text measured there by advance() first.
    const QList<QGlyphRun>& glyphRuns(const DevFont& f, const QString& text) const
    {
        DevFont::Widths& w = *f.widths;
        if (const auto it = w.glyphs.constFind(text); it != w.glyphs.constEnd())
            return *it;
        QTextLayout layout(text, f.font, painter->device());
        layout.beginLayout();
        const QTextLine line = layout.createLine();
        layout.endLayout();
        QList<QGlyphRun> runs = layout.glyphRuns();
        const QPointF baseline(line.x(), line.y() + line.ascent());
        for (QGlyphRun& run : runs) {
            QList<QPointF> at = run.positions();
            for (QPointF& p : at)
                p -= baseline;
            run.setPositions(at);
        }
        if (w.glyphs.size() >= 65536)
            w.glyphs.clear();
        return *w.glyphs.insert(text, runs);
    }

    const DevFont& devFont()
    {
        const LOGFONT& lf = s.font.LogFont();
        const double sx = std::abs(scaleX()), sy = std::abs(scaleY());
        const bool shared = painter == nullptr;
        auto same = [&](const DevFont& f) {
            return f.sx == sx && f.sy == sy && f.onScreen == onScreen && f.lf == lf;
        };
        if (shared) {
            for (const DevFont& f : DeviceFreeFonts())
                if (same(f) && f.dpiY == dpiY)
                    return f;
        } else {
            for (const DevFont& f : fonts)
                if (same(f))
                    return f;
        }

        QString family = AfxSubstituteFontFace(lf.lfFaceName);
        if (family.isEmpty()) {
            const int fam = lf.lfPitchAndFamily & 0xF0;
            family = (lf.lfPitchAndFamily & FIXED_PITCH) || fam == FF_MODERN ? QStringLiteral("IPAGothic")
                   : fam == FF_ROMAN ? QStringLiteral("IPAPMincho") : QStringLiteral("IPAPGothic");
        }
        QFont qf(family);
        qf.setKerning(false);
        qf.setWeight(QFont::Weight(std::clamp(lf.lfWeight == 0 ? int(FW_NORMAL) : int(lf.lfWeight), 1, 1000)));
        qf.setItalic(lf.lfItalic != 0);
        qf.setUnderline(lf.lfUnderline != 0);
        qf.setStrikeOut(lf.lfStrikeOut != 0);
        // Small text is drawn from the outlines as designed: fitted to the pixel grid by their
        // own hints, as the IPA faces ask below 17 pixels, a full stop looks like a comma.
        if (lf.lfQuality == NONANTIALIASED_QUALITY)
            qf.setStyleStrategy(QFont::NoAntialias);
        else
            qf.setHintingPreference(QFont::PreferNoHinting);

        double em;
        if (lf.lfHeight < 0) {
            em = -double(lf.lfHeight) * sy;
        } else if (lf.lfHeight > 0) {
            // Cell height: scale the character height by the face's em / (ascent + descent).
            QFont ref(qf);
            ref.setPixelSize(1000);
            QFontMetricsF m(ref);
            const double cell = m.ascent() + m.descent();
            em = double(lf.lfHeight) * sy * (cell > 0 ? 1000 / cell : 1.0);
        } else {
            em = 12.0 * dpiY / 72.0;
        }
        DevFont f;
        f.lf = lf;
        f.sx = sx;
        f.sy = sy;
        f.dpiY = dpiY;
        f.em = std::max(1, rnd(em));
        f.onScreen = onScreen;
        qf.setPixelSize(f.em);
        if (lf.lfWidth > 0) {
            const double natural = metrics(qf).averageCharWidth();
            if (natural > 0)
                qf.setStretch(std::clamp(rnd(100.0 * lf.lfWidth * sx / natural), 1, 4000));
        }
        const QFontMetricsF m = metrics(qf);
        f.font = qf;
        f.ascent = rnd(m.ascent());
        f.descent = rnd(m.descent());
        f.leading = std::max(0, rnd(m.leading()));
        f.avgWidth = rnd(m.averageCharWidth());
        f.maxWidth = rnd(m.maxWidth());
        // On screen a small text is written in a face legible there, in the cell of the face
        // named, so that every layout keeps its measures.
        if (onScreen)
            AfxWriteOnScreen(f.font, f.em);
        if (shared) {
            DeviceFreeFonts().push_back(f);
            return DeviceFreeFonts().back();
        }
        if (fonts.size() >= 16)
            fonts.erase(fonts.begin());
        fonts.push_back(f);
        return fonts.back();
    }

    const QImage* image() const
    {
        if (memoryDC)
            return s.bitmapImage.get();
        if (canPaint() && painter->device() && painter->device()->devType() == QInternal::Image)
            return static_cast<const QImage*>(painter->device());
        return nullptr;
    }

    bool blt(int x, int y, int w, int h, CDC* src, int sx, int sy, int sw, int sh, DWORD rop);
    void patBlt(const QRect& r, DWORD rop);
};

// ---------------------------------------------------------------- construction

CDC::CDC() : d(std::make_unique<Impl>()), m_recording(true) {}

CDC::CDC(QPainter* painter) : d(std::make_unique<Impl>())
{
    SetPainter(painter);
}

CDC::~CDC() = default;

QPainter* CDC::GetPainter() const { return d->painter; }

void CDC::SetPainter(QPainter* painter)
{
    if (d->own.isActive())
        d->own.end();
    d->memoryDC = false;
    d->painter = painter;
    d->hasBaseClip = false;
    d->baseClip = QRegion();
    if (painter && painter->isActive() && painter->device()) {
        QPaintDevice* dev = painter->device();
        d->dpiX = std::max(1, dev->logicalDpiX());
        d->dpiY = std::max(1, dev->logicalDpiY());
        d->page = CSize(dev->width(), dev->height());
        d->physicalKnown = false;
        // Printers, their preview and PDF writers are the paged devices.
        auto* paged = dynamic_cast<QPagedPaintDevice*>(dev);
        m_printing = paged != nullptr || dev->devType() == QInternal::Printer;
        if (paged) {
            const QPageLayout layout = paged->pageLayout();
            const QRect full = layout.fullRectPixels(d->dpiX);
            const QRect paint = layout.paintRectPixels(d->dpiX);
            d->physical = CSize(full.width(), full.height());
            d->physicalOffset = CPoint(paint.left(), paint.top());
            d->physicalKnown = true;
        }
        if (painter->hasClipping()) {
            d->hasBaseClip = true;
            d->baseClip = painter->clipRegion();
        }
    }
    d->fonts.clear();
    d->applyMapExtents();
    d->applyClip();
}

void CDC::SetResolution(int dpiX, int dpiY)
{
    d->dpiX = std::max(1, dpiX);
    d->dpiY = std::max(1, dpiY);
    d->applyMapExtents();
}

void CDC::SetPageSize(CSize devicePixels) { d->page = devicePixels; }

void CDC::SetPhysicalPage(CSize devicePixels, CPoint printableOffset)
{
    d->physical = devicePixels;
    d->physicalOffset = printableOffset;
    d->physicalKnown = true;
}

void CDC::SetOnScreen(bool onScreen)
{
    m_onScreen = onScreen;
    d->onScreen = onScreen;
}

BOOL CDC::CreateCompatibleDC(CDC* pDC)
{
    SetPainter(nullptr);
    if (pDC) {
        d->dpiX = pDC->d->dpiX;
        d->dpiY = pDC->d->dpiY;
        m_recording = pDC->m_recording;
        SetOnScreen(pDC->m_onScreen);
    }
    d->memoryDC = true;
    d->page = CSize(1, 1);
    d->s.bitmapObj = stockBitmap();
    d->s.bitmapImage.reset();
    d->applyMapExtents();
    return TRUE;
}

BOOL CDC::DeleteDC()
{
    d->s.bitmapImage.reset();
    d->s.bitmapObj = nullptr;
    d->saved.clear();
    d->bindBitmap();
    d->memoryDC = false;
    d->painter = nullptr;
    return TRUE;
}

int CDC::GetDeviceCaps(int index) const
{
    switch (index) {
    case LOGPIXELSX: return d->dpiX;
    case LOGPIXELSY: return d->dpiY;
    case HORZRES: return d->page.cx;
    case VERTRES: return d->page.cy;
    case HORZSIZE: return rnd(d->page.cx * 25.4 / d->dpiX);
    case VERTSIZE: return rnd(d->page.cy * 25.4 / d->dpiY);
    case PHYSICALWIDTH: return d->physicalKnown ? d->physical.cx : d->page.cx;
    case PHYSICALHEIGHT: return d->physicalKnown ? d->physical.cy : d->page.cy;
    case PHYSICALOFFSETX: return d->physicalKnown ? d->physicalOffset.x : 0;
    case PHYSICALOFFSETY: return d->physicalKnown ? d->physicalOffset.y : 0;
    case TECHNOLOGY: return m_printing ? DT_RASPRINTER : DT_RASDISPLAY;
    case BITSPIXEL: return 32;
    case PLANES: return 1;
    case NUMCOLORS: return -1;
    case RASTERCAPS: return RC_BITBLT | RC_STRETCHBLT;
    default: return 0;
    }
}

CDC::Record& CDC::AddRecord(const char* op, std::vector<int> args, const QString& text)
{
    const DcState& s = d->s;
    Record r;
    r.op = QString::fromLatin1(op);
    r.args = std::move(args);
    r.text = text;
    r.penColor = s.pen.GetColor();
    r.penWidth = s.pen.GetWidth();
    r.penStyle = s.pen.GetStyle();
    r.brushColor = s.brush.GetColor();
    r.brushStyle = s.brush.GetStyle();
    r.brushHatch = s.brush.GetHatch();
    r.textColor = s.textColor;
    r.bkColor = s.bkColor;
    r.bkMode = s.bkMode;
    r.textAlign = s.textAlign;
    r.fontFace = s.font.LogFont().lfFaceName;
    r.fontHeight = s.font.LogFont().lfHeight;
    r.fontWeight = s.font.LogFont().lfWeight;
    r.escapement = s.font.LogFont().lfEscapement;
    r.mapMode = s.mapMode;
    m_records.push_back(std::move(r));
    return m_records.back();
}

void CDC::Note(const char* op, std::vector<int> args, const QString& text, const CRect& box)
{
    if (m_recording)
        AddRecord(op, std::move(args), text).box = box;
}

// ---------------------------------------------------------------- mapping

int CDC::SetMapMode(int mode)
{
    if (mode < MM_TEXT || mode > MM_ANISOTROPIC)
        return 0;
    const int old = d->s.mapMode;
    d->s.mapMode = mode;
    d->applyMapExtents();
    return old;
}

int CDC::GetMapMode() const { return d->s.mapMode; }

CPoint CDC::SetWindowOrg(int x, int y)
{
    CPoint old = d->s.winOrg;
    d->s.winOrg = CPoint(x, y);
    return old;
}

CPoint CDC::OffsetWindowOrg(int dx, int dy)
{
    CPoint old = d->s.winOrg;
    d->s.winOrg.Offset(dx, dy);
    return old;
}

CPoint CDC::GetWindowOrg() const { return d->s.winOrg; }

CPoint CDC::SetViewportOrg(int x, int y)
{
    CPoint old = d->s.vpOrg;
    d->s.vpOrg = CPoint(x, y);
    return old;
}

CPoint CDC::OffsetViewportOrg(int dx, int dy)
{
    CPoint old = d->s.vpOrg;
    d->s.vpOrg.Offset(dx, dy);
    return old;
}

CPoint CDC::GetViewportOrg() const { return d->s.vpOrg; }

CSize CDC::SetWindowExt(int cx, int cy)
{
    CSize old = d->s.winExt;
    if ((d->s.mapMode == MM_ISOTROPIC || d->s.mapMode == MM_ANISOTROPIC) && cx != 0 && cy != 0) {
        d->s.winExt = CSize(cx, cy);
        d->fixIsotropic();
    }
    return old;
}

CSize CDC::GetWindowExt() const { return d->s.winExt; }

CSize CDC::SetViewportExt(int cx, int cy)
{
    CSize old = d->s.vpExt;
    if ((d->s.mapMode == MM_ISOTROPIC || d->s.mapMode == MM_ANISOTROPIC) && cx != 0 && cy != 0) {
        d->s.vpExt = CSize(cx, cy);
        d->fixIsotropic();
    }
    return old;
}

CSize CDC::GetViewportExt() const { return d->s.vpExt; }

void CDC::LPtoDP(CPoint* points, int count) const
{
    for (int i = 0; points && i < count; ++i) {
        QPoint p = d->toDev(points[i]);
        points[i] = CPoint(p.x(), p.y());
    }
}

void CDC::LPtoDP(CRect* rect) const
{
    if (!rect)
        return;
    QPoint a = d->toDev(rect->left, rect->top), b = d->toDev(rect->right, rect->bottom);
    *rect = CRect(a.x(), a.y(), b.x(), b.y());
}

void CDC::LPtoDP(CSize* size) const
{
    if (!size)
        return;
    size->cx = rnd(size->cx * std::abs(d->scaleX()));
    size->cy = rnd(size->cy * std::abs(d->scaleY()));
}

void CDC::DPtoLP(CPoint* points, int count) const
{
    for (int i = 0; points && i < count; ++i)
        points[i] = d->toLog(points[i].x, points[i].y);
}

void CDC::DPtoLP(CRect* rect) const
{
    if (!rect)
        return;
    CPoint a = d->toLog(rect->left, rect->top), b = d->toLog(rect->right, rect->bottom);
    *rect = CRect(a.x, a.y, b.x, b.y);
}

void CDC::DPtoLP(CSize* size) const
{
    if (!size)
        return;
    size->cx = rnd(size->cx / std::abs(d->scaleX()));
    size->cy = rnd(size->cy / std::abs(d->scaleY()));
}

// ---------------------------------------------------------------- objects

CPen* CDC::SelectObject(CPen* pen)
{
    if (!pen)
        return nullptr;
    CPen* old = d->s.penObj;
    d->s.pen = *pen;   // a copy, so that a pen destroyed while selected cannot hurt
    d->s.penObj = pen;
    return old;
}

CBrush* CDC::SelectObject(CBrush* brush)
{
    if (!brush)
        return nullptr;
    CBrush* old = d->s.brushObj;
    d->s.brush = *brush;
    d->s.brushObj = brush;
    return old;
}

CFont* CDC::SelectObject(CFont* font)
{
    if (!font)
        return nullptr;
    CFont* old = d->s.fontObj;
    d->s.font = *font;
    d->s.fontObj = font;
    return old;
}

CBitmap* CDC::SelectObject(CBitmap* bitmap)
{
    if (!bitmap || !d->memoryDC)
        return nullptr;
    CBitmap* old = d->s.bitmapObj;
    d->s.bitmapObj = bitmap;
    d->s.bitmapImage = bitmap->SharedImage();
    d->bindBitmap();
    return old;
}

CGdiObject* CDC::SelectObject(CGdiObject* object)
{
    if (!object)
        return nullptr;
    switch (object->GetObjectType()) {
    case OBJ_PEN: return SelectObject(static_cast<CPen*>(object));
    case OBJ_BRUSH: return SelectObject(static_cast<CBrush*>(object));
    case OBJ_FONT: return SelectObject(static_cast<CFont*>(object));
    case OBJ_BITMAP: return SelectObject(static_cast<CBitmap*>(object));
    case OBJ_REGION: SelectClipRgn(static_cast<CRgn*>(object)); return nullptr;
    default: return nullptr;
    }
}

CGdiObject* CDC::SelectStockObject(int index)
{
    return SelectObject(GetStockObject(index));
}

CPen* CDC::GetCurrentPen() const { return d->s.penObj; }
CBrush* CDC::GetCurrentBrush() const { return d->s.brushObj; }
CFont* CDC::GetCurrentFont() const { return d->s.fontObj; }
CBitmap* CDC::GetCurrentBitmap() const { return d->s.bitmapObj; }

int CDC::SaveDC()
{
    d->saved.push_back(d->s);
    return int(d->saved.size());
}

BOOL CDC::RestoreDC(int savedDC)
{
    const int n = int(d->saved.size());
    const int index = savedDC < 0 ? n + savedDC : savedDC - 1;
    if (index < 0 || index >= n)
        return FALSE;
    const bool rebind = d->s.bitmapImage != d->saved[index].bitmapImage;
    d->s = d->saved[index];
    d->saved.resize(index);
    if (rebind)
        d->bindBitmap();
    d->applyClip();
    return TRUE;
}

// ---------------------------------------------------------------- attributes

COLORREF CDC::SetTextColor(COLORREF color)
{
    return std::exchange(d->s.textColor, color & 0xFFFFFF);
}

COLORREF CDC::GetTextColor() const { return d->s.textColor; }

COLORREF CDC::SetBkColor(COLORREF color)
{
    return std::exchange(d->s.bkColor, color & 0xFFFFFF);
}

COLORREF CDC::GetBkColor() const { return d->s.bkColor; }

int CDC::SetBkMode(int mode)
{
    if (mode != TRANSPARENT && mode != OPAQUE)
        return 0;
    return std::exchange(d->s.bkMode, mode);
}

int CDC::GetBkMode() const { return d->s.bkMode; }

UINT CDC::SetTextAlign(UINT flags) { return std::exchange(d->s.textAlign, flags); }
UINT CDC::GetTextAlign() const { return d->s.textAlign; }

int CDC::SetROP2(int mode)
{
    if (mode < R2_BLACK || mode > R2_WHITE)
        return 0;
    return std::exchange(d->s.rop2, mode);
}

int CDC::GetROP2() const { return d->s.rop2; }

int CDC::SetPolyFillMode(int mode)
{
    if (mode != ALTERNATE && mode != WINDING)
        return 0;
    return std::exchange(d->s.polyFill, mode);
}

int CDC::GetPolyFillMode() const { return d->s.polyFill; }

int CDC::SetArcDirection(int direction)
{
    if (direction != AD_COUNTERCLOCKWISE && direction != AD_CLOCKWISE)
        return 0;
    return std::exchange(d->s.arcDirection, direction);
}

int CDC::GetArcDirection() const { return d->s.arcDirection; }

int CDC::SetStretchBltMode(int mode) { return std::exchange(d->s.stretchMode, mode); }

CSize CDC::GetTextExtent(const QString& text) const
{
    const DevFont& f = d->devFont();
    const double w = d->advance(f, text);
    return CSize(rnd(std::ceil(w) / f.sx), rnd((f.ascent + f.descent) / f.sy));
}

BOOL CDC::GetTextMetrics(TEXTMETRIC* tm) const
{
    if (!tm)
        return FALSE;
    const DevFont& f = d->devFont();
    tm->tmAscent = rnd(f.ascent / f.sy);
    tm->tmDescent = rnd(f.descent / f.sy);
    tm->tmHeight = rnd((f.ascent + f.descent) / f.sy);
    tm->tmInternalLeading = std::max(0, rnd((f.ascent + f.descent - f.em) / f.sy));
    tm->tmExternalLeading = rnd(f.leading / f.sy);
    tm->tmAveCharWidth = rnd(f.avgWidth / f.sx);
    tm->tmMaxCharWidth = rnd(f.maxWidth / f.sx);
    tm->tmWeight = f.lf.lfWeight == 0 ? FW_NORMAL : f.lf.lfWeight;
    return TRUE;
}

// ---------------------------------------------------------------- lines and shapes

CPoint CDC::MoveTo(int x, int y) { return std::exchange(d->s.curPos, CPoint(x, y)); }

CPoint CDC::GetCurrentPosition() const { return d->s.curPos; }

BOOL CDC::LineTo(int x, int y)
{
    const CPoint from = d->s.curPos;
    if (m_recording)
        AddRecord("LineTo", {from.x, from.y, x, y});
    d->s.curPos = CPoint(x, y);
    const QPoint a = d->toDev(from), b = d->toDev(x, y);
    if (a != b && d->beginShape(true, false)) {
        // A thin line is run by Qt towards larger x (larger y when steep) and leaves out
        // the last pixel of that run. A straight or diagonal line running the other way
        // is handed over from the far side, one pixel on, so that the start pixel stays
        // and the end pixel goes, as on Windows.
        const int dx = b.x() - a.x(), dy = b.y() - a.y();
        const bool exact = dx == 0 || dy == 0 || std::abs(dx) == std::abs(dy);
        const bool backwards = std::abs(dx) >= std::abs(dy) ? dx < 0 : dy < 0;
        if (exact && backwards && d->penDeviceWidth(d->s.pen) == 0) {
            const QPoint step((dx > 0) - (dx < 0), (dy > 0) - (dy < 0));
            d->painter->drawLine(b - step, a - step);
        } else {
            d->painter->drawLine(a, b);
        }
        d->endShape();
    }
    return TRUE;
}

static std::vector<int> flatten(const CPoint* points, int count)
{
    std::vector<int> v;
    v.reserve(size_t(std::max(0, count)) * 2);
    for (int i = 0; i < count; ++i) {
        v.push_back(points[i].x);
        v.push_back(points[i].y);
    }
    return v;
}

BOOL CDC::Polyline(const CPoint* points, int count)
{
    if (!points || count < 2)
        return FALSE;
    if (m_recording)
        AddRecord("Polyline", flatten(points, count));
    if (d->beginShape(true, false)) {
        QPolygon poly;
        for (int i = 0; i < count; ++i)
            poly << d->toDev(points[i]);
        d->painter->drawPolyline(poly);
        d->endShape();
    }
    return TRUE;
}

BOOL CDC::Polygon(const CPoint* points, int count)
{
    if (!points || count < 2)
        return FALSE;
    if (m_recording)
        AddRecord("Polygon", flatten(points, count));
    if (d->beginShape(true, true)) {
        QPolygon poly;
        for (int i = 0; i < count; ++i)
            poly << d->toDev(points[i]);
        d->painter->drawPolygon(poly, d->s.polyFill == WINDING ? Qt::WindingFill : Qt::OddEvenFill);
        d->endShape();
    }
    return TRUE;
}

BOOL CDC::PolyPolyline(const CPoint* points, const DWORD* counts, int polyCount)
{
    if (!points || !counts || polyCount <= 0)
        return FALSE;
    int total = 0;
    for (int i = 0; i < polyCount; ++i)
        total += int(counts[i]);
    if (m_recording) {
        std::vector<int> args{polyCount};
        for (int i = 0; i < polyCount; ++i)
            args.push_back(int(counts[i]));
        std::vector<int> pts = flatten(points, total);
        args.insert(args.end(), pts.begin(), pts.end());
        AddRecord("PolyPolyline", std::move(args));
    }
    if (d->beginShape(true, false)) {
        const CPoint* p = points;
        for (int i = 0; i < polyCount; ++i) {
            QPolygon poly;
            for (DWORD k = 0; k < counts[i]; ++k)
                poly << d->toDev(*p++);
            d->painter->drawPolyline(poly);
        }
        d->endShape();
    }
    return TRUE;
}

BOOL CDC::PolyPolygon(const CPoint* points, const int* counts, int polyCount)
{
    if (!points || !counts || polyCount <= 0)
        return FALSE;
    int total = 0;
    for (int i = 0; i < polyCount; ++i)
        total += counts[i];
    if (m_recording) {
        std::vector<int> args{polyCount};
        args.insert(args.end(), counts, counts + polyCount);
        std::vector<int> pts = flatten(points, total);
        args.insert(args.end(), pts.begin(), pts.end());
        AddRecord("PolyPolygon", std::move(args));
    }
    if (d->beginShape(true, true)) {
        QPainterPath path;
        path.setFillRule(d->s.polyFill == WINDING ? Qt::WindingFill : Qt::OddEvenFill);
        const CPoint* p = points;
        for (int i = 0; i < polyCount; ++i) {
            QPolygon poly;
            for (int k = 0; k < counts[i]; ++k)
                poly << d->toDev(*p++);
            path.addPolygon(QPolygonF(poly));
            path.closeSubpath();
        }
        d->painter->drawPath(path);
        d->endShape();
    }
    return TRUE;
}

BOOL CDC::Rectangle(int left, int top, int right, int bottom)
{
    if (m_recording)
        AddRecord("Rectangle", {left, top, right, bottom});
    const QRect r = d->devRect(left, top, right, bottom);
    if (!r.isEmpty() && d->beginShape(true, true)) {
        d->painter->drawRect(Impl::outline(r));
        d->endShape();
    }
    return TRUE;
}

BOOL CDC::Ellipse(int left, int top, int right, int bottom)
{
    if (m_recording)
        AddRecord("Ellipse", {left, top, right, bottom});
    const QRect r = d->devRect(left, top, right, bottom);
    if (!r.isEmpty() && d->beginShape(true, true)) {
        d->painter->drawEllipse(Impl::outline(r));
        d->endShape();
    }
    return TRUE;
}

BOOL CDC::RoundRect(int left, int top, int right, int bottom, int width, int height)
{
    if (m_recording)
        AddRecord("RoundRect", {left, top, right, bottom, width, height});
    const QRect r = d->devRect(left, top, right, bottom);
    if (!r.isEmpty() && d->beginShape(true, true)) {
        d->painter->drawRoundedRect(Impl::outline(r), std::abs(width * d->scaleX()) / 2,
                                    std::abs(height * d->scaleY()) / 2);
        d->endShape();
    }
    return TRUE;
}

BOOL CDC::Arc(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4)
{
    if (m_recording)
        AddRecord("Arc", {x1, y1, x2, y2, x3, y3, x4, y4});
    const QRectF box = Impl::outline(d->devRect(x1, y1, x2, y2));
    double start = 0, sweep = 0;
    if (d->arcAngles(box, d->toDev(x3, y3), d->toDev(x4, y4), start, sweep) && d->beginShape(true, false)) {
        QPainterPath path;
        path.arcMoveTo(box, start);
        path.arcTo(box, start, sweep);
        d->painter->drawPath(path);
        d->endShape();
    }
    return TRUE;
}

BOOL CDC::Pie(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4)
{
    if (m_recording)
        AddRecord("Pie", {x1, y1, x2, y2, x3, y3, x4, y4});
    const QRectF box = Impl::outline(d->devRect(x1, y1, x2, y2));
    double start = 0, sweep = 0;
    if (d->arcAngles(box, d->toDev(x3, y3), d->toDev(x4, y4), start, sweep) && d->beginShape(true, true)) {
        QPainterPath path;
        path.moveTo(box.center());
        path.arcTo(box, start, sweep);
        path.closeSubpath();
        d->painter->drawPath(path);
        d->endShape();
    }
    return TRUE;
}

BOOL CDC::Chord(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4)
{
    if (m_recording)
        AddRecord("Chord", {x1, y1, x2, y2, x3, y3, x4, y4});
    const QRectF box = Impl::outline(d->devRect(x1, y1, x2, y2));
    double start = 0, sweep = 0;
    if (d->arcAngles(box, d->toDev(x3, y3), d->toDev(x4, y4), start, sweep) && d->beginShape(true, true)) {
        QPainterPath path;
        path.arcMoveTo(box, start);
        path.arcTo(box, start, sweep);
        path.closeSubpath();
        d->painter->drawPath(path);
        d->endShape();
    }
    return TRUE;
}

// ---------------------------------------------------------------- fills

void CDC::FillRect(const CRect& rect, CBrush* brush)
{
    if (!brush)
        return;
    if (m_recording) {
        Record& r = AddRecord("FillRect", {rect.left, rect.top, rect.right, rect.bottom});
        r.brushColor = brush->GetColor();
        r.brushStyle = brush->GetStyle();
        r.brushHatch = brush->GetHatch();
    }
    d->fill(d->devRect(rect), d->qbrush(*brush));
}

int CDC::HairlinePixels() const
{
    return m_printing ? std::max(1, (d->dpiX + 60) / 120) : 1;
}

void CDC::FillSolidRect(const CRect& rect, COLORREF color)
{
    d->s.bkColor = color & 0xFFFFFF;
    if (m_recording) {
        Record& r = AddRecord("FillSolidRect", {rect.left, rect.top, rect.right, rect.bottom});
        r.brushColor = d->s.bkColor;
        r.brushStyle = BS_SOLID;
    }
    d->fill(d->devRect(rect), QBrush(qcolor(color)));
}

void CDC::FrameRect(const CRect& rect, CBrush* brush)
{
    if (!brush)
        return;
    if (m_recording) {
        Record& r = AddRecord("FrameRect", {rect.left, rect.top, rect.right, rect.bottom});
        r.brushColor = brush->GetColor();
        r.brushStyle = brush->GetStyle();
    }
    const QRect r = d->devRect(rect);
    if (r.isEmpty())
        return;
    // One logical unit wide, but never thinner than a hairline.
    const int hair = HairlinePixels();
    const int tx = std::max(hair, rnd(std::abs(d->scaleX()))), ty = std::max(hair, rnd(std::abs(d->scaleY())));
    const QBrush b = d->qbrush(*brush);
    d->fill(QRect(r.x(), r.y(), r.width(), ty), b);
    d->fill(QRect(r.x(), r.y() + r.height() - ty, r.width(), ty), b);
    d->fill(QRect(r.x(), r.y(), tx, r.height()), b);
    d->fill(QRect(r.x() + r.width() - tx, r.y(), tx, r.height()), b);
}

void CDC::Draw3dRect(const CRect& rect, COLORREF topLeft, COLORREF bottomRight)
{
    if (m_recording)
        AddRecord("Draw3dRect", {rect.left, rect.top, rect.right, rect.bottom, int(topLeft), int(bottomRight)});
    // Drawn with solid fills, which leave the background colour behind as they do on Windows.
    d->s.bkColor = bottomRight & 0xFFFFFF;
    const QRect r = d->devRect(rect);
    if (r.isEmpty())
        return;
    const int hair = HairlinePixels();
    const int tx = std::max(hair, rnd(std::abs(d->scaleX()))), ty = std::max(hair, rnd(std::abs(d->scaleY())));
    const QBrush tl(qcolor(topLeft)), br(qcolor(bottomRight));
    d->fill(QRect(r.x(), r.y(), r.width() - tx, ty), tl);
    d->fill(QRect(r.x(), r.y(), tx, r.height() - ty), tl);
    d->fill(QRect(r.x() + r.width() - tx, r.y(), tx, r.height()), br);
    d->fill(QRect(r.x(), r.y() + r.height() - ty, r.width(), ty), br);
}

void CDC::InvertRect(const CRect& rect)
{
    if (m_recording)
        AddRecord("InvertRect", {rect.left, rect.top, rect.right, rect.bottom});
    d->fill(d->devRect(rect), QBrush(Qt::white), QPainter::RasterOp_NotDestination);
}

void CDC::DrawFocusRect(const CRect& rect)
{
    if (m_recording)
        AddRecord("DrawFocusRect", {rect.left, rect.top, rect.right, rect.bottom});
    const QRect r = d->devRect(rect);
    // An XOR dotted frame: drawn twice it disappears. Not shown where XOR is unavailable.
    if (r.isEmpty() || !d->rasterOps())
        return;
    QPen pen(Qt::white);
    pen.setWidth(0);
    pen.setDashPattern({1, 1});
    pen.setCapStyle(Qt::FlatCap);
    d->painter->setPen(pen);
    d->painter->setBrush(Qt::NoBrush);
    d->painter->setBackgroundMode(Qt::TransparentMode);
    d->painter->setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    d->painter->drawRect(Impl::outline(r));
    d->endShape();
}

COLORREF CDC::SetPixel(int x, int y, COLORREF color)
{
    if (m_recording)
        AddRecord("SetPixel", {x, y, int(color)});
    d->fill(QRect(d->toDev(x, y), QSize(1, 1)), QBrush(qcolor(color)));
    return color & 0xFFFFFF;
}

COLORREF CDC::GetPixel(int x, int y) const
{
    const QImage* image = d->image();
    const QPoint p = d->toDev(x, y);
    if (!image || !image->valid(p))
        return CLR_INVALID;
    return colorref(image->pixel(p));
}

// ---------------------------------------------------------------- text

namespace {

// Where the text starts and its baseline lie relative to the reference point (device units).
QPointF textOrigin(UINT align, double width, int ascent, int descent)
{
    double x = 0;
    if ((align & TA_CENTER) == TA_CENTER)
        x = -width / 2;
    else if (align & TA_RIGHT)
        x = -width;
    double y = ascent;
    if ((align & TA_BASELINE) == TA_BASELINE)
        y = 0;
    else if (align & TA_BOTTOM)
        y = -descent;
    return {x, y};
}

QString stripPrefixes(const QString& s)
{
    QString out;
    out.reserve(s.size());
    for (qsizetype i = 0; i < s.size(); ++i) {
        if (s[i] == u'&' && i + 1 < s.size())
            ++i;   // "&x" shows x, "&&" shows "&"
        else if (s[i] == u'&')
            continue;
        out += s[i];
    }
    return out;
}

QString expandTabs(const QString& s)
{
    QString out;
    for (QChar c : s) {
        if (c == u'\t') {
            const qsizetype pad = 8 - out.size() % 8;
            out += QString(pad, u' ');
        } else {
            out += c;
        }
    }
    return out;
}

bool isWide(char16_t u) { return u >= 0x2E80; }

// Characters that may not begin a line, and those that may not end one.
bool noLineStart(char16_t u)
{
    static const QString chars = QStringLiteral(u"、。，．・：；？！゛゜ヽヾゝゞ々ー）］｝」』】〕〉》’”"
                                                u"ぁぃぅぇぉっゃゅょゎァィゥェォッャュョヮヵヶ");
    return chars.contains(QChar(u));
}

bool noLineEnd(char16_t u)
{
    static const QString chars = QStringLiteral(u"（［｛「『【〔〈《‘“");
    return chars.contains(QChar(u));
}

// Splits a paragraph into the pieces between which a line may break: words with their
// trailing spaces, and single wide characters.
QStringList breakPieces(const QString& text)
{
    QStringList pieces;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t u = text[i].unicode();
        qsizetype len = (QChar::isHighSurrogate(u) && i + 1 < text.size()) ? 2 : 1;
        const QString ch = text.mid(i, len);
        i += len - 1;
        if (pieces.isEmpty()) {
            pieces << ch;
            continue;
        }
        QString& last = pieces.last();
        const char16_t prev = last.back().unicode();
        bool join;
        if (u == u' ' || u == u'\t')
            join = true;
        else if (prev == u' ' || prev == u'\t')
            join = false;
        else if (noLineEnd(prev) || noLineStart(u))
            join = true;
        else if (isWide(u) || isWide(prev) || QChar::isLowSurrogate(prev))
            join = false;
        else
            join = true;
        if (join)
            last += ch;
        else
            pieces << ch;
    }
    return pieces;
}

QString trimRight(const QString& s)
{
    qsizetype n = s.size();
    while (n > 0 && (s[n - 1] == u' ' || s[n - 1] == u'\t'))
        --n;
    return s.left(n);
}

QStringList wrap(const QString& para, double width, const QFontMetricsF& fm)
{
    QStringList lines;
    QString cur;
    for (const QString& piece : breakPieces(para)) {
        if (cur.isEmpty() || fm.horizontalAdvance(trimRight(cur + piece)) <= width) {
            cur += piece;
        } else {
            lines << trimRight(cur);
            cur = piece;   // a word wider than the box stays whole
        }
    }
    lines << trimRight(cur);
    return lines;
}

} // namespace

BOOL CDC::TextOut(int x, int y, const QString& text)
{
    return DrawTextAt(true, x, y, 0, nullptr, text, nullptr);
}

BOOL CDC::ExtTextOut(int x, int y, UINT options, const CRect* rect, const QString& text, const int* dx)
{
    return DrawTextAt(false, x, y, options, rect, text, dx);
}

BOOL CDC::DrawTextAt(bool plain, int x, int y, UINT options, const CRect* rect, const QString& text,
                     const int* dx)
{
    const bool updateCP = d->s.textAlign & TA_UPDATECP;
    if (updateCP) {
        x = d->s.curPos.x;
        y = d->s.curPos.y;
    }
    Record* record = nullptr;
    if (m_recording) {
        if (plain)
            record = &AddRecord("TextOut", {x, y}, text);
        else if (rect)
            record = &AddRecord("ExtTextOut", {x, y, int(options), rect->left, rect->top, rect->right, rect->bottom}, text);
        else
            record = &AddRecord("ExtTextOut", {x, y, int(options)}, text);
    }

    const DevFont& f = d->devFont();
    std::vector<double> offsets;   // device x of each code unit when dx is given
    double width;
    if (dx) {
        double acc = 0;
        for (qsizetype i = 0; i < text.size(); ++i) {
            offsets.push_back(acc);
            acc += dx[i] * f.sx;
        }
        width = acc;
    } else {
        width = d->advance(f, text);
    }
    if (record) {
        QTransform turn;
        turn.translate(d->toDevF(x, y).x(), d->toDevF(x, y).y());
        if (f.lf.lfEscapement % 3600 != 0)
            turn.rotate(-f.lf.lfEscapement / 10.0);
        const QPointF o = textOrigin(d->s.textAlign, width, f.ascent, f.descent);
        const QRectF dev = turn.mapRect(QRectF(o.x(), o.y() - f.ascent, width, f.ascent + f.descent));
        const CPoint a = d->toLog(rnd(dev.left()), rnd(dev.top())), b = d->toLog(rnd(dev.right()), rnd(dev.bottom()));
        record->box = CRect(std::min(a.x, b.x), std::min(a.y, b.y), std::max(a.x, b.x), std::max(a.y, b.y));
    }
    if (updateCP) {
        // The current position follows the text unless it is centred on it.
        const int w = rnd(width / f.sx);
        if ((d->s.textAlign & TA_CENTER) != TA_CENTER)
            d->s.curPos.x += (d->s.textAlign & TA_RIGHT) ? -w : w;
    }
    if (!d->canPaint())
        return TRUE;

    QPainter* p = d->painter;
    p->save();
    p->setCompositionMode(QPainter::CompositionMode_SourceOver);
    p->setBackgroundMode(Qt::TransparentMode);
    if (rect) {
        const QRect r = d->devRect(*rect);
        if (options & ETO_OPAQUE)
            p->fillRect(r, qcolor(d->s.bkColor));
        if (options & ETO_CLIPPED)
            p->setClipRect(r, Qt::IntersectClip);
    }
    // Text is laid out in device space and only turned, never mirrored by the mapping.
    p->translate(d->toDev(x, y));
    if (f.lf.lfEscapement % 3600 != 0)
        p->rotate(-f.lf.lfEscapement / 10.0);
    const QPointF o = textOrigin(d->s.textAlign, width, f.ascent, f.descent);
    if (d->s.bkMode == OPAQUE && !text.isEmpty())
        p->fillRect(QRectF(o.x(), o.y() - f.ascent, width, f.ascent + f.descent), qcolor(d->s.bkColor));
    p->setFont(f.font);
    p->setPen(qcolor(d->s.textColor));
    if (dx) {
        for (qsizetype i = 0; i < text.size(); ++i) {
            const qsizetype len = (text[i].isHighSurrogate() && i + 1 < text.size()) ? 2 : 1;
            p->drawText(QPointF(o.x() + offsets[size_t(i)], o.y()), text.mid(i, len));
            i += len - 1;
        }
    } else if (p->paintEngine() && p->paintEngine()->type() == QPaintEngine::Pdf && !f.lf.lfUnderline &&
               !f.lf.lfStrikeOut && OneRun(text)) {
        for (const QGlyphRun& run : d->glyphRuns(f, text))
            p->drawGlyphRun(o, run);
    } else {
        p->drawText(o, text);
    }
    p->restore();
    return TRUE;
}

int CDC::DrawText(const QString& text, CRect* rect, UINT format)
{
    if (!rect)
        return 0;
    const bool calc = format & DT_CALCRECT;
    if (m_recording && !calc) {
        Record& r = AddRecord("DrawText", {rect->left, rect->top, rect->right, rect->bottom, int(format)}, text);
        r.box = CRect(std::min(rect->left, rect->right), std::min(rect->top, rect->bottom),
                      std::max(rect->left, rect->right), std::max(rect->top, rect->bottom));
    }

    const DevFont& f = d->devFont();
    const QFontMetricsF fm = d->metrics(f.font);
    const QRect box = d->devRect(*rect);

    QString s = text;
    if (!(format & DT_NOPREFIX))
        s = stripPrefixes(s);
    if (format & DT_EXPANDTABS)
        s = expandTabs(s);
    QStringList lines;
    if (format & DT_SINGLELINE) {
        s.remove(u'\r');
        s.remove(u'\n');
        lines << s;
    } else {
        static const QRegularExpression breaks(QStringLiteral("\r\n|\r|\n"));
        for (const QString& para : s.split(breaks)) {
            if (format & DT_WORDBREAK)
                lines << wrap(para, box.width(), fm);
            else
                lines << para;
        }
    }
    if (!(format & DT_WORDBREAK) && (format & (DT_END_ELLIPSIS | DT_PATH_ELLIPSIS | DT_WORD_ELLIPSIS))) {
        const Qt::TextElideMode mode = (format & DT_PATH_ELLIPSIS) ? Qt::ElideMiddle : Qt::ElideRight;
        for (QString& line : lines)
            line = fm.elidedText(line, mode, box.width());
    }

    const int lineHeight = f.ascent + f.descent + ((format & DT_EXTERNALLEADING) ? f.leading : 0);
    const int total = lineHeight * int(lines.size());
    std::vector<double> widths;
    double maxWidth = 0;
    for (const QString& line : lines) {
        widths.push_back(fm.horizontalAdvance(line));
        maxWidth = std::max(maxWidth, widths.back());
    }
    int top = box.top();
    if (format & DT_SINGLELINE) {
        if (format & DT_VCENTER)
            top = box.top() + (box.height() - lineHeight) / 2;
        else if (format & DT_BOTTOM)
            top = box.top() + box.height() - lineHeight;
    }

    if (calc) {
        const int w = rnd(std::ceil(maxWidth) / f.sx), h = rnd(total / f.sy);
        rect->right = rect->left + (d->scaleX() < 0 ? -w : w);
        rect->bottom = rect->top + (d->scaleY() < 0 ? -h : h);
        return h;
    }

    if (d->canPaint()) {
        QPainter* p = d->painter;
        p->save();
        p->setCompositionMode(QPainter::CompositionMode_SourceOver);
        p->setBackgroundMode(Qt::TransparentMode);
        if (!(format & DT_NOCLIP))
            p->setClipRect(box, Qt::IntersectClip);
        p->setFont(f.font);
        p->setPen(qcolor(d->s.textColor));
        for (qsizetype i = 0; i < lines.size(); ++i) {
            const double w = widths[size_t(i)];
            double x = box.left();
            if (format & DT_CENTER)
                x = box.left() + (box.width() - w) / 2;
            else if (format & DT_RIGHT)
                x = box.left() + box.width() - w;
            const int y = top + int(i) * lineHeight;
            if (d->s.bkMode == OPAQUE && !lines[i].isEmpty())
                p->fillRect(QRectF(x, y, w, f.ascent + f.descent), qcolor(d->s.bkColor));
            p->drawText(QPointF(x, y + f.ascent), lines[i]);
        }
        p->restore();
    }
    if ((format & DT_SINGLELINE) && (format & (DT_VCENTER | DT_BOTTOM)))
        return rnd((top - box.top() + lineHeight) / f.sy);
    return rnd(total / f.sy);
}

// ---------------------------------------------------------------- bitmaps

void CDC::Impl::patBlt(const QRect& r, DWORD rop)
{
    switch (rop) {
    case PATCOPY: fill(r, qbrush(s.brush)); break;
    case PATINVERT: fill(r, qbrush(s.brush), QPainter::RasterOp_SourceXorDestination); break;
    case DSTINVERT: fill(r, QBrush(Qt::white), QPainter::RasterOp_NotDestination); break;
    case BLACKNESS: fill(r, QBrush(Qt::black)); break;
    case WHITENESS: fill(r, QBrush(Qt::white)); break;
    default: break;
    }
}

bool CDC::Impl::blt(int x, int y, int w, int h, CDC* src, int sx, int sy, int sw, int sh, DWORD rop)
{
    const QRect dst = devRect(x, y, x + w, y + h);
    if (rop == PATCOPY || rop == PATINVERT || rop == DSTINVERT || rop == BLACKNESS || rop == WHITENESS) {
        patBlt(dst, rop);
        return true;
    }
    if (!canPaint() || !src || dst.isEmpty())
        return false;
    const QImage* image = src->d->image();
    if (!image)
        return false;
    const QRect from = src->d->devRect(sx, sy, sx + sw, sy + sh);
    QPainter::CompositionMode mode = QPainter::CompositionMode_SourceOver;
    switch (rop) {
    case SRCPAINT: mode = QPainter::RasterOp_SourceOrDestination; break;
    case SRCAND: mode = QPainter::RasterOp_SourceAndDestination; break;
    case SRCINVERT: mode = QPainter::RasterOp_SourceXorDestination; break;
    case SRCERASE: mode = QPainter::RasterOp_SourceAndNotDestination; break;
    case NOTSRCCOPY: mode = QPainter::RasterOp_NotSource; break;
    default: break;
    }
    if (mode != QPainter::CompositionMode_SourceOver && !rasterOps())
        mode = QPainter::CompositionMode_SourceOver;
    painter->setCompositionMode(mode);
    // Copy the pixels first: the source may be the image this painter draws on.
    painter->drawImage(QRectF(dst), image->copy(from), QRectF(0, 0, from.width(), from.height()));
    painter->setCompositionMode(QPainter::CompositionMode_SourceOver);
    return true;
}

BOOL CDC::BitBlt(int x, int y, int width, int height, CDC* src, int xSrc, int ySrc, DWORD rop)
{
    if (m_recording)
        AddRecord("BitBlt", {x, y, width, height, xSrc, ySrc, int(rop)});
    return d->blt(x, y, width, height, src, xSrc, ySrc, width, height, rop) ? TRUE : FALSE;
}

BOOL CDC::StretchBlt(int x, int y, int width, int height, CDC* src, int xSrc, int ySrc,
                     int srcWidth, int srcHeight, DWORD rop)
{
    if (m_recording)
        AddRecord("StretchBlt", {x, y, width, height, xSrc, ySrc, srcWidth, srcHeight, int(rop)});
    return d->blt(x, y, width, height, src, xSrc, ySrc, srcWidth, srcHeight, rop) ? TRUE : FALSE;
}

BOOL CDC::PatBlt(int x, int y, int width, int height, DWORD rop)
{
    if (m_recording)
        AddRecord("PatBlt", {x, y, width, height, int(rop)});
    d->patBlt(d->devRect(x, y, x + width, y + height), rop);
    return TRUE;
}

// ---------------------------------------------------------------- clipping

int CDC::IntersectClipRect(int left, int top, int right, int bottom)
{
    const QRect r = d->devRect(left, top, right, bottom);
    d->s.clip = d->s.clipped ? d->s.clip.intersected(r) : QRegion(r);
    d->s.clipped = true;
    d->applyClip();
    return regionKind(d->s.clip);
}

int CDC::ExcludeClipRect(int left, int top, int right, int bottom)
{
    const QRect r = d->devRect(left, top, right, bottom);
    d->s.clip = (d->s.clipped ? d->s.clip : QRegion(kEverything)).subtracted(r);
    d->s.clipped = true;
    d->applyClip();
    return regionKind(d->s.clip);
}

int CDC::SelectClipRgn(CRgn* region)
{
    if (!region) {
        d->s.clipped = false;
        d->s.clip = QRegion();
        d->applyClip();
        return SIMPLEREGION;
    }
    const CRect& b = region->Box();
    d->s.clip = QRegion(QRect(b.left, b.top, b.Width(), b.Height()));
    d->s.clipped = true;
    d->applyClip();
    return regionKind(d->s.clip);
}

int CDC::GetClipBox(CRect* rect) const
{
    QRegion area(QRect(0, 0, d->page.cx, d->page.cy));
    if (d->hasBaseClip)
        area = d->baseClip;
    if (d->s.clipped)
        area = area.intersected(d->s.clip);
    const QRect b = area.boundingRect();
    if (rect) {
        *rect = b.isEmpty() ? CRect() : CRect(b.left(), b.top(), b.left() + b.width(), b.top() + b.height());
        if (!b.isEmpty())
            DPtoLP(rect);
    }
    return regionKind(area);
}
