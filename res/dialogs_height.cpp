// Templates of the girder height change window and its definition point dialog.
#include "res/template_helpers.h"

namespace {

using tpl::grouped::C;

constexpr UINT kUnused = CF_HIDDEN | CF_DISABLED;

DialogTemplate HeightChange()
{
    DialogTemplate t = tpl::Dialog(IDD_HEIGHT, QStringLiteral("桁高変化"));
    auto& c = t.controls;
    // The table takes this place over when the window is made.
    c.push_back(C(CtlKind::Custom, IDC_HEIGHT_TABLE, "桁断面寸法入力ﾃｰﾌﾞﾙ", 0, 0, 0, 0, 7, 440, 130));
    c.push_back(C(CtlKind::GroupBox, IDC_HEIGHT_INTERPOLATION_GROUP, "補間方法", 1, 0, 0, 0, 2));
    c.push_back(C(CtlKind::RadioButton, IDC_HEIGHT_STRAIGHT, "直線", 0, 0, CF_GROUP, IDC_HEIGHT_INTERPOLATION_GROUP));
    c.push_back(C(CtlKind::RadioButton, IDC_HEIGHT_SPLINE, "ｽﾌﾟﾗｲﾝ", 0, 1, 0, IDC_HEIGHT_INTERPOLATION_GROUP));
    c.push_back(C(CtlKind::PushButton, IDC_HEIGHT_ADD, "追加", 1, 2, CF_GROUP, 0, 1, 44));
    c.push_back(C(CtlKind::PushButton, IDC_HEIGHT_DELETE, "削除", 1, 3, 0, 0, 1, 44));
    c.push_back(C(CtlKind::PushButton, IDC_HEIGHT_UPDATE, "更新済み", 1, 4, CF_DISABLED, 0, 1, 50));
    c.push_back(C(CtlKind::PushButton, int(ID_SETUP_HEIGHT), "閉じる", 1, 5, 0, 0, 1, 44));
    c.push_back(C(CtlKind::PushButton, int(ID_HELP), "ﾍﾙﾌﾟ", 1, 6, 0, 0, 1, 44));

    // Kept in the template but out of use.
    c.push_back(C(CtlKind::Static, IDC_STATIC, "支点", 2, 0, kUnused));
    c.push_back(C(CtlKind::Static, IDC_STATIC, "支点No.", 2, 1, kUnused));
    c.push_back(C(CtlKind::Edit, IDC_HEIGHT_SUPPORT, "", 2, 2, kUnused | CF_GROUP));
    c.push_back(C(CtlKind::Spin, IDC_HEIGHT_SUPPORT_SPIN, "", 2, 3, kUnused));
    c.push_back(C(CtlKind::Static, IDC_STATIC, "+     -", 2, 4, kUnused));
    c.push_back(C(CtlKind::PushButton, IDC_HEIGHT_ALIGN_ALL, "全揃え", 3, 0, kUnused | CF_GROUP));
    c.push_back(C(CtlKind::PushButton, IDC_HEIGHT_ALIGN_GIRDERS, "主桁揃え", 3, 1, kUnused));
    c.push_back(C(CtlKind::PushButton, IDC_HEIGHT_ALIGN_SECTIONS, "断面揃え", 3, 2, kUnused));
    c.push_back(C(CtlKind::PushButton, IDOK, "OK", 3, 3, kUnused));
    c.push_back(C(CtlKind::PushButton, IDCANCEL, "ｷｬﾝｾﾙ", 3, 4, kUnused));
    c.push_back(C(CtlKind::Picture, IDC_HEIGHT_PICTURE, "", 3, 5, kUnused));
    return t;
}

DialogTemplate DefinitionPoint()
{
    DialogTemplate t = tpl::Dialog(IDD_DEF_POINT, QStringLiteral("定義点設定"));
    auto& c = t.controls;
    c.push_back(C(CtlKind::Static, IDC_STATIC, "支間", 0, 0));
    c.push_back(C(CtlKind::Edit, IDC_DEFPOINT_SPAN, "", 0, 1, CF_GROUP | CF_ALIGN_RIGHT, 0, 1, 30));
    c.push_back(C(CtlKind::Spin, IDC_DEFPOINT_SPAN_SPIN, "", 0, 2));
    c.push_back(C(CtlKind::Static, IDC_STATIC, "変化点", 1, 0));
    c.push_back(C(CtlKind::Edit, IDC_DEFPOINT_POS, "", 1, 1, CF_GROUP | CF_ALIGN_RIGHT, 0, 1, 60));
    c.push_back(C(CtlKind::Static, IDC_STATIC, "(mm)", 1, 2));
    c.push_back(C(CtlKind::PushButton, IDC_DEFPOINT_ADD, "追加", 2, 1, CF_DEFAULT | CF_GROUP, 0, 1, 44));
    c.push_back(C(CtlKind::PushButton, IDCANCEL, "ｷｬﾝｾﾙ", 2, 2, 0, 0, 1, 44));
    c.push_back(C(CtlKind::PushButton, IDOK, "OK", 2, 3, kUnused));
    return t;
}

}

std::vector<DialogTemplate> HeightDialogTemplates()
{
    return {HeightChange(), DefinitionPoint()};
}
