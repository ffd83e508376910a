// Every page of the whole report, upright and sideways, and every drawing and table window's
// own printout keep their texts and lines inside the page frame, for designs from a short
// single box to the largest the limits allow and girders at both ends of the height range;
// no table prints a text its cell cuts. On the examples' force diagrams no value is crossed
// by a line.
#include "print_fixture.h"

#include "common/design_entry.h"
#include "common/drawing_checks.h"
#include "common/picture_folder.h"

#include "app/globals.h"
#include "design/calc_view.h"
#include "estimate/estimate_view.h"
#include "framework/format.h"
#include "res/resource_ids.h"
#include "views/detail_view.h"
#include "views/drawing_views.h"
#include "views/input_check_view.h"
#include "views/react_view.h"

#include <cstdio>
#include <map>

namespace {

using namespace designentry;

class FramesTest : public PrintTest {
protected:
    static constexpr int kPrinterDpi = 600;

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

    // The page's own title: its header without the design's name.
    static QString PageTitle(const std::vector<CDC::Record>& records)
    {
        const int f = drawingchecks::FrameIndex(records);
        if (f <= 0)
            return QString();
        return records[size_t(f - 1)].text.mid(g_pDoc->GetTitle().size());
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
        static const QRegularExpression value(QStringLiteral("^-?\\d+\\.\\d$"));
        if (m_bValuesClear && PageTitle(records).contains(QStringLiteral("断面力図"))) {
            const QStringList crossed = drawingchecks::CrossedTexts(records, value);
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

    // Every section the form offers, every station row; each page printed upright, the
    // drawing pages again sideways where the form offers both.
    void CheckReport()
    {
        CPrintView& v = OpenForm();
        static_cast<CButton*>(Bar().GetControl(IDC_PRINT_SELECT_ALL))->Click();
        for (int id : {IDC_PR_LONGITUDINAL, IDC_PR_REACTION_DETAIL, IDC_PR_NO_IMPACT})
            if (Box(id).IsWindowVisible() && Box(id).IsWindowEnabled() && !Box(id).GetCheck())
                Click(id);
        static const std::pair<int, int> orientations[] = {
            {IDC_PR_PLAN_PORTRAIT, IDC_PR_PLAN_LANDSCAPE}, {IDC_PR_SHAPE_PORTRAIT, IDC_PR_SHAPE_LANDSCAPE},
            {IDC_PR_LOAD_PORTRAIT, IDC_PR_LOAD_LANDSCAPE}, {IDC_PR_FORCE_PORTRAIT, IDC_PR_FORCE_LANDSCAPE},
            {IDC_PR_LONG_PORTRAIT, IDC_PR_LONG_LANDSCAPE}};
        for (const bool upright : {true, false}) {
            for (const auto& [portrait, landscape] : orientations)
                if (Box(portrait).IsWindowEnabled() && Box(landscape).IsWindowEnabled()) {
                    Box(portrait).SetCheck(upright ? 1 : 0);
                    Box(landscape).SetCheck(upright ? 0 : 1);
                }
            const int pages = v.CountPages();
            EXPECT_GT(pages, 10) << qPrintable(m_design);
            for (int p = 1; p <= pages; ++p) {
                const int section = v.SectionOfPage(p);
                if (section == CPrintView::RS_COVER)
                    continue;
                const bool drawing = section == CPrintView::RS_PLAN || section == CPrintView::RS_CROSS_SECTIONS ||
                                     section == CPrintView::RS_LONGITUDINAL || section == CPrintView::RS_LOADS ||
                                     section == CPrintView::RS_FORCE_DIAGRAM;
                if (!upright && !drawing)
                    continue;
                const std::vector<CDC::Record> records = PrintPage(p, kPrinterDpi);
                Check(AfxFormat("report %s page %d (%s)", upright ? "upright" : "sideways", p,
                                qPrintable(CPrintView::SectionName(section))),
                      records, drawing);
                if (upright && (section == CPrintView::RS_CROSS_SECTIONS || section == CPrintView::RS_LOADS)) {
                    QStringList texts = drawingchecks::TextsInFrame(records);
                    texts.removeIf([&](const QString& t) { return t.endsWith(CPrintView::SectionName(section)); });
                    m_stationTexts[PageTitle(records)] = texts;
                }
            }
            KeepPdf(&v, upright ? QStringLiteral("report_upright") : QStringLiteral("report_sideways"));
        }
    }

    // A window's first page as its print job lays it out, on the recording DC; the plan's
    // paper question answered with the paper given.
    static std::vector<CDC::Record> PrintWindow(CView* view, int paper = IDC_PAPER_A4)
    {
        return PrintWindowPages(view, paper, 1).front();
    }

    // The first `most` pages of a window's printout, or all of them.
    static std::vector<std::vector<CDC::Record>> PrintWindowPages(CView* view, int paper = IDC_PAPER_A4,
                                                                  UINT most = 0)
    {
        CPrintInfo info;
        info.m_bPreview = TRUE;   // laid out as the preview does, without the print dialog
        AfxSetModalHook([paper](CDialog* d) {
            for (int id : {IDC_PAPER_A4, IDC_PAPER_A3})
                static_cast<CButton*>(d->GetDlgItem(id))->SetCheck(id == paper);
            d->SendMessage(WM_COMMAND, IDOK);
        });
        const BOOL prepared = view->OnPreparePrinting(&info);
        AfxSetModalHook({});
        EXPECT_TRUE(prepared);
        CDC dc;
        AtPrinterResolution(dc, kPrinterDpi);
        dc.SetPrinting(true);
        view->OnBeginPrinting(&dc, &info);
        const UINT last = most > 0 ? std::min(most, info.GetMaxPage()) : info.GetMaxPage();
        std::vector<std::vector<CDC::Record>> pages;
        for (UINT p = 1; p <= std::max(last, 1u); ++p) {
            dc.ClearRecords();
            info.m_nCurPage = p;
            view->OnPrepareDC(&dc, &info);
            view->OnPrint(&dc, &info);
            pages.push_back(dc.Records());
        }
        view->OnEndPrinting(&dc, &info);
        return pages;
    }

    // The plan on both papers, the cross section and loads at every station, the force
    // diagram of every girder and, where the height varies, its longitudinal section.
    void CheckWindows()
    {
        Command(ID_VIEW_PLAN);
        ASSERT_NE(g_pGridView, nullptr);
        for (const auto& [paper, name] : {std::pair{IDC_PAPER_A4, "A4"}, std::pair{IDC_PAPER_A3, "A3"}})
            Check(AfxFormat("plan window printout on %s", name), PrintWindow(g_pGridView, paper), true);
        KeepPdf(g_pGridView, QStringLiteral("plan"));

        auto section = []() -> CView* { return g_pSectionView; };
        auto load = []() -> CView* { return g_pLoadView; };
        auto force = []() -> CView* { return g_pForceView; };
        auto longitudinal = []() -> CView* { return g_pSection2View; };
        CheckEach(ID_VIEW_SECTION, section, g_nCrossSections, g_pDoc->m_nCurCrossSection, "cross-section", "station ");
        CheckEach(ID_VIEW_LOAD, load, g_nCrossSections, g_pDoc->m_nCurCrossSection, "load", "station ");
        const int girders = g_nBridgeType == 2 ? 1 : g_nGirders;
        CheckEach(ID_VIEW_FORCE, force, girders, g_pDoc->m_nCalcGirder, "force", "G");
        if (g_pDoc->m_dlgBasic.m_nHeightVariation == 0)
            CheckEach(ID_VIEW_SECTION2, longitudinal, girders, g_pDoc->m_nCalcGirder, "longitudinal", "G");
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

    // The window's page for each of the `count` stations or girders the document's `choice`
    // shows, the choice put back after.
    void CheckEach(UINT command, CView* (*view)(), int count, int& choice, const char* name, const char* item)
    {
        Command(command);
        ASSERT_NE(view(), nullptr);
        const int shown = choice;
        for (int i = 0; i < count; ++i) {
            choice = i;
            g_pDoc->UpdateAllViews(nullptr);
            const std::vector<CDC::Record> records = PrintWindow(view());
            const QString page = AfxFormat("%s window printout, %s%d", name, item, i + 1);
            Check(page, records, true);
            ExpectReportTexts(page, records);
            KeepPdf(view(), AfxFormat("%s_%d", name, i + 1));
        }
        choice = shown;
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

    // With MV_KEEP_SHOTS set, the job as printed to a PDF file of the picture folder, to look at.
    void KeepPdf(CView* view, const QString& name)
    {
        if (!qEnvironmentVariableIsSet("MV_KEEP_SHOTS"))
            return;
        QString file = QString::fromUtf8(::testing::UnitTest::GetInstance()->current_test_info()->name());
        if (m_design.endsWith(QStringLiteral(".mvl")))
            file += QLatin1Char('_') + m_design.chopped(4);
        file += QLatin1Char('_') + name + QStringLiteral(".pdf");
        AfxSetModalHook([](CDialog* d) { d->SendMessage(WM_COMMAND, IDOK); });
        EXPECT_TRUE(AfxPrintView(view, PrintMode::Pdf, m_pictures.FilePath(file)));
        AfxSetModalHook({});
    }

    CPictureFolder m_pictures;
    QString m_design;
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
