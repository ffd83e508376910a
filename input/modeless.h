// Base of the input windows that stay open beside the design: Enter and Escape
// do nothing and closing hides the window. The object outlives its window: it holds input.
#pragma once

#include "framework/dialog.h"

class CModelessInputDialog : public CDialog {
public:
    explicit CModelessInputDialog(UINT nIDTemplate) : CDialog(nIDTemplate) {}
    void OnOK() override {}
    void OnCancel() override {}
    void OnClose() override { ShowWindow(SW_HIDE); }
};
