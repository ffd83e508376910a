// Page frame, page numbers and paper of every printout; the print format dialog.
#include "common/shell_fixture.h"

#include "app/small_dialogs.h"
#include "framework/dc.h"
#include "framework/gdi.h"
#include "framework/print.h"
#include "framework/view.h"

#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

namespace {

const CDC::Record* Find(const CDC& dc, const char* op, const QString& text = QString())
{
    for (const CDC::Record& r : dc.Records())
        if (r.op == QLatin1String(op) && (text.isNull() || r.text == text))
            return &r;
    return nullptr;
}

int Count(const CDC& dc, const char* op)
{
    int n = 0;
    for (const CDC::Record& r : dc.Records())
        n += r.op == QLatin1String(op);
    return n;
}

}

class PageFrameTest : public ShellTest {
protected:
    void SetUp() override
    {
        ShellTest::SetUp();
        SetCompanyName(QStringLiteral("架橋設計株式会社"));
        AfxWriteProfileString(QStringLiteral("Settings"), QStringLiteral("PrintCondition"), QString());
        AfxWriteProfileString(QStringLiteral("Settings"), QStringLiteral("PrintHeader"), QString());
        m_dc.SetMapMode(MM_LOMETRIC);
    }
    CDC m_dc;
    CPrintInfo m_info;
};

TEST_F(PageFrameTest, A4FrameHeaderAndFooterWithDefaultMargins)
{
    g_pDoc->DrawPageFrame(&m_dc, &m_info, QStringLiteral("_平面図"));
    const CDC::Record* frame = Find(m_dc, "Rectangle");
    ASSERT_NE(frame, nullptr);
    EXPECT_EQ(frame->args, (std::vector<int>{200, -190, 1890, -2700}));
    const CDC::Record* header = Find(m_dc, "TextOut", g_pDoc->GetTitle() + QStringLiteral("_平面図"));
    ASSERT_NE(header, nullptr);
    EXPECT_EQ(header->args[0], 200);
    const CDC::Record* footer = Find(m_dc, "TextOut", QStringLiteral("架橋設計株式会社"));
    ASSERT_NE(footer, nullptr);
    EXPECT_EQ(footer->args[1], -2705);
    EXPECT_EQ(footer->args[0] + m_dc.GetTextExtent(footer->text).cx, 1890);   // right end on the frame
}

TEST_F(PageFrameTest, A3FrameAndPageNumberFollowThePaper)
{
    m_info.SetPaper(DMPAPER_A3, false);
    g_pDoc->DrawPageFrame(&m_dc, &m_info, QStringLiteral("_表紙"));
    ASSERT_NE(Find(m_dc, "Rectangle"), nullptr);
    EXPECT_EQ(Find(m_dc, "Rectangle")->args, (std::vector<int>{200, -190, 2800, -3930}));

    m_dc.ClearRecords();
    m_info.m_nCurPage = 3;
    g_pDoc->DrawPageFooter(&m_dc, &m_info, 0);
    const CDC::Record* number = Find(m_dc, "TextOut", QStringLiteral("- 3 -"));
    ASSERT_NE(number, nullptr);
    // Centred on the A3 area, below the frame's bottom line.
    EXPECT_EQ(number->args[0], 1450 - m_dc.GetTextExtent(QStringLiteral("- 3 -")).cx / 2);
    EXPECT_EQ(number->args[1], -3930 - 5 - m_dc.GetTextExtent(QStringLiteral("- 3 -")).cy);
}

TEST_F(PageFrameTest, CoverPageIsNotNumbered)
{
    m_info.m_nCurPage = 1;
    g_pDoc->DrawPageFooter(&m_dc, &m_info, 1);
    ASSERT_NE(Find(m_dc, "TextOut"), nullptr);
    EXPECT_EQ(Find(m_dc, "TextOut")->text, QString());
    m_dc.ClearRecords();
    m_info.m_nCurPage = 2;
    g_pDoc->DrawPageFooter(&m_dc, &m_info, 1);
    EXPECT_NE(Find(m_dc, "TextOut", QStringLiteral("- 1 -")), nullptr);
}

TEST_F(PageFrameTest, SwitchesLeaveOutHeaderFrameAndFooter)
{
    AfxWriteProfileString(QStringLiteral("Settings"), QStringLiteral("PrintCondition"), QStringLiteral("200:100:200:200:2100:2970"));
    AfxWriteProfileString(QStringLiteral("Settings"), QStringLiteral("PrintHeader"), QStringLiteral("1:1:1"));
    g_pDoc->DrawPageFrame(&m_dc, &m_info, QStringLiteral("_x"));
    EXPECT_EQ(Count(m_dc, "Rectangle"), 0);
    EXPECT_EQ(Count(m_dc, "TextOut"), 0);
    g_pDoc->DrawPageFooter(&m_dc, &m_info, 0);
    EXPECT_EQ(Count(m_dc, "TextOut"), 1);
}

TEST_F(PageFrameTest, MarginChangesApplyToTheNextPage)
{
    g_pDoc->m_nMarginLeft = 250;
    g_pDoc->m_nMarginBottom = 300;
    g_pDoc->SavePrintSettings();
    g_pDoc->m_nMarginLeft = 200;            // the profile is read again for every page
    g_pDoc->DrawPageFrame(&m_dc, &m_info, QString());
    EXPECT_EQ(Find(m_dc, "Rectangle")->args, (std::vector<int>{250, -190, 1890, -2600}));
}

TEST_F(PageFrameTest, PaperFollowsTheA3Option)
{
    CSize size;
    g_bNoA3Paper = 0;
    g_pDoc->SetupPrinterPaper(&m_info, &size, DMPAPER_A3);
    EXPECT_EQ(size, CSize(2970, 4200));
    EXPECT_EQ(m_info.GetSettings().m_nPaperSize, DMPAPER_A3);
    EXPECT_EQ(g_pDoc->m_nPageHeight, 4200);

    g_bNoA3Paper = 1;
    size = CSize();
    g_pDoc->SetupPrinterPaper(&m_info, &size, DMPAPER_A3);
    EXPECT_EQ(size, CSize(2100, 2970));
    EXPECT_EQ(m_info.GetSettings().m_nPaperSize, DMPAPER_A4);
    size = CSize();
    g_pDoc->SetupPrinterPaper(&m_info, &size, DMPAPER_A3);     // already A4: nothing to set
    EXPECT_EQ(size, CSize());
    g_bNoA3Paper = 0;
}

namespace {
// A one-page printout in the report's style.
class FramePageView : public CView {
public:
    void OnBeginPrinting(CDC*, CPrintInfo* pInfo) override { pInfo->SetMaxPage(2); }
    void OnPrepareDC(CDC* pDC, CPrintInfo*) override { pDC->SetMapMode(MM_LOMETRIC); }
    void OnPrint(CDC* pDC, CPrintInfo* pInfo) override
    {
        auto* doc = static_cast<CMarivoltenDoc*>(GetDocument());
        CFont font;
        font.CreateFont(-35, 0, 0, 0, FW_NORMAL, 0, 0, 0, 0, 0, 0, 0, 0, QStringLiteral("ＭＳ 明朝"));
        CFont* old = pDC->SelectObject(&font);
        doc->DrawPageFrame(pDC, pInfo, QStringLiteral("_試験頁"));
        doc->DrawPageFooter(pDC, pInfo, 0);
        pDC->SelectObject(old);
    }
};
}

TEST_F(PageFrameTest, PrintedTestPageCarriesFrameHeaderCompanyAndNumber)
{
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("page.pdf"));
    CWnd parent;
    ASSERT_TRUE(parent.CreateEx(nullptr, CRect(0, 0, 300, 200), 0));
    auto* view = new FramePageView;
    ASSERT_TRUE(view->Create(&parent, g_pDoc, 1));
    ASSERT_TRUE(AfxPrintView(view, PrintMode::Pdf, pdf));
    view->DestroyWindow();
    ASSERT_TRUE(QFile::exists(pdf));
    if (const char* keep = std::getenv("MV_KEEP_PDF"))
        QFile::copy(pdf, QString::fromLocal8Bit(keep));

    QProcess text;
    text.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
    if (!text.waitForFinished(20000) || text.exitCode() != 0)
        GTEST_SKIP() << "pdftotext is not available";
    const QString out = QString::fromUtf8(text.readAllStandardOutput());
    EXPECT_TRUE(out.contains(QStringLiteral("_試験頁"))) << out.toStdString();
    EXPECT_TRUE(out.contains(QStringLiteral("架橋設計株式会社")));
    EXPECT_TRUE(out.contains(QRegularExpression(QStringLiteral("-\\s*1\\s*-")))) << out.toStdString();
    EXPECT_TRUE(out.contains(QRegularExpression(QStringLiteral("-\\s*2\\s*-"))));
}

TEST_F(ShellTest, PrintFormatDialogChecksAndStoresTheSettings)
{
    AfxSetModalHook([](CDialog* d) {
        EXPECT_EQ(d->GetDlgItem(IDC_MARGIN_TOP)->GetWindowText(), QStringLiteral("200"));
        EXPECT_EQ(d->GetDlgItem(IDC_MARGIN_RIGHT)->GetWindowText(), QStringLiteral("100"));
        d->GetDlgItem(IDC_MARGIN_LEFT)->SetWindowText(QStringLiteral("301"));
        d->SendMessage(WM_COMMAND, IDOK);
        EXPECT_EQ(d->GetModalResult(), -1);
        d->GetDlgItem(IDC_MARGIN_LEFT)->SetWindowText(QStringLiteral("150"));
        static_cast<CSpinButtonCtrl*>(d->GetDlgItem(IDC_MARGIN_RIGHT_SPIN))->Step(1);   // right 100 -> 101
        d->GetDlgItem(IDC_PRINT_COMPANY)->SetWindowText(QString());
        static_cast<CButton*>(d->GetDlgItem(IDC_NO_FRAME))->SetCheck(1);
        d->SendMessage(WM_COMMAND, IDOK);
    });
    Command(ID_PRINT_FORMAT);
    AfxSetModalHook({});
    ASSERT_EQ(m_shown.size(), 1);
    EXPECT_EQ(m_shown[0], QStringLiteral("100 から 300 までの整数を入力してください。"));
    EXPECT_EQ(g_pDoc->m_nMarginLeft, 150);
    EXPECT_EQ(g_pDoc->m_nMarginRight, 101);
    EXPECT_EQ(g_pDoc->m_bNoFrame, 1);
    EXPECT_EQ(AfxGetProfileString(QStringLiteral("Settings"), QStringLiteral("PrintCondition")),
              QStringLiteral("150:101:200:200:2100:2970"));
    EXPECT_EQ(AfxGetProfileString(QStringLiteral("Settings"), QStringLiteral("PrintHeader")), QStringLiteral("0:0:1"));
    EXPECT_EQ(GetCompanyName(), QString());
}

TEST_F(ShellTest, TestCommandTextLastsBetweenOpenings)
{
    AfxSetModalHook([](CDialog* d) {
        d->GetDlgItem(IDC_TEST_COMMAND)->SetWindowText(QStringLiteral("wexel"));
        d->SendMessage(WM_COMMAND, IDOK);
    });
    Command(ID_TEST_COMMAND);
    AfxSetModalHook([](CDialog* d) {
        EXPECT_EQ(d->GetDlgItem(IDC_TEST_COMMAND)->GetWindowText(), QStringLiteral("wexel"));
        d->SendMessage(WM_COMMAND, IDCANCEL);
    });
    Command(ID_TEST_COMMAND);
    AfxSetModalHook({});
    EXPECT_EQ(theApp.m_dlgTestCommand.m_strCommand, QStringLiteral("wexel"));
}

TEST_F(ShellTest, UserInfoKeepsTheCompanyName)
{
    SetCompanyName(QStringLiteral("旧社名"));
    AfxSetModalHook([](CDialog* d) {
        EXPECT_EQ(d->GetDlgItem(IDC_USER_COMPANY)->GetWindowText(), QStringLiteral("旧社名"));
        d->GetDlgItem(IDC_USER_COMPANY)->SetWindowText(QStringLiteral("新橋梁設計"));
        d->SendMessage(WM_COMMAND, IDOK);
    });
    Command(ID_USER_INFO);
    AfxSetModalHook({});
    EXPECT_EQ(GetCompanyName(), QStringLiteral("新橋梁設計"));
}

TEST_F(ShellTest, OriginAngleIsCheckedToItsRange)
{
    COriginAdjustDlg dlg;
    dlg.m_dAngle = 30.0;
    AfxSetModalHook([](CDialog* d) {
        d->GetDlgItem(IDC_ORIGIN_ANGLE)->SetWindowText(QStringLiteral("360"));
        d->SendMessage(WM_COMMAND, IDOK);
        d->GetDlgItem(IDC_ORIGIN_ANGLE)->SetWindowText(QStringLiteral("-359.999"));
        d->SendMessage(WM_COMMAND, IDOK);
    });
    EXPECT_EQ(dlg.DoModal(), IDOK);
    AfxSetModalHook({});
    ASSERT_EQ(m_shown.size(), 1);
    EXPECT_TRUE(m_shown[0].startsWith(QStringLiteral("-359.999 から 359.999 まで")));
    EXPECT_EQ(dlg.m_dAngle, -359.999);
}
