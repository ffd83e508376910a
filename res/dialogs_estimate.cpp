// Templates of the estimate data hub, the labour unit prices and the estimate choice dialogs.
#include "res/template_helpers.h"

namespace {

using tpl::OkCancel;
using tpl::grouped::C;

// One button per sub-dialog in a column, the bearing hint under them, OK and Cancel at the right.
DialogTemplate Hub()
{
    DialogTemplate t = tpl::Dialog(IDD_ESTIMATE_INPUT, QStringLiteral("積算"));
    auto& c = t.controls;
    c.push_back(C(CtlKind::GroupBox, IDC_EST_GROUP, QStringLiteral("積算条件"), 0, 0, 0, 0, 1, 0, 0, 3));
    const std::pair<int, const char*> buttons[] = {
        {IDC_EST_FACTOR, "割り増し係数、単位重量"}, {IDC_EST_LABOUR, "工数単価"}, {IDC_EST_STEEL_PRICE, "鋼材単価"},
        {IDC_EST_FITTING, "付属品形式・重連補正等"}, {IDC_EST_BEARING, "支承"},
        {IDC_EST_OVERHEAD, "共通仮設費・現場管理費"}, {IDC_EST_OPTION, "材片数"}};
    int row = 0;
    for (const auto& [id, text] : buttons)
        c.push_back(C(CtlKind::PushButton, id, QString::fromUtf8(text), row++, 0, 0, IDC_EST_GROUP, 1, 130, 14));
    c.push_back(C(CtlKind::Static, IDC_EST_BEARING_HINT, QString(), row++, 0, 0, IDC_EST_GROUP));
    // Kept from older layouts, out of use.
    c.push_back(C(CtlKind::PushButton, IDC_EST_FITTING_OLD, QStringLiteral("付属品形式"), row, 0,
                  CF_HIDDEN | CF_DISABLED, IDC_EST_GROUP));
    c.push_back(C(CtlKind::PushButton, IDC_EST_STEEL_WEIGHT, QStringLiteral("鋼重"), row, 0, CF_HIDDEN | CF_DISABLED,
                  IDC_EST_GROUP));
    OkCancel(c, 0, 1);
    c.push_back(C(CtlKind::Static, IDC_STATIC, QString(), 2, 1));
    return t;
}

DialogTemplate Labour()
{
    DialogTemplate t = tpl::Dialog(IDD_ESTIMATE_LABOUR, QStringLiteral("積算－工数単価"));
    auto& c = t.controls;
    c.push_back(C(CtlKind::Custom, IDC_LABOUR_TABLE, QStringLiteral("工数単価表"), 0, 0, 0, 0, 1, 200, 150, 4));
    c.push_back(C(CtlKind::PushButton, IDC_LABOUR_STANDARD, QStringLiteral("標準値読込"), 0, 1, CF_GROUP, 0, 2, 0, 14));
    c.push_back(C(CtlKind::PushButton, IDC_LABOUR_REGISTERED, QStringLiteral("登録単価読込"), 1, 1, 0, 0, 2, 0, 14));
    c.push_back(C(CtlKind::PushButton, IDC_LABOUR_REGISTER, QStringLiteral("現在の単価を登録"), 2, 1, 0, 0, 2, 0, 14));
    OkCancel(c, 4, 1);
    return t;
}

DialogTemplate Fitting()
{
    DialogTemplate t = tpl::Dialog(IDD_ESTIMATE_FITTING, QStringLiteral("積算－付属品形式、補正"));
    auto& c = t.controls;
    // Railing type, with the ready-made price while the railing is priced apart.
    c.push_back(C(CtlKind::GroupBox, IDC_FIT_RAILING_GROUP, QStringLiteral("高欄形式"), 0, 0));
    int row = 0;
    for (const auto& [id, text] : {std::pair<int, const char*>{IDC_FIT_RAILING_BEAM, "横ﾋﾞｰﾑ型"},
                                   {IDC_FIT_RAILING_BAR, "縦さん型"},
                                   {IDC_FIT_RAILING_NONE, "高欄を製作費に含めない (既製品を使用)"}}) {
        c.push_back(C(CtlKind::RadioButton, id, QString::fromUtf8(text), row, 0, row == 0 ? UINT(CF_GROUP) : 0u,
                      IDC_FIT_RAILING_GROUP, 3));
        ++row;
    }
    c.push_back(C(CtlKind::Static, IDC_FIT_RAILING_LABEL, QStringLiteral("既製品単価"), row, 0, 0, IDC_FIT_RAILING_GROUP));
    c.push_back(C(CtlKind::Edit, IDC_FIT_RAILING_PRICE, QString(), row, 1, CF_GROUP | CF_ALIGN_RIGHT,
                  IDC_FIT_RAILING_GROUP, 1, 50));
    c.push_back(C(CtlKind::Static, IDC_FIT_RAILING_UNIT, QStringLiteral("円/m"), row, 2, 0, IDC_FIT_RAILING_GROUP));

    c.push_back(C(CtlKind::GroupBox, IDC_FIT_POST_GROUP, QStringLiteral("高欄支柱・横梁"), 1, 0));
    row = 0;
    for (const auto& [id, text] : {std::pair<int, const char*>{IDC_FIT_POST_SQUARE, "支柱：角型、横梁：角型"},
                                   {IDC_FIT_POST_PIPE, "支柱：角型、横梁：ﾊﾟｲﾌﾟ"},
                                   {IDC_FIT_POST_PLATE, "支柱：鋼板、横梁：ﾊﾟｲﾌﾟ"}}) {
        c.push_back(C(CtlKind::RadioButton, id, QString::fromUtf8(text), row, 0, row == 0 ? UINT(CF_GROUP) : 0u,
                      IDC_FIT_POST_GROUP));
        ++row;
    }

    c.push_back(C(CtlKind::GroupBox, IDC_FIT_JOINT_GROUP, QStringLiteral("伸縮継手形式"), 2, 0));
    row = 0;
    for (const auto& [id, text] : {std::pair<int, const char*>{IDC_FIT_JOINT_FINGER, "ﾌｨﾝｶﾞｰ形式"},
                                   {IDC_FIT_JOINT_TREAD, "歩道部踏板形式"},
                                   {IDC_FIT_JOINT_NONE, "伸縮継手を製作費に含めない"}}) {
        c.push_back(C(CtlKind::RadioButton, id, QString::fromUtf8(text), row, 0, row == 0 ? UINT(CF_GROUP) : 0u,
                      IDC_FIT_JOINT_GROUP, 3));
        ++row;
    }
    c.push_back(C(CtlKind::Static, IDC_FIT_JOINT_LABEL, QStringLiteral("既製品単価"), row, 0, 0, IDC_FIT_JOINT_GROUP));
    c.push_back(C(CtlKind::Edit, IDC_FIT_JOINT_PRICE, QString(), row, 1, CF_GROUP | CF_ALIGN_RIGHT, IDC_FIT_JOINT_GROUP,
                  1, 50));
    c.push_back(C(CtlKind::Static, IDC_FIT_JOINT_UNIT, QStringLiteral("円/m"), row, 2, 0, IDC_FIT_JOINT_GROUP));

    c.push_back(C(CtlKind::GroupBox, IDC_FIT_CURVE_GROUP, QStringLiteral("曲線・斜橋補正"), 0, 1, 0, 0, 1, 0, 0, 2));
    const char* const curve[] = {"自動決定", "補正なし", "R ≧250m", "R ≧100m", "R ＜100m", "α ≧75度", "α ≧45度",
                                 "α ＜45度"};
    for (int i = 0; i < 8; ++i)
        c.push_back(C(CtlKind::RadioButton, IDC_FIT_CURVE_AUTO + i, QString::fromUtf8(curve[i]), i, 0,
                      i == 0 ? UINT(CF_GROUP) : 0u, IDC_FIT_CURVE_GROUP));
    c.push_back(C(CtlKind::GroupBox, IDC_FIT_MULTI_GROUP, QStringLiteral("重連補正"), 2, 1));
    const char* const multi[] = {"自動決定", "補正なし", "2連", "3・4連", "5・6連", "7連以上"};
    for (int i = 0; i < 6; ++i)
        c.push_back(C(CtlKind::RadioButton, IDC_FIT_MULTI_AUTO + i, QString::fromUtf8(multi[i]), i / 2, i % 2,
                      i == 0 ? UINT(CF_GROUP) : 0u, IDC_FIT_MULTI_GROUP));
    c.push_back(C(CtlKind::PushButton, IDOK, QStringLiteral("OK"), 0, 2, CF_DEFAULT | CF_GROUP, 0, 1, 50, 14));
    c.push_back(C(CtlKind::PushButton, IDCANCEL, QStringLiteral("ｷｬﾝｾﾙ"), 1, 2, 0, 0, 1, 50, 14));
    return t;
}

DialogTemplate Overhead()
{
    DialogTemplate t = tpl::Dialog(IDD_ESTIMATE_OVERHEAD, QStringLiteral("共通仮設費・現場管理費・一般管理費"));
    auto& c = t.controls;
    c.push_back(C(CtlKind::GroupBox, IDC_OH_METHOD_GROUP, QStringLiteral("計算方法"), 0, 0, 0, 0, 3));
    c.push_back(C(CtlKind::RadioButton, IDC_OH_METHOD_OLD,
                  QStringLiteral("旧バージョン（Ver.1.80x以前）と同じ計算を行う → 下記の設定は無視されます（従来通り）"), 0, 0,
                  CF_GROUP, IDC_OH_METHOD_GROUP));
    c.push_back(C(CtlKind::RadioButton, IDC_OH_METHOD_MANUAL,
                  QStringLiteral("土木工事積算基準マニュアルに従う → 下記項目を設定"), 1, 0, 0, IDC_OH_METHOD_GROUP));
    c.push_back(C(CtlKind::GroupBox, IDC_OH_REGION_GROUP, QStringLiteral("施工地域・工事場所区分補正"), 1, 0, 0, 0, 3));
    const char* const regions[] = {"市街地", "山間僻地・離島", "地方部（施工場所が一般交通等の影響を受ける場合）",
                                   "地方部（施工場所が一般交通等の影響を受けない場合）"};
    for (int i = 0; i < 4; ++i)
        c.push_back(C(CtlKind::RadioButton, IDC_OH_REGION_CITY + i, QString::fromUtf8(regions[i]), i, 0,
                      i == 0 ? UINT(CF_GROUP) : 0u, IDC_OH_REGION_GROUP));
    c.push_back(C(CtlKind::Static, IDC_STATIC, QStringLiteral("施工時期・工事期間補正 (現場管理費)"), 2, 0));
    c.push_back(C(CtlKind::Edit, IDC_OH_SEASON, QString(), 2, 1, CF_GROUP | CF_ALIGN_RIGHT | CF_FIXEDWIDTH, 0, 1, 50));
    c.push_back(C(CtlKind::Static, IDC_STATIC, QStringLiteral("%"), 2, 2));
    c.push_back(C(CtlKind::Static, IDC_STATIC, QStringLiteral("前払い補正係数"), 3, 0));
    c.push_back(C(CtlKind::Edit, IDC_OH_PREPAYMENT, QString(), 3, 1, CF_GROUP | CF_ALIGN_RIGHT | CF_FIXEDWIDTH, 0, 1, 50));
    c.push_back(C(CtlKind::Static, IDC_STATIC, QStringLiteral("前払い補正係数には １．００～１．０５ までの数値を入れて下さい。"), 4,
                  0, 0, 0, 3));
    c.push_back(C(CtlKind::Static, IDC_STATIC, QStringLiteral("契約保証補正"), 5, 0));
    c.push_back(C(CtlKind::Edit, IDC_OH_GUARANTEE, QString(), 5, 1, CF_GROUP | CF_ALIGN_RIGHT | CF_FIXEDWIDTH, 0, 1, 50));
    c.push_back(C(CtlKind::Static, IDC_STATIC, QStringLiteral("%"), 5, 2));
    OkCancel(c, 6, 1);
    return t;
}

DialogTemplate Option()
{
    DialogTemplate t = tpl::Dialog(IDD_ESTIMATE_OPTION, QStringLiteral("積算－割り増し係数"));
    auto& c = t.controls;
    c.push_back(C(CtlKind::CheckBox, IDC_OPT_H_SECTION, QStringLiteral("横桁にH型鋼を使用する"), 0, 0, CF_GROUP, 0, 2));
    c.push_back(C(CtlKind::Static, IDC_STATIC, QStringLiteral("（省力化設計として、横桁の材片数を少なく計算します。）"), 1, 0, 0,
                  0, 2));
    OkCancel(c, 2, 0);
    return t;
}

}

std::vector<DialogTemplate> EstimateDialogTemplates()
{
    return {Hub(), Labour(), Fitting(), Overhead(), Option()};
}
