// Templates of the cross-section dimensions window.
#include "res/resources.h"

namespace {

ControlTemplate C(CtlKind kind, int id, const QString& text, int row, int col, UINT flags = 0, int group = 0,
                  int colSpan = 1, int cx = 0, int cy = 0, int rowSpan = 1)
{
    return {kind, id, text, row, col, rowSpan, colSpan, flags, group, cx, cy};
}

// The table on the left; on the right the picture, the row buttons under it in two rows
// of twelve, then the support chooser, the interpolation and the buttons.
DialogTemplate CrossSection()
{
    DialogTemplate t{IDD_CROSS_SECTION, QStringLiteral("横断面寸法"), QStringLiteral("ＭＳ Ｐゴシック"), 9, 0, 0, {}};
    auto& c = t.controls;
    c.push_back(C(CtlKind::Custom, IDC_CS_TABLE, QStringLiteral("横断面寸法入力ﾃｰﾌﾞﾙ"), 0, 0, 0, 0, 1, 300, 0, 6));
    c.push_back(C(CtlKind::Custom, IDC_CS_PICTURE, QString(), 0, 1, 0, 0, 12, 0, 170));
    for (int i = 0; i < 12; ++i)
        c.push_back(C(CtlKind::RadioButton, IDC_CS_B1 + i, QStringLiteral("B%1").arg(i + 1), 1, 1 + i,
                      CF_PUSHLIKE | (i == 0 ? UINT(CF_GROUP) : 0u), 0, 1, 22));
    for (int i = 0; i < 12; ++i)
        c.push_back(C(CtlKind::RadioButton, IDC_CS_H1 + i, QStringLiteral("H%1").arg(i + 1), 2, 1 + i, CF_PUSHLIKE, 0,
                      1, 22));

    c.push_back(C(CtlKind::Static, IDC_CS_SUPPORT_LABEL, QStringLiteral("支点の選択"), 3, 1, 0, 0, 2));
    c.push_back(C(CtlKind::Static, IDC_STATIC, QStringLiteral("支点No."), 3, 3, CF_ALIGN_RIGHT, 0, 2));
    c.push_back(C(CtlKind::Edit, IDC_CS_SUPPORT_NO, QString(), 3, 5, CF_READONLY | CF_ALIGN_RIGHT | CF_GROUP, 0, 1, 22));
    c.push_back(C(CtlKind::Spin, IDC_CS_SUPPORT_SPIN, QStringLiteral("Spin1"), 3, 6));
    c.push_back(C(CtlKind::Static, IDC_CS_SUPPORT_ARROWS, QStringLiteral("+     -"), 3, 7, 0, 0, 2));

    c.push_back(C(CtlKind::GroupBox, IDC_CS_INTERPOLATION_GROUP, QStringLiteral("横断面間の補間方法"), 4, 1, 0, 0, 6));
    c.push_back(C(CtlKind::RadioButton, IDC_CS_LINEAR, QStringLiteral("直線"), 0, 0, CF_GROUP, IDC_CS_INTERPOLATION_GROUP));
    c.push_back(C(CtlKind::RadioButton, IDC_CS_SPLINE, QStringLiteral("ｽﾌﾟﾗｲﾝ"), 0, 1, 0, IDC_CS_INTERPOLATION_GROUP));
    c.push_back(C(CtlKind::PushButton, IDC_CS_COPY, QStringLiteral("第1支点から複製"), 4, 8, CF_GROUP, 0, 4, 0, 14));

    c.push_back(C(CtlKind::PushButton, IDC_CS_UPDATE, QStringLiteral("更新済み"), 5, 4, CF_DISABLED | CF_GROUP, 0, 3, 0, 14));
    c.push_back(C(CtlKind::PushButton, ID_SETUP_CROSS_SECTION, QStringLiteral("閉じる"), 5, 7, 0, 0, 3, 0, 14));
    c.push_back(C(CtlKind::PushButton, ID_HELP, QStringLiteral("ﾍﾙﾌﾟ"), 5, 10, 0, 0, 3, 0, 14));
    // Enter and Escape do nothing here: their buttons are out of use.
    c.push_back(C(CtlKind::PushButton, IDOK, QStringLiteral("OK"), 6, 1, CF_HIDDEN | CF_DISABLED));
    c.push_back(C(CtlKind::PushButton, IDCANCEL, QStringLiteral("ｷｬﾝｾﾙ"), 6, 2, CF_HIDDEN | CF_DISABLED));
    return t;
}

}

std::vector<DialogTemplate> CrossSectionDialogTemplates()
{
    return {CrossSection()};
}
