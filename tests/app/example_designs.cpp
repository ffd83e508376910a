#include "example_designs.h"

#include "common/design_entry.h"

// Every example is a B live load (T+L) bridge with no median.
namespace examples {

using namespace designentry;

namespace {

// The steps after the girder data, kept as shown, in the setup bar's order.
void ConfirmTheRest()
{
    ConfirmAsShown({ID_SETUP_MAIN_MEMBER});
    ConfirmCrossBeams();
    ConfirmAsShown({ID_SETUP_DEAD_LOAD, ID_SETUP_STEEL_WEIGHT, ID_SETUP_ESTIMATE});
}

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
    ConfirmTheRest();
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
    ConfirmTheRest();
}

// 9.5 m deck without sidewalks on one box of 4.6 m web spacing, on the base line, with 2.45 m
// overhangs; 2.5 m high (1/20 of the span), a 250 mm slab.
void EnterSingleBoxOneSpan()
{
    EnterBasic({"単純箱桁橋 (1BOX)", 1, 1, IDC_FORM_BOX, IDC_SIDEWALK});
    EnterSpans({50000});
    EnterFraming(2300, 2300, 90.0);
    EnterDeck({{B1, 4750}, {B11, 2450}, {B12, 2450}, {H5, 250}});
    EnterBoxShape(5000);
    EnterGirderHeight(2500);
    ConfirmTheRest();
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
    ConfirmTheRest();
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
