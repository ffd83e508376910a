// Menus of the main frame and of the eleven views, the tool bar and the accelerators.
#include "res/resources.h"

#include <map>

namespace {

using Item = MenuItemTemplate;

Item I(unsigned id, const char* text) { return Item{Item::Item, id, QString::fromUtf8(text), {}}; }
Item Sep() { return Item{Item::Separator, 0, QString(), {}}; }
Item Pop(const char* text, std::vector<Item> items) { return Item{Item::Popup, 0, QString::fromUtf8(text), std::move(items)}; }

Item CalculatorMenu() { return Pop("計算機の種類", {I(32803, "Tiger"), I(32804, "Cacio")}); }
Item OptionMenu() { return Pop("オプション", {I(32821, "SI単位の使用"), I(32824, "A3用紙を使用しない")}); }

MenuTemplate MainMenu()
{
    return {IDR_MAINFRAME, {
        Pop("ﾌｧｲﾙ(&F)", {I(57600, "新規作成(&N)\tCtrl+N"), I(57601, "開く(&O)...\tCtrl+O"), Sep(),
                         I(57606, "ﾌﾟﾘﾝﾀの設定(&R)..."), Sep(), I(57616, "最新のﾌｧｲﾙ"), Sep(),
                         I(57665, "ｱﾌﾟﾘｹｰｼｮﾝの終了(&X)")}),
        Pop("表示(&V)", {I(59392, "ﾂｰﾙ ﾊﾞｰ(&T)"), I(59393, "ｽﾃｰﾀｽ ﾊﾞｰ(&S)"), I(32785, "ｽｺｰﾌﾟ ﾊﾞｰ(&G)"),
                        I(32786, "ﾍﾟｰｼﾞ ﾊﾞｰ(&P)"), I(32787, "ｾｯﾄｱｯﾌﾟ ﾊﾞｰ(&C)"), Sep(), CalculatorMenu()}),
        OptionMenu(),
        Pop("ﾍﾙﾌﾟ(&H)", {I(57667, "ﾄﾋﾟｯｸの検索(&H)"), Sep(), I(57664, "ﾊﾞｰｼﾞｮﾝ情報(Marivolten)(&A)...")}),
        Pop(" ", {I(32807, "_")}),
    }};
}

struct BarItem { unsigned id; const char* text; };

// The document menu of one view template; the plan view's is the base of all.
MenuTemplate DocumentMenu(unsigned menuId)
{
    static const std::map<unsigned, BarItem> barItems = {
        {IDR_PLAN, {32795, "平面図操作 ﾊﾞｰ(&M)"}}, {IDR_SECTION, {32794, "横断面図操作 ﾊﾞｰ(&M)"}},
        {IDR_LOAD, {32796, "荷重図操作 ﾊﾞｰ(&L)"}}, {IDR_FORCE, {32797, "断面力図操作 ﾊﾞｰ(&F)"}},
        {IDR_CALC, {32798, "断面計算表操作 ﾊﾞｰ(&D)"}}, {IDR_ESTIMATE, {32800, "積算表操作 ﾊﾞｰ(&E)"}},
        {IDR_REACT, {32806, "反力、たわみ表操作 ﾊﾞｰ(&R)"}}, {IDR_CONDITION, {32809, "入力確認 ﾊﾞｰ(&I)"}},
        {IDR_PRINT, {32813, "印刷 ﾊﾞｰ(&M)"}}, {IDR_SECTION2, {32828, "縦断面図操作 ﾊﾞｰ(&V)"}},
    };
    const bool isPlan = menuId == IDR_PLAN;

    std::vector<Item> file = {I(57600, "新規作成(&N)\tCtrl+N"), I(57601, "開く(&O)...\tCtrl+O"), I(57602, "閉じる(&C)"),
                              I(57603, "上書き保存(&S)\tCtrl+S"), I(57604, "名前を付けて保存(&A)..."), Sep(),
                              I(57607, "印刷(&P)...\tCtrl+P"), I(57609, "印刷ﾌﾟﾚﾋﾞｭｰ(&V)"), I(57606, "ﾌﾟﾘﾝﾀの設定(&R)..."),
                              I(32811, "印刷ﾌｫｰﾏｯﾄ"), Sep()};
    if (menuId != IDR_PROPERTIES) {
        file.push_back(I(57616, "最新のﾌｧｲﾙ"));
        file.push_back(Sep());
    }
    file.push_back(I(57665, "ｱﾌﾟﾘｹｰｼｮﾝの終了(&X)"));

    std::vector<Item> view = {I(59392, "ﾂｰﾙ ﾊﾞｰ(&T)"), I(59393, "ｽﾃｰﾀｽ ﾊﾞｰ(&S)"), I(32785, "ｽｺｰﾌﾟ ﾊﾞｰ(&G)"),
                              I(32787, "ｾｯﾄｱｯﾌﾟ ﾊﾞｰ(&C)")};
    if (auto it = barItems.find(menuId); it != barItems.end())
        view.push_back(I(it->second.id, it->second.text));
    view.push_back(Sep());
    view.push_back(CalculatorMenu());

    std::vector<Item> views = {I(32771, isPlan ? "平面図(&G)" : "平面図(&P)"), I(32772, "横断面図(&S)"),
                               I(32829, "縦断面図(&T)"), I(32773, "荷重図(&L)"), I(32808, "入力確認(&I)"),
                               I(32774, "断面力図(&F)"), I(32805, "反力、たわみ(&R)"), I(32775, "断面計算表(&C)"),
                               I(32776, "積算表(&E)")};
    if (menuId != IDR_CALC)
        views.push_back(I(32812, "一括印刷(&P)"));
    views.push_back(I(32815, "断面詳細データ(&D)"));

    const bool designCalc = menuId == IDR_SECTION || menuId == IDR_CONDITION || menuId == IDR_SECTION2;
    std::vector<Item> calc = {I(32783, designCalc ? "設計計算(&C)" : "格子計算(&G)"), I(32793, "断面計算(&S)"),
                              I(32784, "積算(&E)"), I(32814, "計算結果を無効化")};
    if (menuId == IDR_FORCE || menuId == IDR_CALC)
        calc.push_back(I(32817, "断面の結合/分割"));

    return {menuId, {
        Pop("ﾌｧｲﾙ(&F)", file),
        Pop("編集(&E)", {I(57643, "元に戻す(&U)\tCtrl+Z"), Sep(), I(57635, "切り取り(&T)\tCtrl+X"),
                        I(57634, "ｺﾋﾟｰ(&C)\tCtrl+C"), I(57637, "貼り付け(&P)\tCtrl+V")}),
        Pop("表示(&V)", view),
        Pop("画面切換(&S)", views),
        Pop("条件設定(&C)", {I(32777, "基本条件(&B)"), I(32778, "支間長、ﾊﾟﾈﾙ数(&S)"), I(32779, "桁ﾀｲﾌﾟ、ﾊﾟﾈﾙ割(&T)"),
                            I(32780, "横断面形状(&C)"), I(32830, "桁高変化(&F)"), I(32781, "主桁基本ﾃﾞｰﾀ(&M)"),
                            I(32788, "主桁基本ﾃﾞｰﾀ 2(&G)"), I(32789, "主部材基本ﾃﾞｰﾀ(&D)"), I(32790, "横桁配置(&K)"),
                            I(32782, "死荷重(&L)"), I(32791, "鋼重、ﾊﾝﾁ、添架物(&H)"), I(32799, "積算ﾃﾞｰﾀ(&E)"),
                            I(32818, "座標入力(&Z)")}),
        Pop("計算(&K)", calc),
        OptionMenu(),
        Pop("ﾍﾙﾌﾟ(&H)", {I(57667, "ﾄﾋﾟｯｸの検索(&H)"), Sep(), I(57664, "ﾊﾞｰｼﾞｮﾝ情報(Marivolten) (&A)...")}),
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
    static const ToolBarTemplate main = {IDR_MAINFRAME, {57600, 57601, 57603, 0, 32814, 32821, 0, 57607, 57664}};
    return id == IDR_MAINFRAME ? &main : nullptr;
}

const AccelTableTemplate* FindProgramAccelerators(unsigned id)
{
    static const AccelTableTemplate main = {IDR_MAINFRAME, {
        {QStringLiteral("Ctrl+N"), 57600}, {QStringLiteral("Ctrl+O"), 57601}, {QStringLiteral("Ctrl+S"), 57603},
        {QStringLiteral("Ctrl+P"), 57607}, {QStringLiteral("Ctrl+Z"), 57643}, {QStringLiteral("Alt+Backspace"), 57643},
        {QStringLiteral("Ctrl+X"), 57635}, {QStringLiteral("Shift+Del"), 57635}, {QStringLiteral("Ctrl+C"), 57634},
        {QStringLiteral("Ctrl+Ins"), 57634}, {QStringLiteral("Ctrl+V"), 57637}, {QStringLiteral("Shift+Ins"), 57637},
        {QStringLiteral("F6"), 57680}, {QStringLiteral("Shift+F6"), 57681}, {QStringLiteral("Shift+F1"), 57669},
        {QStringLiteral("F1"), 57670}}};
    return id == IDR_MAINFRAME ? &main : nullptr;
}
