// Templates of the estimate sub-dialogs with value tables.
#include "res/template_helpers.h"

namespace {

using tpl::OkCancel;
using tpl::grouped::C;

// The price table on the left, its three buttons and OK and Cancel on the right.
DialogTemplate SteelPrice()
{
    DialogTemplate t = tpl::Dialog(IDD_ESTIMATE_STEEL_PRICE, QStringLiteral("積算－鋼材単価"));
    auto& c = t.controls;
    c.push_back(C(CtlKind::Custom, IDC_ESP_TABLE, QStringLiteral("鋼材単価表"), 0, 0, 0, 0, 1, 170, 66, 6));
    c.push_back(C(CtlKind::PushButton, IDC_ESP_STANDARD, QStringLiteral("標準値読込"), 0, 1, CF_GROUP, 0, 1, 80, 14));
    c.push_back(C(CtlKind::PushButton, IDC_ESP_LOAD, QStringLiteral("登録単価読込"), 1, 1, 0, 0, 1, 80, 14));
    c.push_back(C(CtlKind::PushButton, IDC_ESP_REGISTER, QStringLiteral("現在の単価を登録"), 2, 1, 0, 0, 1, 80, 14));
    OkCancel(c, 4, 1);
    return t;
}

// The tall factor table on the left; the standard button, the two checks and the note on the right.
DialogTemplate Factor()
{
    DialogTemplate t = tpl::Dialog(IDD_ESTIMATE_FACTOR, QStringLiteral("積算－割り増し係数"));
    auto& c = t.controls;
    c.push_back(C(CtlKind::Custom, IDC_EF_TABLE, QStringLiteral("係数の表"), 0, 0, 0, 0, 1, 170, 236, 7));
    c.push_back(C(CtlKind::PushButton, IDC_EF_STANDARD, QStringLiteral("標準値設定"), 0, 1, CF_GROUP, 0, 1, 70, 14));
    c.push_back(C(CtlKind::CheckBox, IDC_EF_GIRDER_END, QStringLiteral("桁端重量を考慮する"), 1, 1, CF_GROUP));
    c.push_back(C(CtlKind::CheckBox, IDC_EF_SEPARATE_RIB,
                  QStringLiteral("ﾌﾗﾝｼﾞ縦ﾘﾌﾞ質量(重量)\nを別途計上する\n(箱桁設定時のみ有効)"), 2, 1, CF_GROUP));
    c.push_back(C(CtlKind::Static, IDC_STATIC, QStringLiteral("注：高欄単位質量の変更は積算にのみ反映されます。"), 3, 1,
                  CF_MULTILINE, 0, 1, 90, 30));
    OkCancel(c, 5, 1);
    return t;
}

// The table of support lines across the top, the price settings under it; the two radios come
// first in the list so that they read as one group.
DialogTemplate Bearing()
{
    DialogTemplate t = tpl::Dialog(IDD_ESTIMATE_BEARING, QStringLiteral("積算－支承"));
    auto& c = t.controls;
    c.push_back(C(CtlKind::Custom, IDC_EB_TABLE, QString(), 0, 0, 0, 0, 3, 400, 110));
    c.push_back(C(CtlKind::CheckBox, IDC_EB_RUBBER, QStringLiteral("ゴム支承を使用する"), 1, 0, CF_HIDDEN | CF_GROUP));
    c.push_back(C(CtlKind::GroupBox, IDC_EB_PRICE_GROUP, QString(), 2, 0, 0, 0, 2));
    c.push_back(C(CtlKind::RadioButton, IDC_EB_BY_MASS, QStringLiteral("支承価格を質量(重量)から計算する"), 0, 0, CF_GROUP,
                  IDC_EB_PRICE_GROUP, 3));
    c.push_back(C(CtlKind::RadioButton, IDC_EB_PER_PIECE, QStringLiteral("1個あたりの支承価格を指定する"), 3, 0, 0,
                  IDC_EB_PRICE_GROUP, 3));
    c.push_back(C(CtlKind::Static, IDC_STATIC, QStringLiteral("ゴム支承見積価格"), 1, 0, 0, IDC_EB_PRICE_GROUP));
    c.push_back(C(CtlKind::Edit, IDC_EB_RUBBER_PRICE, QString(), 1, 1, CF_ALIGN_RIGHT | CF_FIXEDWIDTH,
                  IDC_EB_PRICE_GROUP, 1, 60));
    c.push_back(C(CtlKind::Static, IDC_STATIC, QStringLiteral("円/t"), 1, 2, 0, IDC_EB_PRICE_GROUP));
    c.push_back(C(CtlKind::Edit, IDC_EB_OTHER_PRICE, QString(), 2, 1, CF_HIDDEN | CF_ALIGN_RIGHT | CF_FIXEDWIDTH,
                  IDC_EB_PRICE_GROUP, 1, 60));
    c.push_back(C(CtlKind::Static, IDC_STATIC, QStringLiteral("1個あたりの支承価格"), 4, 0, 0, IDC_EB_PRICE_GROUP));
    c.push_back(C(CtlKind::Edit, IDC_EB_PRICE_EACH, QString(), 4, 1, CF_GROUP | CF_ALIGN_RIGHT | CF_FIXEDWIDTH,
                  IDC_EB_PRICE_GROUP, 1, 60));
    c.push_back(C(CtlKind::Static, IDC_STATIC, QStringLiteral("円／個"), 4, 2, 0, IDC_EB_PRICE_GROUP));
    OkCancel(c, 2, 2);
    return t;
}

}

std::vector<DialogTemplate> EstimateTableDialogTemplates()
{
    return {SteelPrice(), Factor(), Bearing()};
}
