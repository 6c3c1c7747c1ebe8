#include "log_path.h"

#include <string.h>

int ComposeLogPath(char path[LOG_PATH_SIZE], unsigned reported, LeadByteTest isLead)
{
    // reported is the length of what the query wrote, so path[reported] ends it.
    if (reported == 0 || reported >= LOG_PATH_SIZE || path[reported] != 0) {
        path[0] = 0;
        return 0;
    }
    char directory[LOG_PATH_SIZE];
    memcpy(directory, path, reported + 1);
    const char* parts[] = { directory, EndsWithBackslash(directory, isLead) ? "ZQsetup.log" : "\\ZQsetup.log" };
    return JoinText(path, LOG_PATH_SIZE, parts, 2);
}
