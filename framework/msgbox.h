// Message boxes, beeps and the test hooks of every modal loop.
#pragma once

#include <functional>
#include <QString>
#include "framework/types.h"

class CDialog;

int AfxMessageBox(const QString& text, UINT nType = MB_OK, UINT nIDHelp = 0);
// A message box with its own caption instead of the program's name.
int AfxMessageBoxEx(const QString& text, const QString& caption, UINT nType = MB_OK);
void MessageBeep(UINT nType = 0xFFFFFFFF);

enum : UINT { MB_BEEP_ASTERISK = MB_ICONASTERISK };

// Test hooks. A message-box handler answers instead of a person; a modal
// hook is called once a dialog's modal loop runs and is expected to end it.
using MessageBoxHandler = std::function<int(const QString& text, UINT nType)>;
void AfxSetMessageBoxHandler(MessageBoxHandler handler);
using ModalHook = std::function<void(CDialog* pDlg)>;
void AfxSetModalHook(ModalHook hook);
const ModalHook& AfxGetModalHook();
int AfxGetBeepCount();
QString AfxGetLastMessageBoxCaption();
UINT AfxGetLastBeepType();
