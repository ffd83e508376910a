#include "geometry/coordinate_sheet.h"

CCoordinateSheet* g_pCoordinateSheet = nullptr;
