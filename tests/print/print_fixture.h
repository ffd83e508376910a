// The print window over a design with results: an example design opened from examples/, or
// a new design of a few spans run through the grillage.
#pragma once

#include "common/dialog_input.h"
#include "common/shell_fixture.h"

#include "app/childfrm.h"
#include "design/girder_design.h"
#include "framework/dc.h"
#include "framework/print.h"
#include "print/print_view.h"

#include <QCoreApplication>
#include <QDir>

class PrintTest : public ShellTest {
protected:
    void TearDown() override
    {
        AfxSetPrintHook({});
        ShellTest::TearDown();
    }
    // An example design with its stored results.
    void OpenExample(const char* file)
    {
        m_shown.clear();
        ASSERT_TRUE(theApp.OpenDesign(QDir(QStringLiteral(EXAMPLES_DIR)).filePath(QString::fromUtf8(file))));
        ASSERT_NE(g_pDoc->m_pGirders, nullptr);
        m_shown.clear();
    }
    // A new design of the given spans, run.
    void RunNewDesign(const QString& spans, const std::function<void(CDialog*)>& more = {})
    {
        dialoginput::ConfirmBasic(spans, more);
        RunGrillage();
    }
    // The print window, painted once.
    static CPrintView& OpenForm()
    {
        Command(ID_VIEW_PRINT);
        EXPECT_NE(g_pPrintView, nullptr);
        Paint();
        return *g_pPrintView;
    }
    static CPrintView& View() { return *g_pPrintView; }
    static void Paint()
    {
        QCoreApplication::processEvents();
        View().UpdateWindow();
    }
    static CButton& Box(int id) { return *static_cast<CButton*>(View().GetControl(id)); }
    static CPrintBar& Bar() { return static_cast<CChildPrintFrame*>(View().GetParentFrame())->m_wndBar; }
    static void Click(int id) { Box(id).Click(); }

    // A recording DC at a printer's resolution on A4, whose texts measure as they print: at
    // the screen's 96 dpi the fonts round to whole pixels and run a few percent short.
    static void AtPrinterResolution(CDC& dc, int dpi)
    {
        dc.SetResolution(dpi, dpi);
        dc.SetPageSize(CSize(2100 * dpi / 254, 2970 * dpi / 254));
    }
    // One page as the job draws it, recorded; at the recording DC's own resolution unless
    // one is given.
    static std::vector<CDC::Record> PrintPage(int nPage, int dpi = 0)
    {
        CDC dc;
        if (dpi > 0)
            AtPrinterResolution(dc, dpi);
        dc.SetPrinting(true);
        CPrintInfo info;
        info.m_nCurPage = UINT(nPage);
        View().OnPrepareDC(&dc, &info);
        View().OnPrint(&dc, &info);
        return dc.Records();
    }
    static std::vector<QString> Texts(const std::vector<CDC::Record>& records)
    {
        std::vector<QString> out;
        for (const CDC::Record& r : records)
            if (r.op == QLatin1String("TextOut"))
                out.push_back(r.text);
        return out;
    }
    static const CDC::Record* FindText(const std::vector<CDC::Record>& records, const QString& text)
    {
        for (const CDC::Record& r : records)
            if (r.op == QLatin1String("TextOut") && r.text == text)
                return &r;
        return nullptr;
    }
};
