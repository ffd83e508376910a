#include "app/doc.h"
#include "app/design_file.h"
#include "app/mainfrm.h"
#include "app/progress_dlg.h"
#include "design/girder_design.h"
#include "framework/archive.h"
#include "framework/msgbox.h"
#include "framework/profile.h"
#include "res/resource_ids.h"
#include "views/cross_section_drawer.h"

IMPLEMENT_DYNCREATE(CMarivoltenDoc, CDocument)

CMarivoltenDoc::CMarivoltenDoc()
{
    RegisterCommands();

    LoadMenuOption();
    LoadDialogSetting();
    m_pProgressDlg = new CCalcProgressDlg;
    m_nAnimation = 0;
    g_pDoc = this;
    g_nCrossSections = CountCrossSections();
    for (double& h : m_adGirderHeight)
        h = 1.0;
    if (g_nSpans != 0) {
        // A design is about to be loaded over the current layout.
        RebuildGeometry(1);
    }
    m_bGeometryConsistent = 1;
    m_bGrillageNotRun = 1;
    g_bResultsValid = 0;
}

CMarivoltenDoc::~CMarivoltenDoc()
{
    SaveMenuOption();
    FreeSectionLayout();
    delete m_pProgressDlg;
    m_pProgressDlg = nullptr;
    FreeGeometry();
    FreeEdgeLines();
    FreeGirderPolylines();
    m_bGeometryConsistent = 1;
    delete[] m_pGirders;
    m_pGirders = nullptr;
    // A closed design leaves no results behind for the result commands, and no step marks.
    g_bResultsValid = 0;
    g_pDoc = nullptr;
    g_nSpans = 0;
    if (g_pMainFrame) {
        g_pMainFrame->m_nStepMask = 0;
        g_pMainFrame->RefreshStepButtons();
    }
}

void CMarivoltenDoc::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        m_nFileVersion = 1830;
        const CDesignState design = CaptureDesign();
        // Typing refuses such text; a damaged file read earlier can still bring some.
        if (const QString bad = FirstUnstorableCharacter(design); !bad.isEmpty())
            AfxMessageBox(QStringLiteral("タイトルまたはリブ寸法の「%1」はデータファイルに保存できない文字のため、「?」に置き換えて保存します。")
                              .arg(bad),
                          MB_ICONEXCLAMATION);
        WriteDesign(ar, design);
        return;
    }
    // Read whole into a fresh value first: a file that fails leaves the design as it was.
    CDesignState value = CDesignState::NewDesign(g_bSIUnits);
    ReadDesign(ar, value);
    TakeLoadedDesign(value);
}

BOOL CMarivoltenDoc::OnNewDocument()
{
    return CDocument::OnNewDocument();
}

void CMarivoltenDoc::FreeSectionLayout()
{
    for (int g = 0; g < MAX_GIRDERS; ++g) {
        for (double*& p : m_apLayoutF64[g]) {
            delete[] p;
            p = nullptr;
        }
        for (int*& p : m_apLayoutI32[g]) {
            delete[] p;
            p = nullptr;
        }
    }
    delete[] m_pnLayoutSpanLineType;
    m_pnLayoutSpanLineType = nullptr;
    delete[] m_pnLayoutSectionCount;
    m_pnLayoutSectionCount = nullptr;
    m_nLayoutGirders = 0;
    m_nLayoutSpans = 0;
}

int CMarivoltenDoc::FreeGeometry()
{
    if (m_aSpans.empty())
        return 0;
    for (CSpanData& span : m_aSpans)
        for (CPanelPointRecord& point : span.m_aPanelPoints)
            point.Free();
    m_aSpans.clear();
    return 1;
}

void CMarivoltenDoc::FreeEdgeLines()
{
    for (CPolyline2D*& p : m_apEdgeLines) {
        delete p;
        p = nullptr;
    }
}

void CMarivoltenDoc::FreeGirderPolylines()
{
    for (CPolyline2D*& p : m_apGirderProfiles) {
        delete p;
        p = nullptr;
    }
}
