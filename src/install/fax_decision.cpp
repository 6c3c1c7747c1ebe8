#include "fax_decision.h"

#include <string.h>
#ifndef _WIN32
#include <strings.h>
#define _stricmp strcasecmp
#endif

int InstallFaxFor(const char* noFaxFunction)
{
    return _stricmp(noFaxFunction, "TRUE") == 0 ? 0 : 1;
}
