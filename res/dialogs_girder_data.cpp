// Templates of the plate girder and box girder data dialogs and the rib panel division.
#include "res/resources.h"

std::vector<DialogTemplate> GirderDataDialogTemplates()
{
    return {};
}
