#include "durable_files.h"

#include <stdio.h>
#include <string.h>

#include <windows.h>

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
