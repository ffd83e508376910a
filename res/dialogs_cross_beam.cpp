// Templates of the cross-beam arrangement window.
#include "res/resources.h"

std::vector<DialogTemplate> CrossBeamDialogTemplates()
{
    return {};
}
