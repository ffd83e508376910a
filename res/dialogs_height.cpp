// Templates of the girder height change window and its definition point dialog.
#include "res/resources.h"

std::vector<DialogTemplate> HeightDialogTemplates()
{
    return {};
}
