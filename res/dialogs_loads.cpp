// Templates of the dead load and the steel weight, haunch and attached load dialogs.
#include "res/template_helpers.h"

namespace {

using tpl::grouped::C;

// The table on the left; the picture with its item buttons under it on the right.
DialogTemplate DeadLoad()
{
    DialogTemplate t = tpl::Dialog(IDD_DEAD_LOAD, QStringLiteral("死荷重"));
    auto& c = t.controls;
    c.push_back(C(CtlKind::Custom, IDC_DL_TABLE, QStringLiteral("死荷重入力ﾃｰﾌﾞﾙ"), 0, 0, 0, 0, 1, 140, 126, 2));
    c.push_back(C(CtlKind::Custom, IDC_DL_PICTURE, QString(), 0, 1, 0, 0, 3, 230, 100));
    c.push_back(C(CtlKind::GroupBox, IDC_DL_BUTTON_GROUP, QString(), 1, 1, 0, 0, 3));
    for (int i = 0; i < 9; ++i)
        c.push_back(C(CtlKind::RadioButton, i == 8 ? IDC_DL_D9 : IDC_DL_D1 + i, QStringLiteral("D%1").arg(i + 1), 0, i,
                      CF_PUSHLIKE | CF_FIXEDWIDTH | (i == 0 ? UINT(CF_GROUP) : 0u), IDC_DL_BUTTON_GROUP, 1, 20));
    c.push_back(C(CtlKind::PushButton, IDC_DL_PRESET, QStringLiteral("ﾌﾟﾘｾｯﾄ値"), 2, 0, CF_GROUP, 0, 1, 0, 14));
    c.push_back(C(CtlKind::CheckBox, IDC_DL_RAILING, QStringLiteral("高欄重量(D1とD2の平均値)を\n積算に反映させる"), 2, 1,
                  CF_GROUP, 0, 3));
    c.push_back(C(CtlKind::PushButton, IDOK, QStringLiteral("OK"), 3, 1, CF_DEFAULT | CF_GROUP, 0, 1, 50, 14));
    c.push_back(C(CtlKind::PushButton, IDCANCEL, QStringLiteral("ｷｬﾝｾﾙ"), 3, 2, 0, 0, 1, 50, 14));
    c.push_back(C(CtlKind::PushButton, ID_HELP, QStringLiteral("ﾍﾙﾌﾟ"), 3, 3, 0, 0, 1, 50, 14));
    return t;
}

// The picture with its buttons at the top left, the attached loads beside it, the haunch table
// across, then the choice of the girders' own dead load.
DialogTemplate SteelWeight()
{
    DialogTemplate t = tpl::Dialog(IDD_STEEL_WEIGHT, QStringLiteral("仮定鋼重、ﾊﾝﾁ重量、添架物"));
    auto& c = t.controls;
    c.push_back(C(CtlKind::Custom, IDC_SW_PICTURE, QString(), 0, 0, 0, 0, 2, 230, 112));
    c.push_back(C(CtlKind::GroupBox, IDC_SW_BUTTON_GROUP, QString(), 1, 0, 0, 0, 2));
    const std::pair<int, const char*> buttons[] = {
        {IDC_SW_H, "H"}, {IDC_SW_B, "B"}, {IDC_SW_BIN, "Bin"}, {IDC_SW_P, "P"}, {IDC_SW_L, "L"}};
    for (int i = 0; i < 5; ++i)
        c.push_back(C(CtlKind::RadioButton, buttons[i].first, QString::fromLatin1(buttons[i].second), 0, i,
                      CF_PUSHLIKE | CF_KEEPPLACE | CF_FIXEDWIDTH | (i == 0 ? UINT(CF_GROUP) : 0u), IDC_SW_BUTTON_GROUP,
                      1, 30));

    c.push_back(C(CtlKind::GroupBox, IDC_SW_ATTACH_GROUP, QString(), 0, 2, 0, 0, 3, 0, 0, 2));
    c.push_back(C(CtlKind::Static, IDC_STATIC, QStringLiteral("添架物の数"), 0, 0, 0, IDC_SW_ATTACH_GROUP));
    c.push_back(C(CtlKind::Edit, IDC_SW_COUNT, QString(), 0, 1, CF_GROUP | CF_ALIGN_RIGHT | CF_FIXEDWIDTH,
                  IDC_SW_ATTACH_GROUP, 1, 24));
    c.push_back(C(CtlKind::Spin, IDC_SW_COUNT_SPIN, QString(), 0, 2, 0, IDC_SW_ATTACH_GROUP));
    c.push_back(C(CtlKind::Custom, IDC_SW_ATTACH_TABLE, QStringLiteral("添架物入力ﾃｰﾌﾞﾙ"), 1, 0, 0, IDC_SW_ATTACH_GROUP, 4,
                  210, 124));

    c.push_back(C(CtlKind::Custom, IDC_SW_HAUNCH_TABLE, QStringLiteral("ﾊﾝﾁ入力ﾃｰﾌﾞﾙ"), 2, 0, 0, 0, 5, 450, 100));

    c.push_back(C(CtlKind::GroupBox, IDC_SW_CHOICE_GROUP, QString(), 3, 0, 0, 0, 5));
    const std::pair<int, const char*> choices[] = {
        {IDC_SW_CHOICE_SECTION, "断面計算で得られた鋼重を桁死荷重とする"},
        {IDC_SW_CHOICE_ASSUMED, "上記仮定鋼重を桁死荷重として格子計算に用いる"},
        {IDC_SW_CHOICE_FACTOR, "断面計算で得られた鋼重×割増し係数を桁死荷重とする"},
        {IDC_SW_CHOICE_MAIN_MEMBERS, "断面計算で得られた主部材の重さ×割り増し係数を桁死荷重とする"}};
    for (int i = 0; i < 4; ++i)
        c.push_back(C(CtlKind::RadioButton, choices[i].first, QString::fromUtf8(choices[i].second), i, 0,
                      i == 0 ? UINT(CF_GROUP) : 0u, IDC_SW_CHOICE_GROUP));

    c.push_back(C(CtlKind::PushButton, IDOK, QStringLiteral("OK"), 4, 2, CF_DEFAULT | CF_GROUP, 0, 1, 50, 14));
    c.push_back(C(CtlKind::PushButton, IDCANCEL, QStringLiteral("ｷｬﾝｾﾙ"), 4, 3, 0, 0, 1, 50, 14));
    c.push_back(C(CtlKind::PushButton, ID_HELP, QStringLiteral("ﾍﾙﾌﾟ"), 4, 4, 0, 0, 1, 50, 14));
    return t;
}

}

std::vector<DialogTemplate> LoadDialogTemplates()
{
    return {DeadLoad(), SteelWeight()};
}
