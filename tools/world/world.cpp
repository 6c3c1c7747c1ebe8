#include "world.h"

#include <string.h>

#include <winspool.h>

DWORD ReadFileInto(const char* path, char* buffer, DWORD size, int* cut)
{
    DWORD total = 0, got;
    char spare;
    if (cut)
        *cut = 0;
    HANDLE file = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, NULL, OPEN_EXISTING, 0, NULL);
    if (file == INVALID_HANDLE_VALUE)
        return 0;
    while (total < size && ReadFile(file, buffer + total, size - total, &got, NULL) && got > 0)
        total += got;
    if (cut && total == size && ReadFile(file, &spare, 1, &got, NULL) && got > 0)
        *cut = 1;
    CloseHandle(file);
    return total;
}

int WriteFileFrom(const char* path, const void* bytes, DWORD size)
{
    HANDLE file = CreateFileA(path, GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
    if (file == INVALID_HANDLE_VALUE)
        return 0;
    DWORD written = 0;
    const int wrote = WriteFile(file, bytes, size, &written, NULL) && written == size;
    CloseHandle(file);
    return wrote;
}

void WindowsFilePath(const char* name, char out[MAX_PATH])
{
    const UINT room = MAX_PATH - 1 - (UINT)strlen(name);
    UINT length = GetWindowsDirectoryA(out, room);
    if (length == 0 || length >= room)
        length = 0;
    out[length] = '\\';
    strcpy(out + length + 1, name);
}

void LogFilePath(char out[MAX_PATH])
{
    WindowsFilePath("ZQsetup.log", out);
}

void OwnFolder(char out[MAX_PATH])
{
    DWORD length = GetModuleFileNameA(NULL, out, MAX_PATH);
    if (length >= MAX_PATH)
        length = 0;
    out[length] = 0;
    char* slash = strrchr(out, '\\');
    if (slash)
        *slash = 0;
}

HANDLE CreateOutputFile(const char* path)
{
    SECURITY_ATTRIBUTES inherited = { sizeof inherited, NULL, TRUE };
    return CreateFileA(path, GENERIC_WRITE, FILE_SHARE_READ, &inherited, CREATE_ALWAYS, 0, NULL);
}

// Sets (or, for a null value, removes) one of Wine's settings for the named
// program: HKCU\Software\Wine\AppDefaults\<exe><subkey>, value name = value.
static void SetAppDefault(const char* exeName, const char* subkey, const char* name, const char* value)
{
    char keyPath[MAX_PATH];
    if (strlen(exeName) + strlen(subkey) + 40 > sizeof keyPath)
        return;
    strcpy(keyPath, "Software\\Wine\\AppDefaults\\");
    strcat(keyPath, exeName);
    strcat(keyPath, subkey);
    HKEY key;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, keyPath, 0, NULL, 0, KEY_ALL_ACCESS, NULL, &key, NULL) != 0)
        return;
    if (value)
        RegSetValueExA(key, name, 0, REG_SZ, (const BYTE*)value, (DWORD)strlen(value) + 1);
    else
        RegDeleteValueA(key, name);
    RegCloseKey(key);
}

void EmulateVersion(const char* exeName, const char* version)
{
    SetAppDefault(exeName, "", "Version", version);
}

void DisableDll(const char* exeName, const char* dll, int disabled)
{
    SetAppDefault(exeName, "\\DllOverrides", dll, disabled ? "" : NULL); // an empty override: never load it
}

void DriverDirectory(const char* environment, char out[MAX_PATH])
{
    DWORD needed;
    out[0] = 0;
    if (!GetPrinterDriverDirectoryA(NULL, (LPSTR)environment, 1, (LPBYTE)out, MAX_PATH, &needed))
        out[0] = 0;
}

FileMark MarkFile(const char* path)
{
    FileMark mark = { 0, 0, 2166136261u, 0 };
    HANDLE file = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, NULL, OPEN_EXISTING, 0, NULL);
    if (file == INVALID_HANDLE_VALUE) {
        const DWORD error = GetLastError();
        // Only these say that nothing is there; any other failure (held,
        // denied, a folder in its place) says that something is.
        if (error != ERROR_FILE_NOT_FOUND && error != ERROR_PATH_NOT_FOUND)
            mark.error = error ? error : ERROR_ACCESS_DENIED;
        return mark;
    }
    mark.exists = 1;
    static unsigned char block[65536];
    DWORD got;
    for (;;) {
        if (!ReadFile(file, block, sizeof block, &got, NULL)) {
            mark.error = GetLastError() ? GetLastError() : ERROR_READ_FAULT;
            break;
        }
        if (got == 0)
            break;
        for (DWORD i = 0; i < got; ++i)
            mark.sum = (mark.sum ^ block[i]) * 16777619u; // FNV-1a
        mark.size += got;
    }
    CloseHandle(file);
    return mark;
}

void DoublePath(const char* name, char out[MAX_PATH])
{
    OwnFolder(out);
    const size_t length = strlen(out);
    if (length + strlen(name) + sizeof "\\doubles\\" > MAX_PATH)
        out[0] = 0;
    else
        strcat(strcat(out + length, "\\doubles\\"), name);
}

int PlaceDouble(const char* name, const char* folder)
{
    char from[MAX_PATH], to[MAX_PATH];
    DoublePath(name, from);
    if (!from[0] || !folder[0] || strlen(folder) + strlen(name) + 2 > sizeof to)
        return 0;
    strcat(strcat(strcpy(to, folder), "\\"), name);
    return CopyFileA(from, to, FALSE) != 0;
}

int DeleteIfDouble(const char* path)
{
    const char* slash = strrchr(path, '\\');
    char double_[MAX_PATH];
    DoublePath(slash ? slash + 1 : path, double_);
    const FileMark there = MarkFile(path), ours = MarkFile(double_);
    if (!there.exists && !there.error)
        return 1;
    if (!double_[0] || there.error || ours.error || !ours.exists || there.size != ours.size || there.sum != ours.sum) {
        SetLastError(there.error ? there.error : ERROR_FILE_EXISTS);
        return 0; // not the double: someone's own file, never deleted
    }
    SetFileAttributesA(path, FILE_ATTRIBUTE_NORMAL);
    return DeleteFileA(path) != 0;
}

int TakeDoubleAway(const char* name, const char* folder)
{
    char from[MAX_PATH], path[MAX_PATH];
    DoublePath(name, from);
    if (!from[0] || !folder[0] || strlen(folder) + strlen(name) + 2 > sizeof path) {
        SetLastError(ERROR_FILENAME_EXCED_RANGE);
        return 0;
    }
    strcat(strcat(strcpy(path, folder), "\\"), name);
    return DeleteIfDouble(path);
}

int PlaceDoubles(const char* programDir)
{
    static const char* const kEnvironments[] = { "Windows NT x86", "Windows 4.0" };
    int placed = 1;
    for (const char* environment : kEnvironments) {
        char directory[MAX_PATH];
        DriverDirectory(environment, directory);
        placed = PlaceDouble("zqdrvtl.exe", directory) && placed;
    }
    if (!programDir || !programDir[0])
        return placed;
    CreateDirectoryA(programDir, NULL);
    return PlaceDouble("zqntadd.exe", programDir) && placed;
}
