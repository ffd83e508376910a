// Checks on what a drawing recorded: texts and lines inside the page frame, and texts that
// overlap one another. Each returns readable descriptions of what it found, empty when clean.
#pragma once

#include "framework/dc.h"
#include "framework/gdi.h"

#include <QPointF>
#include <QRectF>
#include <QRegularExpression>
#include <QString>
#include <QStringList>
#include <algorithm>
#include <cmath>
#include <utility>
#include <vector>

namespace drawingchecks {

inline bool IsText(const CDC::Record& r)
{
    return (r.op == QLatin1String("TextOut") || r.op == QLatin1String("ExtTextOut") ||
            r.op == QLatin1String("DrawText")) && !r.text.trimmed().isEmpty();
}

// The points a line-like record draws through (its bounding corners for shapes).
inline std::vector<CPoint> PointsOf(const CDC::Record& r)
{
    std::vector<CPoint> out;
    const auto& a = r.args;
    if (r.op == QLatin1String("LineTo") || r.op == QLatin1String("Polyline") || r.op == QLatin1String("Polygon")) {
        for (size_t i = 0; i + 1 < a.size(); i += 2)
            out.emplace_back(a[i], a[i + 1]);
    } else if (r.op == QLatin1String("PolyPolyline") || r.op == QLatin1String("PolyPolygon")) {
        const size_t first = a.empty() ? 0 : size_t(1 + a[0]);
        for (size_t i = first; i + 1 < a.size(); i += 2)
            out.emplace_back(a[i], a[i + 1]);
    } else if (r.op == QLatin1String("Arc") && a.size() >= 8) {
        // Only the part of the ellipse from the first radial point counter-clockwise to the
        // second is drawn (y up); a long curve's box lies far off the page.
        const double cx = (a[0] + a[2]) / 2.0, cy = (a[1] + a[3]) / 2.0;
        const double rx = std::abs(a[2] - a[0]) / 2.0, ry = std::abs(a[3] - a[1]) / 2.0;
        if (rx <= 0.0 || ry <= 0.0)
            return out;
        const double from = std::atan2((a[5] - cy) / ry, (a[4] - cx) / rx);
        double sweep = std::atan2((a[7] - cy) / ry, (a[6] - cx) / rx) - from;
        while (sweep <= 0.0)
            sweep += 2.0 * 3.14159265358979;
        for (int k = 0; k <= 64; ++k) {
            const double t = from + sweep * k / 64.0;
            out.emplace_back(int(std::lround(cx + rx * std::cos(t))), int(std::lround(cy + ry * std::sin(t))));
        }
    } else if (r.op == QLatin1String("Rectangle") || r.op == QLatin1String("Ellipse") ||
               r.op == QLatin1String("RoundRect") || r.op == QLatin1String("Pie") ||
               r.op == QLatin1String("Chord") || r.op == QLatin1String("FillRect") ||
               r.op == QLatin1String("FillSolidRect") || r.op == QLatin1String("FrameRect")) {
        out.emplace_back(a[0], a[1]);
        out.emplace_back(a[2], a[3]);
    }
    return out;
}

inline QString Describe(const CDC::Record& r)
{
    QString s = r.op;
    if (!r.text.isEmpty())
        s += QStringLiteral(" \"%1\"").arg(r.text);
    if (IsText(r))
        s += QStringLiteral(" box (%1,%2)-(%3,%4)").arg(r.box.left).arg(r.box.top).arg(r.box.right).arg(r.box.bottom);
    else
        for (size_t i = 0; i < std::min<size_t>(r.args.size(), 8); ++i)
            s += QStringLiteral(" %1").arg(r.args[i]);
    return s;
}

// A normalized rectangle (left <= right, top <= bottom) from any two corners.
inline CRect Normal(const CRect& r)
{
    return CRect(std::min(r.left, r.right), std::min(r.top, r.bottom), std::max(r.left, r.right),
                 std::max(r.top, r.bottom));
}

// The page frame of a printed page: the largest rectangle it draws.
inline int FrameIndex(const std::vector<CDC::Record>& records)
{
    int best = -1;
    long long area = 0;
    for (size_t i = 0; i < records.size(); ++i) {
        if (records[i].op != QLatin1String("Rectangle"))
            continue;
        const CRect r = Normal(CRect(records[i].args[0], records[i].args[1], records[i].args[2], records[i].args[3]));
        const long long a = (long long)(r.right - r.left) * (r.bottom - r.top);
        if (a > area) {
            area = a;
            best = int(i);
        }
    }
    return best;
}

// A point of a record in the frame's 0.1 mm: what was drawn in device pixels (a grid's cells, at
// `dpi` from the page's corner) is turned over; with no `dpi` every point stays as recorded.
inline CPoint OnPage(const CDC::Record& r, const CPoint& p, int dpi)
{
    if (dpi <= 0 || r.mapMode != MM_TEXT)
        return p;
    return CPoint(int(std::lround(p.x * 254.0 / dpi)), -int(std::lround(p.y * 254.0 / dpi)));
}

// Whether the record is the page frame's own header, company line or page number, the frame
// being record f: the header stands just before the frame, the company just after it, below.
inline bool IsFrameText(const std::vector<CDC::Record>& records, size_t i, int f)
{
    static const QRegularExpression pageNumber(QStringLiteral("^- \\d+ -$"));
    return int(i) == f - 1 || int(i) == f + 1 || pageNumber.match(records[i].text).hasMatch();
}

// The texts a page writes inside its frame, the frame's own left out.
inline QStringList TextsInFrame(const std::vector<CDC::Record>& records)
{
    QStringList found;
    const int f = FrameIndex(records);
    for (size_t i = 0; i < records.size(); ++i)
        if (IsText(records[i]) && !IsFrameText(records, i, f))
            found << records[i].text;
    return found;
}

// Everything a page draws inside its frame but the frame's own header, footer and page number.
// `slack` forgives rounding of the recorded text cells (device pixels turned back to 0.1 mm);
// with `dpi` the records drawn in device pixels are measured on the page too.
inline QStringList OutsideFrame(const std::vector<CDC::Record>& records, int slack = 3, int dpi = 0)
{
    QStringList found;
    const int f = FrameIndex(records);
    if (f < 0)
        return {QStringLiteral("no frame")};
    const CDC::Record& fr = records[size_t(f)];
    const CRect frame = Normal(CRect(fr.args[0], fr.args[1], fr.args[2], fr.args[3]));
    auto inside = [&](int x, int y) {
        return x >= frame.left - slack && x <= frame.right + slack && y >= frame.top - slack &&
               y <= frame.bottom + slack;
    };
    for (size_t i = 0; i < records.size(); ++i) {
        const CDC::Record& r = records[i];
        if (int(i) == f)
            continue;
        if (IsText(r)) {
            if (IsFrameText(records, i, f))
                continue;
            const CPoint a = OnPage(r, r.box.TopLeft(), dpi), b = OnPage(r, r.box.BottomRight(), dpi);
            if (!inside(a.x, a.y) || !inside(b.x, b.y))
                found << Describe(r);
            continue;
        }
        for (const CPoint& point : PointsOf(r))
            if (const CPoint p = OnPage(r, point, dpi); !inside(p.x, p.y)) {
                found << Describe(r);
                break;
            }
    }
    return found;
}

// One-line texts their cell cuts: wider, in the font they were drawn in, than the box they were
// drawn into. `dc` measures as the page's device does.
inline QStringList CutTexts(const std::vector<CDC::Record>& records, CDC& dc)
{
    QStringList found;
    for (const CDC::Record& r : records) {
        if (r.op != QLatin1String("DrawText") || r.text.trimmed().isEmpty() || !(r.args[4] & DT_SINGLELINE) ||
            (r.args[4] & DT_NOCLIP))
            continue;
        dc.SetMapMode(r.mapMode);
        CFont font;
        font.CreateFont(r.fontHeight, 0, r.escapement, r.escapement, r.fontWeight, 0, 0, 0, SHIFTJIS_CHARSET, 0, 0,
                        0, 0, r.fontFace);
        CFont* old = dc.SelectObject(&font);
        const int width = dc.GetTextExtent(r.text).cx;
        dc.SelectObject(old);
        if (width > r.box.Width())
            found << Describe(r) + QStringLiteral(" needs %1").arg(width);
    }
    return found;
}

// Pairs of texts whose cells overlap by more than `slack` in both directions.
inline QStringList OverlappingTexts(const std::vector<CDC::Record>& records, int slack = 3)
{
    std::vector<const CDC::Record*> texts;
    for (const CDC::Record& r : records)
        if (IsText(r))
            texts.push_back(&r);
    QStringList found;
    for (size_t i = 0; i < texts.size(); ++i)
        for (size_t j = i + 1; j < texts.size(); ++j) {
            const CRect& a = texts[i]->box;
            const CRect& b = texts[j]->box;
            const int dx = std::min(a.right, b.right) - std::max(a.left, b.left);
            const int dy = std::min(a.bottom, b.bottom) - std::max(a.top, b.top);
            if (dx > slack && dy > slack)
                found << Describe(*texts[i]) + QStringLiteral(" over ") + Describe(*texts[j]);
        }
    return found;
}

// The texts matching `pattern` that a drawn line or polyline runs through: each such text with
// the line across it. The text's cell is shrunk by `slack` first, for a line just touching it.
inline QStringList CrossedTexts(const std::vector<CDC::Record>& records, const QRegularExpression& pattern,
                                int slack = 3)
{
    // Whether the segment p-q enters the rectangle: the part of it within the rectangle's
    // x range, clipped, still overlaps its y range.
    auto crosses = [](QPointF p, QPointF q, const QRectF& r) {
        if (std::max(p.x(), q.x()) < r.left() || std::min(p.x(), q.x()) > r.right())
            return false;
        if (p.x() > q.x())
            std::swap(p, q);
        auto yAt = [&](double x) {
            return q.x() == p.x() ? p.y() : p.y() + (q.y() - p.y()) * (x - p.x()) / (q.x() - p.x());
        };
        const double x0 = std::max(p.x(), r.left()), x1 = std::min(q.x(), r.right());
        const double y0 = q.x() == p.x() ? std::min(p.y(), q.y()) : std::min(yAt(x0), yAt(x1));
        const double y1 = q.x() == p.x() ? std::max(p.y(), q.y()) : std::max(yAt(x0), yAt(x1));
        return y1 >= r.top() && y0 <= r.bottom();
    };
    QStringList found;
    for (const CDC::Record& t : records) {
        if (!IsText(t) || !pattern.match(t.text.trimmed()).hasMatch())
            continue;
        const QRectF cell(QPointF(t.box.left + slack, t.box.top + slack), QPointF(t.box.right - slack, t.box.bottom - slack));
        if (cell.width() <= 0 || cell.height() <= 0)
            continue;
        for (const CDC::Record& r : records) {
            if (r.op != QLatin1String("LineTo") && r.op != QLatin1String("Polyline"))
                continue;
            const std::vector<CPoint> pts = PointsOf(r);
            bool hit = false;
            for (size_t i = 0; i + 1 < pts.size() && !hit; ++i)
                hit = crosses(QPointF(pts[i].x, pts[i].y), QPointF(pts[i + 1].x, pts[i + 1].y), cell);
            if (hit) {
                found << Describe(t) + QStringLiteral(" crossed by ") + Describe(r);
                break;
            }
        }
    }
    return found;
}

} // namespace drawingchecks
