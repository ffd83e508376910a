#include "framework/document.h"
#include "framework/archive.h"
#include "framework/doctempl.h"
#include "framework/frame.h"
#include "framework/msgbox.h"
#include "framework/view.h"
#include "framework/app.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <algorithm>

IMPLEMENT_DYNAMIC(CDocument, CCmdTarget)

CDocument::CDocument() = default;

CDocument::~CDocument()
{
    if (m_pDocTemplate)
        m_pDocTemplate->RemoveDocument(this);
}

QString CDocument::UntitledName() { return QStringLiteral("無題"); }

void CDocument::SetTitle(const QString& title)
{
    m_strTitle = title;
    for (CView* v : m_viewList)
        if (CFrameWnd* f = v->GetParentFrame())
            f->OnUpdateFrameTitle(TRUE);
}

void CDocument::SetPathName(const QString& path, BOOL)
{
    m_strPathName = QFileInfo(path).absoluteFilePath();
    SetTitle(QFileInfo(path).completeBaseName());
}

void CDocument::AddView(CView* pView)
{
    m_viewList.push_back(pView);
    pView->m_pDocument = this;
}

void CDocument::RemoveView(CView* pView)
{
    auto it = std::find(m_viewList.begin(), m_viewList.end(), pView);
    if (it == m_viewList.end())
        return;
    m_viewList.erase(it);
    pView->m_pDocument = nullptr;
    if (!m_bClosing)
        UpdateFrameCounts();
    OnChangedViewList();
}

void CDocument::OnChangedViewList()
{
    // The last view gone closes the document.
    if (m_viewList.empty() && m_bAutoDelete && !m_bClosing)
        OnCloseDocument();
}

void CDocument::UpdateFrameCounts()
{
    std::vector<CFrameWnd*> frames;
    for (CView* v : m_viewList)
        if (CFrameWnd* f = v->GetParentFrame())
            if (std::find(frames.begin(), frames.end(), f) == frames.end())
                frames.push_back(f);
    for (size_t i = 0; i < frames.size(); ++i) {
        const int n = frames.size() > 1 ? int(i) + 1 : 0;
        if (frames[i]->m_nWindow != n) {
            frames[i]->m_nWindow = n;
            frames[i]->OnUpdateFrameTitle(TRUE);
        }
    }
}

void CDocument::UpdateAllViews(CView* pSender, LPARAM lHint, CObject* pHint)
{
    const std::vector<CView*> views = m_viewList;
    for (CView* v : views)
        if (v != pSender)
            v->OnUpdate(pSender, lHint, pHint);
}

BOOL CDocument::OnNewDocument()
{
    DeleteContents();
    m_strPathName.clear();
    SetModifiedFlag(FALSE);
    return TRUE;
}

BOOL CDocument::ReadFile(const QString& path, const std::function<void(CArchive&)>& read)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        AfxMessageBox(QStringLiteral("%1 を開けません。").arg(QFileInfo(path).fileName()), MB_ICONEXCLAMATION);
        return FALSE;
    }
    try {
        CArchive ar(&file, CArchive::load);
        read(ar);
        ar.Close();
    } catch (const CArchiveException& e) {
        AfxMessageBox(e.m_strMessage.isEmpty() ? QStringLiteral("予期しないファイル形式です。") : e.m_strMessage,
                      MB_ICONEXCLAMATION);
        return FALSE;
    }
    return TRUE;
}

BOOL CDocument::OnOpenDocument(const QString& path)
{
    bool read = false;
    const BOOL ok = ReadFile(path, [this, &read](CArchive& ar) {
        read = true;
        DeleteContents();
        Serialize(ar);
    });
    if (!ok) {
        if (read)
            DeleteContents();
        return FALSE;
    }
    SetModifiedFlag(FALSE);
    return TRUE;
}

BOOL CDocument::OnSaveDocument(const QString& path)
{
    // Written beside the old file and renamed over it only when complete.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        AfxMessageBox(QStringLiteral("%1 に保存できません。").arg(QFileInfo(path).fileName()), MB_ICONEXCLAMATION);
        return FALSE;
    }
    try {
        CArchive ar(&file, CArchive::store);
        Serialize(ar);
        ar.Close();
    } catch (const CArchiveException&) {
        file.cancelWriting();
        AfxMessageBox(QStringLiteral("%1 に保存できません。").arg(QFileInfo(path).fileName()), MB_ICONEXCLAMATION);
        return FALSE;
    }
    if (!file.commit()) {
        AfxMessageBox(QStringLiteral("%1 に保存できません。").arg(QFileInfo(path).fileName()), MB_ICONEXCLAMATION);
        return FALSE;
    }
    SetModifiedFlag(FALSE);
    return TRUE;
}

void CDocument::OnCloseDocument()
{
    m_bClosing = true;
    // Destroy every frame that shows this document.
    std::vector<CFrameWnd*> frames;
    for (CView* v : m_viewList)
        if (CFrameWnd* f = v->GetParentFrame())
            if (std::find(frames.begin(), frames.end(), f) == frames.end())
                frames.push_back(f);
    for (CFrameWnd* f : frames)
        f->DestroyWindow();
    DeleteContents();
    delete this;
}

BOOL CDocument::SaveModified()
{
    if (!IsModified())
        return TRUE;
    QString name = m_strPathName.isEmpty() ? m_strTitle : QFileInfo(m_strPathName).fileName();
    switch (AfxMessageBox(QStringLiteral("%1 への変更を保存しますか?").arg(name), MB_YESNOCANCEL | MB_ICONEXCLAMATION)) {
    case IDCANCEL: return FALSE;
    case IDYES: return DoFileSave();
    default: return TRUE;
    }
}

BOOL CDocument::CanCloseFrame(CFrameWnd* pFrame)
{
    // Only the last frame of the document asks.
    for (CView* v : m_viewList)
        if (v->GetParentFrame() != pFrame)
            return TRUE;
    return SaveModified();
}

BOOL CDocument::DoFileSave()
{
    if (m_strPathName.isEmpty() || !QFileInfo(m_strPathName).isWritable())
        return DoSave(QString());
    return DoSave(m_strPathName);
}

BOOL CDocument::DoSave(const QString& path, BOOL bReplace)
{
    QString target = path;
    if (target.isEmpty()) {
        QString name = m_strPathName.isEmpty() ? m_strTitle : m_strPathName;
        QString filter, ext;
        if (m_pDocTemplate) {
            m_pDocTemplate->GetDocString(filter, CDocTemplate::filterName);
            m_pDocTemplate->GetDocString(ext, CDocTemplate::filterExt);
        }
        if (!ext.isEmpty() && !name.endsWith(ext, Qt::CaseInsensitive))
            name += ext;
        if (!AfxGetApp()->DoPromptFileName(target, name, FALSE, filter))
            return FALSE;
        if (!ext.isEmpty() && QFileInfo(target).suffix().isEmpty())
            target += ext;
    }
    if (!OnSaveDocument(target))
        return FALSE;
    if (bReplace)
        SetPathName(target);
    return TRUE;
}

BOOL CDocument::OnCmdMsg(UINT nID, int nCode, CCmdUI* pCmdUI)
{
    if (DispatchOwn(nID, nCode, pCmdUI))
        return TRUE;
    // The framework's own document commands.
    if (nID == 57603 || nID == 57604) {     // save, save as
        if (nCode == CN_COMMAND) {
            if (nID == 57603) DoFileSave();
            else DoSave(QString());
        }
        return nCode != CN_UPDATE_COMMAND_UI;
    }
    if (nID == 57602) {                      // close
        if (nCode == CN_COMMAND && SaveModified())
            OnCloseDocument();
        return nCode != CN_UPDATE_COMMAND_UI;
    }
    return FALSE;
}
