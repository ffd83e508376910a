// The panel division window opened on a confirmed design, driven by control and by table cell.
#pragma once

#include "common/shell_fixture.h"
#include "common/dialog_input.h"
#include "input/modeless_dialogs.h"

class PanelTest : public ShellTest {
protected:
    void TearDown() override;
    // A confirmed design through the basic conditions (box: the girder form).
    void MakeDesign(const char* spans = "1", bool box = false, const char* girders = "4");
    // Shows the window through its step command, active.
    void Open();
    CSetupPanelDialog& Dlg() { return *g_pPanelDlg; }
    QString Text(int id) { return dialoginput::Text(&Dlg(), id); }
    void Press(int id) { dialoginput::Press(&Dlg(), id); }
    void StepSpan(int delta) { dialoginput::Step(&Dlg(), IDC_PANEL_SPAN_SPIN, delta); }
    bool Enabled(int id) { return dialoginput::Enabled(&Dlg(), id); }
    // The text a cell shows: its choice name where it shows one.
    static QString Shown(CTableGrid& t, int row, int col);
    static void Enter(CTableGrid& t, int row, int col, const QString& value) { dialoginput::Enter(t, row, col, value); }
    static void Spin(CTableGrid& t, int row, int col, bool up) { dialoginput::Spin(t, row, col, up); }
};
