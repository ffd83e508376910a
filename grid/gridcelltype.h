// How a cell is drawn and how it takes mouse and keyboard events, chosen by the cell's
// type id. CGridCellType is both the interface and the normal type (id 0): background,
// optional bitmap and text; it ignores every event.
#pragma once

#include "framework/types.h"

class CDC;
class CBitmap;
class CFont;
class CGridCell;
class CGridCtrl;
struct CGridSettings;

// Type ids that cells name.
enum : int {
    GRID_CT_NORMAL = 0, GRID_CT_CHECKBOX = 1, GRID_CT_DROPLIST = 2, GRID_CT_FITFONT = 4,
    GRID_CT_PROGRESS = 5, GRID_CT_SPIN = 6, GRID_CT_SORTARROW = 8, GRID_CT_BUTTON = 1000, GRID_CT_DRAWN = 1001
};

// Answers of the event operations; the grid passes them on as "processed".
enum : int { GRID_TYPE_DONE = 1, GRID_TYPE_NOTHANDLED = 2, GRID_TYPE_HANDLED = 3 };

// Style bits of the cell's type style (m_nCellTypeEx).
enum : int { GRID_STYLE_WORDWRAP = 2, GRID_STYLE_ELLIPSIS = 4, GRID_STYLE_CHOICES = 8 };

class CGridCellType {
public:
    CGridCellType();
    virtual ~CGridCellType() = default;

    virtual int GetId() const { return m_nId; }
    // In: the cell rectangle; out: the rectangle of the in-place edit.
    virtual BOOL GetEditRect(CRect* rect);
    virtual int OnLeftClick(int col, int row, int updn, CRect* rect, CPoint* point);
    virtual int OnRightClick(int col, int row, int updn, CRect* rect, CPoint* point);
    virtual int OnDoubleClick(int col, int row, CRect* rect, CPoint* point);
    virtual int OnKeyDown(UINT* vcKey);
    virtual int OnCharDown(UINT* vcKey);
    virtual int OnMouseMove(CPoint* point, int buttonHeld);
    // Draws the cell into the rectangle inside its border.
    virtual BOOL Draw(CDC* dc, CRect* rect, CGridCell* cell, int selected, int current);
    // Draws the cell on paper with the font scaled from the screen row height.
    virtual BOOL Print(CDC* dc, CRect* rect, CGridCell* cell, int screenColWidth, int screenRowHeight);
    // Device width that the cell's text needs on paper at the scale (printer pixels per screen
    // pixel), its margins included: a wrapped text by its own lines; 0 for text that ends in dots.
    virtual int PaperTextWidth(CDC* dc, CGridCell* cell, double scale);
    // Device height that the cell's text needs so, its lines one below the other.
    int PaperTextHeight(CDC* dc, CGridCell* cell, double scale) const { return PaperTextSize(dc, cell, scale).cy; }
    virtual void OnSetFocus(int col, int row, CGridCell* cell);
    virtual void OnKillFocus(int col, int row, CGridCell* cell);
    virtual void GetBestSize(CDC* dc, CSize* size, CGridCell* cell);

    BOOL IsEditable() const { return m_bEditable; }
    void SetEditable(BOOL bEditable) { m_bEditable = bEditable; }
    // Draws the bitmap at the left of the rectangle on the background colour; returns the width used.
    int DrawBitmap(CDC* dc, CBitmap* bitmap, CRect* rect, COLORREF backColor);
    // Registration with a grid.
    void SetGrid(CGridSettings* pSettings, CGridCtrl* pGrid) { m_pSettings = pSettings; m_pGrid = pGrid; }
    CGridCtrl* GetGrid() const { return m_pGrid; }

protected:
    // The font the cell prints in at the scale: its screen font, that many times as high.
    void MakePaperFont(CFont* font, CDC* dc, const CGridCell* cell, double scale) const;
    CSize PaperTextSize(CDC* dc, CGridCell* cell, double scale) const;
    // Set while the cell is drawn on paper: printer pixels per screen pixel.
    double PaperScale() const { return m_dPaperScale; }
    // Selected or current-and-highlighted cells use the selected colours.
    bool UseSelectedColors(int selected, int current) const;
    // Draws a grid border and returns the rectangle inside it.
    void DrawGridBorder(CDC* dc, CRect* rect, int border) const;
    int FrameWidth() const;
    // Tells the grid about an event of this type, and has it repaint a cell.
    void NotifyGrid(int col, int row, long msg, LPARAM param);
    void RedrawGridCell(int col, int row);

public:
    int m_nId = GRID_CT_NORMAL;
    BOOL m_bEditable = TRUE;
    BOOL m_bShowCaption = FALSE;     // Draw shows the third string instead of the text
    BOOL m_bHasFocus = FALSE;
    int m_nFocusCol = 0;
    int m_nFocusRow = 0;
    CGridSettings* m_pSettings = nullptr;
    CGridCtrl* m_pGrid = nullptr;

private:
    double m_dPaperScale = 0.0;
};

// Cell borders: the insets of the border bits, and their drawing.
void GridAdjustCellRect(CRect* rect, int border, int frameWidth);
void GridDrawBorder(CDC* dc, CRect* rect, int border, int frameWidth);
