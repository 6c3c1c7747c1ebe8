// Stands in for one of the setup package's tools in the demo and the Wine
// tests. It appends one line to the file named by ZQTEST_RECORD as it starts
// and one as it ends:
//   <tick>|<pid>|<tool>|<show>|<its whole command line>
//   <tick>|<pid>|end|<exit code>
// where the start's tick is GetTickCount() at the moment its process was
// created (by its parent's CreateProcess, before its own start-up), so that a
// reader can tell how far apart the launches were, and the end's is taken
// just before it returns; the process id pairs the two. show is "hidden" when
// it was started with SW_HIDE (as the shell start is) and "-" when no show
// state was passed (as a plain CreateProcess is). It exits with the code in
// ZQTEST_EXIT_<TOOL> (decimal; default 0). A double that is ended from outside
// records no end.
//
// Two more behaviours, each asked for by a variable:
//   ZQTEST_BUSY_<TOOL>=ms   started without arguments (as the shell start
//       makes it), it stays busy that long before it exits, pumping no messages.
//   ZQTEST_PEER_<TOOL>=text  when its command line ends with text, it opens the
//       installer log for writing, sharing read and write as a careless writer
//       would, and hands it to a child of its own; it exits only once the child
//       runs. The child holds the log until PEER_HOLD_MS after the double has
//       ended, then appends the line PEER_LINE through it and closes it.
#include <windows.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include "install/command_tail.h"
#include "world/creation_tick.h"

#ifndef TOOL_NAME
#error TOOL_NAME must name the tool this double stands in for
#endif

static const char kPeerFlag[] = "--zqtest-log-peer";
static const char kPeerLine[] = "a line of the add-printer tool's child\r\n";
enum { PEER_HOLD_MS = 200 };

static void Record(const char* line)
{
    char path[MAX_PATH];
    if (!GetEnvironmentVariableA("ZQTEST_RECORD", path, sizeof path))
        return;
    // Two doubles may start close together: wait for the other's append.
    for (int attempt = 0; attempt < 200; ++attempt) {
        HANDLE file = CreateFileA(path, FILE_APPEND_DATA, 0, NULL, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
        if (file != INVALID_HANDLE_VALUE) {
            DWORD written;
            WriteFile(file, line, (DWORD)strlen(line), &written, NULL);
            CloseHandle(file);
            return;
        }
        Sleep(25);
    }
}

static bool Variable(const char* prefix, char* value, DWORD size)
{
    char name[64];
    sprintf(name, "%s%s", prefix, TOOL_NAME);
    return GetEnvironmentVariableA(name, value, size) != 0;
}

static bool EndsWith(const char* text, const char* end)
{
    size_t a = strlen(text), b = strlen(end);
    return a >= b && strcmp(text + a - b, end) == 0;
}

// The child: "<program> --zqtest-log-peer <log> <parent> <running>" (handle values).
static int RunPeer(const char* arguments)
{
    unsigned long log, parent, running;
    if (sscanf(arguments, "%lu %lu %lu", &log, &parent, &running) != 3)
        return 2;
    SetEvent((HANDLE)(ULONG_PTR)running);
    WaitForSingleObject((HANDLE)(ULONG_PTR)parent, INFINITE);
    Sleep(PEER_HOLD_MS);
    HANDLE file = (HANDLE)(ULONG_PTR)log;
    SetFilePointer(file, 0, NULL, FILE_END);
    DWORD written;
    WriteFile(file, kPeerLine, (DWORD)strlen(kPeerLine), &written, NULL);
    CloseHandle(file);
    return 0;
}

static void StartPeer(void)
{
    char path[MAX_PATH], logPath[MAX_PATH + 16], line[3 * MAX_PATH];
    GetModuleFileNameA(NULL, path, sizeof path);
    GetWindowsDirectoryA(logPath, MAX_PATH);
    strcat(logPath, "\\ZQsetup.log");
    SECURITY_ATTRIBUTES inherited = { sizeof inherited, NULL, TRUE };
    HANDLE log = CreateFileA(logPath, GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherited, OPEN_ALWAYS,
        FILE_ATTRIBUTE_NORMAL, NULL);
    HANDLE running = CreateEventA(&inherited, TRUE, FALSE, NULL);
    HANDLE self = OpenProcess(SYNCHRONIZE, TRUE, GetCurrentProcessId());
    sprintf(line, "\"%s\" %s %lu %lu %lu", path, kPeerFlag, (unsigned long)(ULONG_PTR)log,
        (unsigned long)(ULONG_PTR)self, (unsigned long)(ULONG_PTR)running);
    STARTUPINFOA startup;
    ZeroMemory(&startup, sizeof startup);
    startup.cb = sizeof startup;
    PROCESS_INFORMATION child;
    if (CreateProcessA(path, line, NULL, NULL, TRUE, 0, NULL, NULL, &startup, &child)) {
        WaitForSingleObject(running, 30000); // the child holds the log before this double ends
        CloseHandle(child.hThread);
        CloseHandle(child.hProcess);
    }
    CloseHandle(log);
    CloseHandle(running);
    CloseHandle(self);
}

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    // Without a creation time (9x), the first tick stands in.
    DWORD started = GetTickCount();
    CreationTick(GetCurrentProcess(), &started);
    const char* commandLine = GetCommandLineA();
    const char* peer = strstr(commandLine, kPeerFlag);
    if (peer)
        return RunPeer(peer + sizeof kPeerFlag - 1);

    STARTUPINFOA startup;
    ZeroMemory(&startup, sizeof startup);
    startup.cb = sizeof startup;
    GetStartupInfoA(&startup);
    char show[16];
    if (!(startup.dwFlags & STARTF_USESHOWWINDOW))
        strcpy(show, "-");
    else if (startup.wShowWindow == SW_HIDE)
        strcpy(show, "hidden");
    else
        sprintf(show, "%u", startup.wShowWindow);

    static char line[40000];
    const unsigned long pid = GetCurrentProcessId();
    _snprintf(line, sizeof line - 1, "%lu|%lu|%s|%s|%s\n", (unsigned long)started, pid, TOOL_NAME, show, commandLine);
    Record(line);

    char value[MAX_PATH];
    if (Variable("ZQTEST_BUSY_", value, sizeof value) && *CommandTailOf(commandLine) == 0)
        Sleep(strtoul(value, NULL, 10));
    if (Variable("ZQTEST_PEER_", value, sizeof value) && EndsWith(commandLine, value))
        StartPeer();
    const unsigned long exitCode = Variable("ZQTEST_EXIT_", value, sizeof value) ? strtoul(value, NULL, 10) : 0;
    sprintf(line, "%lu|%lu|end|%lu\n", (unsigned long)GetTickCount(), pid, exitCode);
    Record(line);
    return (int)exitCode;
}
