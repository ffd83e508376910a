#include "views/label_layout.h"

#include "framework/gdi.h"
#include "views/drawing_helpers.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <tuple>

void TextOutTurned(CDC* pDC, int nEscapement, int x, int y, const QString& text)
{
    LOGFONT lf;
    if (CFont* current = pDC->GetCurrentFont())
        lf = current->LogFont();
    lf.lfEscapement = nEscapement;
    lf.lfClipPrecision = CLIP_LH_ANGLES;
    CFont turned;
    turned.CreateFontIndirect(&lf);
    Selected<CFont> font(pDC, &turned);
    pDC->TextOut(x, y, text);
}

CRect TextCell(CDC* pDC, int nEscapement, int x, int y, const QString& text)
{
    const CSize ext = pDC->GetTextExtent(text);
    const double a = nEscapement / 10.0 * 3.14159265358979 / 180.0;
    // Along the text and from its top down to its foot, turned with it.
    const double ax = std::cos(a) * ext.cx, ay = std::sin(a) * ext.cx;
    const double dx = std::sin(a) * ext.cy, dy = -std::cos(a) * ext.cy;
    const double xs[4] = {0.0, ax, dx, ax + dx}, ys[4] = {0.0, ay, dy, ay + dy};
    const auto [x0, x1] = std::minmax_element(xs, xs + 4);
    const auto [y0, y1] = std::minmax_element(ys, ys + 4);
    return CRect(x + int(std::lround(*x0)), y + int(std::lround(*y0)), x + int(std::lround(*x1)),
                 y + int(std::lround(*y1)));
}

namespace {

// The rooms open, the latest last.
std::vector<CLabelRoom*>& OpenRooms()
{
    static std::vector<CLabelRoom*> rooms;
    return rooms;
}

// A text may touch a mark, a line or the text above it by this much (0.3 mm): the font's
// leading leaves that free. Texts in a line keep at least this gap (0.8 mm), not to read as one.
constexpr int kTouch = 3;
constexpr int kTextGap = 8;
// Texts keep this far (1 mm) inside the frame, off its rule.
constexpr int kFramePad = 10;

bool Overlap(const CRect& a, const CRect& b, int nAllowedX, int nAllowedY)
{
    return std::min(a.right, b.right) - std::max(a.left, b.left) > nAllowedX &&
           std::min(a.bottom, b.bottom) - std::max(a.top, b.top) > nAllowedY;
}

}

bool SegmentThrough(CPoint p, CPoint q, const CRect& r, int inset)
{
    // Most segments of a drawing lie well apart from a text: their bounds tell it at once.
    if (std::max(p.x, q.x) < r.left + inset || std::min(p.x, q.x) > r.right - inset ||
        std::max(p.y, q.y) < r.top + inset || std::min(p.y, q.y) > r.bottom - inset)
        return false;
    double t0 = 0.0, t1 = 1.0;
    const double dx = q.x - p.x, dy = q.y - p.y;
    const double lo[2] = {double(r.left + inset), double(r.top + inset)};
    const double hi[2] = {double(r.right - inset), double(r.bottom - inset)};
    if (lo[0] > hi[0] || lo[1] > hi[1])
        return false;
    const double start[2] = {double(p.x), double(p.y)}, step[2] = {dx, dy};
    for (int k = 0; k < 2; ++k) {
        if (step[k] == 0.0) {
            if (start[k] < lo[k] || start[k] > hi[k])
                return false;
            continue;
        }
        double a = (lo[k] - start[k]) / step[k], b = (hi[k] - start[k]) / step[k];
        if (a > b)
            std::swap(a, b);
        t0 = std::max(t0, a);
        t1 = std::min(t1, b);
        if (t0 > t1)
            return false;
    }
    return true;
}

CLabelRoom::CLabelRoom(CDC* pDC, const CRect& frame, bool bLeaveNoneOut)
    : m_pDC(pDC), m_pOuter(Of(pDC)),
      m_frame(std::min(frame.left, frame.right), std::min(frame.top, frame.bottom), std::max(frame.left, frame.right),
              std::max(frame.top, frame.bottom)),
      m_bLeaveNoneOut(bLeaveNoneOut)
{
    OpenRooms().push_back(this);
}

CLabelRoom::~CLabelRoom()
{
    auto& rooms = OpenRooms();
    rooms.erase(std::remove(rooms.begin(), rooms.end(), this), rooms.end());
}

CLabelRoom* CLabelRoom::Of(CDC* pDC)
{
    const auto& rooms = OpenRooms();
    for (auto it = rooms.rbegin(); it != rooms.rend(); ++it)
        if ((*it)->m_pDC == pDC)
            return *it;
    return nullptr;
}

// A sign, a digit, then digits, points and commas: asked for every place a label tries, so
// read by hand rather than by a pattern.
bool IsNumber(const QString& text)
{
    // Trimmed in place: the layouts ask of every label at every place they try.
    qsizetype from = 0, to = text.size();
    while (from < to && text[from].isSpace())
        ++from;
    while (to > from && text[to - 1].isSpace())
        --to;
    auto digit = [](QChar c) { return c >= u'0' && c <= u'9'; };
    qsizetype i = from < to && (text[from] == u'-' || text[from] == u'+') ? from + 1 : from;
    if (i >= to || !digit(text[i]))
        return false;
    for (++i; i < to; ++i)
        if (!digit(text[i]) && text[i] != u'.' && text[i] != u',')
            return false;
    return true;
}

int NumberEndReach(const QString& text, const CRect& cell, bool bAlongY)
{
    if (!IsNumber(text))
        return 0;
    return NumberEndReach(bAlongY ? std::abs(cell.Height()) : std::abs(cell.Width()), text.size());
}

int NumberEndReach(int nLength, qsizetype nChars)
{
    return int(std::ceil(nLength / double(std::max<qsizetype>(nChars, 1)) / 4.0));
}

bool CLabelRoom::IsClear(const CRect& cell, bool bOfLines, bool bAlongY, int nEnds) const
{
    if (!m_frame.IsRectEmpty() && (cell.left < m_frame.left + kTouch || cell.right > m_frame.right - kTouch ||
                                   cell.top < m_frame.top + kTouch || cell.bottom > m_frame.bottom - kTouch))
        return false;
    for (const Cell& c : m_cells) {
        const bool mark = c.text.isEmpty();
        // Texts in a line keep a character's gap: half the height of the taller.
        const int across = std::max(bAlongY ? cell.Width() : cell.Height(), bAlongY ? c.rect.Width() : c.rect.Height());
        const int gap = std::max(kTextGap, across / 2);
        const int ax = mark || bAlongY ? kTouch : -gap, ay = mark || !bAlongY ? kTouch : -gap;
        // A mark's outline is a line: it keeps off a number's ends as the lines do, where the
        // number does not blank what it stands over.
        CRect own = cell;
        if (mark && nEnds > 0 && m_pDC->GetBkMode() == TRANSPARENT)
            bAlongY ? own.InflateRect(0, nEnds + kTouch + 1) : own.InflateRect(nEnds + kTouch + 1, 0);
        if (Overlap(c.rect, own, ax, ay))
            return false;
    }
    if (bOfLines) {
        const int inset = m_nLineGap < 0 ? kTouch : -m_nLineGap;
        // A line may not end just beyond a number's ends either; the touch allowance is kept
        // across its line only.
        CRect reach = cell;
        if (nEnds > 0)
            bAlongY ? reach.InflateRect(0, nEnds + inset + 1) : reach.InflateRect(nEnds + inset + 1, 0);
        if (LineThrough(reach, inset))
            return false;
    }
    return !m_pOuter || m_pOuter->IsClear(cell, bOfLines, bAlongY, nEnds);
}

bool CLabelRoom::LineThrough(const CRect& cell, int nInset) const
{
    // A segment runs through the cell only where its bounds meet the cell as shrunk.
    const int left = cell.left + nInset, right = cell.right - nInset;
    const int top = cell.top + nInset, bottom = cell.bottom - nInset;
    if (left > right || top > bottom)
        return false;
    for (; m_nLinesInSquares < m_lines.size(); ++m_nLinesInSquares) {
        const auto& [p, q] = m_lines[m_nLinesInSquares];
        m_lineSquares.Add(CRect(p.x, p.y, q.x, q.y), int(m_nLinesInSquares));
    }
    return m_lineSquares.Any(CRect(left, top, right, bottom), [&](int i) {
        return SegmentThrough(m_lines[size_t(i)].first, m_lines[size_t(i)].second, cell, nInset);
    });
}

bool CLabelRoom::Holds(const CRect& cell, const QString& text) const
{
    for (const Cell& c : m_cells)
        if (c.text == text && std::abs(c.asked.left - cell.left) <= kTextGap &&
            std::abs(c.asked.top - cell.top) <= kTextGap)
            return true;
    return m_pOuter && m_pOuter->Holds(cell, text);
}

bool CLabelRoom::CrossesText(CPoint p, CPoint q, int nWider) const
{
    for (const Cell& c : m_cells) {
        if (c.text.isEmpty())
            continue;
        // Nor ends by a number's first or last character.
        CRect reach = c.rect;
        reach.InflateRect(nWider, nWider);
        if (const int ends = NumberEndReach(c.text, c.rect, c.alongY); ends > 0)
            c.alongY ? reach.InflateRect(0, ends + kTouch + 1) : reach.InflateRect(ends + kTouch + 1, 0);
        if (SegmentThrough(p, q, reach))
            return true;
    }
    return m_pOuter && m_pOuter->CrossesText(p, q, nWider);
}

namespace {

double CellDistance(const CRect& cell, CPoint p)
{
    const double dx = std::max({double(cell.left - p.x), 0.0, double(p.x - cell.right)});
    const double dy = std::max({double(cell.top - p.y), 0.0, double(p.y - cell.bottom)});
    return std::hypot(dx, dy);
}

// Points this close are one: things at a label's own point are not others.
bool SamePoint(CPoint a, CPoint b) { return std::hypot(a.x - b.x, a.y - b.y) <= 2.0; }

}

bool CLabelRoom::NearerToAnother(const CRect& cell, CPoint named, LabelKind kind, std::optional<CPoint> also) const
{
    const double own = CellDistance(cell, named);
    for (const NamedPoint& p : m_named)
        if (p.kind == kind && kind != LabelKind::None && !SamePoint(p.at, named) && (!also || !SamePoint(p.at, *also)) &&
            CellDistance(cell, p.at) < own)
            return true;
    return m_pOuter && m_pOuter->NearerToAnother(cell, named, kind, also);
}

bool CLabelRoom::NearerThanOwn(CPoint point, LabelKind kind) const
{
    for (const NamedPoint& p : m_named)
        if (p.kind == kind && kind != LabelKind::None && !p.cell.IsRectEmpty() && !SamePoint(p.at, point) &&
            CellDistance(p.cell, point) < CellDistance(p.cell, p.at))
            return true;
    return m_pOuter && m_pOuter->NearerThanOwn(point, kind);
}

void CLabelRoom::Unreserve(const CRect& asked, const QString& text)
{
    // Written smaller, a label stands about the middle of its place.
    const CPoint c = asked.CenterPoint();
    const auto it = std::find_if(m_reserved.begin(), m_reserved.end(), [&](const Reserved& r) {
        const CSize d = r.rect.CenterPoint() - c;
        return r.text == text && std::abs(d.cx) <= kTextGap && std::abs(d.cy) <= kTextGap;
    });
    if (it != m_reserved.end())
        m_reserved.erase(it);
}

bool CLabelRoom::OnReserved(const CRect& cell, LabelKind kind) const
{
    return std::any_of(m_reserved.begin(), m_reserved.end(),
                       [&](const Reserved& r) { return r.kind == kind && Overlap(r.rect, cell, kTouch, kTouch); });
}

CPoint CLabelRoom::IntoFrame(const CRect& cell) const
{
    if (m_frame.IsRectEmpty())
        return m_pOuter ? m_pOuter->IntoFrame(cell) : CPoint();
    auto shift = [](int lo, int hi, int flo, int fhi) {
        flo += kFramePad;
        fhi -= kFramePad;
        if (hi - lo > fhi - flo)
            return 0;
        return lo < flo ? flo - lo : hi > fhi ? fhi - hi : 0;
    };
    return CPoint(shift(cell.left, cell.right, m_frame.left, m_frame.right),
                  shift(cell.top, cell.bottom, m_frame.top, m_frame.bottom));
}

void CLabelRoom::KeepOffMarks(const std::vector<CDC::Record>& records)
{
    for (const CDC::Record& r : records) {
        const auto& a = r.args;
        if ((r.op == QLatin1String("Rectangle") || r.op == QLatin1String("Ellipse")) && a.size() >= 4)
            Take(CRect(std::min(a[0], a[2]), std::min(a[1], a[3]), std::max(a[0], a[2]), std::max(a[1], a[3])));
    }
}

void CLabelRoom::KeepOffLines(const std::vector<CDC::Record>& records)
{
    for (const CDC::Record& r : records) {
        const auto& a = r.args;
        if (r.op == QLatin1String("LineTo") && a.size() >= 4) {
            m_lines.emplace_back(CPoint(a[0], a[1]), CPoint(a[2], a[3]));
        } else if (r.op == QLatin1String("Polyline") || r.op == QLatin1String("Polygon")) {
            for (size_t i = 0; i + 3 < a.size(); i += 2)
                m_lines.emplace_back(CPoint(a[i], a[i + 1]), CPoint(a[i + 2], a[i + 3]));
            if (r.op == QLatin1String("Polygon") && a.size() >= 4)
                m_lines.emplace_back(CPoint(a[a.size() - 2], a[a.size() - 1]), CPoint(a[0], a[1]));
        } else if (r.op == QLatin1String("Rectangle") && a.size() >= 4) {
            // A slab or a load block is outlined as a polygon is.
            const CPoint p(a[0], a[1]), q(a[2], a[1]), s(a[2], a[3]), t(a[0], a[3]);
            for (const auto& [from, to] : {std::pair{p, q}, std::pair{q, s}, std::pair{s, t}, std::pair{t, p}})
                m_lines.emplace_back(from, to);
        }
    }
}

namespace {

CPoint NearestIn(const CRect& r, CPoint p)
{
    return CPoint(std::clamp(p.x, r.left, r.right), std::clamp(p.y, r.top, r.bottom));
}

double Distance(CPoint a, CPoint b) { return std::hypot(double(a.x - b.x), double(a.y - b.y)); }

// Where none is left out, texts keep a little more room: the device rounds the cells it
// writes by as much.
constexpr int kRounding = 2;

CRect Wider(CRect r, int d)
{
    r.InflateRect(d, d);
    return r;
}

// A text moved off its places looks no farther than this many text heights around them.
constexpr int kNearbyHeights = 3;

// The nearest cell around the asked one that is clear and whose leader from the named point
// runs through no text; empty where none is.
// Whether a label moved to the cell is led back to the point it names: where it stands apart
// from it, or nearer to what another label of its kind names.
bool Led(const CLabelRoom& room, const CRect& cell, CPoint named, LabelKind kind)
{
    return Distance(named, NearestIn(cell, named)) > std::min(cell.Width(), cell.Height()) ||
           room.NearerToAnother(cell, named, kind);
}

std::optional<CRect> NearbyClear(const CLabelRoom& room, const CRect& asked, CPoint named, CPoint anchor,
                                 LabelKind kind, bool bOfLines, bool bAlongY, int nEnds)
{
    // A long text looks as far again as half its length: its near end may still be by its point.
    const int h = std::max(bAlongY ? asked.Width() : asked.Height(), 3);
    const int length = bAlongY ? asked.Height() : asked.Width();
    const int near = kNearbyHeights * h + std::max(0, length - 2 * h) / 2;
    const int step = h / 2, reach = room.LeadsFar() ? std::max(near, CLabelRoom::kLongestLeader) : near;
    const int wider = room.LeadsFar() ? kRounding : 0;
    // Where none is found there, a leader as long as any may reach a place beyond: between close
    // lines a label asked beside one may find room only past the next, farther from where it was
    // asked than from its point.
    int farther = reach;
    if (room.LeadsFar())
        for (CPoint corner : {asked.TopLeft(), asked.BottomRight(), CPoint(asked.left, asked.bottom),
                              CPoint(asked.right, asked.top)})
            farther = std::max(farther, CLabelRoom::kLongestLeader + int(std::ceil(Distance(anchor, corner))));
    const int before = (farther - reach + step - 1) / step * step;
    std::vector<CPoint> offsets;
    for (int dy = -reach - before; dy <= farther; dy += step)
        for (int dx = -reach - before; dx <= farther; dx += step)
            if ((dx != 0 || dy != 0) && dx * dx + dy * dy <= farther * farther)
                offsets.emplace_back(dx, dy);
    std::stable_sort(offsets.begin(), offsets.end(), [](CPoint a, CPoint b) {
        return a.x * a.x + a.y * a.y < b.x * b.x + b.y * b.y;
    });
    // Off the first places of the labels still to come, else the nearest over one of them.
    std::optional<CRect> over;
    for (CPoint d : offsets) {
        const bool beyond = d.x * d.x + d.y * d.y > reach * reach;
        if (beyond && over)
            break;
        CRect cell = asked;
        cell.OffsetRect(d.x, d.y);
        if (beyond && Distance(anchor, NearestIn(cell, anchor)) > CLabelRoom::kLongestLeader)
            continue;
        const bool reserved = room.OnReserved(cell, kind);
        if ((reserved && over) || !room.IsClear(Wider(cell, kTouch), bOfLines, bAlongY, nEnds))
            continue;
        // Led, its leader runs through no text, and reaches no farther than a leader may.
        const bool led = Led(room, cell, named, kind) || anchor != named;
        // The leader as it will be drawn: short of a number's ends.
        CRect reach = cell;
        if (nEnds > 0)
            bAlongY ? reach.InflateRect(0, nEnds + kTouch + 1) : reach.InflateRect(nEnds + kTouch + 1, 0);
        if (led && (room.CrossesText(named, NearestIn(reach, named), wider) ||
                    Distance(anchor, NearestIn(cell, anchor)) > CLabelRoom::kLongestLeader))
            continue;
        if (!reserved)
            return cell;
        over = cell;
    }
    return over;
}

}

void NoteLabel(CDC* pDC, const LabelNote& note)
{
    if (pDC->IsRecording())
        pDC->Note("Label", {int(note.kind), note.anchor.x, note.anchor.y, note.place, note.led ? 1 : 0}, note.text,
                  note.cell);
}

std::vector<LabelNote> LabelNotes(const std::vector<CDC::Record>& records)
{
    std::vector<LabelNote> notes;
    for (const CDC::Record& r : records)
        if (r.op == QLatin1String("Label") && r.args.size() >= 5)
            notes.push_back({LabelKind(r.args[0]), r.text, CPoint(r.args[1], r.args[2]), r.box, r.args[3], r.args[4] != 0});
    return notes;
}

namespace {

// Where the room writes its labels smaller: the font selected made so in `small`, and the shift
// from a text's corner that keeps the middle of its cell where it stands; (0, 0) where not.
CPoint SmallerShift(CDC* pDC, const CLabelRoom& room, int nEscapement, const QString& text, std::optional<CFont>& small)
{
    CFont* font = pDC->GetCurrentFont();
    if (!font || !(room.TextScale() < 1.0))
        return CPoint();
    CPoint shift = TextCell(pDC, nEscapement, 0, 0, text).CenterPoint();
    LOGFONT lf = font->LogFont();
    lf.lfHeight = LONG(std::lround(lf.lfHeight * room.TextScale()));
    lf.lfWidth = LONG(std::lround(lf.lfWidth * room.TextScale()));
    small.emplace();
    small->CreateFontIndirect(&lf);
    Selected<CFont> smaller(pDC, &*small);
    const CPoint centre = TextCell(pDC, nEscapement, 0, 0, text).CenterPoint();
    shift.Offset(-centre.x, -centre.y);
    return shift;
}

}

CPoint CornerWrittenAt(CDC* pDC, int nEscapement, const QString& text, CPoint at)
{
    std::optional<CFont> small;
    const CLabelRoom* room = CLabelRoom::Of(pDC);
    const CPoint shift = room ? SmallerShift(pDC, *room, nEscapement, text, small) : CPoint();
    return CPoint(at.x - shift.x, at.y - shift.y);
}

CSize WrittenExtent(CDC* pDC, const QString& text)
{
    std::optional<CFont> small;
    if (const CLabelRoom* room = CLabelRoom::Of(pDC))
        SmallerShift(pDC, *room, 0, text, small);
    Selected<CFont> smaller(pDC, small ? &*small : nullptr);
    return pDC->GetTextExtent(text);
}

int WriteClear(CDC* pDC, int nEscapement, const std::vector<CPoint>& cornersIn, const QString& text,
               std::optional<CPoint> anchor, LabelKind kind, const std::vector<CPoint>& namedAt,
               std::optional<CPoint> via)
{
    if (cornersIn.empty())
        return -1;
    auto write = [&](CPoint at) {
        if (nEscapement % 3600 != 0)
            TextOutTurned(pDC, nEscapement, at.x, at.y, text);
        else
            pDC->TextOut(at.x, at.y, text);
    };
    // The label as the records tell it; where it was left out, the first place names the anchor.
    auto pointNamed = [&](int place, bool led) {
        const CRect first = TextCell(pDC, nEscapement, cornersIn.front().x, cornersIn.front().y, text);
        const bool at = place >= 0 && size_t(place) < std::min(namedAt.size(), cornersIn.size()) && (!led || via);
        return at ? namedAt[size_t(place)] : anchor ? *anchor : first.CenterPoint();
    };
    auto note = [&](int place, const CRect& cell, bool led = false) {
        if (pDC->IsRecording())
            NoteLabel(pDC, {kind, text, pointNamed(place, led), cell, place, led || (via && !cell.IsRectEmpty())});
    };
    CLabelRoom* room = CLabelRoom::Of(pDC);
    if (!room) {
        write(cornersIn.front());
        note(0, TextCell(pDC, nEscapement, cornersIn.front().x, cornersIn.front().y, text));
        return 0;
    }
    // Written smaller, each about the middle of its place.
    std::vector<CPoint> corners = cornersIn;
    std::optional<CFont> small;
    const CPoint shift = SmallerShift(pDC, *room, nEscapement, text, small);
    Selected<CFont> smaller(pDC, small ? &*small : nullptr);
    for (CPoint& p : corners)
        p.Offset(shift.x, shift.y);
    if (room->WritesAsAsked()) {
        write(corners.front());
        note(0, TextCell(pDC, nEscapement, corners.front().x, corners.front().y, text));
        return 0;
    }
    const bool alongY = (nEscapement / 900) % 2 != 0;
    // A label drawn twice at one place (a cross member at a pier, from both its spans) once.
    const CRect asked = TextCell(pDC, nEscapement, corners.front().x, corners.front().y, text);
    if (room->Holds(asked, text))
        return -1;   // noted where it was written
    room->Unreserve(asked, text);
    const bool keep = room->LeavesNoneOut();
    // A label led by the drawing's own line keeps by that line's end.
    const CPoint named = via ? *via : anchor ? *anchor : asked.CenterPoint();
    const int ends = NumberEndReach(text, asked, alongY);
    // The first of the corners whose cell is clear (of the lines too where asked), moved into
    // the frame where it is not; unless `plain`, none but the first that stands nearer to what
    // another label of its kind names.
    auto atCorner = [&](bool ofLines, bool plain) {
        for (bool moved : {false, true})
            for (size_t i = 0; i < corners.size(); ++i) {
                CPoint at = corners[i];
                CRect cell = TextCell(pDC, nEscapement, at.x, at.y, text);
                if (moved) {
                    const CPoint d = room->IntoFrame(cell);
                    if (d == CPoint())
                        continue;
                    at.Offset(d.x, d.y);
                    cell.OffsetRect(d.x, d.y);
                }
                // Nor, slid off its first place, one naming a point by a label written before.
                if (!room->IsClear(keep ? Wider(cell, kRounding) : cell, ofLines, alongY, ends) ||
                    (!plain && i > 0 && !via &&
                     (room->NearerToAnother(cell, pointNamed(int(i), false), kind, named) ||
                      room->NearerThanOwn(pointNamed(int(i), false), kind))))
                    continue;
                write(at);
                room->Take(cell, text, alongY, asked);
                // Clear of the texts only: over a line.
                if (!ofLines)
                    room->AddStray(true);
                room->Named(kind, pointNamed(int(i), false), via ? CRect() : cell);
                note(int(i), cell);
                return int(i);
            }
        return -1;
    };
    // Clear of the lines too where that can be; texts over texts never. A place by another
    // label's point only where none other near by is clear.
    for (bool ofLines : {true, false}) {
        if (const int i = atCorner(ofLines, !ofLines); i >= 0)
            return i;
        // Off its places, near them, led back to what it names where it stands apart.
        if (const std::optional<CRect> cell =
                keep ? NearbyClear(*room, asked, named, anchor ? *anchor : named, kind, ofLines, alongY, ends)
                     : std::nullopt) {
            write(CPoint(corners.front().x + cell->left - asked.left, corners.front().y + cell->top - asked.top));
            room->AddStray(!ofLines && !room->IsClear(*cell, true, alongY, ends));
            room->Take(*cell, text, alongY, asked);
            // A leader stops short of a number's ends, not to read as a digit or a sign of it.
            CRect reach = *cell;
            if (ends > 0)
                alongY ? reach.InflateRect(0, ends + kTouch + 1) : reach.InflateRect(ends + kTouch + 1, 0);
            const CPoint end = NearestIn(reach, named);
            const bool led = Led(*room, *cell, named, kind);
            room->Named(kind, via && anchor ? *anchor : named, led || via ? CRect() : *cell);
            if (led) {
                CPen pen(PS_SOLID, 1, RGB(0, 0, 0));
                Selected<CPen> leader(pDC, &pen);
                pDC->MoveTo(named);
                pDC->LineTo(end);
                room->KeepOffLine(named, end);
            }
            note(int(corners.size()), *cell, led);
            return int(corners.size());
        }
        if (ofLines)
            if (const int i = atCorner(true, true); i >= 0)
                return i;
    }
    if (!keep) {
        note(-1, CRect());
        return -1;
    }
    // No place near by is clear: a value the drawing shows is written over what is there.
    CPoint at = corners.front();
    CRect cell = asked;
    const CPoint d = room->IntoFrame(cell);
    at.Offset(d.x, d.y);
    cell.OffsetRect(d.x, d.y);
    write(at);
    room->Take(cell, text, alongY, asked);
    room->AddStray(true);
    room->Named(kind, pointNamed(0, false), via ? CRect() : cell);
    note(0, cell);
    return 0;
}

int WriteClear(CDC* pDC, int nEscapement, std::initializer_list<CPoint> corners, const QString& text)
{
    return WriteClear(pDC, nEscapement, std::vector<CPoint>(corners), text);
}

CPoint CornerBeside(CDC* pDC, int nEscapement, const QString& text, CPoint p, int nGap, int sx, int sy)
{
    const CRect c = TextCell(pDC, nEscapement, 0, 0, text);
    const int w = c.right - c.left, h = c.bottom - c.top;
    const int left = sx > 0 ? p.x + nGap : sx < 0 ? p.x - nGap - w : p.x - w / 2;
    const int bottom = sy > 0 ? p.y + nGap : sy < 0 ? p.y - nGap - h : p.y - h / 2;
    return CPoint(left - c.left, bottom - c.top);
}

std::vector<CPoint> ArcPoints(const std::vector<int>& a, int nSteps)
{
    std::vector<CPoint> out;
    if (a.size() < 8 || nSteps < 1)
        return out;
    const double cx = (a[0] + a[2]) / 2.0, cy = (a[1] + a[3]) / 2.0;
    const double rx = std::abs(a[2] - a[0]) / 2.0, ry = std::abs(a[3] - a[1]) / 2.0;
    if (rx <= 0.0 || ry <= 0.0)
        return out;
    const double from = std::atan2((a[5] - cy) / ry, (a[4] - cx) / rx);
    double sweep = std::atan2((a[7] - cy) / ry, (a[6] - cx) / rx) - from;
    while (sweep <= 0.0)
        sweep += 2.0 * 3.14159265358979;
    for (int k = 0; k <= nSteps; ++k) {
        const double t = from + sweep * k / nSteps;
        out.emplace_back(int(std::lround(cx + rx * std::cos(t))), int(std::lround(cy + ry * std::sin(t))));
    }
    return out;
}

CRect DrawnBounds(const std::vector<CDC::Record>& records)
{
    bool any = false;
    CRect b;
    auto add = [&](int x, int y) {
        if (!any)
            b = CRect(x, y, x, y);
        b.left = std::min(b.left, x);
        b.right = std::max(b.right, x);
        b.top = std::min(b.top, y);
        b.bottom = std::max(b.bottom, y);
        any = true;
    };
    for (const CDC::Record& r : records) {
        const auto& a = r.args;
        if ((r.op == QLatin1String("TextOut") || r.op == QLatin1String("ExtTextOut")) && !r.text.trimmed().isEmpty()) {
            add(r.box.left, r.box.top);
            add(r.box.right, r.box.bottom);
        } else if (r.op == QLatin1String("LineTo") || r.op == QLatin1String("Polyline") ||
                   r.op == QLatin1String("Polygon")) {
            for (size_t i = 0; i + 1 < a.size(); i += 2)
                add(a[i], a[i + 1]);
        } else if ((r.op == QLatin1String("Rectangle") || r.op == QLatin1String("Ellipse") ||
                    r.op == QLatin1String("Arc")) && a.size() >= 4) {
            add(a[0], a[1]);
            add(a[2], a[3]);
        }
    }
    return b;
}

std::vector<CDC::Record> ProbeLike(CDC* pDC, const std::function<void(CDC*)>& draw)
{
    CDC probe;
    probe.SetResolution(pDC->GetDeviceCaps(LOGPIXELSX), pDC->GetDeviceCaps(LOGPIXELSY));
    probe.SetMapMode(pDC->GetMapMode());
    probe.SetOnScreen(pDC->IsOnScreen());
    if (CFont* font = pDC->GetCurrentFont())
        probe.SelectObject(font);
    draw(&probe);
    return probe.TakeRecords();
}

std::vector<CDC::Record> ProbeDrawing(CDC* pDC, const PlacedDrawing& draw, CPoint origin, CDPoint scale)
{
    return ProbeLike(pDC, [&](CDC* probe) { draw(probe, origin, scale); });
}

namespace {

struct Strays {
    int all = 0, crowded = 0;
};

}

struct LabelTrials::Kept {
    // The probes by origin, scale and text size; the strays by those, the frame and the lead.
    using At = std::tuple<int, int, double, double, double>;
    using Laid = std::tuple<At, int, int, int, int, bool>;
    std::map<At, std::vector<CDC::Record>> probes;
    std::map<Laid, Strays> strays;
    static At AtOf(CPoint o, CDPoint k, double t) { return {o.x, o.y, k.x, k.y, t}; }
};

LabelTrials::LabelTrials() : kept(std::make_unique<Kept>()) {}
LabelTrials::~LabelTrials() = default;

namespace {

// Draws in a room of its own, one that leaves none of its labels out unless told; the labels
// that strayed. The labels keep off the drawing as a probe like the DC records it with every
// label at its first place, at their size: the leaders and shelves a drawing draws by them as
// long as they are written. The probe at this origin, scale and size is taken from `trials`
// where they hold it, and kept there.
Strays DrawInRoom(CDC* pDC, const PlacedDrawing& draw, CPoint origin, CDPoint scale, const CRect& frame,
                  double dTextScale, bool bLeaveNoneOut = true, LabelTrials* trials = nullptr,
                  bool bLeadFar = false)
{
    CLabelRoom room(pDC, frame, bLeaveNoneOut);
    room.SetTextScale(dTextScale);
    if (bLeadFar)
        room.LeadFar();
    std::vector<CDC::Record> own;
    std::vector<CDC::Record>& probed =
        trials ? trials->kept->probes[LabelTrials::Kept::AtOf(origin, scale, dTextScale)] : own;
    if (probed.empty())
        probed = ProbeLike(pDC, [&](CDC* probe) {
            CLabelRoom sized(probe);
            sized.SetTextScale(dTextScale);
            sized.WriteAsAsked();
            draw(probe, origin, scale);
        });
    room.KeepOffLines(probed);
    // The points the labels name are known before any is written: an early label keeps off
    // the point of one written later.
    for (const LabelNote& n : LabelNotes(probed)) {
        room.Named(n.kind, n.anchor);
        // A label the drawing's own line leads to has its place at that line's end; only one
        // clear of the lines is a place it may take.
        if (n.written() && n.led && room.IsClear(n.cell))
            room.Reserve(n.kind, n.cell, n.text);
    }
    draw(pDC, origin, scale);
    return {room.Strays(), room.Crowded()};
}

Strays LabelStrays(CDC* pDC, const PlacedDrawing& draw, CPoint origin, CDPoint scale, const CRect& frame,
                   double dTextScale, LabelTrials& trials, bool bLeadFar = false)
{
    const LabelTrials::Kept::Laid laid{LabelTrials::Kept::AtOf(origin, scale, dTextScale), frame.left, frame.top,
                                       frame.right, frame.bottom, bLeadFar};
    if (auto it = trials.kept->strays.find(laid); it != trials.kept->strays.end())
        return it->second;
    Strays strays;
    ProbeLike(pDC, [&](CDC* probe) {
        strays = DrawInRoom(probe, draw, origin, scale, frame, dTextScale, true, &trials, bLeadFar);
    });
    trials.kept->strays.emplace(laid, strays);
    return strays;
}

// The labels a tenth smaller at a step, down to `smallest` of their size, while some of those
// that `count` tells of stray; the first size with the fewest (1 where none is fewer than
// `fewest`).
double SmallerLabels(CDC* pDC, const PlacedDrawing& draw, CPoint origin, CDPoint scale, const CRect& frame,
                     int fewest, int Strays::*count, LabelTrials& trials, double smallest = 0.6,
                     bool bLeadFar = false)
{
    double best = 1.0;
    for (double t = 0.9; t > smallest - 0.05 && fewest > 0; t -= 0.1) {
        const int n = LabelStrays(pDC, draw, origin, scale, frame, t, trials, bLeadFar).*count;
        if (n < fewest) {
            fewest = n;
            best = t;
        }
    }
    return best;
}

// Smaller on screen, or led far on paper, than where the drawing grows instead; below half
// their size the texts no longer read on the screen's pixels.
constexpr double kSmallest = 0.5;

// Where the labels at this origin, scale and size still stand over lines or texts, whether they
// crowd fewer looking as far as their leaders may reach, at the size that finds: then the
// trials' leadFar and dTextScale say so. Only for the drawings that keep their trials.
void LeadFarther(CDC* pDC, const PlacedDrawing& draw, CPoint origin, CDPoint scale, const CRect& frame,
                 double& dTextScale, LabelTrials* trials)
{
    if (!trials)
        return;
    trials->leadFar = false;
    const int crowded = LabelStrays(pDC, draw, origin, scale, frame, dTextScale, *trials).crowded;
    if (crowded == 0)
        return;
    const int full = LabelStrays(pDC, draw, origin, scale, frame, 1.0, *trials, true).crowded;
    const double text = SmallerLabels(pDC, draw, origin, scale, frame, full, &Strays::crowded, *trials, kSmallest, true);
    if (LabelStrays(pDC, draw, origin, scale, frame, text, *trials, true).crowded < crowded) {
        trials->leadFar = true;
        dTextScale = text;
    }
}

}

namespace {

// Moves the origin to centre the drawing at scale k in the frame; false where it does not fit.
// On a sideways page the origin's x moves the drawing up and its y to the left.
bool CentredIn(CDC* pDC, const PlacedDrawing& draw, const CRect& frame, bool bTurned, CPoint& o, CDPoint k)
{
    const CRect b = DrawnBounds(ProbeDrawing(pDC, draw, o, k));
    if (b.Width() > frame.Width() || b.Height() > frame.Height())
        return false;
    const int dx = (frame.left + frame.right) / 2 - (b.left + b.right) / 2;
    const int dy = (frame.top + frame.bottom) / 2 - (b.top + b.bottom) / 2;
    o.Offset(bTurned ? dy : dx, bTurned ? -dx : dy);
    return true;
}

}

void DrawLabelled(CDC* pDC, const PlacedDrawing& draw, CPoint origin, CDPoint scale, const CRect& frame,
                  double dTextScale, bool bLeaveNoneOut, LabelTrials* trials)
{
    DrawInRoom(pDC, draw, origin, scale, frame, dTextScale, bLeaveNoneOut, trials, trials && trials->leadFar);
}

namespace {

// The frame a drawing grows inside: normalised and padded; false where there is none.
bool PaddedFrame(const CRect& frameIn, CRect& frame)
{
    frame = frameIn;
    frame.NormalizeRect();
    if (frame.IsRectEmpty())
        return false;
    frame.DeflateRect(kFramePad, kFramePad);
    return true;
}

}

namespace {

// The scale of GrowForLabels, its labels at their size: what strays there.
Strays GrowScale(CDC* pDC, const PlacedDrawing& draw, const CRect& frameIn, const CRect& frame, bool bTurned,
                 CPoint& origin, CDPoint& scale, bool bClearFirst, LabelTrials& trials)
{
    Strays fewest = LabelStrays(pDC, draw, origin, scale, frameIn, 1.0, trials);
    CPoint o = origin;
    CDPoint k = scale;
    // An eighth larger at a step, up to about three times.
    for (int step = 0; step < 9 && fewest.all > 0; ++step) {
        k = CDPoint(k.x * 1.125, k.y * 1.125);
        if (!CentredIn(pDC, draw, frame, bTurned, o, k))
            break;
        const Strays strays = LabelStrays(pDC, draw, o, k, frameIn, 1.0, trials);
        if (bClearFirst ? strays.crowded < fewest.crowded || (strays.crowded == fewest.crowded && strays.all < fewest.all)
                        : strays.all < fewest.all) {
            fewest = strays;
            origin = o;
            scale = k;
        }
    }
    return fewest;
}

}

void GrowForLabels(CDC* pDC, const PlacedDrawing& draw, const CRect& frameIn, bool bTurned, CPoint& origin,
                   CDPoint& scale, double& dTextScale, bool bClearFirst, LabelTrials* trialsIn)
{
    dTextScale = 1.0;
    CRect frame;
    if (!PaddedFrame(frameIn, frame))
        return;
    LabelTrials own;
    LabelTrials& trials = trialsIn ? *trialsIn : own;
    const Strays fewest = GrowScale(pDC, draw, frameIn, frame, bTurned, origin, scale, bClearFirst, trials);
    dTextScale = SmallerLabels(pDC, draw, origin, scale, frameIn, fewest.crowded, &Strays::crowded, trials);
    LeadFarther(pDC, draw, origin, scale, frameIn, dTextScale, trialsIn);
}

void GrowAndStretchForLabels(CDC* pDC, const PlacedDrawing& draw, const CRect& frameIn, bool bTurned,
                             CPoint& origin, CDPoint& scale, double& dTextScale, bool bClearFirst,
                             LabelTrials& trials)
{
    dTextScale = 1.0;
    trials.leadFar = false;
    CRect frame;
    if (!PaddedFrame(frameIn, frame))
        return;
    // The labels are sized once, at the stretch: where some still stray it sizes them anew.
    GrowScale(pDC, draw, frameIn, frame, bTurned, origin, scale, bClearFirst, trials);
    StretchForLabels(pDC, draw, frameIn, bTurned, origin, scale, dTextScale, &trials);
}

void StretchForLabels(CDC* pDC, const PlacedDrawing& draw, const CRect& frameIn, bool bTurned, CPoint& origin,
                      CDPoint& scale, double& dTextScale, LabelTrials* trialsIn)
{
    CRect frame;
    if (!PaddedFrame(frameIn, frame))
        return;
    LabelTrials own;
    LabelTrials& trials = trialsIn ? *trialsIn : own;
    Strays fewest = LabelStrays(pDC, draw, origin, scale, frameIn, 1.0, trials);
    if (fewest.all == 0)
        return;
    // Across, then up the drawing, an eighth at a step while the stretched drawing fits.
    for (double CDPoint::*axis : {&CDPoint::x, &CDPoint::y}) {
        CPoint o = origin;
        CDPoint k = scale;
        for (int step = 0; step < 12 && fewest.all > 0; ++step) {
            k.*axis *= 1.125;
            if (!CentredIn(pDC, draw, frame, bTurned, o, k))
                break;
            const Strays strays = LabelStrays(pDC, draw, o, k, frameIn, 1.0, trials);
            // Fewer over lines or texts; as clear, fewer moved away.
            if (strays.crowded < fewest.crowded || (strays.crowded == 0 && fewest.crowded == 0 && strays.all < fewest.all)) {
                fewest = strays;
                origin = o;
                scale = k;
            }
        }
    }
    dTextScale = SmallerLabels(pDC, draw, origin, scale, frameIn, fewest.crowded, &Strays::crowded, trials);
    LeadFarther(pDC, draw, origin, scale, frameIn, dTextScale, trialsIn);
}

void DrawLabelledAtScale(CDC* pDC, const PlacedDrawing& draw, CPoint origin, CDPoint scale)
{
    LabelTrials trials;
    const int crowded = LabelStrays(pDC, draw, origin, scale, CRect(), 1.0, trials, true).crowded;
    const double text = SmallerLabels(pDC, draw, origin, scale, CRect(), crowded, &Strays::crowded, trials, kSmallest, true);
    DrawInRoom(pDC, draw, origin, scale, CRect(), text, true, &trials, true);
}

void FitDrawing(CDC* pDC, const PlacedDrawing& draw, const CRect& frameIn, bool bTurned, CPoint& origin,
                CDPoint& scale)
{
    // Inside the padding the labels keep from the frame's rule: a label at the drawing's edge
    // pushed in off it would stand apart from what it names.
    CRect frame;
    if (!PaddedFrame(frameIn, frame))
        return;
    auto bounds = [&](CPoint o, CDPoint k) { return DrawnBounds(ProbeDrawing(pDC, draw, o, k)); };
    auto inside = [&](const CRect& b) {
        return b.left >= frame.left && b.right <= frame.right && b.top >= frame.top && b.bottom <= frame.bottom;
    };
    CRect b = bounds(origin, scale);
    if (inside(b))
        return;
    // A tenth smaller at a step; the texts keep their size, so the drawing may never fit.
    for (int step = 0; step < 40 && (b.Width() > frame.Width() || b.Height() > frame.Height()); ++step) {
        scale = CDPoint(scale.x * 0.9, scale.y * 0.9);
        b = bounds(origin, scale);
    }
    // Centred: on a sideways page the origin's x moves the drawing up and its y to the left.
    const int dx = (frame.left + frame.right) / 2 - (b.left + b.right) / 2;
    const int dy = (frame.top + frame.bottom) / 2 - (b.top + b.bottom) / 2;
    origin.Offset(bTurned ? dy : dx, bTurned ? -dx : dy);
}
