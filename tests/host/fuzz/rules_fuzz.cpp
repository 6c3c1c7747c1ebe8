// libFuzzer target over every rule that takes outside text. The first byte
// picks the rule; the rest is split at the first 0xFF into up to two texts,
// each copied into a buffer of its exact size so that a read past its end
// trips AddressSanitizer. Each branch checks properties of the result.
#include <stdint.h>
#include <stdlib.h>
#include <stdio.h>
#include <string.h>
#include <strings.h>

#include <string>

#include "../shift_jis.h"
#include "install/command_lines.h"
#include "install/command_tail.h"
#include "install/key_paths.h"
#include "support/command_status.h"
#include "support/log_path.h"
#include "support/text_rules.h"
#include "support/wait_deadline.h"

#define CHECK(condition)                                                                                               \
    do {                                                                                                               \
        if (!(condition))                                                                                              \
            abort();                                                                                                   \
    } while (0)

static int Boundary(const char* text, size_t at, LeadByteTest isLead)
{
    size_t i = 0;
    while (i < at && text[i])
        i += (isLead && isLead((unsigned char)text[i]) && text[i + 1]) ? 2 : 1;
    return i == at;
}

static int StartsWith(const std::string& text, size_t at, const char* what)
{
    return text.compare(at, strlen(what), what) == 0;
}

// out must be a terminated text inside its buffer.
static size_t Terminated(const char* out, size_t size)
{
    const void* end = memchr(out, 0, size);
    CHECK(end);
    return (const char*)end - out;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 1)
        return 0;
    const unsigned rule = data[0] % 8;
    const LeadByteTest isLead = (data[0] & 0x80) ? IsShiftJisLeadByte : nullptr;
    std::string all((const char*)data + 1, size - 1);
    size_t cut = all.find('\xff');
    std::string first = all.substr(0, cut), second = cut == std::string::npos ? "" : all.substr(cut + 1);
    first = first.c_str(); // a text ends at its first zero byte
    second = second.c_str();
    char* a = (char*)malloc(first.size() + 1);
    char* b = (char*)malloc(second.size() + 1);
    memcpy(a, first.c_str(), first.size() + 1);
    memcpy(b, second.c_str(), second.size() + 1);

    switch (rule) {
    case 0: { // command tail: a suffix of the line that starts past the blanks
        const char* tail = CommandTailOf(a);
        CHECK(tail >= a && tail <= a + first.size());
        CHECK(*tail == 0 || (unsigned char)*tail > ' ');
        break;
    }
    case 1: { // install root: a prefix, cut only before "Install\Printer" on a boundary
        char* out = (char*)malloc(KEY_PATH_SIZE);
        int ok = InstallRootKeyPath(a, out, isLead);
        CHECK(ok == (first.size() < KEY_PATH_SIZE));
        size_t length = Terminated(out, KEY_PATH_SIZE);
        if (ok) {
            CHECK(first.compare(0, length, out) == 0);
            if (length < first.size())
                CHECK(StartsWith(first, length, "Install\\Printer") && Boundary(a, length, isLead));
            else
                CHECK(!isLead ? first.find("Install\\Printer") == std::string::npos : 1);
        } else {
            CHECK(length == 0);
        }
        free(out);
        break;
    }
    case 2: { // fax key: prefix up to "Printer", then "Fax"
        char* out = (char*)malloc(KEY_PATH_SIZE);
        int ok = FaxKeyPath(a, out, isLead);
        size_t length = Terminated(out, KEY_PATH_SIZE);
        if (ok) {
            CHECK(length >= 3 && strcmp(out + length - 3, "Fax") == 0);
            CHECK(first.compare(0, length - 3, out, length - 3) == 0);
            CHECK(StartsWith(first, length - 3, "Printer") && Boundary(a, length - 3, isLead));
        } else {
            CHECK(length == 0);
            CHECK(first.size() >= KEY_PATH_SIZE || isLead || first.find("Printer") == std::string::npos);
        }
        free(out);
        break;
    }
    case 3: { // search: a real match on a character boundary, the first one; the C-locale compare
        CHECK(SameTextAnyCase(a, b) == (strcasecmp(a, b) == 0));
        const char* found = FindText(a, b, isLead);
        if (found) {
            size_t at = found - a;
            CHECK(at <= first.size() && StartsWith(first, at, b) && Boundary(a, at, isLead));
            if (!isLead)
                CHECK(first.find(second) == at);
        } else if (!isLead) {
            CHECK(first.find(second) == std::string::npos);
        }
        break;
    }
    case 4: { // add-printer line: exact when it fits, refused (empty) when not
        char* out = (char*)malloc(ADD_PRINTER_LINE_SIZE);
        int ok = AddPrinterCommand(out, a, b);
        std::string expected = "\"" + first + "\\zqntadd.exe\" " + second;
        CHECK(ok == (expected.size() < ADD_PRINTER_LINE_SIZE));
        CHECK(ok ? expected == out : out[0] == 0);
        free(out);
        break;
    }
    case 5: { // driver-directory lines
        char* out = (char*)malloc(DRIVER_TOOL_LINE_SIZE);
        int ok = DriverToolCommand(out, a, b);
        std::string expected = first + "\\zqdrvtl.exe /n:" + second;
        CHECK(ok == (expected.size() < DRIVER_TOOL_LINE_SIZE));
        CHECK(ok ? expected == out : out[0] == 0);
        ok = DriverToolFile(out, a);
        CHECK(ok ? first + "\\zqdrvtl.exe" == out : out[0] == 0);
        free(out);
        break;
    }
    case 6: { // log path from a directory of any length, and value texts of any bytes
        char* path = (char*)malloc(LOG_PATH_SIZE);
        size_t copied = first.size() < LOG_PATH_SIZE ? first.size() : LOG_PATH_SIZE - 1;
        memcpy(path, a, copied);
        path[copied] = 0;
        int ok = ComposeLogPath(path, (unsigned)first.size(), isLead);
        size_t length = Terminated(path, LOG_PATH_SIZE);
        CHECK(ok ? length > 11 && strcmp(path + length - 11, "ZQsetup.log") == 0 : length == 0);
        free(path);

        unsigned bufferSize = (unsigned)(second.size() % 64) + 1;
        char* text = (char*)malloc(bufferSize);
        unsigned got = (unsigned)(first.size() % 70);
        memset(text, 'v', bufferSize);
        ok = EndValueText(text, bufferSize, got);
        length = Terminated(text, bufferSize);
        CHECK(ok == (got < bufferSize));
        CHECK(ok ? length == got : length == 0);
        free(text);
        break;
    }
    case 7: { // status and deadline rules over any numbers
        uint32_t n[3] = { 0, 0, 0 };
        memcpy(n, all.data(), all.size() < sizeof n ? all.size() : sizeof n);
        CHECK((StatusOfStartError(n[0]) < 0) == (n[0] != 0));
        CHECK((uint32_t)StatusOfExitCode(n[0]) == n[0]);
        CHECK(DeadlinePassed(n[0], n[1], n[0] + n[1]) == 1);
        if (n[1] > 0)
            CHECK(DeadlinePassed(n[0], n[1], n[0] + n[1] - 1) == 0);
        char decimal[SIGNED_DECIMAL_SIZE], expected[16];
        SignedDecimal(decimal, n[2]);
        snprintf(expected, sizeof expected, "%d", (int32_t)n[2]); // %ld where long has 32 bits
        CHECK(strcmp(decimal, expected) == 0);
        break;
    }
    }
    free(a);
    free(b);
    return 0;
}
