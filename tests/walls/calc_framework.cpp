// Must not compile: a calculation reaching the window side of the framework.
#include "framework/dc.h"
