// Starts one external program and reports one signed status.
#ifndef ZQ_COMMAND_RUNNER_H
#define ZQ_COMMAND_RUNNER_H

#include <windows.h>

#include "command_status.h"

// Starts commandLine as it stands (its first token names the program) and
// waits up to waitLimit ms: 0 does not wait (status 0), INFINITE waits for
// the end. A waited program gives its exit code as the status. A start that
// fails is written to the installer log (the system's text for the error, or
// a warning line and the command line) and gives a negative status.
CommandStatus RunCommand(char* commandLine, DWORD waitLimit);

// Writes why commandLine did not start: the system's text for error, or,
// when the system has none, a warning line with the code and the command line.
void LogCommandStartFailure(DWORD error, const char* commandLine);

#endif
