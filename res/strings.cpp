// The string table: titles, document strings and command prompts (status-bar text, then tool tip).
#include "res/resources.h"

#include <unordered_map>

namespace {
const char* const kDocString = "\nMrvolt\nMrvolt\nMrvolt ﾌｧｲﾙ (*.mvl)\n.mvl\nMarivolten.Document\nMrvlts Document";
const char* const kDocStringNoNew = "\nMrvolt\n\nMrvolt ﾌｧｲﾙ (*.mvl)\n.mvl\nMarivolten.Document\nMrvlts Document";

const std::unordered_map<unsigned, const char*>& Table()
{
    static const std::unordered_map<unsigned, const char*> table = {
        {IDR_MAINFRAME, "Marivolten(非合成鈑桁箱桁の概略自動設計)"},
        {IDR_PLAN, kDocString},
        {IDR_SECTION, kDocStringNoNew}, {IDR_LOAD, kDocStringNoNew}, {IDR_FORCE, kDocStringNoNew},
        {IDR_CALC, kDocStringNoNew}, {IDR_ESTIMATE, kDocStringNoNew}, {IDR_REACT, kDocStringNoNew},
        {IDR_CONDITION, kDocStringNoNew}, {IDR_PRINT, kDocStringNoNew}, {IDR_SECTION2, kDocStringNoNew},
        {IDR_PROPERTIES, kDocStringNoNew},
        {IDS_APP_NAME, "Marivolten"},
        {AFX_IDS_IDLEMESSAGE, "レディ"},

        {ID_VIEW_PLAN, "平面図\n平面図"},
        {ID_VIEW_SECTION, "横断面図\n横断面図"},
        {ID_VIEW_LOAD, "荷重図\n荷重図"},
        {ID_VIEW_FORCE, "断面力図\n断面力図"},
        {ID_VIEW_CALC, "断面計算表\n断面計算表"},
        {ID_VIEW_ESTIMATE, "積算表\n積算表"},
        {ID_SETUP_BASIC, "基本条件の設定\n基本条件"},
        {ID_SETUP_SPAN, "支間長、ﾊﾟﾈﾙ数の設定\n支間長、ﾊﾟﾈﾙ数"},
        {ID_SETUP_PANEL, "桁ﾀｲﾌﾟ、ﾊﾟﾈﾙ割の設定\n桁ﾀｲﾌﾟ、ﾊﾟﾈﾙ割"},
        {ID_SETUP_CROSS_SECTION, "横断面形状の設定\n横断面形状"},
        {ID_SETUP_MAIN_GIRDER, "主桁基本条件の設定\n主桁基本条件"},
        {ID_SETUP_DEAD_LOAD, "死荷重の設定\n死荷重"},
        {ID_CALC_GRILLAGE, "格子計算を実行\n格子計算"},
        {ID_CALC_ESTIMATE, "積算を実行\n積算"},
        {ID_SETUP_MAIN_GIRDER2, "主桁基本条件の設定 2\n主桁基本条件 2"},
        {ID_SETUP_MAIN_MEMBER, "横桁基本条件\n横桁基本条件の設定"},
        {ID_SETUP_CROSS_BEAM, "横桁配置、分配/非分配の設定\n横桁配置"},
        {ID_SETUP_STEEL_WEIGHT, "仮定鋼重、ﾊﾝﾁ形状・重量、添架物荷重の設定\n鋼重、ﾊﾝﾁ、添架物"},
        {ID_CALC_SECTION, "断面計算を実行\n断面計算"},
        {ID_VIEW_SECTIONBAR, "横断面図操作 ﾊﾞｰの表示/非表示\n横断面操作 ﾊﾞｰの表示/非表示"},
        {ID_VIEW_GRIDBAR, "平面図操作 ﾊﾞｰの表示/非表示\n平面図操作 ﾊﾞｰの表示/非表示"},
        {ID_VIEW_LOADBAR, "荷重図操作 ﾊﾞｰの表示/非表示\n荷重図操作 ﾊﾞｰの表示/非表示"},
        {ID_VIEW_FORCEBAR, "断面力図操作 ﾊﾞｰの表示/非表示\n断面力図操作 ﾊﾞｰの表示/非表示"},
        {ID_VIEW_CALCBAR, "断面計算表操作 ﾊﾞｰの表示/非表示\n断面計算表操作 ﾊﾞｰの表示/非表示"},
        {ID_SETUP_ESTIMATE, "積算条件の設定\n積算条件"},
        {ID_VIEW_ESTIMATEBAR, "積算表操作 ﾊﾞｰの表示/非表示\n積算表操作 ﾊﾞｰの表示/非表示"},
        {ID_CALCULATOR, "格子解析で使用する計算機を指定（計算結果に影響なし）\n計算機を指定"},
        {ID_CALCULATOR_TIGER, "機械式計算機を表示\n機械式"},
        {ID_CALCULATOR_CACIO, "電子式計算機を表示\n電子式"},
        {ID_VIEW_REACT, "反力、たわみ表\n反力、たわみ"},
        {ID_VIEW_REACTBAR, "反力表操作 ﾊﾞｰの表示/非表示\n反力表操作 ﾊﾞｰの表示/非表示"},
        {ID_VIEW_CONDITION, "入力条件の確認\n入力条件の確認"},
        {ID_VIEW_CONDITIONBAR, "入力確認 ﾊﾞｰの表示/非表示\n入力確認 ﾊﾞｰの表示/非表示"},
        {ID_USER_INFO, "会社名等の設定\n会社名等の設定"},
        {ID_PRINT_FORMAT, "枠位置、ﾌｯﾀの設定\n枠位置、ﾌｯﾀの設定"},
        {ID_VIEW_PRINT, "一括印刷の設定\n一括印刷"},
        {ID_VIEW_PRINTBAR, "印刷 ﾊﾞｰの表示/非表示\n印刷 ﾊﾞｰの表示/非表示"},
        {ID_INVALIDATE_RESULTS, "格子計算、断面計算の結果を無効化\n計算結果を無効化"},
        {ID_BLOCK_DIALOG, "断面の結合または分割を実行\n断面の結合/分割"},
        {ID_SETUP_COORDINATE, "座標入力\n座標入力"},
        {ID_OPTION_SI_UNITS, "単位系の切り替え\n単位系の切り替え"},
        {ID_SETUP_HEIGHT, "桁高変化\n桁高変化"},
        {ID_UNIT_SWITCH, "単位系の切り替え"},

        // The framework's own commands.
        {ID_FILE_NEW, "新しいﾌｧｲﾙを作成します\n新規作成"},
        {ID_FILE_OPEN, "既存のﾌｧｲﾙを開きます\n開く"},
        {ID_FILE_CLOSE, "作業中のﾌｧｲﾙを閉じます\n閉じる"},
        {ID_FILE_SAVE, "作業中のﾌｧｲﾙを上書きして保存します\n上書き保存"},
        {ID_FILE_SAVE_AS, "作業中のﾌｧｲﾙを新しい名前で保存します\n名前を付けて保存"},
        {ID_FILE_PRINT_SETUP, "ﾌﾟﾘﾝﾀおよびﾌﾟﾘﾝﾀ接続の設定を変更します\n印刷設定"},
        {ID_FILE_PRINT, "作業中のﾌｧｲﾙを印刷します\n印刷"},
        {ID_FILE_PRINT_PREVIEW, "ﾌﾙ ﾍﾟｰｼﾞ表示\n印刷ﾌﾟﾚﾋﾞｭｰ"},
        {ID_FILE_MRU_FILE1, "指定のﾌｧｲﾙを開きます"},
        {ID_EDIT_COPY, "選択範囲をｺﾋﾟｰしてｸﾘｯﾌﾟﾎﾞｰﾄﾞに保存します\nｺﾋﾟｰ"},
        {ID_EDIT_CUT, "選択範囲を切り取ってｸﾘｯﾌﾟﾎﾞｰﾄﾞに移動します\n切り取り"},
        {ID_EDIT_PASTE, "ｸﾘｯﾌﾟﾎﾞｰﾄﾞの内容を挿入します\n貼り付け"},
        {ID_EDIT_UNDO, "直前に行った動作を元に戻します\n元に戻す"},
        {ID_APP_ABOUT, "ﾌﾟﾛｸﾞﾗﾑ情報、ﾊﾞｰｼﾞｮﾝそして著作権を表示します\nﾊﾞｰｼﾞｮﾝ情報"},
        {ID_APP_EXIT, "ｱﾌﾟﾘｹｰｼｮﾝを終了し、ﾌｧｲﾙの保存を指示\n終了"},
        {ID_HELP_FINDER, "ﾍﾙﾌﾟの目次を表示します\nﾍﾙﾌﾟの目次"},
        {ID_HELP, "ﾍﾙﾌﾟを表示します\nﾍﾙﾌﾟ"},
        {ID_CONTEXT_HELP, "ｸﾘｯｸしたｵﾌﾞｼﾞｪｸﾄのﾍﾙﾌﾟを表示します\nﾍﾙﾌﾟ"},
        {ID_VIEW_TOOLBAR, "ﾂｰﾙ ﾊﾞｰの表示/非表示\nﾂｰﾙ ﾊﾞｰの表示/非表示"},
        {ID_VIEW_STATUS_BAR, "ｽﾃｰﾀｽ ﾊﾞｰの表示/非表示\nｽﾃｰﾀｽ ﾊﾞｰの表示/非表示"},
    };
    return table;
}
}

QString LoadProgramString(unsigned id)
{
    const auto& t = Table();
    auto it = t.find(id);
    return it == t.end() ? QString() : QString::fromUtf8(it->second);
}
