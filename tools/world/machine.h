// The one model of the machine that the pack, the Wine tests and the demo
// share: its Windows version and family, its driver directories (read once,
// while the spooler runs), the spooler's state, and the places a run
// touches. The doubles are placed and taken back by world.h's PlaceDouble
// and TakeDoubleAway, into the directories read here.
#ifndef ZQ_MACHINE_H
#define ZQ_MACHINE_H

#include <windows.h>

struct Machine {
    OSVERSIONINFOA version;
    const char* name; // Wine's name for it ("win98"), the rows' names
    const char* wine; // Wine's version when it runs under Wine, else null
    int nt; // the NT family: a service manager, administrators
    int nt4OrLater;
    // What the systems that know it say; 0 where it is not known: the
    // service pack's number and the product type (VER_NT_WORKSTATION,
    // VER_NT_SERVER...) from NT 4.0 SP6, the edition (GetProductInfo's) from
    // Vista, the user interface's language from 2000 (before: the user's
    // default language).
    WORD servicePack, suite;
    BYTE productType;
    DWORD edition;
    LANGID uiLanguage;
    unsigned codePage;
    char windows[MAX_PATH], log[MAX_PATH];
    char folder[MAX_PATH]; // the run's own folder, made and removed by it
    char record[MAX_PATH]; // in the folder: the doubles' launches, and the running program's note
    char pack[MAX_PATH]; // the folder of the running program (the pack's, or the tests')
    // The spooler, where there is a service manager: whether its state was
    // read, whether it runs, and its start type.
    int spoolerKnown, spoolerRunning;
    DWORD spoolerStart;
    // The printer driver directories, empty until read: NT x86's, the running
    // system's, and 9x's ("Windows 4.0"), which an emulated 9x asks for.
    char ntDrivers[MAX_PATH], drivers[MAX_PATH], oldDrivers[MAX_PATH];
    char tools[2][MAX_PATH]; // zqdrvtl.exe in the NT x86 and the running system's driver directory
    int toolCount;
};

// Looks the system over: its version, family, code page and places, with
// the run's folder at folderName on the Windows directory's drive. Reads no
// driver directory and changes nothing.
void LookAtSystem(Machine* m, const char* folderName);

// Reads the spooler's state; 0 when there is no service manager or it does
// not say.
int ReadSpooler(Machine* m);

// Reads the driver directories (on NT they answer only while the spooler
// runs) and where zqdrvtl.exe goes in each. Returns 1 when the running
// system's is known, and on NT also NT x86's.
int ReadDriverDirectories(Machine* m);

// The files a run sets aside and puts back: the log, then the driver tool
// in each driver directory. Returns how many.
int TouchedFiles(const Machine* m, const char* files[3]);

// Whether this process's token holds the Administrators group, enabled.
int IsAdministrator(void);

#endif
