// The floor of the overhead benchmark: a Windows program that does nothing.
// Given a count N as its tail, it first starts itself N times, one after the
// other, so that one outside start stands for as many starts as a run makes.
#include <windows.h>
#include <stdlib.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR tail, int)
{
    int count = atoi(tail);
    char self[MAX_PATH];
    GetModuleFileNameA(NULL, self, sizeof self);
    for (int i = 0; i < count; ++i) {
        STARTUPINFOA startup;
        ZeroMemory(&startup, sizeof startup);
        startup.cb = sizeof startup;
        PROCESS_INFORMATION process;
        if (!CreateProcessA(self, NULL, NULL, NULL, FALSE, 0, NULL, NULL, &startup, &process))
            return 1;
        WaitForSingleObject(process.hProcess, INFINITE);
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
    }
    return 0;
}
