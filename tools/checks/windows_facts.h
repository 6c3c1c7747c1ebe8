// What a result file says of the Windows it ran on, in words, from the
// machine's model (world/machine.h), exactly enough for a script to group
// results by version, edition and language: the version, build and service
// pack, the edition and product type (Server 2008 R2 is not Windows 7), the
// code page and the user interface language, and Wine's version under Wine.
#ifndef ZQ_WINDOWS_FACTS_H
#define ZQ_WINDOWS_FACTS_H

#include <windows.h>

struct Machine;

struct WindowsFacts {
    // The rows' name of the version, or a server's or Windows 11's own name
    // ("win2008r2"), which the rows do not tell from the workstation's.
    const char* name;
    unsigned long major, minor, build;
    char servicePack[128]; // the system's text, "none" when it has none
    const char* productType; // "workstation", "server" or "domain controller"
    char edition[64];
    unsigned codePage;
    unsigned uiLanguage; // a LANGID: the user interface's from 2000 on, the system's before
    const char* wine; // Wine's version, or null on a real machine
    // A short hash of the Windows drive's volume serial number: tells machines
    // apart in a pile of results without naming them.
    char machine[9];
};

void ReadWindowsFacts(WindowsFacts* facts, const Machine* m);

#endif
