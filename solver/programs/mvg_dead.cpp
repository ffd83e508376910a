// mvg_dead: one program of the grillage chain; see solver/stages.h.
#include "solver/stages.h"

int main()
{
    return mvg::RunProgram("mvg_dead", 4, 1, mvg::RunDead);
}
