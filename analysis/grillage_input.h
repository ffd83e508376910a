// The grillage solver's input file GRIN.DAT: what it is written from, and the writer.
// Plain data: the application collects it from the document (app/grillage_collect.cpp).
#pragma once

#include <QString>

#include <string>
#include <vector>

#include "geometry/records.h"

// Section properties of one girder member: area (m²), bending and torsion constants (m⁴).
struct CMemberProperties {
    bool operator==(const CMemberProperties&) const = default;
    double m_dArea = 0.0;
    double m_dI = 0.0;
    double m_dJ = 0.0;
};

struct CGrillageInput {
    static constexpr int kMaxGirders = 20;
    static constexpr int kMaxAttachments = 10;

    QString m_strTitle;
    QString m_strSubtitle;
    std::string m_strStamp = "0000000000000000";   // 16 hexadecimal digits
    int m_nPass = 1;                // 1, 2 first run; 3 re-run
    int m_nBridgeType = 0;          // 0 plate, 1 box, 2 single box
    int m_nGirders = 4;             // girder lines: 3 for the single box
    int m_bSIUnits = 1;             // the loads below are kN based when 1, tf based when 0

    // Basic conditions.
    int m_nLiveLoad = 0;
    int m_nSidewalk = 3;            // 0 none, 1 left, 2 right, 3 both
    int m_nMedian = 0;              // 0 with a median
    int m_bMedianUnloaded = 0;
    int m_bKerbUnloaded = 0;
    double m_dLoadingWidth = 5.5;
    double m_dP1Factor = 1.0;
    double m_dP2Factor = 1.0;

    // Dead loads in the dialogs' units: railings D1, D2 (per m), unit weights D3..D9, snow.
    double m_adDeadLoad[10] = {};
    // Per girder, per m: the haunch and the girder's own steel for this pass.
    double m_adHaunchWeight[kMaxGirders] = {};
    double m_adSteelWeight[kMaxGirders] = {};
    // Attached line loads: girder (0-based), load per m, offset from that girder (m).
    int m_nAttachments = 0;
    int m_anAttachGirder[kMaxAttachments] = {};
    double m_adAttachLoad[kMaxAttachments] = {};
    double m_adAttachPosition[kMaxAttachments] = {};

    // Cross beam plates (mm) and depth (m), for its torsion constant.
    double m_dCrossBeamFlangeWidth = 220.0;
    double m_dCrossBeamFlangeThickness = 10.0;
    double m_dCrossBeamWebThickness = 9.0;
    double m_dCrossBeamDepth = 1.44;

    // The plan: span records with their panel points and panel sections.
    std::vector<CSpanData> m_aSpans;
    // Girder members line by line, G·(P − 1) entries; the caller fills them for the pass.
    std::vector<CMemberProperties> m_aMembers;

    // Panel points over the bridge, a shared support counted once.
    int PanelPoints() const;
    bool IsSingleBox() const { return m_nBridgeType == 2; }
};

// The file's text: UTF-8, LF line ends; empty when there is no plan to write.
std::string WriteGrillageInput(const CGrillageInput& in);
// Writes the file; 0 when done, 10 (the Work folder's code) when it cannot be written.
int SaveGrillageInput(const CGrillageInput& in, const std::string& path);
// A run stamp: seconds since the epoch (8 hex digits), process id (6), pass (2).
std::string MakeRunStamp(long long nSeconds, long long nProcessId, int nPass);
