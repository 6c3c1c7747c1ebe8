#include "windows_facts.h"

#include <stdio.h>
#include <string.h>

#include "sha256.h"

namespace {

// GetProductInfo's numbers (Vista and later) and the editions they name.
struct Edition {
    DWORD product;
    const char* name;
};
const Edition kEditions[] = { { 0x01, "Ultimate" }, { 0x02, "Home Basic" }, { 0x03, "Home Premium" },
    { 0x04, "Enterprise" }, { 0x05, "Home Basic N" }, { 0x06, "Business" }, { 0x07, "Standard Server" },
    { 0x08, "Datacenter Server" }, { 0x09, "Small Business Server" }, { 0x0A, "Enterprise Server" },
    { 0x0B, "Starter" }, { 0x0C, "Datacenter Server Core" }, { 0x0D, "Standard Server Core" },
    { 0x0E, "Enterprise Server Core" }, { 0x10, "Business N" }, { 0x11, "Web Server" }, { 0x1A, "Home Premium N" },
    { 0x1B, "Enterprise N" }, { 0x1C, "Ultimate N" }, { 0x30, "Professional" }, { 0x31, "Professional N" },
    { 0x48, "Enterprise Evaluation" }, { 0x62, "Home N" }, { 0x63, "Home China" }, { 0x64, "Home Single Language" },
    { 0x65, "Home" }, { 0x79, "Education" }, { 0x7A, "Education N" }, { 0x7D, "Enterprise LTSC" },
    { 0xA1, "Pro for Workstations" }, { 0xAF, "Enterprise multi-session" } };

// Before Vista: the suite bits of OSVERSIONINFOEX (NT 4 SP6 and later).
struct Suite {
    WORD mask;
    const char* name;
};
const Suite kSuites[] = { { VER_SUITE_PERSONAL, "Home" }, { VER_SUITE_DATACENTER, "Datacenter" },
    { VER_SUITE_ENTERPRISE, "Enterprise" }, { VER_SUITE_BLADE, "Web" },
    { VER_SUITE_SMALLBUSINESS_RESTRICTED, "Small Business" }, { VER_SUITE_EMBEDDEDNT, "Embedded" },
    { 0x2000 /* VER_SUITE_STORAGE_SERVER */, "Storage Server" }, { 0x8000 /* VER_SUITE_WH_SERVER */, "Home Server" } };

// Servers by version (and for 10.0, by build), which the rows call by their
// workstation's name.
struct Server {
    DWORD major, minor, fromBuild;
    const char* name;
};
const Server kServers[] = { { 5, 2, 0, "win2003" }, { 6, 0, 0, "win2008" }, { 6, 1, 0, "win2008r2" },
    { 6, 2, 0, "win2012" }, { 6, 3, 0, "win2012r2" }, { 10, 0, 26100, "win2025" }, { 10, 0, 20348, "win2022" },
    { 10, 0, 17763, "win2019" }, { 10, 0, 14393, "win2016" }, { 10, 0, 0, "winserver" } };

FARPROC Lookup(const char* dll, const char* name)
{
    HMODULE module = GetModuleHandleA(dll);
    return module ? GetProcAddress(module, name) : NULL;
}

// Where OSVERSIONINFOEX is missing: the product type NT keeps in the registry.
BYTE ProductTypeFromRegistry(void)
{
    HKEY key;
    char type[32] = "";
    DWORD size = sizeof type - 1;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, "SYSTEM\\CurrentControlSet\\Control\\ProductOptions", 0, KEY_READ, &key)
        == ERROR_SUCCESS) {
        RegQueryValueExA(key, "ProductType", NULL, NULL, (BYTE*)type, &size);
        RegCloseKey(key);
    }
    return lstrcmpiA(type, "LanmanNT") == 0 ? VER_NT_DOMAIN_CONTROLLER
        : lstrcmpiA(type, "ServerNT") == 0  ? VER_NT_SERVER
                                            : VER_NT_WORKSTATION;
}

void EditionOf(WindowsFacts* facts, const OSVERSIONINFOEXA* v, int extended, BYTE productType)
{
    typedef BOOL(WINAPI * ProductInfo)(DWORD, DWORD, DWORD, DWORD, PDWORD);
    const ProductInfo productInfo = (ProductInfo)(void*)Lookup("kernel32.dll", "GetProductInfo");
    DWORD product = 0;
    if (productInfo
        && productInfo(v->dwMajorVersion, v->dwMinorVersion, v->wServicePackMajor, v->wServicePackMinor, &product)) {
        sprintf(facts->edition, "product 0x%lX", (unsigned long)product);
        for (const Edition& edition : kEditions)
            if (edition.product == product)
                strcpy(facts->edition, edition.name);
        return;
    }
    if (v->dwPlatformId != VER_PLATFORM_WIN32_NT) {
        strcpy(facts->edition, "-"); // 9x has one edition; its letter is in the service pack text
        return;
    }
    strcpy(facts->edition,
        productType != VER_NT_WORKSTATION ? "Server"
            : v->dwMajorVersion >= 5      ? "Professional"
                                          : "Workstation");
    for (const Suite& suite : kSuites)
        if (extended && (v->wSuiteMask & suite.mask)) {
            strcpy(facts->edition, suite.name);
            break;
        }
}

} // namespace

void ReadWindowsFacts(WindowsFacts* facts, const char* rowName, const char* wine, const char* windows)
{
    ZeroMemory(facts, sizeof *facts);
    // The extended record from NT 4 SP6 on; before, the call refuses its
    // size, and the plain record is asked for.
    static OSVERSIONINFOEXA v;
    ZeroMemory(&v, sizeof v);
    v.dwOSVersionInfoSize = sizeof v;
    int extended = GetVersionExA((OSVERSIONINFOA*)&v);
    if (!extended) {
        ZeroMemory(&v, sizeof v);
        v.dwOSVersionInfoSize = sizeof(OSVERSIONINFOA);
        GetVersionExA((OSVERSIONINFOA*)&v);
    }
    const int nt = v.dwPlatformId == VER_PLATFORM_WIN32_NT;
    facts->major = v.dwMajorVersion;
    facts->minor = v.dwMinorVersion;
    facts->build = v.dwBuildNumber & 0xFFFF; // 9x keeps its version in the high word
    const char* servicePack = v.szCSDVersion;
    while (*servicePack == ' ')
        ++servicePack;
    strcpy(facts->servicePack, *servicePack ? servicePack : "none");
    const BYTE productType = !nt ? VER_NT_WORKSTATION : extended ? v.wProductType : ProductTypeFromRegistry();
    facts->productType = productType == VER_NT_DOMAIN_CONTROLLER ? "domain controller"
        : productType == VER_NT_SERVER                           ? "server"
                                                                 : "workstation";
    EditionOf(facts, &v, extended, productType);

    facts->name = rowName;
    if (nt && productType != VER_NT_WORKSTATION) {
        for (const Server& server : kServers)
            if (server.major == v.dwMajorVersion && server.minor == v.dwMinorVersion
                && facts->build >= server.fromBuild) {
                facts->name = server.name;
                break;
            }
    } else if (nt && v.dwMajorVersion == 5 && v.dwMinorVersion == 2)
        facts->name = "winxp64"; // XP's x64 Edition is NT 5.2
    else if (nt && v.dwMajorVersion == 10 && facts->build >= 22000)
        facts->name = "win11";

    facts->codePage = GetACP();
    typedef LANGID(WINAPI * UiLanguage)(void);
    const UiLanguage uiLanguage = (UiLanguage)(void*)Lookup("kernel32.dll", "GetUserDefaultUILanguage");
    facts->uiLanguage = uiLanguage ? uiLanguage() : GetSystemDefaultLangID();
    facts->wine = wine;

    char root[4];
    sprintf(root, "%.2s\\", windows);
    DWORD serial = 0;
    GetVolumeInformationA(root, NULL, 0, &serial, NULL, NULL, NULL, 0);
    char text[32], hex[65];
    sprintf(text, "zqcheck machine %08lX", (unsigned long)serial);
    Sha256 hash;
    unsigned char digest[32];
    Sha256Begin(&hash);
    Sha256Add(&hash, text, strlen(text));
    Sha256End(&hash, digest);
    Sha256Hex(digest, hex);
    memcpy(facts->machine, hex, 8);
}
