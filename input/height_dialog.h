// The girder height change window: definition points and girder heights along the bridge.
#pragma once

#include "app/globals.h"
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

class CSetupHeightDialog : public CModelessInputDialog, public HeightChangeData {
public:
    CSetupHeightDialog() : CModelessInputDialog(IDD_HEIGHT) {}
    // 1 clears every change point, 0 goes back to the defaults; arrives with the height input.
    void Reset(int bClear) {}
};

extern CSetupHeightDialog* g_pHeightDlg;
