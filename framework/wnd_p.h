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
