// Base of the input windows that stay open beside the design: Enter and Escape
// do nothing, closing hides the window, and the object goes with its window.
#pragma once

#include "framework/dialog.h"

class CModelessInputDialog : public CDialog {
public:
    explicit CModelessInputDialog(UINT nIDTemplate) : CDialog(nIDTemplate) {}
    void OnOK() override {}
    void OnCancel() override {}
    void OnClose() override { ShowWindow(SW_HIDE); }
    void PostNcDestroy() override { delete this; }
};
