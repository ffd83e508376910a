// mvg_assemble: one program of the grillage chain; see solver/stages.h.
#include "solver/stages.h"

int main()
{
    return mvg::RunProgram("mvg_assemble", 2, 1, mvg::RunAssemble);
}
