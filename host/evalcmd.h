// `orvelin eval`: compiles and evaluates one function text without a window.
#pragma once

// argv[0] is "eval"; returns the exit status (0 result, 1 parser error, 2 wrong usage).
int RunEvalCommand(int argc, char** argv);
