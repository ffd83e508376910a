// Documents: the data of one open design, with its views and file.
#pragma once

#include <functional>
#include <vector>
#include <QString>
#include "framework/cmdtarget.h"

class CView;
class CDocTemplate;
class CArchive;
class CFrameWnd;

class CDocument : public CCmdTarget {
    DECLARE_DYNAMIC(CDocument)
public:
    CDocument();
    ~CDocument() override;

    const QString& GetTitle() const { return m_strTitle; }
    virtual void SetTitle(const QString& title);
    const QString& GetPathName() const { return m_strPathName; }
    virtual void SetPathName(const QString& path, BOOL bAddToMRU = TRUE);
    BOOL IsModified() const { return m_bModified; }
    void SetModifiedFlag(BOOL bModified = TRUE) { m_bModified = bModified; }
    CDocTemplate* GetDocTemplate() const { return m_pDocTemplate; }

    const std::vector<CView*>& GetViews() const { return m_viewList; }
    void AddView(CView* pView);
    void RemoveView(CView* pView);
    // Numbers the frames of this document 1, 2 ... when it has more than one, else 0.
    void UpdateFrameCounts();
    void UpdateAllViews(CView* pSender, LPARAM lHint = 0, CObject* pHint = nullptr);

    virtual void Serialize(CArchive& ar) {}
    virtual void DeleteContents() {}
    virtual BOOL OnNewDocument();
    virtual BOOL OnOpenDocument(const QString& path);
    // Reads a file through an archive; false, after the user is told why, when it cannot be
    // opened or read throws the archive's exception.
    static BOOL ReadFile(const QString& path, const std::function<void(CArchive&)>& read);
    virtual BOOL OnSaveDocument(const QString& path);
    virtual void OnCloseDocument();
    virtual BOOL SaveModified();
    virtual BOOL CanCloseFrame(CFrameWnd* pFrame);
    virtual void OnChangedViewList();
    BOOL DoSave(const QString& path, BOOL bReplace = TRUE);
    BOOL DoFileSave();

    BOOL OnCmdMsg(UINT nID, int nCode, CCmdUI* pCmdUI) override;

    // Untitled name of a new document ("無題").
    static QString UntitledName();

    CDocTemplate* m_pDocTemplate = nullptr;
    BOOL m_bAutoDelete = TRUE;    // closes itself when its last view goes

protected:
    QString m_strTitle;
    QString m_strPathName;
    BOOL m_bModified = FALSE;
    std::vector<CView*> m_viewList;
    bool m_bClosing = false;
};
