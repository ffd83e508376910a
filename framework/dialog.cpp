#include "framework/dialog.h"
#include "framework/bars.h"
#include "framework/formview.h"
#include "framework/wnd_p.h"
#include "framework/format.h"
#include "framework/gdi.h"
#include "framework/msgbox.h"
#include "framework/scrollbar.h"
#include "framework/textcodec.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QEventLoop>
#include <QFontMetrics>
#include <QGridLayout>
#include <QGroupBox>
#include <QIcon>
#include <QImageReader>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSlider>
#include <QStyle>
#include <QTimer>
#include <QToolButton>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>
#include <cfloat>

IMPLEMENT_DYNAMIC(CStatic, CWnd)
IMPLEMENT_DYNAMIC(CButton, CWnd)
IMPLEMENT_DYNAMIC(CEdit, CWnd)
IMPLEMENT_DYNAMIC(CComboBox, CWnd)
IMPLEMENT_DYNAMIC(CListBox, CWnd)
IMPLEMENT_DYNAMIC(CSliderCtrl, CWnd)
IMPLEMENT_DYNAMIC(CSpinButtonCtrl, CWnd)
IMPLEMENT_DYNAMIC(CDialog, CWnd)

namespace {

constexpr WPARAM MakeCommand(UINT id, UINT code) { return WPARAM((id & 0xFFFF) | ((code & 0xFFFF) << 16)); }

// A dialog window whose Enter, Escape and close go through the dialog's commands.
class DialogWidget : public QDialog {
public:
    DialogWidget(CDialog* dlg, QWidget* parent) : QDialog(parent), m_dlg(dlg) {}
    CDialog* m_dlg;
    void reject() override { m_dlg->SendMessage(WM_COMMAND, MakeCommand(IDCANCEL, BN_CLICKED)); }
    void accept() override { m_dlg->SendMessage(WM_COMMAND, MakeCommand(IDOK, BN_CLICKED)); }
protected:
    void keyPressEvent(QKeyEvent* e) override
    {
        if (e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) {
            if (auto* b = qobject_cast<QPushButton*>(focusWidget())) { b->click(); return; }
            for (QPushButton* b : findChildren<QPushButton*>())
                if (b->isDefault() && b->isEnabled() && b->isVisible()) { b->click(); return; }
            accept();
            return;
        }
        if (e->key() == Qt::Key_Escape) { reject(); return; }
        QDialog::keyPressEvent(e);
    }
    void closeEvent(QCloseEvent* e) override { e->ignore(); reject(); }
};

// A radio group is one Tab stop, on its checked button (the first one while none is);
// the arrow keys move within the group. The toolkit would keep the stop on whichever
// button last had the focus.
class RadioTabStop : public QObject {
public:
    explicit RadioTabStop(QButtonGroup* group) : QObject(group), m_group(group)
    {
        QObject::connect(group, &QButtonGroup::buttonToggled, this, [this] { Update(); });
    }
    void Watch(QAbstractButton* b)
    {
        b->installEventFilter(this);
        Update();
    }
    bool eventFilter(QObject*, QEvent* e) override
    {
        if (e->type() == QEvent::FocusOut || e->type() == QEvent::EnabledChange)
            Update();
        return false;
    }
private:
    void Update()
    {
        const QList<QAbstractButton*> buttons = m_group->buttons();
        QAbstractButton* stop = nullptr;
        for (QAbstractButton* b : buttons)
            if (b->isChecked() && b->isEnabled())
                stop = b;
        for (QAbstractButton* b : buttons)
            if (!stop && b->isEnabled())
                stop = b;
        for (QAbstractButton* b : buttons) {
            const int policy = b->focusPolicy();
            b->setFocusPolicy(Qt::FocusPolicy(b == stop ? policy | Qt::TabFocus : policy & ~Qt::TabFocus));
        }
    }
    QButtonGroup* m_group;
};

// In the cell of the face the template names: a screen face standing in for it keeps the layout.
QFontMetrics DialogUnitMetrics(const QWidget* w)
{
    QFont f = w->font();
    f.setFamily(AfxCellFontFace(f.family()));
    return QFontMetrics(f);
}
int DialogUnitsToPixelsX(const QWidget* w, int du) { return du * DialogUnitMetrics(w).averageCharWidth() / 4; }
int DialogUnitsToPixelsY(const QWidget* w, int du) { return du * DialogUnitMetrics(w).height() / 8; }

// A picture names its image by resource number in its text. An icon is drawn at the style's
// dialog icon size, a bitmap at the template's size, or the image's own.
void ShowResourceImage(QLabel* l, const ControlTemplate& c)
{
    bool isNumber = false;
    const UINT image = c.text.toUInt(&isNumber);
    const AfxResourceTable* res = AfxGetResourceTable();
    const QString path = isNumber && res ? res->BitmapPath(image) : QString();
    if (path.isEmpty())
        return;
    QSize size = QImageReader(path).size();
    if (c.flags & CF_ICON) {
        const int side = l->style()->pixelMetric(QStyle::PM_MessageBoxIconSize, nullptr, l);
        size = QSize(side, side);
    } else if (c.cx > 0 && c.cy > 0)
        size = QSize(DialogUnitsToPixelsX(l, c.cx), DialogUnitsToPixelsY(l, c.cy));
    if (size.isValid())
        l->setPixmap(QIcon(path).pixmap(size, l->devicePixelRatioF()));
}

Qt::Alignment AlignmentOf(UINT flags)
{
    if (flags & CF_ALIGN_RIGHT) return Qt::AlignRight | Qt::AlignVCenter;
    if (flags & CF_ALIGN_CENTER) return Qt::AlignCenter;
    return Qt::AlignLeft | Qt::AlignVCenter;
}

}

// ---- controls ----

int CButton::GetCheck() const
{
    auto* b = qobject_cast<QAbstractButton*>(GetWidget());
    return b && b->isChecked() ? 1 : 0;
}
void CButton::SetCheck(int nCheck)
{
    if (auto* b = qobject_cast<QAbstractButton*>(GetWidget())) {
        QButtonGroup* g = b->group();
        if (g && !nCheck && b->isChecked()) {
            // An exclusive group refuses to uncheck its checked button.
            g->setExclusive(false);
            b->setChecked(false);
            g->setExclusive(true);
        } else {
            b->setChecked(nCheck != 0);
        }
    }
}
void CButton::Click() { if (auto* b = qobject_cast<QAbstractButton*>(GetWidget())) b->click(); }

void CEdit::SetReadOnly(BOOL b) { if (auto* e = qobject_cast<QLineEdit*>(GetWidget())) e->setReadOnly(b); }
void CEdit::LimitText(int n) { if (auto* e = qobject_cast<QLineEdit*>(GetWidget())) e->setMaxLength(n > 0 ? n : 32767); }
void CEdit::SetSel(int s, int e)
{
    auto* ed = qobject_cast<QLineEdit*>(GetWidget());
    if (!ed) return;
    if (s == 0 && e == -1) ed->selectAll();
    else if (s < 0) ed->deselect();
    else ed->setSelection(s, e - s);
}
void CEdit::ReplaceSel(const QString& t) { if (auto* e = qobject_cast<QLineEdit*>(GetWidget())) e->insert(t); }
void CEdit::Paste() { if (auto* e = qobject_cast<QLineEdit*>(GetWidget())) e->paste(); }

void CEdit::SetAllowedChars(const QString& chars)
{
    auto* e = qobject_cast<QLineEdit*>(GetWidget());
    if (!e)
        return;
    if (chars.isEmpty()) {
        e->setValidator(nullptr);
        return;
    }
    // An insertion with any other character is refused whole.
    const QRegularExpression re(QStringLiteral("[%1]*").arg(QRegularExpression::escape(chars)));
    e->setValidator(new QRegularExpressionValidator(re, e));
}

void CSpinButtonCtrl::SetBuddy(CWnd* pBuddy)
{
    m_pBuddy = pBuddy;
    m_nBuddyID = pBuddy ? int(pBuddy->GetDlgCtrlID()) : 0;
}

CWnd* CSpinButtonCtrl::GetBuddy() const
{
    if (m_pBuddy && !m_pBuddy->GetWidget() && m_nBuddyID != 0)
        if (CWnd* parent = GetParent())
            return parent->GetDlgItem(m_nBuddyID);
    return m_pBuddy;
}

int CSpinButtonCtrl::SetPos(int nPos)
{
    const int old = m_nPos;
    m_nPos = std::clamp(nPos, std::min(m_nLower, m_nUpper), std::max(m_nLower, m_nUpper));
    // A buddy that already shows the number keeps its own layout of it (and does not repaint).
    if (CWnd* buddy = GetBuddy()) {
        bool ok = false;
        const int shown = buddy->GetWindowText().trimmed().toInt(&ok);
        if (!ok || shown != m_nPos)
            buddy->SetWindowText(QString::number(m_nPos));
    }
    return old;
}

int CSpinButtonCtrl::GetPos() const
{
    if (CWnd* buddy = GetBuddy()) {
        bool ok = false;
        const int v = buddy->GetWindowText().trimmed().toInt(&ok);
        if (ok)
            return v;
    }
    return m_nPos;
}

void CSpinButtonCtrl::Step(int nDelta)
{
    m_nPos = GetPos();
    m_nDelta = nDelta;
    m_bRefused = false;
    if (CWnd* owner = GetParent())
        owner->SendMessage(WM_COMMAND, MakeCommand(GetDlgCtrlID(), UDN_DELTAPOS), 0);
    if (m_bRefused)
        return;
    // The buddy's new text notifies its owner.
    SetPos(m_nPos + nDelta);
}

int CComboBox::AddString(const QString& s)
{
    auto* c = qobject_cast<QComboBox*>(GetWidget());
    if (!c) return -1;
    c->addItem(s);
    return c->count() - 1;
}
int CComboBox::InsertString(int i, const QString& s)
{
    auto* c = qobject_cast<QComboBox*>(GetWidget());
    if (!c) return -1;
    if (i < 0 || i > c->count()) i = c->count();
    c->insertItem(i, s);
    return i;
}
void CComboBox::ResetContent() { if (auto* c = qobject_cast<QComboBox*>(GetWidget())) c->clear(); }
int CComboBox::GetCount() const { auto* c = qobject_cast<QComboBox*>(GetWidget()); return c ? c->count() : 0; }
int CComboBox::GetCurSel() const { auto* c = qobject_cast<QComboBox*>(GetWidget()); return c ? c->currentIndex() : -1; }
int CComboBox::SetCurSel(int n)
{
    auto* c = qobject_cast<QComboBox*>(GetWidget());
    if (!c || n >= c->count()) return -1;
    c->setCurrentIndex(n);
    return n;
}
void CComboBox::GetLBText(int i, QString& s) const
{
    auto* c = qobject_cast<QComboBox*>(GetWidget());
    s = c && i >= 0 && i < c->count() ? c->itemText(i) : QString();
}

int CListBox::AddString(const QString& s)
{
    auto* l = qobject_cast<QListWidget*>(GetWidget());
    if (!l) return -1;
    l->addItem(s);
    return l->count() - 1;
}
void CListBox::ResetContent() { if (auto* l = qobject_cast<QListWidget*>(GetWidget())) l->clear(); }
int CListBox::GetCount() const { auto* l = qobject_cast<QListWidget*>(GetWidget()); return l ? l->count() : 0; }
int CListBox::GetCurSel() const { auto* l = qobject_cast<QListWidget*>(GetWidget()); return l ? l->currentRow() : -1; }
int CListBox::SetCurSel(int n)
{
    auto* l = qobject_cast<QListWidget*>(GetWidget());
    if (!l || n >= l->count()) return -1;
    l->setCurrentRow(n);
    return n;
}
void CListBox::GetText(int i, QString& s) const
{
    auto* l = qobject_cast<QListWidget*>(GetWidget());
    s = l && i >= 0 && i < l->count() ? l->item(i)->text() : QString();
}

void CSliderCtrl::SetRange(int a, int b, BOOL) { if (auto* s = qobject_cast<QAbstractSlider*>(GetWidget())) s->setRange(a, b); }
void CSliderCtrl::SetPos(int p) { if (auto* s = qobject_cast<QAbstractSlider*>(GetWidget())) s->setValue(p); }
int CSliderCtrl::GetPos() const { auto* s = qobject_cast<QAbstractSlider*>(GetWidget()); return s ? s->value() : 0; }
void CSliderCtrl::SetTicFreq(int nFreq)
{
    if (auto* s = qobject_cast<QSlider*>(GetWidget())) {
        s->setTickPosition(QSlider::TicksBelow);
        s->setTickInterval(nFreq);
    }
}

// ---- template host ----

bool CTemplateHost::Build(CWnd* owner, UINT nIDTemplate)
{
    m_controls.clear();
    m_pTemplate = AfxFindDialogTemplate(nIDTemplate);
    QWidget* host = owner->GetWidget();
    if (!m_pTemplate || !host)
        return false;
    const DialogTemplate& t = *m_pTemplate;
    if (!t.fontFace.isEmpty()) {
        host->setFont(AfxScreenPointFont(t.fontFace, t.pointSize > 0 ? t.pointSize : 9, host));
        host->setProperty(kNamedFaceProperty, t.fontFace);
    }
    auto* grid = new QGridLayout(host);
    grid->setContentsMargins(4, 4, 4, 4);
    grid->setSpacing(3);
    std::map<int, QGridLayout*> groupLayouts;
    QButtonGroup* radioGroup = nullptr;
    RadioTabStop* radioStop = nullptr;

    auto notify = [owner](UINT id, UINT code) { owner->SendMessage(WM_COMMAND, MakeCommand(id, code), 0); };

    for (const ControlTemplate& c : t.controls) {
        QWidget* parent = host;
        QGridLayout* layout = grid;
        if (c.group) {
            auto it = groupLayouts.find(c.group);
            if (it != groupLayouts.end()) {
                layout = it->second;
                parent = layout->parentWidget();
            }
        }
        QWidget* w = nullptr;
        std::unique_ptr<CWnd> wnd;
        const UINT id = UINT(c.id);
        if (c.kind != CtlKind::RadioButton || (c.flags & CF_GROUP))
            radioGroup = nullptr;
        switch (c.kind) {
        case CtlKind::Static: {
            auto* l = new QLabel(c.text, parent);
            l->setAlignment(AlignmentOf(c.flags));
            if (c.flags & CF_BORDER) l->setFrameShape(QFrame::Panel), l->setFrameShadow(QFrame::Sunken);
            w = l; wnd = std::make_unique<CStatic>();
            break;
        }
        case CtlKind::Picture: {
            auto* l = new QLabel(parent);
            l->setAlignment(Qt::AlignCenter);
            ShowResourceImage(l, c);
            w = l; wnd = std::make_unique<CStatic>();
            break;
        }
        case CtlKind::Edit: {
            auto* e = new QLineEdit(c.text, parent);
            e->setReadOnly(c.flags & CF_READONLY);
            e->setAlignment(AlignmentOf(c.flags));
            // Text set by code notifies as typing does; a handler that sets the same edit's text
            // again is not notified of its own change.
            QObject::connect(e, &QLineEdit::textChanged, e, [notify, id, e] {
                if (e->property("mvNotifying").toBool())
                    return;
                e->setProperty("mvNotifying", true);
                notify(id, EN_CHANGE);
                e->setProperty("mvNotifying", false);
            });
            QObject::connect(e, &QLineEdit::editingFinished, e, [notify, id] { notify(id, EN_KILLFOCUS); });
            w = e; wnd = std::make_unique<CEdit>();
            break;
        }
        case CtlKind::PushButton:
        case CtlKind::CheckBox:
        case CtlKind::RadioButton: {
            QAbstractButton* b = nullptr;
            if (c.kind == CtlKind::PushButton || (c.flags & CF_PUSHLIKE)) {
                auto* pb = new QPushButton(c.text, parent);
                pb->setAutoDefault(false);
                if (c.flags & CF_DEFAULT) pb->setDefault(true);
                if (c.kind != CtlKind::PushButton) pb->setCheckable(true);
                if (c.flags & CF_ALIGN_LEFT) pb->setStyleSheet(QStringLiteral("text-align: left; padding-left: 4px;"));
                b = pb;
            } else if (c.kind == CtlKind::CheckBox) {
                b = new QCheckBox(c.text, parent);
            } else {
                b = new QRadioButton(c.text, parent);
            }
            if (c.kind == CtlKind::RadioButton) {
                if (!radioGroup) {
                    radioGroup = new QButtonGroup(host);
                    radioGroup->setExclusive(true);
                    radioStop = new RadioTabStop(radioGroup);
                }
                b->setAutoExclusive(false);
                radioGroup->addButton(b);
                radioStop->Watch(b);
            }
            QObject::connect(b, &QAbstractButton::clicked, b, [notify, id] { notify(id, BN_CLICKED); });
            w = b; wnd = std::make_unique<CButton>();
            break;
        }
        case CtlKind::GroupBox: {
            auto* g = new QGroupBox(c.text, parent);
            g->setProperty("mvNotParent", true);    // a frame around controls, not their owner
            auto* gl = new QGridLayout(g);
            gl->setContentsMargins(6, 6, 6, 6);
            gl->setSpacing(3);
            groupLayouts[c.id] = gl;
            w = g; wnd = std::make_unique<CStatic>();
            break;
        }
        case CtlKind::ComboBox:
        case CtlKind::DropList: {
            auto* cb = new QComboBox(parent);
            cb->setEditable(c.kind == CtlKind::ComboBox);
            QObject::connect(cb, &QComboBox::activated, cb, [notify, id] { notify(id, CBN_SELCHANGE); });
            w = cb; wnd = std::make_unique<CComboBox>();
            break;
        }
        case CtlKind::ListBox: {
            auto* lw = new QListWidget(parent);
            QObject::connect(lw, &QListWidget::currentRowChanged, lw, [notify, id] { notify(id, LBN_SELCHANGE); });
            w = lw; wnd = std::make_unique<CListBox>();
            break;
        }
        case CtlKind::Spin: {
            auto* box = new QWidget(parent);
            const bool horz = (c.flags & CF_HORZ) != 0;
            QBoxLayout* v = horz ? static_cast<QBoxLayout*>(new QHBoxLayout(box)) : new QVBoxLayout(box);
            v->setContentsMargins(0, 0, 0, 0);
            v->setSpacing(0);
            auto spin = std::make_unique<CSpinButtonCtrl>();
            CSpinButtonCtrl* pSpin = spin.get();
            const int deltas[2] = {horz ? -1 : 1, horz ? 1 : -1};
            for (int delta : deltas) {
                auto* arrow = new QToolButton(box);
                if (horz)
                    arrow->setArrowType(delta > 0 ? Qt::RightArrow : Qt::LeftArrow);
                else
                    arrow->setArrowType(delta > 0 ? Qt::UpArrow : Qt::DownArrow);
                arrow->setAutoRepeat(true);
                if (horz)
                    arrow->setFixedSize(16, 16);
                else
                    arrow->setFixedSize(16, 11);
                arrow->setFocusPolicy(Qt::NoFocus);     // the buddy edit is the one Tab stop
                QObject::connect(arrow, &QToolButton::clicked, box, [pSpin, delta] { pSpin->Step(delta); });
                v->addWidget(arrow);
            }
            // The control before it in the template is its buddy.
            if (!m_controls.empty() && dynamic_cast<CEdit*>(m_controls.back().get()))
                pSpin->SetBuddy(m_controls.back().get());
            w = box; wnd = std::move(spin);
            break;
        }
        case CtlKind::Slider:
        case CtlKind::ScrollBar: {
            const Qt::Orientation o = (c.flags & CF_VERTICAL) ? Qt::Vertical : Qt::Horizontal;
            QAbstractSlider* s = c.kind == CtlKind::Slider ? static_cast<QAbstractSlider*>(new QSlider(o, parent))
                                                           : static_cast<QAbstractSlider*>(new QScrollBar(o, parent));
            w = s; wnd = std::make_unique<CSliderCtrl>();
            // A move by the user (not by SetPos) tells the owner, with the new position.
            const UINT msg = o == Qt::Vertical ? WM_VSCROLL : WM_HSCROLL;
            CWnd* ctl = wnd.get();
            QObject::connect(s, &QAbstractSlider::actionTriggered, s, [s] {
                s->setProperty("mvUserMove", s->sliderPosition() != s->value());
            });
            QObject::connect(s, &QAbstractSlider::valueChanged, s, [s, owner, ctl, msg](int pos) {
                if (!s->property("mvUserMove").toBool())
                    return;
                s->setProperty("mvUserMove", false);
                owner->SendMessage(msg, WPARAM(SB_THUMBPOSITION) | (WPARAM(pos & 0xFFFF) << 16), LPARAM(ctl));
            });
            break;
        }
        case CtlKind::Custom: {
            auto* f = new QFrame(parent);
            f->setFrameShape(QFrame::StyledPanel);
            w = f; wnd = std::make_unique<CWnd>();
            break;
        }
        }
        if (c.flags & CF_DISABLED) w->setEnabled(false);
        if (c.cx > 0) w->setMinimumWidth(DialogUnitsToPixelsX(w, c.cx));
        if (c.cx > 0 && (c.flags & CF_FIXEDWIDTH)) w->setMaximumWidth(DialogUnitsToPixelsX(w, c.cx));
        if (c.cy > 0 && c.kind != CtlKind::GroupBox) w->setMinimumHeight(DialogUnitsToPixelsY(w, c.cy));
        w->setObjectName(QStringLiteral("ctl%1").arg(c.id));
        layout->addWidget(w, c.row, c.col, c.rowSpan, c.colSpan);
        if (c.flags & CF_KEEPPLACE) {
            QSizePolicy policy = w->sizePolicy();
            policy.setRetainSizeWhenHidden(true);
            w->setSizePolicy(policy);
        }
        if (c.flags & CF_HIDDEN) w->hide();
        wnd->Attach(w, id);
        m_controls.push_back(std::move(wnd));
    }
    // Controls keep their size and gather at the top left, as on a dialog page.
    grid->setRowStretch(grid->rowCount(), 1);
    grid->setColumnStretch(grid->columnCount(), 1);
    return true;
}

CWnd* CTemplateHost::Control(int nID) const
{
    for (const auto& c : m_controls)
        if (c->GetWidget() && int(c->GetDlgCtrlID()) == nID)
            return c.get();
    return nullptr;
}

std::vector<int> CTemplateHost::RadioGroup(int nID) const
{
    std::vector<int> ids;
    if (!m_pTemplate)
        return ids;
    bool in = false;
    for (const ControlTemplate& c : m_pTemplate->controls) {
        if (!in) {
            if (c.id == nID) in = true;
            else continue;
        } else if (c.kind != CtlKind::RadioButton || (c.flags & CF_GROUP)) {
            break;
        }
        ids.push_back(c.id);
    }
    return ids;
}

// ---- dialog ----

CDialog::CDialog(UINT nIDTemplate, CWnd* pParent) : m_pParentWnd(pParent), m_nIDTemplate(nIDTemplate) {}

CDialog::~CDialog()
{
    if (GetWidget())
        DestroyWindow();
}

BOOL CDialog::BuildWindow(CWnd* pParent)
{
    QWidget* parent = pParent ? pParent->GetWidget() : nullptr;
    auto* w = new DialogWidget(this, parent);
    const DialogTemplate* t = AfxFindDialogTemplate(m_nIDTemplate);
    if (!t) {
        delete w;
        return FALSE;
    }
    w->setWindowTitle(t->caption);
    SetWidget(w);
    m_host.Build(this, m_nIDTemplate);
    AfxMakeDialogWindow(w);
    return TRUE;
}

int CDialog::DoModal()
{
    if (!BuildWindow(m_pParentWnd))
        return -1;
    m_bModal = true;
    m_nModalResult = -1;
    auto* w = static_cast<QDialog*>(GetWidget());
    if (!OnInitDialog()) {}
    if (m_nModalResult == -1) {
        if (const ModalHook& hook = AfxGetModalHook()) {
            // Tests drive the dialog from inside its modal loop.
            QTimer::singleShot(0, w, [this, hook] { hook(this); });
        }
        w->setModal(true);
        w->show();
        QEventLoop loop;
        QObject::connect(w, &QDialog::finished, &loop, &QEventLoop::quit);
        if (m_nModalResult == -1)
            loop.exec(QEventLoop::DialogExec);
    }
    const int result = m_nModalResult;
    m_bModal = false;
    QWidget* gone = Detach();
    m_host.Clear();
    delete gone;
    return result;
}

BOOL CDialog::Create(UINT nIDTemplate, CWnd* pParent)
{
    if (nIDTemplate)
        m_nIDTemplate = nIDTemplate;
    if (!pParent)
        pParent = m_pParentWnd;
    if (!BuildWindow(pParent))
        return FALSE;
    AfxMakeDialogWindow(GetWidget(), Qt::Tool);
    OnInitDialog();
    return TRUE;
}

void CDialog::SetApplicationModal(BOOL bModal)
{
    if (QWidget* w = GetWidget())
        w->setWindowModality(bModal ? Qt::ApplicationModal : Qt::NonModal);
}

void CDialog::EnableCloseButton(BOOL bEnable)
{
    QWidget* w = GetWidget();
    if (!w)
        return;
    const bool shown = w->isVisible();
    Qt::WindowFlags flags = w->windowFlags();
    flags.setFlag(Qt::WindowCloseButtonHint, bEnable);
    flags.setFlag(Qt::WindowSystemMenuHint, bEnable);
    w->setWindowFlags(flags);
    if (shown)
        w->show();      // new flags hide the window
}

void CDialog::EndDialog(int nResult)
{
    m_nModalResult = nResult;
    if (auto* w = qobject_cast<QDialog*>(GetWidget())) {
        if (m_bModal)
            w->done(nResult);
        else
            w->hide();
    }
}

BOOL CDialog::UpdateData(BOOL bSaveAndValidate)
{
    CDataExchange dx(this, bSaveAndValidate);
    try {
        DoDataExchange(&dx);
    } catch (const CDataExchange*) {
        if (CWnd* ctl = GetDlgItem(dx.m_idLastControl)) {
            ctl->SetFocus();
            if (auto* e = dynamic_cast<CEdit*>(ctl))
                e->SetSel(0, -1);
        }
        return FALSE;
    }
    return TRUE;
}

void CDataExchange::Fail() { throw this; }

BOOL AfxRunDataExchange(CWnd* pWnd, BOOL bSaveAndValidate, const std::function<void(CDataExchange*)>& exchange)
{
    CDataExchange dx(pWnd, bSaveAndValidate);
    try {
        exchange(&dx);
    } catch (const CDataExchange*) {
        return FALSE;
    }
    return TRUE;
}

BOOL CDialog::OnInitDialog()
{
    UpdateData(FALSE);
    return TRUE;
}

void CDialog::OnOK()
{
    if (!UpdateData(TRUE))
        return;
    EndDialog(IDOK);
}

void CDialog::OnCancel() { EndDialog(IDCANCEL); }

void CDialog::OnNotify(UINT nID, UINT nCode, std::function<void()> fn) { m_notify[{nID, nCode}] = std::move(fn); }

BOOL CDialog::OnControlNotify(UINT nID, UINT nCode)
{
    auto it = m_notify.find({nID, nCode});
    if (it == m_notify.end())
        return FALSE;
    auto fn = it->second;
    fn();
    return TRUE;
}

BOOL CDialog::OnCommand(WPARAM wParam, LPARAM)
{
    const UINT id = UINT(wParam & 0xFFFF);
    const UINT code = UINT((wParam >> 16) & 0xFFFF);
    if (OnControlNotify(id, code))
        return TRUE;
    if (code != BN_CLICKED)
        return FALSE;
    if (OnCmdMsg(id, CN_COMMAND, nullptr))
        return TRUE;
    if (id == IDOK) { OnOK(); return TRUE; }
    if (id == IDCANCEL) { OnCancel(); return TRUE; }
    return FALSE;
}

// ---- data exchange ----

namespace {

CWnd* PrepareCtrl(CDataExchange* pDX, int nIDC)
{
    pDX->m_idLastControl = nIDC;
    return pDX->m_pDlgWnd->GetDlgItem(nIDC);
}

QString TextOf(CWnd* w) { return w ? w->GetWindowText() : QString(); }

bool ParseInt(const QString& s, long long& out)
{
    const QByteArray b = s.trimmed().toLatin1();
    if (b.isEmpty()) return false;
    char* end = nullptr;
    out = std::strtoll(b.constData(), &end, 10);
    return end && *end == '\0';
}

bool ParseDouble(const QString& s, double& out)
{
    const QString t = s.trimmed();
    if (t.isEmpty()) return false;
    bool ok = false;
    out = t.toDouble(&ok);     // QString::toDouble is locale independent
    return ok;
}

}

void DDX_Text(CDataExchange* pDX, int nIDC, int& value)
{
    CWnd* w = PrepareCtrl(pDX, nIDC);
    if (pDX->m_bSaveAndValidate) {
        long long v = 0;
        if (!ParseInt(TextOf(w), v) || v < INT32_MIN || v > INT32_MAX) {
            AfxMessageBox(QStringLiteral("整数を入力してください。"), MB_ICONEXCLAMATION);
            pDX->Fail();
        }
        value = int(v);
    } else if (w) {
        w->SetWindowText(AfxFormat("%d", value));
    }
}

void DDX_Text(CDataExchange* pDX, int nIDC, UINT& value)
{
    CWnd* w = PrepareCtrl(pDX, nIDC);
    if (pDX->m_bSaveAndValidate) {
        long long v = 0;
        if (!ParseInt(TextOf(w), v) || v < 0 || v > UINT32_MAX) {
            AfxMessageBox(QStringLiteral("正の整数を入力してください。"), MB_ICONEXCLAMATION);
            pDX->Fail();
        }
        value = UINT(v);
    } else if (w) {
        w->SetWindowText(AfxFormat("%u", value));
    }
}

void DDX_Text(CDataExchange* pDX, int nIDC, double& value)
{
    CWnd* w = PrepareCtrl(pDX, nIDC);
    if (pDX->m_bSaveAndValidate) {
        double v = 0;
        if (!ParseDouble(TextOf(w), v)) {
            AfxMessageBox(QStringLiteral("数値を入力してください。"), MB_ICONEXCLAMATION);
            pDX->Fail();
        }
        value = v;
    } else if (w) {
        w->SetWindowText(AfxFormat("%.*g", DBL_DIG, value));
    }
}

void DDX_Text(CDataExchange* pDX, int nIDC, QString& value)
{
    CWnd* w = PrepareCtrl(pDX, nIDC);
    if (pDX->m_bSaveAndValidate) value = TextOf(w);
    else if (w) w->SetWindowText(value);
}

void DDX_Check(CDataExchange* pDX, int nIDC, int& value)
{
    auto* b = dynamic_cast<CButton*>(PrepareCtrl(pDX, nIDC));
    if (!b) return;
    if (pDX->m_bSaveAndValidate) value = b->GetCheck();
    else b->SetCheck(value);
}

void DDX_Radio(CDataExchange* pDX, int nIDC, int& value)
{
    PrepareCtrl(pDX, nIDC);
    std::vector<int> ids{nIDC};
    if (auto* dlg = dynamic_cast<CDialog*>(pDX->m_pDlgWnd))
        ids = dlg->m_host.RadioGroup(nIDC);
    else if (auto* bar = dynamic_cast<CDialogBar*>(pDX->m_pDlgWnd))
        ids = bar->RadioGroup(nIDC);
    else if (auto* form = dynamic_cast<CFormView*>(pDX->m_pDlgWnd))
        ids = form->RadioGroup(nIDC);
    if (pDX->m_bSaveAndValidate) value = -1;
    for (size_t i = 0; i < ids.size(); ++i) {
        auto* b = dynamic_cast<CButton*>(pDX->m_pDlgWnd->GetDlgItem(ids[i]));
        if (!b) continue;
        if (pDX->m_bSaveAndValidate) {
            if (b->GetCheck()) value = int(i);
        } else {
            b->SetCheck(int(i) == value);
        }
    }
}

void DDX_CBIndex(CDataExchange* pDX, int nIDC, int& value)
{
    auto* c = dynamic_cast<CComboBox*>(PrepareCtrl(pDX, nIDC));
    if (!c) return;
    if (pDX->m_bSaveAndValidate) value = c->GetCurSel();
    else c->SetCurSel(value);
}

void DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl)
{
    if (!rControl.GetWidget())
        rControl.SubclassDlgItem(UINT(nIDC), pDX->m_pDlgWnd);
}

void DDV_MinMaxInt(CDataExchange* pDX, int value, int minVal, int maxVal)
{
    if (!pDX->m_bSaveAndValidate || (value >= minVal && value <= maxVal))
        return;
    AfxMessageBox(AfxFormat("%d から %d までの整数を入力してください。", minVal, maxVal), MB_ICONEXCLAMATION);
    pDX->Fail();
}

void DDV_MinMaxDouble(CDataExchange* pDX, double const& value, double minVal, double maxVal)
{
    if (!pDX->m_bSaveAndValidate || (value >= minVal && value <= maxVal))
        return;
    AfxMessageBox(AfxFormat("%.*g から %.*g までの数値を入力してください。", DBL_DIG, minVal, DBL_DIG, maxVal),
                  MB_ICONEXCLAMATION);
    pDX->Fail();
}

void DDV_MaxChars(CDataExchange* pDX, const QString& value, int nChars)
{
    if (!pDX->m_bSaveAndValidate || value.size() <= nChars)
        return;
    AfxMessageBox(AfxFormat("%d 文字以下で入力してください。", nChars), MB_ICONEXCLAMATION);
    pDX->Fail();
}

void DDV_CP932Text(CDataExchange* pDX, const QString& value, const QString& where)
{
    if (!pDX->m_bSaveAndValidate)
        return;
    const QString bad = AfxFirstNonCP932Char(value);
    if (bad.isEmpty())
        return;
    AfxMessageBox(where + QStringLiteral("「%1」はデータファイルに保存できない文字です。\n別の文字に置き換えて下さい。").arg(bad),
                  MB_ICONEXCLAMATION);
    pDX->Fail();
}
