// The load diagram window's bar on a two-span design: supports and stations chosen within
// their counts, a station between supports, and the scale, each told to the load view.
#include "common/bar_input.h"
#include "common/dialog_input.h"
#include "common/shell_fixture.h"

#include "app/childfrm.h"
#include "framework/format.h"
#include "views/drawing_views.h"

#include <QAbstractSlider>
#include <QCoreApplication>
#include <QSlider>
#include <memory>
#include <vector>

namespace {

class LoadBarTest : public ShellTest {
protected:
    void SetUp() override
    {
        ShellTest::SetUp();
        dialoginput::ConfirmBasic(QStringLiteral("2"));
        Command(ID_VIEW_LOAD);
        ASSERT_NE(g_pLoadView, nullptr);
        QCoreApplication::processEvents();
        m_pFrame = static_cast<CChildLoadFrame*>(g_pLoadView->GetParentFrame());
        // From here the bar tells a view that keeps what it is told.
        m_pListener = std::make_unique<Listener>(m_told);
        Bar().Refresh();
    }
    void TearDown() override
    {
        m_pListener.reset();
        ShellTest::TearDown();
    }
    CLoadBar& Bar() { return m_pFrame->m_wndBar; }
    template <class T>
    T* Control(int id) { return barinput::Control<T>(Bar(), id); }
    QString Text(int id) { return barinput::Text(Bar(), id); }
    CFrameWnd* Frame() { return m_pFrame; }
    struct Told {
        UINT message;
        int w, l;
        bool operator==(const Told&) const = default;
    };
    struct Listener : CLoadView {
        explicit Listener(std::vector<Told>& told) : m_told(told) {}
        LRESULT WindowProc(UINT message, WPARAM w, LPARAM l) override
        {
            if (message == WM_LOAD_SELECT || message == WM_LOAD_SCALE)
                m_told.push_back({message, int(w), int(l)});
            return CLoadView::WindowProc(message, w, l);
        }
        std::vector<Told>& m_told;
    };
    std::vector<Told> m_told;
    CChildLoadFrame* m_pFrame = nullptr;
    std::unique_ptr<Listener> m_pListener;
};

TEST_F(LoadBarTest, SupportSpinMovesToTheSupportsStation)
{
    ASSERT_EQ(g_nSpans, 2);
    EXPECT_EQ(Text(IDC_LOAD_SUPPORT), QStringLiteral("   1"));
    EXPECT_EQ(Text(IDC_LOAD_STATION), QStringLiteral("   1"));
    const int station = g_pDoc->m_anSupportStation[1];
    ASSERT_GT(station, 1);
    Control<CSpinButtonCtrl>(IDC_LOAD_SUPPORT_SPIN)->Step(1);
    EXPECT_EQ(g_pDoc->m_nCurSupport, 1);
    EXPECT_EQ(g_pDoc->m_nCurCrossSection, station);
    EXPECT_EQ(Text(IDC_LOAD_SUPPORT), QStringLiteral("   2"));
    EXPECT_EQ(Text(IDC_LOAD_STATION), AfxFormat("%4d", station + 1));
    EXPECT_EQ(m_told, (std::vector<Told>{{WM_LOAD_SELECT, 1, station}}));

    // Beyond the last support nothing changes and nothing is told.
    Control<CSpinButtonCtrl>(IDC_LOAD_SUPPORT_SPIN)->Step(1);
    EXPECT_FALSE(Bar().OnSupportSpin(1));
    EXPECT_EQ(g_pDoc->m_nCurSupport, 2);
    EXPECT_EQ(g_pDoc->m_nCurCrossSection, g_pDoc->m_anSupportStation[2]);
    EXPECT_EQ(m_told.size(), 2u);
    Bar().OnSupportSpin(-2);
    EXPECT_FALSE(Bar().OnSupportSpin(-1));
    EXPECT_EQ(g_pDoc->m_nCurSupport, 0);

    // Choices beyond the counts show, and step, within them.
    g_pDoc->m_nCurSupport = 40;
    g_pDoc->m_nCurCrossSection = 99;
    Bar().Refresh();
    EXPECT_EQ(Text(IDC_LOAD_STATION), AfxFormat("%4d", g_nCrossSections));
    EXPECT_EQ(Text(IDC_LOAD_SUPPORT), QStringLiteral("   3"));
    EXPECT_TRUE(Bar().OnSupportSpin(-1));
    EXPECT_EQ(g_pDoc->m_nCurSupport, 1);
}

TEST_F(LoadBarTest, AStationBetweenSupportsKeepsTheSupport)
{
    Control<CSpinButtonCtrl>(IDC_LOAD_SUPPORT_SPIN)->Step(1);
    m_told.clear();
    Control<CSpinButtonCtrl>(IDC_LOAD_STATION_SPIN)->Step(-1);
    const int station = g_pDoc->m_anSupportStation[1] - 1;
    EXPECT_EQ(g_pDoc->m_nCurCrossSection, station);
    EXPECT_EQ(g_pDoc->m_nCurSupport, 1);
    EXPECT_EQ(Text(IDC_LOAD_SUPPORT), QStringLiteral("  －"));
    EXPECT_EQ(m_told, (std::vector<Told>{{WM_LOAD_SELECT, 0, station}}));
    // The idle update shows the same.
    Bar().OnUpdateCmdUI(Frame(), TRUE);
    EXPECT_EQ(Text(IDC_LOAD_SUPPORT), QStringLiteral("  －"));
    // Back on a support's station the support follows.
    Control<CSpinButtonCtrl>(IDC_LOAD_STATION_SPIN)->Step(-station);
    EXPECT_EQ(g_pDoc->m_nCurCrossSection, 0);
    EXPECT_EQ(g_pDoc->m_nCurSupport, 0);
    EXPECT_EQ(Text(IDC_LOAD_SUPPORT), QStringLiteral("   1"));
    // Stations stay within their count.
    EXPECT_FALSE(Bar().OnCrossSectionSpin(-1));
    EXPECT_FALSE(Bar().OnCrossSectionSpin(g_nCrossSections));
    EXPECT_TRUE(Bar().OnCrossSectionSpin(g_nCrossSections - 1));
    EXPECT_EQ(g_pDoc->m_nCurSupport, 2);
}

TEST_F(LoadBarTest, ScaleSliderSendsWholeTenths)
{
    auto* slider = Control<CSliderCtrl>(IDC_LOAD_SCALE_SLIDER);
    EXPECT_EQ(slider->GetPos(), 3);
    EXPECT_EQ(Text(IDC_LOAD_SCALE), QStringLiteral(" 1.0"));
    auto* w = qobject_cast<QSlider*>(slider->GetWidget());
    ASSERT_NE(w, nullptr);
    EXPECT_NE(w->tickPosition(), QSlider::NoTicks);
    EXPECT_EQ(w->tickInterval(), 1);
    w->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    w->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    w->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    EXPECT_EQ(Text(IDC_LOAD_SCALE), QStringLiteral(" 2.5"));
    EXPECT_EQ(m_told.back(), (Told{WM_LOAD_SCALE, 0, 25}));
    // The slider is set up once; later updates leave it where the user put it.
    Bar().OnUpdateCmdUI(Frame(), TRUE);
    EXPECT_EQ(slider->GetPos(), 6);
}

} // namespace
