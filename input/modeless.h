// Base of the input windows that stay open beside the design: Enter and Escape
// do nothing and closing hides the window. The object outlives its window: it holds input.
#pragma once

#include "framework/dialog.h"

class CModelessInputDialog : public CDialog {
public:
    // nIDUpdate: the window's "更新" button, 0 for a window without one.
    explicit CModelessInputDialog(UINT nIDTemplate, UINT nIDUpdate = 0) : CDialog(nIDTemplate), m_nIDUpdate(nIDUpdate) {}
    void OnOK() override {}
    void OnCancel() override {}
    void OnClose() override { ShowWindow(SW_HIDE); }

    // The update button is the record of unapplied edits: "更新" and enabled while there
    // are some, "更新済み" and disabled once they are applied.
    void SetUpdatePending(BOOL bPending);
    BOOL IsUpdatePending() const { return m_bUpdatePending; }

private:
    UINT m_nIDUpdate;
    BOOL m_bUpdatePending = FALSE;
};
