// The sub-dialogs of the main member data: one per kind of secondary member.
#pragma once

#include "framework/dialog.h"
#include "res/resource_ids.h"

// Sway bracing as a truss: chord and diagonal sections, and the member spacing b.
class CSwayDialogBase : public CDialog {
public:
    CSwayDialogBase(UINT id, int upper, int lower, int diagonal) : CDialog(id), m_nUpperChord(upper),
        m_nLowerChord(lower), m_nDiagonal(diagonal) {}
    int m_nUpperChord;
    int m_nLowerChord;
    int m_nDiagonal;
    int m_nGrade = 1;
    int m_bFirstOpen = 1;
    double m_dMemberDistB = 0.0;        // mm, 0 = from the girder heights
    int m_bConvertedStiffness = 0;
};

class CSetupEndSwayDialog : public CSwayDialogBase {
public:
    CSetupEndSwayDialog() : CSwayDialogBase(IDD_END_SWAY, 12, 2, 6) {}
};

class CSetupMidSwayDialog : public CSwayDialogBase {
public:
    // Upper and lower chords share one section.
    CSetupMidSwayDialog() : CSwayDialogBase(IDD_MID_SWAY, 12, 12, 2) {}
};

class CSetupPierSwayDialog : public CSwayDialogBase {
public:
    CSetupPierSwayDialog() : CSwayDialogBase(IDD_PIER_SWAY, 12, 12, 2) {}
};

class CSetupCrossBeamTypeDialog : public CDialog {
public:
    CSetupCrossBeamTypeDialog() : CDialog(IDD_CROSS_BEAM_TYPE) {}
    int m_nGrade = 1;
    int m_bFirstOpen = 1;
    double m_dMemberDistB = 0.0;        // mm
    double m_dFlangeThickness = 10.0;
    double m_dFlangeWidth = 220.0;
    double m_dWebThickness = 9.0;
    int m_bConvertedStiffness = 1;
};

class CSetupLateralDialog : public CDialog {
public:
    CSetupLateralDialog() : CDialog(IDD_LATERAL) {}
    int m_nOuterSection = 2;
    int m_nInnerSection = 2;
    int m_nGrade = 1;
};

// Brackets: member spacings BL and BR at the girder, and the plate sizes.
class CBracketDialogBase : public CDialog {
public:
    explicit CBracketDialogBase(UINT id) : CDialog(id) {}
    int m_nGrade = 0;
    int m_bFirstOpen = 1;
    double m_dDistBL = 0.0;             // mm
    double m_dDistBR = 0.0;             // mm
    double m_dFlangeThickness = 9.0;
    double m_dFlangeWidth = 100.0;
    double m_dLength = 1000.0;
    double m_dWebThickness = 9.0;
};

class CSetupLeftBracketDialog : public CBracketDialogBase {
public:
    CSetupLeftBracketDialog() : CBracketDialogBase(IDD_LEFT_BRACKET) {}
};

class CSetupRightBracketDialog : public CBracketDialogBase {
public:
    CSetupRightBracketDialog() : CBracketDialogBase(IDD_RIGHT_BRACKET) {}
};

// Stringers: plate sizes with the web height L.
class CStringerDialogBase : public CDialog {
public:
    explicit CStringerDialogBase(UINT id) : CDialog(id) {}
    int m_nGrade = 0;
    int m_bFirstOpen = 1;
    double m_dFlangeThickness = 9.0;
    double m_dFlangeWidth = 100.0;
    double m_dWebHeightL = 0.0;         // mm
    double m_dWebThickness = 9.0;
};

class CSetupEdgeStringerDialog : public CStringerDialogBase {
public:
    CSetupEdgeStringerDialog() : CStringerDialogBase(IDD_EDGE_STRINGER) {}
};

class CSetupMidStringerDialog : public CStringerDialogBase {
public:
    CSetupMidStringerDialog() : CStringerDialogBase(IDD_MID_STRINGER) {}
    int m_nCount = 3;
};
