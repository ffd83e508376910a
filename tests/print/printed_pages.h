// Every printed page of the open design, recorded at a printer's resolution: the whole report,
// its drawing pages upright and sideways, and the printouts of the drawing windows (the plan
// on both papers, the cross section and loads at every station, the force diagram of every
// girder and, where the height varies, its longitudinal section). The test says what to do
// with each page.
#pragma once

#include "print_fixture.h"

#include "common/design_entry.h"
#include "common/drawing_checks.h"
#include "common/picture_folder.h"

#include "app/globals.h"
#include "framework/format.h"
#include "res/resource_ids.h"
#include "views/drawing_views.h"

#include <algorithm>
#include <functional>
#include <utility>
#include <vector>

class PrintedPagesTest : public PrintTest {
protected:
    static constexpr int kPrinterDpi = 600;

    // A page as printed: which one, of which report section (-1 for a window's), how turned.
    struct PrintedPage {
        QString name;
        int section = -1;
        bool upright = true;
        bool drawing = false;
        const std::vector<CDC::Record>& records;
    };
    using PageCheck = std::function<void(const PrintedPage&)>;

    static bool IsDrawingSection(int section)
    {
        return section == CPrintView::RS_PLAN || section == CPrintView::RS_CROSS_SECTIONS ||
               section == CPrintView::RS_LONGITUDINAL || section == CPrintView::RS_LOADS ||
               section == CPrintView::RS_FORCE_DIAGRAM;
    }

    // The page's own title: its header without the design's name.
    static QString PageTitle(const std::vector<CDC::Record>& records)
    {
        const int f = drawingchecks::FrameIndex(records);
        if (f <= 0)
            return QString();
        return records[size_t(f - 1)].text.mid(g_pDoc->GetTitle().size());
    }

    // Every section the form offers, every station row; each page printed upright, the
    // drawing pages again sideways where the form offers both.
    void PrintReport(const PageCheck& check)
    {
        CPrintView& v = OpenForm();
        static_cast<CButton*>(Bar().GetControl(IDC_PRINT_SELECT_ALL))->Click();
        for (int id : {IDC_PR_LONGITUDINAL, IDC_PR_REACTION_DETAIL, IDC_PR_NO_IMPACT})
            if (Box(id).IsWindowVisible() && Box(id).IsWindowEnabled() && !Box(id).GetCheck())
                Click(id);
        static const std::pair<int, int> orientations[] = {
            {IDC_PR_PLAN_PORTRAIT, IDC_PR_PLAN_LANDSCAPE}, {IDC_PR_SHAPE_PORTRAIT, IDC_PR_SHAPE_LANDSCAPE},
            {IDC_PR_LOAD_PORTRAIT, IDC_PR_LOAD_LANDSCAPE}, {IDC_PR_FORCE_PORTRAIT, IDC_PR_FORCE_LANDSCAPE},
            {IDC_PR_LONG_PORTRAIT, IDC_PR_LONG_LANDSCAPE}};
        for (const bool upright : {true, false}) {
            for (const auto& [portrait, landscape] : orientations)
                if (Box(portrait).IsWindowEnabled() && Box(landscape).IsWindowEnabled()) {
                    Box(portrait).SetCheck(upright ? 1 : 0);
                    Box(landscape).SetCheck(upright ? 0 : 1);
                }
            const int pages = v.CountPages();
            EXPECT_GT(pages, 10) << qPrintable(m_design);
            for (int p = 1; p <= pages; ++p) {
                const int section = v.SectionOfPage(p);
                if (section == CPrintView::RS_COVER)
                    continue;
                const bool drawing = IsDrawingSection(section);
                if (!upright && !drawing)
                    continue;
                const std::vector<CDC::Record> records = PrintPage(p, kPrinterDpi);
                check({AfxFormat("report %s page %d (%s)", upright ? "upright" : "sideways", p,
                                 qPrintable(CPrintView::SectionName(section))),
                       section, upright, drawing, records});
            }
            KeepPdf(&v, upright ? QStringLiteral("report_upright") : QStringLiteral("report_sideways"));
        }
    }

    // A window's first page as its print job lays it out, on the recording DC; the plan's
    // paper question answered with the paper given.
    static std::vector<CDC::Record> PrintWindow(CView* view, int paper = IDC_PAPER_A4)
    {
        return PrintWindowPages(view, paper, 1).front();
    }

    // The first `most` pages of a window's printout, or all of them.
    static std::vector<std::vector<CDC::Record>> PrintWindowPages(CView* view, int paper = IDC_PAPER_A4,
                                                                  UINT most = 0)
    {
        CPrintInfo info;
        info.m_bPreview = TRUE;   // laid out as the preview does, without the print dialog
        AfxSetModalHook([paper](CDialog* d) {
            for (int id : {IDC_PAPER_A4, IDC_PAPER_A3})
                static_cast<CButton*>(d->GetDlgItem(id))->SetCheck(id == paper);
            d->SendMessage(WM_COMMAND, IDOK);
        });
        const BOOL prepared = view->OnPreparePrinting(&info);
        AfxSetModalHook({});
        EXPECT_TRUE(prepared);
        CDC dc;
        AtPrinterResolution(dc, kPrinterDpi);
        dc.SetPrinting(true);
        view->OnBeginPrinting(&dc, &info);
        const UINT last = most > 0 ? std::min(most, info.GetMaxPage()) : info.GetMaxPage();
        std::vector<std::vector<CDC::Record>> pages;
        for (UINT p = 1; p <= std::max(last, 1u); ++p) {
            dc.ClearRecords();
            info.m_nCurPage = p;
            view->OnPrepareDC(&dc, &info);
            view->OnPrint(&dc, &info);
            pages.push_back(dc.Records());
        }
        view->OnEndPrinting(&dc, &info);
        return pages;
    }

    // The plan on both papers, the cross section and loads at every station, the force
    // diagram of every girder and, where the height varies, its longitudinal section.
    void PrintWindows(const PageCheck& check)
    {
        Command(ID_VIEW_PLAN);
        ASSERT_NE(g_pGridView, nullptr);
        for (const auto& [paper, name] : {std::pair{IDC_PAPER_A4, "A4"}, std::pair{IDC_PAPER_A3, "A3"}})
            check({AfxFormat("plan window printout on %s", name), -1, true, true, PrintWindow(g_pGridView, paper)});
        KeepPdf(g_pGridView, QStringLiteral("plan"));

        auto section = []() -> CView* { return g_pSectionView; };
        auto load = []() -> CView* { return g_pLoadView; };
        auto force = []() -> CView* { return g_pForceView; };
        auto longitudinal = []() -> CView* { return g_pSection2View; };
        PrintEach(check, ID_VIEW_SECTION, section, g_nCrossSections, g_pDoc->m_nCurCrossSection, "cross-section",
                  "station ");
        PrintEach(check, ID_VIEW_LOAD, load, g_nCrossSections, g_pDoc->m_nCurCrossSection, "load", "station ");
        const int girders = g_nBridgeType == 2 ? 1 : g_nGirders;
        PrintEach(check, ID_VIEW_FORCE, force, girders, g_pDoc->m_nCalcGirder, "force", "G");
        if (g_pDoc->m_dlgBasic.m_nHeightVariation == 0)
            PrintEach(check, ID_VIEW_SECTION2, longitudinal, girders, g_pDoc->m_nCalcGirder, "longitudinal", "G");
    }

    // The window's page for each of the `count` stations or girders the document's `choice`
    // shows, the choice put back after.
    void PrintEach(const PageCheck& check, UINT command, CView* (*view)(), int count, int& choice, const char* name,
                   const char* item)
    {
        Command(command);
        ASSERT_NE(view(), nullptr);
        const int shown = choice;
        for (int i = 0; i < count; ++i) {
            choice = i;
            g_pDoc->UpdateAllViews(nullptr);
            check({AfxFormat("%s window printout, %s%d", name, item, i + 1), -1, true, true, PrintWindow(view())});
            KeepPdf(view(), AfxFormat("%s_%d", name, i + 1));
        }
        choice = shown;
    }

    // With MV_KEEP_SHOTS set, the job as printed to a PDF file of the picture folder, to look at.
    void KeepPdf(CView* view, const QString& name)
    {
        if (!qEnvironmentVariableIsSet("MV_KEEP_SHOTS"))
            return;
        QString file = QString::fromUtf8(::testing::UnitTest::GetInstance()->current_test_info()->name());
        file.replace(QLatin1Char('/'), QLatin1Char('_'));
        QString tag = m_pdfTag;
        if (tag.isEmpty() && m_design.endsWith(QStringLiteral(".mvl")))
            tag = m_design.chopped(4);
        if (!tag.isEmpty())
            file += QLatin1Char('_') + tag;
        file += QLatin1Char('_') + name + QStringLiteral(".pdf");
        AfxSetModalHook([](CDialog* d) { d->SendMessage(WM_COMMAND, IDOK); });
        EXPECT_TRUE(AfxPrintView(view, PrintMode::Pdf, m_pictures.FilePath(file)));
        AfxSetModalHook({});
    }

    CPictureFolder m_pictures;
    QString m_design;
    QString m_pdfTag;   // in the PDF files' names, where the design's name is not one
};
