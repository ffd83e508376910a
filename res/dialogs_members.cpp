// Templates of the main member data dialog and its member sub-dialogs.
#include "res/template_helpers.h"

namespace {

using tpl::plain::C;

DialogTemplate MainMember()
{
    DialogTemplate t = tpl::Dialog(IDD_MAIN_MEMBER, QStringLiteral("主部材基本ﾃﾞｰﾀ"));
    auto& c = t.controls;
    c.push_back(C(CtlKind::Static, IDC_STATIC,
                  "対傾構、横桁データは設計計算と積算で、ブラケット、側縦桁、横構データは積算で使用します。", 0, 0, 0, 5));
    struct Row {
        const char* name;
        int use;
        bool useShown;
        int autoId, inputId, set;
        const char* button;
    };
    const Row rows[] = {
        {"端対傾構", IDC_MM_USE_END_SWAY, false, IDC_MM_END_SWAY_AUTO, IDC_MM_END_SWAY_INPUT, IDC_MM_END_SWAY_SET, "端対傾構設定"},
        {"中間対傾構", IDC_MM_USE_MID_SWAY, false, IDC_MM_MID_SWAY_AUTO, IDC_MM_MID_SWAY_INPUT, IDC_MM_MID_SWAY_SET,
         "中間対傾構設定"},
        {"中間支点上対傾構", IDC_MM_USE_PIER_SWAY, false, IDC_MM_PIER_SWAY_AUTO, IDC_MM_PIER_SWAY_INPUT,
         IDC_MM_PIER_SWAY_SET, "中間支点上対傾構設定"},
        {"横桁", IDC_MM_USE_CROSS_BEAM, false, IDC_MM_CROSS_BEAM_AUTO, IDC_MM_CROSS_BEAM_INPUT, IDC_MM_CROSS_BEAM_SET,
         "横桁設定"},
        {"横構", IDC_MM_USE_LATERAL, true, IDC_MM_LATERAL_AUTO, IDC_MM_LATERAL_INPUT, IDC_MM_LATERAL_SET, "横構設定"},
        {"縦桁", IDC_MM_USE_STRINGER, true, IDC_MM_STRINGER_AUTO, IDC_MM_STRINGER_INPUT, IDC_MM_STRINGER_SET, "縦桁設定"},
        {"左ブラケット", IDC_MM_USE_LEFT_BRACKET, true, IDC_MM_LEFT_BRACKET_AUTO, IDC_MM_LEFT_BRACKET_INPUT,
         IDC_MM_LEFT_BRACKET_SET, "左ブラケット設定"},
        {"右ブラケット", IDC_MM_USE_RIGHT_BRACKET, true, IDC_MM_RIGHT_BRACKET_AUTO, IDC_MM_RIGHT_BRACKET_INPUT,
         IDC_MM_RIGHT_BRACKET_SET, "右ブラケット設定"},
        {"側縦桁", IDC_MM_USE_EDGE_STRINGER, true, IDC_MM_EDGE_STRINGER_AUTO, IDC_MM_EDGE_STRINGER_INPUT,
         IDC_MM_EDGE_STRINGER_SET, "側縦桁設定"},
    };
    int r = 1;
    for (const Row& row : rows) {
        c.push_back(C(CtlKind::Static, IDC_STATIC, row.name, r, 0));
        // The sway bracing and cross beams are always used; their checks are kept hidden.
        c.push_back(C(CtlKind::CheckBox, row.use, "使用する", r, 1, CF_GROUP | (row.useShown ? 0u : UINT(CF_HIDDEN))));
        c.push_back(C(CtlKind::RadioButton, row.autoId, "自動決定", r, 2, CF_GROUP));
        c.push_back(C(CtlKind::RadioButton, row.inputId, "入力", r, 3));
        c.push_back(C(CtlKind::PushButton, row.set, row.button, r, 4, CF_GROUP, 1, 90));
        ++r;
    }
    c.push_back(C(CtlKind::PushButton, IDOK, "OK", r, 2, CF_DEFAULT | CF_GROUP, 1, 50));
    c.push_back(C(CtlKind::PushButton, IDCANCEL, "ｷｬﾝｾﾙ", r, 3, 0, 1, 50));
    return t;
}

// A sub-dialog: the member's picture on top, then its fields in two halves of four columns
// (name, control, spin, unit) with a row of its own per check and note, then OK and Cancel.
class SubDialog {
public:
    SubDialog(UINT id, const char* caption)
        : m_t(tpl::Dialog(id, QString::fromUtf8(caption)))
    {
        m_t.controls.push_back(C(CtlKind::Custom, IDC_MEMBER_PICTURE, "", 0, 0, 0, 3, 250, 138));
        m_t.controls.push_back(C(CtlKind::GroupBox, IDC_MEMBER_FIELDS, "", 1, 0, 0, 3));
    }
    SubDialog& Combo(int row, int half, const char* name, int id)
    {
        Add(C(CtlKind::Static, IDC_STATIC, name, row, half * 4));
        Add(C(CtlKind::DropList, id, "", row, half * 4 + 1, CF_GROUP, 1, 80));
        return *this;
    }
    SubDialog& Number(int row, int half, const char* name, int edit, int spin, UINT flags = 0, const char* unit = "mm")
    {
        Add(C(CtlKind::Static, IDC_STATIC, name, row, half * 4, flags));
        Add(C(CtlKind::Edit, edit, "", row, half * 4 + 1, CF_GROUP | CF_ALIGN_RIGHT | flags, 1, 44));
        Add(C(CtlKind::Spin, spin, "", row, half * 4 + 2, flags));
        Add(C(CtlKind::Static, IDC_STATIC, unit, row, half * 4 + 3, flags));
        return *this;
    }
    SubDialog& Line(int row, CtlKind kind, int id, const char* text, UINT flags = 0)
    {
        Add(C(kind, id, text, row, 0, flags | (kind == CtlKind::CheckBox ? UINT(CF_GROUP) : 0u), 8));
        return *this;
    }
    DialogTemplate Done()
    {
        m_t.controls.push_back(C(CtlKind::PushButton, IDOK, "OK", 2, 1, CF_DEFAULT | CF_GROUP | CF_FIXEDWIDTH, 1, 50));
        m_t.controls.push_back(C(CtlKind::PushButton, IDCANCEL, "ｷｬﾝｾﾙ", 2, 2, CF_FIXEDWIDTH, 1, 50));
        return m_t;
    }

private:
    // The fields sit in a frame of their own, so that their columns do not follow the picture's.
    void Add(ControlTemplate c)
    {
        c.group = IDC_MEMBER_FIELDS;
        m_t.controls.push_back(c);
    }
    DialogTemplate m_t;
};

const char* const kConvertedStiffness = "格子計算時、分配横桁の剛度として換算剛度を使用する";
const char* const kConvertedFormula = "換算剛度 = 実剛度×(主桁間隔／横桁長)^3";

DialogTemplate EndSway()
{
    return SubDialog(IDD_END_SWAY, "端対傾構")
        .Combo(1, 0, "上弦材", IDC_END_SWAY_UPPER)
        .Combo(2, 0, "下弦材", IDC_END_SWAY_LOWER)
        .Combo(3, 0, "斜材", IDC_END_SWAY_DIAGONAL)
        .Combo(1, 1, "材質（数量計算用）", IDC_END_SWAY_GRADE)
        .Number(2, 1, "部材間距離 b", IDC_END_SWAY_DIST_B, IDC_END_SWAY_DIST_B_SPIN)
        .Line(4, CtlKind::CheckBox, IDC_END_SWAY_CONVERTED, kConvertedStiffness)
        .Line(5, CtlKind::Static, IDC_STATIC, kConvertedFormula)
        .Done();
}

DialogTemplate MidSway()
{
    return SubDialog(IDD_MID_SWAY, "中間対傾構")
        .Combo(1, 0, "上下弦材", IDC_MID_SWAY_CHORD)
        .Combo(2, 0, "斜材", IDC_MID_SWAY_DIAGONAL)
        .Combo(1, 1, "材質（数量計算用）", IDC_MID_SWAY_GRADE)
        .Number(2, 1, "部材間距離 b", IDC_MID_SWAY_DIST_B, IDC_MID_SWAY_DIST_B_SPIN)
        .Line(3, CtlKind::CheckBox, IDC_MID_SWAY_CONVERTED, kConvertedStiffness)
        .Line(4, CtlKind::Static, IDC_STATIC, kConvertedFormula)
        .Done();
}

DialogTemplate PierSway()
{
    return SubDialog(IDD_PIER_SWAY, "中間支点上対傾構")
        .Combo(1, 0, "上下弦材", IDC_PIER_SWAY_CHORD)
        .Combo(2, 0, "斜材", IDC_PIER_SWAY_DIAGONAL)
        .Combo(1, 1, "材質（数量計算用）", IDC_PIER_SWAY_GRADE)
        .Number(2, 1, "部材間距離 b", IDC_PIER_SWAY_DIST_B, IDC_PIER_SWAY_DIST_B_SPIN)
        .Line(3, CtlKind::CheckBox, IDC_PIER_SWAY_CONVERTED, kConvertedStiffness)
        .Line(4, CtlKind::Static, IDC_STATIC, kConvertedFormula)
        .Done();
}

DialogTemplate CrossBeamType()
{
    return SubDialog(IDD_CROSS_BEAM_TYPE, "横桁")
        .Number(1, 0, "部材間距離 b", IDC_CBT_DIST_B, IDC_CBT_DIST_B_SPIN)
        .Number(2, 0, "ﾌﾗﾝｼﾞ幅", IDC_CBT_FLANGE_WIDTH, IDC_CBT_FLANGE_WIDTH_SPIN)
        .Number(3, 0, "ﾌﾗﾝｼﾞ厚", IDC_CBT_FLANGE_THICK, IDC_CBT_FLANGE_THICK_SPIN)
        .Number(4, 0, "ｳｪﾌﾞ厚", IDC_CBT_WEB_THICK, IDC_CBT_WEB_THICK_SPIN)
        .Combo(1, 1, "材質（数量計算用）", IDC_CBT_GRADE)
        .Line(5, CtlKind::CheckBox, IDC_CBT_CONVERTED, kConvertedStiffness)
        .Line(6, CtlKind::Static, IDC_STATIC, kConvertedFormula)
        // Kept in the template but out of use.
        .Line(7, CtlKind::CheckBox, IDC_CBT_LABOUR_SAVING, "省力化設計", CF_HIDDEN)
        .Done();
}

DialogTemplate Lateral()
{
    return SubDialog(IDD_LATERAL, "横構")
        .Combo(1, 0, "外側鋼材", IDC_LATERAL_OUTER)
        .Combo(2, 0, "内側鋼材", IDC_LATERAL_INNER)
        .Combo(1, 1, "材質（数量計算用）", IDC_LATERAL_GRADE)
        // Kept in the template but out of use.
        .Number(2, 1, "上下間距離", IDC_LATERAL_DISTANCE, IDC_LATERAL_DISTANCE_SPIN, CF_HIDDEN)
        .Done();
}

struct BracketIds {
    int grade, bl, blSpin, br, brSpin, ft, ftSpin, fw, fwSpin, len, lenSpin, wt, wtSpin;
};

DialogTemplate Bracket(UINT id, const char* caption, const BracketIds& i)
{
    return SubDialog(id, caption)
        .Number(1, 0, "左部材間距離 BL", i.bl, i.blSpin)
        .Number(2, 0, "右部材間距離 BR", i.br, i.brSpin)
        .Number(3, 0, "部材長 L", i.len, i.lenSpin)
        .Number(1, 1, "ﾌﾗﾝｼﾞ幅", i.fw, i.fwSpin)
        .Number(2, 1, "ﾌﾗﾝｼﾞ厚", i.ft, i.ftSpin)
        .Number(3, 1, "ｳｪﾌﾞ厚", i.wt, i.wtSpin)
        .Combo(4, 1, "材質（数量計算用）", i.grade)
        .Done();
}

DialogTemplate LeftBracket()
{
    return Bracket(IDD_LEFT_BRACKET, "左ﾌﾞﾗｹｯﾄ",
                   {IDC_LBRACKET_GRADE, IDC_LBRACKET_DIST_BL, IDC_LBRACKET_DIST_BL_SPIN, IDC_LBRACKET_DIST_BR,
                    IDC_LBRACKET_DIST_BR_SPIN, IDC_LBRACKET_FLANGE_THICK, IDC_LBRACKET_FLANGE_THICK_SPIN,
                    IDC_LBRACKET_FLANGE_WIDTH, IDC_LBRACKET_FLANGE_WIDTH_SPIN, IDC_LBRACKET_LENGTH,
                    IDC_LBRACKET_LENGTH_SPIN, IDC_LBRACKET_WEB_THICK, IDC_LBRACKET_WEB_THICK_SPIN});
}

DialogTemplate RightBracket()
{
    return Bracket(IDD_RIGHT_BRACKET, "右ﾌﾞﾗｹｯﾄ",
                   {IDC_RBRACKET_GRADE, IDC_RBRACKET_DIST_BL, IDC_RBRACKET_DIST_BL_SPIN, IDC_RBRACKET_DIST_BR,
                    IDC_RBRACKET_DIST_BR_SPIN, IDC_RBRACKET_FLANGE_THICK, IDC_RBRACKET_FLANGE_THICK_SPIN,
                    IDC_RBRACKET_FLANGE_WIDTH, IDC_RBRACKET_FLANGE_WIDTH_SPIN, IDC_RBRACKET_LENGTH,
                    IDC_RBRACKET_LENGTH_SPIN, IDC_RBRACKET_WEB_THICK, IDC_RBRACKET_WEB_THICK_SPIN});
}

DialogTemplate MidStringer()
{
    return SubDialog(IDD_MID_STRINGER, "中間縦桁")
        .Number(1, 0, "ﾌﾗﾝｼﾞ幅 B", IDC_MID_STRINGER_FLANGE_WIDTH, IDC_MID_STRINGER_FLANGE_WIDTH_SPIN)
        .Number(2, 0, "ﾌﾗﾝｼﾞ厚", IDC_MID_STRINGER_FLANGE_THICK, IDC_MID_STRINGER_FLANGE_THICK_SPIN)
        .Number(3, 0, "ｳｪﾌﾞ高 L", IDC_MID_STRINGER_WEB_HEIGHT, IDC_MID_STRINGER_WEB_HEIGHT_SPIN)
        .Number(4, 0, "ｳｪﾌﾞ厚", IDC_MID_STRINGER_WEB_THICK, IDC_MID_STRINGER_WEB_THICK_SPIN)
        .Number(1, 1, "本数", IDC_MID_STRINGER_COUNT, IDC_MID_STRINGER_COUNT_SPIN, 0, "本")
        .Combo(2, 1, "材質（数量計算用）", IDC_MID_STRINGER_GRADE)
        .Done();
}

DialogTemplate EdgeStringer()
{
    return SubDialog(IDD_EDGE_STRINGER, "耳縦桁")
        .Number(1, 0, "ﾌﾗﾝｼﾞ幅 B", IDC_EDGE_STRINGER_FLANGE_WIDTH, IDC_EDGE_STRINGER_FLANGE_WIDTH_SPIN)
        .Number(2, 0, "ﾌﾗﾝｼﾞ厚", IDC_EDGE_STRINGER_FLANGE_THICK, IDC_EDGE_STRINGER_FLANGE_THICK_SPIN)
        .Number(3, 0, "ｳｪﾌﾞ高 L", IDC_EDGE_STRINGER_WEB_HEIGHT, IDC_EDGE_STRINGER_WEB_HEIGHT_SPIN)
        .Number(4, 0, "ｳｪﾌﾞ厚", IDC_EDGE_STRINGER_WEB_THICK, IDC_EDGE_STRINGER_WEB_THICK_SPIN)
        .Combo(1, 1, "材質（数量計算用）", IDC_EDGE_STRINGER_GRADE)
        .Done();
}

}

std::vector<DialogTemplate> MemberDialogTemplates()
{
    return {MainMember(), EndSway(), MidSway(), PierSway(), CrossBeamType(), Lateral(),
            LeftBracket(), RightBracket(), MidStringer(), EdgeStringer()};
}
