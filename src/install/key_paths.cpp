#include "key_paths.h"

static const char kInstallPrinter[] = "Install\\Printer";
static const char kPrinter[] = "Printer";

int InstallRootKeyPath(const char* keyPath, char out[KEY_PATH_SIZE], LeadByteTest isLead)
{
    if (!CopyText(out, KEY_PATH_SIZE, keyPath))
        return 0;
    char* match = (char*)FindText(out, kInstallPrinter, isLead);
    if (match)
        *match = 0;
    return 1;
}

int FaxKeyPath(const char* keyPath, char out[KEY_PATH_SIZE], LeadByteTest isLead)
{
    if (!CopyText(out, KEY_PATH_SIZE, keyPath))
        return 0;
    char* match = (char*)FindText(out, kPrinter, isLead);
    if (!match) {
        out[0] = 0;
        return 0;
    }
    // "Printer" is seven bytes long, so "Fax" and its terminator always fit.
    match[0] = 'F';
    match[1] = 'a';
    match[2] = 'x';
    match[3] = 0;
    return 1;
}
