// Templates of the dead load and the steel weight, haunch and attached load dialogs.
#include "res/resources.h"

std::vector<DialogTemplate> LoadDialogTemplates()
{
    return {};
}
