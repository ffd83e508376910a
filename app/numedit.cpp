#include "app/numedit.h"
#include "framework/msgbox.h"

void CNumEdit::OnChar(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    if ((nChar >= '0' && nChar <= '9') || nChar == 8 || nChar == ' ') {
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
