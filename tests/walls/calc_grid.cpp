// Must not compile: a calculation reaching the table control.
#include "grid/gridctrl.h"
