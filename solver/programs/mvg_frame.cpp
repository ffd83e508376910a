// mvg_frame: one program of the grillage chain; see solver/stages.h.
#include "solver/stages.h"

int main()
{
    return mvg::RunProgram("mvg_frame", 1, 1, mvg::RunFrame);
}
