// Must not compile: the table reaching the document.
#include "app/doc.h"
