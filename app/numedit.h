// An edit control for whole counts: digits, backspace and space only, and the editing keys.
#pragma once

#include "framework/dialog.h"

class CNumEdit : public CEdit {
public:
    void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags) override;
    // Takes over the dialog's edit nID; pasted text must be digits too.
    BOOL Attach(UINT nID, CWnd* pDialog);
};
