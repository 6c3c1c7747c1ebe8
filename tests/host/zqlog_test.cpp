// zqlog on logs that the scenario table pins (each row names the scenario row
// its log comes from), and on what no run writes: a cut line, other
// programs' lines, files that are no log.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "account.h"
#include "code_pages.h"
#include "log_reader.h"
#include "line_notes.h"
#include "run_record.h"
#include "words.h"
#include "zqlog/log_lines.h"
#include "zqlog/scenario_logs.h"
#include "zqlog/two_runs.h"

namespace {

// A case named for a scenario row takes that row's log from the scenario table.
const std::string FromTable;

std::string LogOf(const char* row, const std::string& log)
{
    if (!log.empty())
        return log;
    const std::string table = ScenarioLog(row);
    EXPECT_FALSE(table.empty()) << "no scenario row " << row;
    return table;
}

struct Expect {
    int line; // counting from 0
    bool own;
    int run;
    const char* says; // a part of the meaning
};

struct LogCase {
    const char* row; // the scenario row, or what the log stands for
    std::string log;
    unsigned codePage;
    std::vector<Expect> expects;
};

} // namespace

TEST(Zqlog, EachLineWhereItStands)
{
    const std::string running = "OpenService the spooler is running";
    const std::string flag = "Could not get Fax Function Key from the registry which means Do install Fax";
    const std::vector<std::string> typical
        = std::vector<std::string> { running, flag, kFax, kFaxLine, kPrinter, kPrinterLine }
        + Tools("Zq Fax Driver", "Zq Printer Driver");
    const std::string dbcsKey = "SOFTWARE\\ZqTest\\\x83Install\\Printer";
    const std::string dbcsRoot = "the install root key HKEY_LOCAL_MACHINE\\" + dbcsKey + ",";
    const LogCase cases[] = {
        { "a missing add-printer tool: the system's text, then the error line, for each run", FromTable, 0,
            { { 4, true, 1, "the system's text (in the machine's language) for why \"C:\\zqtest\\prog\\zqntadd.exe\"" },
                { 5, true, 1, "the empty line that ends the system's text" },
                { 6, true, 1,
                    "\"C:\\zqtest\\prog\\zqntadd.exe\" could not start: the program named on the command line is not "
                    "there (error 2); check ProgramDir" },
                { 11, true, 1, "under the install root key HKEY_LOCAL_MACHINE\\SOFTWARE\\ZqTest\\, and" } } },
        { "the add-printer tool's own text and an empty line, no error line after them: not a failed start",
            Lines(std::vector<std::string> { running, kPrinter, kPrinterLine, "Access is denied.", "" }
                + Tools("", "Zq Printer Driver")),
            0,
            { { 3, false, 0, "most likely the add-printer tool's own output" },
                { 3, false, 0, "the order cannot tell it for one" }, { 4, false, 0, "an empty line, not zqrunadd's" },
                { 5, true, 1, "starts for the fax driver" } } },
        { "an add-printer tool that exits with 0xC0000005 is reported", FromTable, 0,
            { { 4, true, 1, "the fax was not added: the add-printer tool ran and returned a negative code" } } },
        { "a peer writer holds the log over the next line: that line follows the peer's, whole", FromTable, 0,
            { { 6, false, 0, "another program's line" }, { 7, true, 1, "starts for the fax driver" } } },
        { "another program's line between an announcement and its command line",
            Lines({ running, kPrinter, "zqntadd: starting", kPrinterLine }), 0,
            { { 2, false, 0, "stands between an announcement and its command line" },
                { 3, true, 1, "for the key SOFTWARE\\ZqTest\\Install\\Printer" } } },
        { "No Fax Function = 'TRUE'",
            Lines(std::vector<std::string> { running, kPrinter, kPrinterLine } + Tools("", "Zq Printer Driver")), 0,
            { { 4, true, 1, "with no name after /n:, as expected: this run made no fax launch" } } },
        { "a fax key without a Driver Name", FromTable, 0,
            { { 7, true, 1, "the fax Driver Name could not be read (line 4)" } } },
        { "a fax key that does not exist installs the fax, and says nothing of the key", FromTable, 0,
            { { 6, true, 1, "the fax key did not open for its Driver Name" } } },
        { "a missing printer key: nothing said, the values stand empty", FromTable, 0,
            { { 2, true, 1, "ProgramDir stands empty: the install root key did not open" },
                { 7, true, 1, "ProgramDir stands empty: the install root key did not open" },
                { 14, true, 1, "the printer key did not open" } } },
        { "a ProgramDir that makes the printer line one byte too long", FromTable, 0,
            { { 4, true, 1, "(the printer launch)" },
                { 5, true, 1, "not started: ProgramDir and the key path together are too long" } } },
        { "a 260-character key path is refused", FromTable, 0,
            { { 0, true, 1, "260 characters or more and was refused" } } },
        { "an existing log keeps its lines", FromTable, 0,
            { { 1, false, 0, "another program's line" }, { 2, true, 1, "the Spooler service could be opened" } } },
        { "two typical runs", Lines(typical + typical), 0,
            { { 9, true, 1, "for the driver Zq Printer Driver" },
                { 10, true, 2, "a new run begins here: this line cannot follow line 10" } } },
        { "a run whose first lines were lost: a whole run, then the driver tools alone",
            Lines(typical + Tools("Zq Fax Driver", "Zq Printer Driver")), 0,
            { { 10, true, 2, "a new run begins here" },
                { 10, true, 2, "this run's first lines are missing (the printer launch)" },
                { 12, true, 2, "starts for the printer driver, 1 s after" } } },
        { "a lost fax launch: the order cannot tell a gap from a new run",
            Lines({ running, flag, kPrinter, kPrinterLine }), 0,
            { { 2, true, 1, "the fax launch, which line 2 calls for" },
                { 2, true, 1, "the order cannot tell which" } } },
        { "a full disk cuts the failure line short: it is neither failure line",
            Lines({ running, kPrinter, kPrinterLine }) + "Error executing NT Add Printer for", 0,
            { { 3, true, 1,
                "the start of \"Error executing NT Add Printer for FAX\" or \"Error executing NT Add Printer for "
                "Printer Driver\"" } } },
        { "a line without its line end, a later run's line after it",
            Lines({ "OpenService the spooler is running" + std::string(kPrinter), kPrinterLine }), 0,
            { { 0, true, 1, "the start of \"OpenService the spooler is running\"" },
                { 1, true, 1, "for the key SOFTWARE\\ZqTest\\Install\\Printer" } } },
        { "a fax command line cut short, the printer announcement joined to it: the next line stays the printer's",
            Lines({ running, flag, kFax,
                "\"C:\\zqtest\\prog\\zqntadd.exe\" SOFTWARE\\ZqTest\\Inst" + std::string(kPrinter), kPrinterLine }),
            0,
            { { 3, true, 1, "the fax launch's command line, cut short after \"SOFTWARE\\ZqTest\\Inst\"" },
                { 3, true, 1, "then a later line of the program's: the printer stage" },
                { 4, true, 1, "for the key SOFTWARE\\ZqTest\\Install\\Printer" } } },
        { "an announcement cut short, its command line joined to it",
            Lines(std::vector<std::string> { running, "Calling ntAdd for Printer Dri" + std::string(kPrinterLine) }
                + Tools("", "Zq Printer Driver")),
            0,
            { { 1, true, 1, "the start of \"Calling ntAdd for Printer Driver -->\", cut short" },
                { 1, true, 1,
                    "the command line: the add-printer tool zqntadd.exe in ProgramDir, for the key "
                    "SOFTWARE\\ZqTest\\Install\\Printer" },
                { 2, true, 1, "starts for the fax driver" } } },
        { "a peer writer held the log over the announcements: the command lines stay the program's",
            Lines(std::vector<std::string> { running, flag, kFaxLine, kPrinter, kPrinterLine,
                kDriverDir + std::string("Fax"), kPrinterTool, kDriverDir + std::string("Laser"), kPrinterLine }),
            0,
            { { 2, true, 1, "the fax launch's command line; its announcement before it is missing" },
                { 5, true, 1, "the driver tool (fax) launch's command line; its announcement before it is missing" },
                { 8, false, 0, "another program's line" } } },
        { "a run that lost its first lines: an empty fax driver name may or may not be expected",
            Lines(Tools("", "Zq Printer Driver")), 0,
            { { 1, true, 1, "the order cannot tell whether the run made none" } } },
        { "a key path without Install\\Printer: ProgramDir came from the printer key, so its Driver Name is empty",
            Lines(std::vector<std::string> {
                      running, kPrinter, "\"C:\\zqtest\\prog\\zqntadd.exe\" SOFTWARE\\ZqTest\\Printer" }
                + Tools("", "")),
            0, { { 6, true, 1, "the printer key's Driver Name is empty (the key opened" } } },
        { "the driver-directory tool missing: the shell start fails quietly, launches 4 and 5 fail", FromTable, 0,
            { { 10, true, 1,
                  "did not start for the fax driver: C:\\windows\\system32\\spool\\drivers\\w32x86\\zqdrvtl.exe could "
                  "not start" },
                { 15, true, 1,
                    "did not start for the printer driver: C:\\windows\\system32\\spool\\drivers\\w32x86\\zqdrvtl.exe "
                    "could not start" } } },
        { "a 260-byte ProgramDir does not fit and ends the run", FromTable, 0,
            { { 0, true, 1, "but its ProgramDir could not be read" } } },
        { "a start error the system has no text for",
            Lines({ running, kPrinter, kPrinterLine, kFaxTool, kDriverDir + std::string("Zq Fax Driver"),
                "Warning! Unknown error code -536870911 reported while executing command: ",
                kDriverDir + std::string("Zq Fax Driver"), "Error executing zqsetdrv for fax driver" }),
            0,
            { { 5, true, 1, "the system has no text for its error -536870911; the command line follows again" },
                { 6, true, 1, "the command line that could not start, again" },
                { 7, true, 1, "zqdrvtl.exe could not start: error -536870911, for which the system has no text" } } },
        // Under code page 932, 83 49 is one character: no Install\Printer
        // begins there, so the install root key is the whole key path.
        { "cp932: a cut that would split a double-byte character is not made, the add-printer tool missing",
            Lines({ running, kPrinter, "\"C:\\zqtest\\prog\\zqntadd.exe\" " + dbcsKey, "File not found.\r\n",
                "Error executing NT Add Printer for Printer Driver" }),
            932, { { 5, true, 1, dbcsRoot.c_str() } } },
    };
    for (const LogCase& c : cases) {
        const std::vector<LineNote> notes = NoteLines(LogOf(c.row, c.log), c.codePage);
        for (const Expect& e : c.expects) {
            ASSERT_LT((size_t)e.line, notes.size()) << c.row;
            const LineNote& note = notes[e.line];
            const std::string meaning = Spoken(note.meaning);
            EXPECT_EQ(e.own, note.own) << c.row << ", line " << e.line + 1 << ": " << meaning;
            EXPECT_EQ(e.run, note.run) << c.row << ", line " << e.line + 1;
            EXPECT_NE(std::string::npos, meaning.find(e.says)) << c.row << ", line " << e.line + 1 << ": " << meaning;
        }
    }
}

// Every line, the empty line after a system text too, with its own bytes, in
// the order of the log, whether the bytes come in one piece or byte by byte.
TEST(Zqlog, EveryLineInOrderWhateverTheChunks)
{
    const std::string log(kTwoRunsLog);
    const std::vector<LineNote> notes = NoteLines(log);
    std::string rebuilt;
    for (const LineNote& note : notes)
        rebuilt += note.text + "\r\n";
    EXPECT_EQ(log, rebuilt);

    int status;
    EXPECT_EQ(kTwoRunsAccount, AccountOf(log, 0, &status));
    EXPECT_EQ(0, status);
    std::string bytewise;
    AccountWriter writer([&bytewise](const std::string& text) { bytewise += text; });
    LogReader reader(writer, 0, ZQLOG_LINE_CAP);
    const LogFacts ahead = FactsOf(log, 0);
    reader.Foresee(ahead);
    for (char c : log)
        reader.Feed(&c, 1);
    reader.Finish();
    writer.Close(reader.File());
    EXPECT_EQ(kTwoRunsAccount, bytewise);
}

TEST(Zqlog, RunAccounts)
{
    struct AccountCase {
        const char* row;
        std::string log;
        const char* says;
    };
    const AccountCase cases[] = {
        { "win95: not NT 4.0 or later, so no spooler line and no shell start", FromTable,
            "system                 no spooler line, and a driver directory that is not NT's: Windows 9x is likely" },
        { "nt351: not NT 4.0 or later, so no spooler line and no shell start", FromTable,
            "no spooler line, and an NT driver directory: NT 3.51 is likely, unless the line was dropped" },
        { "a typical run, then one that lost its spooler line",
            Lines(std::vector<std::string> {
                "OpenService the spooler is running", kPrinter, kPrinterLine, kPrinter, kPrinterLine }),
            "no spooler line: most likely it was dropped, since an earlier run in this log has one" },
        { "no print provider: no driver directory, so the log ends with the printer stage", FromTable,
            "driver tool (fax)      not made: the running system's printer driver directory was empty" },
        { "No Fax Function = 'TRUE', the printer key path showing Printer",
            Lines(std::vector<std::string> { "OpenService the spooler is running", kPrinter, kPrinterLine }
                + Tools("", "Zq Printer Driver")),
            "fax decision           no fax: No Fax Function is TRUE (the key path has Printer in it" },
        { "the printer launch lost: the run still reached the driver tools",
            Lines(std::vector<std::string> { "OpenService the spooler is running" } + Tools("", "Zq Printer Driver")),
            "fax decision           no fax launch in this run's lines" },
        { "a 50-character printer driver name ends the run", FromTable,
            "settings               line 1: Driver Name under the printer key could not be read; the run ended" },
        { "a line of 100,000 bytes of another program's is shown cut",
            std::string(100000, 'x') + "\r\n" + Lines({ "OpenService the spooler is running" }),
            "another program's line (the package's tools write to this log too); not counted as zqrunadd's (100000 "
            "bytes, shown cut at 4096)" },
    };
    for (const AccountCase& c : cases) {
        int status;
        const std::string account = AccountOf(LogOf(c.row, c.log), 0, &status);
        EXPECT_EQ(0, status) << c.row;
        EXPECT_NE(std::string::npos, account.find(c.says)) << c.row << ":\n" << account;
        EXPECT_LT(account.size(), 12000u) << c.row;
    }
}

// A file that is no log: one line why, status 2; under JSON one document
// with the refusal's id, and the file's size.
TEST(Zqlog, FilesThatAreNoLog)
{
    const struct {
        std::string bytes;
        const char* line;
        const char* id;
    } cases[] = {
        { "", "the file is empty\n", "empty" },
        { std::string("MZ\x90\0\x03\0\0\0\r\n\x04\0", 12), "a binary file, not a log\n", "binary" },
        { "hello\r\nOpenService the spooler\r\n", "no line of zqrunadd's in 2 lines\n", "no_program_lines" },
        { std::string("\x7f"
                      "ELF\0\x01\r\n\0\0Calling ntAdd for Printer Driver -->\r\n",
              48)
                + "Calling ntAdd for Pri",
            "a binary file, not a log\n", "binary" },
        { std::string(4096, '\0'),
            "the file holds only zero bytes: it is the log, but its content was lost (a crash or a power cut left the "
            "file's length and not its bytes)\n",
            "zero_bytes_only" },
        { "notes\nCould", "no line of zqrunadd's in 2 lines\n", "no_program_lines" },
        { "hello\nworld\n", "no line of zqrunadd's in 2 lines\n", "no_program_lines" },
    };
    AccountOptions json;
    json.json = true;
    for (const auto& c : cases) {
        int status;
        EXPECT_EQ(c.line, AccountOf(c.bytes, 0, &status));
        EXPECT_EQ(2, status) << c.line;
        const nlohmann::json doc = nlohmann::json::parse(AccountOf(c.bytes, 0, &status, json));
        EXPECT_EQ(2, status) << c.line;
        EXPECT_EQ(c.id, doc["error"]["id"]) << c.line;
        EXPECT_EQ(c.line, doc["error"]["text"].get<std::string>() + "\n");
        EXPECT_EQ(2, doc["format"]);
        EXPECT_EQ(c.bytes.size(), doc["input"]["bytes"]);
    }
}

namespace {

std::string Utf16(const std::string& ascii, bool little)
{
    std::string out = little ? "\xFF\xFE" : "\xFE\xFF";
    for (char c : ascii)
        out += little ? std::string(1, c) + '\0' : std::string(1, '\0') + c;
    return out;
}

std::string Replace(std::string text, const std::string& from, const std::string& to)
{
    for (size_t at = 0; (at = text.find(from, at)) != std::string::npos; at += to.size())
        text.replace(at, from.size(), to);
    return text;
}

} // namespace

// Issue 25's logs, and others written for it: each run's verdict, and a part
// of the account that must say why.
TEST(Zqlog, Verdicts)
{
    const std::string running = "OpenService the spooler is running";
    const std::string flag = "Could not get Fax Function Key from the registry which means Do install Fax";
    const std::string zqFax = "\"C:\\Program Files\\ZQ\\zqntadd.exe\" SOFTWARE\\ZQ\\Install\\Fax";
    const std::vector<std::string> typical
        = std::vector<std::string> { running, flag, kFax, kFaxLine, kPrinter, kPrinterLine }
        + Tools("Zq Fax Driver", "Zq Printer Driver");
    const std::string good = Lines(typical);
    const Verdict ok = VERDICT_OK, failed = VERDICT_FAILED, incomplete = VERDICT_INCOMPLETE;
    const struct {
        const char* row;
        std::string log;
        std::vector<Verdict> verdicts;
        const char* says;
    } cases[] = {
        // 1: the classic "setup hangs".
        { "issue 25, 1: a run that stops after a waited launch's command line",
            Lines({ running, kFax, zqFax, running }), { incomplete, incomplete },
            "unfinished  fax                    unfinished: the add-printer tool for the fax started and never ended" },
        { "a run that ends after the printer stage: an empty driver directory, or a hung printer tool",
            Lines({ running, kPrinter, kPrinterLine }), { failed }, "or the add-printer tool for the printer hung" },
        { "a run that stops after the spooler line: the shell start or the fax stage", Lines({ running }),
            { incomplete }, "starts the driver tool through the shell (never logged; it waits at most 60 s" },
        { "a run that stops in the pause between the driver tools",
            Lines({ running, kPrinter, kPrinterLine, kFaxTool, kDriverDir + std::string("Fax") }), { incomplete },
            "in the 1 s pause" },
        { "a settings line ends a run early: failed, not incomplete",
            Lines({ "Could not get ProgramDir from the registry" }), { failed }, "failed      settings" },
        { "a command line that did not fit",
            Lines({ running, flag, kFax, kFaxLine, "Command line too long, not started",
                "Error executing NT Add Printer for Printer Driver" }),
            { failed }, "printer failed" },
        // 2: converted logs.
        { "issue 25, 2: LF line ends", Replace(good, "\r\n", "\n"), { ok }, "conversion: the log's line ends are LF" },
        { "issue 25, 2: CR CR LF line ends", Replace(good, "\r\n", "\r\r\n"), { ok }, "line ends are CR CR LF" },
        { "issue 25, 2: a UTF-8 byte-order mark", "\xEF\xBB\xBF" + good, { ok }, "UTF-8 with a byte-order mark" },
        { "issue 25, 2: UTF-16 LE", Utf16(good, true), { ok }, "UTF-16 (little-endian" },
        { "issue 25, 2: UTF-16 BE", Utf16(good, false), { ok }, "UTF-16 (big-endian" },
        { "UTF-8 from an editor",
            Lines({ running, kPrinter, "\"C:\\Programme\\Z\xC3\xBC\\zqntadd.exe\" SOFTWARE\\ZQ\\Printer" })
                + Lines(Tools("", "Zq")),
            { ok }, "the log's text is UTF-8" },
        // 3: what the line notes say reaches the run's account.
        { "issue 25, 3: a failure line cut short by a full disk",
            Lines({ running, kPrinter, kPrinterLine }) + "Error executing NT Add Printer for", { failed },
            "failed      printer" },
        { "issue 25, 3: an empty fax name after a fax launch",
            Lines(std::vector<std::string> { running, kFax, kFaxLine, kPrinter, kPrinterLine } + Tools("", "Zq")),
            { ok }, "note: the fax driver tool got no name after /n: although the fax was launched" },
        // 4: advice from the evidence.
        { "issue 25, 4: access denied",
            Lines({ running, kPrinter, kPrinterLine, "Access is denied.\r\n",
                "Error executing NT Add Printer for Printer Driver" }),
            { failed }, "access to the program was denied (error 5); check this user's rights" },
        { "issue 25, 4: not a valid Win32 application, whose text has an insert, so only its code comes",
            Lines({ running, kPrinter, kPrinterLine,
                "Warning! Unknown error code 193 reported while executing command: ", kPrinterLine,
                "Error executing NT Add Printer for Printer Driver" }),
            { failed }, "replace zqntadd.exe from the package: it is damaged" },
        { "issue 25, 4: an unknown error code",
            Lines({ running, kPrinter, kPrinterLine,
                "Warning! Unknown error code -536870911 reported while executing command: ", kPrinterLine,
                "Error executing NT Add Printer for Printer Driver" }),
            { failed }, "error -536870911, for which the system has no text and which zqlog does not know" },
        { "issue 25, 4: the same path started later in the run",
            Lines(std::vector<std::string> { running, kFax, kFaxLine, "Acc\xe8s refus\xe9.\r\n",
                      "Error executing NT Add Printer for FAX", kPrinter, kPrinterLine }
                + Tools("", "Zq")),
            { failed },
            "the same program started at line 7 (run 1) of this log, so its path is right; at this start, look the "
            "quoted text up" },
        { "a %VAR% in ProgramDir",
            Lines({ running, kPrinter, "\"%ProgramFiles%\\ZQ\\zqntadd.exe\" SOFTWARE\\ZQ\\Install\\Printer",
                "The system cannot find the path specified.\r\n",
                "Error executing NT Add Printer for Printer Driver" }),
            { failed }, "ProgramDir must hold the expanded path" },
        // 5: damage.
        { "issue 25, 5: zero bytes in front of a run's first line", good + std::string(512, '\0') + good, { ok, ok },
            "512 zero bytes in this line were skipped" },
        { "a crash's zero bytes after the printer stage, then a later run",
            Lines({ running, kPrinter, kPrinterLine }) + std::string(200, '\0') + good, { incomplete, ok },
            "incomplete, lines 1 to 3: the log's end was lost in a crash (zero bytes)" },
        { "a crash's zero bytes where a command line is awaited, then stale bytes without a line end",
            Lines({ running, kPrinter, kPrinterLine, kFaxTool }) + std::string(100, '\0') + "stale garbage",
            { incomplete }, "stale bytes after a crash's zero bytes, without a line end" },
        { "the log's last line, a command line, without its line end",
            good.substr(0, good.size() - strlen("Printer Driver\r\n")), { incomplete },
            "a command line cut short at the log's end (its line end is missing)" },
        { "issue 25, 5: another program's text glued to the front of an announcement",
            Lines(std::vector<std::string> { running, "zqntadd: done" + std::string(kPrinter), kPrinterLine }
                + Tools("", "Zq")),
            { ok }, "split off another program's text glued to its front; the printer stage" },
        { "runs whose lines interleave", Lines({ running, running, kFax, zqFax, kFax, zqFax }),
            { incomplete, incomplete }, "two setups ran at once" },
        // The record holds ids; these causes are put into words only when printed.
        { "a launch announced whose command line is lost",
            Lines(std::vector<std::string> { running, kFax, kPrinter, kPrinterLine } + Tools("Zq Fax", "Zq")), { ok },
            "unknown     fax                    announced at line 2, but its command line is missing" },
        { "the printer key opened, its Driver Name empty",
            Lines(
                { running, kPrinter, "\"C:\\zqtest\\prog\\zqntadd.exe\" SOFTWARE\\ZqTest", kPrinterTool, kDriverDir }),
            { ok }, "done        settings               Driver Name under the printer key is empty" },
        { "a command line whose announcement is lost",
            Lines(std::vector<std::string> { running, kPrinterLine } + Tools("Zq Fax", "Zq")), { ok },
            "note: lines of the program's are missing inside the run: Before line 2: a line of the program's. Before "
            "line 2: the printer launch's announcement.\n" },
    };
    for (const auto& c : cases) {
        std::vector<Verdict> verdicts;
        for (const RunRecord& record : RunsOf(c.log, 0))
            verdicts.push_back(record.verdict);
        EXPECT_EQ(c.verdicts, verdicts) << c.row;
        int status;
        const std::string account = AccountOf(c.log, 0, &status);
        EXPECT_EQ(0, status) << c.row;
        EXPECT_NE(std::string::npos, account.find(c.says)) << c.row << ":\n" << account;
    }
}

// The JSON document's shape, once; and how the flags combine.
TEST(Zqlog, JsonAndFlags)
{
    int status;
    AccountOptions json;
    json.json = true;
    const nlohmann::json doc = nlohmann::json::parse(AccountOf(kTwoRunsLog, 0, &status, json));
    EXPECT_EQ(2, doc["format"]);
    EXPECT_TRUE(doc["zqlog_version"].is_string());
    EXPECT_EQ("-", doc["input"]["name"]);
    EXPECT_EQ(sizeof kTwoRunsLog - 1, doc["input"]["bytes"]);
    EXPECT_EQ(26, doc["input"]["lines"]);
    EXPECT_TRUE(doc["conversion"].is_null());
    ASSERT_EQ(2u, doc["runs"].size());
    const char* const ids[]
        = { "settings", "spooler", "fax_decision", "fax", "printer", "driver_tool_fax", "driver_tool_printer" };
    for (const nlohmann::json& run : doc["runs"]) {
        EXPECT_TRUE(run["run"].is_number() && run["first_line"].is_number() && run["last_line"].is_number());
        EXPECT_TRUE(run["notes"].is_array() && run["driver_names"].is_array());
        EXPECT_EQ("nt4_or_later", run["system"]);
        EXPECT_EQ("SOFTWARE\\ZQ\\Install\\Printer", run["key_path"]);
        EXPECT_EQ("C:\\Program Files\\ZQ", run["program_dir"]);
        EXPECT_EQ(nlohmann::json({ "ZQ Fax", "ZQ Laser" }), run["driver_names"]);
        ASSERT_EQ(7u, run["stages"].size());
        for (const char* id : ids) {
            const nlohmann::json& stage = run["stages"][id];
            EXPECT_TRUE(stage["state"].is_string()) << id;
            EXPECT_TRUE(stage["line"].is_null() || stage["line"].is_number()) << id;
            for (const char* text : { "cause", "advice", "failure_line" })
                EXPECT_TRUE(stage[text].is_null() || stage[text].is_string()) << id << " " << text;
            EXPECT_TRUE(stage["error"].is_null() || stage["error"].is_object()) << id;
            EXPECT_TRUE(stage["command"].is_null() || stage["command"].is_object()) << id;
        }
    }
    const nlohmann::json& fax = doc["runs"][0]["stages"]["fax"];
    EXPECT_EQ("failed", doc["runs"][0]["verdict"]);
    EXPECT_EQ("fax_start_failed", doc["runs"][0]["why"]);
    EXPECT_EQ("failed", fax["state"]);
    EXPECT_EQ(3, fax["line"]);
    EXPECT_EQ("Error executing NT Add Printer for FAX", fax["failure_line"]);
    EXPECT_EQ(
        nlohmann::json({ { "code", 2 }, { "text", "The system cannot find the file specified." }, { "known", true } }),
        fax["error"]);
    EXPECT_EQ("C:\\Program Files\\ZQ\\zqntadd.exe", fax["command"]["program"]);
    EXPECT_EQ("SOFTWARE\\ZQ\\Install\\Fax", fax["command"]["arguments"]);
    EXPECT_EQ("ok", doc["runs"][1]["verdict"]);
    EXPECT_TRUE(doc["runs"][1]["why"].is_null() && doc["runs"][1]["why_text"].is_null());
    EXPECT_EQ(1, doc["counts"]["ok"]);

    // Three runs: failed, ok, then one that stops after its spooler line.
    const std::string log = std::string(kTwoRunsLog) + "OpenService the spooler is running\r\n";
    AccountOptions options;
    options.summary = true;
    EXPECT_EQ("run 1  lines 1-16  failed  fax=failed printer=failed\n"
              "run 2  lines 17-26  ok\n"
              "run 3  lines 27-27  incomplete  fax_decision=unfinished\n"
              "3 runs of zqrunadd (1 ok, 1 failed, 1 incomplete) in 27 lines; 0 lines of other programs\n",
        AccountOf(log, 0, &status, options));
    options.failedOnly = true;
    options.last = 2; // the file's last two runs, then only those not ok: run 3
    EXPECT_EQ("run 3  lines 27-27  incomplete  fax_decision=unfinished\n"
              "3 runs of zqrunadd (1 ok, 1 failed, 1 incomplete) in 27 lines; 0 lines of other programs\n",
        AccountOf(log, 0, &status, options));
    EXPECT_TRUE(IsKnownCodePage(932) && IsKnownCodePage(1258) && !IsKnownCodePage(99999) && !IsKnownCodePage(0));
}

// A record's words are ids until a printer speaks them: the same text as
// filling the sentences at once, nested fills, a key put in after its anchor.
TEST(Zqlog, SpokenAsTheSentencesSayIt)
{
    Sentence advice(W_ERROR_2_ADD_PRINTER);
    advice.anchor = W_INSTALL_ROOT_KEY;
    advice.atAnchor = " HKEY_LOCAL_MACHINE\\SOFTWARE\\Zq";
    const struct {
        const char* row;
        Phrase phrase;
        std::string says;
    } cases[] = {
        { "none", Phrase(), "" },
        { "text alone", Phrase("C:\\p"), "C:\\p" },
        { "a sentence with its fills", Sentence(W_LINE_SAID, { "7", Sentence(W_STAGE_NAME_FAX) }),
            Say(W_LINE_SAID, { "7", Word(W_STAGE_NAME_FAX) }) },
        { "a phrase as one fill", Sentence(W_NOT_STARTED, { Sentence(Phrase("a") + "; " + "b") }),
            Say(W_NOT_STARTED, { "a; b" }) },
        { "pieces one after another", Phrase(Sentence(W_STAGE_NAME_FAX)) + "; " + Sentence(W_STAGE_NAME_PRINTER),
            std::string(Word(W_STAGE_NAME_FAX)) + "; " + Word(W_STAGE_NAME_PRINTER) },
        { "the key after the words that name it", advice,
            "check ProgramDir under the install root key HKEY_LOCAL_MACHINE\\SOFTWARE\\Zq, and that zqntadd.exe is in "
            "that folder" },
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.says, Spoken(c.phrase)) << c.row;
}

// Two runs at once: an announcement the current run took, and the command
// line after it showed to be the kept run's, stands with the kept run's
// lines in the account and in the notes, where its stage is counted.
TEST(Zqlog, HandedOverLineStandsWithItsRun)
{
    const std::string running = "OpenService the spooler is running";
    const std::string flag = "Could not get Fax Function Key from the registry which means Do install Fax";
    const std::string zqFax = "\"C:\\ZQ\\zqntadd.exe\" SOFTWARE\\ZQ\\Install\\Fax";
    const std::string acmeFax = "\"C:\\Acme\\zqntadd.exe\" SOFTWARE\\Acme\\Install\\Fax";
    const std::string zqPrinter = "\"C:\\ZQ\\zqntadd.exe\" SOFTWARE\\ZQ\\Install\\Printer";
    const std::string acmePrinter = "\"C:\\Acme\\zqntadd.exe\" SOFTWARE\\Acme\\Install\\Printer";
    const struct {
        const char* row;
        std::string log;
        long line; // from 1
        int run;
    } cases[] = {
        { "the printer announcement right after the other run's fax command line",
            Lines({ running, flag, kFax, zqFax, running, flag, kFax, acmeFax, kPrinter, zqPrinter, kPrinter,
                acmePrinter }),
            9, 1 },
        { "the same, another program's line between the announcement and its command line",
            Lines({ running, flag, kFax, zqFax, running, flag, kFax, acmeFax, kPrinter, "virus scan: ok", zqPrinter,
                kPrinter, acmePrinter }),
            9, 1 },
    };
    for (const auto& c : cases) {
        const std::vector<LineNote> notes = NoteLines(c.log);
        ASSERT_LT((size_t)c.line - 1, notes.size()) << c.row;
        EXPECT_EQ(c.run, notes[c.line - 1].run) << c.row;
        int status;
        const std::string account = AccountOf(c.log, 0, &status);
        char number[24];
        snprintf(number, sizeof number, "\n%6ld | ", c.line);
        const size_t at = account.find(number);
        const size_t block = account.find("== run " + std::to_string(c.run) + ":");
        const size_t next = account.find("== run " + std::to_string(c.run + 1) + ":");
        EXPECT_TRUE(at != std::string::npos && block < at && at < next) << c.row << "\n" << account;
        EXPECT_EQ(std::string::npos, account.find(number, at + 1)) << c.row << ": shown once\n" << account;
    }
}
