#include "framework/gdi.h"
#include "framework/dc.h"
#include "framework/font_p.h"

#include <QFont>
#include <QImage>
#include <algorithm>
#include <cmath>
#include <cstdlib>

BOOL CGdiObject::DeleteObject()
{
    bool was = m_created;
    m_created = false;
    return was ? TRUE : FALSE;
}

BOOL CGdiObject::CreateStockObject(int index)
{
    CGdiObject* stock = GetStockObject(index);
    if (!stock || stock->m_type != m_type)
        return FALSE;
    switch (m_type) {
    case OBJ_PEN: static_cast<CPen&>(*this) = static_cast<const CPen&>(*stock); break;
    case OBJ_BRUSH: static_cast<CBrush&>(*this) = static_cast<const CBrush&>(*stock); break;
    case OBJ_FONT: static_cast<CFont&>(*this) = static_cast<const CFont&>(*stock); break;
    default: return FALSE;
    }
    return TRUE;
}

// ---- CPen

BOOL CPen::CreatePen(int style, int width, COLORREF color)
{
    m_style = style & PS_STYLE_MASK;
    m_width = std::max(0, width);
    m_color = color & 0xFFFFFF;
    m_created = true;
    return TRUE;
}

BOOL CPen::CreatePenIndirect(const LOGPEN* logPen)
{
    return logPen ? CreatePen(int(logPen->lopnStyle), logPen->lopnWidth.x, logPen->lopnColor) : FALSE;
}

int CPen::GetLogPen(LOGPEN* logPen) const
{
    if (!logPen)
        return 0;
    logPen->lopnStyle = UINT(m_style);
    logPen->lopnWidth = CPoint(m_width, 0);
    logPen->lopnColor = m_color;
    return int(sizeof(LOGPEN));
}

// ---- CBrush

BOOL CBrush::CreateSolidBrush(COLORREF color)
{
    m_style = BS_SOLID;
    m_color = color & 0xFFFFFF;
    m_hatch = 0;
    m_created = true;
    return TRUE;
}

BOOL CBrush::CreateHatchBrush(int hatch, COLORREF color)
{
    if (hatch < HS_HORIZONTAL || hatch > HS_DIAGCROSS)
        return FALSE;
    m_style = BS_HATCHED;
    m_color = color & 0xFFFFFF;
    m_hatch = hatch;
    m_created = true;
    return TRUE;
}

BOOL CBrush::CreateBrushIndirect(const LOGBRUSH* logBrush)
{
    if (!logBrush)
        return FALSE;
    switch (logBrush->lbStyle) {
    case BS_SOLID: return CreateSolidBrush(logBrush->lbColor);
    case BS_HATCHED: return CreateHatchBrush(logBrush->lbHatch, logBrush->lbColor);
    case BS_NULL:
        m_style = BS_NULL;
        m_color = 0;
        m_hatch = 0;
        m_created = true;
        return TRUE;
    default: return FALSE;
    }
}

int CBrush::GetLogBrush(LOGBRUSH* logBrush) const
{
    if (!logBrush)
        return 0;
    logBrush->lbStyle = m_style;
    logBrush->lbColor = m_color;
    logBrush->lbHatch = m_hatch;
    return int(sizeof(LOGBRUSH));
}

// ---- CFont

BOOL CFont::CreateFont(int height, int width, int escapement, int orientation, int weight,
                       BYTE italic, BYTE underline, BYTE strikeOut, BYTE charSet,
                       BYTE outPrecision, BYTE clipPrecision, BYTE quality,
                       BYTE pitchAndFamily, const QString& faceName)
{
    LOGFONT lf;
    lf.lfHeight = height;
    lf.lfWidth = width;
    lf.lfEscapement = escapement;
    lf.lfOrientation = orientation;
    lf.lfWeight = weight;
    lf.lfItalic = italic;
    lf.lfUnderline = underline;
    lf.lfStrikeOut = strikeOut;
    lf.lfCharSet = charSet;
    lf.lfOutPrecision = outPrecision;
    lf.lfClipPrecision = clipPrecision;
    lf.lfQuality = quality;
    lf.lfPitchAndFamily = pitchAndFamily;
    lf.lfFaceName = faceName;
    return CreateFontIndirect(&lf);
}

BOOL CFont::CreateFontIndirect(const LOGFONT* logFont)
{
    if (!logFont)
        return FALSE;
    m_lf = *logFont;
    m_created = true;
    return TRUE;
}

BOOL CFont::CreatePointFont(int pointSizeTenths, const QString& faceName, CDC* pDC)
{
    LOGFONT lf;
    lf.lfHeight = pointSizeTenths;
    lf.lfFaceName = faceName;
    return CreatePointFontIndirect(&lf, pDC);
}

BOOL CFont::CreatePointFontIndirect(const LOGFONT* logFont, CDC* pDC)
{
    if (!logFont)
        return FALSE;
    LOGFONT lf = *logFont;
    // Points to device pixels first, then to the DC's logical units, as the screen would.
    int dpiY = pDC ? pDC->GetDeviceCaps(LOGPIXELSY) : 96;
    int pixels = int(std::lround(std::abs(lf.lfHeight) * double(dpiY) / 720.0));
    CSize size(0, pixels);
    if (pDC)
        pDC->DPtoLP(&size);
    lf.lfHeight = -std::abs(size.cy);
    return CreateFontIndirect(&lf);
}

int CFont::GetLogFont(LOGFONT* logFont) const
{
    if (!logFont)
        return 0;
    *logFont = m_lf;
    return int(sizeof(LOGFONT));
}

// ---- CBitmap

BOOL CBitmap::LoadBitmap(const QString& path)
{
    QImage image;
    if (!image.load(path))
        return FALSE;
    // Painting needs a 32-bit format; indexed files are common among old pictures.
    image = image.convertToFormat(image.hasAlphaChannel() ? QImage::Format_ARGB32_Premultiplied
                                                         : QImage::Format_RGB32);
    m_image = std::make_shared<QImage>(std::move(image));
    m_created = true;
    return TRUE;
}

BOOL CBitmap::CreateCompatibleBitmap(CDC*, int width, int height)
{
    auto image = std::make_shared<QImage>(std::max(1, width), std::max(1, height),
                                          QImage::Format_RGB32);
    if (image->isNull())
        return FALSE;
    image->fill(Qt::black);
    m_image = std::move(image);
    m_created = true;
    return TRUE;
}

BOOL CBitmap::DeleteObject()
{
    m_image.reset();
    return CGdiObject::DeleteObject();
}

CSize CBitmap::GetSize() const
{
    return m_image ? CSize(m_image->width(), m_image->height()) : CSize();
}

int CBitmap::GetBitmap(BITMAP* bm) const
{
    if (!bm || !m_image)
        return 0;
    bm->bmType = 0;
    bm->bmWidth = m_image->width();
    bm->bmHeight = m_image->height();
    bm->bmWidthBytes = LONG(m_image->bytesPerLine());
    bm->bmPlanes = 1;
    bm->bmBitsPixel = WORD(m_image->depth());
    return int(sizeof(BITMAP));
}

// ---- CRgn

BOOL CRgn::CreateRectRgn(int left, int top, int right, int bottom)
{
    m_rect = CRect(left, top, right, bottom);
    m_rect.NormalizeRect();
    m_created = true;
    return TRUE;
}

BOOL CRgn::CreateRectRgnIndirect(const CRect* rect)
{
    return rect ? CreateRectRgn(rect->left, rect->top, rect->right, rect->bottom) : FALSE;
}

int CRgn::GetRgnBox(CRect* rect) const
{
    if (rect)
        *rect = m_rect;
    return m_rect.IsRectEmpty() ? NULLREGION : SIMPLEREGION;
}

// ---- faces

QString AfxSubstituteFontFace(const QString& face)
{
    // Compare without spaces (ASCII or ideographic) and with full-width letters folded,
    // so that "ＭＳ 明朝", "ＭＳ　明朝", "MS明朝" and "MS Mincho" all match.
    QString key;
    key.reserve(face.size());
    for (QChar c : face) {
        char16_t u = c.unicode();
        if (u == u' ' || u == 0x3000)
            continue;
        if (u >= 0xFF01 && u <= 0xFF5E)
            u = char16_t(u - 0xFEE0);
        key += QChar(u).toLower();
    }
    // Vertical-writing variants ("@ＭＳ 明朝") fall back to the horizontal face.
    if (key.startsWith(u'@'))
        key.remove(0, 1);

    struct Entry { const char16_t* key; const char* face; };
    static const Entry table[] = {
        {u"ms明朝", "IPAMincho"},     {u"msmincho", "IPAMincho"},
        {u"msp明朝", "IPAPMincho"},   {u"mspmincho", "IPAPMincho"},
        {u"msゴシック", "IPAGothic"}, {u"msgothic", "IPAGothic"},
        {u"mspゴシック", "IPAPGothic"}, {u"mspgothic", "IPAPGothic"},
        {u"msuigothic", "IPAPGothic"}, {u"system", "IPAPGothic"},
        {u"msshelldlg", "IPAPGothic"}, {u"msshelldlg2", "IPAPGothic"},
    };
    for (const Entry& e : table)
        if (key == QStringView(e.key))
            return QString::fromLatin1(e.face);
    return face;
}

QString AfxScreenFontFace(const QString& family, int pixelSize, bool bold)
{
    // Mincho too: no fixed-pitch Mincho draws "mm" legibly this small. The proportional faces
    // give an "m" more room and read from a pixel less, but bold; their metrics stay where they
    // read, for the widgets' rows that clip what hangs below them.
    if ((family == QLatin1String("IPAGothic") || family == QLatin1String("IPAMincho")) && pixelSize < 13)
        return QStringLiteral("BIZ UDGothic");
    if ((family == QLatin1String("IPAPGothic") || family == QLatin1String("IPAPMincho")) && pixelSize < (bold ? 13 : 12))
        return QStringLiteral("BIZ UDPGothic");
    return family;
}

void AfxWriteOnScreen(QFont& font, int pixelSize)
{
    const QString face = AfxScreenFontFace(font.family(), pixelSize, font.weight() > QFont::Medium);
    if (face == font.family())
        return;
    font.setFamily(face);
    font.setWeight(QFont::Normal);
}

QString AfxCellFontFace(const QString& screenFamily)
{
    if (screenFamily == QLatin1String("BIZ UDGothic"))
        return QStringLiteral("IPAGothic");
    if (screenFamily == QLatin1String("BIZ UDPGothic"))
        return QStringLiteral("IPAPGothic");
    return screenFamily;
}

// ---- stock objects

namespace {

struct StockObjects {
    CBrush brushes[6];
    CPen pens[3];
    CFont systemFont, guiFont, fixedFont;

    StockObjects()
    {
        brushes[WHITE_BRUSH].CreateSolidBrush(RGB(255, 255, 255));
        brushes[LTGRAY_BRUSH].CreateSolidBrush(RGB(192, 192, 192));
        brushes[GRAY_BRUSH].CreateSolidBrush(RGB(128, 128, 128));
        brushes[DKGRAY_BRUSH].CreateSolidBrush(RGB(64, 64, 64));
        brushes[BLACK_BRUSH].CreateSolidBrush(RGB(0, 0, 0));
        LOGBRUSH hollow;
        hollow.lbStyle = BS_NULL;
        brushes[NULL_BRUSH].CreateBrushIndirect(&hollow);
        pens[WHITE_PEN - WHITE_PEN].CreatePen(PS_SOLID, 0, RGB(255, 255, 255));
        pens[BLACK_PEN - WHITE_PEN].CreatePen(PS_SOLID, 0, RGB(0, 0, 0));
        pens[NULL_PEN - WHITE_PEN].CreatePen(PS_NULL, 0, RGB(0, 0, 0));
        systemFont.CreateFont(16, 0, 0, 0, FW_NORMAL, 0, 0, 0, SHIFTJIS_CHARSET, 0, 0, 0,
                              VARIABLE_PITCH | FF_SWISS, QStringLiteral("System"));
        guiFont.CreateFont(-12, 0, 0, 0, FW_NORMAL, 0, 0, 0, SHIFTJIS_CHARSET, 0, 0, 0,
                           VARIABLE_PITCH | FF_SWISS, QStringLiteral("MS UI Gothic"));
        fixedFont.CreateFont(16, 0, 0, 0, FW_NORMAL, 0, 0, 0, SHIFTJIS_CHARSET, 0, 0, 0,
                             FIXED_PITCH | FF_MODERN, QStringLiteral("MS Gothic"));
    }
};

StockObjects& stock()
{
    static StockObjects objects;
    return objects;
}

} // namespace

CGdiObject* GetStockObject(int index)
{
    StockObjects& s = stock();
    switch (index) {
    case WHITE_BRUSH: case LTGRAY_BRUSH: case GRAY_BRUSH: case DKGRAY_BRUSH: case BLACK_BRUSH:
    case NULL_BRUSH:
        return &s.brushes[index];
    case WHITE_PEN: case BLACK_PEN: case NULL_PEN:
        return &s.pens[index - WHITE_PEN];
    case SYSTEM_FONT: case DEVICE_DEFAULT_FONT:
        return &s.systemFont;
    case DEFAULT_GUI_FONT: case ANSI_VAR_FONT:
        return &s.guiFont;
    case OEM_FIXED_FONT: case ANSI_FIXED_FONT: case SYSTEM_FIXED_FONT:
        return &s.fixedFont;
    default:
        return nullptr;
    }
}

// ---- system colours

COLORREF GetSysColor(int index)
{
    switch (index) {
    case COLOR_SCROLLBAR: return RGB(200, 200, 200);
    case COLOR_BACKGROUND: return RGB(0, 128, 128);
    case COLOR_ACTIVECAPTION: return RGB(0, 0, 128);
    case COLOR_INACTIVECAPTION: return RGB(128, 128, 128);
    case COLOR_MENU: return RGB(240, 240, 240);
    case COLOR_WINDOW: return RGB(255, 255, 255);
    case COLOR_WINDOWFRAME: return RGB(100, 100, 100);
    case COLOR_MENUTEXT: return RGB(0, 0, 0);
    case COLOR_WINDOWTEXT: return RGB(0, 0, 0);
    case COLOR_CAPTIONTEXT: return RGB(255, 255, 255);
    case COLOR_ACTIVEBORDER: return RGB(180, 180, 180);
    case COLOR_INACTIVEBORDER: return RGB(244, 247, 252);
    case COLOR_APPWORKSPACE: return RGB(171, 171, 171);
    case COLOR_HIGHLIGHT: return RGB(0, 120, 215);
    case COLOR_HIGHLIGHTTEXT: return RGB(255, 255, 255);
    case COLOR_BTNFACE: return RGB(240, 240, 240);
    case COLOR_BTNSHADOW: return RGB(160, 160, 160);
    case COLOR_GRAYTEXT: return RGB(109, 109, 109);
    case COLOR_BTNTEXT: return RGB(0, 0, 0);
    case COLOR_INACTIVECAPTIONTEXT: return RGB(0, 0, 0);
    case COLOR_BTNHIGHLIGHT: return RGB(255, 255, 255);
    case COLOR_3DDKSHADOW: return RGB(105, 105, 105);
    case COLOR_3DLIGHT: return RGB(227, 227, 227);
    case COLOR_INFOTEXT: return RGB(0, 0, 0);
    case COLOR_INFOBK: return RGB(255, 255, 225);
    default: return 0;
    }
}

CBrush* GetSysColorBrush(int index)
{
    static CBrush brushes[COLOR_INFOBK + 1];
    if (index < 0 || index > COLOR_INFOBK)
        return nullptr;
    CBrush& b = brushes[index];
    if (!b.GetSafeHandle())
        b.CreateSolidBrush(GetSysColor(index));
    return &b;
}
