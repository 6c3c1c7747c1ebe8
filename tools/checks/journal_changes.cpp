#include "journal_changes.h"

#include <stdio.h>
#include <string.h>

#include "durable_files.h"
#include "journal_file.h"
#include "journal_format.h"
#include "kill_hook.h"
#include "world/world.h"

static const char kSaved[] = ".zqcheck-saved";
static const char kBootKey[] = "SOFTWARE\\ZqCheck.boot";

static int AddEntry(const char* kind, const char* first, const char* second, DWORD third, DWORD fourth)
{
    char entry[JOURNAL_ENTRY_SIZE];
    return JournalEntryText(entry, kind, first, second, third, fourth) && JournalAdd(entry);
}

DWORD BootSeconds(void)
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
    if (!JournalAdd(entry))
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
