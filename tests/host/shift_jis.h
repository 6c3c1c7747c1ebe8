// Lead bytes of code page 932 (Shift JIS), for tests of the double-byte rules.
#ifndef ZQ_TEST_SHIFT_JIS_H
#define ZQ_TEST_SHIFT_JIS_H

inline int IsShiftJisLeadByte(unsigned char byte)
{
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

#endif
