// Reads one registry value under HKEY_LOCAL_MACHINE as text.
#ifndef ZQ_REGISTRY_TEXT_H
#define ZQ_REGISTRY_TEXT_H

enum KeyRead {
    KEY_NOT_OPENED, // the key is missing, or this user may not open it for full access
    VALUE_NOT_READ, // the key opened; the value is missing or does not fit
    VALUE_READ
};

// Opens keyPath for full access, reads valueName into text (at most size
// bytes, terminator included; the value's type is not looked at) and closes
// the key again. text is always a terminated text afterwards, empty unless
// the value was read.
enum KeyRead ReadKeyText(const char* keyPath, const char* valueName, char* text, unsigned size);

#endif
