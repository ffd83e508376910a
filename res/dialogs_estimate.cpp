// Templates of the estimate data hub, the labour unit prices and the estimate choice dialogs.
#include "res/resources.h"

std::vector<DialogTemplate> EstimateDialogTemplates()
{
    return {};
}
