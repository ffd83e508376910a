// The standard cell types: check box, drop list, fit font, progress, spin, sort arrow,
// push button and owner-drawn picture. The grid builds the first six in; a window that
// wants button or picture cells owns the type and registers it with its grid.
#pragma once

#include "grid/gridcelltype.h"
#include "grid/gridcell.h"
#include "framework/gdi.h"

#include <QStringList>
#include <functional>

class CGridDropList;

// Notification codes the types send through CGridCtrl::OnCellTypeNotify.
enum : long {
    GRID_NOTIFY_CHECK_CHANGED = 1,
    GRID_NOTIFY_BUTTON_CLICKED = 1, GRID_NOTIFY_BUTTON_PRESSED = 2, GRID_NOTIFY_BUTTON_RELEASED = 3,
    GRID_NOTIFY_SPIN_UP = 16, GRID_NOTIFY_SPIN_DOWN = 17,
    GRID_NOTIFY_LIST_OPENING = 100, GRID_NOTIFY_LIST_CHOSEN = 101
};

// Style bits of the check box (0x100 sunken frame, 0x200 raised, 0x1000 tick mark),
// of the drop list and button (16: button only on the current cell / no focus frame)
// and of the arrow (shape by value).
enum : int {
    GRID_CHECK_SUNKEN = 0x100, GRID_CHECK_RAISED = 0x200, GRID_CHECK_TICK = 0x1000,
    GRID_STYLE_CURRENTONLY = 16,
    GRID_ARROW_RIGHT = 16, GRID_ARROW_LEFT = 32, GRID_ARROW_RIGHT2 = 64, GRID_ARROW_LEFT2 = 128
};

class CGridCheckBoxCellType : public CGridCellType {
public:
    CGridCheckBoxCellType();
    BOOL Draw(CDC* dc, CRect* rect, CGridCell* cell, int selected, int current) override;
    int OnLeftClick(int col, int row, int updn, CRect* rect, CPoint* point) override;
    int OnDoubleClick(int col, int row, CRect* rect, CPoint* point) override;
    int OnKeyDown(UINT* vcKey) override;

    // Box side for a cell: the smaller side less 6, at most 12.
    static int BoxSide(int width, int height);

private:
    CPen m_penShadow, m_penLight, m_penFace;
    CGridCell m_cell;
    int Toggle(int col, int row);
};

class CGridDropListCellType : public CGridCellType {
public:
    CGridDropListCellType();
    ~CGridDropListCellType() override;
    BOOL GetEditRect(CRect* rect) override;
    BOOL Draw(CDC* dc, CRect* rect, CGridCell* cell, int selected, int current) override;
    int OnLeftClick(int col, int row, int updn, CRect* rect, CPoint* point) override;
    int OnDoubleClick(int col, int row, CRect* rect, CPoint* point) override;
    int OnMouseMove(CPoint* point, int buttonHeld) override;
    int OnKeyDown(UINT* vcKey) override;
    void OnKillFocus(int col, int row, CGridCell* cell) override;

    // Opens the list of the current cell's choices under it; FALSE when one is open.
    // The owner hears GRID_NOTIFY_LIST_OPENING with a QStringList* it may change.
    BOOL ShowList();
    // The choices of a choice string: every piece that a newline ends.
    static QStringList Choices(const QString& choiceList);
    // Closes the list window if it is shown.
    void HideList();

    int m_nListCol = -1;       // -1: no list open; -2: the list just closed by losing the focus
    int m_nListRow = -1;

private:
    CPen m_penFace;
    CBrush m_brushFace;
    int m_nButtonWidth;
    BOOL m_bPressed = FALSE;
    CRect m_rcButton;
    CGridDropList* m_pList = nullptr;
};

class CGridFitFontCellType : public CGridCellType {
public:
    CGridFitFontCellType();
    BOOL Draw(CDC* dc, CRect* rect, CGridCell* cell, int selected, int current) override;
};

class CGridProgressCellType : public CGridCellType {
public:
    CGridProgressCellType();
    BOOL Draw(CDC* dc, CRect* rect, CGridCell* cell, int selected, int current) override;
    // The label shown for the cell: the percentage, or the third string with style 1.
    static QString Label(const CGridCell& cell, int* percent = nullptr);
};

class CGridSpinCellType : public CGridCellType {
public:
    CGridSpinCellType();
    BOOL GetEditRect(CRect* rect) override;
    BOOL Draw(CDC* dc, CRect* rect, CGridCell* cell, int selected, int current) override;
    int OnLeftClick(int col, int row, int updn, CRect* rect, CPoint* point) override;
    int OnDoubleClick(int col, int row, CRect* rect, CPoint* point) override;
    int OnMouseMove(CPoint* point, int buttonHeld) override;

private:
    CPen m_penFace;
    CBrush m_brushFace;
    BOOL m_bDownPressed = FALSE;
    BOOL m_bUpPressed = FALSE;
    int m_nHeld = 0;           // 0 none, 1 up, 2 down
    int m_nButtonWidth;
    CRect m_rcTrack;
    int m_nPressCol = -1;
    int m_nPressRow = -1;
};

class CGridSortArrowCellType : public CGridCellType {
public:
    CGridSortArrowCellType();
    BOOL Draw(CDC* dc, CRect* rect, CGridCell* cell, int selected, int current) override;
};

class CGridButtonCellType : public CGridCellType {
public:
    CGridButtonCellType();
    BOOL GetEditRect(CRect* rect) override;
    BOOL Draw(CDC* dc, CRect* rect, CGridCell* cell, int selected, int current) override;
    // The text inside the raised frame.
    int PaperTextWidth(CDC* dc, CGridCell* cell, double scale) override;
    int OnLeftClick(int col, int row, int updn, CRect* rect, CPoint* point) override;
    int OnMouseMove(CPoint* point, int buttonHeld) override;
    int OnKeyDown(UINT* vcKey) override;
    void OnKillFocus(int col, int row, CGridCell* cell) override;

private:
    BOOL m_bPressed = FALSE;
    int m_nPressCol = -1;
    int m_nPressRow = -1;
    CRect m_rcPress;
};

// A picture the owner draws: the cell's background, then the owner's drawing inside the
// cell less a small margin, clipped to it. Such a cell takes no typing.
class CGridDrawnCellType : public CGridCellType {
public:
    using DrawFn = std::function<void(CDC* dc, const CRect& rect, const CGridCell& cell)>;
    CGridDrawnCellType();
    void SetDrawFn(DrawFn fn) { m_fnDraw = std::move(fn); }
    BOOL Draw(CDC* dc, CRect* rect, CGridCell* cell, int selected, int current) override;

private:
    DrawFn m_fnDraw;
};
