// The end-to-end scenarios: each row is the world before a run of
// zqrunadd.exe and what the run must leave behind.
#ifndef ZQ_SCENARIO_TABLE_H
#define ZQ_SCENARIO_TABLE_H

#include <windows.h>

#include <string>
#include <vector>

// The test's installation of the setup package.
#define TEST_ROOT "SOFTWARE\\ZqTest"
#define PRINTER_KEY TEST_ROOT "\\Install\\Printer"
#define FAX_KEY TEST_ROOT "\\Install\\Fax"
#define PROGRAM_DIR "C:\\zqtest\\prog"
#define NT_DRIVER_DIR "C:\\windows\\system32\\spool\\drivers\\w32x86"
#define WIN9X_DRIVER_DIR "C:\\windows\\system32\\spool\\drivers\\win40"

struct RegValue {
    std::string key; // under HKEY_LOCAL_MACHINE
    std::string name;
    DWORD type;
    std::string data; // the exact bytes stored
};

struct Scenario {
    std::string name;
    std::string tail; // the command tail after the quoted program path
    std::string commandLine; // when not empty: the whole command line, exactly
    std::vector<RegValue> registry;
    const char* version = "win10";
    bool spoolerRunning = true;
    unsigned codePage = 0; // 932: run only under code page 932
    bool addPrinterToolMissing = false;
    bool driverToolMissing = false; // from the NT x86 driver directory, the running system's too
    bool shellMissing = false; // shell32.dll cannot be loaded
    bool printProviderMissing = false; // localspl.dll cannot be loaded: every driver-directory query fails
    DWORD shellToolBusyMs = 0; // the tool started through the shell stays busy this long; the next launch waits
    DWORD atLeastMs = 0; // the run takes at least this long (a wait that must not end early)
    bool core = false; // also run in a 64-bit prefix and with a signed copy of the program
    std::string alsoToolDir; // another folder that gets the add-printer tool double
    const char* addPrinterExit = nullptr; // exit codes of the doubles (decimal)
    const char* driverToolExit = nullptr;
    std::string logBefore; // the log's bytes before the run
    bool logIsFolder = false; // a folder stands where the log would be
    bool logHeld = false; // another process holds the log open during the run
    bool logRead = false; // a viewer keeps the log open for reading, sharing read and write, during the run
    bool logPeer = false; // the printer stage's add-printer tool leaves the log to a writer of its own
    std::string log; // the log's bytes after the run
    std::vector<std::string> launches; // as the doubles recorded them, in order
};

std::vector<Scenario> AllScenarios(void);

#endif
