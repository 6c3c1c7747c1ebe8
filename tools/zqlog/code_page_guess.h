// Whether a log read byte by byte (code page 1252) holds double-byte text of
// code page 932, 936, 949 or 950: most (four in five) of its high bytes must pair as that
// code page's lead and trail bytes, and the pairs must be unlikely as 1252
// (a trail byte of 0x80 or more, or a lead byte in 1252's rare punctuation
// 0x81-0x9F), so that accented 1252 text, an é before a letter, raises
// nothing; and the runs of high bytes must pair up exactly, but for a cut
// character, so that Cyrillic or Greek words, which pair up by chance, raise
// nothing either. Of the pages that fit, the one most of whose characters are
// everyday ones is named. Counts only: memory stays fixed.
#ifndef ZQLOG_CODE_PAGE_GUESS_H
#define ZQLOG_CODE_PAGE_GUESS_H

#include <string>

class CodePageGuess {
public:
    void Take(const std::string& text);
    unsigned Likely() const; // 932, 936, 949 or 950; 0 for none

private:
    enum { kCount = 4 };
    long pairs_[kCount] = {}, unlikely_[kCount] = {}, unpaired_[kCount] = {};
    long stretches_[kCount] = {}, odd_[kCount] = {},
         common_[kCount] = {}; // runs of high bytes, and those that do not pair up
};

#endif
