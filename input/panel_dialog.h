// The panel division and girder type window: panel lengths and girder framing per span.
#pragma once

#include "app/globals.h"
#include "input/modeless.h"
#include "res/resource_ids.h"

// Girder layout per span: framing lines, spacing, skews and line types.
struct PanelDivisionData {
    PanelDivisionData();
    bool operator==(const PanelDivisionData&) const = default;
    double m_adBaseToG1[MAX_SPANS][2];      // m, framework base line to girder G1 at span start and end
    double m_adGirderSpacing[MAX_SPANS][2]; // m, main girder spacing (single box: half the web spacing)
    double m_adSkew[MAX_SPANS][2];          // rad, at span start and end
    double m_adBaseRadius[MAX_SPANS];       // m, signed
    int m_anGirderLineType[MAX_SPANS];      // 0 straight, 1 arc
    int m_anCrossBeamDir[MAX_SPANS];        // square to the base line, start skew, end skew, square to the girders
    int m_anBaseLineType[MAX_SPANS];        // 0 straight, 1 arc
};

class CSetupPanelDialog : public CModelessInputDialog, public PanelDivisionData {
public:
    CSetupPanelDialog() : CModelessInputDialog(IDD_PANEL) {}
    int m_bLoadPictures = 1;
    int m_nSpan = 0;
};

extern CSetupPanelDialog* g_pPanelDlg;
