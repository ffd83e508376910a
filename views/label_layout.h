// The label layout every drawing shares: a text's cell, the room a drawing leaves its labels
// and the places they take there, the notes that tell them, and the probes and trials that
// draw a drawing at the scale and text size its labels find room at.
#pragma once

#include "framework/dc.h"
#include "geometry/plan.h"

#include <algorithm>
#include <cstdint>
#include <functional>
#include <initializer_list>
#include <memory>
#include <optional>
#include <unordered_map>
#include <utility>
#include <vector>

// Writes a text with the font now selected turned by nEscapement (tenths of a degree), its
// clipping turning with it; the font selected before is put back.
void TextOutTurned(CDC* pDC, int nEscapement, int x, int y, const QString& text);

// The cell, in logical units with top <= bottom, of a text written in the selected font with
// its top left at (x, y) and turned by nEscapement (tenths of a degree).
CRect TextCell(CDC* pDC, int nEscapement, int x, int y, const QString& text);

// Whether the segment pq runs through the rectangle (top <= bottom) shrunk by nInset: a text
// may touch a line by 0.3 mm, its font's leading.
bool SegmentThrough(CPoint p, CPoint q, const CRect& r, int nInset = 3);

// A line ending beyond a number's first or last character, along its reading line, within a
// quarter of a character, reads as a digit or a sign of it: that quarter for a text written in
// `cell` (reading along y where turned a quarter), 0 for a text that is no number.
bool IsNumber(const QString& text);
int NumberEndReach(const QString& text, const CRect& cell, bool bAlongY);
// The same for a number of nChars characters nLength long.
int NumberEndReach(int nLength, qsizetype nChars);

// Page points and segments found by the squares of a grid they lie in, for drawings whose
// labels try many places against many lines.
class CBuckets {
public:
    explicit CBuckets(int nSize = 100) : m_nSize(std::max(nSize, 1)) {}
    void Add(const CRect& r, int index)
    {
        ForSquares(r, [&](std::int64_t key) {
            m_map[key].push_back(index);
            return false;
        });
    }
    // Whether f is true of an index in a square the rectangle reaches (an index may come twice).
    template <class F>
    bool Any(const CRect& r, F f) const
    {
        return ForSquares(r, [&](std::int64_t key) {
            const auto it = m_map.find(key);
            if (it != m_map.end())
                for (int i : it->second)
                    if (f(i))
                        return true;
            return false;
        });
    }

private:
    template <class F>
    bool ForSquares(const CRect& r, F f) const
    {
        auto square = [this](int v) { return v >= 0 ? v / m_nSize : -((-v + m_nSize - 1) / m_nSize); };
        const int x0 = square(std::min(r.left, r.right)), x1 = square(std::max(r.left, r.right));
        const int y0 = square(std::min(r.top, r.bottom)), y1 = square(std::max(r.top, r.bottom));
        for (int x = x0; x <= x1; ++x)
            for (int y = y0; y <= y1; ++y)
                if (f((std::int64_t(x) << 32) ^ std::int64_t(std::uint32_t(y))))
                    return true;
        return false;
    }
    int m_nSize;
    std::unordered_map<std::int64_t, std::vector<int>> m_map;
};

// What a label names, so that the records tell it: a girder, a node of the plan, a cross member,
// a dimension line, a support, a section of a girder, a value at a point of a curve or load, or
// a layer of the deck by its thickness.
enum class LabelKind { None, Girder, Node, Member, Dimension, Support, Section, Value, Layer };

// The room a drawing leaves its labels: the cells of the texts written so far, the marks and
// lines they keep clear of, and the frame they stay inside. While one is open on a DC the
// labels of the drawers go only where they are clear, and are left out where no place is;
// a room that leaves none out moves them to a clear place near by instead.
class CLabelRoom {
public:
    // An empty frame does not limit the labels.
    explicit CLabelRoom(CDC* pDC, const CRect& frame = CRect(), bool bLeaveNoneOut = false);
    ~CLabelRoom();
    CLabelRoom(const CLabelRoom&) = delete;
    CLabelRoom& operator=(const CLabelRoom&) = delete;
    // The room open on the DC, null without one.
    static CLabelRoom* Of(CDC* pDC);

    // Clear of the frame's edge, the marks and lines, and by a little gap of other texts.
    // Lines keep nEnds further off its ends along its reading line (see NumberEndReach).
    bool IsClear(const CRect& cell, bool bOfLines = true, bool bAlongY = false, int nEnds = 0) const;
    // Whether the same text was meant for that cell (or one a text's gap from it) already.
    bool Holds(const CRect& cell, const QString& text) const;
    // The shift that brings the cell inside the frame, (0, 0) where it is or cannot be.
    CPoint IntoFrame(const CRect& cell) const;
    // A text's cell reads along y where it is turned a quarter; asked is the cell of the
    // place it was meant for.
    void Take(const CRect& cell, const QString& text = QString(), bool bAlongY = false, const CRect& asked = CRect())
    {
        m_cells.push_back({cell, text, bAlongY, asked});
    }
    // Keeps the labels clear of the marks and filled shapes the records draw (rectangles and
    // circles), and of their lines and outlines (rectangles' among them): a label crosses a
    // line only where no place clear of it is clear of the other texts.
    void KeepOffMarks(const std::vector<CDC::Record>& records);
    void KeepOffLines(const std::vector<CDC::Record>& records);
    void KeepOffLine(CPoint p, CPoint q) { m_lines.emplace_back(p, q); }
    // Whether the segment runs through a text written so far, its cell nWider wider.
    bool CrossesText(CPoint p, CPoint q, int nWider = 0) const;
    // The points the labels name as things of their kinds: those written so far, and those a
    // drawing tells before it writes them. Whether a cell stands nearer to another such point
    // of the kind than to `named`; `also`, the label's own anchor where it names a point of its
    // thing beside it, is not another. A label written by its point, not led, gives its cell.
    void Named(LabelKind kind, CPoint anchor, const CRect& cell = CRect()) { m_named.push_back({kind, anchor, cell}); }
    // The first places, told before they are written, of the labels the drawing's own lines
    // lead to (a stack's thicknesses): a label of their kind moved off its own places keeps
    // off them where it can. Written, a label gives its place up (asked: its first cell).
    void Reserve(LabelKind kind, const CRect& cell, const QString& text) { m_reserved.push_back({kind, cell, text}); }
    void Unreserve(const CRect& asked, const QString& text);
    bool OnReserved(const CRect& cell, LabelKind kind) const;
    bool NearerToAnother(const CRect& cell, CPoint named, LabelKind kind,
                         std::optional<CPoint> also = std::nullopt) const;
    // Whether a point a label would name at a place of its own other than its first, which the
    // others could not keep off, stands nearer to a label of its kind written so far than that
    // label's own point.
    bool NearerThanOwn(CPoint point, LabelKind kind) const;

    bool LeavesNoneOut() const { return m_bLeaveNoneOut; }
    // A label led back to the point it names stays within this (15 mm) of it.
    static constexpr int kLongestLeader = 145;
    // The labels that found none of their own places clear: moved away, over a line or over
    // another text; a drawing drawn larger may have room for them. Of them, those written
    // over what was there, a line or a text, for want of any clear place near by.
    int Strays() const { return m_nStrays; }
    int Crowded() const { return m_nCrowded; }
    void AddStray(bool bCrowded = false)
    {
        ++m_nStrays;
        m_nCrowded += bCrowded ? 1 : 0;
    }
    // The labels are written this much smaller than their fonts (1 as they are).
    double TextScale() const { return m_dTextScale; }
    void SetTextScale(double dScale) { m_dTextScale = dScale; }
    // From now on a cell is clear of the lines only nGap (>= 0) or more away from them; until
    // then a line may run just inside it, where the font leaves the cell's edge empty.
    void KeepLinesAway(int nGap) { m_nLineGap = nGap; }
    // A room that lays nothing out: every label at its first place, as without a room, only
    // written at the room's size; what a drawing draws by its labels then stands as it will.
    void WriteAsAsked() { m_bAsAsked = true; }
    bool WritesAsAsked() const { return m_bAsAsked; }
    // A label that finds no clear place near its own looks as far as its leader may reach, its
    // leader kept off the texts by what the screen's coarse pixels round: for a drawing kept at
    // the scale a window shows, which cannot grow for its labels.
    void LeadFar() { m_bLeadFar = true; }
    bool LeadsFar() const { return m_bLeadFar; }

private:
    CDC* m_pDC;
    CLabelRoom* m_pOuter;
    CRect m_frame;
    bool m_bLeaveNoneOut;
    int m_nStrays = 0;
    int m_nCrowded = 0;
    double m_dTextScale = 1.0;
    bool m_bAsAsked = false;
    struct Cell {
        CRect rect;
        QString text;       // empty for a mark
        bool alongY;
        CRect asked;
    };
    std::vector<Cell> m_cells;
    std::vector<std::pair<CPoint, CPoint>> m_lines;
    // The lines by the squares of a grid their bounds reach, filled as the cells are asked about:
    // a label tries many places against a drawing of many lines.
    mutable CBuckets m_lineSquares;
    mutable size_t m_nLinesInSquares = 0;
    // Whether a line runs through the cell shrunk by nInset (see SegmentThrough).
    bool LineThrough(const CRect& cell, int nInset) const;
    struct NamedPoint {
        LabelKind kind;
        CPoint at;
        CRect cell;     // empty for a point told, or one its label is led to
    };
    std::vector<NamedPoint> m_named;
    struct Reserved {
        LabelKind kind;
        CRect rect;
        QString text;
    };
    std::vector<Reserved> m_reserved;
    int m_nLineGap = -1;    // below 0: the touch allowance
    bool m_bLeadFar = false;
};

// Records (nothing is drawn) that the label `text` names the point `anchor` as a thing of its
// kind: written in `cell` (empty where it was left out) at its place `place` (0 the first the
// drawing asked for, higher for the others, the count of them where it was moved away), with a
// leader back to the anchor or not. Every label a drawing asks for is noted, written or not, so
// that the notes of a kind also tell where the other things of that kind are.
struct LabelNote {
    LabelKind kind = LabelKind::None;
    QString text;
    CPoint anchor;
    CRect cell;
    int place = 0;
    bool led = false;
    bool written() const { return !cell.IsRectEmpty(); }
};
void NoteLabel(CDC* pDC, const LabelNote& note);
// The notes among the records.
std::vector<LabelNote> LabelNotes(const std::vector<CDC::Record>& records);

// Writes the text at the first of the top-left corners where its cell is clear, else at the
// first that is clear once moved inside the frame, and takes the cell. Returns the index of
// the corner taken; -1, writing nothing, where none is clear, or where the same text was
// already meant for the first. Without a room open, at the first corner.
// In a room that leaves none out, a text with no corner clear goes to the nearest clear place
// around the first, with a short leader from the anchor (the point it names; the middle of
// the first cell without one) where it stands apart, and the count of corners is returned;
// where no place near by is clear it is written at the first corner all the same.
int WriteClear(CDC* pDC, int nEscapement, std::initializer_list<CPoint> corners, const QString& text);
// Each call notes its label (see NoteLabel) as of `kind`, named at the anchor; where `named`
// gives a point for each corner (the point of a line nearest the label there), a label written
// at a corner is noted as naming that point. Where the drawing leads the label's place to the
// anchor itself (an extension line from what a dimension measures, a note's leader), `via` is
// where that line leaves the label: the label is noted led to the anchor (or to the corner's
// point of `named`), and one moved off its places is led back to `via`.
int WriteClear(CDC* pDC, int nEscapement, const std::vector<CPoint>& corners, const QString& text,
               std::optional<CPoint> anchor = std::nullopt, LabelKind kind = LabelKind::None,
               const std::vector<CPoint>& named = {}, std::optional<CPoint> via = std::nullopt);
// The corner to ask WriteClear for to write the text with its top left at `at`, where the room
// open on the DC writes it smaller about the middle of the place asked for.
CPoint CornerWrittenAt(CDC* pDC, int nEscapement, const QString& text, CPoint at);
// The text's extent as the room open on the DC writes it: a smaller font's is not the full
// one's scaled, its sizes are rounded.
CSize WrittenExtent(CDC* pDC, const QString& text);
// The top-left corner that puts the text's cell beside the point p, nGap away, on the side
// (sx, sy) of it (each -1, 0 centred, or 1).
CPoint CornerBeside(CDC* pDC, int nEscapement, const QString& text, CPoint p, int nGap, int sx, int sy);

// The points an Arc record's args (its ellipse's box, then the radial points of its ends)
// draw through: nSteps + 1 along the part from the first end counter-clockwise (y up) to the
// second; none for a flat ellipse.
std::vector<CPoint> ArcPoints(const std::vector<int>& args, int nSteps);

// Where everything the records draw lies, as a rectangle with top <= bottom; empty for none.
CRect DrawnBounds(const std::vector<CDC::Record>& records);

// What the drawing draws, recorded on a probe like the DC (its resolution, mapping and font),
// so that its texts measure as they will on the DC.
std::vector<CDC::Record> ProbeLike(CDC* pDC, const std::function<void(CDC*)>& draw);
// A drawing at an origin and a scale (logical units per metre across and up).
using PlacedDrawing = std::function<void(CDC*, CPoint, CDPoint)>;
std::vector<CDC::Record> ProbeDrawing(CDC* pDC, const PlacedDrawing& draw, CPoint origin, CDPoint scale);
// One drawing's labels as probed and laid out at each origin, scale and size tried on one DC,
// kept so that growing, stretching and drawing it try none twice. Where its labels stand too
// close for any scale the frame takes, fewer over lines or texts looking as far as their leaders
// may reach (see CLabelRoom::LeadFar), GrowForLabels and StretchForLabels set leadFar, and
// DrawLabelled lays them out so.
class LabelTrials {
public:
    LabelTrials();
    ~LabelTrials();
    struct Kept;
    std::unique_ptr<Kept> kept;
    bool leadFar = false;
};
// Draws with its labels laid out in a room of their own (inside the frame where one is given),
// kept clear of the drawing's lines where they can be, written dTextScale of their size; none
// left out, unless the drawing keeps a label that finds no clear place at a place of its own.
// `trials`, where given, holds what the drawing's trials on this DC probed.
void DrawLabelled(CDC* pDC, const PlacedDrawing& draw, CPoint origin, CDPoint scale, const CRect& frame = CRect(),
                  double dTextScale = 1.0, bool bLeaveNoneOut = true, LabelTrials* trials = nullptr);
// Draws the drawing larger, step by step and centred in the frame, while some of its labels
// find no clear place of their own (see CLabelRoom) and the larger drawing still fits the
// frame; it stays at the first scale with the fewest of them. Where some would still stand
// over others or over lines, the labels are written smaller: dTextScale, 1 where they need not be.
// bClearFirst: a larger scale is kept only with no more of them over lines or texts, for a
// drawing whose outermost labels find no room beyond its edges once it fills the frame, which
// smaller texts do not give back.
void GrowForLabels(CDC* pDC, const PlacedDrawing& draw, const CRect& frame, bool bTurned, CPoint& origin,
                   CDPoint& scale, double& dTextScale, bool bClearFirst = false, LabelTrials* trials = nullptr);
// Where some labels still find no clear place of their own, stretches the drawing across, then
// up, an eighth at a step while it fits the frame, keeping the stretch with the fewest of them
// over lines or texts, then the fewest moved away;
// then the labels' size as GrowForLabels finds it. For drawings whose two scales are their own.
void StretchForLabels(CDC* pDC, const PlacedDrawing& draw, const CRect& frame, bool bTurned, CPoint& origin,
                      CDPoint& scale, double& dTextScale, LabelTrials* trials = nullptr);
// GrowForLabels, then StretchForLabels, as the two one after the other.
void GrowAndStretchForLabels(CDC* pDC, const PlacedDrawing& draw, const CRect& frame, bool bTurned, CPoint& origin,
                             CDPoint& scale, double& dTextScale, bool bClearFirst, LabelTrials& trials);
// Draws a drawing kept at the scale a window shows, its labels laid out as DrawLabelled lays
// them out: where some of them find no clear place and stand over others or over lines (see
// CLabelRoom), written at the first size a tenth smaller at a step, down to half, with the
// fewest of them; those still without a place near their own led to a clear one as far as a
// leader reaches (see CLabelRoom::LeadFar).
void DrawLabelledAtScale(CDC* pDC, const PlacedDrawing& draw, CPoint origin, CDPoint scale);
// Keeps a drawing, texts and all, inside the frame as far in as labels keep: where it drawn at
// origin and scale would leave it, the scale is made smaller step by step until it fits and the
// drawing is centred there. bTurned: the drawing lies a quarter turned on a sideways page (its origin's
// x runs up the page and its y to the left).
void FitDrawing(CDC* pDC, const PlacedDrawing& draw, const CRect& frame, bool bTurned, CPoint& origin,
                CDPoint& scale);
