// Start-up, templates, File New and the document's lifetime.
#include "common/shell_fixture.h"
#include "common/dialog_input.h"

#include "app/childfrm.h"
#include "framework/doctempl.h"

#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>

TEST_F(ShellTest, TemplatesAreMadeInOrderOnOneDocumentClass)
{
    const unsigned ids[] = {129, 630, 631, 632, 633, 634, 635, 636, 638, 640, 213};
    const CRuntimeClass* views[] = {RUNTIME_CLASS(CGridView), RUNTIME_CLASS(CSectionView), RUNTIME_CLASS(CLoadView),
                                    RUNTIME_CLASS(CForceView), RUNTIME_CLASS(CCalcView), RUNTIME_CLASS(CEstimateView),
                                    RUNTIME_CLASS(CReactView), RUNTIME_CLASS(CConditionView), RUNTIME_CLASS(CPrintView),
                                    RUNTIME_CLASS(CSection2View), RUNTIME_CLASS(CSectionPropertiesView)};
    const auto& templates = theApp.GetTemplates();
    ASSERT_EQ(templates.size(), 11u);
    for (size_t i = 0; i < templates.size(); ++i) {
        EXPECT_EQ(templates[i]->GetResourceId(), ids[i]) << i;
        EXPECT_EQ(templates[i]->GetViewClass(), views[i]) << i;
        EXPECT_EQ(templates[i]->GetDocClass(), RUNTIME_CLASS(CMarivoltenDoc)) << i;
        QString newName;
        // Only the plan template makes new designs.
        EXPECT_EQ(templates[i]->GetDocString(newName, CDocTemplate::fileNewName), i == 0) << i;
    }
    QString filter;
    templates[3]->GetDocString(filter, CDocTemplate::filterName);
    EXPECT_EQ(filter, QStringLiteral("Mrvolt ﾌｧｲﾙ (*.mvl)"));
}

TEST_F(ShellTest, NewDesignOpensInThePlanWindow)
{
    ASSERT_NE(g_pDoc, nullptr);
    ASSERT_EQ(g_pDoc->GetViews().size(), 1u);
    EXPECT_TRUE(g_pDoc->GetViews()[0]->IsKindOf(RUNTIME_CLASS(CGridView)));
    CMDIChildWnd* child = g_pMainFrame->MDIGetActive();
    ASSERT_NE(child, nullptr);
    EXPECT_TRUE(child->IsKindOf(RUNTIME_CLASS(CChildGridFrame)));
    EXPECT_EQ(child->GetWindowText(), QStringLiteral("平面図 _ ") + g_pDoc->GetTitle());
    EXPECT_EQ(g_pMainFrame->GetCurrentMenuId(), 129u);
}

TEST_F(ShellTest, FileNewResetsLayoutAndDocumentDefaults)
{
    g_nGirders = 7;
    g_adSpanLength[13] = 12.0;
    g_anPanelCount[2] = 9;
    g_adPanelLength[5][19] = 1.0;
    g_anFreeSections[0] = 4;
    g_bCoordinatePlan = 1;
    g_pMainFrame->SetStepDone(ID_SETUP_BASIC, 1);
    Command(ID_FILE_NEW);

    EXPECT_EQ(g_nSpans, 0);
    EXPECT_EQ(g_nGirders, 4);
    EXPECT_EQ(g_nBridgeType, 0);
    for (int s = 0; s < MAX_SPANS; ++s) {
        EXPECT_EQ(g_adSpanLength[s], 30.0);
        EXPECT_EQ(g_anPanelCount[s], 6);
        EXPECT_EQ(g_anFreeSections[s], 2);
        for (int p = 0; p < MAX_PANELS; ++p)
            EXPECT_EQ(g_adPanelLength[s][p], 5.0);
    }
    EXPECT_EQ(g_nPanelPoints, 0);
    EXPECT_EQ(g_bCoordinatePlan, 0);
    EXPECT_EQ(g_bResultsValid, 0);
    EXPECT_EQ(g_pMainFrame->m_nStepMask, 0);

    ASSERT_NE(g_pDoc, nullptr);
    EXPECT_EQ(g_pDoc->m_nFileVersion, 1830);
    EXPECT_EQ(g_pDoc->m_bGrillageNotRun, 1);
    EXPECT_TRUE(g_pDoc->m_aSpans.empty());
    EXPECT_EQ(g_pDoc->FreeGeometry(), 0);
    EXPECT_EQ(g_pDoc->m_nMarginLeft, 200);
    EXPECT_EQ(g_pDoc->m_nMarginRight, 100);
    EXPECT_EQ(g_pDoc->m_nPageWidth, 2100);
    EXPECT_EQ(g_pDoc->m_nPageHeight, 2970);
    EXPECT_EQ(g_pDoc->m_anLabourCosts[0], 27400);
    EXPECT_EQ(g_pDoc->m_anLabourCosts[11], 100000);
    EXPECT_EQ(g_pDoc->m_anSteelCosts[3], 4500);
    EXPECT_EQ(g_pDoc->m_ptPlanOffset, CDPoint(1000.0, -600.0));
    EXPECT_EQ(g_pDoc->m_dForceHScale, 3.0);
}

TEST_F(ShellTest, FileNewSetsLoadsForTheUnitSystem)
{
    const int saved = g_bSIUnits;
    g_bSIUnits = 1;
    Command(ID_FILE_NEW);
    EXPECT_EQ(g_pDoc->m_dlgSteelWeight.m_adSteelWeight[0], 4.5);
    EXPECT_EQ(g_pDoc->m_dlgSteelWeight.m_adHaunchWeight[19], 1.2);
    EXPECT_EQ(g_pDoc->m_dlgDeadLoad.m_adValue[2], 22.5);

    g_bSIUnits = 0;
    Command(ID_FILE_NEW);
    EXPECT_EQ(g_pDoc->m_dlgSteelWeight.m_adSteelWeight[7], 0.45);
    EXPECT_EQ(g_pDoc->m_dlgSteelWeight.m_adHaunchWeight[0], 0.12);
    EXPECT_EQ(g_pDoc->m_dlgDeadLoad.m_adValue[0], 0.05);
    EXPECT_EQ(g_pDoc->m_dlgDeadLoad.m_adPreset[6], 2.35);
    g_bSIUnits = saved;
}

TEST_F(ShellTest, FileNewOnModifiedDesignAsksFirst)
{
    CMarivoltenDoc* before = g_pDoc;
    g_pDoc->SetModifiedFlag(TRUE);
    g_nGirders = 6;
    Answer({IDCANCEL});
    Command(ID_FILE_NEW);
    ASSERT_EQ(m_shown.size(), 1);
    EXPECT_TRUE(m_shown[0].contains(QStringLiteral("への変更を保存しますか")));
    EXPECT_EQ(g_pDoc, before);              // cancelled: nothing changes
    EXPECT_EQ(g_nGirders, 6);

    Answer({IDNO});
    Command(ID_FILE_NEW);
    EXPECT_NE(g_pDoc, nullptr);
    EXPECT_EQ(g_nGirders, 4);
    EXPECT_EQ(theApp.GetOpenDocuments().size(), 1u);
}

TEST_F(ShellTest, ClosingTheDesignClearsResultsAndSpans)
{
    g_nSpans = 3;
    g_bResultsValid = 1;
    g_pDoc->OnCloseDocument();
    EXPECT_EQ(g_pDoc, nullptr);
    EXPECT_EQ(g_nSpans, 0);
    EXPECT_EQ(g_bResultsValid, 0);
    EXPECT_FALSE(Update(ID_VIEW_FORCE).m_bEnabled);
    // A view switch without a design does nothing.
    Command(ID_VIEW_SECTION);
    Command(ID_VIEW_FORCE);
    EXPECT_EQ(g_pMainFrame->MDIGetActive(), nullptr);
    EXPECT_EQ(g_pMainFrame->GetCurrentMenuId(), 128u);
    EXPECT_FALSE(Update(ID_VIEW_PAGEBAR).m_bEnabled);    // the page bar has no handler
}

TEST_F(ShellTest, OnlyANewDesignTakesTheNextUntitledNumber)
{
    const QString name = QStringLiteral("Mrvolt");
    ASSERT_TRUE(g_pDoc->GetTitle().startsWith(name));
    const int number = g_pDoc->GetTitle().mid(name.size()).toInt();
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("橋.mvl"));
    ASSERT_TRUE(g_pDoc->OnSaveDocument(path));
    for (int i = 0; i < 3; ++i) {
        ASSERT_TRUE(theApp.OpenDesign(path));
        EXPECT_EQ(g_pDoc->GetTitle(), QStringLiteral("橋"));
    }
    Command(ID_FILE_NEW);
    const QString next = name + QString::number(number + 1);
    EXPECT_EQ(g_pDoc->GetTitle(), next);
    dialoginput::RunModal(ID_SETUP_BASIC, [&next](CDialog* d) {
        EXPECT_EQ(dialoginput::Text(d, IDC_TITLE), next);
        d->SendMessage(WM_COMMAND, IDCANCEL);
    });
}

TEST_F(ShellTest, AFileNamedAtStartThatCannotBeOpenedEndsTheStart)
{
    g_pMainFrame->SendMessage(WM_CLOSE);
    ASSERT_EQ(g_pMainFrame, nullptr);
    // An absolute path is a file, not a switch.
    theApp.SetCommandLine({QStringLiteral("/home/me/missing.mvl")});
    EXPECT_FALSE(theApp.InitInstance());
    EXPECT_EQ(m_shown, QStringList{QStringLiteral("missing.mvl を開けません。")});
    EXPECT_EQ(g_pDoc, nullptr);
    // A failed start-up, not one that did as asked: the program exits with an error.
    EXPECT_FALSE(theApp.StartEndedAsAsked());
    theApp.m_pMainWnd->DestroyWindow();
    theApp.m_pMainWnd = nullptr;
    theApp.SetCommandLine({QStringLiteral("-Unregserver")});
    EXPECT_FALSE(theApp.InitInstance());
    EXPECT_TRUE(theApp.StartEndedAsAsked());

    // The program's main takes the window down; the tests that follow start again.
    theApp.m_pMainWnd->DestroyWindow();
    theApp.m_pMainWnd = nullptr;
    theApp.SetCommandLine({QStringLiteral("-Automation")});
    ASSERT_TRUE(theApp.InitInstance());
    EXPECT_NE(g_pDoc, nullptr);
}

TEST(DocumentRecords, StationsAndCountsKeepTheirStoredForms)
{
    CStationRecord station;
    EXPECT_EQ(station.m_dSkew, 1.570796326795);
    EXPECT_NE(station.m_dSkew, 3.14159265358979323846 / 2);

    const int spans = g_nSpans;
    g_nSpans = 3;
    g_anFreeSections[0] = g_anFreeSections[1] = g_anFreeSections[2] = 2;
    EXPECT_EQ(CountCrossSections(), 10);
    g_nSpans = spans;
}

TEST(DocumentRecords, TextTablesHoldTheProgramNames)
{
    EXPECT_EQ(g_szSteelGrades9[3], QStringLiteral("SM490Y"));
    EXPECT_EQ(g_szSteelGrades18[17], QStringLiteral("SMA570W"));
    EXPECT_EQ(g_szSectionShapes[13], QStringLiteral("CH 300x90x10x15.5"));
    EXPECT_EQ(g_szCrossMemberKinds[3], QStringLiteral("中間支点上対傾構"));
    EXPECT_EQ(g_szDesignStandards[1], QStringLiteral("日本道路公団"));
}

TEST_F(ShellTest, DesignFilesOpenFromTheDesktop)
{
    theApp.RegisterShellFileTypes(TRUE);
    const QString data = QString::fromLocal8Bit(qgetenv("XDG_DATA_HOME"));
    QFile mime(data + QStringLiteral("/mime/packages/marivolten.document.xml"));
    ASSERT_TRUE(mime.open(QIODevice::ReadOnly));
    const QString xml = QString::fromUtf8(mime.readAll());
    EXPECT_TRUE(xml.contains(QStringLiteral("type=\"application/x-marivolten-document\"")));
    EXPECT_TRUE(xml.contains(QStringLiteral("pattern=\"*.mvl\"")));
    EXPECT_TRUE(xml.contains(QStringLiteral("pattern=\"*.MVL\"")));
    EXPECT_TRUE(xml.contains(QStringLiteral("Mrvlts Document")));
    QFile desktop(data + QStringLiteral("/applications/marivolten.desktop"));
    ASSERT_TRUE(desktop.open(QIODevice::ReadOnly));
    const QString entry = QString::fromUtf8(desktop.readAll());
    EXPECT_TRUE(entry.contains(QStringLiteral("MimeType=application/x-marivolten-document;")));
    EXPECT_TRUE(entry.contains(QStringLiteral(" %f")));
    // The desktop's type cache is brought up to date before the call returns, so nothing is
    // left writing into the data folder once the program has gone.
    if (!QStandardPaths::findExecutable(QStringLiteral("update-mime-database")).isEmpty()) {
        EXPECT_TRUE(QFile::exists(data + QStringLiteral("/mime/mime.cache")));
        EXPECT_TRUE(QFile::exists(data + QStringLiteral("/mime/application/x-marivolten-document.xml")));
    }
}
