// GetTickCount() as a process was created: the doubles date their starts by
// it, and the runner checks by it that a process id still names the process
// that recorded it. GetProcessTimes is looked up, since 9x has none to give.
#ifndef ZQ_CREATION_TICK_H
#define ZQ_CREATION_TICK_H

#include <windows.h>

// Tells whether the time is known; *tick is set only then.
static inline int CreationTick(HANDLE process, DWORD* tick)
{
    typedef BOOL(WINAPI * Times)(HANDLE, FILETIME*, FILETIME*, FILETIME*, FILETIME*);
    const Times times = (Times)(void*)GetProcAddress(GetModuleHandleA("kernel32.dll"), "GetProcessTimes");
    FILETIME created, exited, kernel, user, now;
    if (!times || !times(process, &created, &exited, &kernel, &user))
        return 0;
    const DWORD nowTick = GetTickCount();
    GetSystemTimeAsFileTime(&now);
    ULARGE_INTEGER a, b;
    a.LowPart = created.dwLowDateTime;
    a.HighPart = created.dwHighDateTime;
    b.LowPart = now.dwLowDateTime;
    b.HighPart = now.dwHighDateTime;
    *tick = b.QuadPart > a.QuadPart ? nowTick - (DWORD)((b.QuadPart - a.QuadPart) / 10000) : nowTick;
    return 1;
}

#endif
