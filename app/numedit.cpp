#include "app/numedit.h"
#include "framework/msgbox.h"

void CNumEdit::OnChar(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    // Control characters are the edit's own commands (Ctrl+A, C, X, V, Z), not text;
    // what a paste brings in is held to the digits by the allowed characters.
    if ((nChar >= '0' && nChar <= '9') || nChar == ' ' || nChar < 0x20 || nChar == 0x7F) {
        CEdit::OnChar(nChar, nRepCnt, nFlags);
        return;
    }
    MessageBeep(MB_ICONASTERISK);
}

BOOL CNumEdit::Attach(UINT nID, CWnd* pDialog)
{
    if (!SubclassDlgItem(nID, pDialog))
        return FALSE;
    SetAllowedChars(QStringLiteral("0123456789 "));
    return TRUE;
}
