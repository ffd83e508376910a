// Must not compile: a calculation reaching the document.
#include "app/doc.h"
