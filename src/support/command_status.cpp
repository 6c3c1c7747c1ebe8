#include "command_status.h"

CommandStatus StatusOfExitCode(uint32_t exitCode)
{
    return (CommandStatus)exitCode;
}

CommandStatus StatusOfStartError(uint32_t errorCode)
{
    if (errorCode == 0)
        return 0;
    return (CommandStatus)((errorCode & 0xFFFFu) | 0x80070000u);
}
