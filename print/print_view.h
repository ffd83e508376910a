// The print window: the selection form of the batch report ("計算書") and the report that it
// prints. The frame of the report (sections, page counts, headings, contents, cover) and the
// form live in print_view.cpp; the page printers in files by report section.
#pragma once

#include "framework/bars.h"
#include "framework/formview.h"
#include "framework/gdi.h"
#include "framework/print.h"
#include "grid/tablegrid.h"
#include "views/window_global.h"

#include <memory>
#include <vector>
#include "geometry/plan.h"

class CMarivoltenDoc;
class CGirderDesign;
class CSection2Drawer;
class CCrossSectionDrawer;

// Where a cross-section or load-diagram page puts its station: the scales, the left edge,
// the origin and the scale vector, every station of the job at the scale of the widest (m).
struct CStationPlacement {
    double sx = 0.0, sy = 0.0;
    int x0 = 0;
    CPoint origin;
    CDPoint vector;
};
CStationPlacement ShapePlacement(double dWidest, CSize page, int nPW, int nPH, int nLeft, bool bUpright);
CStationPlacement LoadPlacement(double dWidest, CSize page, int nPW, int nPH, int nLeft, bool bUpright);
class CLoadDiagram;

class CPrintView : public CFormView {
    DECLARE_DYNCREATE(CPrintView)
public:
    // The places of the report in print order.
    enum ReportSection : int {
        RS_COVER, RS_CONTENTS, RS_INPUT_CONDITIONS, RS_DESIGN_CONDITIONS, RS_AREA_RATIO, RS_PLAN,
        RS_CROSS_SECTIONS, RS_LONGITUDINAL, RS_LOADS, RS_FORCE_DIAGRAM, RS_DEFLECTION, RS_REACTIONS_NO_IMPACT,
        RS_REACTION_DETAIL, RS_REACTION_SUMMARY, RS_SUBSTRUCTURE, RS_IMPACT, RS_CALC_TABLE, RS_MASS_SUMMARY,
        RS_MASS_BREAKDOWN, RS_MASS_BY_GRADE, RS_MAN_HOURS, RS_CONTRACT_COST, RS_FABRICATION_COST,
        RS_FORCE_DETAIL, RS_STIFFNESS, RS_STEEL_WEIGHT, RS_COUNT
    };
    enum : int { MAX_STATIONS = 155, MAX_PRINT_GIRDERS = 20, FONT_COUNT = 10 };

    // A page printer draws the current page of its section. A line printer runs over the
    // lines of its section: mode 0 counts (no DC), mode 1 draws the current page's lines;
    // either way it returns the lines it used.
    using PagePrinter = void (CPrintView::*)(CDC*, CPrintInfo*);
    using LinePrinter = int (CPrintView::*)(CDC*, CPrintInfo*, int);
    struct SectionInfo {
        int nBox;                           // its check box on the form
        int CPrintView::*pbSelected;        // the box's member
        const char* szName;                 // the heading's name, SI units
        const char* szNameWeight;           // in gravitational units, where it differs
        const char* szEntry;                // the contents line, SI units
        const char* szEntryWeight;          // in gravitational units, where it differs
        PagePrinter pPrint;                 // null while its pages are not printed
        LinePrinter pLines;
    };
    static const SectionInfo& Section(int nSection);

    CPrintView();
    ~CPrintView() override;
    CMarivoltenDoc* GetDocument() const;

    // ---- the form
    void DoDataExchange(CDataExchange* pDX) override;
    void OnInitialUpdate() override;
    // Every paint refreshes the form from the design first.
    void OnPaint() override;
    void RefreshForm();
    void OnSelectAll();
    void OnClearAll();
    void OnPageBoxClicked();
    // Whether the design lets a box's section be printed (the form disables the others).
    bool IsBoxAllowed(int nBox) const;
    // The row flags of the station lists from their check cells.
    void ReadStationLists();

    // ---- the print job
    BOOL OnPreparePrinting(CPrintInfo* pInfo) override;
    void OnBeginPrinting(CDC* pDC, CPrintInfo* pInfo) override;
    void OnPrepareDC(CDC* pDC, CPrintInfo* pInfo = nullptr) override;
    void OnPrint(CDC* pDC, CPrintInfo* pInfo) override;
    void OnEndPrinting(CDC* pDC, CPrintInfo* pInfo) override;
    // Page counts and first pages of every section from the form as it stands; returns the
    // pages of the whole job.
    int CountPages();
    int SectionPages(int nSection);
    // The section whose page the current page is, or -1.
    int SectionOfPage(int nPage) const;
    // Pages for a number of rows (or lines), a page holding nPerPage.
    static int PagesFor(int nRows, int nPerPage);

    // ---- page helpers
    // The top of a text line: with print information its place on its page (48 a page),
    // without counted from the top of the first.
    int LineToY(const CPrintInfo* pInfo, int nLine) const;
    // Whether a line of a text section is drawn: never while counting (value 0).
    int IsLineOnPage(const CPrintInfo* pInfo, int nValue, int nLine) const;
    int RowToY(int nRow) const;
    // The heading of the section that starts on the current page; 1 when one was drawn.
    int DrawSectionHeading(CDC* pDC, CPrintInfo* pInfo);
    // Where a section's heading is written (its top left), in the heading's font selected.
    CPoint SectionHeadingAt(CDC* pDC, const QString& text) const;
    // The section's name in the heading and its line of the contents, by the unit system.
    static QString SectionName(int nSection);
    static const char* ContentsEntry(int nSection);
    // A framed page: its own black pen and the page frame with its title, the pen put back
    // when the page is done.
    class FramedPage {
    public:
        FramedPage(CPrintView& view, CDC* pDC, CPrintInfo* pInfo, const QString& strTitle);
        ~FramedPage();
        FramedPage(const FramedPage&) = delete;
        FramedPage& operator=(const FramedPage&) = delete;
    private:
        CDC* m_pDC;
        CPen m_pen;
        CPen* m_pOldPen;
    };
    // The girder design objects the report prints one by one: every girder, or the one
    // object of a single box.
    int PrintedGirderCount() const;
    const CGirderDesign* PrintedGirder(int nIndex) const;
    // Table headings are shaded by the form's choice.
    BOOL ShadeHeadings() const { return m_bShadeHeadings; }

    // ---- front pages (print_view.cpp)
    void PrintCover(CDC* pDC, CPrintInfo* pInfo);
    void PrintContents(CDC* pDC, CPrintInfo* pInfo);
    // ---- input pages (print_input_pages.cpp)
    void PrintDesignConditions(CDC* pDC, CPrintInfo* pInfo);
    // The input conditions, counted (mode 0) or the current page drawn (mode 1): the last
    // line used, counted over the job.
    int PrintInputConditions(CDC* pDC, CPrintInfo* pInfo, int mode);
    // ---- result pages (print_result_pages.cpp)
    void PrintImpactCoefficients(CDC* pDC, CPrintInfo* pInfo);
    void PrintSectionCalcTable(CDC* pDC, CPrintInfo* pInfo);
    // ---- estimate pages (print_estimate_pages.cpp)
    void PrintMassSummary(CDC* pDC, CPrintInfo* pInfo);
    void PrintMassBreakdown(CDC* pDC, CPrintInfo* pInfo);
    void PrintMassByGrade(CDC* pDC, CPrintInfo* pInfo);
    void PrintManHourElements(CDC* pDC, CPrintInfo* pInfo);
    void PrintEstimateQuantities(CDC* pDC, CPrintInfo* pInfo);
    void PrintContractCost(CDC* pDC, CPrintInfo* pInfo);
    void PrintMaterialCost(CDC* pDC, CPrintInfo* pInfo);
    void PrintFabricationCost(CDC* pDC, CPrintInfo* pInfo);
    // Two tables on one page: man-hour elements over quantities, contract over material cost.
    void PrintManHourPage(CDC* pDC, CPrintInfo* pInfo);
    void PrintCostPage(CDC* pDC, CPrintInfo* pInfo);
    // The rows of the mass breakdown as its pages walk them.
    int CountMassBreakdownRows() const;
    // ---- analysis pages (print_analysis_pages.cpp)
    void PrintAreaRatio(CDC* pDC, CPrintInfo* pInfo);
    void PrintDeflection(CDC* pDC, CPrintInfo* pInfo);
    void PrintSubstructureReactionsNoImpact(CDC* pDC, CPrintInfo* pInfo);
    void PrintReactionDetail(CDC* pDC, CPrintInfo* pInfo);
    void PrintReactionSummary(CDC* pDC, CPrintInfo* pInfo);
    void PrintSubstructureReactions(CDC* pDC, CPrintInfo* pInfo);
    // The force detail returns its last row, the other two the lines they use.
    int PrintForceDetail(CDC* pDC, CPrintInfo* pInfo, int nMode);
    int PrintStiffness(CDC* pDC, CPrintInfo* pInfo, int nMode);
    int PrintSteelWeight(CDC* pDC, CPrintInfo* pInfo, int nMode);

    // ---- drawing pages (print_drawing_pages.cpp)
    void PrintPlan(CDC* pDC, CPrintInfo* pInfo);
    void PrintLongitudinalSection(CDC* pDC, CPrintInfo* pInfo);
    void PrintForceDiagram(CDC* pDC, CPrintInfo* pInfo);
    // One longitudinal-section drawer per main girder, made again.
    int PrepareLongitudinalSections(CMarivoltenDoc* pDoc);
    // One cross-section drawer, and one load diagram, per station, made again.
    int PrepareSectionShapes(CMarivoltenDoc* pDoc);
    int PrepareSectionLoads(CMarivoltenDoc* pDoc);
    // A page of the cross-section or load-diagram section: the station of the page's
    // checked row, upright or turned.
    void PrintCrossSectionShape(CDC* pDC, CPrintInfo* pInfo);
    void PrintCrossSectionLoads(CDC* pDC, CPrintInfo* pInfo);
    // The station of the page of a section drawn one checked row a page; -1 when none.
    int StationOfPage(int nSection, const int* abRows, CPrintInfo* pInfo) const;
    // Writes a text with the DC's font turned by the angle (degrees, whole ones).
    static void DrawRotatedText(CDC* pDC, double dAngle, int x, int y, QString text);
    // Two corners of an upright layout turned by the angle onto the sideways sheet; callers
    // use the left and top as the turned first corner.
    static CRect GetRotatedLabelRect(double dAngle, int x1, int y1, int x2, int y2);
    // Whether the orientation pair of a drawing page stands at upright.
    bool IsUpright(int nPortraitId) const;

    // Where the last drawing pages placed their drawings.
    double m_dPlanScale = 0.0;
    CPoint m_ptPlanOrigin;
    CPoint m_ptSection2Origin;
    CDPoint m_vSection2Scale;
    CPoint m_ptForceOrigin;
    CDPoint m_vForceScale;
    std::unique_ptr<CSection2Drawer[]> m_pSection2Drawers;
    std::unique_ptr<CCrossSectionDrawer[]> m_pSectionDrawers;
    std::unique_ptr<CLoadDiagram[]> m_pLoadDiagrams;
    int m_nSectionDrawers = 0, m_nLoadDiagrams = 0;
    CStationPlacement m_stationPlacement;   // of the last station page drawn
    int m_nSection2Drawers = 0;

    // Fonts: 0 the text, 1 plan labels, 2-4 the cover, 5 force labels, 6 reaction tables,
    // 7-8 the contents, 9 the section headings.
    CFont m_font[FONT_COUNT];
    int m_nRowsPerPage = 32;
    int m_nLinesPerPage = 48;
    CSize m_sizePage = kA4Portrait;
    int m_nLeftMargin = 200;
    int m_nTopMargin = 200;
    int m_nLineHeight = 50;
    int m_nIndent = 100;

    // The boxes of the form.
    int m_bShadeHeadings = 0;
    int m_bPrintInputConditions = 0;
    int m_bPrintDeflection = 0;
    int m_bPrintDesignConditions = 0;
    int m_bPrintMassSummary = 0;
    int m_bPrintMassBreakdown = 0;
    int m_bPrintMassByGrade = 0;
    int m_bPrintManHours = 0;
    int m_bPrintContractCost = 0;
    int m_bPrintFabricationCost = 0;
    int m_bPrintForceDiagram = 0;
    int m_bPrintPlan = 0;
    int m_bPrintLoadDiagrams = 0;
    int m_bPrintReactionSummary = 0;
    int m_bPrintCrossSections = 0;
    int m_bPrintSectionCalcTable = 0;
    int m_bPrintSubstructureReactions = 0;
    int m_bPrintAreaRatio = 0;
    int m_bPrintImpactCoefficients = 0;
    int m_bPrintCover = 0;
    int m_bPrintLongitudinalSections = 0;
    int m_bPrintForceDetail = 0;
    int m_bPrintReactionDetail = 0;
    int m_bPrintReactionsNoImpact = 0;
    int m_bPrintStiffness = 0;
    int m_bPrintSteelWeight = 0;
    int m_bPrintContents = 0;
    int m_bShowPageNumbers = 1;
    int m_bShowSectionNumbers = 1;

    // The station lists of the cross sections and the load diagrams, and the girder lists
    // that the form keeps out of sight.
    CTableGrid m_gridShapeRows, m_gridLoadRows, m_gridForceDiagramGirders, m_gridForceValueGirders;
    int m_bFirstPaint = 1;
    int m_abShapeRows[MAX_STATIONS];
    int m_abLoadRows[MAX_STATIONS];
    int m_abForceDiagramGirders[MAX_PRINT_GIRDERS];
    int m_abForceValueGirders[MAX_PRINT_GIRDERS];
    // Rows each station list held at the last paint: only those are read back.
    int m_nShapeRowsShown = 0;
    int m_nLoadRowsShown = 0;

    // Page bookkeeping of the job, pages counted from 1.
    int m_anSectionPages[RS_COUNT] = {};
    int m_anSectionStart[RS_COUNT] = {};
    int m_nCoverPages = 0;
    int m_nContentsPages = 0;
    int m_nSectionsPerPage = 4;
    int m_anCalcTablePages[MAX_PRINT_GIRDERS] = {};
    int m_anCalcTableStartPage[MAX_PRINT_GIRDERS] = {};
    int m_nReactionSummaryRows = 0;
    int m_nReactionDetailRows = 0;
    int m_nMassBreakdownRows = 0;
    // The mass breakdown's rows, made once for all its pages while a job prints (see
    // PrintMassBreakdown); null outside a job.
    bool m_bJobPrinting = false;
    std::shared_ptr<const void> m_pMassBreakdown;
    // Where the job's station pages placed their drawings, asked at the same place in the same
    // frame and font: a station drawing alike an earlier one of its section takes its placement,
    // found by dozens of layouts (see PrintCrossSectionShape); none outside a job.
    struct StationFit {
        int section, station;
        bool upright;
        CRect frame;
        LOGFONT font;
        CPoint asked;
        CDPoint askedScale;
        CPoint origin;
        CDPoint scale;
        double text = 1.0;
        bool leadFar = false;
    };
    std::vector<StationFit> m_stationFits;
    int m_nForceDetailLastRow = -1;
    int m_nStiffnessLines = 0;
    int m_nSteelWeightLines = 0;

private:
    void FillStationList(CTableGrid& grid, int* abRows, int& nShown);
    void FillGirderList(CTableGrid& grid, const int* abRows);
    void SetStationList(CTableGrid& grid, int* abRows, int nValue);
    static void ForceA4(CPrintInfo* pInfo);
    CWindowGlobal<CPrintView> m_global;
};

class CPrintBar : public CDialogBar {};

extern CPrintView* g_pPrintView;
