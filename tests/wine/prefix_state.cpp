// What the pack's tests compare of a prefix before and after a run, less its
// files: the registry and the spooler.
//   prefix_state MACHINE USERS   HKEY_LOCAL_MACHINE saved to MACHINE and
//                                HKEY_USERS to USERS by the registry itself
//                                (RegSaveKey: every key a restart keeps, in
//                                Wine's own text format), and one line on
//                                stdout, "the spooler (now STATE, start type
//                                N)", then a line "key HKLM\SOFTWARE\NAME"
//                                per key there, volatile ones too, which no
//                                save holds (the pack's boot mark is one).
//                                Exit 1, saying why on stderr, when a step
//                                fails.
// The registry's own save is one call: regedit's export of the whole
// registry asks for it key by key, 8 to 12 s in the emulated guest.
#include <stdio.h>

#include <windows.h>

// RegSaveKey asks for the backup privilege, which an administrator holds
// but has not turned on.
static bool MayBackUp()
{
    HANDLE token;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES, &token))
        return false;
    TOKEN_PRIVILEGES backup = {};
    backup.PrivilegeCount = 1;
    backup.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
    bool done = LookupPrivilegeValueA(NULL, "SeBackupPrivilege", &backup.Privileges[0].Luid)
        && AdjustTokenPrivileges(token, FALSE, &backup, 0, NULL, NULL) && GetLastError() == ERROR_SUCCESS;
    CloseHandle(token);
    return done;
}

static bool Saved(HKEY root, const char* path)
{
    DeleteFileA(path); // RegSaveKey will not write over a file
    LONG error = RegSaveKeyA(root, path, NULL);
    if (error != ERROR_SUCCESS)
        fprintf(stderr, "prefix_state: %s not saved: error %ld\n", path, error);
    return error == ERROR_SUCCESS;
}

// The service states by their number, 1 to 7.
static const char* const kStates[] = {
    "stopped",
    "starting",
    "stopping",
    "running",
    "continuing",
    "pausing",
    "paused",
};

static bool SpoolerSaid()
{
    SC_HANDLE manager = OpenSCManagerA(NULL, NULL, SC_MANAGER_CONNECT);
    SC_HANDLE spooler = manager ? OpenServiceA(manager, "Spooler", SERVICE_QUERY_STATUS | SERVICE_QUERY_CONFIG) : NULL;
    SERVICE_STATUS status;
    union {
        QUERY_SERVICE_CONFIGA config;
        char bytes[8192];
    } config;
    DWORD needed;
    bool known = spooler && QueryServiceStatus(spooler, &status)
        && QueryServiceConfigA(spooler, &config.config, sizeof config, &needed) && status.dwCurrentState >= 1
        && status.dwCurrentState <= 7;
    if (known)
        printf("the spooler (now %s, start type %lu)\n", kStates[status.dwCurrentState - 1], config.config.dwStartType);
    else
        fprintf(stderr, "prefix_state: the spooler's state not known: error %lu\n", GetLastError());
    if (spooler)
        CloseServiceHandle(spooler);
    if (manager)
        CloseServiceHandle(manager);
    return known;
}

static bool SoftwareKeysSaid()
{
    HKEY software;
    LONG error = RegOpenKeyExA(HKEY_LOCAL_MACHINE, "SOFTWARE", 0, KEY_ENUMERATE_SUB_KEYS, &software);
    if (error == ERROR_SUCCESS) {
        for (DWORD i = 0; error == ERROR_SUCCESS; ++i) {
            char name[256];
            DWORD size = sizeof name;
            error = RegEnumKeyExA(software, i, name, &size, NULL, NULL, NULL, NULL);
            if (error == ERROR_SUCCESS)
                printf("key HKLM\\SOFTWARE\\%s\n", name);
        }
        RegCloseKey(software);
    }
    if (error != ERROR_NO_MORE_ITEMS)
        fprintf(stderr, "prefix_state: the keys of HKLM\\SOFTWARE not listed: error %ld\n", error);
    return error == ERROR_NO_MORE_ITEMS;
}

int main(int argc, char** argv)
{
    if (argc != 3) {
        fprintf(stderr, "prefix_state: usage: prefix_state MACHINE USERS\n");
        return 2;
    }
    if (!MayBackUp()) {
        fprintf(stderr, "prefix_state: the backup privilege not turned on: error %lu\n", GetLastError());
        return 1;
    }
    bool saved = Saved(HKEY_LOCAL_MACHINE, argv[1]) && Saved(HKEY_USERS, argv[2]);
    return saved && SpoolerSaid() && SoftwareKeysSaid() ? 0 : 1;
}
