// Running the program in a world and reading back what it did. No job object
// (Windows 2000 and later) holds what it starts: the doubles' own records say
// which tools started and which ended, and a tool still running at the end
// of the wait is ended by its process id.
#include <stdio.h>
#include <string.h>

#include <windows.h>

#include <tlhelp32.h>

#include "creation_tick.h"
#include "world.h"

// How long the record must stay as it is before the wait ends: a tool the
// program started just before it ended may still be starting, and with no
// count of launches to wait for (the demo's runs), such a start can take a
// few seconds on a slow emulator.
enum { QUIET_MS = 300, UNKNOWN_QUIET_MS = 3000, MISSING_START_WAIT_MS = 30000, RECORD_LAUNCHES = 64 };

// The record as it stands, read whole: a launch line is at most some 40000 bytes.
static char g_record[RECORD_LAUNCHES * 40064];
static Launch g_launches[RECORD_LAUNCHES];

volatile LONG g_runStop;

static int ReadRecord(const char* path, DWORD* size)
{
    *size = ReadFileInto(path, g_record, sizeof g_record, NULL);
    return ParseLaunches(g_record, *size, g_launches, RECORD_LAUNCHES, NULL);
}

// Whether the process of this id runs exeName (a file name), by Toolhelp32:
// 9x gives no creation time, and NT 3.51 and 4.0 have no Toolhelp32, so it
// is looked up. 0 when it cannot be told.
static int RunsExe(DWORD pid, const char* exeName)
{
    typedef HANDLE(WINAPI * Snapshot)(DWORD, DWORD);
    typedef BOOL(WINAPI * Walk)(HANDLE, PROCESSENTRY32*);
    HMODULE kernel32 = GetModuleHandleA("kernel32.dll");
    const Snapshot snapshot = (Snapshot)(void*)GetProcAddress(kernel32, "CreateToolhelp32Snapshot");
    const Walk first = (Walk)(void*)GetProcAddress(kernel32, "Process32First");
    const Walk next = (Walk)(void*)GetProcAddress(kernel32, "Process32Next");
    HANDLE all = snapshot && first && next ? snapshot(TH32CS_SNAPPROCESS, 0) : INVALID_HANDLE_VALUE;
    if (all == INVALID_HANDLE_VALUE)
        return 0;
    PROCESSENTRY32 entry;
    entry.dwSize = sizeof entry;
    int runs = 0;
    for (BOOL more = first(all, &entry); more && !runs; more = next(all, &entry)) {
        if (entry.th32ProcessID != pid)
            continue;
        const char* slash = strrchr(entry.szExeFile, '\\');
        runs = lstrcmpiA(slash ? slash + 1 : entry.szExeFile, exeName) == 0;
        break;
    }
    CloseHandle(all);
    return runs;
}

// Ends the process of this id when it is still the one that started at
// tick (its creation time, where the system gives it; else the exe it runs):
// a process id is reused once its process is gone, and ending another
// program would harm the machine. Where neither can be told, it is left.
// Tells whether it ended one.
static int EndProcess(DWORD pid, DWORD tick, const char* exeName)
{
    HANDLE process = OpenProcess(SYNCHRONIZE | PROCESS_TERMINATE | PROCESS_QUERY_INFORMATION, FALSE, pid);
    if (!process)
        return 0;
    DWORD created;
    int ended = 0;
    const int dated = CreationTick(process, &created);
    const long apart = dated ? (long)(created - tick) : 0;
    const int same = dated ? apart > -1000 && apart < 1000 : RunsExe(pid, exeName);
    if (same && WaitForSingleObject(process, 0) == WAIT_TIMEOUT && TerminateProcess(process, NOT_ENDED)) {
        WaitForSingleObject(process, LEFTOVER_WAIT_MS);
        ended = 1;
    }
    CloseHandle(process);
    return ended;
}

static int EndDouble(const Launch* launch)
{
    char exe[sizeof launch->tool + 8];
    lstrcpynA(exe, launch->tool, sizeof launch->tool);
    return EndProcess(launch->pid, (DWORD)launch->tick, strcat(exe, ".exe"));
}

// The file that names the running program: the record's path and ".program".
static int ProgramNotePath(const char* record, char out[MAX_PATH])
{
    if (strlen(record) + sizeof ".program" > MAX_PATH)
        return 0;
    strcat(strcpy(out, record), ".program");
    return 1;
}

// The process id and its start tick, as decimal text.
static void NoteProgram(const char* path, DWORD pid, DWORD tick)
{
    char text[32];
    sprintf(text, "%lu %lu", (unsigned long)pid, (unsigned long)tick);
    WriteFileFrom(path, text, (DWORD)strlen(text));
}

// Waits up to waitMs until the record holds at least expected starts, each
// with its end, and has not grown for a while; then ends the doubles still
// running. Returns how many it ended. A start still missing is waited for up
// to startsMs: the last tool the program started just before it ended may
// not have written its first line yet, and a double that has not is no
// double the wait could end, so that it would write into the next run's
// record. On an emulator under load a process can take seconds to start.
static DWORD EndLeftovers(const char* record, int expected, DWORD waitMs, DWORD startsMs)
{
    const DWORD start = GetTickCount();
    DWORD size = 0, lastSize = 0, lastChange = start;
    int count = 0;
    for (;;) {
        count = ReadRecord(record, &size);
        const DWORD now = GetTickCount();
        if (size != lastSize)
            lastSize = size, lastChange = now;
        int running = 0;
        for (int i = 0; i < count; ++i)
            running += g_launches[i].tool[0] && !g_launches[i].ended;
        const DWORD quiet = expected ? QUIET_MS : UNKNOWN_QUIET_MS;
        if ((!running && count >= expected && now - lastChange >= quiet)
            || now - start >= (count < expected ? startsMs : waitMs) || g_runStop)
            break;
        Sleep(20);
    }
    DWORD ended = 0;
    for (int i = 0; i < count; ++i)
        if (g_launches[i].tool[0] && !g_launches[i].ended)
            ended += (DWORD)EndDouble(&g_launches[i]);
    return ended;
}

// The log as the world has it before the run: its bytes, a folder in its
// place, or held open by another program. The handle held, if any.
static HANDLE SetLogBefore(const World* world, const char* log)
{
    DeleteFileA(log);
    if (world->logBefore)
        WriteFileFrom(log, world->logBefore, world->logBeforeSize);
    if (world->logState == LOG_FOLDER)
        CreateDirectoryA(log, NULL);
    HANDLE held = INVALID_HANDLE_VALUE;
    if (world->logState == LOG_HELD || world->logState == LOG_READ)
        held = CreateFileA(log, GENERIC_READ, world->logState == LOG_READ ? FILE_SHARE_READ | FILE_SHARE_WRITE : 0,
            NULL, OPEN_EXISTING, 0, NULL);
    return held;
}

// Starts the program and waits for its end, within the world's limit; the
// program's id and creation go to note, when there is one.
static void StartAndWait(const World* world, const char* note, RunResult* result)
{
    // CreateProcessA may write into the line it is given; 32767 characters
    // is the longest any Windows takes.
    static char line[32768];
    RunOutcome* seen = &result->outcome;
    STARTUPINFOA startup;
    ZeroMemory(&startup, sizeof startup);
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process;
    if (strlen(world->commandLine) >= sizeof line) {
        seen->startError = ERROR_FILENAME_EXCED_RANGE;
        return;
    }
    if (!CreateProcessA(world->applicationName, strcpy(line, world->commandLine), NULL, NULL, FALSE, 0, NULL,
            world->folder, &startup, &process)) {
        seen->startError = GetLastError();
        return;
    }
    DWORD created;
    if (note)
        NoteProgram(note, process.dwProcessId, CreationTick(process.hProcess, &created) ? created : 0);
    // In steps, so that a stop asked for ends the run within one.
    DWORD waited = 0, state = WAIT_TIMEOUT;
    while (
        !g_runStop && waited < world->limitMs && (state = WaitForSingleObject(process.hProcess, 100)) == WAIT_TIMEOUT)
        waited += 100;
    if (state == WAIT_OBJECT_0)
        GetExitCodeProcess(process.hProcess, &result->exitCode);
    else // a program stuck (on a message box, say) must not hold the next run
        TerminateProcess(process.hProcess, NOT_ENDED);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
}

void RunWorld(const World* world, RunResult* result)
{
    if (world->version)
        EmulateVersion("zqrunadd.exe", world->version);
    DeleteFileA(world->record);
    SetEnvironmentVariableA("ZQTEST_RECORD", world->record);
    char log[MAX_PATH];
    LogFilePath(log);
    const HANDLE held = SetLogBefore(world, log);
    RunOutcome* seen = &result->outcome;
    ZeroMemory(seen, sizeof *seen);
    result->exitCode = NOT_ENDED;
    result->startTick = GetTickCount();
    char note[MAX_PATH];
    const int noted = ProgramNotePath(world->record, note);
    StartAndWait(world, noted ? note : NULL, result);
    seen->endTick = GetTickCount();
    // A tool still running after a few seconds would write into the next
    // run's record: it is ended.
    if (!seen->startError)
        seen->leftOver = EndLeftovers(world->record, world->launches,
            world->limitMs < LEFTOVER_WAIT_MS ? world->limitMs : (DWORD)LEFTOVER_WAIT_MS,
            world->limitMs < MISSING_START_WAIT_MS ? world->limitMs : (DWORD)MISSING_START_WAIT_MS);
    if (noted)
        DeleteFileA(note);
    result->finished = result->exitCode != NOT_ENDED;
    if (held != INVALID_HANDLE_VALUE)
        CloseHandle(held);
    if (world->logState == LOG_FOLDER)
        RemoveDirectoryA(log);
    result->logSize = ReadFileInto(log, result->log, sizeof result->log, &result->logCut);
    int recordCut;
    const DWORD recordSize = ReadFileInto(world->record, g_record, sizeof g_record, &recordCut);
    result->launchCount = ParseLaunches(g_record, recordSize, result->launches, RESULT_LAUNCHES, &result->launchesCut);
    result->launchesCut = result->launchesCut || recordCut;
}

void EndRunLeftovers(const char* record, int mayEnd)
{
    char note[MAX_PATH], text[32];
    if (ProgramNotePath(record, note)) {
        const DWORD size = ReadFileInto(note, text, sizeof text - 1, NULL);
        text[size] = 0;
        unsigned long pid = 0, tick = 0;
        if (mayEnd && sscanf(text, "%lu %lu", &pid, &tick) == 2 && pid)
            EndProcess((DWORD)pid, (DWORD)tick, "zqrunadd.exe");
        DeleteFileA(note);
    }
    if (!mayEnd)
        return;
    // Whatever the program started last has had a moment to write its start.
    EndLeftovers(record, 0, LEFTOVER_WAIT_MS, LEFTOVER_WAIT_MS);
}
