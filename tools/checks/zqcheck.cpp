// zqcheck.exe: runs the scenario rows on the Windows machine it is started
// on, with the real zqrunadd.exe beside it, and prints a table of what passed,
// failed and was skipped, and why. A test machine may still be someone's
// machine: without --throwaway it changes nothing and says what it would
// touch; with it, it writes a journal before each change and puts the machine
// back at the end, or at the next start after a crash.
//   zqcheck [--throwaway | --restore | --help] [--name TEXT]
// Exit status: 0 when every row that ran passed and the machine is as it
// was, 1 otherwise, 2 when it could not run.
#include <stdio.h>
#include <string.h>

#include <windows.h>

#include "install/command_tail.h"
#include "journal.h"
#include "machine.h"
#include "result_file.h"
#include "row_run.h"
#include "windows_facts.h"
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

// Why the row cannot run here, or null when it can.
static const char* SkipReason(const CheckRow* row, const Machine* m, char* why)
{
    // First what no real machine can set up, whatever its version.
    if (row->needs & NEED_WINE_DLLS)
        return "keeps a system DLL from the program, which only Wine's DLL overrides do (the Wine tests run it)";
    if (row->road == ROAD_NT4 && !m->nt4OrLater)
        return sprintf(why, "for NT 4.0 and later; this is %s", m->name), why;
    if (row->road == ROAD_OLD && m->nt4OrLater)
        return sprintf(why, "for 9x and NT 3.51; this is %s", m->name), why;
    if (row->version && strcmp(row->version, m->name) != 0)
        return sprintf(why, "for %s only (the Wine tests emulate it); this is %s", row->version, m->name), why;
    if ((row->needs & NEED_SPOOLER_CONTROL) && !m->nt)
        return "stops the spooler, which needs the service manager of NT";
    if ((row->needs & NEED_SPOOLER_CONTROL) && !m->spoolerNoted)
        return "stops the spooler, whose state could not be read to be put back";
    if (row->codePage && row->codePage != m->codePage)
        return sprintf(why, "written for code page %u; this machine's is %u", row->codePage, m->codePage), why;
    return NULL;
}

static void SayWhatItTouches(const Machine* m)
{
    char line[4 * MAX_PATH], journal[MAX_PATH];
    JournalPath(journal);
    Say("With --throwaway, zqcheck touches only:");
    sprintf(line, "  the key HKEY_LOCAL_MACHINE\\%s and the folder %s: made, then removed", kKey, m->folder);
    Say(line);
    const char* files[3];
    for (int i = 0, count = TouchedFiles(m, files); i < count; ++i) {
        const int there = GetFileAttributesA(files[i]) != INVALID_FILE_ATTRIBUTES;
        sprintf(line, "  %s: %s", files[i],
            there ? "moved aside (\".zqcheck-saved\" appended) and put back" : "not there; made, then removed");
        Say(line);
    }
    int running;
    DWORD startType;
    if (m->nt && ServiceState("Spooler", &running, &startType)) {
        sprintf(line, "  the spooler (now %s, start type %lu): stopped and started, then left as it was",
            running ? "running" : "stopped", (unsigned long)startType);
        Say(line);
    }
    sprintf(line, "  its journal %s, written before each change and removed at the end", journal);
    Say(line);
}

// Makes every change the rows need, each written down first. 0 when one failed.
static int Prepare(Machine* m)
{
    if (!MakeOwnFolder(m->folder) || !NoteOwnKey(kKey) || !SetFileAside(m->log))
        return 0;
    char from[MAX_PATH];
    DoublePath("zqdrvtl.exe", from);
    for (int i = 0; i < m->toolCount; ++i)
        if (!SetFileAside(m->tools[i]) || !CopyFileA(from, m->tools[i], FALSE))
            return 0;
    int running;
    DWORD startType;
    if (m->nt && ServiceState("Spooler", &running, &startType)) {
        if (!NoteService("Spooler", running, startType))
            return 0;
        m->spoolerNoted = 1;
    }
    // Last, so that a restore ends what a killed run left running before it
    // puts the files back.
    return NoteRun(m->record);
}

// Ctrl+C or Ctrl+Break: the row running ends as it would, then the machine
// is put back.
static volatile LONG g_stop;

static BOOL WINAPI OnStop(DWORD event)
{
    if (event != CTRL_C_EVENT && event != CTRL_BREAK_EVENT)
        return FALSE;
    g_stop = 1; // one aligned store: the loop reads it whole
    return TRUE;
}

// The run's last lines, which the result file's summary repeats.
static char g_summary[3][128];
static int g_summaryLines;

static int RunRows(const Machine* m)
{
    char program[2 * MAX_PATH];
    OwnFolder(program);
    strcat(program, "\\zqrunadd.exe");
    const RowMachine machine
        = { program, m->record, m->folder, kKey, NULL, m->nt4OrLater, m->spoolerNoted, 0, m->nt && !m->wine };
    static RowReport report;
    int passed = 0, failed = 0, skipped = 0, errors = 0;
    char line[1024], why[256];
    unsigned i = 0;
    for (; i < kCheckRowCount && !g_stop; ++i) {
        const CheckRow* row = &kCheckRows[i];
        const char* reason = SkipReason(row, m, why);
        if (reason) {
            sprintf(line, "skip  %s  %s\n             %s", row->id, row->name, reason);
            Say(line);
            ResultRow(RESULT_SKIP, row->id, reason, NULL, RESULT_NO_TIME);
            ++skipped;
            continue;
        }
        RunCheckRow(row, &machine, &report);
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
        sprintf(
            g_summary[g_summaryLines++], "Stopped after row %u: rows %u to %u did not run.", i, i + 1, kCheckRowCount);
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
    LookAround(&m);
    // Static, as the other large buffers: the image has no stack probe.
    static char line[4 * MAX_PATH];
    static WindowsFacts facts;
    ReadWindowsFacts(&facts, m.name, m.wine, m.windows);
    sprintf(line, "zqcheck %s on %s (%lu.%lu.%lu %s, %s, %s), code page %u%s%s%s%s", ZQCHECK_VERSION, facts.name,
        facts.major, facts.minor, facts.build, facts.servicePack, facts.edition, facts.productType, facts.codePage,
        nameGiven ? ", machine " : "", nameGiven ? name : "", m.wine ? ", under Wine " : "", m.wine ? m.wine : "");
    if (m.nt && !IsAdministrator())
        return Refuse("zqcheck: needs administrator rights on NT (run it elevated, as an administrator)");

    // One run at a time: a second would take the first one's journal for a
    // dead run's and put the machine back under it. (No "Global\\" prefix:
    // NT 4.0 and 9x take no backslash in the name.)
    CreateMutexA(NULL, FALSE, "zqcheck.run");
    if (GetLastError() == ERROR_ALREADY_EXISTS)
        return Refuse("zqcheck: another zqcheck is running on this machine; wait for it to end");
    if (JournalExists()) {
        if (!throwaway && !restoreOnly) {
            Say(line);
            Say("zqcheck: a run that did not finish left its journal: start it with --restore or --throwaway first");
            return 2;
        }
        Say("Putting back what an earlier run that did not finish changed:");
        if (!Restore(SayRestoreStep))
            return Say("zqcheck: the machine could not be put back as it was; the journal is kept"), 2;
        Say("  the machine is as that run found it.");
    } else if (restoreOnly)
        Say("zqcheck: no journal, so nothing to put back.");
    if (restoreOnly)
        return 0;

    HKEY key;
    const int keyThere = RegOpenKeyExA(HKEY_LOCAL_MACHINE, kKey, 0, KEY_READ, &key) == ERROR_SUCCESS;
    if (keyThere)
        RegCloseKey(key);
    if (keyThere || GetFileAttributesA(m.folder) != INVALID_FILE_ATTRIBUTES) {
        sprintf(line,
            "zqcheck: HKEY_LOCAL_MACHINE\\%s or %s is there already, and no journal of zqcheck's says why:"
            " it is not zqcheck's to remove",
            kKey, m.folder);
        return Say(line), 2;
    }
    // A copy set aside by another run, left behind: a new run would set
    // the file aside over it, and its restore would lose it.
    static char aside[MAX_PATH];
    const char* files[3];
    for (int i = 0, count = TouchedFiles(&m, files); i < count; ++i) {
        AsidePath(files[i], aside);
        if (aside[0] && GetFileAttributesA(aside) != INVALID_FILE_ATTRIBUTES) {
            sprintf(line,
                "zqcheck: %s is there already, and no journal of zqcheck's says why: put it back or away first", aside);
            return Say(line), 2;
        }
    }
    // The pack as it ships: the program and the doubles beside zqcheck.exe.
    static char part[2 * MAX_PATH], missing[3 * MAX_PATH];
    const char* const parts[] = { "zqrunadd.exe", "doubles\\zqntadd.exe", "doubles\\zqdrvtl.exe" };
    for (const char* name : parts) {
        OwnFolder(part);
        strcat(strcat(part, "\\"), name);
        if (GetFileAttributesA(part) == INVALID_FILE_ATTRIBUTES) {
            sprintf(missing, "zqcheck: %s is missing: keep the whole pack together", part);
            return Refuse(missing);
        }
    }
    // The result file names the program it ran by its hash.
    static char programHash[65], reportPath[MAX_PATH];
    OwnFolder(part);
    strcat(part, "\\zqrunadd.exe");
    if (!FileSha256(part, programHash)) {
        sprintf(missing, "zqcheck: %s cannot be read", part);
        return Refuse(missing);
    }
    ResultFilePath(&facts, reportPath);
    if (!throwaway) {
        Say(line);
        SayWhatItTouches(&m);
        sprintf(missing, "  the result file %s: written, and kept", reportPath);
        Say(missing);
        Say("Nothing was changed: this was a dry run.");
        return 2;
    }

    // In the pack's folder, not the current one, which for an elevated prompt
    // is System32; written before the first change, so that a folder that
    // cannot take it is refused while nothing is changed yet.
    if (!OpenResultFile(reportPath, &facts, programHash, nameGiven ? name : NULL)) {
        sprintf(missing,
            "zqcheck: the result file %s cannot be written (error %lu): copy the pack to a folder you can write to",
            reportPath, (unsigned long)ResultFileError());
        return Refuse(missing);
    }
    Say(line);
    if (m.wine)
        Say("UNDER WINE: these results are Wine's, not a real Windows machine's.");
    int passed = 0;
    const int ready = Prepare(&m);
    if (ready) {
        SetConsoleCtrlHandler(OnStop, TRUE);
        passed = RunRows(&m);
    } else {
        Say("zqcheck: the machine could not be made ready; putting back what was changed");
    }
    const int asItWas = Restore(SayRestoreStep);
    strcpy(g_summary[g_summaryLines++],
        asItWas ? "The machine is as it was."
                : "The machine is NOT as it was: see the lines above; the journal is kept.");
    Say(g_summary[g_summaryLines - 1]);
    const char* const summary[] = { g_summary[0], g_summary[1], g_summary[2] };
    const int written = CloseResultFile(summary, g_summaryLines);
    if (written)
        sprintf(line, "The table is in %s.", reportPath);
    else
        sprintf(line, "The table could NOT be written to %s (error %lu): copy it from above.", reportPath,
            (unsigned long)ResultFileError());
    Say(line);
    if (!ready)
        return 2;
    return passed && asItWas && written ? 0 : 1;
}

// The image's own start: no C run-time start-up code.
extern "C" __attribute__((force_align_arg_pointer)) void ProgramStart(void)
{
    ExitProcess((UINT)Main(CommandTailOf(GetCommandLineA())));
}
