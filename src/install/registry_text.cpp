#include "registry_text.h"

#include <windows.h>

#include "../support/installer_log.h"
#include "../support/text_rules.h"

enum KeyRead {
    KEY_NOT_OPENED, // the key is missing, or this user may not open it for full access
    VALUE_NOT_READ, // the key opened; the value is missing or does not fit
    VALUE_READ
};

static enum KeyRead ReadKeyText(const char* keyPath, const char* valueName, char* text, unsigned size)
{
    text[0] = 0;
    HKEY key;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, keyPath, 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS)
        return KEY_NOT_OPENED;
    DWORD got = size;
    LONG result = RegQueryValueExA(key, valueName, NULL, NULL, (BYTE*)text, &got);
    RegCloseKey(key);
    if (result != ERROR_SUCCESS) {
        text[0] = 0;
        return VALUE_NOT_READ;
    }
    return EndValueText(text, size, got) ? VALUE_READ : VALUE_NOT_READ;
}

int ReadRunValue(
    const char* keyPath, const char* valueName, char* text, unsigned size, int* read, const char* failureLine)
{
    enum KeyRead result = ReadKeyText(keyPath, valueName, text, size);
    *read = result == VALUE_READ;
    if (result != VALUE_NOT_READ)
        return 1;
    LogLine(failureLine);
    return 0;
}
