// A dialog and its tables driven as a person drives them: a modal dialog run through its
// command, controls typed into and pressed, table cells typed into, spin cells' arrows pressed.
#pragma once

#include <functional>

#include "common/shell_fixture.h"
#include "grid/grid_ui.h"
#include "grid/tablegrid.h"

namespace dialoginput {

inline QString Text(CDialog* d, int id) { return d->GetDlgItem(id)->GetWindowText(); }
inline void Type(CDialog* d, int id, const QString& text) { d->GetDlgItem(id)->SetWindowText(text); }
inline void Press(CDialog* d, int id) { static_cast<CButton*>(d->GetDlgItem(id))->Click(); }
inline bool Enabled(CDialog* d, int id) { return d->GetDlgItem(id)->IsWindowEnabled(); }
inline int Checked(CDialog* d, int id) { return static_cast<CButton*>(d->GetDlgItem(id))->GetCheck(); }
inline void Step(CDialog* d, int spin, int delta) { static_cast<CSpinButtonCtrl*>(d->GetDlgItem(spin))->Step(delta); }
inline void Ok(CDialog* d) { d->SendMessage(WM_COMMAND, IDOK); }

// Runs the modal dialog that a command opens; `drive` acts on it and ends it. A dialog left
// open by a refusal is cancelled. False when the command opened no dialog.
inline bool RunModal(UINT command, const std::function<void(CDialog*)>& drive)
{
    bool ran = false;
    AfxSetModalHook([&](CDialog* d) {
        ran = true;
        drive(d);
        if (d->GetModalResult() == -1)
            d->SendMessage(WM_COMMAND, IDCANCEL);
    });
    g_pMainFrame->OnCmdMsg(command, CN_COMMAND, nullptr);
    AfxSetModalHook({});
    return ran;
}

// Confirms the basic conditions with the spans given; `more` sets further controls first.
inline void ConfirmBasic(const QString& spans, const std::function<void(CDialog*)>& more = {})
{
    RunModal(ID_SETUP_BASIC, [&](CDialog* d) {
        Type(d, IDC_SPANS, spans);
        if (more)
            more(d);
        Ok(d);
    });
}

inline QString Cell(CTableGrid& t, int row, int col)
{
    CGridCell c;
    t.GetCellIndirect(col, row, &c);
    return c.GetText();
}

inline COLORREF TextColor(CTableGrid& t, int row, int col)
{
    CGridCell c;
    t.GetCellIndirect(col, row, &c);
    return c.GetTextColor();
}

// The cell made current, the first character opens the grid's edit, Enter ends it; the
// edit that Enter opens on the next cell is left with Escape.
inline void Enter(CTableGrid& t, int row, int col, const QString& value)
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

// Presses the up or down arrow of a spin cell.
inline void Spin(CTableGrid& t, int row, int col, bool up)
{
    t.GotoCell(col, row);
    CRect r;
    t.GetCellRect(col, row, &r);
    gridui::Click(t.m_area.GetWidget(), QPoint(r.right - 4, up ? r.top + 3 : r.bottom - 3));
}

}
