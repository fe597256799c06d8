#include <cstdio>

#include "Commands.h"

int RunTemplateCommand(int, char**)
{
    std::fputs("orvanta-cli: template is not built yet\n", stderr);
    return 1;
}
