#include "command_tail.h"

const char* CommandTailOf(const char* line)
{
    if (!line)
        return 0;
    const unsigned char* p = (const unsigned char*)line;
    if (*p == '"') {
        ++p;
        while (*p && *p != '"')
            ++p;
        if (*p == '"')
            ++p;
    } else {
        while (*p > ' ')
            ++p;
    }
    while (*p && *p <= ' ')
        ++p;
    return (const char*)p;
}
