// Templates of the cross-beam arrangement window.
#include "res/template_helpers.h"

namespace {

using tpl::plain::C;

// The table over the whole width, the buttons under it.
DialogTemplate CrossBeam()
{
    DialogTemplate t = tpl::Dialog(IDD_CROSS_BEAM, QStringLiteral("横桁配置"));
    auto& c = t.controls;
    c.push_back(C(CtlKind::Custom, IDC_CB_TABLE, "横桁配置表", 0, 0, 0, 3, 160, 230));
    c.push_back(C(CtlKind::PushButton, IDC_CB_UPDATE, "更新済み", 1, 0, CF_DEFAULT | CF_DISABLED | CF_GROUP, 1, 48, 14));
    c.push_back(C(CtlKind::PushButton, int(ID_SETUP_CROSS_BEAM), "閉じる", 1, 1, 0, 1, 48, 14));
    c.push_back(C(CtlKind::PushButton, int(ID_HELP), "ﾍﾙﾌﾟ", 1, 2, 0, 1, 48, 14));
    // Enter and Escape do nothing here: their buttons are out of use.
    c.push_back(C(CtlKind::PushButton, IDOK, "OK", 2, 0, CF_HIDDEN | CF_DISABLED));
    c.push_back(C(CtlKind::PushButton, IDCANCEL, "ｷｬﾝｾﾙ", 2, 1, CF_HIDDEN | CF_DISABLED));
    return t;
}

}

std::vector<DialogTemplate> CrossBeamDialogTemplates()
{
    return {CrossBeam()};
}
