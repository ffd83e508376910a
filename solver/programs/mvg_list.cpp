// mvg_list: one program of the grillage chain; see solver/stages.h.
#include "solver/stages.h"

int main()
{
    return mvg::RunProgram("mvg_list", 1, 1, mvg::RunList);
}
