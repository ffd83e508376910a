#include "grid/gridcelltype.h"
#include "grid/gridcell.h"
#include "grid/gridsettings.h"
#include "grid/gridctrl.h"
#include "framework/dc.h"

#include <cmath>
#include <vector>

// ---------------------------------------------------------------- borders

namespace {
int edgeInset(int border, int thin, int medium, int thick)
{
    return ((border & thin) ? 1 : 0) + ((border & medium) ? 2 : 0) + ((border & thick) ? 3 : 0);
}
}

void GridAdjustCellRect(CRect* rect, int border, int frameWidth)
{
    if (!rect || border <= 0)
        return;
    rect->left += edgeInset(border, GRID_BORDER_LEFT, GRID_BORDER_LEFT2, GRID_BORDER_LEFT3);
    rect->top += edgeInset(border, GRID_BORDER_TOP, GRID_BORDER_TOP2, GRID_BORDER_TOP3);
    rect->right -= edgeInset(border, GRID_BORDER_RIGHT, GRID_BORDER_RIGHT2, GRID_BORDER_RIGHT3);
    rect->bottom -= edgeInset(border, GRID_BORDER_BOTTOM, GRID_BORDER_BOTTOM2, GRID_BORDER_BOTTOM3);
    if (border & (GRID_BORDER_RAISED | GRID_BORDER_SUNKEN))
        rect->DeflateRect(frameWidth, frameWidth);
}

void GridDrawBorder(CDC* dc, CRect* rect, int border, int frameWidth)
{
    if (!dc || !rect || border <= 0)
        return;
    const COLORREF line = RGB(0, 0, 0);
    CRect r = *rect;
    // Edges of one to three pixels on screen; on paper as many hairlines.
    const int hair = dc->HairlinePixels();
    const int l = hair * edgeInset(border, GRID_BORDER_LEFT, GRID_BORDER_LEFT2, GRID_BORDER_LEFT3);
    const int t = hair * edgeInset(border, GRID_BORDER_TOP, GRID_BORDER_TOP2, GRID_BORDER_TOP3);
    const int rt = hair * edgeInset(border, GRID_BORDER_RIGHT, GRID_BORDER_RIGHT2, GRID_BORDER_RIGHT3);
    const int b = hair * edgeInset(border, GRID_BORDER_BOTTOM, GRID_BORDER_BOTTOM2, GRID_BORDER_BOTTOM3);
    if (l) dc->FillSolidRect(CRect(r.left, r.top, r.left + l, r.bottom), line);
    if (t) dc->FillSolidRect(CRect(r.left, r.top, r.right, r.top + t), line);
    if (rt) dc->FillSolidRect(CRect(r.right - rt, r.top, r.right, r.bottom), line);
    if (b) dc->FillSolidRect(CRect(r.left, r.bottom - b, r.right, r.bottom), line);
    r.left += l;
    r.top += t;
    r.right -= rt;
    r.bottom -= b;
    if (border & (GRID_BORDER_RAISED | GRID_BORDER_SUNKEN)) {
        const bool raised = border & GRID_BORDER_RAISED;
        const COLORREF light = GetSysColor(COLOR_3DHILIGHT), shadow = GetSysColor(COLOR_3DSHADOW);
        for (int i = 0; i < frameWidth && !r.IsRectEmpty(); ++i) {
            dc->Draw3dRect(r, raised ? light : shadow, raised ? shadow : light);
            r.DeflateRect(hair, hair);
        }
    }
    *rect = r;
}

// ---------------------------------------------------------------- the normal type

CGridCellType::CGridCellType() = default;

BOOL CGridCellType::GetEditRect(CRect* rect)
{
    rect->left += 3;
    rect->top += 1;
    rect->right -= 3;
    rect->bottom -= 1;
    return TRUE;
}

int CGridCellType::OnLeftClick(int, int, int, CRect*, CPoint*) { return GRID_TYPE_NOTHANDLED; }
int CGridCellType::OnRightClick(int, int, int, CRect*, CPoint*) { return GRID_TYPE_NOTHANDLED; }
int CGridCellType::OnDoubleClick(int, int, CRect*, CPoint*) { return GRID_TYPE_NOTHANDLED; }
int CGridCellType::OnKeyDown(UINT*) { return GRID_TYPE_NOTHANDLED; }
int CGridCellType::OnCharDown(UINT*) { return GRID_TYPE_NOTHANDLED; }
int CGridCellType::OnMouseMove(CPoint*, int) { return GRID_TYPE_NOTHANDLED; }

void CGridCellType::OnSetFocus(int col, int row, CGridCell*)
{
    m_bHasFocus = TRUE;
    m_nFocusCol = col;
    m_nFocusRow = row;
}

void CGridCellType::OnKillFocus(int, int, CGridCell*) { m_bHasFocus = FALSE; }

bool CGridCellType::UseSelectedColors(int selected, int current) const
{
    return selected || (current && m_pSettings && (m_pSettings->m_nCurrentCellMode & GRID_CURRENT_HIGHLIGHT));
}

void CGridCellType::NotifyGrid(int col, int row, long msg, LPARAM param)
{
    if (m_pGrid)
        m_pGrid->OnCellTypeNotify(GetId(), col, row, msg, param);
}

void CGridCellType::RedrawGridCell(int col, int row)
{
    if (m_pGrid)
        m_pGrid->RedrawCell(col, row);
}

int CGridCellType::FrameWidth() const { return m_pSettings ? m_pSettings->m_nFrameWidth : 1; }

void CGridCellType::DrawGridBorder(CDC* dc, CRect* rect, int border) const
{
    GridDrawBorder(dc, rect, border, FrameWidth());
}

BOOL CGridCellType::Draw(CDC* dc, CRect* rect, CGridCell* cell, int selected, int current)
{
    CFont* oldFont = dc->GetCurrentFont();
    const CRect saved = *rect;
    if (cell->m_nCellTypeEx < 0)
        cell->m_nCellTypeEx = 0;
    const int style = cell->m_nCellTypeEx;
    const QString& text = (m_bShowCaption || (style & GRID_STYLE_CHOICES)) ? cell->m_strChoiceList : cell->m_strText;

    if (cell->m_pFont)
        dc->SelectObject(cell->m_pFont);
    else if (m_pSettings && m_pSettings->m_pDefFont)
        dc->SelectObject(m_pSettings->m_pDefFont);

    const bool sel = UseSelectedColors(selected, current);
    const COLORREF textColor = sel ? cell->m_crSelText : cell->m_crText;
    const COLORREF backColor = sel ? cell->m_crSelBack : cell->m_crBack;
    dc->SetTextColor(textColor);
    dc->SetBkColor(backColor);

    if (cell->m_pBitmap)
        rect->left += DrawBitmap(dc, cell->m_pBitmap, rect, backColor);

    dc->SetBkColor(backColor);
    dc->ExtTextOut(rect->left, rect->top, ETO_OPAQUE, rect, QString());

    // On paper the margins grow with the table, and a line without a place of its own stands
    // in the middle of its row as the headings do.
    const bool paper = m_dPaperScale > 0.0;
    const int mx = paper ? int(std::lround(3 * m_dPaperScale)) : 3;
    const int my = paper ? int(std::lround(m_dPaperScale)) : 1;
    CRect textRect(rect->left + mx, rect->top + my, rect->right - mx, rect->bottom - my);
    const int align = cell->m_nAlignment < 0 ? 0 : cell->m_nAlignment;
    UINT vflags = paper ? DT_VCENTER : DT_TOP;
    if (align & GRID_ALIGN_VCENTER) vflags = DT_VCENTER;
    else if (align & GRID_ALIGN_BOTTOM) vflags = DT_BOTTOM;

    if ((style & GRID_STYLE_ELLIPSIS) && dc->GetTextExtent(text).cx > textRect.Width()) {
        const int dots = dc->GetTextExtent(QStringLiteral("...")).cx;
        const int start = std::max(textRect.right - dots, textRect.left);
        dc->DrawText(QStringLiteral("..."), CRect(start, textRect.top, textRect.right, textRect.bottom),
                     DT_SINGLELINE | DT_NOPREFIX | DT_LEFT | vflags);
        textRect.right = start - 1;
    }

    if (textRect.Width() > 2 * mx && textRect.Height() > 2 * my) {
        if (style & GRID_STYLE_WORDWRAP) {
            dc->DrawText(text, textRect, DT_WORDBREAK | DT_NOPREFIX | DT_LEFT | DT_TOP);
        } else {
            UINT hflags = DT_LEFT;
            if (align & GRID_ALIGN_CENTER) hflags = DT_CENTER;
            else if (align & GRID_ALIGN_RIGHT) hflags = DT_RIGHT;
            dc->DrawText(text, textRect, DT_SINGLELINE | DT_NOPREFIX | hflags | vflags);
        }
    }

    dc->SelectObject(oldFont);
    *rect = saved;
    return TRUE;
}

int CGridCellType::DrawBitmap(CDC* dc, CBitmap* bitmap, CRect* rect, COLORREF backColor)
{
    const int availW = rect->Width() - 4, availH = rect->Height() - 4;
    const CSize size = bitmap->GetSize();
    int drawnW = size.cx, drawnH = size.cy;
    bool scaled = false;
    if (size.cx > availW || size.cy > availH) {
        if (size.cx != 0 && availW > 0 && availH > 0) {
            // Keep the aspect ratio, in the single precision the layout was made with.
            const float availRatio = float(availH) / float(availW);
            const float ratio = float(size.cy) / float(size.cx);
            if (availRatio <= ratio) {
                drawnH = availH;
                drawnW = int(float(availH) / ratio);
            } else {
                drawnW = availW;
                drawnH = int(float(availW) * ratio);
            }
            scaled = true;
        } else {
            drawnW = drawnH = 0;
        }
    }

    CDC mem;
    mem.CreateCompatibleDC(dc);
    mem.SetRecording(false);
    mem.SelectObject(bitmap);
    if (size.cx > 0 && size.cy > 0) {
        // The bitmap's own background takes the cell colour: fill the area of the
        // top-left pixel's colour that touches it.
        const COLORREF target = mem.GetPixel(0, 0);
        const COLORREF fill = backColor & 0xFFFFFF;
        if (target != 0xFFFFFFFF && target != fill) {
            std::vector<char> seen(size_t(size.cx) * size_t(size.cy), 0);
            std::vector<CPoint> stack{CPoint(0, 0)};
            while (!stack.empty()) {
                const CPoint p = stack.back();
                stack.pop_back();
                if (p.x < 0 || p.y < 0 || p.x >= size.cx || p.y >= size.cy)
                    continue;
                char& s = seen[size_t(p.y) * size_t(size.cx) + size_t(p.x)];
                if (s || mem.GetPixel(p.x, p.y) != target)
                    continue;
                s = 1;
                mem.SetPixel(p.x, p.y, fill);
                stack.push_back({p.x + 1, p.y});
                stack.push_back({p.x - 1, p.y});
                stack.push_back({p.x, p.y + 1});
                stack.push_back({p.x, p.y - 1});
            }
        }
    }

    dc->FillSolidRect(CRect(rect->left, rect->top, rect->left + 4 + drawnW, rect->bottom), backColor);
    const int x = rect->left + 2;
    const int y = rect->top + 2 + (rect->Height() - drawnH) / 2;
    if (drawnW > 0 && drawnH > 0) {
        if (scaled)
            dc->StretchBlt(x, y, drawnW, drawnH, &mem, 0, 0, size.cx, size.cy, SRCCOPY);
        else
            dc->BitBlt(x, y, drawnW, drawnH, &mem, 0, 0, SRCCOPY);
    }
    mem.DeleteDC();
    return drawnW + 4;
}

void CGridCellType::MakePaperFont(CFont* font, CDC* dc, const CGridCell* cell, double scale) const
{
    CFont* source = cell->m_pFont ? cell->m_pFont : (m_pSettings ? m_pSettings->m_pDefFont : nullptr);
    const LOGFONT lf = source ? source->LogFont() : dc->GetCurrentFont()->LogFont();
    font->CreateFont(int(lf.lfHeight * scale), 0, 0, 0, lf.lfWeight, 0, 0, 0, SHIFTJIS_CHARSET, 0, 0, 0, 0,
                     lf.lfFaceName);
}

BOOL CGridCellType::Print(CDC* dc, CRect* rect, CGridCell* cell, int, int screenRowHeight)
{
    // A row of no height on screen prints at the screen size.
    const double scale = screenRowHeight > 0 ? std::abs(double(rect->Height())) / screenRowHeight : 1.0;
    CFont font;
    MakePaperFont(&font, dc, cell, scale);
    CFont* own = cell->m_pFont;
    CFont* oldFont = dc->GetCurrentFont();
    cell->m_pFont = &font;
    m_dPaperScale = scale;
    Draw(dc, rect, cell, 0, 0);
    m_dPaperScale = 0.0;
    cell->m_pFont = own;
    dc->SelectObject(oldFont);
    font.DeleteObject();
    return TRUE;
}

int CGridCellType::PaperTextWidth(CDC* dc, CGridCell* cell, double scale) { return PaperTextSize(dc, cell, scale).cx; }

CSize CGridCellType::PaperTextSize(CDC* dc, CGridCell* cell, double scale) const
{
    const int style = cell->m_nCellTypeEx < 0 ? 0 : cell->m_nCellTypeEx;
    if (style & GRID_STYLE_ELLIPSIS)
        return {};
    const QString& text = (m_bShowCaption || (style & GRID_STYLE_CHOICES)) ? cell->m_strChoiceList : cell->m_strText;
    if (text.isEmpty())
        return {};
    CFont font;
    MakePaperFont(&font, dc, cell, scale);
    CFont* oldFont = dc->SelectObject(&font);
    // A wrapped text is meant to break where its own lines do, no more.
    CRect box(CPoint(0, 0), dc->GetTextExtent(text));
    if (style & GRID_STYLE_WORDWRAP)
        dc->DrawText(text, &box, DT_CALCRECT | DT_NOPREFIX);
    dc->SelectObject(oldFont);
    font.DeleteObject();
    // The margins of Draw on either side, and the cell's border.
    const int border = 2 * dc->HairlinePixels();
    return {std::abs(box.Width()) + 2 * int(std::lround(3 * scale)) + border,
            std::abs(box.Height()) + 2 * int(std::lround(scale)) + border};
}

void CGridCellType::GetBestSize(CDC* dc, CSize* size, CGridCell* cell)
{
    CFont* oldFont = dc->GetCurrentFont();
    if (cell->m_pFont)
        dc->SelectObject(cell->m_pFont);
    else if (m_pSettings && m_pSettings->m_pDefFont)
        dc->SelectObject(m_pSettings->m_pDefFont);
    *size = dc->GetTextExtent(cell->m_strText);
    dc->SelectObject(oldFont);
}
