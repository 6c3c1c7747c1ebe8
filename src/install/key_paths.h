// The key paths derived from the printer key path given on the command line.
#ifndef ZQ_KEY_PATHS_H
#define ZQ_KEY_PATHS_H

#include "../support/text_rules.h"

enum { KEY_PATH_SIZE = 260 };

// The install root key: the key path cut just before its first
// "Install\Printer" (case-sensitive, on a character boundary), keeping the
// backslash before "Install"; the whole path when it has none.
//   SOFTWARE\Zq\Install\Printer  ->  SOFTWARE\Zq\ .
// Returns 0, with out empty, when the key path does not fit KEY_PATH_SIZE.
int InstallRootKeyPath(const char* keyPath, char out[KEY_PATH_SIZE], LeadByteTest isLead);

// The fax key: the key path cut at its first "Printer" with "Fax" appended.
// The match is plain text, so "Printers" counts:
//   SOFTWARE\Zq\Install\Printer  ->  SOFTWARE\Zq\Install\Fax
//   SOFTWARE\Printers\Install\Printer  ->  SOFTWARE\Fax
// Returns 0, with out empty, when the key path has no "Printer" (there is no
// fax key then) or does not fit KEY_PATH_SIZE.
int FaxKeyPath(const char* keyPath, char out[KEY_PATH_SIZE], LeadByteTest isLead);

#endif
