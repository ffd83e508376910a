// The input report: every input of the design as text lines and ruled tables, block after
// block, on screen as one long page and on paper 48 lines to a page. The input check window
// shows it; the batch report prints the same blocks through its own line operations.
//
// Every block takes (device context, print info or null on screen, mode 0 count or 1 draw,
// the first free line) and returns the line from which the next block counts. A line is drawn
// only when IsLineOnPage says so, at LineToY; column k stands at left margin + k x indent.
// The blocks only read: nothing they count or draw changes the design.
#pragma once

#include <QString>
#include <initializer_list>

class CDC;
class CPrintInfo;
class CPrintTable;
class CMarivoltenDoc;
struct BracketData;

class CInputReport {
public:
    virtual ~CInputReport() = default;

    // The design the blocks read; nothing is drawn or counted without one.
    void SetReportDocument(const CMarivoltenDoc* pDoc) { m_pReportDoc = pDoc; }

    // On screen: mode. On paper: 1 only when mode is 1 and the line lies on the page printed.
    virtual int IsLineOnPage(CPrintInfo* pInfo, int mode, int line) const;
    // The top of a line: on screen the whole report is one page, on paper the line within its page.
    virtual int LineToY(CPrintInfo* pInfo, int line) const;
    // Rows of the design conditions page, which is never paged.
    int RowToY(int row) const { return -(m_nTopMargin + row * m_nLineHeight); }
    int ColumnX(int k) const { return m_nLeftMargin + k * m_nIndent; }
    // The page of a line (from 1), and the line a table of nLines moves to on paper when it
    // would cross the page end.
    int PageOfLine(int line) const { return line / m_nLinesPerPage + 1; }
    int KeepOnPage(CPrintInfo* pInfo, int line, int nLines) const;

    // The blocks of both reports from the line given; the line after the last block's result.
    int RunInputBlocks(CDC* pDC, CPrintInfo* pInfo, int mode, int line);

    int DrawBasicConditions(CDC* pDC, CPrintInfo* pInfo, int mode, int line);
    int DrawPanelDivision(CDC* pDC, CPrintInfo* pInfo, int mode, int line, int firstSpan);
    int DrawCrossSectionDimensions(CDC* pDC, CPrintInfo* pInfo, int mode, int line, int first);
    int DrawGirderHeights(CDC* pDC, CPrintInfo* pInfo, int mode, int line, int firstPoint);
    int DrawMainGirderData(CDC* pDC, CPrintInfo* pInfo, int mode, int line);
    int DrawGirderBlocks(CDC* pDC, CPrintInfo* pInfo, int mode, int line);
    int DrawMainGirderData2(CDC* pDC, CPrintInfo* pInfo, int mode, int line);
    int DrawBoxGirderData(CDC* pDC, CPrintInfo* pInfo, int mode, int line);
    int DrawRibPanelDivision(CDC* pDC, CPrintInfo* pInfo, int mode, int line);
    int DrawPlateGirderData(CDC* pDC, CPrintInfo* pInfo, int mode, int line);
    int DrawMainMemberData(CDC* pDC, CPrintInfo* pInfo, int mode, int line);
    int DrawCrossFrameMembers(CDC* pDC, CPrintInfo* pInfo, int mode, int line);
    int DrawLateralBracing(CDC* pDC, CPrintInfo* pInfo, int mode, int line);
    int DrawLeftBracket(CDC* pDC, CPrintInfo* pInfo, int mode, int line);
    int DrawRightBracket(CDC* pDC, CPrintInfo* pInfo, int mode, int line);
    int DrawEdgeStringer(CDC* pDC, CPrintInfo* pInfo, int mode, int line);
    int DrawStringerShapeBlock(CDC* pDC, CPrintInfo* pInfo, int mode, int line);
    int DrawCrossBeamLayoutBlock(CDC* pDC, CPrintInfo* pInfo, int mode, int line);
    int DrawDeadLoadBlock(CDC* pDC, CPrintInfo* pInfo, int mode, int line);
    int DrawAttachedLoadBlock(CDC* pDC, CPrintInfo* pInfo, int mode, int line);
    int DrawHaunchBlock(CDC* pDC, CPrintInfo* pInfo, int mode, int line);
    int DrawFactorBlock(CDC* pDC, CPrintInfo* pInfo, int mode, int line);
    int DrawLabourPriceBlock(CDC* pDC, CPrintInfo* pInfo, int mode, int line);
    int DrawSteelPriceBlock(CDC* pDC, CPrintInfo* pInfo, int mode, int line);
    int DrawAccessoryBlock(CDC* pDC, CPrintInfo* pInfo, int mode, int line);
    int DrawBearingBlock(CDC* pDC, CPrintInfo* pInfo, int mode, int line);
    int DrawOverheadBlock(CDC* pDC, CPrintInfo* pInfo, int mode, int line);
    // Printed after the overheads by the batch report only.
    int DrawImpactCoefficientBlock(CDC* pDC, CPrintInfo* pInfo, int mode, int line);

    // The largest reaction (tf) of each support over the main girders, 0 where none is
    // positive or before a grillage run: what the bearings block shows. Support 0 .. spans.
    static double SupportMaxReaction(const CMarivoltenDoc& doc, int nSupport);

    int m_nLinesPerPage = 48;
    int m_nLineHeight = 50;
    int m_nIndent = 100;
    int m_nLeftMargin = 100;
    int m_nRightMargin = 200;
    int m_nTopMargin = 300;
    int m_nBottomMargin = 250;
    // Table headings filled: always on screen, by the print form's choice in the batch report.
    int m_bShadeHeadings = 1;
    // The few texts the input check window and the batch report word apart: the window's
    // unless the report sets its own.
    struct Wording {
        const char* railingLeftOut = "高欄を製作費に含めない";   // handrail kind 2
        const char* curveSkewZero = "設定値異常";                // curve and skew correction 0
        const char* attachedLoadSI = "荷重(ｋN/ｍ)";              // attached-load heading in SI
    };
    Wording m_wording;
    // The box girder's cross beam block after a free line, as the window lays it out; the
    // report puts it directly under the main member data.
    bool m_bBoxCrossBeamAfterFreeLine = true;

protected:
    const CMarivoltenDoc* m_pReportDoc = nullptr;

    // One text at a column of a line, when the line is drawn.
    void Text(CDC* pDC, CPrintInfo* pInfo, int mode, int line, int col, const QString& text) const;
    // A label at column 1 and "：" with its value at column 7.
    void Item(CDC* pDC, CPrintInfo* pInfo, int mode, int line, const QString& label, const QString& value) const;
    // A ruled table at column col whose first row stands on the line; all rows one line high
    // unless heights are given.
    CPrintTable Table(CPrintInfo* pInfo, int line, int col, int nRows, int nCols, const int* anColWidths,
                      const int* anRowHeights = nullptr) const;
    // Whether a table whose first row stands on the line is drawn now.
    bool IsTableDrawn(CDC* pDC, CPrintInfo* pInfo, int mode, int line) const;
    // The start of a block with one table of nRows: the page break that keeps heading and
    // table together, the heading, and the table's first line.
    int TableBlockStart(CDC* pDC, CPrintInfo* pInfo, int mode, int line, int nRows, const QString& heading) const;
    // The table of such a block at column 4, ruled, with its heading row centred (an empty
    // heading leaves its cell empty).
    CPrintTable BlockTable(CDC* pDC, CPrintInfo* pInfo, int line, int nRows, std::initializer_list<int> widths,
                           std::initializer_list<QString> headings) const;
    // A member shape block: its title on the first line, then one item per line at columns
    // 7 and 10; the line after the last item.
    struct ShapeItem {
        QString name, value;
    };
    int ShapeBlock(CDC* pDC, CPrintInfo* pInfo, int mode, int line, const QString& title,
                   std::initializer_list<ShapeItem> items) const;
    // A bracket's plates, member distances (m) and grade.
    int BracketBlock(CDC* pDC, CPrintInfo* pInfo, int mode, int line, const QString& title, const BracketData& b,
                     double dDepthLeft, double dDepthRight) const;
    // The constant girder heights of main girder data 2, one line a girder, when the height
    // does not vary; the line after them.
    int ConstantHeights(CDC* pDC, CPrintInfo* pInfo, int mode, int line, const double* adHeight) const;
    // The girders the input has rows for: one for the single box.
    static int ReportGirders();
};
