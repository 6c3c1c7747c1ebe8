#include "machine.h"

#include <stdio.h>
#include <string.h>

#include "world/world.h"

static const char* VersionName(const OSVERSIONINFOA* v)
{
    const DWORD major = v->dwMajorVersion, minor = v->dwMinorVersion;
    if (v->dwPlatformId == VER_PLATFORM_WIN32_WINDOWS)
        return minor < 10 ? "win95" : minor < 90 ? "win98" : "winme";
    if (major == 3)
        return "nt351";
    if (major == 4)
        return "nt40";
    if (major == 5)
        return minor == 0 ? "win2k" : minor == 1 ? "winxp" : "win2003";
    if (major == 6)
        return minor == 0 ? "vista" : minor == 1 ? "win7" : minor == 2 ? "win8" : "win81";
    return major == 10 ? "win10" : "unknown";
}

// Wine's own export, which no Windows has; its version when there is one.
static const char* WineVersion(void)
{
    typedef const char*(CDECL * Version)(void);
    HMODULE ntdll = GetModuleHandleA("ntdll.dll");
    Version version = ntdll ? (Version)(void*)GetProcAddress(ntdll, "wine_get_version") : NULL;
    return version ? version() : NULL;
}

// Whether this process's token holds the Administrators group, enabled.
// NT 3.51 and 4.0 have no CheckTokenMembership, so the groups are read. The
// calls are NT's own, looked up here, so that the loader of 9x never meets them.
int IsAdministrator(void)
{
    typedef BOOL(WINAPI * OpenToken)(HANDLE, DWORD, PHANDLE);
    typedef BOOL(WINAPI * TokenInformation)(HANDLE, TOKEN_INFORMATION_CLASS, LPVOID, DWORD, PDWORD);
    typedef BOOL(WINAPI * MakeSid)(
        PSID_IDENTIFIER_AUTHORITY, BYTE, DWORD, DWORD, DWORD, DWORD, DWORD, DWORD, DWORD, DWORD, PSID*);
    typedef BOOL(WINAPI * SameSid)(PSID, PSID);
    typedef PVOID(WINAPI * DropSid)(PSID);
    HMODULE advapi32 = GetModuleHandleA("advapi32.dll");
    if (!advapi32)
        return 0;
    const OpenToken openToken = (OpenToken)(void*)GetProcAddress(advapi32, "OpenProcessToken");
    const TokenInformation information = (TokenInformation)(void*)GetProcAddress(advapi32, "GetTokenInformation");
    const MakeSid makeSid = (MakeSid)(void*)GetProcAddress(advapi32, "AllocateAndInitializeSid");
    const SameSid sameSid = (SameSid)(void*)GetProcAddress(advapi32, "EqualSid");
    const DropSid dropSid = (DropSid)(void*)GetProcAddress(advapi32, "FreeSid");
    HANDLE token;
    if (!openToken || !information || !makeSid || !sameSid || !dropSid
        || !openToken(GetCurrentProcess(), TOKEN_QUERY, &token))
        return 0;
    DWORD size = 0;
    information(token, TokenGroups, NULL, 0, &size);
    TOKEN_GROUPS* groups = size ? (TOKEN_GROUPS*)LocalAlloc(LMEM_FIXED, size) : NULL;
    SID_IDENTIFIER_AUTHORITY nt = { SECURITY_NT_AUTHORITY };
    PSID admins = NULL;
    int found = 0;
    if (groups && information(token, TokenGroups, groups, size, &size)
        && makeSid(&nt, 2, SECURITY_BUILTIN_DOMAIN_RID, DOMAIN_ALIAS_RID_ADMINS, 0, 0, 0, 0, 0, 0, &admins)) {
        for (DWORD i = 0; i < groups->GroupCount && !found; ++i)
            found = sameSid(groups->Groups[i].Sid, admins) && (groups->Groups[i].Attributes & SE_GROUP_ENABLED)
                && !(groups->Groups[i].Attributes & SE_GROUP_USE_FOR_DENY_ONLY);
        dropSid(admins);
    }
    if (groups)
        LocalFree(groups);
    CloseHandle(token);
    return found;
}

void LookAround(Machine* m)
{
    ZeroMemory(m, sizeof *m);
    m->version.dwOSVersionInfoSize = sizeof m->version;
    GetVersionExA(&m->version);
    m->name = VersionName(&m->version);
    m->wine = WineVersion();
    m->nt = m->version.dwPlatformId == VER_PLATFORM_WIN32_NT;
    m->nt4OrLater = m->nt && m->version.dwMajorVersion >= 4;
    m->codePage = GetACP();
    DWORD size = sizeof m->computer;
    if (!GetComputerNameA(m->computer, &size))
        strcpy(m->computer, "unnamed");
    for (char* c = m->computer; *c; ++c) // the name becomes part of a file name
        if (strchr("\\/:*?\"<>| ", *c))
            *c = '_';
    GetWindowsDirectoryA(m->windows, sizeof m->windows);
    // The folder on the Windows directory's drive: "C:\zqcheck".
    sprintf(m->folder, "%.2s\\zqcheck", m->windows);
    sprintf(m->record, "%.2s\\zqcheck\\launches.txt", m->windows);
    LogFilePath(m->log);
    char nt[MAX_PATH], own[MAX_PATH];
    DriverDirectory("Windows NT x86", nt);
    DriverDirectory(NULL, own);
    const char* const directories[] = { nt, own };
    for (const char* directory : directories) {
        if (!directory[0] || strlen(directory) + 13 > MAX_PATH)
            continue;
        sprintf(m->tools[m->toolCount], "%s\\zqdrvtl.exe", directory);
        if (m->toolCount == 0 || lstrcmpiA(m->tools[0], m->tools[m->toolCount]) != 0)
            ++m->toolCount;
    }
}

int TouchedFiles(const Machine* m, const char* files[3])
{
    files[0] = m->log;
    for (int i = 0; i < m->toolCount; ++i)
        files[1 + i] = m->tools[i];
    return 1 + m->toolCount;
}
