#include "app/childfrm.h"
#include "framework/document.h"
#include "res/resource_ids.h"

IMPLEMENT_DYNAMIC(CChildFrameBase, CMDIChildWnd)

namespace {
const ChildFrameKind kGrid = {"平面図 _ ", IDD_GRID_BAR, ID_VIEW_GRIDBAR};
const ChildFrameKind kSection = {"横断面図 _ ", IDD_SECTION_BAR, ID_VIEW_SECTIONBAR};
const ChildFrameKind kLoad = {"荷重図 _ ", IDD_LOAD_BAR, ID_VIEW_LOADBAR};
const ChildFrameKind kForce = {"断面力図 _ ", IDD_FORCE_BAR, ID_VIEW_FORCEBAR};
const ChildFrameKind kCalc = {"断面計算表 _ ", IDD_CALC_BAR, ID_VIEW_CALCBAR};
const ChildFrameKind kEstimate = {"積算表 _ ", IDD_ESTIMATE_BAR, ID_VIEW_ESTIMATEBAR};
const ChildFrameKind kReact = {"反力図 _ ", IDD_REACT_BAR, ID_VIEW_REACTBAR};
const ChildFrameKind kCondition = {"入力確認 _ ", IDD_CONDITION_BAR, ID_VIEW_CONDITIONBAR};
const ChildFrameKind kPrint = {"一括印刷 _ ", IDD_PRINT_BAR, ID_VIEW_PRINTBAR};
const ChildFrameKind kSection2 = {"縦断面図 _ ", IDD_SECTION2_BAR, ID_VIEW_SECTION2BAR};
const ChildFrameKind kProperties = {"断面詳細データ_ ", IDD_PROPERTIES_BAR, ID_VIEW_PROPERTIESBAR};
}

#define MV_CHILD_FRAME_IMPL(Frame, kind)                                            \
    IMPLEMENT_DYNCREATE(Frame, CChildFrameBase)                                     \
    Frame::Frame() : CChildFrameBase(kind, m_wndBar) {}

MV_CHILD_FRAME_IMPL(CChildGridFrame, kGrid)
MV_CHILD_FRAME_IMPL(CChildSectionFrame, kSection)
MV_CHILD_FRAME_IMPL(CChildLoadFrame, kLoad)
MV_CHILD_FRAME_IMPL(CChildForceFrame, kForce)
MV_CHILD_FRAME_IMPL(CChildCalcFrame, kCalc)
MV_CHILD_FRAME_IMPL(CChildEstimateFrame, kEstimate)
MV_CHILD_FRAME_IMPL(CChildReactFrame, kReact)
MV_CHILD_FRAME_IMPL(CChildConditionFrame, kCondition)
MV_CHILD_FRAME_IMPL(CChildPrintFrame, kPrint)
MV_CHILD_FRAME_IMPL(CChildSection2Frame, kSection2)
MV_CHILD_FRAME_IMPL(CChildPropertiesFrame, kProperties)

CChildFrameBase::CChildFrameBase(const ChildFrameKind& kind, CDialogBar& bar) : m_kind(kind), m_pBar(&bar)
{
    HandleCommand(kind.barId, &CChildFrameBase::OnToggleBar);
    HandleUpdate(kind.barId, &CChildFrameBase::OnUpdateToggleBar);
}

void CChildFrameBase::OnToggleBar(UINT nID) { OnBarCheck(nID); }
void CChildFrameBase::OnUpdateToggleBar(CCmdUI* pCmdUI) { OnUpdateControlBarMenu(pCmdUI); }

BOOL CChildFrameBase::PreCreateWindow(UINT& style)
{
    style = WS_CHILD_FRAME_MAXIMIZED_NOSYSMENU;
    return TRUE;
}

int CChildFrameBase::OnCreate()
{
    if (CMDIChildWnd::OnCreate() == -1)
        return -1;
    if (!m_pBar->Create(this, m_kind.barDialog, CBRS_TOP, m_kind.barId))
        return -1;
    return 0;
}

void CChildFrameBase::OnUpdateFrameTitle(BOOL bAddToTitle)
{
    CDocument* doc = GetActiveDocument();
    // Every frame, numbered or alone, shows its view's name before the title.
    if (bAddToTitle && doc) {
        const QString caption = QString::fromUtf8(m_kind.prefix) + doc->GetTitle();
        if (caption != GetWindowText())
            SetWindowText(caption);
    }
    if (m_pMDIFrame)
        m_pMDIFrame->OnUpdateFrameTitle(bAddToTitle);
}
