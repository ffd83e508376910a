#include "example_designs.h"

#include "common/dialog_input.h"
#include "input/modeless_dialogs.h"

namespace examples {

namespace {

using namespace dialoginput;

void Command(UINT id) { g_pMainFrame->OnCmdMsg(id, CN_COMMAND, nullptr); }
CTableGrid& Table(CDialog* d, int id) { return *dynamic_cast<CTableGrid*>(d->GetDlgItem(id)); }
QString Mm(double mm) { return QString::number(mm, 'f', 0); }

struct Basic {
    const char* title;
    int spans;
    int girders;        // a single box is entered as one box girder
    int form;           // IDC_FORM_PLATE or IDC_FORM_BOX
    int sidewalk;       // IDC_SIDEWALK… radio
    bool heightVaries = false;
};

// Every example is a B live load (T+L) bridge with no median.
void EnterBasic(const Basic& b)
{
    RunModal(ID_SETUP_BASIC, [&](CDialog* d) {
        Type(d, IDC_TITLE, QString::fromUtf8(b.title));
        Type(d, IDC_SPANS, QString::number(b.spans));
        Type(d, IDC_GIRDERS, QString::number(b.girders));
        Press(d, b.form);
        Press(d, b.sidewalk);
        if (b.heightVaries)
            Press(d, IDC_HEIGHT_VARIATION);
        Press(d, IDC_MEDIAN_NONE);
        Press(d, IDC_LIVE_LOAD_BTL);
        Ok(d);
    });
}

// Span lengths (mm) in 5 m panels; the girders run 400 mm past the end supports.
void EnterSpans(std::initializer_list<double> spans)
{
    RunModal(ID_SETUP_SPAN, [&](CDialog* d) {
        CTableGrid& t = Table(d, IDC_SPAN_TABLE);
        double bridge = 800.0;
        int row = 0;
        for (double span : spans) {
            Enter(t, row, 0, Mm(span));
            Enter(t, row, 1, QString::number(int(span / 5000.0)));
            bridge += span;
            ++row;
        }
        Type(d, IDC_BRIDGE_LENGTH, Mm(bridge));
        Ok(d);
    });
}

// The same framing in every span: base line to G1, girder spacing (mm) and skew (degrees) at both ends.
void EnterFraming(double baseToG1, double spacing, double skew)
{
    CSetupPanelDialog& dlg = *g_pPanelDlg;
    if (!dlg.IsWindowVisible())
        Command(ID_SETUP_PANEL);
    gridui::Activate(&dlg);
    while (Text(&dlg, IDC_PANEL_SPAN_NO).trimmed().toInt() > 1)
        Step(&dlg, IDC_PANEL_SPAN_SPIN, -1);
    using G = CSetupPanelGrid1;
    for (int span = 0; span < g_nSpans; ++span) {
        if (span > 0)
            Step(&dlg, IDC_PANEL_SPAN_SPIN, 1);
        for (int end = 0; end < 2; ++end) {
            Enter(dlg.m_gridValues, G::ROW_L, end, Mm(baseToG1));
            Enter(dlg.m_gridValues, G::ROW_W, end, Mm(spacing));
            Enter(dlg.m_gridValues, G::ROW_THETA, end, QString::number(skew, 'f', 1));
        }
    }
    Press(&dlg, IDC_PANEL_UPDATE);
    Command(ID_SETUP_PANEL);
}

// Deck dimensions typed at the first support (table row, mm) and copied to every other station.
void EnterDeck(std::initializer_list<std::pair<int, double>> values)
{
    CSetupCrossSectionDialog& dlg = *g_pCrossSectionDlg;
    if (!dlg.IsWindowVisible())
        Command(ID_SETUP_CROSS_SECTION);
    gridui::Activate(&dlg);
    CSetupCrossSectionGrid& t = dlg.m_grid;
    for (const auto& [row, mm] : values)
        Enter(t, row, 0, Mm(mm));
    for (int col = 1; col < t.GetNumberCols(); ++col) {
        t.GotoCell(col, CrossSectionData::ROW_THETA);
        Press(&dlg, IDC_CS_COPY);
    }
    Press(&dlg, IDC_CS_UPDATE);
    Command(ID_SETUP_CROSS_SECTION);
}

// One girder height (mm) for every girder, in the plate or box girder data.
void EnterGirderHeight(double height)
{
    const bool plate = g_nBridgeType == 0;
    RunModal(ID_SETUP_MAIN_GIRDER2, [&](CDialog* d) {
        Enter(Table(d, plate ? IDC_PG_HEIGHT_TABLE : IDC_BG_HEIGHT_TABLE), 0, 0, Mm(height));
        Press(d, plate ? IDC_PG_ALIGN_HEIGHTS : IDC_BG_ALIGN_HEIGHTS);
        Ok(d);
    });
}

// A girder height that varies: change points added as (span from 1, mm from its left support),
// then per definition point in bridge order the height (mm) of every girder, drawn straight.
void EnterHeightChange(std::initializer_list<std::pair<int, double>> points, std::initializer_list<double> heights)
{
    CSetupHeightDialog& dlg = *g_pHeightDlg;
    if (!dlg.IsWindowVisible())
        Command(ID_SETUP_HEIGHT);
    for (const auto& [span, mm] : points) {
        AfxSetModalHook([&](CDialog* d) {
            Type(d, IDC_DEFPOINT_SPAN, QString::number(span));
            Type(d, IDC_DEFPOINT_POS, Mm(mm));
            Press(d, IDC_DEFPOINT_ADD);
            if (d->GetModalResult() == -1)
                d->SendMessage(WM_COMMAND, IDCANCEL);   // refused: the message says why
        });
        Press(&dlg, IDC_HEIGHT_ADD);
        AfxSetModalHook({});
    }
    CTableGrid& t = Table(&dlg, IDC_HEIGHT_TABLE);
    int col = 0;
    for (double mm : heights) {
        for (int row = 1; row < t.GetNumberRows(); ++row)
            Enter(t, row, col, Mm(mm));
        ++col;
    }
    Press(&dlg, IDC_HEIGHT_STRAIGHT);
    Press(&dlg, IDC_HEIGHT_UPDATE);
    Command(ID_SETUP_HEIGHT);
}

// The box shape of the main girder data: flange width W and, unless the framing fixes it, web spacing a (mm).
void EnterBoxShape(double flangeWidth, double webSpacing = 0.0)
{
    RunModal(ID_SETUP_MAIN_GIRDER, [&](CDialog* d) {
        Type(d, IDC_MG_FLANGE_W, Mm(flangeWidth));
        d->SendMessage(WM_COMMAND, WPARAM(IDC_MG_FLANGE_W | (EN_CHANGE << 16)));
        if (webSpacing > 0.0) {
            Type(d, IDC_MG_WEB_A, Mm(webSpacing));
            d->SendMessage(WM_COMMAND, WPARAM(IDC_MG_WEB_A | (EN_CHANGE << 16)));
        }
        Ok(d);
    });
}

// The dialogs whose defaults the example keeps, looked at and confirmed as shown.
void ConfirmAsShown(std::initializer_list<UINT> commands)
{
    for (UINT command : commands)
        RunModal(command, [](CDialog* d) { Ok(d); });
}

constexpr int B1 = CrossSectionData::ROW_B1;
constexpr int B3 = B1 + 2, B5 = B1 + 4, B11 = CrossSectionData::ROW_B11, B12 = CrossSectionData::ROW_B12;
constexpr int H5 = CrossSectionData::ROW_H1 + 4;

}

// 12.5 m deck: 2.0 m sidewalks on both sides and a 7.7 m carriageway over five girders
// 2.6 m apart; 2.1 m girders (about 1/19 of the 40 m span), a 220 mm slab.
void EnterPlateThreeSpanSkew()
{
    EnterBasic({"三径間連続鈑桁橋 斜角70度", 3, 5, IDC_FORM_PLATE, IDC_SIDEWALK_BOTH});
    EnterSpans({30000, 40000, 30000});
    EnterFraming(5200, 2600, 70.0);
    EnterDeck({{B1, 6250}, {B3, 2000}, {B5, 2000}, {H5, 220}});
    ConfirmAsShown({ID_SETUP_MAIN_GIRDER});
    EnterGirderHeight(2100);
    ConfirmAsShown({ID_SETUP_MAIN_MEMBER, ID_SETUP_DEAD_LOAD, ID_SETUP_STEEL_WEIGHT, ID_SETUP_ESTIMATE});
}

// 10.5 m deck without sidewalks over two boxes 5.5 m apart, 2.5 m overhangs; boxes of
// 2.0 m web spacing and 2.2 m height (about 1/20 of the span), a 250 mm slab.
void EnterTwoBoxTwoSpan()
{
    EnterBasic({"二径間連続箱桁橋", 2, 2, IDC_FORM_BOX, IDC_SIDEWALK});
    EnterSpans({45000, 45000});
    EnterFraming(2750, 5500, 90.0);
    EnterDeck({{B1, 5250}, {B11, 2500}, {B12, 2500}, {H5, 250}});
    EnterBoxShape(2400, 2000);
    EnterGirderHeight(2200);
    ConfirmAsShown({ID_SETUP_MAIN_MEMBER, ID_SETUP_DEAD_LOAD, ID_SETUP_STEEL_WEIGHT, ID_SETUP_ESTIMATE});
}

// 9.5 m deck without sidewalks on one box of 4.6 m web spacing (the framing's default
// half spacing of 2.3 m) with 2.45 m overhangs; 2.5 m high (1/20 of the span), a 250 mm slab.
void EnterSingleBoxOneSpan()
{
    EnterBasic({"単純箱桁橋 (1BOX)", 1, 1, IDC_FORM_BOX, IDC_SIDEWALK});
    EnterSpans({50000});
    EnterDeck({{B1, 4750}, {B11, 2450}, {B12, 2450}, {H5, 250}});
    EnterBoxShape(5000);
    EnterGirderHeight(2500);
    ConfirmAsShown({ID_SETUP_MAIN_MEMBER, ID_SETUP_DEAD_LOAD, ID_SETUP_STEEL_WEIGHT, ID_SETUP_ESTIMATE});
}

// 10.5 m deck without sidewalks over four girders 2.7 m apart with 1.2 m overhangs, a 220 mm
// slab; the girders are 2.0 m deep (1/20 of the span) and deepen in straight haunches from
// 12 m out to 2.8 m over the pier.
void EnterPlateTwoSpanHaunch()
{
    EnterBasic({"二径間連続鈑桁橋 桁高変化", 2, 4, IDC_FORM_PLATE, IDC_SIDEWALK, true});
    EnterSpans({40000, 40000});
    EnterFraming(4050, 2700, 90.0);
    EnterDeck({{B1, 5250}, {B11, 1200}, {B12, 1200}, {H5, 220}});
    ConfirmAsShown({ID_SETUP_MAIN_GIRDER, ID_SETUP_MAIN_GIRDER2});
    EnterHeightChange({{1, 28000}, {2, 12000}}, {2000, 2000, 2800, 2000, 2000});
    ConfirmAsShown({ID_SETUP_MAIN_MEMBER, ID_SETUP_DEAD_LOAD, ID_SETUP_STEEL_WEIGHT, ID_SETUP_ESTIMATE});
}

const std::vector<Example>& All()
{
    static const std::vector<Example> all = {
        {"plate_3span_skew.mvl", EnterPlateThreeSpanSkew},
        {"box2_2span.mvl", EnterTwoBoxTwoSpan},
        {"box1_1span.mvl", EnterSingleBoxOneSpan},
        {"plate_2span_haunch.mvl", EnterPlateTwoSpanHaunch},
    };
    return all;
}

}
