// zqlog's JSON, field by field, on hand-made logs of ticket situations: each
// start error's code, the verdicts and why ids, the notes' ids, what the
// command lines show, and refused files.
#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include <nlohmann/json.hpp>

#include "account.h"
#include "run_record.h"
#include "wording.h"
#include "words.h"
#include "zqlog/log_lines.h"
#include "zqlog/scenario_logs.h"

namespace {

using nlohmann::json;

const char kRunning[] = "OpenService the spooler is running";
const char kFlag[] = "Could not get Fax Function Key from the registry which means Do install Fax";
const char kPrinterFailed[] = "Error executing NT Add Printer for Printer Driver";

json Doc(const std::string& log, unsigned codePage = 0, int expectStatus = 0)
{
    int status;
    AccountOptions options;
    options.json = true;
    const std::string out = AccountOf(log, codePage, &status, options);
    EXPECT_EQ(expectStatus, status) << out;
    return json::parse(out);
}

const std::vector<std::string> kTypical
    = std::vector<std::string> { kRunning, kFlag, kFax, kFaxLine, kPrinter, kPrinterLine }
    + Tools("Zq Fax Driver", "Zq Printer Driver");

// The printer's add-printer tool could not start: the system's text (its own
// line end, then the program's), then the failure line.
std::string PrinterStart(const std::string& systemText)
{
    return Lines({ kRunning, kPrinter, kPrinterLine, systemText + "\r\n", kPrinterFailed });
}

// The same, when the system had no text: the code line, the command line again.
std::string PrinterCode(const std::string& code)
{
    return Lines({ kRunning, kPrinter, kPrinterLine,
        "Warning! Unknown error code " + code + " reported while executing command: ", kPrinterLine, kPrinterFailed });
}

struct ErrorCase {
    const char* row;
    std::string log;
    json code; // null when the log gives none
    bool known;
    const char* says; // a part of the cause or advice
};

bool Has(const json& text, const char* part)
{
    return text.is_string() && text.get<std::string>().find(part) != std::string::npos;
}

} // namespace

TEST(ZqlogJson, StartErrorsReadByTheirError)
{
    const ErrorCase cases[] = {
        { "2, Windows", PrinterStart("The system cannot find the file specified."), 2, true, "is not there" },
        { "2, Wine", PrinterStart("File not found."), 2, true, "zqntadd.exe is in that folder" },
        { "3", PrinterStart("The system cannot find the path specified."), 3, true, "its folder does not exist" },
        { "3, Wine", PrinterStart("Path not found."), 3, true, "its folder does not exist" },
        { "5", PrinterStart("Access is denied."), 5, true, "this user's rights" },
        { "5, Wine", PrinterStart("Access denied."), 5, true, "this user's rights" },
        { "8", PrinterStart("Not enough storage is available to process this command."), 8, true, "memory" },
        { "32 is a sharing violation, not denied access",
            PrinterStart("The process cannot access the file because it is being used by another process."), 32, true,
            "close what holds zqntadd.exe open" },
        { "32, Wine", PrinterStart("Sharing violation."), 32, true, "sharing violation" },
        { "87", PrinterStart("The parameter is incorrect."), 87, true, "control characters" },
        { "123", PrinterStart("The filename, directory name, or volume label syntax is incorrect."), 123, true,
            "not a valid path" },
        { "161", PrinterStart("The specified path is invalid."), 161, true, "must be a full path" },
        { "161, Wine", PrinterStart("Path is invalid."), 161, true, "must be a full path" },
        { "193 as a code", PrinterCode("193"), 193, true, "replace zqntadd.exe" },
        { "193 with its insert left standing, as the program logs it",
            PrinterStart("%1 is not a valid Win32 application."), 193, true, "replace zqntadd.exe" },
        { "193, Wine", PrinterStart("Bad EXE format for %1."), 193, true, "replace zqntadd.exe" },
        { "206", PrinterStart("The filename or extension is too long."), 206, true, "shorter folder" },
        { "216 as a code", PrinterCode("216"), 216, true, "another machine type" },
        { "216 with its insert left standing",
            PrinterStart("This version of %1 is not compatible with the version of Windows you're running. Check "
                         "your computer's system information and then contact the software publisher."),
            216, true, "another machine type" },
        { "216, Wine", PrinterStart("Machine type mismatch."), 216, true, "another machine type" },
        { "740", PrinterStart("The requested operation requires elevation."), 740, true, "as administrator" },
        { "740 under Wine, which has no text for it", PrinterCode("740"), 740, true, "as administrator" },
        { "1260",
            PrinterStart("This program is blocked by group policy. For more information, contact your system "
                         "administrator."),
            1260, true, "group policy" },
        { "1392", PrinterStart("The file or directory is corrupted and unreadable."), 1392, true, "chkdsk" },
        { "1392, Wine", PrinterStart("File or directory corrupt."), 1392, true, "chkdsk" },
        { "1450", PrinterStart("Insufficient system resources exist to complete the requested service."), 1450, true,
            "restart the machine" },
        { "1450, Wine", PrinterStart("No system resources."), 1450, true, "restart the machine" },
        { "14001",
            PrinterStart("The application has failed to start because its side-by-side configuration is incorrect. "
                         "Please see the application event log or use the command-line sxstrace.exe tool for more "
                         "detail."),
            14001, true, "run-time library" },
        { "14001 under Wine", PrinterCode("14001"), 14001, true, "run-time library" },
        { "a text zqlog does not know is quoted, with no cause", PrinterStart("Zugriff verweigert."), nullptr, false,
            "the system said \"Zugriff verweigert.\", a text zqlog does not know" },
        { "a code zqlog does not know", PrinterCode("-536870911"), -536870911, false,
            "error -536870911, for which the system has no text and which zqlog does not know" },
    };
    for (const ErrorCase& c : cases) {
        const json doc = Doc(c.log);
        ASSERT_EQ(1u, doc["runs"].size()) << c.row;
        const json& run = doc["runs"][0];
        const json& printer = run["stages"]["printer"];
        EXPECT_EQ("failed", run["verdict"]) << c.row;
        EXPECT_EQ("printer_start_failed", run["why"]) << c.row;
        EXPECT_EQ(kPrinterFailed, printer["failure_line"]) << c.row;
        EXPECT_EQ(c.code, printer["error"]["code"]) << c.row;
        EXPECT_EQ(c.known, printer["error"]["known"]) << c.row;
        // The text is the system's own, as the log has it: none when only a code came.
        const bool codeOnly = c.log.find("Warning! Unknown error code") != std::string::npos;
        EXPECT_EQ(codeOnly, printer["error"]["text"].is_null()) << c.row << ": " << printer["error"];
        EXPECT_TRUE(Has(printer["cause"], c.says) || Has(printer["advice"], c.says)) << c.row << ": " << printer;
        // Only a sharing violation's own words; no error but 5 is denied access.
        EXPECT_EQ(c.code == 5, Has(printer["cause"], "denied")) << c.row;
        if (!c.known) // a cause zqlog cannot know is not guessed
            EXPECT_FALSE(Has(printer["advice"], "check")) << c.row;
    }
}

namespace {

struct RunCase {
    const char* row;
    std::string log;
    unsigned codePage;
    std::vector<const char*> verdicts;
    std::vector<json> whys;
    std::vector<std::pair<const char*, json>> fields; // a JSON pointer into the document, and its value
    std::vector<std::pair<int, const char*>> notes; // a run's index (-1: the file's) and a note id it has
    std::vector<std::pair<int, const char*>> noNotes; // and one it must not have
};

bool HasNote(const json& notes, const char* id)
{
    for (const json& note : notes)
        if (note["id"] == id)
            return true;
    return false;
}

std::string Lf(std::string text)
{
    for (size_t at = 0; (at = text.find("\r\n", at)) != std::string::npos;)
        text.erase(at, 1);
    return text;
}

std::string Zeros(size_t n)
{
    return std::string(n, '\0');
}

// Two runs' lines as two setups at once write them: the first run's first
// lines alone, then one line of each in turn, the second run's first.
std::vector<std::string> Interleave(const std::vector<std::string>& a, const std::vector<std::string>& b, size_t lead)
{
    std::vector<std::string> lines(a.begin(), a.begin() + lead);
    for (size_t i = 0; i < b.size() || lead + i < a.size(); ++i) {
        if (i < b.size())
            lines.push_back(b[i]);
        if (lead + i < a.size())
            lines.push_back(a[lead + i]);
    }
    return lines;
}

// Two runs' lines in the order a pattern gives: 'a' takes the first run's next line, 'b' the second's.
std::vector<std::string> Merge(
    const std::vector<std::string>& a, const std::vector<std::string>& b, const std::string& pattern)
{
    std::vector<std::string> lines;
    size_t ia = 0, ib = 0;
    for (char c : pattern)
        lines.push_back(c == 'a' ? a.at(ia++) : b.at(ib++));
    return lines;
}

// A run's lines with its key path's ZqTest renamed: another package's setup.
std::vector<std::string> OtherKey(std::vector<std::string> lines)
{
    for (std::string& line : lines)
        if (size_t at = line.find("ZqTest\\"); at != std::string::npos)
            line.replace(at, 6, "ZqTwo");
    return lines;
}

// Texts of double-byte and of single-byte non-Latin code pages, as their
// systems write them: "printer driver, fax driver" and the like.
const char kGbk[] = "\xd3\xa1\xb1\xed\xbb\xfa\xc7\xfd\xb6\xaf\xb3\xcc\xd0\xf2 "
                    "\xb4\xab\xd5\xe6\xc7\xfd\xb6\xaf\xb3\xcc\xd0\xf2";
const char kUhc[] = "\xc7\xc1\xb8\xb0\xc5\xcd \xb5\xe5\xb6\xf3\xc0\xcc\xb9\xf6 \xc6\xd1\xbd\xba "
                    "\xb5\xe5\xb6\xf3\xc0\xcc\xb9\xf6";
const char kBig5[] = "\xa6L\xaa\xed\xbe\xf7\xc5X\xb0\xca\xb5{\xa6\xa1 \xb6\xc7\xafu\xc5X\xb0\xca\xb5{\xa6\xa1";
const char kShiftJis[] = "\x83v\x83\x8a\x83\x93\x83^\x83h\x83\x89\x83"
                         "C\x83o \x83t\x83@\x83N\x83X";
const char kCyrillic[] = "\xcf\xf0\xe8\xed\xf2\xe5\xf0\xfb \xd4\xe0\xea\xf1 \xd1\xe2\xff\xe7\xfc "
                         "\xcb\xe0\xe7\xe5\xf0\xed\xfb\xe9 \xef\xf0\xe8\xed\xf2\xe5\xf0 "
                         "\xf3\xf1\xf2\xe0\xed\xee\xe2\xeb\xe5\xed";
const char kGreek[] = "\xc5\xea\xf4\xf5\xf0\xf9\xf4\xde\xf2 \xeb\xdd\xe9\xe6\xe5\xf1 \xd6\xe1\xee "
                      "\xd0\xf1\xfc\xe3\xf1\xe1\xec\xec\xe1 \xef\xe4\xde\xe3\xe7\xf3\xe7\xf2";

// A whole run whose ProgramDir and driver names are in text.
std::string InPage(const std::string& text)
{
    return Lines({ kRunning, kPrinter, "\"C:\\" + text + "\\zqntadd.exe\" SOFTWARE\\ZQ\\Install\\Printer" })
        + Lines(Tools(text, text));
}

} // namespace

TEST(ZqlogJson, TicketLogs)
{
    const std::string typical = Lines(kTypical);
    const std::string quotedFax = "\"\\zqntadd.exe\" \"SOFTWARE\\ZQ\\Install\\Fax";
    const std::string quotedPrinter = "\"\\zqntadd.exe\" \"SOFTWARE\\ZQ\\Install\\Printer\"";
    std::vector<std::string> interleaved;
    for (const std::string& line : kTypical)
        interleaved = interleaved + std::vector<std::string> { line, line };
    std::string years; // 150 runs, one of them failed
    for (int i = 0; i < 150; ++i)
        years += i == 77 ? PrinterStart("Access is denied.") : typical;
    // Two setups at once, the second another package's: the first's printer
    // start fails while the second waits for its fax tool.
    const std::string fax2 = OtherKey({ kFaxLine })[0], printer2 = OtherKey({ kPrinterLine })[0];
    const std::vector<std::string> secondRest
        = std::vector<std::string> { kPrinter, printer2 } + Tools("Two Fax Driver", "Two Printer Driver");
    // Two packages' setups at once, with drivers of their own names.
    const std::vector<std::string> one
        = std::vector<std::string>(kTypical.begin(), kTypical.begin() + 6) + Tools("One Fax", "One Printer");
    const std::vector<std::string> two
        = OtherKey(std::vector<std::string>(kTypical.begin(), kTypical.begin() + 6)) + Tools("Two Fax", "Two Printer");
    // Two packages' setups at once, each in a folder and under a key of its own.
    const char* const zq[] = { "\"C:\\Program Files\\ZQ\\zqntadd.exe\" SOFTWARE\\ZQ\\Install\\Fax",
        "\"C:\\Program Files\\ZQ\\zqntadd.exe\" SOFTWARE\\ZQ\\Install\\Printer",
        "C:\\WINDOWS\\system32\\spool\\drivers\\w32x86\\zqdrvtl.exe /n:ZQ Fax",
        "C:\\WINDOWS\\system32\\spool\\drivers\\w32x86\\zqdrvtl.exe /n:ZQ Laser" };
    const char* const acme[] = { "\"C:\\Acme\\zqntadd.exe\" SOFTWARE\\Acme Print\\Install\\Fax",
        "\"C:\\Acme\\zqntadd.exe\" SOFTWARE\\Acme Print\\Install\\Printer",
        "C:\\WINDOWS\\system32\\spool\\drivers\\w32x86\\zqdrvtl.exe /n:Acme Fax 2",
        "C:\\WINDOWS\\system32\\spool\\drivers\\w32x86\\zqdrvtl.exe /n:Acme Laser 5" };
    const char kFaxFailed[] = "Error executing NT Add Printer for FAX";
    const std::string sjis = "\x88\xf3\x8d\xfc\x83v\x83\x8a\x83\x93\x83^"; // "printing printer" in code page 932
    const RunCase cases[] = {
        { "a key path passed in double quotes: named as the cause, with the fix",
            Lines({ kRunning, kFlag, kFax, quotedFax, "The system cannot find the file specified.\r\n",
                "Error executing NT Add Printer for FAX", kPrinter, quotedPrinter,
                "The system cannot find the file specified.\r\n", kPrinterFailed })
                + Lines(Tools("", "")),
            0, { "failed" }, { "key_path_quoted" },
            { { "/runs/0/key_path", "\"SOFTWARE\\ZQ\\Install\\Printer\"" }, { "/runs/0/program_dir", "" },
                { "/runs/0/driver_names", json::array() } },
            { { 0, "key_path_quoted" } }, { { 0, "program_dir_empty" } } },
        { "a 9x crash on FAT: zero bytes where the last launches stood",
            Lines({ kFax, kFaxLine, kPrinter, kPrinterLine }) + Zeros(217), 0, { "incomplete" }, { "log_end_lost" },
            { { "/other_lines", 0 }, { "/runs/0/system", "9x_or_nt351" },
                { "/runs/0/stages/driver_tool_fax/state", "unknown" },
                { "/runs/0/stages/driver_tool_printer/state", "unknown" } },
            { { 0, "crash_tail" } }, { { 0, "other_lines" } } },
        { "a crash's zero bytes, then stale bytes and no line of the program's",
            Lines({ kRunning, kPrinter, kPrinterLine }) + Zeros(300) + "stale\r\nbytes", 0, { "incomplete" },
            { "log_end_lost" }, { { "/runs/0/stages/driver_tool_printer/state", "unknown" } }, { { 0, "crash_tail" } },
            {} },
        { "a whole run, then a crash's zero bytes: still ok, the note says the log's end was lost after it",
            typical + Zeros(512), 0, { "ok" }, { nullptr },
            { { "/other_lines", 0 }, { "/runs/0/notes/0/id", "crash_tail" },
                { "/runs/0/notes/0/text", Word(W_CRASH_AFTER_WHOLE) } },
            {}, { { 0, "zero_bytes" } } },
        { "a crash's zero bytes, then stale bytes without a line end where a command line is awaited",
            typical.substr(0, typical.size() - Lines({ kDriverDir + std::string("Zq Printer Driver") }).size())
                + Zeros(100) + "stale garbage",
            0, { "incomplete" }, { "log_end_lost" },
            { { "/other_lines", 0 }, { "/runs/0/stages/driver_tool_printer/command", nullptr } },
            { { 0, "crash_tail" } }, { { 0, "cut_line" } } },
        { "a crash's zero bytes, then more runs: the lines after them are read", typical + Zeros(512) + typical, 0,
            { "ok", "ok" }, { nullptr, nullptr }, {}, { { 1, "zero_bytes" } }, { { 0, "crash_tail" } } },
        { "a crash's zero bytes after a run's printer stage, a later run in front of them: the run's end was lost",
            Lines({ kFax, kFaxLine, kPrinter, kPrinterLine }) + Zeros(200) + typical, 0, { "incomplete", "ok" },
            { "log_end_lost", nullptr },
            { { "/other_lines", 0 }, { "/runs/0/stages/driver_tool_printer/state", "unknown" } },
            { { 0, "crash_tail" } }, { { 0, "ends_after_printer" }, { 1, "zero_bytes" }, { 1, "crash_tail" } } },
        { "a crash's zero bytes as lines of their own inside a stage, then a later run",
            Lines({ kRunning, kFlag, kFax, kFaxLine }) + Zeros(100) + "\r\n" + Zeros(50) + "\r\n" + typical, 0,
            { "incomplete", "ok" }, { "log_end_lost", nullptr }, { { "/other_lines", 0 } }, { { 0, "crash_tail" } },
            { { 0, "other_lines" }, { 1, "crash_tail" } } },
        { "the log's last line, the printer's driver tool's, cut inside the name: no half name as a fact",
            typical.substr(0, typical.size() - strlen("inter Driver\r\n")), 0, { "incomplete" }, { "log_end_lost" },
            { { "/runs/0/driver_names", json::array({ "Zq Fax Driver" }) },
                { "/runs/0/stages/driver_tool_printer/state", "unknown" },
                { "/runs/0/stages/driver_tool_printer/command", nullptr } },
            { { 0, "cut_line" } }, {} },
        { "the log's last line cut right after /n: no cause guessed for the missing name",
            typical.substr(0, typical.size() - strlen("Zq Printer Driver\r\n")), 0, { "incomplete" },
            { "log_end_lost" },
            { { "/runs/0/driver_names", json::array({ "Zq Fax Driver" }) },
                { "/runs/0/stages/settings/cause", "read" } },
            { { 0, "cut_line" } }, {} },
        { "the log's last line whole but for its line end: still cut, the name not a fact",
            typical.substr(0, typical.size() - 2), 0, { "incomplete" }, { "log_end_lost" },
            { { "/runs/0/driver_names", json::array({ "Zq Fax Driver" }) } }, { { 0, "cut_line" } }, {} },
        { "the log's last line, the printer's command line, cut in the key path",
            Lines({ kRunning, kPrinter }) + std::string(kPrinterLine).substr(0, 30), 0, { "incomplete" },
            { "log_end_lost" },
            { { "/runs/0/key_path", nullptr }, { "/runs/0/stages/printer/state", "unknown" },
                { "/runs/0/stages/driver_tool_fax/state", "unknown" } },
            { { 0, "cut_line" } }, { { 0, "ends_after_printer" } } },
        { "two good setups at once, their lines interleaving one by one", Lines(interleaved), 0, { "ok", "ok" },
            { nullptr, nullptr }, { { "/other_lines", 0 } }, { { 0, "interleaved" }, { 1, "interleaved" } }, {} },
        { "two setups at once, one's printer start denied: the system's text after the other's command line is "
          "the failed run's",
            Lines(std::vector<std::string> { kRunning, kFlag, kRunning, kFax, kFaxLine, kFlag, kPrinter, kFax,
                      kPrinterLine, fax2, "Access is denied.\r\n", kPrinterFailed }
                + secondRest),
            0, { "failed", "ok" }, { "printer_start_failed", nullptr },
            { { "/other_lines", 0 }, { "/runs/0/stages/printer/error/code", 5 },
                { "/runs/0/stages/printer/error/known", true }, { "/runs/1/stages/fax/state", "done" },
                // Run 1 may go on after its printer stage's failure: the driver tools' lines may be either's.
                { "/runs/0/driver_names", json::array() }, { "/runs/1/driver_names", json::array() } },
            { { 0, "interleaved" }, { 1, "interleaved" } }, { { 0, "other_lines" }, { 1, "other_lines" } } },
        { "the same, the system's text right after the failed run's command line, the other run announced",
            Lines(std::vector<std::string> { kRunning, kFlag, kRunning, kFax, kFaxLine, kFlag, kPrinter, kPrinterLine,
                      kFax, "Access is denied.\r\n", kPrinterFailed, fax2 }
                + secondRest),
            0, { "failed", "ok" }, { "printer_start_failed", nullptr },
            { { "/other_lines", 0 }, { "/runs/0/stages/printer/error/code", 5 },
                { "/runs/1/stages/fax/state", "done" } },
            { { 0, "interleaved" } }, { { 0, "other_lines" }, { 1, "other_lines" } } },
        { "two setups at once, both starts failed after one system's text: whose it is cannot be told",
            Lines(std::vector<std::string> { kRunning, kFlag, kRunning, kFax, kFaxLine, kFlag, kPrinter, kFax,
                      kPrinterLine, fax2, "Access is denied.\r\n", kPrinterFailed,
                      "Error executing NT Add Printer for FAX" }
                + secondRest),
            0, { "failed", "failed" }, { "failure_cause_ambiguous", "failure_cause_ambiguous" },
            { { "/other_lines", 0 }, { "/runs/0/stages/printer/state", "failed" },
                { "/runs/0/stages/printer/error", nullptr }, { "/runs/1/stages/fax/state", "failed" },
                { "/runs/1/stages/fax/error", nullptr } },
            { { 0, "interleaved" }, { 1, "interleaved" } }, {} },
        { "two setups at once, the system's text after one run's announcement, its empty line past that run's "
          "lines: only the other run waited for a start then, so it is that run's",
            Lines(std::vector<std::string> { kRunning, kFlag, kFax, kFaxLine, kRunning, kFlag, kFax, fax2, kPrinter,
                printer2, kPrinter, "Path not found.", kPrinterLine, kFaxTool, "", kPrinterFailed }),
            0, { "incomplete", "failed" }, { "interleaved", "printer_start_failed" },
            { { "/other_lines", 0 }, { "/runs/1/stages/printer/error/code", 3 },
                { "/runs/1/stages/printer/error/known", true }, { "/runs/0/stages/printer/state", "done" } },
            { { 0, "interleaved" }, { 1, "interleaved" } }, {} },
        { "two setups at once waiting for their fax starts, two texts and two failure lines: neither is told",
            Lines(std::vector<std::string> { kRunning, kFlag, kFax, zq[0], kRunning, kFlag, kFax, acme[0],
                "The system cannot find the file specified.\r\n", kFaxFailed, "Access is denied.\r\n", kFaxFailed,
                kPrinter, kPrinter, zq[1], acme[1], kFaxTool, kFaxTool, zq[2], kPrinterTool, zq[3], acme[2],
                kPrinterTool, acme[3] }),
            0, { "failed", "failed" }, { "failure_cause_ambiguous", "failure_cause_ambiguous" },
            { { "/runs/0/stages/fax/error", nullptr }, { "/runs/1/stages/fax/error", nullptr } },
            { { 0, "interleaved" }, { 1, "interleaved" } }, {} },
        { "the same waiting for their printer starts, one run's driver tool between the failures",
            Lines(std::vector<std::string> { kRunning, kFlag, kFax, zq[0], kPrinter, zq[1], kRunning, kFlag, kFax,
                acme[0], kPrinter, acme[1], "Access is denied.\r\n", kPrinterFailed, kFaxTool, zq[2],
                "The process cannot access the file because it is being used by another process.\r\n", kPrinterFailed,
                kFaxTool, acme[2], kPrinterTool, kPrinterTool, zq[3], acme[3] }),
            0, { "failed", "failed" }, { "failure_cause_ambiguous", "failure_cause_ambiguous" },
            { { "/runs/0/stages/printer/error", nullptr }, { "/runs/1/stages/printer/error", nullptr } },
            { { 0, "interleaved" }, { 1, "interleaved" } }, {} },
        { "two setups at once, a tool's output and no failure line: not a failed start",
            Lines(std::vector<std::string> { kRunning, kFlag, kRunning, kFax, kFaxLine, kFlag, kPrinter, kFax,
                      kPrinterLine, fax2, "zqntadd: printer added\r\n" }
                + secondRest),
            0, { "incomplete", "ok" }, { "interleaved", nullptr }, { { "/other_lines", 2 } }, {}, {} },
        { "two packages at once, each reaching its driver tools where the other cannot: each run names its own",
            Lines(Merge(one, two,
                "aaaababababababa"
                "bbbb")),
            0, { "ok", "ok" }, { nullptr, nullptr },
            { { "/other_lines", 0 }, { "/runs/0/key_path", "SOFTWARE\\ZqTest\\Install\\Printer" },
                { "/runs/0/driver_names", json::array({ "One Fax", "One Printer" }) },
                { "/runs/1/key_path", "SOFTWARE\\ZqTwo\\Install\\Printer" },
                { "/runs/1/driver_names", json::array({ "Two Fax", "Two Printer" }) } },
            { { 0, "interleaved" }, { 1, "interleaved" } }, {} },
        { "two packages at once, their driver tools' lines where either run could have written them: no names",
            Lines(Merge(one, two, "aaaaaabbbbbbaaaabbbb")), 0, { "ok", "ok" }, { nullptr, nullptr },
            { { "/runs/0/driver_names", json::array() }, { "/runs/1/driver_names", json::array() },
                { "/runs/0/stages/driver_tool_fax/command", nullptr } },
            { { 0, "interleaved" }, { 1, "interleaved" } }, {} },
        { "two packages at once, their printer announcements crossed: the command line's folder and key tell whose",
            Lines(Merge(one, two, "abaaabbbabbabaaabbba")), 0, { "ok", "ok" }, { nullptr, nullptr },
            { { "/runs/0/key_path", "SOFTWARE\\ZqTwo\\Install\\Printer" },
                { "/runs/0/stages/fax/command/arguments", "SOFTWARE\\ZqTwo\\Install\\Fax" },
                { "/runs/1/key_path", "SOFTWARE\\ZqTest\\Install\\Printer" },
                { "/runs/1/stages/fax/command/arguments", "SOFTWARE\\ZqTest\\Install\\Fax" } },
            { { 0, "interleaved" }, { 1, "interleaved" } }, {} },
        { "another installer's lines after a run's last line are not inside it",
            typical + Lines({ "Setup of another product: done" }), 0, { "ok" }, { nullptr }, { { "/other_lines", 1 } },
            {}, { { 0, "other_lines" } } },
        { "another installer's line inside a run",
            Lines(std::vector<std::string> { kRunning, kFlag, "virus scan: ok" }
                + std::vector<std::string>(kTypical.begin() + 2, kTypical.end())),
            0, { "ok" }, { nullptr }, { { "/other_lines", 1 } }, { { 0, "other_lines" } }, {} },
        { "rotation cut the first line, the tail of a command line: it is the program's",
            Lines(std::vector<std::string> { "est\\prog\\zqntadd.exe\" SOFTWARE\\ZqTest\\Install\\Printer" }
                + Tools("Zq Fax Driver", "Zq Printer Driver")),
            0, { "ok" }, { nullptr }, { { "/other_lines", 0 }, { "/runs/0/first_line", 1 } },
            { { 0, "first_line_cut" }, { 0, "first_lines_missing" } }, { { 0, "lines_lost" } } },
        { "rotation cut the first line inside the printer's key path: the driver tool after it confirms its place",
            Lines(
                std::vector<std::string> { "ZqTest\\Install\\Printer" } + Tools("Zq Fax Driver", "Zq Printer Driver")),
            0, { "ok" }, { nullptr }, { { "/other_lines", 0 }, { "/runs/0/first_line", 1 } },
            { { 0, "first_line_cut" }, { 0, "first_lines_missing" } }, { { 0, "lines_lost" } } },
        { "the same inside the fax's key path, the printer's announcement after it",
            Lines(std::vector<std::string> { "Install\\Fax", kPrinter, kPrinterLine }
                + Tools("Zq Fax Driver", "Zq Printer Driver")),
            0, { "ok" }, { nullptr }, { { "/other_lines", 0 }, { "/runs/0/first_line", 1 } },
            { { 0, "first_line_cut" } }, { { 0, "lines_lost" } } },
        { "a first line like a key path's end, but a run's first line after it: another program's",
            Lines({ "ZQ\\Install\\Printer" }) + typical, 0, { "ok" }, { nullptr },
            { { "/other_lines", 1 }, { "/runs/0/first_line", 2 } }, {}, { { 0, "first_line_cut" } } },
        { "rotation cut the first line, the tail of the fax's command line",
            Lines(std::vector<std::string> { "\\zqntadd.exe\" SOFTWARE\\ZqTest\\Install\\Fax", kPrinter, kPrinterLine }
                + Tools("Zq Fax Driver", "Zq Printer Driver")),
            0, { "ok" }, { nullptr }, { { "/other_lines", 0 }, { "/runs/0/first_line", 1 } },
            { { 0, "first_line_cut" }, { 0, "first_lines_missing" } }, { { 0, "lines_lost" } } },
        { "rotation cut the first line, the tail of the fax driver tool's command line",
            Lines({ "zqdrvtl.exe /n:Zq Fax Driver", kPrinterTool, kDriverDir + std::string("Zq Printer Driver") }), 0,
            { "ok" }, { nullptr }, { { "/other_lines", 0 }, { "/runs/0/first_line", 1 } }, { { 0, "first_line_cut" } },
            { { 0, "lines_lost" } } },
        { "rotation cut the first line, the tail of the printer's announcement: the run begins there",
            Lines(std::vector<std::string> { "ntAdd for Printer Driver -->", kPrinterLine }
                + Tools("Zq Fax Driver", "Zq Printer Driver"))
                + typical,
            0, { "ok", "ok" }, { nullptr, nullptr },
            { { "/other_lines", 0 }, { "/runs/0/first_line", 1 }, { "/runs/0/stages/printer/state", "done" },
                { "/runs/0/stages/printer/line", 2 }, { "/runs/0/stages/fax/state", "unknown" },
                { "/runs/0/stages/spooler/state", "unknown" },
                { "/runs/0/key_path", "SOFTWARE\\ZqTest\\Install\\Printer" },
                { "/runs/0/program_dir", "C:\\zqtest\\prog" }, { "/runs/1/first_line", 7 } },
            { { 0, "first_line_cut" }, { 0, "first_lines_missing" } }, { { 0, "lines_lost" }, { 0, "other_lines" } } },
        { "rotation cut the first line, the tail of the fax's announcement",
            Lines(std::vector<std::string> { "ntAdd for Fax -->", kFaxLine, kPrinter, kPrinterLine }
                + Tools("Zq Fax Driver", "Zq Printer Driver")),
            0, { "ok" }, { nullptr },
            { { "/other_lines", 0 }, { "/runs/0/first_line", 1 }, { "/runs/0/stages/fax/state", "done" },
                { "/runs/0/stages/fax/line", 2 }, { "/runs/0/stages/fax_decision/state", "unknown" },
                { "/runs/0/program_dir", "C:\\zqtest\\prog" } },
            { { 0, "first_line_cut" }, { 0, "first_lines_missing" } }, { { 0, "lines_lost" } } },
        { "rotation cut the first line, the tail of the fax driver tool's announcement",
            Lines({ "(zqdrvtl) for fax driver from RunNTAdd -->", kDriverDir + std::string("Zq Fax Driver"),
                kPrinterTool, kDriverDir + std::string("Zq Printer Driver") }),
            0, { "ok" }, { nullptr },
            { { "/other_lines", 0 }, { "/runs/0/stages/driver_tool_fax/state", "done" },
                { "/runs/0/stages/driver_tool_fax/line", 2 }, { "/runs/0/stages/printer/state", "unknown" },
                { "/runs/0/driver_names", json::array({ "Zq Fax Driver", "Zq Printer Driver" }) } },
            { { 0, "first_line_cut" }, { 0, "first_lines_missing" } }, { { 0, "lines_lost" } } },
        { "rotation cut the first line, the tail of the printer driver tool's announcement",
            Lines({ "r driver from RunNTAdd -->", kDriverDir + std::string("Zq Printer Driver") }), 0, { "ok" },
            { nullptr },
            { { "/other_lines", 0 }, { "/runs/0/stages/driver_tool_printer/state", "done" },
                { "/runs/0/stages/driver_tool_fax/state", "unknown" },
                { "/runs/0/driver_names", json::array({ "Zq Printer Driver" }) } },
            { { 0, "first_line_cut" }, { 0, "first_lines_missing" } }, {} },
        { "rotation cut the first line, an announcement's tail another program's line follows: no run from it",
            Lines(std::vector<std::string> { "ntAdd for Printer Driver -->", "virus scan: ok" }) + typical, 0, { "ok" },
            { nullptr }, { { "/other_lines", 1 }, { "/runs/0/first_line", 3 } }, {}, {} },
        { "rotation cut the first line, the tail of the fax decision's line",
            Lines(std::vector<std::string> { "registry which means Do install Fax" }
                + std::vector<std::string>(kTypical.begin() + 2, kTypical.end())),
            0, { "ok" }, { nullptr }, { { "/other_lines", 0 }, { "/runs/0/first_line", 1 } },
            { { 0, "first_line_cut" } }, { { 0, "lines_lost" } } },
        { "a code page 932 log read as 1252: a note naming 932",
            Lines({ kRunning, kPrinter, "\"C:\\" + sjis + "\\zqntadd.exe\" SOFTWARE\\ZQ\\Install\\Printer" })
                + Lines(Tools("", sjis + " " + sjis)),
            0, { "ok" }, { nullptr }, { { "/notes/0/id", "code_page_likely" } }, { { 0, "code_page_likely" } }, {} },
        { "a code page 932 log cut inside a character, read as 1252: still the note",
            Lines({ kRunning, kPrinter, "\"C:\\" + sjis + "\\zqntadd.exe\" SOFTWARE\\ZQ\\Install\\Printer" })
                + Lines(Tools("", sjis)) + "Calling zqsetdrv(zqdrvtl) for fax driver from RunNTAdd -->\r\n"
                + sjis.substr(0, 5),
            0, {}, {}, { { "/notes/0/id", "code_page_likely" } }, {}, {} },
        { "the same log read with --code-page 932: no note",
            Lines({ kRunning, kPrinter, "\"C:\\" + sjis + "\\zqntadd.exe\" SOFTWARE\\ZQ\\Install\\Printer" })
                + Lines(Tools("", sjis + " " + sjis)),
            932, { "ok" }, { nullptr }, { { "/notes", json::array() } }, {}, { { 0, "code_page_likely" } } },
        { "accented 1252 text, an e-acute before a letter, raises no code page note",
            Lines({ kRunning, kPrinter,
                "\"C:\\Caf\xe9 R\xe9seau\\Fran\xe7"
                "ais\\zqntadd.exe\" SOFTWARE\\ZQ\\Printer" })
                + Lines(Tools("",
                    "Imprimante \xe9tiquettes d\xe9j\xe0 r\xe9gl\xe9"
                    "e")),
            0, { "ok" }, { nullptr }, {}, {}, { { 0, "code_page_likely" }, { -1, "code_page_likely" } } },
        { "code page 936 text read as 1252: the note names 936", InPage(kGbk), 0, { "ok" }, { nullptr },
            { { "/notes/0/text", CodePageSaid(936) } }, {}, {} },
        { "code page 949 text read as 1252: the note names 949", InPage(kUhc), 0, { "ok" }, { nullptr },
            { { "/notes/0/text", CodePageSaid(949) } }, {}, {} },
        { "code page 950 text read as 1252: the note names 950", InPage(kBig5), 0, { "ok" }, { nullptr },
            { { "/notes/0/text", CodePageSaid(950) } }, {}, {} },
        { "code page 932 text read as 1252: the note names 932", InPage(kShiftJis), 0, { "ok" }, { nullptr },
            { { "/notes/0/text", CodePageSaid(932) } }, {}, {} },
        { "Cyrillic of code page 1251, whose words pair up by chance, raises no code page note", InPage(kCyrillic), 0,
            { "ok" }, { nullptr }, { { "/notes", json::array() } }, {}, {} },
        { "Greek of code page 1253 raises none either", InPage(kGreek), 0, { "ok" }, { nullptr },
            { { "/notes", json::array() } }, {}, {} },
        { "LF line ends from a mail system", Lf(typical), 0, { "ok" }, { nullptr }, { { "/conversion", "lf" } },
            { { 0, "converted" }, { -1, "converted" } }, {} },
        { "a run that stops after the printer stage, and a later run that reached the driver tools",
            Lines({ kRunning, kPrinter, kPrinterLine }) + typical, 0, { "failed", "ok" },
            { "ends_after_printer", nullptr }, {}, { { 0, "ends_after_printer" } }, {} },
        { "a run whose first lines are missing", Lines(Tools("Zq Fax Driver", "Zq Printer Driver")), 0, { "ok" },
            { nullptr }, {}, { { 0, "first_lines_missing" } }, {} },
        { "a run with a fax launch's lines lost", Lines({ kRunning, kFlag, kPrinter, kPrinterLine }), 0, { "failed" },
            { "ends_after_printer" }, {}, { { 0, "lines_lost" } }, {} },
        { "a stopped spooler's wait, then a hang in the fax stage", Lines({ kRunning, kFlag, kFax, kFaxLine }), 0,
            { "incomplete" }, { "stopped" }, { { "/runs/0/stages/fax/state", "unfinished" } }, {}, {} },
        { "the spooler did not open", Lines({ "OpenService the spooler is not running" }) + Lines(kTypical).substr(36),
            0, { "failed" }, { "spooler_not_opened" },
            { { "/runs/0/stages/spooler/failure_line", "OpenService the spooler is not running" } }, {}, {} },
        { "no key path", Lines({ "Registry value not specified in RunNTAdd" }), 0, { "failed" }, { "no_key_path" }, {},
            {}, {} },
        { "ProgramDir unread", Lines({ "Could not get ProgramDir from the registry" }), 0, { "failed" },
            { "program_dir_unread" }, {}, {}, {} },
        { "the add-printer tool crashed", Lines({ kRunning, kPrinter, kPrinterLine, kPrinterFailed }), 0, { "failed" },
            { "printer_tool_failed" }, { { "/runs/0/stages/printer/error", nullptr } }, {}, {} },
        { "a command line too long",
            Lines({ kRunning, kFlag, kFax, kFaxLine, "Command line too long, not started", kPrinterFailed }), 0,
            { "failed" }, { "command_too_long" }, {}, {}, {} },
        { "the driver tool missing",
            Lines({ kRunning, kPrinter, kPrinterLine, kFaxTool, kDriverDir + std::string("Zq"), "File not found.\r\n",
                "Error executing zqsetdrv for fax driver", kPrinterTool, kDriverDir + std::string("Zq"),
                "File not found.\r\n", "Error executing zqsetdrv for printer driver" }),
            0, { "failed" }, { "driver_tool_start_failed" },
            { { "/runs/0/stages/driver_tool_fax/error/code", 2 },
                { "/runs/0/stages/driver_tool_fax/command/arguments", "/n:Zq" } },
            {}, {} },
        { "two setups at once, the second begun while the first ran its printer stage",
            Lines(std::vector<std::string>(kTypical.begin(), kTypical.begin() + 6)
                + std::vector<std::string>(kTypical.begin(), kTypical.begin() + 6)
                + Tools("Zq Fax Driver", "Zq Printer Driver") + Tools("Zq Fax Driver", "Zq Printer Driver")),
            0, { "ok", "ok" }, { nullptr, nullptr }, { { "/other_lines", 0 } },
            { { 0, "interleaved" }, { 1, "interleaved" } }, {} },
        { "two setups at once, the second's fax launch waiting while the first ran its driver tools",
            Lines(std::vector<std::string>(kTypical.begin(), kTypical.begin() + 6)
                + std::vector<std::string> { kRunning, kFlag, kFax } + Tools("Zq Fax Driver", "Zq Printer Driver")
                + std::vector<std::string> { kFaxLine, kPrinter, kPrinterLine }
                + Tools("Zq Fax Driver", "Zq Printer Driver")),
            0, { "ok", "ok" }, { nullptr, nullptr }, { { "/other_lines", 0 } },
            { { 0, "interleaved" }, { 1, "interleaved" } }, { { 0, "lines_lost" }, { 1, "lines_lost" } } },
        { "the same with a first run of a system without the spooler",
            Lines(std::vector<std::string>(kTypical.begin() + 1, kTypical.begin() + 6)
                + std::vector<std::string> { kRunning, kFlag, kFax } + Tools("Zq Fax Driver", "Zq Printer Driver")
                + std::vector<std::string> { kFaxLine, kPrinter, kPrinterLine }
                + Tools("Zq Fax Driver", "Zq Printer Driver")),
            0, { "ok", "ok" }, { nullptr, nullptr }, { { "/other_lines", 0 } },
            { { 0, "interleaved" }, { 1, "interleaved" } }, { { 0, "lines_lost" }, { 1, "lines_lost" } } },
        { "two setups at once, the second two lines behind", Lines(Interleave(kTypical, kTypical, 2)), 0,
            { "ok", "ok" }, { nullptr, nullptr }, { { "/other_lines", 0 } },
            { { 0, "interleaved" }, { 1, "interleaved" } }, { { 0, "lines_lost" }, { 1, "lines_lost" } } },
        { "two packages' setups at once, the second five lines behind",
            Lines(Interleave(kTypical, OtherKey(kTypical), 5)), 0, { "ok", "ok" }, { nullptr, nullptr },
            { { "/other_lines", 0 }, { "/runs/1/key_path", "SOFTWARE\\ZqTwo\\Install\\Printer" } },
            { { 0, "interleaved" }, { 1, "interleaved" } }, { { 0, "lines_lost" }, { 1, "lines_lost" } } },
        { "a setup that hung in the fax stage, then run again: not two at once",
            Lines({ kRunning, kFlag, kFax, kFaxLine }) + typical, 0, { "incomplete", "ok" }, { "stopped", nullptr }, {},
            {}, { { 0, "interleaved" }, { 1, "interleaved" } } },
        { "a key path too long", Lines({ "Registry key path too long in RunNTAdd" }), 0, { "failed" },
            { "key_path_too_long" }, {}, {}, {} },
        { "a printer Driver Name too long", Lines({ "Could not get Printer Name from the registry" }), 0, { "failed" },
            { "printer_name_unread" }, {}, {}, {} },
        { "the fax stage's add-printer tool crashed",
            Lines(std::vector<std::string> { kRunning, kFlag, kFax, kFaxLine, "Error executing NT Add Printer for FAX",
                      kPrinter, kPrinterLine }
                + Tools("", "Zq")),
            0, { "failed" }, { "fax_tool_failed" }, {}, {}, {} },
        { "the fax stage could not start",
            Lines(std::vector<std::string> { kRunning, kFlag, kFax, kFaxLine, "Access is denied.\r\n",
                      "Error executing NT Add Printer for FAX", kPrinter, kPrinterLine }
                + Tools("", "Zq")),
            0, { "failed" }, { "fax_start_failed" }, { { "/runs/0/stages/fax/error/code", 5 } }, {}, {} },
        { "a fax key without a Driver Name",
            Lines(std::vector<std::string> {
                      kRunning, kFax, kFaxLine, "Could not get Fax Name from the registry", kPrinter, kPrinterLine }
                + Tools("", "Zq")),
            0, { "failed" }, { "fax_name_unread" }, {}, {}, { { 0, "fax_name_empty" } } },
        { "a failure line whose start error's lines were lost",
            Lines({ kRunning, kPrinter, kPrinterLine, kFaxTool, kDriverDir + std::string("Zq"),
                "Error executing zqsetdrv for fax driver", kPrinterTool, kDriverDir + std::string("Zq") }),
            0, { "failed" }, { "failure_cause_lost" }, {}, {}, {} },
        { "a CRITICAL ERROR line",
            Lines(std::vector<std::string> {
                      kRunning, "CRITICAL ERROR! Attempt to write NULL string to uninstaller log!" }
                + std::vector<std::string>(kTypical.begin() + 1, kTypical.end())),
            0, { "failed" }, { "null_text" }, {}, { { 0, "null_text" } }, {} },
        { "two runs at once, both hung in the fax stage", Lines({ kRunning, kRunning, kFax, kFaxLine, kFax, kFaxLine }),
            0, { "incomplete", "incomplete" }, { "interleaved", "interleaved" }, {},
            { { 0, "interleaved" }, { 1, "interleaved" } }, {} },
        { "another program's text glued to the front of an announcement",
            Lines(std::vector<std::string> { kRunning, "zqntadd: done" + std::string(kPrinter), kPrinterLine }
                + Tools("", "Zq")),
            0, { "ok" }, { nullptr }, {}, { { 0, "glued_line" } }, {} },
        { "a failure line cut short by a full disk",
            Lines({ kRunning, kPrinter, kPrinterLine }) + "Error executing NT Add Printer for", 0, { "failed" },
            { "printer_tool_failed" }, {}, { { 0, "cut_line" } }, {} },
        { "an empty fax name after a fax launch",
            Lines(std::vector<std::string> { kRunning, kFax, kFaxLine, kPrinter, kPrinterLine } + Tools("", "Zq")), 0,
            { "ok" }, { nullptr }, {}, { { 0, "fax_name_empty" } }, {} },
        { "a missing install root key: ProgramDir empty",
            Lines(std::vector<std::string> {
                      kRunning, kPrinter, "\"\\zqntadd.exe\" SOFTWARE\\ZqTest\\Missing\\Install\\Printer" }
                + Tools("", "")),
            0, { "ok" }, { nullptr }, { { "/runs/0/program_dir", "" } }, { { 0, "program_dir_empty" } }, {} },
        { "150 runs over years, one failed: counts over every run", years, 0, {}, {},
            { { "/counts/ok", 149 }, { "/counts/failed", 1 }, { "/counts/incomplete", 0 },
                { "/runs/77/why", "printer_start_failed" }, { "/runs/77/stages/printer/error/code", 5 } },
            {}, {} },
    };
    std::set<std::string> whys, notes; // seen over the whole table
    for (const RunCase& c : cases) {
        const json doc = Doc(c.log, c.codePage);
        for (const json& run : doc["runs"]) {
            if (run["why"].is_string())
                whys.insert(run["why"].get<std::string>());
            for (const json& note : run["notes"])
                notes.insert(note["id"].get<std::string>());
        }
        if (!c.verdicts.empty()) {
            ASSERT_EQ(c.verdicts.size(), doc["runs"].size()) << c.row << "\n" << doc.dump(1);
            for (size_t i = 0; i < c.verdicts.size(); ++i) {
                EXPECT_EQ(c.verdicts[i], doc["runs"][i]["verdict"]) << c.row << ", run " << i + 1;
                EXPECT_EQ(c.whys[i], doc["runs"][i]["why"]) << c.row << ", run " << i + 1;
                EXPECT_EQ(c.whys[i].is_null(), doc["runs"][i]["why_text"].is_null()) << c.row;
            }
        }
        for (const auto& field : c.fields)
            EXPECT_EQ(field.second, doc[json::json_pointer(field.first)]) << c.row << ": " << field.first;
        for (const auto& note : c.notes)
            EXPECT_TRUE(HasNote(note.first < 0 ? doc["notes"] : doc["runs"][note.first]["notes"], note.second))
                << c.row << ": " << note.second << "\n"
                << doc.dump(1);
        for (const auto& note : c.noNotes)
            EXPECT_FALSE(HasNote(note.first < 0 ? doc["notes"] : doc["runs"][note.first]["notes"], note.second))
                << c.row << ": " << note.second;
    }
    // Every why id and every note id of a run is said by one of these logs.
    for (int why = WHY_NONE + 1; why < WHY_COUNT; ++why)
        EXPECT_TRUE(whys.count(WhyIdText((WhyId)why))) << WhyIdText((WhyId)why);
    for (int note = 0; note < NOTE_COUNT; ++note)
        if (note != NOTE_READ_ONCE)
            EXPECT_TRUE(notes.count(NoteIdText((NoteId)note))) << NoteIdText((NoteId)note);
}

namespace {

// Two packages' lines, each in a folder and under a key of its own.
const char kZqFax[] = "\"C:\\Program Files\\ZQ\\zqntadd.exe\" SOFTWARE\\ZQ\\Install\\Fax";
const char kZqPrinter[] = "\"C:\\Program Files\\ZQ\\zqntadd.exe\" SOFTWARE\\ZQ\\Install\\Printer";
const char kAcmeFax[] = "\"C:\\Acme\\zqntadd.exe\" SOFTWARE\\Acme Print\\Install\\Fax";
const char kAcmePrinter[] = "\"C:\\Acme\\zqntadd.exe\" SOFTWARE\\Acme Print\\Install\\Printer";
const char kZqKey[] = "SOFTWARE\\ZQ\\Install\\Printer";
const char kAcmeKey[] = "SOFTWARE\\Acme Print\\Install\\Printer";

std::string Warned(const char* code)
{
    return std::string("Warning! Unknown error code ") + code + " reported while executing command: ";
}

struct TieCase {
    const char* row;
    std::string log;
    std::vector<const char*> verdicts;
    json firstLines, lastLines, keyPaths, driverNames; // per run
    std::vector<const char*> together; // parts of the runs_indistinct note's text; none: no such note
    const char* header; // a part of the text account's verdict lines
    json stageLines = nullptr; // per run: { stage: its line }, of the stages asserted
    std::vector<const char*> says = {}; // per run: a part of one stage's cause or advice
    const char* sayer = "printer"; // that stage
};

} // namespace

// Two runs at the same place in the order when a line comes that either
// could take: from there, what depends on the reader's choice of run is not
// known of either run, and the note says what the two showed together. Where
// the command lines told the runs apart before, each keeps its lines.
TEST(ZqlogJson, RunsThatCannotBeToldApart)
{
    const json none = nullptr;
    const std::string driver = kDriverDir;
    const TieCase cases[] = {
        { "two packages, the same first lines each, then lines either could take",
            Lines({ kRunning, kFlag, kFax, kRunning, kFlag, kFax, kZqFax, kAcmeFax, kPrinter, kPrinter, kZqPrinter,
                kAcmePrinter, kFaxTool, driver + "ZQ Fax", kPrinterTool, driver + "ZQ Laser", kFaxTool,
                driver + "Acme Fax 2", kPrinterTool, driver + "Acme Laser 5" }),
            { "ok", "ok" }, { none, none }, { none, none }, { kAcmeKey, kZqKey }, { none, none },
            { "runs 1 and 2 cannot be told apart from line 7 on", "began at lines 1 and 4, ended at lines 16 and 20",
                "named the drivers ZQ Fax, ZQ Laser, Acme Fax 2, Acme Laser 5",
                "printer 9 and 10; driver tool (fax) 13 and 17; driver tool (printer) 15 and 19, named" },
            "run 1: ok, its first and last lines not known (see the note)",
            json::array({ { { "spooler", none }, { "fax_decision", none }, { "fax", none }, { "printer", none },
                              { "driver_tool_fax", none } },
                { { "spooler", none }, { "fax_decision", none }, { "fax", none }, { "driver_tool_printer", none } } }),
            { "started at line not known (see the note), ran", "started at line not known (see the note), ran" } },
        { "the same, a driver tool's start failing: the other start of that tool is either run's",
            Lines({ kRunning, kFlag, kFax, kRunning, kFlag, kFax, kZqFax, kAcmeFax, kPrinter, kPrinter, kZqPrinter,
                kAcmePrinter, kFaxTool, driver + "ZQ Fax", kPrinterTool, driver + "ZQ Laser", kFaxTool,
                driver + "Acme Fax 2", kPrinterTool, driver + "Acme Laser 5", Warned("740"), driver + "Acme Laser 5",
                "Error executing zqsetdrv for printer driver" }),
            { "ok", "failed" }, { none, none }, { none, none }, { kAcmeKey, kZqKey }, { none, none },
            { "runs 1 and 2 cannot be told apart from line 7 on" }, "run 2: failed, its first and last lines not known",
            json::array({ { { "driver_tool_printer", none } }, { { "driver_tool_printer", none } } }),
            { "started at line not known (see the note), not waited for",
                "the same program started at line 17 of this log (of which run is not known)" },
            "driver_tool_printer" },
        { "the same, one start failing with a code: the failure is the run's whose command line it repeats",
            Lines({ "[setup.exe] starting", kRunning, kFlag, kRunning, kFlag, kFax, kFax, kZqFax, kAcmeFax, kPrinter,
                kPrinter, kAcmePrinter, Warned("740"), kAcmePrinter, kPrinterFailed, kZqPrinter, kFaxTool,
                driver + "Acme Fax 2", kPrinterTool, driver + "Acme Laser 5", kFaxTool, driver + "ZQ Fax", kPrinterTool,
                driver + "ZQ Laser" }),
            { "ok", "failed" }, { none, none }, { none, none }, { kZqKey, kAcmeKey }, { none, none },
            { "runs 1 and 2 cannot be told apart from line 6 on", "began at lines 2 and 4, ended at lines 20 and 24" },
            "run 2: failed, its first and last lines not known (see the note): printer failed",
            json::array({ { { "fax", none } }, { { "fax", none }, { "printer", none } } }),
            { "started at line not known", "the same program started at line 9 (run 2) of this log" } },
        { "one package twice: the same key paths",
            Lines({ kRunning, kRunning, kFlag, kFlag, kFax, kFax, kZqFax, kZqFax, kPrinter, kZqPrinter, kFaxTool,
                driver + "ZQ Fax", kPrinterTool, driver + "ZQ Laser", kPrinter, kZqPrinter, kFaxTool, driver + "ZQ Fax",
                kPrinterTool, driver + "ZQ Laser" }),
            { "ok", "ok" }, { none, none }, { none, none }, { kZqKey, kZqKey }, { none, none },
            { "runs 1 and 2 cannot be told apart from line 3 on", "began at lines 1 and 2" },
            "run 2: ok, its first and last lines not known" },
        { "both starts failing after the tie: each failure line ends its run",
            Lines({ kRunning, kFlag, kFax, kRunning, kFlag, kFax, kZqFax, kAcmeFax, kPrinter, kPrinter, kZqPrinter,
                Warned("740"), kZqPrinter, kPrinterFailed, kAcmePrinter, Warned("5"), kAcmePrinter, kPrinterFailed }),
            { "failed", "failed" }, { none, none }, { 18, 14 }, { kAcmeKey, kZqKey }, { json::array(), json::array() },
            { "runs 1 and 2 cannot be told apart from line 7 on",
                "began at lines 1 and 4, had their stages at lines spooler 1 and 4; fax decision 2 and 5; fax 3 and 6; "
                "printer 9 and 10: which run" },
            "run 2: failed, its first line not known (see the note), its last line 14",
            json::array({ { { "spooler", none }, { "printer", none } }, { { "spooler", none }, { "printer", none } } }),
            { "failed at line 18:", "failed at line 14:" } },
        { "both printer starts warned one after the other: each warning is the run's whose command line follows it",
            Lines({ kRunning, kFlag, kFax, kRunning, kFlag, kFax, kZqFax, kAcmeFax, kPrinter, kPrinter, kZqPrinter,
                kAcmePrinter, Warned("5"), kZqPrinter, kPrinterFailed, Warned("5"), kAcmePrinter, kPrinterFailed }),
            { "failed", "failed" }, { none, none }, { 18, 15 }, { kAcmeKey, kZqKey }, { json::array(), json::array() },
            { "runs 1 and 2 cannot be told apart from line 7 on" }, "run 1: failed, its first line not known",
            json::array({ { { "printer", none } }, { { "printer", none } } }),
            { "\"C:\\Acme\\zqntadd.exe\" could not start: access to the program was denied (error 5)",
                "zqntadd.exe\" could not start: access to the program was denied (error 5)" } },
        { "one package twice, both printer starts warned one after the other: a warning after a run's failure is the "
          "other's",
            Lines({ kRunning, kRunning, kFlag, kFlag, kFax, kFax, kZqFax, kZqFax, kPrinter, kPrinter, kZqPrinter,
                kZqPrinter, Warned("5"), kZqPrinter, kPrinterFailed, Warned("5"), kZqPrinter, kPrinterFailed }),
            { "failed", "failed" }, { none, none }, { 15, 18 }, { kZqKey, kZqKey }, { json::array(), json::array() },
            { "runs 1 and 2 cannot be told apart from line 3 on" }, "run 2: failed, its first line not known",
            json::array({ { { "printer", none } }, { { "printer", none } } }),
            { "could not start: access to the program was denied (error 5)",
                "could not start: access to the program was denied (error 5)" } },
        { "keys shown apart before the runs stand at the same place: each run keeps its lines",
            Lines({ kRunning, kFlag, kFax, kZqFax, kRunning, kFlag, kFax, kAcmeFax, kPrinter, kAcmePrinter, kPrinter,
                "Path not found.", kZqPrinter, kFaxTool, "", kPrinterFailed, kFaxTool, driver + "Acme Fax 2",
                driver + "ZQ Fax", kPrinterTool, driver + "ZQ Laser", kPrinterTool, driver + "Acme Laser 5" }),
            { "ok", "failed" }, { 1, 5 }, { 21, 23 }, { kZqKey, kAcmeKey }, { json::array(), json::array() }, {},
            "run 1: ok, lines 1 to 21",
            json::array({ { { "spooler", 1 }, { "fax", 3 }, { "printer", 11 } },
                { { "spooler", 5 }, { "fax", 7 }, { "printer", 9 } } }),
            { "started at line 11", "failed at line 16" } },
        { "keys shown apart, then driver-tool lines either run could have written: their stages give no line",
            Lines({ kRunning, kFlag, kFax, kZqFax, kRunning, kFlag, kFax, kAcmeFax, kPrinter, kAcmePrinter, kPrinter,
                kZqPrinter, kFaxTool, driver + "ZQ Fax", kFaxTool, driver + "Acme Fax 2", kPrinterTool,
                driver + "ZQ Laser", kPrinterTool, driver + "Acme Laser 5" }),
            { "ok", "ok" }, { 1, 5 }, { 20, 18 }, { kZqKey, kAcmeKey }, { json::array(), json::array() }, {},
            "run 1: ok",
            json::array({ { { "printer", 11 }, { "driver_tool_fax", none }, { "driver_tool_printer", none } },
                { { "printer", 9 }, { "driver_tool_fax", none }, { "driver_tool_printer", none } } }),
            { "started at line not known", "started at line not known" }, "driver_tool_fax" },
        { "one package's run ending after the printer stage, then another run alone: read one after the other",
            Lines({ kFlag, kFax, kZqFax, kPrinter, kZqPrinter, kFlag, kFax, kZqFax, kPrinter, kZqPrinter, kFaxTool,
                driver + "ZQ Fax", kPrinterTool, driver + "ZQ Laser" }),
            { "failed", "ok" }, { 1, 6 }, { 5, 14 }, { kZqKey, kZqKey },
            { json::array(), json::array({ "ZQ Fax", "ZQ Laser" }) }, {}, "run 2: ok, lines 6 to 14" },
        { "two packages crossing their printer announcements after their fax command lines",
            Lines({ kRunning, kFlag, kFax, kZqFax, kRunning, kFlag, kFax, kAcmeFax, kPrinter, kZqPrinter, kPrinter,
                kAcmePrinter }),
            { "incomplete", "incomplete" }, { 1, 5 }, { 10, 12 }, { kZqKey, kAcmeKey },
            { json::array(), json::array() }, {}, "run 2: incomplete, lines 5 to 12" },
    };
    for (const TieCase& c : cases) {
        const json doc = Doc(c.log);
        ASSERT_EQ(c.verdicts.size(), doc["runs"].size()) << c.row << "\n" << doc.dump(1);
        long counts[VERDICT_COUNT] = {};
        for (size_t i = 0; i < c.verdicts.size(); ++i) {
            const json& run = doc["runs"][i];
            const std::string at = std::string(c.row) + ", run " + std::to_string(i + 1);
            EXPECT_EQ(c.verdicts[i], run["verdict"]) << at;
            counts[run["verdict"] == "ok"        ? VERDICT_OK
                    : run["verdict"] == "failed" ? VERDICT_FAILED
                                                 : VERDICT_INCOMPLETE]++;
            EXPECT_EQ(c.firstLines[i], run["first_line"]) << at;
            EXPECT_EQ(c.lastLines[i], run["last_line"]) << at;
            EXPECT_EQ(c.keyPaths[i], run["key_path"]) << at;
            EXPECT_EQ(c.driverNames[i], run["driver_names"]) << at;
            if (!c.stageLines.is_null())
                for (const auto& stage : c.stageLines[i].items())
                    EXPECT_EQ(stage.value(), run["stages"][stage.key()]["line"]) << at << ", " << stage.key();
            if (!c.says.empty()) {
                const json& stage = run["stages"][c.sayer];
                const std::string said = stage["cause"].get<std::string>() + " " + stage["advice"].dump();
                EXPECT_NE(std::string::npos, said.find(c.says[i])) << at << "\n" << said;
            }
            std::string together;
            for (const json& note : run["notes"])
                if (note["id"] == "runs_indistinct")
                    together = note["text"];
            EXPECT_EQ(c.together.empty(), together.empty()) << at << "\n" << run.dump(1);
            for (const char* part : c.together)
                EXPECT_NE(std::string::npos, together.find(part)) << at << ": " << part << "\n" << together;
        }
        EXPECT_EQ(counts[VERDICT_OK], doc["counts"]["ok"]) << c.row;
        EXPECT_EQ(counts[VERDICT_FAILED], doc["counts"]["failed"]) << c.row;
        int status;
        const std::string account = AccountOf(c.log, 0, &status);
        EXPECT_NE(std::string::npos, account.find(c.header)) << c.row << "\n" << account;
        // Both tied runs' blocks mark where their lines may be the other's.
        size_t marks = 0;
        for (size_t at = account.find("is this run's only where its own command line shows it");
             at != std::string::npos;
             at = account.find("is this run's only where its own command line shows it", at + 1))
            ++marks;
        EXPECT_EQ(c.together.empty() ? 0u : 2u, marks) << c.row << "\n" << account;
        AccountOptions summary;
        summary.summary = true;
        const std::string brief = AccountOf(c.log, 0, &status, summary);
        EXPECT_EQ(!c.together.empty(), brief.find("lines ?-") != std::string::npos) << c.row << "\n" << brief;
    }
}

// Evidence from the whole log, before and after, says which run it comes from.
TEST(ZqlogJson, EvidenceFromOtherRuns)
{
    const json later = Doc(Lines({ kRunning, kPrinter, kPrinterLine }) + Lines(kTypical));
    EXPECT_TRUE(Has(later["runs"][0]["stages"]["printer"]["cause"], "a hung tool is likelier: run 2 of this log"))
        << later["runs"][0]["stages"]["printer"]["cause"];
    const json sibling = Doc(Lines({ kRunning, kFlag, kFax, kFaxLine, "Access is denied.\r\n",
                                 "Error executing NT Add Printer for FAX", kPrinter, kPrinterLine })
        + Lines(Tools("", "Zq")));
    EXPECT_TRUE(Has(sibling["runs"][0]["stages"]["fax"]["advice"], "the same program started at line 8 (run 1)"));
    const json laterRun = Doc(
        Lines({ kRunning, kFlag, kFax, kFaxLine, "Access is denied.\r\n", "Error executing NT Add Printer for FAX" })
        + Lines(kTypical));
    EXPECT_TRUE(Has(laterRun["runs"][0]["stages"]["fax"]["advice"], "(run 2)"))
        << laterRun["runs"][0]["stages"]["fax"]["advice"];
}

// A driver tool's start that failed, its error line lost: a system text
// zqlog knows still names its error and its advice.
TEST(ZqlogJson, StartErrorWithoutItsErrorLine)
{
    const struct {
        const char* row;
        const char* text;
        json code;
        const char* cause; // a part of it
        json advice; // a part of it, or null
    } cases[] = {
        { "Wine's text for 2", "File not found.", 2, "is not there (error 2)", "zqdrvtl.exe in that printer driver" },
        { "Windows' text for 5", "Access is denied.", 5, "(error 5)", "rights" },
        { "a text zqlog does not know: only quoted", "Zugriff verweigert.", nullptr,
            "the system said: Zugriff verweigert.", nullptr },
    };
    for (const auto& c : cases) {
        const json doc = Doc(Lines({ kRunning, kPrinter, kPrinterLine, kFaxTool, kDriverDir + std::string("Zq"),
            c.text + std::string("\r\n"), kPrinterTool, kDriverDir + std::string("Zq") }));
        const json& stage = doc["runs"][0]["stages"]["driver_tool_fax"];
        EXPECT_EQ("failed", stage["state"]) << c.row;
        EXPECT_EQ(nullptr, stage["failure_line"]) << c.row;
        EXPECT_EQ(c.code, stage["error"]["code"]) << c.row;
        EXPECT_TRUE(Has(stage["cause"], c.cause)) << c.row << ": " << stage["cause"];
        EXPECT_TRUE(Has(stage["cause"], "no error line follows")) << c.row;
        if (c.advice.is_null())
            EXPECT_EQ(nullptr, stage["advice"]) << c.row;
        else
            EXPECT_TRUE(Has(stage["advice"], c.advice.get<std::string>().c_str())) << c.row << ": " << stage["advice"];
    }
}

// A run that ends after the printer stage: a hang is a cause only where no
// error line shows that the add-printer tool had ended.
TEST(ZqlogJson, EndsAfterThePrinterStage)
{
    const struct {
        const char* row;
        std::string log;
        bool mayHaveHung;
        const char* says; // in the printer stage's cause and the note
    } cases[] = {
        { "no error line: a hung tool may be why", Lines({ kRunning, kPrinter, kPrinterLine }), true,
            "nothing else in this log tells the two apart" },
        { "a start error's line", PrinterStart("The system cannot find the file specified."), false,
            "the printer stage's error line" },
        { "a start error given as a code", PrinterCode("2"), false, "the printer stage's error line" },
        { "the tool returned a negative code", Lines({ kRunning, kPrinter, kPrinterLine, kPrinterFailed }), false,
            "the printer stage's error line" },
        { "an error line, and a later run that reached the driver tools",
            Lines({ kRunning, kPrinter, kPrinterLine, kPrinterFailed }) + Lines(kTypical), false,
            "an ended run is likelier: run 2 of this log" },
    };
    for (const auto& c : cases) {
        const json doc = Doc(c.log);
        const json& run = doc["runs"][0];
        ASSERT_EQ(1u, run["notes"].size()) << c.row << "\n" << run.dump(1);
        const json& note = run["notes"][0];
        EXPECT_EQ("ends_after_printer", note["id"]) << c.row;
        for (const json& text : { run["stages"]["printer"]["cause"], note["text"],
                 run["stages"]["driver_tool_fax"]["cause"], run["stages"]["driver_tool_printer"]["cause"] })
            EXPECT_EQ(c.mayHaveHung, Has(text, "hung")) << c.row << ": " << text;
        EXPECT_TRUE(Has(run["stages"]["printer"]["cause"], c.says)) << c.row;
        EXPECT_TRUE(Has(note["text"], c.says)) << c.row;
    }
}

// Standard input is read once: a run that ends after the printer stage is
// weighed by the runs before it alone, and the account says so, never that
// nothing in the log tells the causes apart.
TEST(ZqlogJson, ReadOnceWeighsTheRunsBeforeOnly)
{
    const std::string endsAfterPrinter = Lines({ kRunning, kPrinter, kPrinterLine });
    const std::string typical = Lines(kTypical);
    const struct {
        const char* row;
        std::string log;
        int run; // the run whose printer stage is read
        const char* whole; // what the file read twice says
        const char* once; // what standard input says
    } cases[] = {
        { "a later run reached the driver tools", endsAfterPrinter + typical, 0, "a hung tool is likelier: run 2",
            "nothing in the runs before it tells the two apart (the log was read once" },
        { "an earlier run ended the same way, a later one reached the driver tools",
            endsAfterPrinter + endsAfterPrinter + typical, 1, "a hung tool is likelier: run 3",
            "no run before it reached the driver tool, and another ended the same way (the log was read once" },
        { "the last run: nothing after it is unseen", endsAfterPrinter + endsAfterPrinter, 1,
            "no other run in this log reached the driver tool", "no other run in this log reached the driver tool" },
        { "one run alone", endsAfterPrinter, 0, "nothing else in this log tells the two apart",
            "nothing else in this log tells the two apart" },
    };
    for (const auto& c : cases)
        for (const bool once : { false, true }) {
            AccountOptions options;
            options.json = true;
            options.readOnce = once;
            int status;
            const json doc = json::parse(AccountOf(c.log, 0, &status, options));
            const json& cause = doc["runs"][c.run]["stages"]["printer"]["cause"];
            EXPECT_TRUE(Has(cause, once ? c.once : c.whole)) << c.row << (once ? ", read once: " : ": ") << cause;
            EXPECT_TRUE(once || !Has(cause, "read once")) << c.row;
        }
}

// --json-lines: a run a line, then the file's line with the counts over every run.
TEST(ZqlogJson, JsonLines)
{
    int status;
    AccountOptions options;
    options.jsonLines = true;
    options.failedOnly = true;
    const std::string out
        = AccountOf(Lines(kTypical) + PrinterStart("Access is denied.") + Lines(kTypical), 0, &status, options);
    std::vector<json> lines;
    for (size_t at = 0, end; (end = out.find('\n', at)) != std::string::npos; at = end + 1)
        lines.push_back(json::parse(out.substr(at, end - at)));
    ASSERT_EQ(2u, lines.size()) << out;
    // Two runs at once end in their order; each line written twice, which of
    // the two began or ended where is not known.
    options = AccountOptions();
    options.summary = true;
    std::vector<std::string> both;
    for (const std::string& line : kTypical)
        both = both + std::vector<std::string> { line, line };
    EXPECT_EQ(
        "run 1  lines ?-?  ok\nrun 2  lines ?-?  ok\n", AccountOf(Lines(both), 0, &status, options).substr(0, 42));
    EXPECT_EQ(2, lines[0]["run"]);
    EXPECT_EQ("printer_start_failed", lines[0]["why"]);
    EXPECT_EQ(json({ { "ok", 2 }, { "failed", 1 }, { "incomplete", 0 } }), lines[1]["counts"]);
}

// Every scenario row's log, on both roads, as zqlog reads it: never a
// failure that no failure line shows, never a run stopped where the program
// cannot stop (each row's run ended), and none of the run's lines counted
// as another program's.
TEST(ZqlogJson, EveryScenarioRow)
{
    unsigned read = 0;
    for (unsigned i = 0; i < kCheckRowCount; ++i)
        for (int nt4Road = 0; nt4Road <= 1; ++nt4Road) {
            const CheckRow& row = kCheckRows[i];
            if ((row.road == ROAD_NT4 && !nt4Road) || (row.road == ROAD_OLD && nt4Road)
                || row.logState != CHECK_LOG_FREE)
                continue;
            const std::string log = ScenarioLog(row.name, nt4Road);
            if (log.empty() || row.logBefore || row.logPeer)
                continue; // a text this machine has none for; lines of others
            const json doc = Doc(log);
            ++read;
            ASSERT_FALSE(doc.contains("error")) << row.name;
            EXPECT_EQ(0, doc["other_lines"]) << row.name;
            for (const json& run : doc["runs"]) {
                EXPECT_NE("incomplete", run["verdict"]) << row.name << "\n" << log;
                bool failureLine = run["why"] == "ends_after_printer";
                for (const auto& stage : run["stages"].items())
                    failureLine = failureLine || !stage.value()["failure_line"].is_null();
                EXPECT_EQ(run["verdict"] == "failed", failureLine) << row.name << "\n" << run.dump(1);
            }
        }
    EXPECT_GT(read, 40u);
}

// Each why's advice stands in the stage's advice, apart from its cause.
TEST(ZqlogJson, EachWhyAdvisedApartFromItsCause)
{
    const std::string interleaved = Lines({ kRunning, kRunning, kFax, kFaxLine, kFax, kFaxLine });
    const struct {
        const char* row;
        std::string log;
        const char* why;
        const char* stage;
        const char* advice; // a part of the advice, which the cause does not hold
    } cases[] = {
        { "the spooler did not open", Lines({ "OpenService the spooler is not running" }) + Lines(kTypical).substr(36),
            "spooler_not_opened", "spooler", "check that the Print Spooler service is installed" },
        { "no key path", Lines({ "Registry value not specified in RunNTAdd" }), "no_key_path", "settings",
            "fix the command that starts zqrunadd.exe" },
        { "a key path too long", Lines({ "Registry key path too long in RunNTAdd" }), "key_path_too_long", "settings",
            "a shorter key path" },
        { "the printer's Driver Name unread", Lines({ "Could not get Printer Name from the registry" }),
            "printer_name_unread", "settings", "check Driver Name under the printer key" },
        { "ProgramDir unread", Lines({ "Could not get ProgramDir from the registry" }), "program_dir_unread",
            "settings", "check ProgramDir under the install root key" },
        { "the fax's Driver Name unread",
            Lines({ kRunning, kFlag, kFax, kFaxLine, "Could not get Fax Name from the registry", kPrinter,
                kPrinterLine }),
            "fax_name_unread", "fax", "check Driver Name under the fax key" },
        { "a failure line whose command line is lost", Lines({ kRunning, kFlag, kFax, kFaxLine, kPrinterFailed }),
            "failure_cause_lost", "printer", "ask for the whole log" },
        { "a hang in the fax stage: the tool named", Lines({ kRunning, kFlag, kFax, kFaxLine }), "stopped", "fax",
            "look at zqntadd.exe and the fax key" },
        { "a hang after the spooler line: the tools named", Lines({ kRunning }), "stopped", "fax_decision",
            "look at the driver tool zqdrvtl.exe" },
        { "a stop with no tool to name", Lines({ kRunning, kPrinter }), "stopped", "printer",
            "ask whether the setup was ended" },
        { "a crash's zero bytes inside the fax stage", Lines({ kRunning, kFlag, kFax, kFaxLine }) + Zeros(100),
            "log_end_lost", "fax", "ask whether the machine crashed" },
        { "two runs at once, each stopped", interleaved, "interleaved", "fax", "run one setup alone" },
    };
    for (const auto& c : cases) {
        const json doc = Doc(c.log);
        const json& run = doc["runs"][0];
        EXPECT_EQ(c.why, run["why"]) << c.row;
        const json& stage = run["stages"][c.stage];
        EXPECT_TRUE(Has(stage["advice"], c.advice)) << c.row << ": " << stage;
        EXPECT_FALSE(Has(stage["cause"], c.advice)) << c.row << ": " << stage;
        EXPECT_FALSE(Has(stage["cause"], "heck ") || Has(stage["cause"], "ook at")) << c.row << ": " << stage;
    }
}
