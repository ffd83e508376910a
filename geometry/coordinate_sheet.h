// The coordinate input sheet for curved or irregular plans.
#pragma once

#include "framework/propsheet.h"

class CCoordinateSheet : public CPropertySheet {
public:
    explicit CCoordinateSheet(CWnd* pParent) : CPropertySheet(QStringLiteral("座標入力/修正"), pParent) {}
    void PostNcDestroy() override { delete this; }
};

extern CCoordinateSheet* g_pCoordinateSheet;
