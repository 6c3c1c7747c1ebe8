#include "zqcheck_stop.h"

#include "world/world.h"

volatile LONG g_stop, g_hurry;
static HANDLE g_restored; // set once the restore is over

static BOOL WINAPI OnStop(DWORD event)
{
    g_stop = 1;
    g_runStop = 1;
    if (event == CTRL_C_EVENT || event == CTRL_BREAK_EVENT)
        return TRUE;
    g_hurry = 1;
    if (g_restored)
        WaitForSingleObject(g_restored, 4000);
    return TRUE;
}

void CatchStops(int waitForRestore)
{
    if (waitForRestore)
        g_restored = CreateEventA(NULL, TRUE, FALSE, NULL);
    SetConsoleCtrlHandler(OnStop, TRUE);
}

void RestoreOver(void)
{
    if (g_restored)
        SetEvent(g_restored);
}
