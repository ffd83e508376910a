// Document templates: which document, frame and view classes make one kind of window.
#pragma once

#include <QString>
#include <functional>
#include "framework/cmdtarget.h"

class CDocument;
class CFrameWnd;

class CDocTemplate : public CCmdTarget {
    DECLARE_DYNAMIC(CDocTemplate)
public:
    enum DocStringIndex { windowTitle, docName, fileNewName, filterName, filterExt, regFileTypeId, regFileTypeName };

    CDocTemplate(UINT nIDResource, const CRuntimeClass* pDocClass, const CRuntimeClass* pFrameClass,
                 const CRuntimeClass* pViewClass);

    BOOL GetDocString(QString& rString, DocStringIndex index) const;
    UINT GetResourceId() const { return m_nIDResource; }
    const CRuntimeClass* GetViewClass() const { return m_pViewClass; }
    const CRuntimeClass* GetFrameClass() const { return m_pFrameClass; }
    const CRuntimeClass* GetDocClass() const { return m_pDocClass; }

    virtual CDocument* OpenDocumentFile(const QString& path, BOOL bMakeVisible = TRUE);
    // A new, empty document named after a file whose contents the caller then gives it; it
    // takes no untitled number.
    CDocument* NewDocumentFor(const QString& path, BOOL bMakeVisible = TRUE);
    virtual CDocument* CreateNewDocument();
    virtual CFrameWnd* CreateNewFrame(CDocument* pDoc, CFrameWnd* pOther);
    virtual void InitialUpdateFrame(CFrameWnd* pFrame, CDocument* pDoc, BOOL bMakeVisible = TRUE);
    virtual void SetDefaultTitle(CDocument* pDoc);
    // True when path has this template's file extension.
    bool MatchesExtension(const QString& path) const;

    void AddDocument(CDocument* pDoc);
    void RemoveDocument(CDocument* pDoc);
    const std::vector<CDocument*>& GetDocuments() const { return m_docList; }
    void CloseAllDocuments(BOOL bEndSession);

protected:
    // A document and its frame, started by `start`; named after path unless it is empty.
    CDocument* MakeDocument(const QString& path, BOOL bMakeVisible, const std::function<BOOL(CDocument*)>& start);

    UINT m_nIDResource;
    const CRuntimeClass* m_pDocClass;
    const CRuntimeClass* m_pFrameClass;
    const CRuntimeClass* m_pViewClass;
    std::vector<CDocument*> m_docList;
    UINT m_nUntitledCount = 0;
};

using CMultiDocTemplate = CDocTemplate;
