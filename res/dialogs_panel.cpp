// Templates of the panel division and girder type window.
#include "res/template_helpers.h"

namespace {

using tpl::plain::C;

DialogTemplate PanelDivision()
{
    DialogTemplate t = tpl::Dialog(
        IDD_PANEL, QStringLiteral("ﾊﾟﾈﾙ割、桁ﾀｲﾌﾟ設定     （ <更新>ﾎﾞﾀﾝで編集内容が画面に反映されます。 ）"));
    auto& c = t.controls;
    // The span shown and its chooser.
    c.push_back(C(CtlKind::Static, IDC_PANEL_SPAN_LABEL, "支間選択", 0, 0, CF_ALIGN_RIGHT));
    c.push_back(C(CtlKind::Static, IDC_STATIC, "No.", 0, 1, CF_ALIGN_RIGHT));
    c.push_back(C(CtlKind::Edit, IDC_PANEL_SPAN_NO, "", 0, 2, CF_READONLY | CF_ALIGN_RIGHT, 1, 24));
    c.push_back(C(CtlKind::Spin, IDC_PANEL_SPAN_SPIN, "", 0, 3, CF_HORZ));
    c.push_back(C(CtlKind::Static, IDC_PANEL_SPIN_LABEL, "-     +", 1, 3, CF_ALIGN_CENTER));

    c.push_back(C(CtlKind::Static, IDC_STATIC, "ﾊﾟﾈﾙ合計", 0, 4, CF_ALIGN_RIGHT));
    c.push_back(C(CtlKind::Edit, IDC_PANEL_SUM, "", 0, 5, CF_READONLY | CF_ALIGN_RIGHT, 1, 56));
    c.push_back(C(CtlKind::Static, IDC_STATIC, "支間長", 0, 6, CF_ALIGN_RIGHT));
    c.push_back(C(CtlKind::Edit, IDC_PANEL_SPAN_LENGTH, "", 0, 7, CF_READONLY | CF_ALIGN_RIGHT, 1, 56));

    // The tables take these places over when the window is made.
    c.push_back(C(CtlKind::Custom, IDC_PANEL_TABLE, "", 2, 0, 0, 4, 100, 230, 2));
    c.push_back(C(CtlKind::Custom, IDC_PANEL_VALUES, "", 2, 4, 0, 4, 250, 76));
    c.push_back(C(CtlKind::Custom, IDC_PANEL_PICTURE, "", 3, 4, 0, 4, 250, 150));

    c.push_back(C(CtlKind::PushButton, IDC_PANEL_EQUAL_ALL, "全均等割", 4, 0, CF_GROUP, 2, 50, 14));
    c.push_back(C(CtlKind::PushButton, IDC_PANEL_ALL_ZERO, "全て0", 4, 2, 0, 2, 50, 14));
    c.push_back(C(CtlKind::PushButton, IDC_PANEL_EQUAL_ZEROS, "0を均等割", 5, 0, 0, 2, 50, 14));
    c.push_back(C(CtlKind::PushButton, IDC_PANEL_UPDATE, "更新済み", 4, 5, CF_DISABLED, 1, 50, 14));
    c.push_back(C(CtlKind::PushButton, ID_SETUP_PANEL, "閉じる", 4, 6, 0, 1, 50, 14));
    c.push_back(C(CtlKind::PushButton, ID_HELP, "ﾍﾙﾌﾟ", 4, 7, 0, 1, 50, 14));

    // Kept in the template but out of use.
    c.push_back(C(CtlKind::PushButton, IDOK, "OK", 6, 0, CF_HIDDEN));
    c.push_back(C(CtlKind::PushButton, IDCANCEL, "ｷｬﾝｾﾙ", 6, 1, CF_HIDDEN));
    c.push_back(C(CtlKind::ComboBox, IDC_PANEL_COMBO, "", 6, 2, CF_HIDDEN));
    c.push_back(C(CtlKind::Static, IDC_PANEL_STATIC, "", 6, 3, CF_HIDDEN));
    return t;
}

}

std::vector<DialogTemplate> PanelDialogTemplates()
{
    return {PanelDivision()};
}
