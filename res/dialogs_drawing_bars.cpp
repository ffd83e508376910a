// Dialog templates of the bars of the sectional force, cross-section, load diagram and
// longitudinal-section windows.
#include "res/template_helpers.h"

namespace {

using tpl::plain::C;

constexpr UINT kNumber = CF_READONLY | CF_ALIGN_RIGHT | CF_FIXEDWIDTH;

// A caption, the number it names and the control that sets it (a spin, or a slider of the
// width given), from column col on.
void Chosen(std::vector<ControlTemplate>& c, int& col, const char* caption, int edit, int control, int sliderWidth = 0)
{
    c.push_back(C(CtlKind::Static, IDC_STATIC, caption, 0, col++));
    c.push_back(C(CtlKind::Edit, edit, "", 0, col++, kNumber, 1, 24));
    if (sliderWidth > 0)
        c.push_back(C(CtlKind::Slider, control, "", 0, col++, CF_FIXEDWIDTH, 1, sliderWidth, 18));
    else
        c.push_back(C(CtlKind::Spin, control, "", 0, col++));
}

// Girder, the two scales, the four display switches and the block command.
DialogTemplate ForceBar()
{
    DialogTemplate t = tpl::Dialog(IDD_FORCE_BAR, QStringLiteral("断面力図操作"));
    t.fontFace = QStringLiteral("ＭＳ ゴシック");
    auto& c = t.controls;
    int col = 0;
    Chosen(c, col, "主桁", IDC_FORCE_GIRDER, IDC_FORCE_GIRDER_SPIN);
    c.push_back(C(CtlKind::CheckBox, IDC_FORCE_MOMENT, "曲げﾓｰﾒﾝﾄ", 0, col++));
    c.push_back(C(CtlKind::CheckBox, IDC_FORCE_SHEAR, "せん断力", 0, col++));
    c.push_back(C(CtlKind::CheckBox, IDC_FORCE_RESISTING, "抵抗ﾓｰﾒﾝﾄ", 0, col++));
    Chosen(c, col, "横倍率", IDC_FORCE_HSCALE, IDC_FORCE_HSCALE_SLIDER, 70);
    Chosen(c, col, "縦倍率", IDC_FORCE_VSCALE, IDC_FORCE_VSCALE_SLIDER, 70);
    c.push_back(C(CtlKind::Edit, IDC_FORCE_SPARE, "", 0, col++, CF_HIDDEN | CF_DISABLED | CF_READONLY, 1, 24));
    c.push_back(C(CtlKind::Spin, IDC_FORCE_SPARE_SPIN, "", 0, col++, CF_HIDDEN | CF_DISABLED));
    c.push_back(C(CtlKind::CheckBox, IDC_FORCE_FOLD, "折返し", 0, col++));
    c.push_back(C(CtlKind::PushButton, ID_BLOCK_DIALOG, "断面結合/分割", 0, col++, CF_FIXEDWIDTH, 1, 64, 14));
    return t;
}

// Support, cross-section station and scale of the cross-section and load windows.
DialogTemplate StationBar(UINT id, const char* caption, int support, int supportSpin, int station, int stationSpin,
                          int scale, int slider)
{
    DialogTemplate t = tpl::Dialog(id, QString::fromUtf8(caption));
    t.fontFace = QStringLiteral("ＭＳ ゴシック");
    auto& c = t.controls;
    int col = 0;
    Chosen(c, col, "支点", support, supportSpin);
    Chosen(c, col, "横断面", station, stationSpin);
    Chosen(c, col, "倍率", scale, slider, 80);
    return t;
}

// Girder and the horizontal and vertical scales of the longitudinal section.
DialogTemplate Section2Bar()
{
    DialogTemplate t = tpl::Dialog(IDD_SECTION2_BAR, QStringLiteral("縦断面図操作"));
    t.fontFace = QStringLiteral("ＭＳ ゴシック");
    auto& c = t.controls;
    int col = 0;
    Chosen(c, col, "主桁", IDC_SECTION2_GIRDER, IDC_SECTION2_GIRDER_SPIN);
    Chosen(c, col, "横倍率", IDC_SECTION2_XSCALE, IDC_SECTION2_XSCALE_SLIDER, 70);
    Chosen(c, col, "縦倍率", IDC_SECTION2_YSCALE, IDC_SECTION2_YSCALE_SLIDER, 70);
    return t;
}

}

std::vector<DialogTemplate> DrawingBarDialogTemplates()
{
    return {ForceBar(),
            StationBar(IDD_LOAD_BAR, "荷重図操作", IDC_LOAD_SUPPORT, IDC_LOAD_SUPPORT_SPIN, IDC_LOAD_STATION,
                       IDC_LOAD_STATION_SPIN, IDC_LOAD_SCALE, IDC_LOAD_SCALE_SLIDER),
            StationBar(IDD_SECTION_BAR, "横断面図操作", IDC_SECTION_SUPPORT, IDC_SECTION_SUPPORT_SPIN,
                       IDC_SECTION_STATION, IDC_SECTION_STATION_SPIN, IDC_SECTION_SCALE, IDC_SECTION_SCALE_SLIDER),
            Section2Bar()};
}
