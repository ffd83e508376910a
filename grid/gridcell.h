// One table cell as a value record. Every property has an "unset" value so that
// one record can be laid over another (AddInfoFrom): the grid builds the cell it
// shows from the column default, the stored record and the owner's changes.
#pragma once

#include <QString>
#include "framework/types.h"

class CFont;
class CBitmap;

constexpr COLORREF GRID_COLOR_UNSET = 0xFFFFFFFF;

// Alignment bits of m_nAlignment.
enum : short {
    GRID_ALIGN_RIGHT = 2, GRID_ALIGN_CENTER = 4, GRID_ALIGN_BOTTOM = 16, GRID_ALIGN_VCENTER = 32
};

// Border bits of m_nBorder: thin (1 px), medium (2 px), thick (3 px) per edge, and the 3-D frames.
enum : int {
    GRID_BORDER_LEFT = 0x1, GRID_BORDER_TOP = 0x2, GRID_BORDER_RIGHT = 0x4, GRID_BORDER_BOTTOM = 0x8,
    GRID_BORDER_LEFT2 = 0x10, GRID_BORDER_TOP2 = 0x20, GRID_BORDER_RIGHT2 = 0x40, GRID_BORDER_BOTTOM2 = 0x80,
    GRID_BORDER_LEFT3 = 0x100, GRID_BORDER_TOP3 = 0x200, GRID_BORDER_RIGHT3 = 0x400, GRID_BORDER_BOTTOM3 = 0x800,
    GRID_BORDER_SUNKEN = 0x1000, GRID_BORDER_RAISED = 0x2000
};

class CGridCell {
public:
    CGridCell() = default;
    CGridCell(const CGridCell& other) { CopyInfoFrom(other); }
    CGridCell& operator=(const CGridCell& other) { CopyInfoFrom(other); return *this; }

    // Every property back to unset; value and bounds keep their contents.
    void ClearAll();
    // Full copy; value and decimals only when the source has a data type, the join
    // fields only when the source is joined.
    void CopyInfoFrom(const CGridCell& source);
    // Lays the properties that the source sets over this record.
    void AddInfoFrom(const CGridCell& source);

    BOOL SetText(const QString& text) { m_strText = text; return TRUE; }
    const QString& GetText() const { return m_strText; }
    BOOL SetLabel(const QString& text) { m_strLabel = text; return TRUE; }
    const QString& GetLabel() const { return m_strLabel; }
    BOOL SetChoiceList(const QString& text) { m_strChoiceList = text; return TRUE; }
    const QString& GetChoiceList() const { return m_strChoiceList; }

    // Writes the value as text with the cell's decimals and makes the cell a number.
    BOOL SetNumber(double value);
    // A typed or pasted text: in a number cell a plain number takes the cell's decimals, as
    // the cell's own numbers show; any other text goes in as it is.
    BOOL SetEnteredText(const QString& text);
    // The text as a number within -1e20..1e20; 0 when the text holds no digit.
    double GetNumber() const;
    // Reads a whole number from the text; the out value stays as it was when there is none.
    BOOL GetTextAsInt(int& value) const;
    double GetValue() const { return m_dValue; }

    BOOL SetRange(double dMin, double dMax) { m_dMin = dMin; m_dMax = dMax; return TRUE; }
    double GetMin() const { return m_dMin; }
    double GetMax() const { return m_dMax; }
    BOOL SetDecimals(WORD nDecimals) { m_nDecimals = nDecimals; return TRUE; }
    WORD GetDecimals() const { return m_nDecimals; }
    BOOL SetDataType(short nType) { m_nDataType = nType; return TRUE; }
    int GetDataType() const { return m_nDataType; }
    BOOL EnableRangeCheck(short nFlag) { m_nRangeCheck = nFlag; return TRUE; }
    short GetRangeCheck() const { return m_nRangeCheck; }

    BOOL SetTextColor(COLORREF c) { m_crText = c; return TRUE; }
    BOOL SetBackColor(COLORREF c) { m_crBack = c; return TRUE; }
    BOOL SetSelTextColor(COLORREF c) { m_crSelText = c; return TRUE; }
    BOOL SetSelBackColor(COLORREF c) { m_crSelBack = c; return TRUE; }
    COLORREF GetTextColor() const { return m_crText; }
    COLORREF GetBackColor() const { return m_crBack; }
    BOOL SetAlignment(short nAlign) { m_nAlignment = nAlign; return TRUE; }
    short GetAlignment() const { return m_nAlignment; }
    BOOL SetBorder(short nBorder) { m_nBorder = nBorder; return TRUE; }
    short GetBorder() const { return m_nBorder; }
    BOOL SetFont(CFont* pFont) { m_pFont = pFont; return TRUE; }
    CFont* GetFont() const { return m_pFont; }
    BOOL SetBitmap(CBitmap* pBitmap) { m_pBitmap = pBitmap; return TRUE; }
    CBitmap* GetBitmap() const { return m_pBitmap; }
    BOOL SetReadOnly(short nFlag) { m_nReadOnly = nFlag; return TRUE; }
    short GetReadOnly() const { return m_nReadOnly; }
    BOOL SetCellType(int nType) { m_nCellType = nType; return TRUE; }
    int GetCellType() const { return m_nCellType; }
    BOOL SetCellTypeEx(int nStyle) { m_nCellTypeEx = nStyle; return TRUE; }
    int GetCellTypeEx() const { return m_nCellTypeEx; }
    BOOL GetJoinInfo(int* pJoined, int* pOrigin, int* pCol, int* pRow) const;

    int m_nDataType = -1;          // -1 unset, 0 plain, 2 number
    QString m_strText;
    QString m_strLabel;            // input mask of the in-place edit
    QString m_strChoiceList;       // drop-down choices or check-box caption
    double m_dValue = 0.0;
    WORD m_nDecimals = 2;
    double m_dMin = 0.0;
    double m_dMax = 1e20;
    short m_nRangeCheck = -1;
    COLORREF m_crText = GRID_COLOR_UNSET;
    COLORREF m_crBack = GRID_COLOR_UNSET;
    COLORREF m_crSelText = GRID_COLOR_UNSET;
    COLORREF m_crSelBack = GRID_COLOR_UNSET;
    short m_nAlignment = -1;
    short m_nBorder = -1;
    CFont* m_pFont = nullptr;      // not owned
    CBitmap* m_pBitmap = nullptr;  // not owned
    short m_nReadOnly = -1;
    int m_nCellType = -1;
    int m_nCellTypeEx = -1;
    int m_bJoined = 0;
    int m_bJoinOrigin = 0;
    int m_nJoinCol = 0;            // origin: last column of the block; others: the origin's column
    int m_nJoinRow = 0;
};
