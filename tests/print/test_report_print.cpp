// Whole reports of designed bridges: printed to PDF and previewed on A4 portrait, every page
// in its frame with its header and number, and nothing of the design changed by them.
#include "print_fixture.h"

#include "app/design_state.h"
#include "framework/format.h"

#include <QFile>
#include <QFileInfo>
#include <QProcess>
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
        int expected = 3;
        for (int s : {CPrintView::RS_DEFLECTION, CPrintView::RS_REACTION_SUMMARY, CPrintView::RS_CALC_TABLE,
                      CPrintView::RS_FORCE_DETAIL, CPrintView::RS_STIFFNESS, CPrintView::RS_STEEL_WEIGHT}) {
            EXPECT_GT(v.m_anSectionPages[s], 0) << s;
            expected += v.m_anSectionPages[s];
        }
        EXPECT_EQ(pages, expected);
        const int counted = PdfPageCount(pdf);
        if (counted < 0)
            GTEST_SKIP() << "pdfinfo is not available";
        EXPECT_EQ(counted, pages);
        const QString text = PdfText(pdf);
        EXPECT_TRUE(text.contains(QStringLiteral("【計算書】")));
        EXPECT_TRUE(text.contains(QStringLiteral("目次")));
        int number = 0;
        for (const char* name : {"設計条件", "たわみ", "支点反力集計", "断面計算表", "断面力詳細データ",
                                 "曲げ剛度ねじり剛度", "鋼重"})
            EXPECT_TRUE(text.contains(AfxFormat("§%2d ", ++number) + QString::fromUtf8(name))) << name;
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
                 d.m_dForceScale1, d.m_dForceScale2, double(d.m_nCalcGirder), double(d.m_nCurCrossSection),
                 double(d.m_bDetailDataAvailable), double(d.m_nEstimateRuns), double(d.m_nRebuildCount)},
                d.IsModified()};
    }
};

}

TEST_F(ReportPrintTest, PlateBoxAndSingleBoxPrintWholeOnA4)
{
    for (const char* example : {"plate_3span_skew.mvl", "box2_2span.mvl", "box1_1span.mvl"}) {
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
    EXPECT_TRUE(text.contains(QStringLiteral("§ 3 下部工用反力（衝撃なし）")));
    EXPECT_TRUE(text.contains(QStringLiteral("§ 4 支点反力詳細")));
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
    OpenExample("box2_2span.mvl");
    // The plan was last printed on A3 and turned; the print format as saved is what every
    // job reads.
    g_pDoc->m_nPageWidth = 2970;
    g_pDoc->m_nPageHeight = 4200;
    g_pDoc->m_dPlanAngle = 30.0;
    g_pDoc->SavePrintSettings();
    CPrintView& v = SelectEverything();
    const DocumentState before = DocumentState::Now();

    const int pages = v.CountPages();
    for (int p = 1; p <= pages + 1; ++p)
        PrintPage(p);
    // The pages that the form keeps out of reach as well.
    CDC dc;
    CPrintInfo info;
    info.m_nCurPage = 1;
    v.PrintAreaRatio(&dc, &info);
    v.PrintSubstructureReactions(&dc, &info);
    v.PrintImpactCoefficients(&dc, &info);
    ASSERT_TRUE(AfxPrintView(&v, PrintMode::Pdf, m_dir.filePath(QStringLiteral("report.pdf"))));
    AfxSetPrintHook([](CPrintInfo*) { return QString(); });
    ASSERT_TRUE(AfxPrintView(&v, PrintMode::Preview));
    Paint();

    EXPECT_TRUE(DocumentState::Now() == before);
    EXPECT_TRUE(CaptureDesign() == before.design);
    EXPECT_TRUE(static_cast<const CEstimateData&>(*g_pDoc) == before.estimate);
}
