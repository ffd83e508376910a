// The views' global pointers follow the windows that are open, two windows of one view included.
#include "common/shell_fixture.h"

#include <functional>
#include <memory>

#include "app/childfrm.h"
#include "framework/doctempl.h"
#include "views/window_global.h"

namespace {

struct Window {
    explicit Window(Window*& global) : m_global(global, this) {}
    CWindowGlobal<Window> m_global;
};

}

TEST(WindowGlobal, TheNewestIsTheGlobalAndTheLastToGoLeavesNull)
{
    Window* global = nullptr;
    auto first = std::make_unique<Window>(global);
    EXPECT_EQ(global, first.get());
    auto second = std::make_unique<Window>(global);
    EXPECT_EQ(global, second.get());
    Window* const kept = second.get();
    first.reset();                  // not the global: it stays
    EXPECT_EQ(global, kept);
    second.reset();
    EXPECT_EQ(global, nullptr);
}

TEST(WindowGlobal, ClosingTheGlobalFallsBackToOneStillOpen)
{
    Window* global = nullptr;
    auto a = std::make_unique<Window>(global);
    auto b = std::make_unique<Window>(global);
    auto c = std::make_unique<Window>(global);
    Window* const pa = a.get();
    Window* const pb = b.get();
    c.reset();
    EXPECT_EQ(global, pb);
    b.reset();
    EXPECT_EQ(global, pa);
    // A window opened after the others went becomes the global again.
    auto d = std::make_unique<Window>(global);
    EXPECT_EQ(global, d.get());
    a.reset();
    EXPECT_EQ(global, d.get());
    d.reset();
    EXPECT_EQ(global, nullptr);
}

TEST(WindowGlobal, TwoGlobalsOfOneClassKeepApart)
{
    Window* left = nullptr;
    Window* right = nullptr;
    auto l = std::make_unique<Window>(left);
    auto r1 = std::make_unique<Window>(right);
    auto r2 = std::make_unique<Window>(right);
    Window* const pr1 = r1.get();
    EXPECT_EQ(left, l.get());
    r2.reset();
    EXPECT_EQ(right, pr1);
    EXPECT_EQ(left, l.get());
    l.reset();
    EXPECT_EQ(left, nullptr);
    EXPECT_EQ(right, pr1);
}

namespace {

class ViewWindowsTest : public ShellTest {
protected:
    // A second (or further) frame of one template on the open design, as a new window would open it.
    CFrameWnd* OpenFrame(int nTemplate)
    {
        CDocTemplate* t = AfxGetApp()->GetTemplates()[size_t(nTemplate)];
        CFrameWnd* frame = t->CreateNewFrame(g_pDoc, nullptr);
        if (frame)
            t->InitialUpdateFrame(frame, g_pDoc);
        return frame;
    }
};

}

TEST_F(ViewWindowsTest, EveryViewsGlobalFollowsItsOpenWindows)
{
    struct ViewGlobal { int nTemplate; std::function<CView*()> global; };
    const ViewGlobal views[] = {
        {CMainFrame::VIEW_PLAN, [] { return static_cast<CView*>(g_pGridView); }},
        {CMainFrame::VIEW_SECTION, [] { return static_cast<CView*>(g_pSectionView); }},
        {CMainFrame::VIEW_LOAD, [] { return static_cast<CView*>(g_pLoadView); }},
        {CMainFrame::VIEW_FORCE, [] { return static_cast<CView*>(g_pForceView); }},
        {CMainFrame::VIEW_CALC, [] { return static_cast<CView*>(g_pCalcView); }},
        {CMainFrame::VIEW_ESTIMATE, [] { return static_cast<CView*>(g_pEstimateView); }},
        {CMainFrame::VIEW_REACT, [] { return static_cast<CView*>(g_pReactView); }},
        {CMainFrame::VIEW_CONDITION, [] { return static_cast<CView*>(g_pConditionView); }},
        {CMainFrame::VIEW_PRINT, [] { return static_cast<CView*>(g_pPrintView); }},
        {CMainFrame::VIEW_SECTION2, [] { return static_cast<CView*>(g_pSection2View); }},
        {CMainFrame::VIEW_PROPERTIES, [] { return static_cast<CView*>(g_pPropertiesView); }},
    };
    ASSERT_NE(g_pDoc, nullptr);
    for (const ViewGlobal& v : views) {
        // The design starts with its plan window; the other views have none.
        CView* const before = v.global();
        EXPECT_EQ(before != nullptr, v.nTemplate == CMainFrame::VIEW_PLAN) << v.nTemplate;

        CFrameWnd* first = OpenFrame(v.nTemplate);
        ASSERT_NE(first, nullptr) << v.nTemplate;
        CFrameWnd* second = OpenFrame(v.nTemplate);
        ASSERT_NE(second, nullptr) << v.nTemplate;
        CView* const firstView = first->GetActiveView();
        CView* const secondView = second->GetActiveView();
        ASSERT_NE(firstView, secondView);
        EXPECT_EQ(v.global(), secondView) << v.nTemplate;

        // Closing the older window leaves the newer one.
        first->SendMessage(WM_CLOSE);
        EXPECT_EQ(v.global(), secondView) << v.nTemplate;
        // Closing the global's own window falls back to a window still open.
        CFrameWnd* third = OpenFrame(v.nTemplate);
        ASSERT_NE(third, nullptr) << v.nTemplate;
        EXPECT_EQ(v.global(), third->GetActiveView()) << v.nTemplate;
        third->SendMessage(WM_CLOSE);
        EXPECT_EQ(v.global(), secondView) << v.nTemplate;
        // The last of them gone: what there was before, null for every view but the plan.
        second->SendMessage(WM_CLOSE);
        EXPECT_EQ(v.global(), before) << v.nTemplate;
    }
    EXPECT_EQ(g_pDoc->GetViews().size(), 1u);
}

TEST_F(ViewWindowsTest, ThePlanBarOfTheRemainingWindowStaysTheGlobal)
{
    auto* original = dynamic_cast<CChildGridFrame*>(g_pGridView ? g_pGridView->GetParentFrame() : nullptr);
    ASSERT_NE(original, nullptr);
    EXPECT_EQ(g_pGridBar, &original->m_wndBar);
    auto* other = dynamic_cast<CChildGridFrame*>(OpenFrame(CMainFrame::VIEW_PLAN));
    ASSERT_NE(other, nullptr);
    EXPECT_EQ(g_pGridBar, &other->m_wndBar);
    EXPECT_EQ(g_pGridView, other->GetActiveView());

    // The design's first window goes; the other one carries on as the plan.
    original->SendMessage(WM_CLOSE);
    EXPECT_EQ(g_pGridBar, &other->m_wndBar);
    EXPECT_EQ(g_pGridView, other->GetActiveView());
    ASSERT_NE(g_pDoc, nullptr);
    g_pGridView->Invalidate();      // still a live window
}
