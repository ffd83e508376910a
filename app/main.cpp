#include "app/marivolten.h"

// Keeps the application object, which lives in a library, in the program.
CWinApp* volatile g_pTheApp = &theApp;

int main(int argc, char** argv)
{
    return AfxWinMain(argc, argv);
}
