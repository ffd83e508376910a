// Dialog templates of the bars of the sectional force, load diagram and longitudinal-section windows.
#include "res/template_helpers.h"

namespace {

using tpl::plain::C;

constexpr UINT kNumber = CF_READONLY | CF_ALIGN_RIGHT | CF_FIXEDWIDTH;

// Girder, the two scales, the four display switches and the block command.
DialogTemplate ForceBar()
{
    DialogTemplate t = tpl::Dialog(IDD_FORCE_BAR, QStringLiteral("断面力図操作"));
    t.fontFace = QStringLiteral("ＭＳ ゴシック");
    auto& c = t.controls;
    int col = 0;
    c.push_back(C(CtlKind::Static, IDC_STATIC, "主桁", 0, col++));
    c.push_back(C(CtlKind::Edit, IDC_FORCE_GIRDER, "", 0, col++, kNumber, 1, 24));
    c.push_back(C(CtlKind::Spin, IDC_FORCE_GIRDER_SPIN, "", 0, col++));
    c.push_back(C(CtlKind::CheckBox, IDC_FORCE_MOMENT, "曲げﾓｰﾒﾝﾄ", 0, col++));
    c.push_back(C(CtlKind::CheckBox, IDC_FORCE_SHEAR, "せん断力", 0, col++));
    c.push_back(C(CtlKind::CheckBox, IDC_FORCE_RESISTING, "抵抗ﾓｰﾒﾝﾄ", 0, col++));
    c.push_back(C(CtlKind::Static, IDC_STATIC, "横倍率", 0, col++));
    c.push_back(C(CtlKind::Edit, IDC_FORCE_HSCALE, "", 0, col++, kNumber, 1, 24));
    c.push_back(C(CtlKind::Slider, IDC_FORCE_HSCALE_SLIDER, "", 0, col++, CF_FIXEDWIDTH, 1, 70));
    c.push_back(C(CtlKind::Static, IDC_STATIC, "縦倍率", 0, col++));
    c.push_back(C(CtlKind::Edit, IDC_FORCE_VSCALE, "", 0, col++, kNumber, 1, 24));
    c.push_back(C(CtlKind::Slider, IDC_FORCE_VSCALE_SLIDER, "", 0, col++, CF_FIXEDWIDTH, 1, 70));
    c.push_back(C(CtlKind::Edit, IDC_FORCE_SPARE, "", 0, col++, CF_HIDDEN | CF_DISABLED | CF_READONLY, 1, 24));
    c.push_back(C(CtlKind::Spin, IDC_FORCE_SPARE_SPIN, "", 0, col++, CF_HIDDEN | CF_DISABLED));
    c.push_back(C(CtlKind::CheckBox, IDC_FORCE_FOLD, "折返し", 0, col++));
    c.push_back(C(CtlKind::PushButton, ID_BLOCK_DIALOG, "断面結合/分割", 0, col++, CF_FIXEDWIDTH, 1, 64, 14));
    return t;
}

// Support, cross-section station and scale of the load diagram.
DialogTemplate LoadBar()
{
    DialogTemplate t = tpl::Dialog(IDD_LOAD_BAR, QStringLiteral("荷重図操作"));
    t.fontFace = QStringLiteral("ＭＳ ゴシック");
    auto& c = t.controls;
    int col = 0;
    c.push_back(C(CtlKind::Static, IDC_STATIC, "支点", 0, col++));
    c.push_back(C(CtlKind::Edit, IDC_LOAD_SUPPORT, "", 0, col++, kNumber, 1, 24));
    c.push_back(C(CtlKind::Spin, IDC_LOAD_SUPPORT_SPIN, "", 0, col++));
    c.push_back(C(CtlKind::Static, IDC_STATIC, "横断面", 0, col++));
    c.push_back(C(CtlKind::Edit, IDC_LOAD_STATION, "", 0, col++, kNumber, 1, 24));
    c.push_back(C(CtlKind::Spin, IDC_LOAD_STATION_SPIN, "", 0, col++));
    c.push_back(C(CtlKind::Static, IDC_STATIC, "倍率", 0, col++));
    c.push_back(C(CtlKind::Edit, IDC_LOAD_SCALE, "", 0, col++, kNumber, 1, 24));
    c.push_back(C(CtlKind::Slider, IDC_LOAD_SCALE_SLIDER, "", 0, col++, CF_FIXEDWIDTH, 1, 80, 18));
    return t;
}

// Girder and the horizontal and vertical scales of the longitudinal section.
DialogTemplate Section2Bar()
{
    DialogTemplate t = tpl::Dialog(IDD_SECTION2_BAR, QStringLiteral("縦断面図操作"));
    t.fontFace = QStringLiteral("ＭＳ ゴシック");
    auto& c = t.controls;
    int col = 0;
    c.push_back(C(CtlKind::Static, IDC_STATIC, "主桁", 0, col++));
    c.push_back(C(CtlKind::Edit, IDC_SECTION2_GIRDER, "", 0, col++, kNumber, 1, 24));
    c.push_back(C(CtlKind::Spin, IDC_SECTION2_GIRDER_SPIN, "", 0, col++));
    c.push_back(C(CtlKind::Static, IDC_STATIC, "横倍率", 0, col++));
    c.push_back(C(CtlKind::Edit, IDC_SECTION2_XSCALE, "", 0, col++, kNumber, 1, 24));
    c.push_back(C(CtlKind::Slider, IDC_SECTION2_XSCALE_SLIDER, "", 0, col++, CF_FIXEDWIDTH, 1, 70));
    c.push_back(C(CtlKind::Static, IDC_STATIC, "縦倍率", 0, col++));
    c.push_back(C(CtlKind::Edit, IDC_SECTION2_YSCALE, "", 0, col++, kNumber, 1, 24));
    c.push_back(C(CtlKind::Slider, IDC_SECTION2_YSCALE_SLIDER, "", 0, col++, CF_FIXEDWIDTH, 1, 70));
    return t;
}

}

std::vector<DialogTemplate> DrawingBarDialogTemplates()
{
    return {ForceBar(), LoadBar(), Section2Bar()};
}
