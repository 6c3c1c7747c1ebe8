#include "journal.h"

#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include "row_run.h"
#include "world/world.h"

static const char kSaved[] = ".zqcheck-saved";
static const char kHeader[] = "zqcheck journal 2\r\n";
static const char kBootKey[] = "SOFTWARE\\ZqCheck.boot";
// A machine booted again is one whose recorded processes are gone, and whose
// process ids name others: within this many seconds the boot is the same.
enum {
    ENTRY_SIZE = 3 * MAX_PATH,
    MOST_ENTRIES = 64,
    JOURNAL_SIZE = MOST_ENTRIES * ENTRY_SIZE,
    BOOT_SLACK_S = 120,
    HURRY_MS = 3000
};

static HANDLE g_journal = INVALID_HANDLE_VALUE;
static char g_text[JOURNAL_SIZE + 1];
static DWORD g_size; // bytes read
static DWORD g_end; // where the next entry goes: after the last whole one
static char* g_entries[MOST_ENTRIES];
static int g_count;

void JournalPath(char out[MAX_PATH])
{
    WindowsFilePath("zqcheck.journal", out);
}

static DWORD Checksum(const char* bytes, size_t size)
{
    DWORD sum = 2166136261u;
    for (size_t i = 0; i < size; ++i)
        sum = (sum ^ (unsigned char)bytes[i]) * 16777619u; // FNV-1a, as the files' marks
    return sum;
}

static int Flushed(HANDLE file, DWORD at, const void* bytes, DWORD size)
{
    DWORD written = 0;
    return SetFilePointer(file, (LONG)at, NULL, FILE_BEGIN) == at && WriteFile(file, bytes, size, &written, NULL)
        && written == size && FlushFileBuffers(file);
}

// Makes the journal at its full size: the header, then zero bytes.
static int MakeFull(HANDLE file)
{
    static char zeros[JOURNAL_SIZE];
    ZeroMemory(zeros, sizeof zeros);
    memcpy(zeros, kHeader, sizeof kHeader - 1);
    g_end = sizeof kHeader - 1;
    return Flushed(file, 0, zeros, sizeof zeros);
}

JournalState JournalOpen(int make)
{
    char path[MAX_PATH];
    JournalPath(path);
    g_size = g_end = 0;
    g_count = 0;
    HANDLE file = CreateFileA(path, GENERIC_READ | GENERIC_WRITE, 0, NULL, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, NULL);
    DWORD error = file == INVALID_HANDLE_VALUE ? GetLastError() : 0;
    if (error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION)
        return JOURNAL_BUSY;
    if (error && error != ERROR_FILE_NOT_FOUND && error != ERROR_PATH_NOT_FOUND)
        return SetLastError(error), JOURNAL_FAILED;
    if (error) {
        if (!make)
            return JOURNAL_NONE;
        file = CreateFileA(path, GENERIC_READ | GENERIC_WRITE, 0, NULL, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, NULL);
        if (file == INVALID_HANDLE_VALUE) {
            error = GetLastError();
            return SetLastError(error),
                   error == ERROR_SHARING_VIOLATION || error == ERROR_FILE_EXISTS ? JOURNAL_BUSY : JOURNAL_FAILED;
        }
        if (!MakeFull(file)) {
            // A disk too full for it: nothing is changed yet, and it goes.
            error = GetLastError();
            CloseHandle(file);
            DeleteFileA(path);
            return SetLastError(error ? error : ERROR_DISK_FULL), JOURNAL_FAILED;
        }
        g_journal = file;
        return JOURNAL_HELD;
    }
    g_journal = file;
    DWORD got = 0;
    while (g_size < sizeof g_text && ReadFile(file, g_text + g_size, sizeof g_text - g_size, &got, NULL) && got > 0)
        g_size += got;
    return JOURNAL_HELD;
}

static int AllZero(const char* from, const char* end)
{
    for (; from < end; ++from)
        if (*from)
            return 0;
    return 1;
}

int JournalReadable(SayLine say)
{
    static char line[4 * MAX_PATH];
    char path[MAX_PATH];
    JournalPath(path);
    g_count = 0;
    g_end = sizeof kHeader - 1;
    char* const end = g_text + g_size;
    *end = 0;
    // Cut while it was made: the start of the header, then zero bytes.
    const DWORD headerPart = g_size < g_end ? g_size : g_end;
    if (memcmp(g_text, kHeader, headerPart) == 0 && (g_size <= g_end || AllZero(g_text + headerPart, end)))
        return 1;
    if (g_size > JOURNAL_SIZE || memcmp(g_text, kHeader, g_end) != 0) {
        sprintf(
            line, "zqcheck: %.260s is not a journal of this zqcheck's version: it is kept, nothing is changed", path);
        return say(line), 0;
    }
    for (char* at = g_text + g_end; at < end && *at && g_count < MOST_ENTRIES;) {
        char* stop = at;
        while (stop < end && *stop && !(stop[0] == '\r' && stop + 1 < end && stop[1] == '\n'))
            ++stop;
        if (stop >= end || !*stop) {
            // Cut short by a power failure: zero bytes follow, and its change was never made.
            if (AllZero(stop, end))
                return 1;
            break;
        }
        char* bar = stop;
        while (bar > at && *bar != '|')
            --bar;
        char sum[9];
        sprintf(sum, "%08lx", (unsigned long)Checksum(at, (size_t)(bar - at)));
        if (*bar != '|' || stop - bar != 9 || memcmp(bar + 1, sum, 8) != 0)
            break;
        *bar = 0;
        g_entries[g_count++] = at;
        at = stop + 2;
        g_end = (DWORD)(at - g_text);
    }
    if (AllZero(g_text + g_end, end))
        return 1;
    sprintf(line, "zqcheck: %.260s was changed by hand or is damaged: it is kept, nothing is changed", path);
    return say(line), 0;
}

int JournalReady(void)
{
    return g_journal != INVALID_HANDLE_VALUE && !g_count && MakeFull(g_journal);
}

int JournalHasEntries(void)
{
    return g_count > 0;
}

void JournalClose(void)
{
    if (g_journal == INVALID_HANDLE_VALUE)
        return;
    CloseHandle(g_journal);
    g_journal = INVALID_HANDLE_VALUE;
    if (!g_count) {
        char path[MAX_PATH];
        JournalPath(path);
        DeleteFileA(path);
    }
}

static char* Add(const char* entry)
{
    char line[ENTRY_SIZE + 16];
    const size_t length = strlen(entry);
    if (g_journal == INVALID_HANDLE_VALUE || g_count >= MOST_ENTRIES || length + 16 > sizeof line
        || g_end + length + 11 > JOURNAL_SIZE)
        return NULL;
    sprintf(line, "%s|%08lx\r\n", entry, (unsigned long)Checksum(entry, length));
    const DWORD size = (DWORD)strlen(line);
    if (!Flushed(g_journal, g_end, line, size))
        return NULL;
    memcpy(g_text + g_end, line, size);
    g_text[g_end + length] = 0;
    g_entries[g_count++] = g_text + g_end;
    g_end += size;
    return g_entries[g_count - 1];
}

static int AddEntry(const char* kind, const char* first, const char* second, DWORD third, DWORD fourth)
{
    char entry[ENTRY_SIZE];
    if (strlen(first) + (second ? strlen(second) : 0) + 64 > sizeof entry)
        return 0;
    if (second)
        sprintf(entry, "%s|%s|%s|%lu|%lu", kind, first, second, (unsigned long)third, (unsigned long)fourth);
    else
        sprintf(entry, "%s|%s", kind, first);
    return Add(entry) != NULL;
}

void ChangeMade(const char* what)
{
#ifdef ZQ_KILL_HOOK
    static long made;
    char text[16], line[128];
    ++made;
    // The changes, numbered, for the tests to choose where to kill.
    if (GetEnvironmentVariableA("ZQCHECK_CHANGES", text, sizeof text)) {
        DWORD written;
        sprintf(line, "change %ld %.100s\r\n", made, what);
        WriteFile(GetStdHandle(STD_ERROR_HANDLE), line, (DWORD)strlen(line), &written, NULL);
    }
    if (GetEnvironmentVariableA("ZQCHECK_KILL_AFTER", text, sizeof text) && made == (long)strtoul(text, NULL, 10))
        TerminateProcess(GetCurrentProcess(), 9);
#else
    (void)what;
#endif
}

static void RestoreStepMade(void)
{
#ifdef ZQ_KILL_HOOK
    static long made;
    char text[16];
    if (GetEnvironmentVariableA("ZQCHECK_KILL_RESTORE_AFTER", text, sizeof text)
        && ++made == (long)strtoul(text, NULL, 10))
        TerminateProcess(GetCurrentProcess(), 9);
#endif
}

// The boot time in whole seconds since 1601, from now less the time since boot.
static DWORD BootSeconds(void)
{
    FILETIME now;
    GetSystemTimeAsFileTime(&now);
    ULARGE_INTEGER t;
    t.LowPart = now.dwLowDateTime;
    t.HighPart = now.dwHighDateTime;
    return (DWORD)(t.QuadPart / 10000000u) - GetTickCount() / 1000;
}

int NoteBoot(void)
{
    // NT keeps volatile keys until the next boot; 9x has none.
    const int nt = GetVersion() < 0x80000000u;
    char entry[64];
    sprintf(entry, "boot|%s|%lu", nt ? kBootKey : "", (unsigned long)BootSeconds());
    if (!Add(entry))
        return 0;
    if (nt) {
        HKEY key;
        if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, kBootKey, 0, NULL, REG_OPTION_VOLATILE, KEY_READ, NULL, &key, NULL)
            != ERROR_SUCCESS)
            return 0;
        RegCloseKey(key);
    }
    ChangeMade("boot");
    return 1;
}

// Whether the machine has not booted since the journal's boot entry.
static int SameBoot(void)
{
    for (int i = 0; i < g_count; ++i) {
        if (memcmp(g_entries[i], "boot|", 5) != 0) // within the journal's buffer, whatever its length
            continue;
        const char* key = g_entries[i] + 5;
        const char* bar = strchr(key, '|');
        if (!bar)
            return 0;
        if (bar != key) {
            char path[MAX_PATH];
            lstrcpynA(path, key, (int)(bar - key + 1 < MAX_PATH ? bar - key + 1 : MAX_PATH));
            HKEY opened;
            if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, path, 0, KEY_READ, &opened) != ERROR_SUCCESS)
                return 0;
            RegCloseKey(opened);
            return 1;
        }
        const long apart = (long)(BootSeconds() - strtoul(bar + 1, NULL, 10));
        return apart > -BOOT_SLACK_S && apart < BOOT_SLACK_S;
    }
    return 0; // no boot written down: never taken for the same
}

int MoveDurably(const char* from, const char* to)
{
    typedef BOOL(WINAPI * MoveEx)(LPCSTR, LPCSTR, DWORD);
    const MoveEx moveEx = (MoveEx)(void*)GetProcAddress(GetModuleHandleA("kernel32.dll"), "MoveFileExA");
    // 9x exports MoveFileExA but does not carry it out.
    if (!(GetVersion() < 0x80000000u && moveEx && moveEx(from, to, MOVEFILE_WRITE_THROUGH)) && !MoveFileA(from, to))
        return 0;
    HANDLE file = CreateFileA(to, GENERIC_WRITE, FILE_SHARE_READ, NULL, OPEN_EXISTING, 0, NULL);
    if (file != INVALID_HANDLE_VALUE) {
        FlushFileBuffers(file);
        CloseHandle(file);
    }
    return 1;
}

int CopyDurably(const char* from, const char* to)
{
    if (!CopyFileA(from, to, FALSE))
        return 0;
    HANDLE file = CreateFileA(to, GENERIC_WRITE, FILE_SHARE_READ, NULL, OPEN_EXISTING, 0, NULL);
    if (file == INVALID_HANDLE_VALUE)
        return 0;
    const int flushed = FlushFileBuffers(file);
    CloseHandle(file);
    return flushed;
}

int MakeOwnFolder(const char* path)
{
    if (!AddEntry("folder", path, NULL, 0, 0) || !CreateDirectoryA(path, NULL))
        return 0;
    ChangeMade("folder");
    return 1;
}

int NoteOwnKey(const char* path)
{
    if (!AddEntry("key", path, NULL, 0, 0))
        return 0;
    ChangeMade("key");
    return 1;
}

void AsidePath(const char* path, char out[MAX_PATH])
{
    out[0] = 0;
    if (strlen(path) + sizeof kSaved <= MAX_PATH)
        sprintf(out, "%s%s", path, kSaved);
}

static int SetAside(const char* kind, const char* path)
{
    char aside[MAX_PATH];
    AsidePath(path, aside);
    if (!aside[0])
        return SetLastError(ERROR_FILENAME_EXCED_RANGE), 0;
    const FileMark mark = MarkFile(path);
    if (mark.error) // there, but not to be read: neither set aside nor taken for absent
        return SetLastError(mark.error), 0;
    if (!mark.exists)
        aside[0] = 0;
    // A copy already there is someone's: a restore would put it over theirs.
    if (mark.exists && GetFileAttributesA(aside) != INVALID_FILE_ATTRIBUTES)
        return SetLastError(ERROR_ALREADY_EXISTS), 0;
    if (!AddEntry(kind, path, aside, mark.size, mark.sum))
        return 0;
    if (mark.exists && !MoveDurably(path, aside))
        return 0;
    ChangeMade(kind);
    return 1;
}

int SetFileAside(const char* path)
{
    return SetAside("file", path);
}

int SetToolAside(const char* path)
{
    const char* name = strrchr(path, '\\');
    char from[MAX_PATH];
    DoublePath(name ? name + 1 : path, from);
    if (!SetAside("tool", path) || !CopyDurably(from, path))
        return 0;
    ChangeMade("tool: the double");
    return 1;
}

int NoteService(const char* name, int running, DWORD startType)
{
    if (!AddEntry("service", name, running ? "1" : "0", startType, 0))
        return 0;
    ChangeMade("service");
    return 1;
}

int NoteRun(const char* record)
{
    if (!AddEntry("run", record, NULL, 0, 0))
        return 0;
    ChangeMade("run");
    return 1;
}

int RemoveFolderTree(const char* path)
{
    char pattern[MAX_PATH], child[2 * MAX_PATH];
    if (strlen(path) + 3 > sizeof pattern)
        return 0;
    sprintf(pattern, "%s\\*", path);
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA(pattern, &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            if (strcmp(found.cFileName, ".") == 0 || strcmp(found.cFileName, "..") == 0
                || strlen(path) + strlen(found.cFileName) + 2 > sizeof child)
                continue;
            sprintf(child, "%s\\%s", path, found.cFileName);
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                RemoveFolderTree(child);
            else {
                SetFileAttributesA(child, FILE_ATTRIBUTE_NORMAL);
                DeleteFileA(child);
            }
        } while (FindNextFileA(search, &found));
        FindClose(search);
    }
    RemoveDirectoryA(path);
    return GetFileAttributesA(path) == INVALID_FILE_ATTRIBUTES;
}

// The fields of one entry, split in place.
static int Fields(char* entry, char** fields, int most)
{
    int count = 0;
    fields[count++] = entry;
    for (char* p = entry; *p && count < most; ++p)
        if (*p == '|') {
            *p = 0;
            fields[count++] = p + 1;
        }
    return count;
}

// Puts back a file set aside (kind "file" or "tool"); tells whether it is as it was.
static int UndoFile(char** f, int tool, char* line)
{
    const int wasThere = f[2][0] != 0;
    // A run stopped between the entry and the move left the file itself in
    // place: that file is the one to keep, not to remove.
    const int aside = wasThere && GetFileAttributesA(f[2]) != INVALID_FILE_ATTRIBUTES;
    if (!wasThere || aside) {
        if (tool) {
            // Only the double goes: anything else there is someone's.
            if (!DeleteIfDouble(f[1])) {
                sprintf(line, "%.300s is not the double zqcheck put there: it is left as it is", f[1]);
                return 0;
            }
        } else {
            // What the run left there (a file, or a folder standing in for the log) goes.
            SetFileAttributesA(f[1], FILE_ATTRIBUTE_NORMAL);
            DeleteFileA(f[1]);
            RemoveDirectoryA(f[1]);
        }
    }
    if (aside)
        MoveDurably(f[2], f[1]);
    const FileMark mark = MarkFile(f[1]);
    if (!mark.error && mark.exists == wasThere
        && (!wasThere || (mark.size == strtoul(f[3], NULL, 10) && mark.sum == strtoul(f[4], NULL, 10))))
        return 1;
    sprintf(line,
        wasThere ? "%.300s is not as it was (its copy is %.300s)" : "%.300s was not there and could not be removed",
        f[1], f[2]);
    return 0;
}

// Undoes one entry; tells whether what it changed is as it was.
static int Undo(char* entry, int sameBoot, SayLine say)
{
    static char copy[ENTRY_SIZE];
    lstrcpynA(copy, entry, sizeof copy); // the entry stays whole for a later try
    char* f[5];
    const int n = Fields(copy, f, 5);
    static char line[4 * MAX_PATH];
    if (strcmp(f[0], "boot") == 0 && n == 3) {
        if (!f[1][0] || DeleteKeyTree(HKEY_LOCAL_MACHINE, f[1]))
            return 1;
        sprintf(line, "the key HKEY_LOCAL_MACHINE\\%.300s could not be removed", f[1]);
    } else if (strcmp(f[0], "run") == 0 && n == 2) {
        // After a boot the ids name other processes: none is ended then.
        EndRunLeftovers(f[1], sameBoot);
        return 1;
    } else if (strcmp(f[0], "folder") == 0 && n == 2) {
        if (RemoveFolderTree(f[1]))
            return 1;
        sprintf(line, "the folder %.300s could not be removed", f[1]);
    } else if (strcmp(f[0], "key") == 0 && n == 2) {
        if (DeleteKeyTree(HKEY_LOCAL_MACHINE, f[1]))
            return 1;
        sprintf(line, "the key HKEY_LOCAL_MACHINE\\%.300s could not be removed", f[1]);
    } else if ((strcmp(f[0], "file") == 0 || strcmp(f[0], "tool") == 0) && n == 5) {
        if (UndoFile(f, f[0][0] == 't', line))
            return 1;
    } else if (strcmp(f[0], "service") == 0 && n == 5) {
        const int wasRunning = strcmp(f[2], "1") == 0;
        const DWORD startType = strtoul(f[3], NULL, 10);
        int running;
        DWORD nowType;
        if (ServiceState(f[1], &running, &nowType) && nowType != startType)
            SetStartType(f[1], startType);
        SetServiceRunning(f[1], wasRunning);
        if (ServiceState(f[1], &running, &nowType) && running == wasRunning && nowType == startType)
            return 1;
        sprintf(line, "the service %.100s is not as it was (%s, start type %lu)", f[1],
            wasRunning ? "running" : "stopped", (unsigned long)startType);
    } else {
        sprintf(line, "a journal entry that zqcheck does not know: %.200s", f[0]);
    }
    say(line);
    return 0;
}

int Restore(SayLine say, volatile LONG* hurry)
{
    DWORD hurried = 0; // when the hurry was first seen
    const int sameBoot = SameBoot();
    int asItWas = 1;
    // Last first; what does not fit in the time stays in the journal, whole,
    // for the next start.
    int i = g_count - 1;
    for (; i >= 0; --i) {
        if (*hurry && !hurried)
            hurried = GetTickCount() | 1;
        if (hurried && GetTickCount() - hurried > HURRY_MS)
            break;
        asItWas = Undo(g_entries[i], sameBoot, say) && asItWas;
        RestoreStepMade();
    }
    if (i >= 0 || !asItWas)
        return 0;
    g_count = 0;
    // Emptied, and still held: the run that follows writes into it.
    return g_journal == INVALID_HANDLE_VALUE || MakeFull(g_journal);
}
