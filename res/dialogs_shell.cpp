// Dialog templates of the shell: the scope and setup bars, the About box, and
// the windows whose controls arrive with their own input.
#include "res/resources.h"

#include <tuple>

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
    for (const auto& [id, text] : buttons) {
        t.controls.push_back(Radio(id, text, col, col == 0 ? UINT(CF_PUSHLIKE | CF_GROUP) : UINT(CF_PUSHLIKE)));
        ++col;
    }
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

ControlTemplate Label(int id, const char* text, int row, int col, int colSpan = 1, int group = 0)
{
    return {CtlKind::Static, id, QString::fromUtf8(text), row, col, 1, colSpan, 0, group};
}

ControlTemplate EditAt(int id, int row, int col, int cx = 40, UINT flags = 0, int group = 0)
{
    return {CtlKind::Edit, id, QString(), row, col, 1, 1, flags, group, cx};
}

ControlTemplate Button(int id, const char* text, int row, int col, UINT flags = 0)
{
    return {CtlKind::PushButton, id, QString::fromUtf8(text), row, col, 1, 1, flags, 0, 50, 14};
}

ControlTemplate Check(int id, const char* text, int row, int col, int colSpan = 1, int group = 0)
{
    return {CtlKind::CheckBox, id, QString::fromUtf8(text), row, col, 1, colSpan, CF_GROUP, group};
}

DialogTemplate UserInfo()
{
    return {IDD_USER_INFO, QStringLiteral("ﾕｰｻﾞｰ情報"), QStringLiteral("ＭＳ Ｐゴシック"), 9, 0, 0, {
        Label(1483, "会社名などを入力して下さい。Windowsに登録され\n印刷時にフッタとして出力されます。", 0, 0, 3),
        Label(-1, "会社名", 1, 0),
        EditAt(1482, 1, 1, 180),
        Button(IDOK, "OK", 2, 1, CF_DEFAULT | CF_GROUP),
        Button(IDCANCEL, "ｷｬﾝｾﾙ", 2, 2),
    }};
}

DialogTemplate PrintFormat()
{
    DialogTemplate t{IDD_PRINT_FORMAT, QStringLiteral("印刷書式設定"), QStringLiteral("ＭＳ Ｐゴシック"), 9, 0, 0, {}};
    t.controls.push_back({CtlKind::GroupBox, 1612, QStringLiteral("枠位置（0.1mm）"), 0, 0, 1, 4});
    const std::tuple<int, int, const char*> edges[] = {{1484, 1488, "上"}, {1485, 1489, "左"}, {1486, 1490, "下"}, {1487, 1491, "右"}};
    int row = 0;
    for (const auto& [edit, spin, text] : edges) {
        t.controls.push_back(Label(-1, text, row, 0, 1, 1612));
        t.controls.push_back(EditAt(edit, row, 1, 30, CF_ALIGN_RIGHT, 1612));
        t.controls.push_back({CtlKind::Spin, spin, QString(), row, 2, 1, 1, 0, 1612});
        ++row;
    }
    t.controls.push_back(Label(-1, "会社名（フッタとして印刷されます。）", 1, 0, 4));
    t.controls.push_back(EditAt(1511, 2, 0, 200));
    t.controls.back().colSpan = 4;
    t.controls.push_back(Check(1611, "枠を印刷しない", 3, 0, 4));
    t.controls.push_back(Check(1609, "ﾍｯﾀﾞを印刷しない", 4, 0, 4));
    t.controls.push_back(Check(1610, "ﾌｯﾀを印刷しない", 5, 0, 4));
    t.controls.push_back(Button(IDOK, "OK", 6, 2, CF_DEFAULT | CF_GROUP));
    t.controls.push_back(Button(IDCANCEL, "ｷｬﾝｾﾙ", 6, 3));
    return t;
}

DialogTemplate OriginAdjust()
{
    return {IDD_ORIGIN_ADJUST, QStringLiteral("原点位置調整"), QStringLiteral("ＭＳ Ｐゴシック"), 9, 0, 0, {
        Label(-1, "X (mm)", 0, 0), EditAt(1585, 0, 1, 60, CF_ALIGN_RIGHT),
        Label(-1, "Y (mm)", 1, 0), EditAt(1586, 1, 1, 60, CF_ALIGN_RIGHT),
        Label(-1, "θ (度)", 2, 0), EditAt(1588, 2, 1, 60, CF_ALIGN_RIGHT),
        Check(1590, "設定した角度を平面図に反映させる", 3, 0, 3),
        Button(IDOK, "OK", 4, 1, CF_DEFAULT | CF_GROUP), Button(IDCANCEL, "ｷｬﾝｾﾙ", 4, 2),
    }};
}

DialogTemplate AbortConfirm()
{
    return {IDD_ABORT_CONFIRM, QStringLiteral("確認"), QStringLiteral("ＭＳ Ｐゴシック"), 9, 0, 0, {
        Label(-1, "ここで中断しますか。", 0, 0, 2),
        Button(IDOK, "はい", 1, 0, CF_GROUP), Button(IDCANCEL, "いいえ", 1, 1, CF_DEFAULT),
    }};
}

DialogTemplate TestCommand()
{
    return {IDD_TEST_COMMAND, QStringLiteral("ﾃｽﾄｺﾏﾝﾄﾞ実行"), QStringLiteral("ＭＳ Ｐゴシック"), 9, 0, 0, {
        EditAt(1465, 0, 0, 160),
        Button(IDOK, "OK", 0, 1, CF_DEFAULT | CF_GROUP), Button(IDCANCEL, "ｷｬﾝｾﾙ", 1, 1),
    }};
}

DialogTemplate PrintBar()
{
    return {IDD_PRINT_BAR, QStringLiteral("印刷"), QStringLiteral("ＭＳ Ｐゴシック"), 9, 0, 0, {
        Button(57609, "印刷プレビュー", 0, 0), Button(57607, "印刷", 0, 1), Button(32811, "印刷フォーマット", 0, 2),
        Button(1655, "一括選択", 0, 3), Button(1656, "一括解除", 0, 4),
    }};
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
        ScopeBar(), SetupBar(), AboutBox(), UserInfo(), PrintFormat(), OriginAdjust(), AbortConfirm(), TestCommand(),
        PrintBar(),
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
Captioned(IDD_SECTION2_BAR, "縦断面図操作"),
        Captioned(IDD_PROPERTIES_BAR, "断面詳細データ"),
    };
}
