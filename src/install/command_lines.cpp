#include "command_lines.h"

#include "../support/text_rules.h"

int AddPrinterCommand(char out[ADD_PRINTER_LINE_SIZE], const char* directory, const char* keyPath)
{
    const char* parts[] = { "\"", directory, "\\zqntadd.exe\" ", keyPath };
    return JoinText(out, ADD_PRINTER_LINE_SIZE, parts, 4);
}

int DriverToolFile(char out[DRIVER_TOOL_LINE_SIZE], const char* directory)
{
    const char* parts[] = { directory, "\\zqdrvtl.exe" };
    return JoinText(out, DRIVER_TOOL_LINE_SIZE, parts, 2);
}

int DriverToolCommand(char out[DRIVER_TOOL_LINE_SIZE], const char* directory, const char* driverName)
{
    const char* parts[] = { directory, "\\zqdrvtl.exe /n:", driverName };
    return JoinText(out, DRIVER_TOOL_LINE_SIZE, parts, 3);
}
