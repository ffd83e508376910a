#include "framework/clipboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

BOOL AfxSetClipboardText(const QString& text)
{
    QClipboard* cb = QGuiApplication::clipboard();
    if (!cb)
        return FALSE;
    cb->setText(text);
    return TRUE;
}

BOOL AfxGetClipboardText(QString* pText)
{
    if (pText)
        pText->clear();
    QClipboard* cb = QGuiApplication::clipboard();
    const QMimeData* data = cb ? cb->mimeData() : nullptr;
    if (!data || !data->hasText())
        return FALSE;
    if (pText)
        *pText = data->text();
    return TRUE;
}
