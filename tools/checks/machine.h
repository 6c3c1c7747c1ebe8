// What zqcheck knows of the machine it runs on: its version by the rows'
// names, whether Wine plays it, its family, its code page and name, and the
// places a run touches.
#ifndef ZQ_MACHINE_H
#define ZQ_MACHINE_H

#include <windows.h>

struct Machine {
    OSVERSIONINFOA version;
    const char* name; // Wine's name for it ("win98"), the rows' names
    const char* wine; // Wine's version when it runs under Wine, else null
    int nt; // the NT family: a service manager, administrators
    int nt4OrLater;
    int spoolerNoted; // its state is in the journal, so the rows may stop and start it
    unsigned codePage;
    char computer[MAX_COMPUTERNAME_LENGTH + 1];
    char windows[MAX_PATH], folder[MAX_PATH], log[MAX_PATH];
    char record[MAX_PATH]; // in the folder: the doubles' launches, and the running program's note
    char tools[2][MAX_PATH]; // zqdrvtl.exe in the NT x86 and the running system's driver directory
    int toolCount;
};

// Looks the machine over; changes nothing.
void LookAround(Machine* m);

// The files a run sets aside and puts back: the log, then the driver tool
// in each driver directory. Returns how many.
int TouchedFiles(const Machine* m, const char* files[3]);

// Whether this process's token holds the Administrators group, enabled.
int IsAdministrator(void);

#endif
