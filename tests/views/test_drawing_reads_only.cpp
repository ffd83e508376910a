// Drawing, printing and previewing the sectional force and longitudinal-section windows of
// every girder, and the cross-section and load windows of a support and a free station, of a
// designed bridge reads the design and changes nothing of it: not the input, not the design
// objects, not the estimate.
#include "common/dialog_input.h"
#include "common/picture_folder.h"
#include "common/shell_fixture.h"

#include "app/design_state.h"
#include "framework/print.h"
#include "framework/wndextras.h"
#include "views/drawing_views.h"

#include <QCoreApplication>
#include <QDir>
#include <algorithm>

namespace {

class DrawingReadsOnlyTest : public ShellTest {
protected:
    void TearDown() override
    {
        AfxSetPrintHook({});
        ShellTest::TearDown();
    }
    // The window's picture after an update, its drawing on a recording DC, its page printed
    // to a PDF and previewed.
    void ShowDrawAndPrint(CView* view, const QString& file)
    {
        g_pDoc->UpdateAllViews(nullptr);
        QCoreApplication::processEvents();
        g_pMainFrame->UpdateControlBars();
        EXPECT_TRUE(AfxSaveWindowImage(view->GetParentFrame(), m_pictures.FilePath(file + QStringLiteral(".png"))));
        CDC dc;
        dc.SetMapMode(MM_LOMETRIC);
        view->OnDraw(&dc);
        EXPECT_FALSE(dc.Records().empty()) << file.toStdString();
        CPrintInfo info;
        dc.SetPrinting(true);
        view->OnPrint(&dc, &info);
        EXPECT_TRUE(AfxPrintView(view, PrintMode::Pdf, m_pictures.FilePath(file + QStringLiteral(".pdf"))));
        AfxSetPrintHook([](CPrintInfo*) { return QString(); });
        EXPECT_TRUE(AfxPrintView(view, PrintMode::Preview));
        AfxSetPrintHook({});
    }
    // Every girder of both windows drawn on screen and on a recording DC, printed to a PDF
    // and previewed; the windows' pictures and the PDFs go to the picture folder.
    void DrawAndPrintEverything(const QString& name)
    {
        const CDesignState before = CaptureDesign();
        const CEstimateData estimate = *g_pDoc;
        const int girders = g_nBridgeType == 2 ? 1 : g_nGirders;
        for (UINT command : {UINT(ID_VIEW_FORCE), UINT(ID_VIEW_SECTION2)}) {
            Command(command);
            CView* view = command == ID_VIEW_FORCE ? static_cast<CView*>(g_pForceView) : g_pSection2View;
            ASSERT_NE(view, nullptr);
            const QString kind = command == ID_VIEW_FORCE ? QStringLiteral("force") : QStringLiteral("section2");
            for (int g = 0; g < girders; ++g) {
                if (g_nBridgeType != 2)
                    g_pDoc->m_nCalcGirder = g;
                ShowDrawAndPrint(view, QStringLiteral("%1_%2_G%3").arg(kind, name).arg(g + 1));
            }
        }
        DrawAndPrintStations(name);
        EXPECT_TRUE(CaptureDesign() == before) << name.toStdString();
        EXPECT_TRUE(static_cast<const CEstimateData&>(*g_pDoc) == estimate) << name.toStdString();
    }
    // The cross-section and load windows at the second support and at the station before it,
    // which lies between supports; the document's choices are put back as the bar left them.
    void DrawAndPrintStations(const QString& name)
    {
        const int support = std::min(g_nSpans, 1);
        const int stations[] = {g_pDoc->m_anSupportStation[support], g_pDoc->m_anSupportStation[support] - 1};
        for (UINT command : {UINT(ID_VIEW_SECTION), UINT(ID_VIEW_LOAD)}) {
            Command(command);
            CView* view = command == ID_VIEW_SECTION ? static_cast<CView*>(g_pSectionView) : g_pLoadView;
            ASSERT_NE(view, nullptr);
            const QString kind = command == ID_VIEW_SECTION ? QStringLiteral("section") : QStringLiteral("load");
            for (int station : stations) {
                g_pDoc->m_nCurCrossSection = station;
                const QString file = QStringLiteral("%1_%2_S%3").arg(kind, name).arg(station + 1);
                const CDesignState before = CaptureDesign();
                const CEstimateData estimate = *g_pDoc;
                const double scales[] = {g_pDoc->m_dSectionScale, g_pDoc->m_dLoadScale};
                ShowDrawAndPrint(view, file);
                EXPECT_TRUE(CaptureDesign() == before) << file.toStdString();
                EXPECT_TRUE(static_cast<const CEstimateData&>(*g_pDoc) == estimate) << file.toStdString();
                EXPECT_EQ(g_pDoc->m_nCurCrossSection, station);
                EXPECT_EQ(g_pDoc->m_dSectionScale, scales[0]);
                EXPECT_EQ(g_pDoc->m_dLoadScale, scales[1]);
            }
        }
    }
    CPictureFolder m_pictures;
};

}

TEST_F(DrawingReadsOnlyTest, AfterAGrillageRun)
{
    // Two spans whose girder height varies, so that the longitudinal section shows its panels.
    dialoginput::ConfirmBasic(QStringLiteral("2"), [](CDialog* d) {
        static_cast<CButton*>(d->GetDlgItem(IDC_HEIGHT_VARIATION))->SetCheck(1);
        static_cast<CButton*>(d->GetDlgItem(IDC_HEIGHT_CONSTANT))->SetCheck(0);
    });
    ASSERT_NO_FATAL_FAILURE(RunGrillage());
    ASSERT_NE(g_pDoc->m_pGirders, nullptr);
    DrawAndPrintEverything(QStringLiteral("varying"));
}

TEST_F(DrawingReadsOnlyTest, CurvedDesign)
{
    // The three-span example on arcs of 150 m, its base line and girders curved alike.
    ASSERT_TRUE(theApp.OpenDesign(QDir(QStringLiteral(EXAMPLES_DIR)).filePath(QStringLiteral("plate_3span_skew.mvl"))));
    for (int s = 0; s < g_nSpans; ++s) {
        g_pPanelDlg->m_anBaseLineType[s] = 1;
        g_pPanelDlg->m_anGirderLineType[s] = 1;
        g_pPanelDlg->m_adBaseRadius[s] = 150.0;
    }
    g_pDoc->InvalidateResults();
    g_pDoc->Rebuild(CMarivoltenDoc::RebuildReason::Panels);
    ASSERT_NO_FATAL_FAILURE(RunGrillage());
    ASSERT_EQ(g_bResultsValid, 1);
    DrawAndPrintEverything(QStringLiteral("curved"));
}

TEST_F(DrawingReadsOnlyTest, ExampleDesigns)
{
    const QDir dir(QStringLiteral(EXAMPLES_DIR));
    for (const char* file :
         {"plate_3span_skew.mvl", "box2_2span.mvl", "box1_1span.mvl", "plate_2span_haunch.mvl"}) {
        SCOPED_TRACE(file);
        ASSERT_TRUE(theApp.OpenDesign(dir.filePath(QString::fromLatin1(file))));
        ASSERT_EQ(g_bResultsValid, 1);
        DrawAndPrintEverything(QFileInfo(QString::fromLatin1(file)).baseName());
    }
}
