// Menus of the main frame and of the eleven views, the tool bar and the accelerators.
#include "res/resources.h"

#include <map>

namespace {

using Item = MenuItemTemplate;

Item I(unsigned id, const char* text) { return Item{Item::Item, id, QString::fromUtf8(text), {}}; }
Item Sep() { return Item{Item::Separator, 0, QString(), {}}; }
Item Pop(const char* text, std::vector<Item> items) { return Item{Item::Popup, 0, QString::fromUtf8(text), std::move(items)}; }

Item CalculatorMenu()
{
    return Pop("計算機の種類", {I(ID_CALCULATOR_TIGER, "Tiger"), I(ID_CALCULATOR_CACIO, "Cacio")});
}

Item OptionMenu()
{
    return Pop("オプション", {I(ID_OPTION_SI_UNITS, "SI単位の使用"), I(ID_OPTION_NO_A3, "A3用紙を使用しない")});
}

MenuTemplate MainMenu()
{
    return {IDR_MAINFRAME, {
        Pop("ﾌｧｲﾙ(&F)", {I(ID_FILE_NEW, "新規作成(&N)\tCtrl+N"), I(ID_FILE_OPEN, "開く(&O)...\tCtrl+O"), Sep(),
                         I(ID_FILE_PRINT_SETUP, "ﾌﾟﾘﾝﾀの設定(&R)..."), Sep(), I(ID_FILE_MRU_FILE1, "最新のﾌｧｲﾙ"), Sep(),
                         I(ID_APP_EXIT, "ｱﾌﾟﾘｹｰｼｮﾝの終了(&X)")}),
        Pop("表示(&V)", {I(ID_VIEW_TOOLBAR, "ﾂｰﾙ ﾊﾞｰ(&T)"), I(ID_VIEW_STATUS_BAR, "ｽﾃｰﾀｽ ﾊﾞｰ(&S)"),
                        I(ID_VIEW_SCOPEBAR, "ｽｺｰﾌﾟ ﾊﾞｰ(&G)"), I(ID_VIEW_PAGEBAR, "ﾍﾟｰｼﾞ ﾊﾞｰ(&P)"),
                        I(ID_VIEW_SETUPBAR, "ｾｯﾄｱｯﾌﾟ ﾊﾞｰ(&C)"), Sep(), CalculatorMenu()}),
        OptionMenu(),
        Pop("ﾍﾙﾌﾟ(&H)", {I(ID_HELP_FINDER, "ﾄﾋﾟｯｸの検索(&H)"), Sep(), I(ID_APP_ABOUT, "ﾊﾞｰｼﾞｮﾝ情報(Marivolten)(&A)...")}),
        Pop(" ", {I(ID_TEST_COMMAND, "_")}),
    }};
}

struct BarItem { unsigned id; const char* text; };

// The document menu of one view template; the plan view's is the base of all.
MenuTemplate DocumentMenu(unsigned menuId)
{
    static const std::map<unsigned, BarItem> barItems = {
        {IDR_PLAN, {ID_VIEW_GRIDBAR, "平面図操作 ﾊﾞｰ(&M)"}},
        {IDR_SECTION, {ID_VIEW_SECTIONBAR, "横断面図操作 ﾊﾞｰ(&M)"}},
        {IDR_LOAD, {ID_VIEW_LOADBAR, "荷重図操作 ﾊﾞｰ(&L)"}},
        {IDR_FORCE, {ID_VIEW_FORCEBAR, "断面力図操作 ﾊﾞｰ(&F)"}},
        {IDR_CALC, {ID_VIEW_CALCBAR, "断面計算表操作 ﾊﾞｰ(&D)"}},
        {IDR_ESTIMATE, {ID_VIEW_ESTIMATEBAR, "積算表操作 ﾊﾞｰ(&E)"}},
        {IDR_REACT, {ID_VIEW_REACTBAR, "反力、たわみ表操作 ﾊﾞｰ(&R)"}},
        {IDR_CONDITION, {ID_VIEW_CONDITIONBAR, "入力確認 ﾊﾞｰ(&I)"}},
        {IDR_PRINT, {ID_VIEW_PRINTBAR, "印刷 ﾊﾞｰ(&M)"}},
        {IDR_SECTION2, {ID_VIEW_SECTION2BAR, "縦断面図操作 ﾊﾞｰ(&V)"}},
    };
    const bool isPlan = menuId == IDR_PLAN;

    std::vector<Item> file = {I(ID_FILE_NEW, "新規作成(&N)\tCtrl+N"), I(ID_FILE_OPEN, "開く(&O)...\tCtrl+O"),
                              I(ID_FILE_CLOSE, "閉じる(&C)"), I(ID_FILE_SAVE, "上書き保存(&S)\tCtrl+S"),
                              I(ID_FILE_SAVE_AS, "名前を付けて保存(&A)..."), Sep(),
                              I(ID_FILE_PRINT, "印刷(&P)...\tCtrl+P"), I(ID_FILE_PRINT_PREVIEW, "印刷ﾌﾟﾚﾋﾞｭｰ(&V)"),
                              I(ID_FILE_PRINT_SETUP, "ﾌﾟﾘﾝﾀの設定(&R)..."), I(ID_PRINT_FORMAT, "印刷ﾌｫｰﾏｯﾄ"), Sep()};
    if (menuId != IDR_PROPERTIES) {
        file.push_back(I(ID_FILE_MRU_FILE1, "最新のﾌｧｲﾙ"));
        file.push_back(Sep());
    }
    file.push_back(I(ID_APP_EXIT, "ｱﾌﾟﾘｹｰｼｮﾝの終了(&X)"));

    std::vector<Item> view = {I(ID_VIEW_TOOLBAR, "ﾂｰﾙ ﾊﾞｰ(&T)"), I(ID_VIEW_STATUS_BAR, "ｽﾃｰﾀｽ ﾊﾞｰ(&S)"),
                              I(ID_VIEW_SCOPEBAR, "ｽｺｰﾌﾟ ﾊﾞｰ(&G)"), I(ID_VIEW_SETUPBAR, "ｾｯﾄｱｯﾌﾟ ﾊﾞｰ(&C)")};
    if (auto it = barItems.find(menuId); it != barItems.end())
        view.push_back(I(it->second.id, it->second.text));
    view.push_back(Sep());
    view.push_back(CalculatorMenu());

    std::vector<Item> views = {I(ID_VIEW_PLAN, isPlan ? "平面図(&G)" : "平面図(&P)"), I(ID_VIEW_SECTION, "横断面図(&S)"),
                               I(ID_VIEW_SECTION2, "縦断面図(&T)"), I(ID_VIEW_LOAD, "荷重図(&L)"),
                               I(ID_VIEW_CONDITION, "入力確認(&I)"), I(ID_VIEW_FORCE, "断面力図(&F)"),
                               I(ID_VIEW_REACT, "反力、たわみ(&R)"), I(ID_VIEW_CALC, "断面計算表(&C)"),
                               I(ID_VIEW_ESTIMATE, "積算表(&E)")};
    if (menuId != IDR_CALC)
        views.push_back(I(ID_VIEW_PRINT, "一括印刷(&P)"));
    views.push_back(I(ID_VIEW_PROPERTIES, "断面詳細データ(&D)"));

    const bool designCalc = menuId == IDR_SECTION || menuId == IDR_CONDITION || menuId == IDR_SECTION2;
    std::vector<Item> calc = {I(ID_CALC_GRILLAGE, designCalc ? "設計計算(&C)" : "格子計算(&G)"),
                              I(ID_CALC_SECTION, "断面計算(&S)"), I(ID_CALC_ESTIMATE, "積算(&E)"),
                              I(ID_INVALIDATE_RESULTS, "計算結果を無効化")};
    if (menuId == IDR_FORCE || menuId == IDR_CALC)
        calc.push_back(I(ID_BLOCK_DIALOG, "断面の結合/分割"));

    return {menuId, {
        Pop("ﾌｧｲﾙ(&F)", file),
        Pop("編集(&E)", {I(ID_EDIT_UNDO, "元に戻す(&U)\tCtrl+Z"), Sep(), I(ID_EDIT_CUT, "切り取り(&T)\tCtrl+X"),
                        I(ID_EDIT_COPY, "ｺﾋﾟｰ(&C)\tCtrl+C"), I(ID_EDIT_PASTE, "貼り付け(&P)\tCtrl+V")}),
        Pop("表示(&V)", view),
        Pop("画面切換(&S)", views),
        Pop("条件設定(&C)", {I(ID_SETUP_BASIC, "基本条件(&B)"), I(ID_SETUP_SPAN, "支間長、ﾊﾟﾈﾙ数(&S)"),
                            I(ID_SETUP_PANEL, "桁ﾀｲﾌﾟ、ﾊﾟﾈﾙ割(&T)"), I(ID_SETUP_CROSS_SECTION, "横断面形状(&C)"),
                            I(ID_SETUP_HEIGHT, "桁高変化(&F)"), I(ID_SETUP_MAIN_GIRDER, "主桁基本ﾃﾞｰﾀ(&M)"),
                            I(ID_SETUP_MAIN_GIRDER2, "主桁基本ﾃﾞｰﾀ 2(&G)"), I(ID_SETUP_MAIN_MEMBER, "主部材基本ﾃﾞｰﾀ(&D)"),
                            I(ID_SETUP_CROSS_BEAM, "横桁配置(&K)"), I(ID_SETUP_DEAD_LOAD, "死荷重(&L)"),
                            I(ID_SETUP_STEEL_WEIGHT, "鋼重、ﾊﾝﾁ、添架物(&H)"), I(ID_SETUP_ESTIMATE, "積算ﾃﾞｰﾀ(&E)"),
                            I(ID_SETUP_COORDINATE, "座標入力(&Z)")}),
        Pop("計算(&K)", calc),
        OptionMenu(),
        Pop("ﾍﾙﾌﾟ(&H)", {I(ID_HELP_FINDER, "ﾄﾋﾟｯｸの検索(&H)"), Sep(), I(ID_APP_ABOUT, "ﾊﾞｰｼﾞｮﾝ情報(Marivolten) (&A)...")}),
    }};
}

}

const MenuTemplate* FindProgramMenu(unsigned id)
{
    static const std::map<unsigned, MenuTemplate> menus = [] {
        std::map<unsigned, MenuTemplate> m;
        m.emplace(IDR_MAINFRAME, MainMenu());
        for (unsigned id : {IDR_PLAN, IDR_SECTION, IDR_LOAD, IDR_FORCE, IDR_CALC, IDR_ESTIMATE, IDR_REACT,
                            IDR_CONDITION, IDR_PRINT, IDR_SECTION2, IDR_PROPERTIES})
            m.emplace(id, DocumentMenu(id));
        return m;
    }();
    auto it = menus.find(id);
    return it == menus.end() ? nullptr : &it->second;
}

const ToolBarTemplate* FindProgramToolBar(unsigned id)
{
    static const ToolBarTemplate main = {IDR_MAINFRAME, {ID_FILE_NEW, ID_FILE_OPEN, ID_FILE_SAVE, 0, ID_INVALIDATE_RESULTS,
                                                         ID_OPTION_SI_UNITS, 0, ID_FILE_PRINT, ID_APP_ABOUT}};
    return id == IDR_MAINFRAME ? &main : nullptr;
}

const AccelTableTemplate* FindProgramAccelerators(unsigned id)
{
    static const AccelTableTemplate main = {IDR_MAINFRAME, {
        {QStringLiteral("Ctrl+N"), ID_FILE_NEW}, {QStringLiteral("Ctrl+O"), ID_FILE_OPEN},
        {QStringLiteral("Ctrl+S"), ID_FILE_SAVE}, {QStringLiteral("Ctrl+P"), ID_FILE_PRINT},
        {QStringLiteral("Ctrl+Z"), ID_EDIT_UNDO}, {QStringLiteral("Alt+Backspace"), ID_EDIT_UNDO},
        {QStringLiteral("Ctrl+X"), ID_EDIT_CUT}, {QStringLiteral("Shift+Del"), ID_EDIT_CUT},
        {QStringLiteral("Ctrl+C"), ID_EDIT_COPY}, {QStringLiteral("Ctrl+Ins"), ID_EDIT_COPY},
        {QStringLiteral("Ctrl+V"), ID_EDIT_PASTE}, {QStringLiteral("Shift+Ins"), ID_EDIT_PASTE},
        {QStringLiteral("F6"), ID_NEXT_PANE}, {QStringLiteral("Shift+F6"), ID_PREV_PANE},
        {QStringLiteral("Shift+F1"), ID_CONTEXT_HELP}, {QStringLiteral("F1"), ID_HELP}}};
    return id == IDR_MAINFRAME ? &main : nullptr;
}
