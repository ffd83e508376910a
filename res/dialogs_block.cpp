// Template of the window that joins and splits the blocks of a girder and sets their lengths.
#include "res/template_helpers.h"

namespace {

using tpl::grouped::C;

constexpr UINT kUnused = CF_HIDDEN | CF_DISABLED;
constexpr UINT kNumber = CF_ALIGN_RIGHT | CF_NUMBER;

DialogTemplate Block()
{
    DialogTemplate t = tpl::Dialog(IDD_BLOCK, QStringLiteral("ﾌﾞﾛｯｸの結合／分割、ﾌﾞﾛｯｸ長調整"));
    auto& c = t.controls;
    // The table takes this place over when the window is made.
    c.push_back(C(CtlKind::Custom, IDC_BLOCK_TABLE, "ブロック割設定ﾃｰﾌﾞﾙ", 0, 0, 0, 0, 1, 150, 230, 3));
    c.push_back(C(CtlKind::GroupBox, IDC_BLOCK_JOIN_GROUP, "", 0, 1, 0, 0, 3));
    c.push_back(C(CtlKind::GroupBox, IDC_BLOCK_SPLIT_GROUP, "", 1, 1, 0, 0, 3));
    c.push_back(C(CtlKind::GroupBox, IDC_BLOCK_LENGTHS_GROUP, "", 2, 1, 0, 0, 3));

    // The three modes are one radio group, each heading its own box.
    c.push_back(C(CtlKind::RadioButton, IDC_BLOCK_JOIN, "ブロックの結合", 0, 0, CF_GROUP, IDC_BLOCK_JOIN_GROUP, 4));
    c.push_back(C(CtlKind::RadioButton, IDC_BLOCK_SPLIT, "ブロックの分割", 0, 0, 0, IDC_BLOCK_SPLIT_GROUP, 4));
    c.push_back(C(CtlKind::RadioButton, IDC_BLOCK_LENGTHS, "ブロック長調整", 0, 0, 0, IDC_BLOCK_LENGTHS_GROUP, 4));

    c.push_back(C(CtlKind::Static, IDC_BLOCK_START_LABEL, "開始断面", 1, 0, CF_GROUP, IDC_BLOCK_JOIN_GROUP));
    c.push_back(C(CtlKind::Edit, IDC_BLOCK_START, "0", 1, 1, kNumber | CF_GROUP, IDC_BLOCK_JOIN_GROUP, 1, 36));
    c.push_back(C(CtlKind::Spin, IDC_BLOCK_START_SPIN, "", 1, 2, 0, IDC_BLOCK_JOIN_GROUP));
    c.push_back(C(CtlKind::Static, IDC_BLOCK_END_LABEL, "終了断面", 2, 0, 0, IDC_BLOCK_JOIN_GROUP));
    c.push_back(C(CtlKind::Edit, IDC_BLOCK_END, "0", 2, 1, kNumber | CF_GROUP, IDC_BLOCK_JOIN_GROUP, 1, 36));
    c.push_back(C(CtlKind::Spin, IDC_BLOCK_END_SPIN, "", 2, 2, 0, IDC_BLOCK_JOIN_GROUP));

    c.push_back(C(CtlKind::Static, IDC_BLOCK_SPLIT_LABEL, "分割断面", 1, 0, CF_GROUP, IDC_BLOCK_SPLIT_GROUP));
    c.push_back(C(CtlKind::Edit, IDC_BLOCK_SPLIT_NO, "0", 1, 1, kNumber | CF_GROUP, IDC_BLOCK_SPLIT_GROUP, 1, 36));
    c.push_back(C(CtlKind::Spin, IDC_BLOCK_SPLIT_SPIN, "", 1, 2, 0, IDC_BLOCK_SPLIT_GROUP));
    c.push_back(C(CtlKind::Static, IDC_BLOCK_POS_LABEL, "分割位置", 2, 0, 0, IDC_BLOCK_SPLIT_GROUP));
    c.push_back(C(CtlKind::RadioButton, IDC_BLOCK_MIDDLE, "ブロックの中点", 2, 1, CF_GROUP, IDC_BLOCK_SPLIT_GROUP, 3));
    c.push_back(C(CtlKind::RadioButton, IDC_BLOCK_GIVEN, "指定", 3, 1, 0, IDC_BLOCK_SPLIT_GROUP, 3));
    c.push_back(C(CtlKind::Edit, IDC_BLOCK_POS, "0", 4, 1, kNumber | CF_GROUP, IDC_BLOCK_SPLIT_GROUP, 1, 50));
    c.push_back(C(CtlKind::Spin, IDC_BLOCK_POS_SPIN, "", 4, 2, kUnused, IDC_BLOCK_SPLIT_GROUP));
    c.push_back(C(CtlKind::Static, IDC_BLOCK_POS_UNIT, "mm", 4, 3, 0, IDC_BLOCK_SPLIT_GROUP));
    c.push_back(C(CtlKind::Static, IDC_BLOCK_POS_NOTE, "（ブロック左端からの距離）", 5, 1, 0, IDC_BLOCK_SPLIT_GROUP, 3));

    c.push_back(C(CtlKind::Static, IDC_BLOCK_TABLE_SUM_LABEL, "表合計", 1, 0, CF_GROUP, IDC_BLOCK_LENGTHS_GROUP));
    c.push_back(C(CtlKind::Edit, IDC_BLOCK_TABLE_SUM, "", 1, 1, CF_ALIGN_RIGHT | CF_READONLY | CF_GROUP,
                  IDC_BLOCK_LENGTHS_GROUP, 1, 60));
    c.push_back(C(CtlKind::Static, IDC_BLOCK_TABLE_SUM_UNIT, "mm", 1, 2, 0, IDC_BLOCK_LENGTHS_GROUP));
    c.push_back(C(CtlKind::Static, IDC_BLOCK_GIRDER_SUM_LABEL, "ブロック長合計", 2, 0, 0, IDC_BLOCK_LENGTHS_GROUP));
    c.push_back(C(CtlKind::Edit, IDC_BLOCK_GIRDER_SUM, "", 2, 1, CF_ALIGN_RIGHT | CF_READONLY | CF_GROUP,
                  IDC_BLOCK_LENGTHS_GROUP, 1, 60));
    c.push_back(C(CtlKind::Static, IDC_BLOCK_GIRDER_SUM_UNIT, "mm", 2, 2, 0, IDC_BLOCK_LENGTHS_GROUP));

    c.push_back(C(CtlKind::PushButton, IDC_BLOCK_RUN, "実行", 3, 1, CF_GROUP, 0, 1, 44));
    c.push_back(C(CtlKind::PushButton, int(ID_BLOCK_DIALOG), "閉じる", 3, 2, 0, 0, 1, 44));
    c.push_back(C(CtlKind::PushButton, int(ID_HELP), "ヘルプ", 3, 3, 0, 0, 1, 44));
    c.push_back(C(CtlKind::PushButton, IDOK, "OK", 4, 0, kUnused));
    c.push_back(C(CtlKind::PushButton, IDCANCEL, "ｷｬﾝｾﾙ", 4, 1, kUnused));
    return t;
}

}

std::vector<DialogTemplate> BlockDialogTemplates()
{
    return {Block()};
}
