#include "command_lines.h"

#include "../support/log_texts.h"
#include "../support/text_rules.h"

int AddPrinterCommand(char out[ADD_PRINTER_LINE_SIZE], const char* directory, const char* keyPath)
{
    const char* parts[] = { "\"", directory, LOG_ADD_PRINTER_TOOL, keyPath };
    return JoinText(out, ADD_PRINTER_LINE_SIZE, parts, 4);
}

int DriverToolFile(char out[DRIVER_TOOL_LINE_SIZE], const char* directory)
{
    const char* parts[] = { directory, LOG_DRIVER_TOOL };
    return JoinText(out, DRIVER_TOOL_LINE_SIZE, parts, 2);
}

int DriverToolCommand(char out[DRIVER_TOOL_LINE_SIZE], const char* directory, const char* driverName)
{
    const char* parts[] = { directory, LOG_DRIVER_TOOL LOG_DRIVER_TOOL_NAME, driverName };
    return JoinText(out, DRIVER_TOOL_LINE_SIZE, parts, 3);
}
