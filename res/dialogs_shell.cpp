// Dialog templates of the shell: the scope and setup bars, the About box, and
// the windows whose controls arrive with their own input.
#include "res/template_helpers.h"

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
        {ID_VIEW_PLAN, "平面図"}, {ID_VIEW_SECTION, "横断面図"}, {ID_VIEW_SECTION2, "縦断面図"},
        {ID_VIEW_LOAD, "荷重図"}, {ID_VIEW_CONDITION, "入力確認"}, {ID_VIEW_FORCE, "断面力図"},
        {ID_VIEW_REACT, "反力､ﾀﾜﾐ"}, {ID_VIEW_CALC, "断面表"}, {ID_VIEW_PROPERTIES, "詳細ﾃﾞｰﾀ"},
        {ID_VIEW_ESTIMATE, "積算表"}, {ID_VIEW_PRINT, "一括印刷"}};
    int col = 0;
    for (const auto& [id, text] : buttons) {
        t.controls.push_back(Radio(id, text, col, col == 0 ? UINT(CF_PUSHLIKE | CF_GROUP) : UINT(CF_PUSHLIKE)));
        ++col;
    }
    t.controls.push_back(Radio(IDC_SCOPE_NONE, "", col, CF_HIDDEN | CF_DISABLED));
    return t;
}

DialogTemplate SetupBar()
{
    DialogTemplate t{IDD_SETUPBAR, QStringLiteral("条件設定・計算"), QStringLiteral("ＭＳ ゴシック"), 9, 84, 297, {}};
    const std::pair<int, const char*> buttons[] = {
        {ID_FILE_NEW, "  ﾃﾞｰﾀ新規作成"}, {ID_FILE_OPEN, "  ﾃﾞｰﾀ読み込み"}, {ID_FILE_SAVE_AS, " 名前をつけて保存"},
        {ID_SETUP_BASIC, "  基本条件"}, {ID_SETUP_SPAN, "  支間長、ﾊﾟﾈﾙ数"}, {ID_SETUP_PANEL, "  桁ﾀｲﾌﾟ､ﾊﾟﾈﾙ割"},
        {ID_SETUP_CROSS_SECTION, "  横断面形状"}, {ID_SETUP_HEIGHT, "  桁高変化"},
        {ID_SETUP_MAIN_GIRDER, "  主桁基本ﾃﾞｰﾀ"}, {ID_SETUP_MAIN_GIRDER2, "  主桁基本ﾃﾞｰﾀ２"},
        {ID_SETUP_MAIN_MEMBER, "  主部材基本ﾃﾞｰﾀ"}, {ID_SETUP_CROSS_BEAM, "  横桁配置"},
        {ID_SETUP_DEAD_LOAD, "  死荷重"}, {ID_SETUP_STEEL_WEIGHT, "  鋼重､ﾊﾝﾁ､添架物"},
        {ID_SETUP_ESTIMATE, "  積算ﾃﾞｰﾀ"}, {ID_CALC_GRILLAGE, "  格子計算"}, {ID_SETUP_COORDINATE, "  座標入力"},
        {ID_FILE_PRINT_PREVIEW, "  印刷ﾌﾟﾚﾋﾞｭｰ"}, {ID_FILE_PRINT, "  印刷"}};
    int row = 0;
    for (const auto& [id, text] : buttons)
        t.controls.push_back(StepButton(id, text, row++));
    t.controls.push_back(StepButton(ID_CALC_ESTIMATE, "  積算", row++, CF_HIDDEN | CF_DISABLED));
    return t;
}

DialogTemplate AboutBox()
{
    DialogTemplate t{IDD_ABOUTBOX, QStringLiteral("Marivolten のﾊﾞｰｼﾞｮﾝ情報"), QStringLiteral("ＭＳ Ｐゴシック"), 9, 217, 55, {}};
    t.controls.push_back({CtlKind::Picture, IDC_ABOUT_ICON, QString::number(IDR_MAINFRAME), 0, 0, 2, 1, CF_ICON, 0, 20, 20});
    t.controls.push_back({CtlKind::Static, IDC_ABOUT_VERSION, QStringLiteral("Marivolten Version 1.83"), 0, 1, 1, 1, 0, 0, 119, 8});
    t.controls.push_back({CtlKind::Static, IDC_ABOUT_TEXT,
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
        Label(IDC_USER_NOTE, "会社名などを入力して下さい。Windowsに登録され\n印刷時にフッタとして出力されます。", 0, 0, 3),
        Label(IDC_STATIC, "会社名", 1, 0),
        EditAt(IDC_USER_COMPANY, 1, 1, 180),
        Button(IDOK, "OK", 2, 1, CF_DEFAULT | CF_GROUP),
        Button(IDCANCEL, "ｷｬﾝｾﾙ", 2, 2),
    }};
}

DialogTemplate PrintFormat()
{
    DialogTemplate t = tpl::Dialog(IDD_PRINT_FORMAT, QStringLiteral("印刷書式設定"));
    t.controls.push_back({CtlKind::GroupBox, IDC_FRAME_GROUP, QStringLiteral("枠位置（0.1mm）"), 0, 0, 1, 4});
    const std::tuple<int, int, const char*> edges[] = {
        {IDC_MARGIN_TOP, IDC_MARGIN_TOP_SPIN, "上"}, {IDC_MARGIN_LEFT, IDC_MARGIN_LEFT_SPIN, "左"},
        {IDC_MARGIN_BOTTOM, IDC_MARGIN_BOTTOM_SPIN, "下"}, {IDC_MARGIN_RIGHT, IDC_MARGIN_RIGHT_SPIN, "右"}};
    int row = 0;
    for (const auto& [edit, spin, text] : edges) {
        t.controls.push_back(Label(IDC_STATIC, text, row, 0, 1, IDC_FRAME_GROUP));
        t.controls.push_back(EditAt(edit, row, 1, 30, CF_ALIGN_RIGHT, IDC_FRAME_GROUP));
        t.controls.push_back({CtlKind::Spin, spin, QString(), row, 2, 1, 1, 0, IDC_FRAME_GROUP});
        ++row;
    }
    t.controls.push_back(Label(IDC_STATIC, "会社名（フッタとして印刷されます。）", 1, 0, 4));
    t.controls.push_back(EditAt(IDC_PRINT_COMPANY, 2, 0, 200));
    t.controls.back().colSpan = 4;
    t.controls.push_back(Check(IDC_NO_FRAME, "枠を印刷しない", 3, 0, 4));
    t.controls.push_back(Check(IDC_NO_HEADER, "ﾍｯﾀﾞを印刷しない", 4, 0, 4));
    t.controls.push_back(Check(IDC_NO_FOOTER, "ﾌｯﾀを印刷しない", 5, 0, 4));
    t.controls.push_back(Button(IDOK, "OK", 6, 2, CF_DEFAULT | CF_GROUP));
    t.controls.push_back(Button(IDCANCEL, "ｷｬﾝｾﾙ", 6, 3));
    return t;
}

DialogTemplate OriginAdjust()
{
    return {IDD_ORIGIN_ADJUST, QStringLiteral("原点位置調整"), QStringLiteral("ＭＳ Ｐゴシック"), 9, 0, 0, {
        Label(IDC_STATIC, "X (mm)", 0, 0), EditAt(IDC_ORIGIN_X, 0, 1, 60, CF_ALIGN_RIGHT),
        Label(IDC_STATIC, "Y (mm)", 1, 0), EditAt(IDC_ORIGIN_Y, 1, 1, 60, CF_ALIGN_RIGHT),
        Label(IDC_STATIC, "θ (度)", 2, 0), EditAt(IDC_ORIGIN_ANGLE, 2, 1, 60, CF_ALIGN_RIGHT),
        Check(IDC_ORIGIN_APPLY, "設定した角度を平面図に反映させる", 3, 0, 3),
        Button(IDOK, "OK", 4, 1, CF_DEFAULT | CF_GROUP), Button(IDCANCEL, "ｷｬﾝｾﾙ", 4, 2),
    }};
}

DialogTemplate AbortConfirm()
{
    return {IDD_ABORT_CONFIRM, QStringLiteral("確認"), QStringLiteral("ＭＳ Ｐゴシック"), 9, 0, 0, {
        Label(IDC_STATIC, "ここで中断しますか。", 0, 0, 2),
        Button(IDOK, "はい", 1, 0, CF_GROUP), Button(IDCANCEL, "いいえ", 1, 1, CF_DEFAULT),
    }};
}

DialogTemplate TestCommand()
{
    return {IDD_TEST_COMMAND, QStringLiteral("ﾃｽﾄｺﾏﾝﾄﾞ実行"), QStringLiteral("ＭＳ Ｐゴシック"), 9, 0, 0, {
        EditAt(IDC_TEST_COMMAND, 0, 0, 160),
        Button(IDOK, "OK", 0, 1, CF_DEFAULT | CF_GROUP), Button(IDCANCEL, "ｷｬﾝｾﾙ", 1, 1),
    }};
}

DialogTemplate Rerun()
{
    DialogTemplate t = tpl::Dialog(IDD_RERUN, QStringLiteral("再格子計算"));
    using tpl::plain::C;
    t.controls = {
        C(CtlKind::Static, IDC_STATIC, "編集された断面データの扱いを選択して下さい。", 0, 0, 0, 2),
        C(CtlKind::RadioButton, IDC_RERUN_KEEP, "断面データを保持する（照査のみ）", 1, 0, CF_GROUP, 2),
        C(CtlKind::RadioButton, IDC_RERUN_REDESIGN, "断面を再設計する（断面割りは保持）", 2, 0, 0, 2),
    };
    t.controls.push_back(C(CtlKind::PushButton, IDOK, "OK", 3, 0, CF_DEFAULT | CF_GROUP, 1, 50, 14));
    t.controls.push_back(C(CtlKind::PushButton, IDCANCEL, "ｷｬﾝｾﾙ", 3, 1, 0, 1, 50, 14));
    return t;
}

// The please-wait window of the calculations: an animated picture above one line of text.
DialogTemplate CalcProgress()
{
    return {IDD_CALC_PROGRESS, QStringLiteral("計算中"), QStringLiteral("ＭＳ Ｐゴシック"), 9, 0, 0, {
        {CtlKind::Custom, IDC_PROGRESS_PICTURE, QString(), 0, 0, 1, 1, 0, 0, 134, 94},
        {CtlKind::Static, IDC_PROGRESS_TEXT, QStringLiteral("計算中です。しばらくお待ち下さい。"), 1, 0, 1, 1,
         CF_ALIGN_CENTER},
    }};
}

DialogTemplate PrintBar()
{
    return {IDD_PRINT_BAR, QStringLiteral("印刷"), QStringLiteral("ＭＳ Ｐゴシック"), 9, 0, 0, {
        Button(ID_FILE_PRINT_PREVIEW, "印刷プレビュー", 0, 0), Button(ID_FILE_PRINT, "印刷", 0, 1),
        Button(ID_PRINT_FORMAT, "印刷フォーマット", 0, 2), Button(IDC_PRINT_SELECT_ALL, "一括選択", 0, 3),
        Button(IDC_PRINT_CLEAR_ALL, "一括解除", 0, 4),
    }};
}

// The plan bar: girder and station, the hidden cross beam, scale and angle, display checks.
DialogTemplate GridBar()
{
    using tpl::plain::C;
    DialogTemplate t = tpl::Dialog(IDD_GRID_BAR, QStringLiteral("平面図操作"));
    t.fontFace = QStringLiteral("ＭＳ ゴシック");
    auto& c = t.controls;
    int col = 0;
    c.push_back(C(CtlKind::Static, IDC_STATIC, "主桁", 0, col++));
    c.push_back(C(CtlKind::Edit, IDC_PLAN_GIRDER, "", 0, col++, CF_READONLY | CF_ALIGN_RIGHT | CF_FIXEDWIDTH, 1, 24));
    c.push_back(C(CtlKind::Spin, IDC_PLAN_GIRDER_SPIN, "", 0, col++));
    c.push_back(C(CtlKind::Static, IDC_STATIC, "横断面", 0, col++));
    c.push_back(C(CtlKind::Edit, IDC_PLAN_SECTION, "", 0, col++, CF_READONLY | CF_ALIGN_RIGHT | CF_FIXEDWIDTH, 1, 24));
    c.push_back(C(CtlKind::Spin, IDC_PLAN_SECTION_SPIN, "", 0, col++));
    c.push_back(C(CtlKind::Static, IDC_STATIC, "横桁", 0, col++, CF_HIDDEN | CF_DISABLED));
    c.push_back(C(CtlKind::Edit, IDC_PLAN_CROSS_BEAM, "", 0, col++, CF_HIDDEN | CF_DISABLED | CF_READONLY, 1, 24));
    c.push_back(C(CtlKind::Spin, IDC_PLAN_CROSS_BEAM_SPIN, "", 0, col++, CF_HIDDEN | CF_DISABLED));
    c.push_back(C(CtlKind::Static, IDC_STATIC, "倍率", 0, col++));
    c.push_back(C(CtlKind::Edit, IDC_PLAN_SCALE, "", 0, col++, CF_READONLY | CF_ALIGN_RIGHT | CF_FIXEDWIDTH, 1, 24));
    c.push_back(C(CtlKind::Slider, IDC_PLAN_SCALE_SLIDER, "", 0, col++, CF_FIXEDWIDTH, 1, 70));
    c.push_back(C(CtlKind::Static, IDC_STATIC, "角度", 0, col++));
    c.push_back(C(CtlKind::Edit, IDC_PLAN_ANGLE, "", 0, col++, CF_ALIGN_RIGHT | CF_FIXEDWIDTH, 1, 36));
    c.push_back(C(CtlKind::Slider, IDC_PLAN_ANGLE_SLIDER, "", 0, col++, CF_FIXEDWIDTH, 1, 120));
    // Which way a positive angle turns the plan.
    c.push_back({CtlKind::Picture, IDC_STATIC, QString::number(IDB_PLAN_TURN), 0, col++, 1, 1, 0, 0, 24, 16});
    c.push_back(C(CtlKind::CheckBox, IDC_PLAN_SHOW_SPANS, "支間長表示", 0, col++));
    c.push_back(C(CtlKind::CheckBox, IDC_PLAN_SHOW_PANELS, "パネル長表示", 0, col++));
    c.push_back(C(CtlKind::CheckBox, IDC_PLAN_REVERSE, "目盛反転", 0, col++));
    return t;
}

// The paper of the plan's printout, with the chosen printer.
DialogTemplate PaperSelect()
{
    DialogTemplate t{IDD_PAPER_SELECT, QStringLiteral("用紙選択"), QStringLiteral("ＭＳ Ｐゴシック"), 9, 0, 0, {}};
    auto& c = t.controls;
    c.push_back({CtlKind::GroupBox, IDC_PAPER_PRINTER_GROUP, QStringLiteral("ﾌﾟﾘﾝﾀ"), 0, 0, 1, 2});
    const std::pair<int, const char*> lines[] = {
        {IDC_PAPER_PRINTER, "種類"}, {IDC_PAPER_STATUS, "状態"}, {IDC_PAPER_PORT, "場所"}};
    int row = 0;
    for (const auto& [id, text] : lines) {
        c.push_back(Label(IDC_STATIC, text, row, 0, 1, IDC_PAPER_PRINTER_GROUP));
        c.push_back({CtlKind::Static, id, QString(), row, 1, 1, 1, 0, IDC_PAPER_PRINTER_GROUP, 140});
        ++row;
    }
    c.push_back({CtlKind::GroupBox, IDC_PAPER_SIZE_GROUP, QStringLiteral("用紙"), 1, 0, 1, 2});
    c.push_back({CtlKind::RadioButton, IDC_PAPER_A3, QStringLiteral("A3サイズ"), 0, 0, 1, 1, CF_GROUP, IDC_PAPER_SIZE_GROUP});
    c.push_back({CtlKind::RadioButton, IDC_PAPER_A4, QStringLiteral("A4サイズ"), 0, 1, 1, 1, 0, IDC_PAPER_SIZE_GROUP});
    c.push_back(Button(IDOK, "OK", 2, 0, CF_DEFAULT | CF_GROUP));
    c.push_back(Button(IDCANCEL, "ｷｬﾝｾﾙ", 2, 1));
    return t;
}

}

std::vector<DialogTemplate> ShellDialogTemplates()
{
    return {
        ScopeBar(), SetupBar(), AboutBox(), UserInfo(), PrintFormat(), OriginAdjust(), AbortConfirm(), TestCommand(),
        PrintBar(), Rerun(), CalcProgress(),
        GridBar(), PaperSelect(),
    };
}
