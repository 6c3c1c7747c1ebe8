// The demo's reading of a setup author's registry file, before any run: its
// text (regedit's UTF-16LE export, or 8-bit text in code page 1252), its
// header, the keys it names below HKEY_LOCAL_MACHINE, and the key path the
// program gets as its tail. Nothing here calls the platform but iconv.
#ifndef ZQ_DEMO_REG_FILE_H
#define ZQ_DEMO_REG_FILE_H

#include <string>
#include <vector>

struct RegKeys {
    std::string refusal; // why the file cannot be used, one line; empty when it can
    std::vector<std::string> notices; // what may be a mistake but is run as asked
    std::string key; // the command tail: the key given, or the file's one Install\Printer key
    std::vector<std::string> keys; // each key once (key names know no case), the first spelling kept
};

// The file's bytes, its name as the messages give it, and the key path given
// with --key (keyGiven false: the file's one key ending in Install\Printer).
// Texts are UTF-8.
RegKeys ReadRegKeys(const std::string& bytes, const std::string& name, bool keyGiven, const std::string& key);

#endif
