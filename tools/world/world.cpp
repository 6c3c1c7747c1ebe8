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

void LogFilePath(char out[MAX_PATH])
{
    UINT length = GetWindowsDirectoryA(out, MAX_PATH - 12);
    if (length == 0 || length >= MAX_PATH - 12)
        length = 0;
    memcpy(out + length, "\\ZQsetup.log", sizeof "\\ZQsetup.log");
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

int WaitsForSpooler(const char* version)
{
    static const char* const kBeforeNt4[] = { "win95", "win98", "nt351" };
    for (const char* name : kBeforeNt4)
        if (strcmp(version, name) == 0)
            return 0;
    return 1;
}

int SetServiceRunning(const char* name, int running)
{
    SC_HANDLE manager = OpenSCManagerA(NULL, NULL, SC_MANAGER_ALL_ACCESS);
    if (!manager)
        return 0;
    SC_HANDLE service = OpenServiceA(manager, name, SERVICE_ALL_ACCESS);
    int reached = 0;
    if (service) {
        SERVICE_STATUS status;
        if (running)
            StartServiceA(service, 0, NULL);
        else
            ControlService(service, SERVICE_CONTROL_STOP, &status);
        DWORD wanted = running ? SERVICE_RUNNING : SERVICE_STOPPED;
        for (int i = 0; i < 200 && !reached; ++i) {
            reached = QueryServiceStatus(service, &status) && status.dwCurrentState == wanted;
            if (!reached)
                Sleep(50);
        }
        CloseServiceHandle(service);
    }
    CloseServiceHandle(manager);
    return reached;
}

void DriverDirectory(const char* environment, char out[MAX_PATH])
{
    DWORD needed;
    out[0] = 0;
    if (!GetPrinterDriverDirectoryA(NULL, (LPSTR)environment, 1, (LPBYTE)out, MAX_PATH, &needed))
        out[0] = 0;
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

// Copies the double of that name into folder; tells whether it is there.
static int PlaceDouble(const char* name, const char* folder)
{
    char from[MAX_PATH], to[MAX_PATH];
    DoublePath(name, from);
    if (!from[0] || !folder[0] || strlen(folder) + strlen(name) + 2 > sizeof to)
        return 0;
    strcat(strcat(strcpy(to, folder), "\\"), name);
    return CopyFileA(from, to, FALSE) != 0;
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
