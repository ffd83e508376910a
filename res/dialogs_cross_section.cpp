// Templates of the cross-section dimensions window.
#include "res/resources.h"

std::vector<DialogTemplate> CrossSectionDialogTemplates()
{
    return {};
}
