// zqcheck.exe: runs the scenario rows on the Windows machine it is started
// on, with the real zqrunadd.exe beside it, and prints a table of what passed,
// failed, was skipped or could not be set up, and why. A test machine may
// still be someone's machine: without --throwaway it changes nothing and says
// what it would touch; with it, it writes a journal before each change and
// puts the machine back at the end, or at the next start after a crash.
//   zqcheck [--throwaway | --restore | --help] [--name TEXT]
// Exit status: 0 when every row that ran passed and the machine is as it
// was, 1 otherwise, 2 when it could not run.
#include <stdio.h>
#include <string.h>

#include <windows.h>

#include "install/command_tail.h"
#include "journal.h"
#include "pack_parts.h" // made from tools/checks/pack-files
#include "result_file.h"
#include "row_run.h"
#include "windows_facts.h"
#include "world/machine.h"
#include "world/world.h"

static const char kUsage[] = "usage: zqcheck [--throwaway | --restore | --help] [--name TEXT]\n"
                             "  (none)       says what a run would touch, changes nothing, exits 2\n"
                             "  --throwaway  runs every row this machine can set up, then puts it back\n"
                             "  --restore    only puts back what a run that did not finish changed\n"
                             "  --name TEXT  names the machine in the result file (no name unless given)\n";
static const char kKey[] = "SOFTWARE\\ZqCheck";

// ---- output ------------------------------------------------------------------

// Standard output and error; written through, not buffered, so that a run
// that is killed leaves every line it printed. (The result file has its own
// writer, result_file.cpp.)
static HANDLE g_out = INVALID_HANDLE_VALUE;

// Writes text with each line ended by CR LF, as Windows' text files and
// consoles have it.
static void Write(HANDLE to, const char* text)
{
    if (to == INVALID_HANDLE_VALUE || !to)
        return;
    DWORD written;
    for (const char* start = text; *start;) {
        const char* end = strchr(start, '\n');
        const DWORD length = end ? (DWORD)(end - start) : (DWORD)strlen(start);
        WriteFile(to, start, length, &written, NULL);
        if (!end)
            break;
        WriteFile(to, "\r\n", 2, &written, NULL);
        start = end + 1;
    }
}

static void SayBlock(const char* text)
{
    Write(g_out, text);
}

static void Say(const char* line)
{
    SayBlock(line);
    SayBlock("\n");
}

// One line on standard error, "zqcheck: what is wrong", and status 2.
static int Refuse(const char* line)
{
    Write(GetStdHandle(STD_ERROR_HANDLE), line);
    Write(GetStdHandle(STD_ERROR_HANDLE), "\n");
    return 2;
}

// What of the machine decides which rows run: the rows' one rule.
static CheckMachine RowRule(const Machine* m, const char* shellTool)
{
    CheckMachine rule = {};
    rule.name = m->name;
    rule.spoolerNoted = m->spoolerKnown;
    rule.codePage = m->codePage;
    rule.shellTool = shellTool[0] ? shellTool : NULL;
    return rule;
}

static void SayWhatItTouches(const Machine* m, const char* reportPath)
{
    char line[4 * MAX_PATH], journal[MAX_PATH];
    JournalPath(journal);
    Say("With --throwaway, zqcheck touches only:");
    sprintf(line, "  the key HKEY_LOCAL_MACHINE\\%s and the folder %s: made, then removed", kKey, m->folder);
    Say(line);
    if (m->spoolerKnown) {
        sprintf(line, "  the spooler (now %s, start type %lu): %sstopped and started, then left as it was",
            m->spoolerRunning ? "running" : "stopped", (unsigned long)m->spoolerStart,
            m->spoolerRunning ? "" : "started first, so that the driver directories answer; ");
        Say(line);
    }
    const char* files[3];
    for (int i = 0, count = TouchedFiles(m, files); i < count; ++i) {
        const FileMark mark = MarkFile(files[i]);
        sprintf(line, "  %s: %s", files[i],
            mark.error        ? "cannot be read: the run would refuse to start"
                : mark.exists ? "moved aside (\".zqcheck-saved\" appended) and put back"
                              : "not there; made, then removed");
        Say(line);
    }
    if (m->toolCount == 0)
        Say("  zqdrvtl.exe in each printer driver directory, which the spooler names once it runs");
    sprintf(line, "  its journal %s, written before each change and removed at the end", journal);
    Say(line);
    sprintf(line, "  its result file %s, written and kept", reportPath);
    Say(line);
}

// Makes every change the rows need, each written down first. The spooler
// comes first: on NT the driver directories answer only while it runs, and
// the rows use only the directories read here. 0 when a step failed, with
// the one line to say in refusal.
static int Prepare(Machine* m, char* refusal)
{
    if (!NoteBoot())
        return sprintf(refusal, "zqcheck: the journal could not be written (error %lu)", GetLastError()), 0;
    if (m->spoolerKnown) {
        if (!NoteService("Spooler", m->spoolerRunning, m->spoolerStart))
            return sprintf(refusal, "zqcheck: the journal could not be written (error %lu)", GetLastError()), 0;
        if (!m->spoolerRunning && !SetServiceRunning("Spooler", 1))
            return sprintf(refusal, "zqcheck: the spooler, stopped, could not be started (error %lu)", GetLastError()),
                   0;
        if (!m->spoolerRunning)
            ChangeMade("spooler: started");
    }
    if (!ReadDriverDirectories(m))
        return strcpy(refusal, "zqcheck: the system names no printer driver directory, even with the spooler running"),
               0;
    const char* files[3];
    static char aside[MAX_PATH];
    for (int i = 0, count = TouchedFiles(m, files); i < count; ++i) {
        const FileMark mark = MarkFile(files[i]);
        if (mark.error)
            return sprintf(refusal, "zqcheck: %.260s cannot be read (error %lu): close what holds it, then start again",
                       files[i], (unsigned long)mark.error),
                   0;
        // A copy set aside by another run, left behind: a new run would
        // set the file aside over it, and its restore would lose it.
        AsidePath(files[i], aside);
        if (aside[0] && GetFileAttributesA(aside) != INVALID_FILE_ATTRIBUTES)
            return sprintf(refusal,
                       "zqcheck: %.260s is there already, and no journal of zqcheck's says why: put it back or away "
                       "first",
                       aside),
                   0;
    }
    if (!MakeOwnFolder(m->folder) || !NoteOwnKey(kKey) || !SetFileAside(m->log))
        return sprintf(refusal, "zqcheck: %.260s could not be made ready (error %lu)", m->log, GetLastError()), 0;
    for (int i = 0; i < m->toolCount; ++i)
        if (!SetToolAside(m->tools[i]))
            return sprintf(refusal, "zqcheck: %.260s could not be set aside (error %lu)", m->tools[i], GetLastError()),
                   0;
    // Last, so that a restore ends what a killed run left running before it
    // puts the files back.
    if (!NoteRun(m->record))
        return sprintf(refusal, "zqcheck: the journal could not be written (error %lu)", GetLastError()), 0;
    return 1;
}

// Where the shell would find a bare "zqdrvtl.exe" for the program, started
// in the pack's folder: that folder, the search path, App Paths. Empty when
// nowhere.
static void ShellFinds(const Machine* m, char out[MAX_PATH])
{
    out[0] = 0;
    char path[MAX_PATH];
    char* name;
    sprintf(path, "%.240s\\zqdrvtl.exe", m->pack);
    const DWORD found = SearchPathA(NULL, "zqdrvtl.exe", NULL, MAX_PATH, path + 0, &name);
    if (GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES || (found && found < MAX_PATH)) {
        strcpy(out, path);
        return;
    }
    HKEY key;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\zqdrvtl.exe", 0,
            KEY_READ, &key)
        != ERROR_SUCCESS)
        return;
    DWORD size = MAX_PATH - 1;
    if (RegQueryValueExA(key, NULL, NULL, NULL, (BYTE*)path, &size) != ERROR_SUCCESS || !size)
        strcpy(path, "App Paths\\zqdrvtl.exe");
    path[size < MAX_PATH ? size : MAX_PATH - 1] = 0;
    strcpy(out, path);
    RegCloseKey(key);
}

// Ctrl+C or Ctrl+Break: the row running ends, then the machine is put back.
// A close, logoff or shutdown leaves seconds: the same, with the restore cut
// short, and the journal keeps the rest for the next start.
static volatile LONG g_stop, g_hurry;
static HANDLE g_restored; // set once the restore is over

static BOOL WINAPI OnStop(DWORD event)
{
    g_stop = 1; // aligned stores: the main thread reads each whole
    g_runStop = 1;
    if (event == CTRL_C_EVENT || event == CTRL_BREAK_EVENT)
        return TRUE;
    g_hurry = 1;
    if (g_restored)
        WaitForSingleObject(g_restored, 4000);
    return TRUE;
}

// In the tests' build, only the rows named in ZQCHECK_ROWS ("id,id"), when set.
static int Chosen(const CheckRow* row)
{
#ifdef ZQ_KILL_HOOK
    static char rows[1024];
    char id[64];
    if (!GetEnvironmentVariableA("ZQCHECK_ROWS", rows + 1, sizeof rows - 2))
        return 1;
    rows[0] = ',';
    strcat(rows, ",");
    sprintf(id, ",%.60s,", row->id);
    return strstr(rows, id) != NULL;
#else
    (void)row;
    return 1;
#endif
}

// The run's last lines, which the result file's summary repeats.
static char g_summary[3][128];
static int g_summaryLines;

static int RunRows(const Machine* m)
{
    char program[2 * MAX_PATH], shellTool[MAX_PATH];
    sprintf(program, "%.250s\\zqrunadd.exe", m->pack);
    ShellFinds(m, shellTool);
    RowMachine machine = {};
    machine.system = m;
    machine.program = program;
    machine.key = kKey;
    machine.spooler = m->spoolerKnown;
    machine.realNt = m->nt && !m->wine;
    const CheckMachine rule = RowRule(m, shellTool);
    static RowReport report;
    int passed = 0, failed = 0, skipped = 0, errors = 0;
    char line[1024], why[256];
    unsigned i = 0;
    for (; i < kCheckRowCount && !g_stop; ++i) {
        const CheckRow* row = &kCheckRows[i];
        if (!Chosen(row)) {
            // Still a line of its own: the result file has one per row.
            ResultRow(RESULT_SKIP, row->id, "not among the rows ZQCHECK_ROWS names", NULL, RESULT_NO_TIME);
            ++skipped;
            continue;
        }
        if (!RowRunsOn(row, &rule, why, sizeof why)) {
            sprintf(line, "skip  %s  %s\n             %s", row->id, row->name, why);
            Say(line);
            ResultRow(RESULT_SKIP, row->id, why, NULL, RESULT_NO_TIME);
            ++skipped;
            continue;
        }
        RunCheckRow(row, &machine, &report);
        char what[80];
        sprintf(what, "row %.60s", row->id);
        ChangeMade(what);
        if (g_stop)
            break; // cut short: neither a pass nor the program's failure
        // Not set up: the program is not to blame, nor to be praised.
        if (report.error[0]) {
            sprintf(line, "error %s  %s\n             could not be set up: %.400s", row->id, row->name, report.error);
            Say(line);
            sprintf(line, "could not be set up: %.400s", report.error);
            ResultRow(RESULT_ERROR, row->id, line, NULL, RESULT_NO_TIME);
            ++errors;
            continue;
        }
        const int other = row->otherOn && machine.realNt;
        sprintf(line, "%s  %s  %s (%lu ms)%s%s", report.failures ? "FAIL" : "pass", row->id, row->name,
            (unsigned long)report.tookMs, other ? "\n             the answer of " : "", other ? row->otherOn : "");
        Say(line);
        if (report.failures)
            SayBlock(report.text);
        ResultRow(report.failures ? RESULT_FAIL : RESULT_PASS, row->id, row->name, report.failures ? report.text : NULL,
            (long)report.tookMs);
        report.failures ? ++failed : ++passed;
    }
    if (g_stop) {
        sprintf(g_summary[g_summaryLines++], "Stopped in row %u of %u: it and those after it did not run.", i + 1,
            kCheckRowCount);
        Say(g_summary[g_summaryLines - 1]);
    }
    sprintf(g_summary[g_summaryLines++], "%d passed, %d failed, %d skipped, %d not set up, of %u rows", passed, failed,
        skipped, errors, kCheckRowCount);
    Say(g_summary[g_summaryLines - 1]);
    return failed == 0 && errors == 0 && !g_stop;
}

// --name's text: one word that a file of "field value" lines keeps whole.
static int NameFits(const char* text)
{
    for (const char* c = text; *c; ++c)
        if (!((*c >= 'a' && *c <= 'z') || (*c >= 'A' && *c <= 'Z') || (*c >= '0' && *c <= '9') || strchr("-_.", *c)))
            return 0;
    return *text != 0;
}

static void SayRestoreStep(const char* line)
{
    char shown[4 * MAX_PATH + 16];
    sprintf(shown, "  not put back: %s", line);
    Say(shown);
}

static void SayError(const char* line)
{
    Refuse(line);
}

// One run at a time on the whole machine: the journal, held unshared, says
// so on every version; the mutex, global from NT 5.0 on (older systems take
// no backslash in the name), says it before the journal is looked at.
static int AnotherRuns(const Machine* m)
{
    const int global = m->nt && m->version.dwMajorVersion >= 5;
    HANDLE mutex = CreateMutexA(NULL, FALSE, global ? "Global\\zqcheck.run" : "zqcheck.run");
    // Denied: another administrator's, in another session.
    return !mutex ? GetLastError() == ERROR_ACCESS_DENIED : GetLastError() == ERROR_ALREADY_EXISTS;
}

static int Main(const char* tail)
{
    g_out = GetStdHandle(STD_OUTPUT_HANDLE);
    int throwaway = 0, restoreOnly = 0;
    char option[64];
    static char name[64];
    int nameGiven = 0, nameNext = 0;
    for (const char* at = tail; *at;) {
        const char* end = at;
        while (*end && *end != ' ' && *end != '\t')
            ++end;
        if ((size_t)(end - at) >= sizeof option)
            return Refuse("zqcheck: an option that long is none of its own (see --help)");
        memcpy(option, at, (size_t)(end - at));
        option[end - at] = 0;
        for (at = end; *at == ' ' || *at == '\t';)
            ++at;
        if (nameNext) {
            if (!NameFits(option))
                return Refuse("zqcheck: --name takes one word of letters, digits, '-', '_' and '.'");
            strcpy(name, option);
            nameNext = 0;
            nameGiven = 1;
        } else if (strcmp(option, "--name") == 0)
            nameNext = 1;
        else if (strcmp(option, "--throwaway") == 0)
            throwaway = 1;
        else if (strcmp(option, "--restore") == 0)
            restoreOnly = 1;
        else if (strcmp(option, "--help") == 0)
            return Write(g_out, kUsage), 0;
        else {
            char line[128];
            sprintf(line, "zqcheck: unknown option %s (see --help)", option);
            return Refuse(line);
        }
    }
    if (nameNext)
        return Refuse("zqcheck: --name needs a word after it (see --help)");
    if (throwaway && restoreOnly)
        return Refuse("zqcheck: --throwaway and --restore go one at a time");
    // The error mode is left as it is: its flags pass to the programs this
    // one starts, and a row proves that no error box of the program's waits
    // for a click, which SEM_NOGPFAULTERRORBOX and its kin would hide.

    static Machine m;
    LookAtSystem(&m, "zqcheck");
    // The pack's folder is the current one for all it starts: a shell start
    // of a bare name searches the current folder first, and an elevated
    // prompt's is System32.
    SetCurrentDirectoryA(m.pack);
    // Static, as the other large buffers: the image has no stack probe.
    static char line[4 * MAX_PATH], refusal[4 * MAX_PATH], reportPath[MAX_PATH];
    static WindowsFacts facts;
    ReadWindowsFacts(&facts, &m);
    sprintf(line, "zqcheck %s on %s (%lu.%lu.%lu %s, %s, %s), code page %u%s%s%s%s", ZQCHECK_VERSION, facts.name,
        facts.major, facts.minor, facts.build, facts.servicePack, facts.edition, facts.productType, facts.codePage,
        nameGiven ? ", machine " : "", nameGiven ? name : "", m.wine ? ", under Wine " : "", m.wine ? m.wine : "");
    ResultFilePath(&facts, m.pack, reportPath);
    if (m.nt && !IsAdministrator())
        return Refuse("zqcheck: needs administrator rights on NT (run it elevated, as an administrator)");

    static const char kBusy[] = "zqcheck: another zqcheck is running on this machine; wait for it to end";
    if (AnotherRuns(&m))
        return Refuse(kBusy);
    // Made only for a run: a dry run and a restore write nothing new.
    const JournalState journal = JournalOpen(throwaway);
    if (journal == JOURNAL_BUSY)
        return Refuse(kBusy);
    if (journal == JOURNAL_FAILED) {
        JournalPath(refusal);
        sprintf(line, "zqcheck: the journal %.260s cannot be made or opened (error %lu%s): nothing was changed",
            refusal, GetLastError(), GetLastError() == ERROR_DISK_FULL ? ", the disk is full" : "");
        return Refuse(line);
    }
    // A journal of another version, or edited: kept as it is, and no change.
    if (journal == JOURNAL_HELD && !JournalReadable(SayError))
        return 2;
    if (JournalHasEntries()) {
        if (!throwaway && !restoreOnly) {
            Say(line);
            Say("zqcheck: a run that did not finish left its journal: start it with --restore or --throwaway first");
            return 2;
        }
        SetConsoleCtrlHandler(OnStop, TRUE);
        Say("Putting back what an earlier run that did not finish changed:");
        if (!Restore(SayRestoreStep, &g_hurry))
            return Say("zqcheck: the machine could not be put back as it was; the journal is kept"), 2;
        Say("  the machine is as that run found it.");
    } else if (restoreOnly)
        Say("zqcheck: no journal, so nothing to put back.");
    if (restoreOnly || g_stop)
        return JournalClose(), restoreOnly ? 0 : 2;

    // The machine read only now, after any restore: what a killed run left
    // is no part of it.
    ReadSpooler(&m);
    if (!m.nt || m.spoolerRunning)
        ReadDriverDirectories(&m);
    HKEY key;
    const int keyThere = RegOpenKeyExA(HKEY_LOCAL_MACHINE, kKey, 0, KEY_READ, &key) == ERROR_SUCCESS;
    if (keyThere)
        RegCloseKey(key);
    if (keyThere || GetFileAttributesA(m.folder) != INVALID_FILE_ATTRIBUTES) {
        sprintf(line,
            "zqcheck: HKEY_LOCAL_MACHINE\\%s or %s is there already, and no journal of zqcheck's says why:"
            " it is not zqcheck's to remove",
            kKey, m.folder);
        return JournalClose(), Say(line), 2;
    }
    const FileMark log = MarkFile(m.log);
    if (log.error) {
        sprintf(line, "zqcheck: %.260s cannot be read (error %lu): close what holds it, then start again", m.log,
            (unsigned long)log.error);
        return JournalClose(), Refuse(line);
    }
    // The pack as it ships: the program and the doubles beside zqcheck.exe.
    static char part[2 * MAX_PATH], missing[3 * MAX_PATH];
    const char* const parts[] = { ZQ_PACK_PARTS };
    for (const char* name : parts) {
        sprintf(part, "%.250s\\%s", m.pack, name);
        if (GetFileAttributesA(part) == INVALID_FILE_ATTRIBUTES) {
            sprintf(missing, "zqcheck: %s is missing: keep the whole pack together", part);
            return JournalClose(), Refuse(missing);
        }
    }
    // The result file names the program it ran by its hash.
    static char programHash[65];
    sprintf(part, "%.250s\\zqrunadd.exe", m.pack);
    if (!FileSha256(part, programHash)) {
        sprintf(missing, "zqcheck: %s cannot be read", part);
        return JournalClose(), Refuse(missing);
    }
    if (!throwaway) {
        Say(line);
        SayWhatItTouches(&m, reportPath);
        Say("Nothing was changed: this was a dry run.");
        return JournalClose(), 2;
    }

    if (!JournalReady()) {
        JournalPath(refusal);
        sprintf(line, "zqcheck: the journal %.260s cannot be made (error %lu): nothing was changed", refusal,
            GetLastError());
        return JournalClose(), Refuse(line);
    }
    // In the pack's folder, and named in full at the end. A folder that
    // cannot be written refuses the run before its first change.
    if (!OpenResultFile(reportPath, &facts, programHash, nameGiven ? name : NULL)) {
        sprintf(refusal, "zqcheck: the result file %.260s cannot be written (error %lu): nothing was changed",
            reportPath, (unsigned long)ResultFileError());
        return JournalClose(), Refuse(refusal);
    }
    Say(line);
    if (m.wine)
        Say("UNDER WINE: these results are Wine's, not a real Windows machine's.");
    // From the first change on, a stop puts the machine back.
    g_restored = CreateEventA(NULL, TRUE, FALSE, NULL);
    SetConsoleCtrlHandler(OnStop, TRUE);
    int passed = 0;
    const int ready = Prepare(&m, refusal);
    if (ready)
        passed = RunRows(&m);
    else
        Say(refusal);
    const int asItWas = Restore(SayRestoreStep, &g_hurry);
    if (g_restored)
        SetEvent(g_restored);
    strcpy(g_summary[g_summaryLines++],
        asItWas ? "The machine is as it was."
                : "The machine is NOT as it was: see the lines above; the journal is kept.");
    Say(g_summary[g_summaryLines - 1]);
    // Every write to it checked: a file that is not whole is removed, and said so.
    const char* const summary[] = { g_summary[0], g_summary[1], g_summary[2] };
    const int written = CloseResultFile(summary, g_summaryLines);
    if (written)
        sprintf(line, "The table is in %s.", reportPath);
    else
        sprintf(line, "The table could NOT be written to %s (error %lu): copy it from above.", reportPath,
            (unsigned long)ResultFileError());
    Say(line);
    JournalClose();
    if (!ready || g_stop)
        return 2;
    return passed && asItWas && written ? 0 : 1;
}

// The image's own start: no C run-time start-up code.
extern "C" __attribute__((force_align_arg_pointer)) void ProgramStart(void)
{
    ExitProcess((UINT)Main(CommandTailOf(GetCommandLineA())));
}
