// Where the shell would find a bare "zqdrvtl.exe" for the program, started
// in the pack's folder: that folder, the search path, App Paths. A row that
// has the program start it by the shell does not run where one is found.
#ifndef ZQ_SHELL_LOOKUP_H
#define ZQ_SHELL_LOOKUP_H

#include <windows.h>

#include "world/machine.h"

// The path found, empty when nowhere.
void ShellFinds(const Machine* m, char out[MAX_PATH]);

#endif
