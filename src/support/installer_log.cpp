#include "installer_log.h"

#include <windows.h>

#include "code_page.h"
#include "log_path.h"

static char g_logPath[LOG_PATH_SIZE];

void LogLine(const char* text)
{
    // Built again on every call: the writer keeps nothing between lines.
    UINT reported = GetWindowsDirectoryA(g_logPath, LOG_PATH_SIZE);
    if (!ComposeLogPath(g_logPath, reported, IsSystemLeadByte))
        return;

    HANDLE file = CreateFileA(g_logPath, GENERIC_WRITE, 0, NULL, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
    if (file == INVALID_HANDLE_VALUE)
        return;
    SetFilePointer(file, 0, NULL, FILE_END);
    if (!text)
        text = "CRITICAL ERROR! Attempt to write NULL string to uninstaller log!";
    DWORD written;
    WriteFile(file, text, TextLength(text), &written, NULL);
    WriteFile(file, "\r\n", 2, &written, NULL);
    CloseHandle(file);
}
