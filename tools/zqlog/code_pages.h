// The code pages zqlog knows: their lead-byte rules, and their text in UTF-8.
#ifndef ZQLOG_CODE_PAGES_H
#define ZQLOG_CODE_PAGES_H

#include <string>

#include "support/text_rules.h"

bool IsKnownCodePage(unsigned codePage);
const char* KnownCodePages(); // for --help: "437, 850, ..."

// The lead-byte rule of a double-byte code page; null for the others.
LeadByteTest LeadByteTestOf(unsigned codePage);

// text in codePage as UTF-8 (0: as 1252); bytes it cannot read become U+FFFD.
std::string ToUtf8(const std::string& text, unsigned codePage);

#endif
