// Templates of the span length and panel count dialog.
#include "res/resources.h"

std::vector<DialogTemplate> SpanDialogTemplates()
{
    return {};
}
