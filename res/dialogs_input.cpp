// Dialog templates of the input dialogs.
#include "res/template_helpers.h"

namespace {

using tpl::grouped::C;

// Radio buttons of one group, placed in rows of `perRow`.
void Radios(std::vector<ControlTemplate>& out, int group, std::initializer_list<std::pair<int, const char*>> buttons,
            int perRow = 2)
{
    int i = 0;
    for (const auto& [id, text] : buttons) {
        out.push_back(C(CtlKind::RadioButton, id, text, i / perRow, i % perRow, i == 0 ? UINT(CF_GROUP) : 0u, group));
        ++i;
    }
}

DialogTemplate BasicConditions()
{
    DialogTemplate t = tpl::Dialog(IDD_BASIC, QStringLiteral("基本条件"));
    auto& c = t.controls;
    c.push_back(C(CtlKind::Static, IDC_STATIC, "タイトル", 0, 0));
    c.push_back(C(CtlKind::Edit, IDC_TITLE, "", 0, 1, CF_GROUP, 0, 3, 220));
    c.push_back(C(CtlKind::Static, IDC_STATIC, "サブタイトル", 1, 0));
    c.push_back(C(CtlKind::Edit, IDC_SUBTITLE, "", 1, 1, 0, 0, 3, 220));
    c.push_back(C(CtlKind::Static, IDC_STATIC, "鋼種の仕様", 2, 0));
    c.push_back(C(CtlKind::DropList, IDC_STANDARD, "", 2, 1, 0, 0, 3));

    c.push_back(C(CtlKind::GroupBox, IDC_FORM_GROUP, "桁 形 式", 3, 0, 0, 0, 2));
    Radios(c, IDC_FORM_GROUP, {{IDC_FORM_PLATE, "鈑桁"}, {IDC_FORM_BOX, "箱桁"}});
    c.push_back(C(CtlKind::GroupBox, IDC_HEIGHT_GROUP, "桁高変化", 3, 2, 0, 0, 2));
    Radios(c, IDC_HEIGHT_GROUP, {{IDC_HEIGHT_VARIATION, "する"}, {IDC_HEIGHT_CONSTANT, "しない"}});

    c.push_back(C(CtlKind::GroupBox, IDC_COUNTS_GROUP, "", 4, 0, 0, 0, 4));
    c.push_back(C(CtlKind::Static, IDC_STATIC, "支 間 数", 0, 0, 0, IDC_COUNTS_GROUP));
    c.push_back(C(CtlKind::Edit, IDC_SPANS, "", 0, 1, CF_GROUP | CF_ALIGN_RIGHT, IDC_COUNTS_GROUP, 1, 30));
    c.push_back(C(CtlKind::Spin, IDC_SPANS_SPIN, "", 0, 2, 0, IDC_COUNTS_GROUP));
    c.push_back(C(CtlKind::Static, IDC_STATIC, "主桁本数", 0, 3, 0, IDC_COUNTS_GROUP));
    c.push_back(C(CtlKind::Edit, IDC_GIRDERS, "", 0, 4, CF_GROUP | CF_ALIGN_RIGHT, IDC_COUNTS_GROUP, 1, 30));
    c.push_back(C(CtlKind::Spin, IDC_GIRDERS_SPIN, "", 0, 5, 0, IDC_COUNTS_GROUP));

    c.push_back(C(CtlKind::GroupBox, IDC_SIDEWALK_GROUP, "横断面形状", 5, 0, 0, 0, 2));
    Radios(c, IDC_SIDEWALK_GROUP, {{IDC_SIDEWALK, "歩道なし"}, {IDC_SIDEWALK_LEFT, "左側歩道付"},
                                   {IDC_SIDEWALK_RIGHT, "右側歩道付"}, {IDC_SIDEWALK_BOTH, "両側歩道付"}});
    c.push_back(C(CtlKind::GroupBox, IDC_MEDIAN_GROUP, "中央分離帯", 5, 2, 0, 0, 2));
    Radios(c, IDC_MEDIAN_GROUP, {{IDC_MEDIAN, "あり"}, {IDC_MEDIAN_NONE, "なし"}});
    c.push_back(C(CtlKind::CheckBox, IDC_MEDIAN_UNLOADED, "中央分離帯を活荷重非載荷帯とする", 1, 0, CF_GROUP, IDC_MEDIAN_GROUP, 2));
    c.push_back(C(CtlKind::CheckBox, IDC_KERB_UNLOADED, "縁石を群衆荷重非載荷帯とする", 2, 0, CF_GROUP, IDC_MEDIAN_GROUP, 2));

    c.push_back(C(CtlKind::GroupBox, IDC_LIVE_LOAD_GROUP, "活荷重(橋格)", 6, 0, 0, 0, 4));
    Radios(c, IDC_LIVE_LOAD_GROUP, {{IDC_LIVE_LOAD, "A(L)荷重"}, {IDC_LIVE_LOAD_BL, "B(L)荷重"},
                                    {IDC_LIVE_LOAD_ATL, "A活荷重(T+L)"}, {IDC_LIVE_LOAD_BTL, "B活荷重(T+L)"},
                                    {IDC_LIVE_LOAD_NONE, "活荷重なし"}, {IDC_LIVE_LOAD_CROWD, "郡集荷重のみ"}}, 3);

    c.push_back(C(CtlKind::GroupBox, IDC_WEATHERING_GROUP, "耐候性鋼材", 7, 0, 0, 0, 2));
    Radios(c, IDC_WEATHERING_GROUP, {{IDC_WEATHERING, "使用する"}, {IDC_WEATHERING_NONE, "使用しない"}});
    c.push_back(C(CtlKind::GroupBox, IDC_HSTEEL_GROUP, "-H仕様鋼材", 7, 2, 0, 0, 2));
    Radios(c, IDC_HSTEEL_GROUP, {{IDC_HSTEEL, "使用する"}, {IDC_HSTEEL_NONE, "使用しない"}});
    c.push_back(C(CtlKind::CheckBox, IDC_ZERO_PAINT, "塗装費を０にする", 8, 0, CF_GROUP, 0, 2));

    c.push_back(C(CtlKind::Static, IDC_STATIC, "等分布荷重P1の割増係数（特別な場合を除き1）", 9, 0, 0, 0, 3));
    c.push_back(C(CtlKind::Edit, IDC_P1, "", 9, 3, CF_GROUP | CF_ALIGN_RIGHT, 0, 1, 40));
    c.push_back(C(CtlKind::Static, IDC_STATIC, "等分布荷重P2の割増係数（特別な場合を除き1）", 10, 0, 0, 0, 3));
    c.push_back(C(CtlKind::Edit, IDC_P2, "", 10, 3, CF_GROUP | CF_ALIGN_RIGHT, 0, 1, 40));

    // Kept in the template but out of use.
    c.push_back(C(CtlKind::Static, IDC_STATIC, "主載荷幅(ｍ)", 11, 0, CF_HIDDEN | CF_DISABLED));
    c.push_back(C(CtlKind::Edit, IDC_LOADING_WIDTH, "", 11, 1, CF_HIDDEN | CF_DISABLED | CF_GROUP));
    c.push_back(C(CtlKind::RadioButton, IDC_LIVE_LOAD_T, "T荷重", 11, 2, CF_HIDDEN | CF_DISABLED | CF_GROUP));
    c.push_back(C(CtlKind::Static, IDC_STATIC, "任意設定断面数", 12, 0, CF_HIDDEN | CF_DISABLED));
    c.push_back(C(CtlKind::Edit, IDC_FREE_SECTIONS, "", 12, 1, CF_HIDDEN | CF_DISABLED | CF_GROUP));
    c.push_back(C(CtlKind::Spin, IDC_FREE_SECTIONS_SPIN, "", 12, 2, CF_HIDDEN | CF_DISABLED));
    c.push_back(C(CtlKind::Static, IDC_STATIC, "(支間端部除く)", 12, 3, CF_HIDDEN | CF_DISABLED));

    c.push_back(C(CtlKind::PushButton, IDOK, "OK", 13, 2, CF_DEFAULT | CF_GROUP, 0, 1, 50));
    c.push_back(C(CtlKind::PushButton, IDCANCEL, "ｷｬﾝｾﾙ", 13, 3, 0, 0, 1, 50));
    return t;
}

}

std::vector<DialogTemplate> InputDialogTemplates()
{
    return {BasicConditions()};
}
