// The please-wait window of the calculations: shown over the main window while the
// calculation pumps events, animated by its timer, closed only by the program.
#include "common/shell_fixture.h"
#include "app/progress_dlg.h"
#include "framework/dc.h"
#include "framework/process.h"
#include "framework/wndextras.h"
#include "grid/grid_ui.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>
#include <QThread>
#include <set>

namespace {

class ProgressTest : public ShellTest {
protected:
    void TearDown() override
    {
        Dlg().Stop();
        ShellTest::TearDown();
    }
    static CCalcProgressDlg& Dlg() { return *g_pDoc->m_pProgressDlg; }

    // Runs the calculation's event pump until the picture has changed `changes` times
    // (at most a few seconds); returns the changes seen.
    static int PumpUntilFrameChanges(int changes)
    {
        QElapsedTimer clock;
        clock.start();
        int seen = 0, last = Dlg().GetFrame();
        while (seen < changes && clock.elapsed() < 5000) {
            AfxPumpNonInputEvents();
            QThread::msleep(5);
            if (Dlg().GetFrame() != last) {
                last = Dlg().GetFrame();
                ++seen;
            }
        }
        return seen;
    }

    static QImage Picture(int nAnimation, int nFrame)
    {
        QImage image(CCalcProgressDlg::kPictureWidth, CCalcProgressDlg::kPictureHeight, QImage::Format_RGB32);
        QPainter painter(&image);
        CDC dc(&painter);
        CCalcProgressDlg::DrawFrame(&dc, CRect(0, 0, image.width(), image.height()), nAnimation, nFrame);
        return image;
    }

    static bool HasColour(const QImage& image, QRgb colour)
    {
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                if ((image.pixel(x, y) & 0xFFFFFF) == (colour & 0xFFFFFF))
                    return true;
        return false;
    }
};

TEST_F(ProgressTest, ShownOverTheMainWindowAnimatedAndClosedOnlyByTheProgram)
{
    EXPECT_FALSE(Dlg().IsShown());
    Dlg().Start(0);
    ASSERT_TRUE(Dlg().IsShown());
    EXPECT_EQ(Dlg().GetFrame(), 0);
    QWidget* w = Dlg().GetWidget();
    EXPECT_EQ(w->windowModality(), Qt::ApplicationModal);
    EXPECT_FALSE(w->windowFlags() & Qt::WindowCloseButtonHint);
    EXPECT_EQ(QApplication::activeModalWidget(), w);

    CRect main, dlg;
    g_pMainFrame->GetWindowRect(&main);
    Dlg().GetWindowRect(&dlg);
    EXPECT_NEAR(dlg.CenterPoint().x, main.CenterPoint().x, 2);
    EXPECT_NEAR(dlg.CenterPoint().y, main.CenterPoint().y, 2);

    // The timer moves the picture while the calculation pumps events.
    EXPECT_EQ(PumpUntilFrameChanges(2), 2);

    // Enter, Escape and the window manager's close leave it up.
    for (int key : {int(Qt::Key_Escape), int(Qt::Key_Return)}) {
        gridui::Key(w, key);
        EXPECT_TRUE(Dlg().IsShown()) << key;
    }
    w->close();
    EXPECT_TRUE(Dlg().IsShown());

    // The second pass starts it again: it stays where it is and keeps moving.
    Dlg().Start(0);
    EXPECT_TRUE(Dlg().IsShown());
    EXPECT_EQ(PumpUntilFrameChanges(1), 1);

    Dlg().Stop();
    EXPECT_FALSE(Dlg().IsShown());
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    const int frame = Dlg().GetFrame();
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < 2 * CCalcProgressDlg::kFrameMs)
        AfxPumpNonInputEvents();
    EXPECT_EQ(Dlg().GetFrame(), frame);

    // The next run starts from the first picture.
    Dlg().Start(0);
    EXPECT_EQ(Dlg().GetFrame(), 0);
}

TEST_F(ProgressTest, FivePicturesInTurnThenTheFirstAgain)
{
    Dlg().Start(1);
    for (int i = 1; i <= CCalcProgressDlg::kFrames; ++i) {
        Dlg().OnTimer(CCalcProgressDlg::kTimerId);
        EXPECT_EQ(Dlg().GetFrame(), i % CCalcProgressDlg::kFrames);
    }
    // Every picture of both animations is a different one.
    std::set<QByteArray> pictures;
    for (int animation : {0, 1})
        for (int frame = 0; frame < CCalcProgressDlg::kFrames; ++frame) {
            const QImage image = Picture(animation, frame);
            pictures.insert(QByteArray(reinterpret_cast<const char*>(image.constBits()), image.sizeInBytes()));
        }
    EXPECT_EQ(pictures.size(), size_t(2 * CCalcProgressDlg::kFrames));
}

TEST_F(ProgressTest, TheWindowShowsTheChosenMachine)
{
    // The crank calculator's green body, the electronic one's grey.
    const QRgb crankBody = qRgb(52, 86, 74), electronicBody = qRgb(58, 62, 72);
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    for (UINT command : {UINT(ID_CALCULATOR_TIGER), UINT(ID_CALCULATOR_CACIO)}) {
        Command(command);
        Dlg().Start(g_pDoc->ReadAnimationChoice());
        const bool electronic = command == ID_CALCULATOR_CACIO;
        EXPECT_EQ(Dlg().GetAnimation(), electronic ? 1 : 0);
        const QString file = dir.filePath(QStringLiteral("progress%1.png").arg(Dlg().GetAnimation()));
        ASSERT_TRUE(AfxSaveWindowImage(&Dlg(), file));
        const QImage shot(file);
        ASSERT_FALSE(shot.isNull());
        EXPECT_GE(shot.width(), CCalcProgressDlg::kPictureWidth);
        EXPECT_GE(shot.height(), CCalcProgressDlg::kPictureHeight);
        EXPECT_EQ(HasColour(shot, crankBody), !electronic);
        EXPECT_EQ(HasColour(shot, electronicBody), electronic);
        Dlg().Stop();
    }
    Command(ID_CALCULATOR_TIGER);
}

}
