// Internal: the widget of a custom-drawn window and the event bridge.
#pragma once

#include <QObject>
#include <QWidget>
#include <QPainter>

class CWnd;

class WndBridge : public QObject {
public:
    explicit WndBridge(CWnd* wnd) : m_wnd(wnd) {}
    bool eventFilter(QObject* obj, QEvent* ev) override;
    CWnd* m_wnd;
};

// A widget whose drawing belongs to its CWnd.
class WndWidget : public QWidget {
public:
    explicit WndWidget(CWnd* wnd, QWidget* parent) : QWidget(parent), m_wnd(wnd)
    {
        setFocusPolicy(Qt::StrongFocus);
        setMouseTracking(true);
    }
    CWnd* m_wnd;
    static QPainter* s_currentPainter;
protected:
    void paintEvent(QPaintEvent*) override;
    bool focusNextPrevChild(bool) override { return false; }   // Tab reaches the window
};

UINT AfxQtKeyToVk(int key);

// The widget property that keeps the face a widget's font was named by (AfxGetWindowLogFont).
inline constexpr char kNamedFaceProperty[] = "mvNamedFace";
// A widget's font for a face named as on Windows ("ＭＳ Ｐゴシック") at a point size: the
// installed face it maps to, drawn unhinted as the device context draws, in its screen face
// where that size comes out small (AfxWriteOnScreen), whatever the locale.
QFont AfxScreenPointFont(const QString& face, int pointSize, const QWidget* on = nullptr);

// Dialogs and message boxes have a caption with a close button only, as on the desktop the
// program comes from; kind is Qt::Dialog, or Qt::Tool for a modeless window.
inline Qt::WindowFlags AfxDialogWindowFlags(Qt::WindowType kind = Qt::Dialog)
{
    return kind | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
        | Qt::WindowCloseButtonHint;
}

// Sets those hints and keeps the window at the size its layout asks for: a window manager
// that decides on its own whether to offer maximising leaves it out for a window of fixed size.
void AfxMakeDialogWindow(QWidget* w, Qt::WindowType kind = Qt::Dialog);

// The print dialog's location and type of the chosen printer: the printer's own details where
// the dialog found none, and a field left with nothing to say goes with its caption.
void AfxTidyPrinterFields(QWidget* printDialog);
