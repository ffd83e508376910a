// Dialog templates of the input dialogs.
#include "res/resources.h"

namespace {

ControlTemplate C(CtlKind kind, int id, const char* text, int row, int col, UINT flags = 0, int group = 0,
                  int colSpan = 1, int cx = 0)
{
    return {kind, id, QString::fromUtf8(text), row, col, 1, colSpan, flags, group, cx};
}

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
    DialogTemplate t{IDD_BASIC, QStringLiteral("基本条件"), QStringLiteral("ＭＳ Ｐゴシック"), 9, 0, 0, {}};
    auto& c = t.controls;
    c.push_back(C(CtlKind::Static, -1, "タイトル", 0, 0));
    c.push_back(C(CtlKind::Edit, 1014, "", 0, 1, CF_GROUP, 0, 3, 220));
    c.push_back(C(CtlKind::Static, -1, "サブタイトル", 1, 0));
    c.push_back(C(CtlKind::Edit, 1475, "", 1, 1, 0, 0, 3, 220));
    c.push_back(C(CtlKind::Static, -1, "鋼種の仕様", 2, 0));
    c.push_back(C(CtlKind::DropList, 1250, "", 2, 1, 0, 0, 3));

    c.push_back(C(CtlKind::GroupBox, 2001, "桁 形 式", 3, 0, 0, 0, 2));
    Radios(c, 2001, {{1016, "鈑桁"}, {1017, "箱桁"}});
    c.push_back(C(CtlKind::GroupBox, 2002, "桁高変化", 3, 2, 0, 0, 2));
    Radios(c, 2002, {{1659, "する"}, {1660, "しない"}});

    c.push_back(C(CtlKind::GroupBox, 2003, "", 4, 0, 0, 0, 4));
    c.push_back(C(CtlKind::Static, -1, "支 間 数", 0, 0, 0, 2003));
    c.push_back(C(CtlKind::Edit, 1018, "", 0, 1, CF_GROUP | CF_ALIGN_RIGHT, 2003, 1, 30));
    c.push_back(C(CtlKind::Spin, 1019, "", 0, 2, 0, 2003));
    c.push_back(C(CtlKind::Static, -1, "主桁本数", 0, 3, 0, 2003));
    c.push_back(C(CtlKind::Edit, 1020, "", 0, 4, CF_GROUP | CF_ALIGN_RIGHT, 2003, 1, 30));
    c.push_back(C(CtlKind::Spin, 1021, "", 0, 5, 0, 2003));

    c.push_back(C(CtlKind::GroupBox, 2004, "横断面形状", 5, 0, 0, 0, 2));
    Radios(c, 2004, {{1022, "歩道なし"}, {1023, "左側歩道付"}, {1024, "右側歩道付"}, {1025, "両側歩道付"}});
    c.push_back(C(CtlKind::GroupBox, 2005, "中央分離帯", 5, 2, 0, 0, 2));
    Radios(c, 2005, {{1875, "あり"}, {1876, "なし"}});
    c.push_back(C(CtlKind::CheckBox, 1973, "中央分離帯を活荷重非載荷帯とする", 1, 0, CF_GROUP, 2005, 2));
    c.push_back(C(CtlKind::CheckBox, 1972, "縁石を群衆荷重非載荷帯とする", 2, 0, CF_GROUP, 2005, 2));

    c.push_back(C(CtlKind::GroupBox, 2006, "活荷重(橋格)", 6, 0, 0, 0, 4));
    Radios(c, 2006, {{1889, "A(L)荷重"}, {1890, "B(L)荷重"}, {1892, "A活荷重(T+L)"}, {1893, "B活荷重(T+L)"},
                     {1894, "活荷重なし"}, {1895, "郡集荷重のみ"}}, 3);

    c.push_back(C(CtlKind::GroupBox, 2007, "耐候性鋼材", 7, 0, 0, 0, 2));
    Radios(c, 2007, {{1253, "使用する"}, {1254, "使用しない"}});
    c.push_back(C(CtlKind::GroupBox, 2008, "-H仕様鋼材", 7, 2, 0, 0, 2));
    Radios(c, 2008, {{1854, "使用する"}, {1855, "使用しない"}});
    c.push_back(C(CtlKind::CheckBox, 1870, "塗装費を０にする", 8, 0, CF_GROUP, 0, 2));

    c.push_back(C(CtlKind::Static, -1, "等分布荷重P1の割増係数（特別な場合を除き1）", 9, 0, 0, 0, 3));
    c.push_back(C(CtlKind::Edit, 1975, "", 9, 3, CF_GROUP | CF_ALIGN_RIGHT, 0, 1, 40));
    c.push_back(C(CtlKind::Static, -1, "等分布荷重P2の割増係数（特別な場合を除き1）", 10, 0, 0, 0, 3));
    c.push_back(C(CtlKind::Edit, 1976, "", 10, 3, CF_GROUP | CF_ALIGN_RIGHT, 0, 1, 40));

    // Kept in the template but out of use.
    c.push_back(C(CtlKind::Static, -1, "主載荷幅(ｍ)", 11, 0, CF_HIDDEN | CF_DISABLED));
    c.push_back(C(CtlKind::Edit, 1974, "", 11, 1, CF_HIDDEN | CF_DISABLED | CF_GROUP));
    c.push_back(C(CtlKind::RadioButton, 1891, "T荷重", 11, 2, CF_HIDDEN | CF_DISABLED | CF_GROUP));
    c.push_back(C(CtlKind::Static, -1, "任意設定断面数", 12, 0, CF_HIDDEN | CF_DISABLED));
    c.push_back(C(CtlKind::Edit, 1042, "", 12, 1, CF_HIDDEN | CF_DISABLED | CF_GROUP));
    c.push_back(C(CtlKind::Spin, 1043, "", 12, 2, CF_HIDDEN | CF_DISABLED));
    c.push_back(C(CtlKind::Static, -1, "(支間端部除く)", 12, 3, CF_HIDDEN | CF_DISABLED));

    c.push_back(C(CtlKind::PushButton, IDOK, "OK", 13, 2, CF_DEFAULT | CF_GROUP, 0, 1, 50));
    c.push_back(C(CtlKind::PushButton, IDCANCEL, "ｷｬﾝｾﾙ", 13, 3, 0, 0, 1, 50));
    return t;
}

}

std::vector<DialogTemplate> InputDialogTemplates()
{
    return {BasicConditions()};
}
