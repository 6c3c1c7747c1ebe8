#include "command_runner.h"

#include "installer_log.h"
#include "log_texts.h"
#include "text_rules.h"

void LogCommandStartFailure(DWORD error, const char* commandLine)
{
    // The system's texts may hold inserts ("%1 is not a valid Win32
    // application."). There are no arguments to fill them, so they are left as
    // they stand rather than read from an argument list that is not there.
    char* text = NULL;
    FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, NULL,
        error, MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT), (LPSTR)&text, 0, NULL);
    if (text) {
        LogLine(text);
        LocalFree(text);
        return;
    }
    char code[SIGNED_DECIMAL_SIZE];
    SignedDecimal(code, error);
    const char* parts[] = { LOG_UNKNOWN_ERROR_BEFORE, code, LOG_UNKNOWN_ERROR_AFTER };
    char line[260];
    JoinText(line, sizeof line, parts, 3);
    LogLine(line);
    LogLine(commandLine);
}

CommandStatus RunCommand(char* commandLine, DWORD waitLimit)
{
    STARTUPINFOA startup;
    ZeroMemory(&startup, sizeof startup);
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process;
    ZeroMemory(&process, sizeof process);

    if (!CreateProcessA(NULL, commandLine, NULL, NULL, FALSE, 0, NULL, NULL, &startup, &process)) {
        DWORD error = GetLastError();
        LogCommandStartFailure(error, commandLine);
        return StatusOfStartError(error);
    }

    DWORD exitCode = 0;
    if (waitLimit != 0) {
        WaitForSingleObject(process.hProcess, waitLimit);
        GetExitCodeProcess(process.hProcess, &exitCode);
    }
    // A program that runs on keeps running without our handles to it.
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return waitLimit != 0 ? StatusOfExitCode(exitCode) : 0;
}
