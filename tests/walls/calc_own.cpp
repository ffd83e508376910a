// Compiles: what a calculation may use.
#include "geometry/plan_core.h"
#include "design/girder_design.h"
#include "framework/archive.h"
#include "framework/format.h"
