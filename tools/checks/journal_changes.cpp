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

// A change made, once it is: a test build's kill hook counts it. 1, so that
// it ends a chain of steps.
static int Made(const char* what)
{
    ChangeMade(what);
    return 1;
}

// A change whose entry is all there is to it here: the state found, or
// what the run makes later under a name the journal holds already.
static int Journaled(const char* kind, const char* first, const char* second, DWORD third)
{
    return AddEntry(kind, first, second, third, 0) && Made(kind);
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
    return Made("boot");
}

int MakeOwnFolder(const char* path)
{
    return AddEntry("folder", path, NULL, 0, 0) && CreateDirectoryA(path, NULL) && Made("folder");
}

int NoteOwnKey(const char* path)
{
    return Journaled("key", path, NULL, 0);
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
    return (!mark.exists || MoveDurably(path, aside)) && Made(kind);
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
    return SetAside("tool", path) && CopyDurably(from, path) && Made("tool: the double");
}

int NoteService(const char* name, int running, DWORD startType)
{
    return Journaled("service", name, running ? "1" : "0", startType);
}

int NoteRun(const char* record)
{
    return Journaled("run", record, NULL, 0);
}
