// Runs zqrunadd.exe under Wine once per scenario row: sets up the registry,
// the Windows version, the spooler, the tools and the log, runs the program
// with an exact command line, and compares the log's bytes and the launches
// the tool doubles recorded.
//   scenario_tests [--code-page 932]   only the rows for that code page
//   scenario_tests --core [--exe PATH]  only the core rows (typical road, fax
//       off), in a 64-bit prefix or with another copy of the program
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include <windows.h>

#include "check.h"
#include "scenario_table.h"

static const char kRecord[] = "C:\\zqtest\\launches.txt";

static bool PlaceTools(void)
{
    CreateDirectoryA("C:\\zqtest", NULL);
    return Check(PlaceDoubles(PROGRAM_DIR), "the tool doubles are in place")
        && Check(DriverDirectory("Windows NT x86") == NT_DRIVER_DIR, "NT driver directory is " NT_DRIVER_DIR)
        && Check(DriverDirectory("Windows 4.0") == WIN9X_DRIVER_DIR, "9x driver directory is " WIN9X_DRIVER_DIR);
}

static void SetRegistry(const std::vector<RegValue>& values)
{
    RegDeleteTreeA(HKEY_LOCAL_MACHINE, TEST_ROOT);
    for (const RegValue& value : values) {
        HKEY key;
        if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, value.key.c_str(), 0, NULL, 0, KEY_ALL_ACCESS, NULL, &key, NULL) == 0) {
            RegSetValueExA(
                key, value.name.c_str(), 0, value.type, (const BYTE*)value.data.data(), (DWORD)value.data.size());
            RegCloseKey(key);
        } else {
            Check(false, "registry key created: " + value.key);
        }
    }
}

// Checks that later started at least atLeastMs after earlier. The doubles
// take their ticks from their processes' creation, so a wait of the program
// between two starts bounds the gap from below; a few ms go to rounding.
static void CheckGap(const Launch& earlier, const Launch& later, DWORD atLeastMs, const std::string& what)
{
    const long gap = (long)(later.tick - earlier.tick); // negative when later started first
    char shown[64];
    sprintf(shown, ", not %ld ms", gap);
    Check(gap >= (long)atLeastMs - 10, what + shown);
}

static bool IsDriverTool(const Launch& launch, const char* show)
{
    return strcmp(launch.tool, "zqdrvtl") == 0 && strcmp(launch.show, show) == 0;
}

static void CheckLaunchGaps(const Scenario& row, const Launch* launches, int n)
{
    // Launches 4 and 5, the last two starts of the driver-directory tool, are
    // 1000 ms apart.
    if (n >= 2 && IsDriverTool(launches[n - 2], "-") && IsDriverTool(launches[n - 1], "-"))
        CheckGap(launches[n - 2], launches[n - 1], 1000, row.name + ": launch 5 at least 1000 ms after launch 4");
    // The launch after the shell start waits until the started tool is idle,
    // which a tool that never pumps messages is only once it has ended.
    if (row.shellToolBusyMs
        && Check(n >= 2 && IsDriverTool(launches[0], "hidden"), row.name + ": a shell start, then more"))
        CheckGap(
            launches[0], launches[1], row.shellToolBusyMs, row.name + ": the next launch after the busy tool ended");
}

// The run's wait covers the tools it leaves running, so every double has
// recorded its end by now: with the exit code it was given, and not before
// its start (the busy shell start not before its time is up).
static void CheckEnds(const Scenario& row, const Launch* launches, int n)
{
    for (int i = 0; i < n; ++i) {
        const Launch& launch = launches[i];
        const char* exitCode = strcmp(launch.tool, "zqntadd") == 0 ? row.addPrinterExit : row.driverToolExit;
        const DWORD busyMs = strcmp(launch.show, "hidden") == 0 ? row.shellToolBusyMs : 0;
        Check(launch.ended && launch.exitCode == (exitCode ? strtoul(exitCode, NULL, 10) : 0)
                && (long)(launch.endTick - launch.tick) >= (long)busyMs - 10,
            row.name + ": launch " + std::to_string(i + 1) + " recorded its end and exit code");
    }
}

static std::string Joined(const std::vector<std::string>& lines)
{
    std::string text;
    for (const std::string& line : lines)
        text += line + "\n";
    return text;
}

// In a 64-bit prefix this 32-bit program writes, as a 32-bit setup package
// does, to the 32-bit view of the registry; the program must read it there.
static void CheckRegistryView(void)
{
    BOOL wow64 = FALSE;
    if (!IsWow64Process(GetCurrentProcess(), &wow64) || !wow64)
        return;
    HKEY key;
    bool in32 = RegOpenKeyExA(HKEY_LOCAL_MACHINE, TEST_ROOT, 0, KEY_READ | KEY_WOW64_32KEY, &key) == 0;
    if (in32)
        RegCloseKey(key);
    bool in64 = RegOpenKeyExA(HKEY_LOCAL_MACHINE, TEST_ROOT, 0, KEY_READ | KEY_WOW64_64KEY, &key) == 0;
    if (in64)
        RegCloseKey(key);
    Check(in32 && !in64, "the installation is in the 32-bit view of the registry only");
}

static void RunScenario(const Scenario& row, const std::string& program)
{
    SetRegistry(row.registry);
    if (!row.registry.empty())
        CheckRegistryView();
    SetServiceRunning("Spooler", row.spoolerRunning);

    const std::string tool = std::string(PROGRAM_DIR) + "\\zqntadd.exe";
    if (row.addPrinterToolMissing)
        DeleteFileA(tool.c_str());
    else
        CopyFileA(DoublePath("zqntadd.exe").c_str(), tool.c_str(), FALSE);
    if (!row.alsoToolDir.empty()) {
        CreateDirectoryA(row.alsoToolDir.c_str(), NULL);
        Check(CopyFileA(DoublePath("zqntadd.exe").c_str(), (row.alsoToolDir + "\\zqntadd.exe").c_str(), FALSE),
            row.name + ": tool placed in " + row.alsoToolDir);
    }
    const std::string driverTool = NT_DRIVER_DIR "\\zqdrvtl.exe";
    if (row.driverToolMissing)
        DeleteFileA(driverTool.c_str());
    DisableDll("zqrunadd.exe", "shell32", row.shellMissing);
    DisableDll("zqrunadd.exe", "localspl", row.printProviderMissing);
    SetEnvironmentVariableA("ZQTEST_EXIT_zqntadd", row.addPrinterExit);
    SetEnvironmentVariableA("ZQTEST_EXIT_zqdrvtl", row.driverToolExit);
    SetEnvironmentVariableA(
        "ZQTEST_BUSY_zqdrvtl", row.shellToolBusyMs ? std::to_string(row.shellToolBusyMs).c_str() : NULL);
    SetEnvironmentVariableA("ZQTEST_PEER_zqntadd", row.logPeer ? row.tail.c_str() : NULL);

    const std::string commandLine = row.commandLine.empty() ? "\"" + program + "\" " + row.tail : row.commandLine;
    const LogState logState = row.logIsFolder ? LOG_FOLDER : row.logHeld ? LOG_HELD : row.logRead ? LOG_READ : LOG_FREE;
    const World world = { row.version, row.commandLine.empty() ? NULL : program.c_str(), commandLine.c_str(), kRecord,
        120000, row.logBefore.empty() ? NULL : row.logBefore.data(), (DWORD)row.logBefore.size(), logState };
    static RunResult result;
    RunWorld(&world, &result);
    const DWORD took = GetTickCount() - result.startTick;

    if (row.driverToolMissing)
        CopyFileA(DoublePath("zqdrvtl.exe").c_str(), driverTool.c_str(), FALSE);
    DisableDll("zqrunadd.exe", "shell32", false);
    DisableDll("zqrunadd.exe", "localspl", false);

    char shown[32];
    sprintf(shown, "0x%08lX", (unsigned long)result.exitCode);
    Check(result.exitCode == 0, row.name + ": exit code " + shown);
    sprintf(shown, "%lu ms", (unsigned long)took);
    Check(took >= row.atLeastMs, row.name + ": the run took at least its waits, not " + shown);
    Check(!result.logCut && !result.launchesCut, row.name + ": the log and the launches were read whole");
    CheckBytes(row.log, std::string(result.log, result.logSize), row.name + ": log");
    CheckBytes(Joined(row.launches), Joined(LaunchTexts(result)), row.name + ": launches");
    CheckLaunchGaps(row, result.launches, result.launchCount);
    CheckEnds(row, result.launches, result.launchCount);
}

int main(int argc, char** argv)
{
    unsigned codePage = 0;
    bool coreOnly = false;
    std::string program = OwnFolder() + "\\zqrunadd.exe";
    for (int i = 1; i < argc; ++i) {
        if (strcmp(argv[i], "--code-page") == 0 && i + 1 < argc)
            codePage = (unsigned)atoi(argv[++i]);
        else if (strcmp(argv[i], "--core") == 0)
            coreOnly = true;
        else if (strcmp(argv[i], "--exe") == 0 && i + 1 < argc)
            program = argv[++i];
        else
            return Check(false, std::string("known option: ") + argv[i]), Finish();
    }
    if (codePage && !Check(GetACP() == codePage, "the system code page is the one asked for"))
        return Finish();
    if (!PlaceTools())
        return Finish();

    int ran = 0;
    for (const Scenario& row : AllScenarios()) {
        if (row.codePage != codePage || (coreOnly && !row.core))
            continue;
        DWORD start = GetTickCount();
        RunScenario(row, program);
        printf("row %-90.90s %5lu ms\n", row.name.c_str(), (unsigned long)(GetTickCount() - start));
        fflush(stdout);
        ++ran;
    }
    RegDeleteTreeA(HKEY_LOCAL_MACHINE, TEST_ROOT);
    EmulateVersion("zqrunadd.exe", NULL);
    SetServiceRunning("Spooler", true);
    Check(ran > 0, "some rows ran");
    return Finish();
}
