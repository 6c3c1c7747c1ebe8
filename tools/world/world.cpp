#include "wine_test.h"

#include <stdio.h>
#include <stdlib.h>

#include <winspool.h>

static int g_passed, g_failed;

bool Check(bool condition, const std::string& what)
{
    if (condition) {
        ++g_passed;
    } else {
        ++g_failed;
        printf("FAIL: %s\n", what.c_str());
        fflush(stdout);
    }
    return condition;
}

std::string ShowBytes(const std::string& bytes)
{
    std::string shown;
    for (unsigned char c : bytes) {
        char escaped[8];
        if (c == '\n')
            shown += "\\n\n    ";
        else if (c == '\r')
            shown += "\\r";
        else if (c < 32 || c >= 127) {
            sprintf(escaped, "\\x%02X", c);
            shown += escaped;
        } else
            shown += (char)c;
    }
    return shown;
}

bool CheckBytes(const std::string& expected, const std::string& actual, const std::string& what)
{
    return Check(expected == actual,
        what + "\n  expected:\n    " + ShowBytes(expected) + "\n  actual:\n    " + ShowBytes(actual));
}

int Finish(void)
{
    printf("%d passed, %d failed\n", g_passed, g_failed);
    return g_failed ? 1 : 0;
}

std::string ReadFileBytes(const std::string& path)
{
    std::string bytes;
    HANDLE file
        = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, NULL, OPEN_EXISTING, 0, NULL);
    if (file == INVALID_HANDLE_VALUE)
        return bytes;
    char buffer[4096];
    DWORD got;
    while (ReadFile(file, buffer, sizeof buffer, &got, NULL) && got > 0)
        bytes.append(buffer, got);
    CloseHandle(file);
    return bytes;
}

void WriteFileBytes(const std::string& path, const std::string& bytes)
{
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
    DWORD written;
    WriteFile(file, bytes.data(), (DWORD)bytes.size(), &written, NULL);
    CloseHandle(file);
}

std::string LogFilePath(void)
{
    char directory[MAX_PATH];
    GetWindowsDirectoryA(directory, sizeof directory);
    return std::string(directory) + "\\ZQsetup.log";
}

// Sets (or, for a null value, removes) one of Wine's settings for the named
// program: HKCU\Software\Wine\AppDefaults\<exe><subkey>, value name = value.
static void SetAppDefault(const char* exeName, const char* subkey, const char* name, const char* value)
{
    std::string keyPath = std::string("Software\\Wine\\AppDefaults\\") + exeName + subkey;
    HKEY key;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, keyPath.c_str(), 0, NULL, 0, KEY_ALL_ACCESS, NULL, &key, NULL) != 0)
        return;
    if (value)
        RegSetValueExA(key, name, 0, REG_SZ, (const BYTE*)value, (DWORD)strlen(value) + 1);
    else
        RegDeleteValueA(key, name);
    RegCloseKey(key);
}

void EmulateVersion(const char* exeName, const char* version)
{
    SetAppDefault(exeName, "", "Version", version);
}

void DisableDll(const char* exeName, const char* dll, bool disabled)
{
    SetAppDefault(exeName, "\\DllOverrides", dll, disabled ? "" : NULL); // an empty override: never load it
}

bool SetServiceRunning(const char* name, bool running)
{
    SC_HANDLE manager = OpenSCManagerA(NULL, NULL, SC_MANAGER_ALL_ACCESS);
    if (!manager)
        return false;
    SC_HANDLE service = OpenServiceA(manager, name, SERVICE_ALL_ACCESS);
    bool reached = false;
    if (service) {
        SERVICE_STATUS status;
        if (running)
            StartServiceA(service, 0, NULL);
        else
            ControlService(service, SERVICE_CONTROL_STOP, &status);
        DWORD wanted = running ? SERVICE_RUNNING : SERVICE_STOPPED;
        for (int i = 0; i < 200 && !reached; ++i) {
            reached = QueryServiceStatus(service, &status) && status.dwCurrentState == wanted;
            if (!reached)
                Sleep(50);
        }
        CloseServiceHandle(service);
    }
    CloseServiceHandle(manager);
    return reached;
}

HANDLE CreateOutputFile(const std::string& path)
{
    SECURITY_ATTRIBUTES inherited = { sizeof inherited, NULL, TRUE };
    return CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherited, CREATE_ALWAYS, 0, NULL);
}

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
    const char* applicationName, const std::string& commandLine, DWORD timeoutMs, RunOutcome* outcome, HANDLE output)
{
    RunOutcome seen;
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
    std::string line = commandLine;
    if (!CreateProcessA(
            applicationName, &line[0], NULL, NULL, output != NULL, CREATE_SUSPENDED, NULL, NULL, &startup, &process)) {
        seen.startError = GetLastError();
        seen.endTick = GetTickCount();
        CloseHandle(job);
        if (outcome)
            *outcome = seen;
        return 0xDEADBEEF;
    }
    AssignProcessToJobObject(job, process.hProcess);
    ResumeThread(process.hThread);
    DWORD exitCode = 0xDEADBEEF;
    if (WaitForSingleObject(process.hProcess, timeoutMs) == WAIT_OBJECT_0)
        GetExitCodeProcess(process.hProcess, &exitCode);
    else
        TerminateJobObject(job, exitCode); // a program stuck (on a message box, say) must not hold the next run
    seen.endTick = GetTickCount();
    // A tool still running after a few seconds would write into the next
    // run's record: it is ended.
    seen.leftOver = ActiveAfter(job, timeoutMs < LEFTOVER_WAIT_MS ? timeoutMs : LEFTOVER_WAIT_MS);
    if (seen.leftOver) {
        TerminateJobObject(job, 0xDEADBEEF);
        ActiveAfter(job, LEFTOVER_WAIT_MS);
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    CloseHandle(job);
    if (outcome)
        *outcome = seen;
    return exitCode;
}

std::string OwnFolder(void)
{
    char path[MAX_PATH];
    DWORD length = GetModuleFileNameA(NULL, path, sizeof path);
    std::string folder(path, length);
    return folder.substr(0, folder.find_last_of('\\'));
}

std::string DoublePath(const char* name)
{
    return OwnFolder() + "\\doubles\\" + name;
}

std::string DriverDirectory(const char* environment)
{
    char directory[MAX_PATH] = "";
    DWORD needed;
    GetPrinterDriverDirectoryA(NULL, (LPSTR)environment, 1, (LPBYTE)directory, sizeof directory, &needed);
    return directory;
}

bool PlaceDoubles(const std::string& programDir)
{
    bool placed = true;
    for (const char* environment : { "Windows NT x86", "Windows 4.0" }) {
        std::string directory = DriverDirectory(environment);
        placed = CopyFileA(DoublePath("zqdrvtl.exe").c_str(), (directory + "\\zqdrvtl.exe").c_str(), FALSE) && placed;
    }
    if (programDir.empty())
        return placed;
    CreateDirectoryA(programDir.c_str(), NULL);
    return CopyFileA(DoublePath("zqntadd.exe").c_str(), (programDir + "\\zqntadd.exe").c_str(), FALSE) && placed;
}

// Marks the latest start of that process that has no end yet as ended (an id
// is only reused once its process is gone). Tells whether there was one.
static bool RecordEnd(std::vector<Launch>& launches, DWORD pid, DWORD tick, DWORD exitCode)
{
    for (auto launch = launches.rbegin(); launch != launches.rend(); ++launch) {
        if (launch->pid == pid && !launch->ended) {
            launch->ended = true;
            launch->endTick = tick;
            launch->exitCode = exitCode;
            return true;
        }
    }
    return false;
}

std::vector<Launch> ReadLaunches(const std::string& recordPath)
{
    std::vector<Launch> launches;
    std::string bytes = ReadFileBytes(recordPath);
    size_t start = 0, end;
    while ((end = bytes.find('\n', start)) != std::string::npos) {
        std::string line = bytes.substr(start, end - start);
        start = end + 1;
        size_t pid = line.find('|'), tool = line.find('|', pid + 1), show = line.find('|', tool + 1);
        size_t command = show == std::string::npos ? show : line.find('|', show + 1);
        const DWORD tick = (DWORD)strtoul(line.c_str(), NULL, 10);
        const DWORD process = show == std::string::npos ? 0 : (DWORD)strtoul(line.c_str() + pid + 1, NULL, 10);
        const bool isEnd = show != std::string::npos && line.compare(tool + 1, show - tool - 1, "end") == 0;
        if (isEnd && RecordEnd(launches, process, tick, (DWORD)strtoul(line.c_str() + show + 1, NULL, 10)))
            continue;
        if (isEnd || command == std::string::npos) { // not a record of a double, or an end without its start:
            launches.push_back({ 0, line, "", "" }); // shown whole, so that it fails
            continue;
        }
        Launch launch = { tick, line.substr(tool + 1, show - tool - 1), line.substr(show + 1, command - show - 1),
            line.substr(command + 1) };
        launch.pid = process;
        launches.push_back(launch);
    }
    return launches;
}
