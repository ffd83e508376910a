// The main member data dialog and its sub-dialogs: one per kind of secondary member.
#pragma once

#include <vector>
#include "framework/dialog.h"
#include "input/member_pictures.h"
#include "input/picture_frame.h"
#include "res/resource_ids.h"

// Sway bracing as a truss: chord and diagonal sections, and the member spacing b.
struct SwayBracingData {
    SwayBracingData(int upper, int lower, int diagonal) : m_nUpperChord(upper), m_nLowerChord(lower), m_nDiagonal(diagonal) {}
    bool operator==(const SwayBracingData&) const = default;
    int m_nUpperChord;                  // indexes into g_szSectionShapes
    int m_nLowerChord;
    int m_nDiagonal;
    int m_nGrade = 1;                   // index into g_szSteelGrades9
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

struct LateralBracingData {
    bool operator==(const LateralBracingData&) const = default;
    int m_nOuterSection = 2;
    int m_nInnerSection = 2;
    int m_nGrade = 1;
};

// Brackets: member spacings BL and BR at their two ends, and the plate sizes.
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

// What the sub-dialogs share: section and grade combos, dimensions in mm with spins of
// 0..32767, the member's picture, and a Cancel that leaves the members as they were.
class CMemberDialogBase : public CDialog {
public:
    CMemberDialogBase(UINT nIDTemplate, MemberPictureKind picture);
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    void OnOK() override;
    void OnCancel() override;

    CPictureFrame m_picture;

protected:
    struct Combo {
        int id;
        int* value;
        bool shapes;                    // rolled shapes, else steel grades
    };
    struct Dimension {
        int edit;
        int spin;
        double* value;
    };
    virtual std::vector<Combo> Combos() = 0;
    virtual std::vector<Dimension> Dimensions() = 0;
    // Fills an empty dimension from the girder heights when the flag says first opening.
    virtual void DeriveAtFirstOpening() {}
    virtual void SaveData() = 0;
    virtual void RestoreData() = 0;

private:
    // A step of a dimension's spin: 1 mm from what is typed, within the range.
    void StepDimension(int nSpin, int nEdit);

    MemberPictureKind m_pictureKind;
};

// The data part of a sub-dialog, with the copy that Cancel puts back.
template <class Data>
class CMemberDialog : public CMemberDialogBase, public Data {
public:
    CMemberDialog(UINT nIDTemplate, MemberPictureKind picture, const Data& defaults = Data())
        : CMemberDialogBase(nIDTemplate, picture), Data(defaults), m_saved(defaults) {}

protected:
    void SaveData() override { m_saved = static_cast<const Data&>(*this); }
    void RestoreData() override { static_cast<Data&>(*this) = m_saved; }

private:
    Data m_saved;
};

class CSwayDialogBase : public CMemberDialog<SwayBracingData> {
public:
    CSwayDialogBase(UINT nIDTemplate, MemberPictureKind picture, const SwayBracingData& defaults, int nDistEdit,
                    int nDistSpin, int nConvertedCheck);
    void DoDataExchange(CDataExchange* pDX) override;

protected:
    std::vector<Dimension> Dimensions() override { return {{m_nDistEdit, m_nDistSpin, &m_dMemberDistB}}; }
    int m_nDistEdit;
    int m_nDistSpin;
    int m_nConvertedCheck;
};

class CSetupEndSwayDialog : public CSwayDialogBase {
public:
    CSetupEndSwayDialog();
protected:
    std::vector<Combo> Combos() override;
    void DeriveAtFirstOpening() override;
};

// One section for both chords: the chord combo writes the upper and the lower chord.
class CSetupMidSwayDialog : public CSwayDialogBase {
public:
    CSetupMidSwayDialog();
    void OnOK() override;
protected:
    std::vector<Combo> Combos() override;
    void DeriveAtFirstOpening() override;
};

class CSetupPierSwayDialog : public CSwayDialogBase {
public:
    CSetupPierSwayDialog();
    void OnOK() override;
protected:
    std::vector<Combo> Combos() override;
    void DeriveAtFirstOpening() override;
};

class CSetupCrossBeamTypeDialog : public CMemberDialog<CrossBeamTypeData> {
public:
    CSetupCrossBeamTypeDialog();
    void DoDataExchange(CDataExchange* pDX) override;
protected:
    std::vector<Combo> Combos() override;
    std::vector<Dimension> Dimensions() override;
    void DeriveAtFirstOpening() override;
};

class CSetupLateralDialog : public CMemberDialog<LateralBracingData> {
public:
    CSetupLateralDialog();
protected:
    std::vector<Combo> Combos() override;
    std::vector<Dimension> Dimensions() override { return {}; }
};

class CBracketDialogBase : public CMemberDialog<BracketData> {
public:
    struct Ids {
        int grade, distBL, distBLSpin, distBR, distBRSpin, flangeThick, flangeThickSpin, flangeWidth, flangeWidthSpin,
            length, lengthSpin, webThick, webThickSpin;
    };
    CBracketDialogBase(UINT nIDTemplate, MemberPictureKind picture, const Ids& ids);
protected:
    std::vector<Combo> Combos() override;
    std::vector<Dimension> Dimensions() override;
    Ids m_ids;
};

class CSetupLeftBracketDialog : public CBracketDialogBase {
public:
    CSetupLeftBracketDialog();
protected:
    void DeriveAtFirstOpening() override;
};

class CSetupRightBracketDialog : public CBracketDialogBase {
public:
    CSetupRightBracketDialog();
protected:
    void DeriveAtFirstOpening() override;
};

class CSetupEdgeStringerDialog : public CMemberDialog<StringerData> {
public:
    CSetupEdgeStringerDialog();
protected:
    std::vector<Combo> Combos() override;
    std::vector<Dimension> Dimensions() override;
    void DeriveAtFirstOpening() override;
};

class CSetupMidStringerDialog : public CMemberDialog<MidStringerData> {
public:
    CSetupMidStringerDialog();
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
protected:
    std::vector<Combo> Combos() override;
    std::vector<Dimension> Dimensions() override;
    void DeriveAtFirstOpening() override;
};

struct MainMemberData {
    bool operator==(const MainMemberData&) const = default;
    // 0 自動決定, 1 入力.
    int m_nEndSwayMode = 1;
    int m_nMidSwayMode = 1;
    int m_nCrossBeamMode = 1;
    int m_nPierSwayMode = 1;
    int m_nLeftBracketMode = 0;
    int m_nRightBracketMode = 0;
    int m_nEdgeStringerMode = 0;
    // 使用する.
    int m_bUseEndSway = 1;
    int m_bUsePierSway = 1;
    int m_bUseMidSway = 1;
    int m_bUseLeftBracket = 0;
    int m_bUseRightBracket = 0;
    int m_bUseEdgeStringer = 0;
    int m_bUseCrossBeam = 1;
    int m_bUseLateral = 1;              // lateral bracing (横構) used
    int m_bUseStringer = 0;
    int m_nLateralMode = 1;
    int m_nStringerMode = 0;
};

class CSetupMainMemberDialog : public CDialog, public MainMemberData {
public:
    CSetupMainMemberDialog();
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    void OnOK() override;
    void OnCancel() override;

    CSetupEndSwayDialog m_dlgEndSway;
    CSetupMidSwayDialog m_dlgMidSway;
    CSetupPierSwayDialog m_dlgPierSway;
    CSetupCrossBeamTypeDialog m_dlgCrossBeamType;
    CSetupLateralDialog m_dlgLateral;
    CSetupLeftBracketDialog m_dlgLeftBracket;
    CSetupRightBracketDialog m_dlgRightBracket;
    CSetupMidStringerDialog m_dlgMidStringer;
    CSetupEdgeStringerDialog m_dlgEdgeStringer;

private:
    // Everything the dialog and its sub-dialogs hold, to tell a change and to put it back.
    struct Input {
        bool operator==(const Input&) const = default;
        MainMemberData main;
        SwayBracingData endSway = EndSwayData();
        SwayBracingData midSway = MidSwayData();
        SwayBracingData pierSway = PierSwayData();
        CrossBeamTypeData crossBeamType;
        LateralBracingData lateral;
        BracketData leftBracket, rightBracket;
        MidStringerData midStringer;
        StringerData edgeStringer;
    };
    Input Capture() const;
    void Apply(const Input& in);
    void OpenSubDialog(CDialog& dlg);

    Input m_opened;
};
