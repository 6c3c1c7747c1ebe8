#include "row_run.h"

#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include "world/world.h"

// The expected texts, the world's names and values, expanded.
enum { TEXT_SIZE = RESULT_LOG_SIZE, LAUNCHES_SIZE = RESULT_LAUNCHES * LAUNCH_TEXT_SIZE, NAME_SIZE = 2048 };

long SystemText(unsigned long code, char* out, unsigned long size)
{
    char* text = NULL;
    const DWORD length = FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM, NULL, code,
        MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT), (LPSTR)&text, 0, NULL);
    long result = -1;
    if (text && length < size) {
        memcpy(out, text, length);
        result = (long)length;
    }
    if (text)
        LocalFree(text);
    return result;
}

int RowPlaces(const CheckRow* row, const RowMachine* machine, CheckPlaces* places)
{
    // Only the directories read at the start, whatever the system answers now.
    const Machine* system = machine->system;
    places->windows = system->windows;
    places->ntDrivers = system->ntDrivers;
    places->folder = system->folder;
    places->key = machine->key;
    places->systemText = SystemText;
    if (machine->emulate) {
        // The program asks for its own system's directory: under an emulated
        // 9x that is the one of "Windows 4.0", not this runner's.
        const char* version = row->version ? row->version : machine->emulate;
        places->nt4Road = VersionTakesNt4Road(version);
        places->drivers = VersionIsNt(version) ? system->ntDrivers : system->oldDrivers;
    } else {
        places->nt4Road = system->nt4OrLater;
        places->drivers = system->drivers;
    }
    return places->drivers[0] && FitCheckRow(row, places);
}

int DeleteKeyTree(HKEY root, const char* path)
{
    HKEY key;
    if (RegOpenKeyExA(root, path, 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS)
        return RegOpenKeyExA(root, path, 0, KEY_READ, &key) != ERROR_SUCCESS;
    char name[MAX_PATH];
    // Always the first subkey: each is gone before the next is asked for.
    while (RegEnumKeyA(key, 0, name, sizeof name) == ERROR_SUCCESS)
        if (!DeleteKeyTree(key, name))
            break;
    RegCloseKey(key);
    return RegDeleteKeyA(root, path) == ERROR_SUCCESS;
}

int InThe32BitViewOnly(const char* path)
{
    typedef BOOL(WINAPI * Wow64Test)(HANDLE, PBOOL);
    const Wow64Test isWow64 = (Wow64Test)(void*)GetProcAddress(GetModuleHandleA("kernel32.dll"), "IsWow64Process");
    BOOL wow64 = FALSE;
    if (!isWow64 || !isWow64(GetCurrentProcess(), &wow64) || !wow64)
        return 1;
    HKEY key;
    const int in32 = RegOpenKeyExA(HKEY_LOCAL_MACHINE, path, 0, KEY_READ | KEY_WOW64_32KEY, &key) == 0;
    if (in32)
        RegCloseKey(key);
    const int in64 = RegOpenKeyExA(HKEY_LOCAL_MACHINE, path, 0, KEY_READ | KEY_WOW64_64KEY, &key) == 0;
    if (in64)
        RegCloseKey(key);
    return in32 && !in64;
}

// ---- the report ------------------------------------------------------------

static void Say(RowReport* report, const char* text, unsigned long length)
{
    if (report->length + length + 1 > sizeof report->text)
        length = sizeof report->text - 1 - report->length;
    memcpy(report->text + report->length, text, length);
    report->length += length;
    report->text[report->length] = 0;
}

static void SayText(RowReport* report, const char* text)
{
    Say(report, text, (unsigned long)strlen(text));
}

// Shows bytes a line each, escaped, each line indented.
static void SayBytes(RowReport* report, const char* bytes, unsigned long size)
{
    SayText(report, "      ");
    for (unsigned long i = 0; i < size; ++i) {
        const unsigned char c = (unsigned char)bytes[i];
        char escaped[8];
        if (c == '\n')
            SayText(report, i + 1 < size ? "\\n\n      " : "\\n");
        else if (c == '\r')
            SayText(report, "\\r");
        else if (c < 32 || c >= 127 || c == '\\') {
            sprintf(escaped, c == '\\' ? "\\\\" : "\\x%02X", c);
            SayText(report, escaped);
        } else
            Say(report, (const char*)&c, 1);
    }
    SayText(report, "\n");
}

static int Check(RowReport* report, int passed, const char* what)
{
    ++report->checks;
    if (!passed) {
        ++report->failures;
        SayText(report, "    FAIL: ");
        SayText(report, what);
        SayText(report, "\n");
    }
    return passed;
}

// The time a failed check measured, apart from the failure's text.
static void Measured(RowReport* report, const char* what, long ms)
{
    const size_t length = strlen(report->measured);
    if (length + strlen(what) + 40 < sizeof report->measured)
        sprintf(report->measured + length, "    measured: %ld ms for %s\n", ms, what);
}

static void CheckBytes(RowReport* report, const char* expected, unsigned long expectedSize, const char* actual,
    unsigned long actualSize, const char* what)
{
    if (Check(report, expectedSize == actualSize && memcmp(expected, actual, expectedSize) == 0, what))
        return;
    SayText(report, "    expected:\n");
    SayBytes(report, expected, expectedSize);
    SayText(report, "    actual:\n");
    SayBytes(report, actual, actualSize);
}

// ---- the world ---------------------------------------------------------------

// Records the first step of the set-up that failed, with the system's error
// code; tells whether the step worked.
static int SetUp(RowReport* report, int worked, const char* what, DWORD error)
{
    if (worked || report->error[0])
        return worked;
    char code[32];
    sprintf(code, ": error %lu", (unsigned long)error);
    lstrcpynA(report->error, what, ROW_ERROR_SIZE - 32);
    strcat(report->error, code);
    return 0;
}

// Expands a text of the row for its set-up; 0 (and the row an error) when
// this machine's names cannot fill it in.
static int SetUpText(
    const char* text, const CheckPlaces* places, char* out, unsigned long size, long* length, RowReport* report)
{
    *length = text ? ExpandCheckText(text, places, out, size) : 0;
    if (!text)
        out[0] = 0;
    if (*length >= 0)
        return 1;
    char what[ROW_ERROR_SIZE];
    sprintf(what, "the row's text filled in with this machine's names (%.200s)", text);
    return SetUp(report, 0, what, ERROR_INSUFFICIENT_BUFFER);
}

static int SetRegistry(const CheckRow* row, const RowMachine* machine, const CheckPlaces* places, RowReport* report)
{
    char what[ROW_ERROR_SIZE];
    sprintf(what, "DeleteKeyTree HKEY_LOCAL_MACHINE\\%.200s", machine->key);
    if (!SetUp(report, DeleteKeyTree(HKEY_LOCAL_MACHINE, machine->key), what, GetLastError()))
        return 0;
    static char path[NAME_SIZE], name[NAME_SIZE], data[TEXT_SIZE];
    for (const CheckValue* value = row->registry; value && value->key; ++value) {
        long pathSize, nameSize, size;
        if (!SetUpText(value->key, places, path, sizeof path, &pathSize, report)
            || !SetUpText(value->name, places, name, sizeof name, &nameSize, report)
            || !SetUpText(value->data, places, data, sizeof data, &size, report))
            return 0;
        HKEY key;
        LONG error = RegCreateKeyExA(HKEY_LOCAL_MACHINE, path, 0, NULL, 0, KEY_ALL_ACCESS, NULL, &key, NULL);
        sprintf(what, "RegCreateKeyExA HKEY_LOCAL_MACHINE\\%.300s", path);
        if (!SetUp(report, error == ERROR_SUCCESS, what, (DWORD)error))
            return 0;
        error = RegSetValueExA(key, name, 0, value->type, (const BYTE*)data, (DWORD)size);
        RegCloseKey(key);
        sprintf(what, "RegSetValueExA %.300s", name);
        if (!SetUp(report, error == ERROR_SUCCESS, what, (DWORD)error))
            return 0;
    }
    return !row->registry || !row->registry->key
        || SetUp(report, InThe32BitViewOnly(machine->key), "the installation in the 32-bit view of the registry only",
            ERROR_FILE_NOT_FOUND);
}

// Places the double of that name in folder; 0 (and the row an error) when it
// could not be.
static int PutDouble(const char* name, const char* folder, RowReport* report)
{
    char what[ROW_ERROR_SIZE];
    sprintf(what, "placing the double %.20s in %.300s", name, folder);
    return SetUp(report, PlaceDouble(name, folder), what, GetLastError());
}

// Takes the double of that name out of folder; 0 (and the row an error) when
// something else stands there, or it could not be deleted.
static int TakeDouble(const char* name, const char* folder, RowReport* report)
{
    char what[ROW_ERROR_SIZE];
    sprintf(what, "taking the double %.20s out of %.300s", name, folder);
    return SetUp(report, TakeDoubleAway(name, folder), what, GetLastError());
}

static int IsDriverTool(const Launch* launch, const char* show)
{
    return strcmp(launch->tool, "zqdrvtl") == 0 && strcmp(launch->show, show) == 0;
}

// Checks that later started at least atLeastMs after earlier. The doubles
// take their ticks from their processes' creation, so a wait of the program
// between two starts bounds the gap from below; a few ms go to rounding.
static void CheckGap(RowReport* report, const Launch* earlier, const Launch* later, DWORD atLeastMs, const char* what)
{
    const long gap = (long)(later->tick - earlier->tick); // negative when later started first
    char shown[256];
    sprintf(shown, "%s: shorter than %lu ms", what, (unsigned long)atLeastMs);
    if (!Check(report, gap >= (long)atLeastMs - 10, shown))
        Measured(report, what, gap);
}

static void CheckTimes(const CheckRow* row, const RunResult* result, RowReport* report)
{
    const Launch* launches = result->launches;
    const int n = result->launchCount;
    // Launches 4 and 5, the last two starts of the driver-directory tool, are
    // 1000 ms apart.
    if (n >= 2 && IsDriverTool(&launches[n - 2], "-") && IsDriverTool(&launches[n - 1], "-"))
        CheckGap(report, &launches[n - 2], &launches[n - 1], 1000, "launch 5 after launch 4");
    // The launch after the shell start waits until the started tool is idle,
    // which a tool that never pumps messages is only once it has ended.
    if (row->shellToolBusyMs
        && Check(report, n >= 2 && IsDriverTool(&launches[0], "hidden"), "a shell start, then more"))
        CheckGap(report, &launches[0], &launches[1], row->shellToolBusyMs, "the next launch after the busy tool ended");
    // Every double has recorded its end by now: with the exit code it was
    // given, and not before its start (the busy shell start not before its
    // time is up).
    for (int i = 0; i < n; ++i) {
        const Launch* launch = &launches[i];
        const char* exitCode = strcmp(launch->tool, "zqntadd") == 0 ? row->addPrinterExit : row->driverToolExit;
        const DWORD busyMs = strcmp(launch->show, "hidden") == 0 ? row->shellToolBusyMs : 0;
        char what[64];
        sprintf(what, "launch %d recorded its end and exit code", i + 1);
        Check(report,
            launch->ended && launch->exitCode == (exitCode ? strtoul(exitCode, NULL, 10) : 0)
                && (long)(launch->endTick - launch->tick) >= (long)busyMs - 10,
            what);
    }
}

static int Lines(const char* text)
{
    int count = 0;
    for (; *text; ++text)
        count += *text == '\n';
    return count;
}

// Sets the world up as the row says; 0 (report->error set) when a step failed.
static int SetUpRow(const CheckRow* row, const RowMachine* machine, const CheckPlaces* places, RowReport* report)
{
    if (!SetRegistry(row, machine, places, report))
        return 0;
    static char prog[NAME_SIZE], also[NAME_SIZE];
    sprintf(prog, "%s\\prog", machine->system->folder);
    if (!SetUp(report, CreateDirectoryA(prog, NULL) || GetLastError() == ERROR_ALREADY_EXISTS,
            "CreateDirectoryA of the program's folder", GetLastError()))
        return 0;
    if (!(row->addPrinterToolMissing ? TakeDouble("zqntadd.exe", prog, report)
                                     : PutDouble("zqntadd.exe", prog, report)))
        return 0;
    if (row->alsoToolDir) {
        long length;
        if (!SetUpText(row->alsoToolDir, places, also, sizeof also, &length, report))
            return 0;
        CreateDirectoryA(also, NULL);
        if (!PutDouble("zqntadd.exe", also, report))
            return 0;
    }
    return !row->driverToolMissing
        || ((!places->ntDrivers[0] || TakeDouble("zqdrvtl.exe", places->ntDrivers, report))
            && TakeDouble("zqdrvtl.exe", places->drivers, report));
}

// The row's texts made with this machine's names: what starts the program,
// the log before the run, and the answer: the other one where this machine
// gives it by design.
struct RowTexts {
    char commandLine[2 * NAME_SIZE + 8], tail[NAME_SIZE], logBefore[TEXT_SIZE];
    long logBeforeSize, logSize, launchesSize;
    char log[TEXT_SIZE], launches[LAUNCHES_SIZE];
};
static RowTexts g_texts;

static int MakeTexts(
    const CheckRow* row, const RowMachine* machine, const CheckPlaces* places, RowTexts* t, RowReport* report)
{
    long length = 0;
    t->logBeforeSize = t->logSize = t->launchesSize = 0;
    const int other = row->otherOn && machine->realNt;
    const int made = (row->commandLine ? SetUpText(
                          row->commandLine, places, t->commandLine, sizeof t->commandLine, &length, report)
                                       : SetUpText(row->tail, places, t->tail, sizeof t->tail, &length, report)
                                 && SetUp(report, strlen(machine->program) < NAME_SIZE,
                                     "the program's path short enough", ERROR_FILENAME_EXCED_RANGE))
        && SetUpText(row->logBefore, places, t->logBefore, sizeof t->logBefore, &t->logBeforeSize, report)
        && SetUpText(other ? row->otherLog : row->log, places, t->log, sizeof t->log, &t->logSize, report)
        && SetUpText(other ? row->otherLaunches : row->launches, places, t->launches, sizeof t->launches,
            &t->launchesSize, report);
    if (made && !row->commandLine)
        sprintf(t->commandLine, "\"%s\" %s", machine->program, t->tail);
    return made;
}

// What the doubles are to do in this row, through their environment.
static void SetDoubles(const CheckRow* row)
{
    char busy[16];
    sprintf(busy, "%lu", row->shellToolBusyMs);
    SetEnvironmentVariableA("ZQTEST_EXIT_zqntadd", row->addPrinterExit);
    SetEnvironmentVariableA("ZQTEST_EXIT_zqdrvtl", row->driverToolExit);
    SetEnvironmentVariableA("ZQTEST_BUSY_zqdrvtl", row->shellToolBusyMs ? busy : NULL);
}

// The program run in the row's world.
static void RunInWorld(
    const CheckRow* row, const RowMachine* machine, const RowTexts* t, RunResult* result, RowReport* report)
{
    static const LogState kStates[] = { LOG_FREE, LOG_FOLDER, LOG_HELD, LOG_READ };
    const char* version = machine->emulate ? (row->version ? row->version : machine->emulate) : NULL;
    World world = {};
    world.version = version;
    world.applicationName = row->commandLine ? machine->program : NULL;
    world.commandLine = t->commandLine;
    world.record = machine->system->record;
    world.limitMs = 120000;
    world.logBefore = row->logBefore ? t->logBefore : NULL;
    world.logBeforeSize = (DWORD)t->logBeforeSize;
    world.logState = kStates[row->logState];
    world.launches = Lines(t->launches);
    world.folder = machine->system->pack; // never the caller's: a shell start searches it
    RunWorld(&world, result);
    report->tookMs = GetTickCount() - result->startTick;
}

// What the row alone changed goes back, however far it got.
static void PutRowBack(const CheckRow* row, const RowMachine* machine, const CheckPlaces* places, RowReport* report)
{
    if (row->driverToolMissing) {
        if (places->ntDrivers[0])
            PutDouble("zqdrvtl.exe", places->ntDrivers, report);
        PutDouble("zqdrvtl.exe", places->drivers, report);
    }
    if (machine->wineDlls) {
        DisableDll("zqrunadd.exe", "shell32", 0);
        DisableDll("zqrunadd.exe", "localspl", 0);
    }
}

// What the run left, against the row's answer.
static void CheckRun(const CheckRow* row, const RowTexts* t, const RunResult* result, RowReport* report)
{
    char shown[128];
    sprintf(shown, "exit code 0, not 0x%08lX", (unsigned long)result->exitCode);
    Check(report, result->exitCode == 0, shown);
    sprintf(shown, "the run: shorter than its waits, %lu ms", row->atLeastMs);
    if (!Check(report, report->tookMs >= row->atLeastMs, shown))
        Measured(report, "the whole run", (long)report->tookMs);
    Check(report, !result->logCut && !result->launchesCut, "the log and the launches were read whole");
    CheckBytes(report, t->log, (unsigned long)t->logSize, result->log, result->logSize, "log");
    static char actual[LAUNCHES_SIZE];
    unsigned long actualSize = 0;
    for (int i = 0; i < result->launchCount; ++i) {
        LaunchText(&result->launches[i], actual + actualSize);
        actualSize += (unsigned long)strlen(actual + actualSize);
        actual[actualSize++] = '\n';
    }
    CheckBytes(report, t->launches, (unsigned long)t->launchesSize, actual, actualSize, "launches");
    CheckTimes(row, result, report);
}

void RunCheckRow(const CheckRow* row, const RowMachine* machine, RowReport* report)
{
    report->error[0] = 0;
    report->checks = report->failures = 0;
    report->length = 0;
    report->text[0] = 0;
    report->measured[0] = 0;
    report->tookMs = 0;
    // The spooler first: on NT the driver directories answer only while it runs.
    if (machine->spooler
        && !SetUp(report, SetServiceRunning("Spooler", !row->spoolerStopped),
            row->spoolerStopped ? "the spooler stopped" : "the spooler started", GetLastError()))
        return;
    static CheckPlaces places;
    if (!SetUp(report, RowPlaces(row, machine, &places), "the row's lengths made with this machine's names",
            ERROR_FILENAME_EXCED_RANGE))
        return;
    const int ready = SetUpRow(row, machine, &places, report);
    if (ready && machine->wineDlls) {
        DisableDll("zqrunadd.exe", "shell32", row->shellMissing);
        DisableDll("zqrunadd.exe", "localspl", row->printProviderMissing);
    }
    SetDoubles(row);
    const int texts = ready && MakeTexts(row, machine, &places, &g_texts, report);
    SetEnvironmentVariableA("ZQTEST_PEER_zqntadd", row->logPeer ? g_texts.tail : NULL);
    static RunResult result;
    if (texts)
        RunInWorld(row, machine, &g_texts, &result, report);
    PutRowBack(row, machine, &places, report);
    if (texts)
        CheckRun(row, &g_texts, &result, report);
}
