#include "windows_facts.h"

#include <stdio.h>
#include <string.h>

#include "sha256.h"
#include "world/machine.h"

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

void EditionOf(WindowsFacts* facts, const Machine* m, BYTE productType)
{
    if (m->edition) { // GetProductInfo's, from Vista on
        sprintf(facts->edition, "product 0x%lX", (unsigned long)m->edition);
        for (const Edition& edition : kEditions)
            if (edition.product == m->edition)
                strcpy(facts->edition, edition.name);
        return;
    }
    if (!m->nt) {
        strcpy(facts->edition, "-"); // 9x has one edition; its letter is in the service pack text
        return;
    }
    strcpy(facts->edition,
        productType != VER_NT_WORKSTATION    ? "Server"
            : m->version.dwMajorVersion >= 5 ? "Professional"
                                             : "Workstation");
    for (const Suite& suite : kSuites)
        if (m->suite & suite.mask) {
            strcpy(facts->edition, suite.name);
            break;
        }
}

} // namespace

void ReadWindowsFacts(WindowsFacts* facts, const Machine* m)
{
    ZeroMemory(facts, sizeof *facts);
    const OSVERSIONINFOA* v = &m->version;
    facts->major = v->dwMajorVersion;
    facts->minor = v->dwMinorVersion;
    facts->build = v->dwBuildNumber & 0xFFFF; // 9x keeps its version in the high word
    const char* servicePack = v->szCSDVersion;
    while (*servicePack == ' ')
        ++servicePack;
    strcpy(facts->servicePack, *servicePack ? servicePack : "none");
    // Known from NT 4.0 SP6 on; before, NT keeps it in the registry.
    const BYTE productType = !m->nt ? VER_NT_WORKSTATION : m->productType ? m->productType : ProductTypeFromRegistry();
    facts->productType = productType == VER_NT_DOMAIN_CONTROLLER ? "domain controller"
        : productType == VER_NT_SERVER                           ? "server"
                                                                 : "workstation";
    EditionOf(facts, m, productType);

    facts->name = m->name;
    if (m->nt && productType != VER_NT_WORKSTATION) {
        for (const Server& server : kServers)
            if (server.major == v->dwMajorVersion && server.minor == v->dwMinorVersion
                && facts->build >= server.fromBuild) {
                facts->name = server.name;
                break;
            }
    } else if (m->nt && v->dwMajorVersion == 5 && v->dwMinorVersion == 2)
        facts->name = "winxp64"; // XP's x64 Edition is NT 5.2
    else if (m->nt && v->dwMajorVersion == 10 && facts->build >= 22000)
        facts->name = "win11";
    facts->codePage = m->codePage;
    facts->uiLanguage = m->uiLanguage;
    facts->wine = m->wine;

    char root[4];
    sprintf(root, "%.2s\\", m->windows);
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
