// Dialog templates of the section calculation window.
#include "res/template_helpers.h"

namespace {

using tpl::plain::C;

// The bar of the section calculation table: the girder shown and the view's two commands.
DialogTemplate CalcBar()
{
    DialogTemplate t = tpl::Dialog(IDD_CALC_BAR, QStringLiteral("断面計算表操作"));
    auto& c = t.controls;
    c.push_back(C(CtlKind::Static, IDC_STATIC, "主桁", 0, 0));
    c.push_back(C(CtlKind::Edit, IDC_CALC_GIRDER, "", 0, 1, CF_READONLY | CF_ALIGN_RIGHT | CF_FIXEDWIDTH, 1, 24));
    c.push_back(C(CtlKind::Spin, IDC_CALC_GIRDER_SPIN, "", 0, 2));
    c.push_back(C(CtlKind::PushButton, ID_CALC_SECTION, "断面計算", 0, 3, CF_FIXEDWIDTH, 1, 50, 14));
    c.push_back(C(CtlKind::PushButton, ID_BLOCK_DIALOG, "断面の結合/分割", 0, 4, CF_FIXEDWIDTH, 1, 70, 14));
    return t;
}

}

std::vector<DialogTemplate> CalcDialogTemplates()
{
    return {CalcBar()};
}
