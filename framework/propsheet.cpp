#include "framework/propsheet.h"
#include "framework/wnd_p.h"

#include <QDialog>
#include <QTabWidget>
#include <QVBoxLayout>

IMPLEMENT_DYNAMIC(CPropertyPage, CDialog)
IMPLEMENT_DYNAMIC(CPropertySheet, CWnd)

BOOL CPropertyPage::CreatePage(CWnd* pSheet)
{
    auto* w = new QWidget(pSheet ? pSheet->GetWidget() : nullptr);
    SetWidget(w);
    m_host.Build(this, m_nIDTemplate);
    OnInitDialog();
    return TRUE;
}

CPropertySheet::CPropertySheet(const QString& caption, CWnd* pParent, UINT iSelectPage)
    : m_strCaption(caption), m_pParentWnd(pParent), m_nActive(int(iSelectPage))
{
}

BOOL CPropertySheet::Create(CWnd* pParent)
{
    if (!pParent)
        pParent = m_pParentWnd;
    auto* w = new QDialog(pParent ? pParent->GetWidget() : nullptr);
    w->setWindowTitle(m_strCaption);
    auto* layout = new QVBoxLayout(w);
    AfxMakeDialogWindow(w, Qt::Tool);
    auto* tabs = new QTabWidget(w);
    tabs->setObjectName(QStringLiteral("pages"));
    layout->addWidget(tabs);
    SetWidget(w);
    for (CPropertyPage* p : m_pages) {
        p->CreatePage(this);
        const DialogTemplate* t = p->m_host.Template();
        tabs->addTab(p->GetWidget(), t ? t->caption : QString());
    }
    QObject::connect(tabs, &QTabWidget::currentChanged, w, [this](int i) { m_nActive = i; });
    SetActivePage(m_nActive);
    return TRUE;
}

BOOL CPropertySheet::SetActivePage(int nPage)
{
    if (nPage < 0 || (!m_pages.empty() && nPage >= GetPageCount()))
        return FALSE;
    m_nActive = nPage;
    if (auto* tabs = GetWidget() ? GetWidget()->findChild<QTabWidget*>(QStringLiteral("pages")) : nullptr) {
        if (nPage < tabs->count())
            tabs->setCurrentIndex(nPage);
    }
    if (CPropertyPage* p = GetPage(nPage))
        p->OnSetActive();
    return TRUE;
}
