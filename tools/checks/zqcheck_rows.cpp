#include "zqcheck_rows.h"

#include <stdio.h>
#include <string.h>

#include "kill_hook.h"
#include "result_file.h"
#include "row_run.h"
#include "shell_lookup.h"
#include "zqcheck_output.h"
#include "zqcheck_prepare.h"
#include "zqcheck_stop.h"

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

struct RowCounts {
    int passed, failed, skipped, errors;
};

// A row that does not run here: a line of its own all the same, as the
// result file has one per row.
static void Skip(const CheckRow* row, const char* why, int said, RowCounts* counts)
{
    if (said) {
        char line[1024];
        sprintf(line, "skip  %s  %s\n             %s", row->id, row->name, why);
        Say(line);
    }
    ResultRow(RESULT_SKIP, row->id, why, NULL, RESULT_NO_TIME, NULL);
    ++counts->skipped;
}

// What a row that ran found.
static void SayOutcome(const CheckRow* row, const RowMachine* machine, const RowReport* report, RowCounts* counts)
{
    char line[1024];
    // Not set up: the program is not to blame, nor to be praised.
    if (report->error[0]) {
        sprintf(line, "error %s  %s\n             could not be set up: %.400s", row->id, row->name, report->error);
        Say(line);
        sprintf(line, "could not be set up: %.400s", report->error);
        ResultRow(RESULT_ERROR, row->id, line, NULL, RESULT_NO_TIME, NULL);
        ++counts->errors;
        return;
    }
    const int other = row->otherOn && machine->realNt;
    sprintf(line, "%s  %s  %s (%lu ms)%s%s", report->failures ? "FAIL" : "pass", row->id, row->name,
        (unsigned long)report->tookMs, other ? "\n             the answer of " : "", other ? row->otherOn : "");
    Say(line);
    if (report->failures) {
        SayBlock(report->text);
        SayBlock(report->measured);
    }
    ResultRow(report->failures ? RESULT_FAIL : RESULT_PASS, row->id, row->name, report->failures ? report->text : NULL,
        (long)report->tookMs, report->measured);
    report->failures ? ++counts->failed : ++counts->passed;
}

// The summary's lines, said as they are added.
static void Sum(RunSummary* summary, unsigned stoppedIn, const RowCounts* counts)
{
    summary->stopped = g_stop != 0;
    if (g_stop) {
        sprintf(summary->lines[summary->count++], "Stopped in row %u of %u: it and those after it did not run.",
            stoppedIn + 1, kCheckRowCount);
        Say(summary->lines[summary->count - 1]);
    }
    sprintf(summary->lines[summary->count++], "%d passed, %d failed, %d skipped, %d not set up, of %u rows",
        counts->passed, counts->failed, counts->skipped, counts->errors, kCheckRowCount);
    Say(summary->lines[summary->count - 1]);
}

int RunRows(const Machine* m, RunSummary* summary)
{
    char program[2 * MAX_PATH], shellTool[MAX_PATH];
    sprintf(program, "%.250s\\zqrunadd.exe", m->pack);
    ShellFinds(m, shellTool);
    RowMachine machine = {};
    machine.system = m;
    machine.program = program;
    machine.key = kZqcheckKey;
    machine.spooler = m->spoolerKnown;
    machine.realNt = m->nt && !m->wine;
    const CheckMachine rule = RowRule(m, shellTool);
    static RowReport report;
    RowCounts counts = {};
    char why[256];
    unsigned i = 0;
    for (; i < kCheckRowCount && !g_stop; ++i) {
        const CheckRow* row = &kCheckRows[i];
        if (!Chosen(row)) {
            Skip(row, "not among the rows ZQCHECK_ROWS names", 0, &counts);
            continue;
        }
        if (!RowRunsOn(row, &rule, why, sizeof why)) {
            Skip(row, why, 1, &counts);
            continue;
        }
        RunCheckRow(row, &machine, &report);
        char what[80];
        sprintf(what, "row %.60s", row->id);
        ChangeMade(what);
        if (g_stop)
            break; // cut short: neither a pass nor the program's failure
        SayOutcome(row, &machine, &report, &counts);
    }
    Sum(summary, i, &counts);
    return counts.failed == 0 && counts.errors == 0 && !g_stop;
}
