#include "app/progress_dlg.h"
#include "framework/app.h"
#include "framework/dc.h"

#include <array>
#include <cmath>
#include <numbers>

namespace {

constexpr COLORREF kBackground = RGB(236, 240, 245);

// Selects a pen and a brush for the shapes drawn inside it, and puts the old ones back.
class Paint {
public:
    Paint(CDC* pDC, COLORREF fill, COLORREF line, int width = 1)
        : m_pDC(pDC), m_pen(PS_SOLID, width, line), m_brush(fill)
    {
        m_pOldPen = pDC->SelectObject(&m_pen);
        m_pOldBrush = pDC->SelectObject(&m_brush);
    }
    ~Paint()
    {
        m_pDC->SelectObject(m_pOldPen);
        m_pDC->SelectObject(m_pOldBrush);
    }

private:
    CDC* m_pDC;
    CPen m_pen;
    CBrush m_brush;
    CPen* m_pOldPen;
    CBrush* m_pOldBrush;
};

// Text centred in a box, in the given face, pixel height and colour.
void CentredText(CDC* pDC, const CRect& box, const QString& text, const char* face, int height, int weight,
                 COLORREF color)
{
    CFont font;
    font.CreateFont(-height, 0, 0, 0, weight, 0, 0, 0, SHIFTJIS_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                    DEFAULT_QUALITY, DEFAULT_PITCH, QString::fromUtf8(face));
    CFont* pOld = pDC->SelectObject(&font);
    pDC->SetBkMode(TRANSPARENT);
    pDC->SetTextColor(color);
    pDC->DrawText(text, box, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOCLIP);
    pDC->SelectObject(pOld);
}

// ---- the crank calculator: the crank turns a fifth of a turn a picture, and each turn adds
// the number set on the levers into the result wheels and one into the turn counter.

constexpr int kSetNumber = 31416;

void DrawCrankCalculator(CDC* pDC, int nFrame)
{
    // The table it stands on.
    pDC->FillSolidRect(0, 128, 200, 22, RGB(196, 170, 132));
    pDC->FillSolidRect(0, 128, 200, 1, RGB(160, 134, 98));
    pDC->FillSolidRect(26, 128, 138, 4, RGB(164, 138, 102));

    // Body with its lighter top, on two feet.
    pDC->FillSolidRect(34, 124, 12, 5, RGB(34, 34, 34));
    pDC->FillSolidRect(138, 124, 12, 5, RGB(34, 34, 34));
    {
        Paint p(pDC, RGB(52, 86, 74), RGB(28, 48, 40));
        pDC->RoundRect(22, 28, 162, 126, 16, 16);
    }
    {
        Paint p(pDC, RGB(84, 124, 108), RGB(84, 124, 108));
        pDC->RoundRect(28, 32, 156, 41, 8, 8);
    }

    // Setting levers in their slots: the digits of the set number, small ones below.
    const QString set = QString::number(kSetNumber).rightJustified(9, QLatin1Char('0'));
    for (int i = 0; i < 9; ++i) {
        const int x = 38 + i * 13;
        for (int d = 0; d <= 9; d += 3)
            pDC->FillSolidRect(x - 5, 80 - d * 3, 2, 1, RGB(140, 176, 160));
        pDC->FillSolidRect(x - 1, 46, 3, 36, RGB(18, 30, 26));
        const int y = 80 - set[i].digitValue() * 3;
        Paint p(pDC, RGB(236, 228, 206), RGB(40, 40, 36));
        pDC->RoundRect(x - 4, y - 3, x + 5, y + 4, 3, 3);
    }

    // The carriage in front with the turn counter (left) and the result wheels (right).
    {
        Paint p(pDC, RGB(178, 184, 178), RGB(86, 92, 86));
        pDC->RoundRect(10, 88, 174, 120, 6, 6);
    }
    pDC->FillSolidRect(14, 90, 156, 2, RGB(216, 220, 216));
    {
        Paint p(pDC, RGB(120, 124, 130), RGB(60, 62, 66));
        pDC->Ellipse(3, 98, 12, 110);
        pDC->Ellipse(172, 98, 181, 110);
    }
    const int turns = nFrame + 1;
    auto wheels = [pDC](int left, const QString& digits) {
        for (int i = 0; i < digits.size(); ++i) {
            const CRect w(left + i * 13, 96, left + i * 13 + 12, 114);
            pDC->FillSolidRect(w, RGB(250, 246, 230));
            // The wheel's curve: its top and bottom turn away into shade.
            pDC->FillSolidRect(w.left, w.top, w.Width(), 2, RGB(200, 194, 176));
            pDC->FillSolidRect(w.left, w.bottom - 2, w.Width(), 2, RGB(200, 194, 176));
            pDC->Draw3dRect(w.left - 1, w.top - 1, w.Width() + 2, w.Height() + 2, RGB(70, 74, 70), RGB(236, 238, 236));
            CentredText(pDC, w, digits.mid(i, 1), "ＭＳ ゴシック", 13, FW_BOLD, RGB(20, 20, 20));
        }
    };
    wheels(18, QString::number(turns).rightJustified(3, QLatin1Char('0')));
    wheels(64, QString::number(turns * kSetNumber).rightJustified(8, QLatin1Char('0')));

    // The crank on the right side, with the path of its handle.
    const CPoint hub(174, 60);
    const int arm = 20;
    {
        CPen path(PS_DOT, 1, RGB(150, 156, 164));
        CPen* pOld = pDC->SelectObject(&path);
        CGdiObject* pOldBrush = pDC->SelectStockObject(NULL_BRUSH);
        pDC->Ellipse(hub.x - arm, hub.y - arm, hub.x + arm + 1, hub.y + arm + 1);
        pDC->SelectObject(pOld);
        pDC->SelectObject(pOldBrush);
    }
    pDC->FillSolidRect(160, 53, 8, 14, RGB(70, 72, 78));
    const double angle = (-90.0 + 72.0 * nFrame) * std::numbers::pi / 180.0;
    const CPoint grip(hub.x + int(std::lround(arm * std::cos(angle))), hub.y + int(std::lround(arm * std::sin(angle))));
    {
        CPen pen(PS_SOLID, 5, RGB(120, 122, 130));
        CPen* pOld = pDC->SelectObject(&pen);
        pDC->MoveTo(hub);
        pDC->LineTo(grip);
        pDC->SelectObject(pOld);
    }
    {
        Paint p(pDC, RGB(150, 152, 160), RGB(60, 62, 66));
        pDC->Ellipse(hub.x - 7, hub.y - 7, hub.x + 8, hub.y + 8);
    }
    {
        Paint p(pDC, RGB(40, 30, 26), RGB(16, 12, 10));
        pDC->Ellipse(grip.x - 5, grip.y - 5, grip.x + 6, grip.y + 6);
    }
}

// ---- the electronic calculator: one key is pressed a picture, 1 2 × = =, and the display
// follows (the repeated = multiplies again).

struct Key {
    const char* label;
    int col, row, cols, rows;
    COLORREF face, text;
};

constexpr COLORREF kDigitKey = RGB(216, 218, 222), kOpKey = RGB(112, 118, 130), kClearKey = RGB(210, 84, 60),
                   kEqualKey = RGB(226, 150, 54);

const std::array<Key, 17> kKeys = {{
    {"C", 0, 0, 1, 1, kClearKey, RGB(255, 255, 255)}, {"÷", 1, 0, 1, 1, kOpKey, RGB(255, 255, 255)},
    {"×", 2, 0, 1, 1, kOpKey, RGB(255, 255, 255)},    {"−", 3, 0, 1, 1, kOpKey, RGB(255, 255, 255)},
    {"7", 0, 1, 1, 1, kDigitKey, RGB(20, 20, 20)},    {"8", 1, 1, 1, 1, kDigitKey, RGB(20, 20, 20)},
    {"9", 2, 1, 1, 1, kDigitKey, RGB(20, 20, 20)},    {"+", 3, 1, 1, 2, kOpKey, RGB(255, 255, 255)},
    {"4", 0, 2, 1, 1, kDigitKey, RGB(20, 20, 20)},    {"5", 1, 2, 1, 1, kDigitKey, RGB(20, 20, 20)},
    {"6", 2, 2, 1, 1, kDigitKey, RGB(20, 20, 20)},    {"1", 0, 3, 1, 1, kDigitKey, RGB(20, 20, 20)},
    {"2", 1, 3, 1, 1, kDigitKey, RGB(20, 20, 20)},    {"3", 2, 3, 1, 1, kDigitKey, RGB(20, 20, 20)},
    {"=", 3, 3, 1, 2, kEqualKey, RGB(255, 255, 255)}, {"0", 0, 4, 2, 1, kDigitKey, RGB(20, 20, 20)},
    {".", 2, 4, 1, 1, kDigitKey, RGB(20, 20, 20)},
}};

struct Step {
    const char* key;
    int display;
    bool multiplying;
};
constexpr std::array<Step, CCalcProgressDlg::kFrames> kSteps = {{
    {"1", 1, false}, {"2", 12, false}, {"×", 12, true}, {"=", 144, false}, {"=", 1728, false}}};

COLORREF Darker(COLORREF c, int percent)
{
    return RGB(GetRValue(c) * percent / 100, GetGValue(c) * percent / 100, GetBValue(c) * percent / 100);
}

// One seven-segment digit (-1: blank) of 7 x 15 pixels; unlit segments stay faintly visible.
void SegmentDigit(CDC* pDC, int x, int y, int digit, COLORREF lit, COLORREF unlit)
{
    // Segments a..g and the digits that light them.
    static const CRect segments[7] = {{1, 0, 6, 2}, {5, 1, 7, 7}, {5, 8, 7, 14}, {1, 13, 6, 15},
                                      {0, 8, 2, 14}, {0, 1, 2, 7}, {1, 6, 6, 8}};
    static const unsigned char pattern[10] = {0x3F, 0x06, 0x5B, 0x4F, 0x66, 0x6D, 0x7D, 0x07, 0x7F, 0x6F};
    for (int s = 0; s < 7; ++s) {
        const bool on = digit >= 0 && (pattern[digit] >> s & 1);
        CRect r = segments[s];
        r.OffsetRect(x, y);
        pDC->FillSolidRect(r, on ? lit : unlit);
    }
}

void DrawElectronicCalculator(CDC* pDC, int nFrame)
{
    const Step& step = kSteps[size_t(nFrame)];

    // Body on its shadow.
    {
        Paint p(pDC, RGB(202, 206, 214), RGB(202, 206, 214));
        pDC->RoundRect(58, 8, 150, 150, 14, 14);
    }
    {
        Paint p(pDC, RGB(58, 62, 72), RGB(28, 30, 36));
        pDC->RoundRect(52, 3, 146, 146, 14, 14);
    }

    // Solar cell.
    pDC->FillSolidRect(104, 9, 34, 10, RGB(72, 46, 38));
    for (int x = 112; x < 138; x += 9)
        pDC->FillSolidRect(x, 9, 1, 10, RGB(118, 84, 70));

    // Display: the pending-multiplication mark, then eight digits right-aligned, the point after the last.
    pDC->FillSolidRect(59, 22, 80, 30, RGB(34, 36, 42));
    constexpr COLORREF lcd = RGB(178, 194, 160), lit = RGB(28, 34, 28), unlit = RGB(170, 186, 152);
    pDC->FillSolidRect(62, 25, 74, 24, lcd);
    if (step.multiplying) {
        CPen pen(PS_SOLID, 1, lit);
        CPen* pOld = pDC->SelectObject(&pen);
        pDC->MoveTo(65, 27);
        pDC->LineTo(70, 32);
        pDC->MoveTo(69, 27);
        pDC->LineTo(64, 32);
        pDC->SelectObject(pOld);
    }
    const QString shown = QString::number(step.display);
    for (int i = 0; i < 8; ++i) {
        const int fromRight = 7 - i;
        const int digit = fromRight < shown.size() ? shown[shown.size() - 1 - fromRight].digitValue() : -1;
        SegmentDigit(pDC, 64 + i * 9, 32, digit, lit, unlit);
    }
    pDC->FillSolidRect(64 + 7 * 9 + 7, 45, 2, 2, lit);

    // Keys; the pressed one is darker and sunk, without its shadow.
    for (const Key& k : kKeys) {
        const bool pressed = QString::fromUtf8(k.label) == QString::fromUtf8(step.key);
        CRect r(61 + k.col * 20, 59 + k.row * 17, 61 + (k.col + k.cols - 1) * 20 + 16,
                59 + (k.row + k.rows - 1) * 17 + 13);
        if (pressed) {
            r.OffsetRect(0, 2);
        } else {
            Paint shade(pDC, RGB(24, 26, 30), RGB(24, 26, 30));
            pDC->RoundRect(r.left, r.top + 2, r.right, r.bottom + 2, 5, 5);
        }
        const COLORREF face = pressed ? Darker(k.face, 70) : k.face;
        Paint p(pDC, face, Darker(k.face, 55));
        pDC->RoundRect(r, CPoint(5, 5));
        CentredText(pDC, r, QString::fromUtf8(k.label), "ＭＳ Ｐゴシック", 10, FW_BOLD, k.text);
    }
}

}

void CCalcProgressDlg::DrawFrame(CDC* pDC, const CRect& rect, int nAnimation, int nFrame)
{
    pDC->FillSolidRect(rect, kBackground);
    const int saved = pDC->SaveDC();
    pDC->SetViewportOrg(rect.left + (rect.Width() - kPictureWidth) / 2,
                        rect.top + (rect.Height() - kPictureHeight) / 2);
    const int frame = ((nFrame % kFrames) + kFrames) % kFrames;
    if (nAnimation == 1)
        DrawElectronicCalculator(pDC, frame);
    else
        DrawCrankCalculator(pDC, frame);
    pDC->RestoreDC(saved);
}

BOOL CCalcProgressDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_picture.AttachPicture(IDC_PROGRESS_PICTURE, this,
                            [this](CDC* pDC, const CRect& rect) { DrawFrame(pDC, rect, m_nAnimation, m_nFrame); });
    return TRUE;
}

void CCalcProgressDlg::Start(int nAnimation)
{
    if (!GetSafeHwnd()) {
        if (!Create(IDD_CALC_PROGRESS, AfxGetMainWnd()))
            return;
        EnableCloseButton(FALSE);
        SetApplicationModal(TRUE);
    }
    m_nAnimation = nAnimation == 1 ? 1 : 0;
    if (IsShown()) {
        m_picture.Invalidate();
        return;
    }
    m_nFrame = 0;
    CenterWindow(AfxGetMainWnd());
    ShowWindow(SW_SHOW);
    SetTimer(kTimerId, kFrameMs);
}

void CCalcProgressDlg::Stop()
{
    KillTimer(kTimerId);
    if (GetSafeHwnd())
        ShowWindow(SW_HIDE);
}

bool CCalcProgressDlg::IsShown() const
{
    return GetSafeHwnd() && IsWindowVisible();
}

void CCalcProgressDlg::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent != kTimerId)
        return;
    m_nFrame = (m_nFrame + 1) % kFrames;
    m_picture.Invalidate();
}
