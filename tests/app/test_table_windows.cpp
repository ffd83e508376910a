// The tabular windows after a real grillage run: the bars switch the tables and refuse those
// the results cannot show, the tables hold the results' numbers, and every table and page
// prints in the page frame without changing the design.
#include "common/dialog_input.h"
#include "common/grid_checks.h"
#include "common/picture_folder.h"
#include "common/shell_fixture.h"

#include "app/childfrm.h"
#include "app/design_state.h"
#include "design/girder_design.h"
#include "framework/dc.h"
#include "framework/format.h"
#include "framework/print.h"
#include "framework/wndextras.h"

#include <QCoreApplication>
#include <QFile>
#include <algorithm>

namespace {

using dialoginput::Cell;

template <class Frame, class View>
auto& BarOf(View* view)
{
    return static_cast<Frame*>(view->GetParentFrame())->m_wndBar;
}

CButton& Button(CDialogBar& bar, int id) { return *static_cast<CButton*>(bar.GetControl(id)); }

CRect Place(CWnd& w)
{
    CRect r;
    w.GetWindowRect(&r);
    return r;
}

CRect Client(CWnd* view)
{
    CRect r;
    view->GetClientRect(&r);
    return r;
}

void Paint(CWnd* view, CDialogBar& bar)
{
    view->UpdateWindow();
    bar.UpdateWindow();
    bar.OnUpdateCmdUI(nullptr, FALSE);
}

class TableWindowsTest : public ShellTest {
protected:
    void SetUp() override
    {
        ShellTest::SetUp();
        dialoginput::ConfirmBasic(QStringLiteral("2"));
        RunGrillage();
    }
    void TearDown() override
    {
        AfxSetPrintHook({});
        ShellTest::TearDown();
    }
    static CReactView& React()
    {
        if (!g_pReactView)
            Command(ID_VIEW_REACT);
        return *g_pReactView;
    }
    static CReactBar& ReactBar() { return BarOf<CChildReactFrame>(&React()); }
    static void ClickReact(int nTable)
    {
        Button(ReactBar(), CReactBar::kTableIds[nTable]).Click();
        Paint(&React(), ReactBar());
    }
};

}

TEST_F(TableWindowsTest, ReactBarSwitchesTheTablesAndTheDocumentKeepsTheChoice)
{
    CMarivoltenDoc& doc = *g_pDoc;
    CReactView& view = React();
    Paint(&view, ReactBar());
    ASSERT_EQ(doc.m_nReactTable, 0);
    ASSERT_EQ(view.m_bNotCreated[0], 0);
    EXPECT_EQ(Place(view.m_grid[0]).Size(), Client(&view).Size());
    EXPECT_EQ(Button(ReactBar(), IDC_REACT_SUMMARY).GetCheck(), 1);

    // Two spans of four girders: three blocks of 4 + 3 rows and the grand rows.
    CTableGrid& summary = view.m_grid[0];
    ASSERT_EQ(summary.GetNumberRows(), 3 * 7 + 2);
    EXPECT_EQ(Cell(summary, 0, 0), QStringLiteral("第 1支点反力(kN)"));
    const CGirderDesign& g1 = doc.m_pGirders[0];
    EXPECT_EQ(Cell(summary, 1, 1), AfxFormat("%4d", g1.m_anReactNode[0]));
    EXPECT_EQ(Cell(summary, 1, 2), AfxFormat("%9.2f", g1.m_adReactDead[0] * 9.80665));
    EXPECT_GT(AfxAtof(Cell(summary, 1, 2)), 0.0);
    int width = 0;
    summary.GetColWidth(0, &width);
    EXPECT_EQ(width, 160);

    ClickReact(1);
    EXPECT_EQ(doc.m_nReactTable, 1);
    EXPECT_EQ(Place(view.m_grid[1]).Size(), Client(&view).Size());
    EXPECT_TRUE(Place(view.m_grid[0]).IsRectEmpty());
    EXPECT_EQ(view.m_grid[1].GetNumberRows(), (g_nPanelPoints + 2) * 4 - 1);
    EXPECT_EQ(Button(ReactBar(), IDC_REACT_DEFLECTION).GetCheck(), 1);
    EXPECT_EQ(Button(ReactBar(), IDC_REACT_SUMMARY).GetCheck(), 0);

    // A live load without tandem loads keeps the detail: both detail tables are offered.
    ClickReact(4);
    EXPECT_TRUE(m_shown.isEmpty());
    EXPECT_EQ(view.m_grid[4].GetNumberRows(), 7 * 4 * 3);
    EXPECT_EQ(Cell(view.m_grid[4], 1, 0), AfxFormat("%4d MAX", g1.m_anReactNode[0]));
    ClickReact(5);
    EXPECT_EQ(doc.m_nReactTable, 5);
    ClickReact(3);
    EXPECT_EQ(view.m_grid[3].GetNumberRows(), 4);
    EXPECT_EQ(Cell(view.m_grid[3], 1, 1), AfxFormat("%3.3f", doc.m_adImpactCoef[0]));
    // Never chosen, never made.
    EXPECT_EQ(view.m_bNotCreated[2], 1);

    // Opened again, the window shows the document's table and its bar says so.
    view.GetParentFrame()->OnClose();
    QCoreApplication::processEvents();
    ASSERT_EQ(g_pReactView, nullptr);
    Paint(&React(), ReactBar());
    EXPECT_EQ(ReactBar().m_nTable, 3);
    EXPECT_EQ(Button(ReactBar(), IDC_REACT_IMPACT).GetCheck(), 1);
    EXPECT_EQ(Place(React().m_grid[3]).Size(), Client(&React()).Size());

    // Results discarded: no table of them stays in sight.
    doc.InvalidateResults();
    EXPECT_TRUE(Place(React().m_grid[3]).IsRectEmpty());
}

TEST_F(TableWindowsTest, ReactBarRefusesTablesWithoutTheirDataAndChosenOnesGiveWay)
{
    CMarivoltenDoc& doc = *g_pDoc;
    Paint(&React(), ReactBar());
    ClickReact(4);
    ASSERT_EQ(doc.m_nReactTable, 4);

    // A tandem live load keeps no detail.
    doc.m_dlgBasic.m_nLiveLoad = 2;
    doc.UpdateAllViews(nullptr);
    ClickReact(5);
    EXPECT_EQ(m_shown, QStringList{QStringLiteral("T+L荷重選択時は「下部工用反力（衝撃無し）」は表示できません。")});
    EXPECT_EQ(doc.m_nReactTable, 4);
    EXPECT_EQ(Button(ReactBar(), IDC_REACT_DETAIL_NO_IMPACT).GetCheck(), 0);
    // The detail chosen before gives way to the summary rather than show what no longer holds.
    EXPECT_EQ(React().ShownTable(), 0);
    EXPECT_EQ(Place(React().m_grid[0]).Size(), Client(&React()).Size());
    EXPECT_TRUE(Place(React().m_grid[4]).IsRectEmpty());
    EXPECT_EQ(ReactBar().m_nTable, 0);
    m_shown.clear();
    ClickReact(4);
    EXPECT_EQ(m_shown, QStringList{QStringLiteral("T+L荷重選択時は「支点反力詳細」は表示できません。")});
    doc.m_dlgBasic.m_nLiveLoad = 0;

    // Results of a format without the detail or the impact coefficients.
    const int node = doc.m_pGirders[0].m_anDetailNode[0][0];
    doc.m_pGirders[0].m_anDetailNode[0][0] = -1;
    m_shown.clear();
    ClickReact(4);
    ClickReact(5);
    EXPECT_EQ(m_shown, (QStringList{
                           QStringLiteral("旧形式データのため「支点反力詳細」を表示できませんでした。\r格子計算をやり直してください。"),
                           QStringLiteral("旧形式データのため「下部工用反力（衝撃無し）」を表示できませんでした。\r格子計算をやり直してください。")}));
    doc.m_pGirders[0].m_anDetailNode[0][0] = node;
    const double impact = doc.m_adImpactCoef[0];
    doc.m_adImpactCoef[0] = -1.0;
    m_shown.clear();
    ClickReact(3);
    EXPECT_EQ(m_shown, QStringList{QStringLiteral("旧形式データのため「衝撃係数」を表示できませんでした。\r格子計算をやり直してください。")});
    EXPECT_NE(doc.m_nReactTable, 3);
    doc.m_adImpactCoef[0] = impact;

    // Without results the buttons that test the results just do not take.
    ClickReact(1);
    doc.InvalidateResults();
    m_shown.clear();
    for (int t : {3, 4, 5})
        ClickReact(t);
    EXPECT_TRUE(m_shown.isEmpty());
    EXPECT_EQ(doc.m_nReactTable, 1);
    EXPECT_EQ(Button(ReactBar(), IDC_REACT_DEFLECTION).GetCheck(), 1);
}

TEST_F(TableWindowsTest, DetailWindowShowsTheCurrentGirdersTablesAndFollowsTheSpin)
{
    CMarivoltenDoc& doc = *g_pDoc;
    Command(ID_VIEW_PROPERTIES);
    ASSERT_NE(g_pPropertiesView, nullptr);
    CSectionPropertiesView& view = *g_pPropertiesView;
    CPropertiesBar& bar = BarOf<CChildPropertiesFrame>(&view);
    Paint(&view, bar);
    ASSERT_EQ(doc.m_nPropertiesTable, 0);
    CTableGrid& forces = view.m_gridForces;
    ASSERT_EQ(forces.GetNumberRows(), 4 * g_nPanelPoints - 1);
    EXPECT_EQ(Cell(forces, 1, 1), QStringLiteral("モーメント"));
    EXPECT_EQ(Cell(forces, 2 * g_nPanelPoints, 1), QStringLiteral("せん断力"));
    int size = -1;
    forces.GetColWidth(0, &size);
    EXPECT_EQ(size, 0);
    forces.GetRowHeight(0, &size);
    EXPECT_EQ(size, 0);
    EXPECT_EQ(Place(forces).Size(), Client(&view).Size());
    EXPECT_EQ(bar.GetControl(IDC_PROP_GIRDER)->GetWindowText(), QStringLiteral("   1"));
    EXPECT_EQ(Cell(forces, 2, 2), AfxFormat("%1.3f", doc.m_pGirders[0].m_pdMomentDeadI[0] * 9.80665));

    // The spin moves the girder for the document and its tables.
    static_cast<CSpinButtonCtrl*>(bar.GetControl(IDC_PROP_GIRDER_SPIN))->Step(1);
    Paint(&view, bar);
    EXPECT_EQ(doc.m_nCurGirder, 1);
    EXPECT_EQ(bar.GetControl(IDC_PROP_GIRDER)->GetWindowText(), QStringLiteral("   2"));
    EXPECT_EQ(Cell(forces, 2, 2), AfxFormat("%1.3f", doc.m_pGirders[1].m_pdMomentDeadI[0] * 9.80665));
    static_cast<CSpinButtonCtrl*>(bar.GetControl(IDC_PROP_GIRDER_SPIN))->Step(-1);
    static_cast<CSpinButtonCtrl*>(bar.GetControl(IDC_PROP_GIRDER_SPIN))->Step(-1);
    EXPECT_EQ(doc.m_nCurGirder, 0);

    Button(bar, IDC_PROP_STIFFNESS).Click();
    Paint(&view, bar);
    EXPECT_EQ(doc.m_nPropertiesTable, 2);
    EXPECT_EQ(Cell(view.m_gridStiffness, 1, 2), QStringLiteral("仮定曲げ剛度[m4]"));
    EXPECT_GE(view.m_gridStiffness.GetNumberRows(), 3);
    EXPECT_TRUE(Place(forces).IsRectEmpty());
    Button(bar, IDC_PROP_STEEL_WEIGHT).Click();
    Paint(&view, bar);
    EXPECT_EQ(doc.m_nPropertiesTable, 3);
    EXPECT_EQ(Cell(view.m_gridSteelWeight, 1, 2), QStringLiteral("仮定鋼重[t/m]"));

    // Data of the old format: refused with the message; a table chosen before gives way.
    doc.m_pGirders[0].m_pSections[0].m_dAssumedArea = -1.0;
    doc.UpdateAllViews(nullptr);
    Button(bar, IDC_PROP_STIFFNESS).Click();
    EXPECT_EQ(m_shown, QStringList{QStringLiteral("古い形式のデータなので曲げ剛度・ねじり剛度を表示できませんでした。\r格子計算をやり直してください。")});
    EXPECT_EQ(doc.m_nPropertiesTable, 3);
    EXPECT_EQ(Button(bar, IDC_PROP_STIFFNESS).GetCheck(), 0);
    Paint(&view, bar);
    EXPECT_EQ(Place(forces).Size(), Client(&view).Size());
    EXPECT_EQ(bar.m_nTable, 0);
    EXPECT_EQ(Button(bar, IDC_PROP_FORCES).GetCheck(), 1);

    // Without results nothing is shown and the buttons change nothing.
    doc.InvalidateResults();
    m_shown.clear();
    Button(bar, IDC_PROP_STEEL_WEIGHT).Click();
    EXPECT_TRUE(m_shown.isEmpty());
    EXPECT_EQ(doc.m_nPropertiesTable, 3);
    Paint(&view, bar);
    EXPECT_TRUE(Place(forces).IsRectEmpty());
}

namespace {

class ExampleWindowsTest : public ShellTest {
protected:
    void Open(const char* name)
    {
        ASSERT_TRUE(theApp.OpenDesign(QStringLiteral(EXAMPLES_DIR "/") + QString::fromLatin1(name)));
        ASSERT_NE(g_pDoc->m_pGirders, nullptr);
    }
};

}

TEST_F(ExampleWindowsTest, SingleBoxDetailReadsTheBoxsOwnObject)
{
    Open("box1_1span.mvl");
    ASSERT_EQ(g_nBridgeType, 2);
    CMarivoltenDoc& doc = *g_pDoc;
    // The box's sections are in the second object; the first has none to read.
    ASSERT_EQ(doc.m_pGirders[0].m_nSections, 0);
    Command(ID_VIEW_PROPERTIES);
    CSectionPropertiesView& view = *g_pPropertiesView;
    CPropertiesBar& bar = BarOf<CChildPropertiesFrame>(&view);
    Paint(&view, bar);
    // Box types carry the torsion block.
    EXPECT_EQ(view.m_gridForces.GetNumberRows(), 5 * g_nPanelPoints - 1);
    Button(bar, IDC_PROP_STIFFNESS).Click();
    Paint(&view, bar);
    EXPECT_TRUE(m_shown.isEmpty());
    EXPECT_EQ(doc.m_nPropertiesTable, 2);
    EXPECT_EQ(view.m_gridStiffness.GetNumberCols(), 8);
    EXPECT_EQ(view.m_gridStiffness.GetNumberRows(), int(view.CurrentGirder(doc)->m_pSections.size()) + 2 -
                                                        int(std::count_if(doc.m_pGirders[1].m_pSections.begin(),
                                                                          doc.m_pGirders[1].m_pSections.end(),
                                                                          [](const CSectionRecord& s) { return s.m_nJoinNext == 1; })));
    // The spin does not move: one girder.
    const int girder = doc.m_nCurGirder;
    static_cast<CSpinButtonCtrl*>(bar.GetControl(IDC_PROP_GIRDER_SPIN))->Step(1);
    EXPECT_EQ(doc.m_nCurGirder, girder);
    EXPECT_EQ(bar.GetControl(IDC_PROP_GIRDER)->GetWindowText(), QStringLiteral("   1"));
    doc.m_pGirders[1].m_pSections[0].m_dAssumedArea = -1.0;
    Button(bar, IDC_PROP_STEEL_WEIGHT).Click();
    EXPECT_EQ(m_shown, QStringList{QStringLiteral("古い形式のデータなので鋼重を表示できませんでした。\r格子計算をやり直してください。")});
    EXPECT_EQ(doc.m_nPropertiesTable, 2);

    // Two bearing lines of the box per support in the reactions.
    Command(ID_VIEW_REACT);
    Paint(g_pReactView, BarOf<CChildReactFrame>(g_pReactView));
    EXPECT_EQ(Cell(g_pReactView->m_grid[0], 2, 0), QStringLiteral("           G1-R"));
}

TEST_F(ExampleWindowsTest, InputCheckPagesShowThePanelsTheAreasAndTheBearings)
{
    Open("plate_3span_skew.mvl");
    CMarivoltenDoc& doc = *g_pDoc;
    ASSERT_EQ((std::vector<int>{g_anPanelCount[0], g_anPanelCount[1], g_anPanelCount[2]}), (std::vector<int>{6, 8, 6}));
    Command(ID_VIEW_CONDITION);
    ASSERT_NE(g_pConditionView, nullptr);
    CConditionView& view = *g_pConditionView;
    CConditionBar& bar = BarOf<CChildConditionFrame>(&view);
    Paint(&view, bar);
    EXPECT_EQ(Button(bar, IDC_COND_INPUT).GetCheck(), 1);
    EXPECT_TRUE(Place(view.m_gridPanels).IsRectEmpty());

    Button(bar, IDC_COND_PANELS).Click();
    Paint(&view, bar);
    EXPECT_EQ(doc.m_nConditionPage, 1);
    CTableGrid& panels = view.m_gridPanels;
    EXPECT_EQ(Place(panels).Size(), Client(&view).Size());
    ASSERT_EQ(panels.GetNumberRows(), 17);
    ASSERT_EQ(panels.GetNumberCols(), 7);
    EXPECT_EQ(Cell(panels, 0, 3), QStringLiteral("第2支間"));
    EXPECT_EQ(Cell(panels, 15, 0), QStringLiteral("第 8ﾊﾟﾈﾙ長          (mm)"));
    EXPECT_EQ(Cell(panels, 15, 3), QStringLiteral(" 5000"));
    EXPECT_TRUE(Cell(panels, 14, 1).isEmpty());
    EXPECT_TRUE(Cell(panels, 15, 1).isEmpty());
    EXPECT_EQ(Cell(panels, 16, 3), QStringLiteral("40000"));
    EXPECT_EQ(Cell(panels, 4, 2), QStringLiteral("70.00"));
    EXPECT_EQ(Cell(panels, 7, 1), QStringLiteral("骨組み基本線に直交"));

    Button(bar, IDC_COND_SECTIONS).Click();
    Paint(&view, bar);
    CTableGrid& areas = view.m_gridSections;
    EXPECT_EQ(Place(areas).Size(), Client(&view).Size());
    EXPECT_TRUE(Place(panels).IsRectEmpty());
    ASSERT_EQ(areas.GetNumberRows(), 6);
    EXPECT_EQ(Cell(areas, 5, 0), QStringLiteral("G5"));
    // Assumed is what the analysis ran with, which the design changed since: worked out
    // from the areas each section stores.
    for (int g = 0; g < g_nGirders; ++g) {
        double assumed = 0.0, actual = 0.0;
        for (const CSectionRecord& s : doc.m_pGirders[g].m_pSections) {
            assumed += s.m_dAssumedArea * s.m_dLength;
            actual += s.m_dArea * s.m_dLength;
        }
        EXPECT_EQ(Cell(areas, g + 1, 3), AfxFormat("%9.3f", assumed / actual)) << "G" << g + 1;
        EXPECT_NE(Cell(areas, g + 1, 3), QStringLiteral("    1.000")) << "G" << g + 1;
    }

    // The report draws the bearings with the largest reactions, and leaves the document alone.
    Button(bar, IDC_COND_INPUT).Click();
    Paint(&view, bar);
    EXPECT_TRUE(Place(areas).IsRectEmpty());
    for (double& r : doc.m_adSupportMaxReaction)
        r = 123.0;
    CDC dc;
    dc.SetMapMode(MM_LOMETRIC);
    view.OnDraw(&dc);
    QStringList texts;
    for (const CDC::Record& r : dc.Records())
        if (r.op == QLatin1String("TextOut"))
            texts << r.text;
    for (const char* row : {"【支承】", "C1", "C7", "C15", "C21"})
        EXPECT_TRUE(texts.contains(QString::fromUtf8(row))) << row;
    double most = 0.0;
    for (int g = 0; g < g_nGirders; ++g)
        most = std::max(most, doc.m_pGirders[g].m_adMaxReaction[1]);
    EXPECT_TRUE(texts.contains(AfxFormat("%9.2f", most * 9.80665)));
    for (double r : doc.m_adSupportMaxReaction)
        EXPECT_EQ(r, 123.0);
    // The page is as long as the report.
    EXPECT_GT(view.GetTotalSize().cy, 2970);
    EXPECT_EQ(view.m_sizeDocument.cy, 300 + 250 + 50 * view.RunInputBlocks(nullptr, nullptr, 0, 0));

    // Pictures of the pages, to be looked at.
    const CPictureFolder pictures;
    for (int id : {IDC_COND_INPUT, IDC_COND_PANELS, IDC_COND_DESIGN, IDC_COND_SECTIONS}) {
        Button(bar, id).Click();
        Paint(&view, bar);
        EXPECT_TRUE(AfxSaveWindowImage(view.GetParentFrame(), pictures.FilePath(AfxFormat("condition%d.png", id))));
    }
}

namespace {

// A printout page by page on a recording device context laid out like A4 paper.
struct RecordedPrint {
    UINT pages = 0;
    std::vector<std::vector<CDC::Record>> records;   // per page
};

RecordedPrint PrintRecorded(CView* view)
{
    CDC dc;
    dc.SetPrinting(true);
    dc.SetResolution(300, 300);
    dc.SetPageSize(CSize(2480, 3508));
    CPrintInfo info;
    view->OnBeginPrinting(&dc, &info);
    RecordedPrint out;
    out.pages = info.GetMaxPage();
    for (UINT p = 1; p <= out.pages && p < 50; ++p) {
        dc.ClearRecords();
        info.m_nCurPage = p;
        view->OnPrepareDC(&dc, &info);
        view->OnPrint(&dc, &info);
        out.records.push_back(dc.Records());
    }
    view->OnEndPrinting(&dc, &info);
    return out;
}

// The page frame's rectangle, the heading with the page title and the page number.
void ExpectFramed(const RecordedPrint& print, const QString& title)
{
    ASSERT_GE(print.pages, 1u);
    for (size_t p = 0; p < print.records.size(); ++p) {
        bool frame = false, heading = false, number = false;
        for (const CDC::Record& r : print.records[p]) {
            frame |= r.op == QLatin1String("Rectangle") && r.args == std::vector<int>{200, -190, 1890, -2700};
            heading |= r.op == QLatin1String("TextOut") && r.text == g_pDoc->GetTitle() + title;
            number |= r.op == QLatin1String("TextOut") && r.text == AfxFormat("- %d -", int(p) + 1);
        }
        EXPECT_TRUE(frame && heading && number) << title.toStdString() << " page " << p + 1;
    }
}

struct DocumentMembers {
    bool operator==(const DocumentMembers&) const = default;
    std::vector<double> maxReaction, assumedArea, impact;
    int margins[4], pageWidth, pageHeight, version, notRun;
    static DocumentMembers Of(const CMarivoltenDoc& d)
    {
        DocumentMembers m;
        m.maxReaction.assign(std::begin(d.m_adSupportMaxReaction), std::end(d.m_adSupportMaxReaction));
        m.assumedArea.assign(std::begin(d.m_adAssumedArea), std::end(d.m_adAssumedArea));
        m.impact.assign(std::begin(d.m_adImpactCoef), std::end(d.m_adImpactCoef));
        m.margins[0] = d.m_nMarginLeft;
        m.margins[1] = d.m_nMarginRight;
        m.margins[2] = d.m_nMarginTop;
        m.margins[3] = d.m_nMarginBottom;
        m.pageWidth = d.m_nPageWidth;
        m.pageHeight = d.m_nPageHeight;
        m.version = d.m_nFileVersion;
        m.notRun = d.m_bGrillageNotRun;
        return m;
    }
};

}

TEST_F(TableWindowsTest, DrawingAndPrintingEveryTableAndPageLeavesTheDesignAsItWas)
{
    CMarivoltenDoc& doc = *g_pDoc;
    const CDesignState design = CaptureDesign();
    const CEstimateData estimate = doc;
    const DocumentMembers members = DocumentMembers::Of(doc);
    const CPictureFolder pictures;
    int pdfs = 0;
    auto printPdf = [&](CView* view) {
        const QString path = pictures.FilePath(AfxFormat("print%02d.pdf", ++pdfs));
        EXPECT_TRUE(AfxPrintView(view, PrintMode::Pdf, path));
        EXPECT_TRUE(QFile::exists(path));
        // The preview renders the same pages.
        AfxSetPrintHook([](CPrintInfo*) { return QString(); });
        EXPECT_TRUE(AfxPrintView(view, PrintMode::Preview));
        AfxSetPrintHook({});
    };

    Command(ID_VIEW_REACT);
    CReactView& react = *g_pReactView;
    for (int t = 0; t < CReactView::TABLE_COUNT; ++t) {
        react.SendMessage(WM_REACT_SELECT, 0, t);
        Paint(&react, ReactBar());
        const QStringList cut = gridchecks::CutTexts(react.m_grid[t]);
        EXPECT_TRUE(cut.isEmpty()) << "table " << t << ": " << cut.join(QStringLiteral(" / ")).toStdString();
        CDC screen;
        react.OnDraw(&screen);
        const RecordedPrint print = PrintRecorded(&react);
        ExpectFramed(print, CReactView::PrintTitle(t));
        EXPECT_TRUE(AfxSaveWindowImage(react.GetParentFrame(), pictures.FilePath(AfxFormat("react%d.png", t))));
        printPdf(&react);
    }

    Command(ID_VIEW_CONDITION);
    CConditionView& condition = *g_pConditionView;
    for (int page = 0; page < 4; ++page) {
        condition.SendMessage(WM_CONDITION_SELECT, 0, page);
        Paint(&condition, BarOf<CChildConditionFrame>(&condition));
        CDC screen;
        screen.SetMapMode(MM_LOMETRIC);
        condition.OnDraw(&screen);
        const RecordedPrint print = PrintRecorded(&condition);
        ExpectFramed(print, CConditionView::PrintTitle(page));
        if (page == 0) {
            CPrintInfo paper;
            EXPECT_EQ(print.pages, UINT(condition.PrintInputConditions(nullptr, &paper, 0) / 48 + 1));
        }
        printPdf(&condition);
    }

    Command(ID_VIEW_PROPERTIES);
    CSectionPropertiesView& properties = *g_pPropertiesView;
    for (int table : {0, 2, 3}) {
        properties.SendMessage(WM_PROPERTIES_SELECT, 0, table);
        Paint(&properties, BarOf<CChildPropertiesFrame>(&properties));
        CDC screen;
        properties.OnDraw(&screen);
        const RecordedPrint print = PrintRecorded(&properties);
        ExpectFramed(print, CSectionPropertiesView::PrintTitle(table));
        printPdf(&properties);
    }

    EXPECT_TRUE(CaptureDesign() == design);
    EXPECT_TRUE(static_cast<const CEstimateData&>(doc) == estimate);
    EXPECT_TRUE(DocumentMembers::Of(doc) == members);
}

TEST_F(TableWindowsTest, ATableALittleWiderThanThePagePrintsNarrowedAndTheScreenKeepsItsColumns)
{
    CReactView& view = React();
    Paint(&view, ReactBar());
    CTableGrid& summary = view.m_grid[0];
    int before = 0;
    summary.GetColWidth(1, &before);
    // Eight columns of the screen's widths are wider than the frame: they print narrowed on one page.
    const RecordedPrint print = PrintRecorded(&view);
    EXPECT_EQ(print.pages, 1u);
    EXPECT_EQ(summary.GetPrint()->GetColPageCount(), 1);
    int after = 0;
    summary.GetColWidth(1, &after);
    EXPECT_EQ(after, before);
    summary.GetColWidth(0, &after);
    EXPECT_EQ(after, 160);
}

TEST_F(TableWindowsTest, TheInputReportPrintsInThePrintMarginsAndTheScreenKeepsItsOwn)
{
    Command(ID_VIEW_CONDITION);
    CConditionView& view = *g_pConditionView;
    const RecordedPrint print = PrintRecorded(&view);
    ASSERT_GE(print.pages, 2u);
    // On paper the first heading stands in the print format's margins: left 200, top 200.
    bool heading = false;
    for (const CDC::Record& r : print.records[0])
        heading |= r.op == QLatin1String("TextOut") && r.text == QStringLiteral("【基本条件】") &&
                   r.args == std::vector<int>{300, -350};
    EXPECT_TRUE(heading);
    EXPECT_EQ(view.m_nTopMargin, 300);
    EXPECT_EQ(view.m_nLeftMargin, 100);
    EXPECT_EQ(view.LineToY(nullptr, 2), -450);
    // No text of the report runs below the frame; the page number comes before the report.
    for (size_t p = 0; p < print.records.size(); ++p) {
        const auto& page = print.records[p];
        auto body = std::find_if(page.begin(), page.end(), [p](const CDC::Record& r) {
            return r.op == QLatin1String("TextOut") && r.text == AfxFormat("- %d -", int(p) + 1);
        });
        ASSERT_NE(body, page.end());
        for (++body; body != page.end(); ++body) {
            if (body->op == QLatin1String("TextOut")) {
                EXPECT_GT(body->args[1], -2700) << body->text.toStdString();
            }
        }
    }
}

TEST_F(TableWindowsTest, EachWindowAsksThePrintDialogOncePerJobAndPrintsOnA4)
{
    int asked = 0;
    const CPictureFolder pictures;
    AfxSetPrintHook([&](CPrintInfo*) {
        ++asked;
        return pictures.FilePath(AfxFormat("job%d.pdf", asked));
    });
    const CPrintSettings saved = AfxGetPrintSettings();
    AfxGetPrintSettings().m_nPaperSize = DMPAPER_A3;
    Command(ID_VIEW_REACT);
    EXPECT_TRUE(AfxPrintView(g_pReactView, PrintMode::Print));
    EXPECT_EQ(asked, 1);
    Command(ID_VIEW_CONDITION);
    EXPECT_TRUE(AfxPrintView(g_pConditionView, PrintMode::Print));
    EXPECT_EQ(asked, 2);
    Command(ID_VIEW_PROPERTIES);
    EXPECT_TRUE(AfxPrintView(g_pPropertiesView, PrintMode::Print));
    EXPECT_EQ(asked, 3);
    AfxGetPrintSettings() = saved;
    for (int job = 1; job <= 3; ++job) {
        QFile pdf(pictures.FilePath(AfxFormat("job%d.pdf", job)));
        ASSERT_TRUE(pdf.open(QIODevice::ReadOnly)) << job;
        EXPECT_TRUE(pdf.readAll().contains("/MediaBox [0 0 595")) << job;   // A4 points
    }
}

TEST_F(ExampleWindowsTest, EveryExamplePrintsEachTableAndPageInThePageFrame)
{
    const CPictureFolder pictures;
    for (const char* name :
         {"plate_3span_skew.mvl", "box2_2span.mvl", "box1_1span.mvl", "plate_2span_haunch.mvl"}) {
        Open(name);
        const CDesignState design = CaptureDesign();
        const QString stem = QString::fromLatin1(name).section(QLatin1Char('.'), 0, 0);
        auto print = [&](CView* view, const QString& title, const QString& file) {
            ExpectFramed(PrintRecorded(view), title);
            EXPECT_TRUE(AfxPrintView(view, PrintMode::Pdf, pictures.FilePath(stem + file)));
        };
        Command(ID_VIEW_REACT);
        for (int t : {0, 1, 3}) {
            g_pReactView->SendMessage(WM_REACT_SELECT, 0, t);
            print(g_pReactView, CReactView::PrintTitle(t), AfxFormat("_react%d.pdf", t));
        }
        Command(ID_VIEW_CONDITION);
        for (int page = 0; page < 4; ++page) {
            g_pConditionView->SendMessage(WM_CONDITION_SELECT, 0, page);
            print(g_pConditionView, CConditionView::PrintTitle(page), AfxFormat("_condition%d.pdf", page));
        }
        Command(ID_VIEW_PROPERTIES);
        for (int table : {0, 2, 3}) {
            g_pPropertiesView->SendMessage(WM_PROPERTIES_SELECT, 0, table);
            print(g_pPropertiesView, CSectionPropertiesView::PrintTitle(table), AfxFormat("_properties%d.pdf", table));
        }
        EXPECT_TRUE(CaptureDesign() == design) << name;
    }
}
