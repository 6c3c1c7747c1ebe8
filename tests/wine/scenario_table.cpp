#include "scenario_table.h"

// ---- what the rows are made of -------------------------------------------

static std::string Sz(const std::string& text)
{
    return text + std::string(1, '\0');
}

static std::string Lines(const std::vector<std::string>& lines)
{
    std::string bytes;
    for (const std::string& line : lines)
        bytes += line + "\r\n";
    return bytes;
}

static std::vector<std::string> operator+(std::vector<std::string> a, const std::vector<std::string>& b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

static const char kRunning[] = "OpenService the spooler is running";
static const char kNotRunning[] = "OpenService the spooler is not running";
static const char kNoFaxFlag[] = "Could not get Fax Function Key from the registry which means Do install Fax";
static const char kFileNotFound[] = "File not found.\r\n"; // the system's text, which ends in CR LF itself

static std::string AddPrinterLine(const std::string& directory, const std::string& keyPath)
{
    return "\"" + directory + "\\zqntadd.exe\" " + keyPath;
}

static std::vector<std::string> FaxLines(const std::string& directory, const std::string& keyPath)
{
    return { "Calling ntAdd for Fax -->", AddPrinterLine(directory, keyPath) };
}

static std::vector<std::string> PrinterLines(const std::string& directory, const std::string& keyPath)
{
    return { "Calling ntAdd for Printer Driver -->", AddPrinterLine(directory, keyPath) };
}

static std::vector<std::string> DriverToolLines(
    const std::string& driverDir, const std::string& fax, const std::string& printer)
{
    return { "Calling zqsetdrv(zqdrvtl) for fax driver from RunNTAdd -->", driverDir + "\\zqdrvtl.exe /n:" + fax,
        "Calling zqsetdrv(zqdrvtl) for printer driver from RunNTAdd -->", driverDir + "\\zqdrvtl.exe /n:" + printer };
}

// Launch records, as the doubles write them.
static std::string ShellStart(void)
{
    return "zqdrvtl|hidden|\"" NT_DRIVER_DIR "\\zqdrvtl.exe\"";
}

static std::string AddPrinterRun(const std::string& directory, const std::string& keyPath)
{
    return "zqntadd|-|" + AddPrinterLine(directory, keyPath);
}

static std::vector<std::string> DriverToolRuns(
    const std::string& driverDir, const std::string& fax, const std::string& printer)
{
    return { "zqdrvtl|-|" + driverDir + "\\zqdrvtl.exe /n:" + fax,
        "zqdrvtl|-|" + driverDir + "\\zqdrvtl.exe /n:" + printer };
}

// The sample installation: printer driver, program directory, fax driver.
static std::vector<RegValue> Installation(const std::string& printerKey = PRINTER_KEY,
    const std::string& installRoot = TEST_ROOT, const std::string& faxKey = FAX_KEY)
{
    return { { printerKey, "Driver Name", REG_SZ, Sz("Zq Printer Driver") },
        { installRoot, "ProgramDir", REG_SZ, Sz(PROGRAM_DIR) },
        { faxKey, "Driver Name", REG_SZ, Sz("Zq Fax Driver") } };
}

static std::vector<RegValue> With(std::vector<RegValue> values, const std::vector<RegValue>& more)
{
    for (const RegValue& value : more) {
        bool replaced = false;
        for (RegValue& existing : values)
            if (existing.key == value.key && existing.name == value.name) {
                existing = value;
                replaced = true;
            }
        if (!replaced)
            values.push_back(value);
    }
    return values;
}

static RegValue NoFaxFunction(const std::string& data, DWORD type = REG_SZ)
{
    return { FAX_KEY, "No Fax Function", type, data };
}

// The whole typical road on NT with the fax, for the sample installation.
static std::vector<std::string> TypicalLog(void)
{
    return std::vector<std::string> { kRunning, kNoFaxFlag } + FaxLines(PROGRAM_DIR, FAX_KEY)
        + PrinterLines(PROGRAM_DIR, PRINTER_KEY) + DriverToolLines(NT_DRIVER_DIR, "Zq Fax Driver", "Zq Printer Driver");
}

static std::vector<std::string> TypicalLaunches(void)
{
    return std::vector<std::string> { ShellStart(), AddPrinterRun(PROGRAM_DIR, FAX_KEY),
        AddPrinterRun(PROGRAM_DIR, PRINTER_KEY) }
    + DriverToolRuns(NT_DRIVER_DIR, "Zq Fax Driver", "Zq Printer Driver");
}

// Without the fax: the flag says TRUE, so launch 2 and the fax name read go.
static std::vector<std::string> NoFaxLog(void)
{
    return std::vector<std::string> { kRunning } + PrinterLines(PROGRAM_DIR, PRINTER_KEY)
        + DriverToolLines(NT_DRIVER_DIR, "", "Zq Printer Driver");
}

static std::vector<std::string> NoFaxLaunches(void)
{
    return std::vector<std::string> { ShellStart(), AddPrinterRun(PROGRAM_DIR, PRINTER_KEY) }
    + DriverToolRuns(NT_DRIVER_DIR, "", "Zq Printer Driver");
}

static const char kTooLong[] = "Command line too long, not started";

// A run whose values are all given, with its expected log and launches.
static Scenario Road(const std::string& name, const std::string& keyPath, const std::string& faxKey,
    const std::string& programDir, const std::string& faxName, const std::string& printerName)
{
    Scenario row;
    row.name = name;
    row.tail = keyPath;
    row.log = Lines(std::vector<std::string> { kRunning, kNoFaxFlag } + FaxLines(programDir, faxKey)
        + PrinterLines(programDir, keyPath) + DriverToolLines(NT_DRIVER_DIR, faxName, printerName));
    row.launches = std::vector<std::string> {
        ShellStart(), AddPrinterRun(programDir, faxKey), AddPrinterRun(programDir, keyPath)
    } + DriverToolRuns(NT_DRIVER_DIR, faxName, printerName);
    return row;
}

// Registry contents and sizes that no setup package should write, but that
// the program must survive: exit code 0, whole lines, nothing read past a buffer.
static void AddHostileRows(std::vector<Scenario>& rows, const Scenario& typical)
{
    Scenario row = typical;
    row.name = "a DWORD whose bytes spell TRUE turns the fax off (the type is not looked at)";
    row.registry = With(Installation(), { NoFaxFunction("TRUE", REG_DWORD) });
    row.log = Lines(NoFaxLog());
    row.launches = NoFaxLaunches();
    rows.push_back(row);

    row = Road("binary names without a zero byte, a multi-string, a DWORD", PRINTER_KEY, FAX_KEY, PROGRAM_DIR, "Zq One",
        "Zq Binary");
    row.registry = With(Installation(),
        { { PRINTER_KEY, "Driver Name", REG_BINARY, "Zq Binary" },
            { FAX_KEY, "Driver Name", REG_MULTI_SZ, Sz("Zq One") + Sz("Zq Two") + Sz("") },
            NoFaxFunction(std::string("\x01\0\0\0", 4), REG_DWORD) });
    row.log = Lines(std::vector<std::string> { kRunning } + FaxLines(PROGRAM_DIR, FAX_KEY)
        + PrinterLines(PROGRAM_DIR, PRINTER_KEY) + DriverToolLines(NT_DRIVER_DIR, "Zq One", "Zq Binary"));
    rows.push_back(row);

    // "No Fax Function" is read into 260 bytes.
    row = typical;
    row.name = "a 259-character No Fax Function is read (and is not TRUE)";
    row.registry = With(Installation(), { NoFaxFunction(Sz(std::string(255, ' ') + "TRUE")) });
    row.log = Lines(std::vector<std::string> { kRunning } + FaxLines(PROGRAM_DIR, FAX_KEY)
        + PrinterLines(PROGRAM_DIR, PRINTER_KEY)
        + DriverToolLines(NT_DRIVER_DIR, "Zq Fax Driver", "Zq Printer Driver"));
    rows.push_back(row);

    row = typical;
    row.name = "a 260-character No Fax Function does not fit: the fax is installed";
    row.registry = With(Installation(), { NoFaxFunction(Sz(std::string(260, 'x'))) });
    rows.push_back(row);

    row = Road("empty values: a name with no bytes at all, an empty folder", PRINTER_KEY, FAX_KEY, "", "", "");
    row.registry = With(Installation(),
        { { PRINTER_KEY, "Driver Name", REG_SZ, "" }, { TEST_ROOT, "ProgramDir", REG_SZ, Sz("") },
            { FAX_KEY, "Driver Name", REG_BINARY, "" } });
    row.addPrinterToolMissing = true;
    row.log = Lines({ kRunning, kNoFaxFlag, "Calling ntAdd for Fax -->", AddPrinterLine("", FAX_KEY), kFileNotFound,
                  "Error executing NT Add Printer for FAX", "Calling ntAdd for Printer Driver -->",
                  AddPrinterLine("", PRINTER_KEY), kFileNotFound, "Error executing NT Add Printer for Printer Driver" })
        + Lines(DriverToolLines(NT_DRIVER_DIR, "", ""));
    row.launches = std::vector<std::string> { ShellStart() } + DriverToolRuns(NT_DRIVER_DIR, "", "");
    rows.push_back(row);

    // The add-printer line holds 15 bytes of its own; with the 31-character
    // printer key a 213-character folder makes it 259 characters, the most
    // that fits, and a 214-character one makes it one too long.
    const std::string fits = "C:\\zqtest\\" + std::string(203, 'd');
    row = Road("a ProgramDir that makes the printer line exactly 259 characters", PRINTER_KEY, FAX_KEY, fits,
        "Zq Fax Driver", "Zq Printer Driver");
    row.registry = With(Installation(), { { TEST_ROOT, "ProgramDir", REG_SZ, Sz(fits) } });
    row.alsoToolDir = fits;
    rows.push_back(row);

    const std::string tooLong = fits + "d";
    row = Road("a ProgramDir that makes the printer line one byte too long", PRINTER_KEY, FAX_KEY, tooLong,
        "Zq Fax Driver", "Zq Printer Driver");
    row.registry = With(Installation(), { { TEST_ROOT, "ProgramDir", REG_SZ, Sz(tooLong) } });
    row.alsoToolDir = tooLong;
    row.log = Lines(std::vector<std::string> { kRunning, kNoFaxFlag } + FaxLines(tooLong, FAX_KEY)
        + std::vector<std::string> { kTooLong, "Error executing NT Add Printer for Printer Driver" }
        + DriverToolLines(NT_DRIVER_DIR, "Zq Fax Driver", "Zq Printer Driver"));
    row.launches.erase(row.launches.begin() + 2);
    rows.push_back(row);

    row = typical;
    row.name = "a 259-byte ProgramDir is read; no line has room for it";
    const std::string longest(259, 'd');
    row.registry = With(Installation(), { { TEST_ROOT, "ProgramDir", REG_SZ, Sz(longest) } });
    row.log = Lines(std::vector<std::string> { kRunning, kNoFaxFlag, kTooLong, "Error executing NT Add Printer for FAX",
                        kTooLong, "Error executing NT Add Printer for Printer Driver" }
        + DriverToolLines(NT_DRIVER_DIR, "Zq Fax Driver", "Zq Printer Driver"));
    row.launches = std::vector<std::string> { ShellStart() }
        + DriverToolRuns(NT_DRIVER_DIR, "Zq Fax Driver", "Zq Printer Driver");
    rows.push_back(row);

    row = Scenario();
    row.name = "a 259-character key path is taken; its add-printer line does not fit";
    row.tail = TEST_ROOT "\\" + std::string(259 - 16, 'k');
    row.log = Lines(std::vector<std::string> { kRunning, kTooLong, "Error executing NT Add Printer for Printer Driver" }
        + DriverToolLines(NT_DRIVER_DIR, "", ""));
    row.launches = DriverToolRuns(NT_DRIVER_DIR, "", "");
    rows.push_back(row);

    row = Scenario();
    row.name = "a 260-character key path is refused";
    row.tail = TEST_ROOT "\\" + std::string(260 - 16, 'k');
    row.log = Lines({ "Registry key path too long in RunNTAdd" });
    rows.push_back(row);

    const std::string highKey = TEST_ROOT "\\\xC4\xFF\\Install\\Printer";
    const std::string highDir = "C:\\zqtest\\pr\xF6g \xA0";
    row = Road("high bytes in every value", highKey, TEST_ROOT "\\\xC4\xFF\\Install\\Fax", highDir, "Fax \xE9\xE8\xFF",
        "Printer \xC0\xFE");
    row.registry = { { highKey, "Driver Name", REG_SZ, Sz("Printer \xC0\xFE") },
        { TEST_ROOT "\\\xC4\xFF", "ProgramDir", REG_SZ, Sz(highDir) },
        { TEST_ROOT "\\\xC4\xFF\\Install\\Fax", "Driver Name", REG_SZ, Sz("Fax \xE9\xE8\xFF") } };
    row.alsoToolDir = highDir;
    rows.push_back(row);
}

// Under code page 932: the key-path cuts honour double-byte characters, and
// double-byte text passes through every value unchanged.
static void AddDoubleByteRows(std::vector<Scenario>& rows)
{
    // 83 49 is one character whose trail byte is "I": no "Install\Printer"
    // starts there, so ProgramDir is read from the printer key itself.
    const std::string trailKey = TEST_ROOT "\\\x83Install\\Printer";
    Scenario row = Road("cp932: a cut that would split a double-byte character is not made", trailKey,
        TEST_ROOT "\\\x83Install\\Fax", PROGRAM_DIR, "Zq Fax Driver", "Zq Printer Driver");
    row.codePage = 932;
    row.registry = { { trailKey, "Driver Name", REG_SZ, Sz("Zq Printer Driver") },
        { trailKey, "ProgramDir", REG_SZ, Sz(PROGRAM_DIR) },
        // A byte-wise cut leaves a lone lead byte, which names this key.
        { TEST_ROOT, "ProgramDir", REG_SZ, Sz("C:\\wrong") },
        { TEST_ROOT "\\\x83Install\\Fax", "Driver Name", REG_SZ, Sz("Zq Fax Driver") } };
    rows.push_back(row);

    // 95 5C is one character whose trail byte is a backslash; the folder and
    // the names are double-byte text too.
    const std::string key = TEST_ROOT "\\\x95\x5CInstall\\Printer";
    const std::string folder = "C:\\zqtest\\\x95\x5C";
    const std::string printer = "\x83\x76\x83\x8A\x83\x93\x83\x5E";
    const std::string fax = "\x83\x74\x83\x40\x83\x62\x83\x4E\x83\x58";
    row = Road("cp932: double-byte text in the key path, the folder and the names", key,
        TEST_ROOT "\\\x95\x5CInstall\\Fax", folder, fax, printer);
    row.codePage = 932;
    row.registry
        = { { key, "Driver Name", REG_SZ, Sz(printer) }, { TEST_ROOT "\\\x95\x5C", "ProgramDir", REG_SZ, Sz(folder) },
              { TEST_ROOT "\\\x95\x5CInstall\\Fax", "Driver Name", REG_SZ, Sz(fax) } };
    row.alsoToolDir = folder;
    rows.push_back(row);
}

// ---- the rows ---------------------------------------------------------------

std::vector<Scenario> AllScenarios(void)
{
    std::vector<Scenario> rows;
    Scenario row;

    // The typical road, with the "No Fax Function" value missing.
    row = Scenario();
    row.name = "typical road on NT, fax value missing";
    row.tail = PRINTER_KEY;
    row.registry = Installation();
    row.log = Lines(TypicalLog());
    row.launches = TypicalLaunches();
    row.core = true;
    rows.push_back(row);
    row.core = false;
    const Scenario typical = row;

    // The fax decision: only TRUE in any letter case turns the fax off.
    struct Flag {
        const char* data;
        bool installFax;
    };
    const Flag flags[] = { { "TRUE", false }, { "true", false }, { "TRUE ", true }, { "1", true }, { "yes", true },
        { "FALSE", true } };
    for (const Flag& flag : flags) {
        row = typical;
        row.name = std::string("No Fax Function = '") + flag.data + "'";
        row.registry = With(Installation(), { NoFaxFunction(Sz(flag.data)) });
        if (flag.installFax) {
            std::vector<std::string> log = TypicalLog();
            log.erase(log.begin() + 1); // the flag was read: no line about it
            row.log = Lines(log);
        } else {
            row.log = Lines(NoFaxLog());
            row.launches = NoFaxLaunches();
        }
        row.core = std::string(flag.data) == "TRUE";
        rows.push_back(row);
    }

    // Launch 2 is made, but no fax driver name was read for launch 4.
    const std::vector<std::string> withoutFaxName = std::vector<std::string> {
        ShellStart(), AddPrinterRun(PROGRAM_DIR, FAX_KEY), AddPrinterRun(PROGRAM_DIR, PRINTER_KEY)
    } + DriverToolRuns(NT_DRIVER_DIR, "", "Zq Printer Driver");

    row = typical;
    row.name = "a fax key that does not exist installs the fax, and says nothing of the key";
    row.registry = Installation(PRINTER_KEY, TEST_ROOT, TEST_ROOT "\\Elsewhere");
    row.log = Lines(std::vector<std::string> { kRunning } + FaxLines(PROGRAM_DIR, FAX_KEY)
        + PrinterLines(PROGRAM_DIR, PRINTER_KEY) + DriverToolLines(NT_DRIVER_DIR, "", "Zq Printer Driver"));
    row.launches = withoutFaxName;
    rows.push_back(row);

    row = typical;
    row.name = "a fax key without a Driver Name";
    row.registry = With(
        Installation(), { { FAX_KEY, "Driver Name", REG_SZ, Sz(std::string(50, 'f')) }, NoFaxFunction(Sz("no")) });
    row.log = Lines(std::vector<std::string> { kRunning } + FaxLines(PROGRAM_DIR, FAX_KEY)
        + std::vector<std::string> { "Could not get Fax Name from the registry" }
        + PrinterLines(PROGRAM_DIR, PRINTER_KEY) + DriverToolLines(NT_DRIVER_DIR, "", "Zq Printer Driver"));
    row.launches = withoutFaxName;
    rows.push_back(row);

    // Key paths.
    row = typical;
    row.name = "a key path without Printer skips the fax stage";
    row.tail = TEST_ROOT "\\Device";
    row.registry = { { TEST_ROOT "\\Device", "Driver Name", REG_SZ, Sz("Zq Printer Driver") },
        { TEST_ROOT "\\Device", "ProgramDir", REG_SZ, Sz(PROGRAM_DIR) } };
    row.log = Lines(std::vector<std::string> { kRunning } + PrinterLines(PROGRAM_DIR, TEST_ROOT "\\Device")
        + DriverToolLines(NT_DRIVER_DIR, "", "Zq Printer Driver"));
    row.launches = std::vector<std::string> { AddPrinterRun(PROGRAM_DIR, TEST_ROOT "\\Device") }
        + DriverToolRuns(NT_DRIVER_DIR, "", "Zq Printer Driver");
    rows.push_back(row);

    row = Road("Install\\Printer twice: both keys are cut at the first", PRINTER_KEY "\\Install\\Printer", FAX_KEY,
        PROGRAM_DIR, "Zq Fax Driver", "Zq Printer Driver");
    row.registry = Installation(row.tail);
    rows.push_back(row);

    row = Road("Printers counts as Printer for the fax key", TEST_ROOT "\\Printers\\Install\\Printer",
        TEST_ROOT "\\Fax", PROGRAM_DIR, "Zq Fax Driver", "Zq Printer Driver");
    row.registry = Installation(row.tail, TEST_ROOT "\\Printers", TEST_ROOT "\\Fax");
    rows.push_back(row);

    // Before NT 4.0 there is no spooler wait and no shell start; launches 2 to
    // 5 are made as usual, from the running system's driver directory.
    struct Older {
        const char* version;
        const char* driverDir;
    };
    const Older olders[] = { { "win95", WIN9X_DRIVER_DIR }, { "win98", WIN9X_DRIVER_DIR }, { "nt351", NT_DRIVER_DIR } };
    for (const Older& older : olders) {
        row = typical;
        row.name = std::string(older.version) + ": not NT 4.0 or later, so no spooler line and no shell start";
        row.version = older.version;
        row.log = Lines(std::vector<std::string> { kNoFaxFlag } + FaxLines(PROGRAM_DIR, FAX_KEY)
            + PrinterLines(PROGRAM_DIR, PRINTER_KEY)
            + DriverToolLines(older.driverDir, "Zq Fax Driver", "Zq Printer Driver"));
        row.launches
            = std::vector<std::string> { AddPrinterRun(PROGRAM_DIR, FAX_KEY), AddPrinterRun(PROGRAM_DIR, PRINTER_KEY) }
            + DriverToolRuns(older.driverDir, "Zq Fax Driver", "Zq Printer Driver");
        rows.push_back(row);
    }

    for (const char* version : { "nt40", "win2k", "winxp", "win7" }) {
        row = typical;
        row.name = std::string("the typical road on ") + version;
        row.version = version;
        rows.push_back(row);
    }

    row = typical;
    row.name = "the spooler stopped: it still opens, so it counts as running after the whole wait";
    row.spoolerRunning = false;
    row.atLeastMs = 10000;
    rows.push_back(row);

    // The add-printer tool's outcomes.
    row = typical;
    row.name = "a missing add-printer tool: the system's text, then the error line, for each run";
    row.addPrinterToolMissing = true;
    row.log = Lines({ kRunning, kNoFaxFlag, "Calling ntAdd for Fax -->", AddPrinterLine(PROGRAM_DIR, FAX_KEY),
                  kFileNotFound, "Error executing NT Add Printer for FAX", "Calling ntAdd for Printer Driver -->",
                  AddPrinterLine(PROGRAM_DIR, PRINTER_KEY), kFileNotFound,
                  "Error executing NT Add Printer for Printer Driver" })
        + Lines(DriverToolLines(NT_DRIVER_DIR, "Zq Fax Driver", "Zq Printer Driver"));
    row.launches = std::vector<std::string> { ShellStart() }
        + DriverToolRuns(NT_DRIVER_DIR, "Zq Fax Driver", "Zq Printer Driver");
    rows.push_back(row);

    // A shell start that fails is no more than that: no error box waits for
    // a click, nothing is logged, and the run goes on.
    row = typical;
    row.name = "the driver-directory tool missing: the shell start fails quietly, launches 4 and 5 fail";
    row.driverToolMissing = true;
    row.log = Lines(std::vector<std::string> { kRunning, kNoFaxFlag } + FaxLines(PROGRAM_DIR, FAX_KEY)
        + PrinterLines(PROGRAM_DIR, PRINTER_KEY)
        + std::vector<std::string> { "Calling zqsetdrv(zqdrvtl) for fax driver from RunNTAdd -->",
            NT_DRIVER_DIR "\\zqdrvtl.exe /n:Zq Fax Driver", kFileNotFound, "Error executing zqsetdrv for fax driver",
            "Calling zqsetdrv(zqdrvtl) for printer driver from RunNTAdd -->",
            NT_DRIVER_DIR "\\zqdrvtl.exe /n:Zq Printer Driver", kFileNotFound,
            "Error executing zqsetdrv for printer driver" });
    row.launches = { AddPrinterRun(PROGRAM_DIR, FAX_KEY), AddPrinterRun(PROGRAM_DIR, PRINTER_KEY) };
    rows.push_back(row);

    row = typical;
    row.name = "no shell32.dll to load: no shell start, the rest as usual";
    row.shellMissing = true;
    row.launches.erase(row.launches.begin());
    rows.push_back(row);

    // Without the print provider both driver-directory queries fail. The shell
    // start falls back to the bare name, which the path search does not find
    // (it would start a zqdrvtl.exe in the system folder), and the run ends
    // after the printer stage.
    row = typical;
    row.name = "no print provider: no driver directory, so the log ends with the printer stage";
    row.printProviderMissing = true;
    row.log = Lines(std::vector<std::string> { kRunning, kNoFaxFlag } + FaxLines(PROGRAM_DIR, FAX_KEY)
        + PrinterLines(PROGRAM_DIR, PRINTER_KEY));
    row.launches = { AddPrinterRun(PROGRAM_DIR, FAX_KEY), AddPrinterRun(PROGRAM_DIR, PRINTER_KEY) };
    rows.push_back(row);

    row = typical;
    row.name = "a shell-started tool busy for 8 s: the fax launch comes once it has ended";
    row.shellToolBusyMs = 8000;
    row.atLeastMs = 8000;
    rows.push_back(row);

    row = typical;
    row.name = "an add-printer tool that exits with 1 is not reported";
    row.addPrinterExit = "1";
    rows.push_back(row);

    row = typical;
    row.name = "an add-printer tool that exits with 0xC0000005 is reported";
    row.addPrinterExit = "3221225477";
    row.log = Lines({ kRunning, kNoFaxFlag, "Calling ntAdd for Fax -->", AddPrinterLine(PROGRAM_DIR, FAX_KEY),
                  "Error executing NT Add Printer for FAX", "Calling ntAdd for Printer Driver -->",
                  AddPrinterLine(PROGRAM_DIR, PRINTER_KEY), "Error executing NT Add Printer for Printer Driver" })
        + Lines(DriverToolLines(NT_DRIVER_DIR, "Zq Fax Driver", "Zq Printer Driver"));
    rows.push_back(row);

    row = typical;
    row.name = "the driver-directory tool's exit code is never looked at";
    row.driverToolExit = "3221225477";
    rows.push_back(row);

    // Settings that end the run, or are not read.
    row = Road("a 49-character printer driver name is read", PRINTER_KEY, FAX_KEY, PROGRAM_DIR, "Zq Fax Driver",
        std::string(49, 'p'));
    row.registry = With(Installation(), { { PRINTER_KEY, "Driver Name", REG_SZ, Sz(std::string(49, 'p')) } });
    rows.push_back(row);

    // Values that end the run with one line and no launch.
    struct Ending {
        const char* name;
        RegValue value;
        const char* line;
    };
    const Ending endings[] = {
        { "a 50-character printer driver name ends the run",
            { PRINTER_KEY, "Driver Name", REG_SZ, Sz(std::string(50, 'p')) },
            "Could not get Printer Name from the registry" },
        { "a 50-byte binary name without a zero byte does not fit",
            { PRINTER_KEY, "Driver Name", REG_BINARY, std::string(50, 'b') },
            "Could not get Printer Name from the registry" },
        { "a 260-byte ProgramDir does not fit and ends the run",
            { TEST_ROOT, "ProgramDir", REG_SZ, Sz(std::string(260, 'd')) },
            "Could not get ProgramDir from the registry" },
    };
    for (const Ending& ending : endings) {
        row = Scenario();
        row.name = ending.name;
        row.tail = PRINTER_KEY;
        row.registry = With(Installation(), { ending.value });
        row.log = Lines({ ending.line });
        rows.push_back(row);
    }

    row = Scenario();
    row.name = "a missing printer key: nothing said, the values stand empty";
    row.tail = TEST_ROOT "\\Missing\\Install\\Printer";
    row.log = Lines(std::vector<std::string> { kRunning } + FaxLines("", TEST_ROOT "\\Missing\\Install\\Fax"))
        + Lines({ kFileNotFound }) + Lines({ "Error executing NT Add Printer for FAX" })
        + Lines(PrinterLines("", row.tail)) + Lines({ kFileNotFound })
        + Lines(std::vector<std::string> { "Error executing NT Add Printer for Printer Driver" }
            + DriverToolLines(NT_DRIVER_DIR, "", ""));
    row.launches = std::vector<std::string> { ShellStart() } + DriverToolRuns(NT_DRIVER_DIR, "", "");
    rows.push_back(row);

    row = Scenario();
    row.name = "an empty tail opens HKEY_LOCAL_MACHINE itself, which has no Driver Name";
    row.log = Lines({ "Could not get Printer Name from the registry" });
    rows.push_back(row);

    // The log.
    row = typical;
    row.name = "an existing log keeps its lines";
    row.logBefore = "an earlier run\r\n";
    row.log = row.logBefore + typical.log;
    rows.push_back(row);

    row = typical;
    row.name = "a log held open by another process loses the lines, the run goes on";
    row.logBefore = "an earlier run\r\n";
    row.logHeld = true;
    row.log = row.logBefore;
    rows.push_back(row);

    row = typical;
    row.name = "a viewer that reads the log, sharing read and write, through the run: every line is written";
    row.logBefore = "an earlier run\r\n";
    row.logRead = true;
    row.log = row.logBefore + typical.log;
    rows.push_back(row);

    // The add-printer tool's child holds the log, sharing read and write, as
    // the next line is written, then appends its own line: only the program's
    // refusal to share writing keeps the two apart.
    row = typical;
    row.name = "a peer writer holds the log over the next line: that line follows the peer's, whole";
    row.logPeer = true;
    row.log = Lines(std::vector<std::string> { kRunning, kNoFaxFlag } + FaxLines(PROGRAM_DIR, FAX_KEY)
        + PrinterLines(PROGRAM_DIR, PRINTER_KEY) + std::vector<std::string> { "a line of the add-printer tool's child" }
        + DriverToolLines(NT_DRIVER_DIR, "Zq Fax Driver", "Zq Printer Driver"));
    rows.push_back(row);

    // Wine run by root writes a read-only file all the same, so a folder in
    // the log's place stands for a log that cannot be opened for writing.
    row = typical;
    row.name = "a log that cannot be opened loses the lines, the run goes on";
    row.logIsFolder = true;
    row.log = "";
    rows.push_back(row);

    // The start-up rule: the tail shows in the printer launch's command line.
    struct Startup {
        const char* commandLine;
        const char* tail;
    };
    const Startup startups[] = {
        { "\"C:\\Some Folder\\zqrunadd.exe\"  \t\x01" TEST_ROOT "\\Plain", TEST_ROOT "\\Plain" },
        { "zq\xe9run.exe " TEST_ROOT "\\Plain", TEST_ROOT "\\Plain" },
        { "zq\"run " TEST_ROOT "\\Plain", TEST_ROOT "\\Plain" },
        { "zqrunadd.exe \"" TEST_ROOT "\\Quoted Key\"  ", "\"" TEST_ROOT "\\Quoted Key\"  " },
        { "zqrunadd.exe\x1f" TEST_ROOT "\\Plain \xe9\xff", TEST_ROOT "\\Plain \xe9\xff" },
    };
    for (const Startup& startup : startups) {
        row = Scenario();
        row.name = std::string("start-up: ") + startup.commandLine;
        row.commandLine = startup.commandLine;
        row.registry = { { TEST_ROOT "\\Plain", "Driver Name", REG_SZ, Sz("Zq Printer Driver") },
            { TEST_ROOT "\\Plain", "ProgramDir", REG_SZ, Sz(PROGRAM_DIR) } };
        const bool opens = std::string(startup.tail) == TEST_ROOT "\\Plain";
        const std::string directory = opens ? PROGRAM_DIR : "";
        const std::string driver = opens ? "Zq Printer Driver" : "";
        row.log = Lines(std::vector<std::string> { kRunning } + PrinterLines(directory, startup.tail));
        if (!opens)
            row.log += Lines({ kFileNotFound }) + Lines({ "Error executing NT Add Printer for Printer Driver" });
        row.log += Lines(DriverToolLines(NT_DRIVER_DIR, "", driver));
        row.launches = DriverToolRuns(NT_DRIVER_DIR, "", driver);
        if (opens)
            row.launches.insert(row.launches.begin(), AddPrinterRun(PROGRAM_DIR, startup.tail));
        rows.push_back(row);
    }
    AddHostileRows(rows, typical);
    AddDoubleByteRows(rows);
    return rows;
}
