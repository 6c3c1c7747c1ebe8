// zqcheck.exe: runs the scenario rows on the Windows machine it is started
// on, with the real zqrunadd.exe beside it, and prints a table of what passed,
// failed, was skipped or could not be set up, and why. A test machine may
// still be someone's machine: without --throwaway it changes nothing and says
// what it would touch; with it, it writes a journal before each change and
// puts the machine back at the end, or at the next start after a crash.
//   zqcheck [--throwaway | --restore | --help] [--name TEXT]
// Exit status: 0 when every row that ran passed and the machine is as it
// was, 1 otherwise, 2 when it could not run or a stop cut it short.
// This file holds the run's order; each step's work stands in a file of its
// own: the options, the output, the journal, the changes before the rows,
// the rows, the dry run, the stops.
#include <stdio.h>
#include <string.h>

#include <windows.h>

#include "install/command_tail.h"
#include "journal_file.h"
#include "journal_restore.h"
#include "pack_parts.h" // made from tools/checks/pack-files
#include "result_file.h"
#include "windows_facts.h"
#include "world/machine.h"
#include "world/world.h"
#include "zqcheck_dry_run.h"
#include "zqcheck_options.h"
#include "zqcheck_output.h"
#include "zqcheck_prepare.h"
#include "zqcheck_rows.h"
#include "zqcheck_stop.h"

static const char kUsage[] = "usage: zqcheck [--throwaway | --restore | --help] [--name TEXT]\n"
                             "  (none)       says what a run would touch, changes nothing, exits 2\n"
                             "  --throwaway  runs every row this machine can set up, then puts it back\n"
                             "  --restore    only puts back what a run that did not finish changed\n"
                             "  --name TEXT  names the machine in the result file (no name unless given)\n";
// A step that lets the run go on; any other value is the exit status.
enum { GO_ON = -1 };

// What the run knows of itself once it has looked at the machine. Static,
// as the other large buffers: the image has no stack probe.
struct Run {
    ZqcheckOptions options;
    Machine m;
    WindowsFacts facts;
    char header[4 * MAX_PATH]; // the line that names the pack and the machine
    char reportPath[MAX_PATH];
    char programHash[65];
};
static Run g_run;

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

// The journal held for this run alone, and read whole; made only for a run:
// a dry run and a restore write nothing new.
static int HoldJournal(const Run* run)
{
    static const char kBusy[] = "zqcheck: another zqcheck is running on this machine; wait for it to end";
    static char path[MAX_PATH], line[4 * MAX_PATH];
    if (AnotherRuns(&run->m))
        return Refuse(kBusy);
    const JournalState journal = JournalOpen(run->options.throwaway);
    if (journal == JOURNAL_BUSY)
        return Refuse(kBusy);
    if (journal == JOURNAL_FAILED) {
        JournalPath(path);
        sprintf(line, "zqcheck: the journal %.260s cannot be made or opened (error %lu%s): nothing was changed", path,
            GetLastError(), GetLastError() == ERROR_DISK_FULL ? ", the disk is full" : "");
        return Refuse(line);
    }
    // A journal of another version, or edited: kept as it is, and no change.
    if (journal == JOURNAL_HELD && !JournalReadable(SayError))
        return 2;
    return GO_ON;
}

// What an earlier run that did not finish changed, put back.
static int PutBackLeftovers(const Run* run)
{
    const ZqcheckOptions* o = &run->options;
    if (JournalHasEntries()) {
        if (!o->throwaway && !o->restoreOnly) {
            Say(run->header);
            Say("zqcheck: a run that did not finish left its journal: start it with --restore or --throwaway first");
            return 2;
        }
        CatchStops(0);
        Say("Putting back what an earlier run that did not finish changed:");
        const RestoreOutcome restored = Restore(SayRestoreStep, &g_hurry);
        Say(LeftoversEndLine(restored));
        // A journal that could not be emptied goes as it is let go of: what
        // it lists is undone.
        if (restored == RESTORE_JOURNAL_LEFT)
            return JournalClose(), 2;
        if (restored != RESTORE_AS_IT_WAS)
            return 2;
    } else if (o->restoreOnly)
        Say("zqcheck: no journal, so nothing to put back.");
    if (o->restoreOnly || g_stop)
        return JournalClose(), o->restoreOnly ? 0 : 2;
    return GO_ON;
}

// Nothing of zqcheck's own is there already, and the log can be read.
static int MachineFree(const Machine* m)
{
    static char line[4 * MAX_PATH];
    HKEY key;
    const int keyThere = RegOpenKeyExA(HKEY_LOCAL_MACHINE, kZqcheckKey, 0, KEY_READ, &key) == ERROR_SUCCESS;
    if (keyThere)
        RegCloseKey(key);
    if (keyThere || GetFileAttributesA(m->folder) != INVALID_FILE_ATTRIBUTES) {
        sprintf(line,
            "zqcheck: HKEY_LOCAL_MACHINE\\%s or %s is there already, and no journal of zqcheck's says why:"
            " it is not zqcheck's to remove",
            kZqcheckKey, m->folder);
        return JournalClose(), Say(line), 2;
    }
    const FileMark log = MarkFile(m->log);
    if (log.error) {
        sprintf(line, "zqcheck: %.260s cannot be read (error %lu): close what holds it, then start again", m->log,
            (unsigned long)log.error);
        return JournalClose(), Refuse(line);
    }
    return GO_ON;
}

// The pack as it ships: the program and the doubles beside zqcheck.exe; and
// the program's hash, by which the result file names it.
static int PackWhole(Run* run)
{
    static char part[2 * MAX_PATH], missing[3 * MAX_PATH];
    const char* const parts[] = { ZQ_PACK_PARTS };
    for (const char* name : parts) {
        sprintf(part, "%.250s\\%s", run->m.pack, name);
        if (GetFileAttributesA(part) == INVALID_FILE_ATTRIBUTES) {
            sprintf(missing, "zqcheck: %s is missing: keep the whole pack together", part);
            return JournalClose(), Refuse(missing);
        }
    }
    sprintf(part, "%.250s\\zqrunadd.exe", run->m.pack);
    if (!FileSha256(part, run->programHash)) {
        sprintf(missing, "zqcheck: %s cannot be read", part);
        return JournalClose(), Refuse(missing);
    }
    return GO_ON;
}

// The machine read only now, after any restore: what a killed run left is
// no part of it. Then what must hold before a run, even a dry one.
static int ReadyToRun(Run* run)
{
    ReadSpooler(&run->m);
    if (!run->m.nt || run->m.spoolerRunning)
        ReadDriverDirectories(&run->m);
    const int status = MachineFree(&run->m);
    return status != GO_ON ? status : PackWhole(run);
}

// The journal emptied and the result file opened, before the first change:
// a disk too full for the journal, or a result file that cannot be written,
// refuses.
static int ReadyToChange(const Run* run)
{
    static char path[MAX_PATH], line[4 * MAX_PATH];
    if (!JournalReady()) {
        JournalPath(path);
        sprintf(
            line, "zqcheck: the journal %.260s cannot be made (error %lu): nothing was changed", path, GetLastError());
        return JournalClose(), Refuse(line);
    }
    // In the pack's folder, and named in full at the end.
    if (!OpenResultFile(run->reportPath, &run->facts, run->programHash, run->options.name)) {
        sprintf(line, "zqcheck: the result file %.260s cannot be written (error %lu): nothing was changed",
            run->reportPath, (unsigned long)ResultFileError());
        return JournalClose(), Refuse(line);
    }
    return GO_ON;
}

// The run's end: the summary said, the result file closed, every write to
// it checked (a file that is not whole is removed, and said so).
static int Finish(const Run* run, const RunSummary* summary, int ready, int passed, RestoreOutcome restored)
{
    static char line[4 * MAX_PATH];
    const char* lines[sizeof summary->lines / sizeof summary->lines[0] + 1];
    int count = 0;
    for (; count < summary->count; ++count)
        lines[count] = summary->lines[count];
    lines[count++] = RestoreEndLine(restored);
    Say(lines[count - 1]);
    // Refused or stopped before its rows: no result file of its own (dropped then).
    if (!ready)
        return JournalClose(), 2;
    const int written = CloseResultFile(lines, count, summary->stopped);
    if (written)
        sprintf(line, "The table is in %s.", run->reportPath);
    else
        sprintf(line, "The table could NOT be written to %s (error %lu): copy it from above.", run->reportPath,
            (unsigned long)ResultFileError());
    Say(line);
    JournalClose();
    if (g_stop)
        return 2;
    return passed && restored == RESTORE_AS_IT_WAS && written ? 0 : 1;
}

// --throwaway: the changes, each written down first, the rows, and the
// machine put back.
static int Throwaway(Run* run)
{
    const int refused = ReadyToChange(run);
    if (refused != GO_ON)
        return refused;
    Say(run->header);
    if (run->m.wine)
        Say("UNDER WINE: these results are Wine's, not a real Windows machine's.");
    // From the first change on, a stop puts the machine back.
    CatchStops(1);
    static RunSummary summary;
    static char refusal[4 * MAX_PATH];
    int passed = 0;
    const int prepared = Prepare(&run->m, refusal);
    // A stop before the first row, as a refusal, costs no earlier result.
    const int ready = prepared && !g_stop;
    if (ready) {
        BeginResultRows();
        passed = RunRows(&run->m, &summary);
    } else {
        Say(prepared ? "Stopped before the first row." : refusal);
        DropResultFile();
    }
    const RestoreOutcome restored = Restore(SayRestoreStep, &g_hurry);
    RestoreOver();
    return Finish(run, &summary, ready, passed, restored);
}

// Looks at the system, names the pack and the machine in the header line,
// and finds the result file's place.
static void LookAround(Run* run)
{
    Machine* m = &run->m;
    LookAtSystem(m, "zqcheck");
    // The pack's folder is the current one for all it starts: a shell start
    // of a bare name searches the current folder first, and an elevated
    // prompt's is System32.
    SetCurrentDirectoryA(m->pack);
    const WindowsFacts* f = &run->facts;
    ReadWindowsFacts(&run->facts, m);
    const char* name = run->options.name;
    sprintf(run->header, "zqcheck %s on %s (%lu.%lu.%lu %s, %s, %s), code page %u%s%s%s%s", ZQCHECK_VERSION, f->name,
        f->major, f->minor, f->build, f->servicePack, f->edition, f->productType, f->codePage, name ? ", machine " : "",
        name ? name : "", m->wine ? ", under Wine " : "", m->wine ? m->wine : "");
    ResultFilePath(f, m->pack, run->reportPath);
}

static int Main(const char* tail)
{
    Run* run = &g_run;
    static char refusal[OPTIONS_REFUSAL_SIZE];
    const OptionsRead read = ReadOptions(tail, &run->options, refusal);
    if (read == OPTIONS_HELP)
        return SayBlock(kUsage), 0;
    if (read == OPTIONS_BAD)
        return Refuse(refusal);
    // The error mode is left as it is: its flags pass to the programs this
    // one starts, and a row proves that no error box of the program's waits
    // for a click, which SEM_NOGPFAULTERRORBOX and its kin would hide.
    LookAround(run);
    if (run->m.nt && !IsAdministrator())
        return Refuse("zqcheck: needs administrator rights on NT (run it elevated, as an administrator)");
    int status = HoldJournal(run);
    if (status == GO_ON)
        status = PutBackLeftovers(run);
    if (status == GO_ON)
        status = ReadyToRun(run);
    if (status != GO_ON)
        return status;
    if (!run->options.throwaway) {
        Say(run->header);
        SayWhatItTouches(&run->m, run->reportPath);
        Say("Nothing was changed: this was a dry run.");
        return JournalClose(), 2;
    }
    return Throwaway(run);
}

// The image's own start: no C run-time start-up code.
extern "C" __attribute__((force_align_arg_pointer)) void ProgramStart(void)
{
    ExitProcess((UINT)Main(CommandTailOf(GetCommandLineA())));
}
