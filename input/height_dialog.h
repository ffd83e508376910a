// The girder height change window: definition points and girder heights along the bridge.
#pragma once

#include "app/globals.h"
#include "grid/tablegrid.h"
#include "input/modeless.h"
#include "res/resource_ids.h"

// Girder heights at the supports and change points.
struct HeightChangeData {
    static constexpr int POINTS = 155;
    HeightChangeData();
    bool operator==(const HeightChangeData&) const = default;
    // Definition points: per span its support then its change points, then the last support.
    double m_adPointPos[POINTS];                 // m from the span's left support
    double m_adPointHeight[POINTS][MAX_GIRDERS]; // m
    int m_anPointCount[MAX_SPANS] = {};          // change points per span
    int m_nPointCols = 2;
    int m_nInterpolation = 1;                    // 0 straight, 1 spline
};

// One column per definition point; row 0 the positions (mm), then one row of heights (mm)
// per girder while the height varies.
class CSetupHeightGrid : public CTableGrid {
public:
    void OnSetup() override;
    void OnCellTypeNotify(long typeId, int col, int row, long msg, LPARAM param) override;
    double Number(int col, int row);
};

class CSetupHeightDialog : public CModelessInputDialog, public HeightChangeData {
public:
    CSetupHeightDialog();
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    void OnShowWindow(BOOL bShow, UINT nStatus) override;

    // A new design's points: supports only, heights from the girder data while the height varies.
    void SetDefaults();
    // 1 clears every change point, 0 goes back to the defaults.
    void Reset(int bClear);

    // After new span lengths (the old ones given, m): each change point keeps its place between
    // its supports in proportion; one that would come too near a support or another point is
    // dropped, and the user told which. True when any point moved.
    bool FollowSpanLengths(const double* adOldLength);

    void OnUpdate();
    void OnAdd();
    void OnDelete();

    // The definition point dialog's check of a new change point (span from 0, metres) against
    // the working copy: the refusal, or an empty text.
    QString CheckNewPoint(int nSpan, double dPos) const;
    // Puts a checked point into the working copy in its place; false when there is no room.
    bool InsertPoint(int nSpan, double dPos);

    CSetupHeightGrid m_grid;
    // The working copy that the table edits until "更新".
    double m_adEditPos[POINTS] = {};
    double m_adEditHeight[POINTS][MAX_GIRDERS];
    int m_anEditCount[MAX_SPANS] = {};
    int m_nEditCols = 2;

private:
    int GirderRows() const;
    // Lays the table out from the working copy; position cells spin when bSpinPositions.
    void FillTable(bool bSpinPositions);
    // The committed data into the working copy and the table.
    void ShowCommitted();
    void TableToWorkingCopy();
    // The first typed position that breaks the rules of a change point: its column and message.
    bool CheckTypedPositions(int* pCol, QString* pMessage);
};

// Asks for the span and position of a new change point.
class CSetupDefPointDialog : public CDialog {
public:
    explicit CSetupDefPointDialog(CSetupHeightDialog* pOwner);
    BOOL OnInitDialog() override;
    void OnAdd();

private:
    CSetupHeightDialog* m_pOwner;
};

extern CSetupHeightDialog* g_pHeightDlg;
