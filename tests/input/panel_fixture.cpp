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
    AfxSetModalHook([=](CDialog* d) {
        d->GetDlgItem(IDC_SPANS)->SetWindowText(QString::fromLatin1(spans));
        d->GetDlgItem(IDC_GIRDERS)->SetWindowText(QString::fromLatin1(girders));
        if (box)
            static_cast<CButton*>(d->GetDlgItem(IDC_FORM_BOX))->Click();
        d->SendMessage(WM_COMMAND, IDOK);
    });
    Command(ID_SETUP_BASIC);
    AfxSetModalHook({});
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

void PanelTest::Enter(CTableGrid& t, int row, int col, const QString& value)
{
    t.GotoCell(col, row);
    for (QChar c : value) {
        QWidget* target = t.GetEdit()->IsOpen() ? t.GetEdit()->GetWidget() : t.m_area.GetWidget();
        gridui::Key(target, int(c.toUpper().unicode()), Qt::NoModifier, QString(c));
    }
    if (!t.GetEdit()->IsOpen())
        return;
    gridui::Key(t.GetEdit()->GetWidget(), Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
    if (t.GetEdit()->IsOpen())
        gridui::Key(t.GetEdit()->GetWidget(), Qt::Key_Escape);
}

void PanelTest::Spin(CTableGrid& t, int row, int col, bool up)
{
    t.GotoCell(col, row);
    CRect r;
    t.GetCellRect(col, row, &r);
    gridui::Click(t.m_area.GetWidget(), QPoint(r.right - 4, up ? r.top + 3 : r.bottom - 3));
}
