// mvg_combine: one program of the grillage chain; see solver/stages.h.
#include "solver/stages.h"

int main()
{
    return mvg::RunProgram("mvg_combine", 3, 8, mvg::RunCombine);
}
