// Reads the run's values under HKEY_LOCAL_MACHINE as text.
#ifndef ZQ_REGISTRY_TEXT_H
#define ZQ_REGISTRY_TEXT_H

// Opens keyPath for full access, reads valueName into text (at most size
// bytes, terminator included; the value's type is not looked at) and closes
// the key again. text is a terminated text afterwards, empty unless the value
// was read, and *read says whether it was. When the key opened but the value
// could not be read (missing, or too large), failureLine is logged and the
// result is 0; otherwise, a key that does not open included, it is 1.
int ReadRunValue(
    const char* keyPath, const char* valueName, char* text, unsigned size, int* read, const char* failureLine);

#endif
