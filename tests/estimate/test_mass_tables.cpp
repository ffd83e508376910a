// The texts of the mass summary, the area and volume table and the mass by steel grade:
// which rows and columns show, the girder-end factor, the dashes, the totals and the captions.
#include "estimate/mass_tables.h"

#include <QStringList>

#include <gtest/gtest.h>

using namespace estimate;

namespace {

const QString kGrades[18] = {"SS400",   "SM400A",   "SM400B",   "SM400C",   "SM490A",   "SM490B",
                             "SM490C",  "SM490YA",  "SM490YB",  "SM520C",   "SM570",    "SMA400AW",
                             "SMA400BW", "SMA400CW", "SMA490AW", "SMA490BW", "SMA490CW", "SMA570W"};

QString T(const char* s) { return QString::fromUtf8(s); }

// Spans of 30 and 40 m, girder ends of 0.5 m counted: F = 71 / 70.
CEstimateInput WithEnds()
{
    CEstimateInput s;
    s.m_aSpans.resize(2);
    s.m_aSpans[0].m_dLength = 30.0;
    s.m_aSpans[1].m_dLength = 40.0;
    s.m_bGirderEndMass = 1;
    s.m_dGirderEndLength = 0.5;
    return s;
}

// The column-0 captions from row 1 to the main subtotal.
QStringList MainCaptions(const MassSummaryTable& t)
{
    QStringList out;
    for (int r = 1; r < t.m_nSpacerRow; ++r)
        out << t.m_text.At(r, 0).trimmed();
    return out;
}

} // namespace

TEST(MassSummaryTable, PlainPlateGirderShowsGirderBoltsAndSubtotalThenTheSecondaryBlock)
{
    CEstimateData d;
    d.m_dGirderCalcMass = 100.0;
    d.m_dGirderMass = 125.0;
    d.m_dGirderBoltMass = 3.75;
    d.m_dCrossBeamMass = 10.0;
    d.m_dCrossBeamBoltMass = 0.4;
    d.m_dRailingMass = 5.0;
    d.m_dExpansionJointMass = 2.3;
    d.m_dDrainageMass = 0.032;
    d.m_dOtherMass = 1.0;
    CEstimateInput s;
    s.m_nBridgeType = 0;
    s.m_bSeparateRibMass = 1;     // ignored for plate girders
    s.m_dGirderFactor = 1.25;
    s.m_dGirderBoltFactor = 0.03;
    s.m_dCrossBeamBoltFactor = 0.04;
    s.m_dRailingUnitMass = 0.05;
    s.m_dExpansionJointUnitMass = 0.23;
    s.m_dDrainUnitMass = 0.008;
    s.m_nDrainCount = 4;
    const MassSummaryTable t = MassSummary(d, s);
    const TableText& x = t.m_text;

    EXPECT_EQ(MainCaptions(t), (QStringList{T("主桁"), T("主桁用 HTB"), T("横桁用 HTB"), T("主部材小計")}));
    EXPECT_EQ(x.At(1, 0), T("           主桁      "));
    EXPECT_EQ(x.At(1, 1), T(" 100.000"));
    EXPECT_EQ(x.At(1, 2), T("   1.250"));
    EXPECT_EQ(x.At(1, 3), T(" 125.000"));
    // The bolt rows show the member masses they come from, undivided.
    EXPECT_EQ(x.At(2, 1), T(" 125.000"));
    EXPECT_EQ(x.At(3, 1), T("  10.000"));
    EXPECT_EQ(x.At(4, 3), T(" 129.150"));
    EXPECT_EQ(t.m_nSpacerRow, 5);
    EXPECT_EQ(t.m_nSecondaryHeadingRow, 6);
    EXPECT_EQ(x.At(7, 2), T(" 100.000"));     // railing length
    EXPECT_EQ(x.At(8, 2), T("  10.000"));     // joint length
    EXPECT_EQ(t.m_nDrainRow, 9);
    EXPECT_EQ(x.At(9, 2), T("   4"));
    EXPECT_EQ(x.At(10, 0).trimmed(), T("その他"));
    EXPECT_EQ(x.At(10, 1), QString());
    EXPECT_EQ(x.At(11, 0), T("副部材小計           "));
    EXPECT_EQ(x.At(11, 3), T("   8.332"));
    EXPECT_EQ(t.m_nTotalRow, 13);
    EXPECT_EQ(x.At(12, 0), QString());
    EXPECT_EQ(x.At(13, 0), T("      合計           "));
    EXPECT_EQ(x.At(13, 3), T(" 137.482"));
    for (int r = 14; r < MassSummaryTable::ROWS; ++r)
        for (int c = 0; c < MassSummaryTable::COLS; ++c)
            EXPECT_TRUE(x.At(r, c).isEmpty()) << r << " " << c;
}

TEST(MassSummaryTable, GirderEndsDivideTheAlongMembersByTheFactorAndFillAllRows)
{
    CEstimateData d;
    d.m_dGirderCalcMass = 71.0;
    d.m_dGirderMass = 142.0;
    d.m_dGirderEndMass = 2.5;
    d.m_dFlangeRibMass = 7.1;
    d.m_dFlangeRibEndMass = 0.3;
    d.m_dEdgeStringerMass = 14.2;
    d.m_dEdgeStringerEndMass = 0.2;
    d.m_dStringerCalcMass = 35.5;
    d.m_dStringerMass = 71.0;
    d.m_dStringerEndMass = 1.1;
    d.m_dCrossBeamMass = 9.0;
    d.m_dSwayMass = 4.0;
    d.m_nCrossBeamCount = 3;
    d.m_nMidSwayCount = 1;
    CEstimateInput s = WithEnds();
    s.m_nBridgeType = 1;
    s.m_bSeparateRibMass = 1;
    s.m_bUseLateral = s.m_bUseRightBracket = s.m_bUseEdgeStringer = s.m_bUseStringer = 1;
    s.m_dGirderFactor = 2.0;
    s.m_dFlangeRibFactor = 1.0;
    s.m_dEdgeStringerFactor = 2.0;
    s.m_dStringerFactor = 2.0;
    s.m_dSwayFactor = 0.0;
    s.m_dLateralFactor = 1.0;
    s.m_dBracketFactor = 1.0;
    EXPECT_DOUBLE_EQ(s.GirderEndLengthFactor(), 71.0 / 70.0);
    const MassSummaryTable t = MassSummary(d, s);
    const TableText& x = t.m_text;

    EXPECT_EQ(MainCaptions(t),
              (QStringList{T("主桁"), T("主桁(桁端)"), T("ﾌﾗﾝｼﾞ縦ﾘﾌﾞ"), T("ﾌﾗﾝｼﾞ縦ﾘﾌﾞ(桁端)"), T("横桁"), T("対傾構"),
                           T("横構"), T("ブラケット"), T("側縦桁"), T("側縦桁(桁端)"), T("中間縦桁"), T("中間縦桁(桁端)"),
                           T("主桁用 HTB"), T("横桁用 HTB"), T("主部材小計")}));
    EXPECT_EQ(x.At(1, 1), T("  70.000"));
    EXPECT_EQ(x.At(1, 3), T(" 140.000"));
    EXPECT_EQ(x.At(2, 1), T("   1.250"));     // end overhang: mass / coefficient, undivided
    EXPECT_EQ(x.At(2, 3), T("   2.500"));
    EXPECT_EQ(x.At(3, 1), T("   7.000"));
    EXPECT_EQ(x.At(3, 3), T("   7.000"));
    EXPECT_EQ(x.At(4, 3), T("   0.300"));
    // A nil coefficient leaves the quotient out, the mass still counts.
    EXPECT_EQ(x.At(6, 1), T("－"));
    EXPECT_EQ(x.At(6, 2), T("   0.000"));
    EXPECT_EQ(x.At(6, 3), T("   4.000"));
    EXPECT_EQ(x.At(9, 1), T("   7.000"));
    EXPECT_EQ(x.At(9, 3), T("  14.000"));
    EXPECT_EQ(x.At(11, 1), T("  35.000"));
    EXPECT_EQ(x.At(11, 3), T("  70.000"));
    EXPECT_EQ(x.At(13, 1), T(" 142.000"));    // the bolts follow the whole girder mass
    // Every optional row shown: the table uses all its 25 rows.
    EXPECT_EQ(t.m_nSpacerRow, 16);
    EXPECT_EQ(t.m_nTotalRow, MassSummaryTable::ROWS - 1);
    EXPECT_NEAR(t.m_dMainSubtotal, 140.0 + 2.5 + 7.0 + 0.3 + 9.0 + 4.0 + 14.0 + 0.2 + 70.0 + 1.1, 1e-9);
}

TEST(MassSummaryTable, NilUnitMassesDashTheLengthsAndTotalsAddUnroundedValues)
{
    CEstimateData d;
    d.m_dGirderMass = 0.0004;
    d.m_dGirderBoltMass = 0.0004;
    d.m_dCrossBeamBoltMass = 0.0004;
    d.m_dRailingMass = 0.0004;
    d.m_dExpansionJointMass = 0.0004;
    CEstimateInput s;
    const MassSummaryTable t = MassSummary(d, s);
    const TableText& x = t.m_text;
    const int railing = t.m_nSecondaryHeadingRow + 1;
    EXPECT_EQ(x.At(railing, 2), T("－"));
    EXPECT_EQ(x.At(railing + 1, 2), T("-"));
    EXPECT_EQ(x.At(4, 3), T("   0.001"));     // 0.0012 t
    EXPECT_EQ(x.At(t.m_nTotalRow, 3), T("   0.002"));
}

TEST(MassSummaryTable, GravitationalUnitsChangeOnlyTheColumnCaptions)
{
    CEstimateData d;
    d.m_dGirderMass = 12.3456;
    d.m_nCrossBeamCount = 2;
    CEstimateInput si;
    CEstimateInput grav;
    grav.m_bSIUnits = 0;
    const MassSummaryTable a = MassSummary(d, si), b = MassSummary(d, grav);
    const int sec = a.m_nSecondaryHeadingRow;
    EXPECT_EQ(a.m_text.At(0, 1), T("計算質量(t)"));
    EXPECT_EQ(b.m_text.At(0, 1), T("計算重量(t)"));
    EXPECT_EQ(b.m_text.At(0, 3), T("重量(t)"));
    EXPECT_EQ(b.m_text.At(sec, 1), T("単位重量(t/m,t)"));
    EXPECT_EQ(b.m_text.At(sec, 3), T("重量(t)"));
    int differing = 0;
    for (size_t i = 0; i < a.m_text.m_cells.size(); ++i)
        differing += a.m_text.m_cells[i] != b.m_text.m_cells[i];
    EXPECT_EQ(differing, 4);
}

TEST(AreaVolumeTable, PaintAreaIsMassTimesCoefficientAndSidewalksAddTwoRows)
{
    CEstimateData d;
    d.m_dSteelMassTotal = 6.3311;
    d.m_dRoadwayPavingArea = 456.789;
    d.m_dSidewalkPavingArea = 12.345;
    d.m_dDeckConcreteVolume = 78.9;
    d.m_dSidewalkConcreteVolume = 3.214;
    CEstimateInput s;
    s.m_dPaintAreaPerTon = 19.5;
    s.m_nSidewalk = 0;
    const AreaVolumeTable none = AreaVolume(d, s);
    EXPECT_EQ(none.m_text.m_nRows, 8);
    EXPECT_EQ(none.m_text.At(1, 1), T("   6.331"));
    EXPECT_EQ(none.m_text.At(1, 2), T("  19.500"));
    EXPECT_EQ(none.m_text.At(1, 3), T("  123.46"));     // 123.456 m2
    EXPECT_EQ(none.m_nPavingHeadingRow, 3);
    EXPECT_EQ(none.m_text.At(4, 0), T("         車道"));
    EXPECT_EQ(none.m_text.At(4, 3), T("  456.79"));
    EXPECT_EQ(none.m_nVolumeHeadingRow, 6);
    EXPECT_EQ(none.m_text.At(7, 0), T("         床版"));
    EXPECT_EQ(none.m_text.At(7, 3), T("   78.90"));
    EXPECT_EQ(none.m_anCaptionRows, (std::vector<int>{4, 7}));

    for (int sidewalk = 1; sidewalk <= 3; ++sidewalk) {
        s.m_nSidewalk = sidewalk;
        const AreaVolumeTable both = AreaVolume(d, s);
        ASSERT_EQ(both.m_text.m_nRows, 10);
        EXPECT_EQ(both.m_text.At(5, 0), T("         歩道"));
        EXPECT_EQ(both.m_text.At(5, 3), T("   12.35"));
        EXPECT_EQ(both.m_nVolumeHeadingRow, 7);
        EXPECT_EQ(both.m_text.At(7, 3), T("体積 (m3)"));
        EXPECT_EQ(both.m_text.At(9, 0), T("     歩道マウント"));
        EXPECT_EQ(both.m_text.At(9, 3), T("    3.21"));
        EXPECT_EQ(both.m_anCaptionRows, (std::vector<int>{4, 5, 8, 9}));
    }
    s.m_bSIUnits = 0;
    const AreaVolumeTable grav = AreaVolume(d, s);
    EXPECT_EQ(grav.m_text.At(0, 1), T("部材総重量(t)"));
    EXPECT_EQ(grav.m_text.At(1, 3), T("  123.46"));
}

TEST(MassByGradeTable, PlateGirderWithCrossBeamsAndSwayShowsFiveColumns)
{
    CEstimateData d;
    d.m_nCrossBeamCount = 4;
    d.m_nEndSwayCount = 2;
    d.m_adRibMassByCode[0] = 5.0;
    CEstimateInput s;
    s.m_bSeparateRibMass = 1;
    const MassByGradeTable t = MassByGrade(d, s, kGrades);
    ASSERT_EQ(t.m_text.m_nCols, 5);
    QStringList row0;
    for (int c = 0; c < 5; ++c)
        row0 << t.m_text.At(0, c);
    EXPECT_EQ(row0, (QStringList{T("規格  ＼  要素"), T("主桁 (t)"), T("横桁 (t)"), T("対傾構 (t)"), T("規格別集計 (t)")}));
    EXPECT_EQ(t.m_text.At(1, 0), T("SS400"));
    EXPECT_EQ(t.m_text.At(18, 0), T("SMA570W"));
    EXPECT_EQ(t.m_text.At(19, 0), T("要素別集計 (t)"));

    s.m_nBridgeType = 1;
    const MassByGradeTable box = MassByGrade(d, s, kGrades);
    ASSERT_EQ(box.m_text.m_nCols, 6);
    EXPECT_EQ(box.m_text.At(0, 2), T("ﾌﾗﾝｼﾞ縦ﾘﾌﾞ (t)"));
    EXPECT_EQ(box.m_text.At(1, 2), T("   5.000"));
}

TEST(MassByGradeTable, GradeRowsAddTheirHVariantAndTheEstimatesGirderEndsAreNotCountedTwice)
{
    CEstimateData d;
    d.m_nCrossBeamCount = 1;
    for (int code = 0; code < 35; ++code) {
        d.m_adMassByCode[0][code] = 70.0 * (code + 1);
        d.m_adMassByCode[1][code] = 70.0 * (code + 1);
        d.m_adMassByCode[6][code] = 7.0;
    }
    CEstimateInput s;
    s.m_bUseStringer = 1;
    const MassByGradeTable t = MassByGrade(d, s, kGrades);
    ASSERT_EQ(t.m_text.m_nCols, 5);
    EXPECT_EQ(t.m_text.At(0, 3), T("中間縦桁 (t)"));
    // SS400 is code 0 alone; SM400C codes 3 and 20; SMA570W codes 17 and 34.
    EXPECT_EQ(t.m_text.At(1, 1), T("  70.000"));
    EXPECT_EQ(t.m_text.At(4, 1), T("1750.000"));
    EXPECT_EQ(t.m_text.At(4, 2), T("1750.000"));
    EXPECT_EQ(t.m_text.At(18, 2), T("3710.000"));
    EXPECT_EQ(t.m_text.At(18, 3), T("  14.000"));
    EXPECT_EQ(t.m_text.At(1, 3), T("   7.000"));
    // The masses by code already hold the girder ends: counting them changes nothing here.
    CEstimateInput ends = WithEnds();
    ends.m_bUseStringer = 1;
    EXPECT_EQ(MassByGrade(d, ends, kGrades).m_text.m_cells, t.m_text.m_cells);
}

TEST(MassByGradeTable, TotalsAddTheShownValues)
{
    CEstimateData d;
    d.m_adMassByCode[0][0] = 0.0004;
    d.m_adMassByCode[0][1] = 0.0004;
    d.m_adMassByCode[0][2] = 0.0004;
    d.m_adMassByCode[0][4] = 1.2346;
    d.m_adMassByCode[3][4] = 2.0;
    CEstimateInput s;
    s.m_bUseLateral = 1;
    const MassByGradeTable t = MassByGrade(d, s, kGrades);
    ASSERT_EQ(t.TotalCol(), 3);
    for (int row = 1; row <= 3; ++row) {
        EXPECT_EQ(t.m_text.At(row, 1), T("   0.000"));
        EXPECT_EQ(t.m_text.At(row, 3), T("   0.000"));
    }
    EXPECT_EQ(t.m_text.At(5, 1), T("   1.235"));
    EXPECT_EQ(t.m_text.At(5, 3), T("   3.235"));
    EXPECT_EQ(t.m_text.At(19, 1), T("   1.235"));
    EXPECT_EQ(t.m_text.At(19, 2), T("   2.000"));
    EXPECT_EQ(t.m_text.At(19, 3), T("   3.235"));
}

TEST(MassByGradeTable, UnitSystemChangesNoCaption)
{
    CEstimateData d;
    CEstimateInput si, grav;
    grav.m_bSIUnits = 0;
    EXPECT_EQ(MassByGrade(d, si, kGrades).m_text.m_cells, MassByGrade(d, grav, kGrades).m_text.m_cells);
}
