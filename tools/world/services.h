// The spooler's service, through NT's service manager. The calls that the
// first Windows 95 may not export (StartServiceA, ControlService,
// QueryServiceConfigA, ChangeServiceConfigA) are looked up at run time, so
// that a missing one costs a row, never the whole image's load.
#ifndef ZQ_SERVICES_H
#define ZQ_SERVICES_H

#include <windows.h>

// A service's state (running or not) and start type; 0 when unknown.
int ServiceState(const char* name, int* running, DWORD* startType);
// Starts or stops a service and waits until it is in that state.
int SetServiceRunning(const char* name, int running);
// Sets a service's start type; tells whether it did.
int SetStartType(const char* name, DWORD startType);

#endif
