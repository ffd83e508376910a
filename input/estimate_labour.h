// The estimate's labour unit prices, with the prices registered in the profile.
#pragma once

#include "app/globals.h"
#include "framework/dialog.h"
#include "res/resource_ids.h"

