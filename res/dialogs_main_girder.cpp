// Templates of the main girder data dialog and the joint position dialog.
#include "res/template_helpers.h"

namespace {

using tpl::grouped::C;

struct LimitRow {
    const char* name;
    int autoId, inputId, editId, spinId;
};

DialogTemplate MainGirder()
{
    DialogTemplate t = tpl::Dialog(IDD_MAIN_GIRDER, QStringLiteral("主桁基本データ １"));
    auto& c = t.controls;

    // Left: the plate limits, each 自動決定 or typed.
    const int limits = IDC_MG_LIMITS_GROUP;
    c.push_back(C(CtlKind::GroupBox, limits, "板厚・板幅の制限値", 0, 0, 0, 0, 1, 0, 0, 2));
    const LimitRow rows[10] = {
        {"最大上ﾌﾗﾝｼﾞ厚", IDC_MG_MAX_UF_THICK_AUTO, IDC_MG_MAX_UF_THICK_INPUT, IDC_MG_MAX_UF_THICK, IDC_MG_MAX_UF_THICK_SPIN},
        {"最小上ﾌﾗﾝｼﾞ厚", IDC_MG_MIN_UF_THICK_AUTO, IDC_MG_MIN_UF_THICK_INPUT, IDC_MG_MIN_UF_THICK, IDC_MG_MIN_UF_THICK_SPIN},
        {"最大上ﾌﾗﾝｼﾞ幅", IDC_MG_MAX_UF_WIDTH_AUTO, IDC_MG_MAX_UF_WIDTH_INPUT, IDC_MG_MAX_UF_WIDTH, IDC_MG_MAX_UF_WIDTH_SPIN},
        {"最小上ﾌﾗﾝｼﾞ幅", IDC_MG_MIN_UF_WIDTH_AUTO, IDC_MG_MIN_UF_WIDTH_INPUT, IDC_MG_MIN_UF_WIDTH, IDC_MG_MIN_UF_WIDTH_SPIN},
        {"最大下ﾌﾗﾝｼﾞ厚", IDC_MG_MAX_LF_THICK_AUTO, IDC_MG_MAX_LF_THICK_INPUT, IDC_MG_MAX_LF_THICK, IDC_MG_MAX_LF_THICK_SPIN},
        {"最小下ﾌﾗﾝｼﾞ厚", IDC_MG_MIN_LF_THICK_AUTO, IDC_MG_MIN_LF_THICK_INPUT, IDC_MG_MIN_LF_THICK, IDC_MG_MIN_LF_THICK_SPIN},
        {"最大下ﾌﾗﾝｼﾞ幅", IDC_MG_MAX_LF_WIDTH_AUTO, IDC_MG_MAX_LF_WIDTH_INPUT, IDC_MG_MAX_LF_WIDTH, IDC_MG_MAX_LF_WIDTH_SPIN},
        {"最小下ﾌﾗﾝｼﾞ幅", IDC_MG_MIN_LF_WIDTH_AUTO, IDC_MG_MIN_LF_WIDTH_INPUT, IDC_MG_MIN_LF_WIDTH, IDC_MG_MIN_LF_WIDTH_SPIN},
        {"最大ｳｪﾌﾞ厚", IDC_MG_MAX_WEB_THICK_AUTO, IDC_MG_MAX_WEB_THICK_INPUT, IDC_MG_MAX_WEB_THICK, IDC_MG_MAX_WEB_THICK_SPIN},
        {"最小ｳｪﾌﾞ厚", IDC_MG_MIN_WEB_THICK_AUTO, IDC_MG_MIN_WEB_THICK_INPUT, IDC_MG_MIN_WEB_THICK, IDC_MG_MIN_WEB_THICK_SPIN},
    };
    for (int i = 0; i < 10; ++i) {
        const LimitRow& r = rows[i];
        c.push_back(C(CtlKind::Static, IDC_STATIC, r.name, i, 0, 0, limits));
        c.push_back(C(CtlKind::RadioButton, r.autoId, "自動決定", i, 1, CF_GROUP, limits));
        c.push_back(C(CtlKind::RadioButton, r.inputId, "入力", i, 2, 0, limits));
        c.push_back(C(CtlKind::Edit, r.editId, "", i, 3, CF_GROUP | CF_ALIGN_RIGHT | CF_FIXEDWIDTH, limits, 1, 36));
        c.push_back(C(CtlKind::Spin, r.spinId, "", i, 4, 0, limits));
        c.push_back(C(CtlKind::Static, IDC_STATIC, "mm", i, 5, 0, limits));
    }

    const int stiffener = IDC_MG_STIFFENER_GROUP;
    c.push_back(C(CtlKind::GroupBox, stiffener, "水平補剛材段数（最大値）", 2, 0));
    c.push_back(C(CtlKind::RadioButton, IDC_MG_STIFFENER_AUTO, "自動決定", 0, 0, CF_GROUP, stiffener));
    c.push_back(C(CtlKind::RadioButton, IDC_MG_STIFFENER_0, "0段", 0, 1, 0, stiffener));
    c.push_back(C(CtlKind::RadioButton, IDC_MG_STIFFENER_1, "1段", 0, 2, 0, stiffener));
    c.push_back(C(CtlKind::RadioButton, IDC_MG_STIFFENER_2, "2段", 0, 3, 0, stiffener));

    const int thickness = IDC_MG_THICKNESS_GROUP;
    c.push_back(C(CtlKind::GroupBox, thickness, "板厚", 3, 0));
    c.push_back(C(CtlKind::RadioButton, IDC_MG_THICKNESS_MARKET, "ﾏｰｹｯﾄｻｲｽﾞ", 0, 0, CF_GROUP, thickness));
    c.push_back(C(CtlKind::RadioButton, IDC_MG_THICKNESS_1MM, "1mm単位", 0, 1, 0, thickness));

    const int section = IDC_MG_SECTION_GROUP;
    c.push_back(C(CtlKind::GroupBox, section, "断面長・曲げ応力度", 4, 0));
    c.push_back(C(CtlKind::Static, IDC_MG_MAX_SECTION_LABEL, "最大断面長", 0, 0, 0, section));
    c.push_back(C(CtlKind::Edit, IDC_MG_MAX_SECTION, "", 0, 1, CF_GROUP | CF_ALIGN_RIGHT | CF_FIXEDWIDTH, section, 1, 36));
    c.push_back(C(CtlKind::Spin, IDC_MG_MAX_SECTION_SPIN, "", 0, 2, 0, section));
    c.push_back(C(CtlKind::Static, IDC_MG_MAX_SECTION_UNIT, "m", 0, 3, 0, section));
    c.push_back(C(CtlKind::Static, IDC_MG_MIN_SECTION_LABEL, "最小断面長", 1, 0, 0, section));
    c.push_back(C(CtlKind::Edit, IDC_MG_MIN_SECTION, "", 1, 1, CF_GROUP | CF_ALIGN_RIGHT | CF_FIXEDWIDTH, section, 1, 36));
    c.push_back(C(CtlKind::Spin, IDC_MG_MIN_SECTION_SPIN, "", 1, 2, 0, section));
    c.push_back(C(CtlKind::Static, IDC_MG_MIN_SECTION_UNIT, "m", 1, 3, 0, section));
    c.push_back(C(CtlKind::Static, IDC_STATIC, "曲げ応力度の余裕", 2, 0, 0, section));
    c.push_back(C(CtlKind::Edit, IDC_MG_BENDING_MARGIN, "", 2, 1, CF_GROUP | CF_ALIGN_RIGHT | CF_FIXEDWIDTH, section, 1, 36));
    c.push_back(C(CtlKind::Spin, IDC_MG_BENDING_MARGIN_SPIN, "", 2, 2, 0, section));
    c.push_back(C(CtlKind::Static, IDC_MG_STRESS_UNIT, "(N/mm2)", 2, 3, 0, section));

    // Right: grades, the box shape, the blocks and the options.
    const int grades = IDC_MG_GRADE_GROUP;
    c.push_back(C(CtlKind::GroupBox, grades, "鋼種", 0, 1, 0, 0, 2));
    c.push_back(C(CtlKind::Static, IDC_STATIC, "上ﾌﾗﾝｼﾞ", 0, 0, 0, grades));
    c.push_back(C(CtlKind::DropList, IDC_MG_UF_GRADE, "", 0, 1, CF_GROUP, grades, 1, 60));
    c.push_back(C(CtlKind::Static, IDC_STATIC, "下ﾌﾗﾝｼﾞ", 1, 0, 0, grades));
    c.push_back(C(CtlKind::DropList, IDC_MG_LF_GRADE, "", 1, 1, CF_GROUP, grades, 1, 60));
    c.push_back(C(CtlKind::Static, IDC_STATIC, "ｳｪﾌﾞ", 2, 0, 0, grades));
    c.push_back(C(CtlKind::DropList, IDC_MG_WEB_GRADE, "", 2, 1, CF_GROUP, grades, 1, 60));

    const int box = IDC_MG_BOX_GROUP;
    c.push_back(C(CtlKind::GroupBox, box, "箱桁形状（固定値）", 1, 1, 0, 0, 2));
    c.push_back(C(CtlKind::Custom, IDC_MG_BOX_PICTURE, "", 0, 0, 0, box, 4, 130, 72));
    c.push_back(C(CtlKind::Static, IDC_STATIC, "W", 1, 0, 0, box));
    c.push_back(C(CtlKind::Edit, IDC_MG_FLANGE_W, "", 1, 1, CF_GROUP | CF_ALIGN_RIGHT, box, 1, 40));
    c.push_back(C(CtlKind::Spin, IDC_MG_FLANGE_W_SPIN, "", 1, 2, 0, box));
    c.push_back(C(CtlKind::Static, IDC_STATIC, "mm", 1, 3, 0, box));
    c.push_back(C(CtlKind::Static, IDC_STATIC, "a", 2, 0, 0, box));
    c.push_back(C(CtlKind::Edit, IDC_MG_WEB_A, "", 2, 1, CF_GROUP | CF_ALIGN_RIGHT, box, 1, 40));
    c.push_back(C(CtlKind::Spin, IDC_MG_WEB_A_SPIN, "", 2, 2, 0, box));
    c.push_back(C(CtlKind::Static, IDC_STATIC, "mm", 2, 3, 0, box));
    c.push_back(C(CtlKind::Static, IDC_STATIC, "b", 3, 0, 0, box));
    c.push_back(C(CtlKind::Edit, IDC_MG_OVERHANG_B, "", 3, 1, CF_GROUP | CF_ALIGN_RIGHT, box, 1, 40));
    c.push_back(C(CtlKind::Static, IDC_STATIC, "mm", 3, 3, 0, box));

    const int block = IDC_MG_BLOCK_GROUP;
    c.push_back(C(CtlKind::GroupBox, block, "主桁ブロック長", 2, 1, 0, 0, 2));
    c.push_back(C(CtlKind::RadioButton, IDC_MG_BLOCK_AUTO, "自動決定", 0, 0, CF_GROUP, block));
    c.push_back(C(CtlKind::RadioButton, IDC_MG_BLOCK_GIVEN, "指定", 0, 1, 0, block));
    c.push_back(C(CtlKind::PushButton, IDC_MG_BLOCK_LENGTHS, "ブロック長", 0, 2, CF_GROUP, block, 1, 50));

    const int options = IDC_MG_OPTIONS_GROUP;
    c.push_back(C(CtlKind::GroupBox, options, "", 3, 1, 0, 0, 2, 0, 0, 2));
    c.push_back(C(CtlKind::CheckBox, IDC_MG_CONST_FLANGE_WIDTH, "主桁毎にﾌﾗﾝｼﾞ幅を一定にする", 0, 0, CF_GROUP, options));
    c.push_back(C(CtlKind::CheckBox, IDC_MG_IGNORE_TB16, "t/b < 1/16 の制限を無視して最適化", 1, 0, CF_GROUP, options));
    c.push_back(C(CtlKind::CheckBox, IDC_MG_MIN_WEB_TABLE_ONLY, "最小ｳｪﾌﾞ厚を示方書鋼橋編 表10-4-1の数値のみで決定", 2, 0,
                  CF_GROUP, options));

    // Kept in the template, hidden and out of use.
    const UINT off = CF_HIDDEN | CF_DISABLED;
    c.push_back(C(CtlKind::GroupBox, IDC_MG_CHANGE_COUNT_GROUP, "断面変化数初期値", 5, 0, off));
    for (int id = IDC_MG_CHANGE_COUNT_1; id <= IDC_MG_CHANGE_COUNT_4; ++id)
        c.push_back(C(CtlKind::RadioButton, id, "", 0, id - IDC_MG_CHANGE_COUNT_1,
                      off | (id == IDC_MG_CHANGE_COUNT_1 ? UINT(CF_GROUP) : 0u), IDC_MG_CHANGE_COUNT_GROUP));
    c.push_back(C(CtlKind::RadioButton, IDC_MG_SPARE_1, "", 5, 1, off | CF_GROUP));
    c.push_back(C(CtlKind::RadioButton, IDC_MG_SPARE_2, "", 5, 2, off));

    c.push_back(C(CtlKind::PushButton, IDOK, "OK", 6, 1, CF_DEFAULT | CF_GROUP | CF_FIXEDWIDTH, 0, 1, 50));
    c.push_back(C(CtlKind::PushButton, IDCANCEL, "ｷｬﾝｾﾙ", 6, 2, CF_FIXEDWIDTH, 0, 1, 50));
    return t;
}

DialogTemplate JointPosition()
{
    DialogTemplate t = tpl::Dialog(IDD_JOINT_POSITION, QStringLiteral("継ぎ手位置設定"));
    auto& c = t.controls;
    // The tables take these places over when the dialog opens.
    c.push_back(C(CtlKind::Custom, IDC_JP_TOTALS, "", 0, 0, 0, 0, 1, 165, 150));
    c.push_back(C(CtlKind::Custom, IDC_JP_BLOCKS, "", 0, 1, 0, 0, 3, 300, 150));
    c.push_back(C(CtlKind::PushButton, IDOK, "OK", 1, 2, CF_DEFAULT | CF_GROUP | CF_FIXEDWIDTH, 0, 1, 50));
    c.push_back(C(CtlKind::PushButton, IDCANCEL, "ｷｬﾝｾﾙ", 1, 3, CF_FIXEDWIDTH, 0, 1, 50));
    return t;
}

}

std::vector<DialogTemplate> MainGirderDialogTemplates()
{
    return {MainGirder(), JointPosition()};
}
