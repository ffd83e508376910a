// Templates of the span length and panel count dialog.
#include "res/template_helpers.h"

namespace {

using tpl::plain::C;

DialogTemplate SpanLengths()
{
    DialogTemplate t = tpl::Dialog(IDD_SPAN, QStringLiteral("支間長、ﾊﾟﾈﾙ割"));
    auto& c = t.controls;
    // The span table takes this place over when the dialog opens.
    c.push_back(C(CtlKind::Custom, IDC_SPAN_TABLE, "テーブル", 0, 0, 0, 5, 240, 150));
    c.push_back(C(CtlKind::Static, IDC_STATIC, "橋長", 1, 0));
    c.push_back(C(CtlKind::Edit, IDC_BRIDGE_LENGTH, "", 1, 1, CF_GROUP | CF_ALIGN_RIGHT, 1, 60));
    c.push_back(C(CtlKind::Spin, IDC_BRIDGE_LENGTH_SPIN, "", 1, 2, CF_HIDDEN | CF_DISABLED));
    c.push_back(C(CtlKind::Static, IDC_STATIC, "mm", 1, 3));
    c.push_back(C(CtlKind::PushButton, IDOK, "OK", 2, 3, CF_DEFAULT | CF_GROUP, 1, 50));
    c.push_back(C(CtlKind::PushButton, IDCANCEL, "ｷｬﾝｾﾙ", 2, 4, 0, 1, 50));
    return t;
}

}

std::vector<DialogTemplate> SpanDialogTemplates()
{
    return {SpanLengths()};
}
