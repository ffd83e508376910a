// Templates of the cross-section dimensions window.
#include "res/template_helpers.h"

namespace {

using tpl::grouped::C;

// The table on the left; the picture with its row buttons beside it in two columns, then the
// support chooser, the interpolation and the buttons under it.
DialogTemplate CrossSection()
{
    DialogTemplate t = tpl::Dialog(IDD_CROSS_SECTION, QStringLiteral("横断面寸法"));
    auto& c = t.controls;
    c.push_back(C(CtlKind::Custom, IDC_CS_TABLE, QStringLiteral("横断面寸法入力ﾃｰﾌﾞﾙ"), 0, 0, 0, 0, 1, 270, 320, 15));
    c.push_back(C(CtlKind::Custom, IDC_CS_PICTURE, QString(), 0, 1, 0, 0, 1, 400, 200, 12));
    // A sidewalk's buttons are hidden without one; the others stay in place.
    for (int i = 0; i < 12; ++i)
        c.push_back(C(CtlKind::RadioButton, IDC_CS_B1 + i, QStringLiteral("B%1").arg(i + 1), i, 2,
                      CF_PUSHLIKE | CF_KEEPPLACE | (i == 0 ? UINT(CF_GROUP) : 0u)));
    for (int i = 0; i < 12; ++i)
        c.push_back(C(CtlKind::RadioButton, IDC_CS_H1 + i, QStringLiteral("H%1").arg(i + 1), i, 3, CF_PUSHLIKE | CF_KEEPPLACE));

    c.push_back(C(CtlKind::GroupBox, IDC_CS_SUPPORT_GROUP, QString(), 12, 1));
    c.push_back(C(CtlKind::Static, IDC_CS_SUPPORT_LABEL, QStringLiteral("支点の選択"), 0, 0, 0, IDC_CS_SUPPORT_GROUP));
    c.push_back(C(CtlKind::Static, IDC_STATIC, QStringLiteral("支点No."), 0, 1, CF_ALIGN_RIGHT, IDC_CS_SUPPORT_GROUP));
    c.push_back(C(CtlKind::Edit, IDC_CS_SUPPORT_NO, QString(), 0, 2, CF_READONLY | CF_ALIGN_RIGHT | CF_GROUP | CF_FIXEDWIDTH,
                  IDC_CS_SUPPORT_GROUP, 1, 24));
    c.push_back(C(CtlKind::Spin, IDC_CS_SUPPORT_SPIN, QStringLiteral("Spin1"), 0, 3, CF_HORZ, IDC_CS_SUPPORT_GROUP));
    c.push_back(C(CtlKind::Static, IDC_CS_SUPPORT_ARROWS, QStringLiteral("+     -"), 0, 4, 0, IDC_CS_SUPPORT_GROUP));
    c.push_back(C(CtlKind::PushButton, IDC_CS_COPY, QStringLiteral("第1支点から複製"), 12, 2, CF_GROUP, 0, 2, 0, 14));

    c.push_back(C(CtlKind::GroupBox, IDC_CS_INTERPOLATION_GROUP, QStringLiteral("横断面間の補間方法"), 13, 1, 0, 0, 1, 0, 0, 2));
    c.push_back(C(CtlKind::RadioButton, IDC_CS_LINEAR, QStringLiteral("直線"), 0, 0, CF_GROUP, IDC_CS_INTERPOLATION_GROUP));
    c.push_back(C(CtlKind::RadioButton, IDC_CS_SPLINE, QStringLiteral("ｽﾌﾟﾗｲﾝ"), 0, 1, 0, IDC_CS_INTERPOLATION_GROUP));

    c.push_back(C(CtlKind::PushButton, IDC_CS_UPDATE, QStringLiteral("更新済み"), 13, 2, CF_DISABLED | CF_GROUP, 0, 1, 0, 14));
    c.push_back(C(CtlKind::PushButton, ID_SETUP_CROSS_SECTION, QStringLiteral("閉じる"), 13, 3, 0, 0, 1, 0, 14));
    c.push_back(C(CtlKind::PushButton, ID_HELP, QStringLiteral("ﾍﾙﾌﾟ"), 14, 3, 0, 0, 1, 0, 14));
    // Enter and Escape do nothing here: their buttons are out of use.
    c.push_back(C(CtlKind::PushButton, IDOK, QStringLiteral("OK"), 14, 1, CF_HIDDEN | CF_DISABLED));
    c.push_back(C(CtlKind::PushButton, IDCANCEL, QStringLiteral("ｷｬﾝｾﾙ"), 14, 2, CF_HIDDEN | CF_DISABLED));
    return t;
}

}

std::vector<DialogTemplate> CrossSectionDialogTemplates()
{
    return {CrossSection()};
}
