// Saving and opening a design in the running program: the design comes back, files of
// older formats are converted with their message, and the save question comes first.
#include "common/dialog_input.h"
#include "common/shell_fixture.h"

#include <QTemporaryDir>

#include "app/design_file.h"
#include "app/design_state.h"
#include "framework/archive.h"
#include "input/modeless_dialogs.h"

namespace {

class DesignOpenTest : public ShellTest {
protected:
    // A two-span design with some input away from its defaults.
    void Enter()
    {
        dialoginput::ConfirmBasic(QStringLiteral("2"), [](CDialog* d) {
            d->GetDlgItem(IDC_TITLE)->SetWindowText(QStringLiteral("新川橋"));
        });
        g_pPanelDlg->m_adGirderSpacing[1][0] = 2.9;
        g_pCrossSectionDlg->m_arrB2[3] = 0.6;
        g_pDoc->m_dlgSteelWeight.m_adSteelWeight[1] = 5.5;
        g_pDoc->m_dlgEstimate.m_dlgFitting.m_nRailingType = 1;
        g_pDoc->Rebuild(CMarivoltenDoc::RebuildReason::Spans);
        m_shown.clear();
    }
    QString Write(const CDesignFormat& format = CDesignFormat())
    {
        const QString path = m_dir.filePath(QStringLiteral("design.mvl"));
        CArchive ar(path, CArchive::store);
        WriteDesignAs(ar, CaptureDesign(), format);
        ar.Close();
        return path;
    }
    QTemporaryDir m_dir;
};

}

TEST_F(DesignOpenTest, SavedDesignOpensAsItWasAndSavesToTheSameBytes)
{
    Enter();
    const CDesignState before = CaptureDesign();
    const QString path = m_dir.filePath(QStringLiteral("saved.mvl"));
    ASSERT_TRUE(g_pDoc->OnSaveDocument(path));
    QFile saved(path);
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    const QByteArray bytes = saved.readAll();

    Answer({IDNO});
    Command(ID_FILE_NEW);
    ASSERT_TRUE(theApp.OpenDesign(path));
    EXPECT_TRUE(m_shown.isEmpty()) << m_shown.join(QLatin1Char('|')).toStdString();
    EXPECT_EQ(g_pDoc->GetTitle(), QStringLiteral("saved"));
    EXPECT_FALSE(g_pDoc->IsModified());
    const CDesignState after = CaptureDesign();
    EXPECT_EQ(after.basic.m_strTitle, QStringLiteral("新川橋"));
    EXPECT_TRUE(after.panel == before.panel);
    EXPECT_TRUE(after.crossSection == before.crossSection);
    EXPECT_TRUE(after.steelWeight == before.steelWeight);
    EXPECT_TRUE(after.estimateFitting == before.estimateFitting);
    EXPECT_TRUE(after.layout == before.layout);
    EXPECT_EQ(g_pDoc->m_aSpans.size(), 2u);

    const QString again = m_dir.filePath(QStringLiteral("again.mvl"));
    ASSERT_TRUE(g_pDoc->OnSaveDocument(again));
    QFile second(again);
    ASSERT_TRUE(second.open(QIODevice::ReadOnly));
    EXPECT_EQ(second.readAll(), bytes);
}

TEST_F(DesignOpenTest, OlderFilesAreConvertedWithOneMessage)
{
    Enter();
    const double deadLoad = g_pDoc->m_dlgDeadLoad.m_adValue[0];
    // Before the unit choice and without the impact results: the oldest missing format is named.
    CDesignFormat old;
    old.abFlags[2] = 0;
    old.abFlags[3] = 0;
    const QString path = Write(old);
    g_bSIUnits = 1;
    Answer({IDNO});
    Command(ID_FILE_NEW);
    m_shown.clear();
    ASSERT_TRUE(theApp.OpenDesign(path));
    ASSERT_EQ(m_shown.size(), 1);
    EXPECT_EQ(m_shown[0], QStringLiteral("Ver.1.5より旧い形式のデータファイルです。\n保存時に自動的に新しいファイル形式に変換されます。"));
    EXPECT_DOUBLE_EQ(g_pDoc->m_dlgDeadLoad.m_adValue[0], deadLoad * 9.80665);
    EXPECT_EQ(g_pDoc->m_adImpactCoef[0], -1.0);
    EXPECT_EQ(g_pDoc->m_bFirstDesign, 1);
}

TEST_F(DesignOpenTest, AutomaticMultiSpanCorrectionIsGivenUpOnOpening)
{
    Enter();
    g_pDoc->m_dlgEstimate.m_dlgFitting.m_nMultiSpanCorrection = 0;
    const QString path = Write();
    Answer({IDNO});
    Command(ID_FILE_NEW);
    m_shown.clear();
    bool shown = false;
    AfxSetModalHook([&](CDialog* d) {
        shown = d == &g_pDoc->m_dlgEstimate.m_dlgFitting;
        d->SendMessage(WM_COMMAND, IDOK);
    });
    ASSERT_TRUE(theApp.OpenDesign(path));
    AfxSetModalHook({});
    EXPECT_TRUE(shown);
    ASSERT_EQ(m_shown.size(), 1);
    EXPECT_TRUE(m_shown[0].startsWith(QStringLiteral("＜積算データ＞の重連補正を「自動決定」より「補正なし」に変更します。")));
    EXPECT_EQ(g_pDoc->m_dlgEstimate.m_dlgFitting.m_nMultiSpanCorrection, 1);
    EXPECT_TRUE(g_pDoc->IsModified());
}

TEST_F(DesignOpenTest, NewerAndBrokenFilesLeaveTheOpenDesign)
{
    Enter();
    CDesignFormat newer;
    newer.nVersion = 1900;
    const QString path = Write(newer);
    CMarivoltenDoc* doc = g_pDoc;
    const CDesignState before = CaptureDesign();
    m_shown.clear();
    EXPECT_FALSE(theApp.OpenDesign(path, TRUE));
    ASSERT_EQ(m_shown.size(), 1);
    EXPECT_EQ(m_shown[0], QStringLiteral("新バージョンプログラムを使用して保存されたデータのため読み込めません。\r"
                                         "プログラムをバージョンアップしてください。"));
    EXPECT_EQ(g_pDoc, doc);
    EXPECT_TRUE(CaptureDesign() == before);
}
