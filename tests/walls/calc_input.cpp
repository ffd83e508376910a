// Must not compile: a calculation reaching an input dialog.
#include "input/basic_dialog.h"
