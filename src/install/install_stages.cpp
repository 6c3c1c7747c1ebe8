#include <windows.h>
#include <shellapi.h>
#include <winspool.h>

#include "../support/code_page.h"
#include "../support/command_runner.h"
#include "../support/installer_log.h"
#include "../support/log_texts.h"
#include "../support/platform_probes.h"
#include "command_lines.h"
#include "fax_decision.h"
#include "registry_text.h"
#include "run_ntadd.h"

enum {
    SPOOLER_TIMEOUT_MS = 10000,
    IDLE_TIMEOUT_MS = 60000,
    DRIVER_TOOL_PAUSE_MS = 1000,
    DRIVER_DIR_LIMIT = 255, // what the driver-directory query may write
    FAX_FLAG_SIZE = 260,
};

// What the log says around one launch.
struct LaunchLines {
    const char* announce; // ends in " -->"; the command line follows it
    const char* failure; // after a negative status
};

static const struct LaunchLines kFaxLaunch = { LOG_FAX_ANNOUNCE, LOG_FAX_FAILED };
static const struct LaunchLines kPrinterLaunch = { LOG_PRINTER_ANNOUNCE, LOG_PRINTER_FAILED };
static const struct LaunchLines kFaxDriverTool = { LOG_FAX_TOOL_ANNOUNCE, LOG_FAX_TOOL_FAILED };
static const struct LaunchLines kPrinterDriverTool = { LOG_PRINTER_TOOL_ANNOUNCE, LOG_PRINTER_TOOL_FAILED };

// Announces and runs a command line that was built (built is 1), or, when it
// did not fit its buffer, says so and counts the launch as failed.
static void Launch(const struct LaunchLines* lines, char* commandLine, int built, DWORD waitLimit)
{
    if (!built) {
        LogLine(LOG_COMMAND_TOO_LONG);
        LogLine(lines->failure);
        return;
    }
    LogLine(lines->announce);
    LogLine(commandLine);
    if (RunCommand(commandLine, waitLimit) < 0)
        LogLine(lines->failure);
}

// The printer driver directory of environment (null: the running system's).
// Returns the query's own result; directory is empty unless it filled it.
static BOOL QueryDriverDirectory(const char* environment, char directory[DRIVER_DIR_LIMIT + 1])
{
    DWORD needed = 0;
    directory[0] = 0;
    BOOL ok = GetPrinterDriverDirectoryA(NULL, (LPSTR)environment, 1, (LPBYTE)directory, DRIVER_DIR_LIMIT, &needed);
    directory[DRIVER_DIR_LIMIT] = 0;
    return ok;
}

typedef BOOL(WINAPI* ShellExecuteExCall)(SHELLEXECUTEINFOA*);

// Starts the driver-directory tool of the NT x86 drivers through the shell,
// hidden and without arguments, and gives it a while to become idle. Nothing
// about it is logged, and a start that fails is no more than that.
static void StartDriverToolThroughShell(void)
{
    char directory[DRIVER_DIR_LIMIT + 1];
    char file[DRIVER_TOOL_LINE_SIZE];
    if (!QueryDriverDirectory("Windows NT x86", directory) || !DriverToolFile(file, directory))
        CopyText(file, sizeof file, "zqdrvtl.exe");

    // Looked up here rather than imported: an import that NT 3.51 lacks would
    // stop its loader before the run begins, and the older roads never load
    // the shell at all. shell32 stays loaded until the process ends, since the
    // shell may still be busy with the start it made.
    HMODULE shell32 = LoadLibraryA("shell32.dll");
    FARPROC found = shell32 ? GetProcAddress(shell32, "ShellExecuteExA") : NULL;
    if (!found)
        return;
    ShellExecuteExCall shellExecuteEx = (ShellExecuteExCall)(void*)found;

    SHELLEXECUTEINFOA shell;
    ZeroMemory(&shell, sizeof shell);
    shell.cbSize = sizeof shell;
    // No error box: the run is unattended, and a box would hold it until
    // someone clicked it away.
    shell.fMask = SEE_MASK_NOCLOSEPROCESS | SEE_MASK_FLAG_NO_UI;
    shell.lpVerb = "open";
    shell.lpFile = file;
    shell.nShow = SW_HIDE;
    if (shellExecuteEx(&shell) && shell.hProcess) {
        WaitForInputIdle(shell.hProcess, IDLE_TIMEOUT_MS);
        CloseHandle(shell.hProcess);
    }
}

static void RunAddPrinter(const struct LaunchLines* lines, const char* programDir, const char* keyPath)
{
    char commandLine[ADD_PRINTER_LINE_SIZE];
    int built = AddPrinterCommand(commandLine, programDir, keyPath);
    Launch(lines, commandLine, built, INFINITE);
}

static void StartDriverTool(const struct LaunchLines* lines, const char* directory, const char* driverName)
{
    char commandLine[DRIVER_TOOL_LINE_SIZE];
    int built = DriverToolCommand(commandLine, directory, driverName);
    Launch(lines, commandLine, built, 0);
}

static void WaitForSpooler(void)
{
    if (!IsNt4OrLater())
        return;
    if (WaitForService("Spooler", SPOOLER_TIMEOUT_MS))
        LogLine(LOG_SPOOLER_RUNNING);
    else
        LogLine(LOG_SPOOLER_NOT_RUNNING);
}

static void InstallFax(struct RunValues* values)
{
    char flag[FAX_FLAG_SIZE];
    int flagRead;
    ReadRunValue(values->faxKeyPath, "No Fax Function", flag, FAX_FLAG_SIZE, &flagRead, LOG_NO_FAX_FLAG);
    values->installFax = flagRead ? InstallFaxFor(flag) : 1;

    if (IsNt4OrLater())
        StartDriverToolThroughShell();

    if (!values->installFax)
        return;
    RunAddPrinter(&kFaxLaunch, values->programDir, values->faxKeyPath);
    ReadRunValue(values->faxKeyPath, "Driver Name", values->faxDriverName, DRIVER_NAME_SIZE, &values->faxDriverNameRead,
        LOG_NO_FAX_NAME);
}

static void StartDriverToolPerDriver(const struct RunValues* values)
{
    char directory[DRIVER_DIR_LIMIT + 1];
    QueryDriverDirectory(NULL, directory);
    if (directory[0] == 0)
        return;
    StartDriverTool(&kFaxDriverTool, directory, values->faxDriverName);
    Sleep(DRIVER_TOOL_PAUSE_MS);
    StartDriverTool(&kPrinterDriverTool, directory, values->printerDriverName);
}

void RunInstallStages(struct RunValues* values)
{
    WaitForSpooler();
    if (FaxKeyPath(values->keyPath, values->faxKeyPath, IsSystemLeadByte))
        InstallFax(values);
    RunAddPrinter(&kPrinterLaunch, values->programDir, values->keyPath);
    StartDriverToolPerDriver(values);
}
