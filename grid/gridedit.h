// The in-place edit that the cell area places over the current cell, with its optional
// input mask, and the drop-down list of a drop list cell.
#pragma once

#include <QString>
#include <QStringList>
#include "framework/dialog.h"

class CGridCtrl;
class CFont;

// Control ids of the edit and of the list inside the cell area.
enum : UINT { GRID_ID_EDIT = 237, GRID_ID_DROPLIST = 123 };

// Input mask of the edit, one position per input character or literal.
class CGridEditMask {
public:
    // An empty mask switches it off; a backslash makes the next character a literal.
    void SetMask(const QString& mask);
    bool IsOn() const { return !m_strClasses.isEmpty(); }
    const QString& GetMask() const { return m_strMask; }
    int GetPositionCount() const { return int(m_strClasses.size()); }
    // The class of an input position, or 0 at a literal (or past the end).
    QChar ClassAt(int pos) const;
    // The literal at a literal position, or 0 at an input position.
    QChar LiteralAt(int pos) const;
    // Whether the class takes the character; *pBeep tells whether a refusal beeps.
    static bool Accepts(QChar cls, QChar ch, bool* pBeep = nullptr);
    // The text rebuilt by the mask: literals where the mask has them, characters of the
    // wrong class left out, no literal after the last character of the text.
    QString Format(const QString& text) const;

    static const QString s_strMaskChars;   // "0123459#L?Aa&C"

private:
    QString m_strMask;
    QString m_strClasses;    // the mask character at an input position, code 8 at a literal
    QString m_strLiterals;   // the literal at a literal position, code 8 at an input position
};

class CGridEdit : public CEdit {
public:
    CGridEdit();
    ~CGridEdit() override;

    void SetGrid(CGridCtrl* pGrid, CWnd* pArea) { m_pGrid = pGrid; m_pArea = pArea; }
    // Makes the edit window over rect of the area (a previous one goes without storing).
    BOOL Open(DWORD dwStyle, const CRect& rect, UINT nID);
    BOOL IsOpen() const { return GetSafeHwnd(); }
    BOOL SetMask(const QString& mask);
    const CGridEditMask& GetMask() const { return m_mask; }
    // Rebuilds the text by the mask, keeping the selection.
    void Reformat();

    // Offers the text to the grid (OnEditFinish) while the edit is accepting, and stores it
    // into the edited cell when the grid takes it. A text the grid refuses is dropped: the
    // cell keeps its value and the edit closes (FALSE).
    BOOL Store();
    // Tab, Enter or an arrow: store, then edit the next cell; after a refusal the cell
    // stays current and has the keys.
    void Finish(int colStep, int rowStep);
    // The edit goes without storing (Escape, or a new edit starts).
    void Close();
    // The edit lost the focus: stores and goes; after a refusal the cell takes the keys
    // back once the focus change is over.
    void FocusLost();
    // Set from a refusal on losing the focus until the cell has the keys again, so that
    // the click that took the focus moves nothing.
    BOOL IsRefused() const { return m_bRefused; }
    // The keys to the edited cell's table, whose window becomes the active one.
    void ReturnToCell();

    void OnSetFocus(CWnd* pOldWnd) override;
    void OnKillFocus(CWnd* pNewWnd) override;
    void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags) override;
    void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags) override;
    void OnSize(UINT nType, int cx, int cy) override;
    UINT OnGetDlgCode() override { return DLGC_WANTALLKEYS; }

    int m_bBusy = 0;          // the edit is changing its own text
    CGridEditMask m_mask;
    CGridCtrl* m_pGrid = nullptr;
    CWnd* m_pArea = nullptr;
    int m_bHasFocus = 0;
    int m_bAccept = 0;        // closing stores the text

private:
    int m_bStoring = 0;       // a message of the grid's check may take the focus meanwhile
    int m_bRefused = 0;
    void Insert(const QString& text);
};

// The choices of a drop list cell under the cell; a choice is written into the cell.
class CGridDropList : public CListBox {
public:
    CGridDropList();
    ~CGridDropList() override;

    // Opens the list at rect of the area with the choices; pListCol and pListRow are the
    // drop list type's list cell, which the list keeps up to date.
    BOOL Open(CGridCtrl* pGrid, CWnd* pArea, const CRect& rect, const CFont* pFont, int itemHeight,
              const QStringList& choices, int* pListCol, int* pListRow);
    BOOL IsOpen() const { return GetSafeHwnd(); }
    // Writes the selected choice into the list cell and closes the list.
    void Choose();
    // Closes the list without a choice (Escape, a press on the drop button).
    void Close();

    void OnSetFocus(CWnd* pOldWnd) override;
    void OnKillFocus(CWnd* pNewWnd) override;
    void OnLButtonUp(UINT nFlags, CPoint point) override;
    void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags) override;
    UINT OnGetDlgCode() override { return DLGC_WANTALLKEYS; }

    CGridCtrl* m_pGrid = nullptr;
    int m_bOpen = 0;
    int* m_pListCol = nullptr;
    int* m_pListRow = nullptr;
    int m_bChoiceMade = 0;

private:
    CWnd* m_pArea = nullptr;
    void FocusLost();
};
