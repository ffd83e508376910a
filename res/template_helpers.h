// Short forms of dialog and control templates for the template files: a grid layout, the
// optional values last.
#pragma once

#include "res/resources.h"

namespace tpl {

inline DialogTemplate Dialog(UINT id, const QString& caption)
{
    return {id, caption, QStringLiteral("ＭＳ Ｐゴシック"), 9, 0, 0, {}};
}

// Controls that may sit inside a group box (group 0: on the dialog itself).
namespace grouped {
inline ControlTemplate C(CtlKind kind, int id, const QString& text, int row, int col, UINT flags = 0, int group = 0,
                         int colSpan = 1, int cx = 0, int cy = 0, int rowSpan = 1)
{
    return {kind, id, text, row, col, rowSpan, colSpan, flags, group, cx, cy};
}
inline ControlTemplate C(CtlKind kind, int id, const char* text, int row, int col, UINT flags = 0, int group = 0,
                         int colSpan = 1, int cx = 0, int cy = 0, int rowSpan = 1)
{
    return C(kind, id, QString::fromUtf8(text), row, col, flags, group, colSpan, cx, cy, rowSpan);
}
}

// OK above Cancel in one column of the dialog's grid.
inline void OkCancel(std::vector<ControlTemplate>& c, int row, int col)
{
    c.push_back(grouped::C(CtlKind::PushButton, IDOK, QStringLiteral("OK"), row, col, CF_DEFAULT | CF_GROUP, 0, 1, 50, 14));
    c.push_back(grouped::C(CtlKind::PushButton, IDCANCEL, QStringLiteral("ｷｬﾝｾﾙ"), row + 1, col, 0, 0, 1, 50, 14));
}

// Controls on the dialog itself.
namespace plain {
inline ControlTemplate C(CtlKind kind, int id, const char* text, int row, int col, UINT flags = 0, int colSpan = 1,
                         int cx = 0, int cy = 0, int rowSpan = 1)
{
    return {kind, id, QString::fromUtf8(text), row, col, rowSpan, colSpan, flags, 0, cx, cy};
}
}

}
