// Dialogs built from templates, their controls and data exchange.
#pragma once

#include <functional>
#include <memory>
#include <vector>
#include "framework/wnd.h"
#include "framework/resource.h"

// Control notification codes.
enum : UINT {
    BN_CLICKED = 0, CBN_SELCHANGE = 1, LBN_SELCHANGE = 1, CBN_DBLCLK = 2, LBN_DBLCLK = 2,
    EN_SETFOCUS = 0x100, EN_KILLFOCUS = 0x200, EN_CHANGE = 0x300, EN_UPDATE = 0x400
};

// Controls. Each control of a template gets an object of the class of its kind.
class CStatic : public CWnd { DECLARE_DYNAMIC(CStatic) };

class CButton : public CWnd {
    DECLARE_DYNAMIC(CButton)
public:
    int GetCheck() const;
    void SetCheck(int nCheck);
    void Click();
};

class CEdit : public CWnd {
    DECLARE_DYNAMIC(CEdit)
public:
    void SetReadOnly(BOOL bReadOnly = TRUE);
    void LimitText(int nChars);
    void SetSel(int nStart, int nEnd);
    void ReplaceSel(const QString& text);
    void Paste();
    // Text that may enter by pasting or typing: only these characters (empty = any).
    void SetAllowedChars(const QString& chars);
};

class CComboBox : public CWnd {
    DECLARE_DYNAMIC(CComboBox)
public:
    int AddString(const QString& s);
    int InsertString(int index, const QString& s);
    void ResetContent();
    int GetCount() const;
    int GetCurSel() const;
    int SetCurSel(int nSelect);
    void GetLBText(int index, QString& s) const;
};

class CListBox : public CWnd {
    DECLARE_DYNAMIC(CListBox)
public:
    int AddString(const QString& s);
    void ResetContent();
    int GetCount() const;
    int GetCurSel() const;
    int SetCurSel(int nSelect);
    void GetText(int index, QString& s) const;
};

class CSliderCtrl : public CWnd {
    DECLARE_DYNAMIC(CSliderCtrl)
public:
    void SetRange(int nMin, int nMax, BOOL bRedraw = FALSE);
    void SetPos(int nPos);
    int GetPos() const;
    // A tick mark every nFreq positions below the track.
    void SetTicFreq(int nFreq);
};

// Up-down arrows beside a buddy edit; the owner hears UDN_DELTAPOS first and may refuse.
class CSpinButtonCtrl : public CWnd {
    DECLARE_DYNAMIC(CSpinButtonCtrl)
public:
    void SetRange(int nLower, int nUpper) { m_nLower = nLower; m_nUpper = nUpper; }
    void GetRange(int& nLower, int& nUpper) const { nLower = m_nLower; nUpper = m_nUpper; }
    int SetPos(int nPos);
    int GetPos() const;
    void SetBuddy(CWnd* pBuddy);
    // The buddy's current object: one subclassed since (a numeric edit) is found again by its id.
    CWnd* GetBuddy() const;
    // One step up (+1) or down (-1), as a click on an arrow.
    void Step(int nDelta);
    // During UDN_DELTAPOS: the requested step, and the owner's refusal.
    int m_nDelta = 0;
    bool m_bRefused = false;
private:
    int m_nLower = 0, m_nUpper = 100;
    int m_nPos = 0;
    CWnd* m_pBuddy = nullptr;
    int m_nBuddyID = 0;
};

enum : UINT { UDN_DELTAPOS = 0xFD2E };

// Hosts the controls of one template inside a window.
class CTemplateHost {
public:
    // Builds the controls of tmpl into owner's widget; false when there is no such template.
    bool Build(CWnd* owner, UINT nIDTemplate);
    const DialogTemplate* Template() const { return m_pTemplate; }
    CWnd* Control(int nID) const;
    // Ids of the radio buttons of the group that starts at nID, in template order.
    std::vector<int> RadioGroup(int nID) const;
    void Clear() { m_controls.clear(); m_pTemplate = nullptr; }
private:
    const DialogTemplate* m_pTemplate = nullptr;
    std::vector<std::unique_ptr<CWnd>> m_controls;
};

class CDataExchange {
public:
    CDataExchange(CWnd* pDlgWnd, BOOL bSaveAndValidate) : m_pDlgWnd(pDlgWnd), m_bSaveAndValidate(bSaveAndValidate) {}
    CWnd* m_pDlgWnd;
    BOOL m_bSaveAndValidate;
    int m_idLastControl = 0;
    // Stops the exchange: the dialog stays open with focus on the last control.
    [[noreturn]] void Fail();
};

// Runs one data exchange over the window's controls; FALSE when a check stopped it.
BOOL AfxRunDataExchange(CWnd* pWnd, BOOL bSaveAndValidate, const std::function<void(CDataExchange*)>& exchange);

class CDialog : public CWnd {
    DECLARE_DYNAMIC(CDialog)
public:
    explicit CDialog(UINT nIDTemplate = 0, CWnd* pParent = nullptr);
    ~CDialog() override;

    virtual int DoModal();
    virtual BOOL Create(UINT nIDTemplate, CWnd* pParent = nullptr);
    void EndDialog(int nResult);
    BOOL UpdateData(BOOL bSaveAndValidate = TRUE);
    virtual BOOL OnInitDialog();
    virtual void OnOK();
    virtual void OnCancel();
    virtual void DoDataExchange(CDataExchange* pDX) {}
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    bool IsModal() const { return m_bModal; }
    // A modeless window that keeps input from the program's other windows while it is
    // shown; set while hidden, it takes effect at the next show.
    void SetApplicationModal(BOOL bModal);
    // The caption's close button (and window menu); without it only the program closes the window.
    void EnableCloseButton(BOOL bEnable);
    UINT GetTemplateId() const { return m_nIDTemplate; }
    int GetModalResult() const { return m_nModalResult; }
    // Notification handlers by control id and code (BN_CLICKED, EN_CHANGE ...).
    void OnNotify(UINT nID, UINT nCode, std::function<void()> fn);
    BOOL OnControlNotify(UINT nID, UINT nCode);

    CWnd* m_pParentWnd;
    CTemplateHost m_host;

protected:
    UINT m_nIDTemplate;
    bool m_bModal = false;
    int m_nModalResult = -1;
    std::map<std::pair<UINT, UINT>, std::function<void()>> m_notify;
    BOOL BuildWindow(CWnd* pParent);
};

// Data exchange between members and controls, with range checks that
// show the framework's message and keep the dialog open.
void DDX_Text(CDataExchange* pDX, int nIDC, int& value);
void DDX_Text(CDataExchange* pDX, int nIDC, UINT& value);
void DDX_Text(CDataExchange* pDX, int nIDC, double& value);
void DDX_Text(CDataExchange* pDX, int nIDC, QString& value);
void DDX_Check(CDataExchange* pDX, int nIDC, int& value);
void DDX_Radio(CDataExchange* pDX, int nIDC, int& value);
void DDX_CBIndex(CDataExchange* pDX, int nIDC, int& value);
void DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl);
void DDV_MinMaxInt(CDataExchange* pDX, int value, int minVal, int maxVal);
void DDV_MinMaxDouble(CDataExchange* pDX, double const& value, double minVal, double maxVal);
void DDV_MaxChars(CDataExchange* pDX, const QString& value, int nChars);
// Text that the data file's code page (CP932) would change; `where` goes before the
// message (which cell, say).
void DDV_CP932Text(CDataExchange* pDX, const QString& value, const QString& where = QString());
