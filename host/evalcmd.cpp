#include "evalcmd.h"

#include <cstdio>

int RunEvalCommand(int, char**) {
    std::fputs("Aufruf: orvelin eval [Optionen] FUNKTION\n", stderr);
    return 2;
}
