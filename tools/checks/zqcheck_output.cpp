#include "zqcheck_output.h"

#include <stdio.h>
#include <string.h>

#include <windows.h>

static void Write(HANDLE to, const char* text)
{
    if (to == INVALID_HANDLE_VALUE || !to)
        return;
    DWORD written;
    for (const char* start = text; *start;) {
        const char* end = strchr(start, '\n');
        const DWORD length = end ? (DWORD)(end - start) : (DWORD)strlen(start);
        WriteFile(to, start, length, &written, NULL);
        if (!end)
            break;
        WriteFile(to, "\r\n", 2, &written, NULL);
        start = end + 1;
    }
}

void SayBlock(const char* text)
{
    Write(GetStdHandle(STD_OUTPUT_HANDLE), text);
}

void Say(const char* line)
{
    SayBlock(line);
    SayBlock("\n");
}

int Refuse(const char* line)
{
    Write(GetStdHandle(STD_ERROR_HANDLE), line);
    Write(GetStdHandle(STD_ERROR_HANDLE), "\n");
    return 2;
}

void SayError(const char* line)
{
    Refuse(line);
}

void SayRestoreStep(const char* line)
{
    char shown[4 * MAX_PATH + 16];
    sprintf(shown, "  not put back: %s", line);
    Say(shown);
}
