#include "journal.h"

#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include "row_run.h"
#include "world/world.h"

static const char kSaved[] = ".zqcheck-saved";
enum { ENTRY_SIZE = 3 * MAX_PATH, JOURNAL_SIZE = 64 * ENTRY_SIZE };

void JournalPath(char out[MAX_PATH])
{
    WindowsFilePath("zqcheck.journal", out);
}

int JournalExists(void)
{
    char path[MAX_PATH];
    JournalPath(path);
    return GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES;
}

int JournalAdd(const char* kind, const char* first, const char* second, DWORD third, DWORD fourth)
{
    char path[MAX_PATH], entry[ENTRY_SIZE];
    JournalPath(path);
    if (strlen(first) + (second ? strlen(second) : 0) + 64 > sizeof entry)
        return 0;
    if (second)
        sprintf(entry, "%s|%s|%s|%lu|%lu\r\n", kind, first, second, (unsigned long)third, (unsigned long)fourth);
    else
        sprintf(entry, "%s|%s\r\n", kind, first);
    HANDLE file = CreateFileA(path, GENERIC_WRITE, 0, NULL, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
    if (file == INVALID_HANDLE_VALUE)
        return 0;
    DWORD written = 0;
    const DWORD size = (DWORD)strlen(entry);
    const int done = SetFilePointer(file, 0, NULL, FILE_END) != INVALID_SET_FILE_POINTER
        && WriteFile(file, entry, size, &written, NULL) && written == size && FlushFileBuffers(file);
    CloseHandle(file);
    return done;
}

int MakeOwnFolder(const char* path)
{
    return JournalAdd("folder", path, NULL, 0, 0) && CreateDirectoryA(path, NULL);
}

int NoteOwnKey(const char* path)
{
    return JournalAdd("key", path, NULL, 0, 0);
}

void AsidePath(const char* path, char out[MAX_PATH])
{
    out[0] = 0;
    if (strlen(path) + sizeof kSaved <= MAX_PATH)
        sprintf(out, "%s%s", path, kSaved);
}

int SetFileAside(const char* path)
{
    char aside[MAX_PATH];
    AsidePath(path, aside);
    if (!aside[0])
        return 0;
    const FileMark mark = MarkFile(path);
    if (mark.error) // there, but not to be read: not to be set aside, nor taken for absent
        return SetLastError(mark.error), 0;
    if (!mark.exists)
        aside[0] = 0;
    // A copy already there is someone's: a restore would put it over theirs.
    if (mark.exists && GetFileAttributesA(aside) != INVALID_FILE_ATTRIBUTES)
        return 0;
    if (!JournalAdd("file", path, aside, mark.size, mark.sum))
        return 0;
    return !mark.exists || MoveFileA(path, aside);
}

int NoteService(const char* name, int running, DWORD startType)
{
    return JournalAdd("service", name, running ? "1" : "0", startType, 0);
}

int NoteRun(const char* record)
{
    return JournalAdd("run", record, NULL, 0, 0);
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

int ServiceState(const char* name, int* running, DWORD* startType)
{
    SC_HANDLE manager = OpenSCManagerA(NULL, NULL, SC_MANAGER_CONNECT);
    if (!manager)
        return 0;
    SC_HANDLE service = OpenServiceA(manager, name, SERVICE_QUERY_STATUS | SERVICE_QUERY_CONFIG);
    int known = 0;
    if (service) {
        SERVICE_STATUS status;
        static union {
            QUERY_SERVICE_CONFIGA config;
            char bytes[8192];
        } config;
        DWORD needed;
        if (QueryServiceStatus(service, &status)
            && QueryServiceConfigA(service, &config.config, sizeof config, &needed)) {
            *running = status.dwCurrentState == SERVICE_RUNNING;
            *startType = config.config.dwStartType;
            known = 1;
        }
        CloseServiceHandle(service);
    }
    CloseServiceHandle(manager);
    return known;
}

static int SetStartType(const char* name, DWORD startType)
{
    SC_HANDLE manager = OpenSCManagerA(NULL, NULL, SC_MANAGER_CONNECT);
    if (!manager)
        return 0;
    SC_HANDLE service = OpenServiceA(manager, name, SERVICE_CHANGE_CONFIG);
    int done = 0;
    if (service) {
        done = ChangeServiceConfigA(
            service, SERVICE_NO_CHANGE, startType, SERVICE_NO_CHANGE, NULL, NULL, NULL, NULL, NULL, NULL, NULL);
        CloseServiceHandle(service);
    }
    CloseServiceHandle(manager);
    return done;
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

// Undoes one entry; tells whether what it changed is as it was.
static int Undo(char* entry, SayLine say)
{
    char* f[5];
    const int n = Fields(entry, f, 5);
    static char line[4 * MAX_PATH];
    if (strcmp(f[0], "run") == 0 && n == 2) {
        EndRunLeftovers(f[1]);
        return 1;
    } else if (strcmp(f[0], "folder") == 0 && n == 2) {
        if (RemoveFolderTree(f[1]))
            return 1;
        sprintf(line, "the folder %.300s could not be removed", f[1]);
    } else if (strcmp(f[0], "key") == 0 && n == 2) {
        if (DeleteKeyTree(HKEY_LOCAL_MACHINE, f[1]))
            return 1;
        sprintf(line, "the key HKEY_LOCAL_MACHINE\\%.300s could not be removed", f[1]);
    } else if (strcmp(f[0], "file") == 0 && n == 5) {
        const int wasThere = f[2][0] != 0;
        // A run stopped between this entry and the move left the file itself
        // in place: that file is the one to keep, not to remove.
        const int aside = wasThere && GetFileAttributesA(f[2]) != INVALID_FILE_ATTRIBUTES;
        if (!wasThere || aside) {
            // What the run left there (a file, or a folder standing in for the log) goes.
            SetFileAttributesA(f[1], FILE_ATTRIBUTE_NORMAL);
            DeleteFileA(f[1]);
            RemoveDirectoryA(f[1]);
        }
        if (aside)
            MoveFileA(f[2], f[1]);
        const FileMark mark = MarkFile(f[1]);
        if (mark.exists == wasThere
            && (!wasThere || (mark.size == strtoul(f[3], NULL, 10) && mark.sum == strtoul(f[4], NULL, 10))))
            return 1;
        sprintf(line,
            wasThere ? "%.300s is not as it was (its copy is %.300s)" : "%.300s was not there and could not be removed",
            f[1], f[2]);
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

int Restore(SayLine say)
{
    char path[MAX_PATH];
    JournalPath(path);
    static char journal[JOURNAL_SIZE];
    int cut = 0;
    const DWORD size = ReadFileInto(path, journal, sizeof journal - 1, &cut);
    if (cut) {
        say("the journal is too long to be zqcheck's own: nothing was undone");
        return 0;
    }
    journal[size] = 0;
    char* entries[64];
    int count = 0;
    for (char* line = journal; *line && count < 64;) {
        char* end = strstr(line, "\r\n");
        if (!end)
            break; // an entry cut short by the crash: its change was never made
        *end = 0;
        entries[count++] = line;
        line = end + 2;
    }
    int asItWas = 1;
    for (int i = count - 1; i >= 0; --i)
        asItWas = Undo(entries[i], say) && asItWas;
    if (asItWas)
        DeleteFileA(path);
    return asItWas;
}
