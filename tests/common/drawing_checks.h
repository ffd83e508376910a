// Checks on what a drawing recorded: texts and lines inside the page frame, texts that
// overlap or crowd one another or that a line runs through, labels that stand apart from what
// they name. Each returns readable descriptions of what it found, empty when clean.
#pragma once

#include "framework/dc.h"
#include "framework/gdi.h"
#include "views/label_layout.h"

#include <QPointF>
#include <QPolygonF>
#include <QRectF>
#include <QRegularExpression>
#include <QString>
#include <QStringList>
#include <algorithm>
#include <cmath>
#include <map>
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
        out = ArcPoints(a, 64);
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

// Whether the segment p-q enters the rectangle: the part of it within the rectangle's x range,
// clipped, still overlaps its y range. Running along an edge is not entering.
inline bool SegmentEnters(QPointF p, QPointF q, const QRectF& r)
{
    if (std::max(p.x(), q.x()) <= r.left() || std::min(p.x(), q.x()) >= r.right())
        return false;
    if (p.x() > q.x())
        std::swap(p, q);
    auto yAt = [&](double x) {
        return q.x() == p.x() ? p.y() : p.y() + (q.y() - p.y()) * (x - p.x()) / (q.x() - p.x());
    };
    const double x0 = std::max(p.x(), r.left()), x1 = std::min(q.x(), r.right());
    const double y0 = q.x() == p.x() ? std::min(p.y(), q.y()) : std::min(yAt(x0), yAt(x1));
    const double y1 = q.x() == p.x() ? std::max(p.y(), q.y()) : std::max(yAt(x0), yAt(x1));
    return y1 > r.top() && y0 < r.bottom();
}

// A text's cell shrunk by `slack` on every side; empty where nothing is left of it.
inline QRectF Shrunk(const CRect& box, int slack)
{
    return QRectF(QPointF(box.left + slack, box.top + slack), QPointF(box.right - slack, box.bottom - slack));
}

// The force diagrams' values: a number of one decimal.
inline const QRegularExpression& ForceValue()
{
    static const QRegularExpression value(QStringLiteral("^-?\\d+\\.\\d$"));
    return value;
}

// The texts matching `pattern` that a drawn line or polyline runs through: each such text with
// the line across it. The text's cell is shrunk by `slack` first, for a line just touching it.
inline QStringList CrossedTexts(const std::vector<CDC::Record>& records, const QRegularExpression& pattern,
                                int slack = 3)
{
    QStringList found;
    for (const CDC::Record& t : records) {
        if (!IsText(t) || !pattern.match(t.text.trimmed()).hasMatch())
            continue;
        const QRectF cell = Shrunk(t.box, slack);
        if (cell.width() <= 0 || cell.height() <= 0)
            continue;
        for (const CDC::Record& r : records) {
            if (r.op != QLatin1String("LineTo") && r.op != QLatin1String("Polyline"))
                continue;
            const std::vector<CPoint> pts = PointsOf(r);
            bool hit = false;
            for (size_t i = 0; i + 1 < pts.size() && !hit; ++i)
                hit = SegmentEnters(QPointF(pts[i].x, pts[i].y), QPointF(pts[i + 1].x, pts[i + 1].y), cell);
            if (hit) {
                found << Describe(t) + QStringLiteral(" crossed by ") + Describe(r);
                break;
            }
        }
    }
    return found;
}

// The segments a record draws with a visible pen: lines, polylines, the edges of polygons and
// rectangles, and the drawn part of an arc; none for a null or white pen, which draws nothing.
inline std::vector<std::pair<QPointF, QPointF>> DrawnSegments(const CDC::Record& r)
{
    std::vector<std::pair<QPointF, QPointF>> out;
    if (r.penStyle == PS_NULL || r.penColor == RGB(255, 255, 255))
        return out;
    auto chain = [&](const std::vector<CPoint>& pts, size_t from, size_t count, bool closed) {
        for (size_t i = from; i + 1 < from + count; ++i)
            out.emplace_back(QPointF(pts[i].x, pts[i].y), QPointF(pts[i + 1].x, pts[i + 1].y));
        if (closed && count > 2)
            out.emplace_back(QPointF(pts[from + count - 1].x, pts[from + count - 1].y),
                             QPointF(pts[from].x, pts[from].y));
    };
    const std::vector<CPoint> pts = PointsOf(r);
    if (r.op == QLatin1String("LineTo") || r.op == QLatin1String("Polyline") || r.op == QLatin1String("Arc")) {
        chain(pts, 0, pts.size(), false);
    } else if (r.op == QLatin1String("Polygon")) {
        chain(pts, 0, pts.size(), true);
    } else if (r.op == QLatin1String("PolyPolyline") || r.op == QLatin1String("PolyPolygon")) {
        size_t from = 0;
        for (int k = 0; !r.args.empty() && k < r.args[0] && from < pts.size(); ++k) {
            const size_t count = std::min(size_t(r.args[size_t(1 + k)]), pts.size() - from);
            chain(pts, from, count, r.op == QLatin1String("PolyPolygon"));
            from += count;
        }
    } else if (r.op == QLatin1String("Rectangle") && pts.size() == 2) {
        chain({pts[0], CPoint(pts[1].x, pts[0].y), pts[1], CPoint(pts[0].x, pts[1].y)}, 0, 4, true);
    }
    return out;
}

// Whether the text reads up or down the page (turned a quarter) rather than across it.
inline bool ReadsAlongY(const CDC::Record& t) { return (t.escapement / 900) % 2 != 0; }

// The texts a drawing writes inside its frame by their own cells: the frame's header, footer
// and page number left out, and the texts of table cells (DrawText), whose box is the cell.
inline std::vector<size_t> DrawingTexts(const std::vector<CDC::Record>& records)
{
    std::vector<size_t> out;
    const int f = FrameIndex(records);
    for (size_t i = 0; i < records.size(); ++i)
        if (IsText(records[i]) && records[i].op != QLatin1String("DrawText") && !IsFrameText(records, i, f))
            out.push_back(i);
    return out;
}

// Where a text's glyphs are: its cell shrunk by `slack`, and at its foot by the font's descent
// besides (a sixth of the cell), which holds no part of digits or letters but tails: a value
// standing on its line is not crossed by it.
inline QRectF InkCell(const CDC::Record& t, int slack)
{
    QRectF cell = Shrunk(t.box, slack);
    const double descent = (ReadsAlongY(t) ? t.box.Width() : t.box.Height()) / 6.0;
    switch (((t.escapement % 3600 + 3600) % 3600) / 900) {
    case 0: cell.setTop(cell.top() + descent); break;         // y up: the foot is the low edge
    case 1: cell.setRight(cell.right() - descent); break;     // reading up the page
    case 2: cell.setBottom(cell.bottom() - descent); break;
    default: cell.setLeft(cell.left() + descent); break;      // reading down the page
    }
    return cell;
}

// Whether the record fills a shape, with a solid brush, over all of the cell.
inline bool Covers(const CDC::Record& r, const QRectF& cell)
{
    if (r.brushStyle != BS_SOLID || r.args.size() < 4)
        return false;
    const QPointF corners[] = {cell.topLeft(), cell.topRight(), cell.bottomLeft(), cell.bottomRight()};
    if (r.op == QLatin1String("Rectangle") || r.op == QLatin1String("FillRect") ||
        r.op == QLatin1String("FillSolidRect") || r.op == QLatin1String("RoundRect")) {
        const CRect b = Normal(CRect(r.args[0], r.args[1], r.args[2], r.args[3]));
        return QRectF(QPointF(b.left, b.top), QPointF(b.right, b.bottom)).contains(cell);
    }
    if (r.op == QLatin1String("Ellipse")) {
        const CRect b = Normal(CRect(r.args[0], r.args[1], r.args[2], r.args[3]));
        const double cx = (b.left + b.right) / 2.0, cy = (b.top + b.bottom) / 2.0;
        const double rx = b.Width() / 2.0, ry = b.Height() / 2.0;
        return rx > 0 && ry > 0 && std::all_of(std::begin(corners), std::end(corners), [&](const QPointF& p) {
                   return std::pow((p.x() - cx) / rx, 2) + std::pow((p.y() - cy) / ry, 2) <= 1.0;
               });
    }
    if (r.op == QLatin1String("Polygon")) {
        QPolygonF shape;
        for (const CPoint& p : PointsOf(r))
            shape << QPointF(p.x, p.y);
        return std::all_of(std::begin(corners), std::end(corners),
                           [&](const QPointF& p) { return shape.containsPoint(p, Qt::OddEvenFill); });
    }
    return false;
}

// Where a line reads as part of a text: its glyphs (see InkCell), and for a number besides a
// quarter of a character beyond its first and last along its reading line, where a line ending
// reads as a digit or a sign of it.
inline QRectF ReadCell(const CDC::Record& t, int slack)
{
    QRectF cell = InkCell(t, slack);
    const bool alongY = ReadsAlongY(t);
    // Less a unit for the device's rounding of the cell.
    const int reach = NumberEndReach(t.text, t.box, alongY) - 1;
    if (reach > 0) {
        if (alongY)
            cell.setCoords(cell.left(), t.box.top - reach, cell.right(), t.box.bottom + reach);
        else
            cell.setCoords(t.box.left - reach, cell.top(), t.box.right + reach, cell.bottom());
    }
    return cell;
}

// The texts inside the frame that a drawn line runs through, each with the first line across
// it. The text's glyphs count (see ReadCell): a leader ending at a word's cell's edge, or a line
// just touching it, does not; one ending at a number's first or last character does. A line drawn before an opaque text, or before a filled shape under
// the text that covers it, is hidden there.
inline QStringList LinesThroughTexts(const std::vector<CDC::Record>& records, int slack = 3)
{
    const int f = FrameIndex(records);
    std::vector<std::pair<size_t, std::vector<std::pair<QPointF, QPointF>>>> lines;
    for (size_t i = 0; i < records.size(); ++i)
        if (int(i) != f)
            if (auto segments = DrawnSegments(records[i]); !segments.empty())
                lines.emplace_back(i, std::move(segments));
    QStringList found;
    for (size_t t : DrawingTexts(records)) {
        const QRectF cell = ReadCell(records[t], slack);
        if (cell.width() <= 0 || cell.height() <= 0)
            continue;
        // Lines up to `hidden` do not show in the cell.
        long hidden = -1;
        if (records[t].bkMode == OPAQUE)
            hidden = long(t);
        else
            for (size_t k = t; k-- > 0;)
                if (Covers(records[k], cell)) {
                    hidden = long(k);
                    break;
                }
        for (const auto& [i, segments] : lines) {
            if (long(i) <= hidden)
                continue;
            const bool hit = std::any_of(segments.begin(), segments.end(), [&](const auto& s) {
                return SegmentEnters(s.first, s.second, cell);
            });
            if (hit) {
                found << Describe(records[t]) + QStringLiteral(" crossed by ") + Describe(records[i]);
                break;
            }
        }
    }
    return found;
}

// The height of a text, across its reading direction: its font's where the record tells it,
// else its cell's.
inline int TextHeight(const CDC::Record& t)
{
    if (t.fontHeight != 0)
        return std::abs(t.fontHeight);
    return ReadsAlongY(t) ? t.box.Width() : t.box.Height();
}

// Pairs of texts closer than a character: texts in one line (their extents across the reading
// direction overlap by more than half the lower one's height) stand less than that half apart
// along it; other texts overlap by more than `slack` both ways. Texts offset by more than half
// a line read as two lines, however near. A text drawn twice in one place reads as one.
inline QStringList CrowdedTexts(const std::vector<CDC::Record>& records, int slack = 3)
{
    const std::vector<size_t> texts = DrawingTexts(records);
    QStringList found;
    for (size_t m = 0; m < texts.size(); ++m)
        for (size_t n = m + 1; n < texts.size(); ++n) {
            const CDC::Record& a = records[texts[m]];
            const CDC::Record& b = records[texts[n]];
            const CRect& p = a.box;
            const CRect& q = b.box;
            if (a.text == b.text && std::abs(p.left - q.left) <= slack && std::abs(p.top - q.top) <= slack &&
                std::abs(p.right - q.right) <= slack && std::abs(p.bottom - q.bottom) <= slack)
                continue;
            const int dx = std::min(p.right, q.right) - std::max(p.left, q.left);
            const int dy = std::min(p.bottom, q.bottom) - std::max(p.top, q.top);
            QString fault;
            if (ReadsAlongY(a) != ReadsAlongY(b)) {
                if (dx > slack && dy > slack)
                    fault = QStringLiteral(" over ");
            } else {
                const bool alongY = ReadsAlongY(a);
                const int across = alongY ? dx : dy, along = alongY ? dy : dx;
                const int gap = -along;
                const int half = std::min(TextHeight(a), TextHeight(b)) / 2;
                if (across > half && gap < half - slack)
                    fault = gap < 0 ? QStringLiteral(" over ") : QStringLiteral(" %1 from ").arg(gap);
                else if (across > slack && gap < -slack)
                    fault = QStringLiteral(" over ");
            }
            if (!fault.isEmpty())
                found << Describe(a) + fault + Describe(b);
        }
    return found;
}

// The distance from a rectangle to a point, 0 inside it.
inline double Distance(const CRect& r, const CPoint& p)
{
    const double dx = std::max({double(r.left - p.x), 0.0, double(p.x - r.right)});
    const double dy = std::max({double(r.top - p.y), 0.0, double(p.y - r.bottom)});
    return std::hypot(dx, dy);
}

inline QString Describe(const LabelNote& n)
{
    static const char* const kinds[] = {"none", "girder", "node", "member", "dimension", "support", "section",
                                        "value", "layer"};
    const int k = int(n.kind);
    return QStringLiteral("%1 label \"%2\" cell (%3,%4)-(%5,%6) anchor (%7,%8)%9")
        .arg(QString::fromUtf8(k >= 0 && k < 9 ? kinds[k] : "?"), n.text)
        .arg(n.cell.left)
        .arg(n.cell.top)
        .arg(n.cell.right)
        .arg(n.cell.bottom)
        .arg(n.anchor.x)
        .arg(n.anchor.y)
        .arg(n.led ? QStringLiteral(" led") : QString());
}

// Labels that do not tell what they name: a written label of a kind that stands nearer to
// another thing of its kind than to its own (by more than `slack`; things at its own point
// do not count), or farther than two and a half text heights from its own; a led label
// whose leader is longer than `leader` (15 mm).
inline QStringList StrayLabels(const std::vector<CDC::Record>& records, int slack = 5, int leader = 150)
{
    const std::vector<LabelNote> notes = LabelNotes(records);
    QStringList found;
    for (const LabelNote& n : notes) {
        if (n.kind == LabelKind::None || !n.written())
            continue;
        const double own = Distance(n.cell, n.anchor);
        if (n.led) {
            if (own > leader)
                found << Describe(n) + QStringLiteral(", its leader %1 mm long").arg(own / 10.0, 0, 'f', 1);
            continue;
        }
        const int height = std::min(n.cell.Width(), n.cell.Height());
        if (own > 2.5 * height + slack) {
            found << Describe(n) + QStringLiteral(" %1 mm from it").arg(own / 10.0, 0, 'f', 1);
            continue;
        }
        for (const LabelNote& o : notes) {
            if (o.kind != n.kind || std::hypot(o.anchor.x - n.anchor.x, o.anchor.y - n.anchor.y) <= 2.0)
                continue;
            if (Distance(n.cell, o.anchor) + slack < own) {
                found << Describe(n) + QStringLiteral(" nearer to ") + Describe(o);
                break;
            }
        }
    }
    return found;
}

// A page printed upright and sideways: the labels at their first place on both stand on the
// same side of what they name at the same distance, turned with the drawing (whose x runs up
// the sideways page and its y to the left); the distance counts in text heights, the height of
// a label turned with its drawing being its cell's width on the sideways page. Labels are
// matched by kind, text and order.
inline QStringList UnturnedLabels(const std::vector<CDC::Record>& upright, const std::vector<CDC::Record>& sideways,
                                  int slack = 7)
{
    auto keyed = [](const std::vector<CDC::Record>& records) {
        std::map<std::pair<int, QString>, std::vector<LabelNote>> out;
        for (const LabelNote& n : LabelNotes(records))
            if (n.kind != LabelKind::None)
                out[{int(n.kind), n.text}].push_back(n);
        return out;
    };
    const auto up = keyed(upright);
    const auto side = keyed(sideways);
    QStringList found;
    for (const auto& [key, ups] : up) {
        const auto s = side.find(key);
        if (s == side.end())
            continue;
        for (size_t k = 0; k < ups.size() && k < s->second.size(); ++k) {
            const LabelNote& u = ups[k];
            const LabelNote& w = s->second[k];
            if (u.place != 0 || w.place != 0 || !u.written() || !w.written())
                continue;
            // Measured in text heights: a page may write its labels at another size.
            const double scale = w.cell.Width() > 0 ? double(u.cell.Height()) / w.cell.Width() : 1.0;
            const CSize a = u.cell.CenterPoint() - u.anchor;
            const CSize t = w.cell.CenterPoint() - w.anchor;
            const CSize back(int(std::lround(t.cy * scale)), int(std::lround(-t.cx * scale)));
            // A turned font's length differs a little from the upright one's: a long label's
            // middle by a few percent of it.
            const int length = std::max(u.cell.Width(), u.cell.Height());
            if (std::hypot(back.cx - a.cx, back.cy - a.cy) > slack + 0.07 * length)
                found << Describe(u) + QStringLiteral(" at (%1,%2) from it, sideways at (%3,%4) turned back: ")
                                           .arg(a.cx)
                                           .arg(a.cy)
                                           .arg(back.cx)
                                           .arg(back.cy) +
                             Describe(w);
        }
    }
    return found;
}

// Labels a drawing asked for and left out, of the kinds that it never may leave out: all but the
// plan's node numbers and cross-member names, which give way where crowded, and a text that the
// page writes for the same thing all the same.
inline QStringList LeftOutLabels(const std::vector<CDC::Record>& records)
{
    const std::vector<LabelNote> notes = LabelNotes(records);
    QStringList found;
    for (const LabelNote& n : notes) {
        if (n.written() || n.kind == LabelKind::None || n.kind == LabelKind::Node || n.kind == LabelKind::Member)
            continue;
        const bool elsewhere = std::any_of(notes.begin(), notes.end(), [&](const LabelNote& o) {
            return o.written() && o.kind == n.kind && o.text == n.text;
        });
        if (!elsewhere)
            found << Describe(n);
    }
    return found;
}

// The names of `names` that the page does not write.
inline QStringList MissingTexts(const std::vector<CDC::Record>& records, const QStringList& names)
{
    QStringList missing = names;
    for (const CDC::Record& r : records)
        if (IsText(r))
            missing.removeAll(r.text.trimmed());
    return missing;
}

// Whether the page writes any girder name ("G1", "G2", …) on its own.
inline bool WritesGirderNames(const std::vector<CDC::Record>& records)
{
    static const QRegularExpression name(QStringLiteral("^G\\d+$"));
    return std::any_of(records.begin(), records.end(),
                       [](const CDC::Record& r) { return IsText(r) && name.match(r.text.trimmed()).hasMatch(); });
}

// What a drawing's label layout keeps from its labels, on paper and on screen: lines through
// them, texts crowding one another, labels apart from what they name, labels left out that may
// not be.
inline QStringList LabelFaults(const std::vector<CDC::Record>& records)
{
    return LinesThroughTexts(records) + CrowdedTexts(records) + StrayLabels(records) + LeftOutLabels(records);
}

} // namespace drawingchecks
