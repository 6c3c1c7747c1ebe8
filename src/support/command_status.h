// The status rule of the command runner: one signed number per command,
// negative for failure.
#ifndef ZQ_COMMAND_STATUS_H
#define ZQ_COMMAND_STATUS_H

#include <stdint.h>

typedef int32_t CommandStatus;

// A program that ran and was waited for: its exit code taken as signed, so an
// exit code with the top bit set (an access fault, 0xC0000005) is a failure.
CommandStatus StatusOfExitCode(uint32_t exitCode);

// A program that did not start: 0 for error code 0, else the code in the
// HRESULT_FROM_WIN32 form (0x80070000 | low 16 bits), which is negative.
CommandStatus StatusOfStartError(uint32_t errorCode);

#endif
