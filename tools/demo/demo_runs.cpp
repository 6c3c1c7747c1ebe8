// The Windows side of scripts/demo: runs zqrunadd.exe once per emulated
// Windows version in a prefix the script has filled from a setup author's
// registry file, and prints what each run wrote and started.
//   demo_runs --versions win98,win10 --time-limit SECONDS [--out DIR]
// The key path, exactly as the program is to get it as its tail, comes in
// ZQDEMO_KEY; the keys the registry file names (one a line, below
// HKEY_LOCAL_MACHINE) in ZQDEMO_KEYS. The environment carries both as they
// are: a command line built for them would quote a key path with blanks.
#include <ctype.h>
#include <fcntl.h>
#include <io.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include <windows.h>

#include "checks/check_rows.h"
#include "demo_report.h"
#include "install/key_paths.h"
#include "support/code_page.h"
#include "support/log_texts.h"
#include "world/world.h"
#include "zqlog/words.h"

static const char kRecord[] = "C:\\zqdemo\\launches.txt";

struct Outcome {
    std::string version;
    std::vector<std::string> cells; // the summary's, from zqlog's account and the launch records
    bool started;
    bool finished;
    ReportRun drawn; // the run for the page
};

// Text of the system code page (or UTF-16), as the terminal shows it.
static std::string Utf8(const std::wstring& wide)
{
    int size = WideCharToMultiByte(CP_UTF8, 0, wide.data(), (int)wide.size(), NULL, 0, NULL, NULL);
    std::string text(size, '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.data(), (int)wide.size(), &text[0], size, NULL, NULL);
    return text;
}

static std::string Utf8(const std::string& ansi)
{
    int size = MultiByteToWideChar(CP_ACP, 0, ansi.data(), (int)ansi.size(), NULL, 0);
    std::wstring wide(size, L'\0');
    MultiByteToWideChar(CP_ACP, 0, ansi.data(), (int)ansi.size(), &wide[0], size);
    return Utf8(wide);
}

// The system's text for an error, without its line end.
static std::string SystemText(DWORD error)
{
    char text[512] = "";
    DWORD length = FormatMessageA(
        FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, NULL, error, 0, text, sizeof text, NULL);
    while (length > 0 && (text[length - 1] == '\r' || text[length - 1] == '\n' || text[length - 1] == ' '))
        text[--length] = 0;
    return length ? Utf8(std::string(text)) : "no text for it";
}

static std::vector<std::string> Split(const std::string& text, const std::string& separator)
{
    std::vector<std::string> parts;
    size_t start = 0, end;
    while ((end = text.find(separator, start)) != std::string::npos) {
        parts.push_back(text.substr(start, end - start));
        start = end + separator.size();
    }
    if (start < text.size())
        parts.push_back(text.substr(start));
    return parts;
}

// The first key of the list that does not open in the 32-bit view, where a
// 32-bit setup package writes and the program reads; empty when all do.
static std::wstring FirstMissingKey(void)
{
    static wchar_t keys[32768];
    if (!GetEnvironmentVariableW(L"ZQDEMO_KEYS", keys, 32768))
        return L"";
    wchar_t* next = keys;
    while (*next) {
        wchar_t* end = wcschr(next, L'\n');
        if (end)
            *end = 0;
        HKEY key;
        if (*next && RegOpenKeyExW(HKEY_LOCAL_MACHINE, next, 0, KEY_READ | KEY_WOW64_32KEY, &key) != 0)
            return next;
        if (*next)
            RegCloseKey(key);
        if (!end)
            break;
        next = end + 1;
    }
    return L"";
}

// ProgramDir under the install root, as the program derives it from the key
// path (the same rule, linked in); empty when it is not there.
static std::string ProgramDir(const std::string& keyPath)
{
    char root[KEY_PATH_SIZE];
    if (!InstallRootKeyPath(keyPath.c_str(), root, IsSystemLeadByte))
        return "";
    HKEY key;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, root, 0, KEY_READ, &key) != 0)
        return "";
    char value[MAX_PATH + 1] = "";
    DWORD size = MAX_PATH;
    if (RegQueryValueExA(key, "ProgramDir", NULL, NULL, (BYTE*)value, &size) != 0)
        value[0] = 0;
    RegCloseKey(key);
    return value;
}

// Where a run would write for a folder path: the runs write only on the
// throwaway prefix's own drive (the Windows directory's), where the script has
// left no link out to the host. A path on any other drive (Z: is the host's
// /) or a UNC path is refused, %VAR% or not; on that drive, one the program
// would not start from as it stands (relative, or an unexpanded %VAR%, which
// it never expands) gets nothing placed.
enum Placement { PLACED, NOT_PLACED, OUTSIDE };
static Placement WhereRunsWrite(const std::string& path)
{
    char windows[MAX_PATH] = "";
    GetWindowsDirectoryA(windows, sizeof windows);
    if (path.size() >= 2 && path[0] == '\\' && path[1] == '\\')
        return OUTSIDE;
    if (path.size() >= 2 && path[1] == ':' && toupper((unsigned char)path[0]) != toupper((unsigned char)windows[0]))
        return OUTSIDE;
    if (path.size() < 3 || path[1] != ':' || path[2] != '\\' || path.find('%') != std::string::npos)
        return NOT_PLACED;
    return PLACED;
}

// The drive of the Windows directory, where the throwaway prefix's C: is.
static char WindowsDrive(void)
{
    char log[MAX_PATH];
    LogFilePath(log);
    return log[0];
}

// Makes every folder of an absolute path ("C:\a\b"); tells whether it is there.
static bool MakeFolders(const std::string& path)
{
    for (size_t at = path.find('\\', 3); at != std::string::npos; at = path.find('\\', at + 1))
        CreateDirectoryA(path.substr(0, at).c_str(), NULL);
    CreateDirectoryA(path.c_str(), NULL);
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

static void WriteOut(const std::string& outDir, const std::string& version, const RunResult& result)
{
    std::string folder = outDir + "\\" + version;
    CreateDirectoryA(folder.c_str(), NULL);
    WriteFileFrom((folder + "\\ZQsetup.log").c_str(), result.log, result.logSize);
    std::string tsv;
    for (int i = 0; i < result.launchCount; ++i) {
        const Launch& launch = result.launches[i];
        tsv = tsv + launch.tool + "\t" + launch.show + "\t" + launch.commandLine + "\n";
    }
    WriteFileFrom((folder + "\\launches.tsv").c_str(), tsv.data(), (DWORD)tsv.size());
}

// What the page shows of a run, in UTF-8.
static void Draw(Outcome& outcome, const std::string& commandLine, const RunResult& result)
{
    ReportRun& run = outcome.drawn;
    run.version = outcome.version;
    run.cells.clear();
    for (const std::string& cell : outcome.cells)
        run.cells.push_back(cell == kMade || cell == kNotMade ? cell : Utf8(cell));
    run.waitsForSpooler = VersionTakesNt4Road(outcome.version.c_str()) != 0;
    run.finished = outcome.finished;
    run.endMs = (long)(result.outcome.endTick - result.startTick);
    run.exitCode = result.exitCode;
    run.commandLine = Utf8(commandLine);
    run.startTick = result.startTick;
    for (int i = 0; i < result.launchCount; ++i) {
        Launch launch = result.launches[i];
        const std::string text = Utf8(std::string(launch.commandLine)).substr(0, sizeof launch.commandLine - 1);
        memcpy(launch.commandLine, text.c_str(), text.size() + 1);
        run.launches.push_back(launch);
    }
    const std::string logBytes(result.log, result.logSize);
    run.log = NoteLines(logBytes, GetACP()); // the log is in the system code page
    for (LineNote& note : run.log)
        note.text = Utf8(note.text), note.meaning = Utf8(Spoken(note.meaning)); // a meaning may quote the line
    run.account = RunsOf(logBytes, GetACP());
}

// DIR\report.html: the summary, the runs drawn, the logs explained, and the
// command lines the demo ran (ZQDEMO_COMMANDS, one a line).
static void WriteReport(const std::string& outDir, const std::vector<Outcome>& outcomes, DWORD limitMs)
{
    Report report;
    report.columns.assign(kSummaryColumns, kSummaryColumns + SUMMARY_COLUMNS);
    report.legend = kSummaryLegend;
    static wchar_t commands[32768];
    if (GetEnvironmentVariableW(L"ZQDEMO_COMMANDS", commands, 32768))
        report.commands = Split(Utf8(commands), "\n");
    report.limitSeconds = limitMs / 1000;
    for (const Outcome& outcome : outcomes)
        report.runs.push_back(outcome.drawn);
    const std::string page = ReportPage(report);
    WriteFileFrom((outDir + "\\report.html").c_str(), page.data(), (DWORD)page.size());
}

// The folder of this program, where zqrunadd.exe is too.
static std::string ProgramFolder(void)
{
    char folder[MAX_PATH];
    OwnFolder(folder);
    return folder;
}

static Outcome RunOnce(const std::string& version, const std::string& keyPath, const std::string& programDir,
    DWORD limitMs, const std::string& outDir)
{
    Outcome outcome;
    outcome.version = version;
    PlaceDoubles(programDir.c_str());
    const std::string commandLine = "\"" + ProgramFolder() + "\\zqrunadd.exe\" " + keyPath;
    World world = {};
    world.version = version.c_str();
    world.commandLine = commandLine.c_str();
    world.record = kRecord;
    world.limitMs = limitMs;
    static RunResult result;
    RunWorld(&world, &result);
    // The program's own end: the tools it leaves running may go on after it.
    const DWORD took = result.outcome.endTick - result.startTick;
    outcome.started = result.outcome.startError == 0;
    outcome.finished = result.finished != 0;

    char log[MAX_PATH];
    LogFilePath(log);
    printf("\n==== %s ====\n", version.c_str());
    printf("---- %s ----\n", log);
    if (result.logSize == 0)
        printf("(nothing written)\n");
    std::vector<std::string> logLines = Split(std::string(result.log, result.logSize), "\r\n");
    for (const std::string& line : logLines)
        printf("%s\n", Utf8(line).c_str());
    printf("---- launches (ms from the run's start, tool, show state, command line) ----\n");
    if (result.launchCount == 0)
        printf("(none)\n");
    for (int i = 0; i < result.launchCount; ++i) {
        const Launch& launch = result.launches[i];
        printf("%6lu ms  %s  %-6s  %s\n", (unsigned long)(launch.tick - result.startTick), launch.tool, launch.show,
            Utf8(std::string(launch.commandLine)).c_str());
    }
    if (!outcome.started)
        printf("zqrunadd.exe could not be started: %s (error %lu)\n", SystemText(result.outcome.startError).c_str(),
            (unsigned long)result.outcome.startError);
    else if (outcome.finished)
        printf("zqrunadd.exe ended with exit code %lu; the run took %lu ms\n", (unsigned long)result.exitCode,
            (unsigned long)took);
    else
        printf("zqrunadd.exe did not finish within %lu s and was stopped\n", (unsigned long)(limitMs / 1000));
    if (result.outcome.leftOver)
        printf("%lu program(s) it started were still running %lu s after it ended and were stopped\n",
            (unsigned long)result.outcome.leftOver, (unsigned long)(LEFTOVER_WAIT_MS / 1000));
    // The verdict and the logged launches from zqlog's account; the rest from the records.
    const std::string logBytes(result.log, result.logSize);
    outcome.cells = SummaryCells(RunsOf(logBytes, GetACP()), NoteLines(logBytes, GetACP()),
        std::vector<Launch>(result.launches, result.launches + result.launchCount));
    if (!outDir.empty()) {
        WriteOut(outDir, version, result);
        Draw(outcome, commandLine, result);
        if (!outcome.started) // nothing ran, so there is nothing to draw
            outcome.drawn.notRun = "zqrunadd.exe could not be started: " + Utf8(SystemText(result.outcome.startError));
    }
    return outcome;
}

// A cell padded to width columns of the terminal (the marks are one column
// but three bytes).
static std::string Padded(const std::string& text, size_t width)
{
    size_t shown = (text == kMade || text == kNotMade) ? 1 : text.size();
    return text + std::string(width > shown ? width - shown : 0, ' ');
}

static void PrintSummary(const std::vector<Outcome>& outcomes)
{
    printf("\n==== summary ====\n%-8s", "version");
    for (const char* column : kSummaryColumns)
        printf("  %s", column);
    printf("\n");
    for (const Outcome& outcome : outcomes) {
        std::string row = Padded(outcome.version, 8);
        for (int column = 0; column < SUMMARY_COLUMNS && column < (int)outcome.cells.size(); ++column)
            row += "  " + Padded(outcome.cells[column], strlen(kSummaryColumns[column]));
        row += !outcome.started ? "  did not start" : outcome.finished ? "" : "  did not finish";
        printf("%s\n", row.substr(0, row.find_last_not_of(' ') + 1).c_str());
    }
    printf("%s\n", kSummaryLegend);
}

struct Options {
    std::vector<std::string> versions;
    DWORD limitMs = 120000;
    std::string outDir;
};

static Options ReadOptions(int argc, char** argv)
{
    Options options;
    for (int i = 1; i + 1 < argc; i += 2) {
        if (strcmp(argv[i], "--versions") == 0)
            options.versions = Split(argv[i + 1], ",");
        else if (strcmp(argv[i], "--time-limit") == 0)
            options.limitMs = (DWORD)strtoul(argv[i + 1], NULL, 10) * 1000;
        else if (strcmp(argv[i], "--out") == 0)
            options.outDir = argv[i + 1];
    }
    return options;
}

// A key the import should have made is missing: said, and the report gives
// it as each version's reason for not running.
static bool KeysImported(const Options& options)
{
    const std::wstring missing = FirstMissingKey();
    if (missing.empty())
        return true;
    const std::string reason = "the key HKEY_LOCAL_MACHINE\\" + Utf8(missing) + " is missing after the import";
    fprintf(stderr, "demo: %s\n", reason.c_str());
    if (!options.outDir.empty()) {
        std::vector<Outcome> notRun(options.versions.size());
        for (size_t i = 0; i < options.versions.size(); ++i)
            notRun[i].drawn.version = options.versions[i], notRun[i].drawn.notRun = reason;
        WriteReport(options.outDir, notRun, options.limitMs);
    }
    return false;
}

// ProgramDir made where the runs may write, or cleared where it is no folder
// path; false where the runs would write outside the throwaway prefix.
static bool PlaceProgramDir(std::string* programDir)
{
    const Placement placement = programDir->empty() ? NOT_PLACED : WhereRunsWrite(*programDir);
    if (placement == OUTSIDE) {
        fprintf(stderr,
            "demo: ProgramDir %s is not on the throwaway prefix's drive %c:, so the runs would write outside it\n",
            Utf8(*programDir).c_str(), WindowsDrive());
        return false;
    }
    if (!programDir->empty() && (placement == NOT_PLACED || !MakeFolders(*programDir))) {
        fprintf(stderr, "demo: notice: ProgramDir %s is no folder path; no add-printer tool is placed\n",
            Utf8(*programDir).c_str());
        programDir->clear();
    }
    return true;
}

// A start that failed outweighs a run that was stopped.
static int StatusOf(const std::vector<Outcome>& outcomes)
{
    int status = 0;
    for (const Outcome& outcome : outcomes) {
        if (!outcome.started)
            status = 3;
        else if (!outcome.finished && status == 0)
            status = 1;
    }
    return status;
}

int main(int argc, char** argv)
{
    _setmode(_fileno(stdout), _O_BINARY); // the report is UTF-8 with plain line ends
    _setmode(_fileno(stderr), _O_BINARY);
    const Options options = ReadOptions(argc, argv);
    const std::vector<std::string>& versions = options.versions;
    if (!KeysImported(options))
        return 2;
    static char keyPath[32768];
    GetEnvironmentVariableA("ZQDEMO_KEY", keyPath, sizeof keyPath);
    std::string programDir = ProgramDir(keyPath);
    if (!PlaceProgramDir(&programDir))
        return 2;
    for (const std::string& version : versions) {
        if (VersionTakesNt4Road(version.c_str())) {
            SetServiceRunning("Spooler", true); // once: every run that waits for it finds it running
            break;
        }
    }
    CreateDirectoryA("C:\\zqdemo", NULL);
    SetCurrentDirectoryA("C:\\"); // where a setup package starts it from, not the caller's folder

    std::vector<Outcome> outcomes;
    for (size_t i = 0; i < versions.size(); ++i) {
        fprintf(
            stderr, "demo: version %u of %u: %s\n", (unsigned)(i + 1), (unsigned)versions.size(), versions[i].c_str());
        outcomes.push_back(RunOnce(versions[i], keyPath, programDir, options.limitMs, options.outDir));
        fflush(stdout);
    }
    PrintSummary(outcomes);
    if (!options.outDir.empty())
        WriteReport(options.outDir, outcomes, options.limitMs);
    return StatusOf(outcomes);
}
