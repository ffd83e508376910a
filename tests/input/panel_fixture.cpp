#include "panel_fixture.h"

void PanelTest::TearDown()
{
    if (g_pPanelDlg && g_pPanelDlg->GetSafeHwnd())
        g_pPanelDlg->ShowWindow(SW_HIDE);
    // The span shown is the window's, not the design's: the next test starts on the first.
    if (g_pPanelDlg)
        g_pPanelDlg->m_nSpan = 0;
    ShellTest::TearDown();
}

void PanelTest::MakeDesign(const char* spans, bool box, const char* girders)
{
    dialoginput::ConfirmBasic(QString::fromLatin1(spans), [=](CDialog* d) {
        dialoginput::Type(d, IDC_GIRDERS, QString::fromLatin1(girders));
        if (box)
            dialoginput::Press(d, IDC_FORM_BOX);
    });
    ASSERT_EQ(g_nSpans, QString::fromLatin1(spans).toInt());
    m_shown.clear();
}

void PanelTest::Open()
{
    Command(ID_SETUP_PANEL);
    ASSERT_TRUE(Dlg().IsWindowVisible());
    gridui::Activate(&Dlg());
}

QString PanelTest::Shown(CTableGrid& t, int row, int col)
{
    CGridCell c;
    t.GetCellIndirect(col, row, &c);
    return (c.GetCellTypeEx() & GRID_STYLE_CHOICES) ? c.GetChoiceList() : c.GetText();
}
