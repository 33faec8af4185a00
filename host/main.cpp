// The program `orvelin`: subcommands for scripting and testing, else the module windows.
#include "evalcmd.h"

#include <cstdio>
#include <cstring>

int main(int argc, char** argv) {
    if (argc >= 2 && std::strcmp(argv[1], "eval") == 0) return RunEvalCommand(argc - 1, argv + 1);
    std::fputs("Aufruf: orvelin eval [Optionen] FUNKTION\n", stderr);
    return 2;
}
