// Readers of the solver's result listing GROUT.LST into the girder design objects.
// The document's readers of the same names forward to these free functions.
#pragma once

#include <QByteArray>

#include <string>
#include <vector>

#include "design/girder_design.h"

// What a listing must hold, from the bridge it was made for.
struct CListingShape {
    int m_nSpans = 0;           // S
    int m_nGirderLines = 0;     // G: 3 for the single box
    int m_nPanelPoints = 0;     // P
    int m_nBearingLines = 0;    // n: 2 for the single box, else G

    static CListingShape For(int nBridgeType, int nGirders, int nSpans, int nPanelPoints)
    {
        return {nSpans, nGirders, nPanelPoints, nBridgeType == 2 ? 2 : nGirders};
    }
};

// The first run of the characters 0-9 and '.' at or after nFrom, a '-' directly before it
// included; its start and length go to the out parameters. "noNumerics" when there is none.
QByteArray ExtractNumber(const QByteArray& text, int nFrom, int* pStart, int* pLength);

// The listing's text as lines, without their line ends.
std::vector<std::string> SplitListingLines(const std::string& text);
// 1 when the listing has its head line, the run's stamp and its end line.
int CheckListingFrame(const std::vector<std::string>& lines, const std::string& stamp);

// Each returns 1 when its block was read whole, 0 on a missing block or line, or a count or
// number that does not fit the shape. `girders` holds G objects.
int ParseImpactCoefficients(const std::vector<std::string>& lines, const CListingShape& shape, double out[15]);
int ParseReactions(const std::vector<std::string>& lines, const CListingShape& shape, CGirderDesign* girders);
int ParseReactionDetail(const std::vector<std::string>& lines, const CListingShape& shape, CGirderDesign* girders);
int ParseDeflections(const std::vector<std::string>& lines, const CListingShape& shape, CGirderDesign* girders);
int ParseMemberForces(const std::vector<std::string>& lines, const CListingShape& shape, CGirderDesign* girders);
