#include "code_page_guess.h"

#include <stdint.h>
#include <string.h>

namespace {

struct Page {
    unsigned codePage;
    bool (*lead)(unsigned byte);
    bool (*trail)(unsigned byte);
};

// The code pages' lead and trail bytes; 932's 0xA1-0xDF are single-byte kana.
const Page kPages[] = {
    { 932, [](unsigned b) { return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC); },
        [](unsigned b) { return (b >= 0x40 && b <= 0x7E) || (b >= 0x80 && b <= 0xFC); } },
    { 936, [](unsigned b) { return b >= 0x81 && b <= 0xFE; },
        [](unsigned b) { return (b >= 0x40 && b <= 0x7E) || (b >= 0x80 && b <= 0xFE); } },
    { 949, [](unsigned b) { return b >= 0x81 && b <= 0xFE; },
        [](unsigned b) { return (b >= 0x41 && b <= 0x5A) || (b >= 0x61 && b <= 0x7A) || (b >= 0x81 && b <= 0xFE); } },
    { 950, [](unsigned b) { return b >= 0x81 && b <= 0xFE; },
        [](unsigned b) { return (b >= 0x40 && b <= 0x7E) || (b >= 0xA1 && b <= 0xFE); } },
};

// Pairs before any guess; and four pairs to one unpaired high byte at
// least, so that a character cut by a full disk or a rotation still counts.
const long kLeast = 3;

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
            const unsigned b = (unsigned char)text[i];
            const unsigned next = i + 1 < text.size() ? (unsigned char)text[i + 1] : 0;
            if (b < 0x80) {
                ++i;
            } else if (page.lead(b) && page.trail(next)) {
                ++pairs_[p];
                unlikely_[p] += next >= 0x80 || b <= 0x9F;
                i += 2;
            } else {
                ++unpaired_[p];
                ++i;
            }
        }
    }
}

unsigned CodePageGuess::Likely() const
{
    for (int p = 0; p < kCount; ++p)
        if (pairs_[p] >= kLeast && unpaired_[p] * 4 <= pairs_[p] && unlikely_[p] * 2 >= pairs_[p])
            return kPages[p].codePage;
    return 0;
}
