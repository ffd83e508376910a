// The clipboard, in plain text. Qt's clipboard holds Unicode, so no code page is involved.
#pragma once

#include <QString>
#include "framework/types.h"

// Puts the text on the clipboard in place of what it held; FALSE when it could not take it.
BOOL AfxSetClipboardText(const QString& text);
// A copy of the clipboard's text; FALSE (and an empty text) when it holds no text.
BOOL AfxGetClipboardText(QString* pText);
