// Drawing objects that are selected into a CDC: pens, brushes, fonts, bitmaps, regions.
// Each object only holds values; the DC realizes them for its device when it draws.
#pragma once

#include "framework/types.h"
#include <memory>

class QImage;
class CDC;

// Pen styles.
enum : int {
    PS_SOLID = 0, PS_DASH = 1, PS_DOT = 2, PS_DASHDOT = 3, PS_DASHDOTDOT = 4, PS_NULL = 5,
    PS_INSIDEFRAME = 6, PS_STYLE_MASK = 0x0F
};

// Brush styles and hatches.
enum : UINT { BS_SOLID = 0, BS_NULL = 1, BS_HOLLOW = 1, BS_HATCHED = 2 };
enum : int {
    HS_HORIZONTAL = 0, HS_VERTICAL = 1, HS_FDIAGONAL = 2, HS_BDIAGONAL = 3, HS_CROSS = 4,
    HS_DIAGCROSS = 5
};

// Stock objects.
enum : int {
    WHITE_BRUSH = 0, LTGRAY_BRUSH = 1, GRAY_BRUSH = 2, DKGRAY_BRUSH = 3, BLACK_BRUSH = 4,
    NULL_BRUSH = 5, HOLLOW_BRUSH = 5, WHITE_PEN = 6, BLACK_PEN = 7, NULL_PEN = 8,
    OEM_FIXED_FONT = 10, ANSI_FIXED_FONT = 11, ANSI_VAR_FONT = 12, SYSTEM_FONT = 13,
    DEVICE_DEFAULT_FONT = 14, SYSTEM_FIXED_FONT = 16, DEFAULT_GUI_FONT = 17
};

// Object kinds as returned by CGdiObject::GetObjectType.
enum : int { OBJ_PEN = 1, OBJ_BRUSH = 2, OBJ_FONT = 6, OBJ_BITMAP = 7, OBJ_REGION = 8 };

// Region kinds returned by clipping calls (0 = failure).
enum : int { NULLREGION = 1, SIMPLEREGION = 2, COMPLEXREGION = 3 };

// Font attributes.
enum : int {
    FW_DONTCARE = 0, FW_THIN = 100, FW_EXTRALIGHT = 200, FW_LIGHT = 300, FW_NORMAL = 400,
    FW_REGULAR = 400, FW_MEDIUM = 500, FW_SEMIBOLD = 600, FW_BOLD = 700, FW_EXTRABOLD = 800,
    FW_HEAVY = 900
};
enum : BYTE {
    ANSI_CHARSET = 0, DEFAULT_CHARSET = 1, SYMBOL_CHARSET = 2, SHIFTJIS_CHARSET = 128,
    OEM_CHARSET = 255
};
enum : BYTE {
    OUT_DEFAULT_PRECIS = 0, OUT_STRING_PRECIS = 1, OUT_CHARACTER_PRECIS = 2,
    OUT_STROKE_PRECIS = 3, OUT_TT_PRECIS = 4, OUT_DEVICE_PRECIS = 5, OUT_RASTER_PRECIS = 6,
    OUT_TT_ONLY_PRECIS = 7, OUT_OUTLINE_PRECIS = 8
};
enum : BYTE { CLIP_DEFAULT_PRECIS = 0, CLIP_CHARACTER_PRECIS = 1, CLIP_STROKE_PRECIS = 2, CLIP_LH_ANGLES = 0x10 };
enum : BYTE {
    DEFAULT_QUALITY = 0, DRAFT_QUALITY = 1, PROOF_QUALITY = 2, NONANTIALIASED_QUALITY = 3,
    ANTIALIASED_QUALITY = 4
};
enum : BYTE {
    DEFAULT_PITCH = 0, FIXED_PITCH = 1, VARIABLE_PITCH = 2,
    FF_DONTCARE = 0x00, FF_ROMAN = 0x10, FF_SWISS = 0x20, FF_MODERN = 0x30, FF_SCRIPT = 0x40,
    FF_DECORATIVE = 0x50
};

struct LOGPEN {
    UINT lopnStyle = PS_SOLID;
    CPoint lopnWidth;        // only x is used
    COLORREF lopnColor = 0;
};

struct LOGBRUSH {
    UINT lbStyle = BS_SOLID;
    COLORREF lbColor = 0;
    int lbHatch = 0;
};

struct LOGFONT {
    LONG lfHeight = 0;       // < 0: character height, > 0: cell height, logical units
    LONG lfWidth = 0;        // average character width, 0 = natural
    LONG lfEscapement = 0;   // tenths of a degree, counter-clockwise
    LONG lfOrientation = 0;
    LONG lfWeight = FW_NORMAL;
    BYTE lfItalic = 0;
    BYTE lfUnderline = 0;
    BYTE lfStrikeOut = 0;
    BYTE lfCharSet = DEFAULT_CHARSET;
    BYTE lfOutPrecision = OUT_DEFAULT_PRECIS;
    BYTE lfClipPrecision = CLIP_DEFAULT_PRECIS;
    BYTE lfQuality = DEFAULT_QUALITY;
    BYTE lfPitchAndFamily = DEFAULT_PITCH;
    QString lfFaceName;
    bool operator==(const LOGFONT&) const = default;
};

struct BITMAP {
    LONG bmType = 0;
    LONG bmWidth = 0;
    LONG bmHeight = 0;
    LONG bmWidthBytes = 0;
    WORD bmPlanes = 1;
    WORD bmBitsPixel = 32;
};

class CGdiObject {
public:
    virtual ~CGdiObject() = default;
    int GetObjectType() const { return m_type; }
    // Non-null once created, as the application tests handles.
    void* GetSafeHandle() const { return m_created ? const_cast<CGdiObject*>(this) : nullptr; }
    virtual BOOL DeleteObject();
    // Copies the values of a stock object of the same kind.
    BOOL CreateStockObject(int index);

protected:
    explicit CGdiObject(int type) : m_type(type) {}
    CGdiObject(const CGdiObject&) = default;
    CGdiObject& operator=(const CGdiObject&) = default;
    int m_type;
    bool m_created = false;
};

class CPen : public CGdiObject {
public:
    CPen() : CGdiObject(OBJ_PEN) {}
    CPen(int style, int width, COLORREF color) : CGdiObject(OBJ_PEN) { CreatePen(style, width, color); }
    BOOL CreatePen(int style, int width, COLORREF color);
    BOOL CreatePenIndirect(const LOGPEN* logPen);
    int GetLogPen(LOGPEN* logPen) const;
    int GetStyle() const { return m_style; }
    int GetWidth() const { return m_width; }    // logical units, 0 = one device pixel
    COLORREF GetColor() const { return m_color; }

private:
    int m_style = PS_SOLID;
    int m_width = 0;
    COLORREF m_color = 0;
};

class CBrush : public CGdiObject {
public:
    CBrush() : CGdiObject(OBJ_BRUSH) {}
    explicit CBrush(COLORREF color) : CGdiObject(OBJ_BRUSH) { CreateSolidBrush(color); }
    CBrush(int hatch, COLORREF color) : CGdiObject(OBJ_BRUSH) { CreateHatchBrush(hatch, color); }
    BOOL CreateSolidBrush(COLORREF color);
    BOOL CreateHatchBrush(int hatch, COLORREF color);
    BOOL CreateBrushIndirect(const LOGBRUSH* logBrush);
    int GetLogBrush(LOGBRUSH* logBrush) const;
    UINT GetStyle() const { return m_style; }
    COLORREF GetColor() const { return m_color; }
    int GetHatch() const { return m_hatch; }
    bool IsNull() const { return m_style == BS_NULL; }

private:
    UINT m_style = BS_SOLID;
    COLORREF m_color = RGB(255, 255, 255);
    int m_hatch = 0;
};

class CFont : public CGdiObject {
public:
    CFont() : CGdiObject(OBJ_FONT) {}
    BOOL CreateFont(int height, int width, int escapement, int orientation, int weight,
                    BYTE italic, BYTE underline, BYTE strikeOut, BYTE charSet,
                    BYTE outPrecision, BYTE clipPrecision, BYTE quality, BYTE pitchAndFamily,
                    const QString& faceName);
    BOOL CreateFontIndirect(const LOGFONT* logFont);
    // Size in tenths of a point, turned into logical units of pDC (or of the screen).
    BOOL CreatePointFont(int pointSizeTenths, const QString& faceName, CDC* pDC = nullptr);
    BOOL CreatePointFontIndirect(const LOGFONT* logFont, CDC* pDC = nullptr);
    int GetLogFont(LOGFONT* logFont) const;
    const LOGFONT& LogFont() const { return m_lf; }

private:
    LOGFONT m_lf;
};

// Holds a QImage shared between copies; a memory DC draws into it.
class CBitmap : public CGdiObject {
public:
    CBitmap() : CGdiObject(OBJ_BITMAP) {}
    // A file path or a resource path ":/...".
    BOOL LoadBitmap(const QString& path);
    BOOL CreateCompatibleBitmap(CDC* pDC, int width, int height);
    BOOL DeleteObject() override;
    CSize GetSize() const;
    int GetBitmap(BITMAP* bm) const;
    QImage* GetImage() const { return m_image.get(); }
    const std::shared_ptr<QImage>& SharedImage() const { return m_image; }

private:
    std::shared_ptr<QImage> m_image;
};

// Rectangular region in device units, enough for clipping.
class CRgn : public CGdiObject {
public:
    CRgn() : CGdiObject(OBJ_REGION) {}
    BOOL CreateRectRgn(int left, int top, int right, int bottom);
    BOOL CreateRectRgnIndirect(const CRect* rect);
    int GetRgnBox(CRect* rect) const;
    BOOL PtInRegion(int x, int y) const { return m_rect.PtInRect({x, y}); }
    const CRect& Box() const { return m_rect; }

private:
    CRect m_rect;
};

// The program's fonts as named on Windows, mapped to installed faces ("ＭＳ 明朝" -> "IPAMincho").
QString AfxSubstituteFontFace(const QString& face);
// The face that writes an installed face on screen at a pixel size. Below 13 pixels the fixed-pitch
// IPA faces smear a half-width "m" or "M" into a bar, below 12 (13 bold) the proportional ones
// close the ring of "ﾟ"; a face of the same half- and full-width advances that keeps them apart
// stands in there, at regular weight. Paper keeps the faces as named.
QString AfxScreenFontFace(const QString& family, int pixelSize, bool bold = false);
// The face whose cell a screen face writes in (the face it stands in for), else the face itself:
// what is laid out in the font measures as in the face named.
QString AfxCellFontFace(const QString& screenFamily);

// Shared stock objects; nullptr for an unknown index.
CGdiObject* GetStockObject(int index);

// System colours (fixed classic values).
enum : int {
    COLOR_SCROLLBAR = 0, COLOR_BACKGROUND = 1, COLOR_ACTIVECAPTION = 2, COLOR_INACTIVECAPTION = 3,
    COLOR_MENU = 4, COLOR_WINDOW = 5, COLOR_WINDOWFRAME = 6, COLOR_MENUTEXT = 7,
    COLOR_WINDOWTEXT = 8, COLOR_CAPTIONTEXT = 9, COLOR_ACTIVEBORDER = 10,
    COLOR_INACTIVEBORDER = 11, COLOR_APPWORKSPACE = 12, COLOR_HIGHLIGHT = 13,
    COLOR_HIGHLIGHTTEXT = 14, COLOR_BTNFACE = 15, COLOR_3DFACE = 15, COLOR_BTNSHADOW = 16,
    COLOR_3DSHADOW = 16, COLOR_GRAYTEXT = 17, COLOR_BTNTEXT = 18, COLOR_INACTIVECAPTIONTEXT = 19,
    COLOR_BTNHIGHLIGHT = 20, COLOR_3DHILIGHT = 20, COLOR_3DHIGHLIGHT = 20, COLOR_3DDKSHADOW = 21,
    COLOR_3DLIGHT = 22, COLOR_INFOTEXT = 23, COLOR_INFOBK = 24
};
COLORREF GetSysColor(int index);
CBrush* GetSysColorBrush(int index);
