#include "log_path.h"

#include <string.h>

int ComposeLogPath(char path[LOG_PATH_SIZE], unsigned reported, LeadByteTest isLead)
{
    if (reported == 0 || reported >= LOG_PATH_SIZE || strlen(path) != reported) {
        path[0] = 0;
        return 0;
    }
    char directory[LOG_PATH_SIZE];
    memcpy(directory, path, reported + 1);
    const char* parts[] = { directory, EndsWithBackslash(directory, isLead) ? "ZQsetup.log" : "\\ZQsetup.log" };
    return JoinText(path, LOG_PATH_SIZE, parts, 2);
}
