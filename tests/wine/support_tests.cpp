// The support services on the real API under Wine: the installer log, the
// command runner and the platform probes.
#include <stdio.h>

#include "support/command_runner.h"
#include "support/installer_log.h"
#include "support/platform_probes.h"
#include "check.h"

static const char kWork[] = "C:\\zqtest";

static void TestInstallerLog(void)
{
    const std::string log = LogFilePath();
    DeleteFileA(log.c_str());
    LogLine("first");
    LogLine("");
    LogLine(NULL);
    LogLine("ends in CR LF\r\n");
    const std::string expected = "first\r\n\r\nCRITICAL ERROR! Attempt to write NULL string to uninstaller log!\r\n"
                                 "ends in CR LF\r\n\r\n";
    CheckBytes(expected, ReadFileBytes(log), "log lines, an empty one, a null one, one ending in CR LF");

    LogLine("\xe9\x83\x5c high bytes");
    CheckBytes(expected + "\xe9\x83\x5c high bytes\r\n", ReadFileBytes(log), "an existing log keeps its lines");

    HANDLE held = CreateFileA(log.c_str(), GENERIC_READ, 0, NULL, OPEN_EXISTING, 0, NULL);
    Check(held != INVALID_HANDLE_VALUE, "the test holds the log open");
    LogLine("lost while held");
    CloseHandle(held);
    CheckBytes(expected + "\xe9\x83\x5c high bytes\r\n", ReadFileBytes(log), "a line written while held is lost");
}

struct RunCase {
    const char* what;
    std::string commandLine;
    const char* exitCode; // for the double, or null
    DWORD waitLimit;
    CommandStatus status;
    std::string log;
};

static void TestRunCommand(void)
{
    CreateDirectoryA(kWork, NULL);
    const std::string notProgram = std::string(kWork) + "\\notprog.exe";
    WriteFileBytes(notProgram, "This is a text file, not a program.\r\n");
    const std::string tool = OwnFolder() + "\\doubles\\zqntadd.exe";

    const RunCase cases[] = {
        { "a program that does not exist", std::string(kWork) + "\\missing.exe SOFTWARE\\X", NULL, INFINITE,
            (CommandStatus)0x80070002, "File not found.\r\n\r\n" },
        { "a file that is not a program (its text has an insert)", notProgram, NULL, INFINITE,
            (CommandStatus)0x800700C1, "Bad EXE format for %1.\r\n\r\n" },
        { "exit code 0", tool + " a b", "0", INFINITE, 0, "" },
        { "exit code 1 is a success", tool, "1", INFINITE, 1, "" },
        { "an access fault's exit code is a failure", tool, "3221225477", INFINITE, (CommandStatus)0xC0000005, "" },
        { "wait limit 0 gives 0 whatever the program does", tool, "3221225477", 0, 0, "" },
        { "a finite wait", tool, "7", 30000, 7, "" },
    };
    for (const RunCase& c : cases) {
        DeleteFileA(LogFilePath().c_str());
        SetEnvironmentVariableA("ZQTEST_EXIT_zqntadd", c.exitCode);
        std::string line = c.commandLine;
        CommandStatus status = RunCommand(&line[0], c.waitLimit);
        char shown[64];
        sprintf(shown, " (status 0x%08lX)", (unsigned long)status);
        Check(status == c.status, std::string(c.what) + shown);
        Check(line == c.commandLine, std::string(c.what) + ": command line left unchanged");
        if (c.waitLimit == 0)
            Sleep(500); // let the program that runs on end before the next case
        CheckBytes(c.log, ReadFileBytes(LogFilePath()), std::string(c.what) + ": log");
    }
    SetEnvironmentVariableA("ZQTEST_EXIT_zqntadd", NULL);

    struct Unknown {
        DWORD error;
        const char* line;
    };
    const Unknown unknown[] = {
        { 0x2000FFFF, "Warning! Unknown error code 536936447 reported while executing command: \r\nC:\\x.exe /a\r\n" },
        { 0xE0000001, "Warning! Unknown error code -536870911 reported while executing command: \r\nC:\\x.exe /a\r\n" },
    };
    for (const Unknown& u : unknown) {
        DeleteFileA(LogFilePath().c_str());
        LogCommandStartFailure(u.error, "C:\\x.exe /a");
        CheckBytes(u.line, ReadFileBytes(LogFilePath()), "an error code the system has no text for");
    }
}

static void TestIsNt4OrLater(void)
{
    struct Case {
        const char* version;
        DWORD nt4OrLater;
    };
    const Case cases[]
        = { { "win95", 0 }, { "win98", 0 }, { "nt351", 0 }, { "nt40", 1 }, { "win2k", 1 }, { "win10", 1 } };
    const std::string probe = OwnFolder() + "\\probe_report.exe";
    for (const Case& c : cases) {
        EmulateVersion("probe_report.exe", c.version);
        Check(
            RunAndWait(NULL, "\"" + probe + "\"", 30000) == c.nt4OrLater, std::string("IsNt4OrLater on ") + c.version);
    }
    EmulateVersion("probe_report.exe", NULL);
}

struct ServiceCase {
    const char* what;
    const char* name;
    int spoolerRunning; // -1: leave as it is
    DWORD timeout;
    int result;
    DWORD atLeastMs, belowMs;
};

static void TestWaitForService(void)
{
    const ServiceCase cases[] = {
        { "a running spooler answers at once", "Spooler", 1, 10000, 1, 0, 900 },
        { "a stopped spooler answers 1 once the timeout passed", "Spooler", 0, 1500, 1, 1500, 4000 },
        { "a missing service answers 0 after the timeout", "ZqNoSuchService", -1, 1500, 0, 1500, 4000 },
        { "timeout 0 still makes one attempt and one sleep", "ZqNoSuchService", -1, 0, 0, 900, 3000 },
    };
    for (const ServiceCase& c : cases) {
        if (c.spoolerRunning >= 0)
            Check(SetServiceRunning("Spooler", c.spoolerRunning == 1), std::string(c.what) + ": spooler state set");
        DWORD start = GetTickCount();
        int result = WaitForService(c.name, c.timeout);
        DWORD elapsed = GetTickCount() - start;
        char shown[64];
        sprintf(shown, " (result %d after %lu ms)", result, (unsigned long)elapsed);
        Check(result == c.result && elapsed >= c.atLeastMs && elapsed < c.belowMs, std::string(c.what) + shown);
    }
    SetServiceRunning("Spooler", true);
}

int main(void)
{
    TestInstallerLog();
    TestRunCommand();
    TestIsNt4OrLater();
    TestWaitForService();
    return Finish();
}
