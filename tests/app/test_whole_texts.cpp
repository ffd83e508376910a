// Every text of the program's dialogs, windows and bars, and every table heading, is whole at
// the program's font: each dialog template as the framework builds it, and the program's own
// dialogs, windows and bars as they open on a design with results.
#include "common/shell_fixture.h"
#include "common/text_checks.h"

#include "app/childfrm.h"
#include "input/modeless_dialogs.h"
#include "res/resources.h"

#include <QDir>
#include <set>

namespace {

QStringList Cut(CWnd* wnd, const QString& where)
{
    QStringList cut;
    if (!wnd || !wnd->GetWidget())
        return cut;
    for (const QString& text : textchecks::CutTexts(wnd->GetWidget()))
        cut << where + QStringLiteral(" ") + text;
    return cut;
}

std::string Lines(const QStringList& cut) { return cut.join(u'\n').toStdString(); }

}

TEST(DialogTemplates, EveryTextIsWholeAtTheProgramsFont)
{
    InstallResources();
    QStringList cut;
    for (const DialogTemplate& t : AllDialogTemplates()) {
        CDialog dlg(t.id);
        ASSERT_TRUE(dlg.Create(t.id)) << "dialog " << t.id;
        dlg.ShowWindow(SW_SHOW);
        cut << Cut(&dlg, QString::number(t.id));
        dlg.DestroyWindow();
    }
    EXPECT_TRUE(cut.isEmpty()) << Lines(cut);
}

TEST_F(ShellTest, EveryDialogWindowAndBarShowsItsTextsWhole)
{
    QStringList cut;
    // Each dialog once, and the dialogs its buttons open; a dialog left open is cancelled.
    std::set<UINT> seen;
    std::function<void(CDialog*)> walk = [&](CDialog* d) {
        if (seen.insert(d->GetTemplateId()).second) {
            cut << Cut(d, QString::number(d->GetTemplateId()));
            for (const ControlTemplate& c : d->m_host.Template()->controls) {
                CWnd* b = d->GetDlgItem(c.id);
                if (c.kind == CtlKind::PushButton && c.id != IDOK && c.id != IDCANCEL && b && b->IsWindowEnabled()
                    && d->GetModalResult() == -1)
                    static_cast<CButton*>(b)->Click();
            }
        }
        if (d->IsModal() && d->GetModalResult() == -1)
            d->SendMessage(WM_COMMAND, IDCANCEL);
    };
    auto shownWindows = [&] {
        for (CWnd* w : std::initializer_list<CWnd*>{g_pPanelDlg, g_pCrossSectionDlg, g_pCrossBeamDlg, g_pBlockDlg,
                                                   g_pCoordinateSheet, g_pHeightDlg})
            if (w && w->GetSafeHwnd() && w->IsWindowVisible()) {
                cut << Cut(w, QString::fromLatin1(w->GetRuntimeClass()->m_lpszClassName));
                w->ShowWindow(SW_HIDE);
            }
    };
    // A box girder bridge, plate girders of varying height, and the box in the older units.
    for (const char* file : {"box2_2span.mvl", "plate_2span_haunch.mvl", "box2_2span.mvl gravity"}) {
        const QStringList name = QString::fromLatin1(file).split(u' ');
        ASSERT_TRUE(theApp.OpenDesign(QDir(QStringLiteral(EXAMPLES_DIR)).filePath(name.first())));
        if (name.size() > 1) {
            Answer({IDOK});
            Command(ID_OPTION_SI_UNITS);
            ASSERT_EQ(g_bSIUnits, 0);
        }
        seen.clear();
        // Marked steps are the widest captions of the setup bar.
        g_pMainFrame->m_nStepMask = ~0u;
        g_pMainFrame->RefreshStepButtons();
        cut << Cut(g_pMainFrame, QStringLiteral("main frame"));
        AfxSetModalHook(walk);
        for (UINT command : {ID_SETUP_BASIC, ID_SETUP_SPAN, ID_SETUP_MAIN_GIRDER, ID_SETUP_MAIN_GIRDER2,
                             ID_SETUP_MAIN_MEMBER, ID_SETUP_DEAD_LOAD, ID_SETUP_STEEL_WEIGHT, ID_SETUP_ESTIMATE})
            Command(command);
        g_pDoc->m_dlgMainGirder.m_dlgJointPosition.DoModal();
        // The walk reached the dialogs a hub's button opens.
        EXPECT_TRUE(seen.count(IDD_JOINT_POSITION) && seen.count(g_nBridgeType == 0 ? IDD_PLATE_GIRDER : IDD_RIB_PANEL))
            << file;
        for (UINT command : {ID_SETUP_PANEL, ID_SETUP_CROSS_SECTION, ID_SETUP_CROSS_BEAM, ID_SETUP_COORDINATE,
                             ID_SETUP_HEIGHT}) {
            Command(command);
            shownWindows();
        }
        AfxSetModalHook({});
        for (UINT view : {ID_VIEW_PLAN, ID_VIEW_SECTION, ID_VIEW_SECTION2, ID_VIEW_LOAD, ID_VIEW_CONDITION,
                          ID_VIEW_FORCE, ID_VIEW_REACT, ID_VIEW_CALC, ID_VIEW_PROPERTIES, ID_VIEW_ESTIMATE,
                          ID_VIEW_PRINT}) {
            Command(view);
            if (auto* frame = dynamic_cast<CChildFrameBase*>(g_pMainFrame->MDIGetActive()))
                cut << Cut(frame, QString::fromUtf8(frame->Kind().prefix));
        }
        g_pBlockDlg->ShowWindow(SW_SHOWNORMAL);
        shownWindows();
    }
    EXPECT_TRUE(cut.isEmpty()) << Lines(cut);
}
