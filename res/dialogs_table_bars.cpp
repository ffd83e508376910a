// Dialog templates of the bars of the tabular windows: reactions and deflections, input
// check, section detail data.
#include "res/template_helpers.h"

namespace {

using tpl::plain::C;

// Push-like radio buttons, one group: the table shown. The substructure table's button is
// made but never shown.
DialogTemplate ReactBar()
{
    DialogTemplate t = tpl::Dialog(IDD_REACT_BAR, QStringLiteral("反力、たわみ表操作"));
    t.fontFace = QStringLiteral("ＭＳ ゴシック");
    auto& c = t.controls;
    const UINT flags = CF_PUSHLIKE | CF_FIXEDWIDTH;
    c.push_back(C(CtlKind::RadioButton, IDC_REACT_SUMMARY, "支点反力集計", 1, 0, flags | CF_GROUP, 1, 70, 14));
    c.push_back(C(CtlKind::RadioButton, IDC_REACT_DETAIL, "支点反力詳細", 1, 1, flags, 1, 70, 14));
    c.push_back(C(CtlKind::RadioButton, IDC_REACT_DETAIL_NO_IMPACT, "下部工用反力(衝撃無し)", 1, 2, flags, 1, 116, 14));
    c.push_back(C(CtlKind::RadioButton, IDC_REACT_DEFLECTION, "たわみ", 1, 3, flags, 1, 70, 14));
    c.push_back(C(CtlKind::RadioButton, IDC_REACT_IMPACT, "衝撃係数", 1, 4, flags, 1, 70, 14));
    c.push_back(C(CtlKind::RadioButton, IDC_REACT_SUBSTRUCTURE, "下部工用反力", 0, 2, flags | CF_HIDDEN, 1, 70, 14));
    c.push_back(C(CtlKind::Static, IDC_STATIC, "項目切換え", 0, 0));
    return t;
}

// The four pages as radio buttons; the combo box beside them has no use and stays out of sight.
DialogTemplate ConditionBar()
{
    DialogTemplate t = tpl::Dialog(IDD_CONDITION_BAR, QStringLiteral("入力確認"));
    t.fontFace = QStringLiteral("ＭＳ ゴシック");
    auto& c = t.controls;
    c.push_back(C(CtlKind::Static, IDC_STATIC, "項目切換え", 0, 0));
    c.push_back(C(CtlKind::RadioButton, IDC_COND_INPUT, "入力条件", 0, 1, CF_GROUP));
    c.push_back(C(CtlKind::RadioButton, IDC_COND_PANELS, "ﾊﾟﾈﾙ割表", 0, 2));
    c.push_back(C(CtlKind::RadioButton, IDC_COND_DESIGN, "設計条件", 0, 3));
    c.push_back(C(CtlKind::RadioButton, IDC_COND_SECTIONS, "仮定/実断面", 0, 4));
    c.push_back(C(CtlKind::DropList, IDC_COND_COMBO, "", 0, 5, CF_HIDDEN | CF_DISABLED | CF_GROUP, 1, 80));
    return t;
}

// The girder with its spin, and the three tables as push-like radio buttons.
DialogTemplate PropertiesBar()
{
    DialogTemplate t = tpl::Dialog(IDD_PROPERTIES_BAR, QStringLiteral("断面詳細データ"));
    t.fontFace = QStringLiteral("ＭＳ ゴシック");
    auto& c = t.controls;
    const UINT flags = CF_PUSHLIKE | CF_FIXEDWIDTH;
    c.push_back(C(CtlKind::Static, IDC_STATIC, "主桁", 0, 0));
    c.push_back(C(CtlKind::Edit, IDC_PROP_GIRDER, "", 0, 1, CF_READONLY | CF_ALIGN_RIGHT | CF_FIXEDWIDTH, 1, 24));
    c.push_back(C(CtlKind::Spin, IDC_PROP_GIRDER_SPIN, "", 0, 2));
    c.push_back(C(CtlKind::RadioButton, IDC_PROP_FORCES, "断面力詳細データ", 0, 3, flags | CF_GROUP, 1, 90, 14));
    c.push_back(C(CtlKind::RadioButton, IDC_PROP_STIFFNESS, "曲げ剛度・ねじり剛度", 0, 4, flags, 1, 104, 14));
    c.push_back(C(CtlKind::RadioButton, IDC_PROP_STEEL_WEIGHT, "鋼重", 0, 5, flags, 1, 56, 14));
    return t;
}

}

std::vector<DialogTemplate> TableBarDialogTemplates()
{
    return {ReactBar(), ConditionBar(), PropertiesBar()};
}
