#include "shell_lookup.h"

#include <stdio.h>
#include <string.h>

void ShellFinds(const Machine* m, char out[MAX_PATH])
{
    out[0] = 0;
    char path[MAX_PATH];
    char* name;
    sprintf(path, "%.240s\\zqdrvtl.exe", m->pack);
    const DWORD found = SearchPathA(NULL, "zqdrvtl.exe", NULL, MAX_PATH, path + 0, &name);
    if (GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES || (found && found < MAX_PATH)) {
        strcpy(out, path);
        return;
    }
    HKEY key;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\zqdrvtl.exe", 0,
            KEY_READ, &key)
        != ERROR_SUCCESS)
        return;
    DWORD size = MAX_PATH - 1;
    if (RegQueryValueExA(key, NULL, NULL, NULL, (BYTE*)path, &size) != ERROR_SUCCESS || !size)
        strcpy(path, "App Paths\\zqdrvtl.exe");
    path[size < MAX_PATH ? size : MAX_PATH - 1] = 0;
    strcpy(out, path);
    RegCloseKey(key);
}
