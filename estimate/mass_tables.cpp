#include "estimate/mass_tables.h"

#include "framework/format.h"

namespace estimate {

namespace {

constexpr double kTiny = 1e-20;
const QString kDash = QStringLiteral("－");

QString Mass(double v) { return AfxFormat("%8.3f", v); }
QString Area(double v) { return AfxFormat("%8.2f", v); }

// x / c as a mass, or the dash when the coefficient is nil.
QString Quotient(double x, double c, const QString& dash = kDash) { return c > kTiny ? Mass(x / c) : dash; }

}

MassSummaryTable MassSummary(const CEstimateData& d, const CEstimateInput& s)
{
    MassSummaryTable t;
    TableText& x = t.m_text;
    const bool si = s.m_bSIUnits != 0;
    const double F = s.GirderEndLengthFactor();
    const bool ends = s.m_bGirderEndMass != 0;

    x.At(0, 0) = QStringLiteral("         主部材      ");
    x.At(0, 1) = si ? QStringLiteral("計算質量(t)") : QStringLiteral("計算重量(t)");
    x.At(0, 2) = QStringLiteral("係数");
    x.At(0, 3) = si ? QStringLiteral("質量(t)") : QStringLiteral("重量(t)");

    int row = 1;
    auto main = [&](const QString& caption, const QString& calc, double coef, double mass) {
        x.At(row, 0) = caption;
        x.At(row, 1) = calc;
        x.At(row, 2) = Mass(coef);
        x.At(row, 3) = Mass(mass);
        t.m_dMainSubtotal += mass;
        ++row;
    };
    main(QStringLiteral("           主桁      "), Mass(d.m_dGirderCalcMass / F), s.m_dGirderFactor, d.m_dGirderMass / F);
    if (ends)
        main(QStringLiteral("           主桁(桁端)"), Quotient(d.m_dGirderEndMass, s.m_dGirderFactor), s.m_dGirderFactor,
             d.m_dGirderEndMass);
    if (s.m_nBridgeType > 0 && s.m_bSeparateRibMass) {
        const double c = s.m_dFlangeRibFactor;
        main(QStringLiteral("           ﾌﾗﾝｼﾞ縦ﾘﾌﾞ"), c > kTiny ? Mass(d.m_dFlangeRibMass / c / F) : kDash, c,
             d.m_dFlangeRibMass / F);
        if (ends)
            main(QStringLiteral("         ﾌﾗﾝｼﾞ縦ﾘﾌﾞ(桁端)"), Quotient(d.m_dFlangeRibEndMass, c), c, d.m_dFlangeRibEndMass);
    }
    if (d.m_nCrossBeamCount > 0)
        main(QStringLiteral("           横桁      "), Mass(d.m_dCrossBeamCalcMass), s.m_dCrossBeamFactor, d.m_dCrossBeamMass);
    if (d.m_nEndSwayCount + d.m_nMidSwayCount + d.m_nPierSwayCount > 0)
        main(QStringLiteral("           対傾構    "), Quotient(d.m_dSwayMass, s.m_dSwayFactor), s.m_dSwayFactor, d.m_dSwayMass);
    if (s.m_bUseLateral)
        main(QStringLiteral("           横構      "), Quotient(d.m_dLateralMass, s.m_dLateralFactor), s.m_dLateralFactor,
             d.m_dLateralMass);
    if (s.m_bUseLeftBracket || s.m_bUseRightBracket) {
        const double b = d.m_dLeftBracketMass + d.m_dRightBracketMass;
        main(QStringLiteral("           ブラケット"), Quotient(b, s.m_dBracketFactor), s.m_dBracketFactor, b);
    }
    if (s.m_bUseEdgeStringer) {
        const double c = s.m_dEdgeStringerFactor;
        main(QStringLiteral("           側縦桁    "), c > kTiny ? Mass(d.m_dEdgeStringerMass / c / F) : kDash, c,
             d.m_dEdgeStringerMass / F);
        if (ends)
            main(QStringLiteral("             側縦桁(桁端)"), Quotient(d.m_dEdgeStringerEndMass, c), c,
                 d.m_dEdgeStringerEndMass);
    }
    if (s.m_bUseStringer) {
        main(QStringLiteral("           中間縦桁  "), Mass(d.m_dStringerCalcMass / F), s.m_dStringerFactor, d.m_dStringerMass / F);
        if (ends)
            main(QStringLiteral("           中間縦桁(桁端)"), Quotient(d.m_dStringerEndMass, s.m_dStringerFactor),
                 s.m_dStringerFactor, d.m_dStringerEndMass);
    }
    main(QStringLiteral("           主桁用 HTB"), Mass(d.m_dGirderMass), s.m_dGirderBoltFactor, d.m_dGirderBoltMass);
    main(QStringLiteral("           横桁用 HTB"), Mass(d.m_dCrossBeamMass), s.m_dCrossBeamBoltFactor, d.m_dCrossBeamBoltMass);
    x.At(row, 0) = QStringLiteral("主部材小計           ");
    x.At(row, 3) = Mass(t.m_dMainSubtotal);
    ++row;

    t.m_nSpacerRow = row++;
    t.m_nSecondaryHeadingRow = row;
    x.At(row, 0) = QStringLiteral("         副部材      ");
    x.At(row, 1) = si ? QStringLiteral("単位質量(t/m,t)") : QStringLiteral("単位重量(t/m,t)");
    x.At(row, 2) = QStringLiteral("長さ(m),個数");
    x.At(row, 3) = si ? QStringLiteral("質量(t)") : QStringLiteral("重量(t)");
    ++row;

    auto secondary = [&](const QString& caption, const QString& unit, const QString& amount, double mass) {
        x.At(row, 0) = caption;
        x.At(row, 1) = unit;
        x.At(row, 2) = amount;
        x.At(row, 3) = Mass(mass);
        t.m_dSecondarySubtotal += mass;
        ++row;
    };
    secondary(QStringLiteral("           高欄      "), Mass(s.m_dRailingUnitMass),
              Quotient(d.m_dRailingMass, s.m_dRailingUnitMass), d.m_dRailingMass);
    secondary(QStringLiteral("           伸縮継手  "), Mass(s.m_dExpansionJointUnitMass),
              Quotient(d.m_dExpansionJointMass, s.m_dExpansionJointUnitMass, QStringLiteral("-")), d.m_dExpansionJointMass);
    t.m_nDrainRow = row;
    secondary(QStringLiteral("           排水装置  "), Mass(s.m_dDrainUnitMass), AfxFormat("%4d", s.m_nDrainCount),
              d.m_dDrainageMass);
    secondary(QStringLiteral("           その他    "), QString(), QString(), d.m_dOtherMass);
    x.At(row, 0) = QStringLiteral("副部材小計           ");
    x.At(row, 3) = Mass(t.m_dSecondarySubtotal);
    ++row;

    ++row;  // an empty row before the total
    t.m_nTotalRow = row;
    x.At(row, 0) = QStringLiteral("      合計           ");
    x.At(row, 3) = Mass(t.m_dMainSubtotal + t.m_dSecondarySubtotal);
    return t;
}

AreaVolumeTable AreaVolume(const CEstimateData& d, const CEstimateInput& s)
{
    const bool sidewalks = s.m_nSidewalk > 0;
    AreaVolumeTable t;
    t.m_text = TableText(sidewalks ? 10 : 8, AreaVolumeTable::COLS);
    TableText& x = t.m_text;
    t.m_dPaintArea = d.m_dSteelMassTotal * s.m_dPaintAreaPerTon;

    x.At(0, 0) = QStringLiteral("塗装面積         ");
    x.At(0, 1) = s.m_bSIUnits != 0 ? QStringLiteral("部材総質量(t)") : QStringLiteral("部材総重量(t)");
    x.At(0, 2) = QStringLiteral("係数");
    x.At(0, 3) = QStringLiteral("面積 (m2)");
    x.At(1, 1) = Mass(d.m_dSteelMassTotal);
    x.At(1, 2) = Mass(s.m_dPaintAreaPerTon);
    x.At(1, 3) = Area(t.m_dPaintArea);

    int row = 3;
    auto caption = [&](const QString& text, double value) {
        x.At(row, 0) = text;
        x.At(row, 3) = Area(value);
        t.m_anCaptionRows.push_back(row);
        ++row;
    };
    t.m_nPavingHeadingRow = row;
    x.At(row, 0) = QStringLiteral("舗装面積         ");
    x.At(row, 3) = QStringLiteral("面積 (m2)");
    ++row;
    caption(QStringLiteral("         車道"), d.m_dRoadwayPavingArea);
    if (sidewalks)
        caption(QStringLiteral("         歩道"), d.m_dSidewalkPavingArea);
    ++row;
    t.m_nVolumeHeadingRow = row;
    x.At(row, 0) = QStringLiteral("ＲＣ体積         ");
    x.At(row, 3) = QStringLiteral("体積 (m3)");
    ++row;
    caption(QStringLiteral("         床版"), d.m_dDeckConcreteVolume);
    if (sidewalks)
        caption(QStringLiteral("     歩道マウント"), d.m_dSidewalkConcreteVolume);
    return t;
}

MassByGradeTable MassByGrade(const CEstimateData& d, const CEstimateInput& s, const QString (&grades)[18])
{
    // A member kind's column and its masses by material code. The estimate has already put
    // the girder ends into the masses of the members along the bridge (as into its totals),
    // so they are shown as they stand: a length factor here would count the ends twice.
    struct Column {
        QString caption;
        const double* byCode;
    };
    std::vector<Column> columns;
    columns.push_back({QStringLiteral("主桁 (t)"), d.m_adMassByCode[0]});
    if (s.m_nBridgeType > 0 && s.m_bSeparateRibMass)
        columns.push_back({QStringLiteral("ﾌﾗﾝｼﾞ縦ﾘﾌﾞ (t)"), d.m_adRibMassByCode});
    if (d.m_nCrossBeamCount > 0)
        columns.push_back({QStringLiteral("横桁 (t)"), d.m_adMassByCode[1]});
    if (d.m_nEndSwayCount + d.m_nMidSwayCount + d.m_nPierSwayCount > 0)
        columns.push_back({QStringLiteral("対傾構 (t)"), d.m_adMassByCode[2]});
    if (s.m_bUseLateral)
        columns.push_back({QStringLiteral("横構 (t)"), d.m_adMassByCode[3]});
    if (s.m_bUseLeftBracket || s.m_bUseRightBracket)
        columns.push_back({QStringLiteral("ブラケット (t)"), d.m_adMassByCode[4]});
    if (s.m_bUseEdgeStringer)
        columns.push_back({QStringLiteral("側縦桁 (t)"), d.m_adMassByCode[5]});
    if (s.m_bUseStringer)
        columns.push_back({QStringLiteral("中間縦桁 (t)"), d.m_adMassByCode[6]});

    MassByGradeTable t;
    const int totalCol = int(columns.size()) + 1;
    t.m_text = TableText(MassByGradeTable::ROWS, totalCol + 1);
    TableText& x = t.m_text;
    const int totalRow = MassByGradeTable::TOTAL_ROW;
    x.At(0, 0) = QStringLiteral("規格  ＼  要素");
    for (int g = 0; g < 18; ++g)
        x.At(g + 1, 0) = grades[g];
    x.At(totalRow, 0) = QStringLiteral("要素別集計 (t)");
    x.At(0, totalCol) = QStringLiteral("規格別集計 (t)");

    // Every total adds the numbers as the cells show them.
    std::vector<double> rowSums(size_t(totalRow + 1), 0.0);
    for (int c = 1; c < totalCol; ++c) {
        const Column& col = columns[size_t(c - 1)];
        x.At(0, c) = col.caption;
        double sum = 0.0;
        for (int g = 0; g < 18; ++g) {
            // Code 0 has no "-H" variant: code 17 is a grade of its own.
            x.At(g + 1, c) = Mass(col.byCode[g] + (g >= 1 ? col.byCode[g + 17] : 0.0));
            const double shown = AfxAtof(x.At(g + 1, c));
            sum += shown;
            rowSums[size_t(g + 1)] += shown;
        }
        x.At(totalRow, c) = Mass(sum);
        rowSums[size_t(totalRow)] += AfxAtof(x.At(totalRow, c));
    }
    for (int row = 1; row <= totalRow; ++row)
        x.At(row, totalCol) = Mass(rowSums[size_t(row)]);
    return t;
}

}
