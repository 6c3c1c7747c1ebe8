// Small rules over 8-bit text in the system code page. No platform calls, so
// they build and are tested on any host.
#ifndef ZQ_TEXT_RULES_H
#define ZQ_TEXT_RULES_H

#include <stdint.h>

// The length of a terminated text, in bytes.
unsigned TextLength(const char* text);

// Tells whether two texts are the same when the letters A-Z and a-z are taken
// without their case. Every other byte, 128 to 255 among them, only matches
// itself, whatever the code page (the C locale's rule).
int SameTextAnyCase(const char* a, const char* b);

// Writes the 32 bits of value as a signed decimal number, as printf's %ld
// does where long has 32 bits: 0xFFFFFFFF is "-1", 0x80000000 "-2147483648".
enum { SIGNED_DECIMAL_SIZE = 12 }; // "-2147483648" and its terminator
void SignedDecimal(char out[SIGNED_DECIMAL_SIZE], uint32_t value);

// Tells whether a byte starts a double-byte character of the code page in use.
// A null test means a single-byte code page.
typedef int (*LeadByteTest)(unsigned char byte);

// Finds the first occurrence of what in text that starts on a character
// boundary, so a match never begins on the trail byte of a double-byte
// character. Returns null when there is none (or either text is null).
const char* FindText(const char* text, const char* what, LeadByteTest isLead);

// Tells whether the last character of text is a backslash (a trail byte of
// 0x5C inside a double-byte character is not one).
int EndsWithBackslash(const char* text, LeadByteTest isLead);

// Writes the concatenation of the count parts into out. Returns 1 when the
// result and its terminator fit in size bytes; otherwise out becomes empty
// and the result is 0, so a text is never cut into a different one.
int JoinText(char* out, unsigned size, const char* const* parts, unsigned count);

// Copies text into out when it fits with its terminator (returns 1); else out
// becomes empty and the result is 0.
int CopyText(char* out, unsigned size, const char* text);

// Makes the got bytes that a registry read put into text (of size bytes) a
// terminated text. A value stored without a terminating zero gets one when
// there is room; when it fills the whole buffer it does not fit, and the result
// is 0 with text emptied, as for a value that is too large.
int EndValueText(char* text, unsigned size, unsigned got);

#endif
