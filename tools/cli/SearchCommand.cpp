#include <cstdio>

#include "Commands.h"

int RunSearchCommand(int, char**)
{
    std::fputs("orvanta-cli: search is not built yet\n", stderr);
    return 1;
}
