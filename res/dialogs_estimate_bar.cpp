// Dialog template of the estimate window's bar.
#include "res/template_helpers.h"

namespace {

using tpl::plain::C;

// Eight page buttons in table order, one radio group: the table shown.
DialogTemplate EstimateBar()
{
    DialogTemplate t = tpl::Dialog(IDD_ESTIMATE_BAR, QStringLiteral("積算表操作"));
    const std::pair<int, const char*> pages[] = {
        {IDC_ESTBAR_MASS_SUMMARY, "質量集計"},    {IDC_ESTBAR_MASS_BREAKDOWN, "質量内訳"},
        {IDC_ESTBAR_AREA_VOLUME, "塗装、舗装"},   {IDC_ESTBAR_LABOUR, "工数算定要素"},
        {IDC_ESTBAR_CONTRACT_COST, "請負工事費"}, {IDC_ESTBAR_MATERIAL_COST, "材料費内訳"},
        {IDC_ESTBAR_MASS_BY_GRADE, "規格別質量"}, {IDC_ESTBAR_FABRICATION_COST, "製作費内訳"}};
    int col = 0;
    for (const auto& [id, text] : pages) {
        const UINT flags = CF_PUSHLIKE | CF_FIXEDWIDTH | (col == 0 ? UINT(CF_GROUP) : 0u);
        t.controls.push_back(C(CtlKind::RadioButton, id, text, 0, col, flags, 1, 56, 14));
        ++col;
    }
    return t;
}

}

std::vector<DialogTemplate> EstimateBarDialogTemplates()
{
    return {EstimateBar()};
}
