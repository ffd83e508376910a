// What a window shows of its texts: the static texts, button texts and group titles, and the
// table headings of its grids, that their controls cannot show whole at their own font or
// that break a line where no text means to.
#pragma once

#include <QAbstractButton>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QStringList>
#include <QStyleOptionButton>
#include <QStyleOptionGroupBox>

#include "common/grid_checks.h"
#include "framework/wnd.h"

namespace textchecks {

// Room a text of these lines takes at the widget's font.
inline QSize TextSize(const QWidget* w, const QString& text)
{
    const QFontMetrics fm = w->fontMetrics();
    const QStringList lines = QString(text).remove(QLatin1Char('&')).split(QLatin1Char('\n'));
    int width = 0;
    for (const QString& line : lines)
        width = std::max(width, fm.horizontalAdvance(line));
    return {width, int(lines.size()) * fm.height()};
}

inline bool Holds(const QRect& room, QSize text) { return text.width() <= room.width() && text.height() <= room.height(); }

// A line broken inside brackets, as a unit "(N" above "/mm2)": no text means to break there.
inline bool BrokenInBrackets(const QString& text)
{
    int depth = 0;
    for (QChar c : text) {
        if (c == u'(' || c == u'（')
            ++depth;
        else if ((c == u')' || c == u'）') && depth > 0)
            --depth;
        else if (c == u'\n' && depth > 0)
            return true;
    }
    return false;
}

// Each shown text of the window's controls that its control cuts, as "id: text", and each
// table heading its grid cuts, as "id col,row: text".
inline QStringList CutTexts(QWidget* window)
{
    QStringList cut;
    auto name = [](QWidget* w) { return w->objectName().isEmpty() ? QString::fromLatin1(w->metaObject()->className()) : w->objectName(); };
    auto report = [&](QWidget* w, QString text) { cut << name(w) + QStringLiteral(": ") + text.replace(u'\n', u'|'); };
    for (QWidget* w : window->findChildren<QWidget*>()) {
        if (!w->isVisibleTo(window))
            continue;
        if (auto* l = qobject_cast<QLabel*>(w)) {
            if (l->text().isEmpty())
                continue;
            const QRect room = l->contentsRect().adjusted(l->margin(), l->margin(), -l->margin(), -l->margin());
            if (!Holds(room, TextSize(l, l->text())) || BrokenInBrackets(l->text()))
                report(l, l->text());
        } else if (auto* b = qobject_cast<QAbstractButton*>(w)) {
            if (b->text().isEmpty() || (!qobject_cast<QPushButton*>(w) && !qobject_cast<QCheckBox*>(w)
                                        && !qobject_cast<QRadioButton*>(w)))
                continue;
            QStyleOptionButton opt;
            opt.initFrom(b);
            opt.text = b->text();
            const QStyle::SubElement contents = qobject_cast<QPushButton*>(w) ? QStyle::SE_PushButtonContents
                : qobject_cast<QCheckBox*>(w) ? QStyle::SE_CheckBoxContents : QStyle::SE_RadioButtonContents;
            if (!Holds(b->style()->subElementRect(contents, &opt, b), TextSize(b, b->text()))
                || BrokenInBrackets(b->text()))
                report(b, b->text());
        } else if (auto* g = qobject_cast<QGroupBox*>(w)) {
            if (g->title().isEmpty())
                continue;
            QStyleOptionGroupBox opt;
            opt.initFrom(g);
            opt.text = g->title();
            opt.subControls = QStyle::SC_GroupBoxLabel | QStyle::SC_GroupBoxFrame;
            const QRect label = g->style()->subControlRect(QStyle::CC_GroupBox, &opt, QStyle::SC_GroupBoxLabel, g);
            // The title is drawn from the label's left edge, unclipped: the box holds it.
            if (label.left() + TextSize(g, g->title()).width() > g->width())
                report(g, g->title());
        } else if (auto* grid = dynamic_cast<CGridCtrl*>(CWnd::FromWidget(w))) {
            for (const QString& text : gridchecks::CutTexts(*grid))
                cut << name(w) + QLatin1Char(' ') + text;
        }
    }
    return cut;
}

}
