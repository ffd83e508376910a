// Tabular views and their bars: reactions and deflections, input check, section detail data.
#pragma once

#include "views/detail_view.h"
#include "views/input_check_view.h"
#include "views/react_view.h"
