#include "installer_log.h"

#include <windows.h>

#include "code_page.h"
#include "log_path.h"
#include "log_texts.h"

enum {
    // A peer that holds the log (a child of a tool that is still closing it,
    // the fax stage's tool) is waited for this long, then the line is dropped.
    SHARED_RETRY_MS = 50,
    SHARED_RETRIES = 10,
};

static char g_logPath[LOG_PATH_SIZE];

void LogLine(const char* text)
{
    // Built again on every call: the writer keeps nothing between lines.
    UINT reported = GetWindowsDirectoryA(g_logPath, LOG_PATH_SIZE);
    if (!ComposeLogPath(g_logPath, reported, IsSystemLeadByte))
        return;

    // Readers (a log viewer) are let in; other writers are not, so that no
    // two lines ever interleave.
    HANDLE file;
    for (int retries = 0;; ++retries) {
        file = CreateFileA(g_logPath, GENERIC_WRITE, FILE_SHARE_READ, NULL, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
        if (file != INVALID_HANDLE_VALUE)
            break;
        if (GetLastError() != ERROR_SHARING_VIOLATION || retries == SHARED_RETRIES)
            return;
        Sleep(SHARED_RETRY_MS);
    }
    SetFilePointer(file, 0, NULL, FILE_END);
    if (!text)
        text = LOG_NULL_TEXT;
    DWORD written;
    WriteFile(file, text, TextLength(text), &written, NULL);
    WriteFile(file, "\r\n", 2, &written, NULL);
    CloseHandle(file);
}
