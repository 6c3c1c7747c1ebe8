#include "code_page_guess.h"

#include <stdint.h>
#include <string.h>

namespace {

struct Page {
    unsigned codePage;
    bool (*lead)(unsigned byte);
    bool (*trail)(unsigned byte);
    bool (*common)(unsigned lead, unsigned trail); // the page's everyday characters
};

// The code pages' lead and trail bytes; 932's 0xA1-0xDF are single-byte kana.
// Their lead and trail bytes overlap: a text is named by the page most of
// whose characters are everyday ones there; of two, by the narrower, first.
// Everyday: 932's kana and kanji; 949's Hangul; 950's Big5 characters; 936's
// GB2312 Hanzi.
const Page kPages[] = {
    { 932, [](unsigned b) { return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC); },
        [](unsigned b) { return (b >= 0x40 && b <= 0x7E) || (b >= 0x80 && b <= 0xFC); },
        [](unsigned l, unsigned) { return (l >= 0x82 && l <= 0x9F) || (l >= 0xE0 && l <= 0xEA); } },
    { 949, [](unsigned b) { return b >= 0x81 && b <= 0xFE; },
        [](unsigned b) { return (b >= 0x41 && b <= 0x5A) || (b >= 0x61 && b <= 0x7A) || (b >= 0x81 && b <= 0xFE); },
        [](unsigned l, unsigned t) { return l >= 0xB0 && l <= 0xC8 && t >= 0xA1; } },
    { 950, [](unsigned b) { return b >= 0x81 && b <= 0xFE; },
        [](unsigned b) { return (b >= 0x40 && b <= 0x7E) || (b >= 0xA1 && b <= 0xFE); },
        [](unsigned l, unsigned) { return l >= 0xA4 && l <= 0xF9 && l != 0xC7 && l != 0xC8; } },
    { 936, [](unsigned b) { return b >= 0x81 && b <= 0xFE; },
        [](unsigned b) { return (b >= 0x40 && b <= 0x7E) || (b >= 0x80 && b <= 0xFE); },
        [](unsigned l, unsigned t) { return l >= 0xB0 && l <= 0xF7 && t >= 0xA1; } },
};

// Pairs before any guess; and four pairs to one unpaired high byte at
// least, so that a character cut by a full disk or a rotation still counts.
const long kLeast = 3;

// Words of a single-byte script (Cyrillic in 1251, Greek in 1253) pair up
// by chance: about half of them are of odd length. Double-byte text leaves
// an odd stretch only where a character was cut: one, and one in kOddIn more.
const long kOddIn = 20;

} // namespace

void CodePageGuess::Take(const std::string& text)
{
    // Most lines are ASCII: look for a high byte eight bytes at a time.
    size_t first = 0;
    for (uint64_t word; first + 8 <= text.size(); first += 8) {
        memcpy(&word, text.data() + first, 8);
        if (word & 0x8080808080808080ull)
            break;
    }
    while (first < text.size() && (unsigned char)text[first] < 0x80)
        ++first;
    if (first == text.size())
        return;
    for (int p = 0; p < kCount; ++p) {
        const Page& page = kPages[p];
        for (size_t i = first; i < text.size();) {
            if ((unsigned char)text[i] < 0x80) {
                ++i;
                continue;
            }
            // A stretch of characters from a high byte on: in double-byte text
            // each is two bytes, so the stretch pairs up exactly.
            bool odd = false;
            for (unsigned b; i < text.size() && (b = (unsigned char)text[i]) >= 0x80;) {
                const unsigned next = i + 1 < text.size() ? (unsigned char)text[i + 1] : 0;
                if (page.lead(b) && page.trail(next)) {
                    ++pairs_[p];
                    unlikely_[p] += next >= 0x80 || b <= 0x9F;
                    common_[p] += page.common(b, next);
                    i += 2;
                } else {
                    ++unpaired_[p];
                    odd = true;
                    ++i;
                }
            }
            ++stretches_[p];
            odd_[p] += odd;
        }
    }
}

unsigned CodePageGuess::Likely() const
{
    int best = -1;
    for (int p = 0; p < kCount; ++p)
        if (pairs_[p] >= kLeast && unpaired_[p] * 4 <= pairs_[p] && unlikely_[p] * 2 >= pairs_[p]
            && odd_[p] <= 1 + stretches_[p] / kOddIn && (best < 0 || common_[p] > common_[best]))
            best = p;
    return best < 0 ? 0 : kPages[best].codePage;
}
