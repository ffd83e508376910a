// Templates of the main member data dialog and its member sub-dialogs.
#include "res/resources.h"

std::vector<DialogTemplate> MemberDialogTemplates()
{
    return {};
}
