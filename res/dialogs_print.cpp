// The print selection form: a box per report section in four columns, the orientation of
// the drawing pages beneath their boxes, the station lists and the options.
#include "res/template_helpers.h"

namespace {

using tpl::grouped::C;

// A "縦"/"横" pair in its own small group box.
void Orientation(std::vector<ControlTemplate>& c, int group, int portrait, int landscape, int row, int col,
                 UINT flags = 0)
{
    c.push_back(C(CtlKind::GroupBox, group, "", row, col, flags));
    c.push_back(C(CtlKind::RadioButton, portrait, "縦", 0, 0, CF_GROUP | flags, group));
    c.push_back(C(CtlKind::RadioButton, landscape, "横", 0, 1, flags, group));
}

DialogTemplate PrintForm()
{
    DialogTemplate t = tpl::Dialog(IDD_PRINT_FORM, QString());
    t.pointSize = 10;
    t.cx = 354;
    t.cy = 228;
    auto& c = t.controls;
    const UINT off = CF_HIDDEN | CF_DISABLED;
    auto box = [&c](int id, const char* text, int row, int col, UINT flags = 0) {
        c.push_back(C(CtlKind::CheckBox, id, text, row, col, flags));
    };
    box(IDC_PR_INPUT, "入力条件", 0, 0);
    box(IDC_PR_REACTION_SUMMARY, "支点反力集計", 0, 1);
    box(IDC_PR_REACTION_DETAIL, "支点反力詳細", 0, 2);
    box(IDC_PR_NO_IMPACT, "下部工用反力", 0, 3);
    box(IDC_PR_DESIGN, "設計条件", 1, 0);
    box(IDC_PR_DEFLECTION, "たわみ", 1, 1);
    box(IDC_PR_COVER, "表紙", 1, 2);
    box(IDC_PR_FORCE_DETAIL, "断面力詳細データ", 1, 3);
    box(IDC_PR_PLAN, "平面図", 2, 0);
    box(IDC_PR_CALC_TABLE, "断面計算表", 2, 1);
    box(IDC_PR_LONGITUDINAL, "縦断面図", 2, 2, CF_KEEPPLACE);
    box(IDC_PR_STIFFNESS, "曲げ剛度・ねじり剛度", 2, 3);
    Orientation(c, IDC_PR_PLAN_GROUP, IDC_PR_PLAN_PORTRAIT, IDC_PR_PLAN_LANDSCAPE, 3, 0);
    Orientation(c, IDC_PR_LONG_GROUP, IDC_PR_LONG_PORTRAIT, IDC_PR_LONG_LANDSCAPE, 3, 2, CF_KEEPPLACE);
    box(IDC_PR_STEEL_WEIGHT, "鋼重", 3, 3);
    box(IDC_PR_CROSS_SECTIONS, "横断面図", 4, 0);
    box(IDC_PR_LOADS, "荷重図", 4, 1);
    box(IDC_PR_FORCE_DIAGRAM, "断面力図", 4, 2);
    box(IDC_PR_CONTENTS, "目次", 4, 3);
    Orientation(c, IDC_PR_SHAPE_GROUP, IDC_PR_SHAPE_PORTRAIT, IDC_PR_SHAPE_LANDSCAPE, 5, 0);
    Orientation(c, IDC_PR_LOAD_GROUP, IDC_PR_LOAD_PORTRAIT, IDC_PR_LOAD_LANDSCAPE, 5, 1);
    Orientation(c, IDC_PR_FORCE_GROUP, IDC_PR_FORCE_PORTRAIT, IDC_PR_FORCE_LANDSCAPE, 5, 2);
    c.push_back(C(CtlKind::Custom, IDC_PR_SHAPE_LIST, "横断面図リスト", 6, 0, 0, 0, 1, 63, 63));
    c.push_back(C(CtlKind::Custom, IDC_PR_LOAD_LIST, "荷重図リスト", 6, 1, 0, 0, 1, 63, 63));
    c.push_back(C(CtlKind::Custom, IDC_PR_FORCE_LIST, "断面力図リスト", 6, 2, off, 0, 1, 59, 63));
    c.push_back(C(CtlKind::GroupBox, IDC_PR_OPTION_GROUP, "", 5, 3, 0, 0, 1, 0, 0, 2));
    c.push_back(C(CtlKind::CheckBox, IDC_PR_SHADE, "表の第1行目と第1列目を着色する", 0, 0, 0, IDC_PR_OPTION_GROUP));
    c.push_back(C(CtlKind::CheckBox, IDC_PR_PAGE_NUMBERS, "ページ数を表示する", 1, 0, 0, IDC_PR_OPTION_GROUP));
    c.push_back(C(CtlKind::CheckBox, IDC_PR_SECTION_NUMBERS, "セクション番号を表示する", 2, 0, 0, IDC_PR_OPTION_GROUP));
    box(IDC_PR_MASS_SUMMARY, "重量集計", 7, 0);
    box(IDC_PR_MASS_BREAKDOWN, "重量内訳", 7, 1);
    box(IDC_PR_MASS_BY_GRADE, "規格別重量", 7, 2);
    box(IDC_PR_PAINT_PAVING, "塗装、舗装", 7, 3, off);
    box(IDC_PR_MAN_HOURS, "工数算定要素、舗装、塗装", 8, 0);
    box(IDC_PR_CONTRACT_COST, "請負工事費、材料費", 8, 1);
    box(IDC_PR_FABRICATION_COST, "製作費", 8, 3);
    // Sections and lists that the form never offers.
    box(IDC_PR_SUBSTRUCTURE, "下部工用反力", 9, 0, off);
    box(IDC_PR_MATERIAL_COST, "材料費内訳", 9, 1, off);
    box(IDC_PR_FORCE_VALUES, "断面力数値", 9, 2, off);
    box(IDC_PR_AREA_RATIO, "鋼重", 9, 3, off);
    box(IDC_PR_IMPACT, "衝撃係数", 9, 4, off);
    c.push_back(C(CtlKind::Custom, IDC_PR_FORCE_VALUE_LIST, "断面力数値リスト", 10, 0, off, 0, 1, 59, 63));
    return t;
}

}

std::vector<DialogTemplate> PrintDialogTemplates()
{
    return {PrintForm()};
}
