// The labels of the longitudinal sections, cross sections and load diagrams read on the
// designs where they crowded (six curved spans of six girders with a median and sidewalks,
// eight girders of varying height, short end spans, deep girders over the piers, the
// examples): clear of the lines, by what they name, a character's gap from the other texts,
// inside the page frame, and on a sideways page where the upright page has them, turned with
// the drawing.
#include "print_fixture.h"

#include "common/design_entry.h"
#include "common/drawing_checks.h"
#include "common/picture_folder.h"

#include "app/globals.h"
#include "framework/format.h"
#include "input/height_dialog.h"
#include "input/panel_dialog.h"
#include "res/resource_ids.h"
#include "views/drawing_views.h"

#include <map>

namespace {

using namespace designentry;

// What the labels of a page break of the rules, one line each; and what the page draws past
// its frame.
QStringList LabelFaults(const std::vector<CDC::Record>& records)
{
    return drawingchecks::LinesThroughTexts(records) + drawingchecks::CrowdedTexts(records) +
           drawingchecks::StrayLabels(records) + drawingchecks::OutsideFrame(records);
}

class SectionLabelsTest : public PrintTest {
protected:
    static constexpr int kDpi = 600;

    // A plate design of the spans (mm) and girders, sidewalks on both sides, a median where
    // asked, its height varying where asked.
    static void EnterPlate(const char* title, std::initializer_list<double> spans, int girders, bool median,
                           bool varies, double panel = 5000.0)
    {
        RunModal(ID_SETUP_BASIC, [&](CDialog* d) {
            Type(d, IDC_TITLE, QString::fromUtf8(title));
            Type(d, IDC_SPANS, QString::number(int(spans.size())));
            Type(d, IDC_GIRDERS, QString::number(girders));
            Press(d, IDC_FORM_PLATE);
            Press(d, IDC_SIDEWALK_BOTH);
            Press(d, varies ? IDC_HEIGHT_VARIATION : IDC_HEIGHT_CONSTANT);
            Press(d, median ? IDC_MEDIAN : IDC_MEDIAN_NONE);
            Press(d, IDC_LIVE_LOAD_BTL);
            Ok(d);
        });
        EnterSpans(spans, panel);
    }
    static void Curve(double radius)
    {
        for (int s = 0; s < g_nSpans; ++s) {
            g_pPanelDlg->m_anBaseLineType[s] = 1;
            g_pPanelDlg->m_anGirderLineType[s] = 1;
            g_pPanelDlg->m_adBaseRadius[s] = radius;
        }
        g_pDoc->Rebuild(CMarivoltenDoc::RebuildReason::Panels);
    }

    // Every longitudinal section, cross section and load page of the report, upright and
    // sideways, by orientation and page.
    std::map<std::pair<bool, int>, std::vector<CDC::Record>> ReportPages()
    {
        CPrintView& v = OpenForm();
        v.m_bPrintLongitudinalSections = v.m_bPrintCrossSections = v.m_bPrintLoadDiagrams = 1;
        std::map<std::pair<bool, int>, std::vector<CDC::Record>> pages;
        for (const bool upright : {true, false}) {
            for (const auto& [portrait, landscape] :
                 {std::pair{IDC_PR_SHAPE_PORTRAIT, IDC_PR_SHAPE_LANDSCAPE}, std::pair{IDC_PR_LOAD_PORTRAIT, IDC_PR_LOAD_LANDSCAPE},
                  std::pair{IDC_PR_LONG_PORTRAIT, IDC_PR_LONG_LANDSCAPE}}) {
                Box(portrait).SetCheck(upright ? 1 : 0);
                Box(landscape).SetCheck(upright ? 0 : 1);
            }
            const int count = v.CountPages();
            for (int p = 1; p <= count; ++p) {
                const int section = v.SectionOfPage(p);
                if (section == CPrintView::RS_LONGITUDINAL || section == CPrintView::RS_CROSS_SECTIONS ||
                    section == CPrintView::RS_LOADS)
                    pages[{upright, p}] = PrintPage(p, kDpi);
            }
            Keep(&v, upright ? "report_upright" : "report_sideways");
        }
        return pages;
    }

    // The window's printout of each station or girder the choice runs over.
    std::vector<std::vector<CDC::Record>> WindowPages(UINT command, CView* (*view)(), int count, int& choice,
                                                      const char* name)
    {
        Command(command);
        std::vector<std::vector<CDC::Record>> out;
        if (!view())
            return out;
        const int shown = choice;
        for (int i = 0; i < count; ++i) {
            choice = i;
            g_pDoc->UpdateAllViews(nullptr);
            CPrintInfo info;
            info.m_bPreview = TRUE;
            AfxSetModalHook([](CDialog* d) { d->SendMessage(WM_COMMAND, IDOK); });
            view()->OnPreparePrinting(&info);
            AfxSetModalHook({});
            CDC dc;
            AtPrinterResolution(dc, kDpi);
            dc.SetPrinting(true);
            info.m_nCurPage = 1;
            view()->OnPrepareDC(&dc, &info);
            view()->OnPrint(&dc, &info);
            out.push_back(dc.Records());
            if (i == 0 || i + 1 == count)
                Keep(view(), AfxFormat("%s_%d", name, i + 1).toUtf8().constData());
        }
        choice = shown;
        return out;
    }

    // Every page of the design's longitudinal sections, cross sections and load diagrams: none
    // breaks a rule.
    void ExpectLabelsRead(const char* design)
    {
        m_design = QString::fromUtf8(design);
        auto check = [&](QString where, const std::vector<CDC::Record>& records) {
            if (const int f = drawingchecks::FrameIndex(records); f > 0)
                where += QStringLiteral(" \"%1\"").arg(records[size_t(f - 1)].text.mid(g_pDoc->GetTitle().size()));
            const QStringList found = LabelFaults(records);
            EXPECT_TRUE(found.isEmpty()) << qPrintable(m_design) << " " << qPrintable(where) << ":\n  "
                                         << qPrintable(found.mid(0, 10).join(QStringLiteral("\n  ")));
        };
        const auto pages = ReportPages();
        for (const auto& [key, records] : pages) {
            check(AfxFormat("report %s page %d", key.first ? "upright" : "sideways", key.second), records);
            // Turned with the drawing on the sideways page.
            if (const auto up = pages.find({true, key.second}); !key.first && up != pages.end()) {
                const QStringList unturned = drawingchecks::UnturnedLabels(up->second, records);
                EXPECT_TRUE(unturned.isEmpty()) << qPrintable(m_design) << " page " << key.second << ":\n  "
                                                << qPrintable(unturned.mid(0, 10).join(QStringLiteral("\n  ")));
            }
        }
        auto section = []() -> CView* { return g_pSectionView; };
        auto load = []() -> CView* { return g_pLoadView; };
        auto longitudinal = []() -> CView* { return g_pSection2View; };
        int k = 0;
        for (const auto& page :
             WindowPages(ID_VIEW_SECTION, section, g_nCrossSections, g_pDoc->m_nCurCrossSection, "section"))
            check(AfxFormat("cross-section window station %d", ++k), page);
        k = 0;
        for (const auto& page : WindowPages(ID_VIEW_LOAD, load, g_nCrossSections, g_pDoc->m_nCurCrossSection, "load"))
            check(AfxFormat("load window station %d", ++k), page);
        k = 0;
        for (const auto& page : WindowPages(ID_VIEW_SECTION2, longitudinal, g_nBridgeType == 2 ? 1 : g_nGirders,
                                            g_pDoc->m_nCalcGirder, "longitudinal"))
            check(AfxFormat("longitudinal window G%d", ++k), page);
    }

    void Keep(CView* view, const char* name)
    {
        if (!qEnvironmentVariableIsSet("MV_KEEP_SHOTS"))
            return;
        QString file = QString::fromUtf8(::testing::UnitTest::GetInstance()->current_test_info()->name());
        file += QLatin1Char('_') + QString::fromUtf8(name) + QStringLiteral(".pdf");
        AfxSetModalHook([](CDialog* d) { d->SendMessage(WM_COMMAND, IDOK); });
        AfxPrintView(view, PrintMode::Pdf, m_pictures.FilePath(file));
        AfxSetModalHook({});
    }

    CPictureFolder m_pictures;
    QString m_design;
};

}

// Six spans on a curve of 155 m under six girders of 1000 mm, sidewalks and a median.
TEST_F(SectionLabelsTest, SixCurvedSpansOfSixGirders)
{
    EnterPlate("六径間連続曲線鈑桁橋", {30000, 35000, 40000, 40000, 35000, 30000}, 6, true, false);
    EnterGirderHeight(1000);
    Curve(155.0);
    ASSERT_NO_FATAL_FAILURE(RunGrillage());
    ExpectLabelsRead("six curved spans, six girders");
}

// Eight girders over six spans of varying height: the longitudinal sections at their smallest.
TEST_F(SectionLabelsTest, SixSpansOfEightGirdersOfVaryingHeight)
{
    EnterPlate("六径間連続鈑桁橋 8主桁", {30000, 35000, 40000, 40000, 35000, 30000}, 8, false, true);
    EnterHeightChange({}, {1800, 2400, 2400, 2400, 2400, 2400, 1800});
    ASSERT_NO_FATAL_FAILURE(RunGrillage());
    ExpectLabelsRead("six spans, eight girders, varying height");
}

// End spans of 15 m beside spans of 45 m on a curve: their lengths about as wide as they are.
TEST_F(SectionLabelsTest, ShortEndSpans)
{
    EnterPlate("六径間連続曲線鈑桁橋 15m", {15000, 45000, 45000, 45000, 45000, 15000}, 5, false, true);
    EnterHeightChange({}, {1500, 2500, 2500, 2500, 2500, 2500, 1500});
    Curve(150.0);
    ASSERT_NO_FATAL_FAILURE(RunGrillage());
    ExpectLabelsRead("short end spans");
}

// Girders 3500 mm deep at the ends and 4900 mm over the piers of three spans: the
// longitudinal sections reach deep below the girders' ends, and sideways across the page.
TEST_F(SectionLabelsTest, DeepGirdersOverThePiers)
{
    EnterPlate("三径間連続鈑桁橋 桁高4900", {42000, 38000, 77500}, 4, false, true);
    EnterHeightChange({}, {3500, 4900, 4900, 3500});
    ASSERT_NO_FATAL_FAILURE(RunGrillage());
    ExpectLabelsRead("deep girders over the piers");
}

TEST_F(SectionLabelsTest, Examples)
{
    for (const char* file : {"plate_3span_skew.mvl", "box2_2span.mvl", "box1_1span.mvl", "plate_2span_haunch.mvl"}) {
        OpenExample(file);
        ExpectLabelsRead(file);
    }
}
