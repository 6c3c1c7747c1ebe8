// One scenario row run on a Windows machine: the world set up as the row
// says, zqrunadd.exe run in it, and what it left compared with the row's
// answer. The Wine scenario tests and zqcheck.exe both run rows through here.
#ifndef ZQ_ROW_RUN_H
#define ZQ_ROW_RUN_H

#include <windows.h>

#include "check_rows.h"
#include "world/machine.h"

// The machine the rows run on, and whose names fill their placeholders.
struct RowMachine {
    // The folder ({dir}, made before the rows run), the doubles' launch
    // record, the driver directories, read once with the spooler running.
    const Machine* system;
    const char* program; // zqrunadd.exe
    const char* key; // {root}: the runner's own key under HKEY_LOCAL_MACHINE\SOFTWARE
    // Wine's name of the version each row runs as, unless it names its own:
    // Wine emulates it for the program. Null runs the machine as it is.
    const char* emulate;
    int spooler; // the rows may stop and start the spooler (its state is put back after)
    int wineDlls; // Wine's DLL overrides may keep system DLLs from the program
    int realNt; // a row's other answer applies: NT itself, not Wine
};

enum { ROW_REPORT_SIZE = 400000, ROW_ERROR_SIZE = 512, ROW_MEASURED_SIZE = 512 };
// What a row run found.
struct RowReport {
    // What could not be set up ("RegSetValueExA ProgramDir: error 5"), empty
    // when the row was set up. Then the program did not run, or its run says
    // nothing about it: the row is an error, neither a pass nor a failure.
    char error[ROW_ERROR_SIZE];
    int checks;
    int failures;
    DWORD tookMs;
    unsigned long length;
    char text[ROW_REPORT_SIZE]; // each failure: what, then expected and actual where bytes differ
    // What a failed time check measured ("    measured: the run took 950 ms",
    // a line each): apart from text, which holds no time, so that two runs
    // compare equal on their result lines.
    char measured[ROW_MEASURED_SIZE];
};

// The system's text for an error code, as the program asks for it:
// FormatMessageA from the system, flags 0x1100, language 0x400.
long SystemText(unsigned long code, char* out, unsigned long size);

// Fills the placeholders' values for the row on this machine; 0 when the
// row's names cannot be made to its lengths here.
int RowPlaces(const CheckRow* row, const RowMachine* machine, CheckPlaces* places);

// Sets the world up as the row says, runs the program, compares, and puts
// back what the row alone changed (a tool taken away, a DLL kept away). A
// step of the set-up that fails ends the row with report->error set.
void RunCheckRow(const CheckRow* row, const RowMachine* machine, RowReport* report);

// Deletes the key at path under root with everything below it; tells
// whether it is gone. (RegDeleteTreeA came with Vista.)
int DeleteKeyTree(HKEY root, const char* path);

// Whether the key at path opens in the 32-bit view only, as a 32-bit setup
// package writes it on 64-bit Windows. 1 also where there is no 64-bit view.
int InThe32BitViewOnly(const char* path);

#endif
