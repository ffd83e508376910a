// The child frames of the eleven views: maximised, one bar fixed at the top,
// a caption of the view's name and the design's title.
#pragma once

#include "design/calc_view.h"
#include "estimate/estimate_view.h"
#include "framework/frame.h"
#include "print/print_view.h"
#include "views/drawing_views.h"
#include "views/table_views.h"

struct ChildFrameKind {
    const char* prefix;     // caption before the document title
    UINT barDialog;
    UINT barId;             // also the bar's show/hide command
};

class CChildFrameBase : public CMDIChildWnd {
    DECLARE_DYNAMIC(CChildFrameBase)
public:
    BOOL PreCreateWindow(UINT& style) override;
    int OnCreate() override;
    void OnUpdateFrameTitle(BOOL bAddToTitle) override;
    CDialogBar& Bar() { return *m_pBar; }
    const ChildFrameKind& Kind() const { return m_kind; }
protected:
    CChildFrameBase(const ChildFrameKind& kind, CDialogBar& bar);
    // Show/hide of the frame's bar by its id, and its check mark.
    void OnToggleBar(UINT nID);
    void OnUpdateToggleBar(CCmdUI* pCmdUI);
private:
    const ChildFrameKind& m_kind;
    CDialogBar* m_pBar;
};

#define MV_CHILD_FRAME(Frame, Bar)                        \
    class Frame : public CChildFrameBase {                \
        DECLARE_DYNCREATE(Frame)                          \
    public:                                               \
        Frame();                                          \
        Bar m_wndBar;                                     \
    };

MV_CHILD_FRAME(CChildGridFrame, CGridBar)
MV_CHILD_FRAME(CChildSectionFrame, CSectionBar)
MV_CHILD_FRAME(CChildLoadFrame, CLoadBar)
MV_CHILD_FRAME(CChildForceFrame, CForceBar)
MV_CHILD_FRAME(CChildCalcFrame, CCalcBar)
MV_CHILD_FRAME(CChildEstimateFrame, CEstimateBar)
MV_CHILD_FRAME(CChildReactFrame, CReactBar)
MV_CHILD_FRAME(CChildConditionFrame, CConditionBar)
MV_CHILD_FRAME(CChildPrintFrame, CPrintBar)
MV_CHILD_FRAME(CChildSection2Frame, CSection2Bar)
MV_CHILD_FRAME(CChildPropertiesFrame, CPropertiesBar)

#undef MV_CHILD_FRAME
