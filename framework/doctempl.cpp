#include "framework/doctempl.h"
#include "framework/document.h"
#include "framework/frame.h"
#include "framework/resource.h"
#include "framework/view.h"
#include "framework/app.h"

#include <QFileInfo>
#include <algorithm>

IMPLEMENT_DYNAMIC(CDocTemplate, CCmdTarget)

CDocTemplate::CDocTemplate(UINT nIDResource, const CRuntimeClass* pDocClass, const CRuntimeClass* pFrameClass,
                           const CRuntimeClass* pViewClass)
    : m_nIDResource(nIDResource), m_pDocClass(pDocClass), m_pFrameClass(pFrameClass), m_pViewClass(pViewClass)
{
}

BOOL CDocTemplate::GetDocString(QString& rString, DocStringIndex index) const
{
    const QStringList parts = AfxLoadString(m_nIDResource).split(QLatin1Char('\n'));
    rString = int(index) < parts.size() ? parts[int(index)] : QString();
    return !rString.isEmpty();
}

bool CDocTemplate::MatchesExtension(const QString& path) const
{
    QString ext;
    if (!GetDocString(ext, filterExt))
        return false;
    return path.endsWith(ext, Qt::CaseInsensitive);
}

void CDocTemplate::AddDocument(CDocument* pDoc)
{
    m_docList.push_back(pDoc);
    pDoc->m_pDocTemplate = this;
}

void CDocTemplate::RemoveDocument(CDocument* pDoc)
{
    auto it = std::find(m_docList.begin(), m_docList.end(), pDoc);
    if (it != m_docList.end())
        m_docList.erase(it);
}

CDocument* CDocTemplate::CreateNewDocument()
{
    CObject* obj = m_pDocClass ? m_pDocClass->CreateObject() : nullptr;
    auto* doc = dynamic_cast<CDocument*>(obj);
    if (!doc) {
        delete obj;
        return nullptr;
    }
    AddDocument(doc);
    return doc;
}

CFrameWnd* CDocTemplate::CreateNewFrame(CDocument* pDoc, CFrameWnd*)
{
    CObject* obj = m_pFrameClass ? m_pFrameClass->CreateObject() : nullptr;
    auto* frame = dynamic_cast<CMDIChildWnd*>(obj);
    if (!frame) {
        delete obj;
        return nullptr;
    }
    CCreateContext context;
    context.m_pCurrentDoc = pDoc;
    context.m_pNewViewClass = m_pViewClass;
    context.m_pNewDocTemplate = this;
    if (!frame->LoadFrame(m_nIDResource, FWS_ADDTOTITLE, AfxGetMainWnd(), &context))
        return nullptr;     // a frame that failed to load deleted itself
    return frame;
}

void CDocTemplate::InitialUpdateFrame(CFrameWnd* pFrame, CDocument* pDoc, BOOL bMakeVisible)
{
    pFrame->InitialUpdateFrame(pDoc, bMakeVisible);
}

void CDocTemplate::SetDefaultTitle(CDocument* pDoc)
{
    QString name;
    if (!GetDocString(name, docName) || name.isEmpty())
        name = CDocument::UntitledName();
    pDoc->SetTitle(name + QString::number(++m_nUntitledCount));
}

CDocument* CDocTemplate::OpenDocumentFile(const QString& path, BOOL bMakeVisible)
{
    if (path.isEmpty())
        return MakeDocument(path, bMakeVisible, [this](CDocument* doc) {
            SetDefaultTitle(doc);
            return doc->OnNewDocument();
        });
    return MakeDocument(path, bMakeVisible, [&path](CDocument* doc) { return doc->OnOpenDocument(path); });
}

CDocument* CDocTemplate::NewDocumentFor(const QString& path, BOOL bMakeVisible)
{
    return MakeDocument(path, bMakeVisible, [](CDocument* doc) { return doc->OnNewDocument(); });
}

CDocument* CDocTemplate::MakeDocument(const QString& path, BOOL bMakeVisible,
                                      const std::function<BOOL(CDocument*)>& start)
{
    CDocument* doc = CreateNewDocument();
    if (!doc)
        return nullptr;
    // On failure the document goes with us, not with its last view.
    doc->m_bAutoDelete = FALSE;
    CFrameWnd* frame = CreateNewFrame(doc, nullptr);
    if (!frame) {
        delete doc;
        return nullptr;
    }
    if (!start(doc)) {
        frame->DestroyWindow();
        delete doc;
        return nullptr;
    }
    doc->m_bAutoDelete = TRUE;
    if (!path.isEmpty())
        doc->SetPathName(path);
    InitialUpdateFrame(frame, doc, bMakeVisible);
    return doc;
}

void CDocTemplate::CloseAllDocuments(BOOL)
{
    const std::vector<CDocument*> docs = m_docList;
    for (CDocument* d : docs)
        d->OnCloseDocument();
}
