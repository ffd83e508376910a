// The main member data dialog and its sub-dialogs: one per kind of secondary member.
#pragma once

#include "framework/dialog.h"
#include "res/resource_ids.h"

// Sway bracing as a truss: chord and diagonal sections, and the member spacing b.
struct SwayBracingData {
    SwayBracingData(int upper, int lower, int diagonal) : m_nUpperChord(upper), m_nLowerChord(lower), m_nDiagonal(diagonal) {}
    bool operator==(const SwayBracingData&) const = default;
    int m_nUpperChord;
    int m_nLowerChord;
    int m_nDiagonal;
    int m_nGrade = 1;
    int m_bFirstOpen = 1;
    double m_dMemberDistB = 0.0;        // mm, 0 = from the girder heights
    int m_bConvertedStiffness = 0;
};

struct EndSwayData : SwayBracingData {
    EndSwayData() : SwayBracingData(12, 2, 6) {}
};
// Upper and lower chords share one section.
struct MidSwayData : SwayBracingData {
    MidSwayData() : SwayBracingData(12, 12, 2) {}
};
struct PierSwayData : SwayBracingData {
    PierSwayData() : SwayBracingData(12, 12, 2) {}
};

class CSwayDialogBase : public CDialog, public SwayBracingData {
public:
    CSwayDialogBase(UINT id, const SwayBracingData& defaults) : CDialog(id), SwayBracingData(defaults) {}
};

class CSetupEndSwayDialog : public CSwayDialogBase {
public:
    CSetupEndSwayDialog() : CSwayDialogBase(IDD_END_SWAY, EndSwayData()) {}
};

class CSetupMidSwayDialog : public CSwayDialogBase {
public:
    CSetupMidSwayDialog() : CSwayDialogBase(IDD_MID_SWAY, MidSwayData()) {}
};

class CSetupPierSwayDialog : public CSwayDialogBase {
public:
    CSetupPierSwayDialog() : CSwayDialogBase(IDD_PIER_SWAY, PierSwayData()) {}
};

struct CrossBeamTypeData {
    bool operator==(const CrossBeamTypeData&) const = default;
    int m_nGrade = 1;
    int m_bFirstOpen = 1;
    double m_dMemberDistB = 0.0;        // mm
    double m_dFlangeThickness = 10.0;
    double m_dFlangeWidth = 220.0;
    double m_dWebThickness = 9.0;
    int m_bConvertedStiffness = 1;
};

class CSetupCrossBeamTypeDialog : public CDialog, public CrossBeamTypeData {
public:
    CSetupCrossBeamTypeDialog() : CDialog(IDD_CROSS_BEAM_TYPE) {}
};

struct LateralBracingData {
    bool operator==(const LateralBracingData&) const = default;
    int m_nOuterSection = 2;
    int m_nInnerSection = 2;
    int m_nGrade = 1;
};

class CSetupLateralDialog : public CDialog, public LateralBracingData {
public:
    CSetupLateralDialog() : CDialog(IDD_LATERAL) {}
};

// Brackets: member spacings BL and BR at the girder, and the plate sizes.
struct BracketData {
    bool operator==(const BracketData&) const = default;
    int m_nGrade = 0;
    int m_bFirstOpen = 1;
    double m_dDistBL = 0.0;             // mm
    double m_dDistBR = 0.0;             // mm
    double m_dFlangeThickness = 9.0;
    double m_dFlangeWidth = 100.0;
    double m_dLength = 1000.0;
    double m_dWebThickness = 9.0;
};

class CBracketDialogBase : public CDialog, public BracketData {
public:
    explicit CBracketDialogBase(UINT id) : CDialog(id) {}
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
struct StringerData {
    bool operator==(const StringerData&) const = default;
    int m_nGrade = 0;
    int m_bFirstOpen = 1;
    double m_dFlangeThickness = 9.0;
    double m_dFlangeWidth = 100.0;
    double m_dWebHeightL = 0.0;         // mm
    double m_dWebThickness = 9.0;
};

struct MidStringerData : StringerData {
    bool operator==(const MidStringerData&) const = default;
    int m_nCount = 3;
};

class CStringerDialogBase : public CDialog {
public:
    explicit CStringerDialogBase(UINT id) : CDialog(id) {}
};

class CSetupEdgeStringerDialog : public CStringerDialogBase, public StringerData {
public:
    CSetupEdgeStringerDialog() : CStringerDialogBase(IDD_EDGE_STRINGER) {}
};

class CSetupMidStringerDialog : public CStringerDialogBase, public MidStringerData {
public:
    CSetupMidStringerDialog() : CStringerDialogBase(IDD_MID_STRINGER) {}
};

struct MainMemberData {
    bool operator==(const MainMemberData&) const = default;
    int m_bUseLateral = 1;              // lateral bracing (横構) used
};

class CSetupMainMemberDialog : public CDialog, public MainMemberData {
public:
    CSetupMainMemberDialog() : CDialog(IDD_MAIN_MEMBER) {}
    CSetupEndSwayDialog m_dlgEndSway;
    CSetupMidSwayDialog m_dlgMidSway;
    CSetupPierSwayDialog m_dlgPierSway;
    CSetupCrossBeamTypeDialog m_dlgCrossBeamType;
    CSetupLateralDialog m_dlgLateral;
    CSetupLeftBracketDialog m_dlgLeftBracket;
    CSetupRightBracketDialog m_dlgRightBracket;
    CSetupMidStringerDialog m_dlgMidStringer;
    CSetupEdgeStringerDialog m_dlgEdgeStringer;
};
