#include "shopstartup.h"

int main(int argc, char **argv)
{
    return RunShopMain(argc, argv);
}
