#include "kill_hook.h"

#ifdef ZQ_KILL_HOOK
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include <windows.h>

void ChangeMade(const char* what)
{
    static long made;
    char text[16], line[128];
    ++made;
    // The changes, numbered, for the tests to choose where to kill.
    if (GetEnvironmentVariableA("ZQCHECK_CHANGES", text, sizeof text)) {
        DWORD written;
        sprintf(line, "change %ld %.100s\r\n", made, what);
        WriteFile(GetStdHandle(STD_ERROR_HANDLE), line, (DWORD)strlen(line), &written, NULL);
    }
    if (GetEnvironmentVariableA("ZQCHECK_KILL_AFTER", text, sizeof text) && made == (long)strtoul(text, NULL, 10))
        TerminateProcess(GetCurrentProcess(), 9);
}

void RestoreStepMade(void)
{
    static long made;
    char text[16];
    if (GetEnvironmentVariableA("ZQCHECK_KILL_RESTORE_AFTER", text, sizeof text)
        && ++made == (long)strtoul(text, NULL, 10))
        TerminateProcess(GetCurrentProcess(), 9);
}

#endif
