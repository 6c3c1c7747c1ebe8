// Running the program and reading back what it did.
#include <string.h>

#include "world.h"

// The number of processes still in the job, waiting up to waitMs for none.
static DWORD ActiveAfter(HANDLE job, DWORD waitMs)
{
    const DWORD start = GetTickCount();
    for (;;) {
        JOBOBJECT_BASIC_ACCOUNTING_INFORMATION info;
        if (!QueryInformationJobObject(job, JobObjectBasicAccountingInformation, &info, sizeof info, NULL))
            return 0;
        if (info.ActiveProcesses == 0 || GetTickCount() - start > waitMs)
            return info.ActiveProcesses;
        Sleep(20);
    }
}

DWORD RunAndWait(
    const char* applicationName, const char* commandLine, DWORD timeoutMs, RunOutcome* outcome, HANDLE output)
{
    RunOutcome seen = { 0, 0, 0 };
    // CreateProcessA may write into the line it is given; 32767 characters
    // is the longest any Windows takes.
    static char line[32768];
    if (strlen(commandLine) >= sizeof line) {
        seen.startError = ERROR_FILENAME_EXCED_RANGE;
        seen.endTick = GetTickCount();
        if (outcome)
            *outcome = seen;
        return NOT_ENDED;
    }
    strcpy(line, commandLine);
    // A job holds the program and whatever it starts, so the wait also
    // covers the tools it leaves running.
    HANDLE job = CreateJobObjectA(NULL, NULL);
    STARTUPINFOA startup;
    ZeroMemory(&startup, sizeof startup);
    startup.cb = sizeof startup;
    if (output) {
        startup.dwFlags = STARTF_USESTDHANDLES;
        startup.hStdOutput = startup.hStdError = output;
    }
    PROCESS_INFORMATION process;
    if (!CreateProcessA(
            applicationName, line, NULL, NULL, output != NULL, CREATE_SUSPENDED, NULL, NULL, &startup, &process)) {
        seen.startError = GetLastError();
        seen.endTick = GetTickCount();
        CloseHandle(job);
        if (outcome)
            *outcome = seen;
        return NOT_ENDED;
    }
    AssignProcessToJobObject(job, process.hProcess);
    ResumeThread(process.hThread);
    DWORD exitCode = NOT_ENDED;
    if (WaitForSingleObject(process.hProcess, timeoutMs) == WAIT_OBJECT_0)
        GetExitCodeProcess(process.hProcess, &exitCode);
    else
        TerminateJobObject(job, exitCode); // a program stuck (on a message box, say) must not hold the next run
    seen.endTick = GetTickCount();
    // A tool still running after a few seconds would write into the next
    // run's record: it is ended.
    seen.leftOver = ActiveAfter(job, timeoutMs < LEFTOVER_WAIT_MS ? timeoutMs : (DWORD)LEFTOVER_WAIT_MS);
    if (seen.leftOver) {
        TerminateJobObject(job, NOT_ENDED);
        ActiveAfter(job, LEFTOVER_WAIT_MS);
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    CloseHandle(job);
    if (outcome)
        *outcome = seen;
    return exitCode;
}

void RunWorld(const World* world, RunResult* result)
{
    if (world->version)
        EmulateVersion("zqrunadd.exe", world->version);
    DeleteFileA(world->record);
    SetEnvironmentVariableA("ZQTEST_RECORD", world->record);
    char log[MAX_PATH];
    LogFilePath(log);
    DeleteFileA(log);
    if (world->logBefore)
        WriteFileFrom(log, world->logBefore, world->logBeforeSize);
    if (world->logState == LOG_FOLDER)
        CreateDirectoryA(log, NULL);
    HANDLE held = INVALID_HANDLE_VALUE;
    if (world->logState == LOG_HELD || world->logState == LOG_READ)
        held = CreateFileA(log, GENERIC_READ, world->logState == LOG_READ ? FILE_SHARE_READ | FILE_SHARE_WRITE : 0,
            NULL, OPEN_EXISTING, 0, NULL);

    result->startTick = GetTickCount();
    result->exitCode = RunAndWait(world->applicationName, world->commandLine, world->limitMs, &result->outcome, NULL);
    result->finished = result->exitCode != NOT_ENDED;
    if (held != INVALID_HANDLE_VALUE)
        CloseHandle(held);
    if (world->logState == LOG_FOLDER)
        RemoveDirectoryA(log);
    result->logSize = ReadFileInto(log, result->log, sizeof result->log, &result->logCut);
    // The record is read whole: a launch line is at most some 40000 bytes.
    static char record[RESULT_LAUNCHES * 40064];
    int recordCut;
    const DWORD recordSize = ReadFileInto(world->record, record, sizeof record, &recordCut);
    result->launchCount = ParseLaunches(record, recordSize, result->launches, RESULT_LAUNCHES, &result->launchesCut);
    result->launchesCut = result->launchesCut || recordCut;
}
