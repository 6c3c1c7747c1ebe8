// Stands in for one of the setup package's tools in the Wine tests. It
// appends one line to the file named by ZQTEST_RECORD:
//   <tick>|<tool>|<show>|<its whole command line>
// where tick is GetTickCount() as it started, so that a reader can tell how
// far apart the launches were,
// and show is "hidden" when it was started with SW_HIDE (as the shell start
// is) and "-" when no show state was passed (as a plain CreateProcess is).
// Then it exits with the code in ZQTEST_EXIT_<TOOL> (decimal; default 0).
#include <windows.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#ifndef TOOL_NAME
#error TOOL_NAME must name the tool this double stands in for
#endif

static void Record(const char* line)
{
    char path[MAX_PATH];
    if (!GetEnvironmentVariableA("ZQTEST_RECORD", path, sizeof path))
        return;
    // Two doubles may start close together: wait for the other's append.
    for (int attempt = 0; attempt < 200; ++attempt) {
        HANDLE file = CreateFileA(path, FILE_APPEND_DATA, 0, NULL, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
        if (file != INVALID_HANDLE_VALUE) {
            DWORD written;
            WriteFile(file, line, (DWORD)strlen(line), &written, NULL);
            CloseHandle(file);
            return;
        }
        Sleep(25);
    }
}

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    const DWORD started = GetTickCount();
    STARTUPINFOA startup;
    ZeroMemory(&startup, sizeof startup);
    startup.cb = sizeof startup;
    GetStartupInfoA(&startup);
    char show[16];
    if (!(startup.dwFlags & STARTF_USESHOWWINDOW))
        strcpy(show, "-");
    else if (startup.wShowWindow == SW_HIDE)
        strcpy(show, "hidden");
    else
        sprintf(show, "%u", startup.wShowWindow);

    static char line[40000];
    _snprintf(line, sizeof line - 1, "%lu|%s|%s|%s\n", (unsigned long)started, TOOL_NAME, show, GetCommandLineA());
    Record(line);

    char variable[64], code[32];
    sprintf(variable, "ZQTEST_EXIT_%s", TOOL_NAME);
    if (GetEnvironmentVariableA(variable, code, sizeof code))
        return (int)strtoul(code, NULL, 10);
    return 0;
}
