// The input report: every input of the design as text lines and ruled tables, block after
// block, on screen as one long page and on paper 48 lines to a page. The input check window
// shows it; the batch report prints the same blocks through its own line operations.
//
// Every block takes (device context, print info or null on screen, mode 0 count or 1 draw,
// the first free line) and returns the line from which the next block counts. A line is drawn
// only when IsLineOnPage says so, at LineToY; column k stands at left margin + k x indent.
#pragma once

#include <QString>
#include <initializer_list>

class CDC;
class CPrintInfo;
class CPrintTable;
class CMarivoltenDoc;

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

    // The whole report from the line given; the line after the last block's result.
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
    int DrawStringer(CDC* pDC, CPrintInfo* pInfo, int mode, int line);
    int DrawCrossBeamArrangement(CDC* pDC, CPrintInfo* pInfo, int mode, int line);
    int DrawDeadLoad(CDC* pDC, CPrintInfo* pInfo, int mode, int line);
    int DrawAttachments(CDC* pDC, CPrintInfo* pInfo, int mode, int line);
    int DrawHaunchSteelWeight(CDC* pDC, CPrintInfo* pInfo, int mode, int line);
    int DrawEstimateFactors(CDC* pDC, CPrintInfo* pInfo, int mode, int line);
    int DrawLabourRates(CDC* pDC, CPrintInfo* pInfo, int mode, int line);
    int DrawSteelPrices(CDC* pDC, CPrintInfo* pInfo, int mode, int line);
    int DrawFittings(CDC* pDC, CPrintInfo* pInfo, int mode, int line);
    int DrawBearings(CDC* pDC, CPrintInfo* pInfo, int mode, int line);
    int DrawOverheads(CDC* pDC, CPrintInfo* pInfo, int mode, int line);

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
    // The table blocks of the estimate input: the page break, the heading and the table's
    // first line; the table is drawn by the caller when the line is on the page.
    int TableBlockStart(CDC* pDC, CPrintInfo* pInfo, int mode, int line, int nRows, const QString& heading) const;
    // A member shape block: its title on the first line, then one item per line at columns
    // 7 and 10; the line after the last item.
    struct ShapeItem {
        QString name, value;
    };
    int ShapeBlock(CDC* pDC, CPrintInfo* pInfo, int mode, int line, const QString& title,
                   std::initializer_list<ShapeItem> items) const;
    // The constant girder heights of main girder data 2, one line a girder, when the height
    // does not vary; the line after them.
    int ConstantHeights(CDC* pDC, CPrintInfo* pInfo, int mode, int line, const double* adHeight) const;
    // The girders the input has rows for: one for the single box.
    static int ReportGirders();
};
