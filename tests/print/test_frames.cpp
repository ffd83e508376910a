// Every page of the whole report, upright and sideways, and every drawing and table window's
// own printout keep their texts and lines inside the page frame, for designs from a short
// single box to the largest the limits allow and girders at both ends of the height range;
// no table prints a text its cell cuts. On the examples' force diagrams no value is crossed
// by a line.
#include "printed_pages.h"

#include "design/calc_view.h"
#include "estimate/estimate_view.h"
#include "views/detail_view.h"
#include "views/input_check_view.h"
#include "views/react_view.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <cstdio>
#include <map>

namespace {

using namespace designentry;

class FramesTest : public PrintedPagesTest {
protected:
    // The design just entered, run; then every page of it checked.
    void RunAndCheck(const char* design)
    {
        m_design = QString::fromUtf8(design);
        ASSERT_NO_FATAL_FAILURE(RunGrillage());
        CheckDesign();
    }

    // The report and the windows of the open design with its results.
    void CheckDesign()
    {
        ASSERT_NE(g_pDoc->m_pGirders, nullptr);
        m_pages = 0;
        m_stationTexts.clear();
        CheckReport();
        CheckWindows();
        CheckTables();
        std::printf("[%s] type %d, %d spans, %d girders, %d panel points, %d stations, G1 %.0f mm high: %d pages "
                    "checked\n",
                    qPrintable(m_design), g_nBridgeType, g_nSpans, g_nGirders, g_nPanelPoints, g_nCrossSections,
                    GirderHeight() * 1000.0, m_pages);
    }

    // The first girder's height as the girder data holds it (m).
    static double GirderHeight()
    {
        return g_nBridgeType == 0 ? g_pDoc->m_dlgPlateGirder.m_adGirderHeight[0]
                                  : g_pDoc->m_dlgBoxGirder.m_adGirderHeight[0];
    }

    void Check(const QString& page, const std::vector<CDC::Record>& records, bool drawing)
    {
        ++m_pages;
        const QString where = QStringLiteral("[%1] %2 \"%3\"").arg(m_design, page, PageTitle(records));
        const QStringList outside = drawingchecks::OutsideFrame(records);
        EXPECT_TRUE(outside.isEmpty()) << qPrintable(where) << ": " << outside.size() << " off the frame:\n  "
                                       << qPrintable(outside.join(QStringLiteral("\n  ")));
        if (!drawing)
            return;
        // The force diagrams' values stand clear of the curves, steps and axis lines.
        if (m_bValuesClear && PageTitle(records).contains(QStringLiteral("断面力図"))) {
            const QStringList crossed = drawingchecks::CrossedTexts(records, drawingchecks::ForceValue());
            EXPECT_TRUE(crossed.isEmpty()) << qPrintable(where) << ": " << crossed.size() << " values crossed:\n  "
                                           << qPrintable(crossed.join(QStringLiteral("\n  ")));
        }
        // A text drawn twice in one place reads as one.
        QStringList over;
        for (const QString& pair : drawingchecks::OverlappingTexts(records)) {
            const qsizetype mid = pair.indexOf(QStringLiteral(" over "));
            if (pair.left(mid) != pair.mid(mid + 6))
                over << pair;
        }
        const qsizetype all = over.size();
        if (all > 12) {
            over = over.mid(0, 12);
            over << QStringLiteral("… %1 more").arg(all - 12);
        }
        EXPECT_TRUE(over.isEmpty()) << qPrintable(where) << ": " << all << " texts over one another:\n  "
                                    << qPrintable(over.join(QStringLiteral("\n  ")));
    }

    // Every page of the report; the texts of the upright cross-section and load pages kept
    // for their windows' printouts.
    void CheckReport()
    {
        PrintReport([this](const PrintedPage& page) {
            Check(page.name, page.records, page.drawing);
            if (page.upright &&
                (page.section == CPrintView::RS_CROSS_SECTIONS || page.section == CPrintView::RS_LOADS)) {
                QStringList texts = drawingchecks::TextsInFrame(page.records);
                const QString name = CPrintView::SectionName(page.section);
                texts.removeIf([&](const QString& t) { return t.endsWith(name); });
                m_stationTexts[PageTitle(page.records)] = texts;
            }
        });
    }

    void CheckWindows()
    {
        PrintWindows([this](const PrintedPage& page) {
            Check(page.name, page.records, true);
            ExpectReportTexts(page.name, page.records);
        });
    }

    // The table windows, each table or page of them the design has, every printed page: its
    // texts and lines, the grid's in device pixels among them, inside the frame and no text
    // wider than its cell.
    void CheckTables()
    {
        Command(ID_VIEW_CONDITION);
        ASSERT_NE(g_pConditionView, nullptr);
        for (int page = 0; page < 4; ++page) {
            g_pConditionView->SendMessage(WM_CONDITION_SELECT, 0, page);
            CheckTable(g_pConditionView, AfxFormat("input check window page %d", page), AfxFormat("condition%d", page));
        }
        Command(ID_VIEW_REACT);
        ASSERT_NE(g_pReactView, nullptr);
        for (int table = 0; table < CReactView::TABLE_COUNT; ++table) {
            g_pReactView->SendMessage(WM_REACT_SELECT, 0, table);
            if (g_pReactView->ShownTable() == table)
                CheckTable(g_pReactView, AfxFormat("reactions window table %d", table), AfxFormat("react%d", table));
        }
        Command(ID_VIEW_PROPERTIES);
        ASSERT_NE(g_pPropertiesView, nullptr);
        for (int table : {0, 2, 3}) {
            g_pPropertiesView->SendMessage(WM_PROPERTIES_SELECT, 0, table);
            if (g_pPropertiesView->ShownTable() == table)
                CheckTable(g_pPropertiesView, AfxFormat("section data window table %d", table),
                           AfxFormat("properties%d", table));
        }
        Command(ID_VIEW_CALC);
        ASSERT_NE(g_pCalcView, nullptr);
        CheckTable(g_pCalcView, QStringLiteral("section calculation window"), QStringLiteral("calc"));
        Command(ID_VIEW_ESTIMATE);
        ASSERT_NE(g_pEstimateView, nullptr);
        for (int table = 0; table < CEstimateView::TABLE_COUNT; ++table) {
            g_pEstimateView->SendMessage(CEstimateView::WM_ESTIMATE_SELECT, 0, table);
            CheckTable(g_pEstimateView, AfxFormat("estimate window table %d", table), AfxFormat("estimate%d", table));
        }
    }

    void CheckTable(CView* view, const QString& name, const QString& pdf)
    {
        CDC measure;
        AtPrinterResolution(measure, kPrinterDpi);
        measure.SetPrinting(true);
        measure.SetRecording(false);
        const auto pages = PrintWindowPages(view);
        for (size_t p = 0; p < pages.size(); ++p) {
            ++m_pages;
            const QString where = QStringLiteral("[%1] %2 page %3 \"%4\"").arg(m_design, name).arg(p + 1).arg(
                PageTitle(pages[p]));
            const QStringList outside = drawingchecks::OutsideFrame(pages[p], 3, kPrinterDpi);
            EXPECT_TRUE(outside.isEmpty()) << qPrintable(where) << ": " << outside.size() << " off the frame:\n  "
                                           << qPrintable(outside.join(QStringLiteral("\n  ")));
            const QStringList cut = drawingchecks::CutTexts(pages[p], measure);
            EXPECT_TRUE(cut.isEmpty()) << qPrintable(where) << ": " << cut.size() << " cut:\n  "
                                       << qPrintable(cut.join(QStringLiteral("\n  ")));
        }
        KeepPdf(view, pdf);
    }

    // A station's window printout writes every text the report's page of that station writes,
    // as often: the window draws the same drawing, none of its values left out.
    void ExpectReportTexts(const QString& page, const std::vector<CDC::Record>& records)
    {
        const auto report = m_stationTexts.find(PageTitle(records));
        if (report == m_stationTexts.end())
            return;
        QStringList missing = report->second;
        for (const QString& t : drawingchecks::TextsInFrame(records))
            missing.removeOne(t);
        EXPECT_TRUE(missing.isEmpty()) << qPrintable(QStringLiteral("[%1] %2").arg(m_design, page))
                                       << ": the report's page writes, the window's does not:\n  "
                                       << qPrintable(missing.join(QStringLiteral("\n  ")));
    }

    bool m_bValuesClear = false;
    int m_pages = 0;
    // The texts of the report's upright cross-section and load pages by their titles.
    std::map<QString, QStringList> m_stationTexts;
};

void SetVaryingHeight(CDialog* d)
{
    static_cast<CButton*>(d->GetDlgItem(IDC_HEIGHT_VARIATION))->SetCheck(1);
    static_cast<CButton*>(d->GetDlgItem(IDC_HEIGHT_CONSTANT))->SetCheck(0);
}

}

TEST_F(FramesTest, OneSpanPlate)
{
    dialoginput::ConfirmBasic(QStringLiteral("1"));
    RunAndCheck("one-span plate");
}

// Three boxes over one 21 m span of seven panels, 1970 mm high.
TEST_F(FramesTest, ShortThreeBox)
{
    EnterBasic({"三主箱桁橋 21m", 1, 3, IDC_FORM_BOX, IDC_SIDEWALK});
    EnterSpans({21000}, 3000);
    EnterGirderHeight(1970);
    ASSERT_EQ(g_nBridgeType, 1);
    ASSERT_EQ(g_nPanelPoints, 8);
    ASSERT_DOUBLE_EQ(GirderHeight(), 1.97);
    RunAndCheck("three boxes over 21 m");
}

TEST_F(FramesTest, ShortSingleBox)
{
    EnterBasic({"単純箱桁橋 (1BOX) 16m", 1, 1, IDC_FORM_BOX, IDC_SIDEWALK});
    EnterSpans({16000}, 4000);
    ASSERT_EQ(g_nBridgeType, 2);
    RunAndCheck("short single box of 16 m");
}

// The largest the limits allow: 14 spans of 20 panels under 20 girders.
TEST_F(FramesTest, FourteenSpansOfTwentyGirders)
{
    EnterBasic({"十四径間連続鈑桁橋", MAX_SPANS, MAX_GIRDERS, IDC_FORM_PLATE, IDC_SIDEWALK});
    EnterSpans({40000, 40000, 40000, 40000, 40000, 40000, 40000, 40000, 40000, 40000, 40000, 40000, 40000, 40000},
               2000);
    ASSERT_EQ(g_nPanelPoints, MAX_SPANS * MAX_PANELS + 1);
    ASSERT_EQ(g_nGirders, MAX_GIRDERS);
    RunAndCheck("14 spans of 20 panels, 20 girders");
}

// Six spans on a curve of 160 m: the panel table of the input check window takes more than a
// page across, and the load diagrams of a curved deck with sidewalks are crowded.
TEST_F(FramesTest, SixSpans)
{
    EnterBasic({"六径間連続鈑桁橋", 6, 4, IDC_FORM_PLATE, IDC_SIDEWALK});
    EnterSpans({30000, 35000, 40000, 40000, 35000, 30000}, 5000);
    ASSERT_EQ(g_nSpans, 6);
    for (int s = 0; s < g_nSpans; ++s) {
        g_pPanelDlg->m_anBaseLineType[s] = 1;
        g_pPanelDlg->m_anGirderLineType[s] = 1;
        g_pPanelDlg->m_adBaseRadius[s] = 160.0;
    }
    g_pDoc->Rebuild(CMarivoltenDoc::RebuildReason::Panels);
    RunAndCheck("six spans on a curve");
}

// The example designs with the results they were saved with.
TEST_F(FramesTest, ExampleDesigns)
{
    m_bValuesClear = true;
    for (const char* file : {"plate_3span_skew.mvl", "box2_2span.mvl", "box1_1span.mvl", "plate_2span_haunch.mvl"}) {
        OpenExample(file);
        m_design = QString::fromUtf8(file);
        CheckDesign();
    }
}

// A design saved deep in folders: its path, on the design conditions page of the input check
// window, stays inside the frame, smaller and over the empty row below where it must, whole;
// a long name, in the header over the frame, stays on the paper.
TEST_F(FramesTest, LongDesignPathStaysWholeOnThePage)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString folder = QStringLiteral("橋梁設計データ/令和8年度/国道123号線バイパス工事/上部工/詳細設計/比較検討案");
    const QString name = QStringLiteral("国道123号線バイパス工事_第二高架橋_上部工詳細設計_鋼2径間連続非合成鈑桁_比較検討案_最終修正版_照査済_提出用_発注者協議後_第3回変更反映");
    for (const QString& deep : {folder, folder + QLatin1Char('/') + folder + QLatin1Char('/') + folder}) {
        const QString path = QDir(dir.path()).filePath(deep + QLatin1Char('/') + name + QStringLiteral(".mvl"));
        ASSERT_TRUE(QDir().mkpath(QFileInfo(path).path()));
        ASSERT_TRUE(QFile::copy(QDir(QStringLiteral(EXAMPLES_DIR)).filePath(QStringLiteral("plate_2span_haunch.mvl")), path));
        ASSERT_TRUE(theApp.OpenDesign(path));
        Command(ID_VIEW_CONDITION);
        ASSERT_NE(g_pConditionView, nullptr);
        g_pConditionView->SendMessage(WM_CONDITION_SELECT, 0, CConditionView::PAGE_DESIGN);
        const auto pages = PrintWindowPages(g_pConditionView);
        KeepPdf(g_pConditionView, AfxFormat("path%d", int(deep.size())));
        ASSERT_EQ(pages.size(), 1u);
        const QStringList outside = drawingchecks::OutsideFrame(pages[0], 3, kPrinterDpi);
        EXPECT_TRUE(outside.isEmpty()) << qPrintable(outside.join(u'\n'));
        const int f = drawingchecks::FrameIndex(pages[0]);
        ASSERT_GT(f, 0);
        const CDC::Record& header = pages[0][size_t(f - 1)];
        const CDC::Record& fr = pages[0][size_t(f)];
        EXPECT_TRUE(header.text.startsWith(name));
        EXPECT_LE(drawingchecks::OnPage(header, header.box.BottomRight(), kPrinterDpi).x,
                  std::max(fr.args[0], fr.args[2]) + 3);
        // Its lines, top down, read the path whole.
        QString written;
        bool after = false;
        for (const CDC::Record& r : pages[0]) {
            if (!drawingchecks::IsText(r))
                continue;
            if (r.text.startsWith(QStringLiteral("【")))
                break;
            if (after)
                written += r.text;
            after = after || r.text == QStringLiteral("・ファイル名");
        }
        EXPECT_EQ(written, QStringLiteral("： ") + path);
    }
}

// The longest title and subtitle the basic conditions take, full-width, on every page.
TEST_F(FramesTest, LongestTitles)
{
    OpenExample("plate_2span_haunch.mvl");
    g_pDoc->m_dlgBasic.m_strTitle = QString(100, QChar(0x6A4B));
    g_pDoc->m_dlgBasic.m_strSubtitle = QString(100, QChar(0x8A2D));
    g_pDoc->UpdateAllViews(nullptr);
    m_design = QStringLiteral("longest titles");
    CheckDesign();
}

// Girders at the ends of the heights the girder data accepts.
TEST_F(FramesTest, TallPlateGirder)
{
    dialoginput::ConfirmBasic(QStringLiteral("2"));
    EnterGirderHeight(10000);
    ASSERT_DOUBLE_EQ(GirderHeight(), 10.0);
    RunAndCheck("two-span plate of 10000 mm girders");
}

TEST_F(FramesTest, ShallowPlateGirder)
{
    dialoginput::ConfirmBasic(QStringLiteral("2"));
    EnterGirderHeight(100);
    ASSERT_DOUBLE_EQ(GirderHeight(), 0.1);
    RunAndCheck("two-span plate of 100 mm girders");
}

TEST_F(FramesTest, ContinuousVaryingHeight)
{
    dialoginput::ConfirmBasic(QStringLiteral("3"), SetVaryingHeight);
    ASSERT_EQ(g_pDoc->m_dlgBasic.m_nHeightVariation, 0);
    RunAndCheck("three-span plate of varying height");
}
