#include "framework/msgbox.h"
#include "framework/wnd_p.h"

#include <QApplication>
#include <QFontMetrics>
#include <QGridLayout>
#include <QMessageBox>
#include <QSpacerItem>

namespace {
MessageBoxHandler g_handler;
ModalHook g_modalHook;
int g_beeps = 0;
UINT g_lastBeep = 0;
QString g_lastCaption;
}

void AfxSetMessageBoxHandler(MessageBoxHandler handler) { g_handler = std::move(handler); }
void AfxSetModalHook(ModalHook hook) { g_modalHook = std::move(hook); }
const ModalHook& AfxGetModalHook() { return g_modalHook; }
int AfxGetBeepCount() { return g_beeps; }
UINT AfxGetLastBeepType() { return g_lastBeep; }
QString AfxGetLastMessageBoxCaption() { return g_lastCaption; }

void MessageBeep(UINT nType)
{
    ++g_beeps;
    g_lastBeep = nType;
    QApplication::beep();
}

int AfxMessageBox(const QString& text, UINT nType, UINT)
{
    return AfxMessageBoxEx(text, QStringLiteral("Marivolten"), nType);
}

int AfxMessageBoxEx(const QString& text, const QString& caption, UINT nType)
{
    g_lastCaption = caption;
    if (g_handler)
        return g_handler(text, nType);

    QMessageBox box(QApplication::activeWindow());
    box.setWindowFlags(AfxDialogWindowFlags());
    box.setWindowTitle(caption);
    box.setText(text);
    switch (nType & MB_ICONMASK) {
    case MB_ICONSTOP: box.setIcon(QMessageBox::Critical); break;
    case MB_ICONQUESTION: box.setIcon(QMessageBox::Question); break;
    case MB_ICONEXCLAMATION: box.setIcon(QMessageBox::Warning); break;
    case MB_ICONINFORMATION: box.setIcon(QMessageBox::Information); break;
    default: break;
    }
    struct Btn { QMessageBox::StandardButton button; int id; const char* text; };
    std::vector<Btn> buttons;
    switch (nType & MB_TYPEMASK) {
    case MB_OKCANCEL: buttons = {{QMessageBox::Ok, IDOK, "OK"}, {QMessageBox::Cancel, IDCANCEL, "キャンセル"}}; break;
    case MB_YESNOCANCEL:
        buttons = {{QMessageBox::Yes, IDYES, "はい(&Y)"}, {QMessageBox::No, IDNO, "いいえ(&N)"},
                   {QMessageBox::Cancel, IDCANCEL, "キャンセル"}};
        break;
    case MB_YESNO: buttons = {{QMessageBox::Yes, IDYES, "はい(&Y)"}, {QMessageBox::No, IDNO, "いいえ(&N)"}}; break;
    case MB_RETRYCANCEL: buttons = {{QMessageBox::Retry, IDRETRY, "再試行(&R)"}, {QMessageBox::Cancel, IDCANCEL, "キャンセル"}}; break;
    case MB_ABORTRETRYIGNORE:
        buttons = {{QMessageBox::Abort, IDABORT, "中止(&A)"}, {QMessageBox::Retry, IDRETRY, "再試行(&R)"},
                   {QMessageBox::Ignore, IDIGNORE, "無視(&I)"}};
        break;
    default: buttons = {{QMessageBox::Ok, IDOK, "OK"}}; break;
    }
    QMessageBox::StandardButtons all;
    for (const auto& b : buttons)
        all |= b.button;
    box.setStandardButtons(all);
    for (const auto& b : buttons)
        box.button(b.button)->setText(QString::fromUtf8(b.text));
    const int def = (nType >> 8) & 0xF;
    if (def < int(buttons.size()))
        box.setDefaultButton(buttons[size_t(def)].button);
    // Wide enough for its caption beside the title bar's buttons: a short text alone would
    // leave the caption cut to "..".
    if (auto* grid = qobject_cast<QGridLayout*>(box.layout())) {
        const int captionWidth = QFontMetrics(QApplication::font("QMdiSubWindowTitleBar")).horizontalAdvance(caption);
        grid->addItem(new QSpacerItem(captionWidth + 160, 0, QSizePolicy::Minimum, QSizePolicy::Fixed),
                      grid->rowCount(), 0, 1, grid->columnCount());
    }
    const auto result = QMessageBox::StandardButton(box.exec());
    for (const auto& b : buttons)
        if (b.button == result)
            return b.id;
    return (nType & MB_TYPEMASK) == MB_OK ? IDOK : IDCANCEL;
}
