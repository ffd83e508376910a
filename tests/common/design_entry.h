// A new design entered through the input dialogs as an engineer enters it: the basic
// conditions, spans, framing, deck, girder heights, box shape and cross beams; the run is the caller's.
#pragma once

#include "common/dialog_input.h"
#include "input/modeless_dialogs.h"

#include <initializer_list>
#include <utility>
#include <vector>

namespace designentry {

using namespace dialoginput;

inline void Command(UINT id) { g_pMainFrame->OnCmdMsg(id, CN_COMMAND, nullptr); }
inline CTableGrid& Table(CDialog* d, int id) { return *dynamic_cast<CTableGrid*>(d->GetDlgItem(id)); }
inline QString Mm(double mm) { return QString::number(mm, 'f', 0); }

struct Basic {
    const char* title;
    int spans;
    int girders;        // a single box is entered as one box girder
    int form;           // IDC_FORM_PLATE or IDC_FORM_BOX
    int sidewalk;       // IDC_SIDEWALK… radio
    bool heightVaries = false;
};

// A B live load (T+L) bridge with no median.
inline void EnterBasic(const Basic& b)
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

// Span lengths (mm), each in its count of panels; the girders run 400 mm past the end supports.
inline void EnterSpans(const std::vector<double>& spans, const std::vector<int>& panels)
{
    RunModal(ID_SETUP_SPAN, [&](CDialog* d) {
        CTableGrid& t = Table(d, IDC_SPAN_TABLE);
        double bridge = 800.0;
        for (size_t row = 0; row < spans.size(); ++row) {
            Enter(t, int(row), 0, Mm(spans[row]));
            Enter(t, int(row), 1, QString::number(panels[row]));
            bridge += spans[row];
        }
        Type(d, IDC_BRIDGE_LENGTH, Mm(bridge));
        Ok(d);
    });
}

// Span lengths (mm) in panels of about `panel` mm.
inline void EnterSpans(std::initializer_list<double> spans, double panel = 5000.0)
{
    std::vector<int> panels;
    for (double span : spans)
        panels.push_back(int(span / panel));
    EnterSpans(std::vector<double>(spans), panels);
}

// The framing span by span: base line to G1 and girder spacing (mm) alike in every span, the
// skew (degrees) of each support and, unless 0, the base line and the girders on an arc of
// that radius (m, signed).
inline void EnterFraming(double baseToG1, double spacing, const std::vector<double>& skews, double radius = 0.0)
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
            Enter(dlg.m_gridValues, G::ROW_THETA, end, QString::number(skews[size_t(span + end)], 'f', 1));
        }
        if (radius != 0.0) {
            // The main girder's arc takes the base line's along.
            if (int(dlg.m_gridValues.Value(0, G::ROW_GIRDER)) == 0)
                Spin(dlg.m_gridValues, G::ROW_GIRDER, 0, true);
            Enter(dlg.m_gridValues, G::ROW_BASE, 1, QString::number(radius, 'f', 1));
        }
    }
    Press(&dlg, IDC_PANEL_UPDATE);
    Command(ID_SETUP_PANEL);
}

// The same framing in every span, straight.
inline void EnterFraming(double baseToG1, double spacing, double skew)
{
    EnterFraming(baseToG1, spacing, std::vector<double>(size_t(g_nSpans + 1), skew));
}

// Deck dimensions typed at the first support (table row, mm) and copied to every other station,
// or typed at every station: a copy takes the first support's skew along.
inline void EnterDeck(const std::vector<std::pair<int, double>>& values, bool atEveryStation = false)
{
    CSetupCrossSectionDialog& dlg = *g_pCrossSectionDlg;
    if (!dlg.IsWindowVisible())
        Command(ID_SETUP_CROSS_SECTION);
    gridui::Activate(&dlg);
    CSetupCrossSectionGrid& t = dlg.m_grid;
    for (int col = 0; col < (atEveryStation ? t.GetNumberCols() : 1); ++col)
        for (const auto& [row, mm] : values)
            Enter(t, row, col, Mm(mm));
    for (int col = 1; !atEveryStation && col < t.GetNumberCols(); ++col) {
        t.GotoCell(col, CrossSectionData::ROW_THETA);
        Press(&dlg, IDC_CS_COPY);
    }
    Press(&dlg, IDC_CS_UPDATE);
    Command(ID_SETUP_CROSS_SECTION);
}

// One girder height (mm) for every girder, in the plate or box girder data; or each girder's
// own, G1 first (the rest as G1 where fewer are given).
inline void EnterGirderHeight(const std::vector<double>& heights)
{
    const bool plate = g_nBridgeType == 0;
    RunModal(ID_SETUP_MAIN_GIRDER2, [&](CDialog* d) {
        CTableGrid& t = Table(d, plate ? IDC_PG_HEIGHT_TABLE : IDC_BG_HEIGHT_TABLE);
        Enter(t, 0, 0, Mm(heights.front()));
        Press(d, plate ? IDC_PG_ALIGN_HEIGHTS : IDC_BG_ALIGN_HEIGHTS);
        for (int row = 1; row < int(heights.size()) && row < t.GetNumberRows(); ++row)
            Enter(t, row, 0, Mm(heights[size_t(row)]));
        Ok(d);
    });
}

inline void EnterGirderHeight(double height) { EnterGirderHeight(std::vector<double>{height}); }

// A girder height that varies: change points added as (span from 1, mm from its left support),
// then per definition point in bridge order the height (mm) of every girder, drawn straight.
inline void EnterHeightChange(const std::vector<std::pair<int, double>>& points, const std::vector<double>& heights)
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
inline void EnterBoxShape(double flangeWidth, double webSpacing = 0.0)
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

// The cross-beam arrangement window looked at and, for plate girders, applied as it stands:
// 更新 waits for an edit, so the first member's kind is stepped on and back. The kinds of box
// girders are fixed, with nothing to apply.
inline void ConfirmCrossBeams()
{
    CSetupCrossBeamDialog& dlg = *g_pCrossBeamDlg;
    if (!dlg.IsWindowVisible())
        Command(ID_SETUP_CROSS_BEAM);
    gridui::Activate(&dlg);
    if (g_nBridgeType == 0) {
        Spin(dlg.m_grid, 0, CSetupCrossBeamGrid::COL_KIND, true);
        Spin(dlg.m_grid, 0, CSetupCrossBeamGrid::COL_KIND, false);
        Press(&dlg, IDC_CB_UPDATE);
    }
    Command(ID_SETUP_CROSS_BEAM);
}

// The dialogs whose defaults the example keeps, looked at and confirmed as shown.
inline void ConfirmAsShown(std::initializer_list<UINT> commands)
{
    for (UINT command : commands)
        RunModal(command, [](CDialog* d) { Ok(d); });
}

constexpr int B1 = CrossSectionData::ROW_B1;
constexpr int B3 = B1 + 2, B5 = B1 + 4, B11 = CrossSectionData::ROW_B11, B12 = CrossSectionData::ROW_B12;
constexpr int H5 = CrossSectionData::ROW_H1 + 4;

}
