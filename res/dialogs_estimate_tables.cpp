// Templates of the estimate sub-dialogs with value tables.
#include "res/resources.h"

std::vector<DialogTemplate> EstimateTableDialogTemplates()
{
    return {};
}
