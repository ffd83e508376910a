// Whole reports of designed bridges: printed to PDF and previewed on A4 portrait, every page
// in its frame with its header and number, and nothing of the design changed by them.
#include "print_fixture.h"

#include "app/design_state.h"
#include "framework/format.h"
#include "input/height_dialog.h"
#include "res/resource_ids.h"

#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <algorithm>

namespace {

class ReportPrintTest : public PrintTest {
protected:
    void TearDown() override
    {
        AfxGetPrintSettings() = m_savedSettings;
        PrintTest::TearDown();
    }
    // Everything selected, the headings shaded.
    static CPrintView& SelectEverything()
    {
        CPrintView& v = OpenForm();
        static_cast<CButton*>(Bar().GetControl(IDC_PRINT_SELECT_ALL))->Click();
        if (!v.m_bShadeHeadings)
            Click(IDC_PR_SHADE);
        return v;
    }
    // Pages of a PDF by pdfinfo, -1 when it cannot tell.
    static int PdfPageCount(const QString& pdf)
    {
        QProcess info;
        info.start(QStringLiteral("pdfinfo"), {pdf});
        if (!info.waitForFinished(30000) || info.exitCode() != 0)
            return -1;
        for (const QString& line : QString::fromUtf8(info.readAllStandardOutput()).split(QLatin1Char('\n')))
            if (line.startsWith(QStringLiteral("Pages:")))
                return line.mid(6).trimmed().toInt();
        return -1;
    }
    static QString PdfText(const QString& pdf)
    {
        QProcess text;
        text.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
        if (!text.waitForFinished(30000) || text.exitCode() != 0)
            return QString();
        return QString::fromUtf8(text.readAllStandardOutput());
    }
    static void Keep(const QString& pdf, const char* name)
    {
        if (const char* keep = std::getenv("MV_KEEP_PDF"))
            QFile::copy(pdf, QDir(QString::fromLocal8Bit(keep)).filePath(QFileInfo(QString::fromUtf8(name)).completeBaseName() + QStringLiteral(".pdf")));
    }
    // A whole report to PDF with the printer left at A3 landscape.
    void PrintWhole(const char* example)
    {
        OpenExample(example);
        CPrintView& v = SelectEverything();
        AfxGetPrintSettings().m_nPaperSize = DMPAPER_A3;
        AfxGetPrintSettings().m_bLandscape = true;
        const QString pdf = m_dir.filePath(QStringLiteral("report.pdf"));
        ASSERT_TRUE(AfxPrintView(&v, PrintMode::Pdf, pdf));
        Keep(pdf, example);
        QFile file(pdf);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        // Portrait A4 (595 x 842 points), not the A3 landscape the printer was left at.
        EXPECT_TRUE(bytes.contains("/MediaBox [0 0 595"));
        EXPECT_FALSE(bytes.contains("/MediaBox [0 0 842"));
        EXPECT_FALSE(bytes.contains("/MediaBox [0 0 1190"));
        const int pages = v.CountPages();
        // Deflections of every girder line, reactions of every support, 32 rows a page.
        const int lines = g_nBridgeType == 2 ? 2 : g_nGirders;
        EXPECT_EQ(v.m_anSectionPages[CPrintView::RS_DEFLECTION], (g_nGirders * (g_nPanelPoints + 2) - 1 + 31) / 32);
        EXPECT_EQ(v.m_anSectionPages[CPrintView::RS_REACTION_SUMMARY], ((g_nSpans + 1) * (lines + 3) + 2 + 31) / 32);
        // One plan, a force diagram per printed girder, a longitudinal section per girder
        // where the height varies.
        EXPECT_EQ(v.m_anSectionPages[CPrintView::RS_PLAN], 1);
        EXPECT_EQ(v.m_anSectionPages[CPrintView::RS_FORCE_DIAGRAM], v.PrintedGirderCount());
        EXPECT_EQ(v.m_anSectionPages[CPrintView::RS_LONGITUDINAL],
                  g_pDoc->m_dlgBasic.m_nHeightVariation == 0 ? g_nGirders : 0);
        // Every section's pages, the cover and the contents among them.
        int expected = 0;
        for (int s = 0; s < CPrintView::RS_COUNT; ++s)
            expected += v.m_anSectionPages[s];
        for (int s : {CPrintView::RS_INPUT_CONDITIONS, CPrintView::RS_DEFLECTION, CPrintView::RS_REACTION_SUMMARY,
                      CPrintView::RS_CALC_TABLE, CPrintView::RS_FORCE_DETAIL, CPrintView::RS_STIFFNESS,
                      CPrintView::RS_STEEL_WEIGHT, CPrintView::RS_MASS_BREAKDOWN})
            EXPECT_GT(v.m_anSectionPages[s], 0) << s;
        EXPECT_EQ(pages, expected);
        const int counted = PdfPageCount(pdf);
        if (counted < 0)
            GTEST_SKIP() << "pdfinfo is not available";
        EXPECT_EQ(counted, pages);
        const QString text = PdfText(pdf);
        EXPECT_TRUE(text.contains(QStringLiteral("【計算書】")));
        EXPECT_TRUE(text.contains(QStringLiteral("目次")));
        // Every section under its number, in print order.
        int number = 0;
        for (int sec = CPrintView::RS_INPUT_CONDITIONS; sec < CPrintView::RS_COUNT; ++sec)
            if (v.m_anSectionPages[sec] > 0) {
                EXPECT_TRUE(text.contains(AfxFormat("§%2d ", ++number) + CPrintView::SectionName(sec))) << sec;
            }
        EXPECT_TRUE(text.contains(QStringLiteral("§ 1 入力条件")));
        EXPECT_TRUE(text.contains(QStringLiteral("_平面図")));
        EXPECT_TRUE(text.contains(QStringLiteral("_断面力図 (G1主桁)")));
        // The input conditions from the first block to the last, in the girder type's form.
        for (const char* heading : {"【基本条件】", "【主桁基本データ２】", "【支承】", "【衝撃係数】"})
            EXPECT_TRUE(text.contains(QString::fromUtf8(heading))) << heading;
        EXPECT_EQ(text.contains(QStringLiteral("横リブによるパネル分割：")), g_nBridgeType != 0);
        EXPECT_EQ(text.contains(QStringLiteral("【横桁配置】")), g_nBridgeType != 2);
        EXPECT_TRUE(text.contains(AfxFormat("- %d -", pages - 1)));
        EXPECT_TRUE(text.contains(QStringLiteral("主桁 G1")));
        EXPECT_TRUE(text.contains(QStringLiteral("主桁 G1: ﾓｰﾒﾝﾄ")));
        EXPECT_TRUE(text.contains(QStringLiteral("主桁 G1: 部材")));
        EXPECT_TRUE(text.contains(QStringLiteral("2xL(-)+D")));
    }

    QTemporaryDir m_dir;
    CPrintSettings m_savedSettings = AfxGetPrintSettings();
};

// What printing must leave as it found: the design, the estimate and the document's own
// print and view members.
struct DocumentState {
    CDesignState design;
    CEstimateData estimate;
    std::vector<double> members;
    std::vector<double> bearingReactions;
    BOOL modified;
    bool operator==(const DocumentState&) const = default;
    static DocumentState Now()
    {
        const CMarivoltenDoc& d = *g_pDoc;
        return {CaptureDesign(),
                static_cast<const CEstimateData&>(d),
                {double(d.m_nMarginLeft), double(d.m_nMarginRight), double(d.m_nMarginTop),
                 double(d.m_nMarginBottom), double(d.m_nPageWidth), double(d.m_nPageHeight), d.m_dPlanAngle,
                 d.m_dPlanScale, d.m_dSectionScale, d.m_dLoadScale, d.m_dSection2ScaleX, d.m_dSection2ScaleY,
                 d.m_dForceHScale, d.m_dForceVScale, double(d.m_nCalcGirder), double(d.m_nCurCrossSection),
                 double(d.m_bDetailDataAvailable), double(d.m_nEstimateRuns), double(d.m_nRebuildCount)},
                {std::begin(d.m_adSupportMaxReaction), std::end(d.m_adSupportMaxReaction)},
                d.IsModified()};
    }
};

}

TEST_F(ReportPrintTest, EveryExamplePrintsWholeOnA4)
{
    for (const char* example : {"plate_3span_skew.mvl", "box2_2span.mvl", "box1_1span.mvl", "plate_2span_haunch.mvl"}) {
        SCOPED_TRACE(example);
        PrintWhole(example);
    }
}

TEST_F(ReportPrintTest, AnLLoadedDesignPrintsItsReactionDetailToo)
{
    RunNewDesign(QStringLiteral("2"), [](CDialog* d) { dialoginput::Type(d, IDC_GIRDERS, QStringLiteral("3")); });
    CPrintView& v = SelectEverything();
    ASSERT_TRUE(v.m_bPrintReactionDetail && v.m_bPrintReactionsNoImpact);
    const QString pdf = m_dir.filePath(QStringLiteral("report.pdf"));
    ASSERT_TRUE(AfxPrintView(&v, PrintMode::Pdf, pdf));
    Keep(pdf, "plate_L_loading.pdf");
    // Three girders over three supports: 6 x 3 x 3 detail rows.
    EXPECT_EQ(v.m_nReactionDetailRows, 54);
    EXPECT_EQ(v.m_anSectionPages[CPrintView::RS_REACTION_DETAIL], 2);
    EXPECT_EQ(v.m_anSectionPages[CPrintView::RS_REACTIONS_NO_IMPACT], 2);
    const int counted = PdfPageCount(pdf);
    if (counted < 0)
        GTEST_SKIP() << "pdfinfo is not available";
    EXPECT_EQ(counted, v.CountPages());
    const QString text = PdfText(pdf);
    EXPECT_TRUE(text.contains(QRegularExpression(QStringLiteral("§ ?\\d+ 下部工用反力（衝撃なし）"))));
    EXPECT_TRUE(text.contains(QRegularExpression(QStringLiteral("§ ?\\d+ 支点反力詳細"))));
    EXPECT_TRUE(text.contains(QStringLiteral(" MAX")));
}

TEST_F(ReportPrintTest, ThePreviewShowsTheJobsPages)
{
    OpenExample("box2_2span.mvl");
    CPrintView& v = SelectEverything();
    AfxGetPrintSettings().m_nPaperSize = DMPAPER_A3;
    AfxGetPrintSettings().m_bLandscape = true;
    const QString pdf = m_dir.filePath(QStringLiteral("preview.pdf"));
    bool previewed = false;
    AfxSetPrintHook([&](CPrintInfo* pInfo) {
        previewed = pInfo->m_bPreview;
        return pdf;
    });
    ASSERT_TRUE(AfxPrintView(&v, PrintMode::Preview));
    EXPECT_TRUE(previewed);
    const int counted = PdfPageCount(pdf);
    if (counted < 0)
        GTEST_SKIP() << "pdfinfo is not available";
    EXPECT_EQ(counted, v.CountPages());
    QProcess info;
    info.start(QStringLiteral("pdfinfo"), {pdf});
    ASSERT_TRUE(info.waitForFinished(30000));
    EXPECT_TRUE(QString::fromUtf8(info.readAllStandardOutput()).contains(QStringLiteral("595 x 842")));
}

TEST_F(ReportPrintTest, EveryPageButTheCoverCarriesFrameHeaderAndNumber)
{
    OpenExample("box2_2span.mvl");
    CPrintView& v = SelectEverything();
    const int pages = v.CountPages();
    ASSERT_GT(pages, 3);
    const QString title = g_pDoc->GetTitle();
    for (int p = 1; p <= pages; ++p) {
        const auto records = PrintPage(p);
        const bool frame = std::any_of(records.begin(), records.end(), [](const CDC::Record& r) {
            return r.op == QLatin1String("Rectangle") && r.args == std::vector<int>{200, -190, 1890, -2700};
        });
        const bool header = std::any_of(records.begin(), records.end(), [&](const CDC::Record& r) {
            return r.op == QLatin1String("TextOut") && r.args[0] == 200 && r.text.startsWith(title);
        });
        const bool number = FindText(records, AfxFormat("- %d -", p - 1)) != nullptr;
        if (p == 1) {
            EXPECT_FALSE(frame || header || number);
            continue;
        }
        EXPECT_TRUE(frame) << p;
        EXPECT_TRUE(header) << p;
        EXPECT_TRUE(number) << p;
    }
}

TEST_F(ReportPrintTest, PrintingLeavesTheDesignAsItWas)
{
    for (const char* example : {"plate_3span_skew.mvl", "box2_2span.mvl", "box1_1span.mvl", "plate_2span_haunch.mvl"}) {
        SCOPED_TRACE(example);
        OpenExample(example);
        // The plan was last printed on A3 and turned; the print format as saved is what every
        // job reads.
        g_pDoc->m_nPageWidth = 2970;
        g_pDoc->m_nPageHeight = 4200;
        g_pDoc->m_dPlanAngle = 30.0;
        g_pDoc->SavePrintSettings();
        // Bearing reactions other than the girders' show whether a count or a page writes them.
        for (double& r : g_pDoc->m_adSupportMaxReaction)
            r = 123.0;
        CPrintView& v = SelectEverything();
        const DocumentState before = DocumentState::Now();

        // Every page, the estimate pages and all pages of the mass breakdown among them.
        const int pages = v.CountPages();
        EXPECT_GT(v.m_anSectionPages[CPrintView::RS_MASS_BREAKDOWN], 1);
        for (int p = 1; p <= pages + 1; ++p)
            PrintPage(p);
        // The pages that the form keeps out of reach as well.
        CDC dc;
        CPrintInfo info;
        info.m_nCurPage = 1;
        v.PrintAreaRatio(&dc, &info);
        v.PrintSubstructureReactions(&dc, &info);
        v.PrintImpactCoefficients(&dc, &info);
        // The drawing pages sideways too: the plan laid along the sheet turns only the page.
        for (const auto& [upright, sideways] : {std::pair{IDC_PR_PLAN_PORTRAIT, IDC_PR_PLAN_LANDSCAPE},
                                                std::pair{IDC_PR_LONG_PORTRAIT, IDC_PR_LONG_LANDSCAPE},
                                                std::pair{IDC_PR_FORCE_PORTRAIT, IDC_PR_FORCE_LANDSCAPE}}) {
            Box(upright).SetCheck(0);
            Box(sideways).SetCheck(1);
        }
        for (int p = 1; p <= pages; ++p)
            PrintPage(p);
        ASSERT_TRUE(AfxPrintView(&v, PrintMode::Pdf, m_dir.filePath(QStringLiteral("report.pdf"))));
        AfxSetPrintHook([](CPrintInfo*) { return QString(); });
        ASSERT_TRUE(AfxPrintView(&v, PrintMode::Preview));
        AfxSetPrintHook({});
        Paint();

        EXPECT_GT(v.m_anSectionPages[CPrintView::RS_INPUT_CONDITIONS], 1);
        EXPECT_TRUE(DocumentState::Now().bearingReactions == before.bearingReactions);
        EXPECT_TRUE(CaptureDesign() == before.design);
        EXPECT_TRUE(static_cast<const CEstimateData&>(*g_pDoc) == before.estimate);
        EXPECT_TRUE(DocumentState::Now() == before);
    }
}

TEST_F(ReportPrintTest, EveryOptionalBlockOfTheInputConditionsPrintsOnItsPages)
{
    for (const char* example : {"plate_3span_skew.mvl", "box2_2span.mvl", "box1_1span.mvl"}) {
        SCOPED_TRACE(example);
        OpenExample(example);
        CMarivoltenDoc& doc = *g_pDoc;
        // Heights that vary, given block lengths, load factors, every member used and ten loads.
        doc.m_dlgBasic.m_nHeightVariation = 0;
        doc.m_dlgBasic.m_dP1Factor = 1.2;
        doc.m_dlgBasic.m_dP2Factor = 0.9;
        CSetupHeightDialog& h = *g_pHeightDlg;
        h.m_nPointCols = 0;
        for (int s = 0; s < g_nSpans; ++s) {
            h.m_anPointCount[s] = 2;
            for (int k = 0; k < 3; ++k, ++h.m_nPointCols) {
                h.m_adPointPos[h.m_nPointCols] = k * 10.0;
                for (int g = 0; g < MAX_GIRDERS; ++g)
                    h.m_adPointHeight[h.m_nPointCols][g] = 2.0 + 0.1 * k;
            }
        }
        h.m_adPointPos[h.m_nPointCols++] = 0.0;
        doc.m_dlgMainGirder.m_nBlockLengthMode = 1;
        JointPositionData& jp = doc.m_dlgMainGirder.m_dlgJointPosition;
        for (int g = 0; g < g_nGirders; ++g) {
            jp.m_anBlockCount[g] = 7;
            jp.m_apdBlockLength[g].assign(7, 9.875);
        }
        CSetupMainMemberDialog& m = doc.m_dlgMainMember;
        m.m_bUseLeftBracket = m.m_bUseRightBracket = m.m_bUseEdgeStringer = m.m_bUseStringer = 1;
        SteelWeightData& w = doc.m_dlgSteelWeight;
        w.m_nAttachments = 10;
        for (int i = 0; i < 10; ++i) {
            w.m_anAttachGirder[i] = g_nBridgeType == 2 ? 1 : i % g_nGirders;
            w.m_adAttachLoad[i] = 0.25 * (i + 1);
            w.m_adAttachPosition[i] = 1.5 * i;
        }

        CPrintView& v = OpenForm();
        v.m_bPrintInputConditions = 1;
        v.m_bShadeHeadings = 1;
        const QString pdf = m_dir.filePath(QStringLiteral("input.pdf"));
        ASSERT_TRUE(AfxPrintView(&v, PrintMode::Pdf, pdf));
        Keep(pdf, (QString::fromUtf8(example).chopped(4) + QStringLiteral("_input.pdf")).toUtf8().constData());
        const int counted = PdfPageCount(pdf);
        if (counted < 0)
            GTEST_SKIP() << "pdfinfo is not available";
        EXPECT_EQ(counted, v.m_anSectionPages[CPrintView::RS_INPUT_CONDITIONS]);
        const QString text = PdfText(pdf);
        for (const char* shown : {"【桁高】", "定義点1△", "P1荷重割増係数", "ﾌﾞﾛｯｸ 7", "左ブラケット形状・材質",
                                  "右ブラケット形状・材質", "側縦桁形状・材質", "縦桁形状・材質", "位置(ｍｍ)",
                                  "2.500", "【衝撃係数】"})
            EXPECT_TRUE(text.contains(QString::fromUtf8(shown))) << shown;
    }
}
