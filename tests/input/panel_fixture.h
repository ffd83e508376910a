// The panel division window opened on a confirmed design, driven by control and by table cell.
#pragma once

#include "common/shell_fixture.h"
#include "grid/grid_ui.h"
#include "input/modeless_dialogs.h"

class PanelTest : public ShellTest {
protected:
    void TearDown() override;
    // A confirmed design through the basic conditions (box: the girder form).
    void MakeDesign(const char* spans = "1", bool box = false, const char* girders = "4");
    // Shows the window through its step command, active.
    void Open();
    CSetupPanelDialog& Dlg() { return *g_pPanelDlg; }
    QString Text(int id) { return Dlg().GetDlgItem(id)->GetWindowText(); }
    void Press(int id) { static_cast<CButton*>(Dlg().GetDlgItem(id))->Click(); }
    void StepSpan(int delta) { static_cast<CSpinButtonCtrl*>(Dlg().GetDlgItem(IDC_PANEL_SPAN_SPIN))->Step(delta); }
    bool Enabled(int id) { return Dlg().GetDlgItem(id)->IsWindowEnabled(); }
    // The text a cell shows: its choice name where it shows one.
    static QString Shown(CTableGrid& t, int row, int col);
    // Types into a cell as a person does and ends with Enter.
    static void Enter(CTableGrid& t, int row, int col, const QString& value);
    // Presses the up or down arrow of a spin cell.
    static void Spin(CTableGrid& t, int row, int col, bool up);
};
