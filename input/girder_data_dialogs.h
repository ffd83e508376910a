// Main girder data 2: the plate girder and box girder data, and the box girders' rib panel division.
#pragma once

#include "app/globals.h"
#include "framework/dialog.h"
#include "res/resource_ids.h"

// Representative girder heights as typed.
struct GirderHeightData {
    explicit GirderHeightData(double h)
    {
        for (double& v : m_adGirderHeight)
            v = h;
    }
    bool operator==(const GirderHeightData&) const = default;
    double m_adGirderHeight[MAX_GIRDERS];   // m
};
struct PlateGirderData : GirderHeightData {
    PlateGirderData() : GirderHeightData(1.8) {}
};
struct BoxGirderData : GirderHeightData {
    BoxGirderData() : GirderHeightData(2.0) {}
};

class CSetupPlateGirderDialog : public CDialog, public PlateGirderData {
public:
    CSetupPlateGirderDialog() : CDialog(IDD_PLATE_GIRDER) {}
};

class CSetupBoxGirderDialog : public CDialog, public BoxGirderData {
public:
    CSetupBoxGirderDialog() : CDialog(IDD_BOX_GIRDER) {}
};

struct RibPanelData {
    bool operator==(const RibPanelData&) const = default;
    int m_bResetRibs = 1;
};

class CSetupRibPanelDialog : public CDialog, public RibPanelData {
public:
    CSetupRibPanelDialog() : CDialog(IDD_RIB_PANEL) {}
};
