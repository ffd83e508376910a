// Compiles: the table over the framework.
#include "grid/tablegrid.h"
