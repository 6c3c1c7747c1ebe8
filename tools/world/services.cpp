#include "services.h"

namespace {

typedef BOOL(WINAPI* StartCall)(SC_HANDLE, DWORD, LPCSTR*);
typedef BOOL(WINAPI* ControlCall)(SC_HANDLE, DWORD, LPSERVICE_STATUS);
typedef BOOL(WINAPI* QueryConfigCall)(SC_HANDLE, LPQUERY_SERVICE_CONFIGA, DWORD, LPDWORD);
typedef BOOL(WINAPI* ChangeConfigCall)(
    SC_HANDLE, DWORD, DWORD, DWORD, LPCSTR, LPCSTR, LPDWORD, LPCSTR, LPCSTR, LPCSTR, LPCSTR);

// advapi32's own export of that name, or null where this system has none.
FARPROC Lookup(const char* name)
{
    HMODULE advapi32 = GetModuleHandleA("advapi32.dll");
    if (!advapi32)
        advapi32 = LoadLibraryA("advapi32.dll");
    return advapi32 ? GetProcAddress(advapi32, name) : NULL;
}

// The service, opened with access; null (and the last error set) when not.
SC_HANDLE OpenNamed(const char* name, DWORD managerAccess, DWORD access, SC_HANDLE* manager)
{
    *manager = OpenSCManagerA(NULL, NULL, managerAccess);
    if (!*manager)
        return NULL;
    SC_HANDLE service = OpenServiceA(*manager, name, access);
    if (!service) {
        const DWORD error = GetLastError();
        CloseServiceHandle(*manager);
        SetLastError(error);
    }
    return service;
}

void CloseBoth(SC_HANDLE service, SC_HANDLE manager)
{
    const DWORD error = GetLastError();
    CloseServiceHandle(service);
    CloseServiceHandle(manager);
    SetLastError(error);
}

} // namespace

int ServiceState(const char* name, int* running, DWORD* startType)
{
    const QueryConfigCall query = (QueryConfigCall)(void*)Lookup("QueryServiceConfigA");
    SC_HANDLE manager;
    SC_HANDLE service
        = query ? OpenNamed(name, SC_MANAGER_CONNECT, SERVICE_QUERY_STATUS | SERVICE_QUERY_CONFIG, &manager) : NULL;
    if (!service)
        return 0;
    SERVICE_STATUS status;
    static union {
        QUERY_SERVICE_CONFIGA config;
        char bytes[8192];
    } config;
    DWORD needed;
    const int known = QueryServiceStatus(service, &status) && query(service, &config.config, sizeof config, &needed);
    if (known) {
        *running = status.dwCurrentState == SERVICE_RUNNING;
        *startType = config.config.dwStartType;
    }
    CloseBoth(service, manager);
    return known;
}

int SetServiceRunning(const char* name, int running)
{
    const StartCall start = (StartCall)(void*)Lookup("StartServiceA");
    const ControlCall control = (ControlCall)(void*)Lookup("ControlService");
    SC_HANDLE manager;
    SC_HANDLE service = start && control
        ? OpenNamed(name, SC_MANAGER_CONNECT, SERVICE_START | SERVICE_STOP | SERVICE_QUERY_STATUS, &manager)
        : NULL;
    if (!service)
        return 0;
    SERVICE_STATUS status;
    if (running)
        start(service, 0, NULL);
    else
        control(service, SERVICE_CONTROL_STOP, &status);
    const DWORD error = GetLastError();
    const DWORD wanted = running ? SERVICE_RUNNING : SERVICE_STOPPED;
    int reached = 0;
    for (int i = 0; i < 200 && !reached; ++i) {
        reached = QueryServiceStatus(service, &status) && status.dwCurrentState == wanted;
        if (!reached)
            Sleep(50);
    }
    SetLastError(reached ? 0 : error);
    CloseBoth(service, manager);
    return reached;
}

int SetStartType(const char* name, DWORD startType)
{
    const ChangeConfigCall change = (ChangeConfigCall)(void*)Lookup("ChangeServiceConfigA");
    SC_HANDLE manager;
    SC_HANDLE service = change ? OpenNamed(name, SC_MANAGER_CONNECT, SERVICE_CHANGE_CONFIG, &manager) : NULL;
    if (!service)
        return 0;
    const int done
        = change(service, SERVICE_NO_CHANGE, startType, SERVICE_NO_CHANGE, NULL, NULL, NULL, NULL, NULL, NULL, NULL);
    CloseBoth(service, manager);
    return done;
}
