#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "reg_file.h"

namespace {

std::string Crlf(std::vector<std::string> lines)
{
    std::string text;
    for (const std::string& line : lines)
        text += line + "\r\n";
    return text;
}

// regedit's export: a byte-order mark, then UTF-16LE (the lines' text ASCII
// or already UTF-16LE bytes).
std::string Utf16(const std::string& ascii)
{
    std::string bytes = "\xff\xfe";
    for (char c : ascii)
        bytes += std::string(1, c) + '\0';
    return bytes;
}

const std::string kPrinter = "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Acme\\Install\\Printer]";

struct Row {
    const char* name;
    std::string bytes;
    bool keyGiven;
    std::string key;
    std::string refusal; // "F" stands for the file's name
    std::string chosen;
    std::vector<std::string> keys;
    std::vector<std::string> notices;
};

std::vector<Row> Rows()
{
    const std::string longKey(32000, 'x');
    return {
        { "REGEDIT4, the one Install\\Printer key chosen, blanks and case kept",
            Crlf({ "REGEDIT4", "", "  [HKEY_LOCAL_MACHINE\\SOFTWARE\\Acme Print]  ", "\"ProgramDir\"=\"C:\\\\A\"",
                "[hkey_local_machine\\SOFTWARE\\Acme Print\\install\\PRINTER]", "[HKEY_CURRENT_USER\\Software\\X]",
                "[-HKEY_LOCAL_MACHINE\\SOFTWARE\\Gone]" }),
            false, "", "", "SOFTWARE\\Acme Print\\install\\PRINTER",
            { "SOFTWARE\\Acme Print", "SOFTWARE\\Acme Print\\install\\PRINTER" }, {} },
        { "UTF-16LE export, a key named twice in two cases kept once",
            Utf16(Crlf({ "Windows Registry Editor Version 5.00", kPrinter, "[HKEY_LOCAL_MACHINE\\SOFTWARE\\ACME]",
                "[HKEY_LOCAL_MACHINE\\SOFTWARE\\acme]" })),
            false, "", "", "SOFTWARE\\Acme\\Install\\Printer", { "SOFTWARE\\Acme\\Install\\Printer", "SOFTWARE\\ACME" },
            {} },
        { "UTF-16LE: a surrogate pair is text, é folds with É",
            Utf16("REGEDIT4\r\n[HKEY_LOCAL_MACHINE\\SOFTWARE\\")
                + std::string("\xc9\x00\x3d\xd8\x00\xde]\x00\r\x00\n\x00", 12) + Utf16(Crlf({ kPrinter })).substr(2),
            true, "SOFTWARE\\\xc3\xa9\xf0\x9f\x98\x80", "", "SOFTWARE\\\xc3\xa9\xf0\x9f\x98\x80",
            { "SOFTWARE\\\xc3\x89\xf0\x9f\x98\x80", "SOFTWARE\\Acme\\Install\\Printer" }, {} },
        { "8-bit text is read as code page 1252, LF line ends too",
            "REGEDIT4\n[HKEY_LOCAL_MACHINE\\SOFTWARE\\Caf\xe9\x80\\Install\\Printer]\n", false, "", "",
            "SOFTWARE\\Caf\xc3\xa9\xe2\x82\xac\\Install\\Printer",
            { "SOFTWARE\\Caf\xc3\xa9\xe2\x82\xac\\Install\\Printer" }, {} },
        { "a key given in quotes, not a key of the file: run as given, with notices", Crlf({ "REGEDIT4", kPrinter }),
            true, "\"SOFTWARE\\Acme\\Install\\Printer\"", "", "\"SOFTWARE\\Acme\\Install\\Printer\"",
            { "SOFTWARE\\Acme\\Install\\Printer" },
            { "the whole tail is the key path, so its quotes are part of it; pass it bare",
                "the key path \"SOFTWARE\\Acme\\Install\\Printer\" is not a key of F" } },
        { "a key given in another case is a key of the file", Crlf({ "REGEDIT4", kPrinter }), true,
            "software\\acme\\install\\printer", "", "software\\acme\\install\\printer",
            { "SOFTWARE\\Acme\\Install\\Printer" }, {} },
        { "no header", Crlf({ kPrinter }), false, "",
            "F has no registry header (REGEDIT4 or Windows Registry Editor Version 5.00)", "", {}, {} },
        { "an empty file", "", false, "", "F has no registry header (REGEDIT4 or Windows Registry Editor Version 5.00)",
            "", {}, {} },
        { "a header with words after it", Crlf({ "REGEDIT4 extra", kPrinter }), false, "",
            "F has no registry header (REGEDIT4 or Windows Registry Editor Version 5.00)", "", {}, {} },
        { "UTF-16LE cut in the middle of a character", Utf16(Crlf({ "REGEDIT4", kPrinter })) + "x", false, "",
            "F: not UTF-16LE text", "", {}, {} },
        { "UTF-16LE with a lone surrogate", Utf16("REGEDIT4\r\n[") + std::string("\x00\xd8", 2), false, "",
            "F: not UTF-16LE text", "", {}, {} },
        { "no Install\\Printer key", Crlf({ "REGEDIT4", "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Acme\\Install\\Printers]" }),
            false, "", "F has no key ending in Install\\Printer; name the key path with --key", "", {}, {} },
        { "two Install\\Printer keys",
            Crlf({ "REGEDIT4", "[HKEY_LOCAL_MACHINE\\SOFTWARE\\A\\Install\\Printer]",
                "[HKEY_LOCAL_MACHINE\\SOFTWARE\\B\\Install\\Printer]" }),
            false, "",
            "F has several keys ending in Install\\Printer: SOFTWARE\\A\\Install\\Printer, "
            "SOFTWARE\\B\\Install\\Printer; name one with --key",
            "", {}, {} },
        { "more key paths than the environment carries",
            Crlf({ "REGEDIT4", kPrinter, "[HKEY_LOCAL_MACHINE\\" + longKey + "]" }), false, "",
            "F names more keys than the demo can check (32000 bytes of key paths)", "", {}, {} },
    };
}

TEST(RegFile, EachRowGivesItsKeysOrItsRefusal)
{
    for (const Row& row : Rows()) {
        SCOPED_TRACE(row.name);
        RegKeys read = ReadRegKeys(row.bytes, "F", row.keyGiven, row.key);
        EXPECT_EQ(row.refusal, read.refusal);
        if (!row.refusal.empty())
            continue;
        EXPECT_EQ(row.chosen, read.key);
        EXPECT_EQ(row.keys, read.keys);
        EXPECT_EQ(row.notices, read.notices);
    }
}

} // namespace
