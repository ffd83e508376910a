// A grid in a shown, active top-level window, and input as a person gives it: key and
// mouse events through the toolkit, with Shift and Ctrl as they are held.
#pragma once

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <tuple>
#include <vector>

#include "framework/wnd.h"
#include "framework/wndextras.h"
#include "grid/gridctrl.h"

namespace gridui {

// The grid's parent; it keeps the private messages it is sent.
class HostWnd : public CWnd {
public:
    std::vector<std::tuple<UINT, WPARAM, LPARAM>> messages;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message >= WM_USER)
            messages.emplace_back(message, wParam, lParam);
        return CWnd::WindowProc(message, wParam, lParam);
    }
    int Count(UINT message) const
    {
        int n = 0;
        for (const auto& m : messages)
            n += std::get<0>(m) == message;
        return n;
    }
};

inline void Activate(CWnd* top)
{
    top->ShowWindow(SW_SHOW);
    QApplication::setActiveWindow(top->GetWidget());
    QApplication::processEvents();
}

// A grid of cols x rows, rect inside a host window, shown and active.
template <class Grid>
struct Hosted {
    HostWnd host;
    Grid grid;
    explicit Hosted(int cols, int rows, CRect rect = CRect(0, 0, 420, 260))
    {
        host.CreateEx(nullptr, CRect(0, 0, rect.right + 10, rect.bottom + 10), 0);
        grid.CreateGrid(WS_CHILD | WS_VISIBLE, rect, &host, 100);
        grid.SetNumberCols(cols);
        grid.SetNumberRows(rows);
        Activate(&host);
        grid.m_area.SetFocus();
    }
    QWidget* Area() { return grid.m_area.GetWidget(); }
    QLineEdit* Edit() { return qobject_cast<QLineEdit*>(grid.GetEdit()->GetWidget()); }
    QString Text(int col, int row)
    {
        CGridCell c;
        grid.GetCellIndirect(col, row, &c);
        return c.GetText();
    }
    // The centre of a visible cell in the area.
    QPoint At(int col, int row)
    {
        CRect r;
        grid.GetCellRect(col, row, &r);
        return QPoint((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    }
};

inline QWidget* Focus() { return QApplication::focusWidget(); }

inline void Key(QWidget* target, int key, Qt::KeyboardModifiers mods = Qt::NoModifier, const QString& text = QString())
{
    QKeyEvent press(QEvent::KeyPress, key, mods, text);
    QApplication::sendEvent(target, &press);
    QKeyEvent release(QEvent::KeyRelease, key, mods, text);
    QApplication::sendEvent(target, &release);
}

// Types the text into whatever has the focus, one key per character.
inline void Type(const QString& text)
{
    for (QChar c : text)
        Key(Focus(), int(c.toUpper().unicode()), Qt::NoModifier, QString(c));
}

inline void Mouse(QWidget* w, QEvent::Type type, QPoint p, Qt::MouseButton button = Qt::LeftButton,
                  Qt::KeyboardModifiers mods = Qt::NoModifier)
{
    const Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton
                                : type == QEvent::MouseMove ? Qt::MouseButtons(button) : Qt::MouseButtons(button);
    QMouseEvent e(type, QPointF(p), QPointF(w->mapToGlobal(p)), type == QEvent::MouseMove ? Qt::NoButton : button,
                  held, mods);
    QApplication::sendEvent(w, &e);
}

inline void Click(QWidget* w, QPoint p, Qt::KeyboardModifiers mods = Qt::NoModifier, Qt::MouseButton button = Qt::LeftButton)
{
    Mouse(w, QEvent::MouseButtonPress, p, button, mods);
    Mouse(w, QEvent::MouseButtonRelease, p, button, mods);
}

} // namespace gridui
