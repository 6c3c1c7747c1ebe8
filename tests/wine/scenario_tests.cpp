// Runs zqrunadd.exe under Wine once per scenario row (tools/checks): the
// row's world set up, with Wine emulating the row's Windows version, the
// program run with an exact command line, and the log's bytes and the
// launches the tool doubles recorded compared with the row's answer.
//   scenario_tests [--code-page 932]   only the rows for that code page
//   scenario_tests --core [--exe PATH]  only the core rows (typical road, fax
//       off), in a 64-bit prefix or with another copy of the program
//   --part K/N  of the rows chosen, only every N-th from the K-th: the table
//       in N tests that run side by side
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include <windows.h>

#include "check.h"
#include "row_run.h"
#include "world/machine.h"

static const char kFolderName[] = "zqtest";
static const char kKey[] = "SOFTWARE\\ZqTest";

int main(int argc, char** argv)
{
    unsigned codePage = 0;
    bool coreOnly = false;
    unsigned part = 1, parts = 1;
    std::string program = OwnFolder() + "\\zqrunadd.exe";
    for (int i = 1; i < argc; ++i) {
        if (strcmp(argv[i], "--code-page") == 0 && i + 1 < argc)
            codePage = (unsigned)atoi(argv[++i]);
        else if (strcmp(argv[i], "--core") == 0)
            coreOnly = true;
        else if (strcmp(argv[i], "--exe") == 0 && i + 1 < argc)
            program = argv[++i];
        else if (strcmp(argv[i], "--part") == 0 && i + 1 < argc && sscanf(argv[++i], "%u/%u", &part, &parts) == 2
            && part >= 1 && part <= parts)
            continue;
        else
            return Check(false, std::string("known option: ") + argv[i]), Finish();
    }
    if (!Check(GetACP() == (codePage ? codePage : 1252), "the system code page is the one the rows are written for"))
        return Finish();
    static Machine system;
    LookAtSystem(&system, kFolderName);
    CreateDirectoryA(system.folder, NULL);
    if (!Check(PlaceDoubles(NULL), "the driver-directory tool doubles are in place")
        || !Check(ReadDriverDirectories(&system) && system.oldDrivers[0], "the driver directories are read"))
        return Finish();

    RowMachine machine = {};
    machine.system = &system;
    machine.program = program.c_str();
    machine.key = kKey;
    machine.emulate = "win10";
    machine.spooler = 1;
    machine.wineDlls = 1;
    // The rows' own rule, with Wine emulating each row's version.
    CheckMachine rule = {};
    rule.name = machine.emulate;
    rule.emulated = 1;
    rule.wineDlls = 1;
    rule.spoolerNoted = 1;
    rule.codePage = GetACP();
    static RowReport report;
    int ran = 0;
    unsigned chosen = 0;
    for (unsigned i = 0; i < kCheckRowCount; ++i) {
        const CheckRow& row = kCheckRows[i];
        char why[256];
        // Under code page 932 only the rows written for it, and under 1252
        // only the others: each row runs in the code page it is written for.
        const unsigned rowPage = row.codePage == 932 ? 932 : 0;
        if (rowPage != codePage || (coreOnly && !row.core) || chosen++ % parts != part - 1)
            continue;
        if (!Check(RowRunsOn(&row, &rule, why, sizeof why), std::string(row.name) + ": runs under Wine: " + why))
            continue;
        RunCheckRow(&row, &machine, &report);
        Check(!report.error[0], std::string(row.name) + ": set up: " + report.error);
        Check(report.failures == 0, std::string(row.name) + "\n" + report.text + report.measured);
        printf("row %-90.90s %5lu ms\n", row.name, (unsigned long)report.tookMs);
        fflush(stdout);
        ++ran;
    }
    DeleteKeyTree(HKEY_LOCAL_MACHINE, kKey);
    EmulateVersion("zqrunadd.exe", NULL);
    SetServiceRunning("Spooler", true);
    Check(ran > 0, "some rows ran");
    return Finish();
}
