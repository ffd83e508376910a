// Device context with the drawing model of the Windows GDI, which the application is written
// against. It paints through a QPainter (widget, printer, PDF, image) and/or records every
// drawing call with its logical coordinates for tests.
#pragma once

#include "framework/gdi.h"
#include <memory>
#include <utility>
#include <vector>

class QPainter;

// Mapping modes.
enum : int {
    MM_TEXT = 1, MM_LOMETRIC = 2, MM_HIMETRIC = 3, MM_LOENGLISH = 4, MM_HIENGLISH = 5,
    MM_TWIPS = 6, MM_ISOTROPIC = 7, MM_ANISOTROPIC = 8
};

// GetDeviceCaps indexes and values.
enum : int {
    TECHNOLOGY = 2, HORZSIZE = 4, VERTSIZE = 6, HORZRES = 8, VERTRES = 10, BITSPIXEL = 12,
    PLANES = 14, NUMCOLORS = 24, RASTERCAPS = 38, LOGPIXELSX = 88, LOGPIXELSY = 90,
    PHYSICALWIDTH = 110, PHYSICALHEIGHT = 111, PHYSICALOFFSETX = 112, PHYSICALOFFSETY = 113
};
enum : int { DT_PLOTTER = 0, DT_RASDISPLAY = 1, DT_RASPRINTER = 2 };
enum : int { RC_BITBLT = 0x1, RC_STRETCHBLT = 0x800 };

// Background modes.
enum : int { TRANSPARENT = 1, OPAQUE = 2 };

// Text alignment.
enum : UINT {
    TA_NOUPDATECP = 0, TA_UPDATECP = 1, TA_LEFT = 0, TA_RIGHT = 2, TA_CENTER = 6, TA_TOP = 0,
    TA_BOTTOM = 8, TA_BASELINE = 24
};

// Binary raster operations for pens and brushes.
enum : int {
    R2_BLACK = 1, R2_NOTMERGEPEN = 2, R2_MASKNOTPEN = 3, R2_NOTCOPYPEN = 4, R2_MASKPENNOT = 5,
    R2_NOT = 6, R2_XORPEN = 7, R2_NOTMASKPEN = 8, R2_MASKPEN = 9, R2_NOTXORPEN = 10, R2_NOP = 11,
    R2_MERGENOTPEN = 12, R2_COPYPEN = 13, R2_MERGEPENNOT = 14, R2_MERGEPEN = 15, R2_WHITE = 16
};

// Ternary raster operations for BitBlt and PatBlt.
enum : DWORD {
    SRCCOPY = 0x00CC0020, SRCPAINT = 0x00EE0086, SRCAND = 0x008800C6, SRCINVERT = 0x00660046,
    SRCERASE = 0x00440328, NOTSRCCOPY = 0x00330008, PATCOPY = 0x00F00021,
    PATINVERT = 0x005A0049, DSTINVERT = 0x00550009, BLACKNESS = 0x00000042,
    WHITENESS = 0x00FF0062
};

enum : int { ALTERNATE = 1, WINDING = 2 };
enum : int { AD_COUNTERCLOCKWISE = 1, AD_CLOCKWISE = 2 };
enum : int { BLACKONWHITE = 1, WHITEONBLACK = 2, COLORONCOLOR = 3, HALFTONE = 4 };

// ExtTextOut options.
enum : UINT { ETO_OPAQUE = 0x2, ETO_CLIPPED = 0x4 };

// DrawText formats.
enum : UINT {
    DT_TOP = 0x0, DT_LEFT = 0x0, DT_CENTER = 0x1, DT_RIGHT = 0x2, DT_VCENTER = 0x4,
    DT_BOTTOM = 0x8, DT_WORDBREAK = 0x10, DT_SINGLELINE = 0x20, DT_EXPANDTABS = 0x40,
    DT_NOCLIP = 0x100, DT_EXTERNALLEADING = 0x200, DT_CALCRECT = 0x400, DT_NOPREFIX = 0x800,
    DT_EDITCONTROL = 0x2000, DT_PATH_ELLIPSIS = 0x4000, DT_END_ELLIPSIS = 0x8000,
    DT_WORD_ELLIPSIS = 0x40000, DT_HIDEPREFIX = 0x100000
};

struct TEXTMETRIC {
    LONG tmHeight = 0;
    LONG tmAscent = 0;
    LONG tmDescent = 0;
    LONG tmInternalLeading = 0;
    LONG tmExternalLeading = 0;
    LONG tmAveCharWidth = 0;
    LONG tmMaxCharWidth = 0;
    LONG tmWeight = 0;
};

class CDC {
public:
    // One drawing call as the application made it (logical coordinates) with the state it
    // drew with. args by op:
    //   LineTo: fromX fromY toX toY          Polyline/Polygon: x0 y0 x1 y1 ...
    //   PolyPolyline/PolyPolygon: nPolys count... x0 y0 ...
    //   Rectangle/Ellipse/FillRect/FillSolidRect/FrameRect/InvertRect/DrawFocusRect: l t r b
    //   RoundRect: l t r b w h               Arc/Pie/Chord: l t r b x1 y1 x2 y2
    //   Draw3dRect: l t r b topLeftColor bottomRightColor
    //   TextOut: x y    ExtTextOut: x y options [l t r b]    DrawText: l t r b format
    //   SetPixel: x y color    BitBlt: x y w h sx sy rop    StretchBlt: x y w h sx sy sw sh rop
    //   PatBlt: x y w h rop
    struct Record {
        QString op;
        std::vector<int> args;
        QString text;
        COLORREF penColor = 0;
        int penWidth = 0;
        int penStyle = PS_SOLID;
        COLORREF brushColor = 0;
        UINT brushStyle = BS_SOLID;
        int brushHatch = 0;
        COLORREF textColor = 0;
        COLORREF bkColor = 0;
        int bkMode = OPAQUE;
        UINT textAlign = 0;
        QString fontFace;       // as the application named it
        int fontHeight = 0;
        int fontWeight = FW_NORMAL;
        int escapement = 0;
        int mapMode = MM_TEXT;
        // Where a text's cell lies, in logical units (left <= right, top <= bottom);
        // turned texts give the bounds of their turned cell. Empty for other records.
        CRect box;
    };

    // A recording DC (96 dpi, a 1920x1080 page unless set).
    CDC();
    // Draws on the painter; resolution and page size come from its device.
    explicit CDC(QPainter* painter);
    virtual ~CDC();
    CDC(const CDC&) = delete;
    CDC& operator=(const CDC&) = delete;

    // ---- backend
    QPainter* GetPainter() const;
    void SetPainter(QPainter* painter);
    bool IsPrinting() const { return m_printing; }
    // Device pixels of the thinnest edge that shows: one on screen; on paper about 0.2 mm,
    // since a printer's single pixel vanishes from a page seen on screen.
    int HairlinePixels() const;
    void SetPrinting(bool printing) { m_printing = printing; }
    // Whether it writes for a window: small texts there take faces legible on screen
    // (AfxScreenFontFace). A window's paint DC is; DCs made like it or probing for it follow it.
    bool IsOnScreen() const { return m_onScreen; }
    void SetOnScreen(bool onScreen);
    bool IsRecording() const { return m_recording; }
    void SetRecording(bool recording) { m_recording = recording; }
    const std::vector<Record>& Records() const { return m_records; }
    // The records, taken away: none are kept after.
    std::vector<Record> TakeRecords() { return std::exchange(m_records, {}); }
    void ClearRecords() { m_records.clear(); }
    // A record that draws nothing, for whoever reads the records: what a label names, say.
    // Kept only while recording.
    void Note(const char* op, std::vector<int> args, const QString& text = QString(), const CRect& box = CRect());
    // Device description for a recording DC (a painter's device overrides them).
    void SetResolution(int dpiX, int dpiY);
    void SetPageSize(CSize devicePixels);
    void SetPhysicalPage(CSize devicePixels, CPoint printableOffset);
    // Makes this a memory DC: it draws into the bitmap selected into it.
    BOOL CreateCompatibleDC(CDC* pDC);
    BOOL DeleteDC();
    int GetDeviceCaps(int index) const;

    // ---- mapping
    int SetMapMode(int mode);
    int GetMapMode() const;
    CPoint SetWindowOrg(int x, int y);
    CPoint SetWindowOrg(CPoint pt) { return SetWindowOrg(pt.x, pt.y); }
    CPoint OffsetWindowOrg(int dx, int dy);
    CPoint GetWindowOrg() const;
    CPoint SetViewportOrg(int x, int y);
    CPoint SetViewportOrg(CPoint pt) { return SetViewportOrg(pt.x, pt.y); }
    CPoint OffsetViewportOrg(int dx, int dy);
    CPoint GetViewportOrg() const;
    CSize SetWindowExt(int cx, int cy);
    CSize SetWindowExt(CSize size) { return SetWindowExt(size.cx, size.cy); }
    CSize GetWindowExt() const;
    CSize SetViewportExt(int cx, int cy);
    CSize SetViewportExt(CSize size) { return SetViewportExt(size.cx, size.cy); }
    CSize GetViewportExt() const;
    void LPtoDP(CPoint* points, int count = 1) const;
    void LPtoDP(CRect* rect) const;
    void LPtoDP(CSize* size) const;     // magnitudes scale, signs stay
    void DPtoLP(CPoint* points, int count = 1) const;
    void DPtoLP(CRect* rect) const;
    void DPtoLP(CSize* size) const;

    // ---- objects (the previous one is returned for the caller to restore)
    CPen* SelectObject(CPen* pen);
    CBrush* SelectObject(CBrush* brush);
    CFont* SelectObject(CFont* font);
    CBitmap* SelectObject(CBitmap* bitmap);   // memory DCs only
    CGdiObject* SelectObject(CGdiObject* object);
    CGdiObject* SelectStockObject(int index);
    CPen* GetCurrentPen() const;
    CBrush* GetCurrentBrush() const;
    CFont* GetCurrentFont() const;
    CBitmap* GetCurrentBitmap() const;
    int SaveDC();
    BOOL RestoreDC(int savedDC);   // -1: the last saved state

    // ---- attributes
    COLORREF SetTextColor(COLORREF color);
    COLORREF GetTextColor() const;
    COLORREF SetBkColor(COLORREF color);
    COLORREF GetBkColor() const;
    int SetBkMode(int mode);
    int GetBkMode() const;
    UINT SetTextAlign(UINT flags);
    UINT GetTextAlign() const;
    int SetROP2(int mode);
    int GetROP2() const;
    int SetPolyFillMode(int mode);
    int GetPolyFillMode() const;
    int SetArcDirection(int direction);
    int GetArcDirection() const;
    int SetStretchBltMode(int mode);
    CSize GetTextExtent(const QString& text) const;
    CSize GetOutputTextExtent(const QString& text) const { return GetTextExtent(text); }
    BOOL GetTextMetrics(TEXTMETRIC* metrics) const;

    // ---- lines and shapes (logical coordinates)
    CPoint MoveTo(int x, int y);
    CPoint MoveTo(CPoint pt) { return MoveTo(pt.x, pt.y); }
    CPoint GetCurrentPosition() const;
    BOOL LineTo(int x, int y);
    BOOL LineTo(CPoint pt) { return LineTo(pt.x, pt.y); }
    BOOL Polyline(const CPoint* points, int count);
    BOOL Polygon(const CPoint* points, int count);
    BOOL PolyPolyline(const CPoint* points, const DWORD* counts, int polyCount);
    BOOL PolyPolygon(const CPoint* points, const int* counts, int polyCount);
    BOOL Rectangle(int left, int top, int right, int bottom);
    BOOL Rectangle(const CRect& r) { return Rectangle(r.left, r.top, r.right, r.bottom); }
    BOOL Rectangle(const CRect* r) { return Rectangle(*r); }
    BOOL Ellipse(int left, int top, int right, int bottom);
    BOOL Ellipse(const CRect& r) { return Ellipse(r.left, r.top, r.right, r.bottom); }
    BOOL Ellipse(const CRect* r) { return Ellipse(*r); }
    BOOL RoundRect(int left, int top, int right, int bottom, int width, int height);
    BOOL RoundRect(const CRect& r, CPoint corner)
    { return RoundRect(r.left, r.top, r.right, r.bottom, corner.x, corner.y); }
    // Counter-clockwise on the device from the radial through start to the one through end.
    BOOL Arc(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4);
    BOOL Arc(const CRect& r, CPoint start, CPoint end)
    { return Arc(r.left, r.top, r.right, r.bottom, start.x, start.y, end.x, end.y); }
    BOOL Pie(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4);
    BOOL Pie(const CRect& r, CPoint start, CPoint end)
    { return Pie(r.left, r.top, r.right, r.bottom, start.x, start.y, end.x, end.y); }
    BOOL Chord(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4);
    BOOL Chord(const CRect& r, CPoint start, CPoint end)
    { return Chord(r.left, r.top, r.right, r.bottom, start.x, start.y, end.x, end.y); }

    // ---- fills
    void FillRect(const CRect& rect, CBrush* brush);
    void FillRect(const CRect* rect, CBrush* brush) { FillRect(*rect, brush); }
    // Like the original, leaves the background colour set to color.
    void FillSolidRect(const CRect& rect, COLORREF color);
    void FillSolidRect(const CRect* rect, COLORREF color) { FillSolidRect(*rect, color); }
    void FillSolidRect(int x, int y, int cx, int cy, COLORREF color)
    { FillSolidRect(CRect(x, y, x + cx, y + cy), color); }
    void FrameRect(const CRect& rect, CBrush* brush);
    void FrameRect(const CRect* rect, CBrush* brush) { FrameRect(*rect, brush); }
    void Draw3dRect(const CRect& rect, COLORREF topLeft, COLORREF bottomRight);
    void Draw3dRect(const CRect* rect, COLORREF topLeft, COLORREF bottomRight)
    { Draw3dRect(*rect, topLeft, bottomRight); }
    void Draw3dRect(int x, int y, int cx, int cy, COLORREF topLeft, COLORREF bottomRight)
    { Draw3dRect(CRect(x, y, x + cx, y + cy), topLeft, bottomRight); }
    void InvertRect(const CRect& rect);
    void InvertRect(const CRect* rect) { InvertRect(*rect); }
    void DrawFocusRect(const CRect& rect);
    void DrawFocusRect(const CRect* rect) { DrawFocusRect(*rect); }
    COLORREF SetPixel(int x, int y, COLORREF color);
    COLORREF SetPixel(CPoint pt, COLORREF color) { return SetPixel(pt.x, pt.y, color); }
    // Only where the device is an image (memory DC or a painter on a QImage); else 0xFFFFFFFF.
    COLORREF GetPixel(int x, int y) const;

    // ---- text
    BOOL TextOut(int x, int y, const QString& text);
    BOOL ExtTextOut(int x, int y, UINT options, const CRect* rect, const QString& text,
                    const int* dx = nullptr);
    BOOL ExtTextOut(int x, int y, UINT options, const CRect& rect, const QString& text,
                    const int* dx = nullptr)
    { return ExtTextOut(x, y, options, &rect, text, dx); }
    // Returns the text height in logical units; DT_CALCRECT only measures, into rect.
    int DrawText(const QString& text, CRect* rect, UINT format);
    int DrawText(const QString& text, CRect& rect, UINT format) { return DrawText(text, &rect, format); }
    int DrawText(const QString& text, const CRect& rect, UINT format)
    { CRect r = rect; return DrawText(text, &r, format); }

    // ---- bitmaps
    BOOL BitBlt(int x, int y, int width, int height, CDC* src, int xSrc, int ySrc, DWORD rop);
    BOOL StretchBlt(int x, int y, int width, int height, CDC* src, int xSrc, int ySrc,
                    int srcWidth, int srcHeight, DWORD rop);
    BOOL PatBlt(int x, int y, int width, int height, DWORD rop);

    // ---- clipping (rects in logical units, regions in device units)
    int IntersectClipRect(int left, int top, int right, int bottom);
    int IntersectClipRect(const CRect& r) { return IntersectClipRect(r.left, r.top, r.right, r.bottom); }
    int IntersectClipRect(const CRect* r) { return IntersectClipRect(*r); }
    int ExcludeClipRect(int left, int top, int right, int bottom);
    int ExcludeClipRect(const CRect& r) { return ExcludeClipRect(r.left, r.top, r.right, r.bottom); }
    int ExcludeClipRect(const CRect* r) { return ExcludeClipRect(*r); }
    int SelectClipRgn(CRgn* region);   // nullptr removes the clipping
    int SelectObject(CRgn* region) { return SelectClipRgn(region); }
    int GetClipBox(CRect* rect) const;

private:
    struct Impl;
    std::unique_ptr<Impl> d;
    bool m_printing = false;
    bool m_recording = false;
    bool m_onScreen = false;
    std::vector<Record> m_records;
    Record& AddRecord(const char* op, std::vector<int> args, const QString& text = QString());
    BOOL DrawTextAt(bool plain, int x, int y, UINT options, const CRect* rect, const QString& text,
                    const int* dx);
};
