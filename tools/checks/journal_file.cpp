#include "journal_file.h"

#include <stdio.h>

#include "journal_format.h"
#include "world/world.h"

static HANDLE g_journal = INVALID_HANDLE_VALUE;
static JournalText g_text;

void JournalPath(char out[MAX_PATH])
{
    WindowsFilePath("zqcheck.journal", out);
}

// The journal's writer: what it wrote, flushed to the disk; 0 on a failure,
// and what is short is not flushed.
static size_t WriteThrough(void* file, size_t at, const void* bytes, size_t size)
{
    DWORD written = 0;
    if (SetFilePointer((HANDLE)file, (LONG)at, NULL, FILE_BEGIN) != at
        || !WriteFile((HANDLE)file, bytes, (DWORD)size, &written, NULL))
        return 0;
    return written == size && FlushFileBuffers((HANDLE)file) ? written : 0;
}

// A new journal, at its full size; JOURNAL_FAILED when a disk too full for
// it refuses the run before the first change.
static JournalState MakeJournal(const char* path)
{
    HANDLE file = CreateFileA(path, GENERIC_READ | GENERIC_WRITE, 0, NULL, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, NULL);
    if (file == INVALID_HANDLE_VALUE) {
        const DWORD error = GetLastError();
        return SetLastError(error),
               error == ERROR_SHARING_VIOLATION || error == ERROR_FILE_EXISTS ? JOURNAL_BUSY : JOURNAL_FAILED;
    }
    if (!JournalMakeEmpty(&g_text, WriteThrough, file)) {
        // Nothing is changed yet, and it goes.
        const DWORD error = GetLastError();
        CloseHandle(file);
        DeleteFileA(path);
        return SetLastError(error ? error : ERROR_DISK_FULL), JOURNAL_FAILED;
    }
    g_journal = file;
    return JOURNAL_HELD;
}

JournalState JournalOpen(int make)
{
    char path[MAX_PATH];
    JournalPath(path);
    g_text.size = g_text.end = 0;
    g_text.count = 0;
    HANDLE file = CreateFileA(path, GENERIC_READ | GENERIC_WRITE, 0, NULL, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, NULL);
    const DWORD error = file == INVALID_HANDLE_VALUE ? GetLastError() : 0;
    if (error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION)
        return JOURNAL_BUSY;
    if (error && error != ERROR_FILE_NOT_FOUND && error != ERROR_PATH_NOT_FOUND)
        return SetLastError(error), JOURNAL_FAILED;
    if (error)
        return make ? MakeJournal(path) : JOURNAL_NONE;
    g_journal = file;
    DWORD got = 0;
    while (g_text.size < JOURNAL_READ_MOST
        && ReadFile(file, g_text.text + g_text.size, (DWORD)(JOURNAL_READ_MOST - g_text.size), &got, NULL) && got > 0)
        g_text.size += got;
    return JOURNAL_HELD;
}

int JournalReadable(SayLine say)
{
    static char line[4 * MAX_PATH];
    char path[MAX_PATH];
    JournalPath(path);
    const JournalReading reading = JournalRead(&g_text);
    if (reading == JOURNAL_WHOLE)
        return 1;
    if (reading == JOURNAL_FOREIGN)
        sprintf(
            line, "zqcheck: %.260s is not a journal of this zqcheck's version: it is kept, nothing is changed", path);
    else
        sprintf(line, "zqcheck: %.260s was changed by hand or is damaged: it is kept, nothing is changed", path);
    return say(line), 0;
}

int JournalReady(void)
{
    return g_journal != INVALID_HANDLE_VALUE && !g_text.count && JournalMakeEmpty(&g_text, WriteThrough, g_journal);
}

int JournalHasEntries(void)
{
    return g_text.count > 0;
}

void JournalClose(void)
{
    if (g_journal == INVALID_HANDLE_VALUE)
        return;
    CloseHandle(g_journal);
    g_journal = INVALID_HANDLE_VALUE;
    if (!g_text.count) {
        char path[MAX_PATH];
        JournalPath(path);
        DeleteFileA(path);
    }
}

int JournalAdd(const char* entry)
{
    return g_journal != INVALID_HANDLE_VALUE && JournalAppend(&g_text, entry, WriteThrough, g_journal) != NULL;
}

int JournalEntryCount(void)
{
    return g_text.count;
}

char* const* JournalEntries(void)
{
    return g_text.entries;
}

int JournalEmptied(void)
{
    g_text.count = 0;
    // Emptied, and still held: the run that follows writes into it.
    return g_journal == INVALID_HANDLE_VALUE || JournalMakeEmpty(&g_text, WriteThrough, g_journal);
}
