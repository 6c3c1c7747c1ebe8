// The system code page's lead bytes, for the text rules.
#ifndef ZQ_CODE_PAGE_H
#define ZQ_CODE_PAGE_H

// IsDBCSLeadByte as a LeadByteTest: the system (ANSI) code page decides.
int IsSystemLeadByte(unsigned char byte);

#endif
