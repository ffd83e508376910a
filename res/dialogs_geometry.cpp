// Dialog templates of the coordinate input sheet's pages.
#include "res/template_helpers.h"

namespace {

using tpl::plain::C;

// Every page: the span chooser, the panel-point table, update and close.
DialogTemplate Page(UINT id, const char* caption, bool basePage)
{
    DialogTemplate t = tpl::Dialog(id, QString::fromUtf8(caption));
    auto& c = t.controls;
    c.push_back(C(CtlKind::Static, IDC_STATIC, "支間選択", 0, 0));
    c.push_back(C(CtlKind::Static, IDC_STATIC, "No.", 0, 1, CF_ALIGN_RIGHT));
    c.push_back(C(CtlKind::Edit, IDC_COORD_SPAN_NO, "", 0, 2, CF_READONLY | CF_ALIGN_RIGHT, 1, 24));
    c.push_back(C(CtlKind::Spin, IDC_COORD_SPAN_SPIN, "", 0, 3));
    if (basePage) {
        c.push_back(C(CtlKind::Static, IDC_STATIC, "支間数", 1, 0));
        c.push_back(C(CtlKind::Edit, IDC_COORD_SPANS, "", 1, 1, CF_READONLY | CF_ALIGN_RIGHT, 1, 24));
        c.push_back(C(CtlKind::Spin, IDC_COORD_SPANS_SPIN, "", 1, 2));
        c.push_back(C(CtlKind::Static, IDC_STATIC, "ﾊﾟﾈﾙ数", 1, 3));
        c.push_back(C(CtlKind::Edit, IDC_COORD_PANELS, "", 1, 4, CF_READONLY | CF_ALIGN_RIGHT, 1, 24));
        c.push_back(C(CtlKind::Spin, IDC_COORD_PANELS_SPIN, "", 1, 5));
    }
    // The table grid takes this place over when the page is made.
    c.push_back(C(CtlKind::Custom, IDC_COORD_TABLE, "", 2, 0, 0, 6, 360, 180));
    if (basePage) {
        c.push_back(C(CtlKind::Static, IDC_STATIC, "支間長(mm)", 3, 0));
        c.push_back(C(CtlKind::Edit, IDC_COORD_SPAN_LENGTH, "", 3, 1, CF_READONLY | CF_ALIGN_RIGHT, 2, 60));
        c.push_back(C(CtlKind::PushButton, IDC_COORD_ORIGIN, "原点位置調整", 3, 3, 0, 2, 60, 14));
    }
    c.push_back(C(CtlKind::PushButton, IDC_COORD_UPDATE, "更新済み", 4, 3, CF_DISABLED, 1, 50, 14));
    c.push_back(C(CtlKind::PushButton, IDC_COORD_CLOSE, "閉じる", 4, 4, 0, 1, 50, 14));
    return t;
}

}

std::vector<DialogTemplate> GeometryDialogTemplates()
{
    return {
        Page(IDD_COORD_BASELINE, "基本線", true),
        Page(IDD_COORD_GIRDER, "主桁", false),
        Page(IDD_COORD_DECK, "路面", false),
        Page(IDD_COORD_SECTION, "横断面", false),
    };
}
