// Dialog templates of the shell: the scope and setup bars, the About box, and
// the windows whose controls arrive with their own input.
#include "res/resources.h"

namespace {

ControlTemplate Radio(int id, const char* text, int col, UINT flags = CF_PUSHLIKE)
{
    return {CtlKind::RadioButton, id, QString::fromUtf8(text), 0, col, 1, 1, flags, 0, 35, 11};
}

ControlTemplate StepButton(int id, const char* text, int row, UINT flags = 0)
{
    return {CtlKind::PushButton, id, QString::fromUtf8(text), row, 0, 1, 1, CF_ALIGN_LEFT | flags, 0, 76, 14};
}

DialogTemplate ScopeBar()
{
    DialogTemplate t{IDD_SCOPEBAR, QStringLiteral("画面切換"), QStringLiteral("ＭＳ Ｐゴシック"), 9, 394, 21, {}};
    const std::pair<int, const char*> buttons[] = {
        {32771, "平面図"}, {32772, "横断面図"}, {32829, "縦断面図"}, {32773, "荷重図"}, {32808, "入力確認"},
        {32774, "断面力図"}, {32805, "反力､ﾀﾜﾐ"}, {32775, "断面表"}, {32815, "詳細ﾃﾞｰﾀ"}, {32776, "積算表"},
        {32812, "一括印刷"}};
    int col = 0;
    for (const auto& [id, text] : buttons)
        t.controls.push_back(Radio(id, text, col++, CF_PUSHLIKE | (col == 1 ? CF_GROUP : 0)));
    t.controls.push_back(Radio(1000, "", col, CF_HIDDEN | CF_DISABLED));
    return t;
}

DialogTemplate SetupBar()
{
    DialogTemplate t{IDD_SETUPBAR, QStringLiteral("条件設定・計算"), QStringLiteral("ＭＳ ゴシック"), 9, 84, 297, {}};
    const std::pair<int, const char*> buttons[] = {
        {57600, "  ﾃﾞｰﾀ新規作成"}, {57601, "  ﾃﾞｰﾀ読み込み"}, {57604, " 名前をつけて保存"}, {32777, "  基本条件"},
        {32778, "  支間長、ﾊﾟﾈﾙ数"}, {32779, "  桁ﾀｲﾌﾟ､ﾊﾟﾈﾙ割"}, {32780, "  横断面形状"}, {32830, "  桁高変化"},
        {32781, "  主桁基本ﾃﾞｰﾀ"}, {32788, "  主桁基本ﾃﾞｰﾀ２"}, {32789, "  主部材基本ﾃﾞｰﾀ"}, {32790, "  横桁配置"},
        {32782, "  死荷重"}, {32791, "  鋼重､ﾊﾝﾁ､添架物"}, {32799, "  積算ﾃﾞｰﾀ"}, {32783, "  格子計算"},
        {32818, "  座標入力"}, {57609, "  印刷ﾌﾟﾚﾋﾞｭｰ"}, {57607, "  印刷"}};
    int row = 0;
    for (const auto& [id, text] : buttons)
        t.controls.push_back(StepButton(id, text, row++));
    t.controls.push_back(StepButton(32784, "  積算", row++, CF_HIDDEN | CF_DISABLED));
    return t;
}

DialogTemplate AboutBox()
{
    DialogTemplate t{IDD_ABOUTBOX, QStringLiteral("Marivolten のﾊﾞｰｼﾞｮﾝ情報"), QStringLiteral("ＭＳ Ｐゴシック"), 9, 217, 55, {}};
    t.controls.push_back({CtlKind::Picture, 1001, QString(), 0, 0, 2, 1, 0, 0, 20, 20});
    t.controls.push_back({CtlKind::Static, 1002, QStringLiteral("Marivolten Version 1.83"), 0, 1, 1, 1, 0, 0, 119, 8});
    t.controls.push_back({CtlKind::Static, 1003,
                          QStringLiteral("非合成鈑桁・箱桁の概略自動設計と積算"), 1, 1, 1, 1, 0, 0, 119, 8});
    t.controls.push_back({CtlKind::PushButton, IDOK, QStringLiteral("OK"), 0, 2, 1, 1, CF_DEFAULT | CF_GROUP, 0, 32, 14});
    return t;
}

// A window whose controls come with its own input: for now only its caption.
DialogTemplate Captioned(UINT id, const char* caption)
{
    return DialogTemplate{id, QString::fromUtf8(caption), QStringLiteral("ＭＳ Ｐゴシック"), 9, 0, 0, {}};
}

}

std::vector<DialogTemplate> ShellDialogTemplates()
{
    return {
        ScopeBar(), SetupBar(), AboutBox(),
        Captioned(IDD_CROSS_SECTION, "横断面寸法"),
        Captioned(IDD_PANEL, "ﾊﾟﾈﾙ割、桁ﾀｲﾌﾟ設定     （ <更新>ﾎﾞﾀﾝで編集内容が画面に反映されます。 ）"),
        Captioned(IDD_CROSS_BEAM, "横桁配置"),
        Captioned(IDD_BLOCK, "ﾌﾞﾛｯｸの結合／分割、ﾌﾞﾛｯｸ長調整"),
        Captioned(IDD_HEIGHT, "桁高変化"),
        Captioned(IDD_CALC_PROGRESS, "計算中"),
        Captioned(IDD_GRID_BAR, "平面図操作"), Captioned(IDD_SECTION_BAR, "横断面図操作"),
        Captioned(IDD_LOAD_BAR, "荷重図操作"), Captioned(IDD_FORCE_BAR, "断面力図操作"),
        Captioned(IDD_CALC_BAR, "断面計算表操作"), Captioned(IDD_ESTIMATE_BAR, "積算表操作"),
        Captioned(IDD_REACT_BAR, "反力、たわみ表操作"), Captioned(IDD_CONDITION_BAR, "入力確認"),
        Captioned(IDD_PRINT_BAR, "印刷"), Captioned(IDD_SECTION2_BAR, "縦断面図操作"),
        Captioned(IDD_PROPERTIES_BAR, "断面詳細データ"),
    };
}
