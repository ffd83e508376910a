// The blocks of the input report for the estimate input: factors, unit prices, fittings,
// bearings and overheads.
#include "views/input_report.h"

#include "app/doc.h"
#include "app/globals.h"
#include "design/girder_design.h"
#include "framework/dc.h"
#include "framework/format.h"
#include "views/print_table.h"

#include <algorithm>

// ---- estimate input

int CInputReport::DrawFactorBlock(CDC* pDC, CPrintInfo* pInfo, int mode, int line)
{
    if (!m_pReportDoc)
        return line;
    const EstimateFactorData& f = m_pReportDoc->m_dlgEstimate.m_dlgFactor;
    const bool si = g_bSIUnits == 1;
    const bool box = g_nBridgeType > 0;
    const bool separateRibs = box && f.m_bSeparateRibMass;
    std::vector<std::pair<QString, QString>> rows;
    auto add = [&rows](const char* label, const QString& value) { rows.emplace_back(QString::fromUtf8(label), value); };
    auto coef = [](double v) { return AfxFormat("%9.3f", v); };
    add("主桁係数", coef(f.m_dGirderFactor));
    if (separateRibs)
        add("ﾌﾗﾝｼﾞ縦ﾘﾌﾞ係数", coef(f.m_dFlangeRibFactor));
    add("横桁係数", coef(f.m_dCrossBeamFactor));
    add("対傾構係数", coef(f.m_dSwayFactor));
    add("横構係数", coef(f.m_dLateralFactor));
    add("ﾌﾞﾗｹｯﾄ係数", coef(f.m_dBracketFactor));
    add("側縦桁係数", coef(f.m_dEdgeStringerFactor));
    add("中間縦桁係数", coef(f.m_dStringerFactor));
    add("垂直補剛材間隔(m)", coef(f.m_dStiffenerSpacing));
    add("高力ﾎﾞﾙﾄ(主桁)", coef(f.m_dGirderBoltFactor));
    add("高力ﾎﾞﾙﾄ(横桁)", coef(f.m_dCrossBeamBoltFactor));
    add("桁端張出長    (m)", coef(f.m_dGirderEndLength));
    add("伸縮継手    (t/m)", coef(f.m_dExpansionJointUnitMass));
    add("高欄        (t/m)", coef(f.m_dRailingWeight));
    add("排水装置   (t/個)", coef(f.m_dDrainUnitMass));
    add("排水装置個数 (個)", AfxFormat("%5d", f.m_nDrainCount));
    add("塗装面積   (m2/t)", coef(f.m_dPaintAreaPerTon));
    add(si ? "その他質量    (t)" : "その他重量    (t)", coef(f.m_dOtherMassInput));
    add("桁端", f.m_bGirderEndMass ? QStringLiteral("考慮する") : QStringLiteral("考慮しない"));
    if (box)
        add("ﾌﾗﾝｼﾞ縦ﾘﾌﾞ", f.m_bSeparateRibMass ? QStringLiteral("上記割り増し係数で別途計上") : QStringLiteral("主桁割り増し分に含む"));
    add("横桁の構造", m_pReportDoc->m_dlgEstimate.m_dlgOption.m_bHSectionCrossBeams ? QStringLiteral("H型鋼")
                                                                                    : QStringLiteral("溶接構造"));
    const int nRows = int(rows.size()) + 1;
    const int T = TableBlockStart(pDC, pInfo, mode, line, nRows,
                                  si ? QStringLiteral("【割増係数、単位質量、横桁構造】") : QStringLiteral("【割増係数、単位重量、横桁構造】"));
    if (IsTableDrawn(pDC, pInfo, mode, T)) {
        const CPrintTable t =
            BlockTable(pDC, pInfo, T, nRows, {400, 550},
                       {QStringLiteral("項目"), si ? QStringLiteral("係数・単位質量、横桁構造") : QStringLiteral("係数・単位重量、横桁構造")});
        for (int r = 1; r < nRows; ++r) {
            t.DrawTextLeftMiddle(pDC, r, 0, rows[size_t(r - 1)].first);
            t.DrawTextLeftMiddle(pDC, r, 1, rows[size_t(r - 1)].second);
        }
    }
    return T + nRows + 1;
}

int CInputReport::DrawLabourPriceBlock(CDC* pDC, CPrintInfo* pInfo, int mode, int line)
{
    if (!m_pReportDoc)
        return line;
    const EstimateLabourData& l = m_pReportDoc->m_dlgEstimate.m_dlgLabour;
    static const char* const kLabels[EstimateLabourData::ROWS] = {
        "製作工労務単価 (円)", "副資材費     (円/t)", "塗装前処理費 (円/t)", "工場塗装費  (円/m2)",
        "現場塗装費  (円/m2)", "床版工      (円/m3)", "車道舗装工  (円/m2)", "歩道舗装工  (円/m2)",
        "高力ﾎﾞﾙﾄ単価 (円/t)", "排水工       (円/t)", "輸送費       (円/t)", "架設費       (円/t)"};
    const int rows = EstimateLabourData::ROWS + 1;
    const int T = TableBlockStart(pDC, pInfo, mode, line, rows, QStringLiteral("【工数単価】"));
    if (IsTableDrawn(pDC, pInfo, mode, T)) {
        const CPrintTable t = BlockTable(pDC, pInfo, T, rows, {400, 300}, {QStringLiteral("項目"), QStringLiteral("工数単価")});
        for (int r = 1; r < rows; ++r) {
            t.DrawTextLeftMiddle(pDC, r, 0, QString::fromUtf8(kLabels[r - 1]));
            t.DrawTextRightMiddle(pDC, r, 1, AfxFormat("%d", l.m_anPrice[EstimateLabourData::PriceIndex(r - 1)]));
        }
    }
    return T + rows + 1;
}

int CInputReport::DrawSteelPriceBlock(CDC* pDC, CPrintInfo* pInfo, int mode, int line)
{
    if (!m_pReportDoc)
        return line;
    const EstimateSteelPriceData& p = m_pReportDoc->m_dlgEstimate.m_dlgSteelPrice;
    const int sizeExtra = p.m_anPrice[1] == 0 ? CEstimateSteelPriceDialog::AutomaticSizeExtra() : p.m_anPrice[1];
    const std::pair<const char*, int> rows[4] = {{"鋼材ﾍﾞｰｽ単価 (円/t)", p.m_anPrice[2]},
                                                 {"形鋼ﾍﾞｰｽ単価 (円/t)", p.m_anPrice[3]},
                                                 {"寸法ｴｷｽﾄﾗ   (円/t)", sizeExtra},
                                                 {"ｽｸﾗｯﾌﾟ単価  (円/t)", p.m_anPrice[0]}};
    const int T = TableBlockStart(pDC, pInfo, mode, line, 5, QStringLiteral("【鋼材単価】"));
    if (IsTableDrawn(pDC, pInfo, mode, T)) {
        const CPrintTable t = BlockTable(pDC, pInfo, T, 5, {400, 300}, {QStringLiteral("項目"), QStringLiteral("単価")});
        for (int r = 1; r < 5; ++r) {
            t.DrawTextLeftMiddle(pDC, r, 0, QString::fromUtf8(rows[r - 1].first));
            t.DrawTextRightMiddle(pDC, r, 1, AfxFormat("%d", rows[r - 1].second));
        }
    }
    return T + 5 + 1;
}

int CInputReport::DrawAccessoryBlock(CDC* pDC, CPrintInfo* pInfo, int mode, int line)
{
    if (!m_pReportDoc)
        return line;
    const EstimateFittingData& f = m_pReportDoc->m_dlgEstimate.m_dlgFitting;
    auto pick = [](std::initializer_list<const char*> texts, int i, const char* other) {
        return QString::fromUtf8(i >= 0 && i < int(texts.size()) ? texts.begin()[i] : other);
    };
    Text(pDC, pInfo, mode, line + 2, 1, QStringLiteral("【付属品形式、補正】"));
    int n = line + 4;
    Item(pDC, pInfo, mode, n++, QStringLiteral(" 高欄形式"), pick({"横ビーム型", "縦さん型"}, f.m_nRailingType, m_wording.railingLeftOut));
    if (f.m_nRailingType != 2) {
        static const char* const kPosts[3] = {"支柱：角型、横張：角型", "支柱：角型、横張：パイプ", "支柱：鋼板、横張：パイプ"};
        Text(pDC, pInfo, mode, n++, 7,
             QStringLiteral("：") + (f.m_nRailingPost >= 0 && f.m_nRailingPost < 3 ? QString::fromUtf8(kPosts[f.m_nRailingPost]) : QString()));
    }
    Item(pDC, pInfo, mode, n++, QStringLiteral(" 伸縮継手形式"),
         pick({"フィンガー形式", "歩道部踏板形式"}, f.m_nJointType, "伸縮継手を製作費に含めない"));
    Item(pDC, pInfo, mode, n++, QStringLiteral(" 重連補正"),
         pick({"自動決定", "補正なし", "２連", "３、４連", "５、６連", "７連以上"}, f.m_nMultiSpanCorrection, "設定値異常"));
    Item(pDC, pInfo, mode, n++, QStringLiteral(" 曲線橋、斜橋補正"),
         pick({m_wording.curveSkewZero, "補正なし", "Ｒ≧２５０ｍ", "Ｒ≧１００ｍ", "Ｒ＜１００ｍ", "α≧７５度", "α≧４５度", "α＜４５度"},
              f.m_nCurveSkewCorrection, "設定値異常"));
    return n;
}

double CInputReport::SupportMaxReaction(const CMarivoltenDoc& doc, int nSupport)
{
    double most = 0.0;
    if (doc.m_bGrillageNotRun != 0 || !doc.m_pGirders || nSupport < 0 || nSupport > MAX_SPANS)
        return most;
    for (int g = 0; g < std::clamp(g_nGirders, 0, MAX_GIRDERS); ++g)
        most = std::max(most, doc.m_pGirders[g].m_adMaxReaction[nSupport]);
    return most;
}

int CInputReport::DrawBearingBlock(CDC* pDC, CPrintInfo* pInfo, int mode, int line)
{
    if (!m_pReportDoc)
        return line;
    const CMarivoltenDoc& doc = *m_pReportDoc;
    const bool si = g_bSIUnits == 1;
    const bool results = doc.m_bGrillageNotRun == 0 && doc.m_pGirders;
    const int supports = std::clamp(g_nSpans, 0, MAX_SPANS) + 1;
    const int rows = supports + 1;
    const int T = TableBlockStart(pDC, pInfo, mode, line, rows, QStringLiteral("【支承】"));
    if (IsTableDrawn(pDC, pInfo, mode, T)) {
        const CPrintTable t = BlockTable(
            pDC, pInfo, T, rows, {200, 240, 240, 240, 240},
            {QStringLiteral("横断 No."), si ? QStringLiteral("最大反力(kN)") : QStringLiteral("最大反力(tf)"),
             QStringLiteral("支承タイプ"), si ? QStringLiteral("支承反力(kN)") : QStringLiteral("支承反力(tf)"),
             si ? QStringLiteral("質量(kg/個)") : QStringLiteral("重量(kg/個)")});
        int point = 1;
        for (int i = 0; i < supports; ++i) {
            const double reaction = SupportMaxReaction(doc, i);
            const QString shown = !results ? QStringLiteral("－")
                                  : si     ? AfxFormat("%9.2f", reaction * 9.80665)
                                           : AfxFormat("%9.3f", reaction);
            t.DrawTextCentreMiddle(pDC, i + 1, 0, AfxFormat("C%d", point));
            t.DrawTextCentreMiddle(pDC, i + 1, 1, shown);
            t.DrawTextCentreMiddle(pDC, i + 1, 2, QStringLiteral("ゴム支承"));
            t.DrawTextCentreMiddle(pDC, i + 1, 3, shown);
            t.DrawTextCentreMiddle(pDC, i + 1, 4,
                                   results ? AfxFormat("%9.3f", doc.GetStepTableValue(0, reaction)) : QStringLiteral("－"));
            if (i < g_nSpans)
                point += g_anPanelCount[i];
        }
    }
    Item(pDC, pInfo, mode, T + rows + 1, QStringLiteral(" ゴム支承見積価格"),
         AfxFormat("%d 円/ｔ", doc.m_dlgEstimate.m_dlgBearing.m_nRubberPricePerTon));
    return T + rows + 2;
}

int CInputReport::DrawOverheadBlock(CDC* pDC, CPrintInfo* pInfo, int mode, int line)
{
    if (!m_pReportDoc)
        return line;
    const EstimateOverheadData& o = m_pReportDoc->m_dlgEstimate.m_dlgOverhead;
    if (o.m_nCostMethod == 0)
        return line;
    static const char* const kRegions[4] = {"市街地", "山間僻地・離島", "地方部（一般交通等の影響を受ける）",
                                             "地方部（一般交通等の影響を受けない）"};
    Text(pDC, pInfo, mode, line + 2, 1, QStringLiteral("【一般管理費・共通仮設費・現場管理費】"));
    Item(pDC, pInfo, mode, line + 4, QStringLiteral(" 施工地域・工事場所区分補正"),
         o.m_nRegion >= 0 && o.m_nRegion < 4 ? QString::fromUtf8(kRegions[o.m_nRegion]) : QStringLiteral("補正なし"));
    Item(pDC, pInfo, mode, line + 5, QStringLiteral(" 施工時期・工事期間補正"), AfxFormat("%3.1f ％", o.m_dSeasonPercent));
    Item(pDC, pInfo, mode, line + 6, QStringLiteral(" 前払い補正係数"), AfxFormat("%4.2f", o.m_dPrepaymentFactor));
    Item(pDC, pInfo, mode, line + 7, QStringLiteral(" 契約保証補正"), AfxFormat("%3.1f ％", o.m_dGuaranteePercent));
    return line + 8;
}
