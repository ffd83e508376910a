// Templates of the panel division and girder type window.
#include "res/resources.h"

std::vector<DialogTemplate> PanelDialogTemplates()
{
    return {};
}
