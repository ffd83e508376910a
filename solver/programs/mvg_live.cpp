// mvg_live: one program of the grillage chain; see solver/stages.h.
#include "solver/stages.h"

int main()
{
    return mvg::RunProgram("mvg_live", 4, 1, mvg::RunLive);
}
