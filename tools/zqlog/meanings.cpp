#include "meanings.h"

#include <string.h>

#include <string>

static const LaunchMeaning kLaunches[LAUNCH_COUNT] = {
    { W_STAGE_FAX, "fax", true, W_NEGATIVE_EXIT_FAX, W_NEGATIVE_EXIT_ADVICE_FAX, W_TOO_LONG_FAX,
        W_TOO_LONG_ADVICE_FAX },
    { W_STAGE_PRINTER, "printer", true, W_NEGATIVE_EXIT_PRINTER, W_NEGATIVE_EXIT_ADVICE_PRINTER, W_TOO_LONG_PRINTER,
        W_TOO_LONG_ADVICE_PRINTER },
    { W_STAGE_DRIVER_TOOL_FAX, "driver_tool_fax", false, W_NEGATIVE_EXIT_DRIVER_TOOL_FAX,
        W_NEGATIVE_EXIT_ADVICE_DRIVER_TOOL_FAX, W_TOO_LONG_DRIVER_TOOL_FAX, W_TOO_LONG_ADVICE_DRIVER_TOOL_FAX },
    { W_STAGE_DRIVER_TOOL_PRINTER, "driver_tool_printer", false, W_NEGATIVE_EXIT_DRIVER_TOOL_PRINTER,
        W_NEGATIVE_EXIT_ADVICE_DRIVER_TOOL_PRINTER, W_TOO_LONG_DRIVER_TOOL_PRINTER,
        W_TOO_LONG_ADVICE_DRIVER_TOOL_PRINTER },
};

const LaunchMeaning& LaunchOf(int launch)
{
    return kLaunches[launch];
}

bool HasVariable(const std::string& dir)
{
    const size_t first = dir.find('%');
    return first != std::string::npos && dir.find('%', first + 2) != std::string::npos;
}
