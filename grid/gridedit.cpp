#include "grid/gridedit.h"
#include "grid/gridctrl.h"
#include "framework/childwnd.h"
#include "framework/msgbox.h"

namespace {
// After a text refused on losing the focus: the keys go back to the cell, once the focus
// change is over.
constexpr UINT WM_GRID_EDIT_REFOCUS = WM_USER + 0x237;
constexpr char16_t kNoChar = 8;

bool isPrintable(UINT ch) { return ch >= 0x20 && ch != 0x7F; }
}

// ---------------------------------------------------------------- mask

const QString CGridEditMask::s_strMaskChars = QStringLiteral("0123459#L?Aa&C");

void CGridEditMask::SetMask(const QString& mask)
{
    m_strMask = mask;
    m_strClasses.clear();
    m_strLiterals.clear();
    for (qsizetype i = 0; i < mask.size(); ++i) {
        QChar c = mask[i];
        if (c == u'\\' && i + 1 < mask.size()) {
            c = mask[++i];
            m_strClasses += QChar(kNoChar);
            m_strLiterals += c;
        } else if (s_strMaskChars.contains(c)) {
            m_strClasses += c;
            m_strLiterals += QChar(kNoChar);
        } else {
            m_strClasses += QChar(kNoChar);
            m_strLiterals += c;
        }
    }
}

QChar CGridEditMask::ClassAt(int pos) const
{
    if (pos < 0 || pos >= m_strClasses.size() || m_strClasses[pos] == QChar(kNoChar))
        return QChar();
    return m_strClasses[pos];
}

QChar CGridEditMask::LiteralAt(int pos) const
{
    if (pos < 0 || pos >= m_strLiterals.size() || m_strLiterals[pos] == QChar(kNoChar))
        return QChar();
    return m_strLiterals[pos];
}

bool CGridEditMask::Accepts(QChar cls, QChar ch, bool* pBeep)
{
    const char16_t c = ch.unicode();
    const bool digit = c >= u'0' && c <= u'9';
    const bool blank = c == u' ';
    const bool letter = ch.isLetter();
    bool beep = false, ok = false;
    switch (cls.unicode()) {
    case u'0': ok = digit; break;
    case u'1': ok = digit || blank; beep = true; break;
    case u'2': ok = digit || blank || c == u'.'; beep = true; break;
    case u'3': ok = digit || blank || c == u'+' || c == u'-'; beep = true; break;
    case u'4': ok = digit || blank || c == u'+' || c == u'-' || c == u'.'; beep = true; break;
    case u'5':
        ok = digit || blank || c == u'+' || c == u'-' || c == u'.' || c == u'E' || c == u'e';
        beep = true;
        break;
    case u'9': ok = digit || blank; break;
    case u'#': ok = digit || blank || c == u'k' || c == u'm'; break;
    case u'L': ok = letter; break;
    case u'?': ok = letter || blank; break;
    case u'A': ok = letter || digit; break;
    case u'a': ok = letter || digit || blank; break;
    case u'&': case u'C': ok = isPrintable(c) && ch.isPrint(); break;
    default: ok = false; break;
    }
    if (pBeep)
        *pBeep = !ok && beep;
    return ok;
}

QString CGridEditMask::Format(const QString& text) const
{
    QString out;
    int p = 0;
    const int n = GetPositionCount();
    for (qsizetype t = 0; t < text.size() && p < n;) {
        const QChar literal = LiteralAt(p);
        if (!literal.isNull()) {
            out += literal;
            ++p;
        } else if (Accepts(ClassAt(p), text[t])) {
            out += text[t++];
            ++p;
        } else {
            ++t;
        }
    }
    return out;
}

// ---------------------------------------------------------------- edit

CGridEdit::CGridEdit()
{
    OnMessage(WM_GRID_EDIT_REFOCUS, [this](WPARAM, LPARAM) -> LRESULT {
        m_bRefused = 0;
        ReturnToCell();
        return 0;
    });
}

CGridEdit::~CGridEdit() = default;

BOOL CGridEdit::Open(DWORD dwStyle, const CRect& rect, UINT nID)
{
    Close();
    if (!m_pArea || !AfxCreateEdit(this, dwStyle & ~DWORD(WS_VISIBLE), rect, m_pArea, nID))
        return FALSE;
    AfxSetEditMargins(this, 2, 1, 0, 0);
    m_mask.SetMask(QString());
    m_bAccept = 1;
    m_bRefused = 0;
    return TRUE;
}

BOOL CGridEdit::SetMask(const QString& mask)
{
    m_mask.SetMask(mask);
    // A number's range says nothing about how many characters it takes.
    LimitText(mask.isEmpty() ? 0 : int(mask.size()));
    Reformat();
    return TRUE;
}

void CGridEdit::Reformat()
{
    if (!m_mask.IsOn() || m_bBusy || !IsOpen())
        return;
    const QString text = GetWindowText();
    if (text.isEmpty())
        return;
    int start = 0, end = 0;
    AfxGetEditSel(this, &start, &end);
    const QString formatted = m_mask.Format(text);
    if (formatted == text)
        return;
    m_bBusy = 1;
    SetWindowText(formatted);
    const int n = int(formatted.size());
    SetSel(std::min(start, n), std::min(end, n));
    m_bBusy = 0;
}

void CGridEdit::Insert(const QString& text)
{
    ReplaceSel(text);
}

void CGridEdit::OnChar(UINT nChar, UINT, UINT)
{
    // Tab and Enter end the edit as keys; they never enter the text.
    if (nChar == VK_TAB || nChar == VK_RETURN)
        return;
    if (m_bBusy) {
        if (isPrintable(nChar))
            Insert(QString(QChar(char16_t(nChar))));
        else
            Default();
        return;
    }
    if (m_mask.IsOn() && isPrintable(nChar)) {
        int start = 0, end = 0;
        AfxGetEditSel(this, &start, &end);
        if (start != end)
            ReplaceSel(QString());
        int p = start;
        if (p >= m_mask.GetPositionCount())
            return;
        const QChar literal = m_mask.LiteralAt(p);
        if (!literal.isNull()) {
            m_bBusy = 1;
            Insert(QString(literal));
            m_bBusy = 0;
            ++p;
        }
        bool beep = false;
        if (!CGridEditMask::Accepts(m_mask.ClassAt(p), QChar(char16_t(nChar)), &beep)) {
            if (beep)
                MessageBeep(MB_ICONASTERISK);
            return;
        }
    }
    UINT key = nChar;
    if (m_pGrid) {
        const CGridSettings* s = m_pGrid->GetSettings();
        if (!m_pGrid->OnEditVerify(s->m_nEditCol, s->m_nEditRow, this, &key))
            return;
    }
    if (isPrintable(key))
        Insert(QString(QChar(char16_t(key))));
    else
        Default();
}

void CGridEdit::OnKeyDown(UINT nChar, UINT, UINT)
{
    switch (nChar) {
    case VK_TAB: Finish(GetKeyState(VK_SHIFT) < 0 ? -1 : 1, 0); return;
    case VK_RETURN: Finish(1, 0); return;
    case VK_UP: Finish(0, -1); return;
    case VK_DOWN: Finish(0, 1); return;
    case VK_ESCAPE:
        m_bAccept = 0;
        Close();
        return;
    default:
        Default();
        return;
    }
}

BOOL CGridEdit::Store()
{
    if (!m_bAccept || !m_pGrid)
        return TRUE;
    m_bAccept = 0;
    const CGridSettings* s = m_pGrid->GetSettings();
    const int col = s->m_nEditCol, row = s->m_nEditRow;
    m_bStoring = 1;
    const BOOL ok = m_pGrid->OnEditFinish(col, row, this);
    m_bStoring = 0;
    if (!ok) {
        // The typed text goes and the cell keeps its value.
        Close();
        return FALSE;
    }
    CGridCell cell;
    m_pGrid->GetCell(col, row, &cell);
    cell.SetEnteredText(GetWindowText());
    m_pGrid->SetCell(col, row, &cell);
    m_pGrid->RedrawCell(col, row);
    return TRUE;
}

void CGridEdit::Finish(int colStep, int rowStep)
{
    if (!Store()) {
        ReturnToCell();
        return;
    }
    if (m_pGrid)
        m_pGrid->EditContinue(colStep, rowStep);
}

void CGridEdit::ReturnToCell()
{
    // A message about a refused text may have taken the keys to another window.
    if (m_pArea && m_pArea->IsWindowVisible())
        AfxActivateWithFocus(m_pArea);
}

void CGridEdit::Close()
{
    m_bAccept = 0;
    m_bRefused = 0;
    m_mask.SetMask(QString());
    const bool focused = m_bHasFocus;
    m_bHasFocus = 0;
    if (!IsOpen())
        return;
    // The area takes the keys again before the edit goes.
    if (focused && m_pArea)
        m_pArea->SetFocus();
    if (IsOpen())
        AfxDestroyWindowLater(this);
}

void CGridEdit::FocusLost()
{
    if (m_bStoring || !IsOpen())
        return;
    m_bHasFocus = 0;
    if (m_bAccept && !Store()) {
        m_bRefused = 1;
        PostMessage(WM_GRID_EDIT_REFOCUS);
        return;
    }
    Close();
}

void CGridEdit::OnSetFocus(CWnd*)
{
    m_bHasFocus = 1;
    m_bAccept = 1;
    m_bRefused = 0;
}

void CGridEdit::OnKillFocus(CWnd*)
{
    FocusLost();
}

void CGridEdit::OnSize(UINT, int, int)
{
    AfxSetEditMargins(this, 2, 1, 0, 0);
}

// ---------------------------------------------------------------- drop-down list

CGridDropList::CGridDropList() = default;
CGridDropList::~CGridDropList() = default;

BOOL CGridDropList::Open(CGridCtrl* pGrid, CWnd* pArea, const CRect& rect, const CFont* pFont, int itemHeight,
                         const QStringList& choices, int* pListCol, int* pListRow)
{
    m_pGrid = pGrid;
    m_pArea = pArea;
    m_pListCol = pListCol;
    m_pListRow = pListRow;
    if (!AfxCreateListBox(this, WS_CHILD | WS_BORDER | WS_VSCROLL, rect, pArea, GRID_ID_DROPLIST))
        return FALSE;
    AfxSetWindowFont(this, pFont);
    for (const QString& c : choices)
        AddString(c);
    AfxSetListBoxItemHeight(this, itemHeight);
    ShowWindow(SW_SHOW);
    m_bOpen = 1;
    m_bChoiceMade = 0;
    SetFocus();
    return TRUE;
}

void CGridDropList::Choose()
{
    const int sel = GetCurSel();
    if (sel < 0 || !m_pGrid || !m_pListCol || !m_pListRow)
        return;
    QString text;
    GetText(sel, text);
    m_bChoiceMade = 1;
    const int col = *m_pListCol, row = *m_pListRow;
    m_pGrid->OnCellTypeNotify(GRID_CT_DROPLIST, col, row, GRID_NOTIFY_LIST_CHOSEN, LPARAM(&text));
    CGridCell cell;
    if (m_pGrid->GetCell(col, row, &cell)) {
        cell.SetText(text);
        m_pGrid->SetCell(col, row, &cell);
        m_pGrid->RedrawCell(col, row);
    }
    m_bOpen = 0;
    *m_pListCol = *m_pListRow = -1;
    Close();
}

void CGridDropList::Close()
{
    if (!IsOpen())
        return;
    if (m_pArea)
        m_pArea->SetFocus();
    if (IsOpen())
        FocusLost();
}

void CGridDropList::FocusLost()
{
    if (!IsOpen())
        return;
    AfxDestroyWindowLater(this);
    m_bOpen = 0;
    // The press on the drop button that took the focus away must not open the list again.
    if (!m_bChoiceMade && m_pListCol && m_pListRow)
        *m_pListCol = *m_pListRow = -2;
    m_bChoiceMade = 0;
}

void CGridDropList::OnSetFocus(CWnd*)
{
    m_bOpen = 1;
    m_bChoiceMade = 0;
}

void CGridDropList::OnKillFocus(CWnd*)
{
    FocusLost();
}

void CGridDropList::OnLButtonUp(UINT, CPoint)
{
    if (GetCurSel() >= 0)
        Choose();
}

void CGridDropList::OnKeyDown(UINT nChar, UINT, UINT)
{
    switch (nChar) {
    case VK_ESCAPE:
        Close();
        return;
    case VK_RETURN:
        if (GetCurSel() >= 0) {
            Choose();
        } else {
            m_bOpen = 0;
            Close();
        }
        return;
    default:
        Default();
        return;
    }
}
