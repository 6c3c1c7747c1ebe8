#include "platform_probes.h"

#include "wait_deadline.h"

enum { POLL_MS = 1000 };

// Its size field doubles as the mark that it was fetched.
static OSVERSIONINFOA g_osVersionCache;

int IsNt4OrLater(void)
{
    if (g_osVersionCache.dwOSVersionInfoSize == 0) {
        g_osVersionCache.dwOSVersionInfoSize = sizeof g_osVersionCache;
        GetVersionExA(&g_osVersionCache); // a failure is not retried: the zeros say "not NT"
    }
    return g_osVersionCache.dwPlatformId == VER_PLATFORM_WIN32_NT && g_osVersionCache.dwMajorVersion >= 4;
}

// Sleeps one poll period, then tells whether the wait may go on.
static int PollAgain(DWORD start, DWORD timeout)
{
    Sleep(POLL_MS);
    return !DeadlinePassed(start, timeout, GetTickCount());
}

int WaitForService(const char* name, DWORD timeout)
{
    DWORD start = GetTickCount();

    SC_HANDLE manager;
    while ((manager = OpenSCManagerA(NULL, NULL, SC_MANAGER_CONNECT)) == NULL) {
        if (!PollAgain(start, timeout))
            return 0;
    }

    SC_HANDLE service;
    while ((service = OpenServiceA(manager, name, SERVICE_QUERY_STATUS)) == NULL) {
        if (!PollAgain(start, timeout)) {
            CloseServiceHandle(manager);
            return 0;
        }
    }

    SERVICE_STATUS status;
    status.dwCurrentState = 0;
    for (;;) {
        QueryServiceStatus(service, &status); // a failed query keeps the last state
        if (status.dwCurrentState == SERVICE_RUNNING || !PollAgain(start, timeout))
            break;
    }
    CloseServiceHandle(service);
    CloseServiceHandle(manager);
    return 1;
}
