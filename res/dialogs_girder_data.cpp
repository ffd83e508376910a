// Templates of the plate girder and box girder data dialogs and the rib panel division.
#include "res/resources.h"
#include "res/template_helpers.h"

namespace {

struct Place {
    int row, col, rowSpan = 1, colSpan = 1;
};

ControlTemplate C(CtlKind kind, int id, const char* text, Place p, UINT flags = 0, int group = 0, int cx = 0, int cy = 0)
{
    return {kind, id, QString::fromUtf8(text), p.row, p.col, p.rowSpan, p.colSpan, flags, group, cx, cy};
}

// A label, a number field and its spin on one row of a group.
void NumberRow(std::vector<ControlTemplate>& c, int group, int row, const char* label, int edit, int spin,
               UINT flags = 0)
{
    c.push_back(C(CtlKind::Static, IDC_STATIC, label, {row, 0}, flags, group));
    c.push_back(C(CtlKind::Edit, edit, "", {row, 1}, flags | CF_GROUP | CF_ALIGN_RIGHT | CF_FIXEDWIDTH, group, 36));
    c.push_back(C(CtlKind::Spin, spin, "", {row, 2}, flags, group));
}

// OK and Cancel in the last two columns of a row.
void OkCancel(std::vector<ControlTemplate>& c, int row, int col)
{
    c.push_back(C(CtlKind::PushButton, IDOK, "OK", {row, col}, CF_DEFAULT | CF_GROUP, 0, 50));
    c.push_back(C(CtlKind::PushButton, IDCANCEL, "ｷｬﾝｾﾙ", {row, col + 1}, 0, 0, 50));
}

// The girder height table in column 0, framed by its caption, with the button that copies G1
// to the others.
void HeightColumn(std::vector<ControlTemplate>& c, int caption, int table, int align, int rows)
{
    c.push_back(C(CtlKind::GroupBox, caption, "桁高", {0, 0, rows, 1}));
    c.push_back(C(CtlKind::Custom, table, "桁高の表", {0, 0}, 0, caption, 100, 150));
    c.push_back(C(CtlKind::PushButton, align, "すべての桁高をG1に合わせる", {1, 0}, CF_GROUP, caption));
}

DialogTemplate PlateGirder()
{
    DialogTemplate t = tpl::Dialog(IDD_PLATE_GIRDER, QStringLiteral("主桁基本ﾃﾞｰﾀ ２ (鈑桁)"));
    auto& c = t.controls;
    HeightColumn(c, IDC_PG_HEIGHT_CAPTION, IDC_PG_HEIGHT_TABLE, IDC_PG_ALIGN_HEIGHTS, 3);

    // Hole deduction: the flange width to hole count table and the bolt hole.
    c.push_back(C(CtlKind::GroupBox, IDC_PG_HOLE_GROUP, "", {0, 1, 1, 3}));
    c.push_back(C(CtlKind::CheckBox, IDC_PG_HOLE_DEDUCTION, "引張側ﾌﾗﾝｼﾞの孔引きを考慮する（ﾎﾞﾙﾄ継ぎ手）", {0, 0, 1, 4},
                  CF_GROUP, IDC_PG_HOLE_GROUP));
    c.push_back(C(CtlKind::CheckBox, IDC_PG_NET_AREA, "引張側孔引きﾌﾗﾝｼﾞ順断面積を1.1倍割増する", {1, 0, 1, 4}, CF_GROUP,
                  IDC_PG_HOLE_GROUP));
    NumberRow(c, IDC_PG_HOLE_GROUP, 2, "ﾎﾞﾙﾄ孔径(mm)", IDC_PG_BOLT_HOLE, IDC_PG_BOLT_HOLE_SPIN);
    c.push_back(C(CtlKind::Custom, IDC_PG_HOLE_TABLE, "孔数の表", {3, 0, 1, 4}, 0, IDC_PG_HOLE_GROUP, 150, 112));
    c.push_back(C(CtlKind::Static, IDC_STATIC, "指定ﾌﾗﾝｼﾞ幅以下のとき、対応する孔数となります。", {4, 0, 1, 4}, 0,
                  IDC_PG_HOLE_GROUP));
    c.push_back(C(CtlKind::Static, IDC_STATIC, "ﾌﾗﾝｼﾞ幅又は孔数が0の行は無視されます。", {5, 0, 1, 4}, 0,
                  IDC_PG_HOLE_GROUP));

    c.push_back(C(CtlKind::CheckBox, IDC_PG_UF_BUCKLING, "上ﾌﾗﾝｼﾞの局部座屈を考慮する", {1, 1, 1, 3}, CF_GROUP));
    c.push_back(C(CtlKind::GroupBox, IDC_PG_CURVE_GROUP, "曲線桁の付加応力度算出式", {2, 1, 1, 3}));
    c.push_back(C(CtlKind::RadioButton, IDC_PG_CURVE_BENRAN, "鋼道路橋設計便覧", {0, 0}, CF_GROUP, IDC_PG_CURVE_GROUP));
    c.push_back(C(CtlKind::RadioButton, IDC_PG_CURVE_HANSHIN, "阪神高速道路公団設計基準", {1, 0}, 0, IDC_PG_CURVE_GROUP));
    OkCancel(c, 3, 2);
    return t;
}

DialogTemplate BoxGirder()
{
    DialogTemplate t = tpl::Dialog(IDD_BOX_GIRDER, QStringLiteral("主桁基本ﾃﾞｰﾀ ２ （箱桁）"));
    auto& c = t.controls;
    HeightColumn(c, IDC_BG_HEIGHT_CAPTION, IDC_BG_HEIGHT_TABLE, IDC_BG_ALIGN_HEIGHTS, 2);

    // Hole deduction, bolts and the flange options.
    c.push_back(C(CtlKind::GroupBox, IDC_BG_HOLE_GROUP, "", {0, 1}));
    c.push_back(C(CtlKind::CheckBox, IDC_BG_HOLE_DEDUCTION, "引張側ﾌﾗﾝｼﾞの孔引きを考慮する（ﾎﾞﾙﾄ継ぎ手）", {0, 0, 1, 3},
                  CF_GROUP, IDC_BG_HOLE_GROUP));
    c.push_back(C(CtlKind::CheckBox, IDC_BG_NET_AREA, "引張側孔引きﾌﾗﾝｼﾞ順断面積を1.1倍割増する", {1, 0, 1, 3}, CF_GROUP,
                  IDC_BG_HOLE_GROUP));
    NumberRow(c, IDC_BG_HOLE_GROUP, 2, "ﾎﾞﾙﾄ孔径（mm）", IDC_BG_BOLT_HOLE, IDC_BG_BOLT_HOLE_SPIN);
    NumberRow(c, IDC_BG_HOLE_GROUP, 3, "孔引ﾎﾞﾙﾄ本数 （上）", IDC_BG_BOLTS_UPPER, IDC_BG_BOLTS_UPPER_SPIN);
    NumberRow(c, IDC_BG_HOLE_GROUP, 4, "孔引ﾎﾞﾙﾄ本数 （下）", IDC_BG_BOLTS_LOWER, IDC_BG_BOLTS_LOWER_SPIN);
    c.push_back(C(CtlKind::CheckBox, IDC_BG_UF_BUCKLING, "上ﾌﾗﾝｼﾞの局部座屈を考慮する", {5, 0, 1, 3}, CF_GROUP,
                  IDC_BG_HOLE_GROUP));
    c.push_back(C(CtlKind::CheckBox, IDC_BG_ADJUST_RIB, "フランジリブの厚みをフランジ厚みに合わせて調整する", {6, 0, 1, 3},
                  CF_GROUP, IDC_BG_HOLE_GROUP));
    // Kept in the template but out of use.
    NumberRow(c, IDC_BG_HOLE_GROUP, 7, "水平補剛材段数", IDC_BG_STIFFENER_STEPS, IDC_BG_STIFFENER_STEPS_SPIN,
              CF_HIDDEN | CF_DISABLED);
    c.push_back(C(CtlKind::RadioButton, IDC_BG_MATCH_THICKNESS, "ﾌﾗﾝｼﾞ・ｳｪﾌﾞ厚に合わせる", {8, 0},
                  CF_HIDDEN | CF_DISABLED | CF_GROUP, IDC_BG_HOLE_GROUP));
    c.push_back(C(CtlKind::RadioButton, IDC_BG_THICKNESS_INPUT, "入力", {8, 1}, CF_HIDDEN | CF_DISABLED,
                  IDC_BG_HOLE_GROUP));
    const int thicknesses[3][2] = {{IDC_BG_THICKNESS1, IDC_BG_THICKNESS1_SPIN},
                                   {IDC_BG_THICKNESS2, IDC_BG_THICKNESS2_SPIN},
                                   {IDC_BG_THICKNESS3, IDC_BG_THICKNESS3_SPIN}};
    for (const auto& [edit, spin] : thicknesses) {
        c.push_back(C(CtlKind::Edit, edit, "", {9, 1}, CF_HIDDEN | CF_DISABLED | CF_GROUP, IDC_BG_HOLE_GROUP));
        c.push_back(C(CtlKind::Spin, spin, "", {9, 2}, CF_HIDDEN | CF_DISABLED, IDC_BG_HOLE_GROUP));
    }

    // Longitudinal ribs: counts, sections by steel grade group, and the transverse ribs.
    c.push_back(C(CtlKind::GroupBox, IDC_BG_RIB_GROUP, "縦リブ断面", {0, 2, 2, 3}));
    NumberRow(c, IDC_BG_RIB_GROUP, 0, "圧縮側ﾘﾌﾞ本数", IDC_BG_COMP_RIBS, IDC_BG_COMP_RIBS_SPIN);
    NumberRow(c, IDC_BG_RIB_GROUP, 1, "引張側ﾘﾌﾞ本数", IDC_BG_TENS_RIBS, IDC_BG_TENS_RIBS_SPIN);
    c.push_back(C(CtlKind::Custom, IDC_BG_RIB_TABLE, "縦リブ断面の表", {2, 0, 1, 4}, 0, IDC_BG_RIB_GROUP, 215, 150));
    c.push_back(C(CtlKind::PushButton, IDC_BG_RIB_PANELS, "フランジ横リブ本数設定", {3, 0, 1, 2}, CF_GROUP,
                  IDC_BG_RIB_GROUP));
    OkCancel(c, 2, 3);
    return t;
}

DialogTemplate RibPanel()
{
    DialogTemplate t = tpl::Dialog(IDD_RIB_PANEL, QStringLiteral("横リブによるパネル分割設定"));
    auto& c = t.controls;
    c.push_back(C(CtlKind::Static, IDC_STATIC, "フランジ横リブ厚み(mm)", {0, 0}));
    c.push_back(C(CtlKind::Edit, IDC_RIB_THICKNESS, "", {0, 1, 1, 2}, CF_GROUP | CF_ALIGN_RIGHT | CF_FIXEDWIDTH, 0, 40));
    c.push_back(C(CtlKind::Custom, IDC_RIB_PANEL_TABLE, "リブ本数設定テーブル", {1, 0, 1, 3}, 0, 0, 120, 200));
    OkCancel(c, 2, 1);
    return t;
}

}

std::vector<DialogTemplate> GirderDataDialogTemplates()
{
    return {PlateGirder(), BoxGirder(), RibPanel()};
}
