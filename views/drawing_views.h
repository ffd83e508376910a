// Drawing views and their bars: plan, cross section, load diagram, sectional force diagram
// and longitudinal section.
#pragma once

#include "framework/bars.h"
#include "framework/view.h"
#include "views/force_bars.h"
#include "views/force_view.h"
#include "views/load_view.h"
#include "views/plan_view.h"
#include "views/section2_view.h"
#include "views/section_view.h"
#include "views/window_global.h"

extern CGridView* g_pGridView;
extern CGridBar* g_pGridBar;
