#include "machine.h"

#include <stdio.h>
#include <string.h>

#include "checks/check_rows.h"
#include "world.h"

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

// The version, and what OSVERSIONINFOEX adds where the system takes it (NT
// 4.0 SP6 and later; the others refuse its size), the edition and the user
// interface's language, each looked up, with its fallback.
static void ReadVersion(Machine* m)
{
    OSVERSIONINFOEXA ex;
    ZeroMemory(&ex, sizeof ex);
    ex.dwOSVersionInfoSize = sizeof ex;
    if (GetVersionExA((OSVERSIONINFOA*)&ex)) {
        memcpy(&m->version, &ex, sizeof m->version);
        m->servicePack = ex.wServicePackMajor;
        m->suite = ex.wSuiteMask;
        m->productType = ex.wProductType;
    } else {
        m->version.dwOSVersionInfoSize = sizeof m->version;
        GetVersionExA(&m->version);
    }
    m->version.dwOSVersionInfoSize = sizeof m->version;
    HMODULE kernel32 = GetModuleHandleA("kernel32.dll");
    typedef BOOL(WINAPI * ProductInfo)(DWORD, DWORD, DWORD, DWORD, PDWORD);
    const ProductInfo productInfo = (ProductInfo)(void*)GetProcAddress(kernel32, "GetProductInfo");
    if (productInfo && !productInfo(m->version.dwMajorVersion, m->version.dwMinorVersion, 0, 0, &m->edition))
        m->edition = 0;
    typedef LANGID(WINAPI * UiLanguage)(void);
    const UiLanguage uiLanguage = (UiLanguage)(void*)GetProcAddress(kernel32, "GetUserDefaultUILanguage");
    m->uiLanguage = uiLanguage ? uiLanguage() : GetUserDefaultLangID();
}

void LookAtSystem(Machine* m, const char* folderName)
{
    ZeroMemory(m, sizeof *m);
    m->version.dwOSVersionInfoSize = sizeof m->version;
    ReadVersion(m);
    m->name = VersionName(&m->version);
    m->wine = WineVersion();
    m->nt = VersionIsNt(m->name);
    m->nt4OrLater = VersionTakesNt4Road(m->name);
    m->codePage = GetACP();
    GetWindowsDirectoryA(m->windows, sizeof m->windows);
    // The folder on the Windows directory's drive: "C:\zqcheck".
    sprintf(m->folder, "%.2s\\%.200s", m->windows, folderName);
    sprintf(m->record, "%.2s\\%.200s\\launches.txt", m->windows, folderName);
    LogFilePath(m->log);
    OwnFolder(m->pack);
}

int ReadSpooler(Machine* m)
{
    int running = 0;
    DWORD startType = 0;
    m->spoolerKnown = m->nt && ServiceState("Spooler", &running, &startType);
    m->spoolerRunning = running;
    m->spoolerStart = startType;
    return m->spoolerKnown;
}

int ReadDriverDirectories(Machine* m)
{
    DriverDirectory("Windows NT x86", m->ntDrivers);
    DriverDirectory(NULL, m->drivers);
    DriverDirectory("Windows 4.0", m->oldDrivers);
    m->toolCount = 0;
    const char* const directories[] = { m->ntDrivers, m->drivers };
    for (const char* directory : directories) {
        if (!directory[0] || strlen(directory) + 13 > MAX_PATH)
            continue;
        sprintf(m->tools[m->toolCount], "%s\\zqdrvtl.exe", directory);
        if (m->toolCount == 0 || lstrcmpiA(m->tools[0], m->tools[m->toolCount]) != 0)
            ++m->toolCount;
    }
    // 9x need not answer for NT's environment, nor its rows ask for it.
    return m->drivers[0] && (!m->nt || m->ntDrivers[0]);
}

int TouchedFiles(const Machine* m, const char* files[3])
{
    files[0] = m->log;
    for (int i = 0; i < m->toolCount; ++i)
        files[1 + i] = m->tools[i];
    return 1 + m->toolCount;
}
