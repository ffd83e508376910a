// A drawing window's bar driven as a person drives it, and the calls a recording device
// context kept, picked out by kind.
#pragma once

#include <gtest/gtest.h>
#include <QAbstractSlider>
#include <QFile>
#include <QTemporaryDir>
#include <QStringList>
#include <vector>

#include "framework/bars.h"
#include "framework/dc.h"
#include "framework/dialog.h"
#include "framework/print.h"
#include "framework/view.h"

namespace barinput {

template <class T>
T* Control(CDialogBar& bar, int id) { return dynamic_cast<T*>(bar.GetControl(id)); }

inline QString Text(CDialogBar& bar, int id) { return bar.GetControl(id)->GetWindowText(); }

// The slider moved by one step onto position `to`, as an arrow key moves it.
inline void Slide(CDialogBar& bar, int id, int to)
{
    auto* w = qobject_cast<QAbstractSlider*>(Control<CSliderCtrl>(bar, id)->GetWidget());
    const int from = to > 0 ? to - 1 : 1;
    w->setValue(from);
    w->triggerAction(to > from ? QAbstractSlider::SliderSingleStepAdd : QAbstractSlider::SliderSingleStepSub);
}

// The view drawn afresh on the recording DC; what it drew.
inline const std::vector<CDC::Record>& Redraw(CDC& dc, CView* view)
{
    dc.ClearRecords();
    view->OnDraw(&dc);
    return dc.Records();
}

// The view printed into a PDF file: the file's bytes, empty when it failed.
inline QByteArray PrintedPdf(CView* view)
{
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("view.pdf"));
    QFile file(pdf);
    if (!AfxPrintView(view, PrintMode::Pdf, pdf) || !file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

// The calls of one kind drawn with a pen of that colour.
inline std::vector<CDC::Record> Ops(const CDC& dc, const char* op, COLORREF pen)
{
    std::vector<CDC::Record> out;
    for (const CDC::Record& r : dc.Records())
        if (r.op == QLatin1String(op) && r.penColor == pen)
            out.push_back(r);
    return out;
}

// The calls of one kind.
inline std::vector<CDC::Record> Calls(const CDC& dc, const char* op)
{
    std::vector<CDC::Record> out;
    for (const CDC::Record& r : dc.Records())
        if (r.op == QLatin1String(op))
            out.push_back(r);
    return out;
}

// The page frame of a printed page: the first rectangle drawn on it (empty when none was).
inline CRect PageFrame(const CDC& dc)
{
    const std::vector<CDC::Record> rects = Calls(dc, "Rectangle");
    return rects.empty() ? CRect() : CRect(rects[0].args[0], rects[0].args[1], rects[0].args[2], rects[0].args[3]);
}

// Every line and polygon drawn lies inside the frame (y up: top above bottom).
inline void ExpectDrawnInside(const CDC& dc, const CRect& frame)
{
    for (const CDC::Record& r : dc.Records())
        if (r.op == QLatin1String("LineTo") || r.op == QLatin1String("Polygon"))
            for (size_t i = 0; i + 1 < r.args.size(); i += 2) {
                EXPECT_GT(r.args[i], frame.left) << r.op.toStdString();
                EXPECT_LT(r.args[i], frame.right) << r.op.toStdString();
                EXPECT_LT(r.args[i + 1], frame.top) << r.op.toStdString();
                EXPECT_GT(r.args[i + 1], frame.bottom) << r.op.toStdString();
            }
}

// The texts written, without the spaces that right-align them.
inline QStringList Texts(const CDC& dc)
{
    QStringList out;
    for (const CDC::Record& r : dc.Records())
        if (r.op == QLatin1String("TextOut"))
            out << r.text.trimmed();
    return out;
}

}
