// Every control id that a dialog's or bar's code uses is in its template, of the kind the
// code expects; radio groups read as one value hold their buttons in the order the code
// counts them, and spins step the edit the code reads.
#include <gtest/gtest.h>
#include <set>
#include <vector>

#include "framework/dialog.h"
#include "res/resources.h"

namespace {

const char* KindName(CtlKind kind)
{
    switch (kind) {
    case CtlKind::Static: return "static";
    case CtlKind::Edit: return "edit";
    case CtlKind::PushButton: return "button";
    case CtlKind::CheckBox: return "check box";
    case CtlKind::RadioButton: return "radio";
    case CtlKind::GroupBox: return "group";
    case CtlKind::ComboBox: return "combo";
    case CtlKind::DropList: return "drop list";
    case CtlKind::ListBox: return "list";
    case CtlKind::Spin: return "spin";
    case CtlKind::Slider: return "slider";
    case CtlKind::ScrollBar: return "scroll bar";
    case CtlKind::Picture: return "picture";
    case CtlKind::Custom: return "custom";
    }
    return "?";
}

struct Use {
    int id;
    CtlKind kind;
    std::vector<int> group = {};    // a radio group read as one value: its buttons, in order
    int buddy = 0;                  // a spin: the edit it steps
};

Use Ctl(int id, CtlKind kind) { return {id, kind}; }
Use RadioGroup(std::vector<int> buttons) { return {buttons.front(), CtlKind::RadioButton, buttons}; }
Use SpinOf(int id, int buddy) { return {id, CtlKind::Spin, {}, buddy}; }

struct DialogUses {
    const char* name;
    UINT dialog;
    std::vector<Use> controls;
};

void PrintTo(const DialogUses& d, std::ostream* os) { *os << d.name; }

constexpr CtlKind kEdit = CtlKind::Edit;
constexpr CtlKind kButton = CtlKind::PushButton;
constexpr CtlKind kCheck = CtlKind::CheckBox;
constexpr CtlKind kRadio = CtlKind::RadioButton;

const Use kOK = Ctl(IDOK, kButton);
const Use kCancel = Ctl(IDCANCEL, kButton);

std::vector<Use> CoordinatePage(bool basePage)
{
    std::vector<Use> uses = {
        Ctl(IDC_COORD_SPAN_NO, kEdit), SpinOf(IDC_COORD_SPAN_SPIN, IDC_COORD_SPAN_NO),
        Ctl(IDC_COORD_TABLE, CtlKind::Custom), Ctl(IDC_COORD_UPDATE, kButton), Ctl(IDC_COORD_CLOSE, kButton)};
    if (basePage) {
        for (const Use& u : {Ctl(IDC_COORD_SPANS, kEdit), SpinOf(IDC_COORD_SPANS_SPIN, IDC_COORD_SPANS),
                             Ctl(IDC_COORD_PANELS, kEdit), SpinOf(IDC_COORD_PANELS_SPIN, IDC_COORD_PANELS),
                             Ctl(IDC_COORD_SPAN_LENGTH, kEdit), Ctl(IDC_COORD_ORIGIN, kButton)})
            uses.push_back(u);
    }
    return uses;
}

std::vector<Use> CrossSectionUses()
{
    // The row buttons B1..B12 and H1..H12 are one group of push-like radios in table row order.
    std::vector<int> rows;
    for (int id = IDC_CS_B1; id <= IDC_CS_H12; ++id)
        rows.push_back(id);
    // The support number is written by the code, not stepped by the spin.
    return {Ctl(IDC_CS_TABLE, CtlKind::Custom), Ctl(IDC_CS_PICTURE, CtlKind::Custom), RadioGroup(rows),
            Ctl(IDC_CS_SUPPORT_SPIN, CtlKind::Spin), Ctl(IDC_CS_SUPPORT_NO, kEdit),
            Ctl(IDC_CS_SUPPORT_LABEL, CtlKind::Static), Ctl(IDC_CS_SUPPORT_ARROWS, CtlKind::Static),
            // Interpolation: 0 straight, 1 spline.
            RadioGroup({IDC_CS_LINEAR, IDC_CS_SPLINE}), Ctl(IDC_CS_COPY, kButton), Ctl(IDC_CS_UPDATE, kButton),
            Ctl(ID_SETUP_CROSS_SECTION, kButton), Ctl(ID_HELP, kButton), kOK, kCancel};
}

std::vector<Use> MainMemberUses()
{
    // Per member kind: 使用する, then 自動決定 (0) / 入力 (1), then the settings button.
    const int rows[][4] = {
        {IDC_MM_USE_END_SWAY, IDC_MM_END_SWAY_AUTO, IDC_MM_END_SWAY_INPUT, IDC_MM_END_SWAY_SET},
        {IDC_MM_USE_MID_SWAY, IDC_MM_MID_SWAY_AUTO, IDC_MM_MID_SWAY_INPUT, IDC_MM_MID_SWAY_SET},
        {IDC_MM_USE_PIER_SWAY, IDC_MM_PIER_SWAY_AUTO, IDC_MM_PIER_SWAY_INPUT, IDC_MM_PIER_SWAY_SET},
        {IDC_MM_USE_CROSS_BEAM, IDC_MM_CROSS_BEAM_AUTO, IDC_MM_CROSS_BEAM_INPUT, IDC_MM_CROSS_BEAM_SET},
        {IDC_MM_USE_LATERAL, IDC_MM_LATERAL_AUTO, IDC_MM_LATERAL_INPUT, IDC_MM_LATERAL_SET},
        {IDC_MM_USE_STRINGER, IDC_MM_STRINGER_AUTO, IDC_MM_STRINGER_INPUT, IDC_MM_STRINGER_SET},
        {IDC_MM_USE_LEFT_BRACKET, IDC_MM_LEFT_BRACKET_AUTO, IDC_MM_LEFT_BRACKET_INPUT, IDC_MM_LEFT_BRACKET_SET},
        {IDC_MM_USE_RIGHT_BRACKET, IDC_MM_RIGHT_BRACKET_AUTO, IDC_MM_RIGHT_BRACKET_INPUT, IDC_MM_RIGHT_BRACKET_SET},
        {IDC_MM_USE_EDGE_STRINGER, IDC_MM_EDGE_STRINGER_AUTO, IDC_MM_EDGE_STRINGER_INPUT, IDC_MM_EDGE_STRINGER_SET}};
    std::vector<Use> uses = {kOK, kCancel};
    for (const auto& r : rows) {
        uses.push_back(Ctl(r[0], kCheck));
        uses.push_back(RadioGroup({r[1], r[2]}));
        uses.push_back(Ctl(r[2], kRadio));
        uses.push_back(Ctl(r[3], kButton));
    }
    return uses;
}

// A member sub-dialog: its picture, combos, checks and dimensions (edit and spin pairs).
std::vector<Use> MemberUses(std::vector<int> combos, std::vector<std::pair<int, int>> numbers, std::vector<int> checks = {})
{
    std::vector<Use> uses = {Ctl(IDC_MEMBER_PICTURE, CtlKind::Custom), kOK, kCancel};
    for (int id : combos)
        uses.push_back(Ctl(id, CtlKind::DropList));
    for (const auto& [edit, spin] : numbers) {
        uses.push_back(Ctl(edit, kEdit));
        uses.push_back(SpinOf(spin, edit));
    }
    for (int id : checks)
        uses.push_back(Ctl(id, kCheck));
    return uses;
}

std::vector<Use> MainGirderUses()
{
    std::vector<Use> uses = {
        Ctl(IDC_MG_UF_GRADE, CtlKind::DropList), Ctl(IDC_MG_LF_GRADE, CtlKind::DropList),
        Ctl(IDC_MG_WEB_GRADE, CtlKind::DropList), Ctl(IDC_MG_FLANGE_W, kEdit), SpinOf(IDC_MG_FLANGE_W_SPIN, IDC_MG_FLANGE_W),
        Ctl(IDC_MG_WEB_A, kEdit), SpinOf(IDC_MG_WEB_A_SPIN, IDC_MG_WEB_A), Ctl(IDC_MG_OVERHANG_B, kEdit),
        Ctl(IDC_MG_BOX_PICTURE, CtlKind::Custom),
        // Horizontal stiffeners: 0 automatic, 1..3 none to two steps; thickness: 0 market sizes, 1 whole mm.
        RadioGroup({IDC_MG_STIFFENER_AUTO, IDC_MG_STIFFENER_0, IDC_MG_STIFFENER_1, IDC_MG_STIFFENER_2}),
        RadioGroup({IDC_MG_THICKNESS_MARKET, IDC_MG_THICKNESS_1MM}),
        Ctl(IDC_MG_BENDING_MARGIN, kEdit), SpinOf(IDC_MG_BENDING_MARGIN_SPIN, IDC_MG_BENDING_MARGIN),
        Ctl(IDC_MG_STRESS_UNIT, CtlKind::Static),
        Ctl(IDC_MG_MAX_SECTION, kEdit), SpinOf(IDC_MG_MAX_SECTION_SPIN, IDC_MG_MAX_SECTION),
        Ctl(IDC_MG_MIN_SECTION, kEdit), SpinOf(IDC_MG_MIN_SECTION_SPIN, IDC_MG_MIN_SECTION),
        Ctl(IDC_MG_MAX_SECTION_LABEL, CtlKind::Static), Ctl(IDC_MG_MAX_SECTION_UNIT, CtlKind::Static),
        Ctl(IDC_MG_MIN_SECTION_LABEL, CtlKind::Static), Ctl(IDC_MG_MIN_SECTION_UNIT, CtlKind::Static),
        Ctl(IDC_MG_CONST_FLANGE_WIDTH, kCheck), Ctl(IDC_MG_IGNORE_TB16, kCheck), Ctl(IDC_MG_MIN_WEB_TABLE_ONLY, kCheck),
        // Block lengths: 0 automatic, 1 given.
        RadioGroup({IDC_MG_BLOCK_AUTO, IDC_MG_BLOCK_GIVEN}), Ctl(IDC_MG_BLOCK_LENGTHS, kButton), kOK, kCancel};
    // Each plate limit: 0 automatic, 1 typed.
    const int limits[10][4] = {
        {IDC_MG_MAX_UF_THICK_AUTO, IDC_MG_MAX_UF_THICK_INPUT, IDC_MG_MAX_UF_THICK, IDC_MG_MAX_UF_THICK_SPIN},
        {IDC_MG_MIN_UF_THICK_AUTO, IDC_MG_MIN_UF_THICK_INPUT, IDC_MG_MIN_UF_THICK, IDC_MG_MIN_UF_THICK_SPIN},
        {IDC_MG_MAX_UF_WIDTH_AUTO, IDC_MG_MAX_UF_WIDTH_INPUT, IDC_MG_MAX_UF_WIDTH, IDC_MG_MAX_UF_WIDTH_SPIN},
        {IDC_MG_MIN_UF_WIDTH_AUTO, IDC_MG_MIN_UF_WIDTH_INPUT, IDC_MG_MIN_UF_WIDTH, IDC_MG_MIN_UF_WIDTH_SPIN},
        {IDC_MG_MAX_LF_THICK_AUTO, IDC_MG_MAX_LF_THICK_INPUT, IDC_MG_MAX_LF_THICK, IDC_MG_MAX_LF_THICK_SPIN},
        {IDC_MG_MIN_LF_THICK_AUTO, IDC_MG_MIN_LF_THICK_INPUT, IDC_MG_MIN_LF_THICK, IDC_MG_MIN_LF_THICK_SPIN},
        {IDC_MG_MAX_LF_WIDTH_AUTO, IDC_MG_MAX_LF_WIDTH_INPUT, IDC_MG_MAX_LF_WIDTH, IDC_MG_MAX_LF_WIDTH_SPIN},
        {IDC_MG_MIN_LF_WIDTH_AUTO, IDC_MG_MIN_LF_WIDTH_INPUT, IDC_MG_MIN_LF_WIDTH, IDC_MG_MIN_LF_WIDTH_SPIN},
        {IDC_MG_MAX_WEB_THICK_AUTO, IDC_MG_MAX_WEB_THICK_INPUT, IDC_MG_MAX_WEB_THICK, IDC_MG_MAX_WEB_THICK_SPIN},
        {IDC_MG_MIN_WEB_THICK_AUTO, IDC_MG_MIN_WEB_THICK_INPUT, IDC_MG_MIN_WEB_THICK, IDC_MG_MIN_WEB_THICK_SPIN}};
    for (const auto& l : limits)
        for (const Use& u : {RadioGroup({l[0], l[1]}), Ctl(l[2], kEdit), SpinOf(l[3], l[2])})
            uses.push_back(u);
    return uses;
}

// What the code of each dialog and bar reads, writes, presses or steps, by the names it uses.
std::vector<DialogUses> CodeUses()
{
    return {
        {"BasicConditions", IDD_BASIC, {
            Ctl(IDC_TITLE, kEdit), Ctl(IDC_SUBTITLE, kEdit), Ctl(IDC_STANDARD, CtlKind::DropList),
            // Girder form: 0 plate, 1 box.
            RadioGroup({IDC_FORM_PLATE, IDC_FORM_BOX}),
            // Height: 0 varies, 1 constant.
            RadioGroup({IDC_HEIGHT_VARIATION, IDC_HEIGHT_CONSTANT}),
            Ctl(IDC_SPANS, kEdit), SpinOf(IDC_SPANS_SPIN, IDC_SPANS),
            Ctl(IDC_GIRDERS, kEdit), SpinOf(IDC_GIRDERS_SPIN, IDC_GIRDERS),
            // Sidewalks: 0 none, 1 left, 2 right, 3 both.
            RadioGroup({IDC_SIDEWALK, IDC_SIDEWALK_LEFT, IDC_SIDEWALK_RIGHT, IDC_SIDEWALK_BOTH}),
            // Median: 0 with, 1 without.
            RadioGroup({IDC_MEDIAN, IDC_MEDIAN_NONE}),
            Ctl(IDC_MEDIAN_UNLOADED, kCheck), Ctl(IDC_KERB_UNLOADED, kCheck),
            // Live load: A(L), B(L), A(T+L), B(T+L), none, crowd only.
            RadioGroup({IDC_LIVE_LOAD, IDC_LIVE_LOAD_BL, IDC_LIVE_LOAD_ATL, IDC_LIVE_LOAD_BTL, IDC_LIVE_LOAD_NONE,
                        IDC_LIVE_LOAD_CROWD}),
            // Weathering steel and -H steel: 0 used, 1 not used.
            RadioGroup({IDC_WEATHERING, IDC_WEATHERING_NONE}),
            RadioGroup({IDC_HSTEEL, IDC_HSTEEL_NONE}),
            Ctl(IDC_ZERO_PAINT, kCheck), Ctl(IDC_LOADING_WIDTH, kEdit), Ctl(IDC_P1, kEdit), Ctl(IDC_P2, kEdit),
            kOK, kCancel}},
        {"SpanLengths", IDD_SPAN, {Ctl(IDC_SPAN_TABLE, CtlKind::Custom), Ctl(IDC_BRIDGE_LENGTH, kEdit), kOK, kCancel}},
        {"MainGirder", IDD_MAIN_GIRDER, MainGirderUses()},
        {"JointPosition", IDD_JOINT_POSITION, {
            Ctl(IDC_JP_TOTALS, CtlKind::Custom), Ctl(IDC_JP_BLOCKS, CtlKind::Custom), kOK, kCancel}},
        {"HeightChange", IDD_HEIGHT, {
            Ctl(IDC_HEIGHT_TABLE, CtlKind::Custom), Ctl(IDC_HEIGHT_UPDATE, kButton), Ctl(IDC_HEIGHT_ADD, kButton),
            Ctl(IDC_HEIGHT_DELETE, kButton), Ctl(int(ID_SETUP_HEIGHT), kButton),
            // Interpolation: 0 straight, 1 spline.
            RadioGroup({IDC_HEIGHT_STRAIGHT, IDC_HEIGHT_SPLINE})}},
        {"Block", IDD_BLOCK, {
            Ctl(IDC_BLOCK_TABLE, CtlKind::Custom), Ctl(IDC_BLOCK_RUN, kButton), Ctl(int(ID_BLOCK_DIALOG), kButton),
            Ctl(int(ID_HELP), kButton), Ctl(IDC_BLOCK_TABLE_SUM, kEdit), Ctl(IDC_BLOCK_GIRDER_SUM, kEdit),
            Ctl(IDC_BLOCK_POS, kEdit), SpinOf(IDC_BLOCK_POS_SPIN, IDC_BLOCK_POS),
            Ctl(IDC_BLOCK_START, kEdit), SpinOf(IDC_BLOCK_START_SPIN, IDC_BLOCK_START),
            Ctl(IDC_BLOCK_END, kEdit), SpinOf(IDC_BLOCK_END_SPIN, IDC_BLOCK_END),
            Ctl(IDC_BLOCK_SPLIT_NO, kEdit), SpinOf(IDC_BLOCK_SPLIT_SPIN, IDC_BLOCK_SPLIT_NO),
            Ctl(IDC_BLOCK_START_LABEL, CtlKind::Static), Ctl(IDC_BLOCK_END_LABEL, CtlKind::Static),
            Ctl(IDC_BLOCK_SPLIT_LABEL, CtlKind::Static), Ctl(IDC_BLOCK_POS_LABEL, CtlKind::Static),
            Ctl(IDC_BLOCK_POS_UNIT, CtlKind::Static), Ctl(IDC_BLOCK_POS_NOTE, CtlKind::Static),
            Ctl(IDC_BLOCK_TABLE_SUM_LABEL, CtlKind::Static), Ctl(IDC_BLOCK_TABLE_SUM_UNIT, CtlKind::Static),
            Ctl(IDC_BLOCK_GIRDER_SUM_LABEL, CtlKind::Static), Ctl(IDC_BLOCK_GIRDER_SUM_UNIT, CtlKind::Static),
            // Mode: 0 join, 1 split, 2 lengths; the split position: 0 the middle, 1 given.
            RadioGroup({IDC_BLOCK_JOIN, IDC_BLOCK_SPLIT, IDC_BLOCK_LENGTHS}),
            RadioGroup({IDC_BLOCK_MIDDLE, IDC_BLOCK_GIVEN})}},
        {"DefinitionPoint", IDD_DEF_POINT, {
            Ctl(IDC_DEFPOINT_SPAN, kEdit), SpinOf(IDC_DEFPOINT_SPAN_SPIN, IDC_DEFPOINT_SPAN),
            Ctl(IDC_DEFPOINT_POS, kEdit), Ctl(IDC_DEFPOINT_ADD, kButton), kCancel}},
        {"UserInfo", IDD_USER_INFO, {Ctl(IDC_USER_COMPANY, kEdit), kOK, kCancel}},
        {"PrintFormat", IDD_PRINT_FORMAT, {
            Ctl(IDC_MARGIN_TOP, kEdit), SpinOf(IDC_MARGIN_TOP_SPIN, IDC_MARGIN_TOP),
            Ctl(IDC_MARGIN_LEFT, kEdit), SpinOf(IDC_MARGIN_LEFT_SPIN, IDC_MARGIN_LEFT),
            Ctl(IDC_MARGIN_BOTTOM, kEdit), SpinOf(IDC_MARGIN_BOTTOM_SPIN, IDC_MARGIN_BOTTOM),
            Ctl(IDC_MARGIN_RIGHT, kEdit), SpinOf(IDC_MARGIN_RIGHT_SPIN, IDC_MARGIN_RIGHT),
            Ctl(IDC_PRINT_COMPANY, kEdit), Ctl(IDC_NO_FRAME, kCheck), Ctl(IDC_NO_HEADER, kCheck),
            Ctl(IDC_NO_FOOTER, kCheck), kOK, kCancel}},
        {"OriginAdjust", IDD_ORIGIN_ADJUST, {
            Ctl(IDC_ORIGIN_X, kEdit), Ctl(IDC_ORIGIN_Y, kEdit), Ctl(IDC_ORIGIN_ANGLE, kEdit),
            Ctl(IDC_ORIGIN_APPLY, kCheck), kOK, kCancel}},
        {"TestCommand", IDD_TEST_COMMAND, {Ctl(IDC_TEST_COMMAND, kEdit), kOK, kCancel}},
        {"Rerun", IDD_RERUN, {Ctl(IDC_RERUN_KEEP, CtlKind::RadioButton), Ctl(IDC_RERUN_REDESIGN, CtlKind::RadioButton)}},
        {"CalcBar", IDD_CALC_BAR, {
            Ctl(IDC_CALC_GIRDER, kEdit), SpinOf(IDC_CALC_GIRDER_SPIN, IDC_CALC_GIRDER), Ctl(ID_CALC_SECTION, kButton),
            Ctl(ID_BLOCK_DIALOG, kButton)}},
        // One radio group in table order: the bar's page is the index of the checked button.
        {"EstimateBar", IDD_ESTIMATE_BAR, {
            RadioGroup({IDC_ESTBAR_MASS_SUMMARY, IDC_ESTBAR_MASS_BREAKDOWN, IDC_ESTBAR_AREA_VOLUME, IDC_ESTBAR_LABOUR,
                        IDC_ESTBAR_CONTRACT_COST, IDC_ESTBAR_MATERIAL_COST, IDC_ESTBAR_MASS_BY_GRADE,
                        IDC_ESTBAR_FABRICATION_COST})}},
        // The tabular windows' bars: one radio group each, read button by button.
        {"ReactBar", IDD_REACT_BAR, {
            RadioGroup({IDC_REACT_SUMMARY, IDC_REACT_DETAIL, IDC_REACT_DETAIL_NO_IMPACT, IDC_REACT_DEFLECTION,
                        IDC_REACT_IMPACT, IDC_REACT_SUBSTRUCTURE})}},
        {"ConditionBar", IDD_CONDITION_BAR, {
            RadioGroup({IDC_COND_INPUT, IDC_COND_PANELS, IDC_COND_DESIGN, IDC_COND_SECTIONS})}},
        {"PropertiesBar", IDD_PROPERTIES_BAR, {
            Ctl(IDC_PROP_GIRDER, kEdit), SpinOf(IDC_PROP_GIRDER_SPIN, IDC_PROP_GIRDER),
            RadioGroup({IDC_PROP_FORCES, IDC_PROP_STIFFNESS, IDC_PROP_STEEL_WEIGHT})}},
        {"GridBar", IDD_GRID_BAR, {
            Ctl(IDC_PLAN_GIRDER, kEdit), SpinOf(IDC_PLAN_GIRDER_SPIN, IDC_PLAN_GIRDER), Ctl(IDC_PLAN_SECTION, kEdit),
            SpinOf(IDC_PLAN_SECTION_SPIN, IDC_PLAN_SECTION), Ctl(IDC_PLAN_CROSS_BEAM, kEdit),
            SpinOf(IDC_PLAN_CROSS_BEAM_SPIN, IDC_PLAN_CROSS_BEAM), Ctl(IDC_PLAN_SCALE, kEdit),
            Ctl(IDC_PLAN_SCALE_SLIDER, CtlKind::Slider), Ctl(IDC_PLAN_ANGLE, kEdit),
            Ctl(IDC_PLAN_ANGLE_SLIDER, CtlKind::Slider), Ctl(IDC_PLAN_SHOW_SPANS, kCheck),
            Ctl(IDC_PLAN_SHOW_PANELS, kCheck), Ctl(IDC_PLAN_REVERSE, kCheck)}},
        {"ForceBar", IDD_FORCE_BAR, {
            Ctl(IDC_FORCE_GIRDER, kEdit), SpinOf(IDC_FORCE_GIRDER_SPIN, IDC_FORCE_GIRDER), Ctl(IDC_FORCE_HSCALE, kEdit),
            Ctl(IDC_FORCE_HSCALE_SLIDER, CtlKind::Slider), Ctl(IDC_FORCE_VSCALE, kEdit),
            Ctl(IDC_FORCE_VSCALE_SLIDER, CtlKind::Slider), Ctl(IDC_FORCE_MOMENT, kCheck), Ctl(IDC_FORCE_SHEAR, kCheck),
            Ctl(IDC_FORCE_RESISTING, kCheck), Ctl(IDC_FORCE_FOLD, kCheck), Ctl(ID_BLOCK_DIALOG, kButton)}},
        {"SectionBar", IDD_SECTION_BAR, {
            Ctl(IDC_SECTION_SUPPORT, kEdit), SpinOf(IDC_SECTION_SUPPORT_SPIN, IDC_SECTION_SUPPORT),
            Ctl(IDC_SECTION_STATION, kEdit), SpinOf(IDC_SECTION_STATION_SPIN, IDC_SECTION_STATION),
            Ctl(IDC_SECTION_SCALE, kEdit), Ctl(IDC_SECTION_SCALE_SLIDER, CtlKind::Slider)}},
        {"LoadBar", IDD_LOAD_BAR, {
            Ctl(IDC_LOAD_SUPPORT, kEdit), SpinOf(IDC_LOAD_SUPPORT_SPIN, IDC_LOAD_SUPPORT), Ctl(IDC_LOAD_STATION, kEdit),
            SpinOf(IDC_LOAD_STATION_SPIN, IDC_LOAD_STATION), Ctl(IDC_LOAD_SCALE, kEdit),
            Ctl(IDC_LOAD_SCALE_SLIDER, CtlKind::Slider)}},
        {"Section2Bar", IDD_SECTION2_BAR, {
            Ctl(IDC_SECTION2_GIRDER, kEdit), SpinOf(IDC_SECTION2_GIRDER_SPIN, IDC_SECTION2_GIRDER),
            Ctl(IDC_SECTION2_XSCALE, kEdit), Ctl(IDC_SECTION2_XSCALE_SLIDER, CtlKind::Slider),
            Ctl(IDC_SECTION2_YSCALE, kEdit), Ctl(IDC_SECTION2_YSCALE_SLIDER, CtlKind::Slider)}},
        {"PaperSelect", IDD_PAPER_SELECT, {
            Ctl(IDC_PAPER_PRINTER, CtlKind::Static), Ctl(IDC_PAPER_STATUS, CtlKind::Static),
            Ctl(IDC_PAPER_PORT, CtlKind::Static), Ctl(IDC_PAPER_A3, CtlKind::RadioButton),
            Ctl(IDC_PAPER_A4, CtlKind::RadioButton), kOK, kCancel}},
        {"CalcProgress", IDD_CALC_PROGRESS, {Ctl(IDC_PROGRESS_PICTURE, CtlKind::Custom), Ctl(IDC_PROGRESS_TEXT, CtlKind::Static)}},
        {"PanelDivision", IDD_PANEL, {
            Ctl(IDC_PANEL_TABLE, CtlKind::Custom), Ctl(IDC_PANEL_VALUES, CtlKind::Custom),
            Ctl(IDC_PANEL_PICTURE, CtlKind::Custom), Ctl(IDC_PANEL_SPAN_NO, kEdit),
            SpinOf(IDC_PANEL_SPAN_SPIN, IDC_PANEL_SPAN_NO), Ctl(IDC_PANEL_SUM, kEdit), Ctl(IDC_PANEL_SPAN_LENGTH, kEdit),
            Ctl(IDC_PANEL_SPAN_LABEL, CtlKind::Static), Ctl(IDC_PANEL_SPIN_LABEL, CtlKind::Static),
            Ctl(IDC_PANEL_UPDATE, kButton), Ctl(IDC_PANEL_EQUAL_ALL, kButton), Ctl(IDC_PANEL_EQUAL_ZEROS, kButton),
            Ctl(IDC_PANEL_ALL_ZERO, kButton), Ctl(ID_SETUP_PANEL, kButton), Ctl(ID_HELP, kButton)}},
        {"CoordinateBaseLine", IDD_COORD_BASELINE, CoordinatePage(true)},
        {"CoordinateGirder", IDD_COORD_GIRDER, CoordinatePage(false)},
        {"CoordinateDeck", IDD_COORD_DECK, CoordinatePage(false)},
        {"CoordinateSection", IDD_COORD_SECTION, CoordinatePage(false)},
        {"CrossSection", IDD_CROSS_SECTION, CrossSectionUses()},
        {"CrossBeam", IDD_CROSS_BEAM, {
            Ctl(IDC_CB_TABLE, CtlKind::Custom), Ctl(IDC_CB_UPDATE, kButton), Ctl(ID_SETUP_CROSS_BEAM, kButton),
            Ctl(ID_HELP, kButton), kOK, kCancel}},
        {"PlateGirder", IDD_PLATE_GIRDER, {
            Ctl(IDC_PG_HEIGHT_TABLE, CtlKind::Custom), Ctl(IDC_PG_HEIGHT_CAPTION, CtlKind::GroupBox),
            Ctl(IDC_PG_ALIGN_HEIGHTS, kButton), Ctl(IDC_PG_HOLE_TABLE, CtlKind::Custom),
            Ctl(IDC_PG_HOLE_DEDUCTION, kCheck), Ctl(IDC_PG_NET_AREA, kCheck), Ctl(IDC_PG_UF_BUCKLING, kCheck),
            Ctl(IDC_PG_BOLT_HOLE, kEdit), SpinOf(IDC_PG_BOLT_HOLE_SPIN, IDC_PG_BOLT_HOLE),
            // Additional stress of curved girders: 0 便覧, 1 阪神高速.
            RadioGroup({IDC_PG_CURVE_BENRAN, IDC_PG_CURVE_HANSHIN}), kOK, kCancel}},
        {"BoxGirder", IDD_BOX_GIRDER, {
            Ctl(IDC_BG_HEIGHT_TABLE, CtlKind::Custom), Ctl(IDC_BG_HEIGHT_CAPTION, CtlKind::GroupBox),
            Ctl(IDC_BG_ALIGN_HEIGHTS, kButton), Ctl(IDC_BG_RIB_TABLE, CtlKind::Custom),
            Ctl(IDC_BG_HOLE_DEDUCTION, kCheck), Ctl(IDC_BG_NET_AREA, kCheck), Ctl(IDC_BG_UF_BUCKLING, kCheck),
            Ctl(IDC_BG_ADJUST_RIB, kCheck), Ctl(IDC_BG_RIB_PANELS, kButton),
            Ctl(IDC_BG_BOLT_HOLE, kEdit), SpinOf(IDC_BG_BOLT_HOLE_SPIN, IDC_BG_BOLT_HOLE),
            Ctl(IDC_BG_BOLTS_UPPER, kEdit), SpinOf(IDC_BG_BOLTS_UPPER_SPIN, IDC_BG_BOLTS_UPPER),
            Ctl(IDC_BG_BOLTS_LOWER, kEdit), SpinOf(IDC_BG_BOLTS_LOWER_SPIN, IDC_BG_BOLTS_LOWER),
            Ctl(IDC_BG_COMP_RIBS, kEdit), SpinOf(IDC_BG_COMP_RIBS_SPIN, IDC_BG_COMP_RIBS),
            Ctl(IDC_BG_TENS_RIBS, kEdit), SpinOf(IDC_BG_TENS_RIBS_SPIN, IDC_BG_TENS_RIBS),
            Ctl(IDC_BG_STIFFENER_STEPS, kEdit), SpinOf(IDC_BG_STIFFENER_STEPS_SPIN, IDC_BG_STIFFENER_STEPS),
            kOK, kCancel}},
        {"RibPanel", IDD_RIB_PANEL, {
            Ctl(IDC_RIB_PANEL_TABLE, CtlKind::Custom), Ctl(IDC_RIB_THICKNESS, kEdit), kOK, kCancel}},
        {"MainMember", IDD_MAIN_MEMBER, MainMemberUses()},
        {"EndSway", IDD_END_SWAY, MemberUses({IDC_END_SWAY_UPPER, IDC_END_SWAY_LOWER, IDC_END_SWAY_DIAGONAL, IDC_END_SWAY_GRADE},
                                             {{IDC_END_SWAY_DIST_B, IDC_END_SWAY_DIST_B_SPIN}}, {IDC_END_SWAY_CONVERTED})},
        {"MidSway", IDD_MID_SWAY, MemberUses({IDC_MID_SWAY_CHORD, IDC_MID_SWAY_DIAGONAL, IDC_MID_SWAY_GRADE},
                                             {{IDC_MID_SWAY_DIST_B, IDC_MID_SWAY_DIST_B_SPIN}}, {IDC_MID_SWAY_CONVERTED})},
        {"PierSway", IDD_PIER_SWAY, MemberUses({IDC_PIER_SWAY_CHORD, IDC_PIER_SWAY_DIAGONAL, IDC_PIER_SWAY_GRADE},
                                               {{IDC_PIER_SWAY_DIST_B, IDC_PIER_SWAY_DIST_B_SPIN}}, {IDC_PIER_SWAY_CONVERTED})},
        {"CrossBeamType", IDD_CROSS_BEAM_TYPE, MemberUses({IDC_CBT_GRADE},
            {{IDC_CBT_DIST_B, IDC_CBT_DIST_B_SPIN}, {IDC_CBT_FLANGE_THICK, IDC_CBT_FLANGE_THICK_SPIN},
             {IDC_CBT_FLANGE_WIDTH, IDC_CBT_FLANGE_WIDTH_SPIN}, {IDC_CBT_WEB_THICK, IDC_CBT_WEB_THICK_SPIN}},
            {IDC_CBT_CONVERTED})},
        {"Lateral", IDD_LATERAL, MemberUses({IDC_LATERAL_OUTER, IDC_LATERAL_INNER, IDC_LATERAL_GRADE}, {})},
        {"LeftBracket", IDD_LEFT_BRACKET, MemberUses({IDC_LBRACKET_GRADE},
            {{IDC_LBRACKET_DIST_BL, IDC_LBRACKET_DIST_BL_SPIN}, {IDC_LBRACKET_DIST_BR, IDC_LBRACKET_DIST_BR_SPIN},
             {IDC_LBRACKET_FLANGE_THICK, IDC_LBRACKET_FLANGE_THICK_SPIN},
             {IDC_LBRACKET_FLANGE_WIDTH, IDC_LBRACKET_FLANGE_WIDTH_SPIN}, {IDC_LBRACKET_LENGTH, IDC_LBRACKET_LENGTH_SPIN},
             {IDC_LBRACKET_WEB_THICK, IDC_LBRACKET_WEB_THICK_SPIN}})},
        {"RightBracket", IDD_RIGHT_BRACKET, MemberUses({IDC_RBRACKET_GRADE},
            {{IDC_RBRACKET_DIST_BL, IDC_RBRACKET_DIST_BL_SPIN}, {IDC_RBRACKET_DIST_BR, IDC_RBRACKET_DIST_BR_SPIN},
             {IDC_RBRACKET_FLANGE_THICK, IDC_RBRACKET_FLANGE_THICK_SPIN},
             {IDC_RBRACKET_FLANGE_WIDTH, IDC_RBRACKET_FLANGE_WIDTH_SPIN}, {IDC_RBRACKET_LENGTH, IDC_RBRACKET_LENGTH_SPIN},
             {IDC_RBRACKET_WEB_THICK, IDC_RBRACKET_WEB_THICK_SPIN}})},
        {"MidStringer", IDD_MID_STRINGER, MemberUses({IDC_MID_STRINGER_GRADE},
            {{IDC_MID_STRINGER_FLANGE_THICK, IDC_MID_STRINGER_FLANGE_THICK_SPIN},
             {IDC_MID_STRINGER_FLANGE_WIDTH, IDC_MID_STRINGER_FLANGE_WIDTH_SPIN},
             {IDC_MID_STRINGER_WEB_HEIGHT, IDC_MID_STRINGER_WEB_HEIGHT_SPIN},
             {IDC_MID_STRINGER_WEB_THICK, IDC_MID_STRINGER_WEB_THICK_SPIN},
             {IDC_MID_STRINGER_COUNT, IDC_MID_STRINGER_COUNT_SPIN}})},
        {"EdgeStringer", IDD_EDGE_STRINGER, MemberUses({IDC_EDGE_STRINGER_GRADE},
            {{IDC_EDGE_STRINGER_FLANGE_THICK, IDC_EDGE_STRINGER_FLANGE_THICK_SPIN},
             {IDC_EDGE_STRINGER_FLANGE_WIDTH, IDC_EDGE_STRINGER_FLANGE_WIDTH_SPIN},
             {IDC_EDGE_STRINGER_WEB_HEIGHT, IDC_EDGE_STRINGER_WEB_HEIGHT_SPIN},
             {IDC_EDGE_STRINGER_WEB_THICK, IDC_EDGE_STRINGER_WEB_THICK_SPIN}})},
        // The item buttons are checked one by one as the table's row moves.
        {"DeadLoad", IDD_DEAD_LOAD, {
            Ctl(IDC_DL_TABLE, CtlKind::Custom), Ctl(IDC_DL_PICTURE, CtlKind::Custom), Ctl(IDC_DL_PRESET, kButton),
            Ctl(IDC_DL_D1, kRadio), Ctl(IDC_DL_D1 + 1, kRadio), Ctl(IDC_DL_D1 + 2, kRadio), Ctl(IDC_DL_D1 + 3, kRadio),
            Ctl(IDC_DL_D1 + 4, kRadio), Ctl(IDC_DL_D1 + 5, kRadio), Ctl(IDC_DL_D1 + 6, kRadio), Ctl(IDC_DL_D8, kRadio),
            Ctl(IDC_DL_D9, kRadio), Ctl(IDC_DL_RAILING, kCheck), kOK, kCancel}},
        {"SteelWeight", IDD_STEEL_WEIGHT, {
            Ctl(IDC_SW_HAUNCH_TABLE, CtlKind::Custom), Ctl(IDC_SW_ATTACH_TABLE, CtlKind::Custom),
            Ctl(IDC_SW_PICTURE, CtlKind::Custom), Ctl(IDC_SW_COUNT, kEdit), SpinOf(IDC_SW_COUNT_SPIN, IDC_SW_COUNT),
            Ctl(IDC_SW_H, kRadio), Ctl(IDC_SW_B, kRadio), Ctl(IDC_SW_BIN, kRadio), Ctl(IDC_SW_P, kRadio),
            Ctl(IDC_SW_L, kRadio),
            // The girders' own dead load: from the sections, assumed, sections x factor, main members x factor.
            RadioGroup({IDC_SW_CHOICE_SECTION, IDC_SW_CHOICE_ASSUMED, IDC_SW_CHOICE_FACTOR, IDC_SW_CHOICE_MAIN_MEMBERS}),
            kOK, kCancel}},
        {"EstimateSteelPrice", IDD_ESTIMATE_STEEL_PRICE, {
            Ctl(IDC_ESP_TABLE, CtlKind::Custom), Ctl(IDC_ESP_STANDARD, kButton), Ctl(IDC_ESP_LOAD, kButton),
            Ctl(IDC_ESP_REGISTER, kButton), kOK, kCancel}},
        {"EstimateFactor", IDD_ESTIMATE_FACTOR, {
            Ctl(IDC_EF_TABLE, CtlKind::Custom), Ctl(IDC_EF_STANDARD, kButton), Ctl(IDC_EF_GIRDER_END, kCheck),
            Ctl(IDC_EF_SEPARATE_RIB, kCheck), kOK, kCancel}},
        {"EstimateBearing", IDD_ESTIMATE_BEARING, {
            Ctl(IDC_EB_TABLE, CtlKind::Custom), Ctl(IDC_EB_RUBBER, kCheck), Ctl(IDC_EB_RUBBER_PRICE, kEdit),
            Ctl(IDC_EB_OTHER_PRICE, kEdit), RadioGroup({IDC_EB_BY_MASS, IDC_EB_PER_PIECE}),
            Ctl(IDC_EB_PRICE_EACH, kEdit), kOK, kCancel}},
        // The estimate hub: one button per sub-dialog, the bearing hint.
        {"EstimateHub", IDD_ESTIMATE_INPUT, {
            Ctl(IDC_EST_FACTOR, kButton), Ctl(IDC_EST_BEARING, kButton), Ctl(IDC_EST_LABOUR, kButton),
            Ctl(IDC_EST_STEEL_PRICE, kButton), Ctl(IDC_EST_FITTING, kButton), Ctl(IDC_EST_OVERHEAD, kButton),
            Ctl(IDC_EST_OPTION, kButton), Ctl(IDC_EST_BEARING_HINT, CtlKind::Static), kOK, kCancel}},
        {"EstimateLabour", IDD_ESTIMATE_LABOUR, {
            Ctl(IDC_LABOUR_TABLE, CtlKind::Custom), Ctl(IDC_LABOUR_STANDARD, kButton),
            Ctl(IDC_LABOUR_REGISTERED, kButton), Ctl(IDC_LABOUR_REGISTER, kButton), kOK, kCancel}},
        {"EstimateFitting", IDD_ESTIMATE_FITTING, {
            RadioGroup({IDC_FIT_RAILING_BEAM, IDC_FIT_RAILING_BAR, IDC_FIT_RAILING_NONE}),
            RadioGroup({IDC_FIT_POST_SQUARE, IDC_FIT_POST_PIPE, IDC_FIT_POST_PLATE}),
            RadioGroup({IDC_FIT_JOINT_FINGER, IDC_FIT_JOINT_TREAD, IDC_FIT_JOINT_NONE}),
            RadioGroup({1376, 1377, 1378, 1379, 1380, 1381, 1382, 1383}),
            RadioGroup({1370, 1371, 1372, 1373, 1374, 1375}),
            Ctl(IDC_FIT_RAILING_PRICE, kEdit), Ctl(IDC_FIT_JOINT_PRICE, kEdit),
            Ctl(IDC_FIT_RAILING_LABEL, CtlKind::Static), Ctl(IDC_FIT_RAILING_UNIT, CtlKind::Static),
            Ctl(IDC_FIT_JOINT_LABEL, CtlKind::Static), Ctl(IDC_FIT_JOINT_UNIT, CtlKind::Static), kOK, kCancel}},
        {"EstimateOverhead", IDD_ESTIMATE_OVERHEAD, {
            RadioGroup({IDC_OH_METHOD_OLD, IDC_OH_METHOD_MANUAL}), RadioGroup({1966, 1967, 1968, 1969}),
            Ctl(IDC_OH_SEASON, kEdit), Ctl(IDC_OH_PREPAYMENT, kEdit), Ctl(IDC_OH_GUARANTEE, kEdit), kOK, kCancel}},
        {"EstimateOption", IDD_ESTIMATE_OPTION, {Ctl(IDC_OPT_H_SECTION, kCheck), kOK, kCancel}},
        // The view switches are checked by their update handlers and enabled or not by the frame.
        {"ScopeBar", IDD_SCOPEBAR, {
            Ctl(ID_VIEW_PLAN, kRadio), Ctl(ID_VIEW_SECTION, kRadio), Ctl(ID_VIEW_SECTION2, kRadio),
            Ctl(ID_VIEW_LOAD, kRadio), Ctl(ID_VIEW_CONDITION, kRadio), Ctl(ID_VIEW_FORCE, kRadio),
            Ctl(ID_VIEW_REACT, kRadio), Ctl(ID_VIEW_CALC, kRadio), Ctl(ID_VIEW_PROPERTIES, kRadio),
            Ctl(ID_VIEW_ESTIMATE, kRadio), Ctl(ID_VIEW_PRINT, kRadio), Ctl(IDC_SCOPE_NONE, kRadio)}},
        // Every step whose button the main frame marks done, and the height step it disables.
        {"SetupBar", IDD_SETUPBAR, {
            Ctl(ID_SETUP_BASIC, kButton), Ctl(ID_SETUP_SPAN, kButton), Ctl(ID_SETUP_PANEL, kButton),
            Ctl(ID_SETUP_CROSS_SECTION, kButton), Ctl(ID_SETUP_MAIN_GIRDER, kButton),
            Ctl(ID_SETUP_MAIN_GIRDER2, kButton), Ctl(ID_SETUP_MAIN_MEMBER, kButton),
            Ctl(ID_SETUP_CROSS_BEAM, kButton), Ctl(ID_SETUP_DEAD_LOAD, kButton),
            Ctl(ID_SETUP_STEEL_WEIGHT, kButton), Ctl(ID_SETUP_ESTIMATE, kButton),
            Ctl(ID_SETUP_COORDINATE, kButton), Ctl(ID_CALC_GRILLAGE, kButton), Ctl(ID_CALC_ESTIMATE, kButton),
            Ctl(ID_SETUP_HEIGHT, kButton)}},
    };
}

const ControlTemplate* FindControl(const DialogTemplate& t, int id)
{
    for (const ControlTemplate& c : t.controls)
        if (c.id == id)
            return &c;
    return nullptr;
}

class DialogIds : public ::testing::TestWithParam<DialogUses> {
protected:
    void SetUp() override { InstallResources(); }
};

}

TEST_P(DialogIds, EveryControlTheCodeUsesIsInItsTemplate)
{
    const DialogUses& d = GetParam();
    const DialogTemplate* t = AfxFindDialogTemplate(d.dialog);
    ASSERT_NE(t, nullptr) << d.name;
    for (const Use& u : d.controls) {
        const ControlTemplate* c = FindControl(*t, u.id);
        ASSERT_NE(c, nullptr) << d.name << ": no control " << u.id;
        EXPECT_STREQ(KindName(c->kind), KindName(u.kind)) << d.name << ": control " << u.id;
    }
}

TEST_P(DialogIds, RadioGroupsAndSpinsWorkAsTheCodeReadsThem)
{
    const DialogUses& d = GetParam();
    CDialog dlg(d.dialog);
    ASSERT_TRUE(dlg.Create(d.dialog)) << d.name;
    for (const Use& u : d.controls) {
        CWnd* w = dlg.GetDlgItem(u.id);
        ASSERT_NE(w, nullptr) << d.name << ": no control " << u.id;
        if (!u.group.empty()) {
            EXPECT_EQ(dlg.m_host.RadioGroup(u.id), u.group) << d.name << ": group " << u.id;
        }
        if (u.buddy) {
            auto* spin = dynamic_cast<CSpinButtonCtrl*>(w);
            ASSERT_NE(spin, nullptr) << d.name << ": control " << u.id;
            ASSERT_NE(spin->GetBuddy(), nullptr) << d.name << ": spin " << u.id;
            EXPECT_EQ(int(spin->GetBuddy()->GetDlgCtrlID()), u.buddy) << d.name << ": spin " << u.id;
        }
    }
    dlg.DestroyWindow();
}

INSTANTIATE_TEST_SUITE_P(CodeUses, DialogIds, ::testing::ValuesIn(CodeUses()),
                         [](const ::testing::TestParamInfo<DialogUses>& info) { return std::string(info.param.name); });

TEST(DialogTemplates, IdsAreUniqueAndGroupsAndBuddiesResolve)
{
    std::set<UINT> dialogs;
    for (const DialogTemplate& t : AllDialogTemplates()) {
        {
            // A second template under one id would be dropped without a word when registered.
            EXPECT_TRUE(dialogs.insert(t.id).second) << "dialog " << t.id << " twice";
            std::set<int> ids;
            for (size_t i = 0; i < t.controls.size(); ++i) {
                const ControlTemplate& c = t.controls[i];
                if (c.id != IDC_STATIC) {
                    EXPECT_TRUE(ids.insert(c.id).second) << "dialog " << t.id << ": control " << c.id << " twice";
                }
                if (c.group != 0) {
                    const ControlTemplate* box = FindControl(t, c.group);
                    EXPECT_TRUE(box && box->kind == CtlKind::GroupBox) << "dialog " << t.id << ": control " << c.id;
                }
                // A spin steps the edit just before it.
                if (c.kind == CtlKind::Spin) {
                    EXPECT_TRUE(i > 0 && t.controls[i - 1].kind == CtlKind::Edit)
                        << "dialog " << t.id << ": spin " << c.id;
                }
            }
        }
    }
}
