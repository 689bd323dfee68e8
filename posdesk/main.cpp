#include "posstartup.h"

int main(int argc, char **argv)
{
    return RunPosDesk(argc, argv);
}
