// Estimate choices: fittings and corrections, overheads, the H-section cross beam option.
#pragma once

#include "app/globals.h"
#include "framework/dialog.h"
#include "res/resource_ids.h"

