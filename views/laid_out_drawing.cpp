#include "views/laid_out_drawing.h"

#include "framework/gdi.h"
#include "views/label_layout.h"

#include <QLatin1String>
#include <memory>
#include <tuple>

namespace {

// The DC's objects and settings for the life of the scope.
class KeptState {
public:
    explicit KeptState(CDC* pDC)
        : m_dc(pDC), m_pen(pDC->GetCurrentPen()), m_brush(pDC->GetCurrentBrush()), m_font(pDC->GetCurrentFont()),
          m_textColor(pDC->GetTextColor()), m_bkColor(pDC->GetBkColor()), m_bkMode(pDC->GetBkMode()),
          m_align(pDC->GetTextAlign())
    {
    }
    ~KeptState()
    {
        if (m_pen)
            m_dc->SelectObject(m_pen);
        if (m_brush)
            m_dc->SelectObject(m_brush);
        if (m_font)
            m_dc->SelectObject(m_font);
        m_dc->SetTextColor(m_textColor);
        m_dc->SetBkColor(m_bkColor);
        m_dc->SetBkMode(m_bkMode);
        m_dc->SetTextAlign(m_align);
    }
    KeptState(const KeptState&) = delete;
    KeptState& operator=(const KeptState&) = delete;

private:
    CDC* m_dc;
    CPen* m_pen;
    CBrush* m_brush;
    CFont* m_font;
    COLORREF m_textColor, m_bkColor;
    int m_bkMode;
    UINT m_align;
};

// The pen, brush and font of the records, each made again only where it changes.
class RecordedObjects {
public:
    explicit RecordedObjects(CDC* pDC) : m_dc(pDC) {}
    void Select(const CDC::Record& r)
    {
        const auto pen = std::make_tuple(r.penStyle, r.penWidth, r.penColor);
        if (!m_pen || pen != m_penKey) {
            auto made = std::make_unique<CPen>(r.penStyle, r.penWidth, r.penColor);
            m_dc->SelectObject(made.get());
            m_pen = std::move(made);
            m_penKey = pen;
        }
        const auto brush = std::make_tuple(r.brushStyle, r.brushHatch, r.brushColor);
        if (!m_brush || brush != m_brushKey) {
            auto made = std::make_unique<CBrush>();
            LOGBRUSH lb;
            lb.lbStyle = r.brushStyle;
            lb.lbColor = r.brushColor;
            lb.lbHatch = r.brushHatch;
            made->CreateBrushIndirect(&lb);
            m_dc->SelectObject(made.get());
            m_brush = std::move(made);
            m_brushKey = brush;
        }
        const auto font = std::make_tuple(r.fontFace, r.fontHeight, r.fontWeight, r.escapement);
        if (!r.fontFace.isEmpty() && (!m_font || font != m_fontKey)) {
            auto made = std::make_unique<CFont>();
            made->CreateFont(r.fontHeight, 0, r.escapement, 0, r.fontWeight, 0, 0, 0, DEFAULT_CHARSET,
                             OUT_CHARACTER_PRECIS, CLIP_CHARACTER_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, r.fontFace);
            m_dc->SelectObject(made.get());
            m_font = std::move(made);
            m_fontKey = font;
        }
        m_dc->SetTextColor(r.textColor);
        m_dc->SetBkColor(r.bkColor);
        m_dc->SetBkMode(r.bkMode);
        m_dc->SetTextAlign(r.textAlign);
    }

private:
    CDC* m_dc;
    std::unique_ptr<CPen> m_pen;
    std::unique_ptr<CBrush> m_brush;
    std::unique_ptr<CFont> m_font;
    std::tuple<int, int, COLORREF> m_penKey;
    std::tuple<UINT, int, COLORREF> m_brushKey;
    std::tuple<QString, int, int, int> m_fontKey;
};

void Play(CDC* pDC, const CDC::Record& r, CPoint o)
{
    const QString& op = r.op;
    std::vector<int> a = r.args;
    auto point = [&](size_t i) { return CPoint(a[i] + o.x, a[i + 1] + o.y); };
    auto rect = [&](size_t i) { return CRect(a[i] + o.x, a[i + 1] + o.y, a[i + 2] + o.x, a[i + 3] + o.y); };
    auto points = [&](size_t from) {
        std::vector<CPoint> out;
        for (size_t i = from; i + 1 < a.size(); i += 2)
            out.push_back(point(i));
        return out;
    };
    auto has = [&](size_t n) { return a.size() >= n; };
    if (op == QLatin1String("LineTo") && has(4)) {
        pDC->MoveTo(point(0));
        pDC->LineTo(point(2));
    } else if (op == QLatin1String("Polyline") || op == QLatin1String("Polygon")) {
        const std::vector<CPoint> p = points(0);
        if (op == QLatin1String("Polyline"))
            pDC->Polyline(p.data(), int(p.size()));
        else
            pDC->Polygon(p.data(), int(p.size()));
    } else if ((op == QLatin1String("PolyPolyline") || op == QLatin1String("PolyPolygon")) && has(1)) {
        const size_t n = size_t(std::max(a[0], 0));
        if (!has(1 + n))
            return;
        const std::vector<CPoint> p = points(1 + n);
        if (op == QLatin1String("PolyPolyline")) {
            std::vector<DWORD> counts(a.begin() + 1, a.begin() + 1 + long(n));
            pDC->PolyPolyline(p.data(), counts.data(), int(n));
        } else {
            std::vector<int> counts(a.begin() + 1, a.begin() + 1 + long(n));
            pDC->PolyPolygon(p.data(), counts.data(), int(n));
        }
    } else if (op == QLatin1String("Rectangle") && has(4)) {
        pDC->Rectangle(rect(0));
    } else if (op == QLatin1String("Ellipse") && has(4)) {
        pDC->Ellipse(rect(0));
    } else if (op == QLatin1String("RoundRect") && has(6)) {
        pDC->RoundRect(rect(0), CPoint(a[4], a[5]));
    } else if ((op == QLatin1String("Arc") || op == QLatin1String("Pie") || op == QLatin1String("Chord")) && has(8)) {
        if (op == QLatin1String("Arc"))
            pDC->Arc(rect(0), point(4), point(6));
        else if (op == QLatin1String("Pie"))
            pDC->Pie(rect(0), point(4), point(6));
        else
            pDC->Chord(rect(0), point(4), point(6));
    } else if ((op == QLatin1String("FillRect") || op == QLatin1String("FrameRect")) && has(4)) {
        LOGBRUSH lb;
        lb.lbStyle = r.brushStyle;
        lb.lbColor = r.brushColor;
        lb.lbHatch = r.brushHatch;
        CBrush brush;
        brush.CreateBrushIndirect(&lb);
        if (op == QLatin1String("FillRect"))
            pDC->FillRect(rect(0), &brush);
        else
            pDC->FrameRect(rect(0), &brush);
    } else if (op == QLatin1String("FillSolidRect") && has(4)) {
        pDC->FillSolidRect(rect(0), r.brushColor);
    } else if (op == QLatin1String("Draw3dRect") && has(6)) {
        pDC->Draw3dRect(rect(0), COLORREF(a[4]), COLORREF(a[5]));
    } else if (op == QLatin1String("InvertRect") && has(4)) {
        pDC->InvertRect(rect(0));
    } else if (op == QLatin1String("DrawFocusRect") && has(4)) {
        pDC->DrawFocusRect(rect(0));
    } else if (op == QLatin1String("SetPixel") && has(3)) {
        pDC->SetPixel(point(0), COLORREF(a[2]));
    } else if (op == QLatin1String("TextOut") && has(2)) {
        pDC->TextOut(a[0] + o.x, a[1] + o.y, r.text);
    } else if (op == QLatin1String("ExtTextOut") && has(3)) {
        const CRect clip = has(7) ? rect(3) : CRect();
        pDC->ExtTextOut(a[0] + o.x, a[1] + o.y, UINT(a[2]), has(7) ? &clip : nullptr, r.text);
    } else if (op == QLatin1String("DrawText") && has(5)) {
        CRect box = rect(0);
        pDC->DrawText(r.text, &box, UINT(a[4]));
    } else if (op == QLatin1String("BitBlt") || op == QLatin1String("StretchBlt") || op == QLatin1String("PatBlt")) {
        // No drawing window lays out pictures.
    } else if (op == QLatin1String("Label")) {
        for (LabelNote note : LabelNotes({r})) {
            note.anchor.Offset(o.x, o.y);
            if (note.written())
                note.cell.OffsetRect(o.x, o.y);
            NoteLabel(pDC, note);
        }
    }
}

} // namespace

void PlayRecords(CDC* pDC, const std::vector<CDC::Record>& records, CPoint offset)
{
    // The DC's own objects go back before the records' are deleted.
    RecordedObjects objects(pDC);
    KeptState kept(pDC);
    for (const CDC::Record& r : records) {
        objects.Select(r);
        Play(pDC, r, offset);
    }
}

const std::vector<CDC::Record>& CLaidOutDrawing::Records(const Key& key, const std::function<void(CDC*)>& layOut)
{
    if (m_bValid && key == m_key)
        return m_records;
    CDC probe;
    probe.SetMapMode(MM_LOMETRIC);
    probe.SetOnScreen(true);
    layOut(&probe);
    m_records = probe.Records();
    m_key = key;
    m_bValid = true;
    ++m_nLayouts;
    return m_records;
}
