// Templates of the main girder data dialog and the joint position dialog.
#include "res/resources.h"

std::vector<DialogTemplate> MainGirderDialogTemplates()
{
    return {};
}
