// The account's rarer sentences, each on a log made to say it: the driver
// tools' start errors, their too-long and failed lines, and runs that stop
// where the program cannot. Each log goes through every printer.
#include <gtest/gtest.h>

#include <stdlib.h>

#include <string>
#include <vector>

#include "account.h"
#include "start_errors.h"
#include "zqlog/log_lines.h"

namespace {

const char kRunning[] = "OpenService the spooler is running";
const char kFlag[] = "Could not get Fax Function Key from the registry which means Do install Fax";
const std::string kPrinterDriver = std::string(kDriverDir) + "Zq Printer Driver";
const std::string kFaxDriver = std::string(kDriverDir) + "Zq Fax Driver";

std::string Many(const std::string& line, int count)
{
    std::string lines;
    for (int i = 0; i < count; ++i)
        lines += line + "\r\n";
    return lines;
}

// The text account; the summary and JSON are made too, so that each printer reads the log.
std::string Said(const std::string& log)
{
    int status;
    AccountOptions summary;
    summary.summary = true;
    AccountOf(log, 0, &status, summary);
    AccountOptions json;
    json.json = true;
    json.readOnce = true; // as for standard input
    AccountOf(log, 0, &status, json);
    AccountOptions failed;
    failed.failedOnly = true;
    return AccountOf(log, 0, &status, failed) + AccountOf(log, 0, &status);
}

} // namespace

TEST(ZqlogWords, DriverToolStartErrors)
{
    unsigned count;
    const StartErrorRow* rows = AllStartErrors(&count);
    for (unsigned i = 0; i < count; ++i) {
        const std::string code = std::to_string(rows[i].code);
        const std::string log = Lines({ kRunning, kPrinter, kPrinterLine, kPrinterTool, kPrinterDriver,
            "Warning! Unknown error code " + code + " reported while executing command: ", kPrinterDriver,
            "Error executing zqsetdrv for printer driver" });
        const std::string said = Said(log);
        EXPECT_NE(std::string::npos, said.find(Word(rows[i].driverTool))) << code << ":\n" << said;
        EXPECT_NE(std::string::npos, said.find("(error " + code + ")")) << code;
    }
}

TEST(ZqlogWords, RareLinesAndStops)
{
    const struct {
        const char* what;
        std::string log;
        const char* says;
    } cases[] = {
        { "no key path", Lines({ "Registry value not specified in RunNTAdd" }), "the program was given no key path" },
        { "the spooler did not open", Lines({ "OpenService the spooler is not running", kPrinter, kPrinterLine }),
            "did not open within 10 s" },
        { "a NULL text", Lines({ kRunning, "CRITICAL ERROR! Attempt to write NULL string to uninstaller log!" }),
            "a text that did not exist" },
        { "the printer tool fails with no start error",
            Lines({ kRunning, kPrinter, kPrinterLine, kPrinterTool, kPrinterDriver,
                "Error executing zqsetdrv for printer driver" }),
            "the system's text for the failed start was lost" },
        { "the fax tool's command line too long",
            Lines({ kRunning, kFlag, kFax, kFaxLine, kPrinter, kPrinterLine, kFaxTool,
                "Command line too long, not started", "Error executing zqsetdrv for fax driver" }),
            "give the fax driver a shorter Driver Name" },
        { "the printer tool's command line too long",
            Lines({ kRunning, kPrinter, kPrinterLine, kPrinterTool, "Command line too long, not started",
                "Error executing zqsetdrv for printer driver" }),
            "give the printer driver a shorter Driver Name" },
        { "a run stops after its fax decision", Lines({ kRunning, kFlag }), "the run stops after the fax decision" },
        { "a start error with no launch before it",
            Lines({ kRunning, "Warning! Unknown error code 2 reported while executing command: " }),
            "a start error out of its place" },
        { "the driver tool's system text of two lines, then no error line",
            Lines({ kRunning, kPrinter, kPrinterLine, kPrinterTool, kPrinterDriver,
                "The system cannot find\r\nthe file specified.\r\n" }),
            "the system's text, continued" },
        { "the same: the run stops there",
            Lines({ kRunning, kPrinter, kPrinterLine, kPrinterTool, kPrinterDriver,
                "The system cannot find\r\nthe file specified.\r\n" }),
            "unfinished: its start failed, but its error line never came" },
        { "a run stops after the fax name line", Lines({ kRunning, kFlag, "Could not get Fax Name from the registry" }),
            "the run stops after the fax stage" },
        { "a run stops after a command line too long", Lines({ kRunning, "Command line too long, not started" }),
            "its command line did not fit, but its error line never came" },
        { "a run stops after a start error's code line",
            Lines({ kRunning, kPrinter, kPrinterLine,
                "Warning! Unknown error code 2 reported while executing command: " }),
            "its start failed, but the command line and error line never came" },
        { "a run stops after the command line again",
            Lines({ kRunning, kPrinter, kPrinterLine,
                "Warning! Unknown error code 2 reported while executing command: ", kPrinterLine }),
            "its start failed, but its error line never came" },
        { "the command line is the last line, without its line end", Lines({ kRunning, kPrinter }) + kPrinterLine,
            " (its line end is missing)" },
        { "a NULL text alone", Lines({ "CRITICAL ERROR! Attempt to write NULL string to uninstaller log!" }),
            "no line of the settings or later stages" },
        { "a too-long line, then another launch",
            Lines({ kRunning, "Command line too long, not started", kPrinter, kPrinterLine }),
            "the error line after line 2" },
        { "a UTF-8 log with a byte-order mark and LF line ends",
            "\xEF\xBB\xBF" + std::string(kRunning) + "\n" + kPrinter + "\n" + kPrinterLine + "\n",
            "; its line ends are LF" },
        { "more other lines before the first run than the account holds",
            Many(std::string(4000, 'x'), 300) + Lines({ kRunning, kPrinter, kPrinterLine }),
            "more lines of other programs not shown)" },
        { "more lines inside a run than the account holds",
            Lines({ kRunning, kPrinter, kPrinterLine }) + Many(std::string(4000, 'x'), 300)
                + Lines({ kPrinterTool, kPrinterDriver }),
            "more lines of this run not shown)" },
        { "the last line without its line end", std::string(kRunning) + "\r\n" + kPrinter, "its line end is missing" },
        { "a failure line with neither announcement nor command line before it",
            Lines({ kRunning, "Error executing NT Add Printer for Printer Driver" }),
            "lines are missing before this one (the printer launch's announcement and command line)" },
        { "the same after its announcement: no command line",
            Lines({ kRunning, kPrinter,
                "Error executing NT Add "
                "Printer for Printer Driver" }),
            "the printer was not added: its command line is missing" },
        { "a command line cut right after the tool's name, the next announcement joined to it",
            Lines(
                { kRunning, kFlag, kFax, "\"C:\\zqtest\\prog\\zqntadd.exe\" " + std::string(kPrinter), kPrinterLine }),
            "the fax launch's command line, cut short after its tool's name" },
        // Line notes the reader hands on as ids of words: said when printed.
        { "the log begins in the middle of a line", Lines({ "pooler is running", kPrinter, kPrinterLine }),
            "the log begins in the middle of a line" },
        { "the log ends inside a command line", Lines({ kRunning, kPrinter }) + "\"C:\\zqtest\\prog\\zq",
            "(a full disk, or a run still writing): the start of the command line\n" },
        { "a warned start, then the next launch: no error line",
            Lines({ kRunning, kPrinter, kPrinterLine,
                "Warning! Unknown error code 5000 reported while executing command: ", kPrinterLine, kPrinterTool,
                kPrinterDriver }),
            "the system said: error 5000, for which the system has no text), and no error line follows" },
        { "two setups at once: a system's text apart from its command line",
            Lines({ kRunning, kFlag, kRunning, kFax, kFaxLine, kFlag, kPrinter, kFax, kPrinterLine,
                "\"C:\\zqtest\\prog\\zqntadd.exe\" SOFTWARE\\ZqTwo\\Install\\Fax", "Access is denied.\r\n",
                "Error executing NT Add Printer for Printer Driver", "Error executing NT Add Printer for FAX" }),
            "for a start that failed, apart from its command line, as two runs' lines interleave here" },
    };
    for (const auto& c : cases) {
        const std::string said = Said(c.log);
        EXPECT_NE(std::string::npos, said.find(c.says)) << c.what << ":\n" << said;
    }
}

// The account holds a bounded part of a run's lines and says how many it
// left out, one line counted as one.
TEST(ZqlogWords, OneLineNotShown)
{
    const std::string run = Lines({ kRunning, kPrinter, kPrinterLine });
    const std::string line(4000, 'x');
    int status;
    const std::string many = AccountOf(run + Many(line, 300), 0, &status);
    const size_t at = many.find(" more lines of this run not shown)");
    ASSERT_NE(std::string::npos, at) << many.substr(many.size() - 300);
    const long left = atol(many.c_str() + many.rfind('(', at) + 1);
    ASSERT_GT(left, 1);
    const std::string one = AccountOf(run + Many(line, 300 - (int)left + 1), 0, &status);
    EXPECT_NE(std::string::npos, one.find("(1 more line of this run not shown)")) << one.substr(one.size() - 300);
}
